#pragma once

#include "audio/SoundBackend.h"
#include "audio/backends/PacedThread.h"

#include <atomic>
#include <random>
#include <vector>

namespace quillotap {

class SyntheticBackend;
struct SyntheticLine;

// Capture from a synthetic device: produces the device's selected line,
// scaled by its current volume and balance, on the back end's clock.
class SyntheticCapture : public CaptureStream {
public:
    SyntheticCapture(SyntheticBackend* backend, int device, int sampleRate, int channels,
                     SoundBackend::CaptureCallback callback);
    ~SyntheticCapture() override;
    void stop() override;

private:
    void produce(std::int64_t frames);
    double nextValue(const SyntheticLine& line);

    SyntheticBackend* backend_;
    int device_;
    int sampleRate_;
    int channels_;
    SoundBackend::CaptureCallback callback_;
    PacedThread thread_;
    std::vector<int16_t> buffer_;
    std::int64_t elements_ = 0; // elements produced so far (the counter signal)
    double phase_ = 0;          // sine phase in cycles
    std::minstd_rand noise_{12345};
};

// The synthetic output: pulls samples on the back end's clock and hands what
// it received to the back end's output record. It has no latency: what it
// pulls counts as played at once.
class SyntheticOutput : public PlaybackStream {
public:
    SyntheticOutput(SyntheticBackend* backend, int sampleRate, int channels,
                    SoundBackend::PlaybackCallback callback);
    ~SyntheticOutput() override;
    void stop() override;
    qint64 playedFrames() const override { return played_.load(); }

private:
    void consume(std::int64_t frames);

    SyntheticBackend* backend_;
    int channels_;
    SoundBackend::PlaybackCallback callback_;
    PacedThread thread_;
    std::vector<int16_t> buffer_;
    std::atomic<qint64> played_{0}; // frames of supplied samples
};

} // namespace quillotap
