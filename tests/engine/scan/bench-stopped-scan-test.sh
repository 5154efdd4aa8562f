#!/usr/bin/env bash
# `morvick-bench scan --stop-after N` stops the scan at its Nth pause point, as the window's Stop does,
# and keeps what it found: on a FAT32 volume with deleted folders (make-deleted-folders-disk.sh) and an
# NTFS volume whose deleted folders' records new folders took (make-reused-record-disk.sh), for the
# Quick Scan and the Extensive Scan's reading of the found volume, and for File Trace over pictures on
# both sides of a large file (make-cut-trace-disk.sh). Stopped at points spread over each scan, the
# scan lists less than a whole one at one of them at least; the snapshot it writes loads over its image with nothing changed, lists as
# many files and saves the files the stopped scan saved, by the same names with the same bytes. A
# stop point past the scan's end says so; a stop point that is not a number from 1 on is refused.
#   bench-stopped-scan-test.sh SOURCE_DIR WORK_DIR PATH_PREFIX BENCH_COMMAND...
set -uo pipefail
source "$1/tests/fixtures/bench-test-start.sh"

for script in make-deleted-folders-disk.sh make-reused-record-disk.sh make-cut-trace-disk.sh; do
  "$src/tests/fixtures/$script" "$work/${script%.sh}" >"$work/fixture.log" 2>&1 ||
    { echo "FAIL: $script"; tail -n 30 "$work/fixture.log"; exit 1; }
done

# The saved trees of a stopped scan (scan DIR) and of its snapshot's load (load DIR) hold the same
# files. File Trace: the scan saves by hit name at the default size, the load by type folder at the
# size the program starts with, the first part of the same bytes.
same_files() {  # same_files SCANNED LOADED TRACE
  if [ "$3" = no ]; then
    diff -r "$1" "$2" >/dev/null
    return
  fi
  [ "$(find "$1" -type f | wc -l)" = "$(find "$2" -type f | wc -l)" ] || return 1
  local file
  while IFS= read -r -d '' file; do
    cmp -s -n "$(stat -c %s "$file")" "$file" "$1/$(basename "$file")" || return 1
  done < <(find "$2" -type f -print0)
}

stopped_scans() {  # stopped_scans NAME IMAGE SAVED_FOLDER TRACE SCAN_ARGS...
  local name=$1 image=$2 folder=$3 trace=$4
  shift 4
  local output whole all points n at line listed fewer=0 loaded out
  output=$("${bench[@]}" scan "$prefix$image" "$@" --stop-after 1000000000 2>&1 | tr -d '\r')
  whole=$(grep '^{' <<<"$output")
  all=$(($(field "$whole" files) + $(field "$whole" folders)))
  points=$(sed -n 's/^.*: ended after \([0-9]*\) pause points, before the stop point$/\1/p' <<<"$output")
  [ -n "$points" ] || { fail "$name: a stop point past the end is not told: $output"; return; }
  for n in 1 2 3 4; do
    at=$((points * n / 4))
    [ "$n" = 4 ] && at=$((points - 1))
    out="$work/$name-$at"
    mkdir -p "$out"
    output=$("${bench[@]}" scan "$prefix$image" "$@" --stop-after "$at" --out "$prefix$out/scan" \
      --snapshot "$prefix$out/stopped.srzq" 2>&1 | tr -d '\r') ||
      { fail "$name at $at: the scan ends with $?: $output"; continue; }
    line=$(grep '^{' <<<"$output")
    grep -q ": stopped at pause point $at\$" <<<"$output" || fail "$name at $at: the stop is not told: $output"
    listed=$(($(field "$line" files) + $(field "$line" folders)))
    [ "$listed" -le "$all" ] || fail "$name at $at: more listed than by the whole scan: $line"
    [ "$listed" -lt "$all" ] && fewer=1
    # Standard error goes with standard output under Wine: the line of counts alone, no file changed.
    loaded=$("${bench[@]}" load "$prefix$out/stopped.srzq" --image "$prefix$image" --out "$prefix$out/load" \
      2>&1 | tr -d '\r') || { fail "$name at $at: the load ends with $?: $loaded"; continue; }
    [ "$(grep -c . <<<"$loaded")" = 1 ] || fail "$name at $at: the load says: $loaded"
    for key in files saved_files damaged_files failed_files; do
      [ "$(field "$loaded" "$key")" = "$(field "$line" "$key")" ] ||
        fail "$name at $at: $key of the load ($loaded) and of the stopped scan ($line) differ"
    done
    same_files "$out/scan/$folder" "$out/load" "$trace" ||
      fail "$name at $at: the load saves other files than the stopped scan"
  done
  [ "$fewer" = 1 ] || fail "$name: no stop point left anything out"
}

stopped_scans fat-quick "$work/make-deleted-folders-disk/deleted.vhd" p0 no --mode quick
stopped_scans fat-extensive "$work/make-deleted-folders-disk/deleted.vhd" v1 no --mode extensive
stopped_scans ntfs-quick "$work/make-reused-record-disk/reused-record.vhd" p0 no --mode quick
stopped_scans ntfs-extensive "$work/make-reused-record-disk/reused-record.vhd" v1 no --mode extensive
stopped_scans trace "$work/make-cut-trace-disk/whole.vhd" p0 yes --mode trace --types jpg,png,gif

for bad in 0 -3 x 12x ""; do
  "${bench[@]}" scan "$prefix$work/make-cut-trace-disk/whole.vhd" --mode quick --stop-after "$bad" \
    >/dev/null 2>&1
  [ $? = 2 ] || fail "--stop-after '$bad' is not refused with exit 2"
done
[ "$failures" -eq 0 ]
