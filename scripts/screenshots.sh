#!/usr/bin/env bash
# Renews the README's pictures: the Qt windows (main window, station
# simulator), the web page, and the Windows program's (main, about, simulator).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh run
QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy build/src/tailchime --screenshot docs --config-dir "$(mktemp -d)"
# The supervisory web page at a desktop's and a phone's width, in headless Chromium.
/usr/bin/python3 tests/web/browser_test.py build/src/tailchime --screenshots docs
# The Windows program's windows as Windows (here Wine) draws them.
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-win
bash scripts/windows-screenshots.sh docs
