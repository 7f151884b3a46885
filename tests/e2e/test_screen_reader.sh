#!/usr/bin/env bash
# The program as a screen reader meets it: with the AT-SPI bus on the private
# session bus, a client reads the status line and the elapsed time by their
# descriptions, starts a recording with the Record button's press action and
# hears both values change while the recording runs (tests/e2e/screen_reader.py).
source "$(dirname "$0")/lib.sh"
e2e_start
e2e_start_atspi
e2e_launch
e2e_wait_window Quillotap || exit 1
window=$E2E_WINDOW

while read -r verdict text; do
    e2e_check "$text" test "$verdict" = PASS
done < <("$E2E_READER_PYTHON" "$(dirname "$0")/screen_reader.py" Quillotap 2>"$E2E_DIR/reader.log")
e2e_check "the screen reader's checks ran" test "$E2E_PASSED" -ge 8
[ "$E2E_FAILED" -eq 0 ] || cat "$E2E_DIR/reader.log"
e2e_screenshot screen-reader-after-recording

e2e_close_window "$window"
e2e_wait_exit "$E2E_APP_PID" 20
e2e_check "a normal close after the recording" test "$E2E_EXIT" -eq 0
e2e_check "the recording was written" \
    test -n "$(find "$HOME/Documents/Quillotap" -name '*.mp3' -size +1k)"

e2e_finish
