#include "recording/RecordingTag.h"

#include "audio/AudioInformation.h"
#include "formats/Mp3Settings.h"

#include <cmath>
#include <limits>

namespace quillotap {

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
    const QString lower = path.toLower();
    return lower.endsWith(QLatin1String(".mp3")) || lower.endsWith(QLatin1String(".flac")) ||
           lower.endsWith(QLatin1String(".opus"));
}

} // namespace quillotap
