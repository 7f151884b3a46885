// Playing a recording on the files page: the file is read block by block and
// queued on the window's player, which asks for the next block as it goes.
// The position knob follows the progress, the playback display shows what is
// being played, and the labels name the file and its duration.
//
// Playback reads through an audio-file object of its own, never through the
// one the recorder writes with, so that playing a file (even the one being
// recorded) and stopping playback leave a running recording untouched.
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QAbstractButton;
class QLabel;

namespace quillotap {

class AudioFile;
class AudioVisualizationEx2;
class PictureSlider;
struct MainState;

struct PlaybackControls {
    PictureSlider* PicSlider1 = nullptr; // playing position, 0..100
    AudioVisualizationEx2* AudioVisualizationEx21 = nullptr;
    QLabel* LabelTime = nullptr;     // "Total: hh:mm:ss"
    QLabel* LabelFileName = nullptr; // the file last opened for playback
    QAbstractButton* CmdPausePlay = nullptr;
};

class Playback : public QObject {
    Q_OBJECT
public:
    // Plays on state.AudioPlayer, which must exist and outlive this object;
    // keeps the playback flags of `state` up to date.
    Playback(MainState& state, const PlaybackControls& controls, QObject* parent = nullptr);
    ~Playback() override;

    // Opens the file and starts playing it. A missing, unreadable or empty
    // file, or an output that cannot start, ends here silently with nothing
    // playing (a running playback has been stopped by then).
    void PlayFile(const QString& path);
    // Queues the next block of the open file; nothing at its end.
    void FeedPlayer();
    // Stops the player, closes the file, and puts the knob, the display and
    // the pause button back. The labels keep the last file's values.
    void StopPlayback();
    // Pauses, or continues from where the pause left off; nothing while
    // stopped.
    void TogglePause();
    // Jumps to `percent` (0..100) of the file and ends the position drag;
    // with one second or less left after that point, playback stops.
    void SeekPlayback(int percent);

    // The reader playback uses (tests look at it).
    const AudioFile& reader() const { return *reader_; }

signals:
    // Playback was stopped because the output failed while it played (the
    // player's PlaybackError): `status` is a one-line text for the status
    // line, `text` the full message for the user.
    void playbackFailed(const QString& status, const QString& text);

private:
    void AudioPlayer_PlaybackError(const QString& reason);
    // `currentSamples`: frames sounded since the player's last start or
    // reset, which is also where PlayBase was last fixed.
    void AudioPlayer_Timer(qint64 currentSamples);
    void setPauseCaption(bool paused);

    MainState& state_;
    PlaybackControls c_;
    std::unique_ptr<AudioFile> reader_;
};

} // namespace quillotap
