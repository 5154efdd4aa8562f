#!/usr/bin/env bash
# Draws the art of the wizard with ImageMagick into res/art/wizard: the pages' backgrounds and
# header bands, the skins of the wizard's dialogs, the About picture, the device tree's icons and
# check boxes, its pointers, and the "Standard" toolbar's icons and strip. Run it again after
# changing a drawing; the results are committed. Bitmaps are 24-bit BMP files.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/art-common.sh"
cd "$(dirname "${BASH_SOURCE[0]}")"
mkdir -p wizard
cd wizard
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

blue='#1D75BD'     # the caption colour of the pages (0xBD751D)
orange='#F29A1F'
navy='#1F3A68'
pale='#C9D6EA'
page='#F2F2F2'     # the pages' background
key='#00FF00'      # the key colour of the skinned dialogs: cut away from their windows
font=DejaVu-Sans
bold=DejaVu-Sans-Bold
band=70            # the height of the header bands

# Page backgrounds, stretched over the pages: the start page (251) and the other pages (252).
bmp_out start-background.bmp -size 32x256 xc:"$page"
bmp_out page-background.bmp -size 32x256 xc:"$page"

# The middle of a header band, one pixel wide, stretched between its two ends.
band_middle() {
  bmp_out "$1" -size 1x$band gradient:"$navy"-"$blue" \
    -fill "$orange" -draw "rectangle 0,$((band - 4)) 0,$((band - 1))"
}
band_middle start-header-middle.bmp   # 276
band_middle page-header-middle.bmp    # 275

# A header end with a title and a line below it: width, title, subtitle, file.
header_title() {
  local w=$1 title=$2 sub=$3 out=$4
  bmp_out "$out" -size ${w}x$band gradient:"$navy"-"$blue" \
    -fill "$orange" -draw "rectangle 0,$((band - 4)) $((w - 1)),$((band - 1))" \
    -fill "$pale" -draw 'circle 34,33 34,13' -fill "$navy" -draw 'circle 34,33 34,25' \
    -fill "$orange" -draw 'circle 34,33 34,30' \
    -font $bold -pointsize 19 -fill white -annotate +66+30 "$title" \
    -font $font -pointsize 12 -fill "$pale" -annotate +67+50 "$sub"
}
header_title 430 'Morvick' 'Recover files from VHD and VHDX images' start-header-left.bmp        # 269
header_title 300 'Morvick' 'Recovery wizard' page-header-plain.bmp                               # 273

# A header end that names the step: width, step, text, file. Drawn right-aligned.
header_step() {
  local w=$1 step=$2 text=$3 out=$4
  bmp_out "$out" -size ${w}x$band gradient:"$navy"-"$blue" \
    -fill "$orange" -draw "rectangle 0,$((band - 4)) $((w - 1)),$((band - 1))" \
    -gravity northeast -font $bold -pointsize 15 -fill white -annotate +18+16 "$step" \
    -font $font -pointsize 12 -fill "$pale" -annotate +18+40 "$text"
}
header_step 330 'Step 1 of 4' 'Choose the image and the recovery mode' start-header-right.bmp     # 274
header_step 330 'Step 2 of 4' 'Choose the virtual hard disk' drive-header.bmp                    # 277
header_step 330 'Step 2 of 4' 'Searching for partitions...' drive-header-busy.bmp                # 282
header_step 330 'Step 3 of 4' 'Choose a partition to scan' partition-header-quick.bmp            # 283
header_step 330 'Step 3 of 4' 'Choose a file system and a sector range' partition-header-deep.bmp # 285
header_step 330 'Step 3 of 4' 'Scan the logical drive' partition-header-drive.bmp                # 278
header_step 330 'Step 3 of 4' 'Scanning, please wait...' partition-header-busy.bmp               # 279
header_step 330 'Step 3 of 4' 'Choose a file system found' filesystem-header.bmp                 # 284
header_step 330 'Step 4 of 4' 'Choose the files to recover' results-header.bmp                   # 281

# A skinned dialog's background: a rounded panel with a title band on the key colour.
skin() {
  local w=$1 h=$2 out=$3
  bmp_out "$out" -size ${w}x$h xc:"$key" \
    -fill white -stroke "$blue" -strokewidth 2 -draw "roundrectangle 1,1 $((w - 2)),$((h - 2)) 12,12" \
    -stroke none -fill "$pale" -draw "rectangle 10,30 $((w - 11)),31"
}
skin 360 234 dialog-skin.bmp   # 202: Partition Type and Drive Information

# The About box's picture, 96 x 96.
bmp_out about.bmp -size 96x96 xc:white \
  -fill "$navy" -draw 'roundrectangle 6,6 89,89 14,14' \
  -fill "$pale" -draw 'circle 48,44 48,14' -fill "$navy" -draw 'circle 48,44 48,36' \
  -fill "$orange" -draw 'circle 48,44 48,41' \
  -fill "$orange" -draw 'polygon 48,58 66,76 56,76 56,86 40,86 40,76 30,76'

# Check boxes of the trees (200): blank, unchecked, checked, partly checked; white is transparent.
box() {
  local out=$1
  shift
  convert -size 16x16 xc:white -fill white -stroke "$navy" -strokewidth 1 -draw 'rectangle 2,2 13,13' \
    -stroke none "$@" "$tmp/$out.png"
}
convert -size 16x16 xc:white "$tmp/blank.png"
box unchecked
box checked -stroke "$blue" -strokewidth 2 -fill none -draw 'polyline 4,8 7,11 12,4'
box partial -fill "$blue" -draw 'rectangle 5,5 10,10'
bmp_out tree-checks.bmp "$tmp/blank.png" "$tmp/unchecked.png" "$tmp/checked.png" "$tmp/partial.png" +append

# 16-pixel icons of the device tree: 148 folder, 151 network drive, 152 CD drive, 153 removable
# drive, 154 floppy drive, 155 hard disk, 179 computer.
icon16() {
  local out=$1
  shift
  convert -size 64x64 xc:none "$@" -resize 16x16 "$tmp/$out.png"
  convert "$tmp/$out.png" -colors 255 "$out"
}
icon16 tree-folder.ico -fill '#F2C94C' -stroke '#A67C00' -strokewidth 3 \
  -draw 'polygon 4,14 24,14 30,20 60,20 60,56 4,56'
icon16 tree-network.ico -fill '#B8C4D6' -stroke "$navy" -strokewidth 3 -draw 'roundrectangle 4,14 60,40 6,6' \
  -draw 'line 32,40 32,54' -draw 'line 12,54 52,54' -fill '#55CC55' -stroke none -draw 'circle 50,27 50,23'
icon16 tree-cd.ico -fill '#E6E6F0' -stroke "$navy" -strokewidth 3 -draw 'circle 32,32 32,4' \
  -fill "$pale" -draw 'circle 32,32 32,20' -fill white -draw 'circle 32,32 32,27'
icon16 tree-removable.ico -fill "$pale" -stroke "$navy" -strokewidth 3 -draw 'roundrectangle 12,4 52,60 6,6' \
  -fill "$orange" -stroke none -draw 'rectangle 22,44 42,52'
icon16 tree-floppy.ico -fill "$navy" -stroke "$navy" -draw 'rectangle 6,6 58,58' \
  -fill white -stroke none -draw 'rectangle 16,8 48,26' -fill "$pale" -draw 'rectangle 14,36 50,58'
icon16 tree-disk.ico -fill '#C0C4CC' -stroke '#4A4F57' -strokewidth 3 -draw 'roundrectangle 4,18 60,48 6,6' \
  -fill '#55CC55' -stroke none -draw 'circle 50,33 50,29' -fill '#4A4F57' -draw 'rectangle 10,30 36,36'
icon16 tree-computer.ico -fill "$pale" -stroke "$navy" -strokewidth 3 -draw 'roundrectangle 4,6 60,44 4,4' \
  -fill "$blue" -stroke none -draw 'rectangle 10,12 54,38' -fill "$navy" -draw 'rectangle 24,46 40,52' \
  -draw 'rectangle 14,52 50,58'

# The "Standard" toolbar: 32-pixel icons and the strip of them in the toolbar's order.
icon32() {
  local out=$1
  shift
  convert -size 128x128 xc:none "$@" "$tmp/big.png"
  convert "$tmp/big.png" -resize 32x32 "$tmp/${out%.ico}.png"
  convert "$tmp/big.png" -resize 16x16 "$tmp/${out%.ico}-16.png"
  convert "$tmp/${out%.ico}.png" "$tmp/${out%.ico}-16.png" "$out"
}
icon32 tool-open.ico -fill '#F2C94C' -stroke '#A67C00' -strokewidth 6 \
  -draw 'polygon 8,30 48,30 58,42 118,42 118,112 8,112' -fill "$pale" -stroke "$navy" -strokewidth 4 \
  -draw 'roundrectangle 40,58 104,100 10,10'
icon32 tool-recover.ico -fill "$pale" -stroke "$navy" -strokewidth 6 -draw 'roundrectangle 10,62 118,116 10,10' \
  -fill "$orange" -stroke none -draw 'polygon 64,6 96,40 76,40 76,78 52,78 52,40 32,40'
icon32 tool-save-snapshot.ico -fill "$navy" -stroke "$navy" -draw 'roundrectangle 10,10 118,118 10,10' \
  -fill white -stroke none -draw 'rectangle 30,14 98,52' -fill "$pale" -draw 'rectangle 26,72 102,114' \
  -fill "$orange" -draw 'rectangle 80,20 92,46'
icon32 tool-load-snapshot.ico -fill "$pale" -stroke "$navy" -strokewidth 6 -draw 'roundrectangle 10,26 118,118 10,10' \
  -fill "$blue" -stroke none -draw 'polygon 64,4 94,34 76,34 76,70 52,70 52,34 34,34'
icon32 tool-find.ico -fill none -stroke "$navy" -strokewidth 12 -draw 'circle 52,52 52,16' \
  -stroke "$orange" -strokewidth 16 -draw 'line 78,78 114,114'
icon32 tool-settings.ico -fill "$navy" -stroke none -draw 'circle 64,64 64,14' \
  -fill white -draw 'circle 64,64 64,42' -stroke "$navy" -strokewidth 18 \
  -draw 'line 64,4 64,124' -draw 'line 4,64 124,64' -draw 'line 22,22 106,106' -draw 'line 22,106 106,22' \
  -stroke none -fill "$pale" -draw 'circle 64,64 64,40' -fill "$navy" -draw 'circle 64,64 64,54'
icon32 tool-help.ico -fill "$blue" -stroke "$navy" -strokewidth 6 -draw 'circle 64,64 64,6' \
  -fill white -stroke none -font $bold -pointsize 88 -gravity center -annotate +0+4 '?'
strip=()
for name in open recover save-snapshot load-snapshot find settings help; do
  convert "$tmp/tool-$name.png" -background white -flatten "$tmp/strip-$name.png"
  strip+=("$tmp/strip-$name.png")
done
bmp_out toolbar.bmp "${strip[@]}" +append

# Pointers of the trees: over an item (250, an arrow with a dot) and the result tree's busy pointer
# (249, an arrow with a small disk).
arrow_pointer() {  # arrow_pointer FILE COLOUR: an arrow with a round mark of that colour
  local out=$1 colour=$2
  convert -size 32x32 xc:none -fill white -stroke black -strokewidth 1 \
    -draw 'polygon 1,1 1,22 6,17 10,26 13,25 9,16 16,16' -stroke none -fill "$colour" \
    -draw 'circle 21,23 21,18' "$tmp/arrow.png"
  convert "$tmp/arrow.png" "$tmp/arrow.ico"
  cp "$tmp/arrow.ico" "$out"
  # An icon file becomes a cursor file: type 2, and the hot spot (1, 1) where planes and depth were.
  printf '\x02\x00' | dd of="$out" bs=1 seek=2 conv=notrunc status=none
  printf '\x01\x00\x01\x00' | dd of="$out" bs=1 seek=10 conv=notrunc status=none
}
arrow_pointer tree-item.cur "$blue"
arrow_pointer tree-busy.cur "$orange"
