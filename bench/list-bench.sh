#!/usr/bin/env bash
# Building the recordings list of a folder of many recordings, against
# `ls -l` listing the same folder in the same run.
#   bench/list-bench.sh [build-dir]     (FILES=N recordings, default 10000;
#                                        REPEAT=N: best of N runs, default 3)
# Builds nothing: bench_recordings_list must exist in <build-dir>/bench.
set -euo pipefail
source "$(dirname "$0")/report.sh"

BUILD=${1:-build}
BENCH="$BUILD/bench/bench_recordings_list"
FILES=${FILES:-10000}
REPEAT=${REPEAT:-3}
GOAL_MS=1000

bench_require_program "$BENCH" bench_recordings_list

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folder="$work/recordings"

echo "Listing ${FILES} recordings, best of ${REPEAT}..." >&2
"$BENCH" --dir "$folder" --files "$FILES" --repeat "$REPEAT" > "$work/ours.txt"
ours=$(awk '/^list_build_ms/ { print $2 }' "$work/ours.txt")
sort_ms=$(awk '/^size_sort_ms/ { print $2 }' "$work/ours.txt")

# Best wall time of `ls -l` on the same folder (the files are in the page
# cache for both).
best=""
for _ in $(seq "$REPEAT"); do
  start=$(date +%s%N)
  LC_ALL=C ls -l "$folder" > /dev/null
  end=$(date +%s%N)
  t=$(( (end - start) / 1000000 ))
  if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
done
[ "$best" -gt 0 ] || best=1

ratio=$(awk -v a="$ours" -v b="$best" 'BEGIN { printf "%.1f", a / b }')
printf "%-34s %8s ms\n" "recordings list build (${FILES})" "$ours"
printf "%-34s %8s ms\n" "size sort of the full list" "$sort_ms"
printf "%-34s %8s ms\n" "ls -l (reference)" "$best"
printf "%-34s %8s x ls -l\n" "ratio" "$ratio"
bench_report "recordings list build, ${FILES} files (ms)" "$ours" "$best (ls -l)" "$ratio" \
  "< ${GOAL_MS} ms" "$([ "$ours" -lt "$GOAL_MS" ] && echo ok || echo ABOVE)"
if [ "$ours" -lt "$GOAL_MS" ]; then
  echo "goal met: list build under ${GOAL_MS} ms"
else
  echo "goal missed: list build ${ours} ms, goal under ${GOAL_MS} ms"
  exit 1
fi
