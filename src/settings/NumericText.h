// Numbers typed into boxes or stored as setting texts are read the forgiving
// way: the leading number of the text counts and the rest is ignored.
#pragma once

#include <QString>

namespace quillotap {

// The number at the start of `text` after any blanks: an optional sign,
// digits with an optional fraction and an optional exponent ("3.9kg" gives
// 3.9, "-7" gives -7, "1e3" gives 1000). 0 when the text starts with no
// number; plus or minus infinity when the number is too large for a double.
double LeadingNumber(const QString& text);

} // namespace quillotap
