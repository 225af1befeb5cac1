#!/bin/sh
# web.sh -- the browser build: installs what it needs, builds build-web/, serves it or tests it.
#   scripts/web.sh [build] [GAME_FOLDER...]   build build-web/ (extra game folders packed beside Saltmere)
#   scripts/web.sh serve [PORT]               build, then serve build-web/ on http://127.0.0.1:PORT/ (8080)
#   scripts/web.sh test                       build with the test's own game, then play it in headless
#                                             Chromium (tests/web/web-test.js)
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

# arena FOLDER: the browser test's own small game, "webarena": an open field walled round, the
# player with a guide beside it to talk to and a wolf pup out of sight to the east to fight.
arena() {
    d="$1/webarena"
    rm -rf "$d"
    mkdir -p "$d/npcdef" "$d/idef" "$d/qdef"
    sed -e '1s/.*/The browser test arena/' -e '$s/.*/webarena/' tutorial/vars.sav >"$d/vars.sav"
    printf 'THE ARENA\n\nA field, a guide and a wolf pup.\n' >"$d/intro.txt"
    awk 'BEGIN { for (r = 0; r < 350; r++) { l = ""; for (c = 0; c < 350; c++)
                 l = l ((r < 2 || r > 347 || c < 2 || c > 347) ? "B" : "A"); print l } }' >"$d/map.dat"
    # x, y, health and its most, mana and its most, experience, level, strength, dexterity,
    # intelligence, flag, hostile, two lines, name, wanderer, picture, facing, money
    printf '%s\n' 528 624 200 200 15 15 0 1 5 4 4 0 0 Plyr ... Wren 0 0 1 40 >"$d/npcdef/0.def"
    printf '%s\n' 588 570 20 20 0 0 0 1 3 3 3 0 0 "Well met. The pup is east of here." \
        "Well met. The pup is east of here." "Pell the guide" 0 1 2 0 >"$d/npcdef/1.def"
    printf '%s\n' 1056 720 8 8 0 0 0 1 3 2 3 0 1 "It growls." "It growls." "Wolf pup" 0 6 2 0 >"$d/npcdef/2.def"
    # The player's walking staff, and the first quest of the tutorial (a game needs one).
    cp tutorial/idef/0.def "$d/idef/0.def"
    cp tutorial/qdef/0.def "$d/qdef/0.def"
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
        # build-web/ is left with the arena packed in; "web.sh build" makes it the plain game again.
        arena "$ROOT/build-web-test"
        build "$ROOT/build-web-test/webarena"
        need chromium chromium
        exec node --experimental-websocket --no-warnings tests/web/web-test.js "$OUT"
        ;;
    *)
        if [ -d "$what" ]; then build "$@"; else sed -n '2,6p' "$0" >&2; exit 2; fi
        ;;
esac
