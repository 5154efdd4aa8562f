// The program's own pointers and pictures of the controls: each is there with the size its button
// expects, the hover buttons show the pointers, and the image button draws the Find picture
// without its transparent colour.
#include <gtest/gtest.h>

#include "res/controls.h"
#include "tests/ui/controls/ControlsTestSupport.h"
#include "ui/controls/win/HoverButton.h"
#include "ui/controls/win/ImageButton.h"

namespace morvick::ui {
namespace {

using test::DibCanvas;

SIZE BitmapSize(UINT id) {
  HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
  BITMAP info = {};
  const bool found = bitmap != nullptr && GetObjectW(bitmap, sizeof(info), &info) != 0;
  if (bitmap != nullptr) DeleteObject(bitmap);
  return found ? SIZE{info.bmWidth, info.bmHeight} : SIZE{0, 0};
}

TEST(ControlResources, EveryPictureHasTheSizeOfItsButton) {
  const struct {
    UINT id;
    int width, height;
  } pictures[] = {
      {IDB_QUICK_SCAN, 181, 203},     {IDB_QUICK_SCAN_HOVER, 181, 203},     {IDB_FILE_TRACE, 163, 203},
      {IDB_FILE_TRACE_HOVER, 163, 203}, {IDB_EXTENSIVE_SCAN, 173, 203},     {IDB_EXTENSIVE_SCAN_HOVER, 173, 203},
      {IDB_NEXT, 74, 26},  {IDB_NEXT_HOVER, 74, 26}, {IDB_BACK, 74, 26}, {IDB_BACK_HOVER, 74, 26},
      {IDB_STOP, 74, 26},  {IDB_STOP_HOVER, 74, 26}, {IDB_HOME, 74, 26}, {IDB_HOME_HOVER, 74, 26},
      {IDB_SAVE, 74, 26},  {IDB_SAVE_HOVER, 74, 26}, {IDB_SCAN, 74, 26}, {IDB_SCAN_HOVER, 74, 26},
      {IDB_FIND_SAVE, 16, 16}, {IDB_LOGO, 160, 32},
  };
  for (const auto& p : pictures) {
    const SIZE size = BitmapSize(p.id);
    EXPECT_EQ(size.cx, p.width) << p.id;
    EXPECT_EQ(size.cy, p.height) << p.id;
  }
  // The normal and the hovered picture of a button differ.
  HoverBitmaps pair;
  pair.Load(IDB_NEXT, IDB_NEXT_HOVER);
  DibCanvas normal(74, 26), hovered(74, 26);
  pair.Draw(normal.Dc(), false, 0, 0);
  pair.Draw(hovered.Dc(), true, 0, 0);
  EXPECT_NE(normal.At(10, 5), hovered.At(10, 5));
}

TEST(ControlResources, HoverButtonsShowTheHoverAndPressedPointers) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  HCURSOR hover = LoadCursorW(module, MAKEINTRESOURCEW(IDC_HOVER_POINTER));
  HCURSOR pressed = LoadCursorW(module, MAKEINTRESOURCEW(IDC_PRESSED_POINTER));
  ASSERT_NE(hover, nullptr);
  ASSERT_NE(pressed, nullptr);
  EXPECT_NE(hover, pressed);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(hover, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 11u);  // the finger tip
  EXPECT_EQ(info.yHotspot, 2u);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);

  test::TestParent parent;
  CHoverButton button;
  ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(20, 20, 60, 60), &parent, 220));
  ASSERT_TRUE(button.LoadHoverBitmaps(IDB_QUICK_SCAN, IDB_QUICK_SCAN_HOVER));
  RECT r;
  button.GetWindowRect(&r);
  EXPECT_EQ(r.right - r.left, 181);
  EXPECT_EQ(r.bottom - r.top, 203);
  SetCursor(nullptr);
  button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(GetCursor(), hover);
  button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(GetCursor(), pressed);
  button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  button.SendMessage(WM_MOUSELEAVE);
}

TEST(ControlResources, TheFindPictureIsDrawnWithoutItsTransparentColour) {
  test::TestParent parent;
  CImageButton button;
  HWND hwnd = CreateWindowW(L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 60, 30, parent.m_hWnd,
                            reinterpret_cast<HMENU>(221), nullptr, nullptr);
  ASSERT_TRUE(button.SubclassWindow(hwnd));
  ASSERT_TRUE(button.SetBitmaps(0u, IDB_FIND_SAVE, RGB(255, 0, 255)));
  DibCanvas c(60, 30, RGB(1, 2, 3));
  button.Paint(c.Dc(), RECT{0, 0, 60, 30}, 0);
  EXPECT_EQ(c.Count(RGB(255, 0, 255), RECT{0, 0, 60, 30}), 0);
  EXPECT_EQ(c.At(22, 7), GetSysColor(COLOR_BTNFACE));  // a magenta corner of the picture at (22, 7)
  EXPECT_NE(c.At(24, 9), GetSysColor(COLOR_BTNFACE));  // the disk
  EXPECT_FALSE(button.SetBitmaps(0u, 4711u, RGB(255, 0, 255)));  // a missing picture: none drawn
  button.Paint(c.Dc(), RECT{0, 0, 60, 30}, 0);
  EXPECT_EQ(c.Count(GetSysColor(COLOR_BTNFACE), RECT{2, 2, 58, 28}), 56 * 26);
}

}  // namespace
}  // namespace morvick::ui
