#!/usr/bin/env bash
# Compares kestrune-cli.exe under wine with the Linux kestrune-cli on this
# machine, both pinned with taskset to the same logical processor, run
# alternately ROUNDS times:
#   - the identification (CpuidData, CacheInfo, ProcessorNames and the
#     x86-64 level, instruction sets and topology of Features) must be equal;
#   - tscmhz within 0.1% and coremhz within 3% of the Linux program's
#     (medians), and tscmhz within 0.1% of the kernel's TSC (dmesg, or
#     /proc/cpuinfo where the kernel knows the counter's rate);
#   - --throughput: each test's average within 10% of Linux's (medians).
# The identification rounds come first, then the throughput rounds.
#   scripts/windows_live_check.sh LINUX_CLI EXE [CPU] [ROUNDS]
# Needs jq, taskset and wine; the wine prefix is the one beside the .exe's
# build (BUILD/wineprefix).
set -euo pipefail
linux=${1:?usage: $0 LINUX_CLI EXE [CPU] [ROUNDS]}
exe=${2:?usage: $0 LINUX_CLI EXE [CPU] [ROUNDS]}
cpu=${3:-1}
rounds=${4:-3}
top=$(cd "$(dirname "$0")/.." && pwd)
exe=$(realpath "$exe")
build=$(dirname "$exe")
prefix=$build/wineprefix
wine_run=(bash "$top/cmake/wine-run.sh" "$prefix" "$exe")
# wine does not carry REALTIME_PRIORITY_CLASS into the Linux scheduler, so
# on a busy machine other programs would cut into its measurements; chrt
# gives it what that class gives on Windows (the Linux program takes the
# real-time class itself).
if chrt -f 1 true 2>/dev/null; then wine_run=(chrt -f 1 "${wine_run[@]}"); fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median() { sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
# within A B PERCENT: |A/B - 1| <= PERCENT/100, printed with the deviation.
within() {
    awk -v a="$1" -v b="$2" -v p="$3" 'BEGIN {d = (a / b - 1) * 100; printf "%+.4f%% (limit %s%%) ", d, p;
        exit !(d <= p && d >= -p)}'
}
status=0
check() { # LABEL A B PERCENT
    printf '%-26s windows %-12s linux %-12s ' "$1" "$2" "$3"
    if within "$2" "$3" "$4"; then echo ok; else echo FAILED; status=1; fi
}

"${wine_run[@]}" --version >/dev/null
for ((i = 1; i <= rounds; i++)); do
    taskset -c "$cpu" "$linux" --format json >"$work/linux$i.json"
    taskset -c "$cpu" "${wine_run[@]}" --format json >"$work/win$i.json"
done
ident='{c: .CpuidData, k: .CacheInfo, n: .ProcessorNames, l: .Features.x86_64_level, s: .Features.sets,
        t: [.Features.packages, .Features.cores, .Features.threads]}'
if cmp -s <(jq -S "$ident" "$work/linux1.json") <(jq -S "$ident" "$work/win1.json"); then
    echo "identification (vendor, names, caches, feature words, level, topology): equal"
else
    echo "identification differs:"
    diff <(jq -S "$ident" "$work/linux1.json") <(jq -S "$ident" "$work/win1.json") | head -20
    status=1
fi
echo "processor $cpu, $rounds rounds, medians; DMI source under wine: $(jq -r .DmiProcessorInfo.source "$work/win1.json")"
for f in tscmhz coremhz; do
    l=$(for ((i = 1; i <= rounds; i++)); do jq ".ClockInfo.$f" "$work/linux$i.json"; done | median)
    w=$(for ((i = 1; i <= rounds; i++)); do jq ".ClockInfo.$f" "$work/win$i.json"; done | median)
    [ $f = tscmhz ] && check "$f" "$w" "$l" 0.1 || check "$f" "$w" "$l" 3
    [ $f = tscmhz ] && tsc=$w
done
ktsc=$(dmesg 2>/dev/null | grep -i 'tsc: Refined TSC clocksource calibration' | tail -n1 | grep -oE '[0-9]+\.[0-9]+ MHz' | cut -d' ' -f1 || true)
ksource=dmesg
if [ -z "$ktsc" ] && grep -qw tsc_known_freq /proc/cpuinfo; then
    # The kernel took the counter's rate from the processor or hypervisor:
    # /proc/cpuinfo's "cpu MHz" of the pinned processor is that rate.
    ktsc=$(awk -v cpu="$cpu" '/^processor/ {p = $3} /^cpu MHz/ && p == cpu {print $4}' /proc/cpuinfo)
    ksource=/proc/cpuinfo
fi
if [ -n "$ktsc" ]; then check "tscmhz vs kernel ($ksource)" "$tsc" "$ktsc" 0.1; else echo "kernel TSC: not readable here"; fi

for ((i = 1; i <= rounds; i++)); do
    taskset -c "$cpu" "$linux" --throughput --format json >"$work/tl$i.json"
    taskset -c "$cpu" "${wine_run[@]}" --throughput --format json >"$work/tw$i.json"
done
for t in copy read write; do
    l=$(for ((i = 1; i <= rounds; i++)); do jq ".averages_mbps.$t" "$work/tl$i.json"; done | median)
    w=$(for ((i = 1; i <= rounds; i++)); do jq ".averages_mbps.$t" "$work/tw$i.json"; done | median)
    check "throughput $t (MB/s)" "$w" "$l" 10
done
exit $status
