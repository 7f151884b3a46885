// Starting and stopping a recording, and the path by which captured blocks
// reach the file. The same recorder also runs the input preview and, while
// pre-roll is on, captures between recordings into the pre-roll. The session
// owns the recorder, the writer and the tagger, and whether a recording runs.
// With sound activation on, Record arms instead: each burst of sound above
// the threshold becomes a file of its own until Stop.
#pragma once

#include "audio/SampleBlock.h"
#include "recording/CaptureTap.h"
#include "recording/RecordingStartOptions.h"
#include "recording/SoundActivation.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace quillotap {

struct ID3Defaults;
class AudioFile;
class AudioInformation;
class AudioRecord;
class RecordingView;
class SoundBackend;

class RecordingSession : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    // `view` and `id3` must outlive the session. `clock` gives the time that
    // names the files (the local time by default); the recorder captures
    // from `backend` (the program's sound back end by default).
    RecordingSession(RecordingView& view, const ID3Defaults& id3, Clock clock = {},
                     std::shared_ptr<SoundBackend> backend = {}, QObject* parent = nullptr);
    ~RecordingSession() override;

    // The capture (also the preview's), and the file writer with the output
    // format's settings.
    AudioRecord& recorder() const { return *recorder_; }
    AudioFile& writer() const { return *writer_; }

    // Where new recordings go (ending in "/").
    void setOutputFolder(const QString& folder);
    const QString& outputFolder() const { return outputFolder_; }
    // Pre-roll and sound activation, as the options page sets them.
    void setStartOptions(const RecordingStartOptions& options);
    const RecordingStartOptions& startOptions() const { return startOptions_; }
    // Name and full path of the current or last recording; kept after a stop
    // so that "play the recorded file" and the size display can use them.
    const QString& outputFileName() const { return outputFileName_; }
    const QString& outputFilePath() const { return outputFilePath_; }
    // The file at `oldPath` is now at `newPath`: the last recording follows.
    void followRename(const QString& oldPath, const QString& newPath);

    // The Record button: locks the controls, names the file, ends the
    // preview and starts writing. With pre-roll on, the running capture
    // goes on into the file, which begins with the pre-roll. With sound
    // activation on, arms instead (status "Waiting for sound"). Does
    // nothing while recording or armed. When the file cannot be created or
    // the capture cannot start, everything is put back as it was and the
    // user is told why.
    void start();
    // The Stop button: unlocks the controls, finishes the file, disarms and
    // restarts the preview if it is ticked. Does nothing unless recording
    // or armed.
    void stop();
    // A start was asked for and something (the start cue) comes before
    // Record: the pre-roll ends here and what is captured until Record is
    // left out of the recording.
    void cutPreRoll();
    // The start options or the output format changed, or the preview was
    // switched off: between recordings the input is captured (in the output
    // format) exactly while pre-roll is on or the preview is ticked.
    // `reopen`: another device was chosen, so a running pre-roll capture
    // starts again from it.
    void updateStandby(bool reopen = false);

    bool isArmed() const;
    // The length of the file being written, in frames, for a count of frames
    // of the running capture as its Timer reports them; pre-roll included.
    qint64 fileFrames(qint64 captureFrames) const;
    // Bytes of memory the pre-roll holds for its samples.
    qint64 preRollStorageBytes() const { return tap_.preRollStorageBytes(); }

    // The start routine under Record; false (with nothing left behind) when
    // the file or the capture could not be started.
    bool startFile();
    // Stops the recorder; while recording, writes what remains, closes the
    // file and tags it. Safe in every state.
    void stopCapture();

    // The recorder's EndArrayRecord: fetches the block and, while recording,
    // appends it to the file.
    void onBlockCaptured(int block);
    // The recorder lost its input after the start. A recording stops as the
    // Stop button stops it, keeping everything captured before the loss,
    // and the user is told why (status line and message). A preview just
    // ends, with the reason on the status line.
    void onCaptureError(const QString& reason);

    bool isRecording() const;
    // Why the last start failed or the last recording ended early; "" if not.
    QString lastError() const { return lastError_; }

signals:
    void recordingStarted();
    // A file was finished (also each file of sound activation).
    void recordingStopped();

private:
    bool standbyRunning() const;
    bool startIdleCapture();
    bool startOnRunningCapture(const SampleBlock* trigger);
    bool openFile(int captureRate, int captureChannels);
    void beginRecording();
    void closeFile();
    void finishBurst();
    void nameFile();
    void arm();
    void takeIdleBlock(const SampleBlock& block);
    void writeBlock(const SampleBlock& block);
    void undoRecord(const QString& message);
    void showFinalSize();
    void reportWriteFailure();

    std::unique_ptr<AudioRecord> recorder_;
    std::unique_ptr<AudioFile> writer_;
    std::unique_ptr<AudioInformation> tagger_;
    RecordingView& view_;
    const ID3Defaults& id3_;
    Clock clock_;
    QString lastError_;
    QString outputFolder_;
    QString outputFileName_;
    QString outputFilePath_;
    RecordingStartOptions startOptions_;
    // A recording is running: set after the recorder started, cleared by
    // the stop routine. A running recorder while this is clear is the
    // preview or the pre-roll.
    bool recording_ = false;
    // Sound activation is armed: Record was pressed and files start and end
    // with the sound until Stop; recording_ is set only while one of them
    // is being written.
    bool armed_ = false;
    CaptureTap tap_;
    std::optional<SoundActivation> activation_; // while armed
    qint64 fileBase_ = 0;                       // see fileFrames
    bool writeFailed_ = false;                  // the file refused a block of this recording
    bool failurePending_ = false;               // ... and the user has not been told yet
};

} // namespace quillotap
