#pragma once

#include <QString>

namespace quillotap {

struct FfmpegApi;

// Readable text for an FFmpeg error code.
QString ffmpegErrorText(const FfmpegApi& api, int code);

} // namespace quillotap
