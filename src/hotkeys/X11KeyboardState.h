// The keyboard of an X11 (or XWayland) session, read with XQueryKeymap on a
// private display connection. Every virtual-key code of the key-name table
// is mapped once, at construction, to the keycodes of its keysyms; a refresh
// is one XQueryKeymap round trip.
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

private:
    explicit X11KeyboardState(Display* display);
    void mapKeys();
    void addKeysym(int virtualKey, unsigned long keysym);

    // Up to three physical keys per virtual key (left/right modifiers, a
    // keysym that sits on two keys); 0 ends the list.
    static constexpr int kKeysPerCode = 3;
    Display* display_ = nullptr;
    std::array<std::array<std::uint8_t, kKeysPerCode>, 256> keycodes_{};
    char keymap_[32] = {};
};

} // namespace quillotap
