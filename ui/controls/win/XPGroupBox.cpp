#include "ui/controls/win/XPGroupBox.h"

namespace morvick::ui {

IMPLEMENT_DYNAMIC(CXPGroupBox, CButton)

BEGIN_MESSAGE_MAP(CXPGroupBox, CButton)
  ON_WM_PAINT()
  ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CXPGroupBox::CXPGroupBox()
    : m_borderColor(GetSysColor(COLOR_BTNSHADOW)),
      m_captionBkColor(GetSysColor(COLOR_BTNFACE)),
      m_boxBkColor(GetSysColor(COLOR_BTNFACE)) {
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(m_logFont), &m_logFont);
}

BOOL CXPGroupBox::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= BS_ICON;  // the system draws no caption of its own
  return CButton::PreCreateWindow(cs);
}

void CXPGroupBox::PreSubclassWindow() {
  CButton::PreSubclassWindow();
  ModifyStyle(0, BS_ICON);
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
  if (font == nullptr) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  GetObjectW(font, sizeof(m_logFont), &m_logFont);
  RebuildFont();
}

void CXPGroupBox::RebuildFont() {
  m_font.DeleteObject();
  m_font.CreateFontIndirect(&m_logFont);
}

void CXPGroupBox::Redraw() {
  if (m_hWnd == nullptr) return;
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  if (CWnd* parent = GetParent()) {
    RECT r;
    GetWindowRect(&r);
    parent->ScreenToClient(&r);
    parent->InvalidateRect(&r, TRUE);
    parent->UpdateWindow();
  }
}

CXPGroupBox& CXPGroupBox::SetBorderColor(COLORREF color) {
  m_borderColor = color;
  Redraw();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetCaptionTextColor(COLORREF color) {
  m_captionTextColor = color;
  Redraw();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetBackgroundColors(COLORREF captionColor, COLORREF boxColor) {
  m_captionBkColor = captionColor;
  m_boxBkColor = boxColor;
  Redraw();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetBackgroundColor(COLORREF color) { return SetBackgroundColors(color, color); }

CXPGroupBox& CXPGroupBox::SetGroupBoxStyle(int style) {
  m_style = style;
  Redraw();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetText(LPCTSTR text) {
  if (m_hWnd != nullptr) {
    m_caption = CString(L" ") + (text != nullptr ? text : L"") + L" ";
    Redraw();
  }
  return *this;
}

CXPGroupBox& CXPGroupBox::SetFontBold(BOOL bold) {
  m_logFont.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  RebuildFont();
  Redraw();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetFontName(LPCTSTR faceName, BYTE charSet) {
  lstrcpynW(m_logFont.lfFaceName, faceName != nullptr ? faceName : L"", LF_FACESIZE);
  m_logFont.lfCharSet = charSet;
  RebuildFont();
  Redraw();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetFontUnderline(BOOL underline) {
  m_logFont.lfUnderline = underline ? 1 : 0;
  RebuildFont();
  Redraw();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetFontItalic(BOOL italic) {
  m_logFont.lfItalic = italic ? 1 : 0;
  RebuildFont();
  Redraw();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetFontSize(int points) {
  CFont sized;
  if (sized.CreatePointFont(points * 10, m_logFont.lfFaceName)) {
    LOGFONT lf;
    sized.GetLogFont(&lf);
    m_logFont.lfHeight = lf.lfHeight;
    m_logFont.lfWidth = lf.lfWidth;
  }
  RebuildFont();
  Redraw();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetCaptionFont(const LOGFONT& logFont) {
  m_logFont = logFont;
  RebuildFont();
  Redraw();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetAlignment(int alignment) {
  m_alignment = (alignment == kCenter || alignment == kRight) ? alignment : kLeft;
  Redraw();
  return *this;
}

SIZE CXPGroupBox::MeasureCaption(HDC dc) {
  if (m_caption.IsEmpty()) {
    CString text;
    GetWindowText(text);
    if (!text.IsEmpty()) m_caption = L" " + text + L" ";
  }
  SIZE size = {0, 0};
  if (!m_caption.IsEmpty()) GetTextExtentPoint32W(dc, m_caption.GetString(), m_caption.GetLength(), &size);
  return size;
}

RECT CXPGroupBox::CaptionRect(HDC dc) {
  RECT r;
  GetClientRect(&r);
  InflateRect(&r, -1, -1);
  if (m_font.m_hObject == nullptr) RebuildFont();
  HGDIOBJ old = SelectObject(dc, m_font.m_hObject);
  const SIZE text = MeasureCaption(dc);
  SelectObject(dc, old);
  const int inset = m_style == kFrame ? 10 : 2;
  RECT caption = {0, r.top + (m_style == kFrame ? 0 : 2), 0, 0};
  switch (m_alignment) {
    case kCenter: caption.left = r.left + (r.right - r.left - text.cx) / 2; break;
    case kRight: caption.left = r.right - inset - text.cx; break;
    default: caption.left = r.left + inset; break;
  }
  caption.right = caption.left + text.cx;
  caption.bottom = caption.top + text.cy;
  return caption;
}

void CXPGroupBox::Paint(HDC dc) {
  RECT r;
  GetClientRect(&r);
  InflateRect(&r, -1, -1);
  const RECT caption = CaptionRect(dc);
  const int textHeight = caption.bottom - caption.top;
  const int saved = SaveDC(dc);
  SelectObject(dc, m_font.m_hObject);
  HPEN pen = CreatePen(PS_SOLID, 1, m_borderColor);
  SelectObject(dc, pen);
  HBRUSH captionBrush = CreateSolidBrush(m_captionBkColor);
  HBRUSH boxBrush = CreateSolidBrush(m_boxBkColor);

  if (m_style == kFrame) {
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, r.left, r.top + textHeight / 2, r.right, r.bottom, 10, 10);
    IntersectClipRect(dc, caption.left, caption.top, caption.right, caption.bottom);
    FillRect(dc, &caption, captionBrush);
  } else {
    SelectObject(dc, captionBrush);
    RoundRect(dc, r.left, r.top, r.right, r.bottom, 10, 10);
    SelectObject(dc, boxBrush);
    Rectangle(dc, r.left, r.top + textHeight + 4, r.right, r.bottom);
  }

  if (!m_caption.IsEmpty()) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, m_captionTextColor);
    RECT text = caption;
    DrawTextW(dc, m_caption.GetString(), m_caption.GetLength(), &text, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
  }
  RestoreDC(dc, saved);
  DeleteObject(pen);
  DeleteObject(captionBrush);
  DeleteObject(boxBrush);
}

void CXPGroupBox::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  Paint(dc);
  ::EndPaint(m_hWnd, &ps);
}

LRESULT CXPGroupBox::OnPrintClient(WPARAM wParam, LPARAM) {
  Paint(reinterpret_cast<HDC>(wParam));
  return 0;
}

}  // namespace morvick::ui
