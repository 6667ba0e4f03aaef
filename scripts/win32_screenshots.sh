#!/usr/bin/env bash
# Saves a PNG of every page of kestrune.exe under wine in a virtual X server,
# at each given DPI (HKCU\Control Panel\Desktop LogPixels):
#   scripts/win32_screenshots.sh BUILD_DIR OUTDIR [DUMP] [DPI...]
# BUILD_DIR holds kestrune.exe and kestrune-probe.exe (build-win32); the
# window shows DUMP (default: a Pentium 4) at 2400 MHz. DPIs default to
# 96 120 144; the pictures go to OUTDIR/<dpi>/.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(readlink -f "$1")
out=$(mkdir -p "$2" && cd "$2" && pwd)
dump=$(readlink -f "${3:-$here/../shared/cpuid-dumps/intel-pentium-4-cpu-2.40ghz.txt}")
shift $(($# < 3 ? $# : 3))
dpis=("$@")
((${#dpis[@]})) || dpis=(96 120 144)
export WINEPREFIX=$build/wineprefix-window WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
mkdir -p "$WINEPREFIX"
[ -f "$WINEPREFIX/.ready" ] || { wineboot -i >/dev/null 2>&1 && wineserver -w && touch "$WINEPREFIX/.ready"; }
for dpi in "${dpis[@]}"; do
  mkdir -p "$out/$dpi"
  KEST_OUT=$out/$dpi KEST_DPI=$dpi KEST_BUILD=$build KEST_DUMP=$dump \
    xvfb-run -a -s "-noreset -screen 0 1280x1024x24" bash -euo pipefail -c '
    wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Decorated /d N /f >/dev/null 2>&1
    wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d "$KEST_DPI" /f >/dev/null 2>&1
    wineserver -w
    wine "$KEST_BUILD/kestrune.exe" --cpuid-dump "$KEST_DUMP" --mhz 2400 &
    probe() { wine "$KEST_BUILD/kestrune-probe.exe" "$@" | tr -d "\r"; }
    size=$(probe size)
    outer=${size##*outer=}
    shot() { sleep 0.5; import -window root -crop "${outer}+212+169" +repage "$KEST_OUT/$1.png"; }
    probe command _cpu_gen; shot 1_cpu_information
    probe command _cpu_flags; shot 2_feature_flags
    probe command b_aff; shot 2_feature_flags_b_aff
    probe command b_eff; shot 2_feature_flags_b_eff
    probe command b_sff
    probe command _int_cache; shot 3a_integrated_cache
    probe command l2; shot 3a_integrated_cache_l2
    probe command l1
    probe command _e_cache; shot 3b_extended_cache
    probe command _memory; shot 3c_throughput
    probe command _othr_info; shot 4_other_info
    probe command _about; shot 5_about
    echo "$KEST_DPI dpi: $size"
    probe command button_close
  '
  wineserver -k 2>/dev/null || true
done
wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1 || true
wineserver -k 2>/dev/null || true
ls "$out"/*/*.png | wc -l
