// The program's one text form of a duration, "hh:mm:ss".
#pragma once

#include <QString>

namespace quillotap {

// "hh:mm:ss" with at least two digits per field; hours above 99 take as many
// digits as they need. 0 or less (and NaN) is "00:00:00". Below a minute the
// seconds are rounded half away from zero; from a minute on, the minutes are
// the whole minutes and the seconds the total rounded to an integer (halves
// to even) modulo 60.
QString FormatElapsed(double seconds);

} // namespace quillotap
