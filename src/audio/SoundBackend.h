#pragma once

#include <QObject>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace quillotap {

// One input line (source) of a capture device.
struct SoundLine {
    QString name;
    bool selected = false; // the device records from this line
    bool hasVolume = false;
    int volume = 0; // 0..65535
    bool hasBalance = false;
    int balance = 50; // 0..100, 50 centre
};

// A running capture. Destroying or stopping it ends the deliveries; once
// stop() returns, the callback is never called again.
class CaptureStream {
public:
    virtual ~CaptureStream() = default;
    virtual void stop() = 0;
};

// A running playback. Destroying or stopping it ends the pulls; once stop()
// returns, the callback is never called again.
class PlaybackStream {
public:
    virtual ~PlaybackStream() = default;
    virtual void stop() = 0;
    // Frames of the callback's samples that the output has sounded so far
    // (the silence it plays for want of samples not counted); after stop(),
    // what it had sounded when it stopped. What the output still holds when
    // it stops is dropped, never heard.
    virtual qint64 playedFrames() const = 0;
    // Frames of the callback's samples handed to the output that it has not
    // sounded yet (its latency). An output whose clock is an estimate may
    // add a margin, so that zero means the last sample has surely sounded.
    virtual qint64 pendingFrames() const { return 0; }
};

// The sound system behind the recorder and the player: input devices with
// their lines, capture and playback streams, and the volume of the program's
// own output stream.
//
// Device and line indexes that do not exist are answered with neutral values
// (invalid, empty name, no lines) and set-calls on them return false.
// Callbacks of streams run on a back-end thread; signals may be emitted from
// any thread, so receivers connect with a queued connection.
class SoundBackend : public QObject {
    Q_OBJECT
public:
    // Delivers interleaved samples captured from the device.
    using CaptureCallback = std::function<void(const int16_t* samples, std::size_t count)>;
    // Says why a running stream ended by itself, in words for the user.
    using StreamErrorCallback = std::function<void(const QString& reason)>;
    using CaptureErrorCallback = StreamErrorCallback;
    using PlaybackErrorCallback = StreamErrorCallback;
    // Fills up to `count` interleaved samples and returns how many it wrote;
    // the output plays silence for the rest.
    using PlaybackCallback = std::function<std::size_t(int16_t* samples, std::size_t count)>;

    ~SoundBackend() override = default;

    // The process-wide back end: QUILLOTAP_AUDIO=pulse (the default) or
    // "synthetic". Created on first use.
    static std::shared_ptr<SoundBackend> instance();

    virtual QString name() const = 0;

    virtual int deviceCount() const = 0;
    virtual int defaultDevice() const = 0; // may lie past the last device
    virtual bool deviceValid(int device) const = 0;
    virtual QString deviceName(int device) const = 0;

    virtual int lineCount(int device) const = 0;
    virtual SoundLine line(int device, int line) const = 0;
    virtual bool selectLine(int device, int line) = 0; // make it the recording source
    virtual bool setLineVolume(int device, int line, int volume) = 0;
    virtual bool setLineBalance(int device, int line, int balance) = 0;

    // Opens a capture of interleaved 16-bit samples. On failure returns null
    // and puts the reason into *error. Once open, a capture that ends by
    // itself (its source went away, the server ended the stream or the
    // connection to it was lost) calls `onError` once with the reason, in
    // words for the user, and delivers no samples after it.
    virtual std::unique_ptr<CaptureStream> openCapture(int device, int sampleRate, int channels,
                                                       CaptureCallback callback,
                                                       CaptureErrorCallback onError,
                                                       QString* error) = 0;
    // Opens the program's own output stream on the default output. On
    // failure returns null and puts the reason into *error. Once open, an
    // output that ends by itself (the server failed or killed the stream,
    // the connection to it was lost, the output went away) calls `onError`
    // once with the reason, in words for the user, and pulls no samples
    // after it.
    virtual std::unique_ptr<PlaybackStream> openPlayback(int sampleRate, int channels,
                                                         PlaybackCallback callback,
                                                         PlaybackErrorCallback onError,
                                                         QString* error) = 0;

    // Volume (0..65535) and mute of the program's output streams; kept when no
    // stream is open and applied to the next one.
    virtual int outputVolume() const = 0;
    virtual void setOutputVolume(int volume) = 0;
    virtual bool outputMuted() const = 0;
    virtual void setOutputMuted(bool muted) = 0;

signals:
    // The volume of a line was changed by someone other than this program.
    // `line` is -1 when the change concerns every line of the device.
    void lineVolumeChanged(int device, int line, int volume);
};

} // namespace quillotap
