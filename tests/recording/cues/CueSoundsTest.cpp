// The cue sounds on the synthetic output: which file plays, for how long the
// caller is held, and that the sound is cut off when the time is over.
#include "recording/CueSounds.h"
#include "audio/AudioFile.h"
#include "audio/backends/SyntheticBackend.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using namespace quillotap;

namespace {

constexpr int kRate = 22050;

// A mono 16-bit WAV of a sine, `seconds` long.
void writeTone(const QString& path, double seconds) {
    AudioFile file;
    file.SetWAVFormat(kRate, 1, 16);
    file.CreateForWriting(path);
    ASSERT_GE(file.GetStatus(), 0) << file.GetErrorText().toStdString();
    SampleBlock block(std::size_t(seconds * kRate));
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = int16_t(8000 * std::sin(2 * M_PI * 660.0 * double(i) / kRate));
    ASSERT_TRUE(file.WriteSamples(block));
    file.CloseWriter();
}

class CueTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString appFolder;
    std::shared_ptr<SyntheticBackend> backend = std::make_shared<SyntheticBackend>();
    std::vector<int> waits;
    qint64 framesAtWaitEnd = -1;
    bool expectSound = true;
    std::unique_ptr<CueSounds> cuesOwned;

    // Stands for the real-time wait: returns once the cue is audible.
    void fakeWait(int ms) {
        waits.push_back(ms);
        QDeadlineTimer deadline(5000);
        while (expectSound && backend->outputFramesPlayed() == 0 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        framesAtWaitEnd = backend->outputFramesPlayed();
    }

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        appFolder = dir.path() + QStringLiteral("/program folder/");
        cuesOwned =
            std::make_unique<CueSounds>(appFolder, backend, [this](int ms) { fakeWait(ms); });
        ASSERT_TRUE(QDir().mkpath(appFolder));
    }
    CueSounds& cuesRef() { return *cuesOwned; }
};

TEST_F(CueTest, MissingFilesMeanNoWaitAndNoSound) {
    CueSounds& cues = cuesRef();
    cues.PlayStartCue();
    cues.PlayStopCue();
    cues.testStartCue();
    EXPECT_TRUE(waits.empty());
    EXPECT_EQ(backend->outputFramesPlayed(), 0);
}

TEST_F(CueTest, EachCuePlaysItsFileForItsTime) {
    CueSounds& cues = cuesRef();
    writeTone(appFolder + "start.wav", 3.0);
    cues.PlayStartCue();
    EXPECT_EQ(waits, std::vector<int>({1000}));
    EXPECT_GT(framesAtWaitEnd, 0);
    cues.PlayStopCue(); // no stop.wav
    EXPECT_EQ(waits.size(), 1u);
    writeTone(appFolder + "stop.wav", 3.0);
    cues.PlayStopCue();
    EXPECT_EQ(waits, std::vector<int>({1000, 500}));
}

TEST_F(CueTest, CueIsCutOffWhenItsTimeIsOver) {
    CueSounds& cues = cuesRef();
    writeTone(appFolder + "start.wav", 3.0);
    cues.PlayStartCue();
    ASSERT_GT(framesAtWaitEnd, 0);
    EXPECT_FALSE(cues.isCuePlaying());
    const qint64 atReturn = backend->outputFramesPlayed();
    EXPECT_LT(atReturn, 3 * kRate);
    QCoreApplication::processEvents();
    EXPECT_EQ(backend->outputFramesPlayed(), atReturn);
    // What sounded is the file's tone, not silence.
    const SampleBlock played = backend->outputSamples();
    ASSERT_FALSE(played.empty());
    EXPECT_GT(*std::max_element(played.begin(), played.end()), 4000);
}

TEST_F(CueTest, SwitchedOffCueIsSilentButTheTestButtonPlaysIt) {
    CueSounds& cues = cuesRef();
    writeTone(appFolder + "start.wav", 0.5);
    writeTone(appFolder + "stop.wav", 0.5);
    cues.setStartCueOn(false);
    cues.setStopCueOn(false);
    EXPECT_FALSE(cues.startCueOn());
    cues.PlayStartCue();
    cues.PlayStopCue();
    EXPECT_TRUE(waits.empty());
    cues.testStartCue();
    cues.testStopCue();
    EXPECT_EQ(waits, std::vector<int>({1000, 500}));
    EXPECT_GT(backend->outputFramesPlayed(), 0);
    // The test buttons leave the cues switched off.
    EXPECT_FALSE(cues.startCueOn());
    EXPECT_FALSE(cues.stopCueOn());
    cues.PlayStartCue();
    EXPECT_EQ(waits.size(), 2u);
}

TEST_F(CueTest, UnreadableFileStillTakesItsTime) {
    CueSounds& cues = cuesRef();
    QFile bad(appFolder + "stop.wav");
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a sound file");
    bad.close();
    expectSound = false;
    cues.PlayStopCue();
    EXPECT_EQ(waits, std::vector<int>({500}));
    EXPECT_EQ(backend->outputFramesPlayed(), 0);
    EXPECT_FALSE(cues.isCuePlaying());
}

TEST(CueRealTime, TheDefaultWaitHoldsTheCallerInRealTime) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    writeTone(folder + "stop.wav", 0.2);
    auto backend = std::make_shared<SyntheticBackend>();
    backend->setSpeed(50); // the sound's clock runs fast; the wait must not
    CueSounds cues(folder, backend);
    QElapsedTimer timer;
    timer.start();
    cues.PlayStopCue();
    EXPECT_GE(timer.elapsed(), 500);
    EXPECT_GT(backend->outputFramesPlayed(), 0);
    EXPECT_FALSE(cues.isCuePlaying());
}

TEST(CueFiles, ShippedCuesAreShortMonoPcm) {
    // The build puts the cue files beside the program, and the test
    // programs beside it too.
    QString bin = qEnvironmentVariable("QUILLOTAP_BIN_DIR");
    if (bin.isEmpty())
        bin = QCoreApplication::applicationDirPath();
    struct Case {
        const char* name;
        double minSeconds, maxSeconds;
    };
    for (const Case& c : {Case{"start.wav", 0.4, 0.6}, Case{"stop.wav", 0.3, 0.4}}) {
        const QString path = bin + "/" + c.name;
        AudioFile file;
        file.OpenForReading(path);
        ASSERT_GE(file.GetStatus(), 0) << c.name;
        EXPECT_EQ(file.GetChannels(), 1) << c.name;
        const double seconds = double(file.GetLength()) / file.GetSampleRate();
        EXPECT_GE(seconds, c.minSeconds) << c.name;
        EXPECT_LE(seconds, c.maxSeconds) << c.name;
        EXPECT_LT(QFileInfo(path).size(), 50 * 1024) << c.name;
    }
}

} // namespace
