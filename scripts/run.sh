#!/usr/bin/env bash
# Sets everything up, builds the Windows configuration and starts Morvick under Wine (inside Xvfb
# when there is no display). The one optional argument is passed to the program: a recovery
# snapshot file to load.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --parallel "$(nproc)" --target Morvick
exe="$ROOT/build/windows/app/Morvick.exe"
args=()
if [ $# -gt 0 ]; then
  # A Linux path is handed to the program as the Windows path Wine maps it to.
  source scripts/wine-env.sh
  args+=("$(winepath -w "$1" 2>/dev/null || echo "$1")")
fi
exec scripts/wine-exec.sh "$exe" "${args[@]}"
