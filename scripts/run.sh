#!/usr/bin/env bash
# Installs what is missing, builds and starts Kestrune.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
if [ -x build/kestrune ]; then
  exec build/kestrune
fi
exec build/kestrune-cli
