#!/usr/bin/env bash
# `make stop`: ends what `make run` started.
set -uo pipefail
build=$(cd "$1" && pwd)
arch=${GANTRIX_ARCH:-win32}
"$(dirname "$0")/wine-env.sh" cleanup "$arch" "$build/run/wine-$arch"
echo "Stopped."
