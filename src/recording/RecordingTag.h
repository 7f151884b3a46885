// The default ID3 tag that every new MP3 recording receives when it ends.
#pragma once

#include "settings/NumericText.h"

#include <QString>

namespace quillotap {

class AudioInformation;
struct ID3Defaults;

// LeadingNumber rounded to the nearest integer, halves to even. A value
// outside [minimum, maximum] gives `outOfRange`.
qint64 LeadingInteger(const QString& text, qint64 minimum, qint64 maximum, qint64 outOfRange);

// Puts the default tag on the tag object: title, artist, album, genre
// (16-bit), comment, year (32-bit) and track (16-bit). A number that does
// not fit its field stores "none" (genre -1, year and track 0), so nothing
// the tag object held before reaches the new file.
void SetDefaultTag(AudioInformation& tag, const ID3Defaults& defaults);

// Whether a recording's file gets the default tag: its path ends in ".mp3"
// (an ID3 tag), ".flac" or ".opus" (Vorbis comments), compared in lower case.
bool TakesDefaultTag(const QString& path);

} // namespace quillotap
