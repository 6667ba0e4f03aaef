#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the full
# build, then the core again under AddressSanitizer and
# UndefinedBehaviorSanitizer. Every half runs even when an earlier one
# failed; the script fails at the end if any did.
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

run "full build and tests" full
run "ASan/UBSan build and tests" sanitized

if ((${#failed[@]})); then
    echo "FAILED: ${failed[*]}"
    exit 1
fi
echo "All test runs passed."
