#!/usr/bin/env bash
# Fails when a source file includes a header of a folder above its own. The
# folders from the bottom up:
#   cpu  <  ident, dmi  <  view  <  report, bench  <  ui, win32, dbbr  <  app
# A folder may include its own headers and those of any folder below it;
# bench needs only cpu, dbbr only report (and what lies below it). Tests
# follow the folder they test (tests/view like view/, tests/ui_widgets like
# ui/); only ui/, app/ and the window's tests include anything of ui/.
#   scripts/check_layers.sh [SOURCE_DIR]
set -uo pipefail
top=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$top" || exit 2

# allowed FOLDER: the folders FOLDER may include.
allowed() {
    case $1 in
        cpu) echo "cpu" ;;
        ident) echo "cpu ident" ;;
        dmi) echo "cpu dmi" ;;
        view) echo "cpu ident dmi view" ;;
        bench) echo "cpu bench" ;;
        report) echo "cpu ident dmi view report" ;;
        dbbr) echo "cpu ident dmi view report dbbr" ;;
        ui) echo "cpu ident dmi view report bench ui" ;;
        win32) echo "cpu ident dmi view report bench win32" ;;
        app) echo "cpu ident dmi view report bench ui app" ;;
    esac
}

# layer FILE: the folder whose rules FILE follows.
layer() {
    local f=$1
    case $f in
        tests/ui_widgets/*) echo ui ;;
        tests/app/* | tests/e2e/* | tests/install/*) echo app ;;
        tests/fuzz/*) echo app ;;
        tests/corpus/*) echo ident ;;
        tests/i386/*) echo cpu ;;
        tests/*/*)
            f=${f#tests/}
            echo "${f%%/*}"
            ;;
        *) echo "${f%%/*}" ;;
    esac
}

bad=0
checked=0
while IFS= read -r f; do
    l=$(layer "$f")
    ok=$(allowed "$l")
    [ -n "$ok" ] || continue
    checked=$((checked + 1))
    while IFS= read -r inc; do
        dir=${inc%%/*}
        [ "$dir" = tests ] && continue
        # Only the project's own folders count (not <...> or Qt headers).
        [ -d "$dir" ] || continue
        if [[ " $ok " != *" $dir "* ]]; then
            echo "$f: includes $inc, above $l/"
            bad=$((bad + 1))
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$f")
done < <(find cpu ident dmi view report bench ui win32 dbbr app tests -type f \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort)

echo "$checked files checked, $bad includes against the layering"
[ "$bad" = 0 ]
