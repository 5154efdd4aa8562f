#!/usr/bin/env bash
# `morvick-bench scan --mode trace --snapshot` writes the File Trace snapshot that `load` takes back:
# over the camera card it was made of, every photo holds; over the same card after a text file
# took three photos' sectors, those three are counted failed and told on standard error, the others
# saved with their photos' bytes. A snapshot that cannot be written ends the scan with exit 1.
#   bench-trace-snapshot-test.sh SOURCE_DIR WORK_DIR PATH_PREFIX BENCH_COMMAND...
set -uo pipefail
source "$1/tests/fixtures/bench-test-start.sh"

"$src/tests/fixtures/make-retaken-photo-card.sh" "$work/card" >"$work/fixture.log" 2>&1 ||
  { echo "FAIL: make-retaken-photo-card.sh"; tail -n 30 "$work/fixture.log"; exit 1; }
card="$work/card"

line=$("${bench[@]}" scan "$prefix$card/before.vhd" --mode trace --types jpg --snapshot "$prefix$work/card.srzq" |
  tr -d '\r')
echo "$line"
[ "$(field "$line" files)" = 300 ] || fail "the trace finds the 300 photos: $line"
[ -s "$work/card.srzq" ] || fail "no snapshot written"

# Over its own card (checked, nothing saved): not a hit changed.
output=$("${bench[@]}" load "$prefix$work/card.srzq" --image "$prefix$card/before.vhd" 2>&1 | tr -d '\r') ||
  fail "over its own card: exit $?"
[ "$(grep -c . <<<"$output")" = 1 ] && [ "$(field "$output" files)" = 300 ] || fail "over its own card: $output"

output=$("${bench[@]}" load "$prefix$work/card.srzq" --image "$prefix$card/after.vhd" --out "$prefix$work/later" 2>&1 |
  tr -d '\r')
line=$(grep '^{' <<<"$output")
echo "$line"
[ "$(field "$line" files)" = 300 ] || fail "every hit stays listed: $output"
[ "$(field "$line" saved_files)" = 297 ] || fail "saved over the later card: $output"
[ "$(field "$line" failed_files)" = 3 ] || fail "failed over the later card: $output"
grep -q "^3 files are no longer on the disk as the recovery snapshot lists them: not saved" <<<"$output" ||
  fail "the changed hits are not told: $output"
n=0
while read -r sector name; do
  n=$((n + 1))
  saved="$work/later/JPEG Image/$n.jpg"
  if grep -qx "$name" "$card/taken.txt"; then
    [ ! -e "$saved" ] || fail "$n.jpg was saved from the text that took $name's sector"
  else
    cmp -s -n "$(stat -c %s "$card/photos/$name")" "$saved" "$card/photos/$name" || fail "$n.jpg does not hold $name"
  fi
done <"$card/starts.txt"

"${bench[@]}" scan "$prefix$card/before.vhd" --mode trace --types jpg --snapshot "$prefix$work/missing/card.srzq" \
  >/dev/null 2>&1
[ $? = 1 ] || fail "a snapshot that cannot be written ends the scan with exit 1"
[ "$failures" -eq 0 ]
