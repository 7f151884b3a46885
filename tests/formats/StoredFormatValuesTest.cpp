// Format values read from a hive that was edited by hand or damaged: what the
// program keeps must be what the recordings then use.
#include "audio/AudioFile.h"
#include "audio/MP3Lame.h"
#include "formats/FormWMA.h"
#include "formats/FormatCatalogue.h"
#include "formats/OutputFormatSettings.h"
#include "settings/Settings.h"
#include "settings/TempConfigHome.h"

#include <QPushButton>

namespace quillotap {
namespace {

class StoredFormatValues : public test::TempConfigHome {};

QString WmaDescription(int profile) {
    AudioFile reference;
    reference.SetWMAProfile(profile);
    return reference.GetFormatDescription();
}

// A stored profile that is no profile falls back to the default one, in the
// settings and in the writer alike, and stays there after a cancelled
// dialog.
TEST_F(StoredFormatValues, WmaProfileOutsideTheListGivesTheDefault) {
    const QString profile14 = WmaDescription(14);
    for (const char* stored : {"48", "0", "-3", "100000", "twelve"}) {
        SCOPED_TRACE(stored);
        WriteSetting(QStringLiteral("WMAProfile"), QString::fromLatin1(stored));
        OutputFormatSettings settings;
        settings.WMAProfile = 35; // whatever was there before the load
        AudioFile audio;
        audio.SetWAVFormat(8000, 1, 8); // the previous format's description
        LoadWmaSettings(settings, audio);
        EXPECT_EQ(settings.WMAProfile, 14);
        EXPECT_EQ(audio.GetFormatDescription(), profile14);

        {
            FormWMA dialog(settings, audio); // lists every profile, ends on 47
            dialog.reject();
        }
        EXPECT_EQ(settings.WMAProfile, 14);
        EXPECT_EQ(DescribeOutputFormat(FormatWMA, QString(), MP3Lame(), settings, audio),
                  profile14);
        EXPECT_EQ(audio.GetFormatDescription(), profile14) << "recordings use the kept profile";
    }

    // Every real profile is kept as stored.
    for (int profile : {1, 10, 35, 47}) {
        WriteSetting(QStringLiteral("WMAProfile"), QString::number(profile));
        OutputFormatSettings settings;
        AudioFile audio;
        LoadWmaSettings(settings, audio);
        EXPECT_EQ(settings.WMAProfile, profile);
        EXPECT_EQ(audio.GetFormatDescription(), WmaDescription(profile));
    }
}

// FLAC and Opus values outside their ranges give the defaults, in the
// settings and in the writer; values inside are kept as stored, and what is
// kept is saved back.
TEST_F(StoredFormatValues, FlacAndOpusValuesOutsideTheirRangesGiveTheDefaults) {
    const struct {
        const char* level;
        const char* bits;
        const char* bitrate;
        const char* mode;
        int keptLevel;
        int keptBits;
        int keptBitrate;
        const char* keptMode;
    } cases[] = {
        {"9", "32", "5", "Speech", 5, 16, 96, "Music"},
        {"-1", "8", "257", "voice", 5, 16, 96, "Music"},
        {"many", "", "fast", "", 5, 16, 96, "Music"},
        {"0", "24", "6", "Voice", 0, 24, 6, "Voice"},
        {"8", "16", "256", "Music", 8, 16, 256, "Music"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.level) + "/" + c.bits + "/" + c.bitrate + "/" + c.mode);
        WriteSetting(QStringLiteral("FLACLevel"), QString::fromLatin1(c.level));
        WriteSetting(QStringLiteral("FLACBit"), QString::fromLatin1(c.bits));
        WriteSetting(QStringLiteral("OPUSBitrate"), QString::fromLatin1(c.bitrate));
        WriteSetting(QStringLiteral("OPUSMode"), QString::fromLatin1(c.mode));
        OutputFormatSettings settings;
        settings.FLACLevel = 3; // whatever was there before the load
        settings.OPUSBitrate = 64;
        AudioFile audio;
        LoadFlacSettings(settings, audio);
        EXPECT_EQ(settings.FLACLevel, c.keptLevel);
        EXPECT_EQ(settings.FLACBit, c.keptBits);
        EXPECT_EQ(audio.GetFormatDescription(), FlacDescription(settings, QLocale::c()));
        LoadOpusSettings(settings, audio);
        EXPECT_EQ(settings.OPUSBitrate, c.keptBitrate);
        EXPECT_EQ(settings.OPUSMode, c.keptMode);
        EXPECT_EQ(audio.GetFormatDescription(), OpusDescription(settings, QLocale::c()));

        SaveOutputFormatSettings(settings);
        EXPECT_EQ(ReadSetting(QStringLiteral("FLACLevel")), QString::number(c.keptLevel));
        EXPECT_EQ(ReadSetting(QStringLiteral("OPUSMode")), c.keptMode);
    }
}

} // namespace
} // namespace quillotap
