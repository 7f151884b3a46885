#!/usr/bin/env bash
# A recording started by --start with "Keep the last 5 seconds" on: the
# program keeps the input open between recordings, and the file begins with
# the five seconds before the command. The default source is muted until
# two seconds before the command, so the file must begin with about three
# seconds of silence followed by the sine; the start cue's second is left
# out of the file.
source "$(dirname "$0")/lib.sh"
e2e_start

folder="$HOME/Documents/Quillotap"
e2e_write_hive '"PreRollSeconds"="5"' '"LastFormat"="3"' '"Preview"="0"'

pactl set-source-mute sine 1
e2e_launch
e2e_wait_window Quillotap || exit 1
capturing() { pactl list short source-outputs | grep -q .; }
e2e_wait_for "the input to open" capturing
e2e_check "the input is open before any recording" capturing
sleep 6
pactl set-source-mute sine 0
sleep 2
"$QUILLOTAP" --start
started=$(date +%s.%N)
e2e_check "--start records" sh -c "'$QUILLOTAP' --status | grep -q '^recording '"
sleep 2
stopped=$(date +%s.%N)
"$QUILLOTAP" --stop
e2e_check "the input stays open after the recording" capturing

file=$(ls "$folder"/*.wav | head -n1)
e2e_check "one WAV file was written" test "$(ls "$folder" | wc -l)" -eq 1
duration=$(e2e_header_seconds "$file")
read -r lead sine <<<"$(ffmpeg -v error -i "$file" -ac 1 -ar 8000 -f s16le - | python3 -c '
import array, sys
s = array.array("h", sys.stdin.buffer.read())
loud = [i for i, v in enumerate(s) if abs(v) > 2000]
first = loud[0] if loud else len(s)
print("%.2f %.2f" % (first / 8000.0, (len(s) - first) / 8000.0))')"
echo "duration $duration s: $lead s of silence, then $sine s of sine"
e2e_check "the file begins with the silence of the muted seconds before the start" \
    python3 -c "import sys; sys.exit(0 if 2.4 <= $lead <= 3.6 else 1)"
e2e_check "then holds the sine from before the start to the stop, without the cue" \
    python3 -c "import sys; d = $stopped - $started; sys.exit(0 if 1.4 + d <= $sine <= 3.0 + d else 1)"

e2e_close_window "$E2E_WINDOW"
e2e_finish
