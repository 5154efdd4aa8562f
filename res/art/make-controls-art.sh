#!/usr/bin/env bash
# Draws the pictures and pointers of the program's own controls with ImageMagick into
# res/art/controls: the start page's mode buttons, the pages' tool buttons, the Find dialog's save
# picture, the frame logo and the hover and pressed pointers. Run it again after changing a
# drawing; the results are committed. Bitmaps are 24-bit BMP files, pointers 32x32 .cur files.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/art-common.sh"
cd "$(dirname "${BASH_SOURCE[0]}")/controls"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

blue='#1D75BD'     # the caption colour of the pages
orange='#F29A1F'
navy='#1F3A68'
pale='#C9D6EA'
font=DejaVu-Sans-Bold

# Mode button: width, label, normal file, hover file. A card with a disk platter and the label;
# the hovered card is tinted and framed in orange.
mode_button() {
  local w=$1 label=$2 normal=$3 hover=$4 cx=$(($1 / 2))
  for state in normal hover; do
    local fill=white frame=$pale ring=$navy text=$blue out=$normal
    if [ $state = hover ]; then fill='#EAF2FB' frame=$orange text=$navy out=$hover; fi
    bmp_out "$out" -size ${w}x203 xc:'#F2F2F2' \
      -fill "$fill" -stroke "$frame" -strokewidth 3 -draw "roundrectangle 3,3 $((w - 4)),199 14,14" \
      -stroke none -fill "$pale" -draw "circle $cx,82 $cx,32" \
      -fill "$ring" -draw "circle $cx,82 $cx,66" \
      -fill "$orange" -draw "circle $cx,82 $cx,76" \
      -font $font -pointsize 15 -fill "$text" -gravity south -annotate +0+26 "$label"
  done
}
mode_button 181 'Quick Scan' quick-scan.bmp quick-scan-hover.bmp
mode_button 163 'File Trace' file-trace.bmp file-trace-hover.bmp
mode_button 173 'Extensive Scan' extensive-scan.bmp extensive-scan-hover.bmp

# Tool button 74x26: a rounded blue button with a white label, orange while hovered.
tool_button() {
  local label=$1 name=$2
  for state in normal hover; do
    local fill=$blue out=$name.bmp
    if [ $state = hover ]; then fill=$orange out=$name-hover.bmp; fi
    bmp_out "$out" -size 74x26 xc:'#F2F2F2' \
      -fill "$fill" -draw 'roundrectangle 0,0 73,25 6,6' \
      -font $font -pointsize 12 -fill white -gravity center -annotate +0+0 "$label"
  done
}
tool_button Next next
tool_button Back back
tool_button Stop stop
tool_button Home home
tool_button Save save
tool_button Scan scan

# The Find dialog's save picture, 16x16 on magenta (its transparent colour): a disk with a label.
bmp_out find-save.bmp -size 16x16 xc:'#FF00FF' \
  -fill "$navy" -draw 'rectangle 1,1 14,14' \
  -fill white -draw 'rectangle 4,2 11,6' \
  -fill "$pale" -draw 'rectangle 4,9 11,14' \
  -fill "$navy" -draw 'rectangle 9,3 10,5'

# The frame logo, 160x32 on white (its transparent colour).
bmp_out logo.bmp -size 160x32 xc:white \
  -fill "$navy" -draw 'circle 16,16 16,2' -fill "$pale" -draw 'circle 16,16 16,8' -fill "$orange" -draw 'circle 16,16 16,13' \
  -font $font -pointsize 18 -fill "$navy" -gravity west -annotate +38+0 'Morvick'

# A pointer: a pointing hand (finger length as given) with its hot spot at the finger tip.
pointer() {
  local out=$1 finger=$2 colour=$3
  local top=$((14 - finger))
  convert -size 32x32 xc:none -stroke black -strokewidth 1 -fill "$colour" \
    -draw "roundrectangle 9,$top 14,20 2,2" \
    -draw 'roundrectangle 9,14 25,29 4,4' \
    -draw 'line 15,15 15,20' -draw 'line 20,15 20,20' \
    "$tmp/pointer.png"
  convert "$tmp/pointer.png" "$tmp/pointer.ico"
  cp "$tmp/pointer.ico" "$out"
  # An icon file becomes a cursor file: type 2, and the hot spot where planes and depth were.
  printf '\x02\x00' | dd of="$out" bs=1 seek=2 conv=notrunc status=none
  printf "\\x$(printf %02x 11)\\x00\\x$(printf %02x "$top")\\x00" | dd of="$out" bs=1 seek=10 conv=notrunc status=none
}
pointer hover-pointer.cur 12 white
pointer pressed-pointer.cur 6 "$pale"
