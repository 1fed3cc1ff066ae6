#!/usr/bin/env bash
# Makes the image of the disk image benchmarks and runs them.
#   scripts/bench-disk-image.sh [BUILD_DIR] [IMAGE]
# IMAGE (default /tmp/vellacord-bench-4g.raw) is a raw disk of 4 GiB, MBR,
# one NTFS partition filling it, holding the sample volume (as
# scripts/make-test-images.sh lays it out) and a file big.bin of 256 MiB of
# random bytes. It is sparse: it takes about 300 MiB of disk. Needs root for
# the ntfs-3g mount.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
image=${2:-/tmp/vellacord-bench-4g.raw}
if [ ! -f "$image" ]; then
  work=$(mktemp -d)
  trap 'mountpoint -q "$work/mnt" && umount "$work/mnt"; rm -rf "$work"' EXIT
  mkdir -p "$work/mnt"
  part_mib=4095
  truncate -s "${part_mib}M" "$work/ntfs.img"
  mkntfs -q -F -Q -L BENCH "$work/ntfs.img" >/dev/null 2>&1
  ntfs-3g -o rw "$work/ntfs.img" "$work/mnt"
  mkdir -p "$work/mnt/Windows/System32/config" "$work/mnt/Documents and Settings"
  cp -r --preserve=timestamps samples/profiles/xp "$work/mnt/Documents and Settings/joe"
  head -c 256M /dev/urandom >"$work/mnt/big.bin"
  umount "$work/mnt"
  truncate -s 4G "$image"
  printf 'label: dos\nstart=2048, size=%d, type=7\n' $((part_mib * 2048)) | sfdisk -q "$image"
  dd if="$work/ntfs.img" of="$image" bs=4M seek=1M oflag=seek_bytes conv=notrunc,sparse status=none
fi
VC_BENCH_IMAGE="$image" "$build/vellacord_core_tests" --gtest_also_run_disabled_tests \
  --gtest_filter='DiskImageBenchmark.*'
