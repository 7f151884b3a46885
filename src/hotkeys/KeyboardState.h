// The global keyboard state the hotkey poller reads: which keys are held
// right now, whichever window has the focus. Keys are named by the virtual-key
// codes of KeyNames.h (Ctrl 17, Alt 18, Shift 16 stand for either side).
//
// A reader takes one snapshot per poll (refresh) and answers isKeyDown from
// it, so one poll costs one query of the system however many keys it tests.
//
// A keyboard may also tell when keys go down or up, through a file
// descriptor that becomes readable then (wakeDescriptor). A poller can then
// sleep while no key is held instead of polling an idle keyboard. Keyboards
// without such a descriptor are simply polled all the time.
#pragma once

#include <memory>

namespace quillotap {

class KeyboardState {
public:
    virtual ~KeyboardState() = default;

    // Takes a new snapshot of the keyboard.
    virtual void refresh() {}
    // Whether the key was down at the last refresh.
    virtual bool isKeyDown(int virtualKey) const = 0;
    // False when this desktop session gives no system-wide keyboard state,
    // so no hotkey can ever fire.
    virtual bool available() const { return true; }

    // A descriptor that becomes readable when a key goes down or up, or -1
    // when the keyboard cannot tell and must be polled.
    virtual int wakeDescriptor() const { return -1; }
    // Consumes every pending key notification, including any already read
    // off the descriptor; true when at least one key went down or up since
    // the last call.
    virtual bool takeKeyEvents() { return false; }
    // Whether any key this keyboard reports was down at the last refresh.
    // While none is, and no notification is pending, nothing can become
    // pressed without the descriptor waking up. A keyboard that cannot tell
    // answers true, so nobody stops polling on its word.
    virtual bool anyKeyDown() const { return true; }
};

// No keyboard state can be read (no X display): nothing is ever down.
class NullKeyboardState : public KeyboardState {
public:
    bool isKeyDown(int) const override { return false; }
    bool available() const override { return false; }
    bool anyKeyDown() const override { return false; }
};

// The keyboard of the desktop session: the X11 keyboard when an X display
// (X11 or XWayland) can be opened, otherwise the null keyboard.
std::unique_ptr<KeyboardState> CreateKeyboardState();

// Whether the key is down in the keyboard's current snapshot.
inline bool IsKeyDown(const KeyboardState& keyboard, int virtualKey) {
    return keyboard.isKeyDown(virtualKey);
}

} // namespace quillotap
