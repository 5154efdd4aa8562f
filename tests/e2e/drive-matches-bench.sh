#!/usr/bin/env bash
# scripts/drive.sh against morvick-bench: the program's window, walked by the driver, saves the same
# files with the same dates and prints the same counts as the engine's own command line does.
#   drive-matches-bench.sh quick|extensive|trace
# Run by ctest in the Windows configuration (MORVICK_BINARY_DIR is the build, a display is there).
# quick: every partition of a dynamic VHD; extensive: the same disk with its boot record wiped;
# trace: every type of the signature table on the trace disk.
set -euo pipefail
mode=$1
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build=${MORVICK_BINARY_DIR:?the Windows build folder}
work=$(mktemp -d "$build/drive-check-$mode.XXXXXX")
trap 'rm -rf "$work"' EXIT
source "$root/scripts/wine-env.sh"

case $mode in
  quick | extensive)
    bash "$root/tests/fixtures/make-results-disks.sh" "$work/disks" >/dev/null 2>&1
    image="$work/disks/dynamic.vhd"
    [ "$mode" = quick ] || image="$work/disks/mbr-wiped.vhd"
    ;;
  trace)
    bash "$root/tests/fixtures/make-trace-disk.sh" "$work/disks" >/dev/null 2>&1
    image="$work/disks/containers/fixed.vhd"
    ;;
  *)
    echo "usage: drive-matches-bench.sh quick|extensive|trace" >&2
    exit 2
    ;;
esac

# The counts of a JSON line, without the seconds.
counts() { sed -e 's/,"seconds":[0-9.]*//' -e 's/\r//g'; }

drive=$("$root/scripts/drive.sh" "$image" --mode "$mode" --out "$work/drive" 2>"$work/drive.err" | counts) || {
  cat "$work/drive.err" >&2
  echo "drive.sh failed" >&2
  exit 1
}
out=$(mktemp "$work/bench.XXXXXX")
wine "$build/bench/morvick-bench.exe" scan "$(winepath -w "$image" 2>/dev/null)" --mode "$mode" \
  --out "$(winepath -w "$work/bench" 2>/dev/null)" </dev/null >"$out" 2>"$work/bench.err" || {
  cat "$work/bench.err" >&2
  echo "morvick-bench failed" >&2
  exit 1
}
bench=$(grep '^{' "$out" | counts)

status=0
echo "drive.sh:     $drive"
echo "morvick-bench: $bench"
[ "$drive" = "$bench" ] || { echo "the counts differ" >&2; status=1; }
[ -n "$(ls -A "$work/bench")" ] || { echo "morvick-bench saved nothing" >&2; status=1; }
diff -r "$work/bench" "$work/drive" >&2 || { echo "the saved files differ" >&2; status=1; }
# Every file has the same date (a FAT entry gives its day only, the time of day is the save's).
(cd "$work/bench" && find . -type f -printf '%p %TY-%Tm-%Td\n' | sort) >"$work/bench.dates"
(cd "$work/drive" && find . -type f -printf '%p %TY-%Tm-%Td\n' | sort) >"$work/drive.dates"
diff "$work/bench.dates" "$work/drive.dates" >&2 || { echo "the dates differ" >&2; status=1; }
exit $status
