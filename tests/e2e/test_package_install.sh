#!/usr/bin/env bash
# `cmake --install` with DESTDIR lays out the program, its cue sounds and
# manual and the desktop's files (launcher, metainfo, icons, manual page);
# those pass the validators the distributions use; and the program started
# from the staged tree finds its companion files there, matches its
# launcher and writes its own path into the login entry.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/package-lib.sh"

# The build tree of the program under test.
build=$(dirname "$QUILLOTAP")
while [ "$build" != / ] && [ ! -f "$build/CMakeCache.txt" ]; do build=$(dirname "$build"); done

e2e_start
stage="$E2E_DIR/stage"
prefix="$stage/usr"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >"$E2E_DIR/install.log" 2>&1 ||
    { cat "$E2E_DIR/install.log"; exit 1; }

e2e_check "every file is installed where the desktop looks" sh -c "
    cd '$prefix' || exit 1
    for f in bin/quillotap share/quillotap/start.wav share/quillotap/stop.wav \
        share/quillotap/quillotap-help.html share/quillotap/translations/quillotap_de.qm \
        share/applications/$PKG_APP_ID.desktop \
        share/metainfo/$PKG_APP_ID.metainfo.xml share/man/man1/quillotap.1.gz \
        share/doc/quillotap/copyright share/doc/quillotap/changelog.gz; do
        test -f \$f || { echo \"missing \$f\"; exit 1; }
    done"
e2e_check "nothing is installed outside the prefix" \
    test "$(ls -A "$stage")" = usr
e2e_check "no companion file is left in bin" test "$(ls -A "$prefix/bin")" = quillotap

pkg_check_desktop_files "$prefix"
pkg_run_installed "$prefix/bin/quillotap" package

e2e_finish
