#!/usr/bin/env bash
# Builds the CPUID layer (or, with "vector", the vector throughput loops)
# and a small main for i386 and for the host, runs both and compares what
# they print. Skipped (77) where the compiler cannot
# make 32-bit programs, and after building where the kernel refuses to run
# them (no IA-32 emulation: "Exec format error").
#   tests/i386/check.sh SOURCE_DIR CXX [cpuid|vector]
set -euo pipefail
src=$1
cxx=${2:-g++}
what=${3:-cpuid}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
case $what in
    cpuid) files=("$src/tests/i386/cpuid_main.cpp" "$src/cpu/cpuid_source_live.cpp" "$src/cpu/cpuid_pass.cpp" "$src/cpu/format.cpp") ;;
    vector) files=("$src/tests/i386/vector_main.cpp" "$src/bench/vector_kernels.cpp" "$src/cpu/vector_support.cpp") ;;
    *) echo "unknown part: $what" >&2; exit 2 ;;
esac
if ! "$cxx" -m32 -std=c++20 -O2 -Wall -Wextra -Werror -I"$src" "${files[@]}" -o "$work/cpuid32" 2>"$work/err"; then
    if grep -q -E 'bits/c\+\+config.h|cannot find|gnu/stubs-32.h|skipping incompatible' "$work/err"; then
        echo "SKIP: no 32-bit toolchain (g++-multilib)"; exit 77
    fi
    cat "$work/err" >&2; exit 1
fi
"$cxx" -std=c++20 -O2 -I"$src" "${files[@]}" -o "$work/cpuid64"
# The shell reports a binary the kernel cannot execute with 126. (taskset
# would hand such a file to /bin/sh instead, so ask the shell first.)
rc=0
"$work/cpuid32" >/dev/null 2>"$work/run-err" || rc=$?
if [ $rc -eq 126 ]; then
    echo "SKIP: built, but this kernel does not run 32-bit programs: $(tr '\n' ' ' <"$work/run-err")"
    exit 77
fi
# Pin both to one processor: the leaf-1 APIC id is per logical processor.
a=$(taskset -c 0 "$work/cpuid32") || { echo "i386 build failed: $a" >&2; exit 1; }
b=$(taskset -c 0 "$work/cpuid64")
echo "i386:   $a"
echo "x86-64: $b"
[ "$a" = "$b" ]
