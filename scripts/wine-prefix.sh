#!/usr/bin/env bash
# Creates the project's Wine prefix for the Windows programs this machine runs (scripts/wine-env.sh):
# build/wineprefix for 32-bit programs, build/wineprefix64 for 64-bit ones, with Wine's fonts copied
# in (Tahoma, Marlett and the rest are not found through fontconfig alone). Safe to run again: it only
# does what is missing. A failure names its cause and shows the last lines Wine wrote
# (build/logs/wine-prefix.log).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
log="$MORVICK_ROOT/build/logs/wine-prefix.log"
mkdir -p "$(dirname "$log")"

# fail WHAT: says what failed, with the last lines of the log, and why 32-bit Wine cannot run here.
fail() {
  echo "setup: $1; the last lines of build/logs/wine-prefix.log:" >&2
  tail -n 15 "$log" | sed 's/^/  | /' >&2
  if [ "$MORVICK_WINDOWS_BITS" = 32 ]; then
    source "$MORVICK_ROOT/scripts/windows-bits.sh"
    MORVICK_WINDOWS_BITS=32 windows_bits_choose
    [ "$IA32_RUNS" = yes ] || echo "setup: 32-bit Wine cannot run: $IA32_LINE" >&2
  fi
  exit 1
}

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "setup: creating the $MORVICK_WINDOWS_BITS-bit Wine prefix $WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  status=0
  # Wine's errors go to the log (not its notes on what it leaves unimplemented): they are the reason
  # when no prefix comes out.
  WINEDEBUG=fixme-all wineboot -i >"$log" 2>&1 || status=$?
  wineserver -w >>"$log" 2>&1 || true
  [ -f "$WINEPREFIX/system.reg" ] || fail "the Wine prefix could not be created (wineboot -i ended with status $status)"
fi
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ -d "$fonts" ] && [ ! -f "$fonts/tahoma.ttf" ]; then
  cp /usr/share/wine/fonts/*.ttf "$fonts/"
fi
# Windows are left to a window manager as usual (there is none under Xvfb: the galleries draw the
# frames themselves). An earlier set-up made Wine draw them, which changes how dialogs are activated.
if grep -q '"Decorated"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  { wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f &&
      wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Decorated /f && wineserver -w; } >"$log" 2>&1 ||
    fail "the Wine prefix's window settings could not be put back"
fi
