#include "audio/view/BarDynamics.h"
#include "audio/view/SpectrumAnalyzer.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace quillotap::view {
namespace {

std::vector<float> sine(double cyclesPerSample, int count, float amplitude = 0.5f) {
    std::vector<float> s(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        s[size_t(i)] =
            amplitude * static_cast<float>(std::sin(2 * std::numbers::pi * cyclesPerSample * i));
    return s;
}

TEST(SpectrumAnalyzerTest, ToneLandsInItsBand) {
    SpectrumAnalyzer analyzer;
    const struct {
        double cyclesPerSample; // 0.5 is the Nyquist frequency
        bool logarithmic;
        int expectedBand; // of 16
    } cases[] = {
        {0.25, false, 8},  // half-way on a linear axis
        {0.47, false, 15}, // near the top
        {0.03, false, 0},
        {0.25, true, 14}, // a logarithmic axis gives the upper octave most bands
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cyclesPerSample);
        const auto bands = analyzer.bands(sine(c.cyclesPerSample, 4096), 16, c.logarithmic);
        ASSERT_EQ(bands.size(), 16u);
        const auto loudest = std::max_element(bands.begin(), bands.end()) - bands.begin();
        EXPECT_NEAR(loudest, c.expectedBand, 1);
        // A -6 dBFS tone on the 90 dB scale.
        EXPECT_NEAR(bands[size_t(loudest)], 84.0 / 90.0, 0.03);
    }
}

TEST(SpectrumAnalyzerTest, NarrowBandsFormACurve) {
    // On a logarithmic axis with many bands, the lowest bands are narrower
    // than one bin; they read between bins instead of repeating one.
    SpectrumAnalyzer analyzer;
    auto samples = sine(0.01, 4096);
    uint32_t seed = 7;
    for (float& s : samples) { // a little noise, so that no bin is silent
        seed = seed * 1664525u + 1013904223u;
        s += 0.01f * (static_cast<float>(seed >> 8) / float(1 << 24) - 0.5f);
    }
    const auto bands = analyzer.bands(samples, 300, true);
    int repeats = 0;
    for (size_t b = 1; b < 120; ++b)
        repeats += bands[b] == bands[b - 1];
    EXPECT_LE(repeats, 2);
    // The tone (bin 41) still peaks where it is.
    const auto loudest = std::max_element(bands.begin(), bands.end()) - bands.begin();
    EXPECT_NEAR(300.0 * std::log(41.0) / std::log(2048.0), double(loudest), 3.0);
}

TEST(SpectrumAnalyzerTest, PlansAreMadeOncePerSize) {
    SpectrumAnalyzer analyzer;
    for (int i = 0; i < 5; ++i)
        analyzer.bands(sine(0.1, 44100), 32, false); // analysed at the largest size
    EXPECT_EQ(analyzer.planCount(), 1);
    analyzer.bands(sine(0.1, 1000), 32, false); // 512-point transform
    analyzer.bands(sine(0.1, 1000), 8, true);
    EXPECT_EQ(analyzer.planCount(), 2);
}

TEST(SpectrumAnalyzerTest, ShortOrSilentInputGivesSilentBands) {
    SpectrumAnalyzer analyzer;
    for (const auto& input :
         {std::vector<float>{}, std::vector<float>(10, 0.5f), std::vector<float>(4096, 0.0f)}) {
        const auto bands = analyzer.bands(input, 12, true);
        ASSERT_EQ(bands.size(), 12u);
        for (float b : bands)
            EXPECT_EQ(b, 0.0f);
    }
    EXPECT_TRUE(analyzer.bands(sine(0.1, 4096), 0, false).empty());
}

TEST(BarDynamicsTest, RiseFallAndPeakHold) {
    BarDynamics bars;
    BarDynamics::Motion motion;
    motion.fallPer100Ms = 0.1;
    motion.peakHoldMs = 250;
    const struct {
        float target;
        double elapsedMs;
        float level;
        float peak;
    } steps[] = {
        {1.0f, 100, 1.0f, 1.0f}, // rises at once
        {0.0f, 100, 0.9f, 1.0f}, // falls 0.1 per 100 ms; the peak holds
        {0.0f, 100, 0.8f, 1.0f},    {0.0f, 100, 0.7f, 0.95f}, // hold ends 50 ms into this block
        {0.75f, 100, 0.75f, 0.85f}, {0.0f, 1000, 0.0f, 0.0f}, // nothing falls below zero
    };
    for (const auto& s : steps) {
        bars.update({s.target}, s.elapsedMs, motion);
        EXPECT_NEAR(bars.levels()[0], s.level, 1e-5);
        EXPECT_NEAR(bars.peaks()[0], s.peak, 1e-5);
    }
}

TEST(BarDynamicsTest, WithoutSmoothFallBarsFollowAtOnce) {
    BarDynamics bars;
    BarDynamics::Motion motion;
    motion.smoothFall = false;
    bars.update({0.9f, 0.4f}, 100, motion);
    bars.update({0.1f, 0.2f}, 100, motion);
    EXPECT_FLOAT_EQ(bars.levels()[0], 0.1f);
    EXPECT_FLOAT_EQ(bars.levels()[1], 0.2f);
    bars.update({0.5f}, 100, motion); // a new bar count starts afresh
    ASSERT_EQ(bars.levels().size(), 1u);
    EXPECT_FLOAT_EQ(bars.peaks()[0], 0.5f);
}

} // namespace
} // namespace quillotap::view
