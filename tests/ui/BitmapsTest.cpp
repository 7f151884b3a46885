// Every chrome bitmap is embedded under its resource number with the size the
// window layout depends on.
#include "widgets/Bitmaps.h"

#include <QImage>

#include <gtest/gtest.h>

namespace quillotap {
namespace {

struct BitmapCase {
    int first;
    int last;
    QSize size;
};

TEST(Bitmaps, EveryNumberedBitmapLoadsWithItsSize) {
    const BitmapCase cases[] = {
        {101, 102, QSize(20, 16)},  // preset buttons
        {103, 120, QSize(135, 28)}, // page menu, three states per button
        {201, 201, QSize(135, 28)}, // greyed Files button
        {202, 204, QSize(80, 20)},  // About button
    };
    for (const BitmapCase& c : cases) {
        for (int number = c.first; number <= c.last; ++number) {
            const QPixmap pixmap = LoadBitmap(number);
            ASSERT_FALSE(pixmap.isNull()) << "bitmap " << number;
            EXPECT_EQ(pixmap.size(), c.size) << "bitmap " << number;
        }
    }
}

TEST(Bitmaps, UnknownNumberGivesNullPixmap) {
    EXPECT_TRUE(LoadBitmap(100).isNull());
    EXPECT_TRUE(LoadBitmap(121).isNull());
}

TEST(Bitmaps, MenuNumbersFollowButtonAndState) {
    EXPECT_EQ(MenuBitmapNumber(0, MenuPicture::Normal), 103);
    EXPECT_EQ(MenuBitmapNumber(1, MenuPicture::Normal), 106);
    EXPECT_EQ(MenuBitmapNumber(1, MenuPicture::Hover), 107);
    EXPECT_EQ(MenuBitmapNumber(5, MenuPicture::Selected), 120);
}

TEST(Bitmaps, StatesOfOneButtonAreDistinctPictures) {
    for (int button = 0; button < 6; ++button) {
        const QImage normal = LoadBitmap(MenuBitmapNumber(button, MenuPicture::Normal)).toImage();
        const QImage hover = LoadBitmap(MenuBitmapNumber(button, MenuPicture::Hover)).toImage();
        const QImage selected =
            LoadBitmap(MenuBitmapNumber(button, MenuPicture::Selected)).toImage();
        EXPECT_NE(normal, hover) << "button " << button;
        EXPECT_NE(normal, selected) << "button " << button;
        EXPECT_NE(hover, selected) << "button " << button;
    }
    EXPECT_NE(LoadBitmap(201).toImage(), LoadBitmap(106).toImage());
}

TEST(Bitmaps, KnobsMatchTheirDirection) {
    // Horizontal knobs stand upright, the vertical slider's knob lies flat;
    // the dimmed knob has the same size as the normal one.
    const QSize h = LoadKnob(Knob::Horizontal).size();
    const QSize v = LoadKnob(Knob::Vertical).size();
    EXPECT_LT(h.width(), h.height());
    EXPECT_GT(v.width(), v.height());
    EXPECT_EQ(LoadKnob(Knob::HorizontalDimmed).size(), h);
    EXPECT_EQ(LoadKnob(Knob::VerticalDimmed).size(), v);
}

TEST(Bitmaps, ProgramIconHasSmallAndLargeSizes) {
    const QIcon icon = ProgramIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixmap(16, 16).size(), QSize(16, 16));
    EXPECT_EQ(icon.availableSizes().size(), 4);
    // Every announced size has a picture behind it.
    for (const QSize& size : icon.availableSizes()) {
        const QImage image = icon.pixmap(size).toImage();
        EXPECT_EQ(image.size(), size);
        EXPECT_GT(qAlpha(image.pixel(size.width() / 2, size.height() / 2)), 0) << size.width();
    }
}

} // namespace
} // namespace quillotap
