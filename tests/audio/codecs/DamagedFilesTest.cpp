// Missing, empty, truncated, corrupt and mislabelled files: the reader either
// refuses them with a clear error or reads them cleanly to the end.
#include "CodecTestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <id3v1tag.h>
#include <id3v2tag.h>
#include <mpegfile.h>

#include <random>

using namespace quillotap;
using namespace quillotap::test;

namespace {

const char* const kExtensions[] = {"mp3", "ogg", "wav", "wma", "vox", "flac", "opus"};

// Either a clear refusal or a clean read that ends.
void expectRefusedOrReadable(const QString& path) {
    const Decoded d = decodeFile(path);
    if (d.status < 0) {
        EXPECT_FALSE(d.error.isEmpty()) << path.toStdString();
        return;
    }
    EXPECT_GT(d.sampleRate, 0) << path.toStdString();
    EXPECT_TRUE(d.channels == 1 || d.channels == 2) << path.toStdString();
    EXPECT_LT(d.samples.size(), size_t(100000) * 8192)
        << "reader never ended: " << path.toStdString();
}

QByteArray validFile(const QTemporaryDir& dir, const char* ext) {
    const QString path = dir.filePath(QStringLiteral("valid.") + ext);
    QFile::remove(path);
    AudioFile f;
    f.SetWMAProfile(14);
    f.CreateForWriting(path, 0);
    writeTone(f, 440, 2.0, f.GetSampleRate(), f.GetChannels());
    f.Close();
    return readBytes(path);
}

TEST(DamagedFiles, MissingEmptyAndFolderPathsAreRefused) {
    QTemporaryDir dir;
    AudioFile f;
    f.OpenForReading(dir.filePath("missing.wav"), 0, 1);
    EXPECT_LT(f.GetStatus(), 0);
    EXPECT_TRUE(f.GetErrorText().contains("does not exist"));
    EXPECT_FALSE(f.IsReading());
    EXPECT_TRUE(f.ReadSamples(1000).empty());
    EXPECT_EQ(f.GetLength(), 0);

    f.OpenForReading(dir.path(), 0, 1);
    EXPECT_LT(f.GetStatus(), 0);

    for (const char* ext : kExtensions) {
        const QString path = dir.filePath(QStringLiteral("empty.") + ext);
        writeBytes(path, {});
        f.OpenForReading(path, 0, 1);
        EXPECT_LT(f.GetStatus(), 0) << ext;
        EXPECT_TRUE(f.GetErrorText().contains("empty")) << ext;
    }
}

TEST(DamagedFiles, RandomBytesUnderEveryExtension) {
    QTemporaryDir dir;
    std::mt19937 rng(1234);
    for (int size : {1, 7, 100, 4096, 65536}) {
        QByteArray noise(size, '\0');
        for (char& c : noise)
            c = char(rng() & 0xFF);
        for (const char* ext : kExtensions) {
            const QString path = dir.filePath(QString("noise%1.%2").arg(size).arg(ext));
            writeBytes(path, noise);
            expectRefusedOrReadable(path);
        }
    }
}

TEST(DamagedFiles, TruncatedAndCorruptedFilesOfEveryFormat) {
    QTemporaryDir dir;
    std::mt19937 rng(99);
    for (const char* ext : kExtensions) {
        const QByteArray valid = validFile(dir, ext);
        ASSERT_GT(valid.size(), 1000) << ext;
        for (double keep : {0.005, 0.02, 0.1, 0.5, 0.9}) {
            const QString path = dir.filePath(QString("cut%1.%2").arg(keep).arg(ext));
            writeBytes(path, valid.left(int(valid.size() * keep)));
            expectRefusedOrReadable(path);
        }
        // A truncated file that still has its header reads up to the cut.
        if (QByteArray("wav mp3 ogg vox").contains(ext)) {
            const QString half = dir.filePath(QString("cut0.5.%1").arg(ext));
            const Decoded d = decodeFile(half);
            ASSERT_EQ(d.status, 0) << ext;
            EXPECT_NEAR(d.seconds(), 1.0, 0.2) << ext;
        }
        for (int trial = 0; trial < 4; ++trial) {
            QByteArray broken = valid;
            // Overwrite a run of bytes after the first few hundred.
            const int at = 200 + int(rng() % uint32_t(broken.size() - 400));
            for (int i = 0; i < 64 && at + i < broken.size(); ++i)
                broken[at + i] = char(rng() & 0xFF);
            const QString path = dir.filePath(QString("corrupt%1.%2").arg(trial).arg(ext));
            writeBytes(path, broken);
            expectRefusedOrReadable(path);
        }
    }
}

TEST(DamagedFiles, MislabelledFilesAreReadByTheirContent) {
    QTemporaryDir dir;
    const struct {
        const char* real;
        const char* label;
    } cases[] = {{"mp3", "wav"}, {"wav", "mp3"}, {"ogg", "mp3"}, {"wma", "ogg"}, {"mp3", "wma"}};
    for (const auto& c : cases) {
        const QString path = dir.filePath(QString("%1-as.%2").arg(c.real, c.label));
        writeBytes(path, validFile(dir, c.real));
        const Decoded d = decodeFile(path);
        ASSERT_EQ(d.status, 0) << c.real << " as " << c.label;
        EXPECT_NEAR(d.seconds(), 2.0, 0.1) << c.real << " as " << c.label;
        EXPECT_NEAR(dominantFrequency(d.samples, d.sampleRate, d.channels), 440, 5);
    }
}

TEST(TaggedFiles, Mp3WithAnId3TagReadsAsBefore) {
    // Recordings get their ID3 tag after the encoder has finished.
    QTemporaryDir dir;
    const QString path = dir.filePath("tagged.mp3");
    writeBytes(path, validFile(dir, "mp3"));
    {
        TagLib::MPEG::File file(QFile::encodeName(path).constData());
        ASSERT_TRUE(file.isValid());
        file.ID3v2Tag(true)->setTitle("A title long enough to need some space");
        file.ID3v1Tag(true)->setArtist("Someone");
        ASSERT_TRUE(file.save());
    }
    ASSERT_TRUE(readBytes(path).startsWith("ID3"));
    const Decoded d = decodeFile(path);
    ASSERT_EQ(d.status, 0);
    EXPECT_NEAR(d.seconds(), 2.0, 0.01);
    EXPECT_NEAR(double(d.length) / d.sampleRate, 2.0, 0.01);
}

TEST(DamagedFiles, ReadingPastTheEndAndOddRequests) {
    QTemporaryDir dir;
    validFile(dir, "wav");
    AudioFile f;
    f.OpenForReading(dir.filePath("valid.wav"), 0, 1);
    ASSERT_EQ(f.GetStatus(), 0);
    EXPECT_TRUE(f.ReadSamples(0).empty());
    EXPECT_TRUE(f.ReadSamples(-5).empty());
    EXPECT_EQ(f.ReadSamples(1).size(), 2u); // at least one whole frame
    EXPECT_EQ(f.ReadSamples(5).size(), 4u); // rounded down to whole frames
    EXPECT_EQ(f.Seek(f.GetLength() + 1000, 3), f.GetLength());
    EXPECT_TRUE(f.ReadSamples(4096).empty());
    EXPECT_TRUE(f.ReadSamples(4096).empty());
    EXPECT_EQ(f.Seek(-10, 3), 0);
    EXPECT_EQ(f.ReadSamples(4096).size(), 4096u);
}

} // namespace
