// Whether a recording has reached one of its optional limits.
#pragma once

#include "settings/LimitOptions.h"

#include <QtGlobal>
#include <optional>

namespace quillotap {

enum class LimitReached { None, Time, Size };

// The time limit is checked first; the size limit needs the file's length
// on disk (none: not known on this tick).
LimitReached CheckLimits(const RecordingLimitOptions& limits, qint64 elapsedSeconds,
                         std::optional<qint64> fileBytes);

} // namespace quillotap
