#!/usr/bin/env bash
# The vector throughput loops beside likwid-bench (Debian's likwid), on each
# logical processor, pinned with taskset, at 16 KB, 256 KB, 4 MB and 256 MB:
# read against load_*, copy against copy_*, write against store_*, the likwid
# kernels of the width kestrune-cli chooses (AVX-512: *_avx512, AVX2: *_avx,
# SSE2: *_sse). The two programs run in turn, size by size, ROUNDS times; the
# summary takes each side's best round (the one least disturbed by other
# work on the machine) and the ratio ours / likwid.
#
# kestrune-cli raises itself to the highest real-time priority while it
# measures; likwid-bench runs under chrt at the same priority where that is
# permitted, so that other work on the machine stops neither of them. Its
# runs last a second (-s 1): shorter ones come out lower and more scattered.
#
# Both count the same bytes: kestrune-cli's MB are 2^20 bytes and are shown
# here in likwid's 10^6; a copy counts the bytes read and the bytes written,
# over a block (likwid: -w size) holding both.
#   scripts/throughput_vs_likwid.sh BUILD/kestrune-cli [CPU ...]
#   ROUNDS=3 (default)
set -euo pipefail
cli=${1:?usage: $0 BUILD/kestrune-cli [CPU ...]}
shift
cpus=("$@")
[ ${#cpus[@]} -gt 0 ] || mapfile -t cpus < <(seq 0 $(($(nproc) - 1)))
rounds=${ROUNDS:-3}
sizes_kb=(16 256 4096 262144)
command -v likwid-bench >/dev/null || { echo "likwid-bench not found (apt-get install likwid)" >&2; exit 2; }

width=$("$cli" --throughput --kernel vector --throughput-blocks 4 --tests read --format csv | sed -n 's/^kernel,//p')
case $width in
    AVX-512) suffix=avx512 ;;
    AVX2) suffix=avx ;;
    SSE2) suffix=sse ;;
    *) echo "unexpected width: '$width'" >&2; exit 2 ;;
esac
kernels=$(likwid-bench -a)
for k in load copy store; do
    grep -q "^ *${k}_${suffix} " <<<"$kernels" || { echo "likwid-bench has no ${k}_${suffix}" >&2; exit 2; }
done
echo "width: $width (likwid kernels *_${suffix}); rounds: $rounds; load: $(cut -d' ' -f1-3 /proc/loadavg)"

# ours CPU KB: "read copy write" in 10^6 bytes/s
ours() {
    taskset -c "$1" "$cli" --throughput --kernel vector --throughput-blocks "$2" --tests copy,read,write --format csv |
        awk -F, '$1 ~ /^[0-9]+$/ { printf "%.0f %.0f %.0f\n", $3 * 1.048576, $2 * 1.048576, $4 * 1.048576 }'
}
# likwid CPU KB KERNEL: MByte/s
rt=(chrt -f 99)
"${rt[@]}" true 2>/dev/null || rt=()
likwid() {
    taskset -c "$1" "${rt[@]}" likwid-bench -t "$3" -w "N:${2}kB:1" -s 1 2>/dev/null | awk '/^MByte\/s:/ { print int($2) }'
}

declare -A best
keep() {  # key value: the larger
    local old=${best[$1]:-0}
    awk -v a="$2" -v b="$old" 'BEGIN { exit !(a > b) }' && best[$1]=$2 || true
}
for cpu in "${cpus[@]}"; do
    for ((r = 1; r <= rounds; r++)); do
        for kb in "${sizes_kb[@]}"; do
            read -r rd cp wr < <(ours "$cpu" "$kb")
            lr=$(likwid "$cpu" "$kb" "load_${suffix}")
            lc=$(likwid "$cpu" "$kb" "copy_${suffix}")
            ls=$(likwid "$cpu" "$kb" "store_${suffix}")
            echo "cpu $cpu round $r ${kb} KB: read $rd / $lr, copy $cp / $lc, write $wr / $ls (ours / likwid, MB/s)"
            keep "$cpu $kb read ours" "$rd"; keep "$cpu $kb read likwid" "$lr"
            keep "$cpu $kb copy ours" "$cp"; keep "$cpu $kb copy likwid" "$lc"
            keep "$cpu $kb write ours" "$wr"; keep "$cpu $kb write likwid" "$ls"
        done
    done
done

echo
printf '%-4s %-9s %-6s %12s %12s %7s\n' cpu block test ours likwid ratio
off=0
for cpu in "${cpus[@]}"; do
    for kb in "${sizes_kb[@]}"; do
        for t in read copy write; do
            o=${best["$cpu $kb $t ours"]}
            l=${best["$cpu $kb $t likwid"]}
            ratio=$(awk -v o="$o" -v l="$l" 'BEGIN { printf "%.2f", (l > 0 ? o / l : 0) }')
            mark=$(awk -v q="$ratio" 'BEGIN { print (q < 0.85 || q > 1.15) ? "  outside 15%" : "" }')
            [ -z "$mark" ] || off=$((off + 1))
            printf '%-4s %-9s %-6s %12s %12s %7s%s\n' "$cpu" "${kb} KB" "$t" "$o" "$l" "$ratio" "$mark"
        done
    done
done
echo "load at the end: $(cut -d' ' -f1-3 /proc/loadavg); $off figure(s) outside 15%"
