#!/usr/bin/env bash
# Figures of the Windows program under Wine (not a test): the size of
# tailchime.exe, the time from start to its main window on a virtual X
# display, and its CPU load while it sits idle with the antenna turning.
#   bash bench/windows.sh [RUNS] [IDLE-SECONDS]
# Needs the Windows build in build-win/.
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-5}
IDLE=${2:-30}
if [ -z "${TAILCHIME_XVFB:-}" ]; then
    TAILCHIME_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$RUNS" "$IDLE"
fi
EXE=${TAILCHIME_WINDOWS_EXE:-$PWD/build-win/src/tailchime.exe}  # another build's, to compare
WORK=$(mktemp -d /tmp/tailchime-bench.XXXXXX)
source scripts/wine-prefix.sh
trap 'end_wine; rm -rf "$WORK"' EXIT
make_wine_prefix
stripped=$WORK/stripped.exe
x86_64-w64-mingw32-strip -o "$stripped" "$EXE"
echo "tailchime.exe: $(stat -c %s "$EXE") bytes as built, $(stat -c %s "$stripped") bytes stripped"

title="Tailchime    N0CALL-L   v2.0.1"
mapped() { xwininfo -root -tree | grep -F "\"$title\":" | grep -q 336x280; }
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
# The Wine server of this prefix (others may run beside it on the machine).
ourWineserver() {
    for p in $(pgrep -x wineserver64; pgrep -x wineserver); do
        tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && { echo "$p"; return; }
    done
}
# Wine keeps its server running between starts, as a desktop session does.
wineserver -p
# start RUN: starts the program on a settings folder of its own and waits for its main window.
start() {
    start=$(date +%s%N)
    wine "$EXE" --host simulated --config-dir "Z:${WORK//\//\\}\\config$1" --stats-server 127.0.0.1:1 >/dev/null 2>&1 &
    until mapped; do sleep 0.005; done
    shown=$(date +%s%N)
    pid=$(pgrep -f "$EXE" | head -1)
}
stop() {
    wine build-win/tests/windows/panel-driver.exe "window=$title" close >/dev/null 2>&1
    while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
}
# idle WHAT: the program's and the Wine server's share of a core while it sits idle.
idle() {
    sleep 2  # the status clock has set the panel from its first ticks on
    local server t0 s0 t1 s1
    server=$(ourWineserver)
    t0=$(ticks "$pid")
    s0=$(ticks "$server")
    sleep "$IDLE"
    t1=$(ticks "$pid")
    s1=$(ticks "$server")
    awk -v p=$((t1 - t0)) -v s=$((s1 - s0)) -v hz="$hz" -v secs="$IDLE" -v what="$1" 'BEGIN {
        printf "idle, %s, over %d s: %.2f %% of one core in tailchime.exe, %.2f %% in wineserver, %.2f %% together\n",
            what, secs, 100 * p / hz / secs, 100 * s / hz / secs, 100 * (p + s) / hz / secs }'
}
for run in $(seq "$RUNS"); do
    mkdir -p "$WORK/config$run"
    start "$run"
    echo "run $run: start to main window shown $(( (shown - start) / 1000000 )) ms"
    [ "$run" -eq "$RUNS" ] && idle "antenna turning"
    stop
done
# The floor: the station's own timers with the add-on off and the antenna still.
mkdir -p "$WORK/configoff"
printf '[SETTINGS]\r\nCHECK1=0\r\n' >"$WORK/configoff/tailchime.ini"
start off
idle "add-on off"
stop
