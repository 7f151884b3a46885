#include "settings/LimitOptions.h"

#include "settings/NumericText.h"

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

LimitText NormalizeSizeLimitText(const QString& text) {
    return normalize(text, MaxSizeLowest, MaxSizeHighest);
}

LimitText NormalizeTimeLimitText(const QString& text) {
    return normalize(text, MaxTimeLowest, MaxTimeHighest);
}

} // namespace quillotap
