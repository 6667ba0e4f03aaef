#!/usr/bin/env bash
# The desktop entries and the AppStream file pass their validators, every
# manual page renders without a single groff warning, and the export unit
# passes systemd's checks.
# Usage: check_files.sh SOURCE_DIR [EXPORTER]
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
# The export unit: systemd finds nothing wrong with it (its program from the
# build), and its hardening leaves an exposure of 2.0 or less.
unit="$src/packaging/kestrune-dmi-export.service"
if command -v systemd-analyze >/dev/null && [ -n "${2:-}" ]; then
  tmp=$(mktemp -d /tmp/kest-unit-XXXXXX)
  sed "s|^ExecStart=.*|ExecStart=$2|" "$unit" >"$tmp/kestrune-dmi-export.service"
  out=$(systemd-analyze verify --man=no "$tmp/kestrune-dmi-export.service" 2>&1) || { echo "FAIL: verify"; echo "$out"; fail=1; }
  [ -z "$out" ] || { echo "FAIL: verify says:"; echo "$out"; fail=1; }
  rm -rf "$tmp"
  exposure=$(systemd-analyze security --offline=yes --no-pager "$unit" 2>&1 | sed -n 's/.*Overall exposure level for .*: \([0-9.]*\) .*/\1/p')
  awk -v e="$exposure" 'BEGIN { exit !(e != "" && e <= 2.0) }' || { echo "FAIL: exposure '$exposure'"; fail=1; }
  echo "export unit: exposure $exposure"
fi
[ $fail -eq 0 ] && echo "all packaging files valid"
exit $fail
