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
# Windows test programs share one X display, its focus and its mouse: run them one at a time.
WINE_JOBS="${MORVICK_WINE_JOBS:-1}"
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
  source scripts/wine-env.sh
  # A server of this prefix left by an interrupted run talks to an X display that is gone: stop it.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  # One server and one set of Wine's own processes for the whole run, started before ctest so
  # that every test program start reuses them.
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    wineserver -p
    wine cmd /c exit </dev/null >/dev/null 2>&1
    ctest --preset windows --parallel "$0" --timeout 900' "$WINE_JOBS"
  local rc=$?
  wineserver -k 2>/dev/null || true
  return $rc
}

fuzzers() {
  local dir=build/fuzz/fuzz rc=0 f name corpus
  [ -d "$dir" ] || { echo "no fuzzers"; return 0; }
  for f in $(find "$dir" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x | sort); do
    name=$(basename "$f")
    corpus="build/fuzz/corpus/$name"
    mkdir -p "$corpus"
    [ -d "fuzz/seeds/$name" ] && cp -n fuzz/seeds/"$name"/* "$corpus"/ 2>/dev/null
    [ -d "build/native/fuzz-seeds/$name" ] && cp -n build/native/fuzz-seeds/"$name"/* "$corpus"/ 2>/dev/null
    echo "--- $name (${FUZZ_SECONDS}s)"
    if ! "$f" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
        "$corpus" >"build/fuzz/$name.log" 2>&1; then
      tail -n 40 "build/fuzz/$name.log"
      rc=1
    fi
  done
  return $rc
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
