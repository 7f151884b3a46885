#pragma once

#include "audio/SampleBlock.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace quillotap {

// The most recent interleaved samples of a stream, kept in a ring of fixed
// capacity, for the visualization panes. Not thread-safe by itself.
class SampleHistory {
public:
    explicit SampleHistory(std::size_t capacity = 0) : ring_(capacity) {}

    void append(const int16_t* samples, std::size_t count) {
        if (ring_.empty())
            return;
        if (count > ring_.size()) {
            samples += count - ring_.size();
            count = ring_.size();
        }
        for (std::size_t i = 0; i < count; ++i) {
            ring_[next_] = samples[i];
            next_ = (next_ + 1) % ring_.size();
        }
        filled_ = std::min(ring_.size(), filled_ + count);
    }

    // The last `count` samples, oldest first; fewer when fewer were kept.
    // `count` is rounded down to whole frames of `channels` samples.
    SampleBlock last(int count, int channels) const {
        if (count <= 0 || channels <= 0)
            return {};
        std::size_t n = std::min(std::size_t(count), filled_);
        n -= n % std::size_t(channels);
        SampleBlock out(n);
        const std::size_t start =
            (next_ + ring_.size() - n) % std::max<std::size_t>(ring_.size(), 1);
        for (std::size_t i = 0; i < n; ++i)
            out[i] = ring_[(start + i) % ring_.size()];
        return out;
    }

private:
    std::vector<int16_t> ring_;
    std::size_t next_ = 0;
    std::size_t filled_ = 0;
};

} // namespace quillotap
