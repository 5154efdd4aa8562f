#!/usr/bin/env bash
# Runs one Windows program under Wine in the project's prefix. ctest uses this as the emulator of the
# cross build. Without a display it starts a private Xvfb for this one program.
#
# The program's output goes through a file: Wine's own long-lived processes (the server, the device
# and desktop processes) inherit the descriptors of whichever program started them, and a caller
# that waits for the end of a pipe would then wait for them too.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
#
# A Windows program that crashes ends through Wine's own handler with its exception code's low byte
# as its exit code (a division by zero 148, a stack overflow 253): that is the program's end and the
# test's, never run again. Only Wine's loader process itself killed by a signal (a Unix segmentation
# fault as a test program that had passed every test was ending, once in many runs) is Wine's, not
# the program's: the program is run once more then. A shell sees both as an exit code above 128, so
# the loader is waited for by perl, which tells a signal from an exit code, and notes the signal in a
# file. Every second run is written to MORVICK_WINE_RERUN_LOG (by default build/logs/wine-reruns.log,
# which scripts/test.sh names in its summary), so that a program that crashes only sometimes is seen.
out=$(mktemp)
signal_file=$(mktemp)
trap 'rm -f "$out" "$signal_file"' EXIT
rerun_log="${MORVICK_WINE_RERUN_LOG:-$MORVICK_ROOT/build/logs/wine-reruns.log}"
# Waits for a command as a shell would, but a signal that ended it is written to $MORVICK_SIGNAL_FILE.
waiter='system { $ARGV[0] } @ARGV;
        exit 127 if $? == -1;
        if ($? & 127) { open(my $f, ">", $ENV{MORVICK_SIGNAL_FILE}); print $f ($? & 127); close $f; exit 128 + ($? & 127) }
        exit($? >> 8)'
export MORVICK_SIGNAL_FILE="$signal_file"
run() {
  : >"$signal_file"
  if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1280x1024x24" perl -e "$waiter" wine "$@" </dev/null >"$out" 2>&1
  else
    perl -e "$waiter" wine "$@" </dev/null >"$out" 2>&1
  fi
}
run "$@"
rc=$?
signal=$(cat "$signal_file")
if [ -n "$signal" ]; then
  cat "$out"
  echo "wine-exec.sh: Wine's loader was killed by signal $signal; the program is run once more"
  mkdir -p "$(dirname "$rerun_log")"
  {
    echo "=== $(date -u '+%Y-%m-%d %H:%M:%S') run again: $* (Wine's loader killed by signal $signal)"
    echo "--- the first run's last lines:"
    tail -n 40 "$out"
  } >>"$rerun_log"
  run "$@"
  rc=$?
  echo "--- the second run's exit code: $rc" >>"$rerun_log"
fi
cat "$out"
exit $rc
