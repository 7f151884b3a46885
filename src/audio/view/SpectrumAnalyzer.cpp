#include "SpectrumAnalyzer.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quillotap::view {

namespace {

constexpr double kFloorDb = -90.0;

int transformSizeFor(int available) {
    int size = SpectrumAnalyzer::kMinSize;
    while (size * 2 <= available && size * 2 <= SpectrumAnalyzer::kMaxSize)
        size *= 2;
    return size;
}

} // namespace

struct SpectrumAnalyzer::Plan {
    explicit Plan(int n)
        : size(n), in(fftw_alloc_real(n)), out(fftw_alloc_complex(n / 2 + 1)),
          plan(fftw_plan_dft_r2c_1d(n, in, out, FFTW_ESTIMATE)), window(n) {
        for (int i = 0; i < n; ++i)
            window[i] = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / (n - 1));
    }
    ~Plan() {
        fftw_destroy_plan(plan);
        fftw_free(out);
        fftw_free(in);
    }
    Plan(const Plan&) = delete;
    Plan& operator=(const Plan&) = delete;

    int size;
    double* in;
    fftw_complex* out;
    fftw_plan plan;
    std::vector<double> window;
};

SpectrumAnalyzer::SpectrumAnalyzer() = default;
SpectrumAnalyzer::~SpectrumAnalyzer() = default;

SpectrumAnalyzer::Plan& SpectrumAnalyzer::planFor(int size) {
    auto& slot = plans_[size];
    if (!slot)
        slot = std::make_unique<Plan>(size);
    return *slot;
}

std::vector<float> SpectrumAnalyzer::bands(const std::vector<float>& samples, int bandCount,
                                           bool logarithmic) {
    std::vector<float> result(static_cast<size_t>(std::max(bandCount, 0)), 0.0f);
    const int available = static_cast<int>(samples.size());
    if (bandCount <= 0 || available < kMinSize)
        return result;

    Plan& p = planFor(transformSizeFor(available));
    const int n = p.size;
    const float* start = samples.data() + (available - n);
    for (int i = 0; i < n; ++i)
        p.in[i] = start[i] * p.window[i];
    fftw_execute(p.plan);

    // A full-scale sine gives a Hann-windowed peak of n/4.
    const int bins = n / 2;
    const double fullScale = n / 4.0;
    auto levelOf = [&](int bin) {
        const double mag = std::hypot(p.out[bin][0], p.out[bin][1]) / fullScale;
        const double db = mag > 0 ? 20.0 * std::log10(mag) : kFloorDb;
        return static_cast<float>(std::clamp((db - kFloorDb) / -kFloorDb, 0.0, 1.0));
    };

    for (int b = 0; b < bandCount; ++b) {
        double lo, hi;
        if (logarithmic) {
            lo = std::pow(static_cast<double>(bins), static_cast<double>(b) / bandCount);
            hi = std::pow(static_cast<double>(bins), static_cast<double>(b + 1) / bandCount);
        } else {
            lo = 1.0 + static_cast<double>(bins - 1) * b / bandCount;
            hi = 1.0 + static_cast<double>(bins - 1) * (b + 1) / bandCount;
        }
        float level = 0.0f;
        if (hi - lo < 1.0) {
            // Narrower than a bin (the low end of a logarithmic axis, or more
            // bands than bins): read between the two nearest bins, so that
            // neighbouring bands form a curve rather than steps.
            const double centre = std::clamp((lo + hi) / 2, 1.0, double(bins - 1));
            const int below = std::min(static_cast<int>(centre), bins - 1);
            const float frac = static_cast<float>(centre - below);
            level = levelOf(below) * (1.0f - frac) + levelOf(below + 1) * frac;
        } else {
            const int first = std::clamp(static_cast<int>(lo), 1, bins);
            const int last = std::clamp(static_cast<int>(std::ceil(hi)) - 1, first, bins);
            for (int bin = first; bin <= last; ++bin)
                level = std::max(level, levelOf(bin));
        }
        result[static_cast<size_t>(b)] = level;
    }
    return result;
}

} // namespace quillotap::view
