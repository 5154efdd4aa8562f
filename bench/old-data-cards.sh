#!/usr/bin/env bash
# old-data-cards.sh OUTDIR 2|32
# Camera cards that were used for a while: an MBR disk with one FAT32 partition (mkfs.fat
# --invariant, filled by mtools), photos of random bytes between JPEG markers, folders deleted and
# made again as a camera does. Kept when OUTDIR already holds them.
#   2   OUTDIR/old-data-2g.vhd, a fixed VHD of 2 GiB (4 KiB clusters, the partition from sector
#       2048): DCIM/100PHOTO to 103PHOTO of 160 photos each (1 to 4 MB) and "Documents/Old letters"
#       (300 long-named letters) fill 1.7 GB; 100PHOTO, 101PHOTO and the letters are deleted
#       (mdeltree) and 40 photos of 102PHOTO (mdel); the camera then makes DCIM/100PHOTO again (its
#       first cluster the old one's) and takes 60 photos into it. The free space holds most of the
#       old photos and letters. Needs 2 GiB (the VHD) and 1.7 GB while it is made.
#   32  OUTDIR/old-data-32g.vhd (fixed, sparse) and OUTDIR/old-data-32g.vhdx (dynamic) of 32 GiB
#       (32 KiB clusters, the partition from sector 8192): DCIM/100PHOTO to 109PHOTO of 200 photos
#       each (2,000 photos, 1 to 4 MB, 5 GB); 100PHOTO and 104PHOTO deleted (mdeltree) and 50
#       photos of the others (mdel); the camera makes DCIM/100PHOTO again and takes 80 photos. Most
#       of the card was never written. Needs about 11 GB (5 GB for each image; the raw disk, 5 GB
#       more, is removed once both are made).
# A fixed VHD is the raw disk followed by its footer: sleuthkit reads it as a raw image (-i raw).
# The script fails when the new DCIM/100PHOTO does not take the deleted one's first cluster.
set -euo pipefail
[ $# -eq 2 ] && { [ "$2" = 2 ] || [ "$2" = 32 ]; } || { echo "usage: bench/old-data-cards.sh OUTDIR 2|32" >&2; exit 2; }
fixtures="$(cd "$(dirname "${BASH_SOURCE[0]}")/../tests/fixtures" && pwd)"
mkdir -p "$1"
out="$(cd "$1" && pwd)"
size=$2
if [ "$size" = 2 ]; then
  [ -f "$out/old-data-2g.vhd" ] && exit 0
  start=2048 sectors=$((2 * 1024 * 2048 - 2048)) spc=8
  folders=4 photos=160 deleted="100PHOTO 101PHOTO" singles=40 again=60
else
  [ -f "$out/old-data-32g.vhd" ] && [ -f "$out/old-data-32g.vhdx" ] && exit 0
  start=8192 sectors=$((32 * 1024 * 2048 - 8192)) spc=64
  folders=10 photos=200 deleted="100PHOTO 104PHOTO" singles=50 again=80
fi
source "$fixtures/fat-disk.sh"
source "$fixtures/fat-writes.sh"
export LC_ALL=C.UTF-8 MTOOLS_SKIP_CHECK=1
# The raw disk is made beside the images (it may be large); the photos in a folder of their own.
work=$(realpath "$(mktemp -d "$out/old-data-cards.XXXXXX")")
trap 'rm -rf "$work"' EXIT
disk="$work/card.raw" img="$work/card.raw@@$((start * 512))" fat32=1
fat_disk "$disk" $(((start + sectors) * 512)) "$start" "$sectors" c -F 32 -s "$spc"

# photos FOLDER FIRST COUNT SEED: COUNT photos IMG_NNNN.JPG from FIRST, written into the card's
# DCIM/FOLDER one after another (each where the last ended, as a camera writes).
photos() {
  local folder=$1
  rm -rf "$work/photos" && mkdir "$work/photos"
  python3 - "$work/photos" "$2" "$3" "$4" <<'PY'
import os, random, sys
root, first, count, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
rnd = random.Random(seed)
for n in range(first, first + count):
    size = rnd.randint(1000000, 4000000)
    with open(os.path.join(root, "IMG_%04d.JPG" % n), "wb") as f:
        f.write(b"\xff\xd8\xff\xe1" + os.urandom(size - 6) + b"\xff\xd9")
PY
  (cd "$work/photos" && mcopy -i "$img" ./*.JPG "::/DCIM/$folder/")
  rm -rf "$work/photos"
}

folder DCIM
for i in $(seq 0 $((folders - 1))); do
  folder "DCIM/$((100 + i))PHOTO"
  photos "$((100 + i))PHOTO" $((1 + i * photos)) "$photos" "$i"
done
if [ "$size" = 2 ]; then
  folder Documents
  folder "Documents/Old letters"
  mkdir "$work/letters"
  python3 - "$work/letters" <<'PY'
import random, sys
rnd = random.Random(2)
for n in range(1, 301):
    name = "%s/Letter %03d to the committee about the spring meeting.txt" % (sys.argv[1], n)
    open(name, "wb").write(("Letter %d, paragraph\n" % n).encode() * rnd.randint(50, 2000))
PY
  (cd "$work/letters" && mcopy -i "$img" ./*.txt "::/Documents/Old letters/")
  rm -rf "$work/letters"
fi
first=$(clusters_of DCIM/100PHOTO | head -1)
for d in $deleted; do
  mdeltree -i "$img" "::/DCIM/$d"
done
[ "$size" = 2 ] && mdeltree -i "$img" "::/Documents/Old letters"
# Single photos deleted from the folders kept, one in every few.
kept=$(for i in $(seq 0 $((folders - 1))); do echo "$((100 + i))PHOTO"; done | grep -v -x -F "$(echo "$deleted" | tr ' ' '\n')")
n=0
for d in $kept; do
  for f in $(mdir -b -i "$img" "::/DCIM/$d" | awk 'NR % 7 == 3'); do
    [ "$n" -lt "$singles" ] || break 2
    mdel -i "$img" "$f"
    n=$((n + 1))
  done
done
folder DCIM/100PHOTO
[ "$(clusters_of DCIM/100PHOTO | head -1)" = "$first" ] ||
  { echo "old-data-cards.sh: the new DCIM/100PHOTO did not take the deleted one's first cluster" >&2; exit 1; }
photos 100PHOTO 9001 "$again" 99

if [ "$size" = 2 ]; then
  qemu-img convert -q -f raw -O vpc -o subformat=fixed,force_size=on "$disk" "$work/card.vhd"
  mv "$work/card.vhd" "$out/old-data-2g.vhd"
else
  qemu-img convert -q -f raw -O vpc -o subformat=fixed,force_size=on "$disk" "$work/card.vhd"
  qemu-img convert -q -f raw -O vhdx -o subformat=dynamic "$disk" "$work/card.vhdx"
  mv "$work/card.vhd" "$out/old-data-32g.vhd"
  mv "$work/card.vhdx" "$out/old-data-32g.vhdx"
fi
