#!/usr/bin/env bash
# Draws the program icon (res/art/Morvick.ico: 16, 32 and 48 pixels) with ImageMagick: a disk
# platter with a recovery arrow. Run it again after changing the drawing; the .ico is committed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 256x256 xc:none \
  -fill '#1F3A68' -draw 'roundrectangle 16,16 240,240 40,40' \
  -fill '#C9D6EA' -draw 'circle 128,128 128,44' \
  -fill '#1F3A68' -draw 'circle 128,128 128,112' \
  -fill '#F29A1F' -draw 'polygon 128,150 178,200 148,200 148,236 108,236 108,200 78,200' \
  "$tmp/big.png"
for s in 16 32 48; do
  convert "$tmp/big.png" -resize ${s}x${s} "$tmp/$s.png"
done
convert "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" Morvick.ico
