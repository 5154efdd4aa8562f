# Sourced by the scripts: which Windows programs this machine can run under Wine.
#
# windows_bits_choose: runs a 32-bit x86 program of one instruction (exit with status 42) and sets
#   IA32_RUNS   yes or no
#   IA32_LINE   one line saying which, and where not, why and what turns them on
#   MORVICK_WINDOWS_BITS (exported)
#               32 where 32-bit programs run, 64 where they do not; a value the caller set (32 or 64)
#               stays, so that MORVICK_WINDOWS_BITS=64 takes the 64-bit road on any machine
#   WINDOWS_BITS_WHY
#               empty on the 32-bit road, else one line saying why the 64-bit one is taken
# It returns 1 (and says so on standard error) only when MORVICK_WINDOWS_BITS holds something else.
# MORVICK_IA32_PROBE names another program to run in place of the built-in one: the scripts' own
# tests use it to see what is said where the kernel refuses 32-bit programs.

# ia32_probe_write FILE: the smallest 32-bit x86 ELF program: one loadable segment whose code is
# "mov eax, 1; mov ebx, 42; int 0x80" (the exit system call with status 42).
ia32_probe_write() {
  local header segment code
  header='\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'   # 32-bit, little-endian
  header+='\002\000\003\000\001\000\000\000'                          # executable, i386, version 1
  header+='\124\200\004\010\064\000\000\000\000\000\000\000'          # entry 0x8048054, segments at 52
  header+='\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000'  # one segment of 32 bytes
  segment='\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010'  # loaded at 0x8048000
  segment+='\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000'  # 96 bytes, read and run
  code='\270\001\000\000\000\273\052\000\000\000\315\200'
  printf "$header$segment$code" >"$1" && chmod +x "$1"
}

# ia32_refusal_why: why the kernel refuses 32-bit programs, and what turns them on.
ia32_refusal_why() {
  local machine said
  machine=$(uname -m)
  said=$(dmesg 2>/dev/null | grep -m 1 -o '32-bit emulation disabled.*' || true)
  if [ "$machine" != x86_64 ]; then
    echo "this is no x86-64 machine but $machine"
  elif [ -n "$said" ]; then
    echo "the kernel log says \"$said\""
  elif grep -qE '(^| )ia32_emulation=(0|off|n)( |$)' /proc/cmdline 2>/dev/null; then
    echo "the kernel was booted with ia32_emulation=off; booted with ia32_emulation=on it runs them"
  else
    echo "the kernel's 32-bit emulation is off or not built in; a kernel booted with ia32_emulation=on runs them"
  fi
}

windows_bits_choose() {
  local probe work out status=0
  work=$(mktemp -d)
  probe=${MORVICK_IA32_PROBE:-$work/ia32-probe}
  [ -n "${MORVICK_IA32_PROBE:-}" ] || ia32_probe_write "$probe"
  # Run in a shell of its own, whose complaint ("cannot execute binary file: Exec format error") is the reason.
  out=$(bash -c '"$0"' "$probe" 2>&1) || status=$?
  rm -rf "$work"
  if [ $status -eq 42 ]; then
    IA32_RUNS=yes
    IA32_LINE="this machine runs 32-bit x86 programs"
  else
    IA32_RUNS=no
    out=$(printf '%s\n' "$out" | tail -n 1)
    out=${out##*: }
    [ -n "$out" ] || out="the program ended with status $status"
    IA32_LINE="this machine runs no 32-bit x86 program ($out): $(ia32_refusal_why)"
  fi
  case "${MORVICK_WINDOWS_BITS:-}" in
    32) WINDOWS_BITS_WHY="" ;;
    64) WINDOWS_BITS_WHY="MORVICK_WINDOWS_BITS=64 asks for the 64-bit Windows build" ;;
    "")
      if [ $IA32_RUNS = yes ]; then
        MORVICK_WINDOWS_BITS=32 WINDOWS_BITS_WHY=""
      else
        MORVICK_WINDOWS_BITS=64 WINDOWS_BITS_WHY="$IA32_LINE"
      fi ;;
    *)
      echo "MORVICK_WINDOWS_BITS must be 32 or 64, not '$MORVICK_WINDOWS_BITS'" >&2
      return 1 ;;
  esac
  export MORVICK_WINDOWS_BITS
}
