#!/usr/bin/env bash
# scripts/windows-bits.sh and scripts/wine-env.sh: whether this machine runs 32-bit x86 programs,
# what is said where it does not, which Windows programs (32- or 64-bit) the scripts then build and
# run, and the Wine each width gets. A machine that refuses 32-bit programs is stood in for by a
# probe the kernel refuses the same way (an ELF program for another processor).
set -u
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # check NAME CONDITION...
  local name=$1
  shift
  if "$@"; then
    echo "ok $name"
  else
    echo "FAILED $name"
    failures=$((failures + 1))
  fi
}
has() { [[ "$1" == *"$2"* ]]; }

# choose [VAR=VALUE...]: windows_bits_choose in a clean shell; prints its results, one per line.
choose() {
  env -u MORVICK_WINDOWS_BITS -u MORVICK_IA32_PROBE "$@" bash -c '
    source "$0/scripts/windows-bits.sh"
    windows_bits_choose 2>&1 || { echo "status $?"; exit 0; }
    printf "%s\n" "$IA32_RUNS" "$MORVICK_WINDOWS_BITS" "$IA32_LINE" "$WINDOWS_BITS_WHY"' "$ROOT"
}
# An ELF program for ARM: the kernel refuses it as it refuses 32-bit x86 ones where they cannot run.
printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\050\000\001\000\000\000' >"$work/refused"
printf '#!/bin/sh\nexit 3\n' >"$work/exits-3"
chmod +x "$work/refused" "$work/exits-3"

# This machine: the built-in probe agrees with Wine's own 32-bit loader, where that is installed.
mapfile -t r < <(choose)
check "the probe answers yes or no" [ "${r[0]}" = yes -o "${r[0]}" = no ]
if [ -x /usr/lib/wine/wine ] && file -L /usr/lib/wine/wine | grep -q 'ELF 32-bit'; then
  loader=no
  /usr/lib/wine/wine --version >/dev/null 2>&1 && loader=yes
  check "the probe agrees with Wine's 32-bit loader (it runs: $loader)" [ "${r[0]}" = "$loader" ]
fi
if [ "${r[0]}" = yes ]; then
  check "where 32-bit programs run, the 32-bit road is taken and nothing is said of it" \
    [ "${r[1]}" = 32 -a "${r[2]}" = "this machine runs 32-bit x86 programs" -a -z "${r[3]}" ]
fi

# A kernel that refuses them: the line says so, why, and what turns them on; the 64-bit road follows.
mapfile -t r < <(choose MORVICK_IA32_PROBE="$work/refused")
check "a refused probe is a machine without 32-bit programs" [ "${r[0]}" = no ]
check "the line names the refusal" has "${r[2]}" "this machine runs no 32-bit x86 program (Exec format error)"
check "the line says what turns them on" has "${r[2]}" "ia32_emulation=on"
check "the Windows programs are then 64-bit ones" [ "${r[1]}" = 64 ]
check "and the reason given for them is that line" [ "${r[3]}" = "${r[2]}" ]

# A probe that runs but does not end as it should is no 32-bit machine either, and says how it ended.
mapfile -t r < <(choose MORVICK_IA32_PROBE="$work/exits-3")
check "a probe that ends otherwise counts as refused" [ "${r[0]}" = no -a "${r[1]}" = 64 ]
check "and the line says how it ended" has "${r[2]}" "(the program ended with status 3)"

# MORVICK_WINDOWS_BITS: 64 takes the 64-bit road on any machine, 32 stays, anything else is refused.
mapfile -t r < <(choose MORVICK_WINDOWS_BITS=64)
check "MORVICK_WINDOWS_BITS=64 takes the 64-bit road" [ "${r[1]}" = 64 ]
check "and names itself as the reason" has "${r[3]}" "MORVICK_WINDOWS_BITS=64"
mapfile -t r < <(choose MORVICK_WINDOWS_BITS=32 MORVICK_IA32_PROBE="$work/refused")
check "MORVICK_WINDOWS_BITS=32 stays where 32-bit programs are refused" [ "${r[1]}" = 32 -a -z "${r[3]}" ]
check "while the line still says they are refused" [ "${r[0]}" = no ]
mapfile -t r < <(choose MORVICK_WINDOWS_BITS=86)
check "another width is refused with a message" [ "${r[*]}" = "MORVICK_WINDOWS_BITS must be 32 or 64, not '86' status 1" ]

# wine-env.sh: each width its own prefix, Wine architecture and loader.
wine_env() {  # wine_env VAR=VALUE...: the settings wine-env.sh gives
  env -u MORVICK_WINDOWS_BITS -u MORVICK_WINEPREFIX -u MORVICK_IA32_PROBE "$@" bash -c '
    source "$0/scripts/wine-env.sh" || { echo "status $?"; exit 0; }
    printf "%s\n" "$WINEARCH" "$WINEPREFIX" "$(command -v wine)" "$(command -v winepath)"' "$ROOT" 2>&1
}
mapfile -t r < <(wine_env MORVICK_WINDOWS_BITS=64)
check "64-bit programs get a 64-bit prefix of their own" [ "${r[0]}" = win64 -a "${r[1]}" = "$ROOT/build/wineprefix64" ]
check "and Wine's 64-bit loader under Wine's own names" \
  [ "${r[2]}" = "$ROOT/scripts/wine64/wine" -a "${r[3]}" = "$ROOT/scripts/wine64/winepath" ]
mapfile -t r < <(wine_env MORVICK_WINDOWS_BITS=32)
check "32-bit programs keep the 32-bit prefix and Debian's wine" \
  [ "${r[0]}" = win32 -a "${r[1]}" = "$ROOT/build/wineprefix" -a "${r[2]}" != "$ROOT/scripts/wine64/wine" ]
mapfile -t r < <(wine_env MORVICK_WINDOWS_BITS=64 MORVICK_WINEPREFIX="$work/lane")
check "a lane's prefix is used as given" [ "${r[1]}" = "$work/lane" ]
mapfile -t r < <(wine_env MORVICK_IA32_PROBE="$work/refused")
check "unset, the width is the one this machine runs" [ "${r[0]}" = win64 ]
mapfile -t r < <(wine_env MORVICK_WINDOWS_BITS=16)
check "another width stops the script that sources it" [ "${r[1]:-}" = "status 1" ]

# The 64-bit loader itself runs.
if [ -x /usr/lib/wine/wine64 ]; then
  check "wine64/wine starts Wine's 64-bit loader" \
    bash -c '"$0/scripts/wine64/wine" --version | grep -q "^wine-"' "$ROOT"
fi

[ $failures -eq 0 ] || exit 1
