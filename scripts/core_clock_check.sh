#!/usr/bin/env bash
# Checks the busy-core clock on this machine, for every logical processor
# this shell may run on, each pinned with taskset:
#   - the add chain against the imul chain (benchmark BM_CoreClockChains):
#     the same clock from two latencies means the chain measures the core;
#   - kestrune-cli's coremhz against the benchmark's independent add chain,
#     measured alternately ROUNDS times, medians compared (the benchmark in
#     the real-time class where permitted, as the program measures);
#   - kestrune-cli's tscmhz against the kernel's TSC calibration (dmesg,
#     else the kernel's journal).
# Needs a build with -DKEST_BENCHMARKS=ON, jq and taskset.
#   scripts/core_clock_check.sh BUILD_DIR [ROUNDS]
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR [ROUNDS]}
rounds=${2:-5}
cli=$build/kestrune-cli
bench=$build/benchmarks/kest_benchmarks
for b in "$cli" "$bench"; do
  [ -x "$b" ] || { echo "$0: $b is not an executable" >&2; exit 2; }
done
for tool in jq taskset; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is not installed" >&2; exit 2; }
done

median() { sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
pct() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%+.4f%%", (a / b - 1) * 100}'; }

# The kernel's TSC: its refined calibration when it made one, else the first.
kernel_log=$(dmesg 2>/dev/null || true)
source="dmesg"
if ! grep -qi 'tsc:' <<<"$kernel_log"; then
  kernel_log=$(journalctl -k -b 2>/dev/null || true)
  source="journalctl -k"
fi
ktsc=$(grep -i 'tsc: Refined TSC clocksource calibration' <<<"$kernel_log" | tail -n1 | grep -oE '[0-9]+\.[0-9]+ MHz' | cut -d' ' -f1 || true)
[ -n "$ktsc" ] || ktsc=$(grep -i 'tsc: Detected .* MHz processor' <<<"$kernel_log" | tail -n1 | grep -oE '[0-9]+\.[0-9]+ MHz' | cut -d' ' -f1 || true)
if [ -n "$ktsc" ]; then
  echo "kernel TSC ($source): $ktsc MHz"
else
  echo "kernel TSC: not readable here (no dmesg or kernel journal)"
fi

# The program measures in the real-time class where it may; the benchmark
# runs there too when it may (the lowest real-time priority is enough to be
# ahead of every ordinary process).
rt=()
if command -v chrt >/dev/null && chrt -f 1 true 2>/dev/null; then
  rt=(chrt -f 1)
  echo "benchmark in the real-time class (chrt -f 1)"
fi

cpus=$(taskset -pc $$ | sed 's/.*: //' | tr ',' '\n' |
  awk -F- '{ if (NF == 2) for (i = $1; i <= $2; i++) print i; else print $1 }')
for c in $cpus; do
  core=() tsc=() add=() imul=()
  method=""
  for _ in $(seq "$rounds"); do
    read -r m t me < <(taskset -c "$c" "$cli" --format json | jq -r '.ClockInfo | "\(.coremhz) \(.tscmhz) \(.method)"')
    core+=("$m") tsc+=("$t") method=$me
    read -r a i < <(taskset -c "$c" "${rt[@]}" "$bench" --benchmark_filter=BM_CoreClockChains --benchmark_format=json 2>/dev/null |
      jq -r '.benchmarks[0] | "\(.add_MHz) \(.imul_MHz)"')
    add+=("$a") imul+=("$i")
  done
  mc=$(printf '%s\n' "${core[@]}" | median)
  mt=$(printf '%s\n' "${tsc[@]}" | median)
  ma=$(printf '%s\n' "${add[@]}" | median)
  mi=$(printf '%s\n' "${imul[@]}" | median)
  echo "logical processor $c ($rounds rounds, medians; method \"$method\"):"
  printf '  add chain %.1f MHz, imul chain %.1f MHz: imul %s\n' "$ma" "$mi" "$(pct "$mi" "$ma")"
  printf '  coremhz %.1f MHz against the add chain: %s\n' "$mc" "$(pct "$mc" "$ma")"
  if [ -n "$ktsc" ]; then
    printf '  tscmhz %.3f MHz against the kernel'"'"'s %s MHz: %s\n' "$mt" "$ktsc" "$(pct "$mt" "$ktsc")"
  else
    printf '  tscmhz %.3f MHz\n' "$mt"
  fi
  echo "  coremhz runs: ${core[*]}"
  echo "  add chain runs: ${add[*]}"
done
