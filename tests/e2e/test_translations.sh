#!/usr/bin/env bash
# The program speaks the desktop's language: started with LANG=de_DE.UTF-8 it
# shows its German captions, read through AT-SPI as a screen reader reads
# them; started with a language it has no translation for (xx_YY) it stays
# English, silently. Each run records once and closes normally.
source "$(dirname "$0")/lib.sh"
e2e_start
e2e_start_atspi

# run_in LANG LANGUAGE-OF-THE-CAPTIONS
run_in() {
    local lang=$1 expected=$2 before=$E2E_PASSED
    LANG=$lang e2e_launch
    e2e_wait_window Quillotap || return 1
    local window=$E2E_WINDOW
    while read -r verdict text; do
        e2e_check "$text" test "$verdict" = PASS
    done < <("$E2E_READER_PYTHON" "$(dirname "$0")/translated_captions.py" Quillotap "$expected" \
        2>"$E2E_DIR/reader-$expected.log")
    e2e_check "the $expected checks ran" test $((E2E_PASSED - before)) -ge 12
    e2e_screenshot "translations-$expected"
    e2e_close_window "$window"
    e2e_wait_exit "$E2E_APP_PID" 20
    e2e_check "a normal close in $lang" test "$E2E_EXIT" -eq 0
    e2e_check "no complaint about the language in $lang" \
        bash -c "! grep -qi 'translat' '$E2E_APP_LOG'"
}

run_in de_DE.UTF-8 de
run_in xx_YY.UTF-8 en
[ "$E2E_FAILED" -eq 0 ] || cat "$E2E_DIR"/reader-*.log
e2e_check "both runs wrote a recording" \
    test "$(find "$HOME/Documents/Quillotap" -name '*.mp3' -size +1k | wc -l)" -ge 2

e2e_finish
