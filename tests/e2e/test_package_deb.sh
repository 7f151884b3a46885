#!/usr/bin/env bash
# The Debian package, as a user gets it: a Release build of the program
# alone (no tests, no sanitizers) packed by CPack passes lintian, installs
# with `apt-get install ./quillotap_<version>_<arch>.deb`, puts its launcher,
# icon and companion files where the desktop looks, records a file from
# /usr/bin/quillotap, and `apt-get remove --purge` leaves nothing behind
# outside the user's own folders.
#
# It installs into the running system, so it needs root and a system that
# does not already have the package; otherwise it says so and skips.
# The package build is kept in $QUILLOTAP_TEST_OUTPUT/package-build.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/package-lib.sh"

skip() {
    echo "SKIPPED: $*"
    exit 0
}
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
command -v apt-get >/dev/null && command -v dpkg-shlibdeps >/dev/null ||
    skip "apt-get and dpkg-dev are needed"
if dpkg-query -W -f='${Status}' quillotap 2>/dev/null | grep -q "ok installed"; then
    skip "a quillotap package is already installed here and is left alone"
fi

out="${QUILLOTAP_TEST_OUTPUT:-$PWD}"
pkgbuild="$out/package-build"
mkdir -p "$pkgbuild"
started=$SECONDS

# ---- build the package ----
# Debian's hardening and optimisation flags, without debug information
# (the package's program is stripped anyway). They map the working folder
# out of file names, so they are taken in the source folder, as a Debian
# build does: the same flags each time, which lets a compiler cache serve
# the next run.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
buildflags() { (cd "$E2E_SOURCE_DIR" && dpkg-buildflags --get "$1"); }
cxxflags="$(buildflags CPPFLAGS) $(buildflags CXXFLAGS)"
cflags="$(buildflags CPPFLAGS) $(buildflags CFLAGS)"
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
[ ! -f "$pkgbuild/CMakeCache.txt" ] || generator=()
{
    cmake -S "$E2E_SOURCE_DIR" -B "$pkgbuild" "${generator[@]}" "${launcher[@]}" \
        -DCMAKE_BUILD_TYPE=Release -DQUILLOTAP_TESTS=OFF -DQUILLOTAP_BENCH=OFF \
        -DQUILLOTAP_SANITIZE=OFF -DQUILLOTAP_FUZZ=OFF -DCMAKE_INSTALL_PREFIX=/usr \
        -DCMAKE_CXX_FLAGS="${cxxflags//-g /}" -DCMAKE_C_FLAGS="${cflags//-g /}" \
        -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG -DCMAKE_C_FLAGS_RELEASE=-DNDEBUG \
        -DCMAKE_EXE_LINKER_FLAGS="$(buildflags LDFLAGS)" &&
        cmake --build "$pkgbuild" --target quillotap &&
        rm -f "$pkgbuild"/quillotap_*.deb &&
        (cd "$pkgbuild" && cpack -G DEB)
} >"$out/package-build.log" 2>&1 || {
    tail -n 40 "$out/package-build.log"
    echo "FAILED: the package was not built"
    exit 1
}
deb=$(ls "$pkgbuild"/quillotap_*.deb)
echo "built $(basename "$deb") in $((SECONDS - started)) s"

e2e_start

# ---- the package itself ----
ffmpeg=""
for lib in libavcodec libavformat libavutil libswresample; do
    ffmpeg+=" $lib$(pkg-config --modversion "$lib" | cut -d. -f1)"
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
e2e_check "it depends on the FFmpeg libraries opened at run time:$ffmpeg" sh -c "
    for p in $ffmpeg; do echo '$depends' | grep -Eq \"(^|, )\$p(,|\$| )\" || exit 1; done"
e2e_check "it depends on the linked libraries" \
    sh -c "echo '$depends' | grep -q libqt6widgets6 && echo '$depends' | grep -q libmp3lame0"
e2e_check "everything it holds is under /usr" \
    sh -c "! dpkg-deb -c '$deb' | awk '{print \$6}' | grep -v '^\./usr/' | grep -v '^\./\$'"
lintian --fail-on error,warning --display-info "$deb" >"$E2E_DIR/lintian.log" 2>&1
status=$?
grep -v 'running with root privileges' "$E2E_DIR/lintian.log"
e2e_check "lintian finds no error and no warning" test "$status" -eq 0

# ---- install ----
# apt-get without questions, waiting for another package manager to finish.
apt_get() { DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 "$@"; }
listing() {
    find /usr /etc /var/lib -xdev \
        \( -path /var/lib/dpkg -o -path /var/lib/apt -o -path /var/lib/systemd \) -prune -o -print |
        sort
}
dpkg-query -W -f='${Package}\n' | sort >"$E2E_DIR/packages.before"
listing >"$E2E_DIR/files.before"

installed_by_us=""
remove_package() {
    [ -n "$installed_by_us" ] || return 0
    installed_by_us=""
    apt_get remove --purge -y quillotap >>"$E2E_DIR/apt.log" 2>&1
    # Dependencies this installation pulled in go again too.
    dpkg-query -W -f='${Package}\n' | sort >"$E2E_DIR/packages.after"
    local added
    added=$(comm -13 "$E2E_DIR/packages.before" "$E2E_DIR/packages.after" | tr '\n' ' ')
    if [ -n "${added// /}" ]; then
        echo "removing the packages the installation added: $added"
        # shellcheck disable=SC2086
        apt_get remove --purge -y $added >>"$E2E_DIR/apt.log" 2>&1
    fi
}
trap 'remove_package; e2e_cleanup' EXIT

installed_by_us=1
(cd "$(dirname "$deb")" && apt_get install -y "./$(basename "$deb")") >"$E2E_DIR/apt.log" 2>&1
status=$?
e2e_check "apt-get install ./$(basename "$deb") succeeds" test "$status" -eq 0
if [ "$status" -ne 0 ]; then
    tail -n 30 "$E2E_DIR/apt.log"
    e2e_finish
    exit 1
fi
e2e_check "dpkg knows the package as installed" \
    sh -c "dpkg-query -W -f='\${Status}' quillotap | grep -q 'ok installed'"
e2e_check "the launcher, the icon and the companion files are in place" sh -c "
    test -x /usr/bin/quillotap &&
    test -f /usr/share/applications/$PKG_APP_ID.desktop &&
    test -f /usr/share/icons/hicolor/scalable/apps/quillotap.svg &&
    test -f /usr/share/icons/hicolor/48x48/apps/quillotap.png &&
    test -f /usr/share/quillotap/start.wav && test -f /usr/share/quillotap/stop.wav &&
    test -f /usr/share/quillotap/quillotap-help.html &&
    test -f /usr/share/quillotap/translations/quillotap_de.qm"
e2e_check "desktop-file-validate accepts the installed launcher" \
    pkg_quiet_ok "$E2E_DIR/desktop-file-validate.log" \
    desktop-file-validate "/usr/share/applications/$PKG_APP_ID.desktop"

pkg_run_installed /usr/bin/quillotap

# ---- remove ----
remove_package
e2e_check "apt-get remove --purge removed the package" \
    sh -c "! dpkg-query -W -f='\${Status}' quillotap 2>/dev/null | grep -q 'ok installed'"
listing >"$E2E_DIR/files.after"
# Paths that appeared and belong to no installed package were left behind;
# paths that went missing were taken away. (A path of a package that
# another process installed meanwhile is not this package's.)
comm -13 "$E2E_DIR/files.before" "$E2E_DIR/files.after" |
    while read -r path; do dpkg -S "$path" >/dev/null 2>&1 || echo "$path"; done >"$E2E_DIR/left"
comm -23 "$E2E_DIR/files.before" "$E2E_DIR/files.after" >"$E2E_DIR/taken"
cat "$E2E_DIR/left" "$E2E_DIR/taken"
e2e_check "nothing is left behind in /usr, /etc or /var/lib" test ! -s "$E2E_DIR/left"
e2e_check "nothing that was there before is gone" test ! -s "$E2E_DIR/taken"
e2e_check "the user's recording is kept" test -s "$PKG_RECORDING"

echo "package test took $((SECONDS - started)) s"
e2e_finish
