#!/usr/bin/env bash
# dbase-speed.sh [RECORDS] [MORVICK_DBASE_BENCH]
# Times the dBase preview listing a table of RECORDS records (default 1,000,000): runs
# morvick-dbase-bench.exe three times under Wine (inside Xvfb when there is no display) and prints
# the best of its `list_s` (from the pane's request to the list painted) and `last_row_s` (the last
# row scrolled into view and painted). Fails when the list takes 1 s or more. Builds the program
# when it is missing (MORVICK_BINARY_DIR: a Windows build to use as it is). Not run in CI.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
records=${1:-1000000}
build=${MORVICK_BINARY_DIR:-$ROOT/build/windows}
bench=${2:-$build/bench/dbase/morvick-dbase-bench.exe}
if [ ! -f "$bench" ]; then
  (cd "$ROOT" && cmake --preset windows >/dev/null && cmake --build --preset windows --target morvick-dbase-bench >/dev/null)
fi
source "$ROOT/scripts/wine-env.sh"
source "$ROOT/bench/best-of-three.sh"
run() {
  if [ -n "${DISPLAY:-}" ]; then
    wine "$bench" "$records"
  else
    xvfb-run -a -s "-screen 0 1280x1024x24" wine "$bench" "$records"
  fi 2>/dev/null | tr -d '\r' | grep '^{'
}
best_list= best_last=
for _ in 1 2 3; do
  line=$(run) || { echo "dbase-speed.sh: morvick-dbase-bench failed" >&2; exit 1; }
  list=$(sed -n 's/.*"list_s":\([0-9.]*\).*/\1/p' <<<"$line")
  last=$(sed -n 's/.*"last_row_s":\([0-9.]*\).*/\1/p' <<<"$line")
  best_list=$(least "$list" "$best_list")
  best_last=$(least "$last" "$best_last")
done
echo "{\"records\":$records,\"list_s\":$best_list,\"last_row_s\":$best_last}"
awk -v s="$best_list" 'BEGIN { exit (s < 1.0) ? 0 : 1 }'
