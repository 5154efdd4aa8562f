#!/usr/bin/env bash
# million-ntfs-disk.sh OUTDIR [FILES] [FOLDERS]
# A large NTFS volume: an MBR disk with one NTFS partition of 4 GiB (mkntfs, 4 KiB clusters), filled
# through ntfs-3g with FOLDERS folders (default 1,000, "Folder 0001" onward) holding FILES files in
# all (default 1,000,000: 1,000 a folder), "File 0001.txt" onward in each, each of 1 to 600 seeded
# bytes (kept in its MFT record), every tenth deleted once all are made. Folders of a thousand names
# keep ntfs-3g's index updates short: the time to make them grows with the files alone (about ten
# minutes for a million). Made as a dynamic VHDX:
#   OUTDIR/million-ntfs.vhdx
# Kept when OUTDIR already holds it.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: bench/million-ntfs-disk.sh OUTDIR [FILES] [FOLDERS]" >&2; exit 2; }
mkdir -p "$1"
out="$(cd "$1" && pwd)"
files=${2:-1000000}
folders=${3:-1000}
image="$out/million-ntfs.vhdx"
[ -f "$image" ] && exit 0
work=$(mktemp -d)
trap 'ntfs_unmount "$work/mnt" 2>/dev/null || true; rm -rf "$work"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/ntfs-bench-disk.sh"
export FILES=$files FOLDERS=$folders
make_ntfs_bench_disk "$work/disk.raw" "$image" 2048 $((4 * 1024 * 1024 * 2)) <<'PY'
import os, random, sys
root, files, folders = sys.argv[1], int(os.environ["FILES"]), int(os.environ["FOLDERS"])
rnd = random.Random(74)
each = (files + folders - 1) // folders
made = []
for d in range(1, folders + 1):
    folder = os.path.join(root, "Folder %04d" % d)
    os.mkdir(folder)
    for n in range(1, each + 1):
        if len(made) == files:
            break
        path = os.path.join(folder, "File %04d.txt" % n)
        with open(path, "wb") as f:
            f.write(rnd.randbytes(rnd.randint(1, 600)))
        made.append(path)
# Deleted once all are made: a record freed before would go to the next file made.
for path in made[9::10]:
    os.unlink(path)
PY
