#!/usr/bin/env bash
# CPU cost of previewing the input with the busiest display preset, as the
# difference against the same window with the preview off, measured in the
# same run, in percent of one CPU core.
#   bench/preview-bench.sh [build-dir]    (SECONDS_PER_PHASE=N, default 10;
#                                          PRESET=N, default 11; REFRESH=HZ,
#                                          default 60: extra repaints per
#                                          second, 0 for repaints per block only)
# Runs on an Xvfb screen when Xvfb is installed (the display is really drawn
# and sent to an X server), otherwise on Qt's offscreen platform.
# Builds nothing: bench_preview must exist in <build-dir>/bench.
set -euo pipefail
source "$(dirname "$0")/report.sh"

BUILD=${1:-build}
BENCH="$BUILD/bench/bench_preview"
SECONDS_PER_PHASE=${SECONDS_PER_PHASE:-10}
PRESET=${PRESET:-11}
REFRESH=${REFRESH:-60}
GOAL=5

bench_require_program "$BENCH" bench_preview

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  [ -z "$xvfb_pid" ] || { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null || true; }
  rm -rf "$work"
}
trap cleanup EXIT

if command -v Xvfb >/dev/null; then
  : >"$work/displayfd"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/displayfd" \
    >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$work/displayfd" ] && break; sleep 0.1; done
  export DISPLAY=":$(tr -d '\n' <"$work/displayfd")" QT_QPA_PLATFORM=xcb
else
  export QT_QPA_PLATFORM=offscreen
fi

"$BENCH" --seconds "$SECONDS_PER_PHASE" --preset "$PRESET" --refresh "$REFRESH" >"$work/out.txt"
value() { awk -v k="$1" '$1 == "RESULT" && $2 == k { print $3 }' "$work/out.txt"; }

cost=$(value preview_cost)
echo "Input display preview, preset $PRESET of the input display, $(value platform) platform,"
echo "${SECONDS_PER_PHASE} s per phase (CPU of the whole program, % of one core):"
printf "  %-28s %8s\n" "preview off" "$(value cpu_off)"
printf "  %-28s %8s\n" "preview on" "$(value cpu_on)"
printf "  %-28s %8s   (asked for: %s plus one per block)\n" "display repaints per second" \
  "$(value paints_per_second)" "$REFRESH"
printf "  %-28s %8s   goal < %s\n" "cost of the preview" "$cost" "$GOAL"
bench_report "preview cost, preset $PRESET (% of one core)" "$(value cpu_on)" \
  "$(value cpu_off) (preview off)" "+$cost" "< $GOAL" \
  "$(awk -v c="$cost" -v g="$GOAL" 'BEGIN { print (c < g) ? "ok" : "ABOVE" }')"
awk -v c="$cost" -v g="$GOAL" 'BEGIN { exit !(c < g) }'
