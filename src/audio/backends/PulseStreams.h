#pragma once

#include "audio/SoundBackend.h"
#include "audio/engine/OutputTimeline.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct pa_stream;
struct pa_context;
struct pa_operation;
struct pa_source_info;

namespace quillotap {

class PulseConnection;
class PulseBackend;

// A record stream from one source, interleaved S16LE at the requested rate
// and channel count (the server converts).
//
// Once open, the capture is lost, and says so once through its error
// callback, when the server fails or kills the stream, when the connection
// to the server goes, or when its source goes away. A source that goes away
// (unplugged, module unloaded) makes the server move the stream to another
// source or kill it; a moved stream reads nothing until the server has
// answered whether the source it was opened on still exists, so neither
// the other source's sound is recorded after a loss nor anything dropped
// when the user merely moved the stream. All callbacks run on the main loop
// thread.
class PulseCapture : public CaptureStream {
public:
    PulseCapture(std::shared_ptr<PulseConnection> connection,
                 SoundBackend::CaptureCallback callback,
                 SoundBackend::CaptureErrorCallback onError);
    ~PulseCapture() override;
    // `description` names the source in the error reasons.
    bool open(const std::string& source, const QString& description, int sampleRate, int channels,
              QString* error);
    void stop() override;

private:
    static void readable(pa_stream* stream, std::size_t bytes, void* userdata);
    static void streamStateChanged(pa_stream* stream, void* userdata);
    static void moved(pa_stream* stream, void* userdata);
    static void sourceChecked(pa_context* context, const struct pa_source_info* info, int eol,
                              void* userdata);
    void read();
    void lose(const QString& reason);

    std::shared_ptr<PulseConnection> connection_;
    SoundBackend::CaptureCallback callback_;
    SoundBackend::CaptureErrorCallback onError_;
    pa_stream* stream_ = nullptr;
    std::vector<int16_t> silence_;
    QString description_;
    uint32_t sourceIndex_ = ~0u;          // the source the stream was opened on
    pa_operation* sourceCheck_ = nullptr; // asks whether it still exists
    bool sourceFound_ = false;
    bool open_ = false; // ready; losses are reported from now on
    bool lost_ = false;
};

// A playback stream on the default sink. The server asks for data; what the
// callback does not supply is filled with silence, so the stream never stalls.
// Once open, the output is lost, and says so once through its error callback,
// when the server fails or kills the stream or the connection to the server
// goes. All callbacks run on the main loop thread.
class PulsePlayback : public PlaybackStream {
public:
    PulsePlayback(std::shared_ptr<PulseConnection> connection, PulseBackend* backend,
                  SoundBackend::PlaybackCallback callback,
                  SoundBackend::PlaybackErrorCallback onError);
    ~PulsePlayback() override;
    bool open(int sampleRate, int channels, int volume, bool muted, QString* error);
    void stop() override;
    qint64 playedFrames() const override;
    qint64 pendingFrames() const override;

private:
    static void writable(pa_stream* stream, std::size_t bytes, void* userdata);
    static void streamStateChanged(pa_stream* stream, void* userdata);
    void write(std::size_t bytes);
    // With the lock held: stream frames (silence included) the server has
    // played, and the supplied frames among them, by the stream's
    // (interpolated) clock.
    qint64 streamFrames() const;
    // Stream frames played by the server's last timing report, carried on
    // to now; -1 without a usable report.
    qint64 reportedFrames() const;
    qint64 heard() const;

    std::shared_ptr<PulseConnection> connection_;
    PulseBackend* backend_;
    SoundBackend::PlaybackCallback callback_;
    SoundBackend::PlaybackErrorCallback onError_;
    pa_stream* stream_ = nullptr;
    bool open_ = false; // ready; losses are reported from now on
    bool lost_ = false;
    int sampleRate_ = 0;
    int channels_ = 0;
    unsigned sinkInput_ = ~0u;
    mutable OutputTimeline timeline_; // guarded by the connection's lock
    qint64 playedAtStop_ = 0;
};

} // namespace quillotap
