#!/usr/bin/env bash
# Sets up what is missing and builds Tailchime in build/:
#   bash scripts/build.sh run    only the program and its tones
#   bash scripts/build.sh        everything, tests and benchmarks included
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-all}" = run ]; then
  bash scripts/setup.sh run
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAILCHIME_TESTS=OFF -DTAILCHIME_BENCH=OFF >/dev/null
  # The windows are a module of their own, loaded by the program beside it
  # (absent from a tree configured with -DTAILCHIME_WINDOWS=OFF).
  targets=(tailchime tailchime_tones)
  if cmake --build build --target help | grep '^tailchime_windows:' >/dev/null; then targets+=(tailchime_windows); fi
  cmake --build build --target "${targets[@]}"
else
  bash scripts/setup.sh
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAILCHIME_TESTS=ON -DTAILCHIME_BENCH=ON >/dev/null
  cmake --build build -j"$(nproc)"
fi
