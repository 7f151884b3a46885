#pragma once

#include <QString>

namespace quillotap {

// Keeps FFmpeg from printing its own diagnostics; failures are reported
// through the engine's error texts instead. Safe to call repeatedly.
void quietFfmpegLogging();

// Readable text for an FFmpeg error code.
QString ffmpegErrorText(int code);

} // namespace quillotap
