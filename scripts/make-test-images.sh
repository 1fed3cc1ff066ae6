#!/usr/bin/env bash
# Makes the disk images the image tests read, from a Windows volume's folder.
#   scripts/make-test-images.sh [VOLUME_DIR] [OUT_DIR]
# VOLUME_DIR is the root of a Windows volume (Windows/System32/config, a
# Users or Documents and Settings folder); without it the XP sample profile
# (samples/profiles/xp) is placed as "Documents and Settings/joe" beside an
# empty Windows/System32/config. OUT_DIR defaults to tests/data/images.
#
# What it makes (tests/data/README.md lists them too):
#   disk-mbr.001, disk-mbr.002   split raw disk, MBR: partition 1 NTFS, partition 2 FAT16,
#                                each holding the volume; one deleted file on each
#   disk-mbr.E01, E02...         the same disk as EnCase 6 segments of 1 MiB (ewfacquire;
#                                only empty blocks compressed, so that there are several)
#   disk-gpt.vmdk .vhd .vhdx .qcow2   a GPT disk of one NTFS partition holding the
#                                volume, as VMDK (stream-optimized), VHD (dynamic),
#                                VHDX and QCOW2 (compressed), made by qemu-img
#   deleted.txt                  the content of the deleted files
#   seed-ntfs.img, seed-fat.img  small volumes (no partition table; a few of the volume's
#                                files and one deleted), whole within the fuzz target's
#                                input size: its seeds (fuzz/run.sh)
#
# Needs root for the ntfs-3g FUSE mount (the tests never mount), and
# Debian's ntfs-3g, mtools, fdisk (sfdisk), ewf-tools and qemu-utils.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=${1:-}
out=${2:-tests/data/images}

for tool in mkntfs ntfs-3g mformat mcopy mmd mdel sfdisk ewfacquire qemu-img; do
  command -v "$tool" >/dev/null || { echo "make-test-images: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
mnt="$work/mnt"
cleanup() {
  mountpoint -q "$mnt" 2>/dev/null && umount "$mnt"
  rm -rf "$work"
}
trap cleanup EXIT

# The volume's folder.
volume="$work/volume"
if [ -n "$source_dir" ]; then
  cp -a "$source_dir" "$volume"
else
  mkdir -p "$volume/Windows/System32/config" "$volume/Documents and Settings"
  cp -a samples/profiles/xp "$volume/Documents and Settings/joe"
fi
# The file that is written and deleted again on each volume: its entry and
# its clusters stay, nothing is written after it.
deleted_rel="Documents and Settings/joe/Local Settings/Temp/deleted-note.txt"
[ -d "$volume/Documents and Settings/joe/Local Settings" ] ||
  deleted_rel="$(cd "$volume" && find . -mindepth 2 -maxdepth 2 -path './Users/*' -type d |
                 head -1 | sed 's|^\./||')/deleted-note.txt"
printf 'This note was written to the volume and deleted again.\n%.0s' $(seq 64) >"$work/deleted.txt"
volume_kib=$(du -sk "$volume" | cut -f1)

# NTFS: twice the content and 4 MiB for the file system's own files.
ntfs_mib=$(( (volume_kib * 2 / 1024) + 4 ))
ntfs="$work/ntfs.img"
truncate -s "${ntfs_mib}M" "$ntfs"
mkntfs -q -F -Q -s 512 -c 4096 -L VELLACORD "$ntfs" >/dev/null 2>&1
mkdir -p "$mnt"
ntfs-3g -o rw "$ntfs" "$mnt"
cp -r --preserve=timestamps "$volume/." "$mnt/"
mkdir -p "$mnt/$(dirname "$deleted_rel")"
cp "$work/deleted.txt" "$mnt/$deleted_rel"
sync
rm "$mnt/$deleted_rel"
umount "$mnt"

# FAT16: the same content; mtools writes without a mount.
fat_mib=$(( (volume_kib * 3 / 2 / 1024) + 2 ))
[ "$fat_mib" -ge 5 ] || fat_mib=5
fat="$work/fat.img"
truncate -s "${fat_mib}M" "$fat"
# One sector a cluster: enough clusters for FAT16.
mformat -i "$fat" -c 1 -v VELLAFAT ::
(cd "$volume" && find . -mindepth 1 -type d | sort) | while IFS= read -r d; do
  mmd -i "$fat" "::/${d#./}"
done
(cd "$volume" && find . -type f | sort) | while IFS= read -r f; do
  mcopy -m -i "$fat" "$volume/${f#./}" "::/${f#./}"
done
mmd -i "$fat" "::/$(dirname "$deleted_rel")" 2>/dev/null || true
mcopy -i "$fat" "$work/deleted.txt" "::/$deleted_rel"
mdel -i "$fat" "::/$deleted_rel"

# The MBR disk: 1 MiB before the first partition, as partitioning tools align.
mbr="$work/disk-mbr.raw"
truncate -s "$(( 1 + ntfs_mib + fat_mib ))M" "$mbr"
sfdisk -q "$mbr" <<EOF
label: dos
start=2048, size=$(( ntfs_mib * 2048 )), type=7
start=$(( 2048 + ntfs_mib * 2048 )), size=$(( fat_mib * 2048 )), type=6
EOF
dd if="$ntfs" of="$mbr" bs=1M seek=1 conv=notrunc,sparse status=none
dd if="$fat" of="$mbr" bs=1M seek=$(( 1 + ntfs_mib )) conv=notrunc,sparse status=none

# The GPT disk: one partition, 1 MiB before it and the backup table after.
gpt="$work/disk-gpt.raw"
truncate -s "$(( 2 + ntfs_mib ))M" "$gpt"
sfdisk -q "$gpt" <<EOF
label: gpt
start=2048, size=$(( ntfs_mib * 2048 )), type=EBD0A0A2-B9E5-4433-87C0-68B6B72699C7, name="Basic data partition"
EOF
dd if="$ntfs" of="$gpt" bs=1M seek=1 conv=notrunc,sparse status=none

mkdir -p "$out"
rm -f "$out"/disk-mbr.* "$out"/disk-gpt.*
# Split raw: two pieces, the first ending inside the NTFS partition.
split_bytes=$(( ((1 + ntfs_mib + fat_mib + 1) / 2) * 1048576 ))
split -b "$split_bytes" -d -a 3 --numeric-suffixes=1 "$mbr" "$out/disk-mbr."
ewfacquire -q -u -t "$work/disk-mbr" -f encase6 -c deflate:empty-block -S 1MiB -b 64 \
  -C "vellacord tests" -D "MBR disk with an NTFS and a FAT volume" -E 1 -e vellacord \
  -N "made by scripts/make-test-images.sh" "$mbr" >/dev/null
cp "$work"/disk-mbr.E0? "$out/"
qemu-img convert -q -f raw -O vmdk -o subformat=streamOptimized "$gpt" "$out/disk-gpt.vmdk"
qemu-img convert -q -f raw -O vpc -o subformat=dynamic "$gpt" "$out/disk-gpt.vhd"
qemu-img convert -q -f raw -O vhdx -o block_size=1M,log_size=1M "$gpt" "$out/disk-gpt.vhdx"
qemu-img convert -q -f raw -O qcow2 -c "$gpt" "$out/disk-gpt.qcow2"
cp "$work/deleted.txt" "$out/deleted.txt"

# The fuzz seeds: the profile's hive and cookie folder, and the deleted note.
seed_files=("$(dirname "$deleted_rel")")
rm -f "$out"/seed-*
truncate -s 1100K "$out/seed-ntfs.img"
mkntfs -q -F -Q -s 512 -c 1024 -L SEED "$out/seed-ntfs.img" >/dev/null 2>&1
ntfs-3g -o rw "$out/seed-ntfs.img" "$mnt"
mkdir -p "$mnt/Windows/System32/config" "$mnt/${seed_files[0]}"
find "$volume" -ipath '*/cookies/*' -type f | head -3 | while IFS= read -r f; do
  cp --preserve=timestamps "$f" "$mnt/${seed_files[0]}/"
done
cp "$work/deleted.txt" "$mnt/$deleted_rel"
sync
rm "$mnt/$deleted_rel"
umount "$mnt"
truncate -s 256K "$out/seed-fat.img"
mformat -i "$out/seed-fat.img" -v SEED ::
mmd -i "$out/seed-fat.img" ::/Windows ::/Windows/System32 ::/Windows/System32/config
mcopy -i "$out/seed-fat.img" "$work/deleted.txt" ::/note.txt
mcopy -i "$out/seed-fat.img" "$work/deleted.txt" ::/Windows/deleted.txt
mdel -i "$out/seed-fat.img" ::/Windows/deleted.txt
ls -l "$out"
