#!/usr/bin/env bash
# Draws the preview pane's placeholder pictures with ImageMagick into res/art/preview: 230 x 150,
# 24-bit BMP files with their captions drawn in. Run it again after changing a drawing; the
# results are committed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/preview"

blue='#1D75BD'
navy='#1F3A68'
pale='#C9D6EA'
font=DejaVu-Sans-Bold

# A page with a folded corner at the left, its face drawn by the caller, and a caption at the right.
# page OUT CAPTION FACE-DRAW-ARGS...
page() {
  local out=$1 caption=$2
  shift 2
  convert -size 230x150 xc:white \
    -fill "$pale" -stroke "$navy" -strokewidth 2 -draw 'polygon 14,18 68,18 86,36 86,132 14,132' \
    -fill white -draw 'polygon 68,18 68,36 86,36' \
    -stroke "$navy" -strokewidth 3 "$@" \
    -stroke none -font $font -pointsize 14 -fill "$blue" -gravity west -annotate +100+0 "$caption" \
    -alpha off -type TrueColor "BMP3:$out"
}

# Crossed-out eyes and a wavy mouth.
page corrupt.bmp 'Corrupt File' -fill none \
  -draw 'line 30,56 40,66' -draw 'line 40,56 30,66' -draw 'line 60,56 70,66' -draw 'line 70,56 60,66' \
  -draw 'bezier 28,100 36,90 44,110 50,100' -draw 'bezier 50,100 56,90 64,110 72,100'
# A question mark.
page not-available.bmp $'Preview not\navailable for\nthis type of file' -fill none -strokewidth 5 \
  -draw 'bezier 38,62 38,44 66,44 62,64' -draw 'line 62,64 50,80' -draw 'line 50,80 50,92' \
  -fill "$navy" -stroke none -draw 'circle 50,108 50,112'
# A smile and a tick.
page select-file.bmp $'Select file\nfor preview' -fill "$navy" \
  -draw 'circle 36,60 36,63' -draw 'circle 64,60 64,63' -fill none -draw 'bezier 32,82 42,96 58,96 68,82' \
  -stroke '#2E9E3E' -strokewidth 5 -draw 'line 34,112 46,122' -draw 'line 46,122 70,100'

# A sad face for a file too large to copy out.
convert -size 230x150 xc:white \
  -fill '#FCE7B2' -stroke "$navy" -strokewidth 3 -draw 'circle 48,75 48,37' \
  -fill "$navy" -stroke none -draw 'circle 35,65 35,69' -draw 'circle 61,65 61,69' \
  -fill none -stroke "$navy" -strokewidth 3 -draw 'bezier 30,96 40,84 56,84 66,96' \
  -stroke none -font $font -pointsize 14 -fill "$blue" -gravity west -annotate +100+0 $'File too large\nto Preview' \
  -alpha off -type TrueColor BMP3:too-large.bmp
