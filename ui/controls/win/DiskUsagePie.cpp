#include "ui/controls/win/DiskUsagePie.h"

#include <algorithm>
#include <cmath>

#include "ui/controls/win/ControlShell.h"

namespace morvick::ui {

namespace {

const ULONGLONG kGigabyte = 1ull << 30;
const ULONGLONG kMegabyte = 1ull << 20;
const int kRaise = 10;  // the height of the pie's side

COLORREF Darker(COLORREF c) { return RGB(GetRValue(c) * 3 / 4, GetGValue(c) * 3 / 4, GetBValue(c) * 3 / 4); }

}  // namespace

BEGIN_MESSAGE_MAP(CDiskUsagePie, CStatic)
  ON_WM_PAINT()
  ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

POINT PieBoundaryPoint(int percent, int a, int b) {
  const int p = std::max(0, std::min(percent, 100));
  int q;
  if (p <= 25) {
    q = p;
  } else if (p <= 50) {
    q = 50 - p;
  } else if (p <= 75) {
    q = p - 50;
  } else {
    q = 100 - p;
  }
  int dx = a > 0 ? ((q * 100) / 25) * a / 100 : 0;
  const double ratio = a > 0 ? static_cast<double>(dx) / a : 0.0;
  const int dy = static_cast<int>(b * std::sqrt(std::max(0.0, 1.0 - ratio * ratio)));
  if (p <= 50) dx = -dx;
  return POINT{dx, (p >= 26 && p <= 75) ? -dy : dy};
}

CString CDiskUsagePie::FormatLegendLine(LPCTSTR label, ULONGLONG bytes) {
  CString line;
  if (bytes >= kGigabyte) {
    line.Format(L"%s: %2.2f GB", label, static_cast<double>(bytes) / kGigabyte);
  } else if (bytes >= kMegabyte) {
    line.Format(L"%s: %2.2f MB", label, static_cast<double>(bytes) / kMegabyte);
  } else {
    line.Format(L"%s: %2.2f KB", label, static_cast<double>(bytes) / 1024.0);
  }
  return line;
}

void CDiskUsagePie::SetDrive(LPCTSTR rootPath) {
  m_root = rootPath != nullptr ? rootPath : L"";
  m_used = m_total = m_free = 0;
  ULARGE_INTEGER available = {}, total = {}, free = {};
  if (CurrentControlShellHooks().getDiskFreeSpaceEx(m_root.GetString(), &available, &total, &free)) {
    m_total = total.QuadPart;
    m_free = std::min(free.QuadPart, m_total);
    m_used = m_total - m_free;
  }
  if (m_hWnd != nullptr) Invalidate();
}

int CDiskUsagePie::UsedPercent() const {
  if (m_total == 0) return -1;
  return static_cast<int>(m_used * 100 / m_total);
}

RECT CDiskUsagePie::PieBox(const RECT& client) const {
  // The pie sits at the right, below the top of the legend, and never reaches past the client
  // area.
  RECT box = {std::max(client.left, client.right - 200), client.top + 40, client.right, client.bottom - 10};
  const int height = box.bottom - box.top;
  if (box.right - box.left < 2 || static_cast<int>(0.3 * height) < 1 || height < 2 * static_cast<int>(0.3 * height) + kRaise) {
    return RECT{0, 0, 0, 0};
  }
  return box;
}

void CDiskUsagePie::Paint(HDC dc) {
  RECT client;
  GetClientRect(&client);

  HFONT font = CreateFontW(15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial");
  HGDIOBJ oldFont = SelectObject(dc, font);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  TEXTMETRICW tm = {};
  GetTextMetricsW(dc, &tm);
  const int lineHeight = tm.tmHeight + 3;
  const CString lines[] = {FormatLegendLine(L"Capacity", m_total), FormatLegendLine(L"Used", m_used),
                           FormatLegendLine(L"Free", m_free)};
  int y = client.top + 5;
  for (const CString& line : lines) {
    TextOutW(dc, client.left + 5, y, line.GetString(), line.GetLength());
    y += lineHeight;
  }
  const COLORREF squares[] = {kUsedColor, kFreeColor};
  for (int i = 0; i < 2; ++i) {
    const RECT square = {client.left + 5 + i * 20, y + 2, client.left + 5 + i * 20 + 12, y + 14};
    HBRUSH brush = CreateSolidBrush(squares[i]);
    FillRect(dc, &square, brush);
    DeleteObject(brush);
  }
  SetTextColor(dc, oldText);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
  DeleteObject(font);

  const int percent = UsedPercent();
  if (percent < 0 || percent > 100) return;
  const RECT box = PieBox(client);
  if (box.right <= box.left) return;
  DrawPie(dc, box, percent);
}

void CDiskUsagePie::DrawPie(HDC dc, const RECT& box, int percent) {
  const int width = box.right - box.left, height = box.bottom - box.top;
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  const RECT all = {0, 0, width, height};
  HBRUSH background = CreateSolidBrush(GetBkColor(dc));
  FillRect(memory, &all, background);
  DeleteObject(background);

  const int a = width / 2;
  const int b = static_cast<int>(0.3 * height);
  const int cx = width / 2;
  const int cy = height / 2 + kRaise / 2;
  const POINT boundary = PieBoundaryPoint(percent, a, b);
  SetArcDirection(memory, AD_COUNTERCLOCKWISE);
  HGDIOBJ oldPen = SelectObject(memory, GetStockObject(NULL_PEN));

  // The side is the pie repeated downwards in darker colours; the top copy goes last.
  for (int lift = 0; lift <= kRaise; ++lift) {
    const bool top = lift == kRaise;
    const int y = cy - lift;
    const RECT e = {cx - a, y - b, cx + a + 1, y + b + 1};
    HBRUSH used = CreateSolidBrush(top ? kUsedColor : Darker(kUsedColor));
    HBRUSH free = CreateSolidBrush(top ? kFreeColor : Darker(kFreeColor));
    HGDIOBJ oldBrush = SelectObject(memory, percent <= 0 ? free : used);
    Ellipse(memory, e.left, e.top, e.right, e.bottom);
    // At 0 % the whole ellipse is free and at 100 % wholly used: a sector whose two radials
    // coincide would be drawn as the full ellipse, so neither end draws one.
    if (percent > 0 && percent < 100) {
      SelectObject(memory, free);
      Pie(memory, e.left, e.top, e.right, e.bottom, cx, y + b, cx + boundary.x, y + boundary.y);
    }
    SelectObject(memory, oldBrush);
    DeleteObject(used);
    DeleteObject(free);
  }
  // The edges of the side.
  HPEN edge = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  SelectObject(memory, edge);
  MoveToEx(memory, cx - a, cy - kRaise, nullptr);
  LineTo(memory, cx - a, cy + 1);
  MoveToEx(memory, cx + a, cy - kRaise, nullptr);
  LineTo(memory, cx + a, cy + 1);
  SelectObject(memory, oldPen);
  DeleteObject(edge);

  BitBlt(dc, box.left, box.top, width, height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

void CDiskUsagePie::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  ::SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  Paint(dc);
  ::EndPaint(m_hWnd, &ps);
}

LRESULT CDiskUsagePie::OnPrintClient(WPARAM wParam, LPARAM) {
  Paint(reinterpret_cast<HDC>(wParam));
  return 0;
}

}  // namespace morvick::ui
