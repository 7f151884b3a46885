// Playback through AudioPlayer on the synthetic output, driven the way the
// files page drives it: one block queued per RequestOnLoadArray or
// EndArrayPlay, playback stopped on EndPlay.
#include "EngineTestHelpers.h"

#include "audio/AudioPlayer.h"
#include "audio/backends/SyntheticBackend.h"

#include <gtest/gtest.h>
#include <ostream>
#include <thread>

namespace quillotap {
namespace {

using test::waitFor;

// Feeds a player from a source of samples, block by block, like the
// program's FeedPlayer; counts the events it sees.
struct Feeder {
    Feeder(AudioPlayer& player, SampleBlock source, size_t blockSize)
        : player(player), source(std::move(source)), blockSize(blockSize) {
        QObject::connect(&player, &AudioPlayer::RequestOnLoadArray, [this] {
            ++requests;
            feed();
        });
        QObject::connect(&player, &AudioPlayer::EndArrayPlay, [this] {
            ++blocksPlayed;
            if (stallEvery > 0 && blocksPlayed % stallEvery == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
            feed();
        });
        QObject::connect(&player, &AudioPlayer::EndPlay, [this] {
            ++ends;
            endPosition = this->player.GetPosition();
            fedAtEnd = fed;
            this->player.Stop();
        });
        QObject::connect(&player, &AudioPlayer::Timer, [this](qint64 frames, int, int) {
            positionWentBack = positionWentBack || frames < lastTimer;
            lastTimer = frames;
        });
    }

    void feed() {
        if (fed >= source.size())
            return; // end of file: nothing more is queued
        const size_t n = std::min(blockSize, source.size() - fed);
        player.QueueSamples(
            SampleBlock(source.begin() + qsizetype(fed), source.begin() + qsizetype(fed + n)));
        fed += n;
        ++queued;
    }

    AudioPlayer& player;
    SampleBlock source;
    size_t blockSize;
    size_t fed = 0;
    size_t fedAtEnd = 0;
    int queued = 0;
    int requests = 0;
    int blocksPlayed = 0;
    int ends = 0;
    int stallEvery = 0; // block the UI thread after every n-th played block
    qint64 endPosition = -1;
    qint64 lastTimer = 0;
    bool positionWentBack = false;
};

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        backend->setSpeed(20);
        backend->setOutputHistoryCapacity(std::size_t(1) << 22);
    }
    std::shared_ptr<SyntheticBackend> backend = std::make_shared<SyntheticBackend>();
};

struct PlayCase {
    int rate;
    int channels;
    int blockMs;
    int seconds;
    int stallEvery;
    friend void PrintTo(const PlayCase& c, std::ostream* os) {
        *os << c.rate << "Hz_" << c.channels << "ch_" << c.blockMs << "ms_" << c.seconds << "s"
            << (c.stallEvery ? "_stalling" : "");
    }
};

class PlayerFeedLoop : public PlayerTest, public ::testing::WithParamInterface<PlayCase> {};

TEST_P(PlayerFeedLoop, EverySampleReachesTheOutputInOrderThenEndPlay) {
    const PlayCase c = GetParam();
    AudioPlayer player(backend);
    player.SetFormat(c.rate, c.channels);
    const size_t total = size_t(c.rate) * size_t(c.channels) * size_t(c.seconds);
    Feeder feeder(player, test::counterBlock(0, total), size_t(player.GetBufferSize(c.blockMs)));
    feeder.stallEvery = c.stallEvery;

    player.Start();
    ASSERT_EQ(player.GetStatus(), 0);
    feeder.feed(); // the caller queues its first block right after Start
    ASSERT_TRUE(waitFor([&] { return feeder.ends > 0; }));
    QCoreApplication::processEvents();

    EXPECT_EQ(feeder.ends, 1);
    EXPECT_EQ(feeder.fedAtEnd, total) << "playback ended before the source was exhausted";
    EXPECT_EQ(feeder.blocksPlayed, feeder.queued);
    EXPECT_EQ(feeder.endPosition, qint64(total) / c.channels);
    EXPECT_EQ(player.GetPosition(), qint64(total) / c.channels); // kept after Stop
    EXPECT_EQ(backend->outputFramesPlayed(), qint64(total) / c.channels);
    const SampleBlock played = backend->outputSamples();
    EXPECT_EQ(played.size(), total);
    qint64 next = 0;
    EXPECT_EQ(test::followsCounter(played, &next), -1);
    EXPECT_FALSE(feeder.positionWentBack);
    EXPECT_GT(feeder.lastTimer, 0);
    // Requests stop when enough is queued: far fewer than one per block.
    EXPECT_LE(feeder.requests, feeder.queued);
}

INSTANTIATE_TEST_SUITE_P(Formats, PlayerFeedLoop,
                         ::testing::Values(PlayCase{44100, 2, 200, 4, 0},
                                           PlayCase{8000, 1, 3000, 12, 0},
                                           PlayCase{22050, 2, 200, 4, 5}));

TEST_F(PlayerTest, NothingQueuedEndsOnceWithoutARequestLoop) {
    AudioPlayer player(backend);
    int requests = 0;
    int ends = 0;
    QObject::connect(&player, &AudioPlayer::RequestOnLoadArray, [&] { ++requests; });
    QObject::connect(&player, &AudioPlayer::EndPlay, [&] { ++ends; });
    player.Start();
    ASSERT_TRUE(waitFor([&] { return ends > 0; }));
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(requests, 1);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(player.GetPosition(), 0);
    EXPECT_TRUE(player.IsPlaying()); // ending is the caller's decision
    player.Stop();
    EXPECT_FALSE(player.IsPlaying());
}

TEST_F(PlayerTest, ResetDropsWhatIsQueued) {
    backend->setSpeed(1);
    AudioPlayer player(backend);
    player.SetFormat(8000, 1);
    int ends = 0;
    QObject::connect(&player, &AudioPlayer::EndPlay, [&] { ++ends; });
    for (int i = 0; i < 10; ++i)
        player.QueueSamples(SampleBlock(8000, 100)); // ten seconds
    player.Start();
    player.Reset();
    player.QueueSamples(SampleBlock(400, -7)); // what a seek queues next
    ASSERT_TRUE(waitFor([&] { return ends > 0; }));
    player.Stop();

    const SampleBlock played = backend->outputSamples();
    ASSERT_GE(played.size(), 400u);
    EXPECT_LT(played.size(), 8000u); // most of the first block was dropped
    EXPECT_TRUE(std::all_of(played.end() - 400, played.end(), [](int16_t v) { return v == -7; }));
    EXPECT_TRUE(
        std::all_of(played.begin(), played.end() - 400, [](int16_t v) { return v == 100; }));
}

TEST_F(PlayerTest, StopDropsTheQueueAndStartCountsFromZero) {
    AudioPlayer player(backend);
    player.SetFormat(8000, 2);
    int ends = 0;
    QObject::connect(&player, &AudioPlayer::EndPlay, [&] { ++ends; });
    player.Start();
    player.QueueSamples(SampleBlock(3200, 1));
    ASSERT_TRUE(waitFor([&] { return ends == 1; }));
    EXPECT_EQ(player.GetPosition(), 1600);
    player.QueueSamples(SampleBlock(3200, 2));
    player.Stop();
    EXPECT_EQ(player.GetPosition(), 1600);

    backend->clearOutput();
    player.Start();
    EXPECT_EQ(player.GetPosition(), 0);
    player.QueueSamples(SampleBlock(800, 3));
    ASSERT_TRUE(waitFor([&] { return ends == 2; }));
    EXPECT_EQ(player.GetPosition(), 400);
    EXPECT_EQ(backend->outputSamples(), SampleBlock(800, 3));
}

// After a Reset the position counts the blocks queued after it, as a seek
// needs: the file position is the seek target plus what was heard since.
TEST_F(PlayerTest, ResetCountsThePositionFromTheNextBlock) {
    AudioPlayer player(backend);
    player.SetFormat(8000, 1);
    int ends = 0;
    QObject::connect(&player, &AudioPlayer::EndPlay, [&] { ++ends; });
    player.Start();
    player.QueueSamples(SampleBlock(3000, 1));
    ASSERT_TRUE(waitFor([&] { return ends == 1; }));
    EXPECT_EQ(player.GetPosition(), 3000);
    player.Reset();
    EXPECT_EQ(player.GetPosition(), 0);
    player.QueueSamples(SampleBlock(500, 2));
    ASSERT_TRUE(waitFor([&] { return ends == 2; }));
    EXPECT_EQ(player.GetPosition(), 500);
    player.Stop();
    EXPECT_EQ(player.GetPosition(), 500);
    player.Reset(); // while stopped too
    EXPECT_EQ(player.GetPosition(), 0);
}

TEST_F(PlayerTest, VolumeAndMuteActOnTheOutput) {
    AudioPlayer player(backend);
    player.SetInitialValue(0);
    EXPECT_EQ(player.GetVolume(), 65535);
    EXPECT_FALSE(player.GetMute());

    struct Case {
        int set;
        int expected;
        bool mute;
        int16_t heard;
    };
    for (const Case c : {Case{32768, 32768, false, 5000}, Case{70000, 65535, false, 10000},
                         Case{-5, 0, false, 0}, Case{65535, 65535, true, 0}}) {
        player.SetVolume(c.set);
        player.SetMute(c.mute);
        EXPECT_EQ(player.GetVolume(), c.expected);
        EXPECT_EQ(player.GetMute(), c.mute);
        backend->clearOutput();
        int ends = 0;
        const auto connection = QObject::connect(&player, &AudioPlayer::EndPlay, [&] { ++ends; });
        player.Start();
        player.QueueSamples(SampleBlock(2000, 10000));
        ASSERT_TRUE(waitFor([&] { return ends > 0; }));
        player.Stop();
        QObject::disconnect(connection);
        const SampleBlock heard = backend->outputSamples();
        ASSERT_EQ(heard.size(), 2000u);
        EXPECT_NEAR(heard.front(), c.heard, 1) << c.set << (c.mute ? " muted" : "");
    }
}

TEST_F(PlayerTest, PlayingSamplesAreTheLatestOutput) {
    AudioPlayer player(backend);
    player.SetFormat(8000, 2);
    EXPECT_TRUE(player.GetPlayingSamples(100).empty());
    int ends = 0;
    QObject::connect(&player, &AudioPlayer::EndPlay, [&] { ++ends; });
    player.Start();
    player.QueueSamples(test::counterBlock(0, 16000));
    ASSERT_TRUE(waitFor([&] { return ends > 0; }));
    const SampleBlock latest = player.GetPlayingSamples(1001);
    ASSERT_EQ(latest.size(), 1000u);
    EXPECT_EQ(latest, test::counterBlock(15000, 1000));
}

TEST_F(PlayerTest, FormatAndFailures) {
    AudioPlayer player(backend);
    player.SetFormat(8000, 1);
    EXPECT_EQ(player.GetBufferSize(3000), 24000);
    EXPECT_EQ(player.LengthToMilliseconds(12000), 1500);
    player.SetFormat(44100, 2);
    EXPECT_EQ(player.GetBufferSize(200), 17640);
    EXPECT_EQ(player.LengthToMilliseconds(44100 * 60), 60000);
    player.SetFormat(-1, 3); // refused, the format stays
    EXPECT_LT(player.GetStatus(), 0);
    EXPECT_EQ(player.GetBufferSize(200), 17640);

    backend->setPlaybackFailure(true);
    int events = 0;
    QObject::connect(&player, &AudioPlayer::RequestOnLoadArray, [&] { ++events; });
    QObject::connect(&player, &AudioPlayer::EndPlay, [&] { ++events; });
    player.Start();
    EXPECT_LT(player.GetStatus(), 0);
    EXPECT_FALSE(player.IsPlaying());
    player.QueueSamples(SampleBlock(100, 1));
    QCoreApplication::processEvents();
    EXPECT_EQ(events, 0);
    player.Stop();

    backend->setPlaybackFailure(false);
    player.Start();
    EXPECT_EQ(player.GetStatus(), 0);
    EXPECT_TRUE(waitFor([&] { return events > 0; }));
}

TEST_F(PlayerTest, DestroyingAPlayingPlayerIsSafe) {
    backend->setSpeed(200);
    for (int i = 0; i < 5; ++i) {
        auto player = std::make_unique<AudioPlayer>(backend);
        for (int b = 0; b < 50; ++b)
            player->QueueSamples(SampleBlock(2000, 1));
        player->Start();
        ASSERT_TRUE(waitFor([&] { return player->GetPosition() > 0; }));
        player.reset();
        QCoreApplication::processEvents();
    }
}

} // namespace
} // namespace quillotap
