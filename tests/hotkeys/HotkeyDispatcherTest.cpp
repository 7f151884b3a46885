// The dispatcher on its own, fed presses and releases the way any source
// reports them (the desktop's portal knows no polling): which rows repeat
// while held, what a press during the pause or a suspension does, and the
// one-shot rows a command asks for.
#include "FakeHotkeyWindow.h"

#include "audio/backends/SyntheticBackend.h"
#include "hotkeys/HotkeyDispatcher.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace quillotap;
using quillotap::test::FakeWindow;

namespace {

class DispatcherTest : public ::testing::Test {
protected:
    std::shared_ptr<SyntheticBackend> backend = std::make_shared<SyntheticBackend>();
    AudioPlayer player{backend};
    FakeWindow window{player};
    HotkeyDispatcher dispatcher{window, HotkeyClock::Manual};
    QSignalSpy acted{&dispatcher, &HotkeyDispatcher::acted};

    QList<int> actedRows() {
        QList<int> rows;
        for (const QList<QVariant>& call : acted)
            rows << call.at(0).toInt();
        return rows;
    }
};

TEST_F(DispatcherTest, OnlyTheVolumeRowsRepeatWhileHeld) {
    const struct {
        int row;
        int actions; // over the press and three pause ends
    } cases[] = {{3, 4}, {4, 4}, {5, 1}, {6, 1}, {7, 1}};
    for (const auto& c : cases) {
        acted.clear();
        player.SetVolume(30000);
        dispatcher.press(c.row);
        for (int i = 0; i < 3; ++i)
            dispatcher.pauseElapsed();
        dispatcher.release(c.row);
        dispatcher.pauseElapsed();
        EXPECT_EQ(acted.count(), c.actions) << "row " << c.row;
    }
}

TEST_F(DispatcherTest, AQuickPressDuringThePauseActsWhenItEnds) {
    player.SetVolume(0);
    dispatcher.press(3);
    dispatcher.release(3);
    ASSERT_TRUE(dispatcher.isPausing());
    // Mute pressed and let go within the pause: not lost.
    dispatcher.press(5);
    dispatcher.release(5);
    EXPECT_EQ(actedRows(), QList<int>{3});
    dispatcher.pauseElapsed();
    EXPECT_EQ(actedRows(), (QList<int>{3, 5}));
    EXPECT_TRUE(player.GetMute());
    // Once only.
    dispatcher.pauseElapsed();
    EXPECT_EQ(acted.count(), 2);
}

TEST_F(DispatcherTest, APressDuringASuspensionActsOnlyIfStillHeldWhenItEnds) {
    dispatcher.SuspendHotkeys();
    dispatcher.press(5); // let go before the dialog closes
    dispatcher.release(5);
    dispatcher.press(7); // still held
    dispatcher.ResumeHotkeys();
    EXPECT_TRUE(acted.isEmpty()) << "the dialog's caller returns first";
    dispatcher.runPending();
    EXPECT_EQ(actedRows(), QList<int>{7});
    EXPECT_FALSE(player.GetMute());
}

TEST_F(DispatcherTest, SuspensionWinsOverAPendingRepeat) {
    player.SetVolume(0);
    dispatcher.press(3);
    dispatcher.SuspendHotkeys();
    dispatcher.pauseElapsed();
    dispatcher.runPending();
    EXPECT_EQ(player.GetVolume(), 8000);
    EXPECT_FALSE(dispatcher.isPausing());
}

TEST_F(DispatcherTest, ResumingWithRealTimersTriesTheHeldRowsFromTheEventLoop) {
    HotkeyDispatcher timed(window, HotkeyClock::Timers);
    timed.SuspendHotkeys();
    timed.press(5);
    timed.ResumeHotkeys();
    EXPECT_FALSE(player.GetMute());
    QCoreApplication::processEvents();
    EXPECT_TRUE(player.GetMute());
}

// A desktop that never reports the release must not leave a row dead.
TEST_F(DispatcherTest, PressingAHeldRowAgainIsANewPress) {
    dispatcher.press(7);
    dispatcher.pauseElapsed();
    dispatcher.press(7);
    dispatcher.pauseElapsed();
    EXPECT_EQ(window.log, QStringList({"enterIcon", "leaveIcon"}));
}

TEST_F(DispatcherTest, ATriggeredRowActsOnceWithoutAPauseAndNotWhileSuspended) {
    EXPECT_FALSE(dispatcher.trigger(2)) << "stop declines while idle";
    EXPECT_TRUE(dispatcher.trigger(1));
    EXPECT_TRUE(window.recording);
    EXPECT_FALSE(dispatcher.isPausing());
    EXPECT_TRUE(dispatcher.trigger(2));
    EXPECT_FALSE(window.recording);
    dispatcher.SuspendHotkeys();
    EXPECT_FALSE(dispatcher.trigger(1));
    EXPECT_FALSE(window.recording);
    EXPECT_FALSE(dispatcher.trigger(8));
    EXPECT_EQ(actedRows(), (QList<int>{1, 2}));
}

} // namespace
