#include "hotkeys/KeyboardState.h"

#include "hotkeys/X11KeyboardState.h"

#include <QCoreApplication>

namespace quillotap {

QString HotkeysUnavailableText() {
    return QCoreApplication::translate(
        "Hotkeys", "System-wide hotkeys are not available in this desktop session: "
                   "the program cannot read the keyboard here (no X11 or XWayland display).");
}

std::unique_ptr<KeyboardState> CreateKeyboardState() {
    if (auto x11 = X11KeyboardState::open())
        return x11;
    return std::make_unique<NullKeyboardState>();
}

} // namespace quillotap
