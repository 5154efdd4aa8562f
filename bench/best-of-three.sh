# Sourced by the speed scripts: `seconds COMMAND...` prints the best time in seconds of three runs
# of the command (its output thrown away).
now() { date +%s.%N; }
seconds() {
  local best=
  for _ in 1 2 3; do
    local t0 t1
    t0=$(now); "$@" >/dev/null 2>&1; t1=$(now)
    best=$(echo "$t1 $t0 ${best:-}" | awk '{d=$1-$2; if ($3=="" || d<$3) print d; else print $3}')
  done
  echo "$best"
}
