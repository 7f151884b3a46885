#include "recording/FormatElapsed.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quillotap {

namespace {

QString twoDigits(qint64 value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QString FormatElapsed(double seconds) {
    if (!(seconds > 0))
        return QStringLiteral("00:00:00");
    // Far beyond any real duration; keeps the integer conversions defined.
    constexpr double largest = double(std::numeric_limits<qint64>::max() / 2);
    seconds = std::min(seconds, largest);
    // Rounded once, then split: 59.6 s is 00:01:00, never 00:00:60, and
    // 119.6 s is 00:02:00, not a minute short.
    const qint64 total = seconds < 60 ? qint64(std::round(seconds))      // halves away from zero
                                      : qint64(std::nearbyint(seconds)); // halves to even
    const qint64 hours = total / 3600;
    const qint64 minutes = total / 60 % 60;
    return twoDigits(hours) + QLatin1Char(':') + twoDigits(minutes) + QLatin1Char(':') +
           twoDigits(total % 60);
}

} // namespace quillotap
