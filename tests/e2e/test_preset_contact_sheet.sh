#!/usr/bin/env bash
# Every display preset of both panes drawn in the real main window on an X
# server and read back from the screen: the test program puts the pictures
# together into presets-contact-sheet.png (in the e2e output folder) and
# checks that no two presets look alike.
source "$(dirname "$0")/lib.sh"
e2e_start

program="$(dirname "$QUILLOTAP")/test_ui_presets"
[ -x "$program" ] || { echo "missing $program: build the test_ui_presets target first"; exit 1; }
sheet="$E2E_OUT/presets-contact-sheet.png"
rm -f "$sheet"

QT_QPA_PLATFORM=xcb QUILLOTAP_AUDIO=synthetic QUILLOTAP_TEST_OUTPUT="$E2E_OUT" \
    "$program" --gtest_filter='PresetContactSheetTest.*' \
    >"$E2E_DIR/sheet.log" 2>&1
status=$?
cat "$E2E_DIR/sheet.log"
e2e_check "all presets look different on screen" test "$status" -eq 0
e2e_check "the contact sheet was drawn from the X screen" \
    grep -q "read back from the screen: 24 of 24" "$E2E_DIR/sheet.log"
e2e_check "the contact sheet is written" test -s "$sheet"
e2e_check "the contact sheet is a PNG picture" \
    sh -c "file -b '$sheet' | grep -q '^PNG image data'"
e2e_finish
