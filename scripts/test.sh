#!/usr/bin/env bash
# Builds Tailchime and runs every test: the Windows program under Wine, then
# the Linux tests. Needs no display and no sound device.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
bash tests/windows/run.sh
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
ctest --test-dir build --output-on-failure -j"$(nproc)"
