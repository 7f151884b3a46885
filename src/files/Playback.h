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
#include <QtGlobal>

#include <memory>

class QAbstractButton;
class QLabel;

namespace quillotap {

class AudioFile;
class AudioPlayer;
class SoundBackend;
class AudioVisualizationEx2;
class PictureSlider;

struct PlaybackControls {
    PictureSlider* positionSlider = nullptr; // playing position, 0..100
    AudioVisualizationEx2* display = nullptr;
    QLabel* totalTimeLabel = nullptr; // "Total: hh:mm:ss"
    QLabel* fileNameLabel = nullptr;  // the file last opened for playback
    QAbstractButton* pauseButton = nullptr;
};

// Stopped, or playing a file, or paused in it.
enum class PlaybackState { Stopped, Playing, Paused };

class Playback : public QObject {
    Q_OBJECT
public:
    // Owns the player and plays on it; `controls` must outlive this object.
    // The player plays on `backend` (the program's sound back end by default).
    explicit Playback(const PlaybackControls& controls, QObject* parent = nullptr,
                      std::shared_ptr<SoundBackend> backend = {});
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

    // The user holds the position knob: the progress leaves it alone until
    // SeekPlayback (or the end of playback) ends the drag.
    void beginPositionDrag();
    bool isPositionDragging() const { return positionDragging_; }

    PlaybackState state() const { return state_; }
    // A file is open for playback, playing or paused.
    bool isActive() const { return state_ != PlaybackState::Stopped; }
    bool isPaused() const { return state_ == PlaybackState::Paused; }
    // File position (frames) at which the current player run began.
    qint64 playBase() const { return playBase_; }
    // Interleaved samples read and queued per block.
    int blockSize() const { return blockSize_; }
    // Duration of the open file in whole seconds.
    qint64 totalSeconds() const { return totalSeconds_; }

    // The file last opened for playback, as the files page names it.
    const QString& lastFile() const { return lastFile_; }

    // The output (its volume is the player volume slider's and hotkeys').
    AudioPlayer& player() const { return *player_; }
    // The reader playback uses (tests look at it).
    const AudioFile& reader() const { return *reader_; }

signals:
    // Playback was stopped because the output failed while it played (the
    // player's PlaybackError): `status` is a one-line text for the status
    // line, `text` the full message for the user.
    void playbackFailed(const QString& status, const QString& text);

private:
    void onOutputFailed(const QString& reason);
    // `currentSamples`: frames sounded since the player's last start or
    // reset, which is also where PlayBase was last fixed.
    void onProgress(qint64 currentSamples);
    void setPauseCaption(bool paused);

    PlaybackControls c_;
    std::unique_ptr<AudioPlayer> player_;
    std::unique_ptr<AudioFile> reader_;
    QString lastFile_; // as the file-name label shows it
    PlaybackState state_ = PlaybackState::Stopped;
    qint64 playBase_ = 0;     // see playBase()
    int blockSize_ = 0;       // interleaved samples read and queued per block
    qint64 totalSeconds_ = 0; // duration of the open file in whole seconds
    bool positionDragging_ = false;
};

} // namespace quillotap
