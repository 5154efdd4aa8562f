#!/usr/bin/env bash
# cut-name-speed.sh [MORVICK_BENCH] [WORKDIR]
# How the Quick Scan's time grows with a deleted file whose clusters each look like a deleted
# folder's cluster of entries ending in a cut long name, its own entry lost (cut-name-card.sh): the
# cards of 1,000, 4,000 and 20,000 such clusters (SIZES to choose others; 20,000 is 10 MB) and the
# same card without the file, made into WORKDIR (default build/bench-cards, about 4 MB a card).
# Times `morvick-bench scan --mode quick` of each (best of three with warm files; a run of more than
# 10 s is not repeated), each run cut at CAP seconds (default 120) so that a search whose time grows
# with the square of the clusters ends. Prints one JSON line a card, the growth from each size to
# the next (4 x the clusters: about 4 x the time when it grows with them, 16 x with their square),
# and the verdict: the largest card's scan within 2 x of the card's without the file. Exits 1 when
# it is not. MODES="quick extensive load" times the Extensive Scan of each card and the load of its
# Quick Scan's snapshot too (no verdict for them). Not run in CI.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bench=${1:-$ROOT/build/native/bench/morvick-bench}
work=${2:-$ROOT/build/bench-cards}
sizes=${SIZES:-1000 4000 20000}
cap=${CAP:-120}
modes=${MODES:-quick}
source "$(dirname "${BASH_SOURCE[0]}")/best-of-three.sh"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# The command of MODE for the card IMAGE: the Quick or the Extensive Scan, or the load of the Quick
# Scan's snapshot (made first, under the cap; nothing when the cap cut it).
command_of() {
  local mode=$1 image=$2
  case $mode in
    quick | extensive) echo "$bench scan $image --mode $mode" ;;
    load)
      local snapshot="$tmp/$(basename "$image" .vhd).snapshot"
      [ -f "$snapshot" ] ||
        [ -n "$(capped_run "$cap" "$tmp/line" "$bench" scan "$image" --mode quick --snapshot "$snapshot")" ] ||
        return 0
      echo "$bench load $snapshot --image $image" ;;
    *) echo "cut-name-speed.sh: no mode $mode" >&2; exit 2 ;;
  esac
}
# Best of three runs of MODE on the card ("" when the first run reached the cap, or there was no
# snapshot to load); the JSON line of the best run on a second line.
time_card() {
  local command best
  command=$(command_of "$1" "$2")
  [ -n "$command" ] || { echo; echo; return 0; }
  cat "$2" >/dev/null
  # shellcheck disable=SC2086 # the command's words, no blank in them
  best=$(capped_best "$cap" "$tmp/line" $command) || exit 1
  echo "$best"
  if [ -n "$best" ]; then cat "$tmp/line"; else echo; fi
}

mkdir -p "$work"
for n in 0 $sizes; do
  "$(dirname "${BASH_SOURCE[0]}")/cut-name-card.sh" "$work" "$n"
done
declare -A seconds
for mode in $modes; do
  for n in 0 $sizes; do
    result=$(time_card "$mode" "$work/cut-name-$n.vhd")
    s=$(echo "$result" | sed -n 1p) line=$(echo "$result" | sed -n 2p)
    seconds[$mode:$n]=$s
    if [ -n "$s" ]; then
      echo "{\"mode\":\"$mode\",\"clusters\":$n,\"seconds\":$s,\"result\":$line}"
    else
      echo "{\"mode\":\"$mode\",\"clusters\":$n,\"seconds\":null,\"cut_at\":$cap}"
    fi
  done
  # shellcheck disable=SC2086 # the sizes, one word each
  growth "$mode" clusters seconds $sizes
done
[[ " $modes " == *" quick "* ]] || exit 0
largest=${sizes##* }
base=${seconds[quick:0]} top=${seconds[quick:$largest]}
if [ -z "$top" ]; then
  awk -v c="$cap" -v b="$base" -v n="$largest" 'BEGIN {
    printf "%d clusters: cut at %d s against %.3f s without the file (more than %.0f x): not within 2 x\n", n, c, b, c / b
  }'
  exit 1
fi
awk -v t="$top" -v b="$base" -v n="$largest" 'BEGIN {
  r = t / b
  printf "%d clusters: %.3f s against %.3f s without the file, %.2f x: %s\n", n, t, b, r, (r <= 2 ? "within 2 x" : "not within 2 x")
  exit !(r <= 2)
}'
