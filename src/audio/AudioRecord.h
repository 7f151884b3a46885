#pragma once

#include "SampleBlock.h"

#include <QObject>
#include <QString>
#include <memory>

namespace quillotap {

class SoundBackend;

// Captures from an input device of the sound back end.
//
// Devices are indexed 0..GetDeviceCount()-1 (GetDeviceValid tells which index
// is usable); a device's lines are its input sources. Capture runs on a back-end
// thread; every captured block is handed out exactly once, in order, through
// GetRecordedBuffer, however long the UI thread is busy. Events are signals
// delivered on the thread that owns the object (the UI thread).
class AudioRecord : public QObject {
    Q_OBJECT
public:
    // Uses the process-wide back end chosen by QUILLOTAP_AUDIO.
    explicit AudioRecord(QObject* parent = nullptr);
    explicit AudioRecord(std::shared_ptr<SoundBackend> backend, QObject* parent = nullptr);
    ~AudioRecord() override;

    int GetDeviceCount() const;
    int GetDevice() const; // the selected device; initially the back end's default
    void SetDevice(int index);
    bool GetDeviceValid() const;
    QString GetDeviceName() const;

    int GetLineCount() const;
    void SelectLine(int line); // later line calls act on it
    QString GetLineName() const;
    bool GetLineSelected() const;        // is the selected line the recording source
    void SetLineSelected(bool selected); // true: make it the recording source
    bool GetLineHasVolume() const;
    int GetLineVolume() const; // 0..65535
    bool GetLineHasBalance() const;
    int GetLineBalance() const; // 0..100, 50 centre
    void SetLineVolume(int volume);
    void SetLineBalance(int balance);

    void SetFormat(int sampleRate, int channels);
    int GetBufferSize(int milliseconds) const; // interleaved elements
    void SetBufferSize(int elements);
    void Start(); // capture from the selected device in the set format
    void Stop();  // the partial block that remains is kept for GetRecordedBuffer
    bool IsRunning() const;
    // Negative: the last Start failed, or the capture it started was lost
    // (see CaptureError).
    int GetStatus() const;
    QString GetErrorText() const;
    // Channels of the running or last capture; before any, of the set format.
    int GetChannels() const;
    // Sample rate of the running or last capture; before any, of the set format.
    int GetSampleRate() const;
    // Counts the captures Start has opened; tells one capture run from the next.
    int GetRunNumber() const;
    // Ends the block being filled now: what was captured since the last
    // completed block is handed out next by GetRecordedBuffer as a short
    // block, and capture goes on into a new block. Nothing when not running.
    void CutBlock();

    // The oldest completed block not yet handed out; after Stop, the
    // remaining partial block; then empty blocks.
    SampleBlock GetRecordedBuffer();
    qint64 SamplesToMilliseconds(qint64 frames) const;
    SampleBlock GetLastSamples(int count) const; // most recent interleaved elements

    std::shared_ptr<SoundBackend> backend() const;

signals:
    void EndArrayRecord(int nBlock);
    // Frames captured since Start; levels are peak magnitudes 0..32767.
    void Timer(qint64 currentSamples, int levelLeft, int levelRight);
    void GainChange(int newVolume);
    // The running capture ended by itself: its source went away, the sound
    // server ended the stream or the connection to the server was lost.
    // The recorder has stopped as Stop() does, so every sample captured
    // before the loss is still handed out by GetRecordedBuffer; `reason`
    // says what happened, in words for the user. Raised once per capture.
    void CaptureError(const QString& reason);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace quillotap
