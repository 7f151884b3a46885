// The keyboard of an X11 (or XWayland) session, read with XQueryKeymap on a
// private display connection. Every virtual-key code of the key-name table
// is mapped once, at construction, to the keycodes of its keysyms; a refresh
// is one XQueryKeymap round trip.
//
// Where the server offers XInput 2.1 or later, the connection also listens
// to raw key presses and releases on the root window, which reach it whatever
// window has the focus and whatever grab is active; the connection's socket
// is then the wake-up descriptor. Without XInput2 the keyboard is polled.
#pragma once

#include "hotkeys/KeyboardState.h"

#include <array>
#include <cstdint>
#include <memory>

typedef struct _XDisplay Display;

namespace quillotap {

class X11KeyboardState : public KeyboardState {
public:
    // Opens the named display, by default the one $DISPLAY names; null when
    // that fails.
    static std::unique_ptr<X11KeyboardState> open(const char* displayName = nullptr);
    ~X11KeyboardState() override;

    void refresh() override;
    bool isKeyDown(int virtualKey) const override;
    int wakeDescriptor() const override;
    bool takeKeyEvents() override;
    bool anyKeyDown() const override;

private:
    explicit X11KeyboardState(Display* display);
    void mapKeys();
    void addKeysym(int virtualKey, unsigned long keysym);
    bool selectRawKeyEvents();

    // Up to three physical keys per virtual key (left/right modifiers, a
    // keysym that sits on two keys); 0 ends the list.
    static constexpr int kKeysPerCode = 3;
    using Keymap = std::array<std::uint8_t, 32>; // one bit per keycode
    Display* display_ = nullptr;
    int xinputOpcode_ = -1; // -1: no raw key events, the keyboard is polled
    std::array<std::array<std::uint8_t, kKeysPerCode>, 256> keycodes_{};
    Keymap mappedKeys_{}; // the keycodes any virtual key stands for
    Keymap keymap_{};
};

} // namespace quillotap
