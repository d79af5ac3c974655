#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine. Quick when
# everything is already there; needs root (or sudo) otherwise.
set -euo pipefail

need=()
have() { command -v "$1" >/dev/null 2>&1 || [ -x "$1" ]; }

have cmake                     || need+=(cmake)
have ninja                     || need+=(ninja-build)
have g++                       || need+=(g++)
have i686-w64-mingw32-g++-posix   || need+=(g++-mingw-w64-i686-posix)
have x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64-posix)
have i686-w64-mingw32-windres  || need+=(binutils-mingw-w64-i686)
have x86_64-w64-mingw32-windres || need+=(binutils-mingw-w64-x86-64)
have /usr/lib/wine/wine64      || need+=(wine64)
have /usr/lib/wine/wine        || need+=(wine32:i386)
have Xvfb                      || need+=(xvfb)
have xwd                       || need+=(x11-apps)
have /usr/bin/convert          || need+=(imagemagick)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
[ -f /usr/share/wine/fonts/marlett.ttf ] || need+=(fonts-wine)
[ -f /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf ] || need+=(fonts-dejavu-core)

if [ ${#need[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${need[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
if printf '%s\n' "${need[@]}" | grep -q ':i386'; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${need[@]}"
