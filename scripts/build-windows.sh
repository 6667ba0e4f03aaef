#!/usr/bin/env bash
# Builds the core, kestrune-cli.exe and the core's tests as 32-bit and 64-bit
# Windows programs with Debian's mingw-w64 compilers:
#   build-win32/kestrune-cli.exe (i686), build-win64/kestrune-cli.exe (x86-64)
# Extra arguments go to the build (e.g. --target kestrune-cli).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
for width in i686:build-win32 x86_64:build-win64; do
    arch=${width%%:*}
    dir=${width#*:}
    echo "=== $dir ($arch)"
    cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" -DCMAKE_BUILD_TYPE=Release \
        "${launcher[@]}" >/dev/null
    cmake --build "$dir" -j"$jobs" "$@"
done
