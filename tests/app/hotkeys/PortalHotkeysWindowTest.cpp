// The window's hotkeys through the desktop's GlobalShortcuts portal: the real
// xdg-desktop-portal front end on a private bus, with a test back end that
// binds what it is asked and presses the shortcuts when told. And the
// desktops where no system-wide hotkey can work: the hotkey page and the
// status line say so, with the commands to bind instead.
#include "../AppFixture.h"

#include "audio/AudioPlayer.h"
#include "hotkeys/HotkeyTexts.h"
#include "hotkeys/ScriptedKeyboardState.h"
#include "support/PrivatePortal.h"

#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>

namespace quillotap::test {
namespace {

const QStringList kIds = {"start-recording", "stop-recording", "volume-up",
                          "volume-down",     "mute",           "play-last-recording",
                          "icon-mode"};

class PortalHotkeysWindowTest : public FastAppFixture {
protected:
    void SetUp() override {
        FastAppFixture::SetUp();
        ASSERT_TRUE(portal_.ok()) << portal_.error().toStdString();
    }

    // The window on the portal's bus, with cues that only note their wait.
    FormMain& startWindow(HotkeySourceKind source = HotkeySourceKind::Portal) {
        FormMainServices services;
        services.hotkeySource = source;
        services.hotkeyBus = portal_.connect(QStringLiteral("window"));
        services.cueWait = [this](int ms) { cues_ << ms; };
        FormMain& f = start(std::move(services));
        EXPECT_TRUE(started_);
        return f;
    }

    // Waits until the window has bound its shortcuts `binds` times.
    bool waitForBinds(int binds) {
        return WaitFor([&] {
            return portal_.bindCount() >= binds &&
                   form().hotkeys().reach().state != HotkeyReach::Starting;
        });
    }

    QString keysShown(int row) {
        return control<QTreeWidget>("ListViewHotkey")->topLevelItem(row - 1)->text(1);
    }
    QLabel* note() { return control<QLabel>("LabelHotkeyNote"); }

    PrivatePortal portal_;
    QList<int> cues_;
};

TEST_F(PortalHotkeysWindowTest, TheEnabledRowsAreBoundAtStartUnderFixedIds) {
    installSettings("\"Hotkey7E\"=\"Disabled\"\n\"Hotkey4\"=\"S+Page Down\"\n");
    startWindow();
    ASSERT_TRUE(waitForBinds(1));
    const PortalShortcutList bound = portal_.bound();
    ASSERT_EQ(bound.size(), 6) << "the disabled row is not offered";
    const char* descriptions[] = {
        "Start recording",          "Stop recording",
        "Turn sound volume up",     "Turn sound volume down",
        "Turn volume on/off(mute)", "(Stop recording and) Play the recorded file"};
    const char* triggers[] = {"CTRL+ALT+R",      "CTRL+ALT+S", "CTRL+ALT+Up",
                              "SHIFT+Page_Down", "CTRL+ALT+M", "CTRL+ALT+P"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(bound[i].id, kIds[i]);
        EXPECT_EQ(bound[i].description, descriptions[i]);
        EXPECT_EQ(bound[i].trigger, triggers[i]);
    }
    // A program outside a sandbox has no application id.
    EXPECT_TRUE(portal_.calls().contains("CreateSession app_id="))
        << portal_.calls().join(", ").toStdString();

    EXPECT_EQ(form().hotkeys().reach().state, HotkeyReach::Global);
    EXPECT_TRUE(note()->isHidden());
    EXPECT_EQ(keysShown(1), "Ctrl+Alt+R") << "as the desktop describes the trigger";
    EXPECT_EQ(keysShown(7), "Ctrl + Alt + I") << "a disabled row keeps its own form";
    EXPECT_EQ(form().frame().statusLabel()->text(), "Ready to record");
}

TEST_F(PortalHotkeysWindowTest, ActivatedShortcutsStartAndStopARecording) {
    startWindow();
    ASSERT_TRUE(waitForBinds(1));
    // Shown on another page: the start hotkey brings the recorder page.
    form().pageMenu().onMenuButtonClicked(MainFrame::OptionsPage);

    ASSERT_TRUE(portal_.activate("start-recording"));
    ASSERT_TRUE(WaitFor([&] { return form().recordingSession().isRecording(); }));
    EXPECT_EQ(form().pageMenu().CurrentPage(), MainFrame::RecorderPage);
    ASSERT_TRUE(portal_.deactivate("start-recording"));
    ASSERT_TRUE(
        WaitFor([&] { return QFileInfo(form().recordingSession().outputFilePath()).size() > 0; }));
    const QString file = form().recordingSession().outputFilePath();

    ASSERT_TRUE(portal_.press("stop-recording"));
    ASSERT_TRUE(WaitFor([&] { return !form().recordingSession().isRecording(); }));
    EXPECT_GT(QFileInfo(file).size(), 0);
    EXPECT_EQ(cues_.size(), 2) << "the start and the stop cue";
}

TEST_F(PortalHotkeysWindowTest, AHeldVolumeShortcutRepeatsAndOtherRowsActOnce) {
    startWindow();
    ASSERT_TRUE(waitForBinds(1));
    Hotkeys& hotkeys = form().hotkeys();
    AudioPlayer& player = form().playback().player();
    player.SetVolume(0);

    ASSERT_TRUE(portal_.activate("volume-up"));
    ASSERT_TRUE(WaitFor([&] { return player.GetVolume() == 8000; }));
    ASSERT_TRUE(WaitFor([&] { return player.GetVolume() == 16000; }))
        << "held on, the volume steps again after the pause";
    ASSERT_TRUE(portal_.deactivate("volume-up"));
    ASSERT_TRUE(WaitFor([&] { return !hotkeys.isPausing() && !hotkeys.dispatcher().isHeld(3); }));
    const int released = player.GetVolume();
    ASSERT_TRUE(WaitFor([&] { return !hotkeys.isPausing(); }));
    QApplication::processEvents();
    EXPECT_EQ(player.GetVolume(), released) << "no step after the release";

    ASSERT_TRUE(portal_.activate("mute"));
    ASSERT_TRUE(WaitFor([&] { return player.GetMute(); }));
    ASSERT_TRUE(WaitFor([&] { return !hotkeys.isPausing(); }));
    QApplication::processEvents();
    EXPECT_TRUE(player.GetMute()) << "held on, mute does not toggle back";
    ASSERT_TRUE(portal_.deactivate("mute"));
}

TEST_F(PortalHotkeysWindowTest, NoShortcutActsWhileADialogIsOpen) {
    startWindow();
    ASSERT_TRUE(waitForBinds(1));
    form().hotkeys().SuspendHotkeys();
    ASSERT_TRUE(portal_.press("start-recording"));
    ASSERT_TRUE(portal_.activate("mute"));
    ASSERT_TRUE(WaitFor([&] { return form().hotkeys().dispatcher().isHeld(5); }));
    EXPECT_FALSE(form().recordingSession().isRecording());
    EXPECT_FALSE(form().playback().player().GetMute());
    // Still held when the dialog closes: it acts then; the released one not.
    form().hotkeys().ResumeHotkeys();
    ASSERT_TRUE(WaitFor([&] { return form().playback().player().GetMute(); }));
    EXPECT_FALSE(form().recordingSession().isRecording());
    ASSERT_TRUE(portal_.deactivate("mute"));
}

TEST_F(PortalHotkeysWindowTest, ARowChangedInTheEditorIsBoundAgain) {
    startWindow();
    ASSERT_TRUE(waitForBinds(1));
    auto* list = control<QTreeWidget>("ListViewHotkey");
    list->setCurrentItem(list->topLevelItem(0));
    control<QComboBox>("ComboKey")->setCurrentText("X");
    control<QPushButton>("CmdChange")->click();
    ASSERT_TRUE(waitForBinds(2));
    ASSERT_TRUE(WaitFor([&] { return keysShown(1) == "Ctrl+Alt+X"; }))
        << keysShown(1).toStdString();
    const PortalShortcutList bound = portal_.bound();
    ASSERT_EQ(bound.size(), 7);
    EXPECT_EQ(bound[0].trigger, "CTRL+ALT+X");
    EXPECT_EQ(portal_.calls().count("CreateSession app_id="), 1) << "the same session";

    // A row disabled in the editor is no longer offered, and its keys no
    // longer act.
    list->setCurrentItem(list->topLevelItem(4));
    control<QRadioButton>("Option2")->setChecked(true);
    control<QPushButton>("CmdChange")->click();
    ASSERT_TRUE(waitForBinds(3));
    EXPECT_EQ(portal_.bound().size(), 6);
    ASSERT_TRUE(portal_.press("mute"));
    ASSERT_TRUE(portal_.press("volume-up"));
    ASSERT_TRUE(WaitFor([&] { return form().hotkeys().isPausing(); }));
    EXPECT_FALSE(form().playback().player().GetMute());
}

TEST_F(PortalHotkeysWindowTest, TheTriggerTheDesktopAssignsIsShownOnTheHotkeyPage) {
    ASSERT_TRUE(portal_.leaveOut("icon-mode"));
    startWindow();
    ASSERT_TRUE(waitForBinds(1));
    EXPECT_EQ(keysShown(7), "Ctrl + Alt + I (not assigned)");

    // The user picks other keys in the desktop's settings.
    ASSERT_TRUE(portal_.setTrigger("start-recording", "Super+F9"));
    ASSERT_TRUE(WaitFor([&] { return keysShown(1) == "Super+F9"; })) << keysShown(1).toStdString();
    EXPECT_EQ(control<QTreeWidget>("ListViewHotkey")->topLevelItem(0)->data(0, Qt::UserRole),
              "CA+R")
        << "the program's own code stays as it is";
    form().close();
    EXPECT_EQ(stored("Hotkey1"), "CA+R");
}

TEST_F(PortalHotkeysWindowTest, ADeclinedBindIsToldWithTheCommandsToBindInstead) {
    ASSERT_TRUE(portal_.setBindResponse(1));
    startWindow();
    ASSERT_TRUE(waitForBinds(1));
    EXPECT_EQ(form().hotkeys().reach().state, HotkeyReach::Local);
    EXPECT_FALSE(note()->isHidden());
    const QString text = note()->text();
    EXPECT_TRUE(text.contains("declined")) << text.toStdString();
    for (const QString& line : RemoteCommandLines("quillotap"))
        EXPECT_TRUE(text.contains(line)) << line.toStdString();
    EXPECT_TRUE(note()->textInteractionFlags() & Qt::TextSelectableByMouse);
    ASSERT_TRUE(
        WaitFor([&] { return form().frame().statusLabel()->text() == HotkeyStatusLineText(); }));

    // Accepted at the next try (the editor's Change binds again).
    ASSERT_TRUE(portal_.setBindResponse(0));
    control<QPushButton>("CmdChange")->click();
    ASSERT_TRUE(WaitFor([&] { return form().hotkeys().reach().state == HotkeyReach::Global; }));
    EXPECT_TRUE(note()->isHidden());
}

class NoPortalWindowTest : public FastAppFixture {
protected:
    void SetUp() override {
        FastAppFixture::SetUp();
        ASSERT_TRUE(bus_.ok()) << bus_.error().toStdString();
    }
    PrivatePortal bus_{PrivatePortal::WithoutPortal};
};

TEST_F(NoPortalWindowTest, AWaylandSessionWithoutThePortalFallsBackToItsOwnWindowAndSaysSo) {
    // The choice the environment leaves to the session (tests set "none").
    const QByteArray requested = qgetenv("QUILLOTAP_HOTKEYS");
    qunsetenv("QUILLOTAP_HOTKEYS");
    const auto restore = qScopeGuard([&] { qputenv("QUILLOTAP_HOTKEYS", requested); });
    FormMainServices services;
    services.waylandSession = true;
    ScriptedKeyboardState* keys = nullptr;
    auto keyboard = std::make_unique<ScriptedKeyboardState>();
    keys = keyboard.get();
    services.keyboard = std::move(keyboard);
    services.hotkeyBus = bus_.connect(QStringLiteral("window"));
    services.cueWait = [](int) {};
    start(std::move(services));
    ASSERT_TRUE(started_);
    ASSERT_TRUE(WaitFor([&] { return form().hotkeys().sourceKind() == HotkeySourceKind::X11; }));

    auto* note = control<QLabel>("LabelHotkeyNote");
    EXPECT_FALSE(note->isHidden());
    EXPECT_TRUE(note->text().contains("no global shortcut service")) << note->text().toStdString();
    EXPECT_TRUE(note->text().contains(OwnWindowOnlyReason()));
    EXPECT_TRUE(note->text().contains("quillotap --start\nquillotap --stop\nquillotap --toggle\n"
                                      "quillotap --play-last\nquillotap --icon"));
    ASSERT_TRUE(
        WaitFor([&] { return form().frame().statusLabel()->text() == HotkeyStatusLineText(); }));

    // Keys typed into the program's own window still work.
    keys->press({17, 18, 'M'});
    ASSERT_TRUE(WaitFor([&] { return form().playback().player().GetMute(); }));
}

TEST_F(NoPortalWindowTest, AskedForThePortalWhereThereIsNoneTheHotkeyPageSaysSo) {
    FormMainServices services;
    services.hotkeySource = HotkeySourceKind::Portal;
    services.hotkeyBus = bus_.connect(QStringLiteral("window"));
    start(std::move(services));
    ASSERT_TRUE(started_);
    auto* note = control<QLabel>("LabelHotkeyNote");
    ASSERT_TRUE(WaitFor([&] { return form().hotkeys().reach().state == HotkeyReach::Local; }));
    EXPECT_EQ(form().hotkeys().sourceKind(), HotkeySourceKind::Portal) << "no fall-back when asked";
    EXPECT_FALSE(note->isHidden());
    EXPECT_TRUE(note->text().contains("quillotap --toggle"));
}

TEST_F(NoPortalWindowTest, HotkeysSwitchedOffAreShownOnThePageButNotInTheStatusLine) {
    FormMainServices services;
    services.hotkeySource = HotkeySourceKind::None;
    start(std::move(services));
    auto* note = control<QLabel>("LabelHotkeyNote");
    EXPECT_FALSE(note->isHidden());
    EXPECT_TRUE(note->text().startsWith(SwitchedOffReason()));
    QApplication::processEvents();
    EXPECT_EQ(form().frame().statusLabel()->text(), "Ready to record");
    // The page's controls all still fit with the note shown.
    form().show();
    form().pageMenu().onMenuButtonClicked(MainFrame::HotkeyPage);
    QApplication::processEvents();
    QWidget* page = form().frame().page(MainFrame::HotkeyPage);
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith("qt_") || w->isHidden())
            continue;
        const QRect onPage(w->mapTo(page, QPoint(0, 0)), w->size());
        EXPECT_TRUE(page->rect().contains(onPage)) << w->objectName().toStdString();
        EXPECT_GE(w->height(), w->minimumSizeHint().height()) << w->objectName().toStdString();
    }
}

} // namespace
} // namespace quillotap::test
