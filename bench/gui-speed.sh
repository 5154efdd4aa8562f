#!/usr/bin/env bash
# gui-speed.sh IMAGE [WORKDIR]
# What a user waits for on the image's first partition, in its largest folder, measured through the
# program's windows by the end-to-end driver (scripts/drive.sh --measure waits), and the same save
# by morvick-bench.exe under Wine. Prints one JSON line:
#   tree_s        the result tree built after the Quick Scan: from the scan's end (the partition
#                 page's status turning to "Please wait creating tree"; its progress bar stays up
#                 through the tree) to the results page shown with the tree filled
#   list_fill_s   the list filled and painted after a click on the largest folder
#   sort_s        the list sorted and painted after a click on its Size heading
#   gui_save_s    the whole volume saved through the window (the top item ticked; from Save to the
#                 message after the saving dialog)
#   bench_save_s  `morvick-bench.exe scan IMAGE --mode quick --partition 0 --out DIR` under Wine, as
#                 the program reports it (open, scan and save)
# Both saves write into WORKDIR (default a new folder in /tmp; on a disk, as a user's save does).
# Fails when a target is missed: list filled or sorted in more than 1 s, or the save through the
# window taking more than 1.2 times the bench program's. Builds what it needs, as drive.sh does
# (MORVICK_BINARY_DIR: a Windows build to use as it is). Not run in CI; made for an image such as
# tests/fixtures/make-one-folder-disk.sh's (one folder of 20,000 files).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
[ $# -ge 1 ] || { echo "usage: bench/gui-speed.sh IMAGE [WORKDIR]" >&2; exit 2; }
image=$(realpath "$1")
if [ $# -ge 2 ]; then
  mkdir -p "$2"
  work=$(realpath "$2")
  trap 'rm -rf "$work/gui" "$work/bench"' EXIT
else
  work=$(mktemp -d /tmp/morvick-gui-speed.XXXXXX)
  trap 'rm -rf "$work"' EXIT
fi

waits=$("$ROOT/scripts/drive.sh" "$image" --mode quick --partition 0 --out "$work/gui" --measure waits)
build=${MORVICK_BINARY_DIR:-$ROOT/build/windows}
source "$ROOT/scripts/wine-env.sh"
rm -rf "$work/bench"
line=$(wine "$build/bench/morvick-bench.exe" scan "$(winepath -w "$image" 2>/dev/null)" --mode quick --partition 0 \
  --out "$(winepath -w "$work/bench" 2>/dev/null)" </dev/null 2>/dev/null | tr -d '\r' | grep '^{')
bench_s=$(sed -n 's/.*"seconds":\([0-9.]*\).*/\1/p' <<<"$line")
[ -n "$bench_s" ] || { echo "gui-speed.sh: morvick-bench printed no time" >&2; exit 1; }
echo "${waits%\}},\"bench_save_s\":$bench_s}"
awk -v w="$waits" -v b="$bench_s" 'BEGIN {
  n = split(w, parts, /[{},:"]+/)
  for (i = 1; i < n; i++) value[parts[i]] = parts[i + 1]
  ok = value["list_fill_s"] <= 1 && value["sort_s"] <= 1 && value["gui_save_s"] <= 1.2 * b
  exit ok ? 0 : 1
}'
