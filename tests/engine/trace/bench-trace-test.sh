#!/usr/bin/env bash
# Runs `morvick-bench scan --mode trace` on File Trace's fixture disk in a VHDX: the JSON line, the
# traced files saved into DIR/pN/ by their names holding the files' bytes, one partition alone, a
# type the table does not have, and a dynamic VHD cut short.
#   bench-trace-test.sh SOURCE_DIR WORK_DIR PATH_PREFIX BENCH_COMMAND...
# PATH_PREFIX goes before every path given to the bench ("Z:" under Wine, else empty).
set -uo pipefail
source "$1/tests/fixtures/bench-test-start.sh"

"$src/tests/fixtures/make-trace-disk.sh" "$work/disk" >"$work/fixture.log" 2>&1 || { echo "FAIL: make-trace-disk.sh"; tail -n 30 "$work/fixture.log"; exit 1; }
image="$work/disk/containers/dynamic-1M.vhdx"
types=jpg,png,gif,.pdf,zip

line=$("${bench[@]}" scan "$prefix$image" --mode trace --types "$types" --out "$prefix$work/out" | tr -d '\r')
echo "$line"
[ "$(wc -l <<<"$line")" -eq 1 ] || fail "scan printed more than one line"
[ "$(field "$line" mode)" = '"trace"' ] || fail "mode"
[ "$(field "$line" partitions)" = 3 ] || fail "partitions"
[ "$(field "$line" files)" = "$(wc -l <"$work/disk/starts.txt")" ] || fail "every file is traced"
[ "$(field "$line" damaged_files)" = 0 ] || fail "damaged files"
[ "$(field "$line" saved_files)" = "$(field "$line" files)" ] || fail "every traced file is saved"
[ "$(field "$line" failed_files)" = 0 ] || fail "failed files"
# Each partition's files by hit number, in the order they lie on the disk, with the files' bytes.
for p in 0 1 2; do
  n=0
  while read -r part sector name state; do
    [ "$part" = "$p" ] || continue
    n=$((n + 1))
    saved="$work/out/p$p/$n.${name##*.}"
    size=$(stat -c %s "$work/disk/samples/$name")
    [ "$(stat -c %s "$saved" 2>/dev/null)" = 2097152 ] || { fail "p$p/$n.${name##*.} is not 2 MiB"; continue; }
    [ "$size" -gt 2097152 ] && size=2097152
    cmp -s -n "$size" "$saved" "$work/disk/samples/$name" || fail "p$p/$n.${name##*.} does not hold $name"
  done <"$work/disk/starts.txt"
  [ "$(find "$work/out/p$p" -type f | wc -l)" = "$n" ] || fail "p$p holds other files"
done

line=$("${bench[@]}" scan "$prefix$image" --mode trace --partition 1 --types "$types" --out "$prefix$work/one" | tr -d '\r')
[ "$(field "$line" partitions)" = 1 ] && [ "$(field "$line" files)" = "$(grep -c '^1 ' "$work/disk/starts.txt")" ] ||
  fail "partition 1 alone: $line"
[ "$(ls "$work/one")" = p1 ] || fail "partition 1 alone saves into p1 only"

line=$("${bench[@]}" scan "$prefix$image" --mode trace | tr -d '\r')
[ "$(field "$line" files)" -ge "$(wc -l <"$work/disk/starts.txt")" ] || fail "every type: $line"

"${bench[@]}" scan "$prefix$image" --mode trace --types jpg,nosuch >/dev/null 2>&1
[ $? = 2 ] || fail "a type the table does not have is refused"

# A dynamic VHD cut short: the block that can't be read is counted on standard error, and the files
# after it are traced.
"$src/tests/fixtures/make-cut-trace-disk.sh" "$work/cut" >"$work/cut.log" 2>&1 || { echo "FAIL: make-cut-trace-disk.sh"; tail -n 30 "$work/cut.log"; exit 1; }
# (Under Wine standard error comes with the output.)
output=$("${bench[@]}" scan "$prefix$work/cut/cut.vhd" --mode trace --types jpg,png,gif 2>&1 | tr -d '\r')
line=$(grep '^{' <<<"$output")
[ "$(field "$line" files)" = "$(wc -l <"$work/cut/starts.txt")" ] || fail "over the cut image: $output"
grep -q "^partition 0: $(cut -d' ' -f2 "$work/cut/cut.block") sectors could not be read and were searched as zeros" <<<"$output" ||
  fail "the unreadable sectors are not counted: $output"
[ "$failures" -eq 0 ]
