#!/usr/bin/env bash
# The hotkey that plays the last recording: Ctrl+Alt+R records the default
# source (a 440 Hz sine) for a few seconds, Ctrl+Alt+S stops, and Ctrl+Alt+P
# plays the new file on the default output, the null sink "out", whose
# monitor must then carry the sine.
source "$(dirname "$0")/lib.sh"
e2e_start

folder="$HOME/Documents/Quillotap"

e2e_launch
e2e_wait_window Quillotap || exit 1
window=$E2E_WINDOW

e2e_press ctrl alt r
e2e_wait_for "the recording file" sh -c "ls '$folder'/*.mp3"
sleep 3
e2e_press ctrl alt s
file=$(ls "$folder"/*.mp3 | head -n1)
e2e_wait_for "the finished file" sh -c "head -c3 '$file' | grep -q ID3"
# The stop cue plays on the same output: let it end first.
sleep 1.5

# The program's playback stream has the recording's format (the cues are
# 22050 Hz mono).
rate=$(ffprobe -v error -select_streams a:0 -show_entries stream=sample_rate -of csv=p=0 "$file")
channels=$(ffprobe -v error -select_streams a:0 -show_entries stream=channels -of csv=p=0 "$file")
stream="${channels}ch ${rate}Hz"
echo "recording: $(basename "$file"), $stream"
e2e_check "nothing plays before the hotkey" \
    sh -c "! pactl list short sink-inputs | grep -q '$stream'"

# The output's monitor is recorded from before the hotkey until the file has
# played for a while.
timeout -s INT 4 parec --device=out.monitor --format=s16le --rate=44100 --channels=1 \
    >"$E2E_DIR/monitor.raw" 2>"$E2E_DIR/parec.log" &
recorder=$!
E2E_PIDS+=("$recorder")
sleep 0.5

e2e_press ctrl alt p
e2e_wait_for "the playback stream" sh -c "pactl list short sink-inputs | grep -q '$stream'"
pactl list sink-inputs >"$E2E_DIR/sink-inputs.txt"
e2e_check "the stream belongs to the program and plays on \"out\"" \
    grep -q 'application.name = "Quillotap"' "$E2E_DIR/sink-inputs.txt"
e2e_screenshot play-last-recording
wait "$recorder"

# The longest stretch in which the output sounds, its level and frequency;
# the whole capture is kept as a WAV file beside the screenshots.
read -r seconds level frequency < <(python3 - "$E2E_DIR/monitor.raw" \
    "$E2E_OUT/play-last-recording-output.wav" <<'PY'
import array, math, sys, wave
rate = 44100
s = array.array("h", open(sys.argv[1], "rb").read())
with wave.open(sys.argv[2], "wb") as w:
    w.setnchannels(1); w.setsampwidth(2); w.setframerate(rate); w.writeframes(s.tobytes())
block = rate // 100
best, start = (0, 0), None
for i in range(0, len(s) + block, block):
    seg = s[i : i + block]
    sounding = bool(seg) and max(abs(x) for x in seg) > 1000
    if sounding and start is None:
        start = i
    if not sounding and start is not None:
        best = max(best, (i - start, start), key=lambda b: b[0])
        start = None
length, first = best
run = s[first : first + length]
rms = math.sqrt(sum(x * x for x in run) / max(len(run), 1)) / 32768
crossings = sum(1 for a, b in zip(run, run[1:]) if (a < 0) != (b < 0))
print(f"{length / rate:.2f}", f"{rms:.3f}", round(crossings / 2 / (length / rate)) if run else 0)
PY
)
echo "output: sounding for $seconds s at level $level, $frequency Hz"
e2e_check "the output sounds for a while as the recording plays" \
    python3 -c "import sys; sys.exit(0 if float('$seconds') >= 1.0 and float('$level') > 0.1 else 1)"
e2e_check "the output carries the recorded 440 Hz sine" \
    test "$frequency" -ge 430 -a "$frequency" -le 450

# The recording ends after about three seconds and the stream goes away.
e2e_wait_for "the end of playback" sh -c "! pactl list short sink-inputs | grep -q '$stream'"
e2e_check "playing did not change the recording" test "$(ls -A "$folder" | wc -l)" -eq 1

e2e_close_window "$window"
e2e_wait_exit "$E2E_APP_PID" 20
e2e_check "a normal close ends with status 0" test "$E2E_EXIT" -eq 0

e2e_finish
