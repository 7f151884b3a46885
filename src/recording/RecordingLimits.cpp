#include "recording/RecordingLimits.h"

#include "app/MainState.h"
#include "recording/RecordingTag.h"

#include <cmath>

namespace quillotap {

namespace {

LimitText normalize(const QString& text, int lowest, int highest) {
    const double magnitude = std::floor(std::fabs(LeadingNumber(text)));
    int value = 0;
    if (!(magnitude <= highest)) // also a number too large to read
        value = highest;
    else if (magnitude < lowest)
        value = lowest;
    else
        value = int(magnitude);
    return {QString::number(value), value};
}

} // namespace

LimitReached CheckLimits(const MainState& state, qint64 elapsedSeconds,
                         std::optional<qint64> fileBytes) {
    if (state.Timelimit == QStringLiteral("Yes") && elapsedSeconds >= state.MaxTime)
        return LimitReached::Time;
    if (state.SizeLimit == QStringLiteral("Yes") && fileBytes &&
        double(*fileBytes) / 1024.0 / 1024.0 >= double(state.MaxSize))
        return LimitReached::Size;
    return LimitReached::None;
}

LimitText NormalizeSizeLimitText(const QString& text) {
    return normalize(text, MaxSizeLowest, MaxSizeHighest);
}

LimitText NormalizeTimeLimitText(const QString& text) {
    return normalize(text, MaxTimeLowest, MaxTimeHighest);
}

} // namespace quillotap
