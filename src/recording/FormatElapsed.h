// The program's one text form of a duration, "hh:mm:ss".
#pragma once

#include <QString>

namespace quillotap {

// "hh:mm:ss" with at least two digits per field; hours above 99 take as many
// digits as they need. 0 or less (and NaN) is "00:00:00". The duration is
// rounded to whole seconds first (below a minute halves away from zero,
// from a minute on halves to even), then split into the three fields.
QString FormatElapsed(double seconds);

} // namespace quillotap
