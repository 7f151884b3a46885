#!/usr/bin/env bash
# Pre-roll and sound-activated recording:
#  - the CPU cost of keeping 30 s of pre-roll while idle, against the same
#    idle window with the pre-roll off, measured in the same run (% of one
#    core; goal < 1);
#  - where a sound-activated file starts against its burst's onset, with a
#    2 s pre-roll, against the same run without pre-roll (seconds, negative:
#    before the onset; goal: at or before the onset with the pre-roll).
#   bench/preroll-bench.sh [build-dir]    (SECONDS_PER_PHASE=N, default 10)
# Builds nothing: bench_preroll must exist in <build-dir>/bench.
set -euo pipefail
source "$(dirname "$0")/report.sh"

BUILD=${1:-build}
BENCH="$BUILD/bench/bench_preroll"
SECONDS_PER_PHASE=${SECONDS_PER_PHASE:-10}
bench_require_program "$BENCH" bench_preroll

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
value() { awk -v k="$1" '$1 == "RESULT" && $2 == k { print $3 }' "$2"; }

# A silent input, so that the figure is the program's and not the cost of
# making up a test signal.
QUILLOTAP_AUDIO_SPEED=1 QUILLOTAP_SYNTHETIC_DEVICES="Mic:Silence" \
  "$BENCH" --seconds "$SECONDS_PER_PHASE" >"$work/idle.txt"
cost=$(value preroll_cost "$work/idle.txt")
echo "Idle window, preview off, silent input, ${SECONDS_PER_PHASE} s per phase (% of one core):"
printf "  %-26s %8s\n" "pre-roll off" "$(value cpu_off "$work/idle.txt")"
printf "  %-26s %8s   (%s bytes of samples)\n" "pre-roll 30 s" \
  "$(value cpu_on "$work/idle.txt")" "$(value preroll_bytes "$work/idle.txt")"
printf "  %-26s %8s   goal < 1\n" "cost of the pre-roll" "$cost"
bench_report "pre-roll 30 s while idle (% of one core)" "$(value cpu_on "$work/idle.txt")" \
  "$(value cpu_off "$work/idle.txt") (pre-roll off)" "+$cost" "< 1" \
  "$(awk -v c="$cost" 'BEGIN { print (c < 1) ? "ok" : "ABOVE" }')"

export QUILLOTAP_AUDIO_SPEED=10 QUILLOTAP_SYNTHETIC_DEVICES="Mic:Bursts 1/3.5"
"$BENCH" --onset --bursts 5 --pre-roll 2 >"$work/with.txt"
"$BENCH" --onset --bursts 5 --pre-roll 0 >"$work/without.txt"
with=$(value worst_delay "$work/with.txt")
without=$(value worst_delay "$work/without.txt")
echo "Sound-activated files, 5 bursts: latest file start against its onset (s):"
printf "  %-26s %8s\n" "pre-roll 2 s" "$with" "no pre-roll" "$without"
bench_report "sound-activated file start vs onset (s)" "$with" "$without (no pre-roll)" "-" \
  "<= 0 with pre-roll" "$(awk -v d="$with" 'BEGIN { print (d <= 0) ? "ok" : "LATE" }')"
awk -v c="$cost" -v d="$with" 'BEGIN { exit !(c < 1 && d <= 0) }'
