#!/usr/bin/env bash
# Draws the pictures and pointers of the command bars' customisation with ImageMagick into
# res/art/customize:
#   editor-tools.bmp (256x16, 24-bit, grey 192 masked) and editor-tools32.bmp (the same with alpha):
#     the button editor's sixteen tool images in this order: pencil, fill, undo, redo, pick colour,
#     line, copy, paste, rectangle, ellipse, clear, import, move left, down, up, right;
#   drag-copy.cur, drag-move.cur, drag-none.cur: the pointers of a customise drag;
#   editor-shape.cur, editor-pick.cur, editor-fill.cur, editor-pencil.cur: the editor's tool pointers.
# Run it again after changing a drawing; the results are committed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
mkdir -p customize
cd customize
tmp=$(mkdir -p "${TMPDIR:-/tmp}" && mktemp -d)
trap 'rm -rf "$tmp"' EXIT

ink='#202020'
blue='#2050C0'
red='#C03020'
green='#20A040'
yellow='#E8C020'
paper='#FFFFFF'

# The strip is drawn on a transparent ground; each image is 16 pixels wide, x0 its left edge.
d=()
img() { d+=("$@"); }
x() { echo $(($1 + $2)); }  # x0 + offset

for i in $(seq 0 15); do
  x0=$((i * 16))
  case $i in
    0)  # pencil
      img -stroke "$ink" -fill "$yellow" -draw "polygon $(x $x0 3),12 $(x $x0 11),4 $(x $x0 13),6 $(x $x0 5),14"
      img -fill "$ink" -draw "polygon $(x $x0 2),13 $(x $x0 3),12 $(x $x0 5),14 $(x $x0 2),15" ;;
    1)  # fill bucket
      img -stroke "$ink" -fill "$paper" -draw "polygon $(x $x0 3),7 $(x $x0 8),2 $(x $x0 13),7 $(x $x0 8),12"
      img -stroke none -fill "$blue" -draw "polygon $(x $x0 3),7 $(x $x0 13),7 $(x $x0 8),12"
      img -fill "$blue" -draw "rectangle $(x $x0 12),9 $(x $x0 13),13" ;;
    2)  # undo: arrow bending to the left
      img -fill none -stroke "$blue" -strokewidth 2 -draw "arc $(x $x0 4),4 $(x $x0 14),13 270,90" -strokewidth 1
      img -stroke none -fill "$blue" -draw "polygon $(x $x0 1),4 $(x $x0 6),0 $(x $x0 6),8" ;;
    3)  # redo
      img -fill none -stroke "$blue" -strokewidth 2 -draw "arc $(x $x0 1),4 $(x $x0 11),13 90,270" -strokewidth 1
      img -stroke none -fill "$blue" -draw "polygon $(x $x0 14),4 $(x $x0 9),0 $(x $x0 9),8" ;;
    4)  # pick colour: a pipette
      img -stroke "$ink" -fill "$paper" -draw "polygon $(x $x0 2),14 $(x $x0 9),7 $(x $x0 10),8 $(x $x0 3),15"
      img -fill "$ink" -draw "roundrectangle $(x $x0 9),2 $(x $x0 14),7 2,2" ;;
    5)  # line
      img -stroke "$ink" -strokewidth 2 -draw "line $(x $x0 2),13 $(x $x0 13),2" -strokewidth 1 ;;
    6)  # copy: two sheets
      img -stroke "$ink" -fill "$paper" -draw "rectangle $(x $x0 1),1 $(x $x0 9),11" -draw "rectangle $(x $x0 6),4 $(x $x0 14),14" ;;
    7)  # paste: a board with a sheet
      img -stroke "$ink" -fill "#B08040" -draw "rectangle $(x $x0 1),2 $(x $x0 11),14"
      img -fill "$paper" -draw "rectangle $(x $x0 6),6 $(x $x0 14),14" -fill "$ink" -draw "rectangle $(x $x0 4),1 $(x $x0 8),3" ;;
    8)  # rectangle
      img -stroke "$ink" -fill none -draw "rectangle $(x $x0 2),3 $(x $x0 13),12" ;;
    9)  # ellipse
      img -stroke "$ink" -fill none -draw "ellipse $(x $x0 7),7 6,4 0,360" ;;
    10) # clear: a red cross over a sheet
      img -stroke "$ink" -fill "$paper" -draw "rectangle $(x $x0 2),2 $(x $x0 12),13"
      img -stroke "$red" -strokewidth 2 -draw "line $(x $x0 5),5 $(x $x0 13),13" -draw "line $(x $x0 13),5 $(x $x0 5),13" -strokewidth 1 ;;
    11) # import: a folder
      img -stroke "$ink" -fill "$yellow" -draw "polygon $(x $x0 1),4 $(x $x0 6),4 $(x $x0 7),5 $(x $x0 14),5 $(x $x0 14),13 $(x $x0 1),13" ;;
    12) # move left
      img -stroke none -fill "$green" -draw "polygon $(x $x0 2),8 $(x $x0 8),2 $(x $x0 8),14" -draw "rectangle $(x $x0 8),6 $(x $x0 13),10" ;;
    13) # move down
      img -stroke none -fill "$green" -draw "polygon $(x $x0 8),14 $(x $x0 2),8 $(x $x0 14),8" -draw "rectangle $(x $x0 6),2 $(x $x0 10),8" ;;
    14) # move up
      img -stroke none -fill "$green" -draw "polygon $(x $x0 8),2 $(x $x0 2),8 $(x $x0 14),8" -draw "rectangle $(x $x0 6),8 $(x $x0 10),13" ;;
    15) # move right
      img -stroke none -fill "$green" -draw "polygon $(x $x0 14),8 $(x $x0 8),2 $(x $x0 8),14" -draw "rectangle $(x $x0 3),6 $(x $x0 8),10" ;;
  esac
done
convert -size 256x16 xc:none +antialias -strokewidth 1 "${d[@]}" "$tmp/strip.png"
# 24-bit copy on the grey mask colour; 32-bit copy with straight alpha (version 4 header).
convert "$tmp/strip.png" -background '#C0C0C0' -flatten -alpha off -type TrueColor BMP3:editor-tools.bmp
convert "$tmp/strip.png" -define bmp:format=bmp4 -type TrueColorAlpha BMP:editor-tools32.bmp

# A 32 x 32 pointer from a PNG drawing with its hot spot.
pointer() {  # output hot-x hot-y drawing...
  local out=$1 hx=$2 hy=$3
  shift 3
  convert -size 32x32 xc:none +antialias -strokewidth 1 "$@" "$tmp/pointer.png"
  convert "$tmp/pointer.png" "$tmp/pointer.ico"
  cp "$tmp/pointer.ico" "$out"
  # An icon file becomes a cursor file: type 2, and the hot spot where planes and depth were.
  printf '\x02\x00' | dd of="$out" bs=1 seek=2 conv=notrunc status=none
  printf "\\x$(printf %02x "$hx")\\x00\\x$(printf %02x "$hy")\\x00" | dd of="$out" bs=1 seek=10 conv=notrunc status=none
}

arrow=(-fill white -stroke black -draw 'polygon 1,1 1,17 5,13 8,20 10,19 7,12 12,12')
box=(-fill white -stroke black -draw 'rectangle 11,21 21,29')
pointer drag-move.cur 1 1 "${arrow[@]}" "${box[@]}"
pointer drag-copy.cur 1 1 "${arrow[@]}" "${box[@]}" -draw 'rectangle 19,15 27,23' \
  -stroke none -fill black -draw 'rectangle 22,17 24,21' -draw 'rectangle 21,18 25,20'
pointer drag-none.cur 1 1 "${arrow[@]}" -fill none -stroke black -strokewidth 2 -draw 'circle 19,22 19,16' \
  -draw 'line 15,18 23,26'

pointer editor-shape.cur 15 15 -stroke black -draw 'line 15,4 15,12' -draw 'line 15,18 15,26' \
  -draw 'line 4,15 12,15' -draw 'line 18,15 26,15'
pointer editor-pencil.cur 1 30 -fill '#E8C020' -stroke black -draw 'polygon 2,25 20,7 25,12 7,30' \
  -fill black -draw 'polygon 1,30 2,25 7,30'
pointer editor-fill.cur 3 24 -fill white -stroke black -draw 'polygon 6,14 16,4 26,14 16,24' \
  -fill black -draw 'polygon 6,14 26,14 16,24' -draw 'rectangle 2,16 4,24'
pointer editor-pick.cur 1 30 -fill white -stroke black -draw 'polygon 1,30 16,15 18,17 3,31' \
  -fill black -draw 'roundrectangle 16,4 27,15 3,3'
