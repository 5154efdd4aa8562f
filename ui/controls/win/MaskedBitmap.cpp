#include "ui/controls/win/MaskedBitmap.h"

namespace morvick::ui {

CMaskedBitmap::~CMaskedBitmap() { DeleteObject(); }

int CMaskedBitmap::GetWidth() {
  BITMAP info = {};
  return m_hObject != nullptr && GetBitmap(&info) ? info.bmWidth : 0;
}

int CMaskedBitmap::GetHeight() {
  BITMAP info = {};
  return m_hObject != nullptr && GetBitmap(&info) ? info.bmHeight : 0;
}

void CMaskedBitmap::Draw(HDC dc, int x, int y, COLORREF transparent) {
  const int width = GetWidth(), height = GetHeight();
  if (width <= 0 || height <= 0) return;
  const COLORREF oldBk = ::SetBkColor(dc, RGB(255, 255, 255));
  const COLORREF oldText = ::SetTextColor(dc, m_foreground);

  HDC image = CreateCompatibleDC(dc);
  HDC mask = CreateCompatibleDC(dc);
  HBITMAP maskBitmap = ::CreateBitmap(width, height, 1, 1, nullptr);
  HGDIOBJ oldImage = SelectObject(image, m_hObject);
  HGDIOBJ oldMask = SelectObject(mask, maskBitmap);

  // The mask is white where the bitmap has the transparent colour.
  ::SetBkColor(image, transparent);
  BitBlt(mask, 0, 0, width, height, image, 0, 0, SRCCOPY);
  // Invert, cut out with the mask, invert again: the masked pixels keep the destination.
  BitBlt(dc, x, y, width, height, image, 0, 0, SRCINVERT);
  BitBlt(dc, x, y, width, height, mask, 0, 0, SRCAND);
  BitBlt(dc, x, y, width, height, image, 0, 0, SRCINVERT);

  SelectObject(mask, oldMask);
  SelectObject(image, oldImage);
  ::DeleteObject(maskBitmap);
  DeleteDC(mask);
  DeleteDC(image);
  ::SetTextColor(dc, oldText);
  ::SetBkColor(dc, oldBk);
}

}  // namespace morvick::ui
