# Sourced by the Windows test scripts (run.sh, install.sh): a virtual X
# display for the whole run, a work folder with a fresh Wine prefix of its
# own, made while the Windows program builds into build-win/, and the
# PASS/FAIL tally. Every wait is for something to happen, never for a time.
set -uo pipefail

# The windows need an X display: a virtual one for the whole run.
if [ -z "${TAILCHIME_XVFB:-}" ]; then
    TAILCHIME_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
HERE=$ROOT/tests/windows
WIN_BUILD=${TAILCHIME_WIN_BUILD:-$ROOT/build-win}
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
verdict() {  # verdict STATUS NAME [DETAIL]: a pass when the status is 0
    if [ "$1" -eq 0 ]; then pass "$2"; else fail "$2" "${3:-}"; fi
}
check() {  # check NAME COMMAND...: the command's output explains a failure
    local name=$1 out
    shift
    if out=$("$@" 2>&1); then pass "$name"; else fail "$name" "$out"; fi
}

WORK=$(mktemp -d /tmp/tailchime-wine.XXXXXX)
source "$ROOT/scripts/wine-prefix.sh"
cleanup() {
    end_wine
    [ -n "${prefix_maker:-}" ] && wait "$prefix_maker" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

# The Windows path of a file here, through Wine's Z: drive.
winpath() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }
# Wine's console writes CR LF.
unix() { tr -d '\r'; }
win() { timeout 90 wine "$@" 2>>"$WORK/wine.log"; }
# The program ($EXE) in the background, its transcript into FILE: start FILE ARGS...
start() {
    local file=$1
    shift
    timeout 120 wine "$EXE" "$@" >"$file" 2>>"$WORK/wine.log" &
    program=$!
}
# Waits for the program started last to end (a ceiling only against a hang).
ended() {
    for _ in $(seq 1200); do kill -0 "$program" 2>/dev/null || { wait "$program"; return 0; }; sleep 0.1; done
    return 1
}
DRIVER=$WIN_BUILD/tests/windows/panel-driver.exe
# The panel driver's steps; its output explains a failure.
drive() { timeout 120 wine "$DRIVER" "$@" 2>>"$WORK/wine.log" | unix; }
# Waits until a file holds a line matching the pattern.
wait_line() {
    for _ in $(seq 1200); do unix <"$1" 2>/dev/null | grep -qE "$2" && return 0; sleep 0.1; done
    return 1
}
STANDIN=$WIN_BUILD/tools/standin-host/standin-host.exe
register() {  # register TIMELINE LOG: the stand-in host, started by COM with them
    win "$STANDIN" /RegServer --timeline "$(winpath "$1")" --log "$(winpath "$2")"
}

# A fresh Wine prefix takes a while to make: it is made while the build runs.
make_wine_prefix &
prefix_maker=$!

echo "Building the Windows program in $WIN_BUILD"
if [ ! -f "$WIN_BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$WIN_BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >"$WORK/configure.log" 2>&1 ||
        { fail "configure the Windows build" "$(tail -20 "$WORK/configure.log")"; finish; }
fi
cmake --build "$WIN_BUILD" -j"$JOBS" >"$WORK/build.log" 2>&1 ||
    { fail "build the Windows program" "$(grep -E 'error|FAILED' "$WORK/build.log" | head -20)"; finish; }
EXE=$WIN_BUILD/src/tailchime.exe

prefix_ready() { wait "$prefix_maker" || { fail "make a fresh Wine prefix"; finish; }; }
