#include "hotkeys/X11KeyboardState.h"

#include "hotkeys/KeyNames.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

namespace quillotap {

std::unique_ptr<X11KeyboardState> X11KeyboardState::open(const char* displayName) {
    Display* display = XOpenDisplay(displayName);
    if (!display)
        return nullptr;
    return std::unique_ptr<X11KeyboardState>(new X11KeyboardState(display));
}

X11KeyboardState::X11KeyboardState(Display* display) : display_(display) {
    mapKeys();
    if (selectRawKeyEvents())
        takeKeyEvents(); // start from an empty queue
}

X11KeyboardState::~X11KeyboardState() {
    XCloseDisplay(display_);
}

bool X11KeyboardState::selectRawKeyEvents() {
    int opcode = 0;
    int firstEvent = 0;
    int firstError = 0;
    if (!XQueryExtension(display_, "XInputExtension", &opcode, &firstEvent, &firstError))
        return false;
    // Before 2.1 raw events go only to the grabbing client while a grab is
    // active, so a held hotkey could go unnoticed; such servers are polled.
    int major = 2;
    int minor = 2;
    if (XIQueryVersion(display_, &major, &minor) != Success || (major == 2 && minor < 1))
        return false;
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XIEventMask mask;
    mask.deviceid = XIAllMasterDevices;
    mask.mask_len = sizeof(bits);
    mask.mask = bits;
    if (XISelectEvents(display_, DefaultRootWindow(display_), &mask, 1) != Success)
        return false;
    XSync(display_, False);
    xinputOpcode_ = opcode;
    return true;
}

void X11KeyboardState::addKeysym(int virtualKey, unsigned long keysym) {
    const KeyCode code = XKeysymToKeycode(display_, keysym);
    if (code == 0)
        return; // the layout has no key for it
    mappedKeys_[code / 8] |= std::uint8_t(1u << (code % 8));
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
    XQueryKeymap(display_, reinterpret_cast<char*>(keymap_.data()));
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

bool X11KeyboardState::anyKeyDown() const {
    for (std::size_t i = 0; i < keymap_.size(); ++i) {
        if (keymap_[i] & mappedKeys_[i])
            return true;
    }
    return false;
}

int X11KeyboardState::wakeDescriptor() const {
    return xinputOpcode_ < 0 ? -1 : ConnectionNumber(display_);
}

bool X11KeyboardState::takeKeyEvents() {
    if (xinputOpcode_ < 0)
        return false;
    // XPending reads what the socket holds into Xlib's queue without
    // blocking; the queue may also hold events an earlier round trip (the
    // keymap query) pulled in, which the socket no longer shows.
    bool keyEvents = false;
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        XGenericEventCookie& cookie = event.xcookie;
        if (cookie.type == GenericEvent && cookie.extension == xinputOpcode_ &&
            (cookie.evtype == XI_RawKeyPress || cookie.evtype == XI_RawKeyRelease))
            keyEvents = true;
    }
    return keyEvents;
}

} // namespace quillotap
