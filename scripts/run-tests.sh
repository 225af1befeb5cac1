#!/bin/sh
# Installs what is missing, builds everything and runs every test, headless.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
jobs="$(nproc)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

# Fuzz stage: a clang build with AddressSanitizer and UndefinedBehaviorSanitizer
# of one libFuzzer target per reader. Each replays its committed corpus, then
# fuzzes for a fixed number of runs; any finding fails the test command and is
# kept under build-fuzz/artifacts.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$jobs" --target fuzz
mkdir -p build-fuzz/artifacts
for t in character item quest vars map; do
  mkdir -p "build-fuzz/corpus/$t"
  echo "fuzz_$t: corpus replay and 20000 runs"
  build-fuzz/fuzz/fuzz_$t -close_fd_mask=3 fuzz/corpus/$t/* >"build-fuzz/fuzz_$t.log" 2>&1 ||
    { tail -n 40 "build-fuzz/fuzz_$t.log"; exit 1; }
  build-fuzz/fuzz/fuzz_$t -close_fd_mask=3 -runs=20000 -max_len=4096 \
    -artifact_prefix="build-fuzz/artifacts/$t-" "build-fuzz/corpus/$t" "fuzz/corpus/$t" >>"build-fuzz/fuzz_$t.log" 2>&1 ||
    { tail -n 40 "build-fuzz/fuzz_$t.log"; exit 1; }
done
