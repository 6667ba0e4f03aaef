#!/usr/bin/env bash
# Builds the CPUID layer and a small main for i386 and for the host, runs
# both and compares what they print. Skipped (77) where the compiler cannot
# make 32-bit programs.
#   tests/i386/check.sh SOURCE_DIR CXX
set -euo pipefail
src=$1
cxx=${2:-g++}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
files=("$src/tests/i386/cpuid_main.cpp" "$src/cpu/cpuid_source_live.cpp" "$src/cpu/cpuid_pass.cpp" "$src/cpu/format.cpp")
if ! "$cxx" -m32 -std=c++20 -O2 -Wall -Wextra -Werror -I"$src" "${files[@]}" -o "$work/cpuid32" 2>"$work/err"; then
    if grep -q -E 'bits/c\+\+config.h|cannot find|gnu/stubs-32.h|skipping incompatible' "$work/err"; then
        echo "SKIP: no 32-bit toolchain (g++-multilib)"; exit 77
    fi
    cat "$work/err" >&2; exit 1
fi
"$cxx" -std=c++20 -O2 -I"$src" "${files[@]}" -o "$work/cpuid64"
# A kernel without 32-bit support builds the program but cannot start it.
rc=0
"$work/cpuid32" >/dev/null 2>&1 || rc=$?
if [ "$rc" -eq 126 ]; then
    echo "SKIP: this kernel cannot run 32-bit programs"; exit 77
fi
# Pin both to one processor: the leaf-1 APIC id is per logical processor.
a=$(taskset -c 0 "$work/cpuid32") || { echo "i386 build failed: $a" >&2; exit 1; }
b=$(taskset -c 0 "$work/cpuid64")
echo "i386:   $a"
echo "x86-64: $b"
[ "$a" = "$b" ]
