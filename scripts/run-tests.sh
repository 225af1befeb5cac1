#!/bin/sh
# Installs what is missing, builds everything and runs every test, headless:
# a normal build, its tests on Debian's SDL 1.2 and again on the SDL 1.2 layer
# over SDL 2, the installed game and its package, the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, a fuzz stage, then the
# browser build played in headless Chromium. Stops at the first failure.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
jobs="$(nproc)"
start=$(date +%s)
stamp() { echo "== $1 ($(($(date +%s) - start)) s)"; }

stamp "normal build and tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
# The long random-play runs and the play of the whole shipped game are left to the sanitizer
# stage, which checks more.
QUORVANE_SDL12=classic \
  ctest --test-dir build --output-on-failure -j"$jobs" -E '^(ChaosPlay\.The|HostileFolders\.|ShippedPlay\.)'

# The same tests on the SDL 1.2 that newer distributions ship: Debian's
# libsdl1.2-compat, a layer over SDL 2, fetched once into build/sdl12-compat
# and loaded through LD_LIBRARY_PATH; the system's own SDL stays in place.
stamp "normal tests on the SDL 1.2 layer over SDL 2"
compat=$(./scripts/sdl12-compat.sh build/sdl12-compat)
LD_LIBRARY_PATH="$compat" ldd build/quorvane | grep -q "libSDL-1.2.so.0 => $compat/" ||
  { echo "build/quorvane does not load $compat/libSDL-1.2.so.0"; exit 1; }
QUORVANE_SDL12=compat LD_LIBRARY_PATH="$compat" \
  ctest --test-dir build --output-on-failure -j"$jobs" -E '^(ChaosPlay\.The|HostileFolders\.|ShippedPlay\.)'

# The installed game: cmake --install and the Debian package, each started
# through its quorvane command (the package on both SDL 1.2 libraries).
stamp "installed game and package"
./tests/installed.sh build "$compat"

# Sanitizer stage: every test again, built with ASan and UBSan; leaks of the
# engine's own code fail the test that made them (tests/lsan.supp lists the
# libraries' own).
stamp "sanitizer build and tests"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1" \
LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

# Fuzz stage: a clang build with AddressSanitizer and UndefinedBehaviorSanitizer
# of one libFuzzer target per reader. Each replays its committed corpus, then
# fuzzes for a fixed number of runs; any finding fails the test command and is
# kept under build-fuzz/artifacts.
stamp "fuzz build and runs"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$jobs" --target fuzz
mkdir -p build-fuzz/artifacts
for t in character item quest vars map config scrolltext signs; do
  mkdir -p "build-fuzz/corpus/$t"
  echo "fuzz_$t: corpus replay and 20000 runs"
  build-fuzz/fuzz/fuzz_$t -close_fd_mask=3 fuzz/corpus/$t/* >"build-fuzz/fuzz_$t.log" 2>&1 ||
    { tail -n 40 "build-fuzz/fuzz_$t.log"; exit 1; }
  build-fuzz/fuzz/fuzz_$t -close_fd_mask=3 -runs=20000 -max_len=4096 \
    -artifact_prefix="build-fuzz/artifacts/$t-" "build-fuzz/corpus/$t" "fuzz/corpus/$t" >>"build-fuzz/fuzz_$t.log" 2>&1 ||
    { tail -n 40 "build-fuzz/fuzz_$t.log"; exit 1; }
done
# Browser stage: the engine built with Emscripten into build-web/ and played in headless
# Chromium (scripts/web.sh installs both from Debian when missing).
stamp "browser build and test"
./scripts/web.sh test

stamp "all passed"
