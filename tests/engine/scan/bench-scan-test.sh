#!/usr/bin/env bash
# Runs `morvick-bench scan` and `morvick-bench load` on the fixture disk in a VHDX: the JSON line,
# the files saved for every partition against tsk_recover's count, and a snapshot that loads back to
# the same files and bytes. Files saved cut short are counted damaged, not saved. An --out folder that cannot be made ends every saving command with 1.
# Images that cannot be opened (a VHDX whose identifier is wiped, a VHD cut before its data, a name
# that is neither .vhd nor .vhdx) are refused with the reason on standard error and exit 1, in every
# mode.
#   bench-scan-test.sh SOURCE_DIR WORK_DIR PATH_PREFIX BENCH_COMMAND...
# PATH_PREFIX goes before every path given to the bench ("Z:" under Wine, else empty).
set -uo pipefail
source "$1/tests/fixtures/bench-test-start.sh"

"$src/tests/fixtures/make-mbr-disk.sh" "$work/disk" >"$work/fixture.log" 2>&1 || { echo "FAIL: make-mbr-disk.sh"; tail -n 30 "$work/fixture.log"; exit 1; }
"$src/tests/fixtures/wrap-containers.sh" "$work/disk/disk.raw" "$work/c" 1 >/dev/null
image="$work/c/dynamic-1M.vhdx"

line=$("${bench[@]}" scan "$prefix$image" --mode quick --out "$prefix$work/out" --snapshot "$prefix$work/last.srzq" | tr -d '\r')
echo "$line"
[ "$(wc -l <<<"$line")" -eq 1 ] || fail "scan printed more than one line"
[ "$(field "$line" mode)" = '"quick"' ] || fail "mode"
[ "$(field "$line" partitions)" = 4 ] || fail "partitions"
[ "$(field "$line" failed_files)" = 0 ] || fail "failed files"
[ "$(field "$line" damaged_files)" = 0 ] || fail "damaged files"
[ "$(field "$line" saved_files)" = "$(field "$line" files)" ] || fail "every file found is saved"
[ "$(find "$work/out" -type f | wc -l)" = "$(field "$line" saved_files)" ] || fail "files on disk"
for n in 1 2 4; do
  start=$(cat "$work/disk/part$n.start")
  tsk_recover -e -o "$start" "$work/disk/disk.raw" "$work/tsk$n" >/dev/null
  [ "$(find "$work/tsk$n" -type f | wc -l)" = "$(find "$work/out/p$((n - 1))" -type f | wc -l)" ] ||
    fail "partition $n: tsk_recover and the scan save different numbers of files"
done

line=$("${bench[@]}" load "$prefix$work/last.srzq" --image "$prefix$image" --out "$prefix$work/loaded" | tr -d '\r')
echo "$line"
[ "$(field "$line" mode)" = '"snapshot"' ] || fail "load mode"
diff -r "$work/out/p3" "$work/loaded" >/dev/null || fail "the snapshot saves other files than the scan"

# Sizes the volumes cannot hold (make-damaged-size-disk.sh): BIG.BIN and huge.bin are saved cut
# short, counted damaged and not saved; broken.bin and far.bin are not written.
"$src/tests/fixtures/make-damaged-size-disk.sh" "$work/damaged" >"$work/fixture.log" 2>&1 ||
  { echo "FAIL: make-damaged-size-disk.sh"; tail -n 30 "$work/fixture.log"; exit 1; }
line=$("${bench[@]}" scan "$prefix$work/damaged/damaged-size.vhd" --mode quick --out "$prefix$work/cut" | tr -d '\r')
echo "$line"
[ "$(field "$line" damaged_files)" = 2 ] || fail "files cut short are counted damaged"
[ "$(field "$line" failed_files)" = 2 ] || fail "damaged sizes: failed files"
[ "$(($(field "$line" saved_files) + 4))" = "$(field "$line" files)" ] || fail "files cut short are counted saved"
[ "$(find "$work/cut" -type f | wc -l)" = "$(($(field "$line" saved_files) + 2))" ] || fail "damaged sizes: files on disk"

# A deleted photo cut by a later file (make-cut-photo-card.sh): counted damaged, and said on
# standard error, by the scan and by its snapshot's load.
"$src/tests/fixtures/make-cut-photo-card.sh" "$work/cutcard" >"$work/fixture.log" 2>&1 ||
  { echo "FAIL: make-cut-photo-card.sh"; tail -n 30 "$work/fixture.log"; exit 1; }
cutcard=$work/cutcard/card.vhd
for command in "scan $prefix$cutcard --mode quick --snapshot $prefix$work/cutcard.srzq" \
    "load $prefix$work/cutcard.srzq --image $prefix$cutcard"; do
  out=$("${bench[@]}" $command --out "$prefix$work/cutcard-${command%% *}" 2>&1 | tr -d '\r')
  line=$(grep '"mode"' <<<"$out")
  echo "$line"
  [ "$(field "$line" damaged_files)" = 4 ] || fail "$command: the cut photo and the three taken are not damaged"
  grep -q "^1 damaged files are deleted files partly taken by a file in use" <<<"$out" ||
    fail "$command: the cut photo is not said ($out)"
done

# An --out folder whose parent is not there: said, exit 1, no line of results, nothing written (a
# save into it failed for every file, and the command ended with 0).
for command in "scan $prefix$image --mode quick" "scan $prefix$image --mode extensive" \
    "scan $prefix$image --mode trace" "find $prefix$image --name SHORT.TXT" \
    "load $prefix$work/last.srzq --image $prefix$image"; do
  out=$("${bench[@]}" $command --out "$prefix$work/missing/out" 2>&1 | tr -d '\r')  # pipefail: the bench's status
  rc=$?
  [ "$rc" = 1 ] || fail "$command into a missing folder: exit $rc"
  grep -q "can't be made" <<<"$out" || fail "$command into a missing folder: not said ($out)"
  ! grep -q '"mode"' <<<"$out" || fail "$command into a missing folder: printed a line of results"
done
[ ! -e "$work/missing" ] || fail "a missing --out folder got files"

printf 'X' >"$work/bad.srzq"
"${bench[@]}" load "$prefix$work/bad.srzq" --image "$prefix$image" --out "$prefix$work/none" >/dev/null 2>&1 &&
  fail "a damaged snapshot loads"
[ ! -e "$work/none" ] || fail "a damaged snapshot writes files"

cp "$image" "$work/wiped.vhdx"
printf '\0\0\0\0\0\0\0\0' | dd of="$work/wiped.vhdx" bs=1 conv=notrunc status=none
# A dynamic VHD cut inside the block allocation table's padding: the header and the table are
# whole, the blocks are gone.
cp "$work/c/dynamic.vhd" "$work/cut.vhd"
truncate -s 2560 "$work/cut.vhd"
cp "$work/c/dynamic.vhd" "$work/disk.img"
refused() {  # refused IMAGE REASON MODE...
  # Standard error and output together (under Wine the bench's wrapper joins them): the message and
  # the reason, and no line of results.
  local image=$1 reason=$2 out rc
  shift 2
  out=$("${bench[@]}" scan "$prefix$image" "$@" 2>&1 | tr -d '\r')  # pipefail: the bench's status
  rc=$?
  [ "$rc" = 1 ] || fail "$(basename "$image") $*: exit $rc"
  ! grep -q '"mode"' <<<"$out" || fail "$(basename "$image") $*: printed a line of results"
  grep -q "This file is highly corrupted or it is invalid file type." <<<"$out" || fail "$(basename "$image") $*: no message"
  grep -q "$reason" <<<"$out" || fail "$(basename "$image") $*: no reason ($out)"
}
for mode in quick extensive trace; do
  refused "$work/wiped.vhdx" 'does not start with the VHDX identifier' --mode "$mode"
  refused "$work/cut.vhd" 'cut short' --mode "$mode"
  refused "$work/disk.img" 'neither .vhd nor .vhdx' --mode "$mode"
done
[ "$failures" -eq 0 ]
