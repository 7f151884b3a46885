#pragma once

#include <QString>

namespace quillotap {

// 44100 -> "44,100": the thousands grouping used in format descriptions.
QString groupedNumber(qint64 value);

} // namespace quillotap
