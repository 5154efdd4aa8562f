#!/usr/bin/env bash
# One lane of the Windows tests (scripts/test.sh starts it inside its own xvfb-run):
#   wine-lane.sh LANE QUEUE LOG
# With the lane's own Wine prefix and server, it takes test names from the QUEUE file (shared by the
# lanes, guarded by QUEUE.lock) and runs each through ctest until the queue is empty. Each test's time
# is added to build/windows/wine-test-times.txt, which orders the next run's queue.
set -u
cd "$(dirname "${BASH_SOURCE[0]}")/.."
lane=$1 queue=$2 log=$3 rc=0
export MORVICK_WINEPREFIX="$PWD/build/wineprefix-lane$lane"
source scripts/wine-env.sh
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
# One server and one set of Wine's own processes for the lane, started before the first program.
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1
while :; do
  name=$(flock "$queue.lock" bash -c 'head -n 1 "$0" && sed -i 1d "$0"' "$queue")
  [ -n "$name" ] || break
  t0=$SECONDS
  if ! ctest --preset windows -R "^${name}\$" --timeout 900 >>"$log" 2>&1; then
    rc=1
  fi
  flock "$queue.lock" bash -c 'echo "$1 $2" >>"$0"' build/windows/wine-test-times.txt "$name" $((SECONDS - t0))
done
wineserver -k 2>/dev/null || true
exit $rc
