#!/usr/bin/env bash
# Installs what Vellacord needs to build, run and test, from Debian's
# packages. Safe to run again; needs root (or sudo).
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-image-formats-plugins libgl-dev
  libhivex-dev libhivex-bin
  libfwsi-dev liblnk-dev libolecf-dev libbfio-dev
  libscca-dev
  libsqlite3-dev sqlite3
  # cached bodies of the browsers' disk caches: gzip and deflate, brotli
  zlib1g-dev libbrotli-dev
  # disk images: The Sleuth Kit, shadow copies, QCOW2; fls/icat and vshadowinfo to compare
  libtsk-dev libvshadow-dev libqcow-dev sleuthkit libvshadow-utils
  # scripts/make-test-images.sh
  ntfs-3g mtools fdisk ewf-tools qemu-utils
  libgtest-dev libgmock-dev
  xvfb xauth fonts-dejavu-core
  tzdata
  openbox xdotool imagemagick
  libxml2-utils
  clang-format git
  python3
  clang libclang-rt-14-dev
  desktop-file-utils
  # tools/render-pictures.sh (the screenshot tools are above)
  librsvg2-bin
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
