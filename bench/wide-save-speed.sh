#!/usr/bin/env bash
# wide-save-speed.sh [MORVICK_BENCH] [WORKDIR]    (environment: OUTDIR, PAIRS)
# Times saving a wide NTFS volume: 20,000 folders (100 folders of 200) holding 5 small files each,
# 100,000 files of 100 B to 3 KB (made with mkntfs and ntfs-3g; needs root for FUSE):
#   morvick-bench scan --mode quick --out (reading the VHDX)  vs  tsk_recover -e (reading the raw disk)
# in pairs, one run of each after the other, PAIRS times (default 3), the files warm in the page
# cache; both write into OUTDIR (default a folder in /dev/shm), emptied before each pair (not
# timed). Prints every pair and the best of each, and fails when our best is the slower. Not run in
# CI.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bench=${1:-$ROOT/build/native/bench/morvick-bench}
work=${2:-$(mktemp -d /tmp/morvick-wide-save-speed.XXXXXX)}
pairs=${PAIRS:-3}
source "$(dirname "${BASH_SOURCE[0]}")/best-of-three.sh"
source "$(dirname "${BASH_SOURCE[0]}")/ntfs-bench-disk.sh"
use_outdir morvick-wide-save-speed tsk out
mkdir -p "$work"
raw="$work/wide.raw"
image="$work/wide.vhdx"
start=2048
if [ ! -f "$image" ]; then
  make_ntfs_bench_disk "$raw" "$image" "$start" $((1024 * 1024 * 2)) <<'PY'
import os, random, sys
root = sys.argv[1]
rnd = random.Random(20000)
for top in range(100):
    for sub in range(200):
        folder = os.path.join(root, "group %03d" % top, "folder %03d" % sub)
        os.makedirs(folder)
        for f in range(5):
            with open(os.path.join(folder, "file %d.bin" % f), "wb") as out:
                out.write(rnd.randbytes(rnd.randint(100, 3000)))
PY
fi

save() { "$bench" scan "$image" --mode quick --out "$outdir/out"; }
recover() { tsk_recover -e -o "$start" "$raw" "$outdir/tsk"; }

cat "$raw" "$image" >/dev/null
"$bench" scan "$image" --mode quick
best_ours= best_theirs=
for i in $(seq 1 "$pairs"); do
  # Emptied outside the timing: removing 100,000 files takes as long as writing them.
  rm -rf "$outdir/out" "$outdir/tsk"
  ours=$(run_seconds save)
  theirs=$(run_seconds recover)
  echo "pair $i: scan --mode quick --out $ours s   tsk_recover -e $theirs s"
  best_ours=$(least "$ours" "$best_ours")
  best_theirs=$(least "$theirs" "$best_theirs")
done
# Both saved the same files (tsk_recover also writes the volume's own $OrphanFiles folder).
ours_n=$(find "$outdir/out" -type f | wc -l)
theirs_n=$(find "$outdir/tsk" -type f | wc -l)
awk -v a="$best_ours" -v b="$best_theirs" -v n="$ours_n" -v m="$theirs_n" 'BEGIN {
  printf "best: scan --mode quick --out %.3f s (%d files)   tsk_recover -e %.3f s (%d files)   (%.2f x)\n", a, n, b, m, a / b
  exit (a <= b) ? 0 : 1
}'
