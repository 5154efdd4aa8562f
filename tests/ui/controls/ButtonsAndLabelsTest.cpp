// Hover and tool buttons (pictures per state, the published hover id, mouse tracking with real
// hover and leave messages, the tooltip), the transparent labels and the hyperlink (colours,
// underline over timer ticks, the command through the replaceable shell call, error texts).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/controls/ControlsTestResources.h"
#include "tests/ui/controls/ControlsTestSupport.h"
#include "ui/controls/win/ControlShell.h"
#include "ui/controls/win/HoverButton.h"
#include "ui/controls/win/HyperLinkStatic.h"
#include "ui/controls/win/ToolButton.h"
#include "ui/controls/win/TransparentButtonCtrl.h"
#include "ui/controls/win/TransparentStatic.h"

namespace morvick::ui {
namespace {

using test::DibCanvas;
using test::PumpUntil;
using test::TestParent;

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kPaper = RGB(9, 9, 9);

void MoveMouseOnto(CWnd& wnd, int x, int y) {
  POINT p = {x, y};
  wnd.ClientToScreen(&p);
  SetCursorPos(p.x, p.y);
  wnd.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

class HoverButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_nHoveredModeButton = 0;
    for (int i = 0; i < 2; ++i) {
      ASSERT_TRUE(buttons[i].Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(20 + 60 * i, 20, 70 + 60 * i, 70),
                                    &parent, 200 + i));
      buttons[i].LoadHoverBitmaps(IDB_TEST_RED, IDB_TEST_BLUE);
      buttons[i].SetHoverId(11 + i);
    }
  }
  void TearDown() override { SetCursorPos(1000, 900); }
  COLORREF Drawn(CHoverButton& b) {
    DibCanvas c(20, 20, kPaper);
    b.Paint(c.Dc(), 0);
    return c.At(5, 5);
  }
  TestParent parent;
  CHoverButton buttons[2];
};

TEST_F(HoverButtonTest, TakesTheSizeOfItsPicture) {
  RECT r;
  buttons[0].GetWindowRect(&r);
  EXPECT_EQ(r.right - r.left, 16);
  EXPECT_EQ(r.bottom - r.top, 16);
  DibCanvas c(20, 20, kPaper);
  buttons[0].Paint(c.Dc(), 0);
  EXPECT_EQ(c.At(15, 15), kRed);
  EXPECT_EQ(c.At(16, 16), kPaper);
}

TEST_F(HoverButtonTest, HoverSwapsThePictureAndPublishesTheId) {
  CWnd buddy;
  buddy.CreateEx(0, AfxRegisterWndClass(0), L"buddy", WS_CHILD | WS_VISIBLE, 200, 200, 20, 20, parent.m_hWnd, nullptr);
  buttons[0].SetBuddy(&buddy);
  test::PumpPending();
  EXPECT_EQ(Drawn(buttons[0]), kRed);
  buttons[0].SendMessage(WM_MOUSEHOVER);
  EXPECT_EQ(g_nHoveredModeButton, 11u);
  EXPECT_EQ(Drawn(buttons[0]), kBlue);
  RECT update;
  EXPECT_TRUE(::GetUpdateRect(buddy.m_hWnd, &update, FALSE));  // the buddy is repainted too
  buttons[0].SendMessage(WM_MOUSELEAVE);
  EXPECT_EQ(g_nHoveredModeButton, 0u);
  EXPECT_EQ(Drawn(buttons[0]), kRed);
  buddy.DestroyWindow();
}

TEST_F(HoverButtonTest, MovingToTheNeighbourLeavesItsIdPublished) {
  buttons[0].SendMessage(WM_MOUSEHOVER);
  buttons[1].SendMessage(WM_MOUSEHOVER);  // the neighbour's hover may come before the leave
  buttons[0].SendMessage(WM_MOUSELEAVE);
  EXPECT_EQ(g_nHoveredModeButton, 12u);
  EXPECT_FALSE(buttons[0].IsHovered());
  EXPECT_TRUE(buttons[1].IsHovered());
  buttons[1].SendMessage(WM_MOUSELEAVE);
  EXPECT_EQ(g_nHoveredModeButton, 0u);
}

TEST_F(HoverButtonTest, TheMouseItselfStartsAndEndsTheHover) {
  SetForegroundWindow(parent.m_hWnd);
  MoveMouseOnto(buttons[0], 5, 5);
  ASSERT_TRUE(PumpUntil([&] { return buttons[0].IsHovered() != FALSE; }));
  EXPECT_EQ(g_nHoveredModeButton, 11u);
  MoveMouseOnto(buttons[1], 5, 5);
  ASSERT_TRUE(PumpUntil([&] { return buttons[1].IsHovered() && !buttons[0].IsHovered(); }));
  EXPECT_EQ(g_nHoveredModeButton, 12u);
  SetCursorPos(1000, 900);
  ASSERT_TRUE(PumpUntil([&] { return !buttons[1].IsHovered(); }));
  EXPECT_EQ(g_nHoveredModeButton, 0u);
}

class ToolButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(20, 20, 60, 60), &parent, 210));
    button.LoadHoverBitmaps(IDB_TEST_RED, IDB_TEST_BLUE);
  }
  TestParent parent;
  CToolButton button;
};

TEST_F(ToolButtonTest, NormalHoveredAndPressedPictures) {
  DibCanvas c(20, 20, kPaper);
  button.Paint(c.Dc(), 0);
  EXPECT_EQ(c.At(0, 0), kRed);
  button.SendMessage(WM_MOUSEHOVER);
  button.Paint(c.Dc(), 0);
  EXPECT_EQ(c.At(0, 0), kBlue);
  c.Clear(kPaper);
  button.Paint(c.Dc(), ODS_SELECTED);  // pressed: the normal picture one pixel lower
  EXPECT_EQ(c.At(0, 0), kPaper);
  EXPECT_EQ(c.At(0, 1), kRed);
  EXPECT_EQ(c.At(15, 16), kRed);
  button.SendMessage(WM_MOUSELEAVE);
  EXPECT_FALSE(button.IsHovered());
  EXPECT_TRUE(button.IsFirstMove());
}

TEST_F(ToolButtonTest, TheTooltipCarriesItsText) {
  button.SetToolTipText(L"Scan the whole disk");
  CString text;
  button.ToolTip().GetText(text, &button, 1);
  EXPECT_STREQ(text.GetString(), L"Scan the whole disk");
  button.SetToolTipText(L"Stop");
  button.ToolTip().GetText(text, &button, 1);
  EXPECT_STREQ(text.GetString(), L"Stop");
  EXPECT_EQ(button.ToolTip().GetToolCount(), 1);
}

TEST(TransparentLabels, AnswerTheHollowBrushAndRepaintTheParent) {
  TestParent parent;
  CTransparentStatic label;
  ASSERT_TRUE(label.Create(L"Old text", WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 30), &parent, 220));
  CTransparentButtonCtrl check;
  ASSERT_TRUE(check.Create(L"Check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(10, 40, 150, 60), &parent, 221));
  DibCanvas c(10, 10);
  SetBkMode(c.Dc(), OPAQUE);
  EXPECT_EQ(parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(c.Dc()), reinterpret_cast<LPARAM>(label.m_hWnd)),
            reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
  EXPECT_EQ(GetBkMode(c.Dc()), TRANSPARENT);
  SetBkMode(c.Dc(), OPAQUE);
  EXPECT_EQ(parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(c.Dc()), reinterpret_cast<LPARAM>(check.m_hWnd)),
            reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
  EXPECT_EQ(GetBkMode(c.Dc()), TRANSPARENT);
  EXPECT_EQ(check.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(c.Dc())), 1);

  test::PumpPending();
  const int before = parent.paints;
  label.SetWindowText(L"New");
  EXPECT_EQ(parent.paints, before + 1);
  CString text;
  label.GetWindowText(text);
  EXPECT_STREQ(text.GetString(), L"New");
}

// The replaceable shell calls the hyperlink makes.
struct ShellLog {
  std::vector<std::wstring> opened;
  std::vector<UINT> beeps;
  std::vector<std::wstring> boxes;
  std::vector<std::wstring> started;
  INT_PTR answer = 42;
};
ShellLog g_shell;

HINSTANCE WINAPI FakeShellExecute(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR, LPCWSTR, INT) {
  g_shell.opened.push_back(std::wstring(verb ? verb : L"") + L" " + (file ? file : L""));
  return reinterpret_cast<HINSTANCE>(g_shell.answer);
}
BOOL WINAPI FakeBeep(UINT type) {
  g_shell.beeps.push_back(type);
  return TRUE;
}
int WINAPI FakeMessageBox(HWND, LPCWSTR text, LPCWSTR, UINT type) {
  g_shell.boxes.push_back(text);
  EXPECT_NE(type & MB_ICONEXCLAMATION, 0u);
  return IDOK;
}
BOOL WINAPI FakeCreateProcess(LPCWSTR, LPWSTR line, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID,
                              LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION pi) {
  g_shell.started.push_back(line);
  *pi = PROCESS_INFORMATION{};
  return TRUE;
}

class HyperLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = CurrentControlShellHooks();
    CurrentControlShellHooks().shellExecute = FakeShellExecute;
    CurrentControlShellHooks().messageBeep = FakeBeep;
    CurrentControlShellHooks().messageBox = FakeMessageBox;
    CurrentControlShellHooks().createProcess = FakeCreateProcess;
    g_shell = ShellLog();
  }
  void TearDown() override {
    CurrentControlShellHooks() = saved;
    SetCursorPos(1000, 900);
  }
  HWND MakeStatic(LPCWSTR text, DWORD style = SS_LEFT) {
    return CreateWindowW(L"STATIC", text, WS_CHILD | WS_VISIBLE | style, 10, 10, 300, 40, parent.m_hWnd,
                         reinterpret_cast<HMENU>(230), nullptr, nullptr);
  }
  void Click(CHyperLinkStatic& link) {
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(link.GetDlgCtrlID(), STN_CLICKED), reinterpret_cast<LPARAM>(link.m_hWnd));
  }
  bool Underlined(CHyperLinkStatic& link) {
    LOGFONTW lf = {};
    GetObjectW(reinterpret_cast<HFONT>(link.SendMessage(WM_GETFONT)), sizeof(lf), &lf);
    return lf.lfUnderline != 0;
  }
  ControlShellHooks saved;
  TestParent parent;
};

TEST_F(HyperLinkTest, TextAndAddressFillEachOtherInAndTheWindowFitsTheText) {
  CHyperLinkStatic byText;
  ASSERT_TRUE(byText.SubclassWindow(MakeStatic(L"https://example.invalid/help")));
  EXPECT_STREQ(byText.GetURL().GetString(), L"https://example.invalid/help");
  EXPECT_NE(byText.GetStyle() & SS_NOTIFY, 0u);

  HDC dc = ::GetDC(byText.m_hWnd);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(byText.SendMessage(WM_GETFONT)));
  SIZE size;
  GetTextExtentPoint32W(dc, L"https://example.invalid/help", 28, &size);
  SelectObject(dc, old);
  ::ReleaseDC(byText.m_hWnd, dc);
  RECT client;
  byText.GetClientRect(&client);
  EXPECT_EQ(client.right, size.cx);
  EXPECT_EQ(client.bottom, size.cy);
  byText.DestroyWindow();

  CHyperLinkStatic byUrl;
  byUrl.SetURL(L"mailto:help@example.invalid");
  ASSERT_TRUE(byUrl.SubclassWindow(MakeStatic(L"", SS_RIGHT)));
  CString text;
  byUrl.GetWindowText(text);
  EXPECT_STREQ(text.GetString(), L"mailto:help@example.invalid");
  RECT r;
  byUrl.GetWindowRect(&r);
  parent.ScreenToClient(&r);
  EXPECT_EQ(r.right, 310);  // right-aligned text keeps its right edge
  byUrl.DestroyWindow();
}

TEST_F(HyperLinkTest, ColoursFollowHoverAndVisits) {
  CHyperLinkStatic link;
  ASSERT_TRUE(link.SubclassWindow(MakeStatic(L"Support")));
  DibCanvas c(4, 4);
  auto colour = [&] {
    parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(c.Dc()), reinterpret_cast<LPARAM>(link.m_hWnd));
    return GetTextColor(c.Dc());
  };
  EXPECT_EQ(colour(), CHyperLinkStatic::kLinkColor);
  link.SetVisited(TRUE);
  EXPECT_EQ(colour(), CHyperLinkStatic::kVisitedColor);
  link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(colour(), CHyperLinkStatic::kHoverColor);
  link.DestroyWindow();
}

TEST_F(HyperLinkTest, TheUnderlineFollowsTheMouseUntilATimerTickFindsItGone) {
  CHyperLinkStatic link;
  ASSERT_TRUE(link.SubclassWindow(MakeStatic(L"Support")));
  EXPECT_FALSE(Underlined(link));
  MoveMouseOnto(link, 2, 2);
  link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_TRUE(link.IsHovered());
  EXPECT_TRUE(Underlined(link));
  link.SendMessage(WM_TIMER, CHyperLinkStatic::kHoverTimer);  // still over it
  EXPECT_TRUE(link.IsHovered());
  SetCursorPos(1000, 900);
  link.SendMessage(WM_TIMER, CHyperLinkStatic::kHoverTimer);
  EXPECT_FALSE(link.IsHovered());
  EXPECT_FALSE(Underlined(link));

  link.SetUnderline(CHyperLinkStatic::kUnderlineAlways);
  EXPECT_TRUE(Underlined(link));
  MoveMouseOnto(link, 2, 2);
  link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  SetCursorPos(1000, 900);
  link.SendMessage(WM_TIMER, CHyperLinkStatic::kHoverTimer);
  EXPECT_TRUE(Underlined(link));
  link.SetUnderline(CHyperLinkStatic::kUnderlineNever);
  EXPECT_FALSE(Underlined(link));
  link.DestroyWindow();
}

TEST_F(HyperLinkTest, AClickOpensTheAddressThroughTheShell) {
  CHyperLinkStatic link;
  link.SetURL(L"https://example.invalid/support");
  ASSERT_TRUE(link.SubclassWindow(MakeStatic(L"Contact")));
  Click(link);
  ASSERT_EQ(g_shell.opened.size(), 1u);
  EXPECT_EQ(g_shell.opened[0], L"open https://example.invalid/support");
  EXPECT_TRUE(link.GetVisited());
  EXPECT_TRUE(g_shell.boxes.empty());
  link.DestroyWindow();
}

TEST_F(HyperLinkTest, AFailureBeepsAndExplainsAndLeavesTheLinkUnvisited) {
  CHyperLinkStatic link;
  ASSERT_TRUE(link.SubclassWindow(MakeStatic(L"notes.txt")));
  g_shell.answer = 32;  // exactly 32 is a failure
  Click(link);
  EXPECT_FALSE(link.GetVisited());
  ASSERT_EQ(g_shell.beeps.size(), 1u);
  EXPECT_EQ(g_shell.beeps[0], static_cast<UINT>(MB_ICONEXCLAMATION));
  ASSERT_EQ(g_shell.boxes.size(), 1u);
  EXPECT_EQ(g_shell.boxes[0], L"Unable to open hyperlink:\n\nThe specified dynamic-link library was not found.");
  EXPECT_TRUE(g_shell.started.empty());  // not a web address: no browser is started for it
  link.DestroyWindow();
}

// A Windows folder of the test's own, holding a copy of the test program (which carries a cursor
// 106) as the help program, or nothing; removed with what it holds on every way out.
class StandInWindowsFolder {
 public:
  explicit StandInWindowsFolder(bool withHelpProgram) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    s_folder = std::wstring(temp) + L"morvick-link-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(s_folder.c_str(), nullptr);
    if (withHelpProgram) {
      wchar_t self[MAX_PATH] = {};
      GetModuleFileNameW(nullptr, self, MAX_PATH);
      m_copied = CopyFileW(self, HelpProgram().c_str(), FALSE) != FALSE;
    }
    m_saved = CurrentControlShellHooks().getWindowsDirectory;
    CurrentControlShellHooks().getWindowsDirectory = Folder;
  }
  ~StandInWindowsFolder() {
    CurrentControlShellHooks().getWindowsDirectory = m_saved;
    DeleteFileW(HelpProgram().c_str());
    RemoveDirectoryW(s_folder.c_str());
  }
  bool Copied() const { return m_copied; }

 private:
  static UINT WINAPI Folder(LPWSTR buffer, UINT size) {
    if (s_folder.size() >= size) return static_cast<UINT>(s_folder.size() + 1);
    wcscpy(buffer, s_folder.c_str());
    return static_cast<UINT>(s_folder.size());
  }
  static std::wstring HelpProgram() { return s_folder + L"\\winhlp32.exe"; }
  static std::wstring s_folder;
  UINT(WINAPI* m_saved)(LPWSTR, UINT) = nullptr;
  bool m_copied = false;
};
std::wstring StandInWindowsFolder::s_folder;

// The cursor's mask and colour bits, to tell two cursors apart by their look.
std::vector<BYTE> CursorBits(HCURSOR cursor) {
  std::vector<BYTE> bits;
  ICONINFO info = {};
  if (cursor == nullptr || !GetIconInfo(cursor, &info)) return bits;
  for (HBITMAP bitmap : {info.hbmMask, info.hbmColor}) {
    BITMAP bm = {};
    if (bitmap == nullptr || !GetObjectW(bitmap, sizeof(bm), &bm)) continue;
    std::vector<BYTE> part(static_cast<size_t>(bm.bmWidthBytes) * bm.bmHeight);
    GetBitmapBits(bitmap, static_cast<LONG>(part.size()), part.data());
    bits.insert(bits.end(), part.begin(), part.end());
  }
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  return bits;
}

// The cursor the link shows when the mouse comes over it.
HCURSOR CursorOver(CHyperLinkStatic& link) {
  SetCursor(nullptr);
  link.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(link.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  return GetCursor();
}

TEST_F(HyperLinkTest, TheLinkPointerIsTheHelpProgramsCursor106ElseTheDefault) {
  {
    StandInWindowsFolder windows(true);
    ASSERT_TRUE(windows.Copied());
    CHyperLinkStatic link;
    ASSERT_TRUE(link.SubclassWindow(MakeStatic(L"Support")));
    const std::vector<BYTE> expected = CursorBits(LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(106)));
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(CursorBits(CursorOver(link)), expected);
    link.DestroyWindow();
  }
  {
    StandInWindowsFolder windows(false);
    CHyperLinkStatic link;
    ASSERT_TRUE(link.SubclassWindow(MakeStatic(L"Support")));
    EXPECT_EQ(CursorOver(link), LoadCursorW(nullptr, IDC_ARROW));  // the control's own cursor
    link.DestroyWindow();
  }
}

TEST_F(HyperLinkTest, ErrorTexts) {
  EXPECT_STREQ(CHyperLinkStatic::ShellErrorText(2).GetString(), L"The specified file was not found.");
  EXPECT_STREQ(CHyperLinkStatic::ShellErrorText(26).GetString(), L"A sharing violation occurred. ");
  EXPECT_STREQ(CHyperLinkStatic::ShellErrorText(31).GetString(),
               L"There is no application associated\nwith the given filename extension.");
  EXPECT_STREQ(CHyperLinkStatic::ShellErrorText(99).GetString(), L"Unknown Error (99) occurred.");
  EXPECT_STREQ(CHyperLinkStatic::ShellErrorText(-1).GetString(), L"Unknown Error (-1) occurred.");
}

}  // namespace
}  // namespace morvick::ui
