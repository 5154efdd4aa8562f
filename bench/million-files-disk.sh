#!/usr/bin/env bash
# million-files-disk.sh OUTDIR [FILES] [FOLDERS]
# A large camera card: an 8 GiB MBR disk with one FAT32 partition (mkfs.fat, 4 KiB clusters) whose
# FOLDERS folders (default 20, 100MEDIA onward) hold FILES files in all (default 1,000,000: 50,000 a
# folder), 8.3 names IMG00001.JPG onward in each, each file one cluster of zeros long (1 to 4,096 bytes), every
# tenth deleted (its entry marked, its cluster free). Made as a dynamic VHDX:
#   OUTDIR/million-files.vhdx
# mtools and the Linux driver take time that grows with the square of a folder's names to add one,
# so the entries are written straight into the folders' clusters, the FATs and the FSInfo sector by
# the script below, and the volume is checked with fsck.fat before it goes into the disk. Kept when
# OUTDIR already holds it.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: bench/million-files-disk.sh OUTDIR [FILES] [FOLDERS]" >&2; exit 2; }
mkdir -p "$1"
out="$(cd "$1" && pwd)"
files=${2:-1000000}
folders=${3:-20}
vhdx="$out/million-files.vhdx"
[ -f "$vhdx" ] && exit 0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

start=2048
sectors=$((8 * 1024 * 1024 * 2 - start))
volume="$work/volume.raw"
truncate -s $((sectors * 512)) "$volume"
mkfs.fat --invariant -F 32 -s 8 -S 512 -h "$start" "$volume" $((sectors / 2)) >/dev/null

PYTHONPATH="$(cd "$(dirname "${BASH_SOURCE[0]}")/../tests/fixtures" && pwd)" python3 - "$volume" "$files" "$folders" <<'PY'
import random, struct, sys

from fat_volume import fat32_layout, write_fats

path, files, folders = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
rnd = random.Random(69)
f = open(path, "r+b")
layout = fat32_layout(f.read(512))
bps, spc, reserved, fats, total, fat_sectors, root, fsinfo, data_start, clusters = layout
cluster_bytes = bps * spc
entries_per_cluster = cluster_bytes // 32
f.seek(reserved * bps)
fat = bytearray(f.read(fat_sectors * bps))
END = 0x0FFFFFFF
next_free = root + 1
per_folder = [files // folders + (1 if i < files % folders else 0) for i in range(folders)]
needed = sum((n + 2 + entries_per_cluster - 1) // entries_per_cluster + n for n in per_folder)
if max(per_folder) > 99999:
    sys.exit("million-files-disk.sh: at most 99,999 files a folder")
if needed > clusters - 1:
    sys.exit("million-files-disk.sh: %d clusters do not hold %d files" % (clusters, files))

def offset(cluster):
    return (data_start + (cluster - 2) * spc) * bps

def chain(count):
    global next_free
    first = next_free
    for c in range(first, first + count):
        struct.pack_into("<I", fat, c * 4, END if c == first + count - 1 else c + 1)
    next_free += count
    return first

DATE = ((2024 - 1980) << 9) | (5 << 5) | 1
TIME = 12 << 11

def entry(name, attr, cluster, size):
    return struct.pack("<11sBBBHHHHHHHI", name, attr, 0, 0, TIME, DATE, DATE, cluster >> 16, TIME, DATE,
                       cluster & 0xFFFF, size)

root_entries = []
number = 0
for i, count in enumerate(per_folder):
    name = b"%03dMEDIA   " % (100 + i)
    dir_clusters = (count + 2 + entries_per_cluster - 1) // entries_per_cluster
    first = chain(dir_clusters)
    root_entries.append(entry(name, 0x10, first, 0))
    body = bytearray(entry(b".          ", 0x10, first, 0) + entry(b"..         ", 0x10, 0, 0))
    for j in range(count):
        number += 1
        cluster = next_free
        next_free += 1
        deleted = number % 10 == 0
        if not deleted:
            struct.pack_into("<I", fat, cluster * 4, END)
        short = b"IMG%05d" % (j + 1)
        if deleted:
            short = b"\xe5" + short[1:]
        body += entry(short + b"JPG", 0x20, cluster, rnd.randint(1, cluster_bytes))
    body += bytes(dir_clusters * cluster_bytes - len(body))
    f.seek(offset(first))
    f.write(body)

# The folders in the root folder, after what mkfs.fat put there.
f.seek(offset(root))
top = bytearray(f.read(cluster_bytes))
at = 0
while at < len(top) and top[at] != 0:
    at += 32
if at + 32 * len(root_entries) > len(top):
    sys.exit("million-files-disk.sh: the root folder's cluster is full")
top[at:at + 32 * len(root_entries)] = b"".join(root_entries)
f.seek(offset(root))
f.write(top)

write_fats(f, layout, fat, next_free)
f.close()
PY

fsck.fat -n "$volume" >"$work/fsck.log" 2>&1 || { cat "$work/fsck.log" >&2; exit 1; }
raw="$work/disk.raw"
truncate -s $(((start + sectors) * 512)) "$raw"
printf 'label: dos\nstart=%d, size=%d, type=c\n' "$start" "$sectors" | sfdisk -q "$raw" >/dev/null
dd if="$volume" of="$raw" bs=1M seek=$((start * 512)) oflag=seek_bytes conv=sparse,notrunc status=none
rm -f "$volume"
qemu-img convert -q -f raw -O vhdx -o subformat=dynamic "$raw" "$vhdx.part"
mv "$vhdx.part" "$vhdx"
