#!/usr/bin/env bash
# Sets everything up, builds every configuration and runs every test: native, native under the
# sanitizers, Windows under Wine, and each fuzzer for a bounded time. Exits non-zero on any failure.
#   MORVICK_FUZZ_SECONDS  seconds per fuzzer (default 20)
#   MORVICK_STAGES        the stages to run (default: "native asan windows fuzz")
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
JOBS="${MORVICK_JOBS:-$(nproc)}"
STAGES="${MORVICK_STAGES:-native asan windows fuzz}"
FUZZ_SECONDS="${MORVICK_FUZZ_SECONDS:-20}"
# Windows test programs run in lanes: each lane has its own X display (so programs that move the
# mouse or take the focus never meet) and its own Wine prefix and server, and runs one program at a
# time, taking the next from a shared queue (longest first, by the last run's times).
WINE_LANES="${MORVICK_WINE_LANES:-$(( JOBS < 2 ? 2 : (JOBS > 6 ? 6 : JOBS) ))}"
failed=()
summary=()

stage() {  # stage NAME COMMAND...
  local name=$1; shift
  local t0=$SECONDS
  echo "=== $name"
  if "$@"; then
    summary+=("$(printf '%-14s %5ds  ok' "$name" $((SECONDS - t0)))")
  else
    summary+=("$(printf '%-14s %5ds  FAILED' "$name" $((SECONDS - t0)))")
    failed+=("$name")
  fi
}

build() {  # build PRESET
  cmake --preset "$1" >/dev/null && cmake --build --preset "$1" --parallel "$JOBS"
}

run_ctest() {  # run_ctest PRESET
  ctest --preset "$1" --parallel "$JOBS" --timeout 900
}

windows_tests() {
  local dir=build/windows queue lanes=() k rc=0 times=build/windows/wine-test-times.txt
  queue=$(mktemp)
  # Every lane's prefix is a copy of the one the set-up made (a copy is much quicker than a new one).
  for k in $(seq 1 "$WINE_LANES"); do
    if [ ! -f "build/wineprefix-lane$k/system.reg" ] || [ build/wineprefix/user.reg -nt "build/wineprefix-lane$k/user.reg" ]; then
      rm -rf "build/wineprefix-lane$k"
      cp -a build/wineprefix "build/wineprefix-lane$k"
    fi
  done
  # The queue: every test of the configuration, the slowest of the last run first (new ones first of all).
  touch "$times"
  ctest --preset windows -N | sed -n 's/^ *Test *#[0-9]*: *//p' | while read -r name; do
    c=$(awk -v n="$name" '$1 == n { t = $2 } END { print t }' "$times")
    echo "${c:-100000} $name"
  done | sort -rn -k1,1 | awk '{ print $2 }' >"$queue"
  echo "$(wc -l <"$queue") test programs in $WINE_LANES lanes"
  for k in $(seq 1 "$WINE_LANES"); do
    # Each lane looks for a free display from its own starting number, so lanes never pick the same.
    : >"$dir/wine-lane$k.log"
    xvfb-run -a -n $((100 + 10 * k)) -s "-screen 0 1280x1024x24" \
      bash scripts/wine-lane.sh "$k" "$queue" "$dir/wine-lane$k.log" &
    lanes+=($!)
  done
  for k in "${lanes[@]}"; do
    wait "$k" || rc=1
  done
  cat "$dir"/wine-lane*.log | grep -E "Test +#|tests passed|Failed|\*\*\*" || true
  if [ $rc -ne 0 ]; then
    echo "--- failures"
    for k in $(seq 1 "$WINE_LANES"); do grep -B2 -A40 -E "\*\*\*Failed|\*\*\*Timeout|\*\*\*Exception" "$dir/wine-lane$k.log" || true; done
  fi
  rm -f "$queue" "$queue.lock"
  return $rc
}

# fuzz_one NAME: one fuzzer for FUZZ_SECONDS over its corpus; prints its log's tail on failure.
fuzz_one() {
  local name=$1 f=build/fuzz/fuzz/$1 corpus=build/fuzz/corpus/$1
  mkdir -p "$corpus"
  [ -d "fuzz/seeds/$name" ] && cp -n fuzz/seeds/"$name"/* "$corpus"/ 2>/dev/null
  [ -d "build/native/fuzz-seeds/$name" ] && cp -n build/native/fuzz-seeds/"$name"/* "$corpus"/ 2>/dev/null
  if "$f" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
      "$corpus" >"build/fuzz/$name.log" 2>&1; then
    echo "--- $name (${FUZZ_SECONDS}s) ok"
  else
    echo "--- $name (${FUZZ_SECONDS}s) FAILED"
    tail -n 40 "build/fuzz/$name.log"
    return 1
  fi
}
export -f fuzz_one
export FUZZ_SECONDS

# Every fuzzer, as many at a time as there are cores.
fuzzers() {
  local dir=build/fuzz/fuzz
  [ -d "$dir" ] || { echo "no fuzzers"; return 0; }
  find "$dir" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x -printf '%f\n' | sort |
    xargs -r -P "$JOBS" -I{} bash -c 'fuzz_one "$0"' {}
}

stage setup scripts/setup.sh || exit 1
for s in $STAGES; do
  case $s in
    native)  stage native-build  build native;      stage native-tests  run_ctest native ;;
    asan)    stage asan-build    build native-asan; stage asan-tests    run_ctest native-asan ;;
    windows) stage windows-build build windows;     stage windows-tests windows_tests ;;
    fuzz)    stage fuzz-build    build fuzz;        stage fuzz-run      fuzzers ;;
  esac
done

echo "=== stage times"
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "all stages passed"
