#!/usr/bin/env bash
# fuzz-long.sh SECONDS [SEED]
# Longer fuzzing than the test run gives, outside CI: builds the fuzzers, then runs each for SECONDS,
# as many at a time as there are cores, from SEED (a random one when none is given; it is printed, so
# that a run can be repeated). Each fuzzer starts from every seed there is (the committed ones, those
# the fuzz build generates, those the native tests write from their samples) and from what earlier
# long runs kept in build/fuzz/corpus/NAME, where it adds what it finds. Failing inputs are written
# to build/fuzz/artifacts-long/NAME; the log of each fuzzer is build/fuzz/NAME.long.log. Exits
# non-zero when a fuzzer failed.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
if ! [[ "${1:-}" =~ ^[0-9]+$ ]] || [ "$1" -eq 0 ] || { [ $# -ge 2 ] && ! [[ "$2" =~ ^[0-9]+$ ]]; }; then
  echo "usage: $0 SECONDS [SEED]" >&2
  exit 2
fi
export SECONDS_EACH=$1
export SEED=${2:-$(( $(od -An -N4 -tu4 /dev/urandom) % 2147483646 + 1 ))}
JOBS="${MORVICK_JOBS:-$(nproc)}"

cmake --preset fuzz >/dev/null && cmake --build --preset fuzz --parallel "$JOBS" >/dev/null || {
  echo "the fuzz build failed" >&2
  exit 1
}
echo "seed $SEED, $SECONDS_EACH s per fuzzer"

long_one() {
  local name=$1 corpus=build/fuzz/corpus/$1 artifacts=build/fuzz/artifacts-long/$1 seeds=build/fuzz/$1.long.seeds
  local seed_inputs=()
  mkdir -p "$corpus" "$artifacts"
  # The seeds as one list in a fixed order, so that a run from the same seed and corpus repeats.
  write_seed_list "$seeds" "fuzz/seeds/$name" "build/fuzz/seeds/$name" "build/native/fuzz-seeds/$name" || {
    echo "--- $name FAILED"
    return 1
  }
  [ -s "$seeds" ] && seed_inputs=(-seed_inputs="@$seeds")
  if "build/fuzz/fuzz/$name" -seed="$SEED" -max_total_time="$SECONDS_EACH" -timeout=60 -rss_limit_mb=2048 \
      -print_final_stats=0 -artifact_prefix="$artifacts/" "${seed_inputs[@]}" "$corpus" \
      >"build/fuzz/$name.long.log" 2>&1; then
    echo "--- $name ok"
  else
    echo "--- $name FAILED (seed $SEED)"
    tail -n 40 "build/fuzz/$name.long.log"
    return 1
  fi
}
export -f long_one
source scripts/fuzz-seeds.sh

find build/fuzz/fuzz -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x -printf '%f\n' | sort |
  xargs -r -P "$JOBS" -I{} bash -c 'long_one "$0"' {}
