# Sourced by the scripts. File names outside ASCII go between Windows programs, the fixture tools
# and the disk through the locale's character set: without a UTF-8 locale (a bare environment has
# none) they cannot be made.
case "${LC_ALL:-${LC_CTYPE:-${LANG:-}}}" in
  *[Uu][Tt][Ff]-8* | *[Uu][Tt][Ff]8*) ;;
  *) export LC_ALL=C.UTF-8 ;;
esac
