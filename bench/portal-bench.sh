#!/usr/bin/env bash
# The hotkeys through the desktop's GlobalShortcuts portal: the delay from the
# portal's Activated signal to the start of the recording, and the idle CPU of
# the program with the portal as its hotkey source. The same figures for the
# X11 keyboard (an xdotool key press), measured in the same run, are the
# reference. Under Xvfb with a private PulseAudio server and session bus, the
# real xdg-desktop-portal front end and the test back end of
# tests/support/portal (see e2e_start_portal in tests/e2e/lib.sh).
#
# Usage: bench/portal-bench.sh [BUILD_DIR] [IDLE_SECONDS] [RUNS]
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
idle_seconds=${2:-20}
runs=${3:-5}
export QUILLOTAP="$build/bin/quillotap"
source "$here/../tests/e2e/lib.sh"
source "$here/report.sh"
bench_require_program "$QUILLOTAP" quillotap
e2e_start
e2e_start_portal

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
python=/usr/bin/python3
[ -x "$python" ] || python=python3

# The start cue is switched off, so the delay is the program's own.
e2e_write_hive '"PlayStartSound"="No"' '"PlayStopSound"="No"'
folder="$HOME/Documents/Quillotap"

# measure SOURCE: launches the program with that hotkey source, measures its
# idle CPU, then the delay from a press to the recording file; leaves them in
# MEASURED_IDLE (% of one core) and MEASURED_DELAY (ms).
measure() {
    local source=$1 before after d binds
    rm -rf "$folder"
    binds=$(e2e_portal_bind_count)
    QUILLOTAP_HOTKEYS=$source e2e_launch
    e2e_wait_window Quillotap >/dev/null || exit 1
    if [ "$source" = portal ]; then
        e2e_wait_for "the shortcuts to be bound" test "$(e2e_portal_bind_count)" -gt "$binds"
    fi
    sleep 2 # let start-up settle
    before=$(cpu_ticks "$E2E_APP_PID")
    sleep "$idle_seconds"
    after=$(cpu_ticks "$E2E_APP_PID")
    MEASURED_IDLE=$(python3 -c "print(100.0 * ($after - $before) / $ticks / $idle_seconds)")
    d=$("$python" - "$folder" "$source" <<'PY'
import glob, subprocess, sys, time
import dbus
folder, source = sys.argv[1], sys.argv[2]
control = dbus.Interface(
    dbus.SessionBus().get_object("org.freedesktop.impl.portal.desktop.quillotaptest",
                                 "/org/quillotap/TestPortal"),
    "org.quillotap.TestPortal")
start = time.monotonic()
if source == "portal":
    control.Activate("start-recording")
else:
    subprocess.run(["xdotool", "keydown", "ctrl", "alt", "r"])
while not glob.glob(folder + "/*.mp3"):
    if time.monotonic() - start > 5:
        print("nan")
        sys.exit()
    time.sleep(0.001)
print(1000.0 * (time.monotonic() - start))
if source == "portal":
    control.Deactivate("start-recording")
else:
    subprocess.run(["xdotool", "keyup", "r", "alt", "ctrl"])
PY
)
    MEASURED_DELAY=$d
    kill -TERM "$E2E_APP_PID"
    e2e_wait_exit "$E2E_APP_PID" 20
}

portal_idle=()
portal_delay=()
x11_idle=()
x11_delay=()
for run in $(seq "$runs"); do
    measure portal
    portal_idle+=("$MEASURED_IDLE")
    portal_delay+=("$MEASURED_DELAY")
    measure x11
    x11_idle+=("$MEASURED_IDLE")
    x11_delay+=("$MEASURED_DELAY")
done

python3 - "${portal_idle[*]}" "${portal_delay[*]}" "${x11_idle[*]}" "${x11_delay[*]}" <<'PY'
import statistics, sys
def numbers(text):
    return [float(x) for x in text.split() if x != "nan"]
portal_idle, portal_delay, x11_idle, x11_delay = (numbers(a) for a in sys.argv[1:5])
print("%-40s %10s %10s %10s" % ("figure", "median", "max", "goal"))
print("%-40s %9.2f%% %9.2f%% %10s" % ("idle CPU, portal source", statistics.median(portal_idle),
                                       max(portal_idle), "0.0 %"))
print("%-40s %9.2f%% %9.2f%% %10s" % ("idle CPU, X11 source (reference)",
                                       statistics.median(x11_idle), max(x11_idle), ""))
if portal_delay:
    print("%-40s %8.1fms %8.1fms %10s" % ("portal Activated to capture start",
                                           statistics.median(portal_delay), max(portal_delay),
                                           "< 50 ms"))
if x11_delay:
    print("%-40s %8.1fms %8.1fms %10s" % ("X11 key press to capture start (reference)",
                                           statistics.median(x11_delay), max(x11_delay), ""))

def fields(*values):
    print("BENCH\t" + "\t".join(v if v else "-" for v in values))

idle = statistics.median(portal_idle)
fields("idle CPU, portal hotkey source (% of one core)", "%.2f" % idle,
       "%.2f (X11 source)" % statistics.median(x11_idle), "", "0.0",
       "ok" if idle < 0.05 else "ABOVE")
if portal_delay and x11_delay:
    d, ref = statistics.median(portal_delay), statistics.median(x11_delay)
    fields("portal Activated to capture start (ms)", "%.1f" % d, "%.1f (X11 key press)" % ref,
           "%.2f" % (d / ref) if ref > 0 else "", "< 50", "ok" if d < 50 else "ABOVE")
else:
    fields("portal Activated to capture start (ms)", "", "", "", "< 50", "FAILED")
PY
