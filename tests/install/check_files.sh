#!/usr/bin/env bash
# The desktop entries and the AppStream file pass their validators, and every
# manual page renders without a single groff warning.
# Usage: check_files.sh SOURCE_DIR
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
for page in "$src"/man/*.1; do
  warnings=$(groff -man -ww -z "$page" 2>&1)
  if [ -n "$warnings" ]; then echo "FAIL: $page"; echo "$warnings"; fail=1; fi
done
[ $fail -eq 0 ] && echo "all packaging files valid"
exit $fail
