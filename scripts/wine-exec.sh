#!/usr/bin/env bash
# Runs one Windows program under Wine in the project's prefix. ctest uses this as the emulator of the
# cross build. Without a display it starts a private Xvfb for this one program.
#
# The program's output goes through a file: Wine's own long-lived processes (the server, the device
# and desktop processes) inherit the descriptors of whichever program started them, and a caller
# that waits for the end of a pipe would then wait for them too.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
#
# A Windows program that crashes ends with its exception's code through Wine's own handler. The
# loader process itself killed by a signal (a Unix segmentation fault as a test program that had
# passed every test was ending, once in many runs) is Wine's, not the program's: the program is run
# once more then, and that run's end is the test's.
out=$(mktemp)
trap 'rm -f "$out"' EXIT
run() {
  if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1280x1024x24" wine "$@" </dev/null >"$out" 2>&1
  else
    wine "$@" </dev/null >"$out" 2>&1
  fi
}
run "$@"
rc=$?
if [ $rc -gt 128 ]; then
  cat "$out"
  echo "wine-exec.sh: Wine's loader ended by signal $((rc - 128)); the program is run once more"
  run "$@"
  rc=$?
fi
cat "$out"
exit $rc
