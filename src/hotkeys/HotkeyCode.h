// The text form of a hotkey: a modifier part made of the letters "C" (Ctrl),
// "A" (Alt) and "S" (Shift) in any order, a "+", then the key name, for
// example "CA+R". Letters are matched case-sensitively.
#pragma once

#include <QString>

namespace quillotap {

struct HotkeyParts {
    QString modifiers; // the text before the first "+" ("" without a "+")
    QString key;       // the text after it (the whole code without a "+")
    bool ctrl() const { return modifiers.contains(QLatin1Char('C')); }
    bool alt() const { return modifiers.contains(QLatin1Char('A')); }
    bool shift() const { return modifiers.contains(QLatin1Char('S')); }
};

// Splits a code at its first "+".
HotkeyParts SplitHotkeyCode(const QString& code);

// The readable form shown in the hotkey list: "Ctrl + ", "Alt + " and
// "Shift + " for the modifiers the code names, then the key ("CA+R" gives
// "Ctrl + Alt + R"). A code without "+" reads as itself.
QString HotkeyDisplayText(const QString& code);

} // namespace quillotap
