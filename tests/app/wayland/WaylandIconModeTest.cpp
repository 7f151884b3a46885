// Icon mode of the main window on a Wayland compositor, judged by what the
// compositor shows: without a notification area the window is minimised
// and the icon-mode hotkey brings it back; minimising with the option on
// enters icon mode; the icon hides the window and its right click shows it.
// Runs on the "wayland" platform under weston (tests/e2e/test_wayland_window.sh);
// elsewhere the tests are skipped.
#include "../AppFixture.h"

#include "hotkeys/ScriptedKeyboardState.h"
#include "support/CompositorScreen.h"
#include "ui/IconMode.h"
#include "ui/iconmode/FakeTrayIcon.h"

#include <QPushButton>
#include <QWindow>

namespace quillotap::test {
namespace {

constexpr int VkCtrl = 17;
constexpr int VkAlt = 18;
constexpr int VkI = 'I';

class WaylandIconModeTest : public FastAppFixture {
protected:
    void SetUp() override {
        FastAppFixture::SetUp();
        if (!OnWayland())
            GTEST_SKIP() << "needs the wayland platform under weston";
        QString error;
        if (!CompositorScreenshot(&error))
            GTEST_SKIP() << "no compositor screenshots: " << error.toStdString();
    }

    FormMain& startWindow(const QStringList& arguments, bool trayAvailable) {
        FormMainServices services = handDrivenServices(&keys_);
        services.trayFactory = [this, trayAvailable]() -> std::unique_ptr<TrayIcon> {
            auto tray = std::make_unique<FakeTrayIcon>();
            tray->available = trayAvailable;
            tray_ = tray.get();
            return tray;
        };
        FormMain& f = start(std::move(services), arguments);
        EXPECT_TRUE(started_);
        return f;
    }

    // One press of the icon-mode hotkey.
    void pressIconHotkey() {
        keys_->press({VkCtrl, VkAlt, VkI});
        EXPECT_EQ(form().hotkeys().tick(), 7);
        keys_->releaseAll();
        form().hotkeys().tick();
        form().hotkeys().pauseElapsed();
    }

    bool onScreen() { return WaitUntilOnScreen(form(), true); }
    bool offScreen() { return WaitUntilOnScreen(form(), false); }

    ScriptedKeyboardState* keys_ = nullptr;
    FakeTrayIcon* tray_ = nullptr;
};

TEST_F(WaylandIconModeTest, WithoutANotificationAreaTheHotkeyAlternatesBetweenShownAndMinimised) {
    // The start in icon mode: the compositor must have mapped the window
    // before it can minimise it.
    startWindow({QStringLiteral("quillotap"), QStringLiteral("/icon")}, false);
    EXPECT_TRUE(form().isInIconMode());
    ASSERT_TRUE(WaitFor([&] {
        return form().windowHandle() && form().windowHandle()->isExposed();
    })) << "the window is mapped, so that it can be restored";
    EXPECT_TRUE(offScreen()) << "the standing-in window is minimised";
    EXPECT_TRUE(form().isInIconMode()) << "Qt taking its minimised state back ends nothing";

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        pressIconHotkey();
        EXPECT_FALSE(form().isInIconMode());
        EXPECT_TRUE(onScreen()) << "the hotkey brings the minimised window back";
        pressIconHotkey();
        EXPECT_TRUE(form().isInIconMode());
        EXPECT_TRUE(offScreen());
    }
    EXPECT_FALSE(tray_->visible);
}

TEST_F(WaylandIconModeTest, MinimisingWithTheOptionOnEntersIconMode) {
    startWindow({QStringLiteral("quillotap")}, true);
    form().show();
    ASSERT_TRUE(onScreen());
    control<QCheckBox>("CheckIconMode")->setChecked(true);

    form().showMinimized();
    EXPECT_TRUE(WaitFor([&] { return form().isInIconMode(); }));
    EXPECT_TRUE(tray_->visible);
    EXPECT_FALSE(form().isVisible());
    EXPECT_TRUE(offScreen());

    tray_->rightClick();
    EXPECT_FALSE(form().isInIconMode());
    EXPECT_TRUE(onScreen());
}

TEST_F(WaylandIconModeTest, TheIconTakesTheWindowOffTheScreenAndItsRightClickBringsItBack) {
    startWindow({QStringLiteral("quillotap")}, true);
    form().show();
    ASSERT_TRUE(onScreen());
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        control<QPushButton>("CmdIcon")->click();
        EXPECT_TRUE(tray_->visible);
        EXPECT_TRUE(offScreen());
        tray_->rightClick();
        EXPECT_FALSE(tray_->visible);
        EXPECT_TRUE(onScreen());
    }
}

} // namespace
} // namespace quillotap::test
