#!/usr/bin/env bash
# Recording costs against references measured in the same run:
#  - CPU per minute of audio while recording MP3 128 kbit/s stereo 44.1 kHz
#    with the preview on, from a private PulseAudio server's sine source,
#    against `parecord | lame -b 128` on the same server (goal: ratio <= 1.2);
#  - resident memory before and after a two-hour recording on the synthetic
#    back end at high speed (goal: growth under 2 MB).
#   bench/recording-bench.sh [build-dir]
# Environment: SECONDS_OF_AUDIO (default 20), HOURS (2), SPEED (300),
# MEMORY_FORMAT (WAV).
# Builds nothing: bench_recording must exist in <build-dir>/bench.
set -euo pipefail
source "$(dirname "$0")/report.sh"

BUILD=${1:-build}
BENCH="$BUILD/bench/bench_recording"
SECONDS_OF_AUDIO=${SECONDS_OF_AUDIO:-20}
HOURS=${HOURS:-2}
SPEED=${SPEED:-300}
MEMORY_FORMAT=${MEMORY_FORMAT:-WAV}
CPU_GOAL=1.2
RSS_GOAL_KB=2048

bench_require_program "$BENCH" bench_recording
bench_require_tools pulseaudio pactl parecord lame

work=$(mktemp -d)
server_pid=""
cleanup() {
  if [ -n "$server_pid" ]; then kill "$server_pid" 2>/dev/null || true; wait "$server_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# A private PulseAudio server with a 440 Hz sine source as default source.
mkdir -p "$work/home" "$work/runtime"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
       PULSE_RUNTIME_PATH="$work/runtime"
env -u PULSE_SERVER pulseaudio -n --daemonize=no --system=no --exit-idle-time=-1 \
  --use-pid-file=no --disable-shm=yes --log-target=stderr \
  -L "module-native-protocol-unix auth-anonymous=1 socket=$work/native" \
  -L "module-null-sink sink_name=out" \
  -L "module-sine-source source_name=sine frequency=440" 2> "$work/server.log" &
server_pid=$!
export PULSE_SERVER="unix:$work/native"
for _ in $(seq 200); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null 2>&1 || { echo "pulseaudio did not start; see log:" >&2; cat "$work/server.log" >&2; exit 1; }
pactl set-default-source sine
pactl set-default-sink out

echo "Recording ${SECONDS_OF_AUDIO} s of MP3 from the sine source, then the reference..." >&2
"$BENCH" --mode cpu --seconds "$SECONDS_OF_AUDIO" > "$work/cpu.txt"
echo "Recording ${HOURS} h of ${MEMORY_FORMAT} on the synthetic back end at ${SPEED}x..." >&2
"$BENCH" --mode memory --hours "$HOURS" --speed "$SPEED" --format "$MEMORY_FORMAT" > "$work/mem.txt"

get() { awk -v k="$2" '$1 == "RESULT" && $2 == k { print $3 }' "$1"; }

status=0
cpu_ratio=$(get "$work/cpu.txt" cpu_ratio)
cpu_ok=$(awk -v r="$cpu_ratio" -v g="$CPU_GOAL" 'BEGIN { print (r <= g) ? "ok" : "ABOVE" }')
[ "$cpu_ok" = ok ] || status=1
growth=$(get "$work/mem.txt" rss_growth_kb)
mem_ok=$(awk -v r="$growth" -v g="$RSS_GOAL_KB" 'BEGIN { print (r < g) ? "ok" : "ABOVE" }')
[ "$mem_ok" = ok ] || status=1

printf "%-44s %12s %12s %10s %12s\n" measure ours reference ratio goal
printf "%-44s %12s %12s %10s %12s\n" "CPU s per audio minute (MP3 128k, preview)" \
  "$(get "$work/cpu.txt" ours_cpu_per_audio_minute)" "$(get "$work/cpu.txt" ref_cpu_per_audio_minute)" \
  "$cpu_ratio" "<=$CPU_GOAL $cpu_ok"
printf "%-44s %12s %12s\n" "  CPU s / audio s recorded" \
  "$(get "$work/cpu.txt" ours_cpu_seconds)/$(get "$work/cpu.txt" ours_audio_seconds)" \
  "$(get "$work/cpu.txt" ref_cpu_seconds)/$(get "$work/cpu.txt" ref_audio_seconds)"
printf "%-44s %12s\n" "RSS before (kB)" "$(get "$work/mem.txt" rss_before_kb)"
printf "%-44s %12s\n" "RSS after $(get "$work/mem.txt" audio_hours) h of $MEMORY_FORMAT (kB)" \
  "$(get "$work/mem.txt" rss_after_kb)"
printf "%-44s %12s\n" "RSS peak during the recording (kB)" "$(get "$work/mem.txt" rss_peak_kb)"
printf "%-44s %12s %12s %10s %12s\n" "RSS growth (kB)" "$growth" "" "" "<$RSS_GOAL_KB $mem_ok"
bench_report "recording CPU s per audio minute (MP3 128k)" "$(get "$work/cpu.txt" ours_cpu_per_audio_minute)" \
  "$(get "$work/cpu.txt" ref_cpu_per_audio_minute) (parecord | lame)" "$cpu_ratio" "<= $CPU_GOAL" "$cpu_ok"
bench_report "recording RSS growth over $(get "$work/mem.txt" audio_hours) h (kB)" "$growth" "" "" \
  "< $RSS_GOAL_KB" "$mem_ok"
exit $status
