#pragma once

#include "audio/codecs/AudioEncoder.h"
#include "audio/codecs/OutputFile.h"

#include <memory>

namespace quillotap {

// WMA (ASF container, WMA v2 codec) through FFmpeg, for profile 1..47.
// The container output is flushed after every block.
std::unique_ptr<AudioEncoder> createWmaEncoder(std::unique_ptr<OutputFile> file, int profile,
                                               QString* error);

} // namespace quillotap
