#!/bin/sh
# installed.sh -- the game as a player installs it, checked from the outside.
#
# `cmake --install` into a scratch prefix, and the Debian package built with
# CPack and unpacked into a scratch root (dpkg -x: never installed into the
# machine). Each is started through its own quorvane command, headless, with a
# fresh home folder and nothing else of this machine's environment: it plays
# from the main menu into the shipped game, saves with F1 and closes, and must
# have saved into the per-user folder, linked the shipped data/ and tutorial/
# in from the install, copied the shipped config.cfg in on the first start
# only, and written nothing under the install. The desktop entry
# and the AppStream metadata are validated as installed. With a second
# argument, the unpacked package is played again on the SDL 1.2 in that folder.
# Usage: tests/installed.sh BUILD_DIR [SDL_LIBRARY_DIR]
set -e
build=$(cd "$1" && pwd)
other_sdl=$2
scratch=$build/installed
rm -rf "$scratch"
mkdir -p "$scratch"
keyfeed=$build/tests/libquorvane_keyfeed.so
id=org.quorvane.Quorvane

fail() {
  echo "installed game: $1" >&2
  [ -f "$scratch/play.log" ] && tail -n 20 "$scratch/play.log" >&2
  exit 1
}

# play PREFIX HOME FOLDER [XDG_DATA_HOME [SDL_LIBRARY_DIR]]: New Game, leave the
# introduction, a few frames on the map, F1, close the window.
play() {
  prefix=$1 home=$2 folder=$3 xdg=$4 sdl=$5
  mkdir -p "$home"
  touch "$scratch/stamp"
  env -i PATH=/usr/bin:/bin HOME="$home" ${xdg:+XDG_DATA_HOME="$xdg"} ${sdl:+LD_LIBRARY_PATH="$sdl"} \
    SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy LD_PRELOAD="$keyfeed" \
    QUORVANE_KEYS="30:return 90:x 200:f1 260:quit" \
    timeout 120 "$prefix/bin/quorvane" >"$scratch/play.log" 2>&1 || fail "$prefix/bin/quorvane did not end well ($?)"
  grep -q "Assets loaded." "$scratch/play.log" || fail "the engine did not start"
  for f in vars.sav map.dat npcdef/0.def; do
    [ -f "$folder/save/$f" ] || fail "no save/$f in $folder"
  done
  [ -n "$(find "$folder/save/vars.sav" -newer "$scratch/stamp")" ] || fail "this start did not save"
  for game in data tutorial; do
    [ "$(readlink "$folder/$game")" = "$(readlink -f "$prefix/share/games/quorvane/$game")" ] ||
      fail "$folder/$game is not a link to the installed $game/"
  done
  # Installed into the home folder itself, the player's folder is under the
  # prefix too: then the installed game's own folders are watched.
  case "$folder/" in
  "$prefix"/*) watched="$prefix/bin $prefix/libexec $prefix/share/games" ;;
  *) watched=$prefix ;;
  esac
  written=$(find $watched -newer "$scratch/stamp" | head -n 5)
  [ -z "$written" ] || fail "written under the install: $written"
}

validate() {
  desktop-file-validate "$1/share/applications/$id.desktop" || fail "desktop entry"
  # validate-tree also checks that the metadata's desktop entry is installed.
  appstreamcli validate-tree --no-net --explain "$1" >"$scratch/appstream.log" 2>&1 ||
    { cat "$scratch/appstream.log" >&2; fail "AppStream metadata"; }
  for size in 32 64 128 256; do
    [ -f "$1/share/icons/hicolor/${size}x$size/apps/$id.png" ] || fail "no ${size}x$size icon"
  done
}

echo "cmake --install into a scratch prefix; played with XDG_DATA_HOME set, then without"
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
validate "$scratch/prefix"
# The installed checker finds the installed assets by itself and passes the installed game.
(cd / && env -i PATH=/usr/bin:/bin "$scratch/prefix/bin/quorvane-check" "$scratch/prefix/share/games/quorvane/data") \
  >"$scratch/check.log" 2>&1 || { cat "$scratch/check.log" >&2; fail "quorvane-check on the installed data/"; }
# The installed map tool finds them too: an area of the installed world exported with its tilesets.
(cd / && env -i PATH=/usr/bin:/bin "$scratch/prefix/bin/quorvane-map" export --area 100,100,8,8 \
  "$scratch/prefix/share/games/quorvane/data" "$scratch/area.tmx") >"$scratch/map.log" 2>&1 &&
  [ -s "$scratch/area-tiles.png" ] || { cat "$scratch/map.log" >&2; fail "quorvane-map export of the installed data/"; }
# The installed scaffold writes a new game that the installed checker passes without a word.
(cd "$scratch" && env -i PATH=/usr/bin:/bin "$scratch/prefix/bin/quorvane-new" newgame &&
  env -i PATH=/usr/bin:/bin "$scratch/prefix/bin/quorvane-check" newgame) >"$scratch/new.log" 2>&1 &&
  grep -qx "newgame: clean" "$scratch/new.log" || { cat "$scratch/new.log" >&2; fail "quorvane-new, then quorvane-check on its game"; }
play "$scratch/prefix" "$scratch/home-a" "$scratch/xdg/quorvane" "$scratch/xdg"
[ ! -e "$scratch/home-a/.local" ] || fail "XDG_DATA_HOME was set, yet ~/.local was made"
play "$scratch/prefix" "$scratch/home-b" "$scratch/home-b/.local/share/quorvane"
cfg=$scratch/home-b/.local/share/quorvane/config.cfg
cmp -s "$cfg" "$scratch/prefix/share/games/quorvane/config.cfg" ||
  fail "the first start did not copy in the shipped config.cfg"
grep -q "Doorway assist enabled" "$scratch/play.log" || fail "the shipped options were not read"
# A second start finds its folder ready, saves over the first save and leaves the player's own
# options as they are.
echo longtalk >"$cfg"
play "$scratch/prefix" "$scratch/home-b" "$scratch/home-b/.local/share/quorvane"
[ "$(cat "$cfg")" = longtalk ] || fail "a later start changed the player's config.cfg"

echo "cmake --install into the home folder's ~/.local, beside the player's folder"
cmake --install "$build" --prefix "$scratch/home-c/.local" >/dev/null
play "$scratch/home-c/.local" "$scratch/home-c" "$scratch/home-c/.local/share/quorvane"

echo "cpack -G DEB, unpacked with dpkg -x into a scratch root"
(cd "$build" && cpack -G DEB -B "$scratch/package" >"$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$scratch"/package/quorvane_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libsdl1.2debian libsdl-image1.2 libsdl-mixer1.2 libsdl-ttf2.0-0; do
  echo "$depends" | grep -q "$lib" || fail "the package does not depend on $lib: $depends"
done
dpkg -x "$deb" "$scratch/root"
for f in share/games/quorvane/data/assets/font.ttf share/games/quorvane/data/assets/font-LICENSE.txt share/doc/quorvane/copyright; do
  [ -f "$scratch/root/usr/$f" ] || fail "the package has no /usr/$f"
done
validate "$scratch/root/usr"
play "$scratch/root/usr" "$scratch/home-deb" "$scratch/home-deb/.local/share/quorvane"
if [ -n "$other_sdl" ]; then
  echo "the unpacked package again, on the SDL 1.2 in $other_sdl"
  play "$scratch/root/usr" "$scratch/home-deb2" "$scratch/home-deb2/.local/share/quorvane" "" "$other_sdl"
fi
echo "installed game: all checks passed"
