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

# The archive list's header icons, 48 x 48 with transparency (shown at 16 x 16): a page, a folder,
# stacked bars, three clocks (an eye, a star and a pen beside them) and a lock.
icon() {  # icon OUT DRAW-ARGS...
  local out=$1
  shift
  convert -size 48x48 xc:none -stroke "$navy" -strokewidth 3 "$@" \( +clone -resize 16x16 \) "$out"
}
page_face=(-fill "$pale" -draw 'polygon 10,4 30,4 40,14 40,44 10,44' -fill white -draw 'polygon 30,4 30,14 40,14')
clock_face=(-fill white -draw 'circle 22,26 22,8' -draw 'line 22,26 22,14' -draw 'line 22,26 31,26')
icon archive-name.ico "${page_face[@]}" -draw 'line 16,24 34,24' -draw 'line 16,32 34,32'
icon archive-folder.ico -fill '#F3C74F' -draw 'polygon 4,12 18,12 22,16 44,16 44,42 4,42'
icon archive-size.ico -fill "$blue" -draw 'rectangle 6,30 14,44' -draw 'rectangle 20,18 28,44' \
  -draw 'rectangle 34,6 42,44'
icon archive-accessed.ico "${clock_face[@]}" -fill "$blue" -draw 'ellipse 38,40 8,5 0,360'
icon archive-created.ico "${clock_face[@]}" -fill '#F3C74F' -draw 'polygon 38,32 41,39 47,39 42,43 44,47 38,44 32,47 34,43 29,39 35,39'
icon archive-modified.ico "${clock_face[@]}" -fill '#E02010' -draw 'polygon 32,46 46,32 44,30 30,44'
icon archive-attributes.ico -fill '#F3C74F' -draw 'rectangle 10,22 38,44' -fill none \
  -draw 'arc 14,6 34,34 180,360'

# The database tree's pictures: twelve 16 x 16 images in a row on magenta (the mask colour):
# 0 the database, 2 a table, 3 the tables, 8 a relation, 9 the relations, 10 a query, 11 the queries.
convert -size 192x16 xc:magenta +antialias -stroke "$navy" -strokewidth 1 \
  -fill '#C9D6EA' -draw 'rectangle 2,3 13,13' -draw 'ellipse 7,3 6,2 0,360' -draw 'ellipse 7,13 6,2 0,180' \
  -fill white -draw 'rectangle 33,2 46,13' -draw 'line 33,6 46,6' -draw 'line 33,9 46,9' -draw 'line 39,2 39,13' \
  -fill '#F3C74F' -draw 'polygon 49,4 54,4 56,6 62,6 62,13 49,13' \
  -fill none -draw 'ellipse 132,8 4,3 0,360' -draw 'ellipse 139,8 4,3 0,360' \
  -fill '#F3C74F' -draw 'polygon 145,4 150,4 152,6 158,6 158,13 145,13' \
  -fill white -draw 'circle 166,7 166,2' -draw 'line 169,10 173,14' \
  -fill '#F3C74F' -draw 'polygon 177,4 182,4 184,6 190,6 190,13 177,13' \
  -alpha off -type TrueColor BMP3:access-tree.bmp
