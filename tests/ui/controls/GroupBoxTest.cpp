// The themed group box: its frame and caption in both styles, the style it adds, and the parent
// repainted behind it when a setter changes the look.
#include <gtest/gtest.h>

#include "tests/ui/controls/ControlsTestSupport.h"
#include "ui/controls/win/XPGroupBox.h"

namespace morvick::ui {
namespace {

using test::DibCanvas;

const COLORREF kBorder = RGB(10, 20, 200);
const COLORREF kCaptionBk = RGB(250, 240, 100);
const COLORREF kBoxBk = RGB(100, 240, 250);
const COLORREF kText = RGB(200, 0, 0);

class GroupBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(box.Create(L"Drive", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(10, 10, 210, 110), &parent, 103));
    box.SetBorderColor(kBorder).SetBackgroundColors(kCaptionBk, kBoxBk).SetCaptionTextColor(kText);
  }
  test::TestParent parent;
  CXPGroupBox box;
};

TEST_F(GroupBoxTest, AddsTheIconStyleSoTheSystemDrawsNoCaption) {
  EXPECT_NE(box.GetStyle() & BS_ICON, 0u);
  CButton plain;
  ASSERT_TRUE(plain.Create(L"x", WS_CHILD | BS_GROUPBOX, CRect(0, 0, 50, 50), &parent, 104));
  CXPGroupBox subclassed;
  ASSERT_TRUE(subclassed.SubclassWindow(plain.Detach()));
  EXPECT_NE(subclassed.GetStyle() & BS_ICON, 0u);
  EXPECT_STREQ(subclassed.GetRuntimeClass()->m_lpszClassName, "CXPGroupBox");
  subclassed.DestroyWindow();
}

TEST_F(GroupBoxTest, TheCaptionInterruptsTheFrameLine) {
  DibCanvas c(200, 100, RGB(255, 255, 255));
  box.Paint(c.Dc());
  const RECT caption = box.CaptionRect(c.Dc());
  EXPECT_EQ(caption.left, 1 + 10);
  EXPECT_EQ(caption.top, 1);
  const int h = caption.bottom - caption.top;
  ASSERT_GT(h, 0);
  const int line = 1 + h / 2;
  EXPECT_EQ(c.At(caption.right + 20, line), kBorder);   // the top line right of the caption
  EXPECT_EQ(c.At(caption.left + 1, line - 1), kCaptionBk);  // the caption's own background
  EXPECT_EQ(c.At(1, 60), kBorder);                          // the left side
  EXPECT_EQ(c.At(100, 98), kBorder);                        // the bottom
  EXPECT_EQ(c.At(100, 60), RGB(255, 255, 255));             // the body is not filled
  EXPECT_GT(c.CountInk(kText, kCaptionBk, caption), 0);
  EXPECT_EQ(c.Count(kBorder, caption), 0);
}

TEST_F(GroupBoxTest, AlignmentPlacesTheCaption) {
  DibCanvas c(200, 100);
  box.SetAlignment(CXPGroupBox::kRight);
  RECT caption = box.CaptionRect(c.Dc());
  EXPECT_EQ(caption.right, 199 - 10);
  box.SetAlignment(CXPGroupBox::kCenter);
  caption = box.CaptionRect(c.Dc());
  EXPECT_NEAR((caption.left + caption.right) / 2, 100, 1);
  box.SetAlignment(7);  // anything else is left
  EXPECT_EQ(box.CaptionRect(c.Dc()).left, 11);
  // A caption wider than the box starts left of it when right-aligned.
  box.SetText(L"A caption far wider than the whole group box can hold").SetAlignment(CXPGroupBox::kRight);
  EXPECT_LT(box.CaptionRect(c.Dc()).left, 0);
}

TEST_F(GroupBoxTest, WindowStyleFillsTheBandAndTheBody) {
  box.SetGroupBoxStyle(CXPGroupBox::kWindow);
  DibCanvas c(200, 100, RGB(255, 255, 255));
  box.Paint(c.Dc());
  const RECT caption = box.CaptionRect(c.Dc());
  EXPECT_EQ(caption.left, 3);
  EXPECT_EQ(caption.top, 3);
  const int h = caption.bottom - caption.top;
  EXPECT_EQ(c.At(150, 1 + h / 2), kCaptionBk);
  EXPECT_EQ(c.At(150, 1 + h + 4), kBorder);  // the body's top line
  EXPECT_EQ(c.At(100, 60), kBoxBk);
  EXPECT_EQ(c.At(1, 60), kBorder);
}

TEST_F(GroupBoxTest, AnEmptyCaptionLeavesNoGap) {
  CXPGroupBox empty;
  ASSERT_TRUE(empty.Create(L"", WS_CHILD | BS_GROUPBOX, CRect(0, 0, 100, 60), &parent, 105));
  empty.SetBorderColor(kBorder);
  DibCanvas c(100, 60, RGB(255, 255, 255));
  empty.Paint(c.Dc());
  for (int x = 10; x < 90; ++x) EXPECT_EQ(c.At(x, 1), kBorder) << x;
}

TEST_F(GroupBoxTest, SettersRepaintTheParentBehindTheBox) {
  test::PumpPending();
  const int before = parent.paints;
  box.SetBorderColor(RGB(1, 1, 1));
  EXPECT_EQ(parent.paints, before + 1);
  box.SetFontBold(TRUE).SetFontItalic(TRUE).SetFontSize(14);
  EXPECT_EQ(parent.paints, before + 4);
  // A whole font: the caption takes its height, and the parent is repainted once more.
  LOGFONT lf = {};
  lf.lfHeight = -48;
  lstrcpyW(lf.lfFaceName, L"Arial");
  box.SetCaptionFont(lf);
  EXPECT_EQ(parent.paints, before + 5);
  DibCanvas c(200, 100);
  const RECT large = box.CaptionRect(c.Dc());
  EXPECT_GE(large.bottom - large.top, 48);
  lf.lfHeight = -12;
  box.SetCaptionFont(lf);
  EXPECT_EQ(parent.paints, before + 6);
  const RECT small = box.CaptionRect(c.Dc());
  EXPECT_LT(small.bottom - small.top, 30);
}

}  // namespace
}  // namespace morvick::ui
