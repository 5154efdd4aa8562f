#!/usr/bin/env bash
# Sets everything up, builds the Windows configuration and starts Morvick under Wine (inside Xvfb
# when there is no display). The one optional argument is passed to the program: a recovery
# snapshot file to load. Where this machine runs no 32-bit program (or MORVICK_WINDOWS_BITS=64 asks
# for it), the 64-bit build of the same program (build/windows64) is started under 64-bit Wine, and
# the first line says so.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
source scripts/windows-bits.sh
windows_bits_choose
preset=windows
if [ "$MORVICK_WINDOWS_BITS" = 64 ]; then
  preset=windows64
  echo "run.sh: starting the 64-bit build of Morvick.exe under 64-bit Wine: $WINDOWS_BITS_WHY"
fi
scripts/setup.sh
cmake --preset $preset >/dev/null
cmake --build --preset $preset --parallel "$(nproc)" --target Morvick
exe="$ROOT/build/$preset/app/Morvick.exe"
args=()
if [ $# -gt 0 ]; then
  # A Linux path is handed to the program as the Windows path Wine maps it to.
  source scripts/wine-env.sh
  args+=("$(winepath -w "$1" 2>/dev/null || echo "$1")")
fi
exec scripts/wine-exec.sh "$exe" "${args[@]}"
