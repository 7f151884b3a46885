// The monitor tick on a running recording: time and size displays, the two
// limits and which one wins, the input display and the volume knob.
#include "RecordingFixture.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace quillotap::test {
namespace {

// What each tick saw, logged after the monitor has handled it.
struct Tick {
    qint64 elapsed;
    qint64 bytes;
    bool recordingAfter;
};

class RecordingMonitorTest : public RecordingFixture {
protected:
    void SetUp() override {
        RecordingFixture::SetUp();
        // Connected after the monitor, so it sees the state the tick left.
        QObject::connect(&session->recorder(), &AudioRecord::Timer, monitor.get(),
                         [this](qint64 samples, int, int) {
                             if (!logTicks)
                                 return;
                             ticks.push_back(
                                 {session->recorder().SamplesToMilliseconds(samples) / 1000,
                                  QFileInfo(session->outputFilePath()).size(),
                                  session->isRecording()});
                         });
    }
    void recordUntilStopped() {
        logTicks = true;
        session->start();
        ASSERT_TRUE(session->isRecording());
        ASSERT_TRUE(waitFor([&] { return !session->isRecording(); }));
        logTicks = false;
    }

    bool logTicks = false;
    std::vector<Tick> ticks;
};

TEST_F(RecordingMonitorTest, TimeLimitStopsOnTheFirstTickAtOrAfterIt) {
    limits.timeLimit = true;
    monitor->setLimits(limits);
    limits.maxTimeSeconds = 5;
    monitor->setLimits(limits);
    recordUntilStopped();
    ASSERT_FALSE(ticks.empty());
    const Tick& last = ticks.back();
    EXPECT_EQ(last.elapsed, 5);
    EXPECT_FALSE(last.recordingAfter);
    for (size_t i = 0; i + 1 < ticks.size(); ++i) {
        EXPECT_LT(ticks[i].elapsed, 5);
        EXPECT_TRUE(ticks[i].recordingAfter);
    }
    EXPECT_EQ(monitor->lastLimit(), LimitReached::Time);
    EXPECT_EQ(view.timeText, QStringLiteral("00:00:05"));
    const Decoded d = decode(session->outputFilePath());
    EXPECT_GE(d.length, 5 * 44100);
    EXPECT_LT(d.length, 7 * 44100);
}

TEST_F(RecordingMonitorTest, SizeLimitCountsBinaryMegabytes) {
    backend->setSpeed(200);
    limits.sizeLimit = true;
    monitor->setLimits(limits);
    limits.maxSizeMegabytes = 10;
    monitor->setLimits(limits);
    recordUntilStopped();
    const qint64 limit = 10 * 1024 * 1024;
    ASSERT_FALSE(ticks.empty());
    EXPECT_GE(ticks.back().bytes, limit);
    EXPECT_FALSE(ticks.back().recordingAfter);
    bool pastTenMillion = false;
    for (size_t i = 0; i + 1 < ticks.size(); ++i) {
        EXPECT_LT(ticks[i].bytes, limit);
        pastTenMillion |= ticks[i].bytes >= 10'000'000 && ticks[i].recordingAfter;
    }
    EXPECT_TRUE(pastTenMillion);
    EXPECT_EQ(monitor->lastLimit(), LimitReached::Size);
}

TEST_F(RecordingMonitorTest, TimeLimitWinsWhenBothAreReachedOnOneTick) {
    struct Case {
        bool time;
        bool size;
        LimitReached expected;
    };
    for (const Case c :
         {Case{true, true, LimitReached::Time}, Case{false, true, LimitReached::Size},
          Case{true, false, LimitReached::Time}}) {
        now = now.addSecs(1);
        limits.timeLimit = limits.sizeLimit = false;
        monitor->setLimits(limits);
        session->start();
        ASSERT_TRUE(session->isRecording());
        // Past five seconds and past one megabyte (six blocks of WAV).
        ASSERT_TRUE(waitFor([&] {
            return view.timeText >= QStringLiteral("00:00:06") &&
                   QFileInfo(session->outputFilePath()).size() >= 1024 * 1024;
        }));
        limits.maxTimeSeconds = 5;
        monitor->setLimits(limits);
        limits.maxSizeMegabytes = 1;
        monitor->setLimits(limits);
        limits.timeLimit = c.time;
        limits.sizeLimit = c.size;
        monitor->setLimits(limits);
        EXPECT_TRUE(waitFor([&] { return !session->isRecording(); }));
        EXPECT_EQ(monitor->lastLimit(), c.expected);
    }
}

TEST_F(RecordingMonitorTest, TicksShowTimeAndSizeAndFeedTheDisplayOnlyWhenTicked) {
    session->start();
    const int shownAtStart = view.samplesShown;
    ASSERT_TRUE(waitFor([&] { return view.timeText >= QStringLiteral("00:00:02"); }));
    EXPECT_EQ(view.samplesShown, shownAtStart); // preview cleared: the pane stays still
    EXPECT_TRUE(view.sizeText.endsWith(QStringLiteral(" KB")));
    session->stop();

    view.previewChecked = true;
    now = now.addSecs(1);
    session->start();
    const int shownBefore = view.samplesShown;
    ASSERT_TRUE(waitFor([&] { return view.samplesShown > shownBefore + 2; }));
    EXPECT_EQ(view.lastShown.size(), 2u * 1024u); // channels × 1024 of the latest samples
}

TEST_F(RecordingMonitorTest, ExternalVolumeChangeMovesTheKnobUnlessDragged) {
    view.previewChecked = true;
    view.trackHeight = 200;
    view.runPreviewClick();
    backend->simulateExternalVolumeChange(0, 0, 16384);
    ASSERT_TRUE(waitFor([&] { return view.knobPosition >= 0; }));
    EXPECT_EQ(view.knobPosition, InputVolumeKnobPosition(200, 16384));
    EXPECT_EQ(view.knobPosition, 150);

    knobHeld = true;
    view.knobPosition = -1;
    backend->simulateExternalVolumeChange(0, 0, 0);
    // The change arrives (the recorder reports it), but the knob stays.
    bool arrived = false;
    QObject::connect(&session->recorder(), &AudioRecord::GainChange, [&] { arrived = true; });
    backend->simulateExternalVolumeChange(0, 0, 100);
    ASSERT_TRUE(waitFor([&] { return arrived; }));
    EXPECT_EQ(view.knobPosition, -1);
}

} // namespace
} // namespace quillotap::test
