#!/usr/bin/env bash
# Makes the two cue sounds the hotkeys play, with sox: a rising two-note
# chime before a recording starts and a falling one after it stops. Each note
# is a sine with a soft octave overtone, a quick attack and a bell-like decay.
# The WAVs are committed; run this again only after changing the sounds.
#
#   resources/sounds/start.wav   G5 then C6, about 0.5 s
#   resources/sounds/stop.wav    C6 then G5, about 0.35 s
#
# Both are 16-bit PCM, 22050 Hz, mono, peak at -6 dBFS.
set -euo pipefail
cd "$(dirname "$0")/.."

OUT=resources/sounds
mkdir -p "$OUT"
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

RATE=22050

# note FILE FREQUENCY SECONDS: one chime note with its fade-out over the
# whole note after a 5 ms fade-in.
note() {
    local file=$1 freq=$2 len=$3
    local octave
    octave=$(awk -v f="$freq" 'BEGIN { printf "%.2f", 2 * f }')
    sox -r "$RATE" -c 2 -n -c 1 -b 16 "$file" \
        synth "$len" sine "$freq" sine "$octave" \
        remix 1v0.8,2v0.2 \
        fade q 0.005 "$len" "$len"
}

G5=783.99
C6=1046.50

note "$TMP/start1.wav" "$G5" 0.18
note "$TMP/start2.wav" "$C6" 0.32
sox "$TMP/start1.wav" "$TMP/start2.wav" -b 16 "$OUT/start.wav" gain -n -6

note "$TMP/stop1.wav" "$C6" 0.14
note "$TMP/stop2.wav" "$G5" 0.21
sox "$TMP/stop1.wav" "$TMP/stop2.wav" -b 16 "$OUT/stop.wav" gain -n -6

for f in "$OUT/start.wav" "$OUT/stop.wav"; do
    printf '%s: %s s, %s bytes\n' "$f" "$(soxi -D "$f")" "$(stat -c %s "$f")"
done
