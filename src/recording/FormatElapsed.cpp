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
    if (seconds < 60)
        return QStringLiteral("00:00:") + twoDigits(qint64(std::round(seconds)));
    // Far beyond any real duration; keeps the integer conversions defined.
    constexpr double largest = double(std::numeric_limits<qint64>::max() / 2);
    seconds = std::min(seconds, largest);
    qint64 minutes = qint64(seconds / 60);
    const qint64 secs = qint64(std::nearbyint(seconds)) % 60; // default mode: halves to even
    qint64 hours = 0;
    if (minutes >= 60) {
        hours = minutes / 60;
        minutes %= 60;
    }
    return twoDigits(hours) + QLatin1Char(':') + twoDigits(minutes) + QLatin1Char(':') +
           twoDigits(secs);
}

} // namespace quillotap
