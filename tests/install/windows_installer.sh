#!/usr/bin/env bash
# The Windows installer under wine, silent: /S puts kestrune.exe,
# kestrune-cli.exe, the Start menu entry and the "Apps & features" key in
# place, and the installed kestrune-cli.exe runs; the uninstaller's /S
# removes them all again.
#   tests/install/windows_installer.sh SETUP.exe
set -euo pipefail
setup=$(readlink -f "$1")
for tool in wine wineserver wineboot; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed"; exit 77; }
done
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
wineboot -i >"$work/wineboot.log" 2>&1 && wineserver -w || { echo "SKIP: wine cannot create its prefix"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrune'
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kestrune/Kestrune.lnk"
# A 32-bit installer lands in the 32-bit Program Files and registry view.
dir=$(ls -d "$WINEPREFIX/drive_c/Program Files (x86)" 2>/dev/null || echo "$WINEPREFIX/drive_c/Program Files")/Kestrune

wine "$setup" /S
wineserver -w
for f in kestrune.exe kestrune-cli.exe README.md uninstall.exe; do
  [ -f "$dir/$f" ] || fail "$f not installed in $dir"
done
[ -f "$menu" ] || fail "no Start menu entry"
wine reg query "$key" /v UninstallString /reg:32 2>/dev/null | grep -q uninstall.exe || fail "no uninstall key"
wine "$dir/kestrune-cli.exe" --version | grep -q "^kestrune" || fail "the installed kestrune-cli.exe does not run"

wine "$dir/uninstall.exe" /S
wineserver -w
for _ in $(seq 100); do [ -e "$dir/kestrune.exe" ] || break; sleep 0.1; done
[ ! -e "$dir" ] || fail "$dir is still there: $(ls "$dir")"
[ ! -e "$menu" ] || fail "the Start menu entry is still there"
if wine reg query "$key" /reg:32 >/dev/null 2>&1; then fail "the uninstall key is still there"; fi
echo "silent install and uninstall: ok"
