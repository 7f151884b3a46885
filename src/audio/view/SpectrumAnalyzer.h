#pragma once

#include <map>
#include <memory>
#include <vector>

namespace quillotap::view {

// Band levels of a block of samples through FFTW. One plan (and its buffers)
// is made per transform size and kept for later blocks of that size, so the
// per-block cost is the window, the transform and the band sums.
class SpectrumAnalyzer {
public:
    SpectrumAnalyzer();
    ~SpectrumAnalyzer();
    SpectrumAnalyzer(const SpectrumAnalyzer&) = delete;
    SpectrumAnalyzer& operator=(const SpectrumAnalyzer&) = delete;

    // Largest transform used; longer inputs are analysed at their end.
    static constexpr int kMaxSize = 4096;
    static constexpr int kMinSize = 32;

    // Levels 0..1 (-90 dBFS .. 0 dBFS) of `bands` bands spread linearly or
    // logarithmically from the lowest bin to the Nyquist frequency. Samples
    // are mono in -1..1. Fewer than kMinSize samples give silent bands.
    std::vector<float> bands(const std::vector<float>& samples, int bands, bool logarithmic);

    // Number of plans made so far (one per transform size).
    int planCount() const { return static_cast<int>(plans_.size()); }

private:
    struct Plan;
    Plan& planFor(int size);
    std::map<int, std::unique_ptr<Plan>> plans_;
};

} // namespace quillotap::view
