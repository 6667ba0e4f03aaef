#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the full
# build, then the core again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then a short run of every fuzz target (clang,
# also under both sanitizers), then the Windows build under wine. Every part
# runs even when an earlier one failed; the script fails at the end if any
# did.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh || exit 1
jobs=$(nproc)
failed=()

# run NAME COMMAND...: runs one step, remembers a failure and goes on.
run() {
    local name=$1
    shift
    echo "=== $name"
    if ! "$@"; then
        echo "=== $name FAILED"
        failed+=("$name")
        return 1
    fi
}

full() {
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null &&
        cmake --build build -j"$jobs" &&
        (cd build && ctest --output-on-failure -j"$jobs")
}

sanitized() {
    cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKEST_SANITIZE=ON -DKEST_CORE_ONLY=ON -DKEST_BENCHMARKS=OFF >/dev/null &&
        cmake --build build-asan -j"$jobs" &&
        (cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j"$jobs")
}

# Each libFuzzer target for a bounded number of runs from its seed corpus
# (about a minute in all), under ASan/UBSan. New inputs go to a scratch
# folder, never into the project's corpus.
fuzz() {
    if ! command -v clang++-14 >/dev/null; then
        echo "no clang++-14: fuzz targets not built"
        return 1
    fi
    CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKEST_SANITIZE=ON \
        -DKEST_FUZZ=ON -DKEST_CORE_ONLY=ON -DKEST_BENCHMARKS=OFF >/dev/null &&
        cmake --build build-fuzz -j"$jobs" --target fuzz_all || return 1
    # seeds TARGET: the seed folders of a target (the processor corpus's
    # dumps serve the dump reader too).
    seeds() {
        echo "tests/fuzz/corpus/$1"
        case $1 in
        cpuid_dump) echo tests/corpus ;;
        dmi_dump) echo tests/fuzz/corpus/dmi_dump_minimised ;;
        esac
    }
    local scratch t runs status=0
    scratch=$(mktemp -d)
    for t in cpuid_dump:20000 dmi_dump:30000 database_ini:60000; do
        runs=${t#*:}
        t=${t%%:*}
        mkdir -p "$scratch/$t"
        echo "--- fuzz_$t: $runs runs"
        if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
            "build-fuzz/tests/fuzz/fuzz_$t" -runs="$runs" -max_total_time=60 -dict="tests/fuzz/$t.dict" \
            -artifact_prefix="$scratch/$t-" -print_final_stats=1 "$scratch/$t" $(seeds "$t") \
            >"$scratch/$t.log" 2>&1; then
            tail -40 "$scratch/$t.log"
            echo "fuzz_$t found a fault; the input is in $scratch"
            status=1
            continue
        fi
        grep -E "DONE|stat::number_of_executed_units" "$scratch/$t.log"
    done
    [ $status -eq 0 ] && rm -rf "$scratch"
    return $status
}

# The core and kestrune-cli as 32-bit and 64-bit Windows programs (both
# built by scripts/build-windows.sh), the core's suites under wine in the
# 32-bit build, the window program of both widths, and each kestrune-cli.exe
# against the full build's kestrune-cli. Comes after the full build, whose
# program it compares with.
windows() {
    bash scripts/build-windows.sh --target kestrune-cli &&
        cmake --build build-win32 -j"$jobs" &&
        (cd build-win32 && ctest --output-on-failure -j"$jobs") &&
        cmake --build build-win64 -j"$jobs" --target kestrune kestrune-probe &&
        (cd build-win64 && ctest --output-on-failure -R "same_bytes_as_linux|e2e_win32_window")
}

run "full build and tests" full
run "ASan/UBSan build and tests" sanitized
run "fuzzing" fuzz
run "Windows build and tests under wine" windows

if ((${#failed[@]})); then
    echo "FAILED: ${failed[*]}"
    exit 1
fi
echo "All test runs passed."
