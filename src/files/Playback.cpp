#include "files/Playback.h"

#include "audio/AudioFile.h"
#include "audio/AudioPlayer.h"
#include "audio/AudioVisualizationEx2.h"
#include "recording/FormatElapsed.h"
#include "widgets/PictureSlider.h"

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

Playback::Playback(const PlaybackControls& controls, QObject* parent,
                   std::shared_ptr<SoundBackend> backend)
    : QObject(parent), c_(controls),
      player_(backend ? std::make_unique<AudioPlayer>(std::move(backend))
                      : std::make_unique<AudioPlayer>()),
      reader_(std::make_unique<AudioFile>()) {
    reader_->SetFlag(true);
    AudioPlayer* player = player_.get();
    connect(player, &AudioPlayer::EndArrayPlay, this, &Playback::FeedPlayer);
    connect(player, &AudioPlayer::RequestOnLoadArray, this, &Playback::FeedPlayer);
    connect(player, &AudioPlayer::EndPlay, this, &Playback::StopPlayback);
    connect(player, &AudioPlayer::Timer, this,
            [this](qint64 currentSamples, int, int) { onProgress(currentSamples); });
    connect(player, &AudioPlayer::PlaybackError, this, &Playback::onOutputFailed);
}

// The player goes before the reader: it only ever plays what was queued.
Playback::~Playback() = default;

void Playback::PlayFile(const QString& path) {
    AudioFile& file = *reader_;
    AudioPlayer& player = *player_;
    file.SetOpenMode(kPlaybackOpenMode);
    if (isActive())
        StopPlayback();
    state_ = PlaybackState::Stopped;
    setPauseCaption(false);
    if (!QFileInfo(path).isFile())
        return;
    file.OpenForReading(path, 0, 1);
    if (file.GetStatus() < 0) {
        file.Close();
        return;
    }
    playBase_ = 0;
    const qint64 length = file.GetLength();
    if (length == 0) {
        file.Close();
        return;
    }
    const int sampleRate = file.GetSampleRate();
    const int channels = file.GetChannels();
    player.SetFormat(sampleRate, channels);
    const bool vox = path.right(3).toLower() == QLatin1String("vox");
    blockSize_ = player.GetBufferSize(vox ? kVoxBlockMs : kBlockMs);
    c_.display->SetFormat(sampleRate, channels);
    player.Start();
    if (player.GetStatus() < 0) {
        file.Close();
        return;
    }
    state_ = PlaybackState::Playing;
    FeedPlayer();
    totalSeconds_ = RoundToEven(player.LengthToMilliseconds(length) / 1000.0);
    c_.totalTimeLabel->setText(QCoreApplication::translate("quillotap::Playback", "Total: ") +
                               FormatElapsed(double(totalSeconds_)));
    lastFile_ = path;
    c_.fileNameLabel->setText(path);
}

void Playback::FeedPlayer() {
    if (!isActive())
        return;
    const SampleBlock block = reader_->ReadSamples(blockSize_);
    // A block of fewer than two elements is the end of the file.
    if (block.size() >= 2)
        player_->QueueSamples(block);
}

void Playback::StopPlayback() {
    player_->Stop();
    reader_->Close();
    state_ = PlaybackState::Stopped;
    c_.positionSlider->SetSliderKnob(0);
    c_.display->SetSamples({});
    setPauseCaption(false);
}

void Playback::TogglePause() {
    if (!isActive())
        return;
    AudioPlayer& player = *player_;
    if (state_ == PlaybackState::Playing) {
        setPauseCaption(true);
        state_ = PlaybackState::Paused;
        // Stopped first, so that nothing is played after the position is
        // taken: continuing then starts exactly where the sound ended.
        player.Stop();
        playBase_ += player.GetPosition();
        return;
    }
    setPauseCaption(false);
    state_ = PlaybackState::Playing;
    player.Reset(); // nothing from before the pause may sound again
    player.Start();
    if (player.GetStatus() < 0) {
        // The output went away while paused: nothing can play on.
        StopPlayback();
        return;
    }
    reader_->Seek(playBase_, kSeekAbsolute);
    FeedPlayer();
}

void Playback::SeekPlayback(int percent) {
    if (!isActive()) {
        positionDragging_ = false;
        return;
    }
    const double remaining = (100 - percent) / 100.0 * double(totalSeconds_);
    if (remaining <= 1) {
        StopPlayback();
        positionDragging_ = false;
        return;
    }
    // The player's position counts from zero again, from the first block
    // queued after the jump.
    player_->Reset();
    const qint64 target = RoundToEven(percent / 100.0 * double(reader_->GetLength()));
    playBase_ = reader_->Seek(target, kSeekAbsolute);
    positionDragging_ = false;
    // While paused the player is stopped; continuing reads from the new
    // position.
    if (state_ == PlaybackState::Playing)
        FeedPlayer();
}

void Playback::onOutputFailed(const QString& reason) {
    if (!isActive())
        return;
    const QString path = lastFile_;
    StopPlayback(); // the knob, the display and the pause button go back
    emit playbackFailed(tr("Playback stopped: %1").arg(reason),
                        tr("Playback of \"%1\" was stopped because the sound output failed."
                           "\n\n%2")
                            .arg(path, reason));
}

void Playback::onProgress(qint64 currentSamples) {
    if (!isActive())
        return;
    const qint64 length = reader_->GetLength();
    if (!positionDragging_ && length > 0) {
        const double percent =
            std::min(double(currentSamples + playBase_) / double(length) * 100.0, 100.0);
        c_.positionSlider->SetSliderKnob(
            int(RoundToEven(percent * c_.positionSlider->width() / 100.0)));
    }
    c_.display->SetSamples(player_->GetPlayingSamples(reader_->GetChannels() * kDisplayFrames));
}

void Playback::beginPositionDrag() {
    positionDragging_ = true;
}

void Playback::setPauseCaption(bool paused) {
    c_.pauseButton->setText(paused ? QCoreApplication::translate("quillotap::Playback", "Continue")
                                   : QCoreApplication::translate("quillotap::Playback", "Pause"));
}

} // namespace quillotap
