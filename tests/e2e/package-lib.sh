# Shared checks of the installation tests (test_package_*.sh): the desktop's
# files pass the validators the distributions run, and an installed program
# works from where it was installed. Source after lib.sh.

E2E_SOURCE_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
PKG_APP_ID=io.github.velmora.quillotap

# pkg_desktop_key FILE KEY: the value of KEY in the [Desktop Entry] group.
pkg_desktop_key() {
    sed -n '/^\[Desktop Entry\]/,/^\[/{s/^'"$2"'=//p}' "$1" | head -n1
}

# pkg_quiet_ok LOG COMMAND...: runs COMMAND, keeps its output in LOG and
# succeeds when it succeeded and said nothing (validators print warnings
# without failing).
pkg_quiet_ok() {
    local log=$1
    shift
    "$@" >"$log" 2>&1 || { cat "$log"; return 1; }
    [ ! -s "$log" ] || { cat "$log"; return 1; }
}

# pkg_check_desktop_files PREFIX: the installed desktop entry, metainfo,
# icons and manual page under PREFIX (for example /usr) pass the checks.
pkg_check_desktop_files() {
    local prefix=$1 desktop metainfo man
    desktop="$prefix/share/applications/$PKG_APP_ID.desktop"
    metainfo="$prefix/share/metainfo/$PKG_APP_ID.metainfo.xml"
    man="$prefix/share/man/man1/quillotap.1.gz"

    e2e_check "desktop-file-validate accepts the desktop entry" \
        pkg_quiet_ok "$E2E_DIR/desktop-file-validate.log" desktop-file-validate "$desktop"
    # --strict fails on any warning or hint; --pedantic lists the smallest
    # remarks too, and there must be none of those either.
    appstreamcli validate --no-net --strict --pedantic "$metainfo" >"$E2E_DIR/appstream.log" 2>&1
    local status=$?
    cat "$E2E_DIR/appstream.log"
    e2e_check "appstreamcli validates the metainfo without a remark" \
        sh -c "test $status -eq 0 && ! grep -Eq '^[EWIP]:' '$E2E_DIR/appstream.log'"
    e2e_check "the manual page renders without a warning" \
        pkg_quiet_ok "$E2E_DIR/man.log" sh -c \
        "LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l '$man' 2>&1 >'$E2E_DIR/man.txt'"
    e2e_check "the manual page documents every option" sh -c "
        for option in /icon --start --stop --toggle --play-last --icon --show --quit \
            --status --help --version; do
            grep -q -- \"^ *\$option\" '$E2E_DIR/man.txt' || { echo \"missing \$option\"; exit 1; }
        done"

    local icon
    icon=$(pkg_desktop_key "$desktop" Icon)
    e2e_check "the launcher's icon \"$icon\" is in the hicolor theme at every size" sh -c "
        test -f '$prefix/share/icons/hicolor/scalable/apps/$icon.svg' || exit 1
        for size in 16 22 24 32 48 64 128 256; do
            png='$prefix/share/icons/hicolor/'\$size'x'\$size'/apps/$icon.png'
            test \"\$(identify -format '%wx%h' \"\$png\")\" = \"\${size}x\$size\" || exit 1
        done"
    e2e_check "the launcher starts the installed program" \
        test -x "$prefix/bin/$(pkg_desktop_key "$desktop" Exec)"
    e2e_check "the metainfo names the launcher" \
        grep -q "<launchable type=\"desktop-id\">$PKG_APP_ID.desktop</launchable>" "$metainfo"
    e2e_check "every screenshot of the metainfo is in the source tree at its stated size" \
        python3 - "$metainfo" "$E2E_SOURCE_DIR" <<'PY'
import re, subprocess, sys
text = open(sys.argv[1]).read()
images = re.findall(r'<image type="source" width="(\d+)" height="(\d+)">[^<]*/(packaging/screenshots/[^<]+)</image>', text)
if not images:
    sys.exit("no screenshots")
for width, height, path in images:
    size = subprocess.run(["identify", "-format", "%wx%h", sys.argv[2] + "/" + path],
                          capture_output=True, text=True).stdout
    if size != width + "x" + height:
        sys.exit(f"{path}: {size or 'missing'}, stated {width}x{height}")
PY
    local version newest
    version=$(sed -n 's/^project(Quillotap VERSION \([0-9.]*\).*/\1/p' "$E2E_SOURCE_DIR/CMakeLists.txt")
    newest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n1 | cut -d'"' -f2)
    e2e_check "the newest release in the metainfo is the program's version $version" \
        test "$newest" = "$version"
    e2e_check "the manual page is dated and names that version" \
        grep -Eq "^Quillotap $version +[0-9]{4}-[0-9]{2}-[0-9]{2} +QUILLOTAP\(1\)" "$E2E_DIR/man.txt"
}

# pkg_run_installed PROGRAM SHOTS: starts the installed PROGRAM under the
# test's X server and sound server, records with the hotkeys and checks
# that it found its cue sounds, that its window is the one the launcher
# names and that "Launch at startup" points at it. With SHOTS set, the
# window is saved as SHOTS-recorder.png while recording and
# SHOTS-files.png while the recording plays.
pkg_run_installed() {
    local program=$1 shots=${2:-} folder="$HOME/Documents/Quillotap" desktop
    desktop=$(dirname "$program")/../share/applications/$PKG_APP_ID.desktop

    # A login entry left by a copy of the program somewhere else: the
    # program rewrites it for itself when it starts.
    mkdir -p "$XDG_CONFIG_HOME/autostart"
    printf '[Desktop Entry]\nType=Application\nName=Quillotap\nExec=/opt/old/quillotap /icon\n' \
        >"$XDG_CONFIG_HOME/autostart/quillotap.desktop"

    # The input preview on, so that the recorder page shows the sound.
    e2e_write_hive '"Preview"="1"'

    QUILLOTAP=$program e2e_launch
    e2e_wait_window Quillotap || return 1
    local window=$E2E_WINDOW
    local class
    class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*= "[^"]*", "\([^"]*\)"$/\1/p')
    e2e_check "the window's class \"$class\" is the launcher's StartupWMClass" \
        test "$class" = "$(pkg_desktop_key "$desktop" StartupWMClass)"
    e2e_check "\"Launch at startup\" starts the installed program" \
        grep -qx "Exec=$program /icon" "$XDG_CONFIG_HOME/autostart/quillotap.desktop"

    # The start cue, "start.wav" (mono, 22050 Hz), sounds on the output
    # before the recording starts: the installed program found it.
    (
        for _ in $(seq 100); do
            pactl list short sink-inputs 2>/dev/null | grep -q "1ch 22050Hz" && echo cue
            sleep 0.05
        done
    ) >"$E2E_DIR/cue.log" &
    local watcher=$!
    E2E_PIDS+=("$watcher")
    e2e_press ctrl alt r
    e2e_wait_for "the recording file" sh -c "ls '$folder'/*.mp3"
    sleep 2.5
    [ -z "$shots" ] || import -window "$window" "$E2E_OUT/$shots-recorder.png"
    e2e_press ctrl alt s
    local file
    file=$(ls "$folder"/*.mp3 | head -n1)
    e2e_wait_for "the tagged file" sh -c "head -c3 '$file' | grep -q ID3"
    wait "$watcher" 2>/dev/null
    e2e_check "the installed start cue played" grep -q cue "$E2E_DIR/cue.log"
    local seconds
    seconds=$(e2e_decoded_seconds "$file")
    e2e_check "the recording holds sound ($seconds s)" \
        python3 -c "import sys; sys.exit(0 if float('$seconds') >= 1.5 else 1)"

    if [ -n "$shots" ]; then
        sleep 1 # the stop cue ends
        e2e_press ctrl alt p
        e2e_wait_for "the playback" sh -c "pactl list short sink-inputs | grep -q '2ch 44100Hz'"
        sleep 2
        import -window "$window" "$E2E_OUT/$shots-files.png"
    fi

    e2e_close_window "$window"
    e2e_wait_exit "$E2E_APP_PID" 20
    e2e_check "the installed program closes with status 0" test "$E2E_EXIT" -eq 0
    PKG_RECORDING=$file
}
