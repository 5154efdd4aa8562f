#include "ui/controls/win/LinkStatusBar.h"

#include "ui/controls/win/ControlShell.h"

namespace morvick::ui {

const wchar_t CLinkStatusBar::kLinkText[] = L"Contact Support";
const wchar_t CLinkStatusBar::kSupportUrl[] = L"https://www.example.com/morvick/support";

BEGIN_MESSAGE_MAP(CLinkStatusBar, CStatusBar)
  ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

void CLinkStatusBar::UpdatePaneWidths(int frameWidth) {
  SetPaneInfo(0, 0, SBPS_NORMAL, frameWidth / 2 + 270);
  // The link pane draws itself: without the owner-draw style its text would never show.
  SetPaneInfo(1, kLinkPaneId, SBPS_STRETCH | SBPS_OWNERDRAW, 0);
}

void CLinkStatusBar::MeasureText(HDC dc) {
  SIZE size = {0, 0};
  GetTextExtentPoint32W(dc, m_text.GetString(), m_text.GetLength(), &size);
  m_textWidth = size.cx;
  m_textHeight = size.cy;
}

void CLinkStatusBar::Paint(HDC dc, const RECT& pane) {
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
  HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
  const int mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF bk = ::SetBkColor(dc, RGB(255, 255, 255));
  const COLORREF text = ::SetTextColor(dc, kLinkColor);
  TextOutW(dc, pane.left + 2, pane.top, m_text.GetString(), m_text.GetLength());
  MeasureText(dc);
  ::SetTextColor(dc, text);
  ::SetBkColor(dc, bk);
  SetBkMode(dc, mode);
  if (old != nullptr) SelectObject(dc, old);
}

void CLinkStatusBar::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct->itemID == 1) Paint(lpDrawItemStruct->hDC, lpDrawItemStruct->rcItem);
}

RECT CLinkStatusBar::LinkRect() {
  const int index = CommandToIndex(kLinkPaneId);
  if (index < 0) return RECT{};
  RECT pane = {};
  ::SendMessageW(m_hWnd, SB_GETRECT, index, reinterpret_cast<LPARAM>(&pane));
  if (m_textWidth == 0) {  // not drawn yet: measure with the bar's font
    HDC dc = ::GetDC(m_hWnd);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
    HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
    MeasureText(dc);
    if (old != nullptr) SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
  }
  return RECT{pane.left + 4, pane.top, pane.left + 4 + m_textWidth, pane.bottom};
}

void CLinkStatusBar::OnLButtonUp(UINT, CPoint point) {
  const RECT link = LinkRect();
  const POINT p = point;
  if (PtInRect(&link, p)) {
    CurrentControlShellHooks().shellExecute(m_hWnd, L"open", kSupportUrl, nullptr, nullptr, SW_SHOWNORMAL);
  }
  Default();
}

}  // namespace morvick::ui
