#!/usr/bin/env bash
# `make bench`: the benchmarks of both architectures in one run.
set -euo pipefail
build=$(cd "$1" && pwd)
shift
env_sh="$(cd "$(dirname "$0")" && pwd)/wine-env.sh"
for arch in win32 win64; do
  state="$build/$arch/wine"
  "$env_sh" setup "$arch" "$state"
  for bench in "$@"; do
    (cd "$build/$arch/bin" && "$env_sh" run "$arch" "$state" "$build/$arch/bin/$bench.exe")
  done
  "$env_sh" cleanup "$arch" "$state"
done
