#!/usr/bin/env bash
# Runs a Windows program under wine in the given prefix:
#   wine-run.sh PREFIX PROGRAM.exe [ARGS...]
# The prefix is created on first use. A wineserver is kept running in it
# (a program then starts in a fraction of a second instead of several);
# its output goes to a file, or the calling shell would wait for it. Exits
# with 77 (a skip for CTest) and the reason when wine cannot start.
set -u
prefix=$1
shift
if ! command -v wine >/dev/null || ! command -v wineserver >/dev/null; then
    echo "wine is not installed: Windows programs not run" >&2
    exit 77
fi
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
mkdir -p "$prefix"
if [ ! -f "$prefix/.ready" ]; then
    # The first start builds the prefix (the registry is written when its
    # wineserver ends); two callers at once wait for one.
    (
        flock 9
        if [ ! -f "$prefix/.ready" ] && wineboot -i >"$prefix/wineboot.log" 2>&1 && wineserver -w &&
            [ -f "$prefix/system.reg" ]; then
            touch "$prefix/.ready"
        fi
    ) 9>"$prefix/.create.lock"
    if [ ! -f "$prefix/.ready" ]; then
        echo "wine cannot create its prefix in $prefix (see wineboot.log there): Windows programs not run" >&2
        exit 77
    fi
fi
# A persistent wineserver (-p) for this prefix; a second one exits at once.
wineserver -p >>"$prefix/wineserver.log" 2>&1 </dev/null &
exec wine "$@"
