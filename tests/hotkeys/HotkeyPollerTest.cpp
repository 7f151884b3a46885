// The keyboard source and the dispatcher together, as the window runs them:
// driven tick by tick on a scripted keyboard, with the hotkey list in the
// page's row format and a main window stand-in that logs what runs.
#include "FakeHotkeyWindow.h"
#include "HotkeyListFixture.h"

#include "audio/AudioPlayer.h"
#include "audio/backends/SyntheticBackend.h"
#include "hotkeys/HotkeyActions.h"
#include "hotkeys/HotkeyPoller.h"
#include "hotkeys/HotkeyRows.h"
#include "hotkeys/Hotkeys.h"
#include "hotkeys/KeyNames.h"
#include "hotkeys/ScriptedKeyboardState.h"
#include "hotkeys/VolumeActions.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QStringList>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <unistd.h>
#include <utility>

using namespace quillotap;
using quillotap::test::FakeWindow;
using quillotap::test::makeHotkeyList;
using quillotap::test::setRow;

namespace {

constexpr int Ctrl = VK_CONTROL_KEY;
constexpr int Alt = VK_ALT_KEY;
constexpr int Shift = VK_SHIFT_KEY;

// Runs the event loop until the condition holds; the deadline only guards
// against a poller that never gets there.
bool waitFor(const std::function<bool()>& condition) {
    QDeadlineTimer deadline(5000);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return condition();
}

// The window's hotkeys on a keyboard the test keeps a hand on.
template <class Keyboard>
std::unique_ptr<Hotkeys> KeyboardHotkeys(Keyboard** keys, HotkeyActions& actions,
                                         const HotkeyRows& rows, HotkeyClock clock) {
    auto keyboard = std::make_unique<Keyboard>();
    *keys = keyboard.get();
    HotkeySetup setup;
    setup.keyboard = std::move(keyboard);
    setup.clock = clock;
    return std::make_unique<Hotkeys>(actions, rows, std::move(setup));
}

class PollerTest : public ::testing::Test {
protected:
    std::shared_ptr<SyntheticBackend> backend = std::make_shared<SyntheticBackend>();
    AudioPlayer player{backend};
    FakeWindow window{player};
    std::unique_ptr<QTreeWidget> list = makeHotkeyList();
    TreeWidgetHotkeyRows rows{list.get()};
    ScriptedKeyboardState* keys = nullptr;
    std::unique_ptr<Hotkeys> hotkeys = KeyboardHotkeys(&keys, window, rows, HotkeyClock::Manual);
    ScriptedKeyboardState& keyboard = *keys;
    Hotkeys& poller = *hotkeys;

    void SetUp() override { poller.start(); }

    // Lets the pause run out and ticks once: the row that acted.
    int afterPause() {
        const int atTheEnd = poller.pauseElapsed();
        const int ticked = poller.tick();
        return atTheEnd != 0 ? atTheEnd : ticked;
    }

    // Lets go of every key and lets any pause run out.
    void releaseKeys() {
        keyboard.releaseAll();
        poller.tick();
        poller.pauseElapsed();
    }
};

TEST_F(PollerTest, StartHotkeyPlaysTheCueThenRecordsOnceWhileHeld) {
    keyboard.press({Ctrl, Alt, 'R'});
    EXPECT_EQ(poller.tick(), 1);
    EXPECT_EQ(window.log, QStringList({"startCue", "recorderPage", "record"}));
    EXPECT_TRUE(poller.isPausing());
    // Held on: row 1 acts once per press, nothing else matches.
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(afterPause(), 0);
    EXPECT_EQ(window.log.size(), 3);
    EXPECT_TRUE(poller.isListening());
    EXPECT_FALSE(poller.isPausing());
}

TEST_F(PollerTest, StartInIconModeSetsTheRecordingTrayIconAfterRecording) {
    window.iconMode = true;
    keyboard.press({Ctrl, Alt, 'R'});
    poller.tick();
    EXPECT_EQ(window.log, QStringList({"startCue", "recorderPage", "record", "trayRecording"}));
}

TEST_F(PollerTest, StopHotkeyStopsThenPlaysTheStopCue) {
    window.recording = true;
    keyboard.press({Ctrl, Alt, 'S'});
    EXPECT_EQ(poller.tick(), 2);
    EXPECT_EQ(window.log, QStringList({"stop", "stopCue"}));
    EXPECT_EQ(afterPause(), 0); // not recording any more: row 2 declines
}

TEST_F(PollerTest, StopHotkeyWhileIdleDoesNothingAndKeepsPolling) {
    keyboard.press({Ctrl, Alt, 'S'});
    EXPECT_EQ(poller.tick(), 0);
    EXPECT_TRUE(window.log.isEmpty());
    EXPECT_TRUE(poller.isListening());
    EXPECT_FALSE(poller.isPausing());
}

TEST_F(PollerTest, DisabledRowNeverActs) {
    setRow(*list, 1, "CA+R", "Disabled");
    keyboard.press({Ctrl, Alt, 'R'});
    EXPECT_EQ(poller.tick(), 0);
    setRow(*list, 1, "CA+R", "enabled"); // only the exact text enables
    EXPECT_EQ(poller.tick(), 0);
}

TEST_F(PollerTest, DisabledRow1CodedLikeRow2StopsOnlyWhileRecording) {
    setRow(*list, 1, "CA+S", "Disabled");
    keyboard.press({Ctrl, Alt, 'S'});
    EXPECT_EQ(poller.tick(), 0);
    releaseKeys();
    window.recording = true;
    keyboard.press({Ctrl, Alt, 'S'});
    EXPECT_EQ(poller.tick(), 2);
    EXPECT_EQ(window.log, QStringList({"stop", "stopCue"}));
}

TEST_F(PollerTest, DecliningRowLetsALaterRowWithTheSameKeysAct) {
    // Row 3 as "C+R": Ctrl+Alt+R records through row 1, and while recording
    // row 1 declines so the same keys turn the volume up through row 3.
    setRow(*list, 3, "C+R");
    player.SetVolume(10000);
    keyboard.press({Ctrl, Alt, 'R'});
    EXPECT_EQ(poller.tick(), 1);
    EXPECT_EQ(afterPause(), 3);
    EXPECT_EQ(player.GetVolume(), 18000);
}

TEST_F(PollerTest, OverlappingCodesOnlyTheFirstRowActs) {
    setRow(*list, 4, "CA+Up");
    player.SetVolume(30000);
    keyboard.press({Ctrl, Alt, 38});
    EXPECT_EQ(poller.tick(), 3);
    EXPECT_EQ(player.GetVolume(), 38000);
}

TEST_F(PollerTest, VolumeStepsRepeatAfterEachPauseAndStopAtTheLimits) {
    struct Case {
        int key;
        int from;
        std::vector<int> steps;
        int knob;
    };
    const Case cases[] = {
        {38, 60000, {65535, 65535, 65535}, 100},
        {38, 0, {8000, 16000, 24000}, 37},
        {40, 5000, {0, 0}, 0},
        {40, 65535, {58535, 51535, 44535}, 68},
    };
    for (const Case& c : cases) {
        player.SetVolume(c.from);
        releaseKeys();
        keyboard.press({Ctrl, Alt, c.key});
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            EXPECT_EQ(i == 0 ? poller.tick() : afterPause(), c.key == 38 ? 3 : 4);
            EXPECT_EQ(player.GetVolume(), c.steps[i]) << "from " << c.from << " step " << i;
            // During the pause nothing acts however often the poll is asked.
            EXPECT_EQ(poller.tick(), 0);
            EXPECT_EQ(player.GetVolume(), c.steps[i]);
        }
        EXPECT_EQ(window.knob, c.knob) << "from " << c.from;
    }
}

TEST_F(PollerTest, MuteTogglesOncePerPress) {
    keyboard.press({Ctrl, Alt, 'M'});
    EXPECT_EQ(poller.tick(), 5);
    EXPECT_TRUE(player.GetMute());
    EXPECT_EQ(afterPause(), 0) << "held on, it does not toggle back";
    EXPECT_TRUE(player.GetMute());
    releaseKeys();
    keyboard.press({Ctrl, Alt, 'M'});
    EXPECT_EQ(poller.tick(), 5);
    EXPECT_FALSE(player.GetMute());
}

TEST_F(PollerTest, PlayHotkeyStopsPlaybackAndRecordingThenPlays) {
    window.playing = true;
    window.recording = true;
    keyboard.press({Ctrl, Alt, 'P'});
    EXPECT_EQ(poller.tick(), 6);
    EXPECT_EQ(window.log, QStringList({"stopPlayback", "stop", "playNow"}));
    window.log.clear();
    window.playing = false;
    EXPECT_EQ(afterPause(), 0) << "held on, it does not restart the playback";
    releaseKeys();
    keyboard.press({Ctrl, Alt, 'P'});
    EXPECT_EQ(poller.tick(), 6); // pressed again, it stops even an idle recorder
    EXPECT_EQ(window.log, QStringList({"stop", "playNow"}));
}

TEST_F(PollerTest, IconHotkeyAlternatesAtEachPressNotWhileHeld) {
    keyboard.press({Ctrl, Alt, 'I'});
    EXPECT_EQ(poller.tick(), 7);
    EXPECT_EQ(afterPause(), 0);
    EXPECT_EQ(afterPause(), 0);
    releaseKeys();
    keyboard.press({Ctrl, Alt, 'I'});
    EXPECT_EQ(poller.tick(), 7);
    EXPECT_EQ(window.log, QStringList({"enterIcon", "leaveIcon"}));
    EXPECT_FALSE(window.iconMode);
}

TEST_F(PollerTest, NothingActsWhileSuspended) {
    keyboard.press({Ctrl, Alt, 'R'});
    poller.SuspendHotkeys();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(poller.tick(), 0);
    EXPECT_TRUE(window.log.isEmpty());
    EXPECT_EQ(keyboard.refreshCount(), 0); // the keyboard is not even read
    poller.ResumeHotkeys();
    EXPECT_EQ(poller.tick(), 1);
}

TEST_F(PollerTest, ResumeDuringThePauseTurnsTheHotkeysOnAtOnce) {
    keyboard.press({Ctrl, Alt, 38});
    EXPECT_EQ(poller.tick(), 3);
    poller.SuspendHotkeys();
    poller.ResumeHotkeys();
    EXPECT_TRUE(poller.isListening());
    EXPECT_FALSE(poller.isPausing());
    EXPECT_EQ(poller.tick(), 3);
    EXPECT_TRUE(poller.isPausing());
    // The pause started by that step ends as usual, with the next step.
    EXPECT_EQ(poller.pauseElapsed(), 3);
    EXPECT_TRUE(poller.isListening());
}

// A dialog opened while a held hotkey waits out its repeat pause: the end
// of the pause must not switch the poll back on behind the dialog.
TEST_F(PollerTest, APauseEndingWhileSuspendedLeavesThePollOff) {
    player.SetVolume(10000);
    keyboard.press({Ctrl, Alt, 38});
    EXPECT_EQ(poller.tick(), 3);
    EXPECT_EQ(player.GetVolume(), 18000);
    ASSERT_TRUE(poller.isPausing());
    poller.SuspendHotkeys();
    EXPECT_EQ(poller.pauseElapsed(), 0);
    EXPECT_FALSE(poller.isPausing());
    EXPECT_FALSE(poller.isListening());
    EXPECT_EQ(poller.tick(), 0);
    EXPECT_EQ(poller.tick(), 0);
    EXPECT_EQ(player.GetVolume(), 18000);
    // The dialog closes with the keys still held: the poll acts again.
    poller.ResumeHotkeys();
    EXPECT_EQ(poller.tick(), 3);
    EXPECT_EQ(player.GetVolume(), 26000);
}

TEST_F(PollerTest, ModifiersAreSampledOncePerTick) {
    keyboard.press({Ctrl, Shift});
    poller.tick();
    const ModifierFlags& modifiers = poller.poller()->modifiers();
    EXPECT_TRUE(modifiers.CtrlDown);
    EXPECT_FALSE(modifiers.AltDown);
    EXPECT_TRUE(modifiers.ShiftDown);
    EXPECT_EQ(keyboard.refreshCount(), 1);
}

TEST_F(PollerTest, ListEditsCountAtTheNextTick) {
    keyboard.press({116});
    EXPECT_EQ(poller.tick(), 0);
    setRow(*list, 5, "+F5");
    EXPECT_EQ(poller.tick(), 5);
}

TEST(PollerTimers, RealTimersPollAndRepeatTheVolumeStepWhileHeld) {
    auto list = makeHotkeyList();
    TreeWidgetHotkeyRows rows(list.get());
    auto backend = std::make_shared<SyntheticBackend>();
    AudioPlayer player(backend);
    FakeWindow window(player);
    player.SetVolume(0);
    ScriptedKeyboardState* keyboard = nullptr;
    auto hotkeys = KeyboardHotkeys(&keyboard, window, rows, HotkeyClock::Timers);
    keyboard->press({Ctrl, Alt, 38});
    // Not armed yet: the timers do not run.
    QCoreApplication::processEvents();
    EXPECT_EQ(player.GetVolume(), 0);
    hotkeys->start();
    ASSERT_TRUE(waitFor([&] { return player.GetVolume() >= 8000; }));
    EXPECT_TRUE(hotkeys->isPausing());
    // Held on: the end of the pause steps again.
    ASSERT_TRUE(waitFor([&] { return player.GetVolume() >= 16000; }));
    hotkeys->SuspendHotkeys();
}

// The same with the real timers: the 200 ms pause runs out while the poll
// is suspended, and the held combination does not act again until resumed.
TEST(PollerTimers, TheRealPauseTimerDoesNotEndASuspension) {
    auto list = makeHotkeyList();
    TreeWidgetHotkeyRows rows(list.get());
    auto backend = std::make_shared<SyntheticBackend>();
    AudioPlayer player(backend);
    FakeWindow window(player);
    player.SetVolume(0);
    ScriptedKeyboardState* keyboard = nullptr;
    auto hotkeys = KeyboardHotkeys(&keyboard, window, rows, HotkeyClock::Timers);
    keyboard->press({Ctrl, Alt, 38});
    hotkeys->start();
    ASSERT_TRUE(waitFor([&] { return player.GetVolume() == 8000; }));
    ASSERT_TRUE(hotkeys->isPausing());
    hotkeys->SuspendHotkeys();
    ASSERT_TRUE(waitFor([&] { return !hotkeys->isPausing(); }));
    // Events that were due when the pause ended have run by now.
    QCoreApplication::processEvents();
    EXPECT_FALSE(hotkeys->isListening());
    EXPECT_EQ(player.GetVolume(), 8000);
    hotkeys->ResumeHotkeys();
    ASSERT_TRUE(waitFor([&] { return player.GetVolume() == 16000; }));
    hotkeys->SuspendHotkeys();
}

// A keyboard that tells about key changes through a pipe, as the X11
// keyboard does through its connection: tell() makes the pipe readable, and
// queueEvent() stands for an event a snapshot's round trip has already read
// off the descriptor, which takeKeyEvents() must still report.
class WakingKeyboard : public KeyboardState {
public:
    WakingKeyboard() {
        if (::pipe2(pipe_, O_NONBLOCK | O_CLOEXEC) != 0)
            pipe_[0] = pipe_[1] = -1;
    }
    ~WakingKeyboard() override {
        ::close(pipe_[0]);
        ::close(pipe_[1]);
    }

    void press(std::initializer_list<int> keys) { held_.insert(keys); }
    void releaseAll() { held_.clear(); }
    void tell() { ASSERT_EQ(::write(pipe_[1], "k", 1), 1); }
    void queueEvent() { queued_ = true; }

    void refresh() override {
        ++refreshes;
        snapshot_ = held_;
        if (duringRefresh)
            std::exchange(duringRefresh, nullptr)();
    }
    bool isKeyDown(int virtualKey) const override { return snapshot_.count(virtualKey) != 0; }
    bool anyKeyDown() const override { return !snapshot_.empty(); }
    int wakeDescriptor() const override { return pipe_[0]; }
    bool takeKeyEvents() override {
        bool any = std::exchange(queued_, false);
        char bytes[64];
        while (::read(pipe_[0], bytes, sizeof bytes) > 0)
            any = true;
        return any;
    }

    int refreshes = 0;
    // Runs once, inside the next refresh, after its snapshot was taken.
    std::function<void()> duringRefresh;

private:
    int pipe_[2] = {-1, -1};
    std::set<int> held_;
    std::set<int> snapshot_;
    bool queued_ = false;
};

// The poller with real timers on a keyboard that can wake it.
class SleepingPollerTest : public ::testing::Test {
protected:
    std::shared_ptr<SyntheticBackend> backend = std::make_shared<SyntheticBackend>();
    AudioPlayer player{backend};
    FakeWindow window{player};
    std::unique_ptr<QTreeWidget> list = makeHotkeyList();
    TreeWidgetHotkeyRows rows{list.get()};
    WakingKeyboard* keys = nullptr;
    std::unique_ptr<Hotkeys> hotkeys = KeyboardHotkeys(&keys, window, rows, HotkeyClock::Timers);
    WakingKeyboard& keyboard = *keys;
    HotkeyPoller& poller = *hotkeys->poller();

    void SetUp() override {
        ASSERT_GE(keyboard.wakeDescriptor(), 0);
        hotkeys->start();
        ASSERT_TRUE(waitFor([&] { return poller.isWaitingForKeys(); }));
    }
    void TearDown() override { hotkeys->SuspendHotkeys(); }
};

TEST_F(SleepingPollerTest, AKeyWakesTheSleepingPollerWhichActsAtOnceAndRepeatsWhileHeld) {
    EXPECT_TRUE(poller.isPolling());
    player.SetVolume(0);
    const int refreshesAsleep = keyboard.refreshes;
    keyboard.press({Ctrl, Alt, 38});
    keyboard.tell();
    ASSERT_TRUE(waitFor([&] { return player.GetVolume() == 8000; }));
    EXPECT_EQ(keyboard.refreshes, refreshesAsleep + 1); // the wake-up itself read the keys
    EXPECT_FALSE(keyboard.takeKeyEvents()) << "the wake-up drained the descriptor";
    // Held on: after the pause the volume steps again without any key event.
    ASSERT_TRUE(waitFor([&] { return player.GetVolume() == 16000; }));
    keyboard.releaseAll();
    ASSERT_TRUE(waitFor([&] { return poller.isWaitingForKeys(); }));
}

TEST_F(SleepingPollerTest, AHeldKeyKeepsThePollRunningForTheRestOfTheCombination) {
    keyboard.press({Ctrl});
    keyboard.tell();
    ASSERT_TRUE(waitFor([&] { return keyboard.refreshes > 0 && !poller.isWaitingForKeys(); }));
    // The rest of the combination goes down without waking anything: only
    // the running poll can find it.
    keyboard.press({Alt, 'M'});
    ASSERT_TRUE(waitFor([&] { return player.GetMute(); }));
}

TEST_F(SleepingPollerTest, AKeyEventReadDuringTheSnapshotIsNotSleptThrough) {
    // The press lands just after the snapshot, and its event has already
    // been taken off the descriptor, which will not wake up for it again.
    keyboard.duringRefresh = [&] {
        keyboard.press({Ctrl, Alt, 'M'});
        keyboard.queueEvent();
    };
    keyboard.tell();
    ASSERT_TRUE(waitFor([&] { return player.GetMute(); }));
}

TEST_F(SleepingPollerTest, WhileSuspendedWakeUpsAreIgnoredAndResumingPollsAgain) {
    hotkeys->SuspendHotkeys();
    EXPECT_FALSE(poller.isWaitingForKeys());
    const int refreshes = keyboard.refreshes;
    keyboard.press({Ctrl, Alt, 'M'});
    keyboard.tell();
    // A readable descriptor is seen by the first pass of the event loop.
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(keyboard.refreshes, refreshes);
    EXPECT_FALSE(player.GetMute());
    // Held through the dialog: resuming finds the keys without a new event.
    hotkeys->ResumeHotkeys();
    ASSERT_TRUE(waitFor([&] { return player.GetMute(); }));
}

TEST(HotkeyRowsOfTheList, MissingRowsAreSkipped) {
    auto list = makeHotkeyList();
    TreeWidgetHotkeyRows rows(list.get());
    HotkeyRow row;
    ASSERT_TRUE(rows.readRow(2, &row));
    EXPECT_EQ(row.code, QStringLiteral("CA+S"));
    EXPECT_EQ(row.status, QStringLiteral("Enabled"));
    EXPECT_FALSE(rows.readRow(8, &row));
    EXPECT_FALSE(rows.readRow(0, &row));
    EXPECT_FALSE(TreeWidgetHotkeyRows(nullptr).readRow(1, &row));
}

} // namespace
