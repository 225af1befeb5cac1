#!/bin/sh
# Installs what is missing, builds the benchmark (Release with debug info) in
# build-bench/ and runs it headless from the repository's root. Pass --quick
# for a shorter run. The figures are explained in docs/performance.md.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-bench -j"$(nproc)" --target quorvane-bench
exec ./build-bench/bench/quorvane-bench "$@" 2>/dev/null
