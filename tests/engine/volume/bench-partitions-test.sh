#!/usr/bin/env bash
# Runs `morvick-bench partitions` on fixed and dynamic VHD and VHDX wrappings of two disks (1 MiB- and
# cylinder-aligned) and compares its lines with sfdisk's view of the same disk: first with the
# partition table in place, then with the master boot record wiped, which makes it search.
#   bench-partitions-test.sh SOURCE_DIR WORK_DIR PATH_PREFIX BENCH_COMMAND...
# PATH_PREFIX goes before every image path given to the bench ("Z:" under Wine, else empty).
set -uo pipefail
src=$1 work=$2 prefix=$3
shift 3
bench=("$@")
fixtures="$src/tests/fixtures"
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
failures=0

# Lines that the walk gives: every file-system partition of sfdisk -d, in its order.
walk_lines() {
  sed -n 's/.*start= *\([0-9]*\), size= *\([0-9]*\), type=\([0-9a-f]*\).*/\1 \2 \3/p' "$1" |
    awk '$3!="5" && $3!="f" { fs = ($3=="7") ? 300 : ($3=="b" || $3=="c") ? 200 : 100; print n++, $1, $2, fs }'
}

check() {  # check IMAGE EXPECTED_FILE WHAT COLUMNS
  local got
  got=$("${bench[@]}" partitions "$prefix$1" | tr -d '\r' | cut -d' ' -f"$4" | sort -n -k2)
  if [ "$got" != "$(cut -d' ' -f"$4" "$2" | sort -n -k2)" ]; then
    echo "FAIL: $3 $(basename "$1")"
    echo "  expected:"; cut -d' ' -f"$4" "$2" | sed 's/^/    /'
    echo "  got:"; echo "$got" | sed 's/^/    /'
    failures=$((failures + 1))
  else
    echo "ok: $3 $(basename "$1")"
  fi
}

for layout in aligned chs; do
  dir="$work/$layout"
  "$fixtures/make-$layout-disk.sh" "$dir" || { echo "FAIL: make-$layout-disk.sh"; exit 1; }
  walk_lines "$dir/sfdisk.txt" >"$dir/walk.txt"
  "$fixtures/wrap-containers.sh" "$dir/disk.raw" "$dir/table" 1 >/dev/null
  for image in "$dir"/table/*.vhd "$dir"/table/*.vhdx; do
    check "$image" "$dir/walk.txt" "$layout walk" 1-4
  done
  # Without the table: the search finds the same starts and file systems (the counts come from the
  # boot sectors and are compared by the engine's own tests).
  dd if=/dev/zero of="$dir/disk.raw" bs=512 count=1 conv=notrunc status=none
  awk '{ print $2, $4 }' "$dir/walk.txt" | awk '{ print NR-1, $1, 0, $2 }' >"$dir/search.txt"
  "$fixtures/wrap-containers.sh" "$dir/disk.raw" "$dir/wiped" 1 >/dev/null
  for image in "$dir"/wiped/*.vhd "$dir"/wiped/*.vhdx; do
    check "$image" "$dir/search.txt" "$layout search" 2,4
  done
done
[ "$failures" -eq 0 ]
