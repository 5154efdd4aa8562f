#!/usr/bin/env bash
# scripts/drive.sh against morvick-bench: the program's window, walked by the driver, saves the same
# files with the same dates and prints the same counts as the engine's own command line does.
#   drive-matches-bench.sh quick|extensive|trace|load
# Run by ctest in the Windows configuration (MORVICK_BINARY_DIR is the build, a display is there).
# quick: every partition of a dynamic VHD; extensive: the same disk with its boot record wiped;
# trace: every type of the signature table on the trace disk; load: the snapshot morvick-bench made
# of the FAT32 partition of a fixed VHD, loaded over that image (and refused over another one).
set -euo pipefail
mode=$1
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build=${MORVICK_BINARY_DIR:?the Windows build folder}
work=$(mktemp -d "$build/drive-check-$mode.XXXXXX")
trap 'rm -rf "$work"' EXIT
source "$root/scripts/wine-env.sh"

case $mode in
  quick | extensive | load)
    bash "$root/tests/fixtures/make-results-disks.sh" "$work/disks" >/dev/null 2>&1
    image="$work/disks/dynamic.vhd"
    [ "$mode" != extensive ] || image="$work/disks/mbr-wiped.vhd"
    [ "$mode" != load ] || image="$work/disks/fixed.vhd"
    ;;
  trace)
    bash "$root/tests/fixtures/make-trace-disk.sh" "$work/disks" >/dev/null 2>&1
    image="$work/disks/containers/fixed.vhd"
    ;;
  *)
    echo "usage: drive-matches-bench.sh quick|extensive|trace|load" >&2
    exit 2
    ;;
esac

# The counts of a JSON line, without the seconds.
counts() { sed -e 's/,"seconds":[0-9.]*//' -e 's/\r//g'; }

bench_run() {
  wine "$build/bench/morvick-bench.exe" "$@" </dev/null >"$out" 2>"$work/bench.err" || {
    cat "$work/bench.err" >&2
    echo "morvick-bench failed" >&2
    exit 1
  }
}
win() { winepath -w "$1" 2>/dev/null; }
out=$(mktemp "$work/bench.XXXXXX")
drive_args=(--mode "$mode")
if [ "$mode" = load ]; then
  # The snapshot of the FAT32 partition, made by morvick-bench.
  bench_run scan "$(win "$image")" --mode quick --partition 1 --snapshot "$(win "$work/scan.srzq")"
  drive_args=(--load "$work/scan.srzq")
fi
drive=$("$root/scripts/drive.sh" "$image" "${drive_args[@]}" --out "$work/drive" 2>"$work/drive.err" | counts) || {
  cat "$work/drive.err" >&2
  echo "drive.sh failed" >&2
  exit 1
}
if [ "$mode" = load ]; then
  bench_run load "$(win "$work/scan.srzq")" --image "$(win "$image")" --out "$(win "$work/bench")"
else
  bench_run scan "$(win "$image")" --mode "$mode" --out "$(win "$work/bench")"
fi
bench=$(grep '^{' "$out" | counts)

status=0
echo "drive.sh:     $drive"
echo "morvick-bench: $bench"
[ "$drive" = "$bench" ] || { echo "the counts differ" >&2; status=1; }
[ -n "$(ls -A "$work/bench")" ] || { echo "morvick-bench saved nothing" >&2; status=1; }
diff -r "$work/bench" "$work/drive" >&2 || { echo "the saved files differ" >&2; status=1; }
# Every file has the same date (a FAT entry gives its day only, the time of day is the save's). The
# day in UTC, as the save sets it: in another zone two saves at either side of that zone's midnight
# show different days.
(cd "$work/bench" && TZ=UTC find . -type f -printf '%p %TY-%Tm-%Td\n' | sort) >"$work/bench.dates"
(cd "$work/drive" && TZ=UTC find . -type f -printf '%p %TY-%Tm-%Td\n' | sort) >"$work/drive.dates"
diff "$work/bench.dates" "$work/drive.dates" >&2 || { echo "the dates differ" >&2; status=1; }
if [ "$mode" = load ]; then
  # Over an image that does not hold the snapshot's volume: the program's message, status 1, no line.
  wrong_status=0
  wrong=$("$root/scripts/drive.sh" "$work/disks/slow.vhd" --load "$work/scan.srzq" --out "$work/wrong" \
    2>"$work/wrong.err") || wrong_status=$?
  [ "$wrong_status" = 1 ] || { echo "over the wrong image drive.sh ended with $wrong_status" >&2; status=1; }
  [ -z "$wrong" ] || { echo "over the wrong image drive.sh printed: $wrong" >&2; status=1; }
  grep -q "Source file and load recovery snapshot mismatch" "$work/wrong.err" ||
    { cat "$work/wrong.err" >&2; echo "no mismatch message over the wrong image" >&2; status=1; }
  [ -z "$(ls -A "$work/wrong" 2>/dev/null)" ] || { echo "files saved over the wrong image" >&2; status=1; }
fi
exit $status
