#!/bin/sh
# web.sh -- the browser build: installs what it needs, builds build-web/, serves it or tests it.
#   scripts/web.sh [build] [GAME_FOLDER...]   build build-web/ (extra game folders packed beside Saltmere)
#   scripts/web.sh serve [PORT]               build, then serve build-web/ on http://127.0.0.1:PORT/ (8080)
#   scripts/web.sh test                       build, then play it in headless Chromium (tests/web/web-test.js)
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
OUT="$ROOT/build-web"
# Debian's node does not look in its own module folder, which emcc's tools need.
export NODE_PATH=/usr/share/nodejs

need() {   # need COMMAND PACKAGE: installs the Debian package when the command is missing
    command -v "$1" >/dev/null 2>&1 && return 0
    echo "web.sh: installing $2" >&2
    sudo=""
    [ "$(id -u)" = 0 ] || sudo=sudo
    $sudo apt-get install -y "$2" >/dev/null || { $sudo apt-get update >/dev/null && $sudo apt-get install -y "$2" >/dev/null; }
}

build() {
    need emcc emscripten
    extras=""
    for g in "$@"; do
        [ -d "$g" ] || { echo "web.sh: $g is not a folder" >&2; exit 2; }
        extras="${extras:+$extras;}$(cd "$g" && pwd)"
    done
    launcher=""
    command -v ccache >/dev/null 2>&1 && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
    emcmake cmake -S platform/web -B "$OUT/cmake" -DCMAKE_BUILD_TYPE=Release $launcher \
        -DWEB_OUT="$OUT" "-DWEB_EXTRA_GAMES=$extras" >/dev/null
    cmake --build "$OUT/cmake" -j2
    echo "web.sh: the game is in $OUT (index.html and its files)"
}

what=${1:-build}
case "$what" in
    build) [ $# -gt 0 ] && shift; build "$@" ;;
    serve)
        build
        port=${2:-8080}
        echo "web.sh: play at http://127.0.0.1:$port/ (Ctrl+C stops)"
        exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$OUT"
        ;;
    test)
        build
        need chromium chromium
        exec node --experimental-websocket --no-warnings tests/web/web-test.js "$OUT"
        ;;
    *)
        if [ -d "$what" ]; then build "$@"; else sed -n '2,6p' "$0" >&2; exit 2; fi
        ;;
esac
