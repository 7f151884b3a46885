// The desktop's icon object is made only when the icon is first shown, and
// then carries what was set before.
#include "ui/SystemTrayIcon.h"

#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

namespace quillotap::test {
namespace {

QIcon SolidIcon(QRgb colour) {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(colour);
    return QIcon(QPixmap::fromImage(image));
}

TEST(SystemTrayIconTest, TheIconObjectWaitsForTheFirstShowAndTakesWhatWasSet) {
    SystemTrayIcon tray;
    const QIcon ready = SolidIcon(qRgb(0, 160, 0));
    tray.setIcon(ready);
    tray.setToolTip(QStringLiteral("Ready"));
    tray.hide();
    EXPECT_FALSE(tray.isVisible());
    EXPECT_EQ(tray.systemIcon(), nullptr);

    tray.show();
    ASSERT_NE(tray.systemIcon(), nullptr);
    EXPECT_EQ(tray.systemIcon()->toolTip(), QStringLiteral("Ready"));
    EXPECT_EQ(tray.systemIcon()->icon().cacheKey(), ready.cacheKey());

    // Later changes go straight to the object.
    const QIcon recording = SolidIcon(qRgb(200, 0, 0));
    tray.setIcon(recording);
    tray.setToolTip(QStringLiteral("Recording"));
    EXPECT_EQ(tray.systemIcon()->toolTip(), QStringLiteral("Recording"));
    EXPECT_EQ(tray.systemIcon()->icon().cacheKey(), recording.cacheKey());
    tray.hide();
    EXPECT_FALSE(tray.isVisible());
}

TEST(SystemTrayIconTest, OnlyTheFirstClickOfADoubleClickCountsAndTheMenuClickLeaves) {
    SystemTrayIcon tray;
    int left = 0;
    int right = 0;
    tray.onLeftClick([&] { ++left; });
    tray.onRightClick([&] { ++right; });
    tray.activate(QSystemTrayIcon::Trigger);
    tray.activate(QSystemTrayIcon::DoubleClick);
    tray.activate(QSystemTrayIcon::MiddleClick);
    tray.activate(QSystemTrayIcon::Context);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(right, 1);
}

} // namespace
} // namespace quillotap::test
