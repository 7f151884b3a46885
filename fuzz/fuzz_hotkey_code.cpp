// libFuzzer target: arbitrary text taken as a stored hotkey code ("CA+R"),
// split, shown and matched against a keyboard with every key down and one
// with none. Nothing may crash, and a code may only be pressed when its key
// name is known and its key is down.
#include "hotkeys/HotkeyCode.h"
#include "hotkeys/HotkeyMatcher.h"
#include "hotkeys/KeyNames.h"
#include "hotkeys/ScriptedKeyboardState.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString code = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const quillotap::HotkeyParts parts = quillotap::SplitHotkeyCode(code);
    if (code.contains(QLatin1Char('+')) &&
        parts.modifiers + QLatin1Char('+') + parts.key != code)
        std::abort();
    (void)quillotap::HotkeyDisplayText(code);
    const int virtualKey = quillotap::VirtualKeyForName(parts.key);

    quillotap::ScriptedKeyboardState none;
    const quillotap::ModifierFlags noModifiers = quillotap::SampleModifiers(none);
    if (quillotap::IsHotkeyPressed(code, noModifiers, none))
        std::abort(); // nothing is down

    quillotap::ScriptedKeyboardState all;
    for (int key = 0; key < 256; ++key)
        all.press(key);
    const quillotap::ModifierFlags allModifiers = quillotap::SampleModifiers(all);
    if (quillotap::IsHotkeyPressed(code, allModifiers, all) &&
        (!code.contains(QLatin1Char('+')) || parts.key.isEmpty() ||
         (virtualKey <= 0 && parts.key.size() != 1)))
        std::abort();
    return 0;
}
