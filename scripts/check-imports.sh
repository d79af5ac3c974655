#!/usr/bin/env bash
# Every Windows binary of the build may import only Windows system DLLs: the
# C++ runtime is linked in statically.
set -euo pipefail
objdump=$1 dir=$2
allowed='^(kernel32|user32|gdi32|advapi32|shell32|comctl32|comdlg32|ole32|oleaut32|version|psapi|msvcrt|gdiplus|shlwapi|uxtheme|msimg32)\.dll$'
status=0
count=0
for f in "$dir"/*.exe "$dir"/*.dll; do
  [ -e "$f" ] || continue
  count=$((count + 1))
  while read -r dll; do
    lower=$(echo "$dll" | tr 'A-Z' 'a-z')
    if ! [[ $lower =~ $allowed ]]; then
      echo "$(basename "$f") imports $dll"
      status=1
    fi
  done < <("$objdump" -p "$f" | sed -n 's/^\s*DLL Name: //p')
done
[ "$count" -gt 0 ] || { echo "no binaries in $dir"; exit 1; }
echo "$count binaries checked"
exit $status
