// Picture slider behaviour: drags that run past the ends, placement from
// code, the drag flag shared between tracks, keyboard steps and what screen
// readers see.
#include "widgets/PictureSlider.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace quillotap {
namespace {

void Move(QWidget* widget, QPoint pos) {
    QMouseEvent event(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// Track 111 px long with the 11 px knob: travel 100.
struct HorizontalSlider : ::testing::Test {
    SliderState state;
    PictureSlider slider{Qt::Horizontal, 65535, nullptr, &state};
    HorizontalSlider() { slider.resize(111, 21); }
};

TEST_F(HorizontalSlider, DragPastEitherEndStopsAtTheEnd) {
    struct Case {
        int releaseX;
        int value;
        int knobLeft;
    };
    for (const Case& c : {Case{500, 65535, 100}, Case{-300, 0, 0}}) {
        QSignalSpy pressed(&slider, &PictureSlider::pressed);
        QSignalSpy released(&slider, &PictureSlider::released);
        QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(50, 10));
        EXPECT_TRUE(state.SliderDragging);
        Move(&slider, QPoint(c.releaseX, 10));
        EXPECT_EQ(slider.value(), c.value);
        QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(c.releaseX, 10));

        EXPECT_FALSE(state.SliderDragging);
        EXPECT_EQ(pressed.count(), 1);
        ASSERT_EQ(released.count(), 1);
        EXPECT_EQ(released.at(0).at(0).toInt(), c.value);
        EXPECT_EQ(state.SliderValue, c.value);
        EXPECT_EQ(slider.knobRect().left(), c.knobLeft);
    }
}

TEST_F(HorizontalSlider, MovesWithoutAPressDoNothing) {
    slider.SetSliderKnob(56);
    QSignalSpy dragged(&slider, &PictureSlider::dragged);
    Move(&slider, QPoint(100, 10));
    EXPECT_EQ(dragged.count(), 0);
    EXPECT_EQ(slider.knobRect().left(), 50);
}

TEST_F(HorizontalSlider, DragReportsEachMoveButReleasesOnlyOnce) {
    QSignalSpy dragged(&slider, &PictureSlider::dragged);
    QSignalSpy released(&slider, &PictureSlider::released);
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(6, 10));
    for (int x : {20, 40, 60})
        Move(&slider, QPoint(x, 10));
    EXPECT_EQ(dragged.count(), 3);
    EXPECT_EQ(released.count(), 0);
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(56, 10));
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released.at(0).at(0).toInt(), 32768);
}

TEST_F(HorizontalSlider, PlacingFromCodeEmitsNothing) {
    QSignalSpy released(&slider, &PictureSlider::released);
    QSignalSpy dragged(&slider, &PictureSlider::dragged);
    slider.placeKnobAtValue(65535);
    EXPECT_EQ(slider.value(), 65535);
    EXPECT_EQ(state.SliderValue, 65535);
    slider.SetVerticalSliderKnob(0); // wrong direction: ignored
    EXPECT_EQ(slider.value(), 65535);
    EXPECT_EQ(released.count() + dragged.count(), 0);
}

TEST_F(HorizontalSlider, TrackAsWideAsKnobKeepsValueAndHidesKnob) {
    slider.placeKnobAtValue(65535);
    slider.resize(11, 21);
    slider.SetSliderKnob(3);
    EXPECT_FALSE(slider.isKnobDrawn());
    EXPECT_TRUE(slider.knobRect().isEmpty());
    EXPECT_EQ(slider.value(), 65535);
    EXPECT_EQ(state.SliderValue, 65535);
}

TEST(PictureSlider, VerticalDragTopGivesMaximumBottomGivesZero) {
    SliderState state;
    PictureSlider slider(Qt::Vertical, 0, nullptr, &state);
    slider.resize(31, 111);
    QSignalSpy released(&slider, &PictureSlider::released);

    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(15, 60));
    Move(&slider, QPoint(15, -80));
    EXPECT_EQ(slider.value(), 65535);
    EXPECT_EQ(slider.knobRect().top(), 0);
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(15, 400));
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released.at(0).at(0).toInt(), 0);
    EXPECT_EQ(state.VerticalSliderValue, 0);
    EXPECT_EQ(slider.knobRect().bottom(), 110);
    EXPECT_EQ(slider.range(), 65535);
}

TEST(PictureSlider, DragFlagIsSharedBetweenTracks) {
    SliderState state;
    PictureSlider a(Qt::Horizontal, 100, nullptr, &state);
    PictureSlider b(Qt::Horizontal, 100, nullptr, &state);
    a.resize(111, 21);
    b.resize(111, 21);
    QSignalSpy releasedA(&a, &PictureSlider::released);
    QSignalSpy releasedB(&b, &PictureSlider::released);

    // Down on one track, moved and released over the other: the other
    // follows the pointer and takes the release; the flag is cleared.
    QTest::mousePress(&a, Qt::LeftButton, {}, QPoint(10, 10));
    Move(&b, QPoint(56, 10));
    EXPECT_EQ(b.value(), 50);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(106, 10));
    EXPECT_FALSE(state.SliderDragging);
    EXPECT_EQ(releasedA.count(), 0);
    ASSERT_EQ(releasedB.count(), 1);
    EXPECT_EQ(releasedB.at(0).at(0).toInt(), 100);

    // With the flag cleared the first track ignores moves.
    Move(&a, QPoint(80, 10));
    EXPECT_EQ(a.value(), 0);
}

TEST(PictureSlider, EveryArrowKeyMovesOneValueAndActsAsRelease) {
    // More pixels than values (travel 289 for range 100) and fewer (travel
    // 100 for range 65535): each press must still change the value.
    struct Case {
        int width;
        int range;
    };
    for (const Case& c : {Case{300, 100}, Case{111, 65535}}) {
        SliderState state;
        PictureSlider slider(Qt::Horizontal, c.range, nullptr, &state);
        slider.resize(c.width, 21);
        slider.placeKnobAtValue(0);
        QSignalSpy released(&slider, &PictureSlider::released);
        int previous = slider.value();
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(&slider, Qt::Key_Right);
            EXPECT_GT(slider.value(), previous) << c.range << " step " << i;
            previous = slider.value();
        }
        EXPECT_EQ(released.count(), 5);
        EXPECT_EQ(released.last().at(0).toInt(), slider.value());
        QTest::keyClick(&slider, Qt::Key_End);
        EXPECT_EQ(slider.value(), c.range);
        QTest::keyClick(&slider, Qt::Key_Right); // already at the end
        EXPECT_EQ(released.count(), 6);
        QTest::keyClick(&slider, Qt::Key_Home);
        EXPECT_EQ(slider.value(), 0);
    }
}

TEST(PictureSlider, RangeOf100IsWalkedInExactlyHundredKeyPresses) {
    SliderState state;
    PictureSlider slider(Qt::Horizontal, 100, nullptr, &state);
    slider.resize(150, 21);
    slider.placeKnobAtValue(0);
    for (int i = 1; i <= 100; ++i) {
        QTest::keyClick(&slider, Qt::Key_Right);
        ASSERT_EQ(slider.value(), i);
    }
}

TEST(PictureSlider, VerticalUpKeyRaisesVolume) {
    SliderState state;
    PictureSlider slider(Qt::Vertical, 0, nullptr, &state);
    slider.resize(31, 111);
    slider.placeKnobAtValue(0);
    EXPECT_EQ(slider.value(), 0);
    QTest::keyClick(&slider, Qt::Key_Up);
    EXPECT_GT(slider.value(), 0);
    QTest::keyClick(&slider, Qt::Key_End);
    EXPECT_EQ(slider.value(), 65535);
    QTest::keyClick(&slider, Qt::Key_PageDown);
    EXPECT_LT(slider.value(), 65535);
}

TEST(PictureSlider, ScreenReadersSeeANamedSliderWithItsValue) {
    SliderState state;
    PictureSlider slider(Qt::Horizontal, 100, nullptr, &state);
    slider.setAccessibleName(QStringLiteral("Balance"));
    slider.resize(111, 21);
    slider.placeKnobAtValue(100);

    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&slider);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Slider);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Balance"));
    QAccessibleValueInterface* value = iface->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toInt(), 100);
    EXPECT_EQ(value->maximumValue().toInt(), 100);

    QSignalSpy released(&slider, &PictureSlider::released);
    value->setCurrentValue(0);
    EXPECT_EQ(slider.value(), 0);
    EXPECT_EQ(released.count(), 1);
}

TEST(PictureSlider, DimmedKnobKeepsPositionAndValue) {
    SliderState state;
    PictureSlider slider(Qt::Horizontal, 100, nullptr, &state);
    slider.resize(111, 21);
    slider.SetSliderKnob(56);
    slider.setDimmed(true);
    EXPECT_TRUE(slider.isDimmed());
    EXPECT_EQ(slider.value(), 50);
    EXPECT_EQ(slider.knobRect().left(), 50);
}

} // namespace
} // namespace quillotap
