#!/usr/bin/env bash
# `morvick-bench load` of Quick Scan snapshots over the disks of make-snapshot-disks.sh: a snapshot
# loads (exit 0) over the image it was made from, also after files were deleted or changed there and
# when the scan rebuilt the FAT32 volume from its folders alone; over a volume formatted afresh and
# filled with other files, or with files of the same names in the same folders, it is refused with
# the program's message (exit 1) and nothing is saved. The same for the NTFS volume of the disk whose
# partition table is lost, found by the partition search, and for the snapshot of an Extensive Scan
# (of the disk's last volume found). A load without --out checks and saves nothing.
#   bench-snapshot-test.sh SOURCE_DIR WORK_DIR PATH_PREFIX BENCH_COMMAND...
set -uo pipefail
source "$1/tests/fixtures/bench-test-start.sh"

"$src/tests/fixtures/make-snapshot-disks.sh" "$work/disks" >"$work/fixture.log" 2>&1 ||
  { echo "FAIL: make-snapshot-disks.sh"; tail -n 30 "$work/fixture.log"; exit 1; }

snapshot() {  # snapshot IMAGE PARTITION NAME
  "${bench[@]}" scan "$prefix$work/disks/$1" --mode quick --partition "$2" --snapshot "$prefix$work/$3.srzq" \
    >"$work/scan.out" 2>&1 || { cat "$work/scan.out"; fail "scan of $1, partition $2"; }
}
load() {  # load NAME IMAGE EXIT
  local out code
  out=$("${bench[@]}" load "$prefix$work/$1.srzq" --image "$prefix$work/disks/$2" --out "$prefix$work/out-$1-$2" 2>&1 |
    tr -d '\r')  # pipefail: the bench's status
  code=$?
  [ "$code" = "$3" ] || { echo "$out"; fail "$1 over $2: exit $code, not $3"; }
  if [ "$3" = 1 ]; then
    grep -q "Source file and load recovery snapshot mismatch" <<<"$out" || fail "$1 over $2: no message"
    [ -z "$(ls -A "$work/out-$1-$2" 2>/dev/null)" ] || fail "$1 over $2: files were saved"
  fi
}

"${bench[@]}" scan "$prefix$work/disks/first.vhd" --mode extensive --snapshot "$prefix$work/extensive.srzq" \
  >"$work/scan.out" 2>&1 || { cat "$work/scan.out"; fail "extensive scan of first.vhd"; }
snapshot first.vhd 0 fat32
snapshot first.vhd 1 ntfs
snapshot first-fat-lost.vhd 0 rebuilt
snapshot first-searched.vhd 1 searched
load fat32 first.vhd 0
load fat32 first-used.vhd 0
load fat32 other.vhd 1
load fat32 same-names.vhd 1
load ntfs first.vhd 0
load ntfs first-used.vhd 0
load ntfs other.vhd 1
load ntfs same-names.vhd 1
load rebuilt first-fat-lost.vhd 0
load rebuilt other-fat-lost.vhd 1
load searched first-searched.vhd 0
load searched other-searched.vhd 1
load extensive first.vhd 0
load extensive other.vhd 1
out=$("${bench[@]}" load "$prefix$work/fat32.srzq" --image "$prefix$work/disks/first.vhd" 2>&1 | tr -d '\r') ||
  fail "a load without --out: exit $?"
grep -q '"mode":"snapshot".*"saved_files":0' <<<"$out" || fail "a load without --out: $out"
[ "$failures" -eq 0 ]
