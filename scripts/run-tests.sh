#!/usr/bin/env bash
# Runs CTest in each build tree and fails if any of them failed.
set -uo pipefail
build=$1 jobs=$2
shift 2
status=0
for config in "$@"; do
  echo "=== tests: $config"
  ctest --test-dir "$build/$config" -j "$jobs" --output-on-failure --timeout 900 || status=1
done
exit $status
