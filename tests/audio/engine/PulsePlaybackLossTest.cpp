// Playback on a real PulseAudio server whose output goes away while it
// plays: its sink is removed, or the server itself ends. Each test
// has a server of its own.
#include "EngineTestHelpers.h"

#include "audio/AudioPlayer.h"
#include "audio/backends/PulseBackend.h"
#include "support/PrivatePulse.h"

#include <gtest/gtest.h>

namespace quillotap {
namespace {

using test::waitFor;

class PulsePlaybackLossTest : public ::testing::Test {
protected:
    void SetUp() override {
        server = std::make_unique<test::PrivatePulse>();
        ASSERT_TRUE(server->ok()) << server->error().toStdString();
        backend = std::make_shared<PulseBackend>();
        ASSERT_TRUE(backend->isConnected()) << backend->lastError().toStdString();
        player = std::make_unique<AudioPlayer>(backend);
        QObject::connect(player.get(), &AudioPlayer::PlaybackError,
                         [this](const QString& reason) { errors << reason; });
        QObject::connect(player.get(), &AudioPlayer::EndPlay, [this] { ++ends; });
    }
    void TearDown() override {
        player.reset();
        backend.reset();
        server.reset();
    }

    // Queues a minute of silence and waits until the output plays it.
    void startPlaying() {
        player->SetFormat(8000, 1);
        for (int i = 0; i < 60; ++i)
            player->QueueSamples(SampleBlock(8000, 0));
        player->Start();
        ASSERT_EQ(player->GetStatus(), 0);
        ASSERT_TRUE(waitFor([&] { return player->GetPosition() > 0; }, 10000));
    }

    std::unique_ptr<test::PrivatePulse> server;
    std::shared_ptr<PulseBackend> backend;
    std::unique_ptr<AudioPlayer> player;
    QStringList errors;
    int ends = 0;
};

TEST_F(PulsePlaybackLossTest, AnOutputRemovedWhilePlayingStopsThePlayer) {
    startPlaying();
    // The server's only sink goes: with nowhere to move it, the server
    // kills the stream.
    QString why;
    ASSERT_TRUE(
        server->pactl({QStringLiteral("unload-module"), QStringLiteral("module-null-sink")}, &why))
        << why.toStdString();

    ASSERT_TRUE(waitFor([&] { return !errors.isEmpty(); }, 10000)) << "no PlaybackError";
    EXPECT_EQ(errors, QStringList{QStringLiteral(
                          "The output was removed or stopped by the sound server.")});
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_LT(player->GetStatus(), 0);
    EXPECT_EQ(ends, 0);
}

TEST_F(PulsePlaybackLossTest, AServerThatGoesAwayStopsThePlayer) {
    startPlaying();
    ASSERT_TRUE(server->pactl({QStringLiteral("exit")}));
    ASSERT_TRUE(waitFor([&] { return !errors.isEmpty(); }, 10000)) << "no PlaybackError";
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(
        errors.front().startsWith(QStringLiteral("The connection to the sound server was lost")))
        << errors.front().toStdString();
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_EQ(ends, 0);
}

} // namespace
} // namespace quillotap
