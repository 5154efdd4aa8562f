# Sourced by the scripts: the project's private Wine prefix and quiet, dialog-free Wine settings.
# File names outside ASCII go between Windows programs, the fixture tools and the disk through the
# locale's character set: without a UTF-8 locale (a bare environment has none) they cannot be made.
case "${LC_ALL:-${LC_CTYPE:-${LANG:-}}}" in
  *[Uu][Tt][Ff]-8* | *[Uu][Tt][Ff]8*) ;;
  *) export LC_ALL=C.UTF-8 ;;
esac
MORVICK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${MORVICK_WINEPREFIX:-$MORVICK_ROOT/build/wineprefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
