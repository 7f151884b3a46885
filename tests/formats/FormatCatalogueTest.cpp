// The format list and the one-line description of each format.
#include "formats/FormatCatalogue.h"
#include "audio/AudioFile.h"
#include "audio/MP3Lame.h"
#include "formats/OutputFormatSettings.h"

#include <gtest/gtest.h>

namespace quillotap {

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);

// FLAC and Opus are appended, so stored positions 0..4 keep their meaning.
TEST(FormatCatalogue, SevenEntriesWithExtensionsAndOptions) {
    const char* const texts[] = {"MP3", "WMA", "OGG", "WAV", "VOX", "FLAC", "OPUS"};
    const char* const extensions[] = {"mp3", "wma", "ogg", "wav", "vox", "flac", "opus"};
    for (int code = 0; code < 7; ++code) {
        EXPECT_EQ(FormatText(code), QString::fromLatin1(texts[code]));
        EXPECT_EQ(FormatExtension(code), QString::fromLatin1(extensions[code]));
        EXPECT_EQ(FormatHasOptions(code), code != FormatVOX);
    }
    EXPECT_EQ(FormatText(7), QString());
    EXPECT_EQ(FormatExtension(-1), QString());
    EXPECT_TRUE(FormatHasOptions(-1)); // no selection leaves "Set" enabled
}

OutputFormatSettings ogg(bool vbr, bool quality, int q = 300, int lo = 128, int hi = 128) {
    OutputFormatSettings s;
    s.OGGchVbr = vbr;
    s.OGGchQuality = quality;
    s.OGGsldrQuality = q;
    s.OGGsldrMinBitrate = lo;
    s.OGGsldrMaxBitrate = hi;
    return s;
}

OutputFormatSettings wav(int freq, int channels, int bits) {
    OutputFormatSettings s;
    s.WAVFreq = freq;
    s.WAVChannel = channels;
    s.WAVBit = bits;
    return s;
}

TEST(FormatDescription, CaptionsOfEachFormat) {
    struct Case {
        int code;
        OutputFormatSettings settings;
        const char* caption;
    };
    const Case cases[] = {
        {FormatWAV, OutputFormatSettings(), "WAV 44,100 Hz; Stereo; 16 bit"},
        {FormatOGG, OutputFormatSettings(), "OGG 44,100 Hz; Stereo; 128 Kbps"},
        {FormatOGG, ogg(true, false, 300, 96, 192), "OGG 44,100 Hz; Stereo; 96-192Kbps"},
        {FormatOGG, ogg(false, true, 425), "OGG 44,100 Hz; Stereo; Quality - 4.25"},
        {FormatOGG, ogg(false, true, 300), "OGG 44,100 Hz; Stereo; Quality - 3.0"},
        {FormatOGG, ogg(false, true, 0), "OGG 44,100 Hz; Stereo; Quality - 0.0"},
        {FormatOGG, ogg(false, true, 1000), "OGG 44,100 Hz; Stereo; Quality - 10.0"},
        {FormatOGG, ogg(false, true, 305), "OGG 44,100 Hz; Stereo; Quality - 3.05"},
        {FormatOGG, ogg(true, true, 550, 96, 192), "OGG 44,100 Hz; Stereo; Quality - 5.5"},
        {FormatVOX, OutputFormatSettings(), "VOX Dialogic ADPCM 8,000 Hz; Mono; 4 bit"},
        {FormatWAV, wav(8000, 1, 8), "WAV 8,000 Hz; Mono; 8 bit"},
        {FormatWAV, wav(22050, 3, 16), "WAV 22,050 Hz; Mono; 16 bit"},
        {FormatWAV, wav(500, 2, 16), "WAV 500 Hz; Stereo; 16 bit"},
        {FormatWAV, wav(192000, 2, 16), "WAV 192,000 Hz; Stereo; 16 bit"},
    };
    AudioFile file;
    const MP3Lame lame;
    for (const Case& c : cases) {
        const auto caption =
            DescribeOutputFormat(c.code, QString(), lame, c.settings, file, kEnglish);
        ASSERT_TRUE(caption.has_value()) << c.caption;
        EXPECT_EQ(*caption, QString::fromLatin1(c.caption));
    }
    OutputFormatSettings other = ogg(false, false);
    other.OGGFreq = QStringLiteral("22,050 Hz");
    other.OGGChMode = QStringLiteral("Mono");
    other.OGGsldrBitrate = 1000;
    EXPECT_EQ(OggDescription(other, kEnglish), QStringLiteral("OGG 22,050 Hz; Mono; 1000 Kbps"));
}

TEST(FormatDescription, NumbersFollowTheLocale) {
    EXPECT_EQ(WavDescription(wav(8000, 2, 16), kGerman),
              QStringLiteral("WAV 8.000 Hz; Stereo; 16 bit"));
    EXPECT_EQ(WavDescription(wav(8000, 2, 16), QLocale::c()),
              QStringLiteral("WAV 8,000 Hz; Stereo; 16 bit"));
    EXPECT_EQ(OggDescription(ogg(false, true, 425), kGerman),
              QStringLiteral("OGG 44,100 Hz; Stereo; Quality - 4,25"));
    // Bitrates are plain numbers, never grouped.
    EXPECT_EQ(OggDescription(ogg(true, false, 0, 1000, 2000), kGerman),
              QStringLiteral("OGG 44,100 Hz; Stereo; 1000-2000Kbps"));
}

TEST(FormatDescription, Mp3VbrSuffix) {
    const QString base = QStringLiteral("MP3 44,100 Hz; Stereo; 128 Kbps");
    AudioFile file;
    MP3Lame lame;
    for (int method = -1; method <= 4; ++method) {
        lame.VbrCodingMethod = method;
        const auto caption =
            DescribeOutputFormat(FormatMP3, base, lame, OutputFormatSettings(), file, kEnglish);
        EXPECT_EQ(*caption, method < 0 ? base : base + QStringLiteral(" VBR")) << method;
    }
}

TEST(FormatDescription, WmaComesFromTheSavedProfile) {
    AudioFile reference;
    reference.SetWMAProfile(14);
    const QString profile14 = reference.GetFormatDescription();
    ASSERT_FALSE(profile14.isEmpty());

    // The WMA dialog left the object on another profile while listing.
    AudioFile file;
    file.SetWMAProfile(35);
    ASSERT_NE(file.GetFormatDescription(), profile14);
    OutputFormatSettings s;
    s.WMAProfile = 14;
    EXPECT_EQ(DescribeOutputFormat(FormatWMA, QString(), MP3Lame(), s, file), profile14);
    EXPECT_EQ(file.GetFormatDescription(), profile14); // put back on the saved profile
}

TEST(FormatDescription, NoSelectionLeavesTheLineAlone) {
    AudioFile file;
    EXPECT_FALSE(DescribeOutputFormat(-1, QString(), MP3Lame(), OutputFormatSettings(), file));
    EXPECT_FALSE(DescribeOutputFormat(7, QString(), MP3Lame(), OutputFormatSettings(), file));
}

} // namespace
} // namespace quillotap
