# Shared set-up for the end-to-end tests: a private X server, D-Bus session bus
# and PulseAudio server, a fresh home, config and documents folder, all under one
# temporary folder that is removed again when the test ends.
#
# Usage in a test script:  source "$(dirname "$0")/lib.sh"; e2e_start; ...
# QUILLOTAP is the program under test (set by CTest).

set -u
E2E_PIDS=()
E2E_FAILED=0
E2E_PASSED=0

e2e_cleanup() {
    local pid status=0
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    for pid in "${E2E_PIDS[@]}"; do wait "$pid" 2>/dev/null; done
    # Programs ended just now may still have reported (leaks are found at exit).
    e2e_sanitizer_reports || status=1
    [ -n "${E2E_KEEP:-}" ] || rm -rf "$E2E_DIR"
    [ "$status" -eq 0 ] || exit "$status"
}

# In a build with AddressSanitizer and UndefinedBehaviorSanitizer, every
# program the test starts writes its reports to $E2E_DIR/sanitizer/ instead of
# its own output, where no check would see them; any report fails the test.
# (Programs built without the sanitizers ignore these variables.)
e2e_sanitizer_setup() {
    E2E_SANITIZER_DIR="$E2E_DIR/sanitizer"
    mkdir -p "$E2E_SANITIZER_DIR"
    local log="log_path=$E2E_SANITIZER_DIR/report"
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}$log"
    export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}$log"
}

# e2e_sanitizer_reports: prints the reports written since the last call and
# fails when there has been any in this test.
E2E_SANITIZER_SEEN=0
e2e_sanitizer_reports() {
    local report
    for report in "${E2E_SANITIZER_DIR:-/nonexistent}"/report.*; do
        [ -e "$report" ] || continue
        echo "---- sanitizer report $(basename "$report")"
        cat "$report"
        rm -f "$report"
        E2E_SANITIZER_SEEN=$((E2E_SANITIZER_SEEN + 1))
    done
    [ "$E2E_SANITIZER_SEEN" -eq 0 ]
}

e2e_start() {
    e2e_start_account
    e2e_start_x
    e2e_start_dbus
    e2e_start_pulse
}

# e2e_start_wayland: as e2e_start, but with a headless Wayland compositor
# instead of the X server, and the variables a Wayland desktop session sets.
# No X display is reachable, so nothing can silently fall back to X11.
e2e_start_wayland() {
    e2e_start_account
    e2e_start_weston
    e2e_start_dbus
    e2e_start_pulse
}

# The fresh account: home, config, runtime and documents folders.
e2e_start_account() {
    E2E_DIR=$(mktemp -d /tmp/quillotap-e2e.XXXXXX)
    trap e2e_cleanup EXIT
    export HOME="$E2E_DIR/home" XDG_CONFIG_HOME="$E2E_DIR/config" XDG_RUNTIME_DIR="$E2E_DIR/run"
    export XDG_DATA_HOME="$E2E_DIR/data" XDG_CACHE_HOME="$E2E_DIR/cache"
    mkdir -p "$HOME/Documents" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME"
    chmod 700 "$XDG_RUNTIME_DIR"
    printf 'XDG_DOCUMENTS_DIR="$HOME/Documents"\n' >"$XDG_CONFIG_HOME/user-dirs.dirs"
    E2E_OUT="${QUILLOTAP_TEST_OUTPUT:-$PWD}/e2e-output"
    mkdir -p "$E2E_OUT"
    e2e_sanitizer_setup
    unset QT_QPA_PLATFORM
    # The program speaks the desktop's language and the scripts read its
    # English texts, so a runner's own language must not reach it; a script
    # that checks a translation sets LANG for the one start.
    export LANG=C.UTF-8
    unset LANGUAGE LC_ALL LC_MESSAGES
}

e2e_start_x() {
    local fifo="$E2E_DIR/displayfd"
    : >"$fifo"
    # -noreset: by default the server resets when its last client leaves,
    # and a client that connects during the reset (the program right after
    # a helper's short visit) is refused.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" \
        >"$E2E_DIR/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    local i
    for i in $(seq 100); do
        [ -s "$fifo" ] && break
        sleep 0.1
    done
    export DISPLAY=":$(tr -d '\n' <"$fifo")"
    [ "$DISPLAY" != ":" ] || { echo "Xvfb did not start"; cat "$E2E_DIR/xvfb.log"; exit 1; }
}

# e2e_start_weston: weston's headless back end with the CPU renderer (so
# that screenshots hold pictures) on a private socket in XDG_RUNTIME_DIR. Its
# protocol log ($E2E_WESTON_LOG, see e2e_wayland_titles) shows which windows
# clients create; --debug lets weston-screenshooter take screenshots.
e2e_start_weston() {
    export WAYLAND_DISPLAY=quillotap-e2e XDG_SESSION_TYPE=wayland
    unset DISPLAY
    E2E_WESTON_LOG="$E2E_DIR/weston.log"
    weston --backend=headless-backend.so --use-pixman --width=1280 --height=1024 \
        --socket="$WAYLAND_DISPLAY" --no-config --idle-time=0 --debug \
        --logger-scopes=log,proto --log="$E2E_WESTON_LOG" >"$E2E_DIR/weston.out" 2>&1 &
    E2E_PIDS+=($!)
    e2e_wait_for "weston" test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"
    # The headless compositor has no seat; Qt's Wayland input context then
    # dereferences the missing keyboard when a focused text field draws its
    # cursor. No input method is needed here.
    export QT_IM_MODULE=none
}

# e2e_start_sni_watcher: a StatusNotifierWatcher with a host on the session
# bus (tests/e2e/sni_watcher.py); its event lines go to $E2E_SNI_LOG.
e2e_start_sni_watcher() {
    E2E_SNI_LOG="$E2E_DIR/sni.log"
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/sni_watcher.py" >"$E2E_SNI_LOG" \
        2>"$E2E_DIR/sni.err" &
    E2E_PIDS+=($!)
    e2e_wait_for "the StatusNotifierWatcher" grep -qx watching "$E2E_SNI_LOG"
}

# e2e_sni_item: the bus name of the item registered last ("" when none).
e2e_sni_item() { awk '$1 == "registered" {item = $2} END {print item}' "$E2E_SNI_LOG"; }

# e2e_sni_call ITEM METHOD: calls a method of the item with the position
# (0, 0), as a panel does on a click.
e2e_sni_call() {
    dbus-send --session --print-reply --dest="$1" /StatusNotifierItem \
        "org.kde.StatusNotifierItem.$2" int32:0 int32:0 >/dev/null
}

# e2e_wayland_mark: from now on e2e_wayland_log and e2e_wayland_titles
# leave out what the compositor logged before, e.g. the windows of test
# programs run on the same compositor before the program under test.
E2E_WESTON_MARK=0
e2e_wayland_mark() { E2E_WESTON_MARK=$(wc -l <"$E2E_WESTON_LOG"); }

# e2e_wayland_log: the compositor's protocol log since the last mark.
e2e_wayland_log() { tail -n +$((E2E_WESTON_MARK + 1)) "$E2E_WESTON_LOG"; }

# e2e_wayland_titles: the titles of every toplevel window a client gave since
# the last mark, one a line, in order ("" for a title set to nothing).
e2e_wayland_titles() {
    e2e_wayland_log | sed -n 's/.*xdg_toplevel@[0-9]*\.set_title("\(.*\)")$/\1/p'
}

# e2e_wayland_has_title TITLE: whether a toplevel ever carried that title.
e2e_wayland_has_title() { e2e_wayland_titles | grep -qxF -- "$1"; }

# e2e_wayland_screenshot NAME: saves the compositor's output as
# $E2E_OUT/NAME.png.
e2e_wayland_screenshot() {
    local shots="$E2E_DIR/shots" shot
    mkdir -p "$shots"
    (cd "$shots" && rm -f ./*.png && weston-screenshooter >/dev/null 2>&1)
    shot=$(ls "$shots"/*.png 2>/dev/null | head -n1)
    [ -n "$shot" ] && mv "$shot" "$E2E_OUT/$1.png"
}

e2e_start_dbus() {
    local addr="unix:path=$E2E_DIR/bus"
    dbus-daemon --session --nofork --nopidfile --address="$addr" >"$E2E_DIR/dbus.log" 2>&1 &
    E2E_PIDS+=($!)
    export DBUS_SESSION_BUS_ADDRESS="$addr"
    e2e_wait_for "D-Bus session bus" test -S "$E2E_DIR/bus"
}

e2e_start_pulse() {
    export PULSE_RUNTIME_PATH="$E2E_DIR/run/pulse"
    local sock="$E2E_DIR/pulse.sock"
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
        -L "module-native-protocol-unix socket=$sock auth-anonymous=1" \
        -L "module-null-sink sink_name=out" \
        -L "module-sine-source source_name=sine frequency=440" \
        >"$E2E_DIR/pulse.log" 2>&1 &
    E2E_PIDS+=($!)
    export PULSE_SERVER="unix:$sock"
    e2e_wait_for "PulseAudio" pactl info
    pactl set-default-source sine
    pactl set-default-sink out
}

# e2e_wait_for DESCRIPTION COMMAND...: retries COMMAND for up to 20 seconds.
# E2E_WAIT_TENTHS (default 200: 20 s) sets how long, for a step that waits on
# several services starting under load (a portal front end and back end).
# Only COMMAND runs again on each try: a "$(...)" among its arguments is
# expanded once, before the first, so a value that must be read afresh each
# time goes into a function (or an sh -c script with an escaped \$(...)).
e2e_wait_for() {
    local what=$1 i
    shift
    for i in $(seq "${E2E_WAIT_TENTHS:-200}"); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "timed out waiting for $what"
    exit 1
}

# e2e_check NAME COMMAND...: one checked expectation.
e2e_check() {
    local name=$1
    shift
    if "$@"; then
        echo "ok: $name"
        E2E_PASSED=$((E2E_PASSED + 1))
    else
        echo "FAILED: $name"
        E2E_FAILED=$((E2E_FAILED + 1))
    fi
}

e2e_finish() {
    e2e_sanitizer_reports || E2E_FAILED=$((E2E_FAILED + 1))
    echo "$E2E_PASSED passed, $E2E_FAILED failed"
    if [ "$E2E_FAILED" -ne 0 ]; then
        # What the program said, for the CI log.
        local log
        for log in "$E2E_DIR"/app-*.log; do
            [ -s "$log" ] || continue
            echo "---- $(basename "$log") (last lines)"
            tail -n 20 "$log"
        done
    fi
    [ "$E2E_FAILED" -eq 0 ]
}

# Id of the first visible top-level window titled exactly TITLE.
e2e_window() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1
}

# ---- the program under test ----

# e2e_launch [ARGS...]: starts $QUILLOTAP in the background; its PID goes to
# E2E_APP_PID, its output to $E2E_DIR/app-N.log.
E2E_LAUNCHES=0
e2e_launch() {
    E2E_LAUNCHES=$((E2E_LAUNCHES + 1))
    E2E_APP_LOG="$E2E_DIR/app-$E2E_LAUNCHES.log"
    "$QUILLOTAP" "$@" >"$E2E_APP_LOG" 2>&1 &
    E2E_APP_PID=$!
    E2E_PIDS+=("$E2E_APP_PID")
}

# The program's main window among its windows of that title (the tray icon
# and the balloon carry the same one): the one of the window's fixed width.
# Prints its id, nothing when there is none.
e2e_main_window() {
    local id
    for id in $(xdotool search --name "^Quillotap\$" 2>/dev/null); do
        if xwininfo -id "$id" | grep -q "Width: 637"; then
            echo "$id"
            return
        fi
    done
}
e2e_main_window_exists() { test -n "$(e2e_main_window)"; }
# IsViewable, IsUnMapped or IsUnviewable.
e2e_map_state() { xwininfo -id "$1" 2>/dev/null | sed -n 's/.*Map State: //p'; }

# e2e_wait_window TITLE: waits until a visible window of that title exists and
# puts its id into E2E_WINDOW.
e2e_wait_window() {
    local i
    E2E_WINDOW=""
    for i in $(seq 200); do
        E2E_WINDOW=$(e2e_window "$1")
        [ -n "$E2E_WINDOW" ] && return 0
        sleep 0.1
    done
    echo "timed out waiting for the window \"$1\""
    return 1
}

# e2e_wait_exit PID [SECONDS]: waits for the process to end; its exit status
# goes to E2E_EXIT (124 when it was still running at the deadline).
e2e_wait_exit() {
    local pid=$1 limit=${2:-20} i
    for i in $(seq $((limit * 10))); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid" 2>/dev/null
            E2E_EXIT=$?
            return 0
        fi
        sleep 0.1
    done
    E2E_EXIT=124
    return 1
}

# e2e_close_window ID: asks the window to close as a window manager's close
# button does (a WM_DELETE_WINDOW message), so the program closes normally
# even without a window manager.
e2e_close_window() {
    python3 - "$1" <<'PY'
import ctypes, os, sys, time
x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                           ctypes.c_void_p]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the display")
window = int(sys.argv[1])
event = Event()
event.xclient.type = 33  # ClientMessage
event.xclient.window = window
event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.xclient.format = 32
event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
event.xclient.data[1] = 0  # CurrentTime
x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
x11.XFlush(display)
x11.XCloseDisplay(display)
if os.environ.get("E2E_PRINT_SENT") == "1":
    print(time.time_ns())  # when the request left
PY
}

# The settings hive of the test account.
e2e_hive() { echo "$XDG_CONFIG_HOME/quillotap/user.reg"; }

# e2e_setting NAME: the stored text of a setting ("" when missing).
e2e_setting() {
    local hive
    hive=$(e2e_hive)
    [ -f "$hive" ] || return 0
    sed -n "s/^\"$1\"=\"\\(.*\\)\"\$/\\1/p" "$hive" | head -n1
}

# e2e_screenshot NAME: saves the screen as $E2E_OUT/NAME.png.
e2e_screenshot() {
    import -window root "$E2E_OUT/$1.png"
}

# ---- input and settings ----

# e2e_press KEYS...: holds the keys briefly, as a person does, and releases
# them in reverse order.
e2e_press() {
    xdotool keydown "$@"
    sleep 0.3
    local keys=("$@") i
    for ((i = ${#keys[@]} - 1; i >= 0; i--)); do xdotool keyup "${keys[i]}"; done
}

# e2e_write_hive LINES...: replaces the test account's settings with the
# program key holding the given value lines ('"Name"="text"').
e2e_write_hive() {
    mkdir -p "$XDG_CONFIG_HOME/quillotap"
    {
        printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Velmora Software\\Quillotap]\n'
        printf '%s\n' "$@"
    } >"$(e2e_hive)"
}

# ---- audio files ----

# e2e_decoded_seconds FILE: how many seconds of audio a decoder gets out of
# the file (VOX, a headerless format, is read as 8 kHz mono Dialogic ADPCM).
e2e_decoded_seconds() {
    local bytes
    case "$1" in
    *.vox) bytes=$(sox -t vox -r 8000 -c 1 "$1" -t raw -e signed -b 16 -r 8000 -c 1 - 2>/dev/null | wc -c) ;;
    *) bytes=$(ffmpeg -v quiet -i "$1" -ac 1 -ar 8000 -f s16le - 2>/dev/null | wc -c) ;;
    esac
    python3 -c "print('%.2f' % ($bytes / 16000.0))"
}

# e2e_header_seconds FILE: the duration the file's headers declare.
e2e_header_seconds() {
    ffprobe -v error -show_entries format=duration -of csv=p=0 "$1"
}

# ---- the desktop's shortcut portal ----

# e2e_start_portal: the real xdg-desktop-portal front end on the test's
# session bus (e2e_start first), with the test back end for global shortcuts
# (tests/support/portal/global_shortcuts_backend.py, picked through
# quillotap-test.portal). Returns once org.freedesktop.portal.GlobalShortcuts
# answers. The program under test then finds it on DBUS_SESSION_BUS_ADDRESS;
# set QUILLOTAP_HOTKEYS=portal for it (or run it in a Wayland session).
# Steer the back end with e2e_portal.
e2e_start_portal() {
    local dir python=/usr/bin/python3
    dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../support/portal" && pwd)
    # The Debian interpreter has python3-dbus and python3-gi.
    [ -x "$python" ] || python=python3
    "$python" "$dir/global_shortcuts_backend.py" --ready-file "$E2E_DIR/portal-backend.ready" \
        >"$E2E_DIR/portal-backend.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_wait_for "the test portal back end" test -s "$E2E_DIR/portal-backend.ready"
    XDG_DESKTOP_PORTAL_DIR="$dir" XDG_CURRENT_DESKTOP=quillotap-test \
        /usr/libexec/xdg-desktop-portal >"$E2E_DIR/portal.log" 2>&1 &
    E2E_PIDS+=($!)
    # A call to the portal's name before it is taken would make the bus start
    # the installed portal (without the test back end) in its place.
    e2e_wait_for "the portal front end" sh -c "dbus-send --session --print-reply \
        --dest=org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner \
        string:org.freedesktop.portal.Desktop | grep -q true"
    e2e_wait_for "the GlobalShortcuts portal" \
        dbus-send --session --print-reply --dest=org.freedesktop.portal.Desktop \
        /org/freedesktop/portal/desktop org.freedesktop.DBus.Properties.Get \
        string:org.freedesktop.portal.GlobalShortcuts string:version
}

# e2e_portal METHOD [ARGS...]: calls the test back end's control interface
# (org.quillotap.TestPortal; the methods are listed in the back end's file)
# and prints the reply. Arguments in dbus-send form, e.g.
#   e2e_portal Activate string:start-recording
#   e2e_portal Deactivate string:start-recording
#   e2e_portal BindCount            (prints "uint32 N")
e2e_portal() {
    local method=$1
    shift
    dbus-send --session --print-reply=literal --dest=org.freedesktop.impl.portal.desktop.quillotaptest \
        /org/quillotap/TestPortal "org.quillotap.TestPortal.$method" "$@"
}

# e2e_portal_bind_count: how many binds the back end has answered.
e2e_portal_bind_count() {
    e2e_portal BindCount | awk '{print $2}'
}

# e2e_portal_bound [N]: whether the back end has answered at least N binds
# (default 1), asked anew on every call, so that e2e_wait_for can wait on it.
e2e_portal_bound() {
    local count
    count=$(e2e_portal_bind_count)
    [ "${count:-0}" -ge "${1:-1}" ] 2>/dev/null
}

# e2e_expect_portal_binding: waits until the program has bound its shortcuts
# through the portal (the desktop may take its time) and checks that the
# start row went to the desktop as CTRL+ALT+R.
e2e_expect_portal_binding() {
    local bound
    E2E_WAIT_TENTHS=600 e2e_wait_for "the shortcuts to be bound" e2e_portal_bound
    bound=$(e2e_portal Bound)
    e2e_check "the start row is bound as CTRL+ALT+R" \
        sh -c "echo '$bound' | grep -q 'start-recording' && echo '$bound' | grep -q 'CTRL+ALT+R'"
}

# e2e_start_atspi: the accessibility bus, as a desktop session starts it (its
# registry daemon is started by the bus itself), with Qt's accessibility on.
# Sets E2E_READER_PYTHON: the Debian interpreter, for which python3-gi and
# gir1.2-atspi-2.0 install the AT-SPI bindings (a python3 earlier on the PATH
# may lack them).
e2e_start_atspi() {
    local launcher="" candidate
    for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
        [ -x "$candidate" ] && launcher=$candidate && break
    done
    [ -n "$launcher" ] || { echo "missing at-spi-bus-launcher (package at-spi2-core)"; exit 1; }
    "$launcher" --launch-immediately >"$E2E_DIR/atspi.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_wait_for "the AT-SPI bus" \
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress
    E2E_READER_PYTHON=/usr/bin/python3
    [ -x "$E2E_READER_PYTHON" ] || E2E_READER_PYTHON=python3
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}
