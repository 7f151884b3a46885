// Playing files through the window's player on the synthetic output, which
// records exactly what it was given: files whose samples count up show
// where playback started, paused, continued and jumped to.
#include "files/Playback.h"
#include "audio/AudioFile.h"
#include "audio/AudioPlayer.h"
#include "audio/AudioVisualizationEx2.h"
#include "audio/backends/SyntheticBackend.h"
#include "support/ToneAnalysis.h"
#include "widgets/PictureSlider.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace quillotap::test {
namespace {

template <class Condition> bool WaitFor(Condition done, int ms = 10000) {
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// Sample i of a counting file is int16_t(i): positions below 65536 can be
// read back from the samples.
SampleBlock Counting(qint64 frames) {
    SampleBlock block(std::size_t(frames), 0);
    for (qint64 i = 0; i < frames; ++i)
        block[std::size_t(i)] = int16_t(uint16_t(i));
    return block;
}

// Index of the first element of `out` from `from` on that starts a run of
// `run` counting samples beginning at `value`; -1 if there is none.
qint64 FindCountFrom(const SampleBlock& out, qint64 value, qint64 run, qint64 from = 0) {
    for (qint64 k = from; k + run <= qint64(out.size()); ++k) {
        bool counts = true;
        for (qint64 j = 0; j < run && counts; ++j)
            counts = out[std::size_t(k + j)] == int16_t(uint16_t(value + j));
        if (counts)
            return k;
    }
    return -1;
}

constexpr int CountRate = 8000;
constexpr qint64 CountFrames = 6 * CountRate; // six seconds, mono

class PlaybackTest : public ::testing::Test {
protected:
    void SetUp() override {
        backend_ = std::dynamic_pointer_cast<SyntheticBackend>(SoundBackend::instance());
        ASSERT_TRUE(backend_);
        backend_->setSpeed(8);
        backend_->setPlaybackFailure(false);
        backend_->setOutputVolume(65535);
        backend_->clearOutput();
        slider_ = new PictureSlider(Qt::Horizontal, 100, &host_);
        slider_->resize(201, 21);
        display_ = new AudioVisualizationEx2(&host_);
        time_ = new QLabel(QStringLiteral("Total: 00:00:00"), &host_);
        name_ = new QLabel(QStringLiteral("---"), &host_);
        pause_ = new QPushButton(QStringLiteral("Pause"), &host_);
        playback_ =
            std::make_unique<Playback>(PlaybackControls{slider_, display_, time_, name_, pause_});
    }

    void TearDown() override {
        playback_->StopPlayback();
        backend_->setSpeed(1);
        backend_->setPlaybackFailure(false);
    }

    QString writeWav(const QString& name, const SampleBlock& samples, int rate, int channels) {
        const QString path = dir_.path() + "/" + name;
        AudioFile file;
        file.SetWAVFormat(rate, channels, 16);
        file.CreateForWriting(path);
        EXPECT_GE(file.GetStatus(), 0) << file.GetErrorText().toStdString();
        if (!samples.empty()) {
            EXPECT_TRUE(file.WriteSamples(samples));
        }
        file.CloseWriter();
        return path;
    }
    QString countingFile() {
        return writeWav(QStringLiteral("count.wav"), Counting(CountFrames), CountRate, 1);
    }
    QString toneFile(const QString& name = QStringLiteral("tone.wav")) {
        return writeWav(name, makeTone(440, 44100, 2, 2 * 44100), 44100, 2);
    }

    qint64 position() const { return playback_->player().GetPosition(); }
    bool waitUntilStopped() {
        return WaitFor([&] { return !playback_->isActive(); });
    }

    QWidget host_;
    QTemporaryDir dir_;
    std::shared_ptr<SyntheticBackend> backend_;
    PictureSlider* slider_ = nullptr;
    AudioVisualizationEx2* display_ = nullptr;
    QLabel* time_ = nullptr;
    QLabel* name_ = nullptr;
    QPushButton* pause_ = nullptr;
    std::unique_ptr<Playback> playback_;
};

TEST_F(PlaybackTest, PlaysTheWholeFileThenStopsAndKeepsTheLabels) {
    const QString path = toneFile();
    playback_->PlayFile(path);
    ASSERT_TRUE(playback_->isActive());
    EXPECT_EQ(time_->text(), "Total: 00:00:02");
    EXPECT_EQ(name_->text(), path);
    EXPECT_EQ(playback_->totalSeconds(), 2);
    EXPECT_EQ(playback_->blockSize(), 44100 * 2 / 5) << "200 ms of stereo";

    ASSERT_TRUE(waitUntilStopped()) << "the end of the file stops playback";
    EXPECT_EQ(backend_->outputFramesPlayed(), 2 * 44100);
    EXPECT_NEAR(dominantFrequency(backend_->outputSamples(), 44100, 2), 440.0, 2.0);
    EXPECT_FALSE(playback_->reader().IsReading());
    EXPECT_EQ(slider_->value(), 0);
    EXPECT_EQ(pause_->text(), "Pause");
    EXPECT_EQ(time_->text(), "Total: 00:00:02");
    EXPECT_EQ(name_->text(), path);
}

TEST_F(PlaybackTest, ContinueResumesWhereThePauseLeftOff) {
    playback_->PlayFile(countingFile());
    ASSERT_TRUE(WaitFor([&] { return position() > CountRate; }));
    playback_->TogglePause();
    EXPECT_TRUE(playback_->isPaused());
    EXPECT_EQ(pause_->text(), "Continue");
    const qint64 paused = playback_->playBase();
    EXPECT_GT(paused, CountRate);
    EXPECT_LT(paused, CountFrames);
    // What was heard ends exactly where the pause put the position.
    SampleBlock out = backend_->outputSamples();
    ASSERT_EQ(qint64(out.size()), paused);
    EXPECT_EQ(out.back(), int16_t(uint16_t(paused - 1)));
    EXPECT_TRUE(playback_->isActive()) << "a paused file stays open";

    backend_->clearOutput();
    playback_->TogglePause();
    EXPECT_FALSE(playback_->isPaused());
    EXPECT_EQ(pause_->text(), "Pause");
    ASSERT_TRUE(waitUntilStopped());
    out = backend_->outputSamples();
    ASSERT_EQ(qint64(out.size()), CountFrames - paused) << "continued, not restarted";
    EXPECT_EQ(FindCountFrom(out, paused, CountFrames - paused), 0);
}

TEST_F(PlaybackTest, SeekJumpsToThePercentOfTheFileAndCountsOnFromThere) {
    constexpr qint64 Half = CountFrames / 2;
    playback_->PlayFile(countingFile());
    ASSERT_TRUE(WaitFor([&] { return position() > CountRate / 2; }));
    playback_->beginPositionDrag();
    const qint64 before = qint64(backend_->outputSamples().size());
    playback_->SeekPlayback(50);
    EXPECT_FALSE(playback_->isPositionDragging());
    EXPECT_EQ(playback_->playBase(), Half);
    ASSERT_TRUE(WaitFor([&] { return qint64(backend_->outputSamples().size()) > before + 4000; }));

    // Paused after the jump: the position is the seek target plus what was
    // played since, not since the player started.
    playback_->TogglePause();
    SampleBlock out = backend_->outputSamples();
    const qint64 jump = FindCountFrom(out, Half, 1000, before);
    ASSERT_GE(jump, 1) << "the second half plays after the seek";
    EXPECT_NE(out[std::size_t(jump - 1)], int16_t(uint16_t(Half - 1)))
        << "the part in between was skipped";
    EXPECT_EQ(playback_->playBase(), Half + qint64(out.size()) - jump);

    playback_->TogglePause();
    ASSERT_TRUE(waitUntilStopped());
    out = backend_->outputSamples();
    EXPECT_EQ(qint64(out.size()), jump + Half);
    EXPECT_EQ(FindCountFrom(out, Half, Half, jump), jump);
}

TEST_F(PlaybackTest, SeekWhilePausedContinuesFromTheNewPosition) {
    playback_->PlayFile(countingFile());
    ASSERT_TRUE(WaitFor([&] { return position() > CountRate / 2; }));
    playback_->TogglePause();
    playback_->SeekPlayback(75);
    EXPECT_EQ(playback_->playBase(), CountFrames * 3 / 4);
    EXPECT_TRUE(playback_->isPaused());
    backend_->clearOutput();
    playback_->TogglePause();
    ASSERT_TRUE(waitUntilStopped());
    const SampleBlock out = backend_->outputSamples();
    ASSERT_EQ(qint64(out.size()), CountFrames / 4);
    EXPECT_EQ(FindCountFrom(out, CountFrames * 3 / 4, CountFrames / 4), 0);
}

TEST_F(PlaybackTest, ReleasingWithOneSecondOrLessLeftStops) {
    // Six seconds: 83 % leaves 1.02 s, 84 % leaves 0.96 s.
    playback_->PlayFile(countingFile());
    playback_->TogglePause(); // holds the position still
    playback_->SeekPlayback(83);
    EXPECT_TRUE(playback_->isActive());
    playback_->beginPositionDrag();
    playback_->SeekPlayback(84);
    EXPECT_FALSE(playback_->isActive());
    EXPECT_FALSE(playback_->isPositionDragging());
    EXPECT_EQ(pause_->text(), "Pause");
    EXPECT_EQ(slider_->value(), 0);

    // Nothing playing: only the drag ends.
    playback_->beginPositionDrag();
    playback_->SeekPlayback(10);
    EXPECT_FALSE(playback_->isPositionDragging());
    EXPECT_FALSE(playback_->isActive());
}

TEST_F(PlaybackTest, ProgressMovesTheKnobUnlessItIsHeld) {
    playback_->PlayFile(countingFile());
    playback_->TogglePause();    // no progress of its own from here on
    playback_->SeekPlayback(25); // while paused: only the file position moves
    ASSERT_EQ(playback_->playBase(), CountFrames / 4);
    emit playback_->player().Timer(CountFrames / 4, 0, 0);
    EXPECT_NEAR(slider_->value(), 50, 1) << "the knob snaps to whole values";
    // Played past the end: the knob stays at the right end.
    emit playback_->player().Timer(2 * CountFrames, 0, 0);
    EXPECT_EQ(slider_->value(), 100);
    playback_->beginPositionDrag();
    emit playback_->player().Timer(0, 0, 0);
    EXPECT_EQ(slider_->value(), 100) << "the user holds the knob";
}

TEST_F(PlaybackTest, PauseDoesNothingWhileStoppedAndStopResetsTheCaption) {
    playback_->TogglePause();
    EXPECT_FALSE(playback_->isPaused());
    EXPECT_EQ(pause_->text(), "Pause");

    playback_->PlayFile(countingFile());
    playback_->TogglePause();
    EXPECT_EQ(pause_->text(), "Continue");
    playback_->StopPlayback();
    EXPECT_FALSE(playback_->isActive());
    EXPECT_EQ(pause_->text(), "Pause");
    playback_->TogglePause();
    EXPECT_EQ(pause_->text(), "Pause");
    EXPECT_FALSE(playback_->isPaused());
}

TEST_F(PlaybackTest, VoxFilesAreReadInThreeSecondBlocks) {
    for (const char* name : {"speech.vox", "SPEECH2.VOX"}) {
        SCOPED_TRACE(name);
        const QString path = dir_.path() + "/" + name;
        AudioFile file;
        file.CreateForWriting(path);
        ASSERT_GE(file.GetStatus(), 0) << file.GetErrorText().toStdString();
        file.SetInputFormat(8000, 1);
        ASSERT_TRUE(file.WriteSamples(makeTone(440, 8000, 1, 4 * 8000)));
        file.CloseWriter();
        playback_->PlayFile(path);
        ASSERT_TRUE(playback_->isActive());
        EXPECT_EQ(playback_->blockSize(), 3 * 8000);
    }
    playback_->PlayFile(countingFile());
    EXPECT_EQ(playback_->blockSize(), CountRate / 5);
}

TEST_F(PlaybackTest, FilesThatCannotPlayFailSilentlyAfterStoppingThePrevious) {
    QFile damaged(dir_.path() + "/damaged.wav");
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(4096, '\x5a'));
    damaged.close();
    QFile zero(dir_.path() + "/zero.mp3");
    ASSERT_TRUE(zero.open(QIODevice::WriteOnly));
    zero.close();
    const QString noFrames = writeWav(QStringLiteral("noframes.wav"), {}, 44100, 2);
    const QString good = toneFile();

    for (const QString& path : {dir_.path() + "/missing.wav", damaged.fileName(), zero.fileName(),
                                noFrames, dir_.path()}) {
        SCOPED_TRACE(path.toStdString());
        playback_->PlayFile(good);
        ASSERT_TRUE(playback_->isActive());
        playback_->PlayFile(path);
        EXPECT_FALSE(playback_->isActive());
        EXPECT_FALSE(playback_->player().IsPlaying()) << "the previous file was stopped";
        EXPECT_FALSE(playback_->reader().IsReading());
        EXPECT_EQ(pause_->text(), "Pause");
        EXPECT_EQ(name_->text(), good) << "the labels name the last file played";
    }
}

TEST_F(PlaybackTest, AnOutputThatCannotStartLeavesNothingOpen) {
    backend_->setPlaybackFailure(true);
    playback_->PlayFile(toneFile());
    EXPECT_FALSE(playback_->isActive());
    EXPECT_FALSE(playback_->reader().IsReading());
    EXPECT_EQ(name_->text(), "---");
}

TEST_F(PlaybackTest, PlaybackNeverTouchesTheRecordersFile) {
    // The window's own audio-file object writes a recording meanwhile.
    AudioFile writer;
    writer.SetFlag(true);
    writer.SetWAVFormat(CountRate, 1, 16);
    const QString recording = dir_.path() + "/recording.wav";
    writer.CreateForWriting(recording);
    ASSERT_GE(writer.GetStatus(), 0);
    const SampleBlock data = Counting(CountFrames);
    const auto half = data.begin() + CountFrames / 2;
    ASSERT_TRUE(writer.WriteSamples(SampleBlock(data.begin(), half)));

    playback_->PlayFile(toneFile());
    playback_->PlayFile(recording);
    ASSERT_TRUE(playback_->isActive());
    EXPECT_EQ(playback_->totalSeconds(), 3) << "what was written so far";
    playback_->StopPlayback();
    EXPECT_EQ(writer.GetSampleRate(), CountRate);
    EXPECT_EQ(writer.GetChannels(), 1);
    EXPECT_TRUE(writer.IsWriting());
    ASSERT_TRUE(writer.WriteSamples(SampleBlock(half, data.end())));
    writer.CloseWriter();

    AudioFile check;
    check.OpenForReading(recording);
    ASSERT_GE(check.GetStatus(), 0);
    EXPECT_EQ(check.ReadSamples(int(CountFrames) + 1), data);
}

} // namespace
} // namespace quillotap::test
