#!/usr/bin/env bash
# The Wine side of the test harness.
#   wine-env.sh setup   ARCH STATE   create the prefix once, start a display and a wineserver
#   wine-env.sh run     ARCH STATE EXE [ARGS...]   run a Windows program there
#   wine-env.sh start   ARCH STATE EXE [ARGS...]   start one in the background
#   wine-env.sh display ARCH STATE   print the display in use
#   wine-env.sh cleanup ARCH STATE   stop the wineserver and our display
# ARCH is win32 or win64; STATE is a directory of the build tree that holds the
# prefix and what setup started. A DISPLAY given from outside is used as it is.
set -euo pipefail

cmd=$1 arch=$2 state=$3
shift 3
mkdir -p "$state"
state=$(cd "$state" && pwd)

export WINEPREFIX="$state/prefix"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
case $arch in
  win32) export WINEARCH=win32; wine=/usr/lib/wine/wine;   server=/usr/lib/wine/wineserver ;;
  win64) export WINEARCH=win64; wine=/usr/lib/wine/wine64; server=/usr/lib/wine/wineserver ;;
  *) echo "unknown arch $arch" >&2; exit 2 ;;
esac

use_display() {
  if [ -f "$state/display" ]; then
    DISPLAY=$(cat "$state/display"); export DISPLAY
  fi
  : "${DISPLAY:?no display: run setup first or set DISPLAY}"
}

start_display() {
  # Our own display, unless one was given.
  if [ -n "${DISPLAY:-}" ] && [ ! -f "$state/display" ]; then
    return
  fi
  if [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null; then
    return
  fi
  local n
  for n in $(seq 90 199); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset \
      </dev/null >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    local i
    for i in $(seq 1 200); do
      if [ -e "/tmp/.X11-unix/X$n" ]; then
        echo ":$n" >"$state/display"
        return
      fi
      kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "could not start Xvfb" >&2
  exit 1
}

make_prefix() {
  [ -f "$WINEPREFIX/.gantrix-ready" ] && return
  rm -rf "$WINEPREFIX"
  "$wine" wineboot -i </dev/null >"$state/wineboot.log" 2>&1 || true
  "$server" -w
  # Wine's own fonts (Tahoma, MS Sans Serif, Marlett for the caption buttons)
  # are found reliably only inside the prefix.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  # Windows join one virtual desktop, so focus and frames behave as on Windows
  # even without a window manager on the display.
  cat >"$state/desktop.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
  "$wine" regedit /S "$(winepath_of "$state/desktop.reg")" >/dev/null 2>&1
  "$server" -w
  [ -f "$WINEPREFIX/system.reg" ] || { echo "wineboot failed" >&2; cat "$state/wineboot.log" >&2; exit 1; }
  touch "$WINEPREFIX/.gantrix-ready"
}

winepath_of() { echo "Z:${1//\//\\}"; }

case $cmd in
  setup)
    start_display
    use_display
    (
      flock 9
      make_prefix
    ) 9>"$state/prefix.lock"
    # A persistent server keeps every test's start-up short. Nothing started
    # here may hold the caller's output open, or CTest waits for it.
    "$server" -p </dev/null >/dev/null 2>&1 || true  # one may be running already
    ;;
  run)
    use_display
    exe=$1; shift
    # Wine's helper processes inherit the output of the program that started
    # them and outlive it; give them a file, not the caller's pipe.
    log=$(mktemp "$state/run.XXXXXX")
    rc=0
    "$wine" "$exe" "$@" </dev/null >"$log" 2>&1 || rc=$?
    cat "$log"
    rm -f "$log"
    exit $rc
    ;;
  start)
    # Detached: for programs that keep running, like the tray program.
    use_display
    exe=$1; shift
    setsid "$wine" "$exe" "$@" </dev/null >>"$state/programs.log" 2>&1 &
    ;;
  display)
    use_display
    echo "$DISPLAY"
    ;;
  cleanup)
    "$server" -k </dev/null >/dev/null 2>&1 || true
    "$server" -w </dev/null >/dev/null 2>&1 || true
    if [ -f "$state/xvfb.pid" ]; then
      kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
      rm -f "$state/xvfb.pid" "$state/display"
    fi
    ;;
  *) echo "unknown command $cmd" >&2; exit 2 ;;
esac
