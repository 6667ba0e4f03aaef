#!/usr/bin/env bash
# kestrune.exe under wine in a virtual X server, started as a user would
# (with a saved processor and a given clock): the window "Kestrune" with a
# client area of 536 x 336; every control's text, read back from the live
# window, is what view/ decides for that processor; "Save..." -> "Text file"
# writes kestrune-cli.exe's text report (byte for byte apart from the
# date-time line) and "HTML file" its HTML report (apart from the date and
# time); "Database..." -> "Add to database" appends to the database file that
# database.ini names exactly kestrune-cli.exe's record (byte for byte apart
# from its datetime line); "Save..." -> "Screenshot" writes a BMP of the window's
# outer frame that is not of one colour; a second start exits at once and
# leaves one window; no shown text is clipped on any page at 96 DPI, after a
# move to 144 DPI and when started at 120 DPI.
#   tests/e2e/win32_window.sh BUILD_DIR DUMP
set -euo pipefail
build=$(readlink -f "$1")
dump=$(readlink -f "$2")
for tool in wine wineserver wineboot xvfb-run identify cmp; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed"; exit 77; }
done
work=$(mktemp -d)
prefix=$build/wineprefix-window
cleanup() {
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= KEST_BUILD=$build KEST_DUMP=$dump
if [ ! -f "$prefix/.ready" ]; then
  mkdir -p "$prefix"
  { wineboot -i && wineserver -w; } >"$prefix/wineboot.log" 2>&1 && touch "$prefix/.ready" ||
    { echo "SKIP: wine cannot create its prefix (see $prefix/wineboot.log)"; exit 77; }
fi
cd "$work"

xvfb-run -a -s "-noreset -screen 0 1024x768x24" bash -euo pipefail -c '
fail() { echo "FAIL: $*" >&2; exit 1; }
# Without a window manager wine draws the frame and caption itself.
wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Decorated /d N /f >/dev/null 2>&1
export KEST_SAVE_AS="$(winepath -w "$PWD")\\saved"
# The start-up folder holds the database pointer and the (empty) database,
# and a database browser that leaves a mark when it is started.
printf "cpu.db\r\n" > database.ini
: > cpu.db
browser=no
if command -v i686-w64-mingw32-gcc >/dev/null; then
  printf "#include <stdio.h>\nint main(void) { FILE* f = fopen(\"browser-started\", \"w\"); return f ? fclose(f) : 1; }\n" > browser.c
  i686-w64-mingw32-gcc -o kestdbbr.exe browser.c && browser=yes
fi
wine "$KEST_BUILD/kestrune.exe" --cpuid-dump "$KEST_DUMP" --mhz 2400 &
first=$!
probe() { wine "$KEST_BUILD/kestrune-probe.exe" "$@" | tr -d "\r"; }

size=$(probe size)
echo "$size"
[[ $size == "title=Kestrune client=536x336 "* ]] || fail "window: $size"
probe check --cpuid-dump "$KEST_DUMP" --mhz 2400 || fail "the window shows other texts than view/ decides"

# What the window wrote to SAVED is the output of kestrune-cli.exe --format FORMAT,
# byte for byte apart from the one line that starts with DATED (date and time).
same_as_cli() {
  local saved=$1 format=$2 dated=$3 what=$4
  [ -s "$saved" ] || fail "no $what written"
  wine "$KEST_BUILD/kestrune-cli.exe" --cpuid-dump "$KEST_DUMP" --mhz 2400 --format "$format" > "cli.$format"
  grep -av "^$dated" "$saved" > a.masked
  grep -av "^$dated" "cli.$format" > b.masked
  cmp a.masked b.masked || fail "the $what differs from kestrune-cli.exe'"'"'s"
  [ "$(grep -ac "^$dated" "$saved")" = 1 ] && [ "$(wc -c < a.masked)" -gt 1000 ] || fail "$what: no date-time line"
  [ "$(wc -l < "$saved")" = "$(wc -l < "cli.$format")" ] || fail "$what: line counts differ"
}

probe command extfile1
same_as_cli saved.txt text "Reported by " "saved text report"

probe command HTMLfile1
[ -s saved.html ] || fail "no HTML report saved"
wine "$KEST_BUILD/kestrune-cli.exe" --cpuid-dump "$KEST_DUMP" --mhz 2400 --format html > cli.html
[ "$(wc -l < saved.html)" = "$(wc -l < cli.html)" ] || fail "HTML line counts differ"
[ "$(cmp -l saved.html cli.html | wc -l)" -lt 40 ] || fail "the saved HTML report differs from kestrune-cli.exe'"'"'s beyond its date"

probe command Addtodatabase1
same_as_cli cpu.db record "datetime=" "record added to the database"

if [ "$browser" = yes ]; then
  probe command Databasebrowser1
  for _ in $(seq 100); do [ -e browser-started ] && break; sleep 0.1; done
  [ -e browser-started ] || fail "\"Database browser\" did not start kestdbbr.exe from the current folder"
else
  echo "no mingw-w64 C compiler: the database browser launch is not checked"
fi

probe command Screenshot1
[ -s saved.bmp ] || fail "no screenshot saved"
outer=${size##*outer=}
read -r w h colours < <(identify -format "%w %h %k\n" saved.bmp)
[ "${w}x${h}" = "$outer" ] || fail "screenshot ${w}x${h}, window $outer"
[ "$colours" -gt 16 ] || fail "screenshot of $colours colours"

# A second start finds the first by its title and ends.
timeout 60 wine "$KEST_BUILD/kestrune.exe" --cpuid-dump "$KEST_DUMP" --mhz 2400 || fail "second start failed"
kill -0 "$first" || fail "the first window ended"
# No shown text is clipped on any page, here and after a move to a monitor
# of 144 DPI (fonts, controls and frame scaled; the client area by 1.5).
all_fit() {
  local at=$1 page
  for page in b_sff b_aff b_eff l1 l2 l3; do
    probe command "$page"
    probe clipped >clipped.txt || { cat clipped.txt; fail "clipped texts at $at dpi on $page"; }
  done
}
all_fit 96
probe dpi 144
size=$(probe size)
[[ $size == "title=Kestrune client=804x504 "* ]] || fail "after the move to 144 dpi: $size"
all_fit 144
probe command button_close
wait "$first" || fail "the window did not close"

# Started at 120 DPI the window is scaled by 1.25 and nothing is clipped.
wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d 120 /f >/dev/null 2>&1
wineserver -w
wine "$KEST_BUILD/kestrune.exe" --cpuid-dump "$KEST_DUMP" --mhz 2400 &
first=$!
size=$(probe size)
wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
[[ $size == "title=Kestrune client=670x420 "* ]] || fail "at 120 dpi: $size"
all_fit 120
echo "window, texts, text report, database record, screenshot, single instance and fit at 96, 120, 144 dpi: ok"
'
