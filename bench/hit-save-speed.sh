#!/usr/bin/env bash
# hit-save-speed.sh [MORVICK_BENCH] [WORKDIR]    (environment: OUTDIR)
# Times saving 20,000 files as Find hits against saving the same files through the tree, on the disk
# of tests/fixtures/make-one-folder-disk.sh (one FAT32 folder of 20,000 files, 200 of them deleted):
#   morvick-bench find IMAGE --name '*' --out DIR        every file a hit, each saved by itself
#   morvick-bench scan IMAGE --mode quick --out DIR       the whole volume, folder by folder
# Best of three runs, the image warm in the page cache; both write into OUTDIR (default a folder in
# /dev/shm). Fails when the hits take more than 1.2 times as long. Not run in CI.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bench=${1:-$ROOT/build/native/bench/morvick-bench}
work=${2:-$(mktemp -d /tmp/morvick-hit-save-speed.XXXXXX)}
source "$(dirname "${BASH_SOURCE[0]}")/best-of-three.sh"
use_outdir morvick-hit-save-speed hits tree
mkdir -p "$work"
image="$work/one-folder.vhd"
[ -f "$image" ] || "$ROOT/tests/fixtures/make-one-folder-disk.sh" "$work" 20000

hits() { rm -rf "$outdir/hits"; "$bench" find "$image" --name '*' --out "$outdir/hits"; }
tree() { rm -rf "$outdir/tree"; "$bench" scan "$image" --mode quick --partition 0 --out "$outdir/tree"; }

cat "$image" >/dev/null
hits
tree
# The same files either way: the hits in one folder, the tree's in the volume's only folder.
diff -r "$outdir/hits" "$outdir/tree/p0/BIG" >/dev/null || { echo "the hits and the tree saved different files" >&2; exit 1; }
hits_s=$(seconds hits)
tree_s=$(seconds tree)
awk -v a="$hits_s" -v b="$tree_s" -v n="$(ls "$outdir/hits" | wc -l)" 'BEGIN {
  printf "find --name * --out (%d hits)   %.3f s   scan --mode quick --out  %.3f s   (%.2f x)\n", n, a, b, a / b
  exit (a <= 1.2 * b) ? 0 : 1
}'
