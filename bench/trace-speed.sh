#!/usr/bin/env bash
# trace-speed.sh [MORVICK_BENCH] [WORKDIR]
# Times File Trace on a 2 GiB disk against photorec searching the same disk for the same types:
#   morvick-bench scan --mode trace --types jpg,png,gif,pdf,zip (reading a dynamic VHDX)
#   photorec with its default options, those five types enabled (reading the raw disk; it writes
#   what it recovers into a folder in /dev/shm, as it always writes)
# The disk: one FAT32 partition (mkfs.fat, mtools) of 2 GiB, filled to about 1.6 GiB with files of
# random bytes and, between them, JPEG, PNG, GIF, PDF and ZIP files made by ImageMagick and zip.
# Best of three runs, files warm in the page cache. Fails when File Trace is the slower. Not run in CI.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bench=${1:-$ROOT/build/native/bench/morvick-bench}
work=${2:-$(mktemp -d /tmp/morvick-trace-speed.XXXXXX)}
outdir=$(mktemp -d /dev/shm/morvick-trace-speed.XXXXXX)
trap 'rm -rf "$outdir"' EXIT
export MTOOLS_SKIP_CHECK=1
mkdir -p "$work"
raw="$work/disk.raw"
image="$work/disk.vhdx"
start=2048
types=jpg,png,gif,pdf,zip
if [ ! -f "$image" ]; then
  sectors=$((2 * 1024 * 1024 * 2))
  rm -f "$raw"
  truncate -s $(((sectors + start) * 512)) "$raw"
  printf 'label: dos\nstart=%d, size=%d, type=c\n' "$start" "$sectors" | sfdisk -q "$raw" >/dev/null
  mkfs.fat -F 32 -s 8 -h "$start" -S 512 --offset "$start" "$raw" $((sectors / 2)) >/dev/null
  files="$work/files"
  rm -rf "$files"
  mkdir -p "$files"
  convert -size 640x480 plasma:fractal -quality 85 "$files/sample.jpg"
  convert -size 256x256 plasma:fractal "$files/sample.png"
  convert -size 160x160 plasma:fractal "$files/sample.gif"
  printf '%%PDF-1.4\n1 0 obj << /Type /Catalog >> endobj\ntrailer << /Root 1 0 R >>\n%%%%EOF\n' >"$files/sample.pdf"
  ( cd "$files" && zip -q sample.zip sample.png sample.gif )
  python3 - "$files" <<'PY'
import os, random, shutil, sys
root = sys.argv[1]
rnd = random.Random(11)
samples = ["sample.jpg", "sample.png", "sample.gif", "sample.pdf", "sample.zip"]
total = 0
n = 0
while total < 1600 * 1024 * 1024:
    size = rnd.randint(64 * 1024, 2 * 1024 * 1024)
    with open(os.path.join(root, "r%05d.bin" % n), "wb") as out:
        out.write(rnd.randbytes(size))
    sample = samples[n % len(samples)]
    shutil.copyfile(os.path.join(root, sample), os.path.join(root, "s%05d%s" % (n, os.path.splitext(sample)[1])))
    total += size + os.path.getsize(os.path.join(root, sample))
    n += 1
for s in samples:
    os.remove(os.path.join(root, s))
PY
  mcopy -i "$raw@@$((start * 512))" "$files"/* ::/
  rm -rf "$files"
  qemu-img convert -q -f raw -O vhdx -o subformat=dynamic "$raw" "$image"
fi

source "$(dirname "${BASH_SOURCE[0]}")/best-of-three.sh"
photorec_search() {
  rm -rf "$outdir"/pr*
  ( cd "$outdir" && photorec /d "$outdir/pr" /cmd "$raw" \
      partition_none,fileopt,everything,disable,jpg,enable,png,enable,gif,enable,pdf,enable,zip,enable,search )
}

cat "$raw" "$image" >/dev/null
"$bench" scan "$image" --mode trace --types "$types"
photorec_search >/dev/null 2>&1
echo "photorec recovered $(find "$outdir" -path "$outdir/pr.*" -type f -name 'f*' | wc -l) files"
trace_s=$(seconds "$bench" scan "$image" --mode trace --types "$types")
photorec_s=$(seconds photorec_search)
awk -v a="$trace_s" -v b="$photorec_s" 'BEGIN {
  printf "scan --mode trace   %.3f s   photorec search   %.3f s   (%.2f x)\n", a, b, a / b
  exit a <= b ? 0 : 1
}'
