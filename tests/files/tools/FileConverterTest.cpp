// Converting files between the seven formats: what lands in the folder, how
// long and in which format, and what is left when something goes wrong.
#include "SoundFiles.h"

#include "files/FileConverter.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sndfile.h>
#include <sys/resource.h>
#include <tuple>

namespace quillotap::test {
namespace {

class ConverterTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }

    QString source(const QString& ext, double seconds = 2.0) {
        const QString file = path("take." + ext);
        EXPECT_TRUE(WriteTone(file, seconds, lame_, settings_)) << file.toStdString();
        return file;
    }

    QStringList entries() const {
        return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir dir_;
    MP3Lame lame_;
    OutputFormatSettings settings_;
    FileConverter converter_{lame_, settings_};
};

// ---- every source format to every target format ----

class AllPairs : public ConverterTest,
                 public ::testing::WithParamInterface<std::tuple<const char*, const char*>> {};

TEST_P(AllPairs, KeepsLengthToneAndTakesTheTargetsFormat) {
    const QString from = QString::fromLatin1(std::get<0>(GetParam()));
    const QString to = QString::fromLatin1(std::get<1>(GetParam()));
    const QString src = source(from);
    const QByteArray before = FileBytes(src);
    // What a file of the target format written directly looks like.
    const QString reference = path("reference." + to);
    ASSERT_TRUE(WriteTone(reference, 0.5, lame_, settings_));
    const Decoded expected = DecodeAll(reference);

    const QString target = path("New_take." + to);
    ASSERT_TRUE(converter_.ConvertFile(src, target)) << converter_.GetErrorText().toStdString();
    EXPECT_TRUE(converter_.GetErrorText().isEmpty());
    EXPECT_FALSE(converter_.wasStopped());
    EXPECT_FALSE(converter_.sourceWasShort());

    const Decoded in = DecodeAll(src);
    const Decoded out = DecodeAll(target);
    ASSERT_TRUE(out.opened);
    EXPECT_EQ(out.rate, expected.rate);
    EXPECT_EQ(out.channels, expected.channels);
    // Encoder delay and padding of the lossy codecs, twice over at most.
    EXPECT_NEAR(out.seconds(), in.seconds(), 0.15);
    EXPECT_NEAR(out.frequency(), 440.0, 5.0);
    EXPECT_GT(rmsLevel(out.samples), 0.2);
    EXPECT_EQ(FileBytes(src), before) << "the source is kept as it was";
}

INSTANTIATE_TEST_SUITE_P(
    Formats, AllPairs,
    ::testing::Combine(::testing::Values("mp3", "wma", "ogg", "wav", "vox", "flac", "opus"),
                       ::testing::Values("mp3", "wma", "ogg", "wav", "vox", "flac", "opus")),
    [](const auto& info) {
        return std::string(std::get<0>(info.param)) + "_to_" + std::get<1>(info.param);
    });

// ---- progress ----

TEST_F(ConverterTest, ProgressRisesToAHundredAndNeverBeyond) {
    const QString src = source("mp3", 3.0);
    std::vector<double> seen;
    converter_.setProgressHandler([&](double percent) { seen.push_back(percent); });
    ASSERT_TRUE(converter_.ConvertFile(src, path("New_take.wav")));
    ASSERT_GE(seen.size(), 4u); // the start, one per second, the end
    EXPECT_EQ(seen.front(), 0.0);
    EXPECT_EQ(seen.back(), 100.0);
    for (size_t i = 1; i < seen.size(); ++i) {
        EXPECT_GE(seen[i], seen[i - 1]);
        EXPECT_LE(seen[i], 100.0);
    }
}

// ---- the WMA trial conversion ----

TEST_F(ConverterTest, WmaPrimingFileNeverRemainsAndNoOtherIsRemoved) {
    const QString src = source("mp3");
    const QString temporary = path("New_take.wma$.wav");
    EXPECT_TRUE(converter_.PrimeWmaConversion(src, temporary));
    EXPECT_FALSE(QFileInfo::exists(temporary));

    ASSERT_TRUE(WriteBytes(path("broken.mp3"), QByteArray(5000, '\x55')));
    EXPECT_FALSE(converter_.PrimeWmaConversion(path("broken.mp3"), temporary));
    EXPECT_FALSE(QFileInfo::exists(temporary));

    // A file of that name that the converter did not make stays.
    ASSERT_TRUE(WriteBytes(temporary, "someone else's"));
    EXPECT_FALSE(converter_.PrimeWmaConversion(src, temporary));
    EXPECT_EQ(FileBytes(temporary), "someone else's");
}

// ---- failures leave nothing behind ----

TEST_F(ConverterTest, DamagedSourcesFailAndLeaveNoTarget) {
    const QString good = source("wav", 3.0);
    const QByteArray wav = FileBytes(good);
    const QByteArray mp3 = FileBytes(source("mp3", 3.0));
    const QByteArray ogg = FileBytes(source("ogg", 3.0));
    QRandomGenerator noise(7);
    QByteArray random(40000, 0);
    for (char& c : random)
        c = char(noise.bounded(256));

    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"empty.wav", QByteArray()},
        {"empty.mp3", QByteArray()},
        {"random.wav", random},
        {"random.mp3", random},
        {"random.ogg", random},
        {"random.wma", random},
        {"headeronly.mp3", mp3.left(600)},
        {"headeronly.ogg", ogg.left(300)},
        {"headeronly.wav", wav.left(44)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString src = path(c.name);
        ASSERT_TRUE(WriteBytes(src, c.bytes));
        for (const QString& ext : {QStringLiteral("mp3"), QStringLiteral("wav")}) {
            const QString target = path("New_" + QString(c.name).replace('.', '_') + "." + ext);
            EXPECT_FALSE(converter_.ConvertFile(src, target));
            EXPECT_FALSE(converter_.GetErrorText().isEmpty());
            EXPECT_FALSE(QFileInfo::exists(target));
            EXPECT_EQ(FileBytes(src), c.bytes);
        }
    }
    EXPECT_FALSE(converter_.isConverting());
}

// WAV and WMA readers measure a cut-off file by what it still holds: the
// part that is there converts into a complete, shorter file.
TEST_F(ConverterTest, CutOffWavAndWmaConvertWhatTheyHold) {
    for (const char* ext : {"wav", "wma"}) {
        SCOPED_TRACE(ext);
        const QByteArray whole = FileBytes(source(ext, 3.0));
        const QString src = path(QStringLiteral("cut.") + ext);
        ASSERT_TRUE(WriteBytes(src, whole.left(whole.size() / 3)));
        const QString target = path(QStringLiteral("New_cut_") + ext + ".ogg");
        ASSERT_TRUE(converter_.ConvertFile(src, target)) << converter_.GetErrorText().toStdString();
        const Decoded in = DecodeAll(src);
        const Decoded out = DecodeAll(target);
        ASSERT_TRUE(out.opened);
        EXPECT_LT(out.seconds(), 2.0);
        EXPECT_NEAR(out.seconds(), in.seconds(), 0.15);
    }
}

// A recording cut off by a power loss: its header announces more than the
// file holds. What decodes is converted, and the converter says the source
// was short.
TEST_F(ConverterTest, CutOffMp3AndOggConvertWhatDecodesAndSaySo) {
    for (const char* ext : {"mp3", "ogg"}) {
        SCOPED_TRACE(ext);
        const QByteArray whole = FileBytes(source(ext, 3.0));
        const QString src = path(QStringLiteral("cut.") + ext);
        ASSERT_TRUE(WriteBytes(src, whole.left(whole.size() / 3)));
        const Decoded in = DecodeAll(src);
        ASSERT_GT(in.seconds(), 0.5);
        ASSERT_LT(in.seconds(), 2.0);
        for (const char* to : {"wav", "mp3"}) {
            SCOPED_TRACE(to);
            const QString target = path(QStringLiteral("New_cut_") + ext + "." + to);
            ASSERT_TRUE(converter_.ConvertFile(src, target))
                << converter_.GetErrorText().toStdString();
            EXPECT_TRUE(converter_.sourceWasShort());
            EXPECT_FALSE(converter_.wasStopped());
            const Decoded out = DecodeAll(target);
            ASSERT_TRUE(out.opened);
            EXPECT_NEAR(out.seconds(), in.seconds(), 0.15);
            EXPECT_NEAR(out.frequency(), 440.0, 5.0);
            EXPECT_EQ(FileBytes(src), whole.left(whole.size() / 3));
        }
    }
    // The next, complete source is not reported short.
    ASSERT_TRUE(WriteTone(path("whole.mp3"), 2.0, lame_, settings_));
    ASSERT_TRUE(converter_.ConvertFile(path("whole.mp3"), path("New_whole.wav")));
    EXPECT_FALSE(converter_.sourceWasShort());
}

TEST_F(ConverterTest, VanishedSourceAndUncreatableTargetAreReported) {
    EXPECT_FALSE(converter_.ConvertFile(path("gone.wav"), path("New_gone.mp3")));
    EXPECT_TRUE(converter_.GetErrorText().contains("gone.wav"));
    EXPECT_FALSE(QFileInfo::exists(path("New_gone.mp3")));

    const QString src = source("wav");
    EXPECT_FALSE(converter_.ConvertFile(src, path("no such folder/New_take.mp3")));
    EXPECT_TRUE(converter_.GetErrorText().contains("New_take.mp3"));
    EXPECT_EQ(entries(), QStringList{"take.wav"});
}

// The file-size limit stands in for a full disk: writes fail with EFBIG.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

TEST_F(ConverterTest, WriteErrorRemovesThePartialTarget) {
    const QString src = source("wav", 3.0);
    const QByteArray before = FileBytes(src);
    {
        FileSizeLimit limit(100 * 1024);
        EXPECT_FALSE(converter_.ConvertFile(src, path("New_take.wav")));
    }
    EXPECT_FALSE(converter_.GetErrorText().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path("New_take.wav")));
    EXPECT_EQ(FileBytes(src), before);
}

// ---- existing targets ----

TEST_F(ConverterTest, ExistingTargetIsReplacedOnlyWhenAskedAndOnlyBySuccess) {
    const QString src = source("wav");
    const QString target = path("New_take.mp3");
    ASSERT_TRUE(WriteBytes(target, "older file"));

    EXPECT_FALSE(converter_.ConvertFile(src, target));
    EXPECT_EQ(FileBytes(target), "older file");

    // A failed replacement keeps the older file.
    ASSERT_TRUE(WriteBytes(path("broken.wav"), "RIFF broken"));
    EXPECT_FALSE(converter_.ConvertFile(path("broken.wav"), target, true));
    EXPECT_EQ(FileBytes(target), "older file");

    ASSERT_TRUE(converter_.ConvertFile(src, target, true));
    const Decoded out = DecodeAll(target);
    ASSERT_TRUE(out.opened);
    EXPECT_NEAR(out.seconds(), 2.0, 0.15);
    EXPECT_EQ(entries(), (QStringList{"New_take.mp3", "broken.wav", "take.wav"}))
        << "no scratch file is left";
}

// ---- the current settings, on a writer of its own ----

TEST_F(ConverterTest, UsesTheCurrentSettingsOfEachFormat) {
    settings_.WAVFreq = 8000;
    settings_.WAVChannel = 1;
    settings_.WAVBit = 8;
    settings_.OGGFreq = QStringLiteral("22,050 Hz");
    settings_.OGGChMode = QStringLiteral("Mono");
    lame_.SampleRate = 32000;
    const QString src = path("take.wav");
    ASSERT_TRUE(WriteTone(src, 1.0)); // 44.1 kHz stereo
    ASSERT_TRUE(converter_.ConvertFile(src, path("New_take.ogg")));
    ASSERT_TRUE(converter_.ConvertFile(src, path("New_take.mp3")));
    ASSERT_TRUE(converter_.ConvertFile(path("New_take.ogg"), path("New_New_take.wav")));
    const Decoded ogg = DecodeAll(path("New_take.ogg"));
    const Decoded mp3 = DecodeAll(path("New_take.mp3"));
    const Decoded wav = DecodeAll(path("New_New_take.wav"));
    EXPECT_EQ(std::make_pair(ogg.rate, ogg.channels), std::make_pair(22050, 1));
    EXPECT_EQ(mp3.rate, 32000);
    EXPECT_EQ(std::make_pair(wav.rate, wav.channels), std::make_pair(8000, 1));
    EXPECT_NEAR(wav.frequency(), 440.0, 5.0);
}

TEST_F(ConverterTest, FlacAndOpusTargetsUseTheirCurrentSettings) {
    const QString src = source("wav", 4.0);
    settings_.FLACBit = 24;
    settings_.OPUSBitrate = 6;
    settings_.OPUSMode = QStringLiteral("Voice");
    ASSERT_TRUE(converter_.ConvertFile(src, path("New_take.flac")));
    ASSERT_TRUE(converter_.ConvertFile(src, path("low.opus")));
    settings_.OPUSBitrate = 192;
    settings_.OPUSMode = QStringLiteral("Music");
    ASSERT_TRUE(converter_.ConvertFile(src, path("high.opus")));

    SF_INFO info{};
    SNDFILE* sf = sf_open(QFile::encodeName(path("New_take.flac")).constData(), SFM_READ, &info);
    ASSERT_NE(sf, nullptr);
    EXPECT_EQ(info.format & SF_FORMAT_SUBMASK, SF_FORMAT_PCM_24);
    sf_close(sf);
    // 6 against 192 kbit/s over four seconds.
    EXPECT_LT(QFileInfo(path("low.opus")).size() * 10, QFileInfo(path("high.opus")).size());
    EXPECT_NEAR(DecodeAll(path("low.opus")).seconds(), 4.0, 0.1);
}

} // namespace
} // namespace quillotap::test
