#!/usr/bin/env bash
# Draws the icon's PNG sizes (packaging/icons/org.example.kestrune-SIZE.png)
# from its one drawing, packaging/org.example.kestrune.svg, with librsvg's
# rsvg-convert (Debian package librsvg2-bin). With --check it draws them
# into a temporary folder and fails when any differs from the committed
# file, byte for byte.
#   scripts/make_icons.sh [--check]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
svg=$top/packaging/org.example.kestrune.svg
icons=$top/packaging/icons
sizes=(48 128 256)

command -v rsvg-convert > /dev/null || {
    echo "$0: rsvg-convert is missing (apt-get install librsvg2-bin)" >&2
    exit 2
}

out=$icons
if [ "${1:-}" = --check ]; then
    out=$(mktemp -d)
    trap 'rm -rf "$out"' EXIT
fi
for s in "${sizes[@]}"; do
    rsvg-convert -w "$s" -h "$s" "$svg" -o "$out/org.example.kestrune-$s.png"
done
if [ "$out" != "$icons" ]; then
    bad=0
    for s in "${sizes[@]}"; do
        f=org.example.kestrune-$s.png
        cmp -s "$out/$f" "$icons/$f" || { echo "$f differs from its drawing" >&2; bad=1; }
    done
    [ "$bad" = 0 ] && echo "${#sizes[@]} icons as drawn"
    exit "$bad"
fi
