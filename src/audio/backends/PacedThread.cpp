#include "audio/backends/PacedThread.h"

#include <algorithm>
#include <chrono>

namespace quillotap {

PacedThread::~PacedThread() {
    stop();
}

void PacedThread::start(int frameRate, Speed speed, Work work, std::int64_t maxChunk) {
    stop();
    {
        std::lock_guard lock(mutex_);
        stopping_ = false;
    }
    thread_ = std::thread([this, frameRate, speed = std::move(speed), work = std::move(work),
                           maxChunk] { run(frameRate, speed, work, maxChunk); });
}

void PacedThread::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
        thread_.join();
}

void PacedThread::run(int frameRate, Speed speed, Work work, std::int64_t maxChunk) {
    using Clock = std::chrono::steady_clock;
    auto last = Clock::now();
    double dueFrames = 0; // fractional frames owed by the clock
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        wake_.wait_for(lock, std::chrono::milliseconds(5), [this] { return stopping_; });
        if (stopping_)
            break;
        const auto now = Clock::now();
        const double seconds = std::chrono::duration<double>(now - last).count();
        last = now;
        dueFrames += seconds * std::max(0.0, speed()) * frameRate;
        lock.unlock();
        while (dueFrames >= 1.0) {
            const auto frames = std::min<std::int64_t>(std::int64_t(dueFrames), maxChunk);
            work(frames);
            dueFrames -= double(frames);
            std::lock_guard check(mutex_);
            if (stopping_)
                break;
        }
        lock.lock();
    }
}

} // namespace quillotap
