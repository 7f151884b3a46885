#include "hotkeys/KeyboardState.h"

#include "hotkeys/X11KeyboardState.h"

namespace quillotap {

std::unique_ptr<KeyboardState> CreateKeyboardState() {
    if (auto x11 = X11KeyboardState::open())
        return x11;
    return std::make_unique<NullKeyboardState>();
}

} // namespace quillotap
