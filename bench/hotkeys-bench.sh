#!/usr/bin/env bash
# Idle CPU of the running program (hotkey poller on, no recording) and the
# delay from a hotkey press to the start of the recording, under Xvfb with a
# private PulseAudio server.
#
# Usage: bench/hotkeys-bench.sh [BUILD_DIR] [IDLE_SECONDS] [RUNS]
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
idle_seconds=${2:-30}
runs=${3:-5}
export QUILLOTAP="$build/bin/quillotap"
source "$here/../tests/e2e/lib.sh"
source "$here/report.sh"
e2e_start

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# The start cue is switched off, so the press-to-capture delay is the
# program's own.
mkdir -p "$XDG_CONFIG_HOME/quillotap"
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Velmora Software\\Quillotap]\n"PlayStartSound"="No"\n"PlayStopSound"="No"\n' \
    >"$(e2e_hive)"

idle=()
delay=()
folder="$HOME/Documents/Quillotap"
for run in $(seq "$runs"); do
    rm -rf "$folder"
    e2e_launch
    e2e_wait_window Quillotap >/dev/null || exit 1
    sleep 2 # let start-up settle
    before=$(cpu_ticks "$E2E_APP_PID")
    sleep "$idle_seconds"
    after=$(cpu_ticks "$E2E_APP_PID")
    idle+=("$(python3 -c "print(100.0 * ($after - $before) / $ticks / $idle_seconds)")")

    # Press Ctrl+Alt+R and time until the recording file exists.
    d=$(python3 - "$folder" <<'PY'
import glob, subprocess, sys, time
folder = sys.argv[1]
start = time.monotonic()
subprocess.run(["xdotool", "keydown", "ctrl", "alt", "r"])
while not glob.glob(folder + "/*.mp3"):
    if time.monotonic() - start > 5:
        print("nan"); sys.exit()
    time.sleep(0.001)
print(1000.0 * (time.monotonic() - start))
subprocess.run(["xdotool", "keyup", "r", "alt", "ctrl"])
PY
)
    delay+=("$d")
    kill -TERM "$E2E_APP_PID"
    e2e_wait_exit "$E2E_APP_PID" 20
done

python3 - "${idle[*]}" "${delay[*]}" <<'PY'
import statistics, sys
idle = [float(x) for x in sys.argv[1].split()]
delay = [float(x) for x in sys.argv[2].split() if x != "nan"]
print("%-32s %10s %10s %10s" % ("figure", "median", "max", "goal"))
print("%-32s %9.2f%% %9.2f%% %10s" % ("idle CPU, % of one core", statistics.median(idle), max(idle), "< 0.5%"))
if delay:
    print("%-32s %8.1fms %8.1fms %10s" % ("press to capture start", statistics.median(delay), max(delay), "< 50 ms"))
med = statistics.median(idle)
print("BENCH\tidle CPU (%% of one core)\t%.2f\t-\t-\t< 0.5\t%s" % (med, "ok" if med < 0.5 else "ABOVE"))
if delay:
    d = statistics.median(delay)
    print("BENCH\thotkey press to capture start (ms)\t%.1f\t-\t-\t< 50\t%s" % (d, "ok" if d < 50 else "ABOVE"))
PY
