#!/usr/bin/env bash
# kestrune-cli --format prometheus, read by the real tools:
#  - every dump of the corpus: promtool finds nothing to say, and every
#    sample is the one the JSON of the same run gives (no more, no less);
#  - a brand string with double quotes, a backslash and a line break is
#    escaped and reads back as the JSON's name;
#  - Debian's node exporter (textfile collector only, on a loopback port)
#    serves a dump's metrics with DMI and this machine's: no scrape error,
#    every kestrune_ sample as written.
# Usage: prometheus.sh CLI
set -u
cli=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in jq promtool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d /tmp/kest-prom-XXXXXX)
exporter_pid=
cleanup() {
  [ -z "$exporter_pid" ] || kill "$exporter_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail=0
bad() { echo "FAIL: $*"; fail=1; }

metrics_of() { jq -r -R -s --arg mode parse -f "$here/prometheus.jq" "$1" | sort; }
expected_of() { jq -r --arg mode expect -f "$here/prometheus.jq" "$1" | sort; }

# Writes $work/NAME.prom and $work/NAME.json from one set of options and
# checks the first against promtool and the second.
check_output() {
  local name=$1
  shift
  "$cli" "$@" --format prometheus -o "$work/$name.prom" || { bad "$name: exit $?"; return; }
  "$cli" "$@" --format json -o "$work/$name.json" || { bad "$name: json exit $?"; return; }
  local lint
  lint=$(promtool check metrics <"$work/$name.prom" 2>&1) || bad "$name: promtool failed: $lint"
  [ -z "$lint" ] || bad "$name: promtool says: $lint"
  metrics_of "$work/$name.prom" >"$work/$name.got"
  expected_of "$work/$name.json" >"$work/$name.want"
  [ -s "$work/$name.got" ] || bad "$name: no kestrune_ samples"
}
same_samples() {  # NAME: the samples equal the JSON's
  diff "$work/$1.want" "$work/$1.got" >"$work/$1.diff" || { bad "$1: metrics differ from the JSON (< JSON, > metrics)"; cat "$work/$1.diff"; }
}

dumps=("$here"/../corpus/*.txt "$here"/../../../shared/cpuid-dumps/*.txt "$here"/../../../shared/cpuid-dumps/later/*.txt)
n=0
for dump in "${dumps[@]}"; do
  [ -f "$dump" ] || continue
  check_output corpus --cpuid-dump "$dump"
  same_samples corpus
  n=$((n + 1))
done
[ $n -gt 0 ] || bad "no corpus dumps"
echo "corpus: $n dumps"

# The brand string: 48 bytes through leaves 0x80000002-4.
brand=$'12th Gen Intel(R) Core(TM) "i5" \\ 12400\nX'
printf '%s' "$brand" >"$work/brand.bin"
truncate -s 48 "$work/brand.bin"
mapfile -t regs < <(od -An -v -tx4 -w16 "$work/brand.bin" | awk '{print toupper($1 "-" $2 "-" $3 "-" $4)}')
base="$here/../corpus/12th-gen-intel-core-i5-12400.txt"
sed -e "s/^CPUID 80000002:.*/CPUID 80000002: ${regs[0]}/" -e "s/^CPUID 80000003:.*/CPUID 80000003: ${regs[1]}/" \
    -e "s/^CPUID 80000004:.*/CPUID 80000004: ${regs[2]}/" "$base" >"$work/brand.txt"
check_output brand --cpuid-dump "$work/brand.txt"
same_samples brand
# The line break is a blank, as in every output; quotes and backslash escaped.
grep -qF 'name="Intel Core \"i5\" \\ 12400 X"' "$work/brand.prom" || bad "brand: $(grep processor_info "$work/brand.prom")"

# The exporter serves one folder at a time: two files with the same samples
# would clash.
exporter=${KEST_NODE_EXPORTER:-/usr/bin/prometheus-node-exporter}
if [ ! -x "$exporter" ]; then
  echo "SKIP: $exporter is not installed"
  [ $fail -eq 0 ] && exit 77
  exit 1
fi
command -v curl >/dev/null || { echo "SKIP: curl is not installed"; [ $fail -eq 0 ] && exit 77; exit 1; }
scrape() {  # NAME: serve $work/NAME.prom, write $work/NAME.scraped
  local name=$1 dir="$work/textfile-$1" port try
  mkdir -p "$dir"
  cp "$work/$name.prom" "$dir/kestrune.prom"
  for try in 1 2 3 4 5; do
    port=$((20000 + RANDOM % 40000))
    "$exporter" --web.listen-address="127.0.0.1:$port" --collector.disable-defaults --collector.textfile \
      --collector.textfile.directory="$dir" >"$work/exporter.log" 2>&1 &
    exporter_pid=$!
    for _ in $(seq 50); do
      curl -sf "http://127.0.0.1:$port/metrics" -o "$work/$name.scraped" && break
      kill -0 "$exporter_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$exporter_pid" 2>/dev/null
    wait "$exporter_pid" 2>/dev/null
    exporter_pid=
    [ -s "$work/$name.scraped" ] && return 0
  done
  bad "$name: the exporter did not answer: $(tail -3 "$work/exporter.log")"
  return 1
}
check_scrape() {  # NAME
  scrape "$1" || return
  grep -qx 'node_textfile_scrape_error 0' "$work/$1.scraped" ||
    bad "$1: $(grep -E '^node_textfile_scrape_error' "$work/$1.scraped"; grep -i error "$work/exporter.log" | head -3)"
  metrics_of "$work/$1.scraped" >"$work/$1.served"
  diff "$work/$1.got" "$work/$1.served" >"$work/$1.diff" || { bad "$1: served samples differ (< written, > served)"; cat "$work/$1.diff"; }
}

# A dump with an SMBIOS table, so that the DMI clocks are there too.
check_output dump --cpuid-dump "$here/../corpus/12th-gen-intel-core-i5-12400.txt" \
  --dmi-dump "$here/../fuzz/corpus/dmi_dump/desktop.bin"
same_samples dump
grep -q '^kestrune_dmi_external_clock_hertz ' "$work/dump.prom" || bad "dump: no DMI clock"
check_scrape dump

# This machine: the two runs measure the clock each; the clocks are compared
# within a factor of two, everything else exactly.
check_output live
clocks='^kestrune_(core_clock|tsc)_hertz|'
diff <(grep -Ev "$clocks" "$work/live.want") <(grep -Ev "$clocks" "$work/live.got") || bad "live: metrics differ from the JSON"
for m in core_clock tsc; do
  want=$(grep "^kestrune_${m}_hertz|" "$work/live.want" | cut -d'|' -f2)
  got=$(grep "^kestrune_${m}_hertz|" "$work/live.got" | cut -d'|' -f2)
  [ -n "$want$got" ] || continue
  awk -v a="$want" -v b="$got" 'BEGIN { exit !(a > 0 && b > 0 && a / b < 2 && b / a < 2) }' ||
    bad "live: kestrune_${m}_hertz $got, the JSON's $want"
done
check_scrape live
grep '^kestrune_' "$work/live.scraped"
[ $fail -eq 0 ] && echo "metrics of every dump and of this machine as the JSON says"
exit $fail
