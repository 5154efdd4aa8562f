#!/usr/bin/env bash
# scripts/wine-exec.sh over a stand-in for Wine that ends each run as it is told: a Windows program
# that crashes (Wine ends it with its exception code's low byte, 148 for a division by zero, 253 for
# a stack overflow) is run once and its code is the result; only a loader killed by a signal is run
# once more, and that second run is written to the rerun log.
set -u
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
# The stand-in: each run takes the next line of $work/plan ("exit N" or "signal NAME") and counts itself.
cat >"$work/bin/wine" <<'STAND_IN'
#!/usr/bin/env bash
ulimit -c 0
n=$(( $(cat "$FAKE_WINE_DIR/runs" 2>/dev/null || echo 0) + 1 ))
echo "$n" >"$FAKE_WINE_DIR/runs"
read -r what value < <(sed -n "${n}p" "$FAKE_WINE_DIR/plan")
echo "run $n of $*"
case $what in
  exit) exit "$value" ;;
  signal) kill -s "$value" $$ ;;
esac
exit 99
STAND_IN
chmod +x "$work/bin/wine"

failures=0
# case NAME EXPECTED-CODE EXPECTED-RUNS EXPECTED-RERUN-ENTRIES PLAN-LINE...
case_() {
  local name=$1 code=$2 runs=$3 entries=$4
  shift 4
  printf '%s\n' "$@" >"$work/plan"
  rm -f "$work/runs" "$work/reruns.log"
  PATH="$work/bin:$PATH" DISPLAY=:none MORVICK_WINDOWS_BITS=32 FAKE_WINE_DIR="$work" MORVICK_WINE_RERUN_LOG="$work/reruns.log" \
    bash "$ROOT/scripts/wine-exec.sh" test.exe --flag >"$work/out" 2>&1
  local got=$? got_runs got_entries
  got_runs=$(cat "$work/runs" 2>/dev/null || echo 0)
  got_entries=$(grep -c '^=== ' "$work/reruns.log" 2>/dev/null)
  got_entries=${got_entries:-0}
  if [ "$got" != "$code" ] || [ "$got_runs" != "$runs" ] || [ "$got_entries" != "$entries" ]; then
    echo "FAILED $name: exit $got (want $code), runs $got_runs (want $runs), rerun log entries $got_entries (want $entries)"
    sed 's/^/  | /' "$work/out"
    failures=$((failures + 1))
  else
    echo "ok $name"
  fi
}

case_ "a program that passes" 0 1 0 "exit 0"
case_ "a failed test" 1 1 0 "exit 1"
case_ "a division by zero" 148 1 0 "exit 148" "exit 0"
case_ "a stack overflow" 253 1 0 "exit 253" "exit 0"
case_ "an exit code that reads as a signal's" 139 1 0 "exit 139" "exit 0"
case_ "the loader killed once" 0 2 1 "signal SEGV" "exit 0"
case_ "the loader killed twice" 137 2 1 "signal KILL" "signal KILL" "exit 0"
case_ "the loader killed, then a failed test" 1 2 1 "signal SEGV" "exit 1"

# The log names the program, its arguments and the signal.
printf '%s\n' "signal SEGV" "exit 0" >"$work/plan"
rm -f "$work/runs" "$work/reruns.log"
PATH="$work/bin:$PATH" DISPLAY=:none MORVICK_WINDOWS_BITS=32 FAKE_WINE_DIR="$work" MORVICK_WINE_RERUN_LOG="$work/reruns.log" \
  bash "$ROOT/scripts/wine-exec.sh" test.exe --flag >/dev/null 2>&1
if grep -q "test.exe --flag.*signal 11" "$work/reruns.log" && grep -q "run 1 of test.exe --flag" "$work/reruns.log"; then
  echo "ok the rerun log names the program and the signal"
else
  echo "FAILED the rerun log names the program and the signal:"
  sed 's/^/  | /' "$work/reruns.log"
  failures=$((failures + 1))
fi

[ $failures -eq 0 ] || exit 1
