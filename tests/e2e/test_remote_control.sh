#!/usr/bin/env bash
# Remote control from the command line: every command against the running
# program, a cold --start that starts the program and records, --status in
# both states, what the socket does with garbage, over-long lines and other
# users, a socket left behind by a killed program, and commands that arrive
# at the same moment.
source "$(dirname "$0")/lib.sh"
e2e_start

# A notification area, so that icon mode takes the window off the screen.
trayer --edge top --align right --widthtype pixel --width 100 --heighttype pixel \
    --height 24 >"$E2E_DIR/trayer.log" 2>&1 &
E2E_PIDS+=($!)
e2e_wait_for "the tray panel" xdotool search --onlyvisible --name "^panel$"

folder="$HOME/Documents/Quillotap"
socket="$XDG_RUNTIME_DIR/quillotap.socket"

# q ARGS...: runs the program with ARGS to its end; its output goes to $out,
# its error output to $err, its exit status to $rc.
q() {
    "$QUILLOTAP" "$@" >"$E2E_DIR/q.out" 2>"$E2E_DIR/q.err"
    rc=$?
    out=$(cat "$E2E_DIR/q.out")
    err=$(cat "$E2E_DIR/q.err")
}
recordings() { ls "$folder"/*.mp3 2>/dev/null | wc -l; }
status_is_recording() { "$QUILLOTAP" --status 2>/dev/null | grep -q '^recording '; }
status_is_ready() { test "$("$QUILLOTAP" --status 2>/dev/null)" = ready; }
window_viewable() { test "$(e2e_map_state "$(e2e_main_window)")" = IsViewable; }
window_hidden() { test "$(e2e_map_state "$(e2e_main_window)")" = IsUnMapped; }
# say LINES...: one connection to the socket; sends the bytes as given and
# prints what comes back until the program closes the connection or a
# second passes.
say() {
    python3 - "$socket" "$1" <<'PY'
import socket, sys
s = socket.socket(socket.AF_UNIX)
s.connect(sys.argv[1])
s.sendall(sys.argv[2].encode().decode("unicode_escape").encode("latin-1"))
s.settimeout(1.0)
data = b""
try:
    while True:
        chunk = s.recv(4096)
        if not chunk:
            data += b"<closed>"
            break
        data += chunk
except socket.timeout:
    pass
sys.stdout.write(data.decode("utf-8", "replace"))
PY
}

# ---- no program running ----
q --status
e2e_check "--status without a program prints \"not running\" and exits 3" \
    test "$out|$rc" = "not running|3"
for command in --stop --play-last --show --quit; do
    q "$command"
    e2e_check "$command without a program exits 3 with \"not running\" on stderr" \
        test "$rc|$err" = "3|quillotap: not running"
done
q --bogus
e2e_check "an unknown option exits 2" test "$rc" -eq 2
e2e_check "... and names it on stderr" grep -q -- --bogus "$E2E_DIR/q.err"
q --start --stop
e2e_check "two commands at once are a usage error" test "$rc" -eq 2
q --help
e2e_check "--help exits 0" test "$rc" -eq 0
for word in --start --stop --toggle --play-last --icon --show --quit --status --help --version \
    "Exit status"; do
    e2e_check "--help mentions $word" grep -q -- "$word" "$E2E_DIR/q.out"
done
q --version
e2e_check "--version prints the version" test "$out" = "quillotap 4.0"
e2e_check "none of these started the program" \
    sh -c "test ! -e '$socket' && test -z \"\$(pgrep -f '^$QUILLOTAP')\""

# ---- a cold --start: the window as at a normal start, then a recording ----
# The start cue ("start.wav", mono 22050 Hz) must sound before the file exists.
(
    for _ in $(seq 200); do
        if pactl list short sink-inputs 2>/dev/null | grep -q "1ch 22050Hz"; then
            if ls "$folder"/*.mp3 >/dev/null 2>&1; then echo after; else echo before; fi
            break
        fi
        sleep 0.05
    done
) >"$E2E_DIR/cue.log" &
E2E_PIDS+=($!)
e2e_launch --start
first=$E2E_APP_PID
e2e_wait_window Quillotap || exit 1
e2e_check "the cold start shows the window" window_viewable
e2e_wait_for "the cold start to record" status_is_recording
e2e_check "the start cue played before the recording began" \
    test "$(cat "$E2E_DIR/cue.log")" = before
e2e_check "the socket is the user's alone" test "$(stat -c %a "$socket")" = 600

e2e_wait_for "two recorded seconds" \
    sh -c "'$QUILLOTAP' --status | awk '{ exit !(\$2 >= 2) }'"
q --status
read -r word seconds path <<<"$out"
echo "status: $out"
e2e_check "--status while recording exits 0" test "$rc" -eq 0
e2e_check "--status names the recording and its seconds" \
    sh -c "test '$word' = recording && test '$seconds' -ge 2 && test '$seconds' -le 60"
e2e_check "--status gives the recording's full path" test -f "$path" -a "$(dirname "$path")" = "$folder"

q --start
e2e_check "--start while recording succeeds and starts nothing new" \
    test "$rc|$(recordings)" = "0|1"
q --stop
e2e_check "--stop exits 0" test "$rc" -eq 0
e2e_check "--status after the stop prints ready" status_is_ready
e2e_wait_for "the tagged file" sh -c "head -c3 '$path' | grep -q ID3"
e2e_check "the stopped recording holds audio" \
    python3 -c "import sys; sys.exit(0 if float('$(e2e_header_seconds "$path")') >= 1.5 else 1)"
q --stop
e2e_check "--stop while not recording succeeds" test "$rc" -eq 0

# ---- the other commands against the running program ----
q --toggle
e2e_check "--toggle while ready exits 0" test "$rc" -eq 0
e2e_check "... and starts a recording" status_is_recording
q --toggle
e2e_check "--toggle while recording exits 0" test "$rc" -eq 0
e2e_check "... and stops it" status_is_ready
e2e_check "two recordings now" test "$(recordings)" -eq 2

q --play-last
e2e_check "--play-last exits 0" test "$rc" -eq 0
e2e_wait_for "the playback stream" \
    sh -c "pactl list short sink-inputs | grep -v '1ch 22050Hz' | grep -q ."

q --icon
e2e_check "--icon exits 0" test "$rc" -eq 0
e2e_wait_for "the window to go" window_hidden
q --icon
e2e_check "--icon again succeeds" test "$rc" -eq 0
e2e_check "... and keeps icon mode" window_hidden
q --show
e2e_check "--show exits 0" test "$rc" -eq 0
e2e_wait_for "--show to bring the window back" window_viewable

q --icon
e2e_wait_for "the window to go again" window_hidden
start=$(date +%s%N)
q
elapsed=$((($(date +%s%N) - start) / 1000000))
e2e_check "a second plain start ends at once with status 0 (${elapsed} ms)" \
    test "$rc" -eq 0 -a "$elapsed" -lt 3000
e2e_wait_for "the second start to bring the window back" window_viewable
e2e_check "the first program still runs, alone" \
    test "$(pgrep -fc "^$QUILLOTAP")" -eq 1

# ---- what the socket refuses ----
e2e_check "an unknown word is refused and the next line still served" \
    test "$(say 'bogus\nstatus\n')" = "$(printf 'error unknown command\nready')"
e2e_check "a line with a NUL byte is refused" \
    test "$(say 'stat\0us\n')" = "error unknown command"
e2e_check "a line end of CR LF is accepted" test "$(say 'status\r\n')" = ready
long=$(printf 'x%.0s' $(seq 100))
e2e_check "an over-long line is refused and the connection closed" \
    test "$(say "$long\nstatus\n")" = "$(printf 'error line too long\n<closed>')"
e2e_check "an over-long line without a line end is refused too" \
    test "$(say "${long}${long}")" = "$(printf 'error line too long\n<closed>')"
e2e_check "the program still answers afterwards" status_is_ready

# Another user: even with the socket opened up to everyone, the program
# refuses a peer that is not its own user.
chmod 711 "$E2E_DIR" "$XDG_RUNTIME_DIR"
chmod 666 "$socket"
other_rc=0
runuser -u nobody -- env XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" HOME=/nonexistent "$QUILLOTAP" --status \
    >"$E2E_DIR/other.out" 2>"$E2E_DIR/other.err" || other_rc=$?
chmod 700 "$E2E_DIR" "$XDG_RUNTIME_DIR"
chmod 600 "$socket"
echo "other user: status $other_rc, $(cat "$E2E_DIR/other.out" "$E2E_DIR/other.err")"
e2e_check "another user's command is refused" \
    sh -c "test $other_rc -eq 1 && grep -q 'permission denied' '$E2E_DIR/other.err' && test ! -s '$E2E_DIR/other.out'"
e2e_check "the program still answers its own user" status_is_ready

# ---- two commands at the same moment ----
"$QUILLOTAP" --start >"$E2E_DIR/a.out" 2>&1 &
a=$!
"$QUILLOTAP" --start >"$E2E_DIR/b.out" 2>&1 &
b=$!
wait "$a"
rc_a=$?
wait "$b"
rc_b=$?
e2e_check "two --start at the same moment both succeed" test "$rc_a|$rc_b" = "0|0"
e2e_check "... and make one recording" test "$(recordings)" -eq 3
e2e_check "... which runs" status_is_recording

# ---- --quit finishes the recording and saves the settings ----
q --status
read -r word seconds path <<<"$out"
q --quit
e2e_check "--quit exits 0" test "$rc" -eq 0
e2e_wait_exit "$first" 20
e2e_check "the program ends with status 0" test "$E2E_EXIT" -eq 0
e2e_check "the recording was finished and tagged" sh -c "head -c3 '$path' | grep -q ID3"
e2e_check "the settings were saved" test -f "$(e2e_hive)"
e2e_check "the socket is gone" test ! -e "$socket"
q --status
e2e_check "--status after --quit prints \"not running\"" test "$out|$rc" = "not running|3"

# ---- a socket left behind by a killed program ----
e2e_launch
e2e_wait_window Quillotap || exit 1
e2e_wait_for "the socket" test -S "$socket"
kill -KILL "$E2E_APP_PID"
e2e_wait_exit "$E2E_APP_PID" 10
e2e_check "the killed program left its socket behind" test -S "$socket"
q --status
e2e_check "--status after the kill prints \"not running\"" test "$out|$rc" = "not running|3"
e2e_launch --start --icon
e2e_wait_for "the next cold start to record" status_is_recording
e2e_check "... in icon mode" window_hidden
q --quit
e2e_wait_exit "$E2E_APP_PID" 20
e2e_check "... and it ends on --quit" test "$rc|$E2E_EXIT" = "0|0"

# ---- two cold starts at the same moment ----
before=$(recordings)
e2e_launch --start
one=$E2E_APP_PID
e2e_launch --start
two=$E2E_APP_PID
# The one that hands its command over ends once the program has answered it.
one_of_two_ended() { ! kill -0 "$one" 2>/dev/null || ! kill -0 "$two" 2>/dev/null; }
e2e_wait_for "one of the two to end" one_of_two_ended
if kill -0 "$one" 2>/dev/null; then program=$one ended=$two; else program=$two ended=$one; fi
e2e_wait_exit "$ended" 5
e2e_check "of two cold starts one hands over and ends with status 0" test "$E2E_EXIT" -eq 0
e2e_check "... the other stays as the program" kill -0 "$program"
e2e_wait_for "the recording" status_is_recording
e2e_check "... and one recording runs" test "$(($(recordings) - before))" -eq 1
q --quit
for pid in "$one" "$two"; do e2e_wait_exit "$pid" 20; done
e2e_check "... and the program ends on --quit" test "$rc" -eq 0

# ---- a command that waits behind a message box ----
# With a file in place of the recordings folder, a start ends in an error
# message that waits for the user.
e2e_launch
e2e_wait_window Quillotap || exit 1
e2e_wait_for "the socket" test -S "$socket"
mv "$folder" "$folder.kept"
touch "$folder"
timeout 3 "$QUILLOTAP" --start >/dev/null 2>&1
e2e_check "a --start stuck behind the message box can be given up" test $? -eq 124
q --status
e2e_check "--status is answered while the message waits" test "$out|$rc" = "ready|0"
q --quit
e2e_check "--quit is answered while the message waits" test "$rc" -eq 0
e2e_wait_exit "$E2E_APP_PID" 20
e2e_check "... and the program ends normally" test "$E2E_EXIT" -eq 0
rm -f "$folder"
mv "$folder.kept" "$folder"

e2e_finish
