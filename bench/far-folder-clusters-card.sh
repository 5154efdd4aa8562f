#!/usr/bin/env bash
# far-folder-clusters-card.sh OUTDIR FILES
# A card whose two deleted folders' entries go on into clusters far past their first ones, with many
# small deleted files between: an MBR disk with one 128 MiB FAT32 partition of 512-byte clusters
# (mkfs.fat --invariant), made as a dynamic VHD:
#   OUTDIR/far-folder-clusters-FILES.vhd
# The root (live, its chain first) holds the deleted entries of FILES files of one cluster, written
# in January, and of the folders "TRIP" and "PARTY", made in June. Each folder's first cluster holds
# "." and "..", three photos of long names and the first two parts of a fourth one's long name; its
# last part and short entry begin the folder's second cluster, followed by three more photos. The
# clusters, in order: the root's chain, TRIP's first cluster and its photos' data, half the small
# files, TRIP's second cluster and its photos' data, then the same for PARTY with the other half.
# Every cluster but the root's is free. The deleted-folder search asks for each folder whether a
# file of another folder written after its second cluster's entries lies between its two clusters:
# it must look at every small file's claim between, and finds none. The script writes the entries
# and the FAT itself (mtools takes time that grows with the square of a folder's names to add one)
# and checks the volume with `fsck.fat -n`. FILES is at most 65,534, so that the root holds no more
# entries than a FAT folder may. Kept when OUTDIR already holds it.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: bench/far-folder-clusters-card.sh OUTDIR FILES" >&2; exit 2; }
fixtures="$(cd "$(dirname "${BASH_SOURCE[0]}")/../tests/fixtures" && pwd)"
source "$(dirname "${BASH_SOURCE[0]}")/fat-volume-disk.sh"
mkdir -p "$1"
vhd="$(cd "$1" && pwd)/far-folder-clusters-$2.vhd"
count=$2
[ -f "$vhd" ] && exit 0
# A FAT folder holds 65,536 entries (the Extensive Scan reads no more of one); the folders take two.
[ "$count" -le 65534 ] || { echo "far-folder-clusters-card.sh: FILES is at most 65,534" >&2; exit 2; }
export LC_ALL=C.UTF-8
work=$(realpath "$(mktemp -d)")
trap 'rm -rf "$work"' EXIT
fail() {
  echo "far-folder-clusters-card.sh: $*" >&2
  exit 1
}

# The volume by itself first (fsck.fat checks a file of one volume), then put into the disk.
start=2048 sectors=$((128 * 2048))
volume="$work/volume.raw"
truncate -s $((sectors * 512)) "$volume"
mkfs.fat --invariant -F 32 -s 1 -S 512 -h "$start" "$volume" $((sectors / 2)) >/dev/null

PYTHONPATH="$fixtures" python3 - "$volume" "$count" <<'PY' || fail "the volume does not hold $count files"
import struct, sys

from fat_names import checksum, deleted_long_name_part as part
from fat_volume import fat32_layout, write_fats

path, count = sys.argv[1], int(sys.argv[2])
f = open(path, "r+b")
layout = fat32_layout(f.read(512))
bps, spc, reserved, fats, total, fat_sectors, root, fsinfo, data_start, clusters = layout
assert bps == 512 and spc == 1 and root == 2, "512-byte clusters, the root at cluster 2"
per_cluster = bps // 32
f.seek(reserved * bps)
fat = bytearray(f.read(fat_sectors * bps))
END = 0x0FFFFFFF

def stamp(year, month, day, hour):
    return ((year - 1980) << 9) | (month << 5) | day, hour << 11

JANUARY, JUNE = stamp(2023, 1, 10, 10), stamp(2023, 6, 10, 12)

def entry(name11, attributes, cluster, size, when):
    date, time = when
    # name, attributes, reserved, hundredths, made (time, date), read, high cluster word, written
    # (time, date), low cluster word, size
    return struct.pack("<11sBBBHHHHHHHI", name11, attributes, 0, 0, time, date, date, cluster >> 16, time, date,
                       cluster & 0xFFFF, size)

def deleted(name11):
    return b"\xe5" + name11[1:]

def long_name(text, name11):
    # The parts of a deleted long name as they lie on the disk, the last part first, then its short entry.
    chunks = [text[i:i + 13] for i in range(0, len(text), 13)]
    check = checksum(name11)
    return [part(c, check) for c in reversed(chunks)] + [entry(deleted(name11), 0x20, 0, 0, JUNE)]

def at(cluster):
    return (data_start + (cluster - 2) * spc) * bps

root_slots = count + 2
root_chain = list(range(2, 2 + (root_slots + per_cluster - 1) // per_cluster))
next_free = root_chain[-1] + 1
root_body = []
PHOTO = 3  # clusters a photo takes

def photo(cluster, folder, n):
    # A photo of a long name whose data starts at `cluster`: its entries, written in June.
    name11 = b"%-5.5sP~%dJPG" % (folder[:5].encode(), n)
    slots = long_name("%s photo %04d at the lake.jpg" % (folder.title(), n), name11)
    slots[-1] = entry(deleted(name11), 0x20, cluster, PHOTO * bps - 100, JUNE)
    f.seek(at(cluster))
    f.write((b"%s %d\n" % (folder.encode(), n)) * (PHOTO * bps // 16))
    return slots

def folder(name, small):
    # The folder's first cluster, its photos' data, `small` files of the root, its second cluster and
    # its photos' data.
    global next_free
    first = next_free
    next_free += 1
    root_body.append(entry(deleted((b"%-11s" % name.encode())), 0x10, first, 0, JUNE))
    slots = [entry(b".          ", 0x10, first, 0, JUNE), entry(b"..         ", 0x10, 0, 0, JUNE)]
    for n in range(1, 4):
        slots += photo(next_free, name, n)
        next_free += PHOTO
    cut = photo(0, name, 4)  # its data after the second cluster
    slots += cut[:2]
    assert len(slots) == per_cluster, "the first cluster ends inside the fourth photo's name"
    f.seek(at(first))
    f.write(b"".join(slots))
    for n in range(small):
        number = len(root_body)
        root_body.append(entry(b"\xe5%07dTMP" % number, 0x20, next_free, 300, JANUARY))
        f.seek(at(next_free))
        f.write((b"cached %07d\n" % number) * 20)
        next_free += 1
    second = next_free
    next_free += 1
    fourth = photo(next_free, name, 4)
    next_free += PHOTO
    slots = fourth[2:]
    for n in range(5, 8):
        slots += photo(next_free, name, n)
        next_free += PHOTO
    f.seek(at(second))
    f.write(b"".join(slots) + bytes(bps - 32 * len(slots)))
    return first, second

trip = folder("TRIP", count // 2)
party = folder("PARTY", count - count // 2)
if next_free >= clusters + 2:
    sys.exit(1)
body = b"".join(root_body)
body += bytes(len(root_chain) * bps - len(body))
for k, cluster in enumerate(root_chain):
    f.seek(at(cluster))
    f.write(body[k * bps:(k + 1) * bps])
for a, b in zip(root_chain, root_chain[1:]):
    struct.pack_into("<I", fat, a * 4, b)
struct.pack_into("<I", fat, root_chain[-1] * 4, END)
write_fats(f, layout, fat, next_free)
f.close()
PY

disk="$work/disk.raw"
volume_disk "$volume" "$disk" "$start"
qemu-img convert -q -f raw -O vpc -o subformat=dynamic,force_size=on "$disk" "$vhd.part"
mv "$vhd.part" "$vhd"
