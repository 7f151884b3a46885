// Capture through AudioRecord on the synthetic back end: block cutting,
// events, levels, lines, devices and the error paths.
#include "EngineTestHelpers.h"

#include "audio/AudioRecord.h"
#include "audio/backends/SyntheticBackend.h"
#include "support/ToneAnalysis.h"

#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace quillotap {
namespace {

using test::waitFor;

class RecorderTest : public ::testing::Test {
protected:
    void SetUp() override {
        backend->setSpeed(40);
        backend->setDevices(SyntheticBackend::parseDevices(
            QStringLiteral("Generator:Counter|Sine 440 Hz|Silence#novolume#nobalance")));
    }

    std::shared_ptr<SyntheticBackend> backend = std::make_shared<SyntheticBackend>();
};

struct BlockCase {
    int rate;
    int channels;
    int blockSize;
    friend void PrintTo(const BlockCase& c, std::ostream* os) {
        *os << c.rate << "Hz_" << c.channels << "ch_block" << c.blockSize;
    }
};

class RecorderBlocks : public RecorderTest, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(RecorderBlocks, HandsOutEveryBlockOnceInOrderThenTheRemainder) {
    const BlockCase c = GetParam();
    AudioRecord recorder(backend);
    recorder.SetFormat(c.rate, c.channels);
    recorder.SetBufferSize(c.blockSize);

    std::vector<int> numbers;
    qint64 next = 0;
    qint64 wrong = -1;
    qint64 lastTimerFrames = 0;
    bool timerWentBack = false;
    QObject::connect(&recorder, &AudioRecord::EndArrayRecord, [&](int n) {
        numbers.push_back(n);
        const SampleBlock block = recorder.GetRecordedBuffer();
        EXPECT_EQ(block.size(), size_t(c.blockSize));
        const qint64 w = test::followsCounter(block, &next);
        if (wrong < 0)
            wrong = w;
    });
    QObject::connect(&recorder, &AudioRecord::Timer, [&](qint64 frames, int, int) {
        timerWentBack = timerWentBack || frames < lastTimerFrames;
        lastTimerFrames = frames;
    });

    recorder.Start();
    ASSERT_EQ(recorder.GetStatus(), 0) << recorder.GetErrorText().toStdString();
    ASSERT_TRUE(waitFor([&] { return numbers.size() >= 4 && lastTimerFrames > 0; }));
    recorder.Stop();
    EXPECT_FALSE(recorder.IsRunning());

    // After the stop: completed blocks not yet announced, then the partial
    // remainder, then nothing.
    SampleBlock block;
    size_t partials = 0;
    while (!(block = recorder.GetRecordedBuffer()).empty()) {
        EXPECT_LE(block.size(), size_t(c.blockSize));
        partials += block.size() < size_t(c.blockSize) ? 1 : 0;
        const qint64 w = test::followsCounter(block, &next);
        if (wrong < 0)
            wrong = w;
    }
    EXPECT_LE(partials, 1u);
    EXPECT_TRUE(recorder.GetRecordedBuffer().empty());
    EXPECT_EQ(wrong, -1) << "element " << wrong << " out of sequence";
    EXPECT_EQ(next, backend->capturedFrames() * c.channels);
    EXPECT_FALSE(timerWentBack);
    EXPECT_LE(lastTimerFrames * c.channels, next);
    for (size_t i = 0; i < numbers.size(); ++i)
        EXPECT_EQ(numbers[i], int(i) + 1);

    // No event of the stopped run arrives later.
    const size_t announced = numbers.size();
    QCoreApplication::processEvents();
    EXPECT_EQ(numbers.size(), announced);
}

INSTANTIATE_TEST_SUITE_P(Formats, RecorderBlocks,
                         ::testing::Values(BlockCase{44100, 2, 88200}, BlockCase{8000, 1, 8000},
                                           BlockCase{22050, 2, 777}, BlockCase{8000, 1, 3}));

TEST(RecorderFormat, BufferSizeAndDurationFollowTheFormat) {
    struct Case {
        int rate, channels, ms, elements;
    };
    auto backend = std::make_shared<SyntheticBackend>();
    AudioRecord recorder(backend);
    for (const Case c : {Case{44100, 2, 1000, 88200}, Case{8000, 1, 1000, 8000},
                         Case{48000, 2, 200, 19200}, Case{22050, 1, 3000, 66150}}) {
        recorder.SetFormat(c.rate, c.channels);
        EXPECT_EQ(recorder.GetBufferSize(c.ms), c.elements) << c.rate << "/" << c.channels;
        EXPECT_EQ(recorder.SamplesToMilliseconds(c.rate * 3), 3000);
    }
    // A format the recorder cannot take leaves the previous one and says so.
    recorder.SetFormat(8000, 1);
    recorder.SetFormat(0, 7);
    EXPECT_LT(recorder.GetStatus(), 0);
    EXPECT_FALSE(recorder.GetErrorText().isEmpty());
    EXPECT_EQ(recorder.GetBufferSize(1000), 8000);
}

struct GainCase {
    int volume;
    int balance;
    double left;
    double right;
    friend void PrintTo(const GainCase& c, std::ostream* os) {
        *os << "volume" << c.volume << "_balance" << c.balance;
    }
};

class RecorderGain : public RecorderTest, public ::testing::WithParamInterface<GainCase> {};

TEST_P(RecorderGain, LineVolumeAndBalanceScaleTheSignal) {
    const GainCase c = GetParam();
    AudioRecord recorder(backend);
    recorder.SelectLine(1); // Sine 440 Hz
    recorder.SetLineSelected(true);
    recorder.SetLineVolume(c.volume);
    recorder.SetLineBalance(c.balance);
    EXPECT_EQ(recorder.GetLineVolume(), c.volume);
    EXPECT_EQ(recorder.GetLineBalance(), c.balance);

    recorder.SetFormat(44100, 2);
    int peakLeft = -1;
    int peakRight = -1;
    QObject::connect(&recorder, &AudioRecord::Timer, [&](qint64, int l, int r) {
        peakLeft = l;
        peakRight = r;
    });
    recorder.Start();
    ASSERT_TRUE(waitFor([&] { return recorder.GetLastSamples(8192 * 2).size() == 8192 * 2; }));
    ASSERT_TRUE(waitFor([&] { return peakLeft >= 0; }));
    const SampleBlock last = recorder.GetLastSamples(8192 * 2);
    recorder.Stop();

    const double fullRms = 16384.0 / std::sqrt(2.0);
    EXPECT_NEAR(test::channelRms(last, 2, 0), fullRms * c.left, fullRms * 0.02 + 1);
    EXPECT_NEAR(test::channelRms(last, 2, 1), fullRms * c.right, fullRms * 0.02 + 1);
    EXPECT_NEAR(peakLeft, 16384 * c.left, 16384 * 0.02 + 1);
    EXPECT_NEAR(peakRight, 16384 * c.right, 16384 * 0.02 + 1);
    if (c.left > 0) {
        EXPECT_NEAR(test::dominantFrequency(last, 44100, 2), 440.0, 3.0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, RecorderGain,
    ::testing::Values(GainCase{65535, 50, 1.0, 1.0}, GainCase{32768, 50, 0.5, 0.5},
                      GainCase{65535, 0, 1.0, 0.0}, GainCase{65535, 100, 0.0, 1.0},
                      GainCase{65535, 75, 0.5, 1.0}, GainCase{16384, 25, 0.25, 0.125}));

TEST_F(RecorderTest, LinesAreListedSelectedAndDescribed) {
    AudioRecord recorder(backend);
    ASSERT_EQ(recorder.GetLineCount(), 3);
    const QStringList expected{"Counter", "Sine 440 Hz", "Silence"};
    // The caller walks 0..count inclusive; the index past the end is blank.
    QStringList names;
    for (int i = 0; i <= recorder.GetLineCount(); ++i) {
        recorder.SelectLine(i);
        names << recorder.GetLineName();
    }
    EXPECT_EQ(names, expected + QStringList{QString()});
    EXPECT_FALSE(recorder.GetLineSelected());
    EXPECT_FALSE(recorder.GetLineHasVolume());

    recorder.SelectLine(0);
    EXPECT_TRUE(recorder.GetLineSelected());
    recorder.SelectLine(2);
    EXPECT_FALSE(recorder.GetLineSelected());
    EXPECT_FALSE(recorder.GetLineHasVolume());
    EXPECT_FALSE(recorder.GetLineHasBalance());
    recorder.SetLineVolume(100);
    EXPECT_EQ(recorder.GetLineVolume(), 65535); // no volume control: unchanged
    recorder.SetLineSelected(true);
    EXPECT_TRUE(recorder.GetLineSelected());
    recorder.SelectLine(0);
    EXPECT_FALSE(recorder.GetLineSelected());

    // The selected line is what gets recorded: silence now.
    recorder.SetFormat(8000, 1);
    int peak = -1;
    QObject::connect(&recorder, &AudioRecord::Timer, [&](qint64, int l, int) { peak = l; });
    recorder.Start();
    ASSERT_TRUE(waitFor([&] { return peak >= 0; }));
    recorder.Stop();
    EXPECT_EQ(peak, 0);
}

TEST(RecorderDevices, ListingSkipsUnusableIndexesAndStartsOnTheDefault) {
    auto backend = std::make_shared<SyntheticBackend>();
    backend->setDevices(
        SyntheticBackend::parseDevices(QStringLiteral("Mic:Sine 440 Hz|Silence;Broken!;Empty:")));
    backend->setDefaultDevice(2);
    AudioRecord recorder(backend);
    EXPECT_EQ(recorder.GetDevice(), 2);
    ASSERT_EQ(recorder.GetDeviceCount(), 3);

    QStringList listed;
    std::vector<int> lineCounts;
    for (int i = 0; i <= recorder.GetDeviceCount(); ++i) {
        recorder.SetDevice(i);
        if (recorder.GetDeviceValid()) {
            listed << recorder.GetDeviceName();
            lineCounts.push_back(recorder.GetLineCount());
        }
    }
    EXPECT_EQ(listed, (QStringList{"Mic", "Empty"}));
    EXPECT_EQ(lineCounts, (std::vector<int>{2, 0}));

    // A default past the end is reported as it is, and is not usable.
    backend->setDefaultDevice(7);
    AudioRecord other(backend);
    EXPECT_EQ(other.GetDevice(), 7);
    EXPECT_FALSE(other.GetDeviceValid());
    EXPECT_EQ(other.GetLineCount(), 0);
    EXPECT_TRUE(other.GetDeviceName().isEmpty());
}

TEST(RecorderDevices, StartFailsWithANegativeStatusAndNoEvents) {
    auto backend = std::make_shared<SyntheticBackend>();
    backend->setSpeed(40);
    backend->setDevices(SyntheticBackend::parseDevices(QStringLiteral("Mic;Broken!")));
    AudioRecord recorder(backend);
    int events = 0;
    QObject::connect(&recorder, &AudioRecord::EndArrayRecord, [&] { ++events; });
    QObject::connect(&recorder, &AudioRecord::Timer, [&] { ++events; });

    const auto failsToStart = [&](const char* what) {
        recorder.Start();
        EXPECT_LT(recorder.GetStatus(), 0) << what;
        EXPECT_FALSE(recorder.GetErrorText().isEmpty()) << what;
        EXPECT_FALSE(recorder.IsRunning()) << what;
        EXPECT_TRUE(recorder.GetRecordedBuffer().empty()) << what;
        recorder.Stop(); // harmless
    };
    backend->setCaptureFailure(true);
    failsToStart("injected failure");
    backend->setCaptureFailure(false);
    recorder.SetDevice(1);
    failsToStart("unusable device");
    recorder.SetDevice(5);
    failsToStart("no such device");
    QCoreApplication::processEvents();
    EXPECT_EQ(events, 0);

    recorder.SetDevice(0);
    recorder.Start();
    EXPECT_EQ(recorder.GetStatus(), 0);
    EXPECT_TRUE(recorder.GetErrorText().isEmpty());
    EXPECT_TRUE(waitFor([&] { return events > 0; }));
}

TEST_F(RecorderTest, StartWhileRunningBeginsAFreshRun) {
    AudioRecord recorder(backend);
    recorder.SetFormat(8000, 1);
    recorder.SetBufferSize(400);
    std::vector<int> numbers;
    QObject::connect(&recorder, &AudioRecord::EndArrayRecord, [&](int n) { numbers.push_back(n); });
    recorder.Start();
    ASSERT_TRUE(waitFor([&] { return numbers.size() >= 3; }));

    // Blocks of the first run that nobody fetched are not handed out later.
    numbers.clear();
    recorder.Start();
    ASSERT_TRUE(recorder.IsRunning());
    ASSERT_TRUE(waitFor([&] { return !numbers.empty(); }));
    EXPECT_EQ(numbers.front(), 1);
    qint64 next = 0;
    EXPECT_EQ(test::followsCounter(recorder.GetRecordedBuffer(), &next), -1);
    recorder.Stop();
    recorder.Stop();
    EXPECT_FALSE(recorder.IsRunning());
}

TEST_F(RecorderTest, DestroyingARunningRecorderIsSafe) {
    backend->setSpeed(400);
    for (int i = 0; i < 5; ++i) {
        auto recorder = std::make_unique<AudioRecord>(backend);
        recorder->SetBufferSize(64);
        recorder->Start();
        ASSERT_TRUE(waitFor([&] { return !recorder->GetLastSamples(64).empty(); }));
        recorder.reset(); // events still queued for it must not arrive
        QCoreApplication::processEvents();
    }
}

TEST_F(RecorderTest, GainChangeFollowsOutsideVolumeChangesOfTheSelectedLine) {
    AudioRecord recorder(backend);
    recorder.SelectLine(1);
    std::vector<int> gains;
    QObject::connect(&recorder, &AudioRecord::GainChange, [&](int v) { gains.push_back(v); });

    backend->simulateExternalVolumeChange(0, 1, 1000); // idle: no event
    QCoreApplication::processEvents();
    recorder.Start();
    backend->simulateExternalVolumeChange(0, 0, 2000); // another line
    backend->simulateExternalVolumeChange(0, 1, 3000);
    ASSERT_TRUE(waitFor([&] { return !gains.empty(); }));
    recorder.Stop();
    EXPECT_EQ(gains, std::vector<int>{3000});
    EXPECT_EQ(recorder.GetLineVolume(), 3000);
}

TEST_F(RecorderTest, LastSamplesAreTheNewestWholeFrames) {
    AudioRecord recorder(backend);
    recorder.SetFormat(8000, 2);
    recorder.SetBufferSize(1000);
    EXPECT_TRUE(recorder.GetLastSamples(100).empty()); // nothing recorded yet
    std::vector<SampleBlock> blocks;
    QObject::connect(&recorder, &AudioRecord::EndArrayRecord,
                     [&] { blocks.push_back(recorder.GetRecordedBuffer()); });
    recorder.Start();
    ASSERT_TRUE(waitFor([&] { return blocks.size() >= 2; }));
    recorder.Stop();
    SampleBlock all;
    for (const auto& b : blocks)
        all.insert(all.end(), b.begin(), b.end());
    SampleBlock rest;
    while (!(rest = recorder.GetRecordedBuffer()).empty())
        all.insert(all.end(), rest.begin(), rest.end());

    const SampleBlock last = recorder.GetLastSamples(501); // rounded to whole frames
    ASSERT_EQ(last.size(), 500u);
    EXPECT_TRUE(std::equal(last.begin(), last.end(), all.end() - 500));
    EXPECT_TRUE(recorder.GetLastSamples(0).empty());
    EXPECT_TRUE(recorder.GetLastSamples(-3).empty());
}

} // namespace
} // namespace quillotap
