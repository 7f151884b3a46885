#!/usr/bin/env bash
# The real program on a fresh account: it starts, shows its window, closes
# normally and leaves its settings behind; a second start ends at once while
# the first keeps running.
source "$(dirname "$0")/lib.sh"
e2e_start

e2e_launch
e2e_wait_window Quillotap || exit 1
first_window=$E2E_WINDOW
e2e_screenshot startup-fresh-account
e2e_check "nothing is written while starting" test ! -e "$(e2e_hive)"
e2e_check "the recordings folder is created" test -d "$HOME/Documents/Quillotap"

# A second start: no window, no message, exit status 0, the first untouched.
"$QUILLOTAP" >"$E2E_DIR/second.log" 2>&1 &
second=$!
e2e_wait_exit "$second" 10
e2e_check "a second instance ends at once with status 0" test "$E2E_EXIT" -eq 0
windows=$(xdotool search --onlyvisible --name '^Quillotap$' 2>/dev/null | wc -l)
e2e_check "only one window is shown" test "$windows" -eq 1
e2e_check "the first instance keeps running" kill -0 "$E2E_APP_PID"
e2e_check "the second instance wrote nothing" test ! -e "$(e2e_hive)"

e2e_close_window "$first_window"
e2e_wait_exit "$E2E_APP_PID" 20
e2e_check "a normal close ends with status 0" test "$E2E_EXIT" -eq 0
e2e_check "the settings are saved" test -f "$(e2e_hive)"
e2e_check "FilePath is the documents folder" \
    test "$(e2e_setting FilePath)" = "$HOME/Documents/Quillotap/"
e2e_check "LastFormat is MP3" test "$(e2e_setting LastFormat)" = "0"
e2e_check "the start hotkey is Ctrl+Alt+R" test "$(e2e_setting Hotkey1)" = "CA+R"
e2e_check "the icon hotkey is enabled" test "$(e2e_setting Hotkey7E)" = "Enabled"
e2e_check "the preview is off" test "$(e2e_setting Preview)" = "0"
e2e_check "the size limit is 10 MB" test "$(e2e_setting MaxSize)" = "10"
e2e_check "the time limit is 600 s" test "$(e2e_setting MaxTime)" = "600"
e2e_check "both cues are on" \
    test "$(e2e_setting PlayStartSound)$(e2e_setting PlayStopSound)" = "YesYes"
e2e_check "the MP3 settings are saved last among the formats, then the recording start options" \
    test "$(grep -o '^"[A-Za-z0-9_]*"' "$(e2e_hive)" | tail -n5 | tr '\n' ' ')" = \
    '"MP3StrictlyEnforceMinBitrate" "PreRollSeconds" "StartOnSound" "SilenceSeconds" "SoundThreshold" '

# The second start reads back what the first saved.
sed -i 's/^"MaxTime"="600"$/"MaxTime"="120"/' "$(e2e_hive)"
e2e_launch
e2e_wait_window Quillotap || exit 1
e2e_close_window "$E2E_WINDOW"
e2e_wait_exit "$E2E_APP_PID" 20
e2e_check "a stored value survives the next start" test "$(e2e_setting MaxTime)" = "120"

e2e_finish
