#!/usr/bin/env bash
# fls-speed.sh [MORVICK_BENCH] [WORKDIR]
# The Quick Scan of a used FAT32 camera card against sleuthkit's listing of it: `morvick-bench scan
# --mode quick` of each card of old-data-cards.sh (made into WORKDIR, default build/bench-cards,
# unless there) against `fls -r -d` plus `fls -r` of its raw disk (the fixed VHD, read as a raw
# image from the partition's sector), best of three each with the file warm in the page cache
# (the 32 GiB fixed VHD is mostly holes, which the page cache cannot hold whole: it is read
# through once before, as every other image is):
#   old-data-2g.vhd    2 GiB whose free space holds old photos and letters (fixed VHD),
#   old-data-32g.vhd   32 GiB of 2,000 photos, most of it never written (fixed VHD, sparse),
#   old-data-32g.vhdx  the same as a dynamic VHDX (its fls figures those of the fixed VHD's disk).
# CARDS="2 32" chooses the cards. Needs about 13 GB in WORKDIR for both (see old-data-cards.sh).
# Prints one JSON line an image with the counts of both, the bytes the Quick Scan reads (strace) and
# the verdict: the Quick Scan at most as long as the two listings together. Exits 1 when it is not, for any image. Not run in CI.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bench=${1:-$ROOT/build/native/bench/morvick-bench}
work=${2:-$ROOT/build/bench-cards}
cards=${CARDS:-2 32}
source "$(dirname "${BASH_SOURCE[0]}")/best-of-three.sh"

mkdir -p "$work"
failed=0
# compare IMAGE RAW START: one JSON line for IMAGE, whose disk RAW holds the partition from START.
compare() {
  local image=$1 raw=$2 start=$3 line deleted listed scan fls_d fls_all read
  cat "$image" >/dev/null
  line=$("$bench" scan "$image" --mode quick)
  read=$(bytes_read "$bench" scan "$image" --mode quick)
  deleted=$(fls -r -d -o "$start" -i raw "$raw" | wc -l)
  listed=$(fls -r -o "$start" -i raw "$raw" | wc -l)
  scan=$(seconds "$bench" scan "$image" --mode quick)
  fls_d=$(seconds fls -r -d -o "$start" -i raw "$raw")
  fls_all=$(seconds fls -r -o "$start" -i raw "$raw")
  awk -v image="$(basename "$image")" -v scan="$scan" -v d="$fls_d" -v all="$fls_all" -v line="$line" \
    -v deleted="$deleted" -v listed="$listed" -v read="$read" 'BEGIN {
    fls = d + all
    met = scan <= fls
    printf "{\"image\":\"%s\",\"scan_seconds\":%.3f,\"scan_bytes_read\":%s,", image, scan, read
    printf "\"fls_d_seconds\":%.3f,\"fls_seconds\":%.3f,", d, all
    printf "\"fls_lines\":{\"deleted\":%d,\"all\":%d},\"scan\":%s,", deleted, listed, line
    printf "\"verdict\":\"%.2f x the listings: %s\"}\n", scan / fls, met ? "met" : "not met"
    exit !met
  }' || failed=1
}
for size in $cards; do
  "$(dirname "${BASH_SOURCE[0]}")/old-data-cards.sh" "$work" "$size"
  if [ "$size" = 2 ]; then
    compare "$work/old-data-2g.vhd" "$work/old-data-2g.vhd" 2048
  else
    compare "$work/old-data-32g.vhd" "$work/old-data-32g.vhd" 8192
    compare "$work/old-data-32g.vhdx" "$work/old-data-32g.vhd" 8192
  fi
done
exit "$failed"
