#!/usr/bin/env bash
# Builds the Windows program with MinGW-w64 into build-win/ and tests it
# under Wine, with no display and ALSA pointed at a null device:
#   - the unit tests of the Windows side (windows_tests.exe), the host
#     adapter among them against the stand-in host;
#   - station sessions beside the stand-in host (tailchime.exe --host
#     echolink), whose record must match the simulated station's transcript
#     of the same timeline (Linux build, virtual time) within one hang time,
#     and whose settings file must match the one the Linux run wrote;
#   - the example station scripts headless, transcripts equal to Linux's.
# Needs the Linux program and its courtesy tones (build/, or
# TAILCHIME_LINUX_BUILD); builds them when missing. Ends with a line
# "N passed, M failed"; the exit status is 0 only when nothing failed.
set -uo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
HERE=$ROOT/tests/windows
WIN_BUILD=${TAILCHIME_WIN_BUILD:-$ROOT/build-win}
LINUX_BUILD=${TAILCHIME_LINUX_BUILD:-$ROOT/build}
JOBS=$(nproc)

passed=0
failed=0
pass() { passed=$((passed + 1)); echo "PASS $1"; }
fail() {
    failed=$((failed + 1))
    echo "FAIL $1"
    [ -n "${2:-}" ] && printf '%s\n' "$2" | head -40 | sed 's/^/    /'
    return 0
}
finish() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
    exit
}
check() {  # check NAME COMMAND...: the command's output explains a failure
    local name=$1 out
    shift
    if out=$("$@" 2>&1); then pass "$name"; else fail "$name" "$out"; fi
}

WORK=$(mktemp -d /tmp/tailchime-wine.XXXXXX)
export WINEPREFIX=$WORK/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" ALSA_CONFIG_PATH=$WORK/asound.conf
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
    wineserver -k >/dev/null 2>&1
    [ -n "${prefix_maker:-}" ] && wait "$prefix_maker" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

# The Windows path of a file here, through Wine's Z: drive.
winpath() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }
# Wine's console writes CR LF.
unix() { tr -d '\r'; }
# Tone paths differ between the two builds: compare the file names.
basenames() { sed -E '/ (play|played) "/s#"[^"]*[/\\]([^"/\\]+)"#"\1"#'; }
win() { timeout 90 wine "$@" 2>>"$WORK/wine.log"; }

# A fresh Wine prefix takes a while to make: it is made while the build runs.
printf 'pcm.!default { type null }\n' >"$ALSA_CONFIG_PATH"
(wine wineboot --init && wineserver -w) >/dev/null 2>&1 &
prefix_maker=$!

# --- Build -------------------------------------------------------------
echo "Building the Windows program in $WIN_BUILD"
if [ ! -f "$WIN_BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$WIN_BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >"$WORK/configure.log" 2>&1 ||
        { fail "configure the Windows build" "$(tail -20 "$WORK/configure.log")"; finish; }
fi
cmake --build "$WIN_BUILD" -j"$JOBS" >"$WORK/build.log" 2>&1 ||
    { fail "build the Windows program" "$(grep -E 'error|FAILED' "$WORK/build.log" | head -20)"; finish; }
EXE=$WIN_BUILD/src/tailchime.exe
STANDIN=$WIN_BUILD/tools/standin-host/standin-host.exe

LINUX=$LINUX_BUILD/src/tailchime
if [ ! -x "$LINUX" ] || [ ! -f "$LINUX_BUILD/data/RF.wav" ]; then
    echo "Building the Linux program in $LINUX_BUILD"
    { [ -f "$LINUX_BUILD/CMakeCache.txt" ] || cmake -S "$ROOT" -B "$LINUX_BUILD" -G Ninja; } >"$WORK/linux.log" 2>&1
    cmake --build "$LINUX_BUILD" -j"$JOBS" --target tailchime tailchime_tones >>"$WORK/linux.log" 2>&1 ||
        { fail "build the Linux program" "$(tail -20 "$WORK/linux.log")"; finish; }
fi
# The courtesy tones are installed beside tailchime.exe.
cp "$LINUX_BUILD/data/RF.wav" "$LINUX_BUILD/data/IP.wav" "$WIN_BUILD/src/"

wait "$prefix_maker" || { fail "make a fresh Wine prefix"; finish; }
WINDIR=$WINEPREFIX/drive_c/windows

register() {  # register TIMELINE LOG: the stand-in host, started by COM with them
    win "$STANDIN" /RegServer --timeline "$(winpath "$1")" --log "$(winpath "$2")"
}

# --- No host ---------------------------------------------------------------
out=$(win "$EXE" --host echolink --stats-server 127.0.0.1:1 | unix)
if grep -qx "[0-9]* message 48 \"Tailchime\" \"Run-time error '429': ActiveX component can't create object\"" <<<"$out" &&
    grep -qx '[0-9]* exit' <<<"$out" && ! grep -q caption <<<"$out" && [ ! -e "$WINDIR/tailchime.ini" ]; then
    pass "no host: the can't-create report, the end, no settings touched"
else
    fail "no host: the can't-create report, the end, no settings touched" "$out"
fi

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
    local dir=$WORK/$name hang=500
    mkdir -p "$dir/linux"
    rm -f "$WINDIR/tailchime.ini"
    if [ -f "$preset" ]; then
        cp "$preset" "$dir/linux/tailchime.ini"
        cp "$preset" "$WINDIR/tailchime.ini"
        hang=$(sed -nE 's/^HANGTIME=([0-9]+)\r?$/\1/p' "$preset")
    fi
    "$LINUX" --headless "$timeline" --virtual-time --config-dir "$dir/linux" --stats-server 127.0.0.1:1 \
        2>/dev/null | basenames >"$dir/linux.txt"
    register "$timeline" "$dir/record.txt"
    win "$EXE" --host echolink --stats-server 127.0.0.1:1 | unix | basenames >"$dir/windows.txt"

    check "$name: the host's record of keying, CW and chat matches the simulated station" \
        awk -v words="tx cw chat" -v tolerance="$hang" -f "$HERE/compare.awk" "$dir/linux.txt" "$dir/record.txt"
    check "$name: the program's own doings match (caption, report, play, played, save, exit)" \
        awk -v words="caption report message play played save exit" -v tolerance="$hang" -v anchor=caption \
        -f "$HERE/compare.awk" "$dir/linux.txt" "$dir/windows.txt"
    local wrong
    wrong=$(unix <"$dir/record.txt" | grep -E ' call (SetPTT|SendCW|SendChatText) ' |
        grep -vE ' call (SetPTT bool (-1|0)|SendCW i2 0 bstr ".*"|SendChatText bstr ".*")$')
    # grep reads the whole record: with -q it could stop early and, under
    # pipefail, fail the pipeline through the writer's broken pipe.
    if [ -z "$wrong" ] && unix <"$dir/record.txt" | grep ' call Advise$' >/dev/null; then
        pass "$name: events connected, Booleans and texts passed as the host takes them"
    else
        fail "$name: events connected, Booleans and texts passed as the host takes them" "$wrong"
    fi
    # The tone paths are each build's own; every other setting must agree.
    settings() { [ -f "$1" ] && unix <"$1" | grep -vE '^(RFTONE|INETTONE)='; }
    check "$name: the settings file as the Linux run wrote it" \
        diff <(settings "$dir/linux/tailchime.ini") <(settings "$WINDIR/tailchime.ini")
}
session session-cw
session session-audio
session single-user

# A second copy while one runs, then Ctrl+C on the first: the close request.
register "$HERE/timelines/quiet.tcs" "$WORK/quiet.txt"
wine "$EXE" --host echolink --stats-server 127.0.0.1:1 >"$WORK/first.out" 2>>"$WORK/wine.log" &
first=$!
for _ in $(seq 300); do grep -q ' report ' "$WORK/first.out" && break; sleep 0.1; done
second=$(win "$EXE" --host echolink --stats-server 127.0.0.1:1 | unix)
if grep -qx '[0-9]* message 0 "Tailchime" "Program is already running\."' <<<"$second" &&
    grep -qx '[0-9]* exit' <<<"$second" && [ "$(wc -l <<<"$second")" -eq 2 ]; then
    pass "a second copy says the program is already running and ends"
else
    fail "a second copy says the program is already running and ends" "$second"
fi
kill -INT "$first"
for _ in $(seq 200); do kill -0 "$first" 2>/dev/null || break; sleep 0.1; done
kill -KILL "$first" 2>/dev/null
out=$(unix <"$WORK/first.out")
if grep -qx '[0-9]* exit' <<<"$out" && ! grep -q save <<<"$out" && [ ! -e "$WINDIR/tailchime.ini" ]; then
    pass "Ctrl+C is the close request: the station ends without saving"
else
    fail "Ctrl+C is the close request: the station ends without saving" "$out"
fi

register "$HERE/timelines/host-vanishes.tcs" "$WORK/vanishes.txt"
out=$(win "$EXE" --host echolink --stats-server 127.0.0.1:1 | unix)
if grep -q "message 48 \"Tailchime\" \"Run-time error '-\?[0-9]*': Automation error" <<<"$out" &&
    grep -qx '[0-9]* exit' <<<"$out" && ! grep -q save <<<"$out"; then
    pass "host gone: the next call's run-time error is reported and the program ends unsaved"
else
    fail "host gone: the next call's run-time error is reported and the program ends unsaved" "$out"
fi

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
if grep -qx 'exit status 2' "$WORK/headless-bad/windows.txt" && [ "$(wc -l <"$WORK/headless-bad/windows.txt")" -eq 1 ]; then
    pass "headless: a script out of time order runs nothing and ends with status 2"
else
    fail "headless: a script out of time order runs nothing and ends with status 2" "$(cat "$WORK/headless-bad/windows.txt")"
fi

# On real time the tone plays through DirectShow and its end is seen.
dir=$WORK/tone-test
mkdir -p "$dir/linux" "$dir/windows"
"$LINUX" --headless "$HERE/timelines/tone-test.tcs" --virtual-time --config-dir "$dir/linux" \
    --stats-server 127.0.0.1:1 2>/dev/null | basenames >"$dir/linux.txt"
win "$EXE" --headless "$(winpath "$HERE/timelines/tone-test.tcs")" --config-dir "$(winpath "$dir/windows")" \
    --stats-server 127.0.0.1:1 | unix | basenames >"$dir/windows.txt"
check "headless on real time: DirectShow plays the tone to its end, keyed as on Linux" \
    awk -v words="tx play played" -v tolerance=500 -f "$HERE/compare.awk" "$dir/linux.txt" "$dir/windows.txt"

finish
