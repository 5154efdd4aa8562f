#!/usr/bin/env bash
# freed-folder-speed.sh [MORVICK_BENCH] [WORKDIR]
# What the Quick Scan reads and how long it takes when a deleted FAT folder's later clusters must be
# looked for among the free ones. An 8 GiB disk with one FAT32 partition (mkfs.fat, 4 KiB clusters)
# holding 1 GiB of files in 20 folders and DCIM/100PHOTO with 300 photos (three clusters of
# entries), deleted with mdeltree; as a fixed VHD (every free cluster is in the file) and as a
# dynamic VHDX (the never-written ones are not). Times `morvick-bench scan --mode quick` of each and
# `cat` of its file, best of three with warm files, and counts the bytes the scan reads (strace); with
# OLD_BENCH (a morvick-bench that does not look for such clusters) the same for it. Fails when the
# scan does not list all 300 photos, or reads more than the image file holds. Not run in CI.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bench=${1:-$ROOT/build/native/bench/morvick-bench}
work=${2:-$(mktemp -d /tmp/morvick-freed-folder-speed.XXXXXX)}
mkdir -p "$work"
fixed="$work/disk.vhd" dynamic="$work/disk.vhdx"
if [ ! -f "$fixed" ] || [ ! -f "$dynamic" ]; then
  raw="$work/disk.raw"
  start=2048 sectors=$((8 * 1024 * 1024 * 2 - 4096))
  truncate -s $(((start + sectors) * 512)) "$raw"
  printf 'label: dos\nstart=%d, size=%d, type=c\n' "$start" "$sectors" | sfdisk -q "$raw" >/dev/null
  export MTOOLS_SKIP_CHECK=1
  mkfs.fat -F 32 -s 8 -h "$start" --offset "$start" "$raw" $((sectors / 2)) >/dev/null
  img="$raw@@$((start * 512))"
  files="$work/files"
  mkdir -p "$files/photos"
  python3 - "$files" <<'PY'
import os, random, sys
root = sys.argv[1]
rnd = random.Random(62)
for d in range(20):
    folder = os.path.join(root, "folder %02d" % d)
    os.mkdir(folder)
    for f in range(50):
        with open(os.path.join(folder, "file %02d-%02d.bin" % (d, f)), "wb") as out:
            out.write(rnd.randbytes(rnd.randint(100 * 1024, 2 * 1024 * 1024)))
for n in range(1, 301):
    with open(os.path.join(root, "photos", "IMG_%04d.JPG" % n), "wb") as out:
        out.write(b"\xff\xd8\xff\xe1" + rnd.randbytes(rnd.randint(2000, 9000)) + b"\xff\xd9")
PY
  mcopy -s -i "$img" "$files"/folder* ::/
  mmd -i "$img" ::/DCIM ::/DCIM/100PHOTO
  mcopy -i "$img" "$files"/photos/* ::/DCIM/100PHOTO/
  mdeltree -i "$img" ::/DCIM
  rm -rf "$files"
  qemu-img convert -q -f raw -O vpc -o subformat=fixed,force_size=on "$raw" "$fixed"
  qemu-img convert -q -f raw -O vhdx -o subformat=dynamic "$raw" "$dynamic"
  rm -f "$raw"
fi

source "$(dirname "${BASH_SOURCE[0]}")/best-of-three.sh"

catfile() { cat "$1" >/dev/null; }
failed=0
for image in "$fixed" "$dynamic"; do
  catfile "$image"
  echo "{\"image\":\"$(basename "$image")\",\"bytes\":$(stat -c %s "$image"),\"cat_seconds\":$(seconds catfile "$image")}"
  for b in "$bench" ${OLD_BENCH:-}; do
    line=$("$b" scan "$image" --mode quick)
    s=$(seconds "$b" scan "$image" --mode quick)
    read_bytes=$(bytes_read "$b" scan "$image" --mode quick)
    echo "{\"image\":\"$(basename "$image")\",\"bench\":\"$b\",\"seconds\":$s,\"bytes_read\":$read_bytes,\"scan\":$line}"
    if [ "$read_bytes" -gt "$(stat -c %s "$image")" ]; then
      echo "freed-folder-speed.sh: $b read more than the image holds" >&2
      failed=1
    fi
  done
done
# The deleted photos of the new build's scan, counted from its save.
out=$(mktemp -d /dev/shm/morvick-freed-folder.XXXXXX)
trap 'rm -rf "$out"' EXIT
"$bench" scan "$dynamic" --mode quick --out "$out" >/dev/null
photos=$(find "$out" -name 'xMG_*.JPG' | wc -l)
echo "photos saved: $photos"
[ "$photos" -eq 300 ] || failed=1
exit "$failed"
