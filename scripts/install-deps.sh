#!/usr/bin/env bash
# Installs the Debian 12 packages Kestrune builds and tests with; does
# nothing when they are all present already.
set -euo pipefail
packages=(
  build-essential g++-multilib cmake pkg-config
  qt6-base-dev libgl-dev libjpeg62-turbo-dev
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libcli11-dev
  xvfb xauth x11-utils xdotool binutils fonts-dejavu-core
  libx11-dev libxtst-dev libxdamage-dev
  clang-14 libclang-rt-14-dev
  desktop-file-utils appstream groff-base dpkg-dev file
  nsis zip imagemagick
  # The packages' checks and the metrics read by the real exporter.
  lintian systemd jq curl prometheus prometheus-node-exporter
  likwid
  # The Windows build (scripts/build-windows.sh) and its tests under wine.
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix googletest
  wine wine64 wine32:i386
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  # wine32 is an i386 package.
  if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
