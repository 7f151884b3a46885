#include "files/Playback.h"

#include "app/MainState.h"
#include "audio/AudioFile.h"
#include "audio/AudioPlayer.h"
#include "audio/AudioVisualizationEx2.h"
#include "recording/FormatElapsed.h"
#include "ui/PictureSlider.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QLabel>

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace quillotap {

namespace {

// Blocks of this duration are read and queued at a time. VOX files are
// small at 8 kHz mono and decode in larger steps.
constexpr int kBlockMs = 200;
constexpr int kVoxBlockMs = 3000;
// The playback display analyses this many frames per channel.
constexpr int kDisplayFrames = 10024;
// Open mode of the reader for playback.
constexpr int kPlaybackOpenMode = 2;
// Seek mode: absolute position in frames.
constexpr int kSeekAbsolute = 3;

// Rounds halves to even, as every whole-number conversion of the window does.
qint64 RoundToEven(double value) {
    return qint64(std::nearbyint(value));
}

} // namespace

Playback::Playback(MainState& state, const PlaybackControls& controls, QObject* parent)
    : QObject(parent), state_(state), c_(controls), reader_(std::make_unique<AudioFile>()) {
    reader_->SetFlag(true);
    AudioPlayer* player = state_.AudioPlayer.get();
    connect(player, &AudioPlayer::EndArrayPlay, this, &Playback::FeedPlayer);
    connect(player, &AudioPlayer::RequestOnLoadArray, this, &Playback::FeedPlayer);
    connect(player, &AudioPlayer::EndPlay, this, &Playback::StopPlayback);
    connect(player, &AudioPlayer::Timer, this,
            [this](qint64 currentSamples, int, int) { AudioPlayer_Timer(currentSamples); });
    connect(player, &AudioPlayer::PlaybackError, this, &Playback::AudioPlayer_PlaybackError);
}

// The window's state may be gone by now (children go after the window's
// members), so nothing here may touch it; the player only ever plays what was
// queued, never the reader.
Playback::~Playback() = default;

void Playback::PlayFile(const QString& path) {
    AudioFile& file = *reader_;
    AudioPlayer& player = *state_.AudioPlayer;
    file.SetOpenMode(kPlaybackOpenMode);
    if (state_.PlayerActive)
        StopPlayback();
    state_.PlayerPaused = false;
    setPauseCaption(false);
    if (!QFileInfo(path).isFile())
        return;
    file.OpenForReading(path, 0, 1);
    if (file.GetStatus() < 0) {
        file.Close();
        return;
    }
    state_.PlayBase = 0;
    const qint64 length = file.GetLength();
    if (length == 0) {
        file.Close();
        return;
    }
    const int sampleRate = file.GetSampleRate();
    const int channels = file.GetChannels();
    player.SetFormat(sampleRate, channels);
    const bool vox = path.right(3).toLower() == QLatin1String("vox");
    state_.PlayBlockSize = player.GetBufferSize(vox ? kVoxBlockMs : kBlockMs);
    c_.AudioVisualizationEx21->SetFormat(sampleRate, channels);
    player.Start();
    if (player.GetStatus() < 0) {
        file.Close();
        return;
    }
    state_.PlayerActive = true;
    FeedPlayer();
    state_.PlayTotalSeconds = RoundToEven(player.LengthToMilliseconds(length) / 1000.0);
    c_.LabelTime->setText(QCoreApplication::translate("quillotap::Playback", "Total: ") +
                          FormatElapsed(double(state_.PlayTotalSeconds)));
    c_.LabelFileName->setText(path);
}

void Playback::FeedPlayer() {
    if (!state_.PlayerActive)
        return;
    const SampleBlock block = reader_->ReadSamples(state_.PlayBlockSize);
    // A block of fewer than two elements is the end of the file.
    if (block.size() >= 2)
        state_.AudioPlayer->QueueSamples(block);
}

void Playback::StopPlayback() {
    state_.AudioPlayer->Stop();
    reader_->Close();
    state_.PlayerActive = false;
    state_.PlayerPaused = false;
    c_.PicSlider1->SetSliderKnob(0);
    c_.AudioVisualizationEx21->SetSamples({});
    setPauseCaption(false);
}

void Playback::TogglePause() {
    if (!state_.PlayerActive)
        return;
    AudioPlayer& player = *state_.AudioPlayer;
    if (!state_.PlayerPaused) {
        setPauseCaption(true);
        state_.PlayerPaused = true;
        // Stopped first, so that nothing is played after the position is
        // taken: continuing then starts exactly where the sound ended.
        player.Stop();
        state_.PlayBase += player.GetPosition();
        return;
    }
    setPauseCaption(false);
    state_.PlayerPaused = false;
    player.Reset(); // nothing from before the pause may sound again
    player.Start();
    if (player.GetStatus() < 0) {
        // The output went away while paused: nothing can play on.
        StopPlayback();
        return;
    }
    reader_->Seek(state_.PlayBase, kSeekAbsolute);
    FeedPlayer();
}

void Playback::SeekPlayback(int percent) {
    if (!state_.PlayerActive) {
        state_.PositionDragging = false;
        return;
    }
    const double remaining = (100 - percent) / 100.0 * double(state_.PlayTotalSeconds);
    if (remaining <= 1) {
        StopPlayback();
        state_.PositionDragging = false;
        return;
    }
    // The player's position counts from zero again, from the first block
    // queued after the jump.
    state_.AudioPlayer->Reset();
    const qint64 target = RoundToEven(percent / 100.0 * double(reader_->GetLength()));
    state_.PlayBase = reader_->Seek(target, kSeekAbsolute);
    state_.PositionDragging = false;
    // While paused the player is stopped; continuing reads from the new
    // position.
    if (!state_.PlayerPaused)
        FeedPlayer();
}

void Playback::AudioPlayer_PlaybackError(const QString& reason) {
    if (!state_.PlayerActive)
        return;
    const QString path = c_.LabelFileName->text();
    StopPlayback(); // the knob, the display and the pause button go back
    emit playbackFailed(tr("Playback stopped: %1").arg(reason),
                        tr("Playback of \"%1\" was stopped because the sound output failed."
                           "\n\n%2")
                            .arg(path, reason));
}

void Playback::AudioPlayer_Timer(qint64 currentSamples) {
    if (!state_.PlayerActive)
        return;
    const qint64 length = reader_->GetLength();
    if (!state_.PositionDragging && length > 0) {
        const double percent =
            std::min(double(currentSamples + state_.PlayBase) / double(length) * 100.0, 100.0);
        c_.PicSlider1->SetSliderKnob(int(RoundToEven(percent * c_.PicSlider1->width() / 100.0)));
    }
    c_.AudioVisualizationEx21->SetSamples(
        state_.AudioPlayer->GetPlayingSamples(reader_->GetChannels() * kDisplayFrames));
}

void Playback::setPauseCaption(bool paused) {
    c_.CmdPausePlay->setText(paused ? QCoreApplication::translate("quillotap::Playback", "Continue")
                                    : QCoreApplication::translate("quillotap::Playback", "Pause"));
}

} // namespace quillotap
