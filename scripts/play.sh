#!/bin/sh
# Installs what is missing, builds the game and starts it from the repository's root, where it
# reads the shipped options, config.cfg.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target quorvane
exec ./build/quorvane "$@"
