#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace quillotap {

// Peak magnitudes (0..32767) per channel since the last take().
class PeakMeter {
public:
    void add(const int16_t* samples, std::size_t count, int channels, std::int64_t firstElement) {
        for (std::size_t i = 0; i < count; ++i) {
            const int channel = channels == 2 ? int((firstElement + std::int64_t(i)) % 2) : 0;
            const int magnitude = std::min(32767, std::abs(int(samples[i])));
            peak_[channel] = std::max(peak_[channel], magnitude);
        }
    }
    // Left and right peaks; a mono stream reports its peak on both.
    void take(int channels, int* left, int* right) {
        *left = peak_[0];
        *right = channels == 2 ? peak_[1] : peak_[0];
        peak_[0] = peak_[1] = 0;
    }

private:
    int peak_[2] = {0, 0};
};

} // namespace quillotap
