#!/usr/bin/env bash
# The Windows installer and the portable zip, tried in a fresh Wine prefix
# on a virtual display as a station's sysop would: the build makes both; a
# silent install puts the program, the Start-menu shortcuts, the start-up
# entry and the uninstall key in place; the installed program started from
# its shortcut with no arguments attaches to the stand-in node program when
# it is registered, and runs the simulated station with its notice when it
# is not; install and uninstall refuse while the program runs and change
# nothing; a second install keeps the settings and the choices; a silent
# uninstall leaves only the settings, and nothing of the operator's own goes
# with it. Ends with "N passed, M failed"; the exit status is 0 only when
# nothing failed.
source "$(dirname "$0")/common.sh"

SETUP=$WIN_BUILD/tailchime-2.0.1-win64-setup.exe
ZIP=$WIN_BUILD/tailchime-2.0.1-win64.zip
C=$WINEPREFIX/drive_c
FOLDER="$C/Program Files/Tailchime"
MENU="$C/ProgramData/Microsoft/Windows/Start Menu/Programs/Tailchime"
MENU_WIN='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Tailchime'
DESKTOP="$C/users/Public/Desktop"
KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tailchime'
RUN='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
EXE="$FOLDER/tailchime.exe"
TITLE="Tailchime    N0CALL-L   v2.0.1"
NOTICE="The node program is not installed: this is the simulated station"

# A value from the registry, as `reg query` shows it: value KEY NAME
value() { wine reg query "$1" /v "$2" 2>/dev/null | unix | sed -nE "s/^ +$2 +REG_[A-Z_]+ +(.*)$/\1/p"; }
# Says so when the uninstall key is there.
uninstall_key() { wine reg query "$KEY" >/dev/null 2>&1 && echo "$KEY"; }
# The files of a folder, one line.
files() { (cd "$1" 2>/dev/null && ls | sort | tr '\n' ' '); }
# Runs a command line as Windows' command interpreter reads it (quotes and
# all), from a batch file; returns its exit status.
command_line() {
    printf '@%s\r\n@exit /b %%ERRORLEVEL%%\r\n' "$1" >"$WORK/line.cmd"
    win cmd /c "$(winpath "$WORK/line.cmd")"
}
# Runs the installer with ARGS; the time it took goes into $took.
setup() {
    local t0 status
    t0=$(date +%s%N)
    win "$SETUP" "$@"
    status=$?
    took="$((($(date +%s%N) - t0) / 1000000)) ms"
    return $status
}
# All that the installer may touch: files with sizes and times, and keys.
state() {
    find "$FOLDER" "$MENU" "$DESKTOP" -printf '%p %s %T@\n' 2>/dev/null | sort
    wine reg query "$KEY" 2>/dev/null | unix
    value "$RUN" Tailchime
}
# Starts a Start-menu shortcut as the desktop's shell does.
shortcut() { win start "$MENU_WIN\\$1.lnk"; }
# Waits until the programs of the prefix have ended (a ceiling only against a hang).
all_ended() { timeout 120 wineserver -w; }

# --- What the build hands out ---------------------------------------------------
mkdir -p "$WORK/zip"
cmake -E chdir "$WORK/zip" cmake -E tar xf "$ZIP"
same=yes
for f in tailchime.exe RF.wav IP.wav; do cmp -s "$WORK/zip/Tailchime/$f" "$WIN_BUILD/src/$f" || same=no; done
[ "$(files "$WORK/zip")" = "Tailchime " ] && [ "$(files "$WORK/zip/Tailchime")" = "IP.wav LICENSE.txt README.txt RF.wav tailchime.exe " ] &&
    [ $same = yes ] && grep -q $'\r$' "$WORK/zip/Tailchime/README.txt"
verdict $? "the portable zip: one folder with the program, the tones, the licence and the read-me" "$(cmake -E tar tvf "$ZIP")"
check "the installer is made, with its version resource 2.00.0001" \
    bash -c "strings -el '$SETUP' | grep -x 2.00.0001"
prefix_ready

# --- A silent install -----------------------------------------------------------------
setup /S /StartWithWindows
status=$?
all_ended
echo "    (a silent install took $took; the installer is $(stat -c %s "$SETUP") bytes, the zip $(stat -c %s "$ZIP"))"
[ $status -eq 0 ] && [ "$(files "$FOLDER")" = "IP.wav LICENSE.txt README.txt RF.wav tailchime.exe uninstall.exe " ] &&
    cmp -s "$EXE" "$WIN_BUILD/src/tailchime.exe"
verdict $? "/S installs with status 0: the program, the tones, the licence, the read-me and the uninstaller" \
        "status $status: $(files "$FOLDER")"
[ "$(files "$MENU")" = "Tailchime station simulator.lnk Tailchime.lnk " ] && [ -f "$DESKTOP/Tailchime.lnk" ] &&
    strings -el "$MENU/Tailchime station simulator.lnk" | grep -qx -- '--host simulated' &&
    [ "$(value "$RUN" Tailchime)" = '"C:\Program Files\Tailchime\tailchime.exe"' ]
verdict $? "the Start-menu folder (the program, the station simulator), the desktop shortcut, the start with Windows" \
        "$(files "$MENU") / $(files "$DESKTOP") / $(value "$RUN" Tailchime)"
size=$(value "$KEY" EstimatedSize)
kb=$(find "$FOLDER" -type f -printf '%s\n' | awk '{ n += $1 } END { print int(n / 1024) }')
entry=$(for v in DisplayName DisplayVersion Publisher DisplayIcon UninstallString QuietUninstallString; do
    echo "$v=$(value "$KEY" $v)"; done)
expected='DisplayName=Tailchime
DisplayVersion=2.0.1
Publisher=Tailchime Team
DisplayIcon=C:\Program Files\Tailchime\tailchime.exe,0
UninstallString="C:\Program Files\Tailchime\uninstall.exe"
QuietUninstallString="C:\Program Files\Tailchime\uninstall.exe" /S'
[ "$entry" = "$expected" ] && [ -n "$size" ] && [ $((size - kb)) -ge -6 ] && [ $((size - kb)) -le 6 ]
verdict $? "the entry in Programs and Features, with the installed size ($((size)) KB)" "$entry
(EstimatedSize $size, files $kb KB)"

# --- The installed program from its shortcuts ------------------------------------------
SETTINGS="$C/users/$(id -un)/AppData/Roaming/Tailchime"
register "$HERE/timelines/quiet.tcs" "$WORK/record.txt"
shortcut Tailchime
out=$(drive "window=Tailchime    W1AW-R   v2.0.1" close)
status=$?
all_ended
[ $status -eq 0 ] && [ "$(unix <"$WORK/record.txt" | grep -c ' call Advise$')" -eq 1 ]
verdict $? "with the node program installed, the Tailchime shortcut attaches to it: events connected, its call sign in the title" \
        "$out$(unix <"$WORK/record.txt" 2>/dev/null | head -5)"
shortcut "Tailchime station simulator"
out=$(drive "window=$TITLE" "clientsize=Station simulator=300x360" close)
status=$?
all_ended
[ $status -eq 0 ] && [ "$(unix <"$WORK/record.txt" | grep -c ' call Advise$')" -eq 1 ]
verdict $? "the station simulator shortcut runs the simulated station beside the installed node program, without a notice" "$out"

win "$STANDIN" /UnregServer
shortcut Tailchime
check "without the node program the Tailchime shortcut runs the simulated station and says why in the title" \
    drive "window=$TITLE - $NOTICE"
check "... and in the station simulator's log" drive "says=Station simulator=$NOTICE"
# A setting the operator changes and saves, for the upgrade below.
drive "window=$TITLE - $NOTICE" click=Command17 type=HangTime=650 click=Command16 >/dev/null
check "... where a changed setting is saved in %APPDATA%\\Tailchime" wait_line "$SETTINGS/tailchime.ini" '^HANGTIME=650$'

# --- While the program runs -------------------------------------------------------------
before=$(state)
setup /S
status=$?
[ $status -ne 0 ] && [ "$(state)" = "$before" ]
verdict $? "an install while the program runs fails (status $status) and changes nothing" "$(diff <(echo "$before") <(state))"
cp "$FOLDER/uninstall.exe" "$WORK/uninstall.exe"
command_line "\"$(winpath "$WORK/uninstall.exe")\" /S _?=C:\\Program Files\\Tailchime"
status=$?
[ $status -ne 0 ] && [ "$(state)" = "$before" ]
verdict $? "an uninstall while the program runs fails (status $status) and changes nothing" "$(diff <(echo "$before") <(state))"
drive "window=$TITLE - $NOTICE" close >/dev/null
all_ended

# --- Upgrade and uninstall ------------------------------------------------------------------
cp "$SETTINGS/tailchime.ini" "$WORK/settings.ini"
setup /S
status=$?
all_ended
[ $status -eq 0 ] && cmp -s "$SETTINGS/tailchime.ini" "$WORK/settings.ini" && [ -n "$(value "$RUN" Tailchime)" ] &&
    [ -f "$DESKTOP/Tailchime.lnk" ] && [ "$(value "$KEY" DisplayVersion)" = 2.0.1 ]
verdict $? "a second install over the first ($took) keeps the changed setting and the choices made" "status $status
$(state)"

t0=$(date +%s%N)
command_line "$(value "$KEY" QuietUninstallString)"
status=$?
all_ended
took="$((($(date +%s%N) - t0) / 1000000)) ms"
left=$(find "$FOLDER" "$MENU" "$DESKTOP/Tailchime.lnk" 2>/dev/null; uninstall_key; value "$RUN" Tailchime)
[ $status -eq 0 ] && [ -z "$left" ] && cmp -s "$SETTINGS/tailchime.ini" "$WORK/settings.ini" &&
    [ -s "$SETTINGS/history.sqlite" ]
verdict $? "the quiet uninstall ($took) leaves nothing in Program Files, the Start menu, the desktop or the registry; the settings and the history stay" \
        "status $status: $left"

# --- Another folder -------------------------------------------------------------------------
setup /S /NoDesktopShortcut '/D=C:\Stations\Tailchime'
status=$?
all_ended
OTHER=$C/Stations/Tailchime
mkdir -p "$WORK/other"
win "$OTHER/tailchime.exe" --headless "$(winpath "$HERE/timelines/tone-test.tcs")" --virtual-time \
    --config-dir "$(winpath "$WORK/other")" --stats-server 127.0.0.1:1 | unix >"$WORK/other.txt"
[ $status -eq 0 ] && [ ! -e "$DESKTOP/Tailchime.lnk" ] && [ ! -e "$FOLDER" ] &&
    grep -qF ' played "C:\\Stations\\Tailchime\\RF.wav"' "$WORK/other.txt"
verdict $? "/D= installs into another folder (no desktop shortcut when told), where the program finds its tones beside it" \
        "status $status: $(files "$OTHER") $(cat "$WORK/other.txt")"
echo "my own ident" >"$OTHER/MyIdent.wav"
cp "$OTHER/uninstall.exe" "$WORK/uninstall.exe"
command_line "\"$(winpath "$WORK/uninstall.exe")\" /S _?=C:\\Stations\\Tailchime"
status=$?
all_ended
[ $status -eq 0 ] && [ "$(files "$OTHER")" = "MyIdent.wav " ] && [ -z "$(uninstall_key)" ]
verdict $? "a scripted uninstall ends with status 0 and leaves the operator's own file in the folder" "status $status: $(files "$OTHER")"

finish
