#!/usr/bin/env bash
# The six format dialogs on a real X display: the main window's "Set" button
# opens each of them with its exact title, their controls neither overlap nor
# clip their captions, and a screenshot of each (every tab of the MP3 dialog,
# the WMA dialog with its profile list open) is kept under test-output/dialogs.
source "$(dirname "$0")/lib.sh"
e2e_start

screens="$(dirname "$QUILLOTAP")/test_formats_screens"
[ -x "$screens" ] || { echo "missing $screens (build the test_formats_screens target)"; exit 1; }
shots="${QUILLOTAP_TEST_OUTPUT:-$PWD}/dialogs"
rm -f "$shots"/*.png

e2e_check "each dialog opens with its title, drawn, with a sound layout" \
    env QT_QPA_PLATFORM=xcb QUILLOTAP_TEST_OUTPUT="${QUILLOTAP_TEST_OUTPUT:-$PWD}" \
    "$screens" --gtest_brief=1

# colours FILE: how many colours the picture holds.
colours() { identify -format '%k' "$1" 2>/dev/null || echo 0; }

for name in mp3-tab1 mp3-tab2 mp3-tab3 mp3-tab4 ogg wav wma wma-list flac opus; do
    file="$shots/$name.png"
    e2e_check "$name.png is a picture with content ($(colours "$file") colours)" \
        test "$(colours "$file")" -ge 12
done

e2e_finish
