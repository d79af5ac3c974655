#!/usr/bin/env bash
# `make run`: starts Gantrix under Wine from a fresh install directory, beside
# the sample program (a window with a menu bar), and saves a screenshot of the
# settings window. Everything keeps running until `make stop`.
set -euo pipefail
build=$(cd "$1" && pwd)
arch=${GANTRIX_ARCH:-win32}
here=$(cd "$(dirname "$0")" && pwd)
state="$build/run/wine-$arch"
install="$build/run/$arch"
env_sh="$here/wine-env.sh"

"$env_sh" cleanup "$arch" "$state" >/dev/null 2>&1 || true
rm -rf "$install"
mkdir -p "$install"
cp -r "$build/dist/$arch/." "$install/"
cp "$build/$arch/bin/host.exe" "$install/Sample.exe"

echo "Preparing the Wine prefix in $state (the first time takes a minute)..."
"$env_sh" setup "$arch" "$state"
display=$("$env_sh" display "$arch" "$state")

"$env_sh" start "$arch" "$state" "$install/Sample.exe" "$install/sample.log"
"$env_sh" start "$arch" "$state" "$install/Gantrix.exe"
# Gantrix starts in the notification area; a second start brings up its window.
sleep 5
"$env_sh" run "$arch" "$state" "$install/Gantrix.exe" >/dev/null
sleep 3
shot="$build/gantrix-settings.png"
if command -v import >/dev/null; then
  import -window root -display "$display" "$shot" && echo "Screenshot of the settings window: $shot"
fi
cat <<MSG
Gantrix is running under Wine on display $display, with the sample program
beside it: press Ctrl+\` in the sample program's window. Installed in $install.
Stop it with: make stop
MSG
