#!/usr/bin/env bash
# kestrune-dmi-export over SMBIOS dumps, checked with dmidecode and
# kestrune-cli.
#   export_check.sh records EXPORTER CLI DUMP...
#     the export reads without a dmidecode warning, holds the same processor
#     and cache records as the dump (serial number, asset tag and part number
#     "Not Specified"), none of the removed strings, and kestrune-cli reads
#     the same from both.
#   export_check.sh unprivileged EXPORTER CLI DUMP
#     an export made by root is read by nobody (needs root; 77 otherwise).
set -u
mode=$1 exporter=$2 cli=$3
shift 3
command -v dmidecode >/dev/null || { echo "SKIP: dmidecode is not installed"; exit 77; }
work=$(mktemp -d /tmp/kest-export-XXXXXX)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
fail=0
bad() { echo "FAIL: $*"; fail=1; }
cpu_dump=$(dirname "$0")/../fuzz/corpus/cpuid_dump/intel-core2-duo-cpu-e6750.txt

# The records from the first "Handle" line on, without the three strings; a
# string field that names no string is exported as 0, not given.
records() {
  dmidecode --from-dump "$1" -t 4,7 | sed -n '/^Handle/,$p' | grep -vE '^	(Serial Number|Asset Tag|Part Number):' |
    sed 's/<BAD INDEX>/Not Specified/'
}
# The three strings of each processor record that has them.
strings_of() { dmidecode --from-dump "$1" -t 4 | grep -E '^	(Serial Number|Asset Tag|Part Number):' | cut -d: -f2- | sed 's/^ //'; }

case $mode in
records)
  for dump in "$@"; do
    name=$(basename "$dump")
    out="$work/$name.export"
    "$exporter" --from "$dump" --to "$out" || { bad "$name: exporter failed"; continue; }
    [ "$(stat -c %a "$out")" = 644 ] || bad "$name: mode $(stat -c %a "$out")"
    # No warning of any kind while decoding the whole export.
    log=$(dmidecode --from-dump "$out" 2>&1 >/dev/null)
    [ -z "$log" ] || bad "$name: dmidecode says: $log"
    if dmidecode --from-dump "$out" | grep -E 'Wrong DMI|Invalid|BAD INDEX|broken|[Cc]hecksum|unreachable|Unknown Type'; then
      bad "$name: dmidecode warns"
    fi
    # Only processor, cache and end-of-table structures.
    types=$(dmidecode --from-dump "$out" | sed -n 's/^Handle .*DMI type \([0-9]*\),.*/\1/p')
    { [ "$(tail -1 <<<"$types")" = 127 ] && ! grep -qvxE '4|7|' <<<"$(sed '$d' <<<"$types")"; } ||
      bad "$name: structure types" $types
    diff <(records "$dump") <(records "$out") >"$work/diff" || { bad "$name: records differ"; cat "$work/diff"; }
    # Every processor record long enough to have the three strings shows
    # them as not given.
    want=$(strings_of "$dump" | sed 's/.*/Not Specified/')
    [ "$(strings_of "$out")" = "$want" ] || bad "$name: removed strings show as: $(strings_of "$out" | sort -u)"
    while IFS= read -r s; do
      case $s in ""|"Not Specified"|"<BAD INDEX>"|"Unknown"|"Not Provided") continue ;; esac
      if grep -qaF -- "$s" "$out"; then bad "$name: '$s' is still in the export"; fi
    done < <(strings_of "$dump")
    # kestrune-cli reads the same from the dump and its export.
    a=$("$cli" --cpuid-dump "$cpu_dump" --dmi-dump "$dump" --format json) || bad "$name: cli on the dump"
    b=$("$cli" --cpuid-dump "$cpu_dump" --dmi-dump "$out" --format json) || bad "$name: cli on the export"
    [ "$a" = "$b" ] || { bad "$name: kestrune-cli reads differently"; diff <(echo "$a") <(echo "$b"); }
  done
  # A failure writes nothing and says so in one line.
  err=$("$exporter" --from "$work/absent" --to "$work/never" 2>&1 >/dev/null); rc=$?
  [ $rc -eq 1 ] && [ "$(wc -l <<<"$err")" -eq 1 ] && [ ! -e "$work/never" ] || bad "missing input: exit $rc, '$err'"
  err=$("$exporter" --from "$1" --to "$work/no/such/folder" 2>&1 >/dev/null); rc=$?
  [ $rc -eq 1 ] && [ "$(wc -l <<<"$err")" -eq 1 ] || bad "missing folder: exit $rc, '$err'"
  ;;
unprivileged)
  [ "$(id -u)" -eq 0 ] || { echo "SKIP: switching to the user nobody needs root"; exit 77; }
  command -v setpriv >/dev/null && command -v jq >/dev/null || { echo "SKIP: setpriv or jq is not installed"; exit 77; }
  as_nobody() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }
  as_nobody test -x "$cli" || { echo "SKIP: nobody cannot run $cli"; exit 77; }
  # The table as root has it (mode 0400, like the kernel's), and its export.
  orig="$work/DMI.bin" out="$work/smbios.bin"
  cp "$1" "$orig" && chmod 400 "$orig"
  "$exporter" --from "$orig" --to "$out" || bad "exporter failed"
  args=(--cpuid-dump "$cpu_dump" --mhz 2500)
  as_nobody "$cli" "${args[@]}" --dmi-dump "$orig" >/dev/null 2>&1 && bad "nobody reads root's table"
  json=$(as_nobody "$cli" "${args[@]}" --dmi-dump "$out" --format json) || bad "kestrune-cli as nobody"
  root=$("$cli" "${args[@]}" --dmi-dump "$orig" --format json) || bad "kestrune-cli as root"
  [ "$(jq .DmiProcessorInfo <<<"$json")" = "$(jq .DmiProcessorInfo <<<"$root")" ] || bad "nobody reads other records"
  # The external clock, and the bus clock the report takes from it.
  ext=$(dmidecode --from-dump "$orig" -t 4 | sed -n 's/^	External Clock: \([0-9]*\) MHz/\1/p' | tail -1)
  [ -n "$ext" ] && [ "$(jq .DmiProcessorInfo.extclock <<<"$json")" = "$ext" ] ||
    bad "external clock: $ext vs $(jq .DmiProcessorInfo.extclock <<<"$json")"
  text=$(as_nobody "$cli" "${args[@]}" --dmi-dump "$out" --format text) || bad "text report as nobody"
  tr -d '\r' <<<"$text" | grep -qx "FSB speed: *$ext.00 MHz" || bad "the report lacks the bus clock $ext MHz"
  # The cache records with their socket state (configuration bit 3), as
  # dmidecode reads them.
  want=$(dmidecode --from-dump "$orig" -t 7 | sed -n 's/^	Configuration: .*, \(Not Socketed\|Socketed\),.*/\1/p' | sed 's/Not Socketed/0/;s/Socketed/8/' | tr '\n' ' ')
  have=$(jq -r '.DmiProcessorInfo.caches[].config | . % 16 - . % 8' <<<"$json" | tr '\n' ' ')
  [ -n "$want" ] && [ "$have" = "$want" ] || bad "cache sockets: $have vs $want"
  ;;
esac
[ $fail -eq 0 ] && echo "all exports good"
exit $fail
