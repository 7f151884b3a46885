#!/usr/bin/env bash
# CPU cost of converting a WAV recording with Quillotap's converter against
# the reference encoders on the same file, measured in the same run.
#   bench/convert-bench.sh [build-dir]   (REPEAT=N: best of N runs, default 3;
#                                         SECONDS_OF_AUDIO=N, default 600)
# Builds nothing: bench_convert must exist in <build-dir>/bench.
# Figures: reference CPU seconds / ours; 1.0 means as cheap as the reference.
set -euo pipefail
source "$(dirname "$0")/report.sh"

BUILD=${1:-build}
BENCH="$BUILD/bench/bench_convert"
REPEAT=${REPEAT:-3}
SECONDS_OF_AUDIO=${SECONDS_OF_AUDIO:-600}
GOAL=0.8

bench_require_program "$BENCH" bench_convert
bench_require_tools lame oggenc /usr/bin/time

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
input="$work/input.wav"

echo "Converting ${SECONDS_OF_AUDIO} s of 44.1 kHz stereo WAV, best of ${REPEAT}..." >&2
"$BENCH" --seconds "$SECONDS_OF_AUDIO" --repeat "$REPEAT" --input "$input" > "$work/ours.txt"

# Best CPU seconds (user + system) of REPEAT runs of a command.
best_time() {
  local best="" t
  for _ in $(seq "$REPEAT"); do
    rm -f "$work"/ref.*
    /usr/bin/time -f "%U %S" -o "$work/time.txt" "$@" > /dev/null 2>&1
    t=$(awk '{ printf "%.3f", $1 + $2 }' "$work/time.txt")
    if [ -z "$best" ] || awk -v t="$t" -v b="$best" 'BEGIN { exit !(t < b) }'; then best=$t; fi
  done
  echo "$best"
}

# The same settings as the converter's defaults.
declare -A ref refname
refname[mp3]="lame -m s -b 128 -q 5"
ref[mp3]=$(best_time lame --quiet -m s -b 128 -q 5 "$input" "$work/ref.mp3")
refname[ogg]="oggenc --managed -b 128 -m 128 -M 128"
ref[ogg]=$(best_time oggenc --quiet --managed -b 128 -m 128 -M 128 -o "$work/ref.ogg" "$input")

echo "CPU seconds (user + system), best of ${REPEAT}; ratio = reference / ours:"
printf "%-6s %9s %9s  %-40s %6s %s\n" target ours ref reference ratio goal
status=0
while read -r tag name cpu wall; do
  [ "$tag" = RESULT ] || continue
  r=${ref[$name]}
  ratio=$(awk -v a="$r" -v b="$cpu" 'BEGIN { printf "%.2f", (b > 0) ? a / b : 0 }')
  verdict=$(awk -v r="$ratio" -v g="$GOAL" 'BEGIN { print (r >= g) ? "ok" : "BELOW" }')
  [ "$verdict" = ok ] || status=1
  printf "%-6s %9s %9s  %-40s %6s >=%s %s\n" "$name" "$cpu" "$r" "${refname[$name]}" "$ratio" \
    "$GOAL" "$verdict"
  bench_report "convert ${SECONDS_OF_AUDIO} s WAV to $name (CPU s)" "$cpu" "$r (${refname[$name]})" \
    "$ratio" ">= $GOAL" "$verdict"
done < "$work/ours.txt"
exit $status
