#include "hotkeys/HotkeyCode.h"

namespace quillotap {

HotkeyParts SplitHotkeyCode(const QString& code) {
    const qsizetype plus = code.indexOf(QLatin1Char('+'));
    if (plus < 0)
        return {QString(), code};
    return {code.left(plus), code.mid(plus + 1)};
}

QString HotkeyDisplayText(const QString& code) {
    const HotkeyParts parts = SplitHotkeyCode(code);
    QString text;
    if (parts.ctrl())
        text += QLatin1String("Ctrl + ");
    if (parts.alt())
        text += QLatin1String("Alt + ");
    if (parts.shift())
        text += QLatin1String("Shift + ");
    return text + parts.key;
}

} // namespace quillotap
