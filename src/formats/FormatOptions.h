// The settings of every output format, kept for the life of the program:
// the MP3 encoder's (with its one-line description), the other formats',
// and the tag every new MP3 file gets. The settings load fills them and
// puts them on the writer; the format dialogs edit them; the converter and
// the format line read them; the save at exit stores them.
#pragma once

#include "audio/MP3Lame.h"
#include "formats/Mp3Settings.h"
#include "formats/OutputFormatSettings.h"

#include <QString>
#include <optional>

class QWidget;

namespace quillotap {

class AudioFile;

struct FormatOptions {
    MP3Lame mp3;
    QString mp3Description;
    OutputFormatSettings settings;
    ID3Defaults id3;
};

// Reads every format's stored settings into `formats` and onto `writer`.
void LoadFormatOptions(FormatOptions& formats, AudioFile& writer);
// Stores the other formats' settings, then the MP3 encoder's.
void SaveFormatOptions(const FormatOptions& formats);
// The format line's text for format `code` (the format list's index); none
// means "leave the line as it is".
std::optional<QString> DescribeFormat(int code, const FormatOptions& formats, AudioFile& writer);
// Opens the options dialog of format `code` on the current settings and
// waits for it; VOX and no selection open nothing.
void EditOutputFormat(int code, FormatOptions& formats, AudioFile& writer, QWidget* parent);

} // namespace quillotap
