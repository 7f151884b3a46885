// The optional limits of a recording as the options page sets them: a size
// in megabytes and a time in seconds, each switched on by its own box, and
// the correction of what the user types into a limit box.
#pragma once

#include <QString>

namespace quillotap {

inline constexpr int MaxSizeLowest = 1; // megabytes
inline constexpr int MaxSizeHighest = 2048;
inline constexpr int MaxTimeLowest = 5; // seconds
inline constexpr int MaxTimeHighest = 86400;

struct RecordingLimitOptions {
    bool sizeLimit = false;
    bool timeLimit = false;
    int maxSizeMegabytes = 10;
    int maxTimeSeconds = 600;
};

// A limit box's text corrected into its range: the leading number without
// sign or fraction, raised to the lowest or lowered to the highest value.
struct LimitText {
    QString text;
    int value = 0;
};
LimitText NormalizeSizeLimitText(const QString& text);
LimitText NormalizeTimeLimitText(const QString& text);

} // namespace quillotap
