#!/usr/bin/env bash
# Draws the art of the results page and its dialogs with ImageMagick into res/art/results: the
# result list's check boxes and parent mark, and the skins of the saving, Find, File Types,
# Settings, Filters and Properties dialogs (the list's header icons are the preview's). Run it
# again after changing a drawing; the results are committed. Bitmaps are 24-bit BMP files.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/art-common.sh"
cd "$(dirname "${BASH_SOURCE[0]}")"
mkdir -p results
cd results
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

blue='#1D75BD'     # the caption colour of the pages (0xBD751D)
orange='#F29A1F'
navy='#1F3A68'
pale='#C9D6EA'
key='#00FF00'      # the key colour of the skinned dialogs: cut away from their windows
bold=DejaVu-Sans-Bold

# The result list's state images (201): unchecked, checked and the parent row's mark (an arrow up),
# for the state indexes 1, 2 and 3 (a list counts its state images from 1); white is transparent.
box() {
  local out=$1
  shift
  convert -size 16x16 xc:white -fill white -stroke "$navy" -strokewidth 1 -draw 'rectangle 2,2 13,13' \
    -stroke none "$@" "$tmp/$out.png"
}
box unchecked
box checked -stroke "$blue" -strokewidth 2 -fill none -draw 'polyline 4,8 7,11 12,4'
convert -size 16x16 xc:white -fill "$orange" -draw 'polygon 8,2 14,9 10,9 10,14 6,14 6,9 2,9' "$tmp/parent.png"
bmp_out list-checks.bmp "$tmp/unchecked.png" "$tmp/checked.png" "$tmp/parent.png" +append

# A skinned dialog's background: a rounded white panel framed in blue on the key colour, with a
# line below the title (drawn by the dialog itself when the skin is shared). skin WIDTH HEIGHT FILE [TITLE]
skin() {
  local w=$1 h=$2 out=$3 title=${4:-}
  bmp_out "$out" -size ${w}x$h xc:"$key" \
    -fill white -stroke "$blue" -strokewidth 2 -draw "roundrectangle 1,1 $((w - 2)),$((h - 2)) 12,12" \
    -stroke none -fill "$pale" -draw "rectangle 10,30 $((w - 11)),31" \
    -fill "$orange" -draw "rectangle 10,32 60,33" \
    -font $bold -pointsize 13 -fill "$navy" -annotate +14+21 "$title"
}
# Sizes in pixels of the templates (a dialog unit is 1.5 pixels wide and 1.625 high here).
skin 450 228 saving-skin.bmp 'Saving the data please wait...'   # 216: dialog 215, 300 x 140
skin 600 390 find-skin.bmp 'Find File(s)'                       # 203: dialog 195, 400 x 240
skin 420 416 types-skin.bmp ''                                  # 208: dialogs 237 and 206, 280 x 256
skin 360 260 filters-skin.bmp 'File Filters'                    # 210: dialog 209, 240 x 160
skin 390 260 properties-skin.bmp 'File/Folder Properties'       # 213: dialog 212, 260 x 160
