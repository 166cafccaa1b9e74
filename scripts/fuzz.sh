#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs each for a while on
# its seed corpus in fuzz/corpus. The test command runs them for 30 s each;
# give more time for a longer hunt:  bash scripts/fuzz.sh 3600
# New inputs found go to build-fuzz/corpus/, crashes to build-fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAILCHIME_FUZZ=ON \
  -DTAILCHIME_WINDOWS=OFF -DTAILCHIME_TESTS=OFF -DTAILCHIME_BENCH=OFF >/dev/null
cmake --build build-fuzz --target settings_fuzz script_fuzz audio_fuzz control_fuzz
mkdir -p build-fuzz/crashes
for target in settings script audio control; do
  mkdir -p "build-fuzz/corpus/$target"
  echo "fuzzing the $target reader for ${seconds}s"
  log="build-fuzz/$target.log"
  if ! SDL_AUDIODRIVER=dummy "build-fuzz/fuzz/${target}_fuzz" -max_total_time="$seconds" -max_len=65536 \
      -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 -artifact_prefix="build-fuzz/crashes/$target-" \
      "build-fuzz/corpus/$target" "fuzz/corpus/$target" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "the $target fuzz target found a fault (input in build-fuzz/crashes/)"
    exit 1
  fi
  grep -E "^stat::number_of_executed_units|Done [0-9]+ runs" "$log" | tail -n 2
done
