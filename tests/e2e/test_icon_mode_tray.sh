#!/usr/bin/env bash
# Icon mode with a notification area (trayer as the tray host): "/icon" puts
# the icon in the tray and keeps the window off the screen, a left click on
# the icon starts a recording of the default source (a 440 Hz sine), a second
# one finishes the file, and a right click brings the window back.
source "$(dirname "$0")/lib.sh"
e2e_start

folder="$HOME/Documents/Quillotap"

trayer --edge top --align right --widthtype pixel --width 100 --heighttype pixel \
    --height 24 >"$E2E_DIR/trayer.log" 2>&1 &
E2E_PIDS+=($!)
e2e_wait_for "the tray panel" xdotool search --onlyvisible --name "^panel$"
panel=$(xdotool search --onlyvisible --name "^panel$" | head -n1)

# The window the program embedded into the panel (empty if none).
icon_window() {
    xwininfo -id "$panel" -tree 2>/dev/null | awk '/"Quillotap"/ {print $1; exit}'
}
# The size of the newest recording, 0 when there is none.
recording_size() {
    local f
    f=$(ls -t "$folder"/*.mp3 2>/dev/null | head -n1)
    [ -n "$f" ] && stat -c %s "$f" || echo 0
}

e2e_launch /icon
e2e_wait_for "the icon in the tray" sh -c "xwininfo -id $panel -tree | grep -q '\"Quillotap\"'"
icon=$(icon_window)
e2e_wait_for "the main window to exist" e2e_main_window_exists
main=$(e2e_main_window)
sleep 0.5
e2e_check "the icon is embedded in the tray panel" test -n "$icon"
e2e_check "the icon is mapped" test "$(e2e_map_state "$icon")" = IsViewable
e2e_check "the main window stays off the screen" test "$(e2e_map_state "$main")" = IsUnMapped
e2e_screenshot icon-mode-tray
# The panel, four times enlarged, to look at the icon.
panel_picture() { import -window root -crop 100x24+1180+0 +repage png:- | convert - -scale 400% "$1"; }
panel_picture "$E2E_OUT/icon-mode-tray-panel.png"

# A left click records; the click is on the middle of the icon.
xdotool mousemove --window "$icon" 10 10 click 1
e2e_wait_for "the recording file" sh -c "ls '$folder'/*.mp3"
e2e_wait_for "the recording to grow" sh -c "test \$(ls -t '$folder'/*.mp3 | head -n1 | xargs stat -c %s) -gt 0"
first=$(recording_size)
sleep 3
e2e_check "the file grows while the icon records ($first -> $(recording_size) bytes)" \
    test "$(recording_size)" -gt "$first"
panel_picture "$E2E_OUT/icon-mode-tray-recording.png"
e2e_check "the main window is still off the screen" test "$(e2e_map_state "$main")" = IsUnMapped

# A second left click stops: the file is closed and tagged.
xdotool mousemove --window "$icon" 10 10 click 1
file=$(ls -t "$folder"/*.mp3 | head -n1)
e2e_wait_for "the tagged file" sh -c "head -c3 '$file' | grep -q ID3"
size=$(stat -c %s "$file")
sleep 1
e2e_check "the file no longer grows after the second click" test "$(stat -c %s "$file")" -eq "$size"
e2e_check "exactly one file was written" test "$(ls -A "$folder" | wc -l)" -eq 1
duration=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$file")
echo "duration: $duration s"
e2e_check "the recording lasts about as long as the clicks were apart" \
    python3 -c "import sys; sys.exit(0 if 2.0 <= float('$duration') <= 8.0 else 1)"
e2e_check "the whole file decodes" sh -c "ffmpeg -v error -xerror -i '$file' -f null - 2>&1 | \
    (! grep -q .)"

# A right click brings the window back and takes the icon away.
xdotool mousemove --window "$icon" 10 10 click 3
e2e_wait_for "the main window" sh -c "xwininfo -id $main | grep -q IsViewable"
e2e_check "the main window is shown again" test "$(e2e_map_state "$main")" = IsViewable
e2e_wait_for "the icon to leave the tray" sh -c "! xwininfo -id $panel -tree | grep -q '\"Quillotap\"'"
e2e_check "the icon has left the tray" test -z "$(icon_window)"

e2e_close_window "$main"
e2e_wait_exit "$E2E_APP_PID" 20
e2e_check "a normal close ends with status 0" test "$E2E_EXIT" -eq 0
e2e_check "no second file appeared" test "$(ls -A "$folder" | wc -l)" -eq 1

e2e_finish
