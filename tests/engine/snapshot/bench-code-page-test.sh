#!/usr/bin/env bash
# `morvick-bench --oem-code-page N`: this computer's OEM code page for the run. The Quick Scan snapshot
# of a card of short names written under code page 850 (make-code-page-cards.sh), made with 850 and
# loaded with 437 over the card later the same day, after four files were replaced by files of their
# sizes under names one byte apart: the eight files that stayed are saved, the four replaced fail, and
# no file is saved under a replaced name. A code page the engine does not know ends the run (exit 2).
#   bench-code-page-test.sh SOURCE_DIR WORK_DIR PATH_PREFIX BENCH_COMMAND...
set -uo pipefail
source "$1/tests/fixtures/bench-test-start.sh"

"$src/tests/fixtures/make-code-page-cards.sh" "$work/disks" >"$work/fixture.log" 2>&1 ||
  { echo "FAIL: make-code-page-cards.sh"; tail -n 30 "$work/fixture.log"; exit 1; }

"${bench[@]}" scan "$prefix$work/disks/pages16-a.vhd" --mode quick --partition 0 --oem-code-page 850 \
  --snapshot "$prefix$work/morning.srzq" >"$work/scan.out" 2>&1 || { cat "$work/scan.out"; fail "scan with 850"; }
out=$("${bench[@]}" load "$prefix$work/morning.srzq" --oem-code-page 437 --image "$prefix$work/disks/pages16-b.vhd" \
  --out "$prefix$work/later" 2>/dev/null | tr -d '\r') || fail "load with 437: exit $?"
[ "$(field "$out" saved_files)" = 8 ] && [ "$(field "$out" failed_files)" = 4 ] || fail "load with 437: $out"
[ -z "$(find "$work/later" -name 'FA*ADE.TXT' -o -name 'ESPA*A.TXT' -o -name 'M*LLER.TXT')" ] ||
  fail "a replaced file was saved: $(find "$work/later" -type f)"
"${bench[@]}" scan "$prefix$work/disks/pages16-a.vhd" --mode quick --oem-code-page 1252 >"$work/bad.out" 2>&1
code=$?
[ "$code" = 2 ] || fail "--oem-code-page 1252: exit $code, not 2"
grep -q -- "--oem-code-page takes an OEM code page" "$work/bad.out" || fail "--oem-code-page 1252: $(cat "$work/bad.out")"
[ "$failures" -eq 0 ]
