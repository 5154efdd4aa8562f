// Subclassing standard controls: the object sees the messages first and the control's own
// procedure still does its work; unsubclassing gives the control back.
#include <gtest/gtest.h>

#include "tests/classlib/win/TestSupport.h"

namespace {

class CCountingEdit : public CWnd {
 public:
  int m_nChars = 0;
  bool m_bSwallowDigits = false;
  bool m_bPreSubclass = false;
  void PreSubclassWindow() override { m_bPreSubclass = true; }
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    m_nChars++;
    if (m_bSwallowDigits && nChar >= L'0' && nChar <= L'9') return;
    CWnd::OnChar(nChar, nRepCnt, nFlags);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCountingEdit, CWnd)
  ON_WM_CHAR()
END_MESSAGE_MAP()

class SubclassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_parent.CreateEx(0, NULL, L"parent", WS_POPUP, 0, 0, 200, 100, NULL, NULL));
    m_hEdit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, m_parent.m_hWnd,
                                (HMENU)501, NULL, NULL);
    ASSERT_NE(m_hEdit, (HWND)NULL);
    m_pfnOriginal = (WNDPROC)::GetWindowLongPtrW(m_hEdit, GWLP_WNDPROC);
  }
  void TearDown() override { m_parent.DestroyWindow(); }
  CWnd m_parent;
  HWND m_hEdit = NULL;
  WNDPROC m_pfnOriginal = NULL;
};

TEST_F(SubclassTest, TheOriginalProcedureStillDoesItsWork) {
  CCountingEdit edit;
  ASSERT_TRUE(edit.SubclassDlgItem(501, &m_parent));
  EXPECT_TRUE(edit.m_bPreSubclass);
  EXPECT_EQ(CWnd::FromHandlePermanent(m_hEdit), &edit);
  edit.m_bSwallowDigits = true;
  for (WCHAR ch : std::wstring(L"a1b2")) edit.SendMessage(WM_CHAR, ch, 1);
  CString text;
  edit.GetWindowText(text);
  EXPECT_STREQ((LPCTSTR)text, L"ab");
  EXPECT_EQ(edit.m_nChars, 4);
  // Messages without a handler reach the control unchanged.
  edit.SendMessage(EM_SETSEL, 0, -1);
  edit.SendMessage(EM_REPLACESEL, FALSE, (LPARAM)L"xyz");
  edit.GetWindowText(text);
  EXPECT_STREQ((LPCTSTR)text, L"xyz");
  edit.UnsubclassWindow();
}

TEST_F(SubclassTest, UnsubclassingRestoresTheControl) {
  CCountingEdit edit;
  ASSERT_TRUE(edit.SubclassWindow(m_hEdit));
  EXPECT_NE((WNDPROC)::GetWindowLongPtrW(m_hEdit, GWLP_WNDPROC), m_pfnOriginal);
  EXPECT_EQ(edit.UnsubclassWindow(), m_hEdit);
  EXPECT_EQ((WNDPROC)::GetWindowLongPtrW(m_hEdit, GWLP_WNDPROC), m_pfnOriginal);
  EXPECT_EQ(CWnd::FromHandlePermanent(m_hEdit), (CWnd*)NULL);
  ::SendMessageW(m_hEdit, WM_CHAR, L'q', 1);
  EXPECT_EQ(edit.m_nChars, 0);
  EXPECT_EQ(edit.m_hWnd, (HWND)NULL);
}

TEST_F(SubclassTest, AWindowHasOneObjectAtATime) {
  CCountingEdit first, second;
  ASSERT_TRUE(first.SubclassWindow(m_hEdit));
  EXPECT_FALSE(second.SubclassWindow(m_hEdit));
  EXPECT_EQ(CWnd::FromHandlePermanent(m_hEdit), &first);
  EXPECT_FALSE(second.SubclassDlgItem(999, &m_parent));  // no such control
  first.UnsubclassWindow();
}

TEST_F(SubclassTest, DestroyingASubclassedControlDetachesItsObject) {
  CCountingEdit edit;
  ASSERT_TRUE(edit.SubclassWindow(m_hEdit));
  ::DestroyWindow(m_hEdit);
  EXPECT_EQ(edit.m_hWnd, (HWND)NULL);
  EXPECT_EQ(CWnd::FromHandlePermanent(m_hEdit), (CWnd*)NULL);
}

}  // namespace
