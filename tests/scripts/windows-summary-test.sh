#!/usr/bin/env bash
# scripts/windows-summary.sh over lane logs and kept program output as ctest writes them: the test
# programs run, passed and failed are counted, and each test a program skipped is named with its
# place and reason (also where the reason holds characters the kept output escapes).
set -u
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$ROOT/scripts/windows-summary.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/wine-output"
cat >"$work/wine-lane1.log" <<'LOG'
Test project /x/build/windows64
    Start 12: toolkit_base_tests
1/1 Test #12: toolkit_base_tests ...............   Passed   10.52 sec
100% tests passed, 0 tests failed out of 1
1/1 Test #40: app_wizard_tests .................***Failed    3.10 sec
LOG
cat >"$work/wine-lane2.log" <<'LOG'
1/1 Test  #7: ui_msgbox_tests ..................   Passed    1.00 sec
LOG
printf '%s\r\n' '<?xml version="1.0" encoding="UTF-8"?>' '<testsuite name="(empty)" tests="1">' \
  '<testcase name="toolkit_base_tests" classname="toolkit_base_tests" status="run">' \
  '<system-out>Running main() from gtest_main.cc' \
  "$ROOT/tests/toolkit/base/UxThemeTests.cpp:210: Skipped" \
  'holds only where the handler chain &amp; its frames live on the stack (&lt;32-bit&gt;)' \
  '[==========] 12 tests from 3 test suites ran. (40 ms total)' \
  '[  PASSED  ] 11 tests.' '[  SKIPPED ] 1 test.' '</system-out>' '</testcase>' '</testsuite>' \
  >"$work/wine-output/toolkit_base_tests.xml"
printf '%s\n' '<testsuite><testcase name="ui_msgbox_tests"><system-out>[  PASSED  ] 3 tests.' \
  '</system-out></testcase></testsuite>' >"$work/wine-output/ui_msgbox_tests.xml"
# A skip on the first line of the kept output.
printf '%s\n' '<testsuite><testcase name="preview_tests">' \
  "		<system-out>$ROOT/tests/preview/win/ArchiveViewTests.cpp:259: Skipped" \
  'needs the platform&apos;s zone' '[  SKIPPED ] 1 test.</system-out></testcase></testsuite>' \
  >"$work/wine-output/preview_tests.xml"

got=$(windows_summary windows64-tests "$work")
want="windows64-tests: 3 test programs run, 2 passed, 1 failed; 2 tests skipped:
  preview_tests: tests/preview/win/ArchiveViewTests.cpp:259: needs the platform's zone
  toolkit_base_tests: tests/toolkit/base/UxThemeTests.cpp:210: holds only where the handler chain & its frames live on the stack (<32-bit>)"
if [ "$got" = "$want" ]; then
  echo "ok the summary counts the programs and names each skip with its reason"
else
  printf 'FAILED the summary:\n%s\nwanted:\n%s\n' "$got" "$want"
  exit 1
fi
rm "$work/wine-output/toolkit_base_tests.xml" "$work/wine-output/preview_tests.xml"
got=$(windows_summary windows-tests "$work")
if [ "$got" = "windows-tests: 3 test programs run, 2 passed, 1 failed; 0 tests skipped" ]; then
  echo "ok without skips the summary is one line"
else
  printf 'FAILED the summary without skips:\n%s\n' "$got"
  exit 1
fi
