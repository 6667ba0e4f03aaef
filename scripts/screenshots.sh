#!/usr/bin/env bash
# Saves a PNG of every page of the window (the cache sub-pages and levels and
# the feature pages included), run under a virtual X server. Then it runs the
# cache/memory throughput test and saves the graph with the legend shown
# (3d_throughput_after_run.png), then the same with the "Vector" box checked
# (3e_throughput_vector_after_run.png, the whole graph of that run in
# 3f_throughput_vector_graph.png).
#   scripts/screenshots.sh [path/to/kestrune] [output-dir]
# KEST_SCREENSHOT_THROUGHPUT_ROWS: block sizes the test measures, 1 to 1024
# (4 KB steps; default 1024, the whole 4 MB; 0 skips the test).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$here/build/kestrune}
out=${2:-$here/build/screenshots}
rows=${KEST_SCREENSHOT_THROUGHPUT_ROWS:-1024}
mkdir -p "$out"
out=$(cd "$out" && pwd)
# A private runtime directory, so that a running copy does not take the shots.
rt=$(mktemp -d)
trap 'rm -rf "$rt"' EXIT
XDG_RUNTIME_DIR=$rt KEST_SCREENSHOT_DIR=$out KEST_SCREENSHOT_THROUGHPUT_ROWS=$rows \
  xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$bin"
ls "$out"/*.png
