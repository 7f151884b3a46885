#!/usr/bin/env bash
# A recording made with the system-wide hotkeys alone: Ctrl+Alt+R plays the
# start cue and records the default source (a 440 Hz sine) into a new MP3
# named after the date and time, Ctrl+Alt+S stops it and the file is closed
# and tagged while the program keeps running.
source "$(dirname "$0")/lib.sh"
e2e_start

folder="$HOME/Documents/Quillotap"

e2e_launch
e2e_wait_window Quillotap || exit 1
window=$E2E_WINDOW
e2e_check "the folder starts empty" test -z "$(ls -A "$folder" 2>/dev/null)"

# While the keys go down, watch the output streams: the start cue plays
# "start.wav" (mono, 22050 Hz) on the default sink "out", and it must do so
# before the recording file exists.
(
    for _ in $(seq 100); do
        if pactl list short sink-inputs 2>/dev/null | grep -q "1ch 22050Hz"; then
            if ls "$folder"/*.mp3 >/dev/null 2>&1; then echo after; else echo before; fi
        fi
        sleep 0.05
    done
) >"$E2E_DIR/cue.log" &
watcher=$!
E2E_PIDS+=("$watcher")

e2e_press ctrl alt r
e2e_wait_for "the recording file" sh -c "ls '$folder'/*.mp3"
sleep 3
e2e_press ctrl alt s

# The stop writes the default ID3 tag: the file then starts with "ID3".
file=$(ls "$folder"/*.mp3 | head -n1)
e2e_wait_for "the tagged file" sh -c "head -c3 '$file' | grep -q ID3"
e2e_screenshot hotkey-recording-stopped

name=$(basename "$file")
e2e_check "exactly one file was written" test "$(ls -A "$folder" | wc -l)" -eq 1
e2e_check "the file is named YYYYMMDD-HHMMSS.mp3 ($name)" \
    sh -c "echo '$name' | grep -Eq '^[0-9]{8}-[0-9]{6}\.mp3$'"

duration=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$file")
echo "duration: $duration s"
e2e_check "the recording lasts about as long as the keys were apart" \
    python3 -c "import sys; sys.exit(0 if 2.0 <= float('$duration') <= 6.0 else 1)"

# The frequency from the zero crossings of the decoded mono signal.
frequency=$(ffmpeg -v error -i "$file" -ac 1 -ar 44100 -f s16le - | python3 -c '
import array, sys
s = array.array("h", sys.stdin.buffer.read())
s = s[len(s) // 10 : len(s) - len(s) // 10]  # leave out the encoder ramps
crossings = sum(1 for a, b in zip(s, s[1:]) if (a < 0) != (b < 0))
print(round(crossings / 2 / (len(s) / 44100.0)))')
echo "frequency: $frequency Hz"
e2e_check "the recording holds the 440 Hz sine" \
    test "$frequency" -ge 430 -a "$frequency" -le 450

# The program is still running; a normal close finishes nothing more.
e2e_check "the program keeps running after the stop" kill -0 "$E2E_APP_PID"
e2e_close_window "$window"
e2e_wait_exit "$E2E_APP_PID" 20
e2e_check "a normal close ends with status 0" test "$E2E_EXIT" -eq 0
e2e_check "no second file appeared" test "$(ls -A "$folder" | wc -l)" -eq 1

wait "$watcher" 2>/dev/null
e2e_check "the start cue played on the output before the recording began" \
    test "$(head -n1 "$E2E_DIR/cue.log")" = before

e2e_finish
