#pragma once
// A bitmap that draws itself with one colour left transparent (the frame theme's logo).

#include "classlib/win/AfxWin.h"

namespace morvick::ui {

class CMaskedBitmap : public CBitmap {
 public:
  CMaskedBitmap() = default;
  ~CMaskedBitmap() override;

  // Draws the whole bitmap with its top-left corner at (x, y); pixels of the transparent colour
  // leave the destination as it was.
  virtual void Draw(HDC dc, int x, int y, COLORREF transparent = RGB(255, 255, 255));
  int GetWidth();
  int GetHeight();

  COLORREF m_foreground = RGB(0, 0, 0);
  COLORREF m_transparent = RGB(255, 255, 255);
};

}  // namespace morvick::ui
