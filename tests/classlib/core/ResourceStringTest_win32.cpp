// Resource strings (Windows only): the test program carries CoreTestStrings.rc.
#include <gtest/gtest.h>

#include "classlib/core/AfxCore.h"
#include "tests/classlib/core/AfxTestSupport.h"

namespace {

TEST(CStringResourceTest, LoadsWholeStringsFromTheResourceModule) {
  CString s;
  EXPECT_TRUE(s.LoadString(1001));
  EXPECT_EQ(s, _T("Hello %s"));
  EXPECT_TRUE(s.LoadString(1002));
  EXPECT_GT(s.GetLength(), 150);
  EXPECT_EQ(s.Right(8), _T("the end."));
  EXPECT_TRUE(s.LoadString(1003));
  EXPECT_EQ(s, _T("\u00E9t\u00E9"));
  EXPECT_FALSE(s.LoadString(4242));
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(CString(MAKEINTRESOURCEW(1001)), _T("Hello %s"));
  s.Format(1001, L"world");
  EXPECT_EQ(s, _T("Hello world"));
  EXPECT_AFX_THROW(s.Format(4242, 1), CResourceException*);
}

TEST(CStringResourceTest, TheResourceHandleCanBeChanged) {
  EXPECT_EQ(AfxGetResourceHandle(), ::GetModuleHandleW(NULL));
  AfxSetResourceHandle(::GetModuleHandleW(L"kernel32.dll"));
  CString s;
  EXPECT_FALSE(s.LoadString(1001) && s == _T("Hello %s"));
  AfxSetResourceHandle(NULL);
  EXPECT_TRUE(s.LoadString(1001));
}

TEST(CStringResourceTest, OleStrings) {
  CString s(_T("bstr \u00E9"));
  BSTR b = s.AllocSysString();
  EXPECT_EQ(::SysStringLen(b), 6u);
  EXPECT_EQ(CString(b), s);
  CString other(_T("x"));
  other.SetSysString(&b);
  EXPECT_EQ(CString(b), _T("x"));
  ::SysFreeString(b);
}

}  // namespace
