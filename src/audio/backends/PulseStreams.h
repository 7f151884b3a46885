#pragma once

#include "audio/SoundBackend.h"
#include "audio/engine/OutputTimeline.h"

#include <memory>
#include <string>
#include <vector>

struct pa_stream;

namespace quillotap {

class PulseConnection;
class PulseBackend;

// A record stream from one source, interleaved S16LE at the requested rate
// and channel count (the server converts).
class PulseCapture : public CaptureStream {
public:
    PulseCapture(std::shared_ptr<PulseConnection> connection,
                 SoundBackend::CaptureCallback callback);
    ~PulseCapture() override;
    bool open(const std::string& source, int sampleRate, int channels, QString* error);
    void stop() override;

private:
    static void readable(pa_stream* stream, std::size_t bytes, void* userdata);

    std::shared_ptr<PulseConnection> connection_;
    SoundBackend::CaptureCallback callback_;
    pa_stream* stream_ = nullptr;
    std::vector<int16_t> silence_;
};

// A playback stream on the default sink. The server asks for data; what the
// callback does not supply is filled with silence, so the stream never stalls.
class PulsePlayback : public PlaybackStream {
public:
    PulsePlayback(std::shared_ptr<PulseConnection> connection, PulseBackend* backend,
                  SoundBackend::PlaybackCallback callback);
    ~PulsePlayback() override;
    bool open(int sampleRate, int channels, int volume, bool muted, QString* error);
    void stop() override;
    qint64 playedFrames() const override;
    qint64 pendingFrames() const override;

private:
    static void writable(pa_stream* stream, std::size_t bytes, void* userdata);
    void write(std::size_t bytes);
    // With the lock held: supplied frames the server has played, by the
    // stream's (interpolated) clock.
    qint64 heard() const;

    std::shared_ptr<PulseConnection> connection_;
    PulseBackend* backend_;
    SoundBackend::PlaybackCallback callback_;
    pa_stream* stream_ = nullptr;
    int sampleRate_ = 0;
    int channels_ = 0;
    unsigned sinkInput_ = ~0u;
    mutable OutputTimeline timeline_; // guarded by the connection's lock
    qint64 playedAtStop_ = 0;
};

} // namespace quillotap
