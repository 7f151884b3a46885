// Whether a hotkey code ("CA+R": modifier letters, "+", key name) is held
// right now. The modifiers are sampled once per poll into ModifierFlags so
// every code tested in that poll sees the same modifier state.
#pragma once

#include "hotkeys/KeyboardState.h"

#include <QStringView>

namespace quillotap {

struct ModifierFlags {
    bool CtrlDown = false;
    bool AltDown = false;
    bool ShiftDown = false;
};

// Samples Alt, then Shift, then Ctrl from the keyboard's snapshot.
ModifierFlags SampleModifiers(const KeyboardState& keyboard);

// True when the code's modifiers are down (letters "C", "A", "S" anywhere
// before the first "+", case-sensitive; modifiers the code does not name are
// not checked) and its key is down. A code without "+", with an empty key or
// with an unknown multi-character key name is never pressed.
bool IsHotkeyPressed(QStringView code, const ModifierFlags& modifiers,
                     const KeyboardState& keyboard);

} // namespace quillotap
