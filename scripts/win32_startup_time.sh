#!/usr/bin/env bash
# How long kestrune.exe takes under wine until its window is on screen,
# against a minimal Win32 window of the same size (the floor wine itself
# sets), alternately, in one run. The X server, the wineserver and the
# programs share one processor (the last this script may use); the check
# for the window runs on the first:
#   scripts/win32_startup_time.sh BUILD_DIR [ROUNDS]
# Prints each time and the medians in milliseconds. kestrune.exe shows a
# saved Pentium 4 at a given clock, so no clock measurement is timed.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(readlink -f "$1")
rounds=${2:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
i686-w64-mingw32-gcc -O2 -municode -mwindows -o "$work/minimal.exe" "$here/scripts/minimal_window.c" -lcomctl32
export WINEPREFIX=$build/wineprefix-window WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
mkdir -p "$WINEPREFIX"
[ -f "$WINEPREFIX/.ready" ] || { wineboot -i >/dev/null 2>&1 && wineserver -w && touch "$WINEPREFIX/.ready"; }
# The programs on the last processor allowed, the check on the first.
read -r poll cpu < <(python3 -c "import os; c = sorted(os.sched_getaffinity(0)); print(c[0], c[-1])")
KEST_WORK=$work KEST_POLL=$poll KEST_ROUNDS=$rounds KEST_BUILD=$build \
KEST_DUMP=$here/../shared/cpuid-dumps/intel-pentium-4-cpu-2.40ghz.txt \
  taskset -c "$cpu" xvfb-run -a -s "-noreset -screen 0 1024x768x24" bash -euo pipefail -c '
  wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Decorated /d N /f >/dev/null 2>&1
  wineserver -p >/dev/null 2>&1 &   # keep the wineserver: both start warm
  # time_window TITLE PROGRAM ARGS...: milliseconds until a visible window TITLE
  time_window() {
    local title=$1 start end
    shift
    start=$(date +%s%N)
    wine "$@" &
    local pid=$!
    until taskset -c "$KEST_POLL" xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do sleep 0.01; done
    end=$(date +%s%N)
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    while xdotool search --name "^$title\$" >/dev/null 2>&1; do sleep 0.05; done
    echo $(((end - start) / 1000000))
  }
  time_window Minimal "$KEST_WORK/minimal.exe" >/dev/null  # warm-up
  : >"$KEST_WORK/min" ; : >"$KEST_WORK/kest"
  for _ in $(seq "$KEST_ROUNDS"); do
    time_window Minimal "$KEST_WORK/minimal.exe" >>"$KEST_WORK/min"
    time_window Kestrune "$KEST_BUILD/kestrune.exe" --cpuid-dump "$KEST_DUMP" --mhz 2400 >>"$KEST_WORK/kest"
  done
  median() { sort -n "$1" | awk "{a[NR]=\$1} END {print a[int((NR+1)/2)]}"; }
  echo "minimal window: $(tr "\n" " " <"$KEST_WORK/min")-> median $(median "$KEST_WORK/min") ms"
  echo "kestrune.exe:   $(tr "\n" " " <"$KEST_WORK/kest")-> median $(median "$KEST_WORK/kest") ms"
  wineserver -k
'
