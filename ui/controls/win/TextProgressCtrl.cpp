#include "ui/controls/win/TextProgressCtrl.h"

#include "ui/controls/win/BufferedPaint.h"

#include <algorithm>

namespace morvick::ui {

BEGIN_MESSAGE_MAP(CTextProgressCtrl, CProgressCtrl)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
  ON_MESSAGE(PBM_SETRANGE, OnSetRange)
  ON_MESSAGE(PBM_SETRANGE32, OnSetRange32)
  ON_MESSAGE(PBM_GETRANGE, OnGetRange)
  ON_MESSAGE(PBM_SETPOS, OnSetPos)
  ON_MESSAGE(PBM_DELTAPOS, OnDeltaPos)
  ON_MESSAGE(PBM_STEPIT, OnStepIt)
  ON_MESSAGE(PBM_SETSTEP, OnSetStep)
  ON_MESSAGE(PBM_GETPOS, OnGetPos)
  ON_MESSAGE(PBM_SETBARCOLOR, OnSetBarColor)
  ON_MESSAGE(PBM_SETBKCOLOR, OnSetBkColor)
  ON_MESSAGE(kTpmSetTextColor, OnSetTextColor)
  ON_MESSAGE(kTpmShowText, OnShowText)
  ON_MESSAGE(WM_SETTEXT, OnSetText)
  ON_MESSAGE(WM_GETTEXT, OnGetText)
  ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

int CTextProgressCtrl::BarLength() {
  if (m_upper <= m_lower) return 0;
  RECT client;
  GetClientRect(&client);
  const int extent = (GetStyle() & PBS_VERTICAL) ? client.bottom : client.right;
  const double fraction = (static_cast<double>(m_pos) - m_lower) / (static_cast<double>(m_upper) - m_lower);
  return static_cast<int>(std::max(0.0, std::min(1.0, fraction)) * extent);
}

void CTextProgressCtrl::Repaint() {
  if (m_hWnd != nullptr) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CTextProgressCtrl::Paint(HDC dc) {
  if (m_upper <= m_lower) return;
  RECT client;
  GetClientRect(&client);
  const COLORREF background = m_bkColor == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : m_bkColor;
  const double fraction =
      std::max(0.0, std::min(1.0, (static_cast<double>(m_pos) - m_lower) / (static_cast<double>(m_upper) - m_lower)));
  const bool vertical = (GetStyle() & PBS_VERTICAL) != 0;

  RECT filled = client, empty = client;
  if (vertical) {
    filled.top = client.bottom - static_cast<int>(fraction * client.bottom);
    empty.bottom = filled.top;
  } else {
    filled.right = client.left + static_cast<int>(fraction * client.right);
    empty.left = filled.right;
  }
  auto fill = [dc](const RECT& r, COLORREF c) {
    COLORREF old = ::SetBkColor(dc, c);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
  };
  fill(filled, kBarColor);
  fill(empty, background);

  if (!m_showText || vertical) return;
  CString text = m_text;
  if (text.IsEmpty()) text.Format(L"%d%%", static_cast<int>(fraction * 100));
  CWnd* parent = GetParent();
  HFONT font = parent != nullptr ? reinterpret_cast<HFONT>(::SendMessageW(parent->m_hWnd, WM_GETFONT, 0, 0)) : nullptr;
  if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HGDIOBJ oldFont = SelectObject(dc, font);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const struct {
    RECT clip;
    COLORREF colour;
  } parts[] = {{filled, m_textColor == CLR_DEFAULT ? background : m_textColor},
               {empty, m_textColor == CLR_DEFAULT ? kBarColor : m_textColor}};
  for (const auto& part : parts) {
    if (part.clip.right <= part.clip.left) continue;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, part.clip.left, part.clip.top, part.clip.right, part.clip.bottom);
    SetTextColor(dc, part.colour);
    RECT r = client;
    DrawTextW(dc, text.GetString(), text.GetLength(), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RestoreDC(dc, saved);
  }
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

void CTextProgressCtrl::OnPaint() {
  PaintThroughBuffer(m_hWnd, true, [this](HDC memory) { Paint(memory); });
}

BOOL CTextProgressCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CTextProgressCtrl::OnSize(UINT nType, int cx, int cy) {
  CProgressCtrl::OnSize(nType, cx, cy);
  m_barLength = -1;
}

LRESULT CTextProgressCtrl::OnPrintClient(WPARAM wParam, LPARAM) {
  Paint(reinterpret_cast<HDC>(wParam));
  return 0;
}

LRESULT CTextProgressCtrl::OnSetRange(WPARAM, LPARAM lParam) {
  const LRESULT previous = MAKELRESULT(m_lower, m_upper);
  m_lower = static_cast<short>(LOWORD(lParam));
  m_upper = static_cast<short>(HIWORD(lParam));
  m_barLength = -1;
  Repaint();
  return previous;
}

LRESULT CTextProgressCtrl::OnSetRange32(WPARAM wParam, LPARAM lParam) {
  const LRESULT previous = MAKELRESULT(m_lower, m_upper);
  m_lower = static_cast<int>(wParam);
  m_upper = static_cast<int>(lParam);
  m_barLength = -1;
  Repaint();
  return previous;
}

LRESULT CTextProgressCtrl::OnGetRange(WPARAM wParam, LPARAM lParam) {
  if (auto* range = reinterpret_cast<PBRANGE*>(lParam)) {
    range->iLow = m_lower;
    range->iHigh = m_upper;
  }
  return wParam ? m_lower : m_upper;
}

LRESULT CTextProgressCtrl::OnSetPos(WPARAM wParam, LPARAM) {
  const int previous = m_pos;
  const int pos = static_cast<int>(wParam);
  if (pos != m_pos) {
    m_pos = pos;
    m_barLength = BarLength();
    Repaint();  // at each position: the percent text changes where the bar's length in pixels does not
  }
  return previous;
}

LRESULT CTextProgressCtrl::OnDeltaPos(WPARAM wParam, LPARAM) {
  return SendMessage(PBM_SETPOS, static_cast<WPARAM>(m_pos + static_cast<int>(wParam)));
}

LRESULT CTextProgressCtrl::OnStepIt(WPARAM, LPARAM) { return SendMessage(PBM_SETPOS, static_cast<WPARAM>(m_pos + m_step)); }

LRESULT CTextProgressCtrl::OnSetStep(WPARAM wParam, LPARAM) {
  const int previous = m_step;
  m_step = static_cast<int>(wParam);
  return previous;
}

LRESULT CTextProgressCtrl::OnGetPos(WPARAM, LPARAM) { return m_pos; }

LRESULT CTextProgressCtrl::OnSetBarColor(WPARAM, LPARAM lParam) {
  const COLORREF previous = m_barColor;
  m_barColor = static_cast<COLORREF>(lParam);
  Repaint();
  return previous;
}

LRESULT CTextProgressCtrl::OnSetBkColor(WPARAM, LPARAM lParam) {
  const COLORREF previous = m_bkColor;
  m_bkColor = static_cast<COLORREF>(lParam);
  Repaint();
  return previous;
}

LRESULT CTextProgressCtrl::OnSetTextColor(WPARAM, LPARAM lParam) {
  const COLORREF previous = m_textColor;
  m_textColor = static_cast<COLORREF>(lParam);
  Repaint();
  return previous;
}

LRESULT CTextProgressCtrl::OnShowText(WPARAM wParam, LPARAM) {
  const BOOL show = wParam != 0;
  if (show != m_showText) {
    m_showText = show;
    Repaint();
  }
  return 0;
}

LRESULT CTextProgressCtrl::OnSetText(WPARAM, LPARAM lParam) {
  const LRESULT result = Default();
  const CString text = lParam ? reinterpret_cast<LPCTSTR>(lParam) : L"";
  if (text != m_text) {
    m_text = text;
    Repaint();
  }
  return result;
}

// Copies at most count - 1 characters and always ends the buffer, so that a caller's buffer of
// count characters holds the text and its terminator; returns the number copied.
LRESULT CTextProgressCtrl::OnGetText(WPARAM wParam, LPARAM lParam) {
  auto* buffer = reinterpret_cast<LPTSTR>(lParam);
  const int count = static_cast<int>(wParam);
  if (buffer == nullptr || count <= 0) return 0;
  const int copied = std::min(count - 1, m_text.GetLength());
  if (copied > 0) memcpy(buffer, m_text.GetString(), copied * sizeof(TCHAR));
  buffer[copied] = L'\0';
  return copied;
}

LRESULT CTextProgressCtrl::OnGetTextLength(WPARAM, LPARAM) { return m_text.GetLength(); }

}  // namespace morvick::ui
