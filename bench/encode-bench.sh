#!/usr/bin/env bash
# Encoding throughput of Quillotap's writer against the reference encoders,
# measured in the same run on the same five minutes of input.
#   bench/encode-bench.sh [build-dir]     (REPEAT=N: best of N runs, default 3)
# Builds nothing: bench_encode must exist in <build-dir>/bench.
set -euo pipefail
source "$(dirname "$0")/report.sh"

BUILD=${1:-build}
BENCH="$BUILD/bench/bench_encode"
REPEAT=${REPEAT:-3}
SECONDS_OF_AUDIO=${SECONDS_OF_AUDIO:-300}
GOAL=0.9

bench_require_program "$BENCH" bench_encode
bench_require_tools lame oggenc ffmpeg sox flac opusenc /usr/bin/time

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
input="$work/input.wav"

echo "Encoding ${SECONDS_OF_AUDIO} s of 44.1 kHz stereo, best of ${REPEAT}..." >&2
"$BENCH" --seconds "$SECONDS_OF_AUDIO" --repeat "$REPEAT" --out-dir "$work" \
  --write-input "$input" > "$work/ours.txt"

# Best CPU seconds (user + system) of REPEAT runs of a command. CPU time
# rather than wall time, so that other work on the machine does not count.
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

# Reference command for each format, with the same settings as ours.
declare -A ref
ref[mp3-cbr128]=$(best_time lame --quiet -m s -b 128 -q 5 "$input" "$work/ref.mp3")
ref[mp3-vbr4]=$(best_time lame --quiet -m s -V 4 -q 5 "$input" "$work/ref.mp3")
ref[ogg-q3]=$(best_time oggenc --quiet -q 3 -o "$work/ref.ogg" "$input")
ref[wma-p14]=$(best_time ffmpeg -nostdin -v error -i "$input" -c:a wmav2 -b:a 64k "$work/ref.wma")
ref[wav]=$(best_time sox "$input" "$work/ref.wav")
ref[vox]=$(best_time sox "$input" -r 8000 -c 1 -t vox "$work/ref.vox")
ref[flac-5]=$(best_time flac --silent -5 -o "$work/ref.flac" "$input")
ref[opus-96]=$(best_time opusenc --quiet --bitrate 96 --music "$input" "$work/ref.opus")

declare -A refname
refname[mp3-cbr128]="lame -m s -b 128 -q 5"
refname[mp3-vbr4]="lame -m s -V 4 -q 5"
refname[ogg-q3]="oggenc -q 3"
refname[wma-p14]="ffmpeg -c:a wmav2 -b:a 64k"
refname[wav]="sox (wav)"
refname[vox]="sox -r 8000 -c 1 (vox)"
refname[flac-5]="flac -5"
refname[opus-96]="opusenc --bitrate 96 --music"

echo "Times real time per CPU second (user + system), best of ${REPEAT}:"
printf "%-11s %10s %10s %-28s %7s %6s\n" format "ours xRT" "ref xRT" reference ratio "goal"
status=0
while read -r tag name wall cpu xrt; do
  [ "$tag" = RESULT ] || continue
  if [ "$wall" = failed ]; then
    printf "%-11s %10s\n" "$name" failed; status=1; continue
  fi
  r=${ref[$name]}
  refx=$(awk -v s="$SECONDS_OF_AUDIO" -v t="$r" 'BEGIN { printf "%.1f", s / t }')
  ratio=$(awk -v a="$xrt" -v b="$refx" 'BEGIN { printf "%.2f", a / b }')
  verdict=$(awk -v r="$ratio" -v g="$GOAL" 'BEGIN { print (r >= g) ? "ok" : "BELOW" }')
  [ "$verdict" = ok ] || status=1
  printf "%-11s %10s %10s %-28s %7s %6s\n" "$name" "$xrt" "$refx" "${refname[$name]}" "$ratio" \
    ">=$GOAL $verdict"
  bench_report "encode $name (x real time per CPU s)" "$xrt" "$refx (${refname[$name]})" "$ratio" \
    ">= $GOAL" "$verdict"
done < "$work/ours.txt"
exit $status
