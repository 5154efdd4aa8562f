#include "ui/controls/win/GradientProgressCtrl.h"

#include "ui/controls/win/BufferedPaint.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace morvick::ui {

namespace {

void FillSolid(HDC dc, const RECT& r, COLORREF c) {
  COLORREF old = SetBkColor(dc, c);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

bool IsPaletteDevice(HDC dc) { return (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0; }

}  // namespace

CString FormatBarText(const CString& pattern, int value) {
  CString out;
  const int n = pattern.GetLength();
  for (int i = 0; i < n; ++i) {
    const TCHAR c = pattern[i];
    if (c == L'%' && i + 1 < n && pattern[i + 1] == L'd') {
      CString number;
      number.Format(L"%d", value);
      out += number;
      ++i;
    } else if (c == L'%' && i + 1 < n && pattern[i + 1] == L'%') {
      out += L'%';
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

BEGIN_MESSAGE_MAP(CGradientProgressCtrl, CProgressCtrl)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
  ON_MESSAGE(PBM_SETBARCOLOR, OnSetBarColor)
  ON_MESSAGE(PBM_SETBKCOLOR, OnSetBkColor)
  ON_MESSAGE(PBM_SETSTEP, OnSetStep)
  ON_MESSAGE(PBM_SETPOS, OnSetPos)
  ON_MESSAGE(PBM_DELTAPOS, OnDeltaPos)
  ON_MESSAGE(PBM_STEPIT, OnStepIt)
END_MESSAGE_MAP()

CGradientProgressCtrl::CGradientProgressCtrl()
    : m_bkColor(GetSysColor(COLOR_BTNFACE)),
      m_textOverBar(GetSysColor(COLOR_CAPTIONTEXT)),
      m_textOverBackground(GetSysColor(COLOR_BTNTEXT)) {
  BOOL gradientCaptions = FALSE;
  SystemParametersInfoW(SPI_GETGRADIENTCAPTIONS, 0, &gradientCaptions, 0);
  m_colors.Add(GetSysColor(COLOR_ACTIVECAPTION));
  m_colors.Add(GetSysColor(gradientCaptions ? COLOR_GRADIENTACTIVECAPTION : COLOR_ACTIVECAPTION));
}

CGradientProgressCtrl::~CGradientProgressCtrl() = default;

void CGradientProgressCtrl::Range(int& lower, int& upper) {
  PBRANGE range = {0, 0};
  ::SendMessageW(m_hWnd, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  lower = range.iLow;
  upper = range.iHigh;
}

bool CGradientProgressCtrl::Vertical() { return (GetStyle() & PBS_VERTICAL) != 0; }

void CGradientProgressCtrl::SetShowText(LPCTSTR text, DWORD styleBits) {
  if (text != nullptr && *text != L'\0' && (styleBits & kGpsTextMask) != 0) {
    ModifyStyle(kGpsTextMask, styleBits & kGpsTextMask);
    SetWindowText(text);
  } else {
    ModifyStyle(kGpsTextMask, 0);
    SetWindowText(L"");
  }
  Invalidate();
}

void CGradientProgressCtrl::Paint(HDC dc) {
  RECT client;
  GetClientRect(&client);
  if (m_bkBrush != nullptr) {
    FillRect(dc, &client, m_bkBrush);
  } else {
    FillSolid(dc, client, m_bkColor);
  }
  RECT bar = {client.left + m_margin.left, client.top + m_margin.top, client.right - m_margin.right,
              client.bottom - m_margin.bottom};
  if (bar.right <= bar.left || bar.bottom <= bar.top) return;

  int lower = 0, upper = 0;
  Range(lower, upper);
  const int pos = GetPos();
  // An empty range has no filled part: only the background is drawn.
  if (upper <= lower || pos < lower || pos > upper) return;

  const bool vertical = Vertical();
  const int extent = vertical ? bar.bottom - bar.top : bar.right - bar.left;
  const double range = static_cast<double>(upper) - lower;
  const int length = static_cast<int>((static_cast<double>(pos) - lower) * extent / range);
  int start = 0;
  if (GetStyle() & kGpsSnake) {
    start = static_cast<int>((static_cast<double>(m_snakePos) - lower) * extent / range);
    start = std::max(0, std::min(start, length));
  }

  RECT fill = bar, gradient = bar;
  if (vertical) {  // fills from the bottom up
    fill.bottom = bar.bottom - start;
    fill.top = bar.bottom - length;
  } else {
    fill.left = bar.left + start;
    fill.right = bar.left + length;
  }
  if (GetStyle() & kGpsGradientOnFill) gradient = fill;

  if (fill.right > fill.left && fill.bottom > fill.top) {
    if (m_barBrush != nullptr) {
      FillRect(dc, &fill, m_barBrush);
    } else {
      DrawGradientBar(dc, gradient, fill);
    }
  }
  CString text;
  GetWindowText(text);
  DrawBarText(dc, text, bar, fill, vertical);
}

void CGradientProgressCtrl::DrawGradientBar(HDC dc, const RECT& barRect, const RECT& clipRect) {
  const int count = static_cast<int>(m_colors.GetSize());
  if (count < 2) return;  // a single stop makes no section
  const bool vertical = Vertical();
  const int begin = vertical ? barRect.bottom : barRect.left;
  const int total = vertical ? barRect.bottom - barRect.top : barRect.right - barRect.left;
  const int clipEnd = vertical ? clipRect.top : clipRect.right;
  const double section = static_cast<double>(total) / (count - 1);
  for (int i = 0; i < count - 1; ++i) {
    const int from = static_cast<int>(i * section);
    const int to = i == count - 2 ? total : static_cast<int>((i + 1) * section);
    RECT r = barRect;
    if (vertical) {
      r.bottom = begin - from;
      r.top = begin - to;
    } else {
      r.left = begin + from;
      r.right = begin + to;
    }
    RECT visible;
    if (IntersectRect(&visible, &r, &clipRect)) {
      const int saved = SaveDC(dc);
      IntersectClipRect(dc, clipRect.left, clipRect.top, clipRect.right, clipRect.bottom);
      DrawGradient(dc, r, m_colors[i], m_colors[i + 1]);
      RestoreDC(dc, saved);
    }
    if (vertical ? r.top <= clipEnd : r.right >= clipEnd) break;
  }
}

void CGradientProgressCtrl::DrawGradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to) {
  const bool vertical = Vertical();
  const int width = vertical ? rect.bottom - rect.top : rect.right - rect.left;
  if (width <= 0) return;
  const int dr = GetRValue(to) - GetRValue(from);
  const int dg = GetGValue(to) - GetGValue(from);
  const int db = GetBValue(to) - GetBValue(from);
  int bands = std::max({std::abs(dr), std::abs(dg), std::abs(db)});
  bands = std::max(1, std::min(bands, width));
  const bool palette = IsPaletteDevice(dc);
  if (!palette && GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) < 8) bands = 1;

  RECT clip;
  if (GetClipBox(dc, &clip) == NULLREGION) return;
  for (int i = 0; i < bands; ++i) {
    const int a = i * width / bands;
    const int b = i == bands - 1 ? width : (i + 1) * width / bands;
    RECT band = rect;
    if (vertical) {
      band.bottom = rect.bottom - a;
      band.top = rect.bottom - b;
      if (band.top >= clip.bottom) continue;
      if (band.bottom <= clip.top) break;
    } else {
      band.left = rect.left + a;
      band.right = rect.left + b;
      if (band.right <= clip.left) continue;
      if (band.left >= clip.right) break;
    }
    const COLORREF c = RGB(GetRValue(from) + i * dr / bands, GetGValue(from) + i * dg / bands,
                           GetBValue(from) + i * db / bands);
    if (palette) {
      HBRUSH brush = CreateSolidBrush(c);
      FillRect(dc, &band, brush);
      DeleteObject(brush);
    } else {
      FillSolid(dc, band, c);
    }
  }
}

void CGradientProgressCtrl::DrawBarText(HDC dc, const CString& text, const RECT& barRect, const RECT& fillRect,
                                        BOOL vertical) {
  const DWORD style = GetStyle();
  if ((style & kGpsTextMask) == 0) return;
  int lower = 0, upper = 0;
  Range(lower, upper);
  if (upper <= lower) return;
  const int pos = GetPos();
  int value = pos;
  if (style & kGpsShowPercent) {
    value = static_cast<int>((static_cast<double>(pos) - lower) * 100.0 / (static_cast<double>(upper) - lower));
  }
  CString pattern = text;
  if (pattern.IsEmpty()) pattern = (style & kGpsShowPercent) ? L"%d%%" : L"%d";
  const CString shown = FormatBarText(pattern, value);

  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
  if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HGDIOBJ oldFont = SelectObject(dc, font);
  LOGFONTW lf = {};
  GetObjectW(font, sizeof(lf), &lf);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const UINT oldAlign = SetTextAlign(dc, TA_CENTER | TA_BOTTOM);
  SIZE size = {0, 0};
  GetTextExtentPoint32W(dc, shown.GetString(), shown.GetLength(), &size);

  // The text's origin is the middle of its bottom edge, turned with the font.
  auto originFor = [&](const RECT& r) {
    POINT c = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    switch (((lf.lfEscapement % 3600) + 3600) % 3600 / 900) {
      case 1: return POINT{c.x + size.cy / 2, c.y};
      case 2: return POINT{c.x, c.y - size.cy / 2};
      case 3: return POINT{c.x - size.cy / 2, c.y};
      default: return POINT{c.x, c.y + size.cy / 2};
    }
  };
  const bool turned = (((lf.lfEscapement % 3600) + 3600) % 3600 / 900) % 2 == 1;
  const int textLength = turned ? size.cy : size.cx;
  (void)vertical;

  if (style & kGpsTextFollowsBar) {
    const int filled = turned ? fillRect.bottom - fillRect.top : fillRect.right - fillRect.left;
    if (textLength <= filled) {
      SetTextColor(dc, m_textOverBar);
      DrawClippedText(dc, shown, fillRect, originFor(fillRect));
    }
  } else if (m_textOverBar == m_textOverBackground) {
    SetTextColor(dc, m_textOverBar);
    DrawClippedText(dc, shown, barRect, originFor(barRect));
  } else {
    const POINT origin = originFor(barRect);
    SetTextColor(dc, m_textOverBar);
    DrawClippedText(dc, shown, fillRect, origin);
    // The rest of the bar: the bar rectangle without the filled part.
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, fillRect.left, fillRect.top, fillRect.right, fillRect.bottom);
    SetTextColor(dc, m_textOverBackground);
    DrawClippedText(dc, shown, barRect, origin);
    RestoreDC(dc, saved);
  }
  SetTextAlign(dc, oldAlign);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

void CGradientProgressCtrl::DrawClippedText(HDC dc, const CString& text, const RECT& rect, POINT origin) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  TextOutW(dc, origin.x, origin.y, text.GetString(), text.GetLength());
  RestoreDC(dc, saved);
}

BOOL CGradientProgressCtrl::SetSnakePos(LRESULT* result, int value, BOOL relative) {
  if (!(GetStyle() & kGpsSnake)) return FALSE;
  int lower = 0, upper = 0;
  Range(lower, upper);
  int head;
  if (relative) {
    head = GetPos();
    if (head == upper && upper - m_snakePos < m_snakeLength) head = m_snakePos + m_snakeLength;
    head += std::abs(value);
  } else {
    head = value;
  }
  if (head > upper + m_snakeLength) {
    head = std::min(head + lower - m_snakeLength - upper, upper + m_snakeLength);
    ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(GetStyle() ^ kGpsSnakeWrapped));
  } else if (head >= upper) {
    Invalidate();  // the control's own position stays at upper; the tail still moves
  }
  m_snakePos = std::max(head - m_snakeLength, lower);
  *result = DefWindowProc(PBM_SETPOS, static_cast<WPARAM>(head), 0);
  return TRUE;
}

void CGradientProgressCtrl::OnPaint() {
  PaintThroughBuffer(m_hWnd, false, [this](HDC memory) { Paint(memory); });
}

BOOL CGradientProgressCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

LRESULT CGradientProgressCtrl::OnPrintClient(WPARAM wParam, LPARAM) {
  Paint(reinterpret_cast<HDC>(wParam));
  return 0;
}

LRESULT CGradientProgressCtrl::OnSetBarColor(WPARAM wParam, LPARAM lParam) {
  m_colors.RemoveAll();
  m_colors.Add(static_cast<DWORD>(lParam));
  m_colors.Add(wParam != 0 ? static_cast<DWORD>(wParam) : static_cast<DWORD>(lParam));
  Invalidate();
  return CLR_DEFAULT;
}

LRESULT CGradientProgressCtrl::OnSetBkColor(WPARAM, LPARAM lParam) {
  m_bkColor = static_cast<COLORREF>(lParam);
  Invalidate();
  return CLR_DEFAULT;
}

LRESULT CGradientProgressCtrl::OnSetStep(WPARAM wParam, LPARAM) {
  m_step = static_cast<int>(wParam);
  return Default();
}

LRESULT CGradientProgressCtrl::OnSetPos(WPARAM wParam, LPARAM) {
  LRESULT result = 0;
  if (SetSnakePos(&result, static_cast<int>(wParam), FALSE)) return result;
  return Default();
}

LRESULT CGradientProgressCtrl::OnDeltaPos(WPARAM wParam, LPARAM) {
  LRESULT result = 0;
  if (SetSnakePos(&result, static_cast<int>(wParam), TRUE)) return result;
  return Default();
}

LRESULT CGradientProgressCtrl::OnStepIt(WPARAM, LPARAM) {
  LRESULT result = 0;
  if (SetSnakePos(&result, m_step, TRUE)) return result;
  return Default();
}

}  // namespace morvick::ui
