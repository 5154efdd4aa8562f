// The message channel: each kind through both dialogs, answers, the per-thread text, and a question
// from a worker thread shown on the user-interface thread and owned by the main window.

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

#include "tests/ui/win/DibCanvas.h"
#include "ui/msgbox/win/MessageDialogs.h"
#include "ui/msgbox/win/RichMessageBox.h"
#include "ui/msgbox/win/RichMessageBoxDialog.h"

namespace morvick::ui {
namespace {

std::wstring Text(HWND w) {
  wchar_t b[300] = {};
  GetWindowTextW(w, b, 300);
  return b;
}

class MessageChannelTest : public ::testing::Test {
 protected:
  static std::function<void(HWND)>& Script() {
    static std::function<void(HWND)> s;
    return s;
  }
  static void Created(HWND box) {
    boxThread = GetCurrentThreadId();
    boxOwner = GetWindow(box, GW_OWNER);
    caption = Text(box);
    body = CRichMessageBox::FromWindow(box)->Text();
    if (Script()) Script()(box);
  }
  static BOOL WINAPI Beep(UINT type) {
    beeps.push_back(type);
    return TRUE;
  }
  void SetUp() override {
    saved = CurrentRichMsgBoxHooks();
    CurrentRichMsgBoxHooks().created = Created;
    CurrentRichMsgBoxHooks().messageBeep = Beep;
    CurrentRichMsgBoxHooks().startHidden = true;
    beeps.clear();
  }
  void TearDown() override {
    CurrentRichMsgBoxHooks() = saved;
    Script() = nullptr;
    DetachMessageChannel();
  }
  static void Press(HWND box, UINT id) { PostMessageW(box, WM_COMMAND, id, 0); }

  RichMsgBoxHooks saved;
  static DWORD boxThread;
  static HWND boxOwner;
  static std::wstring caption;
  static std::wstring body;
  static std::vector<UINT> beeps;
};
DWORD MessageChannelTest::boxThread = 0;
HWND MessageChannelTest::boxOwner = nullptr;
std::wstring MessageChannelTest::caption;
std::wstring MessageChannelTest::body;
std::vector<UINT> MessageChannelTest::beeps;

TEST_F(MessageChannelTest, EachKindShowsItsIconThroughBothDialogs) {
  const UINT icons[] = {MB_ICONINFORMATION, MB_ICONERROR, MB_ICONQUESTION};
  for (int kind = 1; kind <= 3; ++kind) {
    Script() = [](HWND box) {
      EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
      EXPECT_EQ(GetDlgItem(box, IDYES), nullptr);
      Press(box, IDOK);
    };
    g_strMessageText = kind == 1 ? L"first" : L"second";
    CMessageDlg message;
    g_nMessageKind = kind;
    EXPECT_EQ(message.DoModal(), IDOK);
    EXPECT_EQ(caption, L"Morvick");
    EXPECT_NE(body.find(kind == 1 ? L"first" : L"second"), std::wstring::npos);
    if (kind == 2) EXPECT_EQ(body.find(L"first"), std::wstring::npos);
    Script() = [](HWND box) { Press(box, IDYES); };
    CConfirmDlg confirm;
    EXPECT_EQ(confirm.DoModal(), IDOK);
  }
  ASSERT_EQ(beeps.size(), 6u);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(beeps[i], icons[i / 2]);
}

TEST_F(MessageChannelTest, QuestionsAnswerOkOnlyForYes) {
  g_strMessageText = L"Do you really want to exit ?";
  g_nMessageKind = 3;
  Script() = [](HWND box) {
    EXPECT_NE(GetMenuState(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED, 0u);
    SendMessageW(box, WM_COMMAND, IDCANCEL, 0);  // Escape and the close box cannot answer
    Press(box, IDNO);
  };
  EXPECT_EQ(CConfirmDlg().DoModal(), IDCANCEL);
  Script() = [](HWND box) { Press(box, IDYES); };
  EXPECT_EQ(CConfirmDlg().DoModal(), IDOK);
}

TEST_F(MessageChannelTest, MessagesPaintTheLightGreyBackground) {
  Script() = [](HWND box) {
    RECT c;
    GetClientRect(box, &c);
    test::DibCanvas canvas(c.right, c.bottom);
    CRichMessageBox::FromWindow(box)->Paint(canvas.Dc());
    EXPECT_EQ(canvas.At(2, 2), RGB(0xF2, 0xF2, 0xF2));
    EXPECT_EQ(canvas.At(c.right - 3, c.bottom - 3), RGB(0xF2, 0xF2, 0xF2));
    Press(box, IDOK);
  };
  ShowMessage(L"Grey", 1);
}

TEST_F(MessageChannelTest, EscapedNamesShowAsWritten) {
  const std::wstring name = L"<b>report</b> & <a href=x>.txt";
  Script() = [](HWND box) { Press(box, IDOK); };
  g_strMessageText = CString(L"Error creating file : ") + EscapeMessageText(CString(name.c_str()));
  g_nMessageKind = 2;
  CMessageDlg().DoModal();
  EXPECT_NE(body.find(L"&lt;b>report&lt;/b> &amp; &lt;a href=x>.txt"), std::wstring::npos);
  EXPECT_EQ(body.find(L"<b>report"), std::wstring::npos);
}

TEST_F(MessageChannelTest, AWorkerAsksOnTheUiThreadWithTheMainWindowAsOwner) {
  HWND main = CreateWindowW(L"STATIC", L"Morvick main", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  AttachMessageChannel(main);
  const DWORD ui = GetCurrentThreadId();
  g_strMessageText = L"UI thread text";
  Script() = [](HWND box) { Press(box, IDYES); };
  int answer = 0;
  std::wstring workerTextAfter;
  // A thread of the runtime's own start (as the class library starts its workers), ended by
  // returning from its function.
  std::thread worker([&] {
    g_strMessageText = L"Do you want to stop file searching ?";
    CConfirmDlg dlg;
    g_nMessageKind = 3;
    answer = dlg.DoModal();
    workerTextAfter = std::wstring(g_strMessageText.Get().GetString());
  });
  // The user-interface thread keeps pumping its messages while the worker waits for the answer.
  for (const DWORD start = GetTickCount(); answer == 0 && GetTickCount() - start < 60000;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  worker.join();
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(boxThread, ui);
  EXPECT_EQ(boxOwner, main);
  EXPECT_NE(body.find(L"stop file searching"), std::wstring::npos);
  EXPECT_EQ(std::wstring(g_strMessageText.Get().GetString()), L"UI thread text");
  EXPECT_EQ(workerTextAfter, L"Do you want to stop file searching ?");
  DetachMessageChannel();
  DestroyWindow(main);
}

TEST_F(MessageChannelTest, WithoutAnAttachedWindowAWorkerShowsItsOwnBox) {
  DWORD worker = 0;
  Script() = [](HWND box) { Press(box, IDOK); };
  std::thread t([&] {
    worker = GetCurrentThreadId();
    ShowPlainMessage(L"a < b", 1);
  });
  t.join();
  EXPECT_EQ(boxThread, worker);
  EXPECT_NE(body.find(L"a &lt; b"), std::wstring::npos);
}

}  // namespace
}  // namespace morvick::ui
