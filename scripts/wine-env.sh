# Sourced by the scripts: the project's private Wine prefix and quiet, dialog-free Wine settings, for
# the Windows programs of MORVICK_WINDOWS_BITS: 32 (build/wineprefix) or 64 (build/wineprefix64);
# where it is unset, those this machine runs (scripts/windows-bits.sh). For 64-bit programs "wine",
# "wineboot" and "winepath" go straight to Wine's 64-bit loader (scripts/wine64): Debian's commands
# start its 32-bit loader whenever that is installed, which a machine without 32-bit programs refuses.
source "$(dirname "${BASH_SOURCE[0]}")/utf8-locale.sh"
MORVICK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ -z "${MORVICK_WINDOWS_BITS:-}" ]; then
  source "$MORVICK_ROOT/scripts/windows-bits.sh"
  windows_bits_choose
fi
case $MORVICK_WINDOWS_BITS in
  32)
    export WINEARCH=win32
    export WINEPREFIX="${MORVICK_WINEPREFIX:-$MORVICK_ROOT/build/wineprefix}" ;;
  64)
    export WINEARCH=win64
    export WINEPREFIX="${MORVICK_WINEPREFIX:-$MORVICK_ROOT/build/wineprefix64}"
    case ":$PATH:" in
      *":$MORVICK_ROOT/scripts/wine64:"*) ;;
      *) export PATH="$MORVICK_ROOT/scripts/wine64:$PATH" ;;
    esac ;;
  *)
    echo "MORVICK_WINDOWS_BITS must be 32 or 64, not '$MORVICK_WINDOWS_BITS'" >&2
    return 1 ;;
esac
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
