#!/usr/bin/env bash
# The program as a screen reader meets it: with the AT-SPI bus on the private
# session bus, a client reads the status line and the elapsed time by their
# descriptions, starts a recording with the Record button's press action and
# hears both values change while the recording runs (tests/e2e/screen_reader.py).
source "$(dirname "$0")/lib.sh"
e2e_start

# The accessibility bus, as a desktop session starts it; its registry daemon
# is started by the bus itself.
launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate && break
done
[ -n "$launcher" ] || { echo "missing at-spi-bus-launcher (package at-spi2-core)"; exit 1; }
"$launcher" --launch-immediately >"$E2E_DIR/atspi.log" 2>&1 &
E2E_PIDS+=($!)
e2e_wait_for "the AT-SPI bus" \
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress

# The Debian interpreter, for which python3-gi and gir1.2-atspi-2.0 install
# the AT-SPI bindings (a python3 earlier on the PATH may lack them).
reader_python=/usr/bin/python3
[ -x "$reader_python" ] || reader_python=python3

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
e2e_launch
e2e_wait_window Quillotap || exit 1
window=$E2E_WINDOW

while read -r verdict text; do
    e2e_check "$text" test "$verdict" = PASS
done < <("$reader_python" "$(dirname "$0")/screen_reader.py" Quillotap 2>"$E2E_DIR/reader.log")
e2e_check "the screen reader's checks ran" test "$E2E_PASSED" -ge 8
[ "$E2E_FAILED" -eq 0 ] || cat "$E2E_DIR/reader.log"
e2e_screenshot screen-reader-after-recording

e2e_close_window "$window"
e2e_wait_exit "$E2E_APP_PID" 20
e2e_check "a normal close after the recording" test "$E2E_EXIT" -eq 0
e2e_check "the recording was written" \
    test -n "$(find "$HOME/Documents/Quillotap" -name '*.mp3' -size +1k)"

e2e_finish
