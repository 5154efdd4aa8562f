# Sourced by the speed scripts: `seconds COMMAND...` prints the best time in seconds of three runs
# of the command (its output thrown away); `run_seconds COMMAND...` the time of one run; `least A B`
# the smaller of two times, B empty before the first run; `bytes_read COMMAND...` the bytes that one
# run of the command reads from files (read and pread64 calls, as strace shows their results).
# `capped_run CAP LINE COMMAND...` the time of one run cut at CAP seconds ("" when the cap cut it; a
# run that fails ends the script), the last line it printed into the file LINE; `capped_best CAP LINE
# COMMAND...` the best of three such runs ("" when the first was cut; a run of more than 10 s is not
# repeated), the best run's last line into LINE.
# `growth MODE UNIT TIMES SIZES...` prints how the time of MODE grew from each size to the next, TIMES
# the name of an associative array of seconds by "MODE:SIZE" ("" or none where the cap cut a run).
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
capped_run() {
  local cap=$1 line=$2 t0 t1 rc=0
  shift 2
  t0=$(now)
  timeout "$cap" "$@" 2>/dev/null | tail -n 1 >"$line.run" || rc=$?
  t1=$(now)
  [ "$rc" -eq 0 ] || { [ "$rc" -eq 124 ] && return 0; echo "$(basename "$0"): $* failed" >&2; exit 1; }
  mv "$line.run" "$line"
  echo "$t1 $t0" | awk '{ printf "%.3f\n", $1 - $2 }'
}
capped_best() {
  local cap=$1 line=$2 best= s
  shift 2
  for _ in 1 2 3; do
    s=$(capped_run "$cap" "$line.try" "$@") || exit 1
    [ -n "$s" ] || break
    [ "$(least "$s" "$best")" != "$s" ] || mv "$line.try" "$line"
    best=$(least "$s" "$best")
    awk -v s="$s" 'BEGIN { exit !(s > 10) }' && break
  done
  rm -f "$line.try" "$line.try.run"
  echo "$best"
}
growth() {
  local mode=$1 unit=$2 previous= a b n
  local -n times=$3
  shift 3
  for n in "$@"; do
    a=${times[$mode:${previous:-x}]:-} b=${times[$mode:$n]:-}
    if [ -n "$a" ] && [ -n "$b" ]; then
      awk -v a="$a" -v b="$b" -v p="$previous" -v n="$n" -v m="$mode" -v u="$unit" \
        'BEGIN { printf "%s: %d -> %d %s (%.1f x): %.3f s -> %.3f s, %.1f x the time\n", m, p, n, u, n / p, a, b, b / a }'
    fi
    previous=$n
  done
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
