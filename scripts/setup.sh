#!/usr/bin/env bash
# Installs the Debian packages that Tailchime needs to build, run and test,
# when some are missing. Safe to run again.
set -euo pipefail

PACKAGES=(
  # build
  cmake ninja-build g++ pkg-config libgtest-dev
  # sound: decoding, MIDI with a General MIDI soundfont, output
  libsndfile1-dev libfluidsynth-dev timgm6mb-soundfont libsdl2-dev
  # usage report
  libcurl4-openssl-dev
  # windows
  qt6-base-dev qt6-svg-dev libgl-dev
  # test fixtures and screenshots
  sox lame twolame xvfb xauth x11-utils imagemagick
  # the Windows build's pictures, rasterised from the SVGs
  librsvg2-bin
  # the Windows build (MinGW-w64, widl) and its tests under Wine
  g++-mingw-w64-x86-64 mingw-w64-tools wine64 wine libwine-dev gstreamer1.0-plugins-good
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
