#!/usr/bin/env bash
# The desktop entries and the AppStream file pass their validators, every
# manual page renders without a single groff warning, and the units pass
# systemd's checks.
# Usage: check_files.sh SOURCE_DIR [EXPORTER CLI]
set -u
src=$1
for tool in desktop-file-validate appstreamcli groff; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
fail=0
for f in "$src"/packaging/*.desktop; do
  out=$(desktop-file-validate "$f" 2>&1)
  if [ $? -ne 0 ] || [ -n "$out" ]; then echo "FAIL: $f"; echo "$out"; fail=1; fi
done
if ! appstreamcli validate --no-net --pedantic "$src"/packaging/*.metainfo.xml; then
  echo "FAIL: metainfo"; fail=1
fi
# The metainfo names the desktop entry and programs that are really installed.
meta="$src/packaging/org.example.kestrune.metainfo.xml"
grep -q '<launchable type="desktop-id">org.example.kestrune.desktop</launchable>' "$meta" || { echo "FAIL: launchable"; fail=1; }
for b in kestrune kestrune-cli kestdbbr; do
  grep -q "<binary>$b</binary>" "$meta" || { echo "FAIL: metainfo lacks $b"; fail=1; }
  [ -f "$src/man/$b.1" ] || { echo "FAIL: no manual page for $b"; fail=1; }
done
for page in "$src"/man/*.[18]; do
  warnings=$(groff -man -ww -z "$page" 2>&1)
  if [ -n "$warnings" ]; then echo "FAIL: $page"; echo "$warnings"; fail=1; fi
done
# The units: systemd finds nothing wrong with them (their programs from the
# build), and the services' hardening leaves an exposure of 2.0 or less.
if command -v systemd-analyze >/dev/null && [ -n "${3:-}" ]; then
  tmp=$(mktemp -d /tmp/kest-unit-XXXXXX)
  sed "s|^ExecStart=.*|ExecStart=$2|" "$src/packaging/kestrune-dmi-export.service" >"$tmp/kestrune-dmi-export.service"
  sed "s|^ExecStart=/usr/bin/kestrune-cli |ExecStart=$3 |" "$src/packaging/kestrune-prometheus.service" \
    >"$tmp/kestrune-prometheus.service"
  cp "$src/packaging/kestrune-prometheus.timer" "$tmp/"
  grep -q "^ExecStart=$3 " "$tmp/kestrune-prometheus.service" || { echo "FAIL: kestrune-prometheus ExecStart"; fail=1; }
  out=$(systemd-analyze verify --man=no "$tmp"/*.service "$tmp"/*.timer 2>&1) || { echo "FAIL: verify"; echo "$out"; fail=1; }
  [ -z "$out" ] || { echo "FAIL: verify says:"; echo "$out"; fail=1; }
  rm -rf "$tmp"
  for unit in "$src"/packaging/*.service; do
    exposure=$(systemd-analyze security --offline=yes --no-pager "$unit" 2>&1 | sed -n 's/.*Overall exposure level for .*: \([0-9.]*\) .*/\1/p')
    awk -v e="$exposure" 'BEGIN { exit !(e != "" && e <= 2.0) }' || { echo "FAIL: $unit: exposure '$exposure'"; fail=1; }
    echo "$(basename "$unit"): exposure $exposure"
  done
fi
[ $fail -eq 0 ] && echo "all packaging files valid"
exit $fail
