#!/usr/bin/env bash
# Sets everything up, builds every configuration and runs every test: native, native under the
# sanitizers, Windows under Wine, and each fuzzer for a fixed number of inputs from a fixed seed
# (fuzz/runs.txt), so that the same commit gives the same result on any machine. Exits non-zero on
# any failure.
#   MORVICK_STAGES        the stages to run (default: "native asan windows fuzz")
#   MORVICK_WINDOWS_BITS  64: the Windows tests as 64-bit programs under 64-bit Wine (the 32-bit
#                         product is only built), as on a machine that runs no 32-bit program
# Only the Windows stages need Wine, its prefix and Xvfb: the others run where those cannot.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
source scripts/utf8-locale.sh
JOBS="${MORVICK_JOBS:-$(nproc)}"
STAGES="${MORVICK_STAGES:-native asan windows fuzz}"
# Windows test programs run in lanes: each lane has its own X display (so programs that move the
# mouse or take the focus never meet) and its own Wine prefix and server, and runs one program at a
# time, taking the next from a shared queue (longest first, by the last run's times).
WINE_LANES="${MORVICK_WINE_LANES:-$(( JOBS < 2 ? 2 : (JOBS > 6 ? 6 : JOBS) ))}"
LOGS="$ROOT/build/logs"
mkdir -p "$LOGS"
rm -f "$LOGS"/*.status "$LOGS"/*.log

# stage NAME COMMAND...: runs a stage in the foreground and records its time and result.
stage() {
  local name=$1; shift
  local t0=$SECONDS
  echo "=== $name"
  if "$@"; then
    echo "$(printf '%-16s %5ds  ok' "$name" $((SECONDS - t0)))" >"$LOGS/$name.status"
  else
    echo "$(printf '%-16s %5ds  FAILED' "$name" $((SECONDS - t0)))" >"$LOGS/$name.status"
  fi
}

# background_stage NAME COMMAND...: the same in the background, its output in build/logs/NAME.log,
# so that a configuration's tests run while the next configuration builds.
background=()
background_stage() {
  local name=$1
  echo "=== $name (in the background, log build/logs/$name.log)"
  stage "$@" >"$LOGS/$name.log" 2>&1 &
  background+=($!)
}

build() {  # build PRESET [TARGET...]
  local preset=$1 targets=()
  shift
  [ $# -eq 0 ] || targets=(--target "$@")
  cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" --parallel "$JOBS" "${targets[@]}"
}

run_ctest() {  # run_ctest PRESET
  ctest --preset "$1" --parallel "$JOBS" --timeout 900
}

# windows_tests PRESET: every test program of a Windows configuration under Wine, in the lanes.
windows_tests() {
  local preset=$1 dir=build/$1 queue lanes=() k rc=0 times=build/$1/wine-test-times.txt prefix=build/wineprefix
  [ "$preset" = windows64 ] && prefix=build/wineprefix64
  queue=$(mktemp)
  rm -rf "$dir/wine-output"
  mkdir -p "$dir/wine-output"
  # Every lane's prefix is a copy of the one the set-up made (a copy is much quicker than a new one).
  for k in $(seq 1 "$WINE_LANES"); do
    if [ ! -f "$prefix-lane$k/system.reg" ] || [ "$prefix/user.reg" -nt "$prefix-lane$k/user.reg" ]; then
      rm -rf "$prefix-lane$k"
      cp -a "$prefix" "$prefix-lane$k"
    fi
  done
  # The queue: every test of the configuration, the slowest of the last run first (new ones first of all).
  touch "$times"
  ctest --preset "$preset" -N | sed -n 's/^ *Test *#[0-9]*: *//p' | while read -r name; do
    c=$(awk -v n="$name" '$1 == n { t = $2 } END { print t }' "$times")
    echo "${c:-100000} $name"
  done | sort -rn -k1,1 | awk '{ print $2 }' >"$queue"
  echo "$(wc -l <"$queue") test programs in $WINE_LANES lanes"
  for k in $(seq 1 "$WINE_LANES"); do
    # Each lane looks for a free display from its own starting number, so lanes never pick the same.
    : >"$dir/wine-lane$k.log"
    xvfb-run -a -n $((100 + 10 * k)) -s "-screen 0 1280x1024x24" \
      bash scripts/wine-lane.sh "$preset" "$k" "$queue" "$dir/wine-lane$k.log" &
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

source scripts/windows-summary.sh

# fuzz_one NAME: one fuzzer over its seeds, then its fixed number of inputs (fuzz/runs.txt) from a
# fixed seed; prints its log's tail on failure. It starts from the seeds alone every time: the
# committed ones and those the fuzz build generates from code. Seeds that tests write from samples
# made by outside tools (build/native/fuzz-seeds) vary with the tools' versions, and inputs found by
# earlier runs vary with the machine: both are left to scripts/fuzz-long.sh. What this run finds
# goes to build/fuzz/found/NAME, failing inputs to build/fuzz/artifacts/NAME.
fuzz_one() {
  local name=$1 f=build/fuzz/fuzz/$1 runs found=build/fuzz/found/$1 artifacts=build/fuzz/artifacts/$1
  local seeds=build/fuzz/$1.seeds seed_inputs=()
  runs=$(awk -v n="$name" '$1 == n { print $2 }' fuzz/runs.txt)
  runs=${runs:-10000}
  rm -rf "$found" "$artifacts"
  mkdir -p "$found" "$artifacts"
  # The seeds go in as one list in a fixed order; the folder is where the run puts what it finds.
  write_seed_list "$seeds" "fuzz/seeds/$name" "build/fuzz/seeds/$name" || {
    echo "--- $name FAILED"
    return 1
  }
  [ -s "$seeds" ] && seed_inputs=(-seed_inputs="@$seeds")
  # Only the inputs may steer the run, never the clock or the machine: no timed reloading of the
  # corpus or purging of the allocator; no thread that samples the memory in use (it starts at a
  # moment of its own and frees memory then, which the leak check counts), while one allocation
  # over the limit is still caught; a generous time-out. Compared pointers feed the mutations, so
  # the addresses must be the same every time: no address randomisation, and a fixed environment
  # (it lies on the stack above every local variable).
  local same_addresses=(env -i PATH=/usr/bin:/bin LC_ALL=C.UTF-8)
  setarch "$(uname -m)" -R true 2>/dev/null && same_addresses+=(setarch "$(uname -m)" -R)
  if "${same_addresses[@]}" "$f" -seed=1 -runs="$runs" -reload=0 -purge_allocator_interval=-1 -timeout=60 \
      -rss_limit_mb=0 -malloc_limit_mb=2048 -print_final_stats=0 -artifact_prefix="$artifacts/" \
      "${seed_inputs[@]}" "$found" >"build/fuzz/$name.log" 2>&1; then
    echo "--- $name ($runs runs) ok"
  else
    echo "--- $name ($runs runs) FAILED"
    tail -n 40 "build/fuzz/$name.log"
    return 1
  fi
}
export -f fuzz_one
source scripts/fuzz-seeds.sh

# Every fuzzer, as many at a time as there are cores.
fuzzers() {
  local dir=build/fuzz/fuzz
  [ -d "$dir" ] || { echo "no fuzzers"; return 0; }
  # A container's default security profile may refuse to turn address randomisation off: the runs
  # then go on without it, and may differ from another machine's.
  setarch "$(uname -m)" -R true 2>/dev/null ||
    echo "--- addresses are not fixed: setarch -R is refused here, so the fuzzers' runs may differ from another machine's"
  find "$dir" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x -printf '%f\n' | sort |
    xargs -r -P "$JOBS" -I{} bash -c 'fuzz_one "$0"' {}
}

# Four configurations, a Wine prefix per lane and the fixtures need room; a full disk makes every
# later step fail in ways that are hard to read, so say it first.
free_kb=$(df -Pk "$ROOT" | awk 'NR == 2 { print $4 }')
if [ "${free_kb:-0}" -lt $((8 * 1024 * 1024)) ]; then
  echo "warning: only $((free_kb / 1024)) MB free under $ROOT; the builds and tests need about 8 GB" >&2
fi

stage setup scripts/setup.sh --without-wine-prefix
grep -q ok "$LOGS/setup.status" 2>/dev/null || { cat "$LOGS/setup.status" 2>/dev/null; echo "setup failed"; exit 1; }
# The Windows configuration whose tests run: the 64-bit one where this machine runs no 32-bit
# program (or MORVICK_WINDOWS_BITS=64 asks for it); the 32-bit product is then built, not tested.
source scripts/windows-bits.sh
windows_bits_choose || exit 2
WINDOWS=windows
[ "$MORVICK_WINDOWS_BITS" = 64 ] && WINDOWS=windows64
ok() { grep -q ' ok$' "$LOGS/$1.status" 2>/dev/null; }
# Builds one after the other with every core; each configuration's tests start as soon as it is built
# (the Windows tests first: they take longest, mostly waiting on Wine). The fuzzers run last, alone.
for s in windows native asan fuzz; do
  case " $STAGES " in *" $s "*) ;; *) continue ;; esac
  case $s in
    windows) stage wine-prefix scripts/wine-prefix.sh
             stage $WINDOWS-build build $WINDOWS
             ok $WINDOWS-build && ok wine-prefix && background_stage $WINDOWS-tests windows_tests $WINDOWS
             [ $WINDOWS = windows ] || stage windows-product build windows Morvick morvick-bench ;;
    native)  stage native-build build native
             ok native-build && background_stage native-tests run_ctest native ;;
    asan)    stage asan-build build native-asan
             ok asan-build && background_stage asan-tests run_ctest native-asan ;;
    fuzz)    stage fuzz-build build fuzz ;;
  esac
done
for pid in "${background[@]}"; do wait "$pid"; done
if ok fuzz-build; then
  stage fuzz-run fuzzers
fi

# The tests' output: whole for a stage that failed, its last lines otherwise.
for name in $WINDOWS-tests native-tests asan-tests; do
  [ -f "$LOGS/$name.log" ] || continue
  echo "=== $name"
  if grep -q FAILED "$LOGS/$name.status"; then cat "$LOGS/$name.log"; else tail -n 5 "$LOGS/$name.log"; fi
done

echo "=== stage times"
# Every stage the chosen configurations call for must have reported ok: a stage that left no
# status (its build failed first, or the status could not be written) counts as failed.
expected=(setup)
for s in windows native asan fuzz; do
  case " $STAGES " in *" $s "*) ;; *) continue ;; esac
  case $s in
    windows) expected+=(wine-prefix $WINDOWS-build $WINDOWS-tests)
             [ $WINDOWS = windows ] || expected+=(windows-product) ;;
    native)  expected+=(native-build native-tests) ;;
    asan)    expected+=(asan-build asan-tests) ;;
    fuzz)    expected+=(fuzz-build fuzz-run) ;;
  esac
done
failed=()
for name in "${expected[@]}"; do
  if [ -f "$LOGS/$name.status" ] && grep -q ' ok$' "$LOGS/$name.status"; then
    cat "$LOGS/$name.status"
  else
    cat "$LOGS/$name.status" 2>/dev/null || printf '%-16s   did not run or left no status\n' "$name"
    failed+=("$name")
  fi
done
echo "total            $(printf '%5ds' "$SECONDS")"
if [ -f "$LOGS/$WINDOWS-tests.status" ]; then
  [ $WINDOWS = windows ] || echo "$WINDOWS-tests: the Windows tests ran as 64-bit programs under 64-bit Wine: $WINDOWS_BITS_WHY"
  windows_summary "$WINDOWS-tests" build/$WINDOWS
fi
# A Windows program run a second time because Wine's loader was killed by a signal (scripts/wine-exec.sh)
# passed on its second run: each is named here, so that one that fails only sometimes is seen.
reruns="$LOGS/wine-reruns.log"
if [ -s "$reruns" ]; then
  echo "=== Windows programs run again after Wine's loader was killed by a signal: $(grep -c '^=== ' "$reruns") (build/logs/wine-reruns.log)"
  grep -E '^(=== |--- the second)' "$reruns"
fi
if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "all stages passed"
