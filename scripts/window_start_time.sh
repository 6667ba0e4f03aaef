#!/usr/bin/env bash
# Time until the window is on screen (mapped), for two builds of kestrune and
# for CPU-X, started in turn (old, new, CPU-X; RUNS rounds) under one Xvfb,
# each pinned to logical processor 0; beside it, in brackets, the time until
# the window has first been drawn. Then, for the new build, the time from
# a click on "Close" right after the window appears (while the first clock
# measurement runs) until the process has ended.
#   scripts/window_start_time.sh OLD_KESTRUNE NEW_KESTRUNE [RUNS]
# KEST_NICE=N runs the X server and every program at that nice value (as
# root: a negative one keeps other load on the machine out of the figures).
set -euo pipefail
old=$(readlink -f "$1")
new=$(readlink -f "$2")
runs=${3:-5}
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run xdotool taskset cc; do
  command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -o "$work/window_timing" "$here/window_timing.c" -lXtst -lXdamage -lX11
cpux=$(command -v cpu-x || true)
[ -n "$cpux" ] || echo "cpu-x not installed: left out"
export WT=$work/window_timing OLD=$old NEW=$new CPUX=$cpux RUNS=$runs
export HOME=$work XDG_RUNTIME_DIR=$work
unset QT_QPA_PLATFORM

nice -n "${KEST_NICE:-0}" xvfb-run -a -s "-noreset -screen 0 1024x768x24" bash -euo pipefail -c '
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
# Waits until process $1 has ended (a zombie counts as ended).
ended() { while [ -e "/proc/$1" ] && [ "$(cut -d" " -f3 "/proc/$1/stat" 2>/dev/null)" != Z ]; do sleep 0.02; done; }
# Starts "$2..." pinned and prints the milliseconds until a window titled $1
# is mapped and until it is drawn; ends the program again.
start() {
  local name=$1 r ms pid painted
  shift
  r=$("$WT" map "$name" taskset -c 0 "$@" 2>/dev/null) || { echo "$1: $r" >&2; return 1; }
  read -r ms pid painted <<< "$r"
  sleep 1
  kill "$pid"
  ended "$pid"
  echo "$ms $painted"
}
declare -A all drawn
for round in $(seq "$RUNS"); do
  line="round $round:"
  for who in old new cpux; do
    case $who in
      old) r=$(start Kestrune "$OLD") ;;
      new) r=$(start Kestrune "$NEW") ;;
      cpux) [ -n "$CPUX" ] || continue; r=$(start CPU-X "$CPUX") ;;
    esac
    read -r ms painted <<< "$r"
    all[$who]+="$ms "
    drawn[$who]+="$painted "
    line+=" $who $ms ms ($painted)"
    sleep 0.5
  done
  echo "$line"
done
median() { tr " " "\n" | grep . | sort -g | awk "{v[NR]=\$1} END {printf \"%.1f\", v[int((NR+1)/2)]}"; }
range() { tr " " "\n" | grep . | sort -g | awk "NR==1{lo=\$1} {hi=\$1} END {printf \"%.1f-%.1f\", lo, hi}"; }
for who in old new cpux; do
  [ -n "${all[$who]:-}" ] || continue
  echo "$who: mapped median $(echo ${all[$who]} | median) ms ($(echo ${all[$who]} | range) ms)," \
       "drawn median $(echo ${drawn[$who]} | median) ms ($(echo ${drawn[$who]} | range) ms)"
done
mo=$(echo ${all[old]} | median); mn=$(echo ${all[new]} | median)
awk -v o="$mo" -v n="$mn" "BEGIN {printf \"new / old median: %.3f (goal at most 0.2): %s\n\", n / o, n * 5 <= o ? \"met\" : \"NOT met\"}"

# Closing while the first measurement runs.
for round in 1 2 3; do
  r=$("$WT" map Kestrune taskset -c 0 "$NEW" 2>/dev/null)
  read -r _ pid _ <<< "$r"
  w=$(xdotool search --name "^Kestrune\$" | head -n1)
  t0=$(date +%s%N)
  xdotool mousemove --window "$w" 280 320 click 1
  ended "$pid"
  echo "close at once after start: ended $(( ($(date +%s%N) - t0) / 1000000 )) ms after the click"
done
'
