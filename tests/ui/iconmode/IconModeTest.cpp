// Icon mode on its own: a plain window, the recording operations noted by
// the test, and a notification-area icon that records what is done to it.
#include "FakeTrayIcon.h"

#include "ui/IconMode.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace quillotap::test {
namespace {

class IconModeTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_.setWindowIcon(windowIcon_);
        window_.show();
        auto tray = std::make_unique<FakeTrayIcon>();
        tray_ = tray.get();
        mode_ = std::make_unique<IconMode>(
            window_, std::move(tray),
            IconMode::Operations{[this] {
                                     operations_ << QStringLiteral("record");
                                     recording_ = recordSucceeds_;
                                 },
                                 [this] {
                                     operations_ << QStringLiteral("stop");
                                     recording_ = false;
                                 },
                                 [this](const QString& text) { notices_ << text; },
                                 [this] { return recording_; }, [] { return false; }});
        // The blink is driven by hand here.
        mode_->blinkTimer().stop();
        tray_->names = {{mode_->readyIcon().cacheKey(), QStringLiteral("ready")},
                        {mode_->recordingIcon().cacheKey(), QStringLiteral("recording")},
                        {window_.windowIcon().cacheKey(), QStringLiteral("window")}};
        tray_->probe = [this] {
            return recording_ ? QStringLiteral("recording") : QStringLiteral("idle");
        };
    }

    // The icon names the blink ticks show, one per tick.
    QStringList blink(int ticks) {
        QStringList shown;
        for (int i = 0; i < ticks; ++i) {
            const QIcon before = tray_->icon;
            mode_->onBlinkTick();
            shown << (tray_->icon.cacheKey() == before.cacheKey() ? QStringLiteral("-")
                                                                  : tray_->iconName());
        }
        return shown;
    }

    QIcon windowIcon_{QPixmap(16, 16)};
    bool recording_ = false; // what the recording session would say
    QWidget window_;
    FakeTrayIcon* tray_ = nullptr;
    std::unique_ptr<IconMode> mode_;
    QStringList operations_;
    QStringList notices_;
    bool recordSucceeds_ = true;
};

TEST_F(IconModeTest, EnteringHidesTheWindowBehindTheIconAndExplainsItOnlyTheFirstTime) {
    mode_->EnterIconMode();
    EXPECT_TRUE(mode_->isActive());
    EXPECT_FALSE(window_.isVisible());
    EXPECT_TRUE(tray_->visible);
    EXPECT_EQ(tray_->iconName(), "ready");
    EXPECT_EQ(tray_->toolTip, "Quillotap - Ready to record");
    EXPECT_EQ(tray_->messages,
              QStringList{"Quillotap|Left click to start/stop recording.\nRight click to exit "
                          "icon mode"});
    EXPECT_TRUE(mode_->balloonShown());

    // A second entry while in icon mode changes nothing visible.
    mode_->EnterIconMode();
    EXPECT_EQ(tray_->messages.size(), 1);

    mode_->LeaveIconMode();
    EXPECT_FALSE(mode_->isActive());
    EXPECT_TRUE(window_.isVisible());
    EXPECT_FALSE(window_.isMinimized());
    EXPECT_FALSE(tray_->visible);

    mode_->EnterIconMode();
    EXPECT_TRUE(tray_->visible);
    EXPECT_EQ(tray_->messages.size(), 1) << "the balloon belongs to the first entry of a run";
    EXPECT_TRUE(notices_.isEmpty());
}

TEST_F(IconModeTest, LeftClicksStartAndStopAfterTheIconHasChangedAndRightClickLeaves) {
    tray_->leftClick();
    EXPECT_TRUE(operations_.isEmpty()) << "no icon mode, no clicks";
    mode_->EnterIconMode();
    tray_->log.clear();

    tray_->leftClick();
    EXPECT_EQ(tray_->log, (QStringList{"icon recording (idle)", "tip Quillotap - Recording"}));
    EXPECT_EQ(operations_, QStringList{"record"});
    EXPECT_TRUE(recording_);

    tray_->log.clear();
    tray_->leftClick();
    EXPECT_EQ(tray_->log,
              (QStringList{"icon ready (recording)", "tip Quillotap - Ready to record"}));
    EXPECT_EQ(operations_, (QStringList{"record", "stop"}));
    EXPECT_FALSE(recording_);

    tray_->rightClick();
    EXPECT_FALSE(mode_->isActive());
    EXPECT_TRUE(window_.isVisible());
    EXPECT_FALSE(tray_->visible);
    EXPECT_EQ(operations_.size(), 2) << "leaving does not touch the recording";
}

TEST_F(IconModeTest, AFailedStartLeavesTheIconOnReady) {
    mode_->EnterIconMode();
    recordSucceeds_ = false;
    tray_->leftClick();
    EXPECT_EQ(operations_, QStringList{"record"});
    EXPECT_EQ(tray_->iconName(), "ready");
    EXPECT_EQ(tray_->toolTip, "Quillotap - Ready to record");

    // Nor does a start reported by a hotkey claim a recording that failed.
    mode_->showRecording(true);
    EXPECT_EQ(tray_->iconName(), "ready");
    recording_ = true;
    mode_->showRecording(true);
    EXPECT_EQ(tray_->iconName(), "recording");
    EXPECT_EQ(tray_->toolTip, "Quillotap - Recording");
}

TEST_F(IconModeTest, TheIconBlinksOncePerSecondOnlyWhileRecordingInIconMode) {
    EXPECT_EQ(mode_->blinkTimer().interval(), 1000);
    recording_ = true;
    EXPECT_EQ(blink(2), (QStringList{"-", "-"})) << "no blinking outside icon mode";
    recording_ = false;

    mode_->EnterIconMode();
    EXPECT_EQ(blink(2), (QStringList{"-", "-"})) << "no blinking while ready";

    tray_->leftClick();
    EXPECT_EQ(blink(4), (QStringList{"window", "recording", "window", "recording"}));
    EXPECT_EQ(tray_->toolTip, "Quillotap - Recording") << "the blink leaves the tip alone";

    // The phase is in the middle of a blink (window icon shown) when it stops.
    EXPECT_EQ(blink(1), QStringList{"window"});
    tray_->leftClick();
    EXPECT_EQ(tray_->iconName(), "ready");
    EXPECT_EQ(blink(3), (QStringList{"-", "-", "-"}));
}

TEST_F(IconModeTest, WithoutANotificationAreaTheWindowIsMinimisedNotHidden) {
    tray_->available = false;
    window_.hide(); // as at a start in icon mode: never shown yet
    mode_->EnterIconMode();
    EXPECT_TRUE(mode_->isActive());
    EXPECT_TRUE(mode_->isStandingIn());
    EXPECT_TRUE(window_.isVisible()) << "a hidden window could only come back by hotkey";
    EXPECT_TRUE(window_.isMinimized());
    EXPECT_FALSE(tray_->visible);
    EXPECT_TRUE(tray_->messages.isEmpty());
    EXPECT_FALSE(mode_->balloonShown()) << "the balloon waits for a real icon";
    EXPECT_EQ(notices_, QStringList{IconMode::NoTrayNotice()});

    // The user restores the window from the taskbar: icon mode is over.
    window_.showNormal();
    mode_->windowStateChanged();
    EXPECT_FALSE(mode_->isActive());
    EXPECT_FALSE(mode_->isStandingIn());

    mode_->EnterIconMode();
    EXPECT_TRUE(window_.isMinimized());
    EXPECT_EQ(notices_.size(), 1) << "told once per run";
    mode_->LeaveIconMode();
    EXPECT_FALSE(window_.isMinimized());
    EXPECT_FALSE(mode_->isActive());
}

TEST_F(IconModeTest, TheIconTakesOverWhenANotificationAreaAppearsAndGivesWayWhenItGoes) {
    tray_->available = false;
    mode_->EnterIconMode();
    ASSERT_TRUE(mode_->isStandingIn());

    // A panel that starts after the program (a login with autostart).
    tray_->available = true;
    mode_->onBlinkTick();
    EXPECT_FALSE(mode_->isStandingIn());
    EXPECT_TRUE(tray_->visible);
    EXPECT_FALSE(window_.isVisible());
    EXPECT_EQ(tray_->messages.size(), 1);

    // The panel goes away while the window is hidden.
    tray_->available = false;
    mode_->onBlinkTick();
    EXPECT_TRUE(mode_->isStandingIn());
    EXPECT_TRUE(mode_->isActive());
    EXPECT_TRUE(window_.isVisible());
    EXPECT_TRUE(window_.isMinimized());
    EXPECT_FALSE(tray_->visible);
    EXPECT_EQ(notices_.size(), 1);
}

} // namespace
} // namespace quillotap::test
