#include "support/ToneAnalysis.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace quillotap::test {

SampleBlock makeTone(double frequency, int sampleRate, int channels, qint64 frames,
                     double amplitude) {
    SampleBlock out(static_cast<size_t>(frames * channels));
    for (qint64 i = 0; i < frames; ++i) {
        const double v = amplitude * 32767.0 *
                         std::sin(2.0 * std::numbers::pi * frequency * double(i) / sampleRate);
        for (int c = 0; c < channels; ++c)
            out[size_t(i * channels + c)] = int16_t(std::lround(v));
    }
    return out;
}

double dominantFrequency(const SampleBlock& interleaved, int sampleRate, int channels) {
    if (channels < 1 || sampleRate < 1)
        return 0;
    const size_t frames = interleaved.size() / size_t(channels);
    // Largest power of two that fits, at most 2^18 points.
    size_t n = 1;
    while (n * 2 <= frames && n < (1u << 18))
        n *= 2;
    if (n < 256)
        return 0;
    // Analyse the middle of the signal, away from encoder start-up and tail.
    const size_t start = (frames - n) / 2;
    std::vector<double> in(n);
    for (size_t i = 0; i < n; ++i) {
        const double w = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * double(i) / double(n - 1));
        in[i] = w * interleaved[(start + i) * size_t(channels)];
    }
    std::vector<fftw_complex> out(n / 2 + 1);
    fftw_plan plan = fftw_plan_dft_r2c_1d(int(n), in.data(), out.data(), FFTW_ESTIMATE);
    fftw_execute(plan);
    fftw_destroy_plan(plan);
    std::vector<double> mag(out.size());
    for (size_t k = 0; k < out.size(); ++k)
        mag[k] = std::hypot(out[k][0], out[k][1]);
    const auto peak = std::max_element(mag.begin() + 1, mag.end() - 1);
    if (*peak <= 1e-9)
        return 0;
    const size_t k = size_t(peak - mag.begin());
    const double a = mag[k - 1], b = mag[k], c = mag[k + 1];
    const double denom = a - 2 * b + c;
    const double offset = denom != 0 ? 0.5 * (a - c) / denom : 0.0;
    return (double(k) + offset) * sampleRate / double(n);
}

double rmsLevel(const SampleBlock& samples) {
    if (samples.empty())
        return 0;
    double sum = 0;
    for (int16_t s : samples)
        sum += double(s) * s;
    return std::sqrt(sum / double(samples.size())) / 32768.0;
}

} // namespace quillotap::test
