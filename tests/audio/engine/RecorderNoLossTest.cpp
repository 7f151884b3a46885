// A long recording on a fast clock while the UI thread is blocked now and
// then: every captured element reaches the caller exactly once, in order.
#include "EngineTestHelpers.h"

#include "audio/AudioRecord.h"
#include "audio/backends/SyntheticBackend.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <thread>

namespace quillotap {
namespace {

TEST(RecorderNoLoss, TenMinutesWithABlockedUiThreadLoseNothing) {
    constexpr int kRate = 44100;
    constexpr int kChannels = 2;
    constexpr qint64 kTargetFrames = qint64(kRate) * 600;
    constexpr int kStalls = 3;

    auto backend = std::make_shared<SyntheticBackend>();
    backend->setDevices(SyntheticBackend::parseDevices(QStringLiteral("Counter:Counter")));
    backend->setSpeed(150);
    AudioRecord recorder(backend);
    recorder.SetFormat(kRate, kChannels);
    const int blockSize = recorder.GetBufferSize(1000);
    recorder.SetBufferSize(blockSize);

    qint64 next = 0;
    qint64 wrong = -1;
    int events = 0;
    int shortBlocks = 0;
    qint64 timerFrames = 0;
    int timers = 0;
    const auto take = [&](const SampleBlock& block) {
        const qint64 w = test::followsCounter(block, &next);
        if (wrong < 0)
            wrong = w;
    };
    QObject::connect(&recorder, &AudioRecord::EndArrayRecord, [&] {
        ++events;
        const SampleBlock block = recorder.GetRecordedBuffer();
        shortBlocks += block.size() == size_t(blockSize) ? 0 : 1;
        take(block);
    });
    QObject::connect(&recorder, &AudioRecord::Timer, [&](qint64 frames, int, int) {
        timerFrames = frames;
        ++timers;
    });

    recorder.Start();
    ASSERT_EQ(recorder.GetStatus(), 0);
    int stalls = 0;
    QElapsedTimer guard;
    guard.start();
    while (timerFrames < kTargetFrames) {
        ASSERT_LT(guard.elapsed(), 240000) << "the recording did not progress";
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        // A blocked UI thread (a cue wait, a modal loop doing heavy work):
        // the capture goes on meanwhile.
        if (stalls < kStalls && timerFrames > (stalls + 1) * kTargetFrames / (kStalls + 1)) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            ++stalls;
        }
    }
    recorder.Stop();
    SampleBlock block;
    while (!(block = recorder.GetRecordedBuffer()).empty())
        take(block);

    EXPECT_EQ(stalls, kStalls);
    EXPECT_EQ(wrong, -1) << "element " << wrong << " out of sequence";
    EXPECT_EQ(shortBlocks, 0);
    EXPECT_EQ(next, backend->capturedFrames() * kChannels);
    EXPECT_GE(next / kChannels, kTargetFrames);
    // Every second completed before the last progress event was announced.
    EXPECT_GE(events, 600);
    EXPECT_LE(events, int(next / blockSize));
    // Progress events are coalesced: a few per second of audio at most.
    EXPECT_LE(timers, int(next / kChannels / (kRate / 10)) + 1);
}

} // namespace
} // namespace quillotap
