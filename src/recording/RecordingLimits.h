// The time and size limits of a recording: when one is reached, and the
// clamping of the two limit text boxes.
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace quillotap {

struct MainState;

enum class LimitReached { None, Time, Size };

inline constexpr int MaxSizeLowest = 1; // megabytes
inline constexpr int MaxSizeHighest = 2048;
inline constexpr int MaxTimeLowest = 5; // seconds
inline constexpr int MaxTimeHighest = 86400;

// Which limit stops the recording on a tick. The time limit is tested
// first and wins when both are reached. The size limit counts megabytes of
// 1024 × 1024 bytes; an unknown size (the file could not be measured) never
// reaches it.
LimitReached CheckLimits(const MainState& state, qint64 elapsedSeconds,
                         std::optional<qint64> fileBytes);

// The corrected text of a limit box and the value it stands for: the whole
// part of the absolute value of the number the text starts with, raised to
// the lowest and lowered to the highest allowed value ("-7" is 7, "3.9" is 3;
// an empty box is the lowest value).
struct LimitText {
    QString text;
    int value = 0;
};
LimitText NormalizeSizeLimitText(const QString& text);
LimitText NormalizeTimeLimitText(const QString& text);

} // namespace quillotap
