#include "hotkeys/X11KeyboardState.h"

#include "hotkeys/KeyNames.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <cstring>

namespace quillotap {

std::unique_ptr<X11KeyboardState> X11KeyboardState::open(const char* displayName) {
    Display* display = XOpenDisplay(displayName);
    if (!display)
        return nullptr;
    return std::unique_ptr<X11KeyboardState>(new X11KeyboardState(display));
}

X11KeyboardState::X11KeyboardState(Display* display) : display_(display) {
    mapKeys();
}

X11KeyboardState::~X11KeyboardState() {
    XCloseDisplay(display_);
}

void X11KeyboardState::addKeysym(int virtualKey, unsigned long keysym) {
    const KeyCode code = XKeysymToKeycode(display_, keysym);
    if (code == 0)
        return; // the layout has no key for it
    auto& codes = keycodes_[std::size_t(virtualKey)];
    for (auto& slot : codes) {
        if (slot == code)
            return;
        if (slot == 0) {
            slot = code;
            return;
        }
    }
}

void X11KeyboardState::mapKeys() {
    addKeysym(VK_CONTROL_KEY, XK_Control_L);
    addKeysym(VK_CONTROL_KEY, XK_Control_R);
    addKeysym(VK_ALT_KEY, XK_Alt_L);
    addKeysym(VK_ALT_KEY, XK_Alt_R);
    addKeysym(VK_SHIFT_KEY, XK_Shift_L);
    addKeysym(VK_SHIFT_KEY, XK_Shift_R);
    for (int k = 0; k < 26; ++k)
        addKeysym('A' + k, XK_a + k);
    for (int k = 0; k < 10; ++k)
        addKeysym('0' + k, XK_0 + k);
    addKeysym(33, XK_Prior);
    addKeysym(34, XK_Next);
    addKeysym(35, XK_End);
    addKeysym(36, XK_Home);
    addKeysym(37, XK_Left);
    addKeysym(38, XK_Up);
    addKeysym(39, XK_Right);
    addKeysym(40, XK_Down);
    addKeysym(45, XK_Insert);
    addKeysym(46, XK_Delete);
    for (int k = 0; k < 12; ++k)
        addKeysym(112 + k, XK_F1 + k);
}

void X11KeyboardState::refresh() {
    XQueryKeymap(display_, keymap_);
}

bool X11KeyboardState::isKeyDown(int virtualKey) const {
    if (virtualKey < 0 || virtualKey > 255)
        return false;
    for (const std::uint8_t code : keycodes_[std::size_t(virtualKey)]) {
        if (code == 0)
            break;
        if (keymap_[code / 8] & (1 << (code % 8)))
            return true;
    }
    return false;
}

} // namespace quillotap
