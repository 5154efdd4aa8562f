# Sourced by the scripts: the project's private Wine prefix and quiet, dialog-free Wine settings.
source "$(dirname "${BASH_SOURCE[0]}")/utf8-locale.sh"
MORVICK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${MORVICK_WINEPREFIX:-$MORVICK_ROOT/build/wineprefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
