#!/usr/bin/env bash
# Draws the pictures of the toolkit's themed controls with ImageMagick into res/art/toolkit: the
# caption glyphs (three 16x15 images on magenta: pin pushed in, pin out, close cross) and the icons
# of the header's sort menu (sort ascending, sort descending, align left, centre, right) and of the
# edit menu (undo, cut, copy, paste, delete, select all), 16x16 each on magenta. Run it again after
# changing a drawing; the results are committed. All are 24-bit BMP files.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/art-common.sh"
cd "$(dirname "${BASH_SOURCE[0]}")/toolkit"

navy='#1F3A68'
blue='#1D75BD'
orange='#F29A1F'
grey='#6E6E6E'
red='#C62828'

# Caption glyphs. Image 0: the pin pushed in (seen from above); 1: the pin out (from the side);
# 2: the close cross.
bmp_out caption-glyphs.bmp -size 48x15 xc:'#FF00FF' +antialias -fill none -stroke black -strokewidth 1 \
  -draw 'rectangle 5,3 10,8' -draw 'line 4,9 11,9' -draw 'line 7,10 7,13' -draw 'line 9,4 9,7' \
  -draw 'rectangle 19,5 25,9' -draw 'line 26,4 26,10' -draw 'line 27,7 30,7' -draw 'line 20,6 24,6' \
  -draw 'line 36,3 43,10' -draw 'line 37,3 44,10' -draw 'line 43,3 36,10' -draw 'line 44,3 37,10'

# Sort and alignment icons of the header's menu.
bmp_out header-menu.bmp -size 80x16 xc:'#FF00FF' +antialias -stroke none \
  -fill "$blue" -draw 'polygon 7,3 2,10 12,10' -fill "$navy" -draw 'rectangle 6,10 8,13' \
  -fill "$blue" -draw 'polygon 23,12 18,5 28,5' -fill "$navy" -draw 'rectangle 22,2 24,5' \
  -fill "$grey" -draw 'rectangle 34,3 45,4' -draw 'rectangle 34,7 41,8' -draw 'rectangle 34,11 44,12' \
  -draw 'rectangle 50,3 61,4' -draw 'rectangle 52,7 59,8' -draw 'rectangle 51,11 60,12' \
  -draw 'rectangle 66,3 77,4' -draw 'rectangle 70,7 77,8' -draw 'rectangle 67,11 77,12'

# Editing icons of the edit's menu.
bmp_out edit-menu.bmp -size 96x16 xc:'#FF00FF' +antialias \
  -fill none -stroke "$blue" -strokewidth 2 -draw 'arc 3,4 13,14 180,360' \
  -stroke none -fill "$blue" -draw 'polygon 1,9 7,9 4,5' \
  -fill none -stroke "$grey" -strokewidth 1 -draw 'line 20,2 26,10' -draw 'line 27,2 21,10' \
  -draw 'circle 20,12 20,14' -draw 'circle 27,12 27,14' \
  -fill white -stroke "$navy" -draw 'rectangle 33,1 40,10' -draw 'rectangle 37,5 44,14' \
  -fill "$orange" -stroke "$navy" -draw 'rectangle 50,2 60,14' -fill white -draw 'rectangle 53,5 62,14' \
  -fill "$navy" -stroke none -draw 'rectangle 53,1 57,3' \
  -fill none -stroke "$red" -strokewidth 2 -draw 'line 68,3 77,12' -draw 'line 77,3 68,12' \
  -stroke "$navy" -strokewidth 1 -draw 'rectangle 82,2 93,13' -fill "$blue" -stroke none -draw 'rectangle 84,4 91,11'
