// A file being written is readable up to its last block, and one AudioFile
// object can write one file while it reads another.
#include "CodecTestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillotap;
using namespace quillotap::test;

namespace {

class GrowingFile : public ::testing::TestWithParam<const char*> {};

TEST_P(GrowingFile, SecondObjectReadsUpToTheLastBlock) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("growing.") + GetParam());
    AudioFile writer;
    writer.CreateForWriting(path, 0);
    ASSERT_EQ(writer.GetStatus(), 0);
    const int rate = writer.GetSampleRate(), ch = writer.GetChannels();
    for (int second = 1; second <= 3; ++second) {
        ASSERT_TRUE(writeTone(writer, 1000, 1.0, rate, ch));
        const Decoded d = decodeFile(path);
        ASSERT_EQ(d.status, 0) << "after " << second << " s: " << d.error.toStdString();
        // Encoders hold back at most a frame or two of look-ahead.
        EXPECT_LE(d.seconds(), second + 0.01);
        EXPECT_GE(d.seconds(), second - 0.1);
        EXPECT_NEAR(dominantFrequency(d.samples, d.sampleRate, d.channels), 1000, 10);
    }
    writer.CloseWriter();
    EXPECT_NEAR(decodeFile(path).seconds(), 3.0, 0.05);
}

INSTANTIATE_TEST_SUITE_P(StreamableFormats, GrowingFile, ::testing::Values("wav", "ogg", "mp3"));

TEST(SharedObject, ReaderAndWriterDoNotDisturbEachOther) {
    QTemporaryDir dir;
    const QString source = dir.filePath("source.wav");
    {
        AudioFile f;
        f.SetWAVFormat(22050, 1, 16);
        f.CreateForWriting(source, 0);
        writeTone(f, 440, 2.0, 22050, 1);
    }
    AudioFile f;
    f.SetOGGFormat(44100, 2, 128, 0, 0, 300);
    f.CreateForWriting(dir.filePath("target.ogg"), 0);
    ASSERT_EQ(f.GetStatus(), 0);
    ASSERT_TRUE(writeTone(f, 1000, 1.0, 44100, 2));

    f.OpenForReading(source, 0, 1);
    ASSERT_EQ(f.GetStatus(), 0);
    EXPECT_EQ(f.GetSampleRate(), 22050); // the file last opened
    EXPECT_EQ(f.GetFrameWidth(), 1);
    EXPECT_EQ(f.GetLength(), 44100);
    EXPECT_TRUE(f.IsWriting());

    // Interleave reading the source and writing the target, the way a
    // conversion does.
    f.SetInputFormat(22050, 1);
    qint64 read = 0;
    for (int i = 0; i < 100; ++i) {
        const SampleBlock b = f.ReadSamples(22050);
        if (b.empty())
            break;
        read += qint64(b.size());
        ASSERT_TRUE(f.WriteSamples(b));
    }
    EXPECT_EQ(read, 44100);
    f.CloseReader();
    EXPECT_TRUE(f.IsWriting());
    EXPECT_FALSE(f.IsReading());
    f.SetInputFormat(44100, 2);
    ASSERT_TRUE(writeTone(f, 1000, 1.0, 44100, 2));
    f.Close();
    EXPECT_FALSE(f.IsWriting());

    const Decoded target = decodeFile(dir.filePath("target.ogg"));
    ASSERT_EQ(target.status, 0);
    EXPECT_EQ(target.sampleRate, 44100);
    EXPECT_NEAR(target.seconds(), 4.0, 0.05);
}

} // namespace
