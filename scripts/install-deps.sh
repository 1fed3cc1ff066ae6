#!/usr/bin/env bash
# Installs what Vellacord needs to build, run and test, from Debian's
# packages. Safe to run again; needs root (or sudo).
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-image-formats-plugins libgl-dev
  libhivex-dev libhivex-bin
  libgtest-dev libgmock-dev
  xvfb xauth fonts-dejavu-core
  libxml2-utils
  clang-format git
  desktop-file-utils
  # tools/take-screenshots.sh and tools/render-pictures.sh
  openbox xdotool imagemagick librsvg2-bin
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
