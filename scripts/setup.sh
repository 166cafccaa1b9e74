#!/usr/bin/env bash
# Installs the Debian packages that Tailchime needs, when some are missing.
# Safe to run again.
#   bash scripts/setup.sh run    what building and running the program needs
#   bash scripts/setup.sh        that and everything the tests need
set -euo pipefail

RUN_PACKAGES=(
  # build
  cmake ninja-build g++ pkg-config
  # sound: decoding, MIDI with a General MIDI soundfont, output
  libsndfile1-dev libmpg123-dev libfluidsynth-dev timgm6mb-soundfont libsdl2-dev
  # a real radio: Hamlib (rigctld for the radio tests)
  libhamlib-dev libhamlib-utils
  # usage report
  libcurl4-openssl-dev
  # the station's history, its web page (Boost.Beast, TLS by OpenSSL), the page's password
  libsqlite3-dev libboost-dev libssl-dev libsodium-dev libjs-chart.js
  # the club's broker (MQTT)
  libmosquitto-dev nlohmann-json3-dev
  # windows
  qt6-base-dev qt6-svg-dev libgl-dev
)
TEST_PACKAGES=(
  libgtest-dev
  # the tests' own HTTP client
  libcpp-httplib-dev
  # test fixtures, screenshots, killing a save at each of its calls
  sox lame twolame xvfb xauth x11-utils imagemagick strace
  # the start-up benchmark hears of the windows from the X server
  libxcb1-dev
  # sanitizers and fuzzing (clang's libFuzzer)
  clang libclang-rt-14-dev
  # the web page in a real browser; a certificate for its TLS test
  chromium chromium-driver python3-selenium openssl
  # a real broker and scraper for the club's tools
  mosquitto mosquitto-clients prometheus
  # the Debian package and its checks
  dpkg-dev librsvg2-bin lintian desktop-file-utils man-db
  # the Windows build (MinGW-w64, widl), its installer (NSIS) and its tests under Wine
  g++-mingw-w64-x86-64 mingw-w64-tools nsis wine64 wine libwine-dev gstreamer1.0-plugins-good
  # ... its libraries from Debian's source packages: SQLite's amalgamation (tclsh), libsodium (autotools)
  tcl autoconf automake libtool
)

packages=("${RUN_PACKAGES[@]}")
[ "${1:-test}" = run ] || packages+=("${TEST_PACKAGES[@]}")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
