#!/usr/bin/env bash
# Draws the pictures and pointers of the docking panes with ImageMagick into res/art/docking:
#   sticker-centre.bmp (43x43)    the classic centre sticker's background;
#   sticker-blue/olive/silver.bmp (120x109) the classic arrows, highlighted arrows and tab glyphs in
#                                 the colours of the three desktop schemes;
#   sticker-round.bmp (161x122)   the rounded set: centre arrows, edge stickers, backgrounds, glyph;
#   split-horz.cur, split-vert.cur the pointers over splitter bars (left-right and up-down).
# Pure green is transparent in the pictures; nothing is pure black, because the stickers take their
# shape from the pixels that are not black. Every part lies inside the rectangle the docking code
# copies it from. Run it again after changing a drawing; the results are committed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/art-common.sh"
cd "$(dirname "${BASH_SOURCE[0]}")"
mkdir -p docking
cd docking
tmp=$(mkdir -p "${TMPDIR:-/tmp}" && mktemp -d)
trap 'rm -rf "$tmp"' EXIT

green='#00FF00'

# The drawing of one picture is gathered in the array `args`.
args=()

# A box with rounded corners inside a part rectangle (left top right bottom, right and bottom
# exclusive), in fill and frame colours.
box() {  # l t r b fill frame
  args+=(-fill "$5" -stroke "$6" -strokewidth 1 -draw "roundrectangle $(($1 + 1)),$(($2 + 1)) $(($3 - 2)),$(($4 - 2)) 3,3")
}

# An arrow pointing to a side inside a part rectangle, with the strip of a docked pane at that side.
arrow() {  # l t r b direction colour pane-colour
  local l=$1 t=$2 r=$3 b=$4 d=$5 c=$6 p=$7
  local cx=$(((l + r - 1) / 2)) cy=$(((t + b - 1) / 2))
  args+=(-stroke none)
  case $d in
    up)
      args+=(-fill "$p" -draw "rectangle $((l + 5)),$((t + 4)) $((r - 6)),$((t + 7))"
             -fill "$c" -draw "polygon $cx,$((t + 10)) $((cx - 7)),$((t + 18)) $((cx + 7)),$((t + 18))"
             -draw "rectangle $((cx - 2)),$((t + 18)) $((cx + 2)),$((b - 5))") ;;
    down)
      args+=(-fill "$p" -draw "rectangle $((l + 5)),$((b - 8)) $((r - 6)),$((b - 5))"
             -fill "$c" -draw "polygon $cx,$((b - 11)) $((cx - 7)),$((b - 19)) $((cx + 7)),$((b - 19))"
             -draw "rectangle $((cx - 2)),$((t + 4)) $((cx + 2)),$((b - 19))") ;;
    left)
      args+=(-fill "$p" -draw "rectangle $((l + 4)),$((t + 5)) $((l + 7)),$((b - 6))"
             -fill "$c" -draw "polygon $((l + 10)),$cy $((l + 18)),$((cy - 7)) $((l + 18)),$((cy + 7))"
             -draw "rectangle $((l + 18)),$((cy - 2)) $((r - 5)),$((cy + 2))") ;;
    right)
      args+=(-fill "$p" -draw "rectangle $((r - 8)),$((t + 5)) $((r - 5)),$((b - 6))"
             -fill "$c" -draw "polygon $((r - 11)),$cy $((r - 19)),$((cy - 7)) $((r - 19)),$((cy + 7))"
             -draw "rectangle $((l + 4)),$((cy - 2)) $((r - 19)),$((cy + 2))") ;;
  esac
}

# A small window with tabs: attaching as a tab.
tabs() {  # l t r b colour pane-colour
  local l=$1 t=$2 r=$3 b=$4 c=$5 p=$6
  args+=(-stroke "$c" -fill "$p" -draw "rectangle $((l + 6)),$((t + 6)) $((r - 7)),$((b - 11))"
         -stroke none -fill "$c" -draw "rectangle $((l + 6)),$((b - 10)) $((l + 13)),$((b - 7))"
         -draw "rectangle $((l + 15)),$((b - 10)) $((l + 22)),$((b - 8))")
}

# One classic picture: the frame colour, the face, the arrow colour, the highlighted face and the
# colour of the docked pane strips.
classic() {  # output frame face arrow hot-face pane
  local out=$1 fr=$2 fa=$3 ar=$4 hot=$5 pa=$6
  args=(-size 120x109 "xc:$green" +antialias)
  box 0 0 43 30 "$fa" "$fr"; arrow 0 0 43 30 up "$ar" "$pa"
  box 30 33 60 76 "$fa" "$fr"; arrow 30 33 60 76 left "$ar" "$pa"
  box 43 0 86 30 "$fa" "$fr"; arrow 43 0 86 30 down "$ar" "$pa"
  box 0 33 30 76 "$fa" "$fr"; arrow 0 33 30 76 right "$ar" "$pa"
  box 0 76 43 106 "$hot" "$fr"; arrow 0 76 43 106 up "$ar" "$pa"
  box 90 33 120 76 "$hot" "$fr"; arrow 90 33 120 76 left "$ar" "$pa"
  box 43 76 86 106 "$hot" "$fr"; arrow 43 76 86 106 down "$ar" "$pa"
  box 60 33 90 76 "$hot" "$fr"; arrow 60 33 90 76 right "$ar" "$pa"
  box 86 0 119 33 "$fa" "$fr"; tabs 86 0 119 33 "$ar" "$pa"
  box 86 76 119 109 "$hot" "$fr"; tabs 86 76 119 109 "$ar" "$pa"
  bmp_out "$out" "${args[@]}"
}

classic sticker-blue.bmp '#3C6EB4' '#F2F6FC' '#2A5CA8' '#FFD98A' '#9DB9E2'
classic sticker-olive.bmp '#66844C' '#F4F7EC' '#4E6B34' '#FFD98A' '#B6CC94'
classic sticker-silver.bmp '#7C7C94' '#F6F6F9' '#5E5E78' '#FFD98A' '#C4C4D4'

# The classic centre: a plate under the four arrows.
bmp_out sticker-centre.bmp -size 43x43 "xc:$green" +antialias \
  -fill '#DCE4EE' -stroke '#6E7C90' -strokewidth 1 -draw 'roundrectangle 1,1 41,41 6,6'

# The rounded set.
rface='#F7F9FC'
rframe='#5A78A8'
rarrow='#2D5FA8'
rhot='#FFE2A0'
rpane='#A8C0E4'
args=(-size 161x122 "xc:$green" +antialias)
# Centre sticker arrows (records 0-3) and their highlighted forms (4-7).
box 61 29 90 59 "$rface" "$rframe"; arrow 61 29 90 59 up "$rarrow" "$rpane"
box 90 30 120 59 "$rface" "$rframe"; arrow 90 30 120 59 left "$rarrow" "$rpane"
box 92 0 120 30 "$rface" "$rframe"; arrow 92 0 120 30 down "$rarrow" "$rpane"
box 62 0 91 29 "$rface" "$rframe"; arrow 62 0 91 29 right "$rarrow" "$rpane"
box 61 90 90 120 "$rhot" "$rframe"; arrow 61 90 90 120 up "$rarrow" "$rpane"
box 90 91 120 120 "$rhot" "$rframe"; arrow 90 91 120 120 left "$rarrow" "$rpane"
box 92 61 120 91 "$rhot" "$rframe"; arrow 92 61 120 91 down "$rarrow" "$rpane"
box 62 61 91 90 "$rhot" "$rframe"; arrow 62 61 91 90 right "$rarrow" "$rpane"
# Centre backgrounds (records 10 and 9) and the tab glyph (8).
args+=(-fill '#E4EAF4' -stroke "$rframe" -draw 'roundrectangle 121,1 159,39 12,12'
       -fill "$rhot" -stroke "$rframe" -draw 'roundrectangle 121,42 159,80 12,12')
tabs 120 82 148 111 "$rarrow" "$rpane"
# Edge stickers (records 11-14) and their highlighted forms (15-18).
box 0 29 29 61 "$rface" "$rframe"; arrow 0 29 29 61 up "$rarrow" "$rpane"
box 29 32 61 61 "$rface" "$rframe"; arrow 29 32 61 61 left "$rarrow" "$rpane"
box 32 0 61 32 "$rface" "$rframe"; arrow 32 0 61 32 down "$rarrow" "$rpane"
box 0 0 32 29 "$rface" "$rframe"; arrow 0 0 32 29 right "$rarrow" "$rpane"
box 0 90 29 122 "$rhot" "$rframe"; arrow 0 90 29 122 up "$rarrow" "$rpane"
box 29 93 61 122 "$rhot" "$rframe"; arrow 29 93 61 122 left "$rarrow" "$rpane"
box 32 61 61 93 "$rhot" "$rframe"; arrow 32 61 61 93 down "$rarrow" "$rpane"
box 0 61 32 90 "$rhot" "$rframe"; arrow 0 61 32 90 right "$rarrow" "$rpane"
bmp_out sticker-round.bmp "${args[@]}"

# Pointers over splitter bars: a double arrow with a bar, hot spot in the middle.
split_pointer() {  # output horizontal|vertical
  local out=$1 dir=$2
  local draw=(-size 32x32 xc:none +antialias -fill white -stroke '#101010' -strokewidth 1)
  if [ "$dir" = horizontal ]; then
    draw+=(-draw 'polygon 2,15 8,9 8,13 13,13 13,17 8,17 8,21' -draw 'polygon 29,15 23,9 23,13 18,13 18,17 23,17 23,21'
           -draw 'rectangle 15,6 16,24')
  else
    draw+=(-draw 'polygon 15,2 9,8 13,8 13,13 17,13 17,8 21,8' -draw 'polygon 15,29 9,23 13,23 13,18 17,18 17,23 21,23'
           -draw 'rectangle 6,15 24,16')
  fi
  convert "${draw[@]}" "$tmp/split.png"
  convert "$tmp/split.png" "$tmp/split.ico"
  cp "$tmp/split.ico" "$out"
  # An icon file becomes a cursor file: type 2, and the hot spot where planes and depth were.
  printf '\x02\x00' | dd of="$out" bs=1 seek=2 conv=notrunc status=none
  printf '\x0f\x00\x0f\x00' | dd of="$out" bs=1 seek=10 conv=notrunc status=none
}
split_pointer split-horz.cur horizontal
split_pointer split-vert.cur vertical
