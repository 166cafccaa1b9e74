#!/usr/bin/env bash
# Builds the Windows program with MinGW-w64 into build-win/ and tests it
# under Wine, on a virtual X display (Xvfb) and with ALSA pointed at a null
# device:
#   - the unit tests of the Windows side (windows_tests.exe), the host
#     adapter among them against the stand-in host;
#   - station sessions beside the stand-in host (tailchime.exe --host
#     echolink), whose record must match the simulated station's transcript
#     of the same timeline (Linux build, virtual time), line for line in order,
#     and whose settings file must match the one the Linux run wrote;
#   - the example station scripts headless, transcripts equal to Linux's;
#   - the web page on the real clock (login, state, a control) and the
#     history it keeps, killed while writing included (page.sh);
#   - the windows, worked by the panel driver (panel-driver.exe) as an
#     operator would: layout, pages, clicks, typing, the volume scroll bar,
#     the settings file and the stand-in host's record, and message boxes
#     left open while the station runs on.
# Every wait is for something to happen, never for a time.
# Needs the Linux program and its courtesy tones (build/, or
# TAILCHIME_LINUX_BUILD); builds them when missing. Ends with a line
# "N passed, M failed"; the exit status is 0 only when nothing failed.
source "$(dirname "$0")/common.sh"
LINUX_BUILD=${TAILCHIME_LINUX_BUILD:-$ROOT/build}
# Tone paths differ between the two builds: compare the file names.
basenames() { sed -E '/ (play|played) "/s#"[^"]*[/\\]([^"/\\]+)"#"\1"#'; }

LINUX=$LINUX_BUILD/src/tailchime
if [ ! -x "$LINUX" ] || [ ! -f "$LINUX_BUILD/data/RF.wav" ]; then
    echo "Building the Linux program in $LINUX_BUILD"
    { [ -f "$LINUX_BUILD/CMakeCache.txt" ] || cmake -S "$ROOT" -B "$LINUX_BUILD" -G Ninja; } >"$WORK/linux.log" 2>&1
    cmake --build "$LINUX_BUILD" -j"$JOBS" --target tailchime tailchime_tones >>"$WORK/linux.log" 2>&1 ||
        { fail "build the Linux program" "$(tail -20 "$WORK/linux.log")"; finish; }
fi
prefix_ready
# Without --config-dir the settings live in %APPDATA%\Tailchime.
SETTINGS_DIR=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Tailchime
mkdir -p "$SETTINGS_DIR"

# --- No host ---------------------------------------------------------------
start "$WORK/nohost.out" --host echolink --stats-server 127.0.0.1:1
drive "box=Run-time error '429'" ok >"$WORK/nohost.drive"
ended
out=$(unix <"$WORK/nohost.out")
grep -qx "[0-9]* message 48 \"Tailchime\" \"Run-time error '429': ActiveX component can't create object\"" <<<"$out" &&
    grep -qx '[0-9]* exit' <<<"$out" && ! grep -q caption <<<"$out" && [ ! -e "$SETTINGS_DIR/tailchime.ini" ]
verdict $? "no host: the can't-create report, the end, no settings touched" "$out"

# --- Unit tests of the Windows side --------------------------------------------
register "$HERE/timelines/host-test.tcs" "$WORK/host-test.log" ||
    { fail "register the stand-in host" "$(tail -5 "$WORK/wine.log")"; finish; }
export STANDIN_LOG
STANDIN_LOG=$(winpath "$WORK/host-test.log")
(cd "$WORK" && win "$WIN_BUILD/tests/windows/windows_tests.exe" >"$WORK/unit.txt")
unit_status=$?
unix <"$WORK/unit.txt" >"$WORK/unit.log"
while read -r name; do pass "unit $name"; done < <(sed -nE 's/^\[       OK \] ([^ ]+) \(.*/\1/p' "$WORK/unit.log")
while read -r name; do
    fail "unit $name" "$(sed -n "/^\[ RUN      \] $name\$/,/^\[  FAILED  \] $name /p" "$WORK/unit.log" | grep -v '^\[')"
done < <(sed -nE 's/^\[  FAILED  \] ([^ ]+) \([0-9]+ ms\)$/\1/p' "$WORK/unit.log")
if [ "$unit_status" -ne 0 ] && ! grep -q '^\[  FAILED  \]' "$WORK/unit.log"; then
    fail "unit tests ran to their end" "$(tail -5 "$WORK/unit.log")"
fi

# --- Station sessions beside the stand-in host -------------------------------------
session() {  # session NAME: timelines/NAME.tcs, settings from NAME.ini when there is one
    local name=$1 timeline=$HERE/timelines/$1.tcs preset=$HERE/timelines/$1.ini
    local dir=$WORK/$name
    mkdir -p "$dir/linux"
    rm -f "$SETTINGS_DIR/tailchime.ini"
    if [ -f "$preset" ]; then
        cp "$preset" "$dir/linux/tailchime.ini"
        cp "$preset" "$SETTINGS_DIR/tailchime.ini"
    fi
    "$LINUX" --headless "$timeline" --virtual-time --config-dir "$dir/linux" --stats-server 127.0.0.1:1 \
        2>/dev/null | basenames >"$dir/linux.txt"
    register "$timeline" "$dir/record.txt"
    start "$dir/windows.raw" --host echolink --stats-server 127.0.0.1:1
    # The boxes that the session's Linux run shows are answered as they come.
    local text
    while read -r text; do drive "box=$text" ok >>"$dir/drive.txt"; done \
        < <(sed -nE 's/^[0-9]+ message [0-9]+ "[^"]*" "(.*)"$/\1/p' "$dir/linux.txt")
    ended
    unix <"$dir/windows.raw" | basenames >"$dir/windows.txt"

    check "$name: the host's record of keying, CW and chat matches the simulated station, in order" \
        awk -v words="tx cw chat" -f "$HERE/compare.awk" "$dir/linux.txt" "$dir/record.txt"
    check "$name: the program's own doings match, in order (caption, report, play, played, save, exit)" \
        awk -v words="caption report message play played save exit" \
        -f "$HERE/compare.awk" "$dir/linux.txt" "$dir/windows.txt"
    local wrong
    wrong=$(unix <"$dir/record.txt" | grep -E ' call (SetPTT|SendCW|SendChatText) ' |
        grep -vE ' call (SetPTT bool (-1|0)|SendCW i2 0 bstr ".*"|SendChatText bstr ".*")$')
    # grep reads the whole record: with -q it could stop early and, under
    # pipefail, fail the pipeline through the writer's broken pipe.
    [ -z "$wrong" ] && unix <"$dir/record.txt" | grep ' call Advise$' >/dev/null
    verdict $? "$name: events connected, Booleans and texts passed as the host takes them" "$wrong"
    # The tone paths are each build's own; every other setting must agree.
    settings() { [ -f "$1" ] && unix <"$1" | grep -vE '^(RFTONE|INETTONE)='; }
    check "$name: the settings file as the Linux run wrote it" \
        diff <(settings "$dir/linux/tailchime.ini") <(settings "$SETTINGS_DIR/tailchime.ini")
}
session session-cw
session session-audio
session single-user

# A second copy while one runs, then the close box of the first: the close request.
register "$HERE/timelines/quiet.tcs" "$WORK/quiet.txt"
start "$WORK/first.out" --host echolink --stats-server 127.0.0.1:1
first=$program
wait_line "$WORK/first.out" ' report '
start "$WORK/second.out" --host echolink --stats-server 127.0.0.1:1
drive "box=Program is already running." ok >"$WORK/second.drive"
ended
second=$(unix <"$WORK/second.out")
grep -qx '[0-9]* message 0 "Tailchime" "Program is already running\."' <<<"$second" &&
    grep -qx '[0-9]* exit' <<<"$second" && [ "$(wc -l <<<"$second")" -eq 2 ]
verdict $? "a second copy says the program is already running and ends" "$second$(cat "$WORK/second.drive")"
program=$first
drive "window=Tailchime    W1AW-R   v2.0.1" close >"$WORK/first.drive"
ended
out=$(unix <"$WORK/first.out")
grep -qx '[0-9]* exit' <<<"$out" && ! grep -q save <<<"$out" && [ ! -e "$SETTINGS_DIR/tailchime.ini" ]
verdict $? "the close box is the close request: the station ends without saving" "$out$(cat "$WORK/first.drive")"

register "$HERE/timelines/host-vanishes.tcs" "$WORK/vanishes.txt"
start "$WORK/vanishes.out" --host echolink --stats-server 127.0.0.1:1
drive "box=Automation error" ok >"$WORK/vanishes.drive"
ended
out=$(unix <"$WORK/vanishes.out")
grep -q "message 48 \"Tailchime\" \"Run-time error '-\?[0-9]*': Automation error" <<<"$out" &&
    grep -qx '[0-9]* exit' <<<"$out" && ! grep -q save <<<"$out"
verdict $? "host gone: the next call's run-time error is reported and the program ends unsaved" "$out"

# --- The windows, worked by the panel driver ----------------------------------------
# Counts the lines of a file that match a pattern.
count() { unix <"$1" 2>/dev/null | grep -cE "$2"; }
# Waits until a file has at least N lines matching the pattern.
wait_count() {
    for _ in $(seq 1200); do [ "$(count "$1" "$2")" -ge "$3" ] && return 0; sleep 0.1; done
    return 1
}
# The value of a key in a settings file.
setting() { unix <"$1" 2>/dev/null | sed -nE "s/^$2=(.*)$/\1/p"; }

# Alone (--host simulated, though the stand-in is registered): the simulated
# station, and its simulator window beside the main window, which stands
# where the settings put it (twips, 15 to a pixel).
mkdir -p "$WORK/alone"
printf '[SETTINGS]\r\nLEFT=1500\r\nTOP=750\r\n' >"$WORK/alone/tailchime.ini"
start "$WORK/alone.out" --host simulated --config-dir "$(winpath "$WORK/alone")" --stats-server 127.0.0.1:1
out=$(drive "window=Tailchime    N0CALL-L   v2.0.1" "clientsize=Tailchime    N0CALL-L   v2.0.1=336x280" layout \
    at=100,50 "clientsize=Station simulator=300x360" close)
[ $? -eq 0 ] && ended
verdict $? "alone: the main window of 336 x 280 as designed, at its saved place, and the station simulator" "$out"

# Beside the stand-in host: the operator's commands reach the host and the settings file.
panel=$WORK/panel
mkdir -p "$panel"
register "$HERE/timelines/quiet.tcs" "$panel/record.txt"
start "$panel/out.txt" --host echolink --config-dir "$(winpath "$panel")" --stats-server 127.0.0.1:1
ini=$panel/tailchime.ini
title="Tailchime    W1AW-R   v2.0.1"
check "beside the host: the main window of 336 x 280 as designed" \
    drive "window=$title" "clientsize=$title=336x280" layout shown=Frame2 hidden=Frame5 hidden=Frame6
check "beside the host: a letter typed and tested goes to the host as CW" \
    drive "window=$title" type=CourtesyID=QRZ click=Command10
check "beside the host: ... the host's record shows it" wait_line "$panel/record.txt" ' call SendCW i2 0 bstr "QRZ"$'
check "beside the host: the audio selector shows the audio page and saves" \
    drive "window=$title" click=Picture13 shown=Frame5 hidden=Frame2
check "beside the host: ... OPTION2 is True in the settings file" wait_line "$ini" '^OPTION2=True$'
check "beside the host: the Timings page covers the whole ident page" \
    drive "window=$title" click=Command17 shown=Frame6 covers=Frame6 type=HangTime=650 click=Command16 hidden=Frame6
check "beside the host: ... saved and exit writes the typed hang time" wait_line "$ini" '^HANGTIME=650$'
saves=$(count "$panel/out.txt" ' save$')
drive "window=$title" drag=V1=-1000 click=Command18 >"$panel/drag.txt"
wait_count "$panel/out.txt" ' save$' $((saves + 1))
[ "$(setting "$ini" VOLSET)" = -1540 ]
verdict $? "beside the host: dragging the volume thumb changes nothing until it is let go" "VOLSET=$(setting "$ini" VOLSET)"
drive "window=$title" release=V1=-1000 click=Command18 >>"$panel/drag.txt"
wait_count "$panel/out.txt" ' save$' $((saves + 2))
[ "$(setting "$ini" VOLSET)" = -1000 ]
verdict $? "beside the host: ... let go, the volume takes the thumb's place" "VOLSET=$(setting "$ini" VOLSET)$(cat "$panel/drag.txt")"
check "beside the host: Stop swaps for Use and saves the switch off" \
    drive "window=$title" click=Command15 shown=Command14 hidden=Command15 text=Antenna=antenna0
check "beside the host: ... CHECK1 is 0 in the settings file" wait_line "$ini" '^CHECK1=0$'
drive "window=$title" close >/dev/null
ended

# At 150 % scaling (144 dpi) every place and size scales with it.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
mkdir -p "$WORK/scaled"
start "$WORK/scaled.out" --host simulated --config-dir "$(winpath "$WORK/scaled")" --stats-server 127.0.0.1:1
out=$(drive "window=Tailchime    N0CALL-L   v2.0.1" "clientsize=Tailchime    N0CALL-L   v2.0.1=504x420" dpi=144 layout \
    at=30,30 close)
[ $? -eq 0 ] && ended
verdict $? "at 150 % scaling: the main window of 504 x 420, every control scaled" "$out"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1

# A render error box left open: the supervisor goes on releasing the transmitter.
# Releases after the last key-up in the host's record, and ms from the key-up to the first.
releases() { unix <"$1" | awk '/ call SetPTT bool -1$/ { n = 0; up = $1; next }
    / call SetPTT bool 0$/ { if (++n == 1) first = $1 } END { print n + 0, first - up }'; }
box=$WORK/box
mkdir -p "$box"
cp "$HERE/timelines/render-error.ini" "$box/tailchime.ini"
register "$HERE/timelines/render-error.tcs" "$box/record.txt"
start "$box/out.txt" --host echolink --config-dir "$(winpath "$box")" --stats-server 127.0.0.1:1
boxcheck() {  # boxcheck NAME: with the box open, ten releases follow the last key-up and the box is still open
    local name=$1 seen
    drive "window=$title" "box=Render error" >"$box/$name.drive" &&
        { for _ in $(seq 1200); do seen=$(releases "$box/record.txt"); [ "${seen%% *}" -ge 10 ] && break; sleep 0.1; done; } &&
        drive "window=$title" "box=Render error" >>"$box/$name.drive" && [ "${seen%% *}" -ge 10 ]
    local status=$?
    echo "    (${seen#* } ms from the last key-up to the first release)"
    verdict $status "$2" "$(cat "$box/$name.drive"; unix <"$box/record.txt" | tail -5)"
}
boxcheck courtesy "box open after an Internet courtesy: the transmitter is released every tick"
drive "window=$title" ok >/dev/null
drive "window=$title" click=Command7 >/dev/null
boxcheck test "box open after the RF Test button: the transmitter is released every tick"
drive "window=$title" ok close >/dev/null
ended

# --- Headless station scripts ------------------------------------------------------
headless() {  # headless NAME SCRIPT: both transcripts on virtual time, with the exit status
    local name=$1 script=$2 dir=$WORK/headless-$1
    mkdir -p "$dir/linux" "$dir/windows"
    "$LINUX" --headless "$script" --virtual-time --config-dir "$dir/linux" --stats-server 127.0.0.1:1 \
        >"$dir/linux.txt" 2>/dev/null
    echo "exit status $?" >>"$dir/linux.txt"
    win "$EXE" --headless "$(winpath "$script")" --virtual-time --config-dir "$(winpath "$dir/windows")" \
        --stats-server 127.0.0.1:1 >"$dir/windows.raw"
    echo "exit status $?" >>"$dir/windows.raw"
    unix <"$dir/windows.raw" | basenames >"$dir/windows.txt"
    basenames <"$dir/linux.txt" >"$dir/linux.norm"
}
for script in "$ROOT"/examples/*.tcs; do
    name=$(basename "$script" .tcs)
    headless "$name" "$script"
    check "headless $name: the same transcript as on Linux" \
        diff "$WORK/headless-$name/linux.norm" "$WORK/headless-$name/windows.txt"
done

printf 'at 100 carrier up\nat 50 carrier down\n' >"$WORK/bad.tcs"
headless bad "$WORK/bad.tcs"
grep -qx 'exit status 2' "$WORK/headless-bad/windows.txt" && [ "$(wc -l <"$WORK/headless-bad/windows.txt")" -eq 1 ]
verdict $? "headless: a script out of time order runs nothing and ends with status 2" "$(cat "$WORK/headless-bad/windows.txt")"

# On real time the tone plays through DirectShow and its end is seen.
dir=$WORK/tone-test
mkdir -p "$dir/linux" "$dir/windows"
"$LINUX" --headless "$HERE/timelines/tone-test.tcs" --virtual-time --config-dir "$dir/linux" \
    --stats-server 127.0.0.1:1 2>/dev/null | basenames >"$dir/linux.txt"
win "$EXE" --headless "$(winpath "$HERE/timelines/tone-test.tcs")" --config-dir "$(winpath "$dir/windows")" \
    --stats-server 127.0.0.1:1 | unix | basenames >"$dir/windows.txt"
check "headless on real time: DirectShow plays the tone to its end, keyed as on Linux, in order" \
    awk -v words="tx play played" -f "$HERE/compare.awk" "$dir/linux.txt" "$dir/windows.txt"

source "$HERE/page.sh"
finish
