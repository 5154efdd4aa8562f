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
# it is not. Not run in CI.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bench=${1:-$ROOT/build/native/bench/morvick-bench}
work=${2:-$ROOT/build/bench-cards}
sizes=${SIZES:-1000 4000 20000}
cap=${CAP:-120}
source "$(dirname "${BASH_SOURCE[0]}")/best-of-three.sh"

last=$(mktemp)
trap 'rm -f "$last"' EXIT
# One capped run: its seconds, or "" when the cap cut it; its JSON line into $last.
capped_run() {
  local t0 t1 rc=0
  t0=$(now)
  timeout "$cap" "$bench" scan "$1" --mode quick >"$last" 2>/dev/null || rc=$?
  t1=$(now)
  [ "$rc" -eq 0 ] || { [ "$rc" -eq 124 ] && return 0; echo "cut-name-speed.sh: $bench failed on $1" >&2; exit 1; }
  echo "$t1 $t0" | awk '{ printf "%.3f\n", $1 - $2 }'
}
# Best of three runs of the card's scan ("" when the first run reached the cap); its JSON line last.
time_card() {
  local image=$1 best= s line
  cat "$image" >/dev/null
  for run in 1 2 3; do
    s=$(capped_run "$image")
    [ -n "$s" ] || break
    [ "$(least "$s" "$best")" != "$s" ] || line=$(cat "$last")
    best=$(least "$s" "$best")
    awk -v s="$s" 'BEGIN { exit !(s > 10) }' && break
  done
  echo "${best}"
  echo "${line:-}"
}

mkdir -p "$work"
for n in 0 $sizes; do
  "$(dirname "${BASH_SOURCE[0]}")/cut-name-card.sh" "$work" "$n"
done
declare -A seconds
for n in 0 $sizes; do
  result=$(time_card "$work/cut-name-$n.vhd")
  s=$(echo "$result" | sed -n 1p) line=$(echo "$result" | sed -n 2p)
  seconds[$n]=$s
  if [ -n "$s" ]; then
    echo "{\"clusters\":$n,\"seconds\":$s,\"scan\":$line}"
  else
    echo "{\"clusters\":$n,\"seconds\":null,\"cut_at\":$cap}"
  fi
done
previous=
for n in $sizes; do
  if [ -n "$previous" ] && [ -n "${seconds[$previous]}" ] && [ -n "${seconds[$n]}" ]; then
    awk -v a="${seconds[$previous]}" -v b="${seconds[$n]}" -v p="$previous" -v n="$n" \
      'BEGIN { printf "%d -> %d clusters (%.1f x): %.3f s -> %.3f s, %.1f x the time\n", p, n, n / p, a, b, b / a }'
  fi
  previous=$n
done
largest=${sizes##* }
base=${seconds[0]} top=${seconds[$largest]}
if [ -z "$top" ]; then
  echo "$largest clusters: cut at $cap s against $base s without the file (more than $(awk -v c="$cap" -v b="$base" 'BEGIN { printf "%.0f", c / b }') x): not within 2 x"
  exit 1
fi
awk -v t="$top" -v b="$base" -v n="$largest" 'BEGIN {
  r = t / b
  printf "%d clusters: %.3f s against %.3f s without the file, %.2f x: %s\n", n, t, b, r, (r <= 2 ? "within 2 x" : "not within 2 x")
  exit !(r <= 2)
}'
