#include "settings/NumericText.h"

#include <cmath>
#include <limits>

namespace quillotap {

double LeadingNumber(const QString& text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    const auto digitsAt = [&t](qsizetype at) {
        qsizetype n = 0;
        while (at + n < t.size() && t[at + n].isDigit() && t[at + n].unicode() < 128)
            ++n;
        return n;
    };
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    const qsizetype whole = digitsAt(i);
    i += whole;
    qsizetype fraction = 0;
    if (i < t.size() && t[i] == QLatin1Char('.')) {
        fraction = digitsAt(i + 1);
        if (whole > 0 || fraction > 0)
            i += 1 + fraction;
    }
    if (whole == 0 && fraction == 0)
        return 0;
    // An exponent counts only when digits follow it.
    if (i < t.size() && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < t.size() && (t[j] == QLatin1Char('+') || t[j] == QLatin1Char('-')))
            ++j;
        if (const qsizetype exponent = digitsAt(j); exponent > 0)
            i = j + exponent;
    }
    // Digits that are there but too large for a double read as infinity, so
    // that callers clamp them to their upper bound.
    bool ok = false;
    const double value = t.left(i).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return t.startsWith(QLatin1Char('-')) ? -std::numeric_limits<double>::infinity()
                                              : std::numeric_limits<double>::infinity();
    return value;
}

} // namespace quillotap
