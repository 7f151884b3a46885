#!/usr/bin/env bash
# A recording made with the desktop's global shortcuts: the program binds its
# hotkey rows through the real xdg-desktop-portal (with the test back end
# standing in for the desktop), and the shortcuts' Activated signals start
# and stop the recording.
source "$(dirname "$0")/lib.sh"
e2e_start
e2e_start_portal

folder="$HOME/Documents/Quillotap"
export QUILLOTAP_HOTKEYS=portal

e2e_launch
e2e_wait_window Quillotap || exit 1
window=$E2E_WINDOW
e2e_expect_portal_binding

e2e_portal Activate string:start-recording >/dev/null
e2e_wait_for "the recording file" sh -c "ls '$folder'/*.mp3"
e2e_portal Deactivate string:start-recording >/dev/null
sleep 2
e2e_portal Activate string:stop-recording >/dev/null
e2e_portal Deactivate string:stop-recording >/dev/null
file=$(ls "$folder"/*.mp3 | head -n1)
e2e_wait_for "the tagged file" sh -c "head -c3 '$file' | grep -q ID3"

duration=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$file")
echo "duration: $duration s"
e2e_check "the recording lasts about as long as the shortcuts were apart" \
    python3 -c "import sys; sys.exit(0 if 1.0 <= float('$duration') <= 6.0 else 1)"
e2e_check "exactly one file was written" test "$(ls -A "$folder" | wc -l)" -eq 1

e2e_close_window "$window"
e2e_wait_exit "$E2E_APP_PID" 20
e2e_check "a normal close ends with status 0" test "$E2E_EXIT" -eq 0
e2e_finish
