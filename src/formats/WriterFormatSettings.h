#pragma once

namespace quillotap {

class AudioFile;
class MP3Lame;
struct OutputFormatSettings;

// Hands the current settings of all six configurable formats (MP3, OGG, WAV,
// WMA, FLAC and Opus) to an audio-file object, so that every file it creates afterwards
// is encoded exactly as a recording in that format would be. Used for writer
// objects other than the main window's own, such as the converter's.
void ApplyFormatSettingsToWriter(const MP3Lame& lame, const OutputFormatSettings& settings,
                                 AudioFile& writer);

} // namespace quillotap
