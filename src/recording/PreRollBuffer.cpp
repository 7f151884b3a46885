#include "recording/PreRollBuffer.h"

#include <algorithm>

namespace quillotap {

PreRollBuffer::PreRollBuffer(int sampleRate, int channels, int seconds)
    : sampleRate_(sampleRate), channels_(channels), seconds_(std::max(seconds, 0)) {
    if (sampleRate_ > 0 && channels_ > 0)
        ring_.resize(std::size_t(seconds_) * std::size_t(sampleRate_) * std::size_t(channels_));
    ring_.shrink_to_fit();
}

void PreRollBuffer::append(const SampleBlock& block) {
    const std::size_t capacity = ring_.size();
    if (capacity == 0 || block.empty())
        return;
    // Of a block longer than the ring only its newest part can be kept.
    const std::size_t count = std::min(block.size(), capacity);
    const int16_t* source = block.data() + (block.size() - count);
    std::size_t end = (start_ + held_) % capacity;
    const std::size_t first = std::min(count, capacity - end);
    std::copy_n(source, first, ring_.begin() + std::ptrdiff_t(end));
    std::copy_n(source + first, count - first, ring_.begin());
    const std::size_t total = held_ + count;
    if (total > capacity) {
        start_ = (start_ + (total - capacity)) % capacity;
        held_ = capacity;
    } else {
        held_ = total;
    }
}

SampleBlock PreRollBuffer::take() {
    SampleBlock out;
    out.reserve(held_);
    const std::size_t capacity = ring_.size();
    for (std::size_t i = 0; i < held_; ++i)
        out.push_back(ring_[(start_ + i) % capacity]);
    clear();
    return out;
}

void PreRollBuffer::clear() {
    start_ = 0;
    held_ = 0;
}

} // namespace quillotap
