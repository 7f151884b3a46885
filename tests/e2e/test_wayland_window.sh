#!/usr/bin/env bash
# The program on a Wayland session (weston's headless back end, no X server
# at all): Qt picks its Wayland platform by itself; the window appears with
# its title and application id; every dialog opens on the compositor's
# screen and closes, and icon mode hides and brings back the window
# (test_app_wayland on the wayland platform); the program records, and a
# normal end saves the settings. It records by a portal shortcut (the program
# picks the desktop's shortcuts portal by itself on a Wayland session) and by
# --toggle.
source "$(dirname "$0")/lib.sh"
e2e_start_wayland
# The desktop's shortcuts portal, with the test back end standing in for the
# desktop: on a Wayland session the program must pick it by itself.
e2e_start_portal

tests="$(dirname "$QUILLOTAP")/test_app_wayland"
[ -x "$tests" ] || { echo "missing $tests (build the test_app_wayland target)"; exit 1; }
# The window tests press their hotkeys through the dispatcher and leave the
# portal alone: windows that end while their portal requests are still on the
# way leave Debian 12's portal front end unable to open further sessions.
QT_QPA_PLATFORM=wayland QUILLOTAP_HOTKEYS=none QUILLOTAP_TEST_OUTPUT="${QUILLOTAP_TEST_OUTPUT:-$PWD}" \
    "$tests" --gtest_brief=1 >"$E2E_DIR/windows.log" 2>&1
status=$?
e2e_check "dialogs and icon mode on the compositor's screen (test_app_wayland)" test "$status" -eq 0
e2e_check "none of those tests was skipped" sh -c "! grep -q SKIPPED '$E2E_DIR/windows.log'"
[ "$status" -eq 0 ] || tail -n 40 "$E2E_DIR/windows.log"

# The program itself, as a Wayland session starts it: no platform named.
unset QT_QPA_PLATFORM
folder="$HOME/Documents/Quillotap"
# The window tests' windows carry the same title: only the program's count.
e2e_wayland_mark
has_app_id() { e2e_wayland_log | grep -qF 'set_app_id("io.github.velmora.quillotap")'; }
e2e_launch
e2e_wait_for "the main window" e2e_wayland_has_title Quillotap
e2e_check "the window is a Wayland toplevel titled Quillotap" e2e_wayland_has_title Quillotap
e2e_wait_for "the application id" has_app_id
e2e_wayland_screenshot wayland-window
e2e_check "it carries the desktop file's application id" has_app_id
e2e_check "a screenshot of the window was taken" test -s "$E2E_OUT/wayland-window.png"
e2e_check "the program runs" kill -0 "$E2E_APP_PID"

# Recording through the desktop's shortcuts portal, then by remote control.
e2e_expect_portal_binding
e2e_portal Activate string:start-recording >/dev/null
e2e_wait_for "the recording file" sh -c "ls '$folder'/*.mp3"
e2e_portal Deactivate string:start-recording >/dev/null
file=$(ls -t "$folder"/*.mp3 | head -n1)
e2e_wait_for "the recording to grow" sh -c "test \$(stat -c %s '$file') -gt 20000"
e2e_portal Activate string:stop-recording >/dev/null
e2e_portal Deactivate string:stop-recording >/dev/null
e2e_wait_for "the tagged file" sh -c "head -c3 '$file' | grep -q ID3"
e2e_check "a portal shortcut records and stops ($(e2e_decoded_seconds "$file") s)" \
    sh -c "ffmpeg -v error -xerror -i '$file' -f null - 2>&1 | (! grep -q .)"

sleep 1 # the next file name differs by the second
"$QUILLOTAP" --toggle
e2e_wait_for "a second recording file" sh -c "test \$(ls '$folder'/*.mp3 | wc -l) -eq 2"
file=$(ls -t "$folder"/*.mp3 | head -n1)
e2e_wait_for "the recording to grow" sh -c "test \$(stat -c %s '$file') -gt 20000"
"$QUILLOTAP" --toggle
e2e_wait_for "the tagged file" sh -c "head -c3 '$file' | grep -q ID3"
e2e_check "--toggle records and stops ($(e2e_decoded_seconds "$file") s)" \
    sh -c "ffmpeg -v error -xerror -i '$file' -f null - 2>&1 | (! grep -q .)"

# A normal end through remote control: the same shut-down as closing.
"$QUILLOTAP" --quit
e2e_wait_exit "$E2E_APP_PID" 20
e2e_check "the program ends with status 0" test "$E2E_EXIT" -eq 0
e2e_check "the settings are saved" test "$(e2e_setting FilePath)" = "$folder/"
e2e_check "the program needed no X display" sh -c "! grep -qi 'xcb\|display' '$E2E_APP_LOG'"

e2e_finish
