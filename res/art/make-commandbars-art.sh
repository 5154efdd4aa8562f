#!/usr/bin/env bash
# Draws the command bars' pictures with ImageMagick into res/art/commandbars: the strip of the four
# system-command icons of the menu bar (restore, minimize, maximize, close; 16 x 16 each, magenta
# ground masked). Run it again after changing a drawing; the result is committed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/commandbars"

ink='#202020'
convert -size 64x16 xc:'#FF00FF' +antialias -fill none -stroke "$ink" -strokewidth 1 \
  -draw 'rectangle 5,3 12,9' -draw 'line 5,4 12,4' -fill '#FF00FF' -draw 'rectangle 2,6 9,12' -draw 'line 2,7 9,7' \
  -fill "$ink" -stroke none -draw 'rectangle 20,11 26,12' \
  -fill none -stroke "$ink" -draw 'rectangle 35,3 45,12' -draw 'line 35,4 45,4' \
  -strokewidth 2 -draw 'line 52,4 59,11' -draw 'line 59,4 52,11' \
  -alpha off -type TrueColor BMP3:system-commands.bmp
