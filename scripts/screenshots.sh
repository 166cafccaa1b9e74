#!/usr/bin/env bash
# Renews the README's pictures of the main window and the station simulator.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh run
QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy build/src/tailchime --screenshot docs --config-dir "$(mktemp -d)"
