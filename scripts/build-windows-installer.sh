#!/usr/bin/env bash
# Builds the Windows programs (scripts/build-windows.sh, both widths) and
# from the 32-bit ones the installer and the portable zip:
#   dist/kestrune-<version>-win32-setup.exe   (NSIS)
#   dist/kestrune-<version>-win32.zip         (kestrune.exe, kestrune-cli.exe, README.md)
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
bash scripts/build-windows.sh --target kestrune kestrune-cli
version=$(sed -n 's/^project(kestrune VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
mkdir -p dist
setup=dist/kestrune-$version-win32-setup.exe
makensis -V2 -DVERSION="$version" -DBUILD="$top/build-win32" -DTOP="$top" -DOUTFILE="$top/$setup" \
  packaging/windows/kestrune.nsi
zip_name=$top/dist/kestrune-$version-win32.zip
rm -f "$zip_name"
zip -j -q "$zip_name" build-win32/kestrune.exe build-win32/kestrune-cli.exe README.md
ls -l "$setup" "$zip_name"
