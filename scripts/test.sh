#!/usr/bin/env bash
# Builds Tailchime and runs every test: the Windows program and its installer
# under Wine, the Linux tests, the Debian package's checks, the whole suite
# again built with AddressSanitizer and UndefinedBehaviorSanitizer, and a
# short run of each fuzz target. Needs no display and no sound device.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
bash tests/windows/run.sh
bash tests/windows/install.sh
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
ctest --test-dir build --output-on-failure -j"$(nproc)"
bash tests/package/run.sh
bash scripts/sanitized.sh
bash scripts/fuzz.sh 30
