#!/usr/bin/env bash
# Icon mode through the desktop's StatusNotifierItem host, on a Wayland
# session (weston) with a test org.kde.StatusNotifierWatcher on the private
# session bus: "/icon" registers an item and keeps the window off the
# screen; the item's Activate (a left click on it in the panel) starts a
# recording and a second one finishes the file; while it records the icon
# blinks about once a second; the item's ContextMenu (a right click) leaves
# icon mode: the item goes and the window is shown.
source "$(dirname "$0")/lib.sh"
e2e_start_wayland
e2e_start_sni_watcher

folder="$HOME/Documents/Quillotap"
newest() { ls -t "$folder"/*.mp3 2>/dev/null | head -n1; }
size() { stat -c %s "$1" 2>/dev/null || echo 0; }
# NewIcon signals of the item so far.
icon_changes() { grep -c "^signal $1 NewIcon\$" "$E2E_SNI_LOG"; }
# Whether the program has not given any window its title yet.
window_never_shown() { ! e2e_wayland_has_title Quillotap; }

e2e_launch /icon
e2e_wait_for "the item to register" sh -c "grep -q '^registered ' '$E2E_SNI_LOG'"
item=$(e2e_sni_item)
e2e_check "icon mode registered one item ($item)" \
    test "$(grep -c '^registered ' "$E2E_SNI_LOG")" -eq 1
e2e_check "the item answers with its title" sh -c "dbus-send --session --print-reply \
    --dest='$item' /StatusNotifierItem org.freedesktop.DBus.Properties.Get \
    string:org.kde.StatusNotifierItem string:Title | grep -q '\"Quillotap\"'"
e2e_check "the window stays off the screen" window_never_shown

# Idle in icon mode, the program keeps to its one bus connection.
timeout 4 dbus-monitor --session "type='method_call',member='Hello'" >"$E2E_DIR/hello.log" 2>&1
hellos=$(grep -c 'member=Hello' "$E2E_DIR/hello.log")
e2e_check "no new bus connections while the icon waits ($hellos in 4 s)" test "$hellos" -eq 0

# Activate: a recording starts and grows.
e2e_sni_call "$item" Activate
e2e_wait_for "the recording file" sh -c "ls '$folder'/*.mp3"
file=$(newest)
e2e_wait_for "the recording to grow" sh -c "test \$(stat -c %s '$file') -gt 0"
before=$(icon_changes "$item")
first=$(size "$file")
sleep 4
changes=$(($(icon_changes "$item") - before))
e2e_check "the file grows while the item records ($first -> $(size "$file") bytes)" \
    test "$(size "$file")" -gt "$first"
e2e_check "the icon blinks about once a second ($changes changes in 4 s)" \
    test "$changes" -ge 2 -a "$changes" -le 6
e2e_check "the window is still off the screen" window_never_shown

# Activate again: the file is finished and tagged, and stops growing.
e2e_sni_call "$item" Activate
e2e_wait_for "the tagged file" sh -c "head -c3 '$file' | grep -q ID3"
finished=$(size "$file")
before=$(icon_changes "$item")
sleep 2
e2e_check "the file no longer grows after the second Activate" test "$(size "$file")" -eq "$finished"
e2e_check "the blinking stopped" test "$(icon_changes "$item")" -le $((before + 1))
e2e_check "the whole file decodes" \
    sh -c "ffmpeg -v error -xerror -i '$file' -f null - 2>&1 | (! grep -q .)"

# ContextMenu: icon mode ends, the item leaves and the window appears.
e2e_sni_call "$item" ContextMenu
e2e_wait_for "the window" e2e_wayland_has_title Quillotap
e2e_check "the window is shown" e2e_wayland_has_title Quillotap
e2e_wait_for "the item to leave" sh -c "grep -q '^unregistered $item ' '$E2E_SNI_LOG'"
e2e_check "the item left the watcher" grep -q "^unregistered $item " "$E2E_SNI_LOG"
e2e_wayland_screenshot tray-status-notifier-left

kill -TERM "$E2E_APP_PID"
e2e_wait_exit "$E2E_APP_PID" 20
e2e_check "the program ends with status 0" test "$E2E_EXIT" -eq 0
e2e_check "exactly one file was written" test "$(ls -A "$folder" | wc -l)" -eq 1

e2e_finish
