#!/usr/bin/env bash
# Recovers an image through Morvick's own window, as a person would, and prints one line of JSON
# with the counts in the form of `morvick-bench scan`'s line.
#   scripts/drive.sh IMAGE --mode quick|extensive|trace [--partition N] [--types LIST] --out DIR [--snapshot FILE] [--measure waits|scan]
#   scripts/drive.sh IMAGE --load SNAPSHOT --out DIR
# Builds what it needs (after scripts/setup.sh), starts Morvick.exe under Wine (inside Xvfb when
# there is no display) and walks the wizard with the end-to-end driver: the image and the mode, the
# partition search, the scan of each partition (Quick Scan, File Trace: the one given or every one;
# Extensive Scan: every file system found on the whole disk, FAT first, then NTFS), the top item
# ticked and everything saved into DIR/pN, or DIR/vN for the found volumes (N from 1) -- the folders
# `morvick-bench scan` makes --, the snapshot of the last partition when asked, and the end through
# the menu. File Trace chooses the types of LIST (extensions, the dot optional), else every type, at
# the File Types dialog's first size. With --load the program starts with the snapshot on its
# command line, is given IMAGE when it asks for the snapshot's image, and saves everything into DIR
# as `morvick-bench load` does; a refused snapshot prints the program's message and exits with 1.
# With --measure waits (Quick Scan) it measures instead what a user waits for on the first
# partition's largest folder and prints that line (bench/gui-speed.sh); --measure scan the same
# without the save, or with --mode extensive the search and the first volume's scan.
# With MORVICK_BINARY_DIR set, the Windows build there is used as it
# is; otherwise build/windows is brought up to date first, or build/windows64 where this machine runs
# no 32-bit program (or MORVICK_WINDOWS_BITS=64 asks for it): the 64-bit build of the same program,
# run under 64-bit Wine, which the first line on standard error says. Exit status: 0 done, 1 a step
# failed, 2 bad arguments.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
usage() {
  sed -n '4,5p' "${BASH_SOURCE[0]}" | sed 's/^#   /usage: /' >&2
  exit 2
}
[ $# -ge 1 ] || usage
image=$1
shift
mode="" partition="" types="" out="" snapshot="" load="" measure=""
while [ $# -gt 0 ]; do
  [ $# -ge 2 ] || usage
  case $1 in
    --mode) mode=$2 ;;
    --partition) partition=$2 ;;
    --types) types=$2 ;;
    --out) out=$2 ;;
    --snapshot) snapshot=$2 ;;
    --load) load=$2 ;;
    --measure) measure=$2 ;;
    *) usage ;;
  esac
  shift 2
done
if [ -n "$load" ]; then
  [ -z "$mode$partition$types$snapshot$measure" ] || usage
  [ -f "$load" ] || { echo "drive.sh: no snapshot $load" >&2; exit 2; }
else
  case $mode in quick | extensive | trace) ;; *) usage ;; esac
fi
[ -n "$out" ] || usage
[ -f "$image" ] || { echo "drive.sh: no image $image" >&2; exit 2; }

cd "$ROOT"
source scripts/windows-bits.sh
windows_bits_choose || exit 2
preset=windows
if [ "$MORVICK_WINDOWS_BITS" = 64 ]; then
  preset=windows64
  echo "drive.sh: driving the 64-bit build of Morvick.exe under 64-bit Wine: ${WINDOWS_BITS_WHY:-MORVICK_WINDOWS_BITS=64}" >&2
fi
source scripts/wine-env.sh
if [ -n "${MORVICK_BINARY_DIR:-}" ]; then
  # A build given: its programs are used as they are.
  build=$MORVICK_BINARY_DIR
else
  build="$ROOT/build/$preset"
  # The build's output is kept, not shown, unless a step fails: then that step's output is shown
  # (from ninja's FAILED line on where it has one) and the step is named.
  build_log=$(mktemp)
  built() {
    if ! "$@" >"$build_log" 2>&1; then
      if grep -q '^FAILED: ' "$build_log"; then sed -n '/^FAILED: /,$p' "$build_log" >&2; else cat "$build_log" >&2; fi
      echo "drive.sh: the build failed at: $*" >&2
      rm -f "$build_log"
      exit 1
    fi
  }
  [ -f "$build/build.ninja" ] || built cmake --preset $preset
  built cmake --build --preset $preset --target Morvick morvick-drive morvick_raw_dat
  rm -f "$build_log"
fi

mkdir -p "$out"
args=("$(winepath -w "$image" 2>/dev/null)" --out "$(winepath -w "$out" 2>/dev/null)")
[ -z "$mode" ] || args+=(--mode "$mode")
[ -z "$load" ] || args+=(--load "$(winepath -w "$load" 2>/dev/null)")
[ -z "$partition" ] || args+=(--partition "$partition")
[ -z "$types" ] || args+=(--types "$types")
[ -z "$snapshot" ] || args+=(--snapshot "$(winepath -w "$snapshot" 2>/dev/null)")
[ -z "$measure" ] || args+=(--measure "$measure")
export MORVICK_BINARY_DIR="$build"
# The driver prints the JSON line on standard output, the program's messages on standard error. Both
# go through files: Wine's long-lived processes keep any pipe they inherit open.
stdout=$(mktemp) stderr=$(mktemp)
trap 'rm -f "$stdout" "$stderr"' EXIT
status=0
if [ -z "${DISPLAY:-}" ]; then
  # Wine's server and its desktop outlive the programs for a moment; a new display must not meet the
  # server of the last one (whose display is gone): wait for it to end, and end ours inside our display.
  wineserver -w 2>/dev/null || true
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c 'wine "$@"; rc=$?; wineserver -w; exit $rc' drive \
    "$build/tests/e2e/morvick-drive.exe" "${args[@]}" </dev/null >"$stdout" 2>"$stderr" || status=$?
else
  wine "$build/tests/e2e/morvick-drive.exe" "${args[@]}" </dev/null >"$stdout" 2>"$stderr" || status=$?
fi
grep -v -e '^wine: ' -e '^X connection' "$stderr" >&2 || true
tr -d '\r' <"$stdout"
exit $status
