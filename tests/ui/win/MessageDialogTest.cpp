// The two message dialogs over dialog 204: the kinds 1-3 go to the rich message box, any other
// kind shows the template itself with its icon, text, buttons, painted background and window
// region; a worker's dialog runs on the user-interface thread while the worker waits.

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "tests/ui/win/DibCanvas.h"
#include "tests/ui/win/MessageDialogWatch.h"
#include "ui/msgbox/win/MessageDialogs.h"
#include "ui/msgbox/win/RichMessageBox.h"
#include "ui/msgbox/win/RichMessageBoxDialog.h"

namespace morvick::ui {
namespace {

HWND g_shown = nullptr;

void WhenShown(std::function<void(HWND)> script) {
  g_shown = nullptr;
  test::WhenMessageDialogShown([script](HWND w) {
    g_shown = w;
    script(w);
  });
}

void Press(HWND w, UINT id) { PostMessageW(w, WM_COMMAND, id, 0); }

std::wstring Text(HWND w) {
  wchar_t b[300] = {};
  GetWindowTextW(w, b, 300);
  return b;
}

HICON IconResource(UINT id) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0,
                                       LR_DEFAULTSIZE | LR_SHARED));
}

TEST(MessageDialogTest, TheTemplateShowsEachKindsIconTextAndButtons) {
  struct Case {
    int kind;
    UINT icon;
  } cases[] = {{1, 219}, {2, 218}, {3, 220}, {0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    g_strMessageText = c.kind == 1 ? L"Files Saved Successfully." : L"Do you really want to exit ?";
    const std::wstring expected = c.kind == 1 ? L"Files Saved Successfully." : L"Do you really want to exit ?";
    HICON shownIcon = nullptr;
    std::wstring shownText;
    WhenShown([&](HWND w) {
      shownIcon = reinterpret_cast<HICON>(SendDlgItemMessageW(w, IDC_MESSAGE_ICON, STM_GETICON, 0, 0));
      shownText = Text(GetDlgItem(w, IDC_MESSAGE_TEXT));
      EXPECT_NE(GetDlgItem(w, IDOK), nullptr);
      EXPECT_NE(GetDlgItem(w, IDCANCEL), nullptr);
      Press(w, IDOK);
    });
    CMessageDlg message;
    g_nMessageKind = c.kind;
    EXPECT_EQ(message.DoModalTemplate(), IDOK);
    EXPECT_EQ(shownText, expected);
    if (c.icon) {
      EXPECT_EQ(shownIcon, IconResource(c.icon));
      EXPECT_NE(shownIcon, nullptr);
    } else {
      EXPECT_EQ(shownIcon, nullptr);
    }
    if (c.kind == 3) {
      // The question dialog shows the same, answered with Cancel.
      WhenShown([&](HWND w) {
        EXPECT_EQ(reinterpret_cast<HICON>(SendDlgItemMessageW(w, IDC_MESSAGE_ICON, STM_GETICON, 0, 0)),
                  IconResource(c.icon));
        Press(w, IDCANCEL);
      });
      CConfirmDlg confirm;
      g_nMessageKind = c.kind;
      EXPECT_EQ(confirm.DoModalTemplate(), IDCANCEL);
    }
  }
  EXPECT_EQ(CMessageDialogBase::IconIdOf(4), 0u);
}

TEST(MessageDialogTest, AKindOutsideOneToThreeRunsTheTemplateAndAnswersOkOrCancel) {
  g_strMessageText = L"A notice of no known kind";
  WhenShown([](HWND w) { Press(w, IDOK); });
  CConfirmDlg yes;
  g_nMessageKind = 0;
  EXPECT_EQ(yes.DoModal(), IDOK);
  ASSERT_NE(g_shown, nullptr);

  // Escape (or the close box) ends it as Cancel.
  WhenShown([](HWND w) { SendMessageW(w, WM_COMMAND, IDCANCEL, 0); });
  CConfirmDlg no;
  g_nMessageKind = 5;
  EXPECT_EQ(no.DoModal(), IDCANCEL);

  WhenShown([](HWND w) { Press(w, IDOK); });
  CMessageDlg notice;
  g_nMessageKind = -1;
  EXPECT_EQ(notice.DoModal(), IDOK);
}

BOOL WINAPI Silent(UINT) { return TRUE; }

// Paints a rich box and tells whether the system icon sits in its first body cell.
bool ShowsSystemIcon(HWND box, LPCWSTR icon) {
  RECT c;
  GetClientRect(box, &c);
  test::DibCanvas canvas(c.right, c.bottom);
  CRichMessageBox::FromWindow(box)->Paint(canvas.Dc());
  return test::IconMatchPercent(canvas, 14 + 5, 14 + 5, LoadIconW(nullptr, icon), RGB(0xF2, 0xF2, 0xF2)) > 75;
}

TEST(MessageDialogTest, KindsOneToThreeGoToTheRichMessageBoxWithTheirIcons) {
  RichMsgBoxHooks saved = CurrentRichMsgBoxHooks();
  CurrentRichMsgBoxHooks().startHidden = true;
  CurrentRichMsgBoxHooks().messageBeep = Silent;
  static int s_kind;
  CurrentRichMsgBoxHooks().created = [](HWND box) {
    EXPECT_EQ(GetDlgItem(box, IDC_MESSAGE_TEXT), nullptr);  // not dialog 204
    const LPCWSTR icons[] = {IDI_ASTERISK, IDI_HAND, IDI_QUESTION};
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(ShowsSystemIcon(box, icons[k - 1]), k == s_kind) << s_kind << " " << k;
    PostMessageW(box, WM_COMMAND, GetDlgItem(box, IDYES) ? IDYES : IDOK, 0);
  };
  for (s_kind = 1; s_kind <= 3; ++s_kind) {
    g_strMessageText = L"Do you want to stop partition searching ?";
    CConfirmDlg confirm;
    g_nMessageKind = s_kind;
    EXPECT_EQ(confirm.DoModal(), IDOK);
    CMessageDlg message;
    g_nMessageKind = s_kind;
    EXPECT_EQ(message.DoModal(), IDOK);
  }
  CurrentRichMsgBoxHooks() = saved;
}

TEST(MessageDialogTest, TheEraseCopiesTheBackgroundAndTheWindowTakesItsShape) {
  g_strMessageText = L"Skinned";
  CMessageDlg dlg;
  ASSERT_NE(dlg.Background(), nullptr);
  ASSERT_NE(dlg.Region(), nullptr);
  BITMAP bm = {};
  ASSERT_TRUE(GetObjectW(dlg.Background(), sizeof bm, &bm));
  test::DibCanvas art(bm.bmWidth, bm.bmHeight);
  {
    HDC mem = CreateCompatibleDC(art.Dc());
    HGDIOBJ old = SelectObject(mem, dlg.Background());
    BitBlt(art.Dc(), 0, 0, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
  }
  // The art itself: key green in the corners, the panel inside.
  EXPECT_EQ(art.At(0, 0), RGB(0, 255, 0));
  EXPECT_EQ(art.At(bm.bmWidth - 1, bm.bmHeight - 1), RGB(0, 255, 0));
  EXPECT_NE(art.At(bm.bmWidth / 2, bm.bmHeight / 2), RGB(0, 255, 0));

  WhenShown([&](HWND w) {
    RECT client;
    GetClientRect(w, &client);
    RECT window;
    GetWindowRect(w, &window);
    // The panel covers the whole borderless dialog.
    EXPECT_EQ(window.right - window.left, client.right);
    EXPECT_LE(client.right, bm.bmWidth);
    EXPECT_LE(client.bottom, bm.bmHeight);
    EXPECT_GE(client.right, bm.bmWidth - 8);
    EXPECT_GE(client.bottom, bm.bmHeight - 8);

    test::DibCanvas canvas(bm.bmWidth, bm.bmHeight, RGB(1, 2, 3));
    EXPECT_NE(SendMessageW(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Dc()), 0), 0);
    const POINT probes[] = {{0, 0}, {bm.bmWidth / 2, bm.bmHeight / 2}, {1, bm.bmHeight / 2},
                            {bm.bmWidth / 3, 2}, {bm.bmWidth - 1, bm.bmHeight - 1}};
    for (POINT p : probes) EXPECT_EQ(canvas.At(p.x, p.y), art.At(p.x, p.y)) << p.x << "," << p.y;

    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(w, shape), ERROR);
    EXPECT_FALSE(PtInRegion(shape, 0, 0));
    EXPECT_FALSE(PtInRegion(shape, client.right - 1, client.bottom - 1));
    EXPECT_TRUE(PtInRegion(shape, client.right / 2, client.bottom / 2));
    EXPECT_TRUE(PtInRegion(shape, 1, client.bottom / 2));
    DeleteObject(shape);

    // The text lies on the panel in the skinned dialogs' colour.
    HWND text = GetDlgItem(w, IDC_MESSAGE_TEXT);
    RECT tr;
    GetClientRect(text, &tr);
    test::DibCanvas ink(tr.right, tr.bottom, RGB(1, 2, 3));
    SendMessageW(text, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(ink.Dc()), PRF_CLIENT);
    EXPECT_GT(ink.CountInk(CMessageDialogBase::kTextColour, tr), 0);
    EXPECT_EQ(ink.At(tr.right - 1, tr.bottom - 1), RGB(1, 2, 3));
    Press(w, IDOK);
  });
  g_nMessageKind = 0;
  EXPECT_EQ(dlg.DoModal(), IDOK);
  // The dialog keeps its own region after the window (which owned a copy) is gone.
  EXPECT_NE(GetObjectType(dlg.Region()), 0u);
}

TEST(MessageDialogTest, AWorkersTemplateDialogRunsOnTheUiThreadOwnedByTheMainWindow) {
  HWND main = CreateWindowW(L"STATIC", L"Morvick main", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                            nullptr, nullptr);
  AttachMessageChannel(main);
  const DWORD ui = GetCurrentThreadId();
  DWORD dialogThread = 0;
  HWND owner = nullptr;
  std::wstring shownText;
  g_strMessageText = L"UI thread text";
  WhenShown([&](HWND w) {
    dialogThread = GetWindowThreadProcessId(w, nullptr);
    owner = GetWindow(w, GW_OWNER);
    shownText = Text(GetDlgItem(w, IDC_MESSAGE_TEXT));
    Press(w, IDCANCEL);
  });
  INT_PTR answer = 0;
  std::thread worker([&] {
    g_strMessageText = L"Stop the search ?";
    CConfirmDlg dlg;
    g_nMessageKind = 9;
    answer = dlg.DoModal();
  });
  for (const DWORD start = GetTickCount(); answer == 0 && GetTickCount() - start < 60000;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  worker.join();
  EXPECT_EQ(answer, IDCANCEL);
  EXPECT_EQ(dialogThread, ui);
  EXPECT_EQ(owner, main);
  EXPECT_EQ(shownText, L"Stop the search ?");
  EXPECT_EQ(std::wstring(g_strMessageText.Get().GetString()), L"UI thread text");
  DetachMessageChannel();
  DestroyWindow(main);
}

}  // namespace
}  // namespace morvick::ui
