#!/usr/bin/env bash
# Runs one Windows program under Wine in the project's prefix. ctest uses this as the emulator of the
# cross build. Without a display it starts a private Xvfb for this one program.
#
# The program's output goes through a file: Wine's own long-lived processes (the server, the device
# and desktop processes) inherit the descriptors of whichever program started them, and a caller
# that waits for the end of a pipe would then wait for them too.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" wine "$@" </dev/null >"$out" 2>&1
else
  wine "$@" </dev/null >"$out" 2>&1
fi
rc=$?
cat "$out"
exit $rc
