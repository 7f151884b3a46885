// How recordings begin: the seconds kept from before Record, the cut at the
// moment a start is asked for, and sound-activated recording that makes a
// file of each burst of sound.
#include "RecordingFixture.h"

#include "recording/PreRollBuffer.h"
#include "recording/RecordingTexts.h"
#include "recording/SoundActivation.h"

#include <QThread>
#include <gtest/gtest.h>

namespace quillotap::test {
namespace {

constexpr int Rate = 44100; // stereo WAV, the format the input is captured in

class PreRollSessionTest : public RecordingFixture {
protected:
    void useLine(const char* line) {
        backend->setDevices(
            SyntheticBackend::parseDevices(QStringLiteral("Mic:") + QString::fromLatin1(line)));
        session->recorder().SetDevice(0);
    }

    // Frames the synthetic capture produced since `from`, with its clock
    // stopped so that the count holds still.
    qint64 pauseClock(qint64 from) {
        backend->setPaused(true);
        qint64 last = -1;
        // A production round already under way still finishes.
        EXPECT_TRUE(waitFor([&] {
            const qint64 now = backend->capturedFrames();
            const bool still = now == last;
            last = now;
            QThread::msleep(20);
            return still;
        }));
        return last - from;
    }
    void runClockUntil(qint64 from, qint64 frames) {
        backend->setPaused(false);
        ASSERT_TRUE(waitFor([&] { return backend->capturedFrames() - from >= frames; }));
    }

    // Whether frame `frame` of a file holds frame `source` of the counter
    // line's capture (its element n is int16_t(n)).
    static bool holdsFrame(const Decoded& d, qint64 frame, qint64 source) {
        return d.samples[size_t(2 * frame)] == int16_t(uint16_t(2 * source)) &&
               d.samples[size_t(2 * frame + 1)] == int16_t(uint16_t(2 * source + 1));
    }
};

TEST(PreRollBufferTest, KeepsTheNewestSecondsInOrderWithinItsFixedStorage) {
    PreRollBuffer buffer(10, 2, 3); // 3 s of 10 Hz stereo: 60 elements
    EXPECT_EQ(buffer.storageBytes(), 3 * 10 * 2 * 2);
    qint64 next = 0;
    const auto block = [&next](int elements) {
        SampleBlock b;
        for (int i = 0; i < elements; ++i)
            b.push_back(int16_t(next++));
        return b;
    };
    buffer.append(block(14));
    EXPECT_EQ(buffer.heldFrames(), 7);
    for (int i = 0; i < 9; ++i) // wraps the ring several times
        buffer.append(block(22));
    buffer.append(block(100)); // longer than the ring: only its end fits
    EXPECT_EQ(buffer.storageBytes(), 3 * 10 * 2 * 2) << "the storage never grows";
    EXPECT_EQ(buffer.heldFrames(), 30);
    SampleBlock held = buffer.take();
    ASSERT_EQ(held.size(), 60u);
    for (size_t i = 0; i < held.size(); ++i)
        EXPECT_EQ(held[i], int16_t(next - 60 + qint64(i))) << i;
    EXPECT_EQ(buffer.heldFrames(), 0);
    EXPECT_TRUE(buffer.take().empty());

    PreRollBuffer off(44100, 2, 0);
    off.append(block(100));
    EXPECT_EQ(off.heldFrames(), 0);
    EXPECT_EQ(off.storageBytes(), 0);
}

TEST(SoundActivationTest, SoundAfterSilenceAndSilenceAfterItsTimeSinceTheLastLoudSample) {
    SoundActivation detector(100, 2, 10, 2); // 10 % of full scale, 2 s of silence
    const int loud = detector.thresholdMagnitude();
    EXPECT_EQ(loud, 3276);
    const auto block = [](int frames, int loudFrame, int value) {
        SampleBlock b(size_t(frames) * 2, 0);
        if (loudFrame >= 0)
            b[size_t(loudFrame) * 2 + 1] = int16_t(value); // the right channel only
        return b;
    };
    using Event = SoundActivation::Event;
    EXPECT_EQ(detector.feed(block(100, 50, loud - 1)), Event::None) << "below the threshold";
    EXPECT_EQ(detector.feed(block(100, 50, -loud)), Event::Sound) << "negative peaks count";
    EXPECT_EQ(detector.feed(block(100, 80, loud)), Event::None) << "still sounding";
    // 19 quiet frames after frame 80, then 100 + 80 more: 199 < 200.
    EXPECT_EQ(detector.feed(block(100, -1, 0)), Event::None);
    EXPECT_EQ(detector.feed(block(80, -1, 0)), Event::None);
    EXPECT_EQ(detector.feed(block(1, -1, 0)), Event::Silence);
    EXPECT_FALSE(detector.sounding());
    EXPECT_EQ(detector.feed(block(500, -1, 0)), Event::None) << "waits for sound again";
    EXPECT_EQ(detector.feed(block(100, 0, 32767)), Event::Sound);
}

TEST_F(PreRollSessionTest, RecordBeginsWithTheSecondsBeforeItAndGoesOnWithoutAGap) {
    useLine("Counter");
    changeStartOptions([&](RecordingStartOptions& o) { o.preRollSeconds = 2; });
    const qint64 start = backend->capturedFrames();
    session->updateStandby();
    ASSERT_TRUE(session->recorder().IsRunning()) << "the input is open for the pre-roll";
    runClockUntil(start, 5 * Rate);
    const qint64 atRecord = pauseClock(start);
    QCoreApplication::processEvents(); // the blocks reach the pre-roll
    EXPECT_LE(session->preRollStorageBytes(), 2 * Rate * 2 * 2) << "bounded by the seconds kept";

    session->start();
    ASSERT_TRUE(session->isRecording()) << view.errors.join(QLatin1Char('\n')).toStdString();
    runClockUntil(start, atRecord + 3 * Rate);
    ASSERT_TRUE(waitFor([&] { return view.timeText >= QStringLiteral("00:00:04"); }))
        << "the elapsed time counts the pre-roll";
    changeStartOptions(
        [&](RecordingStartOptions& o) { o.preRollSeconds = 0; }); // the input closes with the stop
    session->stop();
    const qint64 total = backend->capturedFrames() - start;
    EXPECT_FALSE(session->recorder().IsRunning());

    const Decoded d = decode(session->outputFilePath());
    ASSERT_EQ(d.rate, Rate);
    ASSERT_EQ(d.length, total - (atRecord - 2 * Rate)) << "2 s before Record, then to the stop";
    for (qint64 i = 0; i < d.length; ++i)
        ASSERT_TRUE(holdsFrame(d, i, atRecord - 2 * Rate + i)) << "frame " << i;
}

TEST_F(PreRollSessionTest, WhatIsCapturedBetweenTheCutAndRecordIsLeftOut) {
    useLine("Counter");
    changeStartOptions([&](RecordingStartOptions& o) { o.preRollSeconds = 2; });
    const qint64 start = backend->capturedFrames();
    view.previewChecked = true; // the preview's capture serves the pre-roll too
    view.runPreviewClick();
    runClockUntil(start, 3 * Rate);
    const qint64 atCut = pauseClock(start);
    session->cutPreRoll(); // the start key: the cue plays next
    runClockUntil(start, atCut + Rate);
    const qint64 atRecord = pauseClock(start);
    QCoreApplication::processEvents(); // the blocks of the cue time arrive
    session->start();
    ASSERT_TRUE(session->isRecording());
    runClockUntil(start, atRecord + Rate);
    view.previewChecked = false;
    changeStartOptions([&](RecordingStartOptions& o) { o.preRollSeconds = 0; });
    session->stop();
    const qint64 total = backend->capturedFrames() - start;

    const Decoded d = decode(session->outputFilePath());
    ASSERT_EQ(d.length, 2 * Rate + (total - atRecord));
    for (qint64 i = 0; i < 2 * Rate; ++i)
        ASSERT_TRUE(holdsFrame(d, i, atCut - 2 * Rate + i)) << "frame " << i;
    for (qint64 i = 2 * Rate; i < d.length; ++i)
        ASSERT_TRUE(holdsFrame(d, i, atRecord + i - 2 * Rate)) << "frame " << i;
}

TEST_F(PreRollSessionTest, TimeLimitCountsThePreRoll) {
    useLine("Counter");
    changeStartOptions([&](RecordingStartOptions& o) { o.preRollSeconds = 6; });
    limits.timeLimit = true;
    monitor->setLimits(limits);
    limits.maxTimeSeconds = 5;
    monitor->setLimits(limits);
    const qint64 start = backend->capturedFrames();
    session->updateStandby();
    runClockUntil(start, 7 * Rate);
    session->start();
    ASSERT_TRUE(waitFor([&] { return !session->isRecording(); }));
    EXPECT_EQ(monitor->lastLimit(), LimitReached::Time);
    const Decoded d = decode(session->outputFilePath());
    EXPECT_GE(d.length, 6 * Rate);
    EXPECT_LT(d.length, 8 * Rate) << "stopped at the first tick, not 5 s later";
    EXPECT_TRUE(session->recorder().IsRunning()) << "the input stays open for the next pre-roll";
}

struct BurstCase {
    int preRollSeconds;
    double leadLowest; // seconds of silence before the burst in each file
    double leadHighest;
};

class SoundActivationSessionTest : public PreRollSessionTest,
                                   public ::testing::WithParamInterface<BurstCase> {};

// Bursts of 1 s start 3.5 s, 8 s and 12.5 s after the capture opens; blocks
// are 1 s long.
TEST_P(SoundActivationSessionTest, EachBurstBecomesAFileThatStartsAtItsOnset) {
    const BurstCase c = GetParam();
    useLine("Bursts 1/3.5");
    changeStartOptions([&](RecordingStartOptions& o) { o.preRollSeconds = c.preRollSeconds; });
    changeStartOptions([&](RecordingStartOptions& o) { o.startOnSound = true; });
    changeStartOptions([&](RecordingStartOptions& o) { o.silenceSeconds = 1; });
    changeStartOptions([&](RecordingStartOptions& o) { o.thresholdPercent = 10; });
    QStringList starts;
    QObject::connect(session.get(), &RecordingSession::recordingStarted,
                     [&] { starts << session->outputFileName(); });
    session->start();
    EXPECT_TRUE(session->isArmed());
    EXPECT_FALSE(session->isRecording());
    EXPECT_EQ(view.statusText, "Waiting for sound");
    EXPECT_EQ(view.log.first(), QStringLiteral("disable CmdRecord PicMenu1 ComboFormat CmdSet "
                                               "CheckPreview DeviceCombo ComboSource PicSlider3 "
                                               "PicSlider4"));
    ASSERT_TRUE(waitFor([&] { return starts.size() == 3 && !session->isRecording(); }))
        << starts.size();
    EXPECT_EQ(view.statusText, "Waiting for sound") << "armed again after each burst";
    EXPECT_TRUE(session->isArmed());
    session->stop();
    EXPECT_FALSE(session->isArmed());
    EXPECT_EQ(view.statusText, "Ready to record");
    EXPECT_TRUE(view.log.last().startsWith(QStringLiteral("enable CmdRecord")) ||
                view.log.contains(QStringLiteral("enable CmdRecord PicMenu1 ComboFormat CmdSet "
                                                 "CheckPreview DeviceCombo ComboSource "
                                                 "PicSlider3 PicSlider4")));

    // Each file is named as any recording; one second apart on this clock
    // only because the counter makes them unique.
    ASSERT_EQ(recordings().size(), 3) << recordings().join(QLatin1Char(' ')).toStdString();
    for (const QString& name : recordings()) {
        SCOPED_TRACE(name.toStdString());
        const Decoded d = decode(outputDir.path() + QLatin1Char('/') + name);
        ASSERT_GT(d.length, 0);
        qint64 lead = 0;
        while (lead < d.length && std::abs(int(d.samples[size_t(2 * lead)])) < 3276)
            ++lead;
        EXPECT_GE(double(lead) / Rate, c.leadLowest);
        EXPECT_LT(double(lead) / Rate, c.leadHighest);
        // The burst and the silence after it, up to the end of a block.
        EXPECT_LE(double(d.length - lead) / Rate, 1.0 + 1.0 + 1.01);
        EXPECT_GE(double(d.length - lead) / Rate, 1.0 + 1.0 - 0.01);
    }
}

INSTANTIATE_TEST_SUITE_P(PreRoll, SoundActivationSessionTest,
                         ::testing::Values(BurstCase{0, 0.0, 1.0}, BurstCase{2, 2.0, 3.0}));

TEST_F(PreRollSessionTest, StopWhileArmedDisarmsAndLeavesNoFile) {
    useLine("Silence");
    changeStartOptions([&](RecordingStartOptions& o) { o.startOnSound = true; });
    session->start();
    ASSERT_TRUE(session->isArmed());
    const qint64 start = backend->capturedFrames();
    runClockUntil(start, 3 * Rate);
    QCoreApplication::processEvents();
    EXPECT_EQ(view.statusText, "Waiting for sound");
    session->stop();
    EXPECT_FALSE(session->isArmed());
    EXPECT_FALSE(session->recorder().IsRunning());
    EXPECT_EQ(view.statusText, "Ready to record");
    EXPECT_TRUE(recordings().isEmpty());
    session->stop(); // a second stop does nothing
    EXPECT_EQ(view.log.filter(QStringLiteral("enable CmdRecord")).size(), 1);
}

} // namespace
} // namespace quillotap::test
