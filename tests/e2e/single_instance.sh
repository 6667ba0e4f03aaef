#!/usr/bin/env bash
# The real kestrune under a virtual X server: one window titled "Kestrune";
# a second start exits 0 without a window; Close ends the first with 0; a
# start after that, and after a killed copy, opens the window again.
#   tests/e2e/single_instance.sh path/to/kestrune
set -euo pipefail
bin=$(readlink -f "$1")
for tool in xvfb-run xdotool xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset QT_QPA_PLATFORM  # a real X server here, not the offscreen platform
export XDG_RUNTIME_DIR=$work KEST_BIN=$bin

xvfb-run -a -s "-noreset -screen 0 1024x768x24" bash -euo pipefail -c '
cd "$XDG_RUNTIME_DIR"
windows() { xdotool search --onlyvisible --name "^Kestrune\$" 2>/dev/null | sort -u; }
wait_window() {  # prints the window id, fails after 20 s
  for _ in $(seq 200); do
    w=$(windows | head -n1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  echo "no Kestrune window" >&2; return 1
}
wait_server() {  # until the X server answers a new client, at most 10 s
  for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "X server does not answer" >&2; return 1
}
close_by_button() {  # clicks "Close" (75 x 19 at 243,311 of the client area)
  xdotool mousemove --window "$1" 280 320 click 1
}

wait_server
start=$(date +%s%N)
"$KEST_BIN" & first=$!
w=$(wait_window)
echo "window after $(( ($(date +%s%N) - start) / 1000000 )) ms"
echo "resident memory: $(awk "/VmRSS/ {print \$2, \$3}" /proc/$first/status)"
[ "$(windows | wc -l)" -eq 1 ]

# A second start: exit code 0, no window of its own, the first still runs.
wait_server
set +e
timeout 20 "$KEST_BIN"; rc=$?
set -e
[ "$rc" -eq 0 ] || { echo "second instance exited with $rc" >&2; exit 1; }
sleep 0.5
[ "$(windows | wc -l)" -eq 1 ] || { echo "a second window appeared" >&2; exit 1; }
kill -0 "$first"

# Close ends the first copy with 0.
close_by_button "$w"
set +e
wait "$first"; rc=$?
set -e
[ "$rc" -eq 0 ] || { echo "first instance exited with $rc" >&2; exit 1; }

# A start right after: a window again.
wait_server
"$KEST_BIN" & again=$!
w=$(wait_window)
# A copy that dies without cleaning up does not block the next start.
kill -9 "$again"; wait "$again" 2>/dev/null || true
wait_server
"$KEST_BIN" & after_crash=$!
w=$(wait_window)
close_by_button "$w"
wait "$after_crash"
echo "single instance: ok"
'
