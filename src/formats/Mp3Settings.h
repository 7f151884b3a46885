#pragma once

#include "settings/SettingsSchema.h"

#include <QString>
#include <array>

namespace quillotap {

class AudioFile;
class MP3Lame;

// The bitrates, in kbit/s, that the bitrate sliders offer, by slider position.
inline constexpr std::array<int, 15> BitrateSteps{8,   16,  24,  32,  48,  56,  64, 96,
                                                  112, 128, 160, 192, 224, 256, 320};

// The default tag written into every new MP3 recording; the stored tag
// defaults with their in-memory defaults applied.
struct ID3Defaults {
    QString Title;
    QString Artist;
    QString Album;
    QString Genre = QString::fromLatin1(option::ID3_Genre.fallback);
    QString Year;
    QString Track = QString::fromLatin1(option::ID3_Track.fallback);
    QString Comment;
};

// Puts the defaults on `lame`, reads the stored MP3 values over them,
// hands the result to the audio-file object and returns the description
// that the format line shows for MP3.
QString LoadMp3Settings(MP3Lame& lame, AudioFile& audioFile);

// The MP3 description from the audio-file object, which must have been given
// the MP3 settings last: "kHz" becomes "Hz" and a trailing "; " is dropped.
QString RefreshMp3FormatStr(const AudioFile& audioFile);

// Reads the seven tag defaults; an empty year becomes the current year,
// an empty track "1", an empty genre "-1".
ID3Defaults LoadId3Defaults();

// Writes the eleven MP3 values read back from `lame`, in their order.
void SaveMp3Settings(const MP3Lame& lame);

} // namespace quillotap
