// Starting and stopping a recording, and the path by which captured blocks
// reach the file. The same recorder also runs the input preview; the
// RecordingActive flag of the shared state tells a recording from a preview.
#pragma once

#include "audio/SampleBlock.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>

namespace quillotap {

struct MainState;
struct ID3Defaults;
class RecordingView;

class RecordingSession : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    // Works on the state's AudioRecord, AudioFile and AudioInformation, which
    // must exist and outlive the session, as must `view` and `id3`. `clock`
    // gives the time that names the files (the local time by default).
    RecordingSession(MainState& state, RecordingView& view, const ID3Defaults& id3,
                     Clock clock = {}, QObject* parent = nullptr);

    // The Record button: locks the controls, names the file, ends the
    // preview and starts writing. Does nothing while recording. When the
    // file cannot be created or the capture cannot start, everything is put
    // back as it was and the user is told why.
    void Record();
    // The Stop button: unlocks the controls, finishes the file and restarts
    // the preview if it is ticked. Does nothing unless recording.
    void Stop();

    // The start routine under Record; false (with nothing left behind) when
    // the file or the capture could not be started.
    bool StartRecording();
    // Stops the recorder; while recording, writes what remains, closes the
    // file and tags it. Safe in every state.
    void StopRecording();

    // The recorder's EndArrayRecord: fetches the block and, while recording,
    // appends it to the file.
    void AudioRecord_EndArrayRecord(int block);
    // The recorder lost its input after the start. A recording stops as the
    // Stop button stops it, keeping everything captured before the loss,
    // and the user is told why (status line and message). A preview just
    // ends, with the reason on the status line.
    void AudioRecord_CaptureError(const QString& reason);

    bool isRecording() const;
    // Why the last start failed or the last recording ended early; "" if not.
    QString lastError() const { return lastError_; }

signals:
    void recordingStarted();
    void recordingStopped();

private:
    void writeBlock(const SampleBlock& block);
    void undoRecord(const QString& message);
    void showFinalSize();
    void reportWriteFailure();

    MainState& state_;
    RecordingView& view_;
    const ID3Defaults& id3_;
    Clock clock_;
    QString lastError_;
    bool writeFailed_ = false;    // the file refused a block of this recording
    bool failurePending_ = false; // ... and the user has not been told yet
};

} // namespace quillotap
