#include "ui/controls/win/CenteredEdit.h"

#include <algorithm>

namespace morvick::ui {

BEGIN_MESSAGE_MAP(CCenteredEdit, CEdit)
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

void CCenteredEdit::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {
  // Both forms of the message carry the window rectangle first; afterwards it is the client's.
  RECT* proposed = bCalcValidRects ? &lpncsp->rgrc[0] : reinterpret_cast<RECT*>(lpncsp);
  const RECT window = *proposed;
  Default();

  HDC dc = ::GetDC(m_hWnd);
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
  HGDIOBJ old = SelectObject(dc, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
  RECT text = {0, 0, 0, 0};
  DrawTextW(dc, L"Ky", 2, &text, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, old);
  ::ReleaseDC(m_hWnd, dc);

  // A box no taller than one line has no spare height: the bands stay empty, never negative.
  const int spare = std::max(0, static_cast<int>(proposed->bottom - proposed->top) - static_cast<int>(text.bottom));
  const int top = spare / 2;
  const int bottom = spare - top;
  RECT client = *proposed;
  m_topBand = RECT{client.left - window.left, client.top - window.top, client.right - window.left,
                   client.top - window.top + top};
  m_bottomBand = RECT{client.left - window.left, client.bottom - window.top - bottom, client.right - window.left,
                      client.bottom - window.top};
  proposed->top += top;
  proposed->bottom -= bottom;
}

void CCenteredEdit::PaintBands(HDC windowDc) {
  HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  if (!IsRectEmpty(&m_topBand)) FillRect(windowDc, &m_topBand, white);
  if (!IsRectEmpty(&m_bottomBand)) FillRect(windowDc, &m_bottomBand, white);
}

void CCenteredEdit::OnNcPaint() {
  Default();
  HDC dc = ::GetWindowDC(m_hWnd);
  PaintBands(dc);
  ::ReleaseDC(m_hWnd, dc);
}

HBRUSH CCenteredEdit::CtlColor(CDC*, UINT) {
  // A box subclassed after its frame was calculated gets its bands on first paint. This is done
  // once: a box one line high keeps empty bands, and recalculating again would only repaint it
  // again, for ever. Its visibility is left as it is.
  if (!m_frameRecalculated && (IsRectEmpty(&m_topBand) || IsRectEmpty(&m_bottomBand))) {
    m_frameRecalculated = true;
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
  }
  return nullptr;
}

}  // namespace morvick::ui
