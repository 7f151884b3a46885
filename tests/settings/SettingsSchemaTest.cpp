// The options as the modules store them: the hive a save writes (names,
// texts, order) against files written by an earlier build, and what the
// typed reads make of damaged or hand-edited values.
#include "TempConfigHome.h"
#include "data/ExpectedHives.h"

#include "audio/AudioFile.h"
#include "audio/MP3Lame.h"
#include "formats/FormMP3.h"
#include "formats/FormatCatalogue.h"
#include "formats/Mp3Settings.h"
#include "formats/OutputFormatSettings.h"
#include "formats/dialogs/DialogTestSupport.h"
#include "hotkeys/HotkeyTable.h"
#include "recording/RecordingStartOptions.h"
#include "settings/M_Special.h"
#include "settings/RegistryHive.h"
#include "settings/Settings.h"
#include "settings/SettingsSchema.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QTreeWidget>

#include <set>

namespace quillotap::test {
namespace {

class SavedOptions : public TempConfigHome {
protected:
    // The value names under the program key, in file order.
    QStringList storedNames() const {
        const auto hive = RegistryHive::parse(readAll(hiveFilePath()));
        return hive ? hive->valueNames(QString::fromLatin1(kProgramKey)) : QStringList();
    }

    // The options of the save order that the file holds, in the save order.
    QStringList savedInSaveOrder() const {
        const QStringList stored = storedNames();
        QStringList names;
        for (const OptionKey* option : OptionsInSaveOrder) {
            if (stored.contains(QString::fromLatin1(option->name)))
                names << QString::fromLatin1(option->name);
        }
        return names;
    }

    void expectHiveAsBefore(const char* expected) {
        EXPECT_EQ(QString::fromUtf8(readAll(hiveFilePath())), QString::fromUtf8(expected));
    }

    // A start's loads followed by a close's saves, for the converted modules.
    static void loadAndSaveAll() {
        QTreeWidget hotkeys;
        LoadHotkeyTable(&hotkeys);
        OutputFormatSettings formats;
        formats.OGGFreq = QStringLiteral("8 Hz"); // whatever memory held before the load
        formats.OGGChMode = QStringLiteral("Quad");
        formats.FLACLevel = 1;
        formats.OPUSMode = QStringLiteral("Voice");
        AudioFile audio;
        LoadOggSettings(formats, audio);
        LoadWavSettings(formats, audio);
        LoadWmaSettings(formats, audio);
        LoadFlacSettings(formats, audio);
        LoadOpusSettings(formats, audio);
        MP3Lame lame;
        lame.Bitrate = 8;
        LoadMp3Settings(lame, audio);
        saveAll(hotkeys, formats, lame, LoadRecordingStartOptions());
    }

    // The converted modules' part of the close, in the close's order.
    static void saveAll(const QTreeWidget& hotkeys, const OutputFormatSettings& formats,
                        const MP3Lame& lame, const RecordingStartOptions& start) {
        SettingsWriteGroup group;
        SaveHotkeyTable(&hotkeys);
        SaveOutputFormatSettings(formats);
        SaveMp3Settings(lame);
        SaveRecordingStartOptions(start);
    }
};

// A first start loads every option from nothing and the close writes the
// defaults back: the file is the one earlier builds wrote.
TEST_F(SavedOptions, DefaultsLoadedFromNothingAreSavedAsBefore) {
    loadAndSaveAll();
    expectHiveAsBefore(DefaultsHive);
    EXPECT_EQ(storedNames(), savedInSaveOrder());
}

// Every option changed away from its default: saved as before, and read
// back to the same values.
TEST_F(SavedOptions, ChangedValuesAreSavedAsBeforeAndReadBack) {
    QTreeWidget hotkeys;
    LoadHotkeyTable(&hotkeys);
    const char* const codes[] = {"S+F5", "C+Space", "A+Up", "CAS+Down", "C+M", "+F12", "CA+I"};
    for (int n = 1; n <= HotkeyRowCount; ++n) {
        hotkeys.topLevelItem(n - 1)->setData(HotkeyFunctionColumn, HotkeyCodeRole,
                                             QString::fromLatin1(codes[n - 1]));
        SetHotkeyEnabledText(hotkeys.topLevelItem(n - 1),
                             n % 2 ? QStringLiteral("Disabled") : QStringLiteral("Enabled"));
    }
    OutputFormatSettings formats;
    formats.OGGFreq = QStringLiteral("22,050 Hz");
    formats.OGGChMode = QStringLiteral("Mono");
    formats.OGGsldrBitrate = 96;
    formats.OGGsldrMinBitrate = 64;
    formats.OGGsldrMaxBitrate = 160;
    formats.OGGsldrQuality = 450;
    formats.OGGchVbr = true;
    formats.OGGchQuality = true;
    formats.WAVFreq = 22050;
    formats.WAVChannel = 1;
    formats.WAVBit = 8;
    formats.WMAProfile = 35;
    formats.FLACLevel = 8;
    formats.FLACBit = 24;
    formats.OPUSBitrate = 32;
    formats.OPUSMode = QStringLiteral("Voice");
    MP3Lame lame;
    lame.SampleRate = 32000;
    lame.Quality = 2;
    lame.Bitrate = 192;
    lame.VbrBitrate = 256;
    lame.VbrQuality = 3;
    lame.VbrCodingMethod = 4;
    lame.AbrBitrate = 160;
    lame.Channels = 1;
    lame.TypeStereo = 3;
    lame.WritingVBRHeader = false;
    lame.StrictlyEnforceMinBitrate = true;
    RecordingStartOptions start;
    start.preRollSeconds = 12;
    start.startOnSound = true;
    start.silenceSeconds = 20;
    start.thresholdPercent = 35;
    saveAll(hotkeys, formats, lame, start);

    // The tag defaults are written by the MP3 dialog's OK.
    AudioFile audio;
    QString formatStr;
    ID3Defaults id3;
    {
        MP3Lame dialogLame = lame;
        FormMP3 dialog(dialogLame, audio, formatStr, id3);
        Control<QLineEdit>(dialog, "infoTitle")->setText(QString::fromUtf8("Grüße \"live\""));
        Control<QLineEdit>(dialog, "infoArtist")->setText(QStringLiteral("C:\\Band"));
        Control<QLineEdit>(dialog, "infoAlbum")->setText(QStringLiteral("Album"));
        Control<QComboBox>(dialog, "infoGenre")->setCurrentIndex(17);
        Control<QLineEdit>(dialog, "infoYear")->setText(QStringLiteral("1999"));
        Control<QLineEdit>(dialog, "infoTrack")->setText(QStringLiteral("7"));
        Control<QLineEdit>(dialog, "infoComment")->setText(QStringLiteral("side B"));
        Click(dialog, "CmdOK");
    }
    expectHiveAsBefore(ChangedHive);
    EXPECT_EQ(storedNames(), savedInSaveOrder());

    // A restart reads every value back: saving what it read, and
    // confirming the MP3 dialog it opens, changes nothing in the file.
    Registry::instance().reload();
    loadAndSaveAll();
    {
        MP3Lame dialogLame = lame;
        FormMP3 dialog(dialogLame, audio, formatStr, id3);
        Click(dialog, "CmdOK");
    }
    expectHiveAsBefore(ChangedHive);
}

// The stored text of an option, or none at all.
class TypedReads : public TempConfigHome {
protected:
    static void store(const OptionKey& option, const char* text) {
        const QString name = QString::fromLatin1(option.name);
        if (text)
            WriteSetting(name, QString::fromUtf8(text));
        else
            DeleteValue(HKEY_CURRENT_USER, QString::fromLatin1(kProgramKey), name);
    }
};

constexpr const char* Missing = nullptr;

TEST_F(TypedReads, BoolsKeepEachOptionsStoredForm) {
    const struct {
        const BoolOption& option;
        const char* stored;
        bool read;
    } cases[] = {
        // On unless exactly "No".
        {option::PlayStartSound, Missing, true},
        {option::PlayStartSound, "No", false},
        {option::PlayStartSound, "no", true},
        {option::PlayStartSound, "No ", true},
        {option::PlayStartSound, "0", true},
        // Off unless exactly "Yes".
        {option::SizeLimit, Missing, false},
        {option::SizeLimit, "Yes", true},
        {option::SizeLimit, "YES", false},
        {option::StartOnSound, "1", false},
        {option::Preview, "1", true},
        {option::Preview, "Yes", false},
        {option::Preview, "1.0", false},
        // True/False in any case, or a number.
        {option::OGGchVbr, Missing, false},
        {option::OGGchVbr, " tRUE ", true},
        {option::OGGchVbr, "-1", true},
        {option::OGGchVbr, "maybe", false},
        {option::MP3WritingVBRHeader, "FALSE", false},
        {option::MP3WritingVBRHeader, "0", false},
        {option::MP3WritingVBRHeader, "Off", true},
        {option::MP3WritingVBRHeader, "", true},
    };
    for (const auto& c : cases) {
        store(c.option, c.stored);
        EXPECT_EQ(ReadOption(c.option), c.read)
            << c.option.name << " stored as " << (c.stored ? c.stored : "(missing)");
    }
}

TEST_F(TypedReads, NumbersOutsideTheirRulesGiveTheDefault) {
    const struct {
        const IntOption& option;
        const char* stored;
        int read;
    } cases[] = {
        // A whole number, blanks aside; anything else is the default.
        {option::MP3Bitrate, Missing, 128},
        {option::MP3Bitrate, " 192 ", 192},
        {option::MP3Bitrate, "192kbps", 128},
        {option::MP3Bitrate, "1e2", 128},
        {option::MP3Bitrate, "99999999999", 128},
        {option::MP3VbrCodingMethod, "-1", -1},
        // Within the range or the default.
        {option::PreRollSeconds, "30", 30},
        {option::PreRollSeconds, "31", 0},
        {option::SilenceSeconds, "0", 3},
        {option::SoundThreshold, "100", 100},
        {option::SoundThreshold, "-4", 10},
        {option::WMAProfile, "47", 47},
        {option::WMAProfile, "48", 14},
        {option::FLACLevel, "0", 0},
        {option::FLACLevel, "9", 5},
        {option::FLACBit, "24", 24},
        {option::FLACBit, "20", 16},
        // The leading number, when whole.
        {option::Preset1, "7 bars", 7},
        {option::Preset1, "4.5", 4},
        {option::Preset2, "1e1", 10},
        {option::Preset2, "13", 11},
        {option::Preset2, "1e400", 11},
        // The whole text as a number, rounded; the limit boxes correct the range.
        {option::MaxTime, "9.6", 10},
        {option::MaxTime, "1e3", 1000},
        {option::MaxTime, "-7", -7},
        {option::MaxTime, "10 min", 600},
        {option::MaxTime, "inf", 600},
        {option::MaxSize, "3000000000", 10},
        // The leading number, rounded, that is a position in the format list.
        {option::LastFormat, "2.4x", 2},
        {option::LastFormat, "5.5", 6},
        {option::LastFormat, "6.5", 0},
        {option::LastFormat, "-0.6", 0},
        {option::LastFormat, "1e9", 0},
    };
    for (const auto& c : cases) {
        store(c.option, c.stored);
        EXPECT_EQ(ReadOption(c.option), c.read)
            << c.option.name << " stored as " << (c.stored ? c.stored : "(missing)");
    }
}

TEST_F(TypedReads, TextsAreTakenAsStoredOrFromTheirChoices) {
    const struct {
        const TextOption& option;
        const char* stored;
        const char* read;
    } cases[] = {
        {option::HotkeyCodeOption(1), Missing, "CA+R"},
        {option::HotkeyCodeOption(7), "", "CA+I"},
        {option::HotkeyCodeOption(2), " S+F5 ", " S+F5 "},
        {option::HotkeyEnabledOption(4), Missing, "Enabled"},
        {option::HotkeyEnabledOption(4), "off", "off"},
        {option::ID3_Genre, Missing, "-1"},
        {option::ID3_Track, "", "1"},
        {option::ID3_Year, Missing, ""},
        {option::ID3_Title, "Grüße", "Grüße"},
        {option::OGGFreq, " 22,050 Hz ", "22,050 Hz"},
        {option::OGGFreq, "22050", "44,100 Hz"},
        {option::OGGChMode, "Mono", "Mono"},
        {option::OGGChMode, "mono", "Stereo"},
        {option::OPUSMode, "Voice", "Voice"},
        {option::OPUSMode, "Speech", "Music"},
    };
    for (const auto& c : cases) {
        store(c.option, c.stored);
        EXPECT_EQ(ReadOption(c.option), QString::fromUtf8(c.read))
            << c.option.name << " stored as " << (c.stored ? c.stored : "(missing)");
    }
}

// Numbers another tool stored as REG_DWORD read like their texts.
TEST_F(TypedReads, NumbersStoredAsDwordsAreRead) {
    const QString key = QString::fromLatin1(kProgramKey);
    ASSERT_EQ(CreateNewKey(HKEY_CURRENT_USER, key), ERROR_SUCCESS);
    ASSERT_EQ(SetKeyValue(HKEY_CURRENT_USER, key, "MaxTime", 900, REG_DWORD), ERROR_SUCCESS);
    ASSERT_EQ(SetKeyValue(HKEY_CURRENT_USER, key, "OGGchVbr", 1, REG_DWORD), ERROR_SUCCESS);
    ASSERT_EQ(SetKeyValue(HKEY_CURRENT_USER, key, "MP3VbrCodingMethod", -1, REG_DWORD),
              ERROR_SUCCESS);
    EXPECT_EQ(ReadOption(option::MaxTime), 900);
    EXPECT_TRUE(ReadOption(option::OGGchVbr));
    EXPECT_EQ(ReadOption(option::MP3VbrCodingMethod), -1);
}

// A damaged channel mode or an OGG rate with blanks around it: the format
// line and the recordings agree on what is used, and the save stores it.
TEST_F(TypedReads, OggValuesAreReadAsTheRecordingsUseThem) {
    WriteSetting("OGGFreq", " 22,050 Hz");
    WriteSetting("OGGChMode", "Sterio");
    OutputFormatSettings settings;
    AudioFile audio;
    LoadOggSettings(settings, audio);
    EXPECT_EQ(OggDescription(settings, QLocale::c()), "OGG 22,050 Hz; Stereo; 128 Kbps");
    AudioFile stereo22050;
    stereo22050.SetOGGFormat(22050, 2, 128, 0, 0, -1);
    EXPECT_EQ(audio.GetFormatDescription(), stereo22050.GetFormatDescription());
    SaveOutputFormatSettings(settings);
    EXPECT_EQ(ReadSetting("OGGFreq"), "22,050 Hz");
    EXPECT_EQ(ReadSetting("OGGChMode"), "Stereo");
}

// The schema itself: one option per stored name (names compare without case
// in the settings file, so two spellings of one name would overwrite each
// other), every default valid under its own rules, ranges that fit the
// lists they index.
TEST(SettingsSchema, EveryOptionHasItsOwnNameAndAValidDefault) {
    std::set<QString> names;
    for (const OptionKey* key : OptionsInSaveOrder) {
        SCOPED_TRACE(key->name);
        EXPECT_TRUE(names.insert(QString::fromLatin1(key->name).toCaseFolded()).second);
        switch (key->kind) {
        case OptionKind::Bool: {
            const auto& option = *static_cast<const BoolOption*>(key);
            EXPECT_EQ(OptionFromText(option, OptionText(option, true)), true);
            EXPECT_EQ(OptionFromText(option, OptionText(option, false)), false);
            break;
        }
        case OptionKind::Int: {
            const auto& option = *static_cast<const IntOption*>(key);
            EXPECT_EQ(OptionFromText(option, OptionText(option, option.fallback)), option.fallback);
            EXPECT_EQ(OptionFromText(option, OptionText(option, option.lowest)), option.lowest);
            EXPECT_EQ(OptionFromText(option, OptionText(option, option.highest)),
                      option.allowed.empty() ? option.highest : option.allowed.back());
            break;
        }
        case OptionKind::Text: {
            const auto& option = *static_cast<const TextOption*>(key);
            const QString fallback = QString::fromUtf8(option.fallback);
            EXPECT_EQ(OptionFromText(option, fallback), fallback);
            for (const char* choice : option.choices)
                EXPECT_EQ(OptionFromText(option, QString::fromUtf8(choice)), choice);
            break;
        }
        }
    }
    EXPECT_EQ(option::LastFormat.highest, int(OutputFormats.size()) - 1);
    EXPECT_EQ(int(option::OggFrequencyTexts.size()), OggFrequencyTexts().size());
    for (const QString& text : OggFrequencyTexts())
        EXPECT_NE(OggFrequencyValue(text), 0) << text.toStdString();
}

} // namespace
} // namespace quillotap::test
