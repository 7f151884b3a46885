#!/usr/bin/env bash
# Icon mode on a desktop without a notification area: "/icon" must not leave
# the window withdrawn with only a hotkey to get it back. The window is put on
# the screen minimised instead: mapped, marked iconic for the window manager,
# with the request to iconify sent, and the program keeps running normally.
source "$(dirname "$0")/lib.sh"
e2e_start

# Notes the window-manager requests clients send to the root window (there is
# no window manager here to act on them).
python3 - >"$E2E_DIR/wm-requests.log" 2>&1 <<'PY' &
import ctypes
x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
x11.XGetAtomName.restype = ctypes.c_char_p
x11.XGetAtomName.argtypes = [ctypes.c_void_p, ctypes.c_ulong]

class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

class Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

display = x11.XOpenDisplay(None)
root = x11.XDefaultRootWindow(display)
x11.XSelectInput(display, root, (1 << 17) | (1 << 19))  # StructureNotify, SubstructureNotify
print("listening", flush=True)
event = Event()
while True:
    x11.XNextEvent(display, ctypes.byref(event))
    if event.type == 33:  # ClientMessage
        c = event.xclient
        print(c.window, x11.XGetAtomName(display, c.message_type).decode(), c.data[0], flush=True)
PY
E2E_PIDS+=($!)
e2e_wait_for "the request listener" grep -q listening "$E2E_DIR/wm-requests.log"


e2e_launch /icon
e2e_wait_for "the main window to exist" e2e_main_window_exists
main=$(e2e_main_window)
e2e_wait_for "the main window on the screen" sh -c "xwininfo -id $main | grep -q IsViewable"
sleep 0.5
e2e_check "the window is mapped, not withdrawn" test "$(e2e_map_state "$main")" = IsViewable
e2e_check "the window is marked iconic for the window manager" \
    sh -c "xprop -id $main WM_HINTS | grep -q 'Initial state is Iconic'"
e2e_check "the window is in the hidden (minimised) net-wm state" \
    sh -c "xprop -id $main _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN"
e2e_check "the program asked the window manager to iconify the window" \
    grep -q "^$main WM_CHANGE_STATE 3\$" "$E2E_DIR/wm-requests.log"
e2e_check "no window was embedded anywhere" \
    sh -c "! xwininfo -root -tree | grep -q '22x22.*\"Quillotap\"'"
e2e_screenshot icon-mode-no-tray

e2e_check "the program keeps running" kill -0 "$E2E_APP_PID"
e2e_close_window "$main"
e2e_wait_exit "$E2E_APP_PID" 20
e2e_check "a normal close ends with status 0" test "$E2E_EXIT" -eq 0

e2e_finish
