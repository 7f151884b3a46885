// The X11 keyboard against a real X server: keys pressed with xdotool must be
// seen under their virtual-key codes and must wake the keyboard's descriptor.
// The test starts a private Xvfb, so it never presses keys on the desktop it
// runs in; skipped without Xvfb or xdotool.
#include "hotkeys/HotkeyMatcher.h"
#include "hotkeys/KeyboardState.h"
#include "hotkeys/X11KeyboardState.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>
#include <poll.h>

using namespace quillotap;

namespace {

class X11Keyboard : public ::testing::Test {
protected:
    QProcess xvfb;
    QString display;
    std::unique_ptr<X11KeyboardState> keyboard;

    void SetUp() override {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty() ||
            QStandardPaths::findExecutable("xdotool").isEmpty())
            GTEST_SKIP() << "needs Xvfb and xdotool";
        // -displayfd: Xvfb picks a free display and writes its number once
        // it accepts connections; -noreset keeps it from resetting (and
        // refusing connections meanwhile) whenever its last client leaves.
        xvfb.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-noreset"});
        QDeadlineTimer deadline(10000);
        while (!xvfb.canReadLine() && !deadline.hasExpired() &&
               xvfb.state() != QProcess::NotRunning)
            xvfb.waitForReadyRead(100);
        ASSERT_TRUE(xvfb.canReadLine()) << "Xvfb did not start";
        display = ":" + QString::fromLatin1(xvfb.readLine()).trimmed();
        keyboard = X11KeyboardState::open(display.toLatin1().constData());
        ASSERT_TRUE(keyboard);
    }
    void TearDown() override {
        keyboard.reset();
        if (xvfb.state() != QProcess::NotRunning) {
            xvfb.terminate();
            xvfb.waitForFinished(5000);
        }
    }

    void xdotool(const QStringList& args) {
        QProcess tool;
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        tool.setProcessEnvironment(env);
        tool.start("xdotool", args);
        ASSERT_TRUE(tool.waitForFinished(5000));
        ASSERT_EQ(tool.exitCode(), 0);
    }

    // Whether the keyboard's descriptor becomes readable within the time;
    // the time only guards against an event that never comes.
    bool wakes(int milliseconds) {
        pollfd watch{keyboard->wakeDescriptor(), POLLIN, 0};
        return ::poll(&watch, 1, milliseconds) == 1 && (watch.revents & POLLIN);
    }

    // The server handles xdotool's requests before it answers ours once
    // xdotool has exited; the deadline only guards against a stuck server.
    bool waitUntil(int virtualKey, bool down) {
        QDeadlineTimer deadline(3000);
        do {
            keyboard->refresh();
            if (keyboard->isKeyDown(virtualKey) == down)
                return true;
            QThread::yieldCurrentThread();
        } while (!deadline.hasExpired());
        return false;
    }
};

TEST_F(X11Keyboard, KeysAreSeenUnderTheirVirtualKeyCodes) {
    struct Case {
        const char* keysym;
        int virtualKey;
    };
    // Either-side modifiers, a letter, a digit and every named key, by the
    // X keysym a keyboard layout puts on the key.
    const Case cases[] = {
        {"Control_L", 17}, {"Control_R", 17}, {"Alt_L", 18},  {"Alt_R", 18},  {"Shift_L", 16},
        {"Shift_R", 16},   {"r", 82},         {"a", 65},      {"z", 90},      {"0", 48},
        {"5", 53},         {"Up", 38},        {"Down", 40},   {"Left", 37},   {"Right", 39},
        {"Home", 36},      {"End", 35},       {"Insert", 45}, {"Delete", 46}, {"Prior", 33},
        {"Next", 34},      {"F1", 112},       {"F2", 113},    {"F3", 114},    {"F4", 115},
        {"F5", 116},       {"F6", 117},       {"F7", 118},    {"F8", 119},    {"F9", 120},
        {"F10", 121},      {"F11", 122},      {"F12", 123},
    };
    for (const Case& c : cases) {
        keyboard->refresh();
        EXPECT_FALSE(keyboard->isKeyDown(c.virtualKey)) << c.keysym;
        xdotool({"keydown", c.keysym});
        EXPECT_TRUE(waitUntil(c.virtualKey, true)) << c.keysym;
        xdotool({"keyup", c.keysym});
        EXPECT_TRUE(waitUntil(c.virtualKey, false)) << c.keysym;
    }
}

TEST_F(X11Keyboard, CtrlAltRIsTheStartHotkey) {
    xdotool({"keydown", "Control_L", "Alt_L", "r"});
    ASSERT_TRUE(waitUntil('R', true));
    const ModifierFlags modifiers = SampleModifiers(*keyboard);
    EXPECT_TRUE(IsHotkeyPressed(u"CA+R", modifiers, *keyboard));
    EXPECT_FALSE(IsHotkeyPressed(u"CA+S", modifiers, *keyboard));
    EXPECT_FALSE(IsHotkeyPressed(u"CAS+R", modifiers, *keyboard));
}

TEST_F(X11Keyboard, KeyEventsWakeTheDescriptorAndNothingIsPendingWhileIdle) {
    ASSERT_GE(keyboard->wakeDescriptor(), 0) << "Xvfb offers XInput 2.2";
    EXPECT_FALSE(wakes(0));
    EXPECT_FALSE(keyboard->takeKeyEvents());
    keyboard->refresh();
    EXPECT_FALSE(keyboard->anyKeyDown());
    struct Case {
        const char* keysym;
        int virtualKey; // 0: a key no hotkey can use
    };
    const Case cases[] = {{"Control_L", 17}, {"r", 'R'}, {"F5", 116}, {"Escape", 0}};
    for (const Case& c : cases) {
        xdotool({"keydown", c.keysym});
        ASSERT_TRUE(wakes(3000)) << c.keysym;
        EXPECT_TRUE(keyboard->takeKeyEvents()) << c.keysym;
        EXPECT_FALSE(keyboard->takeKeyEvents()) << c.keysym << ": taken once";
        keyboard->refresh();
        if (c.virtualKey != 0) {
            EXPECT_TRUE(keyboard->isKeyDown(c.virtualKey)) << c.keysym;
        }
        EXPECT_EQ(keyboard->anyKeyDown(), c.virtualKey != 0) << c.keysym;

        xdotool({"keyup", c.keysym});
        ASSERT_TRUE(wakes(3000)) << c.keysym;
        EXPECT_TRUE(keyboard->takeKeyEvents()) << c.keysym;
        keyboard->refresh();
        EXPECT_FALSE(keyboard->anyKeyDown()) << c.keysym;
        EXPECT_FALSE(wakes(0)) << c.keysym;
    }
}

TEST_F(X11Keyboard, AnEventTheKeymapQueryReadOffTheDescriptorIsStillTaken) {
    ASSERT_GE(keyboard->wakeDescriptor(), 0);
    xdotool({"keydown", "Shift_L"});
    ASSERT_TRUE(wakes(3000));
    // The query's round trip reads the waiting event into the client's
    // queue: the descriptor goes quiet, the event is not lost.
    keyboard->refresh();
    EXPECT_FALSE(wakes(0));
    EXPECT_TRUE(keyboard->takeKeyEvents());
    EXPECT_TRUE(keyboard->anyKeyDown());
}

} // namespace

namespace {

// Sets $DISPLAY for one scope.
class DisplayVariable {
public:
    explicit DisplayVariable(const QString& value) : old_(qgetenv("DISPLAY")) {
        qputenv("DISPLAY", value.toLatin1());
    }
    ~DisplayVariable() { qputenv("DISPLAY", old_); }

private:
    QByteArray old_;
};

TEST(KeyboardFactory, WithoutADisplayNothingIsEverDown) {
    DisplayVariable unreachable(":59999");
    const auto keyboard = CreateKeyboardState();
    EXPECT_FALSE(keyboard->available());
    keyboard->refresh();
    for (int key : {16, 17, 18, 82, 38})
        EXPECT_FALSE(keyboard->isKeyDown(key));
}

TEST_F(X11Keyboard, TheFactoryTakesTheX11KeyboardWhenADisplayOpens) {
    DisplayVariable ours(display);
    const auto chosen = CreateKeyboardState();
    EXPECT_TRUE(chosen->available());
    EXPECT_NE(dynamic_cast<X11KeyboardState*>(chosen.get()), nullptr);
}

} // namespace
