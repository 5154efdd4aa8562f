#!/usr/bin/env bash
# The test programs that start the program, or touch what it writes to the machine, leave the
# machine as they found it: marker values are put into the keys they touch (the spreadsheet classes'
# flags, the snapshot file type in both hives, the program's own profile, the ".htm" class with a
# default longer than 255 characters), the programs run, and every marker must still be there.
# What the keys held before is exported first and put back at the end, whatever happens.
# Run by ctest in the Windows configuration (MORVICK_BINARY_DIR is the build, a display is there).
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build=${MORVICK_BINARY_DIR:?the Windows build folder}
source "$root/scripts/wine-env.sh"
work=$(mktemp -d "$build/machine-left-as-found.XXXXXX")

reg() { wine reg "$@" </dev/null 2>/dev/null | tr -d '\r'; }

profile='HKCU\Software\Local AppWizard-Generated Applications\Morvick'
keys=(
  'HKLM\Software\Classes\Excel.Sheet.8'
  'HKLM\Software\Classes\Excel.Sheet.12'
  'HKLM\Software\Classes\.srzq'
  'HKLM\Software\Classes\Quarne.Document'
  'HKCU\Software\Classes\.srzq'
  'HKCU\Software\Classes\Quarne.Document'
  'HKLM\Software\Classes\.htm'
  "$profile"
)

# What is put back: the keys, and the profile's parent, which the markers may make.
saved=("${keys[@]}" 'HKCU\Software\Local AppWizard-Generated Applications')

# The program's scratch folder in the temporary folder, which its clean-up empties: a marker file
# is put into it, and what was there before is moved aside and put back.
temp_win=$(wine cmd /c echo %TEMP% </dev/null 2>/dev/null | tr -d '\r')
scratch=
[ -n "$temp_win" ] && scratch=$(winepath -u "$temp_win\\ssss" 2>/dev/null)
case "$scratch" in /*/ssss) ;; *) scratch= ;; esac

# Every key back as it was: gone when it was not there, else its exported copy.
restore() {
  local i
  if [ -n "$scratch" ]; then
    rm -rf "$scratch"
    [ -e "$work/ssss-found" ] && mv "$work/ssss-found" "$scratch"
  fi
  for i in "${!saved[@]}"; do
    reg delete "${saved[$i]}" /f >/dev/null
    [ -f "$work/$i.reg" ] && reg import "$(winepath -w "$work/$i.reg")" >/dev/null
  done
  rm -rf "$work"
}
for i in "${!saved[@]}"; do
  if wine reg query "${saved[$i]}" </dev/null >/dev/null 2>&1; then
    reg export "${saved[$i]}" "$(winepath -w "$work/$i.reg")" /y >/dev/null
  fi
done
trap restore EXIT
if [ -n "$scratch" ]; then
  [ -e "$scratch" ] && mv "$scratch" "$work/ssss-found"
  mkdir -p "$scratch" && echo "left as found" >"$scratch/MorvickMarker.txt"
fi

long_default=$(printf 'MarkerClass%.0s' $(seq 1 30))  # 330 characters
for key in "${keys[@]}"; do
  reg add "$key" /v MorvickMarker /t REG_SZ /d "left as found" /f >/dev/null
done
reg add 'HKLM\Software\Classes\Excel.Sheet.8' /v EditFlags /t REG_BINARY /d 11223344 /f >/dev/null
reg add 'HKLM\Software\Classes\Excel.Sheet.8' /v BrowserFlags /t REG_BINARY /d 55667788 /f >/dev/null
reg add 'HKLM\Software\Classes\Excel.Sheet.12' /v BrowserFlags /t REG_BINARY /d 99aabbcc /f >/dev/null
reg add 'HKLM\Software\Classes\.srzq' /ve /d Marker.Document /f >/dev/null
reg add 'HKLM\Software\Classes\.srzq\shell\open\command' /ve /d 'marker.exe "%1"' /f >/dev/null
reg add 'HKLM\Software\Classes\Quarne.Document\shell\open\command' /ve /d 'marker.exe "%1"' /f >/dev/null
reg add 'HKLM\Software\Classes\.htm' /ve /d "$long_default" /f >/dev/null
reg add "$profile\\Settings" /v "Window Position" /t REG_BINARY /d 0102030405 /f >/dev/null
reg add "$profile\\CommandBars" /v Accelerators /t REG_BINARY /d 0607 /f >/dev/null
reg add "$profile\\splt\\init_h164" /v HorizSplitPos /t REG_DWORD /d 123 /f >/dev/null

status=0
run() {  # run PROGRAM [ARGS...]: one test program; its failure is reported, the markers are checked anyway
  local exe=$1
  shift
  echo "--- $exe $*"
  if ! wine "$build/$exe" --gtest_brief=1 "$@" </dev/null >"$work/run.log" 2>&1; then
    cat "$work/run.log"
    echo "$exe failed" >&2
    status=1
  fi
}
run tests/app/app_instance_tests.exe
run tests/app/frame/app_frame_tests.exe --gtest_filter=FrameCommands.OpenAndLoadFollowTheirOwnFlags
run tests/ui/win/ui_win_tests.exe '--gtest_filter=FileTypeAccess.*:HtmlDrawer.Document*:RichMessageBoxTest.Remembered*'
run tests/e2e/e2e_quick_scan_road_tests.exe --gtest_filter=WizardRoad.QuickScanFromTheStartPage*

expect() {  # expect KEY NAME TEXT: the value (/ve for the default) still reads TEXT
  local key=$1 name=$2 text=$3 shown
  if [ "$name" = /ve ]; then shown=$(reg query "$key" /ve); else shown=$(reg query "$key" /v "$name"); fi
  if ! grep -qiF -- "$text" <<<"$shown"; then
    echo "lost: $key $name (expected $text)" >&2
    status=1
  fi
}
for key in "${keys[@]}"; do
  expect "$key" MorvickMarker "left as found"
done
expect 'HKLM\Software\Classes\Excel.Sheet.8' EditFlags 11223344
expect 'HKLM\Software\Classes\Excel.Sheet.8' BrowserFlags 55667788
expect 'HKLM\Software\Classes\Excel.Sheet.12' BrowserFlags 99AABBCC
expect 'HKLM\Software\Classes\.srzq' /ve Marker.Document
expect 'HKLM\Software\Classes\.srzq\shell\open\command' /ve 'marker.exe "%1"'
expect 'HKLM\Software\Classes\Quarne.Document\shell\open\command' /ve 'marker.exe "%1"'
expect 'HKLM\Software\Classes\.htm' /ve "$long_default"
expect "$profile\\Settings" "Window Position" 0102030405
expect "$profile\\CommandBars" Accelerators 0607
expect "$profile\\splt\\init_h164" HorizSplitPos 0x7b
if [ -z "$scratch" ]; then
  echo "the temporary folder could not be told" >&2
  status=1
elif ! grep -qF "left as found" "$scratch/MorvickMarker.txt" 2>/dev/null; then
  echo "lost: the scratch folder $scratch" >&2
  status=1
fi
exit $status
