// Real recordings from a private PulseAudio server's 440 Hz sine source.
#include "RecordingFixture.h"

#include "audio/backends/PulseBackend.h"
#include "support/PrivatePulse.h"
#include "support/ToneAnalysis.h"

#include <gtest/gtest.h>

namespace quillotap::test {
namespace {

class PulseRecordingTest : public RecordingFixture {
protected:
    static void SetUpTestSuite() { server = new PrivatePulse; }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override {
        RecordingFixture::SetUp();
        ASSERT_TRUE(server->ok()) << server->error().toStdString();
        auto pulse = std::make_shared<PulseBackend>();
        ASSERT_TRUE(pulse->isConnected()) << pulse->lastError().toStdString();
        useBackend(pulse);
        session->writer().SetMP3Encoder(MP3Lame());
        session->writer().SetOGGFormat(44100, 2, 128, 0, 0, -1);
    }
    static PrivatePulse* server;
};

PrivatePulse* PulseRecordingTest::server = nullptr;

TEST_F(PulseRecordingTest, TwoSecondsOfTheSineInMp3AndOgg) {
    for (const char* format : {"MP3", "OGG"}) {
        SCOPED_TRACE(format);
        now = now.addSecs(1);
        view.formatText = QString::fromLatin1(format);
        recordFor(2);
        EXPECT_TRUE(view.errors.isEmpty()) << view.errors.join(QLatin1Char('\n')).toStdString();
        const Decoded d = decode(session->outputFilePath());
        ASSERT_EQ(d.rate, 44100);
        EXPECT_GE(d.length, 2 * 44100);
        EXPECT_NEAR(dominantFrequency(d.samples, d.rate, d.channels), 440.0, 3.0);
    }
}

} // namespace
} // namespace quillotap::test
