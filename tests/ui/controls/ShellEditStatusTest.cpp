// Shell icon indexes and type names, the centred edit's bands (and a box one line high that
// settles), and the status bar's support link.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/controls/ControlsTestSupport.h"
#include "ui/controls/win/CenteredEdit.h"
#include "ui/controls/win/ControlShell.h"
#include "ui/controls/win/LinkStatusBar.h"
#include "ui/controls/win/ShellIconHelper.h"

namespace morvick::ui {
namespace {

using test::DibCanvas;
using test::PumpPending;

TEST(ShellIconHelper, IconsAndTypeNamesComeFromTheExtension) {
  EXPECT_NE(CShellIconHelper::GetSystemImageList(TRUE), nullptr);
  EXPECT_NE(CShellIconHelper::GetSystemImageList(FALSE), nullptr);
  const int txt = CShellIconHelper::GetFileIconIndex(L".txt", TRUE);
  EXPECT_EQ(CShellIconHelper::GetFileIconIndex(L"a\\b\\note.txt", TRUE), txt);
  EXPECT_EQ(CShellIconHelper::GetFileIconIndex(L"C:\\does\\not\\exist\\report.TXT", TRUE), txt);
  const int plain = CShellIconHelper::GetFileIconIndex(L"noext", TRUE);
  EXPECT_EQ(CShellIconHelper::GetFileIconIndex(L"another_name_without_extension", TRUE), plain);
  EXPECT_NE(CShellIconHelper::GetFolderIconIndex(TRUE), plain);
  EXPECT_GE(CShellIconHelper::GetFolderIconIndex(FALSE), 0);
  const CString type = CShellIconHelper::GetFileTypeName(L"notes.txt");
  EXPECT_FALSE(type.IsEmpty());
  EXPECT_STREQ(CShellIconHelper::GetFileTypeName(L".txt").GetString(), type.GetString());
}

// Counts the frame calculations of an edit.
class CountingEdit : public CCenteredEdit {
 public:
  int calculations = 0;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NCCALCSIZE) ++calculations;
    return CCenteredEdit::WindowProc(message, wParam, lParam);
  }
};

int LineHeight(HWND edit) {
  HDC dc = GetDC(edit);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
  RECT r = {0, 0, 0, 0};
  DrawTextW(dc, L"Ky", 2, &r, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, old);
  ReleaseDC(edit, dc);
  return r.bottom;
}

HWND MakeEdit(HWND parent, int height, DWORD extra = WS_VISIBLE) {
  HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"name.vhd", WS_CHILD | ES_AUTOHSCROLL | extra, 10, 10, 200,
                              height, parent, nullptr, nullptr, nullptr);
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return edit;
}

TEST(CenteredEdit, TheSpareHeightIsSplitIntoTwoWhiteBands) {
  test::TestParent parent;
  HWND hwnd = MakeEdit(parent.m_hWnd, 60);
  RECT window, clientBefore;
  GetWindowRect(hwnd, &window);
  GetClientRect(hwnd, &clientBefore);
  CCenteredEdit edit;
  ASSERT_TRUE(edit.SubclassWindow(hwnd));
  parent.SendMessage(WM_CTLCOLOREDIT, 0, reinterpret_cast<LPARAM>(hwnd));  // the first paint
  const RECT top = edit.TopBand(), bottom = edit.BottomBand();
  const int line = LineHeight(hwnd);
  const int spare = clientBefore.bottom - line;
  EXPECT_EQ(top.bottom - top.top, spare / 2);
  EXPECT_EQ(bottom.bottom - bottom.top, spare - spare / 2);
  RECT client;
  edit.GetClientRect(&client);
  EXPECT_EQ(client.bottom, line);

  DibCanvas c(window.right - window.left, window.bottom - window.top, RGB(1, 2, 3));
  edit.PaintBands(c.Dc());
  EXPECT_EQ(c.Count(RGB(255, 255, 255), top), (top.right - top.left) * (top.bottom - top.top));
  EXPECT_EQ(c.Count(RGB(255, 255, 255), bottom), (bottom.right - bottom.left) * (bottom.bottom - bottom.top));
  EXPECT_EQ(c.At(0, 0), RGB(1, 2, 3));  // the border is left to the system
}

TEST(CenteredEdit, ABoxOneLineHighSettlesAndStaysHidden) {
  test::TestParent parent;
  HWND probe = MakeEdit(parent.m_hWnd, 40);
  const int line = LineHeight(probe);
  DestroyWindow(probe);
  // Exactly one line of client height, and not shown.
  HWND hwnd = MakeEdit(parent.m_hWnd, line + 4, 0);
  CountingEdit edit;
  ASSERT_TRUE(edit.SubclassWindow(hwnd));
  for (int i = 0; i < 5; ++i) {
    parent.SendMessage(WM_CTLCOLOREDIT, 0, reinterpret_cast<LPARAM>(hwnd));
    PumpPending();
  }
  EXPECT_LE(edit.calculations, 1);
  EXPECT_FALSE(edit.IsWindowVisible());
  const RECT band = edit.TopBand();
  EXPECT_TRUE(IsRectEmpty(&band));
  // Shorter than a line: the bands stay empty, never negative.
  edit.MoveWindow(10, 10, 200, 6);
  EXPECT_GE(edit.TopBand().bottom, edit.TopBand().top);
  EXPECT_GE(edit.BottomBand().bottom, edit.BottomBand().top);
}

std::vector<std::wstring> g_opened;
HINSTANCE WINAPI RecordOpen(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR, LPCWSTR, INT show) {
  g_opened.push_back(std::wstring(verb) + L" " + file);
  EXPECT_EQ(show, SW_SHOWNORMAL);
  return reinterpret_cast<HINSTANCE>(42);
}

TEST(LinkStatusBar, PanesLinkTextAndClicks) {
  ControlShellHooks saved = CurrentControlShellHooks();
  CurrentControlShellHooks().shellExecute = RecordOpen;
  g_opened.clear();
  test::TestParent frame(1000, 300);
  CLinkStatusBar bar;
  ASSERT_TRUE(bar.Create(&frame));
  const UINT ids[] = {0, 0};
  bar.SetIndicators(ids, 2);
  bar.UpdatePaneWidths(1000);
  UINT id = 0, style = 0;
  int width = 0;
  bar.GetPaneInfo(0, id, style, width);
  EXPECT_EQ(width, 770);
  bar.GetPaneInfo(1, id, style, width);
  EXPECT_EQ(id, CLinkStatusBar::kLinkPaneId);
  EXPECT_NE(style & SBPS_STRETCH, 0u);
  bar.MoveWindow(0, 250, 1000, 25);

  DibCanvas c(300, 30, RGB(255, 255, 255));
  bar.Paint(c.Dc(), RECT{0, 0, 300, 30});
  EXPECT_GT(c.CountInk(CLinkStatusBar::kLinkColor, RECT{0, 0, 300, 30}), 10);

  // The link runs from the pane's left + 4 for the width of its text in the bar's font: measured
  // here on the bar's own pane rectangle, not taken from the bar.
  RECT pane = {};
  bar.SendMessage(SB_GETRECT, 1, reinterpret_cast<LPARAM>(&pane));
  SIZE text = {};
  {
    CClientDC dc(&bar);
    CFont* font = bar.GetFont();
    CFont* old = font != nullptr ? dc.SelectObject(font) : nullptr;
    GetTextExtentPoint32W(dc.GetSafeHdc(), CLinkStatusBar::kLinkText, lstrlenW(CLinkStatusBar::kLinkText), &text);
    if (old != nullptr) dc.SelectObject(old);
  }
  ASSERT_GT(text.cx, 20);
  const int y = (pane.top + pane.bottom) / 2;
  for (int x : {pane.left + 3, pane.left + 4 + text.cx + 1, pane.left + 4 + text.cx + 40}) {
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    EXPECT_TRUE(g_opened.empty()) << x - pane.left;  // beside the text
  }
  for (int x : {pane.left + 4, pane.left + 4 + text.cx / 2, pane.left + 4 + text.cx - 1}) {
    g_opened.clear();
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    ASSERT_EQ(g_opened.size(), 1u) << x - pane.left;
    EXPECT_EQ(g_opened[0], std::wstring(L"open ") + CLinkStatusBar::kSupportUrl);
  }
  bar.DestroyWindow();
  CurrentControlShellHooks() = saved;
}

}  // namespace
}  // namespace morvick::ui
