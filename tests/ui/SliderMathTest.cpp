// Knob placement arithmetic: ends, middle, beyond the ends, halves to even,
// snapping to whole values, and tracks without travel.
#include "widgets/SliderMath.h"

#include <gtest/gtest.h>

namespace quillotap {
namespace {

struct HorizontalCase {
    const char* what;
    int pointer, track, knob, range;
    int position, value;
    bool drawn;
};

TEST(SliderMath, HorizontalKnob) {
    // Track 111 with knob 11: travel 100, half knob 6 (5.5 to even), upper
    // pointer limit 105.
    const HorizontalCase cases[] = {
        {"left end", 0, 111, 11, 100, 0, 0, true},
        {"before the left end", -40, 111, 11, 100, 0, 0, true},
        {"below the half knob", 5, 111, 11, 100, 0, 0, true},
        {"at the half knob", 6, 111, 11, 100, 0, 0, true},
        {"one past the half knob", 7, 111, 11, 100, 1, 1, true},
        {"middle", 56, 111, 11, 100, 50, 50, true},
        {"at the upper limit", 105, 111, 11, 100, 99, 99, true},
        {"past the upper limit", 106, 111, 11, 100, 100, 100, true},
        {"far beyond the right end", 5000, 111, 11, 100, 100, 100, true},
        {"volume range, right end", 200, 111, 11, 65535, 100, 65535, true},
        {"volume range, middle", 56, 111, 11, 65535, 50, 32768, true},
        // Range 5 on travel 100: left 10 is 0.5, left 30 is 1.5, left 50 is
        // 2.5 and left 70 is 3.5; halves go to the even value and the knob
        // snaps to that value's position.
        {"half to even, down", 16, 111, 11, 5, 0, 0, true},
        {"half to even, up", 36, 111, 11, 5, 40, 2, true},
        {"half to even, middle", 56, 111, 11, 5, 40, 2, true},
        {"half to even, 3.5", 76, 111, 11, 5, 80, 4, true},
        // Travel 5, range 2: value 1 sits at 2.5, drawn at 2.
        {"snapped position rounds to even", 8, 16, 11, 2, 2, 1, true},
        // Knob 13: half 6.5 rounds to 6, so the upper pointer limit would
        // put the knob one pixel past the end; it stops at the end.
        {"odd knob at the upper limit", 107, 113, 13, 100, 100, 100, true},
    };
    for (const HorizontalCase& c : cases) {
        const KnobPlacement p = PlaceHorizontalKnob(c.pointer, c.track, c.knob, c.range, -7);
        EXPECT_EQ(p.position, c.position) << c.what;
        EXPECT_EQ(p.value, c.value) << c.what;
        EXPECT_EQ(p.drawn, c.drawn) << c.what;
    }
}

TEST(SliderMath, HorizontalWithoutTravelKeepsValueAndDrawsNothing) {
    for (int pointer : {-5, 0, 5, 11, 50}) {
        const KnobPlacement p = PlaceHorizontalKnob(pointer, 11, 11, 100, 42);
        EXPECT_FALSE(p.drawn) << pointer;
        EXPECT_EQ(p.value, 42) << pointer;
    }
    EXPECT_FALSE(PlaceHorizontalKnob(5, 8, 11, 100, 3).drawn);
    EXPECT_EQ(PlaceHorizontalKnob(5, 8, 11, 100, 3).value, 3);
}

struct VerticalCase {
    const char* what;
    int pointer, track, knob;
    int position, value;
};

TEST(SliderMath, VerticalKnob) {
    // Track 111 with knob 11: travel 100, pointer limits 6 and 105.
    const VerticalCase cases[] = {
        {"top", 0, 111, 11, 0, 65535},
        {"above the top", -30, 111, 11, 0, 65535},
        {"at the lower limit", 6, 111, 11, 0, 65535},
        {"one below the top", 7, 111, 11, 1, 64880},   // 65535 - floor(655.35)
        {"middle", 56, 111, 11, 50, 32768},            // 65535 - floor(32767.5)
        {"at the upper limit", 105, 111, 11, 99, 656}, // 65535 - floor(64879.65)
        {"past the upper limit", 106, 111, 11, 100, 0},
        {"far below the bottom", 9000, 111, 11, 100, 0},
        {"odd knob at the upper limit", 107, 113, 13, 100, 0},
    };
    for (const VerticalCase& c : cases) {
        const KnobPlacement p = PlaceVerticalKnob(c.pointer, c.track, c.knob, -7);
        EXPECT_EQ(p.position, c.position) << c.what;
        EXPECT_EQ(p.value, c.value) << c.what;
        EXPECT_TRUE(p.drawn) << c.what;
    }
}

TEST(SliderMath, VerticalKnobAsHighAsTrackSitsAtTopAndKeepsValue) {
    for (int pointer : {0, 5, 20}) {
        const KnobPlacement p = PlaceVerticalKnob(pointer, 11, 11, 1234);
        EXPECT_TRUE(p.drawn);
        EXPECT_EQ(p.position, 0);
        EXPECT_EQ(p.value, 1234);
    }
}

TEST(SliderMath, PointerForValue) {
    EXPECT_EQ(HorizontalPointerForValue(0, 111, 100), 0);
    EXPECT_EQ(HorizontalPointerForValue(100, 111, 100), 111);
    EXPECT_EQ(HorizontalPointerForValue(25, 110, 100), 28); // 27.5 to even
    EXPECT_EQ(HorizontalPointerForValue(75, 110, 100), 82); // 82.5 to even
    EXPECT_EQ(VerticalPointerForValue(65535, 111), 0);
    EXPECT_EQ(VerticalPointerForValue(0, 111), 111);

    // A value placed through its pointer comes back at the extremes.
    EXPECT_EQ(
        PlaceHorizontalKnob(HorizontalPointerForValue(65535, 111, 65535), 111, 11, 65535, 0).value,
        65535);
    EXPECT_EQ(PlaceVerticalKnob(VerticalPointerForValue(0, 111), 111, 11, 5).value, 0);
    EXPECT_EQ(PlaceVerticalKnob(VerticalPointerForValue(65535, 111), 111, 11, 5).value, 65535);
}

TEST(SliderMath, RoundHalfEven) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
}

} // namespace
} // namespace quillotap
