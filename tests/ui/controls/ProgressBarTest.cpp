// The gradient and text progress bars: what each draws at the ends and in the middle of the range,
// with an empty range, their snake and text modes and the messages they answer themselves.
#include <gtest/gtest.h>

#include "tests/ui/controls/ControlsTestSupport.h"
#include "ui/controls/win/GradientProgressCtrl.h"
#include "ui/controls/win/TextProgressCtrl.h"

namespace morvick::ui {
namespace {

using test::DibCanvas;

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGrey = RGB(200, 200, 200);
const int kWidth = 200;
const int kHeight = 20;

class GradientBarTest : public ::testing::Test {
 protected:
  void SetUp() override { Make(WS_CHILD | WS_VISIBLE); }
  void Make(DWORD style, int width = kWidth, int height = kHeight) {
    if (bar.m_hWnd) bar.DestroyWindow();
    ASSERT_TRUE(bar.Create(style, CRect(0, 0, width, height), &parent, 100));
    bar.SetRange32(0, 100);
    bar.SetBkColor(kGrey);
    bar.SetBarColor(kRed);  // the first parameter 0: a solid bar
  }
  void Paint(DibCanvas& c) { bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.Dc()), PRF_CLIENT); }
  test::TestParent parent;
  CGradientProgressCtrl bar;
};

TEST_F(GradientBarTest, FillsInProportionToThePosition) {
  DibCanvas c(kWidth, kHeight, RGB(1, 2, 3));
  bar.SetPos(0);
  Paint(c);
  EXPECT_EQ(c.Count(kGrey, RECT{0, 0, kWidth, kHeight}), kWidth * kHeight);

  bar.SetPos(50);
  Paint(c);
  EXPECT_EQ(c.At(0, 10), kRed);
  EXPECT_EQ(c.At(99, 10), kRed);
  EXPECT_EQ(c.At(100, 10), kGrey);
  EXPECT_EQ(c.Count(kRed, RECT{0, 0, kWidth, kHeight}), 100 * kHeight);

  bar.SetPos(100);
  Paint(c);
  EXPECT_EQ(c.Count(kRed, RECT{0, 0, kWidth, kHeight}), kWidth * kHeight);
}

TEST_F(GradientBarTest, AnEmptyRangeDrawsOnlyTheBackground) {
  DibCanvas c(kWidth, kHeight, RGB(1, 2, 3));
  bar.SetRange32(5, 5);
  bar.SetPos(5);
  Paint(c);
  EXPECT_EQ(c.Count(kGrey, RECT{0, 0, kWidth, kHeight}), kWidth * kHeight);
  bar.SetRange32(10, 3);  // inverted
  Paint(c);
  EXPECT_EQ(c.Count(kGrey, RECT{0, 0, kWidth, kHeight}), kWidth * kHeight);
}

TEST_F(GradientBarTest, BarColourPairsAndTheGradientSpan) {
  bar.SendMessage(PBM_SETBARCOLOR, kBlue, kRed);
  ASSERT_EQ(bar.Colors().GetSize(), 2);
  EXPECT_EQ(bar.Colors()[0], kRed);
  EXPECT_EQ(bar.Colors()[1], kBlue);
  EXPECT_EQ(bar.SendMessage(PBM_SETBKCOLOR, 0, kGrey), static_cast<LRESULT>(CLR_DEFAULT));

  DibCanvas c(kWidth, kHeight);
  bar.SetPos(100);
  Paint(c);
  EXPECT_EQ(c.At(0, 5), kRed);
  EXPECT_GT(GetBValue(c.At(kWidth - 1, 5)), 245);
  EXPECT_LT(GetRValue(c.At(kWidth - 1, 5)), 10);

  // Half full: spread over the whole bar only the red half of the gradient shows ...
  bar.SetPos(50);
  Paint(c);
  EXPECT_NEAR(GetRValue(c.At(99, 5)), 128, 6);
  EXPECT_EQ(c.At(100, 5), kGrey);
  // ... spread over the filled part it runs to blue at the end of the fill.
  bar.ModifyStyle(0, kGpsGradientOnFill);
  Paint(c);
  EXPECT_EQ(c.At(0, 5), kRed);
  EXPECT_GT(GetBValue(c.At(99, 5)), 245);
}

TEST_F(GradientBarTest, AVerticalBarFillsFromTheBottomWithinTheMargin) {
  Make(WS_CHILD | WS_VISIBLE | PBS_VERTICAL, 20, 100);
  bar.SetInnerMargin(RECT{2, 2, 2, 2});
  bar.SetPos(50);
  DibCanvas c(20, 100);
  Paint(c);
  EXPECT_EQ(c.At(10, 97), kRed);
  EXPECT_EQ(c.At(10, 98), kGrey);  // the margin
  EXPECT_EQ(c.At(1, 90), kGrey);
  EXPECT_EQ(c.At(10, 98 - 48), kRed);
  EXPECT_EQ(c.At(10, 98 - 49), kGrey);
}

TEST_F(GradientBarTest, TheSnakeRunsPastTheEndAndWraps) {
  Make(WS_CHILD | WS_VISIBLE | kGpsSnake);
  bar.SetSnakeLength(40);
  bar.SetStep(30);
  bar.SetPos(60);
  EXPECT_EQ(bar.GetPos(), 60);
  EXPECT_EQ(bar.SnakeTail(), 20);
  DibCanvas c(kWidth, kHeight);
  Paint(c);
  EXPECT_EQ(c.At(39, 5), kGrey);
  EXPECT_EQ(c.At(41, 5), kRed);
  EXPECT_EQ(c.At(119, 5), kRed);
  EXPECT_EQ(c.At(121, 5), kGrey);

  bar.StepIt();  // head 90
  bar.StepIt();  // head 120: past the end, the control stays at 100
  EXPECT_EQ(bar.GetPos(), 100);
  EXPECT_EQ(bar.SnakeTail(), 80);
  EXPECT_EQ(bar.GetStyle() & kGpsSnakeWrapped, 0u);
  bar.StepIt();  // head 150 > 140: wraps to 10
  EXPECT_EQ(bar.GetPos(), 10);
  EXPECT_EQ(bar.SnakeTail(), 0);
  EXPECT_NE(bar.GetStyle() & kGpsSnakeWrapped, 0u);
  bar.SetPos(1000);  // wraps again, toggling the bit back
  EXPECT_EQ(bar.GetStyle() & kGpsSnakeWrapped, 0u);
}

TEST_F(GradientBarTest, TheTextShowsInTwoColours) {
  bar.SetBarColor(kBlue);
  bar.SetTextColors(RGB(255, 255, 255), RGB(0, 0, 0));
  bar.SetShowText(L"%d%%", kGpsShowPercent);
  EXPECT_EQ(bar.GetStyle() & kGpsTextMask, kGpsShowPercent);
  CString text;
  bar.GetWindowText(text);
  EXPECT_STREQ(text.GetString(), L"%d%%");

  bar.SetPos(50);
  DibCanvas c(kWidth, kHeight);
  Paint(c);
  const RECT filled = {0, 0, 100, kHeight}, empty = {100, 0, kWidth, kHeight};
  EXPECT_GT(c.Count(RGB(255, 255, 255), filled), 0);
  EXPECT_GT(c.Count(RGB(0, 0, 0), empty), 0);
  EXPECT_EQ(c.Count(RGB(255, 255, 255), empty), 0);
  EXPECT_EQ(c.Count(RGB(0, 0, 0), filled), 0);

  bar.SetShowText(L"", kGpsShowPercent);  // no text: only the bar
  EXPECT_EQ(bar.GetStyle() & kGpsTextMask, 0u);
  Paint(c);
  EXPECT_EQ(c.Count(kBlue, filled), 100 * kHeight);
}

TEST(FormatBarText, OnlyTheNumberAndThePercentSignAreReplaced) {
  EXPECT_STREQ(FormatBarText(L"%d%%", 42).GetString(), L"42%");
  EXPECT_STREQ(FormatBarText(L"%s of %d %n", 7).GetString(), L"%s of 7 %n");
  EXPECT_STREQ(FormatBarText(L"%", 7).GetString(), L"%");
}

class CountingTextBar : public CTextProgressCtrl {
 public:
  int paints = 0;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_PAINT) ++paints;
    return CTextProgressCtrl::WindowProc(message, wParam, lParam);
  }
};

class TextBarTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), &parent, 101)); }
  void Paint(DibCanvas& c) { bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.Dc()), PRF_CLIENT); }
  test::TestParent parent;
  CountingTextBar bar;
};

TEST_F(TextBarTest, KeepsItsOwnRangePositionAndStep) {
  EXPECT_EQ(bar.SendMessage(PBM_GETRANGE, TRUE), 0);
  EXPECT_EQ(bar.SendMessage(PBM_GETRANGE, FALSE), 100);
  bar.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(10, 60));
  PBRANGE range = {};
  EXPECT_EQ(bar.SendMessage(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range)), 60);
  EXPECT_EQ(range.iLow, 10);
  EXPECT_EQ(range.iHigh, 60);
  bar.SetRange32(-5, 1000);
  EXPECT_EQ(bar.SendMessage(PBM_GETRANGE, TRUE), -5);

  EXPECT_EQ(bar.SetPos(20), 0);
  EXPECT_EQ(bar.OffsetPos(5), 20);
  EXPECT_EQ(bar.GetPos(), 25);
  EXPECT_EQ(bar.SetStep(7), 1);
  EXPECT_EQ(bar.StepIt(), 25);
  EXPECT_EQ(bar.GetPos(), 32);
  EXPECT_EQ(bar.SendMessage(kTpmSetTextColor, 0, kRed), static_cast<LRESULT>(CLR_DEFAULT));
  EXPECT_EQ(bar.SendMessage(kTpmSetTextColor, 0, kBlue), static_cast<LRESULT>(kRed));
  EXPECT_EQ(bar.SendMessage(PBM_SETBKCOLOR, 0, kGrey), static_cast<LRESULT>(CLR_DEFAULT));
}

TEST_F(TextBarTest, TheSamePositionTwiceRepaintsOnce) {
  test::PumpPending();
  bar.paints = 0;
  bar.SetPos(40);
  EXPECT_EQ(bar.paints, 1);
  bar.SetPos(40);
  EXPECT_EQ(bar.paints, 1);
  bar.SetPos(41);
  EXPECT_EQ(bar.paints, 2);
}

TEST_F(TextBarTest, GetTextStaysInsideTheBuffer) {
  bar.SetWindowText(L"abcdef");
  wchar_t buffer[5] = {L'x', L'x', L'x', L'x', L'#'};
  EXPECT_EQ(bar.SendMessage(WM_GETTEXT, 4, reinterpret_cast<LPARAM>(buffer)), 3);
  EXPECT_STREQ(buffer, L"abc");
  EXPECT_EQ(buffer[4], L'#');
  EXPECT_EQ(bar.SendMessage(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)), 0);
  EXPECT_EQ(bar.GetWindowTextLength(), 6);
  wchar_t whole[10] = {};
  EXPECT_EQ(bar.SendMessage(WM_GETTEXT, 10, reinterpret_cast<LPARAM>(whole)), 6);
  EXPECT_STREQ(whole, L"abcdef");
}

TEST_F(TextBarTest, ThePercentageIsDrawnInvertedOverTheBar) {
  bar.SendMessage(PBM_SETBKCOLOR, 0, kGrey);
  DibCanvas c(kWidth, kHeight, RGB(1, 2, 3));
  Paint(c);  // 0 %: the background with the text in the bar colour
  const RECT all = {0, 0, kWidth, kHeight};
  const int textAtZero = c.Count(CTextProgressCtrl::kBarColor, all);
  EXPECT_GT(textAtZero, 0);
  EXPECT_EQ(c.Count(kGrey, all) + textAtZero, kWidth * kHeight);  // nothing else
  EXPECT_LT(textAtZero, kWidth * kHeight / 4);

  bar.SetPos(100);  // 100 %: the bar with the text in the background colour
  Paint(c);
  const int textAtFull = c.Count(kGrey, all);
  EXPECT_GT(textAtFull, 0);
  EXPECT_GT(c.Count(CTextProgressCtrl::kBarColor, all), kWidth * kHeight * 3 / 4);
  EXPECT_EQ(c.At(0, 0), CTextProgressCtrl::kBarColor);

  bar.SetPos(50);
  Paint(c);
  EXPECT_EQ(c.At(0, 0), CTextProgressCtrl::kBarColor);
  EXPECT_EQ(c.At(kWidth - 1, 0), kGrey);

  bar.SetRange32(0, 0);  // an empty range paints nothing
  c.Clear(RGB(1, 2, 3));
  Paint(c);
  EXPECT_EQ(c.Count(RGB(1, 2, 3), all), kWidth * kHeight);
}

}  // namespace
}  // namespace morvick::ui
