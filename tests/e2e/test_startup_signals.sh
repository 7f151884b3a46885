#!/usr/bin/env bash
# The program ends cleanly and saves its settings when it is sent SIGTERM,
# SIGINT or SIGHUP; "/icon" and "/ICON" on the command line start it without
# trouble.
source "$(dirname "$0")/lib.sh"
e2e_start

for signal in TERM INT HUP; do
    rm -f "$(e2e_hive)"
    e2e_launch
    e2e_wait_window Quillotap || exit 1
    kill -s "$signal" "$E2E_APP_PID"
    e2e_wait_exit "$E2E_APP_PID" 20
    e2e_check "SIG$signal ends the program with status 0" test "$E2E_EXIT" -eq 0
    e2e_check "SIG$signal saves the settings" test "$(e2e_setting Hotkey2)" = "CA+S"
done

for argument in /icon /ICON; do
    e2e_launch "$argument"
    e2e_wait_window Quillotap
    e2e_check "$argument: the program runs" kill -0 "$E2E_APP_PID"
    e2e_screenshot "startup-argument-${argument#/}"
    kill -s TERM "$E2E_APP_PID"
    e2e_wait_exit "$E2E_APP_PID" 20
    e2e_check "$argument: the program ends cleanly" test "$E2E_EXIT" -eq 0
    e2e_check "$argument: no crash report" bash -c "! grep -qi 'segmentation\|abort' '$E2E_APP_LOG'"
done

e2e_finish
