#include "audio/codecs/FormatText.h"

#include <QLocale>

namespace quillotap {

QString groupedNumber(qint64 value) {
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(value);
}

} // namespace quillotap
