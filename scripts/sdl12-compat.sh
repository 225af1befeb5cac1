#!/bin/sh
# Fetches Debian's libsdl1.2-compat (SDL 1.2 as a layer over SDL 2, which newer
# distributions ship as their SDL 1.2) into a folder of the build tree, without
# installing it, and prints the folder holding its libSDL-1.2.so.0, to be put in
# LD_LIBRARY_PATH. The first call fetches; later calls reuse what is there.
# Usage: scripts/sdl12-compat.sh FOLDER
set -e
dest=$1
found() { find "$dest/root" -name libSDL-1.2.so.0 2>/dev/null | head -n 1; }
lib=$(found)
if [ -z "$lib" ]; then
  rm -rf "$dest"
  mkdir -p "$dest"
  fetch() { (cd "$dest" && apt-get -q -o APT::Sandbox::User="$(id -un)" download libsdl1.2-compat) >&2; }
  if ! fetch; then
    # Package lists too old to name the mirror's current file: read them again.
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq >&2
    fetch
  fi
  dpkg -x "$dest"/libsdl1.2-compat_*.deb "$dest/root"
  lib=$(found)
fi
if [ -z "$lib" ]; then
  echo "libsdl1.2-compat holds no libSDL-1.2.so.0" >&2
  exit 1
fi
cd "$(dirname "$lib")" && pwd
