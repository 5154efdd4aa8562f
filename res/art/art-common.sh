# Shared by the art scripts (sourced, not run): writes a drawing as a 24-bit BMP file, the form the
# resource compiler takes for bitmaps.
#   bmp_out FILE convert-arguments...
bmp_out() {
  local out=$1
  shift
  convert "$@" -alpha off -type TrueColor "BMP3:$out"
}
