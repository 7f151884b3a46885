#include "recording/RecordingTag.h"

#include "audio/AudioInformation.h"
#include "formats/Mp3Settings.h"

#include <cmath>
#include <limits>

namespace quillotap {

double LeadingNumber(const QString& text) {
    int i = 0;
    const int n = int(text.size());
    while (i < n && text.at(i).isSpace())
        ++i;
    const int start = i;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    auto digits = [&] {
        const int from = i;
        while (i < n && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'))
            ++i;
        return i - from;
    };
    int mantissa = digits();
    if (i < n && text.at(i) == QLatin1Char('.')) {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return 0;
    int end = i;
    if (i < n && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        ++i;
        if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
            ++i;
        if (digits() > 0)
            end = i;
    }
    bool ok = false;
    const double value = text.mid(start, end - start).toDouble(&ok);
    return ok && std::isfinite(value) ? value : std::numeric_limits<double>::infinity();
}

qint64 LeadingInteger(const QString& text, qint64 minimum, qint64 maximum, qint64 outOfRange) {
    const double rounded = std::nearbyint(LeadingNumber(text)); // halves to even
    if (!(rounded >= double(minimum) && rounded <= double(maximum)))
        return outOfRange;
    return qint64(rounded);
}

void SetDefaultTag(AudioInformation& tag, const ID3Defaults& d) {
    constexpr qint64 min16 = std::numeric_limits<int16_t>::min();
    constexpr qint64 max16 = std::numeric_limits<int16_t>::max();
    constexpr qint64 min32 = std::numeric_limits<int32_t>::min();
    constexpr qint64 max32 = std::numeric_limits<int32_t>::max();
    tag.Title = d.Title;
    tag.Artist = d.Artist;
    tag.Album = d.Album;
    tag.Genre = int(LeadingInteger(d.Genre, min16, max16, -1));
    tag.Comment = d.Comment;
    tag.Year = int(LeadingInteger(d.Year, min32, max32, 0));
    tag.Track = int(LeadingInteger(d.Track, min16, max16, 0));
}

bool TakesDefaultTag(const QString& path) {
    return path.right(4).toLower() == QStringLiteral(".mp3");
}

} // namespace quillotap
