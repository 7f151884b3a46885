#include "hotkeys/HotkeyMatcher.h"

#include "hotkeys/KeyNames.h"

namespace quillotap {

ModifierFlags SampleModifiers(const KeyboardState& keyboard) {
    ModifierFlags flags;
    flags.AltDown = IsKeyDown(keyboard, VK_ALT_KEY);
    flags.ShiftDown = IsKeyDown(keyboard, VK_SHIFT_KEY);
    flags.CtrlDown = IsKeyDown(keyboard, VK_CONTROL_KEY);
    return flags;
}

bool IsHotkeyPressed(QStringView code, const ModifierFlags& modifiers,
                     const KeyboardState& keyboard) {
    const qsizetype plus = code.indexOf(u'+');
    if (plus < 0)
        return false;
    const QStringView modifierPart = code.first(plus);
    const QStringView keyName = code.sliced(plus + 1);
    if (modifierPart.contains(u'C') && !modifiers.CtrlDown)
        return false;
    if (modifierPart.contains(u'A') && !modifiers.AltDown)
        return false;
    if (modifierPart.contains(u'S') && !modifiers.ShiftDown)
        return false;
    if (keyName.isEmpty())
        return false;
    const int virtualKey = VirtualKeyForName(keyName);
    return virtualKey != 0 && IsKeyDown(keyboard, virtualKey);
}

} // namespace quillotap
