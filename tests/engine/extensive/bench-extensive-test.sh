#!/usr/bin/env bash
# Runs `morvick-bench scan --mode extensive` on the disk whose MBR, FAT16 boot sector and first
# FAT32 and NTFS boot sectors are wiped: the JSON line, and every live file of every partition (as
# tsk_recover saves it from the undamaged disk) saved with the same bytes at its path in some vN.
#   bench-extensive-test.sh SOURCE_DIR WORK_DIR PATH_PREFIX BENCH_COMMAND...
# PATH_PREFIX goes before every path given to the bench ("Z:" under Wine, else empty).
set -uo pipefail
source "$1/tests/fixtures/bench-test-start.sh"

"$src/tests/fixtures/make-wiped-disk.sh" "$work/disk" >"$work/fixture.log" 2>&1 || { echo "FAIL: make-wiped-disk.sh"; tail -n 30 "$work/fixture.log"; exit 1; }

line=$("${bench[@]}" scan "$prefix$work/disk/boots-wiped.vhd" --mode extensive --out "$prefix$work/out" | tr -d '\r')
echo "$line"
[ "$(wc -l <<<"$line")" -eq 1 ] || fail "scan printed more than one line"
[ "$(field "$line" mode)" = '"extensive"' ] || fail "mode"
[ "$(field "$line" partitions)" = 4 ] || fail "partitions"
[ "$(field "$line" failed_files)" = 0 ] || fail "failed files"
[ "$(field "$line" damaged_files)" = 0 ] || fail "damaged files"
[ "$(field "$line" saved_files)" = "$(field "$line" files)" ] || fail "every file found is saved"
[ "$(find "$work/out" -type f | wc -l)" = "$(field "$line" saved_files)" ] || fail "files on disk"
# FAT short names differ in case between the two: paths are compared without case.
python3 - "$work" <<'PY' || fail "live files not saved at their paths"
import os, sys
work = sys.argv[1]
def files(root):
    found = {}
    for folder, _, names in os.walk(root):
        for name in names:
            path = os.path.join(folder, name)
            found[os.path.relpath(path, root).lower()] = path
    return found
saved = [files(os.path.join(work, "out", v)) for v in sorted(os.listdir(os.path.join(work, "out")))]
bad = 0
for n in range(1, 5):
    for rel, path in files(os.path.join(work, "disk", "part%d.live" % n)).items():
        if rel.startswith("links/"):
            continue
        data = open(path, "rb").read()
        if not any(rel in v and open(v[rel], "rb").read() == data for v in saved):
            print("partition %d: not saved: %s" % (n, rel))
            bad += 1
sys.exit(1 if bad else 0)
PY
[ "$failures" -eq 0 ]
