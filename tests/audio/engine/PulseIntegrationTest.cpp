// The recorder and the player on a real PulseAudio server: a private one with
// a 440 Hz sine source and a null output whose monitor can be recorded.
#include "EngineTestHelpers.h"

#include "audio/AudioPlayer.h"
#include "audio/AudioRecord.h"
#include "audio/backends/PulseBackend.h"
#include "support/PrivatePulse.h"
#include "support/ToneAnalysis.h"

#include <gtest/gtest.h>

namespace quillotap {
namespace {

using test::waitFor;

class PulseTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new test::PrivatePulse; }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(server->ok()) << server->error().toStdString();
        backend = std::make_shared<PulseBackend>();
        ASSERT_TRUE(backend->isConnected()) << backend->lastError().toStdString();
    }

    // Index of the device whose server name is `name`, found through pactl's
    // description of it.
    int deviceNamed(const QString& description) const {
        for (int i = 0; i < backend->deviceCount(); ++i)
            if (backend->deviceName(i) == description)
                return i;
        return -1;
    }
    static QString descriptionOf(const QString& source) {
        QString out;
        server->pactl({QStringLiteral("list"), QStringLiteral("sources")}, &out);
        bool inSource = false;
        for (const QString& line : out.split(QLatin1Char('\n'))) {
            const QString t = line.trimmed();
            if (t.startsWith(QLatin1String("Name: ")))
                inSource = t.mid(6) == source;
            else if (inSource && t.startsWith(QLatin1String("Description: ")))
                return t.mid(13);
        }
        return {};
    }

    // Records `seconds` whole blocks of one second.
    static SampleBlock record(AudioRecord& recorder, int rate, int channels, int seconds) {
        recorder.SetFormat(rate, channels);
        recorder.SetBufferSize(recorder.GetBufferSize(1000));
        SampleBlock all;
        int blocks = 0;
        const auto connection = QObject::connect(&recorder, &AudioRecord::EndArrayRecord, [&] {
            const SampleBlock b = recorder.GetRecordedBuffer();
            all.insert(all.end(), b.begin(), b.end());
            ++blocks;
        });
        recorder.Start();
        EXPECT_EQ(recorder.GetStatus(), 0) << recorder.GetErrorText().toStdString();
        EXPECT_TRUE(waitFor([&] { return blocks >= seconds; }, 30000));
        recorder.Stop();
        QObject::disconnect(connection);
        return all;
    }

    static test::PrivatePulse* server;
    std::shared_ptr<PulseBackend> backend;
};

test::PrivatePulse* PulseTest::server = nullptr;

TEST_F(PulseTest, ListsSourcesWithTheDefaultSelected) {
    AudioRecord recorder(backend);
    ASSERT_GE(recorder.GetDeviceCount(), 2); // sine and the output's monitor
    const int sine = deviceNamed(descriptionOf(QStringLiteral("sine")));
    ASSERT_GE(sine, 0);
    EXPECT_EQ(recorder.GetDevice(), sine);
    EXPECT_TRUE(recorder.GetDeviceValid());
    EXPECT_GE(deviceNamed(descriptionOf(QStringLiteral("out.monitor"))), 0);
    recorder.SetDevice(recorder.GetDeviceCount()); // one past the end
    EXPECT_FALSE(recorder.GetDeviceValid());

    // Sources without ports have one line named after them, always selected.
    recorder.SetDevice(sine);
    ASSERT_EQ(recorder.GetLineCount(), 1);
    recorder.SelectLine(0);
    EXPECT_EQ(recorder.GetLineName(), recorder.GetDeviceName());
    EXPECT_TRUE(recorder.GetLineSelected());
    EXPECT_TRUE(recorder.GetLineHasVolume());
    EXPECT_EQ(recorder.GetLineVolume(), 65535);
}

TEST_F(PulseTest, RecordsTheSineSource) {
    AudioRecord recorder(backend);
    const SampleBlock samples = record(recorder, 44100, 1, 2);
    ASSERT_GE(samples.size(), 88200u);
    EXPECT_NEAR(test::dominantFrequency(samples, 44100, 1), 440.0, 2.0);
    EXPECT_GT(test::rmsLevel(samples), 0.05);
}

TEST_F(PulseTest, LineVolumeIsTheSourceVolumeAndOutsideChangesRaiseGainChange) {
    AudioRecord recorder(backend);
    recorder.SetDevice(deviceNamed(descriptionOf(QStringLiteral("sine"))));
    recorder.SelectLine(0);
    recorder.SetLineVolume(32768);
    EXPECT_EQ(recorder.GetLineVolume(), 32768);
    ASSERT_TRUE(waitFor([&] {
        QString out;
        server->pactl({QStringLiteral("get-source-volume"), QStringLiteral("sine")}, &out);
        return out.contains(QLatin1String(" 50%"));
    }));

    std::vector<int> gains;
    QObject::connect(&recorder, &AudioRecord::GainChange, [&](int v) { gains.push_back(v); });
    recorder.SetFormat(8000, 1);
    recorder.Start();
    ASSERT_TRUE(server->pactl(
        {QStringLiteral("set-source-volume"), QStringLiteral("sine"), QStringLiteral("25%")}));
    ASSERT_TRUE(waitFor([&] { return !gains.empty(); }, 10000));
    recorder.Stop();
    EXPECT_NEAR(gains.back(), 16384, 2);
    EXPECT_NEAR(recorder.GetLineVolume(), 16384, 2);
    server->pactl(
        {QStringLiteral("set-source-volume"), QStringLiteral("sine"), QStringLiteral("100%")});
}

TEST_F(PulseTest, PlaysToTheDefaultOutput) {
    const int rate = 44100;
    AudioPlayer player(backend);
    player.SetFormat(rate, 2);
    const SampleBlock tone = test::makeTone(1000.0, rate, 2, rate * 3, 0.5);
    size_t fed = 0;
    const size_t blockSize = size_t(player.GetBufferSize(200));
    int ends = 0;
    const auto feed = [&] {
        if (fed >= tone.size())
            return;
        const size_t n = std::min(blockSize, tone.size() - fed);
        player.QueueSamples(
            SampleBlock(tone.begin() + qsizetype(fed), tone.begin() + qsizetype(fed + n)));
        fed += n;
    };
    QObject::connect(&player, &AudioPlayer::RequestOnLoadArray, feed);
    QObject::connect(&player, &AudioPlayer::EndArrayPlay, feed);
    QObject::connect(&player, &AudioPlayer::EndPlay, [&] { ++ends; });

    // Listen to the output through its monitor while the tone plays.
    AudioRecord recorder(backend);
    recorder.SetDevice(deviceNamed(descriptionOf(QStringLiteral("out.monitor"))));
    recorder.SetFormat(rate, 1);
    recorder.SetBufferSize(rate / 2);
    SampleBlock heard;
    QObject::connect(&recorder, &AudioRecord::EndArrayRecord, [&] {
        const SampleBlock b = recorder.GetRecordedBuffer();
        heard.insert(heard.end(), b.begin(), b.end());
    });
    recorder.Start();
    ASSERT_EQ(recorder.GetStatus(), 0) << recorder.GetErrorText().toStdString();

    player.Start();
    ASSERT_EQ(player.GetStatus(), 0);
    feed();
    ASSERT_TRUE(waitFor([&] { return ends > 0; }, 30000));
    EXPECT_EQ(fed, tone.size());
    EXPECT_GE(player.GetPosition(), qint64(rate) * 3);
    player.Stop();
    recorder.Stop();

    ASSERT_GE(heard.size(), size_t(rate) * 2);
    EXPECT_NEAR(test::dominantFrequency(heard, rate, 1), 1000.0, 3.0);
    EXPECT_GT(test::rmsLevel(heard), 0.1);
}

TEST_F(PulseTest, PlayerVolumeIsTheStreamVolume) {
    AudioPlayer player(backend);
    player.SetFormat(44100, 2);
    player.SetVolume(32768);
    player.Start();
    ASSERT_EQ(player.GetStatus(), 0);
    for (int i = 0; i < 3; ++i)
        player.QueueSamples(test::makeTone(500.0, 44100, 2, 44100));
    const auto streamVolume = [] {
        QString out;
        server->pactl({QStringLiteral("list"), QStringLiteral("sink-inputs")}, &out);
        return out;
    };
    EXPECT_TRUE(waitFor([&] { return streamVolume().contains(QLatin1String(" 50%")); }, 10000))
        << streamVolume().toStdString();
    player.SetMute(true);
    EXPECT_TRUE(
        waitFor([&] { return streamVolume().contains(QLatin1String("Mute: yes")); }, 10000));
    EXPECT_TRUE(player.GetMute());
    EXPECT_EQ(player.GetVolume(), 32768);
    player.Stop();
    player.SetMute(false);
    player.SetVolume(65535);
}

TEST(PulseUnreachable, NoServerMeansNoDevicesAndAFailedStart) {
    const QByteArray old = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", "unix:/nonexistent/quillotap-test/native");
    auto backend = std::make_shared<PulseBackend>();
    AudioRecord recorder(backend);
    EXPECT_EQ(recorder.GetDeviceCount(), 0);
    EXPECT_FALSE(recorder.GetDeviceValid());
    recorder.Start();
    EXPECT_LT(recorder.GetStatus(), 0);
    EXPECT_FALSE(recorder.GetErrorText().isEmpty());
    AudioPlayer player(backend);
    player.Start();
    EXPECT_LT(player.GetStatus(), 0);
    if (old.isEmpty())
        qunsetenv("PULSE_SERVER");
    else
        qputenv("PULSE_SERVER", old);
}

} // namespace
} // namespace quillotap
