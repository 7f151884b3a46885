#!/usr/bin/env bash
# Delay from `quillotap --toggle` to the start of the recording (the file
# appears), against the delay from the X11 hotkey press to the same point,
# measured in the same run on the same program, under Xvfb with a private
# PulseAudio server. The remote figure includes starting the client process.
#
# Usage: bench/remote-bench.sh [BUILD_DIR] [RUNS]
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
runs=${2:-10}
export QUILLOTAP="$build/bin/quillotap"
source "$here/../tests/e2e/lib.sh"
source "$here/report.sh"
bench_require_program "$QUILLOTAP" quillotap
e2e_start

# Without the cues both delays are the program's own.
mkdir -p "$XDG_CONFIG_HOME/quillotap"
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Velmora Software\\Quillotap]\n"PlayStartSound"="No"\n"PlayStopSound"="No"\n' \
    >"$(e2e_hive)"

e2e_launch
e2e_wait_window Quillotap >/dev/null || exit 1
e2e_wait_for "the remote-control socket" test -S "$XDG_RUNTIME_DIR/quillotap.socket"
sleep 2 # let start-up settle

python3 - "$QUILLOTAP" "$HOME/Documents/Quillotap" "$runs" <<'PY'
import glob, statistics, subprocess, sys, time
program, folder, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])

def files():
    return set(glob.glob(folder + "/*.mp3"))

def until_new_file(before, start):
    while files() == before:
        if time.monotonic() - start > 5:
            return float("nan")
        time.sleep(0.0005)
    return 1000.0 * (time.monotonic() - start)

def until_ready():
    deadline = time.monotonic() + 10
    while subprocess.run([program, "--status"], capture_output=True, text=True).stdout.strip() != "ready":
        if time.monotonic() > deadline:
            sys.exit("the recording did not stop")
        time.sleep(0.05)
    # File names count whole seconds: the next recording gets a new one.
    time.sleep(1.1)

hotkey, remote = [], []
for _ in range(runs):
    before = files()
    start = time.monotonic()
    subprocess.run(["xdotool", "keydown", "ctrl", "alt", "r"])
    hotkey.append(until_new_file(before, start))
    subprocess.run(["xdotool", "keyup", "r", "alt", "ctrl"])
    subprocess.run([program, "--stop"])
    until_ready()

    before = files()
    start = time.monotonic()
    client = subprocess.Popen([program, "--toggle"])
    remote.append(until_new_file(before, start))
    client.wait()
    subprocess.run([program, "--toggle"])
    until_ready()

hotkey = [d for d in hotkey if d == d]
remote = [d for d in remote if d == d]
print("%-36s %10s %10s %10s" % ("figure", "median", "max", "goal"))
if hotkey:
    print("%-36s %8.1fms %8.1fms %10s" % ("hotkey press to capture start", statistics.median(hotkey), max(hotkey), "(reference)"))
if remote:
    print("%-36s %8.1fms %8.1fms %10s" % ("--toggle to capture start", statistics.median(remote), max(remote), "< 50 ms"))
if remote and hotkey:
    r, h = statistics.median(remote), statistics.median(hotkey)
    print("BENCH\t--toggle to capture start (ms)\t%.1f\t%.1f (hotkey)\t%.2f\t< 50\t%s" % (r, h, r / h, "ok" if r < 50 else "ABOVE"))
else:
    print("BENCH\t--toggle to capture start (ms)\t-\t-\t-\t< 50\tFAILED")
    sys.exit(1)
PY
status=$?
"$QUILLOTAP" --quit
e2e_wait_exit "$E2E_APP_PID" 20
exit $status
