#!/usr/bin/env bash
# deleted-folders-card.sh OUTDIR FOLDERS
# A card of many deleted empty folders: an MBR disk with one 128 MiB FAT32 partition of 512-byte
# clusters (mkfs.fat --invariant) in whose root FOLDERS empty folders D000001, D000002, ... were made
# and then removed, as `mmd` of them all and `mrd` of them all leave it: each folder's cluster keeps
# its "." and ".." entries, its root entry is marked deleted and its cluster is free; the root's own
# clusters, taken as it grew between the folders', stay in its chain. Made as a dynamic VHD:
#   OUTDIR/deleted-folders-FOLDERS.vhd
# mtools takes time that grows with the square of a folder's names to add one (about 45 s for
# 10,000), so the script writes the folders itself, cluster by cluster in the order mtools takes
# them, with mtools' stamps (SOURCE_DATE_EPOCH); with MAKER=mtools it runs `mmd` and `mrd` instead
# (bench/deleted-folders-speed.sh compares the two on a small card). The volume is checked with
# `fsck.fat -n`, and fls must list FOLDERS deleted folders in the root. Kept when OUTDIR already
# holds it.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: bench/deleted-folders-card.sh OUTDIR FOLDERS" >&2; exit 2; }
fixtures="$(cd "$(dirname "${BASH_SOURCE[0]}")/../tests/fixtures" && pwd)"
source "$(dirname "${BASH_SOURCE[0]}")/fat-volume-disk.sh"
mkdir -p "$1"
vhd="$(cd "$1" && pwd)/deleted-folders-$2${MAKER:+-$MAKER}.vhd"
count=$2
[ -f "$vhd" ] && exit 0
export LC_ALL=C.UTF-8 MTOOLS_SKIP_CHECK=1 TZ=UTC SOURCE_DATE_EPOCH=1700000000
work=$(realpath "$(mktemp -d)")
trap 'rm -rf "$work"' EXIT
fail() {
  echo "deleted-folders-card.sh: $*" >&2
  exit 1
}

# The volume by itself first (fsck.fat checks a file of one volume), then put into the disk.
start=2048 sectors=$((128 * 2048))
volume="$work/volume.raw" img="$work/volume.raw"
truncate -s $((sectors * 512)) "$volume"
mkfs.fat --invariant -F 32 -s 1 -S 512 -h "$start" "$volume" $((sectors / 2)) >/dev/null

if [ "${MAKER:-}" = mtools ]; then
  # shellcheck disable=SC2046 # the folders' names, no blank in them
  mmd -i "$img" $(seq -f "::/D%06g" 1 "$count")
  # shellcheck disable=SC2046
  mrd -i "$img" $(seq -f "::/D%06g" 1 "$count")
else
  PYTHONPATH="$fixtures" python3 - "$volume" "$count" "$SOURCE_DATE_EPOCH" <<'PY'
import struct, sys, time

from fat_volume import fat32_layout, write_fats

path, count, epoch = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
f = open(path, "r+b")
layout = fat32_layout(f.read(512))
bps, spc, reserved, fats, total, fat_sectors, root, fsinfo, data_start, clusters = layout
assert bps == 512 and spc == 1, "512-byte clusters"
per_cluster = bps // 32
f.seek(reserved * bps)
fat = bytearray(f.read(fat_sectors * bps))
END = 0x0FFFFFFF

t = time.gmtime(epoch)
DATE = ((t.tm_year - 1980) << 9) | (t.tm_mon << 5) | t.tm_mday
TIME = (t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec // 2)

def entry(name, cluster):
    # name, attributes (a folder), reserved, hundredths, made (time, date), read, high cluster word,
    # written (time, date), low cluster word, size
    return struct.pack("<11sBBBHHHHHHHI", name, 0x10, 0, 0, TIME, DATE, DATE, cluster >> 16, TIME, DATE,
                       cluster & 0xFFFF, 0)

# mmd: each folder takes the next free cluster; where its entry no longer fits the root's last cluster,
# the root then takes the next one.
root_chain, folder_clusters = [root], []
next_free = root + 1
for n in range(count):
    folder_clusters.append(next_free)
    next_free += 1
    if n >= len(root_chain) * per_cluster:
        root_chain.append(next_free)
        next_free += 1
last = next_free - 1
if last >= clusters + 2:
    sys.exit("deleted-folders-card.sh: %d clusters do not hold %d folders" % (clusters, count))
for a, b in zip(root_chain, root_chain[1:]):
    struct.pack_into("<I", fat, a * 4, b)
struct.pack_into("<I", fat, root_chain[-1] * 4, END)  # the folders' own entries stay 0: mrd freed them

def at(cluster):
    return (data_start + (cluster - 2) * spc) * bps

blank = bytes(bps * spc - 64)
for n, cluster in enumerate(folder_clusters):
    f.seek(at(cluster))
    f.write(entry(b".          ", cluster) + entry(b"..         ", 0) + blank)
# mrd: each root entry marked deleted.
names = [b"\xe5" + (b"%06d" % (n + 1)) + b"    " for n in range(count)]
body = b"".join(entry(name, cluster) for name, cluster in zip(names, folder_clusters))
body += bytes(len(root_chain) * bps * spc - len(body))
for k, cluster in enumerate(root_chain):
    f.seek(at(cluster))
    f.write(body[k * bps * spc:(k + 1) * bps * spc])
write_fats(f, layout, fat, last)
f.close()
PY
fi

disk="$work/disk.raw"
volume_disk "$volume" "$disk" "$start"
listed=$(fls -d -o "$start" "$disk" | grep -c '^d/d \* ' || true)
[ "$listed" -eq "$count" ] || fail "fls lists $listed deleted folders, not $count"
qemu-img convert -q -f raw -O vpc -o subformat=dynamic,force_size=on "$disk" "$vhd.part"
mv "$vhd.part" "$vhd"
