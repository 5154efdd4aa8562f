#!/usr/bin/env bash
# cut-name-card.sh OUTDIR CLUSTERS
# A card whose free clusters hold a deleted file of CLUSTERS clusters that each look like a cluster
# of a deleted folder's entries ending in a long name cut at its end, the file's own entry lost:
# an MBR disk with one 64 MiB FAT32 partition of 512-byte clusters (mkfs.fat --invariant, filled by
# mtools, each write taking the first free cluster), made as a dynamic VHD:
#   OUTDIR/cut-name-CLUSTERS.vhd
# "Letters/" (30 letters, live) is written first; then "Old records/" with, unless CLUSTERS is 0,
# records.dat (its entry in the folder's first cluster) and five notes; then the live "Kept/" with
# KEEP.TXT (its root entry keeps the deleted folder's root entry from being reused). "Old records"
# is deleted (mdeltree) and the live, empty folder "Records made after the old ones were deleted"
# takes its first cluster, so records.dat's entry is gone and its clusters are free and claimed by
# no entry (sleuthkit lists their entries as orphans).
# Every 512 bytes of records.dat are sixteen deleted entries: a long-name part that goes on from
# the previous cluster, fourteen empty files and a long-name part cut at the end, all the parts of
# one checksum, and no part joins the next cluster's (the short name that follows a leading part
# does not begin with that part's first letter). CLUSTERS 0 is the same card without the file.
# Kept when OUTDIR already holds it; the script fails when the card is not laid out so.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: bench/cut-name-card.sh OUTDIR CLUSTERS" >&2; exit 2; }
fixtures="$(cd "$(dirname "${BASH_SOURCE[0]}")/../tests/fixtures" && pwd)"
mkdir -p "$1"
vhd="$(cd "$1" && pwd)/cut-name-$2.vhd"
count=$2
[ -f "$vhd" ] && exit 0
source "$fixtures/fat-disk.sh"
source "$fixtures/fat-writes.sh"
export LC_ALL=C.UTF-8 MTOOLS_SKIP_CHECK=1
work=$(realpath "$(mktemp -d)")
trap 'rm -rf "$work"' EXIT
fail() {
  echo "cut-name-card.sh: $*" >&2
  exit 1
}
# The clusters of PATH, one a line: every sector istat lists begins a cluster of one sector.
clusters_of() {
  istat -o "$start" "$disk" "$(ifind -o "$start" -n "$1" "$disk")" |
    awk 'found { for (i = 1; i <= NF; i++) print $i } /^Sectors:/ { found = 1 }' |
    awk -v base="$(cluster_base)" '{ print $1 - base + 2 }'
}

start=2048 sectors=$((64 * 2048))
disk="$work/card.raw" img="$work/card.raw@@$((start * 512))" fat32=1
fat_disk "$disk" $(((start + sectors) * 512)) "$start" "$sectors" c -F 32 -s 1

cd "$work"
mkdir letters notes new
PYTHONPATH="$fixtures" python3 - "$count" <<'PY'
import random, struct, sys

from fat_names import checksum, deleted_long_name_part as part

count = int(sys.argv[1])
rnd = random.Random(79)
for n in range(1, 31):
    name = "letters/Letter %02d about the spring term.txt" % n
    open(name, "wb").write(("Letter %d\n" % n).encode() * rnd.randint(20, 300))
for n in range(1, 6):
    open("notes/Old record note %d.txt" % n, "wb").write(("note %d\n" % n).encode() * 90)
open("new/KEEP.TXT", "wb").write(b"kept\n" * 40)
if count == 0:
    sys.exit(0)

def first_byte_of(name11, wanted):
    for b in range(256):
        if checksum(bytes([b]) + name11[1:]) == wanted:
            return b

DATE = ((2023 - 1980) << 9) | (3 << 5) | 14
TIME = (10 << 11) | (30 << 5)

def empty_file(name11):
    return name11 + struct.pack("<BBBHHHHHHHI", 0x20, 0, 0, TIME, DATE, DATE, 0, TIME, DATE, 0, 0)

SUM = 0x5A
lead = part("xtra notes of", SUM)  # a name's middle: no end, lost number
cut = part("Record", SUM)          # a name's last part: its end, the rest in the next cluster
out = open("records.dat", "wb")
number = 0
for k in range(count):
    entries = [lead]
    while len(entries) < 15:
        number += 1
        name11 = b"\xe5" + b"%07dDAT" % number
        # The leading part's name begins with "x": a short name whose first byte the checksum
        # gives back as "X" would join it, and the clusters are meant to join nothing.
        if len(entries) == 1 and first_byte_of(name11, SUM) == ord("X"):
            continue
        entries.append(empty_file(name11))
    entries.append(cut)
    out.write(b"".join(entries))
PY

(cd letters && folder Letters && put Letters ./*.txt)
folder "Old records"
# records.dat first: its entry in the folder's first cluster, which the new folder takes.
[ "$count" -eq 0 ] || put "Old records" records.dat
(cd notes && put "Old records" ./*.txt)
old=$(clusters_of "Old records" | head -1)
if [ "$count" -ne 0 ]; then
  records=$(clusters_of "Old records/records.dat")
  [ "$(echo "$records" | wc -l)" -eq "$count" ] || fail "records.dat is not $count clusters"
fi
folder Kept
(cd new && put Kept KEEP.TXT)
mdeltree -i "$img" "::/Old records"
folder "Records made after the old ones were deleted"
[ "$(clusters_of "Records made after the old ones were deleted" | head -1)" = "$old" ] ||
  fail "the new folder did not take the old one's first cluster ($old)"
if [ "$count" -ne 0 ]; then
  cluster_free "$(echo "$records" | head -1)" && cluster_free "$(echo "$records" | tail -1)" ||
    fail "records.dat's clusters are not free"
fi
fat_vhd "$disk" "$vhd.part"
mv "$vhd.part" "$vhd"
