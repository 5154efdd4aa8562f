# Sourced by the speed scripts: `seconds COMMAND...` prints the best time in seconds of three runs
# of the command (its output thrown away); `run_seconds COMMAND...` the time of one run; `least A B`
# the smaller of two times, B empty before the first run; `bytes_read COMMAND...` the bytes that one
# run of the command reads from files (read and pread64 calls, as strace shows their results).
# `use_outdir NAME SUBDIR...` sets `outdir` to the folder the savers write into: OUTDIR when set (the
# SUBDIRs in it removed at the end), else a new folder in /dev/shm (removed at the end).
now() { date +%s.%N; }
run_seconds() {
  local t0 t1
  t0=$(now); "$@" >/dev/null 2>&1; t1=$(now)
  echo "$t1 $t0" | awk '{ printf "%.3f\n", $1 - $2 }'
}
bytes_read() {
  local log
  log=$(mktemp)
  strace -f -e trace=read,pread64 -o "$log" "$@" >/dev/null 2>&1
  awk '/= [0-9]+$/ { n += $NF } END { printf "%.0f\n", n }' "$log"
  rm -f "$log"
}
least() { awk -v a="$1" -v b="${2:-}" 'BEGIN { print (b == "" || a < b) ? a : b }'; }
seconds() {
  local best=
  for _ in 1 2 3; do
    best=$(least "$(run_seconds "$@")" "$best")
  done
  echo "$best"
}
use_outdir() {
  local name=$1
  shift
  if [ -n "${OUTDIR:-}" ]; then
    outdir=$OUTDIR
    local sub
    cleanup_outdir=""
    for sub in "$@"; do cleanup_outdir+=" \"$outdir/$sub\""; done
    trap "rm -rf $cleanup_outdir" EXIT
  else
    outdir=$(mktemp -d "/dev/shm/$name.XXXXXX")
    trap 'rm -rf "$outdir"' EXIT
  fi
  mkdir -p "$outdir"
}
