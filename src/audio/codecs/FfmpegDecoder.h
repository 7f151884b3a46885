#pragma once

#include "audio/codecs/AudioDecoder.h"

#include <QString>

#include <memory>

namespace quillotap {

// WMA/ASF and the other audio files that FFmpeg demuxes and decodes (local
// files only). nullptr with *error set when the file holds no decodable audio.
std::unique_ptr<AudioDecoder> openFfmpegDecoder(const QString& path, QString* error);

} // namespace quillotap
