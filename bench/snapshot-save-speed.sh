#!/usr/bin/env bash
# snapshot-save-speed.sh [MORVICK_BENCH] [WORKDIR]    (environment: OUTDIR, RUNS)
# Times saving every file of a recovery snapshot against the same save after a fresh Quick Scan, on
# the million-file FAT32 card of million-files-disk.sh and the million-file NTFS volume of
# million-ntfs-disk.sh (both made in WORKDIR when it does not hold them; the NTFS one needs root for
# FUSE and takes about a quarter of an hour):
#   scan IMAGE --mode quick --partition 0                    the Quick Scan
#   scan IMAGE --mode quick --partition 0 --out DIR          the Quick Scan and the save
#   load SNAPSHOT --image IMAGE                              the snapshot's load (its check of every file)
#   load SNAPSHOT --image IMAGE --out DIR                    the load and the save
# Each save's time is its pair's difference. The best of RUNS runs (default 3) of each, the image warm
# in the page cache; the saves write into OUTDIR (default a folder in /dev/shm), emptied before each
# run (not timed). Prints the times and fails when a save from the snapshot takes more than 1.2 times
# the save after the Quick Scan. Not run in CI.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bench=${1:-$ROOT/build/native/bench/morvick-bench}
work=${2:-$(mktemp -d /tmp/morvick-snapshot-save-speed.XXXXXX)}
runs=${RUNS:-3}
source "$(dirname "${BASH_SOURCE[0]}")/best-of-three.sh"
use_outdir morvick-snapshot-save-speed out
mkdir -p "$work"
"$ROOT/bench/million-files-disk.sh" "$work"
"$ROOT/bench/million-ntfs-disk.sh" "$work"

# best COMMAND...: the best time of `runs` runs, OUTDIR emptied before each.
best() {
  local b= t
  for _ in $(seq 1 "$runs"); do
    rm -rf "$outdir/out"
    t=$(run_seconds "$@")
    b=$(least "$t" "$b")
  done
  rm -rf "$outdir/out"
  echo "$b"
}

status=0
for image in "$work/million-files.vhdx" "$work/million-ntfs.vhdx"; do
  snapshot="$work/$(basename "$image" .vhdx).srzq"
  cat "$image" >/dev/null
  "$bench" scan "$image" --mode quick --partition 0 --snapshot "$snapshot" >/dev/null
  scan_s=$(best "$bench" scan "$image" --mode quick --partition 0)
  scan_save_s=$(best "$bench" scan "$image" --mode quick --partition 0 --out "$outdir/out")
  load_s=$(best "$bench" load "$snapshot" --image "$image")
  load_save_s=$(best "$bench" load "$snapshot" --image "$image" --out "$outdir/out")
  awk -v name="$(basename "$image")" -v s="$scan_s" -v ss="$scan_save_s" -v l="$load_s" -v ls="$load_save_s" 'BEGIN {
    after_scan = ss - s
    after_load = ls - l
    printf "%s: scan %.3f s, scan and save %.3f s (save %.3f s); load %.3f s, load and save %.3f s (save %.3f s, %.2f x)\n",
      name, s, ss, after_scan, l, ls, after_load, after_load / after_scan
    exit (after_load <= 1.2 * after_scan) ? 0 : 1
  }' || status=1
done
exit $status
