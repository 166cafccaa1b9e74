#!/usr/bin/env bash
# Takes the pictures of the Windows program's windows as Windows (Wine)
# draws them: the main window, the about window, the station simulator and
# the "Web page..." window,
# into DIR (docs/ by default) as windows-*.png. Needs the Windows build in
# build-win/; runs on a virtual X display of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
OUT=$(cd "${1:-docs}" && pwd)
if [ -z "${TAILCHIME_XVFB:-}" ]; then
    TAILCHIME_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$OUT"
fi
WORK=$(mktemp -d /tmp/tailchime-shots.XXXXXX)
source scripts/wine-prefix.sh
trap 'end_wine; rm -rf "$WORK"' EXIT
make_wine_prefix
mkdir -p "$WORK/config"
config="Z:${WORK//\//\\}\\config"
wine build-win/src/tailchime.exe --host simulated --config-dir "$config" --stats-server 127.0.0.1:1 >/dev/null 2>&1 &
title="Tailchime    N0CALL-L   v2.0.1"
drive() { wine build-win/tests/windows/panel-driver.exe "$@" 2>/dev/null | tr -d '\r'; }
# The X window of a top-level window by its title, and its size (or, with
# "other", the one of that title that is not the main window).
xid() {
    xwininfo -root -tree | awk -v t="\"$1\":" -v s="$2+" \
        'index($0, t) && (s == "other+" ? !index($0, " 336x280+") : index($0, s)) { print $1; exit }'
}
shot() {  # shot XID FILE
    [ -n "$1" ] || { echo "windows-screenshots: a window is missing" >&2; exit 1; }
    import -window "$1" "$2"
}
drive "window=$title" text=Antenna=antenna1 >/dev/null  # the antenna turns: the status clock runs
shot "$(xid "$title" 336x280)" "$OUT/windows-main-window.png"
shot "$(xid "Station simulator" 300x360)" "$OUT/windows-station-simulator.png"
drive "window=$title" menu=1 "fill=Web page=303=8080" "says=Web page=No page is served" >/dev/null
sleep 0.5  # its first paint
shot "$(xid "Web page" "")" "$OUT/windows-web-page-window.png"
drive "window=$title" "press=Web page=Close" >/dev/null
drive "window=$title" click=Command12 >/dev/null
# The about window has the main window's title; Wine draws its small caption itself.
for _ in $(seq 100); do [ -n "$(xid "$title" other)" ] && break; sleep 0.1; done
sleep 0.5  # its first paint
shot "$(xid "$title" other)" "$OUT/windows-about-window.png"
drive "window=$title" close >/dev/null
echo "Pictures of the Windows program's windows in $OUT"
