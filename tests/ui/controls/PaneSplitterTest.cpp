// The pane splitter: its starting layouts, dragging by posted mouse messages, Esc, the clamps
// (also when the minimums do not fit) and the bottom pane's height kept in the profile.
#include <gtest/gtest.h>

#include "tests/ui/controls/ControlsTestSupport.h"
#include "ui/controls/win/PaneSplitter.h"

namespace morvick::ui {
namespace {

using test::PumpPending;
using test::PumpUntil;

RECT PaneRect(CWnd& pane) {
  RECT r;
  pane.GetWindowRect(&r);
  pane.GetParent()->ScreenToClient(&r);
  return r;
}

class SplitterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HKEY key = AfxGetApp()->GetAppRegistryKey();
    RegDeleteTreeW(key, CPaneSplitter::HorizontalSection(kId).GetString());
    RegDeleteTreeW(key, CPaneSplitter::VerticalSection(kId).GetString());
    RegCloseKey(key);
  }
  void TearDown() override {
    if (splitter.m_hWnd) splitter.DestroyWindow();
    SetCursorPos(1000, 900);
    PumpPending();
  }
  // The panes are the splitter's children and go with it: each splitter gets new ones.
  void Make(DWORD style, int width, int height, int min1, int min2, UINT id = kId) {
    for (CWnd* pane : {&first, &second}) {
      if (pane->m_hWnd == nullptr) {
        ASSERT_TRUE(pane->CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 10, 10, parent.m_hWnd, nullptr));
      }
    }
    ASSERT_TRUE(splitter.Create(WS_VISIBLE | style, &parent, &first, &second, id, CRect(0, 0, width, height), min1, min2));
  }
  // Presses at `from`, moves to `to` and lets go there, all in the splitter's client coordinates.
  void Drag(POINT from, POINT to, bool release = true) {
    auto at = [&](POINT p) {
      POINT s = p;
      splitter.ClientToScreen(&s);
      SetCursorPos(s.x, s.y);
      return MAKELPARAM(p.x, p.y);
    };
    splitter.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(from));
    PumpPending();
    splitter.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, at(to));
    PumpPending();
    if (release) {
      splitter.PostMessage(WM_LBUTTONUP, 0, at(to));
      PumpPending();
    }
  }
  // An edit below the splitter that has the focus when a drag begins.
  void FocusEditBeside(CWnd& edit) {
    ASSERT_TRUE(edit.CreateEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 400, 100, 20, parent.m_hWnd, nullptr));
    SetForegroundWindow(parent.m_hWnd);
    edit.SetFocus();
  }
  static const UINT kId = 4711;
  test::TestParent parent{700, 500};
  CWnd first, second;
  CPaneSplitter splitter;
};

TEST_F(SplitterTest, AVerticalSplitStartsAt200) {
  Make(CPaneSplitter::kVertical, 600, 300, 50, 60);
  EXPECT_NE(splitter.GetStyle() & SS_NOTIFY, 0u);
  EXPECT_EQ(first.GetParent()->m_hWnd, splitter.m_hWnd);
  const RECT left = PaneRect(first), right = PaneRect(second);
  EXPECT_EQ(left.left, 0);
  EXPECT_EQ(left.right, 200);
  EXPECT_EQ(right.left, 201);
  EXPECT_EQ(right.right, 600);
  EXPECT_EQ(right.bottom, 300);
  EXPECT_EQ(splitter.VerticalPosition(), 200);
}

TEST_F(SplitterTest, TheDeviceTreeSplitterStartsAt850WithinItsMinimum) {
  Make(CPaneSplitter::kVertical, 1000, 300, 50, 60, 164);
  EXPECT_EQ(PaneRect(first).right, 850);
  splitter.DestroyWindow();
  Make(CPaneSplitter::kVertical, 700, 300, 50, 60, 164);  // 850 is past the right pane's minimum
  EXPECT_EQ(PaneRect(first).right, 640);
}

TEST_F(SplitterTest, DraggingTheBarMovesThePanesAndStopsAtTheMinimum) {
  Make(CPaneSplitter::kVertical, 600, 300, 50, 60);
  Drag({200, 100}, {300, 120});
  EXPECT_FALSE(splitter.IsDragging());
  EXPECT_EQ(PaneRect(first).right, 300);
  EXPECT_EQ(splitter.VerticalPosition(), 300);
  Drag({300, 100}, {590, 100});  // past the right pane's minimum
  EXPECT_EQ(PaneRect(first).right, 540);
  EXPECT_EQ(PaneRect(second).left, 541);
  Drag({540, 100}, {-40, 100});
  EXPECT_EQ(PaneRect(first).right, 50);
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(SplitterTest, AClickBesideTheBarStartsNoDrag) {
  Make(CPaneSplitter::kVertical, 600, 300, 50, 60);
  Drag({250, 100}, {400, 100}, false);
  EXPECT_FALSE(splitter.IsDragging());
  splitter.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(400, 100));
  PumpPending();
  EXPECT_EQ(PaneRect(first).right, 200);
}

TEST_F(SplitterTest, EscapeCancelsTheDragAndGivesTheFocusBack) {
  Make(CPaneSplitter::kVertical, 600, 300, 50, 60);
  CWnd edit;
  FocusEditBeside(edit);
  Drag({200, 100}, {400, 100}, false);
  ASSERT_TRUE(splitter.IsDragging());
  EXPECT_EQ(::GetCapture(), splitter.m_hWnd);
  EXPECT_EQ(::GetFocus(), splitter.m_hWnd);
  splitter.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  PumpPending();
  EXPECT_FALSE(splitter.IsDragging());
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(::GetFocus(), edit.m_hWnd);
  EXPECT_EQ(PaneRect(first).right, 200);  // the panes stay where they were
  splitter.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(400, 100));
  PumpPending();
  EXPECT_EQ(PaneRect(first).right, 200);
  edit.DestroyWindow();
}

TEST_F(SplitterTest, AFinishedDragKeepsTheFocus) {
  Make(CPaneSplitter::kVertical, 600, 300, 50, 60);
  CWnd edit;
  FocusEditBeside(edit);
  Drag({200, 100}, {300, 100});
  EXPECT_FALSE(splitter.IsDragging());
  EXPECT_EQ(PaneRect(first).right, 300);
  EXPECT_EQ(::GetFocus(), splitter.m_hWnd);  // only Esc gives it back
  edit.DestroyWindow();
}

TEST_F(SplitterTest, TheBottomHeightStartsAtTwiceTheMinimumAndIsKept) {
  Make(CPaneSplitter::kHorizontal, 400, 300, 40, 50);
  EXPECT_EQ(splitter.BottomHeight(), 100);
  RECT bottom = PaneRect(second);
  EXPECT_EQ(bottom.bottom, 300);
  EXPECT_EQ(bottom.top, 200);
  EXPECT_EQ(PaneRect(first).bottom, 199);

  Drag({100, 200}, {100, 120});
  EXPECT_EQ(PaneRect(second).top, 120);
  EXPECT_EQ(splitter.BottomHeight(), 180);
  splitter.DestroyWindow();
  EXPECT_EQ(AfxGetApp()->GetProfileInt(CPaneSplitter::HorizontalSection(kId), L"HorizSplitPos", -1), 180u);
  EXPECT_EQ(AfxGetApp()->GetProfileInt(CPaneSplitter::VerticalSection(kId), L"VertSplitPos", -1), static_cast<UINT>(-1));

  Make(CPaneSplitter::kHorizontal, 400, 300, 40, 50);
  EXPECT_EQ(PaneRect(second).top, 120);
}

TEST_F(SplitterTest, AStoredHeightLargerThanTheSplitterIsClamped) {
  AfxGetApp()->WriteProfileInt(CPaneSplitter::HorizontalSection(kId), L"HorizSplitPos", 100000);
  Make(CPaneSplitter::kHorizontal, 400, 300, 40, 50);
  EXPECT_EQ(PaneRect(second).top, 40);
  EXPECT_EQ(PaneRect(first).bottom, 39);
  EXPECT_GE(PaneRect(first).bottom, PaneRect(first).top);
}

TEST_F(SplitterTest, MinimumsLargerThanTheSplitterNeverGiveNegativeSizes) {
  Make(CPaneSplitter::kVertical, 300, 200, 250, 250);
  for (int x : {-50, 0, 100, 150, 299, 500}) {
    Drag({splitter.VerticalBar().left + 1, 50}, {x, 50});
    const RECT left = PaneRect(first), right = PaneRect(second);
    EXPECT_GE(left.right - left.left, 0) << x;
    EXPECT_GE(right.right - right.left, 0) << x;
    EXPECT_EQ(left.right, 250) << x;  // the first pane's minimum wins
  }
  splitter.MoveWindow(0, 0, 100, 200);  // narrower than the first minimum
  EXPECT_GE(PaneRect(second).right - PaneRect(second).left, 0);
  EXPECT_LE(PaneRect(first).right, 100);
}

TEST_F(SplitterTest, HidingTheLeftPaneGivesTheRightOneEverything) {
  Make(CPaneSplitter::kVertical, 600, 300, 50, 60);
  splitter.HideLeftPane();
  EXPECT_FALSE(first.IsWindowVisible());
  EXPECT_EQ(PaneRect(second).left, 0);
  const RECT bar = splitter.VerticalBar();
  EXPECT_TRUE(IsRectEmpty(&bar));
  splitter.MoveWindow(0, 0, 500, 300);
  EXPECT_EQ(PaneRect(second).right, 500);
  splitter.ShowLeftPane();
  EXPECT_TRUE(first.IsWindowVisible());
  EXPECT_EQ(PaneRect(first).right, 200);
  splitter.DestroyWindow();
  EXPECT_EQ(AfxGetApp()->GetProfileInt(CPaneSplitter::VerticalSection(kId), L"VertSplitPos", -1), 200u);
}

}  // namespace
}  // namespace morvick::ui
