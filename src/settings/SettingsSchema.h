// Every option the program stores, described once: its name in the settings
// file, its type, its default, the values it may take and how its stored
// text is read. Modules read and write options through the typed functions
// below and never spell a setting name themselves.
//
// The stored texts are those the settings file has always held, so files
// written by earlier versions read and write unchanged: a bool is "Yes"/"No",
// "True"/"False" or "1"/"0" as each option always had it, a number is its
// decimal text.
#pragma once

#include "audio/codecs/WmaProfiles.h"

#include <QString>

#include <array>
#include <climits>
#include <span>

namespace quillotap {

enum class OptionKind { Bool, Int, Text };

// How the stored text of a bool is read.
enum class BoolForm {
    // The value differs from the default only when the text is exactly the
    // other value's text: for a default of "Yes", only "No" is off.
    Exact,
    // The two texts in any case with blanks around them, or a whole number
    // (anything but 0 is on); any other text gives the default.
    Lenient,
};

// How the stored text of a number is read. Empty text (a missing value)
// always gives the default, and so does a number outside the option's range.
enum class NumberForm {
    Whole,          // the text, blanks aside, is a whole number: "12"; not "12.0" or "12 s"
    LeadingWhole,   // the number the text starts with, when it is whole: "4 bars" is 4; "4.5" none
    Rounded,        // the text, blanks aside, is a number, rounded: "9.6" is 10; "10 MB" none
    LeadingRounded, // the number the text starts with, rounded: "2.4 x" is 2
};

// What every option has: the name of its value in the settings file.
struct OptionKey {
    const char* name;
    OptionKind kind;
};

struct BoolOption : OptionKey {
    bool fallback;
    const char* onText;
    const char* offText;
    BoolForm form;
};

struct IntOption : OptionKey {
    int fallback;
    int lowest;
    int highest;
    NumberForm form;
    std::span<const int> allowed; // when not empty, the only values taken
};

struct TextOption : OptionKey {
    const char* fallback;                 // for empty stored text
    std::span<const char* const> choices; // when not empty, the only texts taken (blanks aside)
};

constexpr BoolOption YesNoOption(const char* name, bool fallback) {
    return {{name, OptionKind::Bool}, fallback, "Yes", "No", BoolForm::Exact};
}
constexpr BoolOption TrueFalseOption(const char* name, bool fallback) {
    return {{name, OptionKind::Bool}, fallback, "True", "False", BoolForm::Lenient};
}
constexpr IntOption NumberOption(const char* name, int fallback, int lowest = INT_MIN,
                                 int highest = INT_MAX, NumberForm form = NumberForm::Whole,
                                 std::span<const int> allowed = {}) {
    return {{name, OptionKind::Int}, fallback, lowest, highest, form, allowed};
}
constexpr TextOption TextValueOption(const char* name, const char* fallback = "",
                                     std::span<const char* const> choices = {}) {
    return {{name, OptionKind::Text}, fallback, choices};
}

namespace option {

// Lists of allowed values.
inline constexpr std::array<const char*, 6> OggFrequencyTexts{
    "16,000 Hz", "22,050 Hz", "24,000 Hz", "32,000 Hz", "44,100 Hz", "48,000 Hz"};
inline constexpr std::array<const char*, 2> OggChannelModes{"Mono", "Stereo"};
inline constexpr std::array<const char*, 2> OpusModes{"Music", "Voice"};
inline constexpr std::array<int, 2> FlacBitDepths{16, 24};

// The output folder; empty means the default folder below the documents.
inline constexpr TextOption FilePath = TextValueOption("FilePath");
// The position of the selected output format in the format list.
inline constexpr IntOption LastFormat =
    NumberOption("LastFormat", 0, 0, 6, NumberForm::LeadingRounded);

// The hotkey rows 1..7: the key combination code and the enabled text
// ("Enabled" or anything else, which is off), taken as stored.
inline constexpr int HotkeyRows = 7;
inline constexpr std::array<TextOption, HotkeyRows> HotkeyCodes{
    TextValueOption("Hotkey1", "CA+R"),  TextValueOption("Hotkey2", "CA+S"),
    TextValueOption("Hotkey3", "CA+Up"), TextValueOption("Hotkey4", "CA+Down"),
    TextValueOption("Hotkey5", "CA+M"),  TextValueOption("Hotkey6", "CA+P"),
    TextValueOption("Hotkey7", "CA+I"),
};
inline constexpr std::array<TextOption, HotkeyRows> HotkeyEnabled{
    TextValueOption("Hotkey1E", "Enabled"), TextValueOption("Hotkey2E", "Enabled"),
    TextValueOption("Hotkey3E", "Enabled"), TextValueOption("Hotkey4E", "Enabled"),
    TextValueOption("Hotkey5E", "Enabled"), TextValueOption("Hotkey6E", "Enabled"),
    TextValueOption("Hotkey7E", "Enabled"),
};
// The options of hotkey row `row` (1..HotkeyRows).
constexpr const TextOption& HotkeyCodeOption(int row) {
    return HotkeyCodes[std::size_t(row - 1)];
}
constexpr const TextOption& HotkeyEnabledOption(int row) {
    return HotkeyEnabled[std::size_t(row - 1)];
}

// The visualization presets of the input and playback panes.
inline constexpr IntOption Preset1 = NumberOption("Preset1", 4, 1, 12, NumberForm::LeadingWhole);
inline constexpr IntOption Preset2 = NumberOption("Preset2", 11, 1, 12, NumberForm::LeadingWhole);
// Whether the input is shown while not recording.
inline constexpr BoolOption Preview{
    {"Preview", OptionKind::Bool}, false, "1", "0", BoolForm::Exact};

// The cue sounds, the recording limits and icon mode when minimised. The
// limit values are taken as stored; their boxes correct them into range.
inline constexpr BoolOption PlayStopSound = YesNoOption("PlayStopSound", true);
inline constexpr BoolOption PlayStartSound = YesNoOption("PlayStartSound", true);
inline constexpr BoolOption StartIconWhenMin = YesNoOption("StartIconWhenMin", false);
inline constexpr BoolOption SizeLimit = YesNoOption("SizeLimit", false);
inline constexpr BoolOption Timelimit = YesNoOption("Timelimit", false);
inline constexpr IntOption MaxSize =
    NumberOption("MaxSize", 10, -INT_MAX, INT_MAX, NumberForm::Rounded);
inline constexpr IntOption MaxTime =
    NumberOption("MaxTime", 600, -INT_MAX, INT_MAX, NumberForm::Rounded);

// The output formats other than MP3.
inline constexpr IntOption WMAProfile =
    NumberOption("WMAProfile", kWmaDefaultProfile, 1, kWmaProfileCount);
inline constexpr IntOption WAVFreq = NumberOption("WAVFreq", 44100);
inline constexpr IntOption WAVChannel = NumberOption("WAVChannel", 2);
inline constexpr IntOption WAVBit = NumberOption("WAVBit", 16);
inline constexpr TextOption OGGFreq = TextValueOption("OGGFreq", "44,100 Hz", OggFrequencyTexts);
inline constexpr TextOption OGGChMode = TextValueOption("OGGChMode", "Stereo", OggChannelModes);
inline constexpr IntOption OGGsldrBitrate = NumberOption("OGGsldrBitrate", 128);
inline constexpr IntOption OGGsldrMinBitrate = NumberOption("OGGsldrMinBitrate", 128);
inline constexpr IntOption OGGsldrMaxBitrate = NumberOption("OGGsldrMaxBitrate", 128);
inline constexpr IntOption OGGsldrQuality = NumberOption("OGGsldrQuality", 300); // hundredths
inline constexpr BoolOption OGGchVbr = TrueFalseOption("OGGchVbr", false);
inline constexpr BoolOption OGGchQuality = TrueFalseOption("OGGchQuality", false);
inline constexpr IntOption FLACLevel = NumberOption("FLACLevel", 5, 0, 8);
inline constexpr IntOption FLACBit =
    NumberOption("FLACBit", 16, 16, 24, NumberForm::Whole, FlacBitDepths);
inline constexpr IntOption OPUSBitrate = NumberOption("OPUSBitrate", 96, 6, 256); // kbit/s
inline constexpr TextOption OPUSMode = TextValueOption("OPUSMode", "Music", OpusModes);

// The MP3 encoder; the values are handed to the encoder as stored.
inline constexpr IntOption MP3Freq = NumberOption("MP3Freq", 44100);
inline constexpr IntOption MP3Quality = NumberOption("MP3Quality", 5);
inline constexpr IntOption MP3Bitrate = NumberOption("MP3Bitrate", 128);
inline constexpr IntOption MP3VbrBitrate = NumberOption("MP3VbrBitrate", 192);
inline constexpr IntOption MP3VbrQuality = NumberOption("MP3VbrQuality", 7);
inline constexpr IntOption MP3VbrCodingMethod = NumberOption("MP3VbrCodingMethod", -1);
inline constexpr IntOption MP3AbrBitrate = NumberOption("MP3AbrBitrate", 128);
inline constexpr IntOption MP3Channels = NumberOption("MP3Channels", 2);
inline constexpr IntOption MP3TypeStereo = NumberOption("MP3TypeStereo", 1);
inline constexpr BoolOption MP3WritingVBRHeader = TrueFalseOption("MP3WritingVBRHeader", true);
inline constexpr BoolOption MP3StrictlyEnforceMinBitrate =
    TrueFalseOption("MP3StrictlyEnforceMinBitrate", false);

// How recordings begin: pre-roll seconds, sound activation, its silence
// seconds and threshold percent.
inline constexpr IntOption PreRollSeconds = NumberOption("PreRollSeconds", 0, 0, 30);
inline constexpr BoolOption StartOnSound = YesNoOption("StartOnSound", false);
inline constexpr IntOption SilenceSeconds = NumberOption("SilenceSeconds", 3, 1, 60);
inline constexpr IntOption SoundThreshold = NumberOption("SoundThreshold", 10, 1, 100);

// The default tag of new MP3 recordings, as typed in the MP3 dialog. An
// empty year stands for the current year, which the readers fill in.
inline constexpr TextOption ID3_Title = TextValueOption("ID3_Title");
inline constexpr TextOption ID3_Artist = TextValueOption("ID3_Artist");
inline constexpr TextOption ID3_Album = TextValueOption("ID3_Album");
inline constexpr TextOption ID3_Genre = TextValueOption("ID3_Genre", "-1"); // -1: none
inline constexpr TextOption ID3_Year = TextValueOption("ID3_Year");
inline constexpr TextOption ID3_Track = TextValueOption("ID3_Track", "1");
inline constexpr TextOption ID3_Comment = TextValueOption("ID3_Comment");

} // namespace option

// Every option, in the order the close writes them, which is also the order
// of the values in a settings file written from nothing. The tag defaults
// come last: only the MP3 dialog's OK writes them.
inline constexpr auto OptionsInSaveOrder = std::to_array<const OptionKey*>({
    &option::FilePath,
    &option::LastFormat,
    &option::HotkeyCodes[0],
    &option::HotkeyCodes[1],
    &option::HotkeyCodes[2],
    &option::HotkeyCodes[3],
    &option::HotkeyCodes[4],
    &option::HotkeyCodes[5],
    &option::HotkeyCodes[6],
    &option::HotkeyEnabled[0],
    &option::HotkeyEnabled[1],
    &option::HotkeyEnabled[2],
    &option::HotkeyEnabled[3],
    &option::HotkeyEnabled[4],
    &option::HotkeyEnabled[5],
    &option::HotkeyEnabled[6],
    &option::Preset1,
    &option::Preset2,
    &option::Preview,
    &option::PlayStopSound,
    &option::PlayStartSound,
    &option::StartIconWhenMin,
    &option::SizeLimit,
    &option::Timelimit,
    &option::MaxSize,
    &option::MaxTime,
    &option::WMAProfile,
    &option::WAVFreq,
    &option::WAVChannel,
    &option::WAVBit,
    &option::OGGFreq,
    &option::OGGChMode,
    &option::OGGsldrBitrate,
    &option::OGGsldrMinBitrate,
    &option::OGGsldrMaxBitrate,
    &option::OGGsldrQuality,
    &option::OGGchVbr,
    &option::OGGchQuality,
    &option::FLACLevel,
    &option::FLACBit,
    &option::OPUSBitrate,
    &option::OPUSMode,
    &option::MP3Freq,
    &option::MP3Quality,
    &option::MP3Bitrate,
    &option::MP3VbrBitrate,
    &option::MP3VbrQuality,
    &option::MP3VbrCodingMethod,
    &option::MP3AbrBitrate,
    &option::MP3Channels,
    &option::MP3TypeStereo,
    &option::MP3WritingVBRHeader,
    &option::MP3StrictlyEnforceMinBitrate,
    &option::PreRollSeconds,
    &option::StartOnSound,
    &option::SilenceSeconds,
    &option::SoundThreshold,
    &option::ID3_Title,
    &option::ID3_Artist,
    &option::ID3_Album,
    &option::ID3_Genre,
    &option::ID3_Year,
    &option::ID3_Track,
    &option::ID3_Comment,
});

// The value a stored text stands for under the option's rules; never fails.
bool OptionFromText(const BoolOption& option, const QString& stored);
int OptionFromText(const IntOption& option, const QString& stored);
QString OptionFromText(const TextOption& option, const QString& stored);

// The text stored for a value.
QString OptionText(const BoolOption& option, bool value);
QString OptionText(const IntOption& option, int value);

// The stored value (see ReadSetting), or the default.
bool ReadOption(const BoolOption& option);
int ReadOption(const IntOption& option);
QString ReadOption(const TextOption& option);

// Stores the value's text (see WriteSetting).
void WriteOption(const BoolOption& option, bool value);
void WriteOption(const IntOption& option, int value);
void WriteOption(const TextOption& option, const QString& value);

} // namespace quillotap
