#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace quillotap {

// A thread that calls `work(frames)` with the number of frames that became
// due since the last call, on a clock running `speed()` times faster than real
// time. Frames are handed out in chunks of at most `maxChunk`, so one call
// never grows without bound when the clock is fast.
class PacedThread {
public:
    using Work = std::function<void(std::int64_t frames)>;
    using Speed = std::function<double()>;

    PacedThread() = default;
    ~PacedThread();
    PacedThread(const PacedThread&) = delete;
    PacedThread& operator=(const PacedThread&) = delete;

    void start(int frameRate, Speed speed, Work work, std::int64_t maxChunk = 16384);
    // Returns after the thread has ended; `work` is not called afterwards.
    void stop();

private:
    void run(int frameRate, Speed speed, Work work, std::int64_t maxChunk);

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
};

} // namespace quillotap
