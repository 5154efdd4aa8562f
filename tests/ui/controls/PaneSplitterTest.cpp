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

TEST_F(SplitterTest, SplitterId164StartsItsLeftPaneAt850) {
  Make(CPaneSplitter::kVertical, 1000, 300, 50, 60, 164);
  EXPECT_EQ(PaneRect(first).right, 850);
  EXPECT_EQ(splitter.VerticalPosition(), 850);
  splitter.DestroyWindow();
  // Narrower than that: the start is not clamped, and the next resize lays the panes out at 850.
  Make(CPaneSplitter::kVertical, 700, 300, 50, 60, 164);
  EXPECT_EQ(splitter.VerticalPosition(), 850);
  splitter.MoveWindow(0, 0, 1000, 300);
  EXPECT_EQ(PaneRect(first).right, 850);
  EXPECT_EQ(PaneRect(second).left, 851);
}

// A page makes its splitter before it has its own size: the start survives the first layout.
TEST_F(SplitterTest, ASplitterMadeSmallKeepsItsStartWhenItIsSized) {
  Make(CPaneSplitter::kVertical, 100, 300, 50, 60);
  splitter.MoveWindow(0, 0, 600, 300);
  EXPECT_EQ(PaneRect(first).right, 200);
  EXPECT_EQ(PaneRect(second).left, 201);
  EXPECT_EQ(PaneRect(second).right, 600);
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
  splitter.MoveWindow(0, 0, 100, 200);  // narrower than the first minimum: the split is kept
  EXPECT_GE(PaneRect(second).right - PaneRect(second).left, 0);
  EXPECT_EQ(PaneRect(first).right, 250);
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

  // Hidden, the left pane keeps its rectangle, and its edge is written all the same.
  Make(CPaneSplitter::kVertical, 600, 300, 50, 60);
  Drag({200, 100}, {260, 100});
  splitter.HideLeftPane();
  splitter.DestroyWindow();
  EXPECT_EQ(AfxGetApp()->GetProfileInt(CPaneSplitter::VerticalSection(kId), L"VertSplitPos", -1), 260u);
}

// What the screen shows in the parent's window rectangle.
class Screen {
 public:
  explicit Screen(const RECT& r) : r_(r), canvas_(r.right - r.left, r.bottom - r.top) {
    HDC screen = GetDC(nullptr);
    BitBlt(canvas_.Dc(), 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
  }
  COLORREF At(int x, int y) const { return canvas_.At(x - r_.left, y - r_.top); }

 private:
  RECT r_;
  test::DibCanvas canvas_;
};

// The columns (or rows) of the screen that differ from `before` by an inversion with the face colour,
// along a line across the splitter's window: x for a vertical line at y, else y at x.
std::vector<int> InvertedAlong(const Screen& before, const Screen& now, const RECT& span, bool alongX, int at) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  std::vector<int> hit;
  const int from = alongX ? span.left : span.top, to = alongX ? span.right : span.bottom;
  for (int i = from; i < to; ++i) {
    const int x = alongX ? i : at, y = alongX ? at : i;
    if (now.At(x, y) == (before.At(x, y) ^ face) && now.At(x, y) != before.At(x, y)) hit.push_back(i);
  }
  return hit;
}

// The bar is one bar width wide, runs across the splitter's whole window (its border too, which its
// own client area cannot reach), follows the mouse, and leaves nothing behind when Esc ends the drag.
TEST_F(SplitterTest, TheTrackingBarIsDrawnAcrossTheSplitterAndLeavesNoTrace) {
  splitter.SetBarWidth(4);
  Make(WS_BORDER | CPaneSplitter::kVertical, 600, 300, 50, 60);
  splitter.MoveWindow(20, 30, 600, 300);
  SetForegroundWindow(parent.m_hWnd);
  parent.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpPending();
  RECT window, client;
  splitter.GetWindowRect(&window);
  splitter.GetClientRect(&client);
  POINT origin = {0, 0};
  splitter.ClientToScreen(&origin);
  ASSERT_EQ(PaneRect(first).right, 200);  // the gap between the panes: client x 200 to 203
  const Screen before(window);

  Drag({202, 100}, {202, 100}, false);
  ASSERT_TRUE(splitter.IsDragging());
  Screen pressed(window);
  std::vector<int> columns = InvertedAlong(before, pressed, window, true, origin.y + 100);
  EXPECT_EQ(columns, (std::vector<int>{origin.x + 200, origin.x + 201, origin.x + 202, origin.x + 203}));
  // From the top of the window's border to the bottom of it.
  std::vector<int> rows = InvertedAlong(before, pressed, window, false, origin.x + 201);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows.front(), window.top);
  EXPECT_EQ(rows.back(), window.bottom - 1);
  EXPECT_EQ(static_cast<int>(rows.size()), window.bottom - window.top);

  splitter.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 100));
  PumpPending();
  Screen moved(window);
  columns = InvertedAlong(before, moved, window, true, origin.y + 100);
  EXPECT_EQ(columns, (std::vector<int>{origin.x + 298, origin.x + 299, origin.x + 300, origin.x + 301}));

  splitter.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  PumpPending();
  ASSERT_FALSE(splitter.IsDragging());
  Screen after(window);
  int changed = 0;
  for (int y = window.top; y < window.bottom; ++y) {
    for (int x = window.left; x < window.right; ++x) changed += after.At(x, y) != before.At(x, y);
  }
  EXPECT_EQ(changed, 0);
  EXPECT_EQ(PaneRect(first).right, 200);
}

}  // namespace
}  // namespace morvick::ui
