#!/usr/bin/env bash
# extensive-speed.sh [MORVICK_BENCH] [WORKDIR]
# Times `morvick-bench scan --mode extensive` (the whole-disk search, the analyses and the listing of
# every volume found, without saving) of a 2 GiB fixed VHD against `cat` of the same file to
# /dev/null. The disk holds a 1 GiB FAT32 volume (mkfs.fat, mtools) and a 1 GiB NTFS volume (mkntfs,
# ntfs-3g; needs root for FUSE), each with about 500 MB of files in 50 folders, and its MBR wiped.
# Best of three runs, the file warm in the page cache. Fails when the scan takes more than three
# times as long as `cat`. Not run in CI.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bench=${1:-$ROOT/build/native/bench/morvick-bench}
work=${2:-$(mktemp -d /tmp/morvick-extensive-speed.XXXXXX)}
mkdir -p "$work"
image="$work/disk.vhd"
if [ ! -f "$image" ]; then
  raw="$work/disk.raw"
  half=$((1024 * 1024 * 2))   # sectors of 1 GiB
  fat=2048 ntfs=$((2048 + half))
  sectors=$((4 * 1024 * 1024 - 2048))   # the VHD's footer and geometry make the file 2 GiB
  truncate -s $((sectors * 512)) "$raw"
  printf 'label: dos\nstart=%d, size=%d, type=c\nstart=%d, type=7\n' "$fat" "$half" "$ntfs" | sfdisk -q "$raw" >/dev/null
  ntfs_sectors=$((sectors - ntfs))
  export MTOOLS_SKIP_CHECK=1
  mkfs.fat -F 32 -s 8 -h "$fat" --offset "$fat" "$raw" $((half / 2)) >/dev/null
  files="$work/files"
  mkdir -p "$files"
  python3 - "$files" <<'PY'
import os, random, sys
root = sys.argv[1]
rnd = random.Random(11)
for d in range(50):
    folder = os.path.join(root, "folder %02d" % d)
    os.mkdir(folder)
    for f in range(40):
        with open(os.path.join(folder, "file %02d-%02d.bin" % (d, f)), "wb") as out:
            out.write(rnd.randbytes(rnd.randint(1000, 500 * 1024)))
PY
  mcopy -s -i "$raw@@$((fat * 512))" "$files"/* ::/
  vol="$work/vol.ntfs"
  truncate -s $((ntfs_sectors * 512)) "$vol"
  mkntfs -q -F -Q -c 4096 -p "$ntfs" -H 255 -S 63 "$vol" "$ntfs_sectors" >/dev/null 2>&1
  mkdir -p "$work/mnt"
  ntfs-3g "$vol" "$work/mnt"
  cp -r "$files"/* "$work/mnt/"
  fusermount -u "$work/mnt"
  dd if="$vol" of="$raw" bs=1M seek=$((ntfs * 512)) oflag=seek_bytes conv=notrunc status=none
  dd if=/dev/zero of="$raw" bs=512 count=1 conv=notrunc status=none
  rm -rf "$vol" "$files"
  qemu-img convert -q -f raw -O vpc -o subformat=fixed,force_size=on "$raw" "$image"
  rm -f "$raw"
fi

source "$(dirname "${BASH_SOURCE[0]}")/best-of-three.sh"
catfile() { cat "$image" >/dev/null; }

catfile
"$bench" scan "$image" --mode extensive
scan_s=$(seconds "$bench" scan "$image" --mode extensive)
cat_s=$(seconds catfile)
awk -v a="$scan_s" -v b="$cat_s" -v size="$(stat -c %s "$image")" 'BEGIN {
  printf "scan --mode extensive   %.3f s   cat %.1f MiB   %.3f s   (%.2f x)\n", a, size / 1048576, b, a / b
  exit (a <= 3 * b) ? 0 : 1
}'
