// The rich message box driven by messages: button sets and ids, Escape and the close box, the
// details toggle, countdowns, disabled periods, remembered answers, painting and worker threads.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <thread>
#include <vector>

#include "tests/support/win/SavedRegistry.h"
#include "tests/ui/win/DibCanvas.h"
#include "ui/msgbox/win/RichMessageBox.h"
#include "ui/msgbox/win/RichMessageBoxDialog.h"
#include "ui/msgbox/win/RichMsgBoxButtons.h"

namespace morvick::ui {
namespace {

struct Button {
  UINT id;
  std::wstring text;
  RECT rect;
  LONG style;
  bool enabled;
};

std::wstring Text(HWND w) {
  wchar_t b[300] = {};
  GetWindowTextW(w, b, 300);
  return b;
}

// The push buttons of a box, left to right.
std::vector<Button> Buttons(HWND box) {
  std::vector<Button> out;
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t cls[32] = {};
    GetClassNameW(c, cls, 32);
    LONG style = static_cast<LONG>(GetWindowLongPtrW(c, GWL_STYLE));
    if (lstrcmpiW(cls, L"Button") != 0 || (style & 0xF) == BS_AUTOCHECKBOX) continue;
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
    out.push_back(Button{static_cast<UINT>(GetDlgCtrlID(c)), Text(c), r, style, IsWindowEnabled(c) != FALSE});
  }
  std::sort(out.begin(), out.end(), [](const Button& a, const Button& b) { return a.rect.left < b.rect.left; });
  return out;
}

std::vector<UINT> Ids(HWND box) {
  std::vector<UINT> ids;
  for (auto& b : Buttons(box)) ids.push_back(b.id);
  return ids;
}

void Press(HWND box, UINT id) { PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

bool CloseItemGrayed(HWND box) { return (GetMenuState(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED) != 0; }

class RichMessageBoxTest : public ::testing::Test {
 protected:
  static std::function<void(HWND)>& Script() {
    static std::function<void(HWND)> script;
    return script;
  }
  static void Created(HWND box) {
    ++created;
    if (Script()) Script()(box);
  }
  static BOOL WINAPI Beep(UINT type) {
    beeps.push_back(type);
    return TRUE;
  }
  static BOOL WINAPI Help(HWND, LPCWSTR file, UINT command, ULONG_PTR data) {
    helpFile = file;
    helpCommand = command;
    helpData = data;
    return TRUE;
  }
  void SetUp() override {
    saved = CurrentRichMsgBoxHooks();
    CurrentRichMsgBoxHooks().created = Created;
    CurrentRichMsgBoxHooks().messageBeep = Beep;
    CurrentRichMsgBoxHooks().winHelp = Help;
    CurrentRichMsgBoxHooks().startHidden = true;
    created = 0;
    beeps.clear();
  }
  void TearDown() override {
    CurrentRichMsgBoxHooks() = saved;
    Script() = nullptr;
  }
  int Show(UINT style, std::function<void(HWND)> script, const RichMsgBoxParams* p = nullptr,
           LPCWSTR text = L"Some text", LPCWSTR caption = L"Morvick") {
    Script() = std::move(script);
    return RichMessageBox(nullptr, text, caption, style, p);
  }

  RichMsgBoxHooks saved;
  static int created;
  static std::vector<UINT> beeps;
  static std::wstring helpFile;
  static UINT helpCommand;
  static ULONG_PTR helpData;
};
int RichMessageBoxTest::created = 0;
std::vector<UINT> RichMessageBoxTest::beeps;
std::wstring RichMessageBoxTest::helpFile;
UINT RichMessageBoxTest::helpCommand = 0;
ULONG_PTR RichMessageBoxTest::helpData = 0;

TEST(RichMsgBoxButtons, SetsTextsAndFormats) {
  EXPECT_EQ(RichMsgBoxButtonSet(3 | kRmbYesToAll | kRmbNoToAll), (std::vector<UINT>{6, 19, 7, 20, 2}));
  EXPECT_EQ(RichMsgBoxButtonSet(4 | kRmbNoToAll), (std::vector<UINT>{6, 7, 20}));
  EXPECT_EQ(RichMsgBoxButtonSet(6), (std::vector<UINT>{2, 10, 11}));
  EXPECT_TRUE(RichMsgBoxButtonSet(12).empty());
  EXPECT_TRUE(RichMsgBoxSetAllowsCancel(0, false));
  EXPECT_FALSE(RichMsgBoxSetAllowsCancel(0, true));
  EXPECT_FALSE(RichMsgBoxSetAllowsCancel(4, false));
  EXPECT_EQ(FormatRichMsgBoxText(L"%s (%d seconds remaining)", L"Morvick", 5), L"Morvick (5 seconds remaining)");
  EXPECT_EQ(FormatRichMsgBoxText(L"%s %s %d %d %n %x 100%%", L"a", 1), L"a %s 1 %d %n %x 100%");
  EXPECT_EQ(RichMsgBoxCustomLines(L"One\r\n\nTwo\nThree\nFour\nFive"), (std::vector<std::wstring>{L"One", L"Two", L"Three", L"Four"}));
}

TEST_F(RichMessageBoxTest, EveryButtonSetShowsItsButtonsInOrder) {
  for (UINT set = 0; set <= 9; ++set) {
    UINT style = set | kRmbYesToAll | kRmbNoToAll | MB_ICONINFORMATION;
    std::vector<UINT> seen;
    std::vector<std::wstring> texts;
    int r = Show(style, [&](HWND box) {
      for (auto& b : Buttons(box)) {
        seen.push_back(b.id);
        texts.push_back(b.text);
      }
      Press(box, seen.back());
    });
    EXPECT_EQ(seen, RichMsgBoxButtonSet(style)) << set;
    EXPECT_EQ(r, static_cast<int>(seen.back())) << set;
    for (size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(texts[i], FindRichMsgBoxButton(seen[i])->text);
  }
  EXPECT_EQ(beeps.size(), 10u);
  EXPECT_EQ(beeps[0], static_cast<UINT>(MB_ICONINFORMATION));
}

TEST_F(RichMessageBoxTest, ButtonRowGeometryAndDefaultButton) {
  Show(MB_YESNOCANCEL | MB_DEFBUTTON2, [&](HWND box) {
    auto b = Buttons(box);
    ASSERT_EQ(b.size(), 3u);
    RECT client;
    GetClientRect(box, &client);
    for (size_t i = 0; i < b.size(); ++i) {
      EXPECT_GE(b[i].rect.right - b[i].rect.left, 80);
      EXPECT_GE(b[i].rect.bottom - b[i].rect.top, 23);
      EXPECT_EQ(b[i].rect.bottom, client.bottom - 11);
      if (i > 0) EXPECT_EQ(b[i].rect.left, b[i - 1].rect.right + 11);
    }
    int total = b.back().rect.right - b.front().rect.left;
    EXPECT_NEAR(b.front().rect.left, (client.right - total) / 2, 1);
    EXPECT_EQ(b[1].style & 0xF, BS_DEFPUSHBUTTON);
    EXPECT_EQ(b[0].style & 0xF, BS_PUSHBUTTON);
    Press(box, IDNO);
  });
  Show(MB_YESNO | (3 << 8), [&](HWND box) {
    auto b = Buttons(box);
    EXPECT_EQ(b[0].style & 0xF, BS_DEFPUSHBUTTON);  // index past the last button: the first
    Press(box, IDYES);
  });
}

TEST_F(RichMessageBoxTest, CustomButtonsReplaceTheSetButNotHelpReportOrMore) {
  RichMsgBoxParams p = DefaultRichMsgBoxParams();
  p.customButtons = L"First\n\nSecond\r\nThird\nFourth\nFifth";
  p.detailsText = L"details";
  p.reportMessage = WM_APP + 3;
  HWND owner = CreateWindowW(L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  Script() = [&](HWND box) {
    EXPECT_EQ(Ids(box), (std::vector<UINT>{23, 24, 25, 26, 9, 21, 31}));
    EXPECT_EQ(Text(GetDlgItem(box, 24)), L"Second");
    EXPECT_TRUE(CloseItemGrayed(box));
    SendMessageW(box, WM_COMMAND, IDCANCEL, 0);  // ignored: custom buttons allow no cancel
    SendMessageW(box, WM_COMMAND, 9, 0);
    Press(box, 25);
  };
  int r = RichMessageBox(owner, L"Pick one", L"Morvick", MB_YESNO | kRmbHelp, &p);
  EXPECT_EQ(r, 25);
  EXPECT_NE(helpFile.find(L".hlp"), std::wstring::npos);
  EXPECT_EQ(helpCommand, static_cast<UINT>(HELP_PARTIALKEY));
  DestroyWindow(owner);
}

TEST_F(RichMessageBoxTest, EscapeEndsOnlyBoxesThatAllowIt) {
  EXPECT_EQ(Show(MB_OK, [](HWND box) {
              EXPECT_FALSE(CloseItemGrayed(box));
              PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
            }),
            IDCANCEL);
  EXPECT_EQ(Show(MB_YESNO, [](HWND box) {
              EXPECT_TRUE(CloseItemGrayed(box));
              SendMessageW(box, WM_COMMAND, IDCANCEL, 0);
              SendMessageW(box, WM_CLOSE, 0, 0);
              EXPECT_TRUE(IsWindow(box));
              Press(box, IDNO);
            }),
            IDNO);
}

TEST_F(RichMessageBoxTest, AutoCloseCountsDownOnTheDefaultButton) {
  RichMsgBoxParams p = DefaultRichMsgBoxParams();
  p.autoCloseSeconds = 5;
  std::vector<std::wstring> texts;
  int r = Show(MB_OK, [&](HWND box) {
    HWND ok = GetDlgItem(box, IDOK);
    texts.push_back(Text(ok));
    for (int i = 0; i < 5; ++i) {
      SendMessageW(box, WM_TIMER, 1, 0);
      if (IsWindow(ok)) texts.push_back(Text(ok));
    }
  }, &p);
  EXPECT_EQ(r, IDOK);
  ASSERT_GE(texts.size(), 5u);
  EXPECT_EQ(texts[0], L"OK = 5");
  EXPECT_EQ(texts[1], L"OK = 4");
  EXPECT_EQ(texts[4], L"OK = 1");
}

// Automated runs answer each box as its default button would, without showing it.
TEST_F(RichMessageBoxTest, UnattendedBoxesAnswerWithTheirDefaultButton) {
  SetEnvironmentVariableW(L"MORVICK_TEST_AUTOCLOSE_MESSAGES", L"1");
  struct Unset {
    ~Unset() { SetEnvironmentVariableW(L"MORVICK_TEST_AUTOCLOSE_MESSAGES", nullptr); }
  } unset;
  EXPECT_EQ(Show(MB_YESNO, nullptr), IDYES);
  EXPECT_EQ(Show(MB_YESNO | MB_DEFBUTTON2, nullptr), IDNO);
  EXPECT_EQ(Show(MB_OKCANCEL | MB_DEFBUTTON2, nullptr), IDCANCEL);
  EXPECT_EQ(Show(MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, nullptr), IDIGNORE);
  EXPECT_EQ(Show(MB_CANCELTRYCONTINUE, nullptr), IDCANCEL);
  // An index past the last button means the first; the extra buttons count in their places.
  EXPECT_EQ(Show(MB_YESNO | MB_DEFBUTTON4, nullptr), IDYES);
  EXPECT_EQ(Show(MB_YESNO | kRmbYesToAll | MB_DEFBUTTON2, nullptr), static_cast<int>(kRmbIdYesToAll));
  RichMsgBoxParams p = DefaultRichMsgBoxParams();
  p.customButtons = L"Save\nDiscard\nKeep";
  EXPECT_EQ(Show(MB_OK | MB_DEFBUTTON3, nullptr, &p), static_cast<int>(kRmbIdCustom1 + 2));
  // A ticked check box comes back with its bit, and no answer is remembered.
  p = DefaultRichMsgBoxParams();
  p.answerPrefix = L"MorvickUnattended";
  p.answerSection = L"Morvick Unattended Tests";
  const std::wstring key = std::wstring(L"Software\\") + p.answerSection;
  EXPECT_EQ(Show(MB_OKCANCEL | MB_DEFBUTTON2 | kRmbCheckBox | kRmbChecked, nullptr, &p),
            IDCANCEL | static_cast<int>(kRmbChecked));
  HKEY k = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &k), ERROR_SUCCESS);
  EXPECT_EQ(created, 0) << "a box was shown";
  EXPECT_TRUE(beeps.empty());
}

TEST_F(RichMessageBoxTest, DisabledPeriodWithTheCountdownInTheCaption) {
  RichMsgBoxParams p = DefaultRichMsgBoxParams();
  p.disabledSeconds = 5;
  p.countdownInCaption = 1;
  int r = Show(MB_YESNOCANCEL | kRmbHelp, [&](HWND box) {
    EXPECT_EQ(Text(box), L"Morvick (5 seconds remaining)");
    for (auto& b : Buttons(box)) EXPECT_EQ(b.enabled, b.id == 9) << b.id;
    EXPECT_TRUE(CloseItemGrayed(box));
    SendMessageW(box, WM_TIMER, 1, 0);
    EXPECT_EQ(Text(box), L"Morvick (4 seconds remaining)");
    for (int i = 0; i < 4; ++i) SendMessageW(box, WM_TIMER, 1, 0);
    EXPECT_EQ(Text(box), L"Morvick");
    for (auto& b : Buttons(box)) EXPECT_TRUE(b.enabled) << b.id;
    EXPECT_FALSE(CloseItemGrayed(box));
    EXPECT_EQ(GetDlgItem(box, IDYES) != nullptr, true);
    EXPECT_EQ(GetWindowLongPtrW(GetDlgItem(box, IDYES), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
    Press(box, IDCANCEL);
  }, &p);
  EXPECT_EQ(r, IDCANCEL);
}

// Without the countdown in the caption only the default button waits: Cancel, Escape and the close
// box answer at once, unless Cancel is the one that waits.
TEST_F(RichMessageBoxTest, DisabledPeriodWithoutTheCountdownInTheCaption) {
  RichMsgBoxParams p = DefaultRichMsgBoxParams();
  p.disabledSeconds = 3;
  EXPECT_EQ(Show(MB_OKCANCEL, [&](HWND box) {
              EXPECT_EQ(Text(box), L"Morvick");
              HWND ok = GetDlgItem(box, IDOK);
              EXPECT_EQ(Text(ok), L"OK = 3");
              EXPECT_FALSE(IsWindowEnabled(ok));
              EXPECT_TRUE(IsWindowEnabled(GetDlgItem(box, IDCANCEL)));
              EXPECT_FALSE(CloseItemGrayed(box));
              for (int i = 0; i < 3; ++i) SendMessageW(box, WM_TIMER, 1, 0);
              EXPECT_EQ(Text(ok), L"OK");
              EXPECT_TRUE(IsWindowEnabled(ok));
              Press(box, IDOK);
            }, &p),
            IDOK);
  // Each way of cancelling, taken while OK still waits; OK answers only where it was not taken.
  const std::vector<std::function<void(HWND)>> cancels = {
      [](HWND box) { Press(box, IDCANCEL); },
      [](HWND box) { PostMessageW(GetDlgItem(box, IDCANCEL), WM_KEYDOWN, VK_ESCAPE, 1); },
      [](HWND box) { SendMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); },
  };
  for (size_t way = 0; way < cancels.size(); ++way) {
    EXPECT_EQ(Show(MB_OKCANCEL, [&](HWND box) {
                cancels[way](box);
                Press(box, IDOK);
              }, &p),
              IDCANCEL) << way;
  }
  // A waiting Cancel greys the Close item.
  EXPECT_EQ(Show(MB_OKCANCEL | MB_DEFBUTTON2, [&](HWND box) {
              EXPECT_EQ(Text(GetDlgItem(box, IDCANCEL)), L"Cancel = 3");
              EXPECT_FALSE(IsWindowEnabled(GetDlgItem(box, IDCANCEL)));
              EXPECT_TRUE(CloseItemGrayed(box));
              Press(box, IDOK);
            }, &p),
            IDOK);
}

TEST_F(RichMessageBoxTest, RememberedAnswers) {
  RichMsgBoxParams p = DefaultRichMsgBoxParams();
  p.answerPrefix = L"MorvickTest";
  p.answerSection = L"MorvickTests";
  p.messageId = 7;
  const std::wstring key = RichMsgBoxAnswerKey(L"MorvickTests");
  EXPECT_NE(key.find(L"\\RichMessageBox"), std::wstring::npos);
  // The answers go with the test, and so do the keys above them that it made.
  test::SavedRegistryKey saved(HKEY_CURRENT_USER, key);
  RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
  // Ticked and answered Yes: stored with bit 25, and returned next time without a box or a beep.
  int r = Show(MB_YESNO | kRmbCheckBox | kRmbNoBeep, [](HWND box) {
    HWND check = nullptr;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      if ((GetWindowLongPtrW(c, GWL_STYLE) & 0xF) == BS_AUTOCHECKBOX) check = c;
    }
    ASSERT_NE(check, nullptr);
    SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
    Press(box, IDYES);
  }, &p);
  EXPECT_EQ(r, IDYES | static_cast<int>(kRmbChecked));
  HKEY k;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_ALL_ACCESS, &k), ERROR_SUCCESS);
  DWORD stored = 0, type = 0, size = sizeof stored;
  EXPECT_EQ(RegQueryValueExW(k, L"MorvickTest7", nullptr, &type, reinterpret_cast<BYTE*>(&stored), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(stored, static_cast<DWORD>(IDYES) | kRmbChecked);
  // The stored answer as it was written, then another one put there by hand.
  created = 0;
  beeps.clear();
  EXPECT_EQ(Show(MB_YESNO | kRmbCheckBox, nullptr, &p), IDYES | static_cast<int>(kRmbChecked));
  EXPECT_EQ(created, 0);
  DWORD no = IDNO;
  RegSetValueExW(k, L"MorvickTest7", 0, REG_DWORD, reinterpret_cast<BYTE*>(&no), 4);
  EXPECT_EQ(Show(MB_YESNO | kRmbCheckBox, nullptr, &p), IDNO);
  EXPECT_EQ(created, 0);
  EXPECT_TRUE(beeps.empty());
  DWORD zero = 0;
  RegSetValueExW(k, L"MorvickTest7", 0, REG_DWORD, reinterpret_cast<BYTE*>(&zero), 4);
  RegCloseKey(k);
  EXPECT_EQ(Show(MB_YESNO | kRmbCheckBox, [](HWND box) { Press(box, IDNO); }, &p), IDNO);
  EXPECT_EQ(created, 1);
  RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
  // With no prefix nothing is stored, but the answer still carries the ticked bit.
  p.answerPrefix = nullptr;
  EXPECT_EQ(Show(MB_OK | kRmbCheckBox | kRmbChecked, [](HWND box) { Press(box, IDOK); }, &p), IDOK | static_cast<int>(kRmbChecked));
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &k), ERROR_SUCCESS);
}

TEST_F(RichMessageBoxTest, DetailsToggleTwiceRestoresTheHeight) {
  RichMsgBoxParams p = DefaultRichMsgBoxParams();
  p.detailsText = L"line one\nline two";
  Show(MB_OK, [](HWND box) {
    RECT first, expanded, back;
    GetWindowRect(box, &first);
    HWND more = GetDlgItem(box, 31);
    EXPECT_EQ(Text(more), L"More >>");
    SendMessageW(box, WM_COMMAND, 31, 0);
    GetWindowRect(box, &expanded);
    EXPECT_EQ(Text(more), L"<< More");
    EXPECT_EQ(expanded.bottom - expanded.top - (first.bottom - first.top), CRichMessageBox::FromWindow(box)->DetailsHeight());
    EXPECT_EQ(expanded.top, first.top);
    SendMessageW(box, WM_COMMAND, 31, 0);
    GetWindowRect(box, &back);
    EXPECT_EQ(back.bottom - back.top, first.bottom - first.top);
    EXPECT_EQ(Text(more), L"More >>");
    Press(box, IDOK);
  }, &p);
}

// However long the details, the box keeps the width of its message and buttons; the details wrap
// within it and their area grows to hold every line.
TEST_F(RichMessageBoxTest, DetailsWrapInsideTheBoxWithoutWideningIt) {
  RichMsgBoxParams p = DefaultRichMsgBoxParams();
  auto measure = [&](const wchar_t* details, RECT* window, int* detailsHeight) {
    p.detailsText = details;
    Show(MB_OK, [&](HWND box) {
      GetWindowRect(box, window);
      *detailsHeight = CRichMessageBox::FromWindow(box)->DetailsHeight();
      Press(box, IDOK);
    }, &p, L"Short.");
  };
  RECT shortBox, longBox;
  int shortHeight = 0, longHeight = 0;
  measure(L"One line.", &shortBox, &shortHeight);
  std::wstring many;
  for (int i = 0; i < 40; ++i) many += L"sector " + std::to_wstring(i) + L" unreadable, ";
  measure(many.c_str(), &longBox, &longHeight);
  EXPECT_EQ(longBox.right - longBox.left, shortBox.right - shortBox.left);
  EXPECT_GT(longHeight, 3 * (shortHeight - 28));
}

TEST_F(RichMessageBoxTest, ALongNameCannotMakeTheBoxWiderThanTheScreen) {
  std::wstring text = L"Error creating file : C:\\" + std::wstring(5000, L'n') + L".txt";
  Show(MB_ICONERROR, [](HWND box) {
    RECT r;
    GetWindowRect(box, &r);
    EXPECT_LE(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_GT(r.bottom - r.top, 100);
    Press(box, IDOK);
  }, nullptr, text.c_str());
}

TEST_F(RichMessageBoxTest, CaptionFallsBackToError) {
  std::wstring caption;
  Show(MB_OK, [&](HWND box) {
    caption = Text(box);
    Press(box, IDOK);
  }, nullptr, L"x", L"");
  EXPECT_EQ(caption, L"Error");
}

TEST_F(RichMessageBoxTest, PaintsTheFillAndTheIcon) {
  RichMsgBoxParams p = DefaultRichMsgBoxParams();
  const COLORREF grey = RGB(0xF2, 0xF2, 0xF2);
  p.background = RichMsgBoxArea{0, 2, nullptr, 12, grey, grey, grey};
  Show(MB_ICONERROR, [&](HWND box) {
    RECT c;
    GetClientRect(box, &c);
    test::DibCanvas canvas(c.right, c.bottom, RGB(1, 2, 3));
    CRichMessageBox::FromWindow(box)->Paint(canvas.Dc());
    EXPECT_EQ(canvas.At(1, 1), grey);
    EXPECT_EQ(canvas.At(c.right - 2, c.bottom - 2), grey);
    // The icon sits in the first cell of the body: 14 margin + 5 padding. Edge pixels are blended
    // by hand, not by DrawIconEx.
    EXPECT_GT(test::IconMatchPercent(canvas, 14 + 5, 14 + 5, LoadIconW(nullptr, IDI_HAND), grey), 75);
    Press(box, IDOK);
  }, &p, L"An error happened.");
}

TEST_F(RichMessageBoxTest, WorksFromAWorkerThread) {
  int result = 0;
  CurrentRichMsgBoxHooks().startHidden = false;  // this one is shown, as in the program
  Script() = [](HWND box) { Press(box, IDOK); };
  std::thread worker([&] { result = RichMessageBox(nullptr, L"From a worker", L"Morvick", MB_OK); });
  worker.join();
  EXPECT_EQ(result, IDOK);
}

}  // namespace
}  // namespace morvick::ui
