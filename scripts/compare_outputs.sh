#!/usr/bin/env bash
# Runs two kestrune-cli binaries over every saved CPUID dump in all four
# output formats (text, html, record, json) with the clock fixed, and once
# more with each saved SMBIOS table, and reports every output that differs.
# Builds nothing. Exit status 0 when every output is byte-identical.
#
#   scripts/compare_outputs.sh OLD/kestrune-cli NEW/kestrune-cli [DUMPS_DIR] [DMI_DIR]
#
# DUMPS_DIR defaults to ../shared/cpuid-dumps (searched with its later/
# folder), DMI_DIR to ../shared/dmi-fixtures, both beside this checkout.
# The text and HTML reports carry the time of the run to the second; a pair
# that differs is run again (up to three times) so that only a difference
# that stays counts.
set -uo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 OLD/kestrune-cli NEW/kestrune-cli [DUMPS_DIR] [DMI_DIR]" >&2
  exit 2
fi
old=$1
new=$2
top=$(cd "$(dirname "$0")/.." && pwd)
dumps=${3:-$top/../shared/cpuid-dumps}
dmis=${4:-$top/../shared/dmi-fixtures}
for b in "$old" "$new"; do
  [ -x "$b" ] || { echo "$0: $b is not an executable" >&2; exit 2; }
done
[ -d "$dumps" ] || { echo "$0: no dump folder $dumps" >&2; exit 2; }

mhz=1999.996
formats=(text html record json)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

compared=0
differ=0

# compare LABEL ARGS...: runs both binaries with ARGS until their outputs and
# exit codes agree or three attempts have been made.
compare() {
  local label=$1
  shift
  local attempt
  for attempt in 1 2 3; do
    LC_ALL=C TZ=UTC "$old" "$@" >"$work/old" 2>"$work/old.err"
    local rc_old=$?
    LC_ALL=C TZ=UTC "$new" "$@" >"$work/new" 2>"$work/new.err"
    local rc_new=$?
    if [ "$rc_old" = "$rc_new" ] && cmp -s "$work/old" "$work/new" && cmp -s "$work/old.err" "$work/new.err"; then
      compared=$((compared + 1))
      return 0
    fi
  done
  compared=$((compared + 1))
  differ=$((differ + 1))
  echo "DIFFERS: $label (exit $rc_old / $rc_new)"
  diff -a "$work/old" "$work/new" | head -20
  diff -a "$work/old.err" "$work/new.err" | head -5
}

mapfile -t files < <(find "$dumps" -type f | LC_ALL=C sort)
for f in "${files[@]}"; do
  for fmt in "${formats[@]}"; do
    compare "${f#"$dumps"/} $fmt" --cpuid-dump "$f" --mhz "$mhz" --format "$fmt"
  done
done

# The SMBIOS tables, each with the first dump: the processor and cache
# records reach every format.
if [ -d "$dmis" ] && [ ${#files[@]} -gt 0 ]; then
  for d in "$dmis"/*.bin; do
    [ -e "$d" ] || continue
    for fmt in "${formats[@]}"; do
      compare "$(basename "$d") $fmt" --cpuid-dump "${files[0]}" --dmi-dump "$d" --mhz "$mhz" --format "$fmt"
    done
  done
fi

echo "$compared outputs compared ($((${#files[@]})) dumps), $differ differ"
[ "$differ" = 0 ]
