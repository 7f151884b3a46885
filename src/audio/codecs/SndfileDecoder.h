#pragma once

#include "audio/codecs/AudioDecoder.h"

#include <QString>

#include <memory>

namespace quillotap {

// WAV, MP3 and OGG Vorbis recognised by their content through libsndfile;
// with `vox`, headerless Dialogic ADPCM at 8000 Hz mono. nullptr with *error
// set when libsndfile cannot read the file.
std::unique_ptr<AudioDecoder> openSndfileDecoder(const QString& path, bool vox, QString* error);

} // namespace quillotap
