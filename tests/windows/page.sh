# Sourced by run.sh: the web page, the login and the history of tailchime.exe,
# on the real clock beside a station script. The page is asked with curl, the
# history file read with Python's sqlite3.

# --- The password ------------------------------------------------------------------
dir=$WORK/page
mkdir -p "$dir"
printf 'n0 kerchunks\n' | timeout 90 wine "$EXE" --web-password --config-dir "$(winpath "$dir")" \
    >"$dir/password.txt" 2>&1
grep -q '^PASSWORD=\$argon2id\$' "$dir/tailchime.ini" && ! grep -q 'n0 kerchunks' "$dir/tailchime.ini"
verdict $? "--web-password: the password from standard input, only its Argon2id hash stored" \
    "$(unix <"$dir/password.txt"; cat "$dir/tailchime.ini")"

# --- No broker bridge in this build: --mqtt is refused before the station starts ----------
timeout 90 wine "$EXE" --mqtt 127.0.0.1 --config-dir "$(winpath "$dir")" >"$dir/mqtt.txt" 2>&1
[ $? -eq 2 ] && [ "$(unix <"$dir/mqtt.txt" | head -1)" = "tailchime: --mqtt: this build has no broker bridge" ]
verdict $? "--mqtt: refused in one line, this build having no broker bridge" "$(unix <"$dir/mqtt.txt")"

# --- The page: login, state, a control, the overs in history.sqlite ---------------------
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
url=http://127.0.0.1:$port
# The run goes on until the test has done with the page and stops it.
cat >"$dir/station.tcs" <<EOF
callsign W1AW-R
at 1000 carrier up
at 5000 carrier down
at 6000 carrier up
at 6500 carrier down
at 600000 end
EOF
start "$dir/station.out" --headless "$(winpath "$dir/station.tcs")" --web "127.0.0.1:$port" \
    --config-dir "$(winpath "$dir")" --stats-server 127.0.0.1:1
api() {  # api PATH [BODY]: the answer's status; the body in $dir/body
    local data=()
    [ $# -gt 1 ] && data=(-H "Content-Type: application/json" --data "$2")
    curl -s --max-time 30 -o "$dir/body" -w '%{http_code}' -b "$dir/jar" -c "$dir/jar" -H "Origin: $url" \
        "${data[@]}" "$url$1"
}
state_has() {  # waits until /api/state holds the text
    for _ in $(seq 600); do
        [ "$(api /api/state)" = 200 ] && grep -qF "$1" "$dir/body" && return 0
        sleep 0.1
    done
    return 1
}
wait_line "$dir/station.out" "web \"serving $url/\""
verdict $? "the page served on the port asked for" "$(unix <"$dir/station.out")"
[ "$(api /api/state)" = 401 ] && [ "$(api /api/control '{"action":"off"}')" = 401 ]
verdict $? "before a login: no state, no control" "$(cat "$dir/body")"
[ "$(api /api/login '{"password":"wrong"}')" = 401 ] && [ "$(api /api/login '{"password":"n0 kerchunks"}')" = 200 ]
verdict $? "a wrong password refused, the right one logs in" "$(cat "$dir/body")"
state_has '"today":{"overs":1,"kerchunks":1,"courtesies":1'
verdict $? "the state follows the carrier: an over and a kerchunk today, one courtesy" "$(cat "$dir/body")"
[ "$(api /api/control '{"action":"off"}')" = 200 ] && state_has '"on":false'
verdict $? "switched off from the page: the next state says so" "$(cat "$dir/body")"
wait_line "$dir/station.out" 'web "off from 127.0.0.1"'
verdict $? "the switch-off told in the station's log" "$(unix <"$dir/station.out")"
win taskkill /F /IM tailchime.exe >/dev/null
ended
history() {  # history FILE SQL: the first row's first value
    python3 -c 'import sqlite3, sys; print(sqlite3.connect(sys.argv[1]).execute(sys.argv[2]).fetchone()[0])' "$@"
}
[ "$(history "$dir/history.sqlite" 'SELECT count(*) FROM overs WHERE counted')" = 1 ] &&
    [ "$(history "$dir/history.sqlite" 'SELECT count(*) FROM overs WHERE NOT counted')" = 1 ]
verdict $? "history.sqlite holds the counted over and the kerchunk" "$(ls -l "$dir")"

# --- The history killed while it is written ------------------------------------------
# Every over of a second counts and earns its CW courtesy, whose line tells
# how far the station got; every over that ended a second before it is kept.
dir=$WORK/page-kill
mkdir -p "$dir"
{
    printf 'callsign W1AW-R\nat 100 type KerchunkWait 100\nat 100 type HangTime 100\n'
    for i in $(seq 0 59); do printf 'at %d carrier up\nat %d carrier down\n' $((1000 + i * 1000)) $((1300 + i * 1000)); done
} >"$dir/overs.tcs"
start "$dir/overs.out" --headless "$(winpath "$dir/overs.tcs")" --config-dir "$(winpath "$dir")" \
    --stats-server 127.0.0.1:1
for _ in $(seq 1200); do [ "$(unix <"$dir/overs.out" | grep -c ' cw "K"$')" -ge 8 ] && break; sleep 0.1; done
alive=$(unix <"$dir/overs.out" | grep ' cw "K"$' | tail -1 | cut -d' ' -f1)
win taskkill /F /IM tailchime.exe >/dev/null
ended
before=$(((alive - 1000 - 1300) / 1000 + 1))
[ "$(history "$dir/history.sqlite" 'PRAGMA integrity_check')" = ok ] &&
    [ "$(history "$dir/history.sqlite" 'SELECT count(*) FROM overs')" -ge "$before" ]
verdict $? "killed while writing: the history passes its integrity check and holds all but the last second" \
    "station time $alive, $before overs expected; $(unix <"$dir/overs.out" | tail -5)"

# --- "Web page..." from the main window's context menu -------------------------------------
dir=$WORK/page-dialog
mkdir -p "$dir"
start "$dir/out.txt" --host simulated --config-dir "$(winpath "$dir")" --stats-server 127.0.0.1:1
title="Tailchime    N0CALL-L   v2.0.1"
# The dialog's fields: 302 address, 303 port, 304 and 305 the password twice.
out=$(drive "window=$title" "menu=1" "says=Web page=No page is served: give it a port." \
    "fill=Web page=303=99999" "press=Web page=Save" "says=Web page=The port is a number from 1 to 65535." \
    "fill=Web page=303=8123" "fill=Web page=304=n0 kerchunks" "fill=Web page=305=n0 kerchunkz" "press=Web page=Save" \
    "says=Web page=The two passwords differ." "fill=Web page=305=n0 kerchunks" "press=Web page=Save" \
    "says=Web page=The page: http://127.0.0.1:8123/" "says=Web page=Saved." close)
[ $? -eq 0 ] && ended && [ "$(setting "$dir/tailchime.ini" PORT)" = 8123 ] &&
    setting "$dir/tailchime.ini" PASSWORD | grep -q '^\$argon2id\$' && ! grep -q 'kerchunk' "$dir/tailchime.ini"
verdict $? "\"Web page...\": a bad port and differing passwords refused, then the port and the password's hash saved" \
    "$out
$(cat "$dir/tailchime.ini")"
