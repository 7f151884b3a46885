// Icon mode of a started main window: the icon-mode page, the button, the
// start in icon mode, minimising, clicks on the icon that record through the
// real recording session, the icon-mode hotkey held down, and a desktop
// without a notification area.
#include "../AppFixture.h"

#include "hotkeys/ScriptedKeyboardState.h"
#include "ui/IconMode.h"
#include "ui/iconmode/FakeTrayIcon.h"

#include <QFileInfo>
#include <QPushButton>

namespace quillotap::test {
namespace {

constexpr int VkCtrl = 17;
constexpr int VkAlt = 18;
constexpr int VkI = 'I';
constexpr int VkR = 'R';

class IconModeWindowTest : public FastAppFixture {
protected:
    // The window with a recording icon, a scripted keyboard, a hand-ticked
    // poller and cues that only note that they played.
    FormMain& startWindow(const QStringList& arguments = {QStringLiteral("quillotap")},
                          bool trayAvailable = true) {
        FormMainServices services = handDrivenServices(&keys_);
        services.cueWait = [this](int ms) { cues_ << ms; };
        services.trayFactory = [this, trayAvailable]() -> std::unique_ptr<TrayIcon> {
            auto tray = std::make_unique<FakeTrayIcon>();
            tray->available = trayAvailable;
            tray_ = tray.get();
            return tray;
        };
        FormMain& f = start(std::move(services), arguments);
        EXPECT_TRUE(started_);
        mode_ = f.findChild<IconMode*>();
        EXPECT_NE(mode_, nullptr);
        mode_->blinkTimer().stop();
        tray_->names = {{mode_->readyIcon().cacheKey(), QStringLiteral("ready")},
                        {mode_->recordingIcon().cacheKey(), QStringLiteral("recording")},
                        {f.windowIcon().cacheKey(), QStringLiteral("window")}};
        tray_->probe = [this] {
            return form().recordingSession().isRecording() ? QStringLiteral("recording")
                                                           : QStringLiteral("idle");
        };
        return f;
    }

    FormMain& startShown() {
        FormMain& f = startWindow();
        f.show();
        return f;
    }

    void clickIconButton() { control<QPushButton>("CmdIcon")->click(); }

    // Ctrl+Alt+I pressed and let go again, and the 200 ms pause after it:
    // the row that acted.
    int tapIconKeys() {
        keys_->press({VkCtrl, VkAlt, VkI});
        const int row = form().hotkeys().tick();
        keys_->releaseAll();
        form().hotkeys().tick();
        form().hotkeys().pauseElapsed();
        return row;
    }

    bool windowShown() { return form().isVisible() && !form().isMinimized(); }

    ScriptedKeyboardState* keys_ = nullptr;
    FakeTrayIcon* tray_ = nullptr;
    IconMode* mode_ = nullptr;
    QList<int> cues_;
};

TEST_F(IconModeWindowTest, ThePageHoldsTheHelpTextAndTheTwoIconPictures) {
    startWindow();
    EXPECT_EQ(control<QLabel>("Label14")->text(),
              "1) Left click (click left button of the mouse) on the system tray icon to "
              "start/stop recording\n\n2) Right click (click right button of the mouse) on the "
              "system tray icon to exit icon mode and open the main window.\n\n3) You can still "
              "use Hotkey in the icon mode.");
    for (const char* name : {"Image3", "Image4"}) {
        SCOPED_TRACE(name);
        auto* image = control<QLabel>(name);
        EXPECT_TRUE(image->isHidden());
        EXPECT_EQ(image->pixmap().size(), QSize(16, 16));
    }
    EXPECT_NE(control<QLabel>("Image3")->pixmap().toImage(),
              control<QLabel>("Image4")->pixmap().toImage());
    EXPECT_FALSE(tray_->visible);
}

TEST_F(IconModeWindowTest, OnlyTheExactSingleArgumentStartsInIconMode) {
    const struct {
        QStringList arguments;
        bool iconMode;
    } cases[] = {
        {{"quillotap", "/icon"}, true},
        {{"quillotap", "/ICON"}, false},
        {{"quillotap", "/icon", "/icon"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join('|').toStdString());
        startWindow(c.arguments);
        EXPECT_EQ(form().isInIconMode(), c.iconMode);
        EXPECT_EQ(tray_->visible, c.iconMode);
        EXPECT_EQ(tray_->messages.size(), c.iconMode ? 1 : 0);
        // The start in icon mode never puts the window on the screen.
        EXPECT_FALSE(form().isVisible());
        if (c.iconMode) {
            tray_->rightClick();
            EXPECT_TRUE(windowShown());
        }
        close();
    }
}

TEST_F(IconModeWindowTest, MinimisingEntersIconModeOnlyWithTheOptionOnAsDoesTheButton) {
    startShown();
    form().showMinimized();
    QApplication::processEvents();
    EXPECT_FALSE(form().isInIconMode());
    EXPECT_TRUE(form().isVisible()) << "a plain minimised window";
    EXPECT_FALSE(tray_->visible);
    form().showNormal();

    control<QCheckBox>("CheckIconMode")->setChecked(true);
    form().showMinimized();
    ASSERT_TRUE(WaitFor([&] { return form().isInIconMode(); }));
    EXPECT_FALSE(form().isVisible());
    EXPECT_TRUE(tray_->visible);

    // With the option on, the button's own minimising asks for icon mode
    // as well: one balloon, and the window stays hidden.
    tray_->rightClick();
    ASSERT_TRUE(windowShown());
    EXPECT_FALSE(tray_->visible);
    EXPECT_FALSE(form().isInIconMode());
    clickIconButton();
    QApplication::processEvents();
    EXPECT_TRUE(form().isInIconMode());
    EXPECT_TRUE(tray_->visible);
    EXPECT_EQ(tray_->messages.size(), 1);
    EXPECT_FALSE(form().isVisible());
}

TEST_F(IconModeWindowTest, LeftClicksRecordAndStopWithoutCuesAndTheIconLeadsTheRecorder) {
    startShown();
    clickIconButton();
    tray_->log.clear();

    tray_->leftClick();
    ASSERT_TRUE(form().recordingSession().isRecording());
    EXPECT_EQ(tray_->log, (QStringList{"icon recording (idle)", "tip Quillotap - Recording"}));
    const QString file = form().recordingSession().outputFilePath();
    EXPECT_TRUE(file.startsWith(documents_));
    ASSERT_TRUE(WaitFor([&] { return QFileInfo(file).size() > 4000; }));

    // While it records, the icon blinks between its picture and the window's.
    for (int i = 0; i < 2; ++i)
        mode_->onBlinkTick();
    EXPECT_EQ(tray_->log.mid(2),
              (QStringList{"icon window (recording)", "icon recording (recording)"}));

    tray_->log.clear();
    tray_->leftClick();
    EXPECT_FALSE(form().recordingSession().isRecording());
    EXPECT_EQ(tray_->log.first(), "icon ready (recording)");
    EXPECT_EQ(tray_->iconName(), "ready");
    EXPECT_EQ(tray_->toolTip, "Quillotap - Ready to record");
    EXPECT_TRUE(cues_.isEmpty()) << "clicks on the icon play no cue";
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(form().isInIconMode()) << "the window stays hidden";
    EXPECT_FALSE(form().isVisible());

    // The file is finished: a tagged MP3 that keeps its size.
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.read(3), "ID3");

    mode_->onBlinkTick();
    EXPECT_EQ(tray_->iconName(), "ready") << "no blinking after the stop";
}

TEST_F(IconModeWindowTest, TheStartHotkeyInIconModeShowsTheRecordingIcon) {
    startShown();
    clickIconButton();
    keys_->press({VkCtrl, VkAlt, VkR});
    EXPECT_EQ(form().hotkeys().tick(), 1);
    EXPECT_TRUE(form().recordingSession().isRecording());
    EXPECT_EQ(tray_->iconName(), "recording");
    EXPECT_EQ(tray_->toolTip, "Quillotap - Recording");
    EXPECT_EQ(cues_.size(), 1) << "the hotkey plays its start cue";
    form().recordingSession().stopCapture();
}

TEST_F(IconModeWindowTest, EachPressOfTheIconModeHotkeyAlternatesBetweenWindowAndIcon) {
    startShown();
    QList<bool> iconMode;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(tapIconKeys(), 7);
        iconMode << form().isInIconMode();
        EXPECT_EQ(tray_->visible, form().isInIconMode());
        EXPECT_EQ(form().isVisible(), !form().isInIconMode());
    }
    EXPECT_EQ(iconMode, (QList<bool>{true, false, true, false}));
    EXPECT_TRUE(windowShown());
    EXPECT_EQ(tray_->messages.size(), 1);

    // Held down, the keys act once: the window does not flicker in and out.
    keys_->press({VkCtrl, VkAlt, VkI});
    EXPECT_EQ(form().hotkeys().tick(), 7);
    EXPECT_EQ(form().hotkeys().pauseElapsed(), 0);
    EXPECT_EQ(form().hotkeys().tick(), 0);
    EXPECT_TRUE(form().isInIconMode());
}

TEST_F(IconModeWindowTest, WithoutANotificationAreaTheWindowIsMinimisedAndTheUserToldOnce) {
    startWindow({QStringLiteral("quillotap"), QStringLiteral("/icon")}, false);
    EXPECT_TRUE(form().isInIconMode());
    EXPECT_TRUE(form().isVisible()) << "never hidden where no icon could bring it back";
    EXPECT_TRUE(form().isMinimized());
    EXPECT_FALSE(tray_->visible);
    EXPECT_EQ(form().frame().statusLabel()->text(), IconMode::NoTrayNotice());
    EXPECT_TRUE(messages_.empty()) << "no message box in the way";

    // The icon-mode hotkey still alternates: back to the window, then to the
    // minimised window again.
    EXPECT_EQ(tapIconKeys(), 7);
    EXPECT_TRUE(windowShown());
    EXPECT_FALSE(form().isInIconMode());
    form().frame().statusLabel()->setText(QStringLiteral("Ready"));
    EXPECT_EQ(tapIconKeys(), 7);
    EXPECT_TRUE(form().isInIconMode());
    EXPECT_TRUE(form().isMinimized());
    EXPECT_TRUE(form().isVisible());
    EXPECT_EQ(form().frame().statusLabel()->text(), "Ready") << "told once per run";

    // Restoring the window from the taskbar ends icon mode.
    form().showNormal();
    EXPECT_FALSE(form().isInIconMode());
    clickIconButton();
    EXPECT_TRUE(form().isMinimized());
    EXPECT_TRUE(form().isVisible());
}

} // namespace
} // namespace quillotap::test
