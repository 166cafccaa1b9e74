#!/usr/bin/env bash
# Figures of the Windows program's web page under Wine (not a test): the
# time --web-password takes to hash and store, a login, the page's state
# asked again and again on one kept connection and on a new one each time,
# and the program's resident memory serving it.
#   bash bench/windows-page.sh [REQUESTS]
# Needs the Windows build in build-win/.
set -euo pipefail
cd "$(dirname "$0")/.."
REQUESTS=${1:-300}
EXE=${TAILCHIME_WINDOWS_EXE:-$PWD/build-win/src/tailchime.exe}
WORK=$(mktemp -d /tmp/tailchime-bench.XXXXXX)
source scripts/wine-prefix.sh
trap 'end_wine; rm -rf "$WORK"' EXIT
make_wine_prefix
wineserver -p
dir="Z:${WORK//\//\\}"
ms() { echo $((($(date +%s%N) - $1) / 1000000)); }

t0=$(date +%s%N)
printf 'n0 kerchunks\n' | wine "$EXE" --web-password --config-dir "$dir" >/dev/null 2>&1
echo "--web-password (Argon2id, 64 MiB): $(ms "$t0") ms, Wine's start included"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
url=http://127.0.0.1:$port
printf 'callsign W1AW-R\nat 1000 carrier up\nat 4000 carrier down\nat 600000 end\n' >"$WORK/station.tcs"
wine "$EXE" --headless "$dir\\station.tcs" --web "127.0.0.1:$port" --config-dir "$dir" \
    --stats-server 127.0.0.1:1 >"$WORK/out.txt" 2>/dev/null &
until grep -q "serving $url/" "$WORK/out.txt" 2>/dev/null; do sleep 0.05; done
pid=$(pgrep -f "tailchime.exe --headless" | head -1)

t0=$(date +%s%N)
curl -s -o /dev/null -c "$WORK/jar" -H "Origin: $url" -H "Content-Type: application/json" \
    --data '{"password":"n0 kerchunks"}' "$url/api/login"
echo "login: $(ms "$t0") ms"

spread() {  # the times in seconds, one a line: median, p99 and worst in ms
    sort -n | awk '{ t[NR] = $1 * 1000 } END {
        p99 = int(NR * 0.99) + 1; if (p99 > NR) p99 = NR
        printf "median %.2f ms, p99 %.2f ms, worst %.2f ms (%d requests)\n", t[int(NR * 0.5) + 1], t[p99], t[NR], NR }'
}
urls=()
for _ in $(seq "$REQUESTS"); do urls+=(-o /dev/null "$url/api/state"); done
echo "/api/state on one kept connection: $(curl -s -b "$WORK/jar" -w '%{time_total}\n' "${urls[@]}" | spread)"
echo "/api/state on a new connection each: $(for _ in $(seq "$REQUESTS"); do
    curl -s -b "$WORK/jar" -o /dev/null -w '%{time_total}\n' "$url/api/state"; done | spread)"
t0=$(date +%s%N)
curl -s -b "$WORK/jar" "${urls[@]}"
echo "$REQUESTS states in $(ms "$t0") ms on one connection"
echo "resident memory serving the page: $(awk '/VmRSS/ { printf "%.1f MB", $2 / 1024 }' "/proc/$pid/status")"
echo "load $(cut -d' ' -f1-3 /proc/loadavg)"
kill "$pid"
