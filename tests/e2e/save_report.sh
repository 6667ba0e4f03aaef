#!/usr/bin/env bash
# The real kestrune under a virtual X server, driven by mouse and keyboard:
# "Save..." -> "Text file" and "Save..." -> "Screenshot" through the real
# save dialogs. Checks that the text report is Windows-1252 with CR LF and
# byte-identical to kestrune-cli's text report for the same clock apart from
# the date-time line, and that the screenshot is a BMP of the window frame.
#   tests/e2e/save_report.sh path/to/kestrune path/to/kestrune-cli
set -euo pipefail
bin=$(readlink -f "$1")
cli=$(readlink -f "$2")
for tool in xvfb-run xdotool xdpyinfo iconv od taskset; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed"; exit 77; }
done
work=$(mktemp -d)
# KEST_E2E_KEEP=DIR keeps the saved files there for a look.
trap '[ -n "${KEST_E2E_KEEP:-}" ] && mkdir -p "$KEST_E2E_KEEP" && cp "$work"/out/* "$KEST_E2E_KEEP"/; rm -rf "$work"' EXIT
unset QT_QPA_PLATFORM  # a real X server here, not the offscreen platform
pin=$work/pin
printf '#!/bin/sh\nexec taskset -c %s "$@"\n' "$(taskset -cp $$ | sed 's/.*: //; s/[,-].*//')" > "$pin"
chmod +x "$pin"
export XDG_RUNTIME_DIR=$work HOME=$work KEST_BIN=$bin KEST_CLI=$cli KEST_PIN=$pin
mkdir -p "$work/out"

xvfb-run -a -s "-noreset -screen 0 1024x768x24" bash ${KEST_TRACE:+-x} -euo pipefail -c '
cd "$XDG_RUNTIME_DIR"
out=$XDG_RUNTIME_DIR/out
wait_name() {  # prints the id of the visible window titled exactly $1
  for _ in $(seq 200); do
    w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  echo "no window \"$1\"" >&2; return 1
}
wait_file() {
  for _ in $(seq 100); do [ -s "$1" ] && return 0; sleep 0.1; done
  echo "$1 was not written" >&2; return 1
}
# Clicks "Save..." (75 x 19 at 85,311 of the window) and then item $1 of its
# three-item popup (Screenshot, Text file, HTML file), which opens at
# (left of the button + 4, top of the button - 35) of the window.
save_menu() {
  xdotool mousemove --window "$w" 122 320 click 1
  local px=$((X + 85 + 4)) py=$((Y + 311 - 35)) menu="" id
  for _ in $(seq 50); do
    for id in $(xdotool search --onlyvisible --name "" 2>/dev/null); do
      [ "$id" = "$w" ] && continue
      eval "$(xdotool getwindowgeometry --shell "$id" | sed "s/^/M_/")"
      if [ "$M_X" -eq "$px" ] && [ "$M_Y" -eq "$py" ]; then menu=$id; fi
    done
    [ -n "$menu" ] && break
    sleep 0.1
  done
  [ -n "$menu" ] || { echo "no Save... popup at $px,$py" >&2; return 1; }
  eval "$(xdotool getwindowgeometry --shell "$menu" | sed "s/^/M_/")"
  xdotool mousemove $((M_X + M_WIDTH / 2)) $((M_Y + M_HEIGHT * (2 * $1 + 1) / 6)) click 1
}
# Types a path into the save dialog titled $1 and confirms it.
answer_dialog() {
  local d
  d=$(wait_name "$1")
  xdotool windowfocus --sync "$d"
  sleep 0.3
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 15 "$2"
  sleep 0.3
  xdotool key Return
}

# Until the X server answers a new client, at most 10 s.
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
# Both programs on the same logical processor: the APIC Id is that of the
# processor CPUID ran on.
"$KEST_PIN" "$KEST_BIN" & app=$!
w=$(wait_name Kestrune)
eval "$(xdotool getwindowgeometry --shell "$w")"
sleep 0.5

# Save... -> Screenshot, chosen name without extension: shot.bmp.
save_menu 0
answer_dialog "Save screenshot as..." "$out/shot"
wait_file "$out/shot.bmp"

# Save... -> Text file.
save_menu 1
answer_dialog "Save text file..." "$out/report"
wait_file "$out/report.txt"
sleep 0.3
xdotool mousemove --window "$w" 280 320 click 1  # Close
wait "$app"

# The screenshot: a 24-bit Windows BMP as large as the window frame (no
# window manager here, so the frame is the window itself).
u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d " "; }
u16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d " "; }
bmp=$out/shot.bmp
[ "$(head -c2 "$bmp")" = BM ] || { echo "shot.bmp is no BMP" >&2; exit 1; }
bw=$(u32 "$bmp" 18); bh=$(u32 "$bmp" 22); bits=$(u16 "$bmp" 28)
row=$(( (bw * 3 + 3) / 4 * 4 ))
[ "$(u32 "$bmp" 2)" -eq "$(stat -c %s "$bmp")" ] && [ "$(stat -c %s "$bmp")" -eq $((54 + row * bh)) ] ||
  { echo "shot.bmp: sizes in the header do not match the file" >&2; exit 1; }
[ "$bw" -eq "$WIDTH" ] && [ "$bh" -eq "$HEIGHT" ] && [ "$bits" -eq 24 ] ||
  { echo "shot.bmp is ${bw}x${bh}x${bits}, the window ${WIDTH}x${HEIGHT}" >&2; exit 1; }
# Not a blank picture: many different pixel values.
colours=$(tail -c +55 "$bmp" | od -An -tx1 -v -w3 | sort -u | wc -l)
[ "$colours" -gt 8 ] || { echo "shot.bmp has only $colours colours" >&2; exit 1; }
echo "screenshot: ${bw}x${bh}, 24 bits, $colours colours"

# The text report: Windows-1252, CR LF after every line, no zero byte.
txt=$out/report.txt
lf=$(tr -cd "\n" < "$txt" | wc -c)
crlf=$(grep -c $'"'"'\r$'"'"' "$txt" || true)
[ "$lf" -gt 100 ] && [ "$lf" -eq "$crlf" ] && [ "$(tail -c1 "$txt" | od -An -tx1 | tr -d " ")" = 0a ] ||
  { echo "report.txt: $lf lines, $crlf with CR LF" >&2; exit 1; }
[ "$(tr -d "\000" < "$txt" | wc -c)" -eq "$(stat -c %s "$txt")" ] || { echo "zero byte in report.txt" >&2; exit 1; }
iconv -f CP1252 -t UTF-8 "$txt" > /dev/null
if LC_ALL=C grep -q $'"'"'[\xC2-\xF4][\x80-\xBF]'"'"' "$txt"; then
  echo "report.txt holds UTF-8 sequences" >&2; exit 1
fi

# The same report from kestrune-cli for the clock the window showed.
mhz=$(sed -n "s/^CPU speed: *\([0-9.]*\) MHz\r\$/\1/p" "$txt")
[ -n "$mhz" ] || { echo "no clock in report.txt" >&2; exit 1; }
"$KEST_PIN" "$KEST_CLI" --format text --mhz "$mhz" -o "$out/cli.txt"
strip_date() { grep -av "^Reported by Kestrune version " "$1"; }
if ! cmp <(strip_date "$txt") <(strip_date "$out/cli.txt"); then
  diff <(strip_date "$txt") <(strip_date "$out/cli.txt") >&2 || true
  exit 1
fi
# Only the date-time line was left out, once in each.
[ "$(grep -ac "^Reported by Kestrune version " "$txt")" -eq 1 ]
[ "$(grep -ac "^Reported by Kestrune version " "$out/cli.txt")" -eq 1 ]
echo "text report: $lf lines at $mhz MHz, identical to kestrune-cli --format text apart from the date-time line"
echo "save report: ok"
'
