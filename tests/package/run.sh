#!/usr/bin/env bash
# Makes the Debian package from build/ and checks it as an installer would
# meet it: its contents, the desktop entry, the manual page, lintian, and the
# program unpacked into a scratch root running on the tones it installed.
set -uo pipefail
cd "$(dirname "$0")/../.."
passed=0
failed=0
check() {  # check NAME COMMAND...
  local name="$1"
  shift
  if "$@" >/tmp/tailchime-package-check.log 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name"
    sed 's/^/    /' /tmp/tailchime-package-check.log | tail -n 20
  fi
}

rm -rf build/package
(cd build && cpack -G DEB -B package >/dev/null) || { echo "cpack failed"; exit 1; }
deb=build/package/tailchime_2.0.1_amd64.deb
[ -f "$deb" ] || { echo "no $deb"; exit 1; }
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

for path in ./usr/bin/tailchime ./usr/share/tailchime/RF.wav ./usr/share/tailchime/IP.wav \
  ./usr/share/applications/tailchime.desktop ./usr/share/icons/hicolor/scalable/apps/tailchime.svg \
  ./usr/share/icons/hicolor/48x48/apps/tailchime.png ./usr/share/man/man1/tailchime.1.gz \
  ./usr/share/doc/tailchime/copyright ./usr/share/doc/tailchime/changelog.gz \
  ./usr/share/doc/tailchime/examples/example.tcs ./usr/lib/systemd/system/tailchime@.service \
  ./usr/lib/tailchime/tailchime-sound.so ./usr/lib/tailchime/tailchime-windows.so \
  ./usr/lib/tailchime/tailchime-report.so ./usr/lib/tailchime/tailchime-webhook.so; do
  check "the package holds $path" grep -qxF "$path" <<<"$listing"
done
check "its dependencies come from the libraries it links" \
  sh -c "dpkg-deb -f '$deb' Depends | grep -q 'libsdl2' && dpkg-deb -f '$deb' Depends | grep -q 'timgm6mb-soundfont' && dpkg-deb -f '$deb' Depends | grep -q 'libcurl4'"
check "desktop-file-validate accepts the desktop entry" \
  desktop-file-validate "$root/usr/share/applications/tailchime.desktop"
check "man renders the manual page without a warning" \
  sh -c "out=\$(MANWIDTH=80 man --warnings -l '$root/usr/share/man/man1/tailchime.1.gz' 2>&1 >/dev/null); [ -z \"\$out\" ] || { echo \"\$out\"; false; }"
check "lintian finds no error" lintian --fail-on error --suppress-tags dir-or-file-in-opt "$deb"

program="$root/usr/bin/tailchime"
check "the unpacked program says its version" sh -c "[ \"\$('$program' --version)\" = 'Tailchime 2.0.1' ]"
config=$(mktemp -d)
check "the unpacked program runs the example script" \
  sh -c "'$program' --headless examples/example.tcs --virtual-time --config-dir '$config' --stats-server 127.0.0.1:9 | grep -q '6500 cw \"K\"'"
script=$(mktemp)
printf 'at 100 click Picture13\nat 200 click Command7\nat 2000 end\n' >"$script"
check "the unpacked program plays the tone it installed" \
  sh -c "SDL_AUDIODRIVER=dummy '$program' --headless '$script' --virtual-time --config-dir '$config' --stats-server 127.0.0.1:9 | grep -qF 'play \"$root/usr/share/tailchime/RF.wav\"'"
check "the unpacked program sounds the tone on the real clock through its sound output" \
  sh -c "out=\$(SDL_AUDIODRIVER=dummy '$program' --headless '$script' --config-dir '$config' --stats-server 127.0.0.1:9 2>&1) && echo \"\$out\" | grep -qF 'play \"$root/usr/share/tailchime/RF.wav\"' && ! echo \"\$out\" | grep -q 'no sound output\|message'"
# The windows come from the module in the package's module folder, below
# the program's own prefix.
shots=$(mktemp -d)
check "the unpacked program shows its windows from the module it installed" \
  sh -c "QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy '$program' --screenshot '$shots' --config-dir '$config' --stats-server 127.0.0.1:9 &&
    [ -s '$shots/main-window.png' ] && [ -s '$shots/station-simulator.png' ]"
rm -rf "$config" "$script" "$shots"

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
