#!/usr/bin/env bash
# The program ends cleanly and saves its settings when it is sent SIGTERM,
# SIGINT or SIGHUP, also while a modal window waits for an answer: the
# message box about a damaged settings file at start-up, a format dialog, the
# folder chooser during a recording. "/icon" and "/ICON" on the command line
# start it without trouble.
source "$(dirname "$0")/lib.sh"
e2e_start

folder="$HOME/Documents/Quillotap"

for signal in TERM INT HUP; do
    rm -f "$(e2e_hive)"
    e2e_launch
    e2e_wait_window Quillotap || exit 1
    kill -s "$signal" "$E2E_APP_PID"
    e2e_wait_exit "$E2E_APP_PID" 20
    e2e_check "SIG$signal ends the program with status 0" test "$E2E_EXIT" -eq 0
    e2e_check "SIG$signal saves the settings" test "$(e2e_setting Hotkey2)" = "CA+S"
done

# A damaged settings file: before the window the program shows one message
# box. A session that ends meanwhile ends the program within two seconds,
# and the settings (the defaults now) are saved beside the damaged copy.
for signal in TERM INT HUP; do
    rm -rf "$XDG_CONFIG_HOME/quillotap"
    mkdir -p "$XDG_CONFIG_HOME/quillotap"
    echo "not a settings file" >"$(e2e_hive)"
    e2e_launch
    e2e_wait_window Quillotap || exit 1
    e2e_check "damaged settings ($signal): the message box is up, not the window" \
        test "$(e2e_map_state "$(e2e_main_window)")" != IsViewable
    kill -s "$signal" "$E2E_APP_PID"
    e2e_wait_exit "$E2E_APP_PID" 2
    e2e_check "damaged settings: SIG$signal in the message box ends the program within 2 s" \
        test "$E2E_EXIT" -eq 0
    [ "$E2E_EXIT" -eq 124 ] && { kill -KILL "$E2E_APP_PID"; e2e_wait_exit "$E2E_APP_PID" 5; }
    e2e_check "damaged settings ($signal): the settings are saved" \
        test "$(e2e_setting Hotkey1)" = "CA+R"
    e2e_check "damaged settings ($signal): the damaged copy is kept" \
        grep -q "not a settings file" "$(e2e_hive).bad"
done

# Places on the main window (637 x 423 pixels, the same on every display):
# the format "Set" button on the recorder page, the "Options" menu button and
# the "Browse..." button of the options page.
set_button=(322 166)
options_button=(58 143)
browse_button=(556 348)
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

# A format dialog open: SIGHUP ends the program within two seconds and the
# settings are saved.
e2e_write_hive '"MaxTime"="77"'
e2e_launch
e2e_wait_window Quillotap || exit 1
click "$(e2e_main_window)" "${set_button[@]}"
e2e_wait_window "MP3 Option" || exit 1
kill -s HUP "$E2E_APP_PID"
e2e_wait_exit "$E2E_APP_PID" 2
e2e_check "format dialog: SIGHUP ends the program within 2 s" test "$E2E_EXIT" -eq 0
[ "$E2E_EXIT" -eq 124 ] && { kill -KILL "$E2E_APP_PID"; e2e_wait_exit "$E2E_APP_PID" 5; }
e2e_check "format dialog: the settings are saved" test "$(e2e_setting Hotkey7)" = "CA+I"
e2e_check "format dialog: the stored values are kept" test "$(e2e_setting MaxTime)" = "77"

# The folder chooser open during a recording: SIGTERM ends the program within
# two seconds, the recording is finished (tagged, its header complete) and
# the settings are saved.
rm -rf "$folder"
e2e_write_hive '"PlayStartSound"="No"' '"PlayStopSound"="No"'
e2e_launch
e2e_wait_window Quillotap || exit 1
window=$(e2e_main_window)
e2e_press ctrl alt r
e2e_wait_for "the recording file" sh -c "ls '$folder'/*.mp3"
click "$window" "${options_button[@]}"
click "$window" "${browse_button[@]}"
e2e_wait_window "Please select a directory." || exit 1
sleep 2
kill -s TERM "$E2E_APP_PID"
e2e_wait_exit "$E2E_APP_PID" 2
e2e_check "folder chooser: SIGTERM during a recording ends the program within 2 s" \
    test "$E2E_EXIT" -eq 0
[ "$E2E_EXIT" -eq 124 ] && { kill -KILL "$E2E_APP_PID"; e2e_wait_exit "$E2E_APP_PID" 5; }
file=$(ls "$folder"/*.mp3 | head -n1)
decoded=$(e2e_decoded_seconds "$file")
e2e_check "folder chooser: the recording holds its sound (${decoded} s)" \
    python3 -c "import sys; sys.exit(0 if float('$decoded') >= 1.5 else 1)"
e2e_check "folder chooser: the recording was tagged" sh -c "head -c3 '$file' | grep -q ID3"
e2e_check "folder chooser: the header's duration is the decoded one" python3 -c \
    "import sys; sys.exit(0 if abs(float('$(e2e_header_seconds "$file")') - float('$decoded')) <= 0.2 else 1)"
e2e_check "folder chooser: the settings are saved" test "$(e2e_setting Hotkey1)" = "CA+R"
e2e_check "folder chooser: the stored values are kept" test "$(e2e_setting PlayStartSound)" = "No"

for argument in /icon /ICON; do
    e2e_launch "$argument"
    e2e_wait_window Quillotap
    e2e_check "$argument: the program runs" kill -0 "$E2E_APP_PID"
    e2e_screenshot "startup-argument-${argument#/}"
    kill -s TERM "$E2E_APP_PID"
    e2e_wait_exit "$E2E_APP_PID" 20
    e2e_check "$argument: the program ends cleanly" test "$E2E_EXIT" -eq 0
    e2e_check "$argument: no crash report" bash -c "! grep -qi 'segmentation\|abort' '$E2E_APP_LOG'"
done

e2e_finish
