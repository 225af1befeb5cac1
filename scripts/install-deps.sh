#!/bin/sh
# Installs the Debian packages the game, its tools and its tests need.
# Idempotent: when everything is present it only asks dpkg and returns.
set -e
# libsdl2-2.0-0 is what the test command's second SDL 1.2 (libsdl1.2-compat,
# fetched into the build tree) runs on; dpkg-dev and file let CPack find the
# package's dependencies; desktop-file-utils and appstream check the desktop
# entry and its metadata.
# tiled: the map editor; the map tool's tests run it headless (tiled --export-map,
# tmxrasterizer) and skip those checks when it is missing.
PKGS="tiled build-essential cmake pkg-config libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-ttf2.0-dev libsdl2-2.0-0 zlib1g-dev libgtest-dev clang libclang-rt-14-dev dpkg-dev file desktop-file-utils appstream"
missing=""
for p in $PKGS; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends $missing
fi
