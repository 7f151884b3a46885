#!/usr/bin/env bash
# The road of one recording in each of the seven formats, chosen through a
# pre-written settings file: Ctrl+Alt+R starts it, Ctrl+Alt+S stops it, and
# the file holds the 440 Hz sine in the format's default settings. Then the
# time limit and the size limit each stop a recording by themselves. Every
# case starts from a fresh settings and documents folder.
source "$(dirname "$0")/lib.sh"
e2e_start

folder="$HOME/Documents/Quillotap"
within() { python3 -c "import sys; sys.exit(0 if $2 <= float('$1') <= $3 else 1)"; }
probe() { ffprobe -v error -select_streams a:0 -show_entries "stream=$2" -of csv=p=0 "$1"; }

# fresh_case LINES...: a new settings file holding the lines (cues off) and an
# empty recordings folder.
fresh_case() {
    rm -rf "$folder" "$XDG_CONFIG_HOME/quillotap"
    e2e_write_hive '"PlayStartSound"="No"' '"PlayStopSound"="No"' "$@"
}

# The format list's order, each with the stream its default settings give.
formats=(mp3 wma ogg wav vox flac opus)
codec=(mp3 wmav2 vorbis pcm_s16le - flac opus)
for i in "${!formats[@]}"; do
    ext=${formats[$i]}
    fresh_case "\"LastFormat\"=\"$i\"" '"ID3_Title"="Road test"' '"ID3_Artist"="Quillotap tests"' \
        '"ID3_Genre"="17"' '"ID3_Track"="4"'
    e2e_launch
    if ! e2e_wait_window Quillotap; then
        e2e_check "$ext: the window appears" false
        continue
    fi
    window=$E2E_WINDOW
    e2e_press ctrl alt r
    e2e_wait_for "the $ext file" sh -c "ls '$folder'/*.$ext" || continue
    sleep 3
    e2e_press ctrl alt s
    file=$(ls "$folder"/*."$ext" | head -n1)
    # The stop finishes the file while the program keeps running.
    sleep 1
    e2e_check "$ext: one file named YYYYMMDD-HHMMSS.$ext" \
        sh -c "ls '$folder' | grep -Eqx '[0-9]{8}-[0-9]{6}\\.$ext' && test \$(ls '$folder' | wc -l) -eq 1"
    seconds=$(e2e_decoded_seconds "$file")
    e2e_check "$ext: about three seconds recorded ($seconds s)" within "$seconds" 2.5 6
    if [ "$ext" = vox ]; then
        rate=$(sox -t vox -r 8000 -c 1 "$file" -n stat 2>&1 | awk '/Rough   frequency/ {print $3}')
        e2e_check "vox: the sine comes through ($rate Hz)" within "$rate" 400 480
    else
        e2e_check "$ext: encoded as ${codec[$i]}" test "$(probe "$file" codec_name)" = "${codec[$i]}"
        frequency=$(ffmpeg -v error -i "$file" -ac 1 -ar 44100 -f s16le - | python3 -c '
import array, sys
s = array.array("h", sys.stdin.buffer.read())
s = s[len(s) // 10 : len(s) - len(s) // 10]
crossings = sum(1 for a, b in zip(s, s[1:]) if (a < 0) != (b < 0))
print(round(crossings / 2 / (len(s) / 44100.0)))')
        e2e_check "$ext: the sine comes through ($frequency Hz)" within "$frequency" 430 450
    fi
    case $ext in
    mp3 | flac | opus)
        # The default tag: an ID3 tag in MP3 files, Vorbis comments in the others.
        tags=$(ffprobe -v error -show_entries format_tags:stream_tags -of default=nw=1 "$file")
        for tag in "title=Road test" "artist=Quillotap tests" "genre=Rock" "track=4"; do
            e2e_check "$ext: the default tag holds $tag" \
                sh -c "printf '%s\n' \"\$1\" | grep -qix \"tag:\$2\"" _ "$tags" "$tag"
        done
        ;;
    esac
    e2e_close_window "$window"
    e2e_wait_exit "$E2E_APP_PID" 20
    e2e_check "$ext: a normal close ends with status 0" test "$E2E_EXIT" -eq 0
    e2e_check "$ext: the format is kept for the next start" test "$(e2e_setting LastFormat)" = "$i"
done

# The time limit (5 s, the smallest) stops a WAV recording by itself.
fresh_case '"LastFormat"="3"' '"Timelimit"="Yes"' '"MaxTime"="5"'
e2e_launch
e2e_wait_window Quillotap && window=$E2E_WINDOW
e2e_press ctrl alt r
e2e_wait_for "the timed recording" sh -c "ls '$folder'/*.wav"
file=$(ls "$folder"/*.wav | head -n1)
sleep 9
size_a=$(stat -c %s "$file")
sleep 1
e2e_check "the time limit stopped the recording (the file no longer grows)" \
    test "$(stat -c %s "$file")" -eq "$size_a"
seconds=$(e2e_decoded_seconds "$file")
e2e_check "the timed recording lasts about 5 s ($seconds s)" within "$seconds" 4.5 7
e2e_close_window "$window"
e2e_wait_exit "$E2E_APP_PID" 20

# The size limit (1 MB, the smallest) stops a WAV recording (176 kB/s) too.
fresh_case '"LastFormat"="3"' '"SizeLimit"="Yes"' '"MaxSize"="1"'
e2e_launch
e2e_wait_window Quillotap && window=$E2E_WINDOW
e2e_press ctrl alt r
e2e_wait_for "the sized recording" sh -c "ls '$folder'/*.wav"
file=$(ls "$folder"/*.wav | head -n1)
sleep 10
size_a=$(stat -c %s "$file")
sleep 1
e2e_check "the size limit stopped the recording (the file no longer grows)" \
    test "$(stat -c %s "$file")" -eq "$size_a"
e2e_check "the file is about 1 MB ($size_a bytes)" within "$size_a" 1000000 1300000
e2e_check "the sized file is a whole WAV file" sh -c "sox --i -D '$file' >/dev/null"
e2e_close_window "$window"
e2e_wait_exit "$E2E_APP_PID" 20

e2e_finish
