// The seven output formats of the format list and the one-line description of
// the selected one that the format line shows.
#pragma once

#include <QLocale>
#include <QString>
#include <array>
#include <optional>

namespace quillotap {

class AudioFile;
class MP3Lame;
struct OutputFormatSettings;

// Format codes are the positions in the format list.
// New formats are appended, so a stored position keeps its meaning.
enum FormatCode : int {
    FormatMP3 = 0,
    FormatWMA = 1,
    FormatOGG = 2,
    FormatWAV = 3,
    FormatVOX = 4,
    FormatFLAC = 5,
    FormatOPUS = 6
};

struct OutputFormatEntry {
    int code;
    const char* text; // the list entry; its lower-case form is the file extension
};

inline constexpr std::array<OutputFormatEntry, 7> OutputFormats{{
    {FormatMP3, "MP3"},
    {FormatWMA, "WMA"},
    {FormatOGG, "OGG"},
    {FormatWAV, "WAV"},
    {FormatVOX, "VOX"},
    {FormatFLAC, "FLAC"},
    {FormatOPUS, "OPUS"},
}};

// List text of a code; "" for a code outside the list.
QString FormatText(int code);
// File extension (without the dot) of a code; "" for a code outside the list.
QString FormatExtension(int code);
// Whether the "Set" button opens an options dialog: VOX has none. A code
// outside the list (no selection) leaves the button enabled.
bool FormatHasOptions(int code);

// The pieces of the description, each for its own format.
QString Mp3Description(const QString& mp3FormatStr, int vbrCodingMethod);
QString OggDescription(const OutputFormatSettings& settings, const QLocale& locale = QLocale());
QString WavDescription(const OutputFormatSettings& settings, const QLocale& locale = QLocale());
QString VoxDescription();
QString FlacDescription(const OutputFormatSettings& settings, const QLocale& locale = QLocale());
QString OpusDescription(const OutputFormatSettings& settings, const QLocale& locale = QLocale());
// Puts the audio-file object on the saved WMA profile and returns its
// description; nothing when the object describes nothing.
std::optional<QString> WmaDescription(const OutputFormatSettings& settings, AudioFile& audioFile);

// The text of the format line for `code`. Nothing means "leave the line as it
// is": no selection, or a WMA description that could not be had.
std::optional<QString> DescribeOutputFormat(int code, const QString& mp3FormatStr,
                                            const MP3Lame& lame,
                                            const OutputFormatSettings& settings,
                                            AudioFile& audioFile,
                                            const QLocale& locale = QLocale());

} // namespace quillotap
