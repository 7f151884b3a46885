// Which hotkey source a desktop session gets, how the rows are named to the
// desktop's shortcut portal, and what the user is told where no system-wide
// hotkey can work.
#include "hotkeys/HotkeyTexts.h"
#include "hotkeys/Hotkeys.h"
#include "hotkeys/PortalTrigger.h"

#include <gtest/gtest.h>

using namespace quillotap;

namespace {

TEST(HotkeySourceChoice, WaylandSessionsTryThePortalOthersTheKeyboardAndAnOverrideStands) {
    const struct {
        HotkeySourceKind requested;
        bool wayland;
        HotkeySourceKind kind;
        bool fallBack;
    } cases[] = {
        {HotkeySourceKind::Auto, true, HotkeySourceKind::Portal, true},
        {HotkeySourceKind::Auto, false, HotkeySourceKind::X11, false},
        {HotkeySourceKind::X11, true, HotkeySourceKind::X11, false},
        {HotkeySourceKind::Portal, false, HotkeySourceKind::Portal, false},
        {HotkeySourceKind::None, true, HotkeySourceKind::None, false},
    };
    for (const auto& c : cases) {
        const HotkeyChoice choice = ChooseHotkeySource(c.requested, c.wayland);
        EXPECT_EQ(choice.kind, c.kind) << int(c.requested) << " " << c.wayland;
        EXPECT_EQ(choice.fallBackToX11, c.fallBack) << int(c.requested) << " " << c.wayland;
    }
}

// Restores an environment variable, or its absence, when it goes.
class SavedVariable {
public:
    explicit SavedVariable(const char* name)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), value_(qgetenv(name)) {}
    ~SavedVariable() { had_ ? qputenv(name_, value_) : qunsetenv(name_); }

private:
    const char* name_;
    bool had_;
    QByteArray value_;
};

TEST(HotkeySourceChoice, TheEnvironmentNamesTheSourceAndTheSessionType) {
    const SavedVariable hotkeys("QUILLOTAP_HOTKEYS");
    const SavedVariable type("XDG_SESSION_TYPE");
    const SavedVariable wayland("WAYLAND_DISPLAY");
    const struct {
        const char* value;
        HotkeySourceKind kind;
    } names[] = {{"x11", HotkeySourceKind::X11},
                 {"Portal", HotkeySourceKind::Portal},
                 {" none ", HotkeySourceKind::None},
                 {"", HotkeySourceKind::Auto},
                 {"kde", HotkeySourceKind::Auto}};
    for (const auto& n : names) {
        qputenv("QUILLOTAP_HOTKEYS", n.value);
        EXPECT_EQ(HotkeySourceFromEnvironment(), n.kind) << n.value;
    }

    qputenv("XDG_SESSION_TYPE", "x11");
    qunsetenv("WAYLAND_DISPLAY");
    EXPECT_FALSE(IsWaylandSession());
    qputenv("WAYLAND_DISPLAY", "wayland-0");
    EXPECT_TRUE(IsWaylandSession());
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("XDG_SESSION_TYPE", "wayland");
    EXPECT_TRUE(IsWaylandSession());
}

TEST(PortalTriggers, CodesTranslateIntoTheTriggerFormAndCodesThatNeverFireIntoNone) {
    const struct {
        const char* code;
        const char* trigger;
    } cases[] = {
        {"CA+R", "CTRL+ALT+R"},
        {"SC+1", "CTRL+SHIFT+1"}, // letters in any order, written C, A, S
        {"CAS+Page Down", "CTRL+ALT+SHIFT+Page_Down"},
        {"A+Page Up", "ALT+Page_Up"},
        {"+F9", "F9"},
        {"CA+Up", "CTRL+ALT+Up"},
        {"C+Delete", "CTRL+Delete"},
        {"ca+R", "R"}, // lower-case letters name no modifier
        {"CAR", ""},   // no "+"
        {"CA+", ""},
        {"CA+Space", ""}, // not in the key-name table
        {"CA+r", ""},     // a character code no key has
        {"CA+@", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PortalTrigger(QString::fromUtf8(c.code)), QString::fromUtf8(c.trigger)) << c.code;
}

TEST(PortalTriggers, EachRowHasItsOwnFixedId) {
    QStringList ids;
    for (int row = 1; row <= 7; ++row) {
        const QString id = PortalShortcutId(row);
        EXPECT_FALSE(id.isEmpty());
        EXPECT_FALSE(ids.contains(id));
        EXPECT_EQ(PortalShortcutRow(id), row);
        ids << id;
    }
    EXPECT_EQ(PortalShortcutId(1), "start-recording");
    EXPECT_EQ(PortalShortcutId(0), "");
    EXPECT_EQ(PortalShortcutId(8), "");
    EXPECT_EQ(PortalShortcutRow("record"), 0);
}

TEST(HotkeyNotice, TellsWhyAndWhichCommandsToBindUnlessTheHotkeysWork) {
    EXPECT_EQ(HotkeyNoticeText({HotkeyReach::Global, {}}, "quillotap"), "");
    EXPECT_FALSE(HotkeyNoticeText({HotkeyReach::Starting, {}}, "quillotap").isEmpty());

    const QString local =
        HotkeyNoticeText({HotkeyReach::Local, OwnWindowOnlyReason()}, "/opt/q/quillotap");
    EXPECT_TRUE(local.contains(OwnWindowOnlyReason()));
    EXPECT_TRUE(local.endsWith("\n/opt/q/quillotap --start\n/opt/q/quillotap --stop\n"
                               "/opt/q/quillotap --toggle\n/opt/q/quillotap --play-last\n"
                               "/opt/q/quillotap --icon"))
        << local.toStdString();

    const QString off = HotkeyNoticeText({HotkeyReach::Off, SwitchedOffReason()}, "quillotap");
    EXPECT_TRUE(off.startsWith(SwitchedOffReason())) << "no talk of a failure";
    EXPECT_TRUE(off.contains("quillotap --toggle"));
    // Not the program itself (a test): the commands name it by its name.
    EXPECT_EQ(ProgramCommand(), "quillotap");
}

} // namespace
