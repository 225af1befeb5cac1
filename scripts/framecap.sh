#!/bin/sh
# Builds the frame cap measurement (Release with debug info) in build-bench/ and
# runs it headless from the repository's root: processor use and frame
# intervals on the map, standing and walking, without and with "framecap".
# Pass the seconds each run takes (3 by default).
set -e
cd "$(dirname "$0")/.."
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-bench -j2 --target framecap-bench >/dev/null
exec ./build-bench/bench/framecap-bench "$@" 2>/dev/null
