# Sourced by the fuzzing scripts. write_seed_list FILE DIR...: writes into FILE the seed files of
# the DIRs that exist, as one comma-separated list (libFuzzer's -seed_inputs=@FILE) in a fixed
# order (the paths sorted bytewise). libFuzzer orders seeds of the same size as it is handed them,
# and a folder hands them as the file system lists them, which differs between machines. FILE is
# left empty when there are no seeds. Fails (and says so) when a seed's name holds a comma, which
# the list cannot carry.
write_seed_list() {
  local list=$1 dirs=() d
  shift
  for d in "$@"; do
    [ -d "$d" ] && dirs+=("$d")
  done
  : >"$list"
  [ ${#dirs[@]} -gt 0 ] || return 0
  if find "${dirs[@]}" -type f -name '*,*' | grep -q .; then
    echo "a seed's name holds a comma: $(find "${dirs[@]}" -type f -name '*,*' | head -n 1)" >&2
    return 1
  fi
  find "${dirs[@]}" -type f | LC_ALL=C sort | paste -sd, - | tr -d '\n' >"$list"
}
export -f write_seed_list
