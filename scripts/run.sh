#!/usr/bin/env bash
# Builds Tailchime and starts it on its built-in simulated station: the
# windows where there is a display, otherwise an example station script,
# headless, with its transcript.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh run
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -f build/src/tailchime-windows.so ]; then
  exec build/src/tailchime "$@"
fi
echo "No display here: running the example station script examples/example.tcs headless on virtual time."
echo "Its transcript follows (time in ms, then what the station did)."
exec build/src/tailchime --headless examples/example.tcs --virtual-time --config-dir "$(mktemp -d)" "$@"
