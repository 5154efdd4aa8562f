#!/usr/bin/env bash
# far-folder-clusters-speed.sh [MORVICK_BENCH] [WORKDIR]
# How the scans' time grows with the deleted files that lie between a deleted folder's clusters:
# cards of 7,500, 15,000, 30,000 and 60,000 small deleted files (SIZES to choose others) between
# the first and second clusters of two deleted folders, made by bench/far-folder-clusters-card.sh
# into WORKDIR (default build/bench-cards; 3 to 12 MB). Times `morvick-bench scan --mode quick` and
# `--mode extensive` of each card (best of three with warm files; a run of more than 10 s is not
# repeated), each cut at CAP seconds (default 600), and with OLD_BENCH the same for that build.
# Prints one JSON line a card, build and scan, and the growth from each size to the next (2 x the
# files: about 2 x the time when it grows with them). First saves the smallest card with
# `scan --mode quick --out` and checks that each folder's photos of its second cluster are saved in
# the folder with those of its first. Exits 1 when they are not, or when a scan lists fewer files
# than the card holds. Not run in CI.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bench=${1:-$ROOT/build/native/bench/morvick-bench}
work=${2:-$ROOT/build/bench-cards}
sizes=${SIZES:-7500 15000 30000 60000}
cap=${CAP:-600}
source "$(dirname "${BASH_SOURCE[0]}")/best-of-three.sh"
card="$(dirname "${BASH_SOURCE[0]}")/far-folder-clusters-card.sh"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$work"

builds=("new:$bench")
[ -z "${OLD_BENCH:-}" ] || builds=("old:$OLD_BENCH" "${builds[@]}")
declare -A seconds
listed=1 folders=
for n in $sizes; do
  "$card" "$work" "$n"
  image="$work/far-folder-clusters-$n.vhd"
  cat "$image" >/dev/null
  if [ "$n" = "${sizes%% *}" ]; then
    # The photos of each folder's second cluster (4 to 7) go with those of its first (1 to 3).
    "$bench" scan "$image" --mode quick --out "$tmp/out" >/dev/null
    for photo in "Trip photo 0001" "Trip photo 0007" "Party photo 0001" "Party photo 0007"; do
      found=$(find "$tmp/out" -name "$photo at the lake.jpg" -printf '%h\n')
      [ -n "$found" ] || { echo "$photo was not saved" >&2; exit 1; }
      folders+="$found"$'\n'
    done
    [ "$(sort -u <<<"${folders%$'\n'}" | wc -l)" -eq 2 ] ||
      { echo "the photos of a folder's second cluster were not saved in its folder:" >&2; echo "$folders" >&2; exit 1; }
    rm -rf "$tmp/out"
  fi
  for build in "${builds[@]}"; do
    name=${build%%:*} program=${build#*:}
    for mode in quick extensive; do
      s=$(capped_best "$cap" "$tmp/line" "$program" scan "$image" --mode "$mode")
      # shellcheck disable=SC2034 # read by growth, which is given its name
      seconds[$name-$mode:$n]=$s
      if [ -z "$s" ]; then
        echo "{\"build\":\"$name\",\"mode\":\"$mode\",\"files\":$n,\"seconds\":null,\"cut_at\":$cap}"
        continue
      fi
      line=$(cat "$tmp/line")
      echo "{\"build\":\"$name\",\"mode\":\"$mode\",\"files\":$n,\"seconds\":$s,\"result\":$line}"
      # The small files and the folders' 14 photos.
      found=$(sed -n 's/.*"files":\([0-9]*\).*/\1/p' <<<"$line")
      [ "$found" -ge $((n + 14)) ] || { echo "$name $mode: $found files listed, not $((n + 14))" >&2; listed=0; }
    done
  done
done
for build in "${builds[@]}"; do
  for mode in quick extensive; do
    # shellcheck disable=SC2086 # the sizes, one word each
    growth "${build%%:*}-$mode" files seconds $sizes
  done
done
[ "$listed" -eq 1 ]
