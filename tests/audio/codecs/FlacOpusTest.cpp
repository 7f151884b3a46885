// FLAC and Ogg Opus files: a killed writer leaves a file that decodes up to
// shortly before the kill, FLAC keeps every sample exactly at both sample
// sizes, its compression level takes effect, and Opus keeps to the chosen
// bitrate.
#include "CodecTestSupport.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sndfile.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillotap;
using namespace quillotap::test;

namespace {

// Noise a codec cannot predict, with a tone under it.
SampleBlock noisyTone(int rate, double seconds, quint32 seed) {
    QRandomGenerator random(seed);
    SampleBlock block = makeTone(440, rate, 2, qint64(rate * seconds));
    for (int16_t& s : block)
        s = int16_t(s / 2 + int(random.bounded(16000)) - 8000);
    return block;
}

// Writes `seconds` of tone in the recorder's one-second blocks, then dies by
// SIGKILL without closing anything. Returns whether the child was killed.
bool writeAndGetKilled(const QString& path, void (*configure)(AudioFile&), double seconds) {
    const pid_t child = fork();
    if (child == 0) {
        AudioFile writer;
        configure(writer);
        writer.CreateForWriting(path, 0);
        if (writer.GetStatus() != 0 ||
            !writeTone(writer, 440, seconds, writer.GetSampleRate(), writer.GetChannels()))
            _exit(1);
        raise(SIGKILL);
        _exit(2);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return false;
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

struct KilledCase {
    const char* extension;
    void (*configure)(AudioFile&);
};

class KilledWriter : public ::testing::TestWithParam<KilledCase> {};

TEST_P(KilledWriter, FileDecodesUpToWithinTwoSecondsOfTheKill) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("killed.") + GetParam().extension);
    ASSERT_TRUE(writeAndGetKilled(path, GetParam().configure, 6.0));
    const Decoded d = decodeFile(path);
    ASSERT_EQ(d.status, 0) << d.error.toStdString();
    EXPECT_GE(d.seconds(), 4.0);
    EXPECT_LE(d.seconds(), 6.0);
    // The header of a killed file states no length; the reader counts it, so
    // the time display and playback see the real length.
    EXPECT_EQ(d.length, d.frames());
    EXPECT_NEAR(dominantFrequency(d.samples, d.sampleRate, d.channels), 440, 5);
}

INSTANTIATE_TEST_SUITE_P(
    FlacAndOpus, KilledWriter,
    ::testing::Values(KilledCase{"flac", [](AudioFile& f) { f.SetFLACFormat(8, 24); }},
                      KilledCase{"opus", [](AudioFile& f) { f.SetOpusFormat(64, false); }}),
    [](const auto& info) { return std::string(info.param.extension); });

TEST(Flac, EverySampleComesBackExactlyAtBothSampleSizes) {
    const SampleBlock input = noisyTone(44100, 2.0, 7);
    for (int bits : {16, 24}) {
        SCOPED_TRACE(bits);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("exact.flac"));
        AudioFile writer;
        writer.SetFLACFormat(5, bits);
        writer.CreateForWriting(path, 0);
        ASSERT_EQ(writer.GetStatus(), 0) << writer.GetErrorText().toStdString();
        ASSERT_TRUE(writer.WriteSamples(input));
        writer.Close();
        ASSERT_TRUE(writer.GetWriteError().isEmpty());

        SF_INFO info{};
        SNDFILE* sf = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
        ASSERT_NE(sf, nullptr);
        EXPECT_EQ(info.format & SF_FORMAT_TYPEMASK, SF_FORMAT_FLAC);
        EXPECT_EQ(info.format & SF_FORMAT_SUBMASK,
                  bits == 24 ? SF_FORMAT_PCM_24 : SF_FORMAT_PCM_16);
        sf_close(sf);

        const Decoded d = decodeFile(path);
        ASSERT_EQ(d.status, 0);
        EXPECT_EQ(d.length, 88200);
        EXPECT_TRUE(d.samples == input) << "FLAC is lossless";
    }
}

TEST(Flac, HigherCompressionLevelsGiveSmallerFiles) {
    const SampleBlock input = makeTone(440, 44100, 2, 44100 * 3);
    QTemporaryDir dir;
    qint64 sizes[2] = {};
    for (int i = 0; i < 2; ++i) {
        const QString path = dir.filePath(QStringLiteral("level%1.flac").arg(i));
        AudioFile writer;
        writer.SetFLACFormat(i == 0 ? 0 : 8, 16);
        writer.CreateForWriting(path, 0);
        ASSERT_TRUE(writer.WriteSamples(input));
        writer.Close();
        sizes[i] = QFileInfo(path).size();
    }
    EXPECT_LT(sizes[1], sizes[0] * 95 / 100) << "level 8 against level 0";
}

// Opus codes at the chosen bitrate: the file's size over its length is that
// bitrate, at the low and the high end of the range.
TEST(Opus, FileKeepsToTheChosenBitrate) {
    for (int kbps : {6, 32, 128, 256}) {
        SCOPED_TRACE(kbps);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rate.opus"));
        AudioFile writer;
        writer.SetOpusFormat(kbps, false);
        writer.CreateForWriting(path, 0);
        ASSERT_EQ(writer.GetStatus(), 0);
        ASSERT_TRUE(writer.WriteSamples(noisyTone(48000, 10.0, quint32(kbps))));
        writer.Close();
        const double measured = QFileInfo(path).size() * 8.0 / 10.0 / 1000.0;
        EXPECT_NEAR(measured, kbps, kbps * 0.2 + 2) << "kbit/s";
    }
}

} // namespace
