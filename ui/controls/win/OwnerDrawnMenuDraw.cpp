// Measuring and drawing the owner-drawn menu's items in the classic and the flat look.
#include <algorithm>

#include "ui/controls/win/OwnerDrawnMenu.h"

namespace morvick::ui {

namespace {

const int kClassicGap = 4;
const int kFlatGap = 7;
const int kCellPadding = 6;     // around the image in its cell
const int kRightMargin = 12;    // after the text and accelerator
const int kAcceleratorGap = 8;  // between the label and the accelerator

void Fill(HDC dc, const RECT& r, COLORREF c) {
  const COLORREF old = ::SetBkColor(dc, c);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  ::SetBkColor(dc, old);
}

HFONT CreateMenuFont() {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }
  return CreateFontIndirectW(&metrics.lfMenuFont);
}

void SplitLabel(const CString& text, CString& label, CString& accelerator) {
  const int tab = text.Find(L'\t');
  label = tab >= 0 ? text.Left(tab) : text;
  accelerator = tab >= 0 ? text.Mid(tab + 1) : CString();
}

SIZE MeasureText(HDC dc, const CString& text) {
  RECT r = {0, 0, 0, 0};
  ::DrawTextW(dc, text.GetString(), text.GetLength(), &r, DT_SINGLELINE | DT_CALCRECT);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// Draws an image list image greyed: every pixel darker than light grey in the shadow colour, the
// rest left as the background.
void DrawGreyedImage(HDC dc, HIMAGELIST list, int image, int x, int y, int size, COLORREF background) {
  HDC memory = CreateCompatibleDC(dc);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = size;
  bi.bmiHeader.biHeight = -size;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP canvas = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (memory == nullptr || canvas == nullptr) {
    if (canvas != nullptr) DeleteObject(canvas);
    if (memory != nullptr) DeleteDC(memory);
    return;
  }
  HGDIOBJ old = SelectObject(memory, canvas);
  const RECT all = {0, 0, size, size};
  Fill(memory, all, background);
  ImageList_Draw(list, image, memory, 0, 0, ILD_TRANSPARENT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      const COLORREF c = GetPixel(memory, px, py);
      if (c == background) continue;
      const int light = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
      SetPixel(memory, px, py, light < 192 ? shadow : background);
    }
  }
  BitBlt(dc, x, y, size, size, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(canvas);
  DeleteDC(memory);
}

BOOL IsRadioItem(const DRAWITEMSTRUCT& dis) {
  HMENU menu = reinterpret_cast<HMENU>(dis.hwndItem);
  if (menu == nullptr || !::IsMenu(menu)) return FALSE;
  MENUITEMINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE;
  return ::GetMenuItemInfoW(menu, dis.itemID, FALSE, &info) && (info.fType & MFT_RADIOCHECK) != 0;
}

}  // namespace

void COwnerDrawnMenu::MeasureItem(LPMEASUREITEMSTRUCT mis) {
  const Item* item = reinterpret_cast<const Item*>(mis->itemData);
  const int icon = MenuSettings().iconSize;
  CString label, accelerator;
  if (item != nullptr) SplitLabel(item->text, label, accelerator);
  HDC dc = ::GetDC(nullptr);
  HFONT font = CreateMenuFont();
  HGDIOBJ old = SelectObject(dc, font);
  const SIZE labelSize = MeasureText(dc, label.IsEmpty() ? CString(L"X") : label);
  const SIZE acceleratorSize = accelerator.IsEmpty() ? SIZE{0, 0} : MeasureText(dc, accelerator);
  SelectObject(dc, old);
  DeleteObject(font);
  ::ReleaseDC(nullptr, dc);
  const int normal = std::max(icon + kCellPadding, static_cast<int>(labelSize.cy) + kCellPadding);
  if (item != nullptr && (item->flags & MF_SEPARATOR)) {
    mis->itemHeight = normal / 2;
    mis->itemWidth = 0;
    return;
  }
  const int gap = UsesFlatLook(nullptr) ? kFlatGap : kClassicGap;
  mis->itemHeight = normal;
  mis->itemWidth = icon + kCellPadding + gap + labelSize.cx + kRightMargin +
                   (accelerator.IsEmpty() ? 0 : kAcceleratorGap + acceleratorSize.cx);
}

void COwnerDrawnMenu::DrawItem(LPDRAWITEMSTRUCT dis) {
  const Item* item = reinterpret_cast<const Item*>(dis->itemData);
  if (item == nullptr || dis->hDC == nullptr) return;
  const BOOL radio = (item->flags & MFT_RADIOCHECK) != 0 || IsRadioItem(*dis);
  const int saved = SaveDC(dis->hDC);
  if (UsesFlatLook(dis->hDC)) {
    DrawFlat(dis->hDC, dis->rcItem, *item, dis->itemState, radio);
  } else {
    DrawClassic(dis->hDC, dis->rcItem, *item, dis->itemState, radio);
  }
  RestoreDC(dis->hDC, saved);
}

void COwnerDrawnMenu::DrawImage(HDC dc, const RECT& cell, const Item& item, UINT state, BOOL radio,
                                COLORREF background) {
  const int icon = MenuSettings().iconSize;
  const int x = cell.left + (cell.right - cell.left - icon) / 2;
  const int y = cell.top + (cell.bottom - cell.top - icon) / 2;
  if (item.imageList != nullptr && item.image >= 0) {
    if (state & (ODS_DISABLED | ODS_GRAYED)) {
      DrawGreyedImage(dc, item.imageList, item.image, x, y, icon, background);
    } else {
      ImageList_Draw(item.imageList, item.image, dc, x, y, ILD_TRANSPARENT);
    }
    return;
  }
  if (!(state & ODS_CHECKED)) return;
  const COLORREF ink = GetTextColor(dc);
  HPEN pen = CreatePen(PS_SOLID, 1, ink);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  const int cx = (cell.left + cell.right) / 2, cy = (cell.top + cell.bottom) / 2;
  if (radio) {
    HBRUSH brush = CreateSolidBrush(ink);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Ellipse(dc, cx - 3, cy - 3, cx + 4, cy + 4);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
  } else {
    for (int d = 0; d < 3; ++d) {  // a tick three pixels thick
      MoveToEx(dc, cx - 3, cy - 1 + d, nullptr);
      LineTo(dc, cx - 1, cy + 1 + d);
      LineTo(dc, cx + 4, cy - 4 + d);
    }
  }
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

void COwnerDrawnMenu::DrawLabel(HDC dc, const RECT& r, const Item& item, COLORREF colour) {
  HFONT font = CreateMenuFont();
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, colour);
  CString label, accelerator;
  SplitLabel(item.text, label, accelerator);
  RECT box = r;
  ::DrawTextW(dc, label.GetString(), label.GetLength(), &box, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  if (!accelerator.IsEmpty()) {
    box = r;
    box.right -= kAcceleratorGap;
    ::DrawTextW(dc, accelerator.GetString(), accelerator.GetLength(), &box, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  }
  SelectObject(dc, old);
  DeleteObject(font);
}

void COwnerDrawnMenu::DrawClassic(HDC dc, const RECT& r, const Item& item, UINT state, BOOL radio) {
  const int icon = MenuSettings().iconSize;
  const RECT cell = {r.left, r.top, r.left + icon + kCellPadding, r.bottom};
  const COLORREF menu = GetSysColor(COLOR_MENU);
  Fill(dc, r, menu);
  if (item.flags & MF_SEPARATOR) {
    const int y = (r.top + r.bottom) / 2;
    Fill(dc, RECT{r.left + 2, y - 1, r.right - 2, y}, GetSysColor(COLOR_BTNSHADOW));
    Fill(dc, RECT{r.left + 2, y, r.right - 2, y + 1}, GetSysColor(COLOR_BTNHIGHLIGHT));
    return;
  }
  const bool selected = (state & ODS_SELECTED) != 0;
  const bool disabled = (state & (ODS_DISABLED | ODS_GRAYED)) != 0;
  const bool hasImage = item.imageList != nullptr && item.image >= 0;
  if (selected) {  // an image keeps its raised cell beside the highlight
    Fill(dc, hasImage ? RECT{cell.right + 1, r.top, r.right, r.bottom} : r, GetSysColor(COLOR_HIGHLIGHT));
  }
  COLORREF cellBackground = selected && !hasImage ? GetSysColor(COLOR_HIGHLIGHT) : menu;
  if ((state & ODS_CHECKED) && !hasImage) {  // a dithered cell behind the check
    cellBackground = BlendColor(GetSysColor(COLOR_BTNHIGHLIGHT), menu, 0.6);
    Fill(dc, RECT{cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1}, cellBackground);
  }
  ::SetTextColor(dc, GetSysColor(selected && !(state & ODS_CHECKED) ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  DrawImage(dc, cell, item, state, radio, cellBackground);
  if (hasImage && (selected || (state & ODS_CHECKED)) && !disabled) {
    RECT frame = cell;
    DrawEdge(dc, &frame, (state & ODS_CHECKED) ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }
  COLORREF colour = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  if (disabled) colour = GetSysColor(COLOR_GRAYTEXT);
  DrawLabel(dc, RECT{cell.right + kClassicGap, r.top, r.right, r.bottom}, item, colour);
}

void COwnerDrawnMenu::DrawFlat(HDC dc, const RECT& r, const Item& item, UINT state, BOOL radio) {
  const int icon = MenuSettings().iconSize;
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  const RECT cell = {r.left, r.top, r.left + icon + kCellPadding + 2, r.bottom};
  const COLORREF column = BlendColor(GetSysColor(COLOR_BTNFACE), window, 0.7);
  Fill(dc, r, BlendColor(window, GetSysColor(COLOR_BTNFACE), 0.85));
  Fill(dc, cell, column);
  if (item.flags & MF_SEPARATOR) {
    const int y = (r.top + r.bottom) / 2;
    Fill(dc, RECT{cell.right + kFlatGap, y, r.right, y + 1}, BlendColor(GetSysColor(COLOR_BTNSHADOW), window, 0.7));
    return;
  }
  const bool selected = (state & ODS_SELECTED) != 0;
  const bool disabled = (state & (ODS_DISABLED | ODS_GRAYED)) != 0;
  COLORREF cellBackground = column;
  if (selected && !disabled) {
    cellBackground = BlendColor(GetSysColor(COLOR_HIGHLIGHT), window, 0.4);
    Fill(dc, r, cellBackground);
    HBRUSH frame = CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT));
    FrameRect(dc, &r, frame);
    DeleteObject(frame);
  } else if (state & ODS_CHECKED) {
    cellBackground = BlendColor(GetSysColor(COLOR_HIGHLIGHT), window, 0.25);
    Fill(dc, RECT{cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1}, cellBackground);
  }
  ::SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
  DrawImage(dc, cell, item, state, radio, cellBackground);
  DrawLabel(dc, RECT{cell.right + kFlatGap, r.top, r.right, r.bottom}, item,
            GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
}

}  // namespace morvick::ui
