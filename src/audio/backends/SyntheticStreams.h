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
// scaled by its current volume and balance, on the back end's clock. When
// the back end takes its device away, the capture reports the loss on its
// next round and produces nothing more.
class SyntheticCapture : public CaptureStream {
public:
    SyntheticCapture(SyntheticBackend* backend, int device, int sampleRate, int channels,
                     SoundBackend::CaptureCallback callback,
                     SoundBackend::CaptureErrorCallback onError);
    ~SyntheticCapture() override;
    void stop() override;

private:
    friend class SyntheticBackend;

    void produce(std::int64_t frames);
    double nextValue(const SyntheticLine& line);

    SyntheticBackend* backend_;
    // Guarded by the back end's lock.
    int device_;
    bool lost_ = false;
    QString lostReason_;

    bool lossReported_ = false; // capture thread only
    int sampleRate_;
    int channels_;
    SoundBackend::CaptureCallback callback_;
    SoundBackend::CaptureErrorCallback onError_;
    PacedThread thread_;
    std::vector<int16_t> buffer_;
    std::int64_t elements_ = 0;        // elements produced so far (the counter signal)
    std::int64_t framesThisRound_ = 0; // frame of the current round being made
    double phase_ = 0;                 // sine phase in cycles
    std::minstd_rand noise_{12345};
};

// The synthetic output: pulls samples on the back end's clock and hands what
// it received to the back end's output record. It has no latency: what it
// pulls counts as played at once. When the back end takes the output away,
// the output reports the loss on its next round and pulls nothing more.
class SyntheticOutput : public PlaybackStream {
public:
    SyntheticOutput(SyntheticBackend* backend, int sampleRate, int channels,
                    SoundBackend::PlaybackCallback callback,
                    SoundBackend::PlaybackErrorCallback onError);
    ~SyntheticOutput() override;
    void stop() override;
    qint64 playedFrames() const override { return played_.load(); }
    // Samples taken from the player in the round being made are not yet
    // counted as played; until they are, the output says it still holds
    // some, so an end reported meanwhile cannot miss them.
    qint64 pendingFrames() const override { return inRound_.load() ? 1 : 0; }

private:
    friend class SyntheticBackend;

    void consume(std::int64_t frames);

    SyntheticBackend* backend_;
    // Guarded by the back end's lock.
    QString lostReason_;

    bool lossReported_ = false; // output thread only
    int channels_;
    SoundBackend::PlaybackCallback callback_;
    SoundBackend::PlaybackErrorCallback onError_;
    PacedThread thread_;
    std::vector<int16_t> buffer_;
    std::atomic<qint64> played_{0}; // frames of supplied samples
    std::atomic<bool> inRound_{false}; // between pulling samples and counting them
};

} // namespace quillotap
