#!/usr/bin/env bash
# deleted-folders-speed.sh [MORVICK_BENCH] [WORKDIR]
# How the scans' time grows with the folders of a card: cards of 40,000, 80,000 and 160,000 deleted
# empty folders in the root (SIZES to choose others), made by bench/deleted-folders-card.sh into
# WORKDIR (default build/bench-cards; 25, 48 and 90 MB). First the card maker's own writing is
# checked against mtools: a card of CHECK folders (default 2,000) made both ways must hold the same
# disk (qemu-img compare). Times `morvick-bench scan --mode quick` and `--mode extensive` of each
# card (best of three with warm files; a run of more than 10 s is not repeated), each run cut at CAP
# seconds (default 600). Prints one JSON line a card and scan, the growth from each size to the next
# (2 x the folders: about 2 x the time when it grows with them, 4 x with their square), and the
# verdict: the largest card's Quick Scan within 2 x of its Extensive Scan. Exits 1 when it is not,
# or when a scan does not list every folder. Not run in CI.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bench=${1:-$ROOT/build/native/bench/morvick-bench}
work=${2:-$ROOT/build/bench-cards}
sizes=${SIZES:-40000 80000 160000}
check=${CHECK:-2000}
cap=${CAP:-600}
source "$(dirname "${BASH_SOURCE[0]}")/best-of-three.sh"
card="$(dirname "${BASH_SOURCE[0]}")/deleted-folders-card.sh"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$work"

"$card" "$tmp" "$check"
MAKER=mtools "$card" "$tmp" "$check"
qemu-img compare -q "$tmp/deleted-folders-$check.vhd" "$tmp/deleted-folders-$check-mtools.vhd" ||
  { echo "deleted-folders-speed.sh: the card of $check folders differs from the one mtools makes" >&2; exit 1; }
rm -f "$tmp"/*.vhd

declare -A seconds
listed=1
for n in $sizes; do
  "$card" "$work" "$n"
  image="$work/deleted-folders-$n.vhd"
  cat "$image" >/dev/null
  for mode in quick extensive; do
    s=$(capped_best "$cap" "$tmp/line" "$bench" scan "$image" --mode "$mode")
    seconds[$mode:$n]=$s
    if [ -z "$s" ]; then
      echo "{\"mode\":\"$mode\",\"folders\":$n,\"seconds\":null,\"cut_at\":$cap}"
      continue
    fi
    line=$(cat "$tmp/line")
    echo "{\"mode\":\"$mode\",\"folders\":$n,\"seconds\":$s,\"result\":$line}"
    # Every deleted folder, and the Extensive Scan's "Lost Dir" beside them.
    found=$(sed -n 's/.*"folders":\([0-9]*\).*/\1/p' <<<"$line")
    [ "$found" -ge "$n" ] || { echo "$mode: $found folders listed, not $n" >&2; listed=0; }
  done
done
for mode in quick extensive; do
  # shellcheck disable=SC2086 # the sizes, one word each
  growth "$mode" folders seconds $sizes
done
largest=${sizes##* }
quick=${seconds[quick:$largest]} extensive=${seconds[extensive:$largest]}
if [ -z "$quick" ] || [ -z "$extensive" ]; then
  echo "$largest folders: a scan was cut at $cap s: not within 2 x"
  exit 1
fi
awk -v q="$quick" -v e="$extensive" -v n="$largest" 'BEGIN {
  r = q / e
  printf "%d folders: Quick Scan %.3f s against Extensive Scan %.3f s, %.2f x: %s\n", n, q, e, r, (r <= 2 ? "within 2 x" : "not within 2 x")
  exit !(r <= 2)
}'
[ "$listed" -eq 1 ]
