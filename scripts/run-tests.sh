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
