#!/usr/bin/env bash
# huge-claim-speed.sh [MORVICK_BENCH] [WORKDIR]
# How long the scans and the load of a snapshot take when a volume claims far more sectors than its
# small image holds, every read past the image failing. From the snapshot-load fuzzer's disks
# (fuzz/disks) and seeds:
#   - its Extensive snapshot of the FAT32 disk with a FAT of 2^25 sectors and a volume of 2^32, loaded
#     (and saved) over that disk: a deleted folder's first cluster taken by a later file sets off the
#     search of the free clusters, over a FAT past the image's end;
#   - the NTFS disk with its boot sector, its partition entry and the first run of its MFT's record 0
#     claiming some 2^32 sectors: the Quick Scan and the Extensive Scan of it, and the load of the
#     Quick Scan's snapshot over it.
# Prints the seconds of each; fails when one takes more than 2 s or finds other files than over the
# undamaged disk (each takes some milliseconds; reading the failing sectors one at a time took 5 to
# 40 s). Not run in CI.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bench=${1:-$ROOT/build/native/bench/morvick-bench}
work=${2:-$(mktemp -d /tmp/morvick-huge-claim-speed.XXXXXX)}
mkdir -p "$work"
disks=$ROOT/fuzz/disks seeds=$ROOT/fuzz/seeds/fuzz_snapshot_load

python3 - "$seeds/extensive-fat32" "$work/fat32-huge.srzq" "$disks/ntfs.vhd" "$work/ntfs-huge.vhd" <<'PY'
import struct, sys
seed, snapshot, ntfs, damaged = sys.argv[1:]
# The snapshot without the fuzzer's byte; its block's FAT size, volume end and range made huge.
s = bytearray(open(seed, "rb").read()[1:])
for offset, value in ((30, 0x2000000), (74, 0xFFFFFFFF), (18, 0xFFFFFFFF), (22, 0xFFFFFFFE)):
    struct.pack_into("<I", s, offset, value)
open(snapshot, "wb").write(s)
# The NTFS volume from sector 63: its MFT at sector 95, whose record 0's runs begin 320 bytes in.
d = bytearray(open(ntfs, "rb").read())
record = 95 * 512
assert d[record:record + 4] == b"FILE" and d[record + 320] == 0x12
d[record + 320:record + 327] = bytes.fromhex("14ffffff7f2000")  # 2^31 - 1 clusters from cluster 32
struct.pack_into("<Q", d, 63 * 512 + 40, 0xFFFFFF00)
struct.pack_into("<I", d, 446 + 12, 0xFFFFFF00)
open(damaged, "wb").write(d)
PY

failed=0
# run NAME EXPECTED COMMAND...: runs a morvick-bench command, prints its seconds, and checks its time
# and that its counts (the JSON line without its seconds and saves) are those of EXPECTED's.
run() {
  local name=$1 expected=$2 t0 t1 line
  shift 2
  t0=$(date +%s.%N)
  line=$("$@" 2>/dev/null | tail -n 1) || true
  t1=$(date +%s.%N)
  local seconds
  seconds=$(echo "$t1 - $t0" | bc)
  printf '%-28s %6.2f s\n' "$name" "$seconds"
  if [ "$(echo "$seconds > 2" | bc)" = 1 ]; then
    echo "  FAILED: more than 2 s"
    failed=1
  fi
  if [ "$(counts "$line")" != "$(counts "$expected")" ]; then
    echo "  FAILED: $line, expected the counts of $expected"
    failed=1
  fi
}
counts() { sed -E 's/"(mode|saved_files|damaged_files|saved_bytes|failed_files|seconds)":[^,}]*,?//g' <<<"$1"; }

fat32_expected=$("$bench" scan "$disks/fat32.vhd" --mode extensive)
mkdir -p "$work/out"
run "load FAT32 snapshot" "$fat32_expected" "$bench" load "$work/fat32-huge.srzq" --image "$disks/fat32.vhd" --out "$work/out"
for mode in quick extensive; do
  run "scan NTFS ($mode)" "$("$bench" scan "$disks/ntfs.vhd" --mode "$mode")" \
    "$bench" scan "$work/ntfs-huge.vhd" --mode "$mode"
done
"$bench" scan "$work/ntfs-huge.vhd" --mode quick --snapshot "$work/ntfs-huge.srzq" >/dev/null 2>&1 || true
run "load NTFS snapshot" "$("$bench" scan "$disks/ntfs.vhd" --mode quick)" \
  "$bench" load "$work/ntfs-huge.srzq" --image "$work/ntfs-huge.vhd"
exit "$failed"
