#!/usr/bin/env bash
# Renders the HTML report of a processor in headless Chromium and saves a
# picture of the page, to check by eye that the tables show.
#   scripts/html_report_screenshot.sh KESTRUNE_CLI OUT.png [kestrune-cli options...]
# Example: scripts/html_report_screenshot.sh build/kestrune-cli /tmp/report.png --cpuid-dump dump.txt --mhz 2400
# The picture is 1000 pixels wide and KEST_SHOT_HEIGHT (4000) high, enough
# for the whole page down to its footer.
set -euo pipefail
cli=${1:?path of kestrune-cli}
out=${2:?output PNG}
shift 2
browser=$(command -v chromium || command -v chromium-browser || command -v google-chrome || true)
if [[ -z $browser ]]; then
    echo "no Chromium found (install the chromium package)" >&2
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" --format html -o "$work/report.html" "$@"
"$browser" --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=1000,"${KEST_SHOT_HEIGHT:-4000}" \
    --screenshot="$out" "file://$work/report.html" >/dev/null 2>&1
test -s "$out"
echo "$out"
