#!/usr/bin/env bash
# One lane of the Windows tests (scripts/test.sh starts it inside its own xvfb-run):
#   wine-lane.sh PRESET LANE QUEUE LOG
# With the lane's own Wine prefix (a copy of the configuration's: build/wineprefix-laneN for windows,
# build/wineprefix64-laneN for windows64) and server, it takes test names from the QUEUE file (shared
# by the lanes, guarded by QUEUE.lock) and runs each through ctest until the queue is empty. Each
# test's time is added to build/PRESET/wine-test-times.txt, which orders the next run's queue.
set -u
cd "$(dirname "${BASH_SOURCE[0]}")/.."
preset=$1 lane=$2 queue=$3 log=$4 rc=0
case $preset in
  windows64) export MORVICK_WINDOWS_BITS=64 MORVICK_WINEPREFIX="$PWD/build/wineprefix64-lane$lane" ;;
  *) export MORVICK_WINDOWS_BITS=32 MORVICK_WINEPREFIX="$PWD/build/wineprefix-lane$lane" ;;
esac
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
  # Each program's whole output is kept (build/PRESET/wine-output/NAME.xml): the summary counts the
  # tests that it skipped and says why.
  if ! ctest --preset "$preset" -R "^${name}\$" --timeout 900 --output-junit "$PWD/build/$preset/wine-output/$name.xml" >>"$log" 2>&1; then
    rc=1
  fi
  flock "$queue.lock" bash -c 'echo "$1 $2" >>"$0"' "build/$preset/wine-test-times.txt" "$name" $((SECONDS - t0))
done
wineserver -k 2>/dev/null || true
exit $rc
