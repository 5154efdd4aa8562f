#include <gtest/gtest.h>

#include "classlib/core/AfxCore.h"
#include "tests/classlib/core/AfxTestSupport.h"

namespace {

TEST(CStringTest, ConstructsFromWideNarrowAndRepeatedText) {
  EXPECT_EQ(CString(), _T(""));
  EXPECT_EQ(CString(_T("abc")), _T("abc"));
  EXPECT_EQ(CString("abc"), _T("abc"));
  EXPECT_EQ(CString(_T("abcdef"), 3), _T("abc"));
  EXPECT_EQ(CString(_T('x'), 4), _T("xxxx"));
  EXPECT_EQ(CString(static_cast<LPCTSTR>(nullptr)), _T(""));
  EXPECT_EQ(CString(static_cast<LPCSTR>(nullptr)), _T(""));
#ifndef _WIN32
  // Narrow text is UTF-8 on Linux; broken sequences become replacement characters.
  EXPECT_EQ(CString("\xC3\xA9t\xC3\xA9"), L"\u00E9t\u00E9");
  EXPECT_EQ(CString("a\xFF" "b"), L"a\uFFFDb");
#endif
}

TEST(CStringTest, CopiesAreIndependent) {
  CString a(_T("hello"));
  CString b(a);
  b.SetAt(0, _T('j'));
  EXPECT_EQ(a, _T("hello"));
  EXPECT_EQ(b, _T("jello"));
  CString c = std::move(b);
  EXPECT_EQ(c, _T("jello"));
  a = a;  // self-assignment keeps the text
  EXPECT_EQ(a, _T("hello"));
  a = a.Mid(1);  // assignment from a piece of itself
  EXPECT_EQ(a, _T("ello"));
}

TEST(CStringTest, AppendsIncludingFromItsOwnBuffer) {
  CString s(_T("ab"));
  s += s;
  EXPECT_EQ(s, _T("abab"));
  s.Append(s.GetString() + 1, 2);
  EXPECT_EQ(s, _T("ababba"));
  s += _T('!');
  s += "?";
  EXPECT_EQ(s, _T("ababba!?"));
  CString t = _T("x") + s + _T("y") + _T('z');
  EXPECT_EQ(t, _T("xababba!?yz"));
  CString big;
  for (int i = 0; i < 10000; ++i) big += _T('q');
  EXPECT_EQ(big.GetLength(), 10000);
}

TEST(CStringTest, IndexingIsChecked) {
  CString s(_T("abc"));
  EXPECT_EQ(s[0], _T('a'));
  EXPECT_EQ(s.GetAt(3), 0);  // the terminator may be read
  EXPECT_AFX_THROW(s.GetAt(4), CInvalidArgException*);
  EXPECT_AFX_THROW(s.GetAt(-1), CInvalidArgException*);
  EXPECT_AFX_THROW(s.SetAt(3, _T('x')), CInvalidArgException*);
  try {
    s.SetAt(10, _T('x'));
  } catch (CException* e) {
    e->Delete();
  }
  EXPECT_EQ(s, _T("abc"));
}

TEST(CStringTest, PiecesClampTheirArguments) {
  CString s(_T("abcdef"));
  EXPECT_EQ(s.Mid(2), _T("cdef"));
  EXPECT_EQ(s.Mid(2, 2), _T("cd"));
  EXPECT_EQ(s.Mid(-3, 2), _T("ab"));
  EXPECT_EQ(s.Mid(4, 100), _T("ef"));
  EXPECT_EQ(s.Mid(6), _T(""));
  EXPECT_EQ(s.Mid(100), _T(""));
  EXPECT_EQ(s.Mid(2, -1), _T(""));
  EXPECT_EQ(s.Mid(1, 0x7FFFFFFF), _T("bcdef"));
  EXPECT_EQ(s.Left(2), _T("ab"));
  EXPECT_EQ(s.Left(-2), _T(""));
  EXPECT_EQ(s.Left(99), _T("abcdef"));
  EXPECT_EQ(s.Right(2), _T("ef"));
  EXPECT_EQ(s.Right(-1), _T(""));
  EXPECT_EQ(s.Right(99), _T("abcdef"));
  EXPECT_EQ(s.SpanIncluding(_T("abx")), _T("ab"));
  EXPECT_EQ(s.SpanExcluding(_T("dz")), _T("abc"));
}

TEST(CStringTest, FindsCharactersAndSubstrings) {
  CString s(_T("C:\\dir\\file.tar.gz"));
  EXPECT_EQ(s.Find(_T('\\')), 2);
  EXPECT_EQ(s.Find(_T('\\'), 3), 6);
  EXPECT_EQ(s.Find(_T('\\'), 100), -1);
  EXPECT_EQ(s.Find(_T('\\'), -1), -1);
  EXPECT_EQ(s.Find(_T(".gz")), 15);
  EXPECT_EQ(s.Find(_T("dir"), 4), -1);
  EXPECT_EQ(s.Find(_T(""), 3), 3);
  EXPECT_EQ(s.Find(_T("x"), s.GetLength() + 1), -1);
  EXPECT_EQ(s.ReverseFind(_T('.')), 15);
  EXPECT_EQ(s.ReverseFind(_T('#')), -1);
  EXPECT_EQ(s.FindOneOf(_T(".:")), 1);
  EXPECT_EQ(s.FindOneOf(_T("#")), -1);
}

TEST(CStringTest, ReplacesRemovesInsertsAndDeletes) {
  CString s(_T("aaa-b-aaa"));
  EXPECT_EQ(s.Replace(_T("aa"), _T("x")), 2);
  EXPECT_EQ(s, _T("xa-b-xa"));
  EXPECT_EQ(s.Replace(_T("-"), _T("--")), 2);
  EXPECT_EQ(s, _T("xa--b--xa"));
  EXPECT_EQ(s.Replace(_T(""), _T("q")), 0);
  EXPECT_EQ(s.Replace(_T("zz"), _T("q")), 0);
  EXPECT_EQ(s.Replace(_T('-'), _T('+')), 4);
  EXPECT_EQ(s.Replace(_T("+"), _T("")), 4);
  EXPECT_EQ(s, _T("xabxa"));
  EXPECT_EQ(s.Remove(_T('x')), 2);
  EXPECT_EQ(s, _T("aba"));
  EXPECT_EQ(s.Insert(1, _T('-')), 4);
  EXPECT_EQ(s.Insert(-5, _T("<")), 5);
  EXPECT_EQ(s.Insert(99, _T(">")), 6);
  EXPECT_EQ(s, _T("<a-ba>"));
  EXPECT_EQ(s.Delete(1, 2), 4);
  EXPECT_EQ(s, _T("<ba>"));
  EXPECT_EQ(s.Delete(3, 99), 3);
  EXPECT_EQ(s.Delete(10, 1), 3);
  EXPECT_EQ(s.Delete(0, -1), 3);
  EXPECT_EQ(s, _T("<ba"));
}

TEST(CStringTest, TrimsWhitespaceAndChosenCharacters) {
  CString s(_T(" \t\r\n text \n"));
  s.Trim();
  EXPECT_EQ(s, _T("text"));
  CString all(_T("   "));
  all.TrimLeft();
  EXPECT_TRUE(all.IsEmpty());
  CString path(_T("\\\\dir\\\\"));
  path.TrimRight(_T('\\'));
  EXPECT_EQ(path, _T("\\\\dir"));
  path.TrimLeft(_T("\\d"));
  EXPECT_EQ(path, _T("ir"));
  CString quoted(_T("\"'x'\""));
  quoted.Trim(_T("\"'"));
  EXPECT_EQ(quoted, _T("x"));
}

TEST(CStringTest, ChangesCaseAndComparesWithoutIt) {
  CString s(_T("Hello, World \u00E9\u0416"));
  s.MakeUpper();
  EXPECT_EQ(s, _T("HELLO, WORLD \u00C9\u0416"));
  s.MakeLower();
  EXPECT_EQ(s, _T("hello, world \u00E9\u0436"));
  s.MakeReverse();
  EXPECT_EQ(s.Left(3), _T("\u0436\u00E9 "));
  EXPECT_EQ(CString(_T("ABC")).CompareNoCase(_T("abc")), 0);
  EXPECT_LT(CString(_T("abc")).CompareNoCase(_T("ABD")), 0);
  EXPECT_GT(CString(_T("b")).Compare(_T("a")), 0);
  EXPECT_LT(CString(_T("B")).Compare(_T("a")), 0);
  EXPECT_EQ(CString(_T("x")).Collate(_T("x")), 0);
  EXPECT_TRUE(CString(_T("a")) < CString(_T("b")));
  EXPECT_TRUE(_T("b") > CString(_T("a")));
  EXPECT_TRUE(CString(_T("a")) != _T("A"));
}

TEST(CStringTest, TokenizesLikeTheLibrary) {
  CString s(_T("  one, two,,three  "));
  int pos = 0;
  std::vector<CString> tokens;
  for (CString t = s.Tokenize(_T(" ,"), pos); pos != -1; t = s.Tokenize(_T(" ,"), pos)) tokens.push_back(t);
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[0], _T("one"));
  EXPECT_EQ(tokens[1], _T("two"));
  EXPECT_EQ(tokens[2], _T("three"));
  // No delimiters: the rest comes back once, then the end.
  pos = 2;
  EXPECT_EQ(s.Tokenize(_T(""), pos), _T("one, two,,three  "));
  s.Tokenize(_T(""), pos);
  EXPECT_EQ(pos, -1);
  pos = -1;
  EXPECT_AFX_THROW(s.Tokenize(_T(","), pos), CInvalidArgException*);
}

TEST(CStringTest, BufferAccessKeepsTheStringValid) {
  CString s(_T("abc"));
  LPTSTR p = s.GetBuffer(10);
  EXPECT_GE(s.GetAllocLength(), 10);
  wcscpy(p, L"0123456789");
  s.ReleaseBuffer();
  EXPECT_EQ(s, _T("0123456789"));
  p = s.GetBuffer(4);
  p[2] = 0;
  s.ReleaseBuffer();
  EXPECT_EQ(s, _T("01"));
  p = s.GetBufferSetLength(5);
  for (int i = 0; i < 5; ++i) p[i] = (TCHAR)('a' + i);
  s.ReleaseBuffer(3);
  EXPECT_EQ(s, _T("abc"));
  // A buffer filled to the brim without a terminator still gives a bounded string.
  p = s.GetBuffer(4);
  int n = s.GetAllocLength();
  for (int i = 0; i < n; ++i) p[i] = _T('z');
  s.ReleaseBuffer();
  EXPECT_EQ(s.GetLength(), n);
  EXPECT_AFX_THROW(s.ReleaseBuffer(n + 1), CInvalidArgException*);
  EXPECT_AFX_THROW(s.GetBuffer(-1), CInvalidArgException*);
  CString empty;
  p = empty.GetBuffer(0);
  p[0] = 0;
  empty.ReleaseBuffer();
  EXPECT_TRUE(empty.IsEmpty());
  s.FreeExtra();
  EXPECT_EQ(s.GetAllocLength(), s.GetLength());
}

TEST(CStringTest, ConvertsBetweenUtf16AndNarrowText) {
  const char16_t units[] = {u'A', 0x00E9, 0xD83D, 0xDE00, u'z'};
  CString s = AfxUtf16ToString(units, 5);
  char16_t back[8];
  int n = AfxStringToUtf16(s, s.GetLength(), back, 8);
  ASSERT_EQ(n, 5);
  EXPECT_EQ(0, memcmp(back, units, sizeof units));
  EXPECT_EQ(AfxStringToUtf16(s, s.GetLength(), NULL, 0), 5);
  CString ascii(_T("plain"));
  char narrow[16] = {};
  EXPECT_EQ(AfxStringToNarrow(ascii, ascii.GetLength(), narrow, sizeof narrow), 5);
  EXPECT_STREQ(narrow, "plain");
}

}  // namespace
