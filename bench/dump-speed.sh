#!/usr/bin/env bash
# dump-speed.sh [MORVICK_BENCH] [WORKDIR]
# Times `morvick-bench dump` of a dynamic VHDX against `cat` of the same file, both to /dev/null
# with the file warm in the page cache. The image is about 1.5 GiB with 1 GiB of data (random
# bytes, so no block is skipped as zero) and 0.5 GiB never written. Not run in CI.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bench=${1:-$ROOT/build/native/bench/morvick-bench}
work=${2:-$(mktemp -d /tmp/morvick-dump-speed.XXXXXX)}
mkdir -p "$work"
image="$work/speed.vhdx"
if [ ! -f "$image" ]; then
  truncate -s 1536M "$work/speed.raw"
  head -c 1024M /dev/urandom | dd of="$work/speed.raw" bs=4M conv=notrunc status=none
  qemu-img convert -q -f raw -O vhdx -o subformat=dynamic "$work/speed.raw" "$image"
  rm -f "$work/speed.raw"
fi

source "$(dirname "${BASH_SOURCE[0]}")/best-of-three.sh"

cat "$image" >/dev/null  # warm the page cache
"$bench" dump "$image" >/dev/null
cat_s=$(seconds cat "$image")
dump_s=$(seconds "$bench" dump "$image")
size=$(stat -c %s "$image")
awk -v c="$cat_s" -v d="$dump_s" -v s="$size" 'BEGIN {
  printf "image        %.0f MiB (dynamic VHDX)\n", s / 1048576
  printf "cat          %.3f s  %.0f MiB/s of file\n", c, s / 1048576 / c
  printf "bench dump   %.3f s  (%.2f x cat)\n", d, d / c
  exit (d <= 2 * c) ? 0 : 1
}'
