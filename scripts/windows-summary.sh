# Sourced by scripts/test.sh.
# windows_summary NAME DIR: how many Windows test programs ran, passed and failed (the lanes' logs,
# DIR/wine-lane*.log), and every test they skipped with its reason (each program's output, kept as
# DIR/wine-output/PROGRAM.xml), one line each: "  PROGRAM: FILE:LINE: REASON".
windows_summary() {
  local name=$1 dir=$2 run passed skips root
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/"
  run=$(cat "$dir"/wine-lane*.log 2>/dev/null | grep -cE "Test +#[0-9]+: ")
  passed=$(cat "$dir"/wine-lane*.log 2>/dev/null | grep -cE "Test +#[0-9]+: .* Passed ")
  # A skip is written by the test program as "FILE:LINE: Skipped" and the reason on the next line.
  skips=$(for f in "$dir"/wine-output/*.xml; do
            [ -f "$f" ] || continue
            tr -d '\r' <"$f" | sed -e 's/&lt;/</g' -e 's/&gt;/>/g' -e 's/&quot;/"/g' -e "s/&apos;/'/g" -e 's/&amp;/\&/g' |
              awk -v program="$(basename "$f" .xml)" -v root="$root" '
                { sub(/^.*<system-out>/, ""); sub(/<\/system-out>.*$/, "") }
                after { sub(/^ +/, ""); print "  " program ": " where ": " $0; after = 0; next }
                /:[0-9]+: Skipped$/ {
                  where = $0; sub(/: Skipped$/, "", where)
                  if (index(where, root) == 1) where = substr(where, length(root) + 1)
                  after = 1
                }'
          done)
  echo "$name: $run test programs run, $passed passed, $((run - passed)) failed; $(printf '%s' "$skips" | grep -c .) tests skipped${skips:+:}"
  [ -z "$skips" ] || printf '%s\n' "$skips"
}
