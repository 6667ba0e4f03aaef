#!/usr/bin/env bash
# Fails when a source file includes a header of a folder above its own. The
# folders from the bottom up:
#   cpu  <  record, ident, dmi  <  bench  <  view  <  report  <  ui, win32, dbbr  <  app
# A folder may include its own headers and those of any folder below it;
# record needs only cpu, bench only cpu and record, dbbr only record (and
# cpu). Tests follow the folder they test (tests/view like view/,
# tests/ui_widgets like ui/); only ui/, app/ and the window's tests include
# anything of ui/. The benchmarks measure the core and include no widgets;
# the programs in scripts/ that draw the logos and icons stand alone.
#   scripts/check_layers.sh [SOURCE_DIR]
set -uo pipefail
top=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$top" || exit 2

# allowed FOLDER: the folders FOLDER may include.
allowed() {
    case $1 in
        scripts) echo "none" ;;
        cpu) echo "cpu" ;;
        record) echo "cpu record" ;;
        ident) echo "cpu ident" ;;
        dmi) echo "cpu dmi" ;;
        view) echo "cpu ident dmi record bench view" ;;
        bench) echo "cpu record bench" ;;
        report) echo "cpu ident dmi record bench view report" ;;
        dbbr) echo "cpu record dbbr" ;;
        ui) echo "cpu ident dmi record view report bench ui" ;;
        win32) echo "cpu ident dmi record view report bench win32" ;;
        app) echo "cpu ident dmi record view report bench ui app" ;;
        benchmarks) echo "cpu ident dmi record view report bench" ;;
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
        tests/i386/vector_*) echo bench ;;
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
        # A test's helper header (tests/report/temp_dir.h) is no layer.
        [[ $f == tests/* && -f tests/$inc && ! -f $inc ]] && continue
        # Only the project's own folders count (not <...> or Qt headers).
        [ -d "$dir" ] || continue
        if [[ " $ok " != *" $dir "* ]]; then
            echo "$f: includes $inc, above $l/"
            bad=$((bad + 1))
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$f")
done < <(find cpu record ident dmi view report bench ui win32 dbbr app tests benchmarks scripts -type f \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort)

echo "$checked files checked, $bad includes against the layering"
[ "$bad" = 0 ]
