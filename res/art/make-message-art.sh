#!/usr/bin/env bash
# Draws the art of the two message dialogs with ImageMagick:
#   message-error.ico, message-information.ico, message-question.ico (16 and 32 pixels): a round
#   badge with a cross, an "i" or a question mark;
#   message-background.bmp (24 bits): the dialog's rounded panel on the key colour green 0x00FF00,
#   which the dialog cuts away as its window region. Its size is the pixel size of dialog 204.
# Run it again after changing the drawing; the files are committed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# badge <name> <fill> <ring> <glyph drawing...>
badge() {
  local name=$1 fill=$2 ring=$3
  shift 3
  convert -size 256x256 xc:none \
    -fill "$ring" -draw 'circle 128,128 128,8' \
    -fill "$fill" -draw 'circle 128,128 128,24' \
    "$@" "$tmp/$name-big.png"
  for s in 16 32; do
    convert "$tmp/$name-big.png" -resize ${s}x${s} "$tmp/$name-$s.png"
  done
  convert "$tmp/$name-16.png" "$tmp/$name-32.png" "message-$name.ico"
}

badge error '#C8322D' '#7E1512' \
  -stroke white -strokewidth 34 -draw 'line 80,80 176,176' -draw 'line 176,80 80,176'
badge information '#2F6DB5' '#173E6E' \
  -fill white -draw 'circle 128,70 128,50' -draw 'roundrectangle 110,104 146,204 10,10'
badge question '#2E8B57' '#17502F' \
  -fill none -stroke white -strokewidth 30 -draw "path 'M 88,66 A 44,44 0 1 1 128,136 L 128,160'" -stroke none -fill white -draw 'circle 128,196 128,178'

# The panel: a rounded rectangle with a soft vertical shade and a thin frame, green outside.
width=354
height=150
convert +antialias -size ${width}x${height} xc:"#00FF00" \
  \( -size ${width}x${height} gradient:'#FFFFFF-#DCE6F2' \) \
  \( -size ${width}x${height} xc:black -fill white \
     -draw "roundrectangle 0,0 $((width - 1)),$((height - 1)) 14,14" \) \
  -composite \
  -fill none -stroke '#1D75BD' -strokewidth 2 \
  -draw "roundrectangle 1,1 $((width - 2)),$((height - 2)) 13,13" \
  +antialias -type TrueColor BMP3:message-background.bmp
