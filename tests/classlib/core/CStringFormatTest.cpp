#include <gtest/gtest.h>

#include <cmath>

#include "classlib/core/AfxCore.h"
#include "tests/classlib/core/AfxTestSupport.h"

namespace {

CString Fmt(LPCTSTR format, ...) {
  va_list args;
  va_start(args, format);
  CString s;
  s.FormatV(format, args);
  va_end(args);
  return s;
}

TEST(CStringFormatTest, StringsFollowTheWindowsWideRules) {
  EXPECT_EQ(Fmt(_T("[%s]"), L"wide"), _T("[wide]"));
  EXPECT_EQ(Fmt(_T("[%S]"), "narrow"), _T("[narrow]"));
  EXPECT_EQ(Fmt(_T("[%hs|%ls|%ws]"), "n", L"w", L"v"), _T("[n|w|v]"));
  EXPECT_EQ(Fmt(_T("[%5s|%-5s|%.2s]"), L"ab", L"ab", L"abcdef"), _T("[   ab|ab   |ab]"));
  EXPECT_EQ(Fmt(_T("[%*s|%-*s]"), 4, L"x", 3, L"y"), _T("[   x|y  ]"));
  EXPECT_EQ(Fmt(_T("[%.*s]"), 3, L"abcdef"), _T("[abc]"));
  EXPECT_EQ(Fmt(_T("[%s]"), static_cast<const wchar_t*>(nullptr)), _T("[(null)]"));
  CString arg(_T("\u00E9\u4E2D"));
  EXPECT_EQ(Fmt(_T("%s!"), (LPCTSTR)arg), _T("\u00E9\u4E2D!"));
  // Precision bounds the read: the text needs no terminator then.
  const char unterminated[3] = {'a', 'b', 'c'};
  EXPECT_EQ(Fmt(_T("%.3hs"), unterminated), _T("abc"));
}

TEST(CStringFormatTest, CharactersAndPercent) {
  EXPECT_EQ(Fmt(_T("%c%C%hc%lc"), L'w', 'n', 'h', L'l'), _T("wnhl"));
  EXPECT_EQ(Fmt(_T("[%3c]"), L'x'), _T("[  x]"));
  EXPECT_EQ(Fmt(_T("100%%")), _T("100%"));
}

TEST(CStringFormatTest, IntegersOfEverySize) {
  EXPECT_EQ(Fmt(_T("%d %i %u"), -5, 7, 4000000000u), _T("-5 7 4000000000"));
  EXPECT_EQ(Fmt(_T("%x %X %#x %o"), 255, 255, 255, 8), _T("ff FF 0xff 10"));
  EXPECT_EQ(Fmt(_T("%I64d %I64u"), (LONGLONG)-1234567890123LL, (ULONGLONG)18446744073709551615ULL),
            _T("-1234567890123 18446744073709551615"));
  EXPECT_EQ(Fmt(_T("%lld %llx"), (long long)-9000000000LL, (unsigned long long)0x123456789ULL),
            _T("-9000000000 123456789"));
  EXPECT_EQ(Fmt(_T("%I64X"), (ULONGLONG)0xDEADBEEFCAFEULL), _T("DEADBEEFCAFE"));
  EXPECT_EQ(Fmt(_T("%ld %lu %lx"), (LONG)-7, (DWORD)4000000000u, (DWORD)0xABCDu), _T("-7 4000000000 abcd"));
  EXPECT_EQ(Fmt(_T("%hd %hu %hhu"), 70000, 70000, 300), _T("4464 4464 44"));
  EXPECT_EQ(Fmt(_T("%Id %Iu"), (INT_PTR)-3, (UINT_PTR)3), _T("-3 3"));
  EXPECT_EQ(Fmt(_T("[%5d|%-5d|%05d|%+d|% d|%.3d]"), 42, 42, 42, 42, 42, 7), _T("[   42|42   |00042|+42| 42|007]"));
  EXPECT_EQ(Fmt(_T("[%*d]"), -4, 1), _T("[1   ]"));
  EXPECT_EQ(Fmt(_T("%02d:%02d:%02d"), 5, 7, 9), _T("05:07:09"));
}

TEST(CStringFormatTest, FloatingPoint) {
  EXPECT_EQ(Fmt(_T("Capacity: %2.2f GB"), 1.5), _T("Capacity: 1.50 GB"));
  EXPECT_EQ(Fmt(_T("%.0f %.3f %8.2f|%-8.1f|%08.2f"), 2.4, 3.14159, -1.25, 2.75, -3.5),
            _T("2 3.142    -1.25|2.8     |-0003.50"));
  EXPECT_EQ(Fmt(_T("%g %g"), 0.0001, 100000.0), _T("0.0001 100000"));
  // The Windows runtime writes three exponent digits.
  EXPECT_EQ(Fmt(_T("%e"), 12345.678), _T("1.234568e+004"));
  EXPECT_EQ(Fmt(_T("%E|%12.3e"), 1e-5, 2.0), _T("1.000000E-005|  2.000e+000"));
  EXPECT_EQ(Fmt(_T("%g"), 1e20), _T("1e+020"));
}

TEST(CStringFormatTest, PointersUnknownConversionsAndTruncatedFormats) {
  CString p = Fmt(_T("%p"), reinterpret_cast<void*>(static_cast<UINT_PTR>(0xABC)));
  EXPECT_EQ(p.GetLength(), (int)(2 * sizeof(void*)));
  EXPECT_EQ(p.Right(3), _T("ABC"));
  EXPECT_EQ(Fmt(_T("%y|%")), _T("%y|%"));
  EXPECT_EQ(Fmt(_T("abc%5")), _T("abc%5"));
  int written = 12345;
  EXPECT_EQ(Fmt(_T("x%ny"), &written), _T("xy"));
  EXPECT_EQ(written, 12345);  // %n never writes
}

TEST(CStringFormatTest, AppendFormatAndLongResults) {
  CString s(_T("a="));
  s.AppendFormat(_T("%d, b=%s"), 1, L"two");
  EXPECT_EQ(s, _T("a=1, b=two"));
  s.Format(_T("%s%s"), (LPCTSTR)s, L"!");  // formatting from itself
  EXPECT_EQ(s, _T("a=1, b=two!"));
  CString big(_T('x'), 5000);
  s.Format(_T("<%s>"), (LPCTSTR)big);
  EXPECT_EQ(s.GetLength(), 5002);
  s.Format(_T("%300d"), 1);
  EXPECT_EQ(s.GetLength(), 300);
}

}  // namespace
