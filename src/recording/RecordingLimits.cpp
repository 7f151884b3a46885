#include "recording/RecordingLimits.h"

namespace quillotap {

LimitReached CheckLimits(const RecordingLimitOptions& limits, qint64 elapsedSeconds,
                         std::optional<qint64> fileBytes) {
    if (limits.timeLimit && elapsedSeconds >= limits.maxTimeSeconds)
        return LimitReached::Time;
    if (limits.sizeLimit && fileBytes &&
        double(*fileBytes) / 1024.0 / 1024.0 >= double(limits.maxSizeMegabytes))
        return LimitReached::Size;
    return LimitReached::None;
}

} // namespace quillotap
