#!/usr/bin/env bash
# Saves a PNG of every page of the window (the cache sub-pages and levels and
# the feature pages included), run under a virtual X server.
#   scripts/screenshots.sh [path/to/kestrune] [output-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$here/build/kestrune}
out=${2:-$here/build/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)
# A private runtime directory, so that a running copy does not take the shots.
rt=$(mktemp -d)
trap 'rm -rf "$rt"' EXIT
XDG_RUNTIME_DIR=$rt KEST_SCREENSHOT_DIR=$out \
  xvfb-run -a -s "-screen 0 1024x768x24" "$bin"
ls "$out"/*.png
