#include "audio/AudioVisualizationEx2.h"
#include "support/ToneAnalysis.h"

#include <QImage>
#include <gtest/gtest.h>

namespace quillotap {
namespace {

constexpr int kRate = 44100;

// Assigns the seventeen values of one preset row in the order presets use.
bool applyRow(AudioVisualizationEx2& w, const std::vector<int>& row) {
    static const int order[] = {34, 35, 36, 29, 28, 24, 27, 26, 25, 22, 23, 20, 21, 14, 15, 16};
    bool all = true;
    for (size_t i = 0; i < 16; ++i)
        all = w.SetDispatchProperty(order[i], row[i]) && all;
    return w.SetDispatchProperty(33, row[16] != 0) && all;
}

class AudioVisualizationTest : public ::testing::Test {
protected:
    void SetUp() override {
        view_.resize(240, 120);
        view_.SetFormat(kRate, 2);
    }
    QImage shot() { return view_.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    void feedTone(double frequency, double amplitude = 0.5) {
        view_.SetSamples(test::makeTone(frequency, kRate, 2, kRate / 10, amplitude));
    }
    // Pixels of exactly this colour.
    static int count(const QImage& img, QColor color) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += img.pixelColor(x, y) == color;
        return n;
    }
    // Non-background pixels per column / per row.
    static std::vector<int> litColumns(const QImage& img) {
        std::vector<int> lit(static_cast<size_t>(img.width()));
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                lit[x] += img.pixel(x, y) != qRgb(0, 0, 0);
        return lit;
    }
    static int litRows(const QImage& img) {
        int rows = 0;
        for (int y = 0; y < img.height(); ++y) {
            bool any = false;
            for (int x = 0; x < img.width() && !any; ++x)
                any = img.pixel(x, y) != qRgb(0, 0, 0);
            rows += any;
        }
        return rows;
    }
    AudioVisualizationEx2 view_;
};

TEST_F(AudioVisualizationTest, EveryPresetRowIsAccepted) {
    const std::vector<std::vector<int>> rows = {
        {0, 0, 0, 0, 0, 57, 1, 60, 40, 2, 1, 200, 10, 65280, 65535, 255, 1},
        {1, 1, 1, 1, 1, 57, 1, 90, 10, 2, 1, 2000, 10, 65280, 65535, 255, 1},
        {3, 1, 1, 0, 0, 152, 1, 70, 20, 2, 1, 2000, 10, 65280, 65535, 255, 1},
        {3, 0, 3, 0, 0, 46, 1, 70, 20, 2, 1, 1000, 10, 65280, 65535, 255, 1},
        {3, 1, 4, 0, 0, 300, 1, 70, 20, 2, 1, 200, 100, 65280, 65535, 255, 1},
        {3, 0, 6, 1, 1, 300, 1, 70, 20, 2, 1, 200, 100, 65280, 65535, 255, 1},
        {0, 0, 0, 0, 0, 57, 1, 80, 60, 2, 0, 1000, 10, 255, 65535, 16777215, 1},
        {0, 0, 2, 1, 1, 56, 1, 70, 10, 2, 1, 2000, 10, 65280, 65535, 255, 1},
        {3, 0, 1, 1, 1, 450, 0, 60, 20, 1, 0, 200, 10, 33023, 65535, 255, 1},
        {3, 1, 4, 1, 1, 300, 1, 70, 20, 2, 1, 200, 100, 65280, 65535, 255, 0},
    };
    feedTone(1000);
    for (const auto& row : rows) {
        EXPECT_TRUE(applyRow(view_, row));
        EXPECT_EQ(view_.GetDispatchProperty(24).toInt(), row[5]);
        EXPECT_EQ(view_.GetDispatchProperty(16).toInt(), row[15]);
        EXPECT_EQ(view_.GetDispatchProperty(33).toBool(), row[16] != 0);
        EXPECT_FALSE(shot().isNull());
    }
}

TEST_F(AudioVisualizationTest, RefusedValuesKeepThePreviousOne) {
    ASSERT_TRUE(view_.SetDispatchProperty(34, 1));
    ASSERT_TRUE(view_.SetDispatchProperty(14, 0x123456));
    ASSERT_TRUE(view_.SetDispatchProperty(24, 64));
    ASSERT_TRUE(view_.SetDispatchProperty(33, false));
    const struct {
        int dispid;
        QVariant value;
    } refused[] = {
        {34, 4},       {34, -1}, {36, 7},     {14, 0x1000000},  {14, -1},   {24, 0},   {24, 100000},
        {33, "maybe"}, {33, 2},  {20, "abc"}, {34, QVariant()}, {24, true}, {26, 101}, {22, -3},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.dispid);
        const QVariant before = view_.GetDispatchProperty(r.dispid);
        EXPECT_FALSE(view_.SetDispatchProperty(r.dispid, r.value));
        EXPECT_EQ(view_.GetDispatchProperty(r.dispid), before);
    }
    for (int unknown : {-1, 0, 13, 17, 19, 30, 32, 37, 1000}) {
        SCOPED_TRACE(unknown);
        EXPECT_FALSE(view_.SetDispatchProperty(unknown, 1));
        EXPECT_FALSE(view_.GetDispatchProperty(unknown).isValid());
    }
    EXPECT_TRUE(view_.SetDispatchProperty(33, 1)); // 0 and 1 stand for False and True
    EXPECT_EQ(view_.GetDispatchProperty(33), QVariant(true));
}

TEST_F(AudioVisualizationTest, EmptyBlockClearsThePane) {
    const QImage blank = shot();
    for (int mode = 0; mode <= 3; ++mode) {
        SCOPED_TRACE(mode);
        ASSERT_TRUE(view_.SetDispatchProperty(34, mode));
        feedTone(1000);
        EXPECT_NE(shot(), blank);
        view_.SetSamples({});
        EXPECT_EQ(shot(), blank);
    }
}

TEST_F(AudioVisualizationTest, EachModeDrawsSomethingDifferent) {
    feedTone(1000);
    std::vector<QImage> images;
    for (int mode = 0; mode <= 3; ++mode) {
        ASSERT_TRUE(view_.SetDispatchProperty(34, mode));
        images.push_back(shot());
        for (int before = 0; before < mode; ++before)
            EXPECT_NE(images[size_t(mode)], images[size_t(before)]) << mode << " vs " << before;
    }
}

TEST_F(AudioVisualizationTest, ColoursComeFromTheProperties) {
    // Level meter with solid zones: a loud tone lights all three zones.
    ASSERT_TRUE(view_.SetDispatchProperty(34, 1));
    ASSERT_TRUE(view_.SetDispatchProperty(36, 1));
    ASSERT_TRUE(view_.SetDispatchProperty(33, false));
    ASSERT_TRUE(view_.SetDispatchProperty(14, 0xFF0000)); // OLE blue
    ASSERT_TRUE(view_.SetDispatchProperty(15, 0x00FFFF)); // yellow
    ASSERT_TRUE(view_.SetDispatchProperty(16, 0x0000FF)); // red
    feedTone(1000, 0.9);
    QImage img = shot();
    EXPECT_GT(count(img, QColor(0, 0, 255)), 100);
    EXPECT_GT(count(img, QColor(255, 255, 0)), 100);
    EXPECT_GT(count(img, QColor(255, 0, 0)), 100);

    ASSERT_TRUE(view_.SetDispatchProperty(14, 0x00FF00)); // green replaces blue
    img = shot();
    EXPECT_EQ(count(img, QColor(0, 0, 255)), 0);
    EXPECT_GT(count(img, QColor(0, 255, 0)), 100);
}

TEST_F(AudioVisualizationTest, SpectrumFollowsTheFrequency) {
    ASSERT_TRUE(view_.SetDispatchProperty(34, 3));
    ASSERT_TRUE(view_.SetDispatchProperty(36, 1));
    ASSERT_TRUE(view_.SetDispatchProperty(28, 0)); // linear frequency axis
    ASSERT_TRUE(view_.SetDispatchProperty(24, 48));
    ASSERT_TRUE(view_.SetDispatchProperty(23, 0));
    auto tallestColumn = [&](double frequency) {
        view_.SetSamples({});
        feedTone(frequency);
        const auto lit = litColumns(shot());
        return std::max_element(lit.begin(), lit.end()) - lit.begin();
    };
    const auto low = tallestColumn(1000);
    const auto high = tallestColumn(11025);
    // 11025 Hz is half-way to the Nyquist frequency.
    EXPECT_LT(low, 240 / 8);
    EXPECT_NEAR(static_cast<double>(high), 120.0, 240.0 / 24);
}

TEST_F(AudioVisualizationTest, OscilloscopeFollowsTheAmplitude) {
    ASSERT_TRUE(view_.SetDispatchProperty(34, 0));
    ASSERT_TRUE(view_.SetDispatchProperty(36, 0));
    feedTone(440, 0.2);
    const int quiet = litRows(shot());
    feedTone(440, 0.8);
    const int loud = litRows(shot());
    EXPECT_NEAR(quiet, 0.2 * 120, 6);
    EXPECT_NEAR(loud, 0.8 * 120, 6);
}

TEST_F(AudioVisualizationTest, BarsFallAtTheSetSpeed) {
    // Four spectrum bars; 100 ms blocks of audio time.
    ASSERT_TRUE(view_.SetDispatchProperty(34, 3));
    ASSERT_TRUE(view_.SetDispatchProperty(36, 1));
    ASSERT_TRUE(view_.SetDispatchProperty(24, 4));
    ASSERT_TRUE(view_.SetDispatchProperty(23, 0));
    ASSERT_TRUE(view_.SetDispatchProperty(27, 1));
    ASSERT_TRUE(view_.SetDispatchProperty(21, 10)); // full height per second
    feedTone(1000, 1.0);
    const int full = litRows(shot());
    feedTone(1000, 0.0);
    const int afterOneBlock = litRows(shot());
    EXPECT_NEAR(afterOneBlock, full - 0.1 * 118, 3);

    ASSERT_TRUE(view_.SetDispatchProperty(27, 0)); // follow at once
    feedTone(1000, 1.0);
    feedTone(1000, 0.0);
    EXPECT_EQ(litRows(shot()), 0);
}

TEST_F(AudioVisualizationTest, PeakMarkersStayForTheHoldTime) {
    // Bars fall at once; only the markers can remain after the tone ends.
    ASSERT_TRUE(view_.SetDispatchProperty(34, 3));
    ASSERT_TRUE(view_.SetDispatchProperty(36, 1));
    ASSERT_TRUE(view_.SetDispatchProperty(24, 8));
    ASSERT_TRUE(view_.SetDispatchProperty(23, 1));
    ASSERT_TRUE(view_.SetDispatchProperty(27, 1));
    ASSERT_TRUE(view_.SetDispatchProperty(21, 100));
    auto litAfterTone = [&](int holdMs) {
        EXPECT_TRUE(view_.SetDispatchProperty(20, holdMs));
        view_.SetSamples({});
        feedTone(1000, 1.0);
        for (int i = 0; i < 5; ++i)
            feedTone(1000, 0.0); // half a second of silence
        return litRows(shot());
    };
    EXPECT_GE(litAfterTone(2000), 2); // the marker still shows at the top
    EXPECT_EQ(litAfterTone(200), 0);  // long gone
    EXPECT_TRUE(view_.SetDispatchProperty(23, 0));
    EXPECT_EQ(litAfterTone(2000), 0); // markers off
}

TEST_F(AudioVisualizationTest, BarsSitOnWholePixels) {
    // 238 usable pixels: 34 bars give a pitch of 7 pixels, 5 lit and 2 gap.
    ASSERT_TRUE(view_.SetDispatchProperty(34, 3));
    ASSERT_TRUE(view_.SetDispatchProperty(36, 1));
    ASSERT_TRUE(view_.SetDispatchProperty(23, 0));
    ASSERT_TRUE(view_.SetDispatchProperty(22, 2));
    ASSERT_TRUE(view_.SetDispatchProperty(24, 34));
    // Loud noise lights every band.
    SampleBlock noise(size_t(kRate / 10) * 2);
    uint32_t seed = 1;
    for (auto& v : noise) {
        seed = seed * 1664525u + 1013904223u;
        v = static_cast<int16_t>(static_cast<int32_t>(seed >> 16) - 32768);
    }
    view_.SetSamples(noise);
    auto runsOnRow = [](const QImage& img, int y) {
        std::vector<int> runs;
        int length = 0;
        for (int x = 0; x < img.width(); ++x) {
            if (img.pixel(x, y) != qRgb(0, 0, 0)) {
                ++length;
            } else if (length > 0) {
                runs.push_back(length);
                length = 0;
            }
        }
        if (length > 0)
            runs.push_back(length);
        return runs;
    };
    const auto runs = runsOnRow(shot(), 117);
    EXPECT_EQ(runs, std::vector<int>(34, 5));

    // More bars than pixels: every column shows the loudest of its bars, so
    // no column stays dark.
    ASSERT_TRUE(view_.SetDispatchProperty(24, 1000));
    const auto dense = runsOnRow(shot(), 117);
    ASSERT_EQ(dense.size(), 1u);
    EXPECT_EQ(dense[0], 238);
}

TEST_F(AudioVisualizationTest, MeterShowsItsResolutionInSegments) {
    ASSERT_TRUE(view_.SetDispatchProperty(34, 1));
    ASSERT_TRUE(view_.SetDispatchProperty(35, 0));
    ASSERT_TRUE(view_.SetDispatchProperty(36, 1));
    ASSERT_TRUE(view_.SetDispatchProperty(23, 0));
    ASSERT_TRUE(view_.SetDispatchProperty(22, 2));
    ASSERT_TRUE(view_.SetDispatchProperty(24, 10));
    ASSERT_TRUE(view_.SetDispatchProperty(27, 0));
    // Segments along the middle row: all of them drawn (the unlit ones
    // dimmed), the bright ones up to the level.
    auto segments = [&](bool brightOnly) {
        const QImage img = shot();
        int count = 0;
        bool inside = false;
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, img.height() / 2);
            const bool on = brightOnly ? c.value() > 128 : c != QColor(0, 0, 0);
            count += on && !inside;
            inside = on;
        }
        return count;
    };
    feedTone(1000, 1.0);
    EXPECT_EQ(segments(false), 10);
    EXPECT_EQ(segments(true), 10);
    feedTone(1000, 0.0316); // -30 dBFS: half of the 60 dB scale
    EXPECT_EQ(segments(false), 10);
    EXPECT_EQ(segments(true), 5);
    ASSERT_TRUE(view_.SetDispatchProperty(24, 25));
    EXPECT_EQ(segments(false), 25);
}

TEST_F(AudioVisualizationTest, OddInputIsHandled) {
    view_.SetFormat(0, 0);       // ignored
    view_.SetFormat(-5, 99);     // ignored
    view_.SetSamples({1, 2, 3}); // not a whole number of frames
    view_.SetSamples({42});      // less than a frame
    ASSERT_TRUE(view_.SetDispatchProperty(24, 4096));
    for (int mode = 0; mode <= 3; ++mode) {
        ASSERT_TRUE(view_.SetDispatchProperty(34, mode));
        for (int style = 0; style <= 6; ++style) {
            ASSERT_TRUE(view_.SetDispatchProperty(36, style));
            view_.SetSamples(test::makeTone(300, kRate, 2, 7));
            view_.resize(3, 2);
            EXPECT_FALSE(shot().isNull());
            view_.resize(240, 120);
            EXPECT_FALSE(shot().isNull());
        }
    }
    view_.SetFormat(8000, 1);
    view_.SetSamples(test::makeTone(300, 8000, 1, 8000));
    EXPECT_FALSE(shot().isNull());
}

} // namespace
} // namespace quillotap
