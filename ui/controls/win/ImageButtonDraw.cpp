// Painting the image button: background, border, image, caption and focus rectangle.
#include "ui/controls/win/ImageButton.h"

namespace morvick::ui {

namespace {

void FillSolid(HDC dc, const RECT& r, COLORREF c) {
  const COLORREF old = ::SetBkColor(dc, c);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  ::SetBkColor(dc, old);
}

// A one-pixel rectangle: top and left in one colour, bottom and right in the other.
void Draw3d(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
  FillSolid(dc, RECT{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
  FillSolid(dc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
  FillSolid(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
  FillSolid(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

void Frame(HDC dc, const RECT& r, COLORREF c) { Draw3d(dc, r, c, c); }

}  // namespace

COLORREF CImageButton::StateBk() const {
  if (m_mouseOver) return m_colors[kBkIn];
  return m_focused ? m_colors[kBkFocus] : m_colors[kBkOut];
}

COLORREF CImageButton::StateFg() const {
  if (m_mouseOver) return m_colors[kFgIn];
  return m_focused ? m_colors[kFgFocus] : m_colors[kFgOut];
}

void CImageButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) { Paint(lpDIS->hDC, lpDIS->rcItem, lpDIS->itemState); }

void CImageButton::Paint(HDC dc, const RECT& rect, UINT itemState) {
  BOOL pressed = (itemState & ODS_SELECTED) != 0;
  if (m_checkBox) pressed = pressed || m_checked;
  if (m_menuOpen) pressed = TRUE;
  const BOOL disabled = (itemState & ODS_DISABLED) != 0;
  m_focused = (itemState & ODS_FOCUS) != 0;
  m_pressed = pressed;  // the background and border routines read it
  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  if (!m_transparent || !PaintParentBackground(dc, rect)) DrawBackground(dc, rect);
  DrawBorder(dc, rect);

  CString caption;
  if (m_hWnd != nullptr) GetWindowText(caption);
  RECT captionRect = rect;
  if (m_iconOut != nullptr) {
    DrawTheIcon(dc, !caption.IsEmpty(), rect, captionRect, pressed, disabled);
  } else if (m_bitmapOut.m_hObject != nullptr) {
    ::SetBkColor(dc, RGB(255, 255, 255));
    DrawTheBitmap(dc, !caption.IsEmpty(), rect, captionRect, pressed, disabled);
  }
  if (!caption.IsEmpty()) DrawTheText(dc, caption, captionRect, pressed, disabled);
  if (m_focused && (!m_flat || m_focusRect)) {
    RECT focus = rect;
    InflateRect(&focus, -3, -3);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &focus);
  }
  RestoreDC(dc, saved);
}

void CImageButton::FreeBackground() {
  if (m_backgroundDc != nullptr) {
    SelectObject(m_backgroundDc, m_backgroundOld);
    DeleteDC(m_backgroundDc);
  }
  if (m_backgroundBitmap != nullptr) ::DeleteObject(m_backgroundBitmap);
  m_backgroundDc = nullptr;
  m_backgroundBitmap = nullptr;
  m_backgroundOld = nullptr;
}

// The parent paints its background (WM_ERASEBKGND, then WM_PRINTCLIENT) into a copy the size of
// its client area once; the part under the button is kept and painted behind the button after.
BOOL CImageButton::PaintParentBackground(HDC dc, const RECT& rect) {
  CWnd* parent = m_hWnd != nullptr ? GetParent() : nullptr;
  if (parent == nullptr) return FALSE;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (m_backgroundDc == nullptr && width > 0 && height > 0) {
    POINT origin = {rect.left, rect.top};
    ::MapWindowPoints(m_hWnd, parent->m_hWnd, &origin, 1);
    m_backgroundDc = CreateCompatibleDC(dc);
    m_backgroundBitmap = CreateCompatibleBitmap(dc, width, height);
    if (m_backgroundDc == nullptr || m_backgroundBitmap == nullptr) {
      FreeBackground();
      return FALSE;
    }
    m_backgroundOld = SelectObject(m_backgroundDc, m_backgroundBitmap);
    FillSolid(m_backgroundDc, RECT{0, 0, width, height}, GetSysColor(COLOR_BTNFACE));
    SetViewportOrgEx(m_backgroundDc, -origin.x, -origin.y, nullptr);
    parent->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(m_backgroundDc));
    parent->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_backgroundDc), PRF_CLIENT);
    SetViewportOrgEx(m_backgroundDc, 0, 0, nullptr);
  }
  if (m_backgroundDc == nullptr) return FALSE;
  BitBlt(dc, rect.left, rect.top, width, height, m_backgroundDc, 0, 0, SRCCOPY);
  return TRUE;
}

void CImageButton::DrawBackground(HDC dc, const RECT& rect) {
  RECT fill = rect;
  if (m_flat && !m_drawBorder && (m_mouseOver || m_pressed)) {  // no border of its own: a black frame
    Frame(dc, rect, RGB(0, 0, 0));
    InflateRect(&fill, -1, -1);
  }
  FillSolid(dc, fill, StateBk());
}

void CImageButton::DrawBorder(HDC dc, const RECT& rect) {
  if (m_pressed) {
    if (m_flat && m_drawBorder) {
      Draw3d(dc, rect, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    } else {
      Frame(dc, rect, GetSysColor(COLOR_BTNSHADOW));
    }
    return;
  }
  if (!m_flat) {
    Draw3d(dc, rect, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    Draw3d(dc, inner, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNSHADOW));
  } else if (m_mouseOver && m_drawBorder) {
    Draw3d(dc, rect, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
  }
}

// The image's place inside the margins: centred without a caption, else at the left, the top or
// the right, leaving the rest of the rectangle to the caption.
RECT CImageButton::PlaceImage(const RECT& rect, SIZE image, BOOL hasCaption, RECT& captionRect, BOOL pressed) const {
  RECT r = rect;
  InflateRect(&r, -m_marginX, -m_marginY);
  captionRect = r;
  POINT at = {r.left + (r.right - r.left - image.cx) / 2, r.top + (r.bottom - r.top - image.cy) / 2};
  if (hasCaption) {
    switch (m_align) {
      case kImageTop:
        at.y = r.top;
        captionRect.top = at.y + image.cy + m_marginY;
        break;
      case kImageRight:
        at.x = r.right - image.cx;
        captionRect.right = at.x - m_marginX;
        break;
      default:
        at.x = r.left;
        captionRect.left = at.x + image.cx + m_marginX;
        break;
    }
  }
  if (pressed && !m_checkBox) {
    at.x += m_pressedOffset.x;
    at.y += m_pressedOffset.y;
  }
  return RECT{at.x, at.y, at.x + image.cx, at.y + image.cy};
}

void CImageButton::DrawTheIcon(HDC dc, BOOL hasCaption, const RECT& rect, RECT& captionRect, BOOL pressed,
                               BOOL disabled) {
  const RECT at = PlaceImage(rect, m_iconSize, hasCaption, captionRect, pressed);
  HICON icon = (m_mouseOver && m_iconIn != nullptr) ? m_iconIn : m_iconOut;
  DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, at.left, at.top, m_iconSize.cx, m_iconSize.cy,
             DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL));
}

void CImageButton::DrawTheBitmap(HDC dc, BOOL hasCaption, const RECT& rect, RECT& captionRect, BOOL pressed,
                                 BOOL disabled) {
  const RECT at = PlaceImage(rect, m_bitmapSize, hasCaption, captionRect, pressed);
  CMaskedBitmap& bitmap = (m_mouseOver && m_bitmapIn.m_hObject != nullptr) ? m_bitmapIn : m_bitmapOut;
  if (disabled) {
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(bitmap.m_hObject), 0, at.left, at.top,
               m_bitmapSize.cx, m_bitmapSize.cy, DST_BITMAP | DSS_DISABLED);
    return;
  }
  bitmap.Draw(dc, at.left, at.top, m_transparentColor);
}

void CImageButton::DrawTheText(HDC dc, const CString& caption, const RECT& rect, BOOL pressed, BOOL disabled) {
  HFONT font = m_hWnd != nullptr ? reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)) : nullptr;
  HGDIOBJ old = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
  RECT measured = rect;
  ::DrawTextW(dc, caption.GetString(), caption.GetLength(), &measured, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
  const int height = measured.bottom - measured.top;
  RECT r = rect;
  r.top = rect.top + (rect.bottom - rect.top - height) / 2;
  r.bottom = r.top + height;
  if (pressed && !m_checkBox) OffsetRect(&r, m_pressedOffset.x, m_pressedOffset.y);
  SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : StateFg());
  ::DrawTextW(dc, caption.GetString(), caption.GetLength(), &r, DT_WORDBREAK | DT_CENTER);
  SelectObject(dc, old);
}

}  // namespace morvick::ui
