#!/usr/bin/env bash
# A snapshot over the wrong image, by the command line and through the program's window: the Quick
# Scan's snapshot of the NTFS partition of a disk (made by morvick-bench), over the same disk whose
# volume was formatted afresh at the same place and size with other files. `morvick-bench load` and
# scripts/drive.sh --load both print the program's message, exit with 1 and save nothing; over its
# own image morvick-bench loads it.
# Run by ctest in the Windows configuration (MORVICK_BINARY_DIR is the build, a display is there).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build=${MORVICK_BINARY_DIR:?the Windows build folder}
work=$(mktemp -d "$build/drive-check-other-volume.XXXXXX")
trap 'rm -rf "$work"' EXIT
source "$root/scripts/wine-env.sh"

bash "$root/tests/fixtures/make-snapshot-disks.sh" "$work/disks" >/dev/null 2>&1
win() { winepath -w "$1" 2>/dev/null; }
bench() { wine "$build/bench/morvick-bench.exe" "$@" </dev/null; }
mismatch="Source file and load recovery snapshot mismatch"
status=0

bench scan "$(win "$work/disks/first.vhd")" --mode quick --partition 1 --snapshot "$(win "$work/ntfs.srzq")" \
  >"$work/scan.out" 2>&1 || { cat "$work/scan.out" >&2; echo "morvick-bench scan failed" >&2; exit 1; }

code=0
bench load "$(win "$work/ntfs.srzq")" --image "$(win "$work/disks/other.vhd")" --out "$(win "$work/bench-wrong")" \
  >"$work/load.out" 2>&1 || code=$?
[ "$code" = 1 ] || { echo "over the other volume morvick-bench load ended with $code" >&2; status=1; }
grep -q "$mismatch" "$work/load.out" || { cat "$work/load.out" >&2; echo "morvick-bench load gave no mismatch message" >&2; status=1; }
[ -z "$(ls -A "$work/bench-wrong" 2>/dev/null)" ] || { echo "morvick-bench saved files over the other volume" >&2; status=1; }

bench load "$(win "$work/ntfs.srzq")" --image "$(win "$work/disks/first.vhd")" --out "$(win "$work/bench-right")" \
  >"$work/right.out" 2>&1 || { cat "$work/right.out" >&2; echo "over its own image the snapshot was refused" >&2; status=1; }

code=0
wrong=$("$root/scripts/drive.sh" "$work/disks/other.vhd" --load "$work/ntfs.srzq" --out "$work/drive-wrong" \
  2>"$work/drive.err") || code=$?
[ "$code" = 1 ] || { echo "over the other volume drive.sh ended with $code" >&2; status=1; }
[ -z "$wrong" ] || { echo "over the other volume drive.sh printed: $wrong" >&2; status=1; }
grep -q "$mismatch" "$work/drive.err" || { cat "$work/drive.err" >&2; echo "drive.sh showed no mismatch message" >&2; status=1; }
[ -z "$(ls -A "$work/drive-wrong" 2>/dev/null)" ] || { echo "drive.sh saved files over the other volume" >&2; status=1; }
exit $status
