#!/usr/bin/env bash
# Start-up and close of the real program against a minimal Qt window, both
# under a private Xvfb, D-Bus and PulseAudio (see tests/e2e/lib.sh).
#
#   bench/startup-bench.sh [BUILD_DIR] [RUNS]
#
# Start-up: from the launch to the first paint of the window (the program
# prints the moment with QUILLOTAP_BENCH_STARTUP=1). Close: from the close
# request (WM_DELETE_WINDOW, as a window manager's close button sends it) to
# the end of the process, settings save included; measured once with the
# settings of the run before (little changes) and once from an empty
# settings file (every value is new, as at a first close). Medians over RUNS
# runs (default 10), printed with the ratio program / minimal window. The
# settings save alone is timed by bench_settings_save against one atomic
# write of the settings file.
#
# The settings live in the build tree, not under /tmp: saving flushes the
# file to the disk, which a memory file system (tmpfs) does not do.
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
runs=${2:-10}
program=$build/bin/quillotap
minimal=$build/bench/minimal_window
saver=$build/bench/bench_settings_save
for f in "$program" "$minimal" "$saver"; do
    [ -x "$f" ] || {
        echo "missing $f (build the targets quillotap, minimal_window and bench_settings_save)"
        exit 1
    }
done

source "$here/../tests/e2e/lib.sh"
source "$here/report.sh"
QUILLOTAP_TEST_OUTPUT=${QUILLOTAP_TEST_OUTPUT:-$build/test-output}
e2e_start
export QUILLOTAP_BENCH_STARTUP=1
XDG_CONFIG_HOME=$(mktemp -d "$build/bench-config.XXXXXX")
export XDG_CONFIG_HOME
trap 'rm -rf "$XDG_CONFIG_HOME"; e2e_cleanup' EXIT
config_fs=$(stat -f -c %T "$XDG_CONFIG_HOME")
echo "settings folder: $XDG_CONFIG_HOME ($config_fs)"
[ "$config_fs" != tmpfs ] || echo "warning: the settings folder is on tmpfs; saves are not flushed"

now() { date +%s%N; }

# measure PROGRAM TITLE: appends one start-up and one close time (ns) to the
# arrays STARTS and CLOSES.
measure() {
    local program=$1 title=$2 log="$E2E_DIR/bench.log" t0 shown window t1 t2 i
    t0=$(now)
    "$program" >"$log" 2>&1 &
    local pid=$!
    for i in $(seq 400); do
        grep -q '^shown ' "$log" && break
        sleep 0.025
    done
    shown=$(sed -n 's/^shown //p' "$log" | head -n1)
    [ -n "$shown" ] || { echo "$title did not show its window"; cat "$log"; exit 1; }
    e2e_wait_window "$title" >/dev/null || exit 1
    window=$E2E_WINDOW
    t1=$(E2E_PRINT_SENT=1 e2e_close_window "$window")
    wait "$pid"
    t2=$(now)
    STARTS+=($((shown - t0)))
    CLOSES+=($((t2 - t1)))
}

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

declare -A start_ms close_ms
# One untimed run each warms the file cache; the program's first run also
# creates its folders.
for pair in "$minimal|Minimal window" "$program|Quillotap"; do
    STARTS=() CLOSES=()
    measure "${pair%%|*}" "${pair##*|}"
done
for pair in "$minimal|Minimal window" "$program|Quillotap"; do
    STARTS=() CLOSES=()
    for i in $(seq "$runs"); do measure "${pair%%|*}" "${pair##*|}"; done
    name=${pair##*|}
    start_ms[$name]=$(awk -v n="$(median "${STARTS[@]}")" 'BEGIN {printf "%.1f", n / 1e6}')
    close_ms[$name]=$(awk -v n="$(median "${CLOSES[@]}")" 'BEGIN {printf "%.1f", n / 1e6}')
done
# The close that stores every value: the settings file is emptied first.
STARTS=() CLOSES=()
for i in $(seq "$runs"); do
    rm -f "$(e2e_hive)"
    measure "$program" Quillotap
done
full_close_ms=$(awk -v n="$(median "${CLOSES[@]}")" 'BEGIN {printf "%.1f", n / 1e6}')
"$saver" --dir "$XDG_CONFIG_HOME/save-bench" --repeat "$runs" >"$E2E_DIR/save.txt" 2>/dev/null ||
    { echo "bench_settings_save failed"; exit 1; }
save_ms=$(awk '/^save_ms/ { print $2 }' "$E2E_DIR/save.txt")
write_ms=$(awk '/^write_ms/ { print $2 }' "$E2E_DIR/save.txt")
rewrites=$(awk '/^rewrites/ { print $2 }' "$E2E_DIR/save.txt")

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
echo "runs: $runs (medians)"
printf '%-28s %10s %10s\n' "" "start ms" "close ms"
printf '%-28s %10s %10s\n' "minimal Qt window" "${start_ms[Minimal window]}" "${close_ms[Minimal window]}"
printf '%-28s %10s %10s\n' "quillotap" "${start_ms[Quillotap]}" "${close_ms[Quillotap]}"
echo "start-up ratio quillotap / minimal window: $(ratio "${start_ms[Quillotap]}" "${start_ms[Minimal window]}") (goal: below 2)"
echo "close ratio quillotap / minimal window:    $(ratio "${close_ms[Quillotap]}" "${close_ms[Minimal window]}")"
echo "close of quillotap: ${close_ms[Quillotap]} ms (goal: below 100 ms)"
echo "close of quillotap saving every value: $full_close_ms ms (goal: below 100 ms)"
echo "settings save, every value new: $save_ms ms, $rewrites rewrite(s) of the file;" \
    "one atomic write of the file: $write_ms ms"
sr=$(ratio "${start_ms[Quillotap]}" "${start_ms[Minimal window]}")
bench_report "start-up to first paint (ms)" "${start_ms[Quillotap]}" \
    "${start_ms[Minimal window]} (minimal Qt window)" "$sr" "< 2" \
    "$(awk -v r="$sr" 'BEGIN { print (r < 2) ? "ok" : "ABOVE" }')"
bench_report "close, settings saved (ms)" "${close_ms[Quillotap]}" \
    "${close_ms[Minimal window]} (minimal Qt window)" \
    "$(ratio "${close_ms[Quillotap]}" "${close_ms[Minimal window]}")" "< 100 ms" \
    "$(awk -v c="${close_ms[Quillotap]}" 'BEGIN { print (c < 100) ? "ok" : "ABOVE" }')"
bench_report "close, every value saved (ms)" "$full_close_ms" \
    "${close_ms[Minimal window]} (minimal Qt window)" \
    "$(ratio "$full_close_ms" "${close_ms[Minimal window]}")" "< 100 ms" \
    "$(awk -v c="$full_close_ms" 'BEGIN { print (c < 100) ? "ok" : "ABOVE" }')"
bench_report "settings save at close, $config_fs (ms)" "$save_ms" \
    "$write_ms (one atomic write of the file)" "$(ratio "$save_ms" "$write_ms")" \
    "one rewrite" "$([ "$rewrites" = 1 ] && echo ok || echo "ABOVE ($rewrites rewrites)")"
