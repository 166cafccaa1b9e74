#!/usr/bin/env bash
# Figures of the Windows program under Wine (not a test): the size of
# tailchime.exe, the time from start to its main window on a virtual X
# display, and its CPU load while it sits idle with the antenna turning.
#   bash bench/windows.sh [RUNS] [IDLE-SECONDS]
# Needs the Windows build in build-win/ (and the Linux build's tones).
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-5}
IDLE=${2:-30}
if [ -z "${TAILCHIME_XVFB:-}" ]; then
    TAILCHIME_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$RUNS" "$IDLE"
fi
EXE=build-win/src/tailchime.exe
WORK=$(mktemp -d /tmp/tailchime-bench.XXXXXX)
source scripts/wine-prefix.sh
trap 'end_wine; rm -rf "$WORK"' EXIT
make_wine_prefix
cp build/data/RF.wav build/data/IP.wav build-win/src/ 2>/dev/null || true
stripped=$WORK/stripped.exe
x86_64-w64-mingw32-strip -o "$stripped" "$EXE"
echo "tailchime.exe: $(stat -c %s "$EXE") bytes as built, $(stat -c %s "$stripped") bytes stripped"

title="Tailchime    N0CALL-L   v2.0.1"
mapped() { xwininfo -root -tree | grep -F "\"$title\":" | grep -q 336x280; }
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
# Wine keeps its server running between starts, as a desktop session does.
wineserver -p
for run in $(seq "$RUNS"); do
    mkdir -p "$WORK/config$run"
    start=$(date +%s%N)
    wine "$EXE" --config-dir "Z:${WORK//\//\\}\\config$run" --stats-server 127.0.0.1:1 >/dev/null 2>&1 &
    until mapped; do sleep 0.005; done
    shown=$(date +%s%N)
    echo "run $run: start to main window shown $(( (shown - start) / 1000000 )) ms"
    pid=$(pgrep -f 'build-win/src/tailchime.exe' | head -1)
    if [ "$run" -eq "$RUNS" ]; then
        sleep 2  # the antenna turns from the first ticks on
        server=$(pgrep -x wineserver64 || pgrep -x wineserver | head -1)
        t0=$(ticks "$pid")
        s0=$(ticks "$server")
        sleep "$IDLE"
        t1=$(ticks "$pid")
        s1=$(ticks "$server")
        awk -v p=$((t1 - t0)) -v s=$((s1 - s0)) -v hz="$hz" -v secs="$IDLE" 'BEGIN {
            printf "idle, antenna turning, over %d s: %.2f %% of one core in tailchime.exe, %.2f %% in wineserver\n",
                secs, 100 * p / hz / secs, 100 * s / hz / secs }'
    fi
    wine build-win/tests/windows/panel-driver.exe "window=$title" close >/dev/null 2>&1
    while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
done
