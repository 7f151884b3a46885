#!/usr/bin/env bash
# Nothing captured is lost when the program dies in the middle of a recording:
# killed with SIGKILL, the file of every format decodes up to within two
# seconds of the kill; ended with SIGTERM (as a desktop session end or a
# shutdown does) or closed normally, the file is finished completely, its
# headers and tag included.
source "$(dirname "$0")/lib.sh"
e2e_start

folder="$HOME/Documents/Quillotap"
formats=(mp3 wma ogg wav vox flac opus) # the order of the format list
only=${E2E_ONLY:-} # a format extension to check alone, when debugging
now() { date +%s.%N; }
at_least() { python3 -c "import sys; sys.exit(0 if float('$1') >= float('$2') else 1)"; }
near() { python3 -c "import sys; sys.exit(0 if abs(float('$1') - float('$2')) <= float('$3') else 1)"; }

# record INDEX SECONDS: starts the program with format INDEX chosen, records by
# hotkey for SECONDS and leaves the program running; the file goes to FILE and
# the moment it appeared to STARTED.
record() {
    rm -rf "$folder"
    e2e_write_hive "\"LastFormat\"=\"$1\"" '"PlayStartSound"="No"' '"PlayStopSound"="No"'
    e2e_launch
    e2e_wait_window Quillotap || return 1
    WINDOW=$E2E_WINDOW
    e2e_press ctrl alt r
    e2e_wait_for "the ${formats[$1]} recording file" sh -c "ls '$folder'/*.${formats[$1]}" || return 1
    STARTED=$(now)
    FILE=$(ls "$folder"/*."${formats[$1]}" | head -n1)
    sleep "$2"
}

for i in "${!formats[@]}"; do
    ext=${formats[$i]}
    [ -z "$only" ] || [ "$only" = "$ext" ] || continue
    record "$i" 5 || continue
    kill -KILL "$E2E_APP_PID"
    killed=$(now)
    e2e_wait_exit "$E2E_APP_PID" 10
    recorded=$(python3 -c "print('%.2f' % ($killed - $STARTED))")
    decoded=$(e2e_decoded_seconds "$FILE")
    echo "$ext killed: ${recorded} s recorded, ${decoded} s decode"
    e2e_check "$ext: killed after ${recorded} s, ${decoded} s decode" \
        at_least "$decoded" "$(python3 -c "print($recorded - 2)")"
done

for i in "${!formats[@]}"; do
    ext=${formats[$i]}
    [ -z "$only" ] || [ "$only" = "$ext" ] || continue
    for ending in TERM close; do
        record "$i" 3 || continue
        if [ "$ending" = TERM ]; then kill -TERM "$E2E_APP_PID"; else e2e_close_window "$WINDOW"; fi
        e2e_wait_exit "$E2E_APP_PID" 20
        e2e_check "$ext/$ending: the program ends with status 0" test "$E2E_EXIT" -eq 0
        decoded=$(e2e_decoded_seconds "$FILE")
        e2e_check "$ext/$ending: the file holds the recording (${decoded} s)" at_least "$decoded" 2.5
        case $ext in
        mp3)
            e2e_check "mp3/$ending: the ID3 tag was written" sh -c "head -c3 '$FILE' | grep -q ID3"
            e2e_check "mp3/$ending: the header's duration is the decoded one" \
                near "$(e2e_header_seconds "$FILE")" "$decoded" 0.2
            ;;
        wav | wma | flac | opus)
            e2e_check "$ext/$ending: the header's duration is the decoded one" \
                near "$(e2e_header_seconds "$FILE")" "$decoded" 0.2
            ;;
        esac
        case $ext in
        flac)
            e2e_check "flac/$ending: the stream is complete (flac -t)" flac -s -t "$FILE"
            ;;
        ogg)
            e2e_check "ogg/$ending: the stream is complete (ogginfo)" \
                sh -c "ogginfo '$FILE' | grep -qv 'WARNING' && ! ogginfo '$FILE' | grep -qi 'warning\|error'"
            ;;
        esac
    done
done

# A desktop session that ends by closing its display: the program loses its X
# connection in the middle of an MP3 recording and still finishes the file.
[ -z "$only" ] || [ "$only" = mp3 ] && {
    record 0 3
    kill -TERM "${E2E_PIDS[0]}" # the X server
    e2e_wait_exit "$E2E_APP_PID" 20
    decoded=$(e2e_decoded_seconds "$FILE")
    e2e_check "display lost: the file holds the recording (${decoded} s)" at_least "$decoded" 2.5
    e2e_check "display lost: the ID3 tag was written" sh -c "head -c3 '$FILE' | grep -q ID3"
    e2e_check "display lost: the header's duration is the decoded one" \
        near "$(e2e_header_seconds "$FILE")" "$decoded" 0.2
    e2e_check "display lost: the settings were saved" test "$(e2e_setting Hotkey1)" = "CA+R"
}

e2e_finish
