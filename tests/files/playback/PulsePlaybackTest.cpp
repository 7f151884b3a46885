// Pause and continue on a real PulseAudio server (a private one with a null
// output): the output's monitor is recorded while a file whose frames carry
// their own index plays, so the recording shows exactly which frames were
// sounded, where the pause cut them off and where playback resumed.
#include "audio/AudioFile.h"
#include "audio/AudioPlayer.h"
#include "audio/AudioRecord.h"
#include "audio/AudioVisualizationEx2.h"
#include "audio/backends/PulseBackend.h"
#include "files/Playback.h"
#include "support/PrivatePulse.h"
#include "widgets/PictureSlider.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace quillotap::test {
namespace {

constexpr int Rate = 44100;
constexpr qint64 FileFrames = 4 * Rate;
// How far the kept position may lie from the sound heard. The test's output
// is a null sink, whose clock drifts from real time by a few tens of
// milliseconds when the machine is starved (parallel tests, sanitizers); a
// position that ignored the output's latency would be off by its whole
// buffer, half a second.
constexpr qint64 Tolerance = Rate / 20; // 50 ms

// Stereo frame f holds f in its two channels (low and high half, the high
// half plus one), so no frame of the file is silence.
SampleBlock IndexedFrames(qint64 frames) {
    SampleBlock block(std::size_t(frames) * 2);
    for (qint64 f = 0; f < frames; ++f) {
        block[std::size_t(2 * f)] = int16_t(uint16_t(f & 0xffff));
        block[std::size_t(2 * f + 1)] = int16_t(uint16_t((f >> 16) + 1));
    }
    return block;
}

// The file frame indexes in a recording of the output, in the order heard;
// silence is left out.
std::vector<qint64> HeardFrames(const SampleBlock& recorded) {
    std::vector<qint64> frames;
    for (std::size_t i = 0; i + 1 < recorded.size(); i += 2) {
        const auto low = uint16_t(recorded[i]);
        const auto high = uint16_t(recorded[i + 1]);
        if (low == 0 && high == 0)
            continue;
        frames.push_back((qint64(high) - 1) << 16 | low);
    }
    return frames;
}

class PulsePlaybackTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server_ = new PrivatePulse; }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }

    void SetUp() override {
        ASSERT_TRUE(server_->ok()) << server_->error().toStdString();
        backend_ = std::make_shared<PulseBackend>();
        ASSERT_TRUE(backend_->isConnected()) << backend_->lastError().toStdString();
        slider_ = new PictureSlider(Qt::Horizontal, 100, &host_);
        slider_->resize(201, 21);
        playback_ = std::make_unique<Playback>(
            PlaybackControls{slider_, new AudioVisualizationEx2(&host_), new QLabel(&host_),
                             new QLabel(&host_), new QPushButton(QStringLiteral("Pause"), &host_)},
            nullptr, backend_);
        file_ = dir_.filePath(QStringLiteral("indexed.wav"));
        AudioFile writer;
        writer.SetWAVFormat(Rate, 2, 16);
        writer.CreateForWriting(file_);
        ASSERT_GE(writer.GetStatus(), 0) << writer.GetErrorText().toStdString();
        ASSERT_TRUE(writer.WriteSamples(IndexedFrames(FileFrames)));
        writer.CloseWriter();
    }

    void TearDown() override {
        if (playback_)
            playback_->StopPlayback();
        if (monitor_)
            monitor_->Stop();
    }

    // Starts recording the null output's monitor, bit for bit in the
    // output's own format.
    void listen() {
        monitor_ = std::make_unique<AudioRecord>(backend_);
        int device = -1;
        for (int i = 0; i < monitor_->GetDeviceCount(); ++i) {
            monitor_->SetDevice(i);
            if (monitor_->GetDeviceName().contains(QLatin1String("Monitor"), Qt::CaseInsensitive))
                device = i;
        }
        ASSERT_GE(device, 0) << "no monitor source";
        monitor_->SetDevice(device);
        monitor_->SetFormat(Rate, 2);
        monitor_->SetBufferSize(monitor_->GetBufferSize(20));
        QObject::connect(monitor_.get(), &AudioRecord::EndArrayRecord, [this] {
            const SampleBlock block = monitor_->GetRecordedBuffer();
            recorded_.insert(recorded_.end(), block.begin(), block.end());
        });
        monitor_->Start();
        ASSERT_EQ(monitor_->GetStatus(), 0) << monitor_->GetErrorText().toStdString();
        ASSERT_TRUE(QTest::qWaitFor([&] { return recorded_.size() > 0; }, 10000));
    }

    // Waits until the monitor has delivered this much silence after the
    // last sounded frame: everything the output played has arrived by then.
    bool settled(int silentMs = 300) {
        const std::size_t silent = std::size_t(Rate / 1000 * silentMs) * 2;
        return QTest::qWaitFor(
            [&] {
                std::size_t zeros = 0;
                for (auto it = recorded_.rbegin(); it != recorded_.rend() && *it == 0; ++it)
                    ++zeros;
                return zeros >= silent;
            },
            20000);
    }

    static PrivatePulse* server_;
    std::shared_ptr<PulseBackend> backend_;
    QWidget host_;
    QTemporaryDir dir_;
    QString file_;
    PictureSlider* slider_ = nullptr;
    std::unique_ptr<Playback> playback_;
    std::unique_ptr<AudioRecord> monitor_;
    SampleBlock recorded_;
};

PrivatePulse* PulsePlaybackTest::server_ = nullptr;

TEST_F(PulsePlaybackTest, PauseStopsWhereTheSoundStoppedAndContinueSkipsNothing) {
    listen();
    playback_->PlayFile(file_);
    ASSERT_TRUE(playback_->isActive());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return playback_->player().GetPosition() > Rate * 3 / 2; }, 20000));

    playback_->TogglePause();
    ASSERT_TRUE(playback_->isPaused());
    const qint64 pausedAt = playback_->playBase();
    ASSERT_TRUE(settled());
    const std::vector<qint64> before = HeardFrames(recorded_);
    ASSERT_FALSE(before.empty());
    for (std::size_t i = 0; i < before.size(); ++i)
        ASSERT_EQ(before[i], qint64(i)) << "the start of the file plays in order";
    const qint64 soundedToPause = qint64(before.size());
    EXPECT_NEAR(double(pausedAt), double(soundedToPause), double(Tolerance))
        << "the paused position is what the output sounded";

    playback_->TogglePause();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !playback_->isActive(); }, 20000));
    ASSERT_TRUE(settled());
    const std::vector<qint64> all = HeardFrames(recorded_);
    ASSERT_GT(all.size(), before.size());
    const qint64 resumedAt = all[before.size()];
    EXPECT_NEAR(double(resumedAt), double(soundedToPause), double(Tolerance))
        << "continuing neither skips nor repeats more than 50 ms";
    for (std::size_t i = before.size() + 1; i < all.size(); ++i)
        ASSERT_EQ(all[i], all[i - 1] + 1) << "after continuing the file plays in order";
    EXPECT_EQ(all.back(), FileFrames - 1) << "and to its end";
}

// After a jump the position counts from the jump target, not from the old
// sound the server still had to play when the jump came.
TEST_F(PulsePlaybackTest, PauseAfterASeekStopsWhereTheSoundStopped) {
    listen();
    playback_->PlayFile(file_);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return playback_->player().GetPosition() > Rate / 2; }, 20000));
    playback_->SeekPlayback(50);
    ASSERT_EQ(playback_->playBase(), FileFrames / 2);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const std::vector<qint64> heard = HeardFrames(recorded_);
            return !heard.empty() && heard.back() > FileFrames / 2 + Rate / 2;
        },
        20000));
    playback_->TogglePause();
    ASSERT_TRUE(settled());
    const std::vector<qint64> heard = HeardFrames(recorded_);
    ASSERT_FALSE(heard.empty());
    ASSERT_GT(heard.back(), FileFrames / 2) << "the second half was playing";
    EXPECT_NEAR(double(playback_->playBase()), double(heard.back() + 1), double(Tolerance));
}

} // namespace
} // namespace quillotap::test
