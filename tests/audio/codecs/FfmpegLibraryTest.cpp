// FFmpeg is opened at run time: the table must be complete when the
// libraries are there, and every FFmpeg-based operation must fail with a
// readable reason, not crash, when they are not.
#include "CodecTestSupport.h"

#include "audio/codecs/FfmpegLibrary.h"
#include "audio/codecs/SampleConverter.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillotap;
using namespace quillotap::test;

namespace {

const QString kPrefix = QStringLiteral("FFmpeg could not be loaded: ");

// Names of the members that are still null.
std::vector<std::string> missingMembers(const FfmpegApi& api) {
    std::vector<std::string> missing;
#define QUILLOTAP_CHECK(name)                                                                      \
    if (!api.name)                                                                                 \
        missing.push_back(#name);
    QUILLOTAP_FFMPEG_AVUTIL_FUNCTIONS(QUILLOTAP_CHECK)
    QUILLOTAP_FFMPEG_SWRESAMPLE_FUNCTIONS(QUILLOTAP_CHECK)
    QUILLOTAP_FFMPEG_AVCODEC_FUNCTIONS(QUILLOTAP_CHECK)
    QUILLOTAP_FFMPEG_AVFORMAT_FUNCTIONS(QUILLOTAP_CHECK)
#undef QUILLOTAP_CHECK
    return missing;
}

TEST(FfmpegLibrary, LoadsACompleteTableOfTheVersionBuiltAgainst) {
    const FfmpegLibraryNames names = ffmpegLibraryNames();
    EXPECT_EQ(names.avcodec, "libavcodec.so." + std::to_string(LIBAVCODEC_VERSION_MAJOR));

    QString error = QStringLiteral("stale");
    const FfmpegApi* api = ffmpegApi(&error);
    ASSERT_NE(api, nullptr) << error.toStdString();
    EXPECT_EQ(error, QStringLiteral("stale")); // left alone on success
    EXPECT_EQ(missingMembers(*api), std::vector<std::string>{});
    EXPECT_EQ(ffmpegApi(), api); // loaded once, then shared

    // The functions are the real ones: WMA is there, and error codes read.
    EXPECT_NE(api->avcodec_find_encoder(AV_CODEC_ID_WMAV2), nullptr);
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    EXPECT_EQ(api->av_strerror(AVERROR_EOF, text, sizeof text), 0);
    EXPECT_STREQ(text, "End of file");

    // Loading again resolves to the same, still loaded, libraries.
    const std::unique_ptr<const FfmpegApi> again = loadFfmpegApi(names, &error);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->swr_convert, api->swr_convert);
    EXPECT_EQ(again->avformat_open_input, api->avformat_open_input);
}

TEST(FfmpegLibrary, MissingLibraryOrFunctionGivesTheLoadersReason) {
    FfmpegLibraryNames names = ffmpegLibraryNames();
    names.avcodec = "libavcodec.so.9999";
    QString error;
    EXPECT_EQ(loadFfmpegApi(names, &error), nullptr);
    EXPECT_TRUE(error.startsWith(kPrefix)) << error.toStdString();
    EXPECT_TRUE(error.contains("libavcodec.so.9999")) << error.toStdString();

    // A library that exists but lacks the functions asked of it.
    names = ffmpegLibraryNames();
    names.swresample = names.avutil;
    error.clear();
    EXPECT_EQ(loadFfmpegApi(names, &error), nullptr);
    EXPECT_TRUE(error.startsWith(kPrefix)) << error.toStdString();
    EXPECT_TRUE(error.contains("swr_alloc_set_opts2")) << error.toStdString();

    EXPECT_EQ(loadFfmpegApi(names, nullptr), nullptr); // no error wanted: no crash
}

// Every FFmpeg-based operation while FFmpeg is missing; the others go on.
TEST(FfmpegMissing, WmaAndConversionFailWithTheReasonOthersWork) {
    QTemporaryDir dir;
    const QString wma = dir.filePath("before.wma");
    const QString wav = dir.filePath("before.wav");
    for (const QString& path : {wma, wav}) {
        AudioFile f;
        f.SetWAVFormat(22050, 1, 16);
        f.CreateForWriting(path, 0);
        ASSERT_EQ(f.GetStatus(), 0) << f.GetErrorText().toStdString();
        ASSERT_TRUE(writeTone(f, 440, 0.5, f.GetSampleRate(), f.GetChannels()));
        f.Close();
    }

    const QByteArray wmaBytes = readBytes(wma);
    const QString reason = kPrefix + QStringLiteral("libavcodec.so.9999: cannot open");
    {
        const ScopedFfmpegUnavailable unavailable(reason);
        EXPECT_EQ(ffmpegApi(), nullptr);

        AudioFile writer;
        writer.CreateForWriting(dir.filePath("new.wma"), 0);
        EXPECT_LT(writer.GetStatus(), 0);
        EXPECT_EQ(writer.GetErrorText(), reason);
        EXPECT_FALSE(writer.IsWriting());
        EXPECT_FALSE(writer.WriteSamples(SampleBlock(1000, 0)));
        EXPECT_FALSE(QFile::exists(dir.filePath("new.wma")));

        const Decoded fromWma = decodeFile(wma);
        EXPECT_LT(fromWma.status, 0);
        EXPECT_TRUE(fromWma.error.contains(reason)) << fromWma.error.toStdString();
        EXPECT_EQ(readBytes(wma), wmaBytes);

        SampleConverter converter;
        EXPECT_FALSE(converter.configure(44100, 2, 22050, 1));
        EXPECT_EQ(converter.errorText(), reason);
        const SampleBlock in(2000, 100);
        EXPECT_TRUE(converter.convert(in.data(), 1000).empty());
        EXPECT_TRUE(converter.drain().empty());
        // Equal formats need no FFmpeg.
        EXPECT_TRUE(converter.configure(22050, 1, 22050, 1));
        EXPECT_EQ(converter.convert(in.data(), 1000).size(), 1000u);

        // A WAV file is written and read without FFmpeg; input in another
        // format is refused rather than stored at the wrong speed.
        const Decoded fromWav = decodeFile(wav);
        EXPECT_EQ(fromWav.status, 0) << fromWav.error.toStdString();
        EXPECT_EQ(fromWav.frames(), 11025);
        AudioFile wavWriter;
        wavWriter.SetWAVFormat(22050, 1, 16);
        wavWriter.CreateForWriting(dir.filePath("new.wav"), 0);
        ASSERT_EQ(wavWriter.GetStatus(), 0);
        EXPECT_TRUE(wavWriter.WriteSamples(SampleBlock(22050, 0)));
        wavWriter.SetInputFormat(44100, 2);
        EXPECT_FALSE(wavWriter.WriteSamples(SampleBlock(88200, 0)));
        EXPECT_EQ(wavWriter.GetWriteError(), reason);
        wavWriter.Close();
        EXPECT_EQ(decodeFile(dir.filePath("new.wav")).frames(), 22050);
    }

    // Once FFmpeg is back, the same operations work.
    ASSERT_NE(ffmpegApi(), nullptr);
    const Decoded fromWma = decodeFile(wma);
    EXPECT_EQ(fromWma.status, 0) << fromWma.error.toStdString();
    EXPECT_NEAR(fromWma.seconds(), 0.5, 0.1);
    SampleConverter converter;
    EXPECT_TRUE(converter.configure(44100, 2, 22050, 1));
    EXPECT_TRUE(converter.errorText().isEmpty());
}

} // namespace
