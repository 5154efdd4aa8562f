#!/usr/bin/env bash
# Draws the task panel's expand buttons with ImageMagick into res/art/taskpanel: a round button for
# normal groups and one for special groups, 19 x 19, on a magenta key colour. The panel recolours
# every pixel but the key to the hue of the caption text and draws the chevrons in that text colour,
# so the drawing is in greys: light for the dark text of normal groups, mid-grey for the light text
# of special groups. Run it again after changing a drawing; the results are committed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/taskpanel"

# button: output file, fill colour, shade colour, rim colour.
button() {
  convert -size 19x19 xc:'#FF00FF' +antialias \
    -fill "$2" -stroke "$4" -strokewidth 1 -draw 'circle 9,9 9,1' \
    -stroke none -fill "$3" -draw 'path "M 4,12 Q 9,17 14,12 Q 9,15 4,12 Z"' \
    -alpha off -type TrueColor "BMP3:$1"
}
button expand-normal.bmp '#F7F7F7' '#D8D8D8' '#9C9C9C'
button expand-special.bmp '#8C8C8C' '#767676' '#D8D8D8'
