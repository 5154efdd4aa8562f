#!/usr/bin/env bash
# scan-speed.sh [MORVICK_BENCH] [WORKDIR]    (environment: OUTDIR)
# Times the Quick Scan of a 2 GiB NTFS volume (20,000 files in 200 folders, 2,000 of them deleted,
# made with mkntfs and ntfs-3g; needs root for FUSE) against sleuthkit on the same volume:
#   morvick-bench scan --mode quick (reading the VHDX)   vs  fls -r -d + fls -r (reading the raw disk)
#   morvick-bench scan --mode quick --out (VHDX)          vs  tsk_recover -e into an empty folder (raw)
# Best of three runs, files warm in the page cache. Both savers write into OUTDIR (default a folder
# in /dev/shm): on a disk, the 690 MB that both write make the kernel's write-back, not the
# programs, decide the time. Fails when a run of ours is the slower. Not run in CI.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bench=${1:-$ROOT/build/native/bench/morvick-bench}
work=${2:-$(mktemp -d /tmp/morvick-scan-speed.XXXXXX)}
source "$(dirname "${BASH_SOURCE[0]}")/best-of-three.sh"
source "$(dirname "${BASH_SOURCE[0]}")/ntfs-bench-disk.sh"
use_outdir morvick-scan-speed tsk out
mkdir -p "$work"
raw="$work/disk.raw"
image="$work/disk.vhdx"
start=2048
if [ ! -f "$image" ]; then
  make_ntfs_bench_disk "$raw" "$image" "$start" $((2 * 1024 * 1024 * 2)) <<'PY'
import os, random, sys
root = sys.argv[1]
rnd = random.Random(7)
for d in range(200):
    folder = os.path.join(root, "folder %03d" % d)
    os.mkdir(folder)
    for f in range(100):
        with open(os.path.join(folder, "file %03d-%03d.bin" % (d, f)), "wb") as out:
            out.write(rnd.randbytes(rnd.randint(200, 64 * 1024)))
for d in range(200):
    for f in range(0, 100, 10):
        os.remove(os.path.join(root, "folder %03d" % d, "file %03d-%03d.bin" % (d, f)))
PY
fi

fls_both() { fls -r -d -o "$start" "$raw"; fls -r -o "$start" "$raw"; }
recover() { rm -rf "$outdir/tsk"; tsk_recover -e -o "$start" "$raw" "$outdir/tsk"; }
save() { rm -rf "$outdir/out"; "$bench" scan "$image" --mode quick --out "$outdir/out"; }

cat "$raw" "$image" >/dev/null
"$bench" scan "$image" --mode quick
scan_s=$(seconds "$bench" scan "$image" --mode quick)
fls_s=$(seconds fls_both)
save_s=$(seconds save)
recover_s=$(seconds recover)
awk -v a="$scan_s" -v b="$fls_s" -v c="$save_s" -v d="$recover_s" 'BEGIN {
  printf "scan --mode quick         %.3f s   fls -r -d + fls -r  %.3f s   (%.2f x)\n", a, b, a / b
  printf "scan --mode quick --out   %.3f s   tsk_recover -e      %.3f s   (%.2f x)\n", c, d, c / d
  exit (a <= b && c <= d) ? 0 : 1
}'
