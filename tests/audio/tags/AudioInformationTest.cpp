#include "TestMp3.h"

#include "audio/AudioFile.h"
#include "audio/AudioInformation.h"
#include "support/ToneAnalysis.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <taglib/fileref.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/textidentificationframe.h>
#include <taglib/tpropertymap.h>

namespace quillotap {
namespace {

using test::audioStart;
using test::fileBytes;

struct TagValues {
    const char* name;
    QString title, artist, album, comment;
    int genre, year, track;
};

AudioInformation withValues(const TagValues& v) {
    AudioInformation info;
    info.Title = v.title;
    info.Artist = v.artist;
    info.Album = v.album;
    info.Comment = v.comment;
    info.Genre = v.genre;
    info.Year = v.year;
    info.Track = v.track;
    return info;
}

void expectValues(const AudioInformation& info, const TagValues& v) {
    EXPECT_EQ(info.Title, v.title);
    EXPECT_EQ(info.Artist, v.artist);
    EXPECT_EQ(info.Album, v.album);
    EXPECT_EQ(info.Comment, v.comment);
    EXPECT_EQ(info.Genre, v.genre);
    EXPECT_EQ(info.Year, v.year);
    EXPECT_EQ(info.Track, v.track);
}

class AudioInformationTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString path(const QString& name) const { return dir_.filePath(name); }
    QString freshMp3(const QString& name = "take.mp3") {
        const QString p = path(name);
        QFile::remove(p);
        EXPECT_TRUE(test::writeUntaggedMp3(p));
        return p;
    }
    QTemporaryDir dir_;
};

const TagValues kRoundTrips[] = {
    {"plain", "Morning take", "The Band", "Sessions", "first try", 17, 2026, 1},
    {"non_ascii", "Ünïcødé — 日本語", "Ærøskøbing Ensemble", "Ça va 🎵", "naïve café", 8, 1999, 12},
    {"no_genre_year_track", "Title only", "", "", "", -1, 0, 0},
    {"all_empty", "", "", "", "", -1, 0, 0},
    {"last_genre_big_numbers", "x", "y", "z", "w", 147, 9999, 999},
    {"first_genre", "Blues take", "A", "B", "C", 0, 1900, 255},
};

TEST_F(AudioInformationTest, WrittenTagsReadBackUnchanged) {
    for (const TagValues& v : kRoundTrips) {
        SCOPED_TRACE(v.name);
        const QString file = freshMp3();
        ASSERT_TRUE(withValues(v).WriteTags(file));
        AudioInformation read;
        ASSERT_TRUE(read.Open(file)) << read.GetErrorText().toStdString();
        expectValues(read, v);
    }
}

TEST_F(AudioInformationTest, RewritingReplacesAndRemovesFields) {
    const QString file = freshMp3();
    ASSERT_TRUE(withValues(kRoundTrips[0]).WriteTags(file));
    // Genre -1, year 0, track 0 and empty texts must remove what was there.
    const TagValues cleared{"cleared", "", "Other artist", "", "", -1, 0, 0};
    ASSERT_TRUE(withValues(cleared).WriteTags(file));
    AudioInformation read;
    ASSERT_TRUE(read.Open(file));
    expectValues(read, cleared);

    TagLib::MPEG::File tagged(QFile::encodeName(file).constData(), false);
    ASSERT_TRUE(tagged.hasID3v2Tag());
    const auto& frames = tagged.ID3v2Tag()->frameListMap();
    EXPECT_FALSE(frames.contains("TCON"));
    EXPECT_FALSE(frames.contains("TRCK"));
    EXPECT_FALSE(frames.contains("TIT2"));
}

TEST_F(AudioInformationTest, EveryListedGenreSurvivesAWriteAndNoOtherIsWritten) {
    const QString file = freshMp3();
    for (int genre = 0; genre < AudioInformation::GenreCount; ++genre) {
        SCOPED_TRACE(genre);
        ASSERT_FALSE(AudioInformation::GenreName(genre).isEmpty());
        AudioInformation info;
        info.Genre = genre;
        ASSERT_TRUE(info.WriteTags(file));
        AudioInformation read;
        ASSERT_TRUE(read.Open(file));
        EXPECT_EQ(read.Genre, genre);
        EXPECT_EQ(read.GenreText, AudioInformation::GenreName(genre));
    }
    for (int genre : {148, 191, 255, -7}) {
        SCOPED_TRACE(genre);
        AudioInformation info;
        info.Title = "x";
        info.Genre = genre;
        ASSERT_TRUE(info.WriteTags(file));
        TagLib::MPEG::File tagged(QFile::encodeName(file).constData(), false);
        EXPECT_FALSE(tagged.ID3v2Tag()->frameListMap().contains("TCON"));
    }
}

TEST_F(AudioInformationTest, GenreNames) {
    EXPECT_EQ(AudioInformation::GenreName(0), "Blues");
    EXPECT_EQ(AudioInformation::GenreName(17), "Rock");
    // The program's own spellings, trailing blank included.
    EXPECT_EQ(AudioInformation::GenreName(99), "Acoustic ");
    EXPECT_EQ(AudioInformation::GenreName(140), "Contemporary C");
    EXPECT_EQ(AudioInformation::GenreName(147), "SynthPop");
    EXPECT_EQ(AudioInformation::GenreName(-1), "");
    EXPECT_EQ(AudioInformation::GenreName(148), "");
    EXPECT_EQ(AudioInformation::GenreName(192), "");
    EXPECT_EQ(AudioInformation::GenreName(255), "");
}

TEST_F(AudioInformationTest, GenreTextsOfOtherTaggersAreUnderstood) {
    const struct {
        const char* text;
        int genre;
    } cases[] = {{"17", 17},          {"(8)", 8},           {"rock", 17},
                 {"Jazz", 8},         {"Chiptune-ish", -1}, {"300", -1},
                 {"150", -1},         {"(150)", -1},        {"Psychedelic", 67},
                 {"Psychadelic", 67}, {"acoustic", 99},     {"Contemporary C", 140}};
    const QString file = freshMp3();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        {
            TagLib::MPEG::File tagged(QFile::encodeName(file).constData(), false);
            auto* tag = tagged.ID3v2Tag(true);
            tag->removeFrames("TCON");
            auto* frame = new TagLib::ID3v2::TextIdentificationFrame("TCON", TagLib::String::UTF8);
            frame->setText(TagLib::String(c.text));
            tag->addFrame(frame);
            ASSERT_TRUE(tagged.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripNone));
        }
        AudioInformation read;
        ASSERT_TRUE(read.Open(file));
        EXPECT_EQ(read.Genre, c.genre);
    }
}

// A genre the program does not list, left as it was read, is kept exactly;
// one the caller changes replaces it.
TEST_F(AudioInformationTest, UntouchedGenreStaysAsTheFileHasIt) {
    const QString file = freshMp3();
    const struct {
        const char* name;
        TagLib::StringList tcon; // empty: no ID3v2 genre
        unsigned v1;             // ID3v1 genre byte, 255: no ID3v1 tag
        const char* shown;
    } cases[] = {
        {"free text", TagLib::StringList("Chiptune"), 255, "Chiptune"},
        {"number past the list", TagLib::StringList("150"), 255, ""},
        {"reference past the list", TagLib::StringList("(150)"), 255, ""},
        {"ID3v1 only", TagLib::StringList(), 150, ""},
        {"both", TagLib::StringList("Chiptune"), 170, "Chiptune"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(freshMp3(), file);
        {
            TagLib::MPEG::File tagged(QFile::encodeName(file).constData(), false);
            tagged.ID3v2Tag(true)->setTitle("Before");
            if (!c.tcon.isEmpty()) {
                auto* frame =
                    new TagLib::ID3v2::TextIdentificationFrame("TCON", TagLib::String::UTF8);
                frame->setText(c.tcon);
                tagged.ID3v2Tag()->addFrame(frame);
            }
            int tags = TagLib::MPEG::File::ID3v2;
            if (c.v1 != 255) {
                tagged.ID3v1Tag(true)->setGenreNumber(c.v1);
                tags |= TagLib::MPEG::File::ID3v1;
            }
            ASSERT_TRUE(tagged.save(tags, TagLib::File::StripNone, TagLib::ID3v2::v4,
                                    TagLib::File::DoNotDuplicate));
        }
        const TagLib::String before =
            TagLib::MPEG::File(QFile::encodeName(file).constData()).tag()->genre();
        AudioInformation info;
        ASSERT_TRUE(info.Open(file));
        EXPECT_EQ(info.Genre, -1);
        if (*c.shown)
            EXPECT_EQ(info.GenreText, c.shown);
        else
            EXPECT_FALSE(info.GenreText.isEmpty()) << "a genre number is shown by some name";
        info.Title = "After";
        ASSERT_TRUE(info.WriteTags(file));
        {
            TagLib::MPEG::File tagged(QFile::encodeName(file).constData(), false);
            EXPECT_EQ(tagged.ID3v2Tag()->title(), TagLib::String("After"));
            EXPECT_EQ(tagged.tag()->genre(), before);
            EXPECT_EQ(tagged.ID3v2Tag()->frameList("TCON").isEmpty(), c.tcon.isEmpty());
            if (c.v1 != 255) {
                ASSERT_TRUE(tagged.hasID3v1Tag());
                EXPECT_EQ(tagged.ID3v1Tag()->genreNumber(), c.v1);
            }
        }
        // Choosing a genre replaces what was there.
        info.Genre = 17;
        ASSERT_TRUE(info.WriteTags(file));
        AudioInformation read;
        ASSERT_TRUE(read.Open(file));
        EXPECT_EQ(read.Genre, 17);
        EXPECT_EQ(read.GenreText, "Rock");
    }
}

TEST_F(AudioInformationTest, FileWithoutTagReadsEmpty) {
    const QString file = freshMp3();
    AudioInformation info = withValues(kRoundTrips[0]); // stale values must go
    ASSERT_TRUE(info.Open(file));
    expectValues(info, {"empty", "", "", "", "", -1, 0, 0});
    EXPECT_TRUE(info.GetErrorText().isEmpty());
}

TEST_F(AudioInformationTest, AudioFramesAreNotTouched) {
    const QString file = freshMp3();
    const QByteArray audio = fileBytes(file);
    ASSERT_EQ(audioStart(file), 0);

    // A short tag, then one too large for the padding of the first.
    TagValues longer = kRoundTrips[1];
    longer.comment = QString(5000, QChar(u'é'));
    for (const TagValues& v : {kRoundTrips[1], longer, kRoundTrips[3]}) {
        SCOPED_TRACE(v.name);
        ASSERT_TRUE(withValues(v).WriteTags(file));
        const QByteArray now = fileBytes(file);
        // An all-empty tag is removed, so the file is the bare audio again.
        const qint64 start = audioStart(file);
        EXPECT_EQ(start == 0, v.title.isEmpty());
        EXPECT_EQ(now.mid(start), audio);
    }
}

TEST_F(AudioInformationTest, ExistingId3v1TagIsKeptInStep) {
    const QString file = freshMp3();
    {
        TagLib::MPEG::File tagged(QFile::encodeName(file).constData(), false);
        tagged.ID3v1Tag(true)->setTitle("Old title");
        tagged.ID3v1Tag()->setGenre("Rock");
        ASSERT_TRUE(tagged.save(TagLib::MPEG::File::ID3v1, TagLib::File::StripNone));
    }
    const QByteArray before = fileBytes(file);
    const QByteArray audio = before.left(before.size() - 128);

    AudioInformation info;
    info.Title = "New title";
    info.Genre = -1;
    ASSERT_TRUE(info.WriteTags(file));

    TagLib::MPEG::File tagged(QFile::encodeName(file).constData(), false);
    ASSERT_TRUE(tagged.hasID3v1Tag());
    ASSERT_TRUE(tagged.hasID3v2Tag());
    EXPECT_EQ(tagged.ID3v1Tag()->title(), TagLib::String("New title"));
    EXPECT_EQ(tagged.ID3v1Tag()->genreNumber(), 255u);

    const QByteArray after = fileBytes(file);
    const qint64 start = audioStart(file);
    EXPECT_EQ(after.mid(start, after.size() - start - 128), audio);
}

TEST_F(AudioInformationTest, NoId3v1TagIsAdded) {
    const QString file = freshMp3();
    ASSERT_TRUE(withValues(kRoundTrips[0]).WriteTags(file));
    TagLib::MPEG::File tagged(QFile::encodeName(file).constData(), false);
    EXPECT_FALSE(tagged.hasID3v1Tag());
}

bool writeWav(const QString& file) {
    SF_INFO sf{};
    sf.samplerate = 44100;
    sf.channels = 2;
    sf.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* out = sf_open(QFile::encodeName(file).constData(), SFM_WRITE, &sf);
    if (!out)
        return false;
    // Noise makes frame-sync-like byte patterns likely.
    std::vector<short> pcm(44100 * 2);
    unsigned seed = 12345;
    for (short& s : pcm) {
        seed = seed * 1103515245u + 12345u;
        s = static_cast<short>(seed >> 16);
    }
    sf_writef_short(out, pcm.data(), 44100);
    sf_close(out);
    return true;
}

TEST_F(AudioInformationTest, FilesThatAreNotMp3AreRefused) {
    const QString mp3 = freshMp3("real.mp3");
    const QByteArray mp3Bytes = fileBytes(mp3);
    const QString wav = path("noise.wav");
    ASSERT_TRUE(writeWav(wav));
    const QString wavAsMp3 = path("noise-wav.mp3");
    ASSERT_TRUE(QFile::copy(wav, wavAsMp3));
    const QString text = path("notes.mp3");
    ASSERT_TRUE(test::writeBytes(text, "These are plain notes, not audio.\n"));
    const QString empty = path("empty.mp3");
    ASSERT_TRUE(test::writeBytes(empty, QByteArray()));
    const QString folder = path("folder.mp3");
    ASSERT_TRUE(QDir().mkpath(folder));

    const struct {
        const char* name;
        QString file;
    } cases[] = {
        {"missing", path("missing.mp3")},
        {"empty path", QString()},
        {"folder", folder},
        {"empty file", empty},
        {"text", text},
        {"wav", wav},
        {"wav named mp3", wavAsMp3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray before = fileBytes(c.file);
        AudioInformation info = withValues(kRoundTrips[0]);
        EXPECT_FALSE(info.Open(c.file));
        EXPECT_FALSE(info.GetErrorText().isEmpty());
        EXPECT_TRUE(info.Title.isEmpty());
        EXPECT_EQ(info.Genre, -1);

        AudioInformation writer = withValues(kRoundTrips[0]);
        EXPECT_FALSE(writer.WriteTags(c.file));
        EXPECT_FALSE(writer.GetErrorText().isEmpty());
        EXPECT_EQ(fileBytes(c.file), before) << "a refused file must stay as it was";
    }
    EXPECT_EQ(fileBytes(mp3), mp3Bytes);
}

TEST_F(AudioInformationTest, DamagedFilesDoNotCrash) {
    const QString source = freshMp3("source.mp3");
    ASSERT_TRUE(withValues(kRoundTrips[1]).WriteTags(source));
    const QByteArray tagged = fileBytes(source);
    const qint64 start = audioStart(source);

    QByteArray hugeTag = tagged;
    hugeTag[6] = 0x7f; // tag size far beyond the end of the file
    hugeTag[7] = 0x7f;
    QByteArray zeroedFrames = tagged;
    for (qint64 i = start + 100; i < start + 2000 && i < zeroedFrames.size(); ++i)
        zeroedFrames[i] = 0;
    QByteArray garbageFrames = tagged.left(start);
    for (int i = 0; i < 20000; ++i)
        garbageFrames.append(static_cast<char>((i * 7919) & 0xff));

    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"cut inside the tag", tagged.left(start / 2)},
        {"cut inside the audio", tagged.left(start + 1000)},
        {"tag size too large", hugeTag},
        {"zeroed frames", zeroedFrames},
        {"tag and garbage", garbageFrames},
        {"only a tag header", tagged.left(10)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path("damaged.mp3");
        ASSERT_TRUE(test::writeBytes(file, c.bytes));
        AudioInformation info;
        const bool opened = info.Open(file);
        EXPECT_EQ(opened, info.GetErrorText().isEmpty());
        const bool written = withValues(kRoundTrips[0]).WriteTags(file);
        if (written) {
            AudioInformation read;
            ASSERT_TRUE(read.Open(file));
            EXPECT_EQ(read.Title, kRoundTrips[0].title);
        }
    }
}

} // namespace
} // namespace quillotap

namespace quillotap {
namespace {

// A short FLAC or Opus recording as the program writes it.
QString freshRecording(const QString& path) {
    QFile::remove(path);
    AudioFile writer;
    writer.SetFLACFormat(5, 16);
    writer.SetOpusFormat(64, false);
    writer.CreateForWriting(path, 0);
    EXPECT_EQ(writer.GetStatus(), 0) << writer.GetErrorText().toStdString();
    EXPECT_TRUE(writer.WriteSamples(
        test::makeTone(440, writer.GetSampleRate(), 2, writer.GetSampleRate())));
    writer.Close();
    return path;
}

qint64 decodedFrames(const QString& path) {
    AudioFile reader;
    reader.OpenForReading(path);
    qint64 frames = 0;
    for (SampleBlock b; !(b = reader.ReadSamples(8192)).empty();)
        frames += qint64(b.size()) / 2;
    return frames;
}

// FLAC and Opus files carry the fields as the standard Vorbis comments that
// other players read; the sound is not touched, and an emptied field goes.
TEST_F(AudioInformationTest, FlacAndOpusFilesCarryVorbisComments) {
    for (const char* ext : {"flac", "opus"}) {
        SCOPED_TRACE(ext);
        const QString file = freshRecording(path(QStringLiteral("take.") + ext));
        const qint64 frames = decodedFrames(file);
        ASSERT_GT(frames, 0);
        for (const TagValues& v : kRoundTrips) {
            SCOPED_TRACE(v.name);
            ASSERT_TRUE(withValues(v).WriteTags(file));
            AudioInformation read;
            ASSERT_TRUE(read.Open(file)) << read.GetErrorText().toStdString();
            expectValues(read, v);
        }
        ASSERT_TRUE(withValues(kRoundTrips[0]).WriteTags(file));
        const TagLib::FileRef ref(QFile::encodeName(file).constData());
        ASSERT_FALSE(ref.isNull());
        const TagLib::PropertyMap fields = ref.file()->properties();
        EXPECT_EQ(fields["TITLE"].toString(), "Morning take");
        EXPECT_EQ(fields["ARTIST"].toString(), "The Band");
        EXPECT_EQ(fields["ALBUM"].toString(), "Sessions");
        EXPECT_EQ(fields["DATE"].toString(), "2026");
        EXPECT_EQ(fields["TRACKNUMBER"].toString(), "1");
        EXPECT_EQ(fields["GENRE"].toString(), "Rock");
        EXPECT_EQ(fields["COMMENT"].toString(), "first try");
        EXPECT_EQ(decodedFrames(file), frames) << "the sound is not touched";

        ASSERT_TRUE(withValues({"cleared", "", "", "", "", -1, 0, 0}).WriteTags(file));
        const TagLib::FileRef cleared(QFile::encodeName(file).constData());
        EXPECT_FALSE(cleared.file()->properties().contains("TITLE"));
        EXPECT_FALSE(cleared.file()->properties().contains("GENRE"));
        EXPECT_FALSE(cleared.file()->properties().contains("TRACKNUMBER"));
    }
}

} // namespace
} // namespace quillotap
