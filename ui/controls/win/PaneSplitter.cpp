#include "ui/controls/win/PaneSplitter.h"

#include <algorithm>

namespace morvick::ui {

BEGIN_MESSAGE_MAP(CPaneSplitter, CStatic)
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_CAPTURECHANGED()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

const wchar_t kHorizontalEntry[] = L"HorizSplitPos";
const wchar_t kVerticalEntry[] = L"VertSplitPos";

void Place(CWnd* pane, const RECT& r) {
  if (pane == nullptr || pane->m_hWnd == nullptr) return;
  pane->MoveWindow(r.left, r.top, std::max(0L, r.right - r.left), std::max(0L, r.bottom - r.top), TRUE);
  pane->Invalidate();
}

bool Contains(const RECT& r, POINT p) { return PtInRect(&r, p) != FALSE; }

}  // namespace

CString CPaneSplitter::HorizontalSection(UINT id) {
  CString s;
  s.Format(L"splt\\init_h%u", id);
  return s;
}

CString CPaneSplitter::VerticalSection(UINT id) {
  CString s;
  s.Format(L"splt\\init_v%u", id);
  return s;
}

BOOL CPaneSplitter::Create(DWORD style, CWnd* parent, CWnd* first, CWnd* second, UINT id, const RECT& rect,
                           int firstMinimum, int secondMinimum) {
  m_id = id;
  if (!CStatic::Create(L"", style | WS_CHILD | WS_CLIPCHILDREN, rect, parent, id)) return FALSE;
  m_minLeft = m_minTop = std::max(0, firstMinimum);
  m_minRight = m_minBottom = std::max(0, secondMinimum);
  for (CWnd* pane : {first, second}) {
    if (pane == nullptr || pane->m_hWnd == nullptr) continue;
    pane->SetParent(this);
    pane->SetOwner(parent);
  }
  if (style & kVertical) {
    m_vertical = true;
    m_left = first;
    m_right = second;
    SetUpVertical();
  } else if (style & kHorizontal) {
    m_horizontal = true;
    m_top = first;
    m_bottom = second;
    SetUpHorizontal();
  }
  return TRUE;
}

BOOL CPaneSplitter::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= SS_NOTIFY;  // a static control gets mouse messages only with it
  return CStatic::PreCreateWindow(cs);
}

int CPaneSplitter::ClampX(int x) const {
  RECT c;
  GetClientRect(&c);
  // When the minimums do not fit, the first pane's minimum wins, and no pane is given a
  // negative size.
  x = std::min(x, static_cast<int>(c.right) - m_minRight);
  x = std::max(x, static_cast<int>(c.left) + m_minLeft);
  return std::max(0, std::min(x, static_cast<int>(c.right)));
}

int CPaneSplitter::ClampY(int y) const {
  RECT c;
  GetClientRect(&c);
  y = std::min(y, static_cast<int>(c.bottom) - m_minBottom);
  y = std::max(y, static_cast<int>(c.top) + m_minTop);
  return std::max(0, std::min(y, static_cast<int>(c.bottom)));
}

void CPaneSplitter::SetUpVertical() {
  RECT c;
  GetClientRect(&c);
  const int x = m_id == 164 ? 850 : 200;
  if (m_leftHidden) {
    m_rightRect = c;
    Place(m_right, m_rightRect);
    return;
  }
  LayoutVertical(x + m_barWidth / 2);
  m_vertPos = m_leftRect.right - m_leftRect.left;
}

void CPaneSplitter::SetUpHorizontal() {
  CWinApp* app = AfxGetApp();
  const int stored = app != nullptr
                         ? static_cast<int>(app->GetProfileInt(HorizontalSection(m_id), kHorizontalEntry, 2 * m_minBottom))
                         : 2 * m_minBottom;
  m_bottomHeight = std::max(0, stored);
  RECT c;
  GetClientRect(&c);
  if (m_bottomHidden) {
    if (m_bottom) m_bottom->ShowWindow(SW_HIDE);
    m_topRect = c;
    Place(m_top, m_topRect);
    return;
  }
  // Clamped as on a resize: a stored height taller than the splitter would leave the top pane nothing and the bar out of reach.
  LayoutHorizontal(ClampY(c.bottom - m_barWidth / 2 - m_bottomHeight));
}

void CPaneSplitter::LayoutVertical(int x) {
  RECT c;
  GetClientRect(&c);
  m_vertBar = RECT{x - m_barWidth, c.top, x + m_barWidth, c.bottom};
  m_leftRect = RECT{c.left, c.top, std::max(c.left, static_cast<LONG>(x - m_barWidth / 2)), c.bottom};
  m_rightRect = RECT{std::min(c.right, m_leftRect.right + m_barWidth), c.top, c.right, c.bottom};
  Place(m_left, m_leftRect);
  Place(m_right, m_rightRect);
}

void CPaneSplitter::LayoutHorizontal(int y) {
  RECT c;
  GetClientRect(&c);
  m_horizBar = RECT{0, y - m_barWidth, c.right, y + m_barWidth};
  m_bottomRect = RECT{c.left, std::min(c.bottom, static_cast<LONG>(y + m_barWidth / 2)), c.right, c.bottom};
  m_topRect = RECT{c.left, c.top, c.right, std::max(c.top, m_bottomRect.top - m_barWidth)};
  Place(m_top, m_topRect);
  Place(m_bottom, m_bottomRect);
}

void CPaneSplitter::LayoutAfterSize() {
  RECT c;
  GetClientRect(&c);
  if (m_vertical) {
    if (m_leftHidden) {
      m_rightRect = c;
      Place(m_right, m_rightRect);
    } else {
      LayoutVertical(m_vertPos + m_barWidth / 2);
    }
  }
  if (m_horizontal) {
    if (m_bottomHidden) {
      m_topRect = c;
      Place(m_top, m_topRect);
    } else {
      LayoutHorizontal(ClampY(c.bottom - m_barWidth / 2 - m_bottomHeight));
    }
  }
}

void CPaneSplitter::ShowLeftPane() {
  if (!m_vertical) return;
  m_leftHidden = false;
  LayoutVertical(m_vertPos + m_barWidth / 2);
  if (m_left) m_left->ShowWindow(SW_SHOW);
}

void CPaneSplitter::HideLeftPane() {
  if (!m_vertical || m_leftHidden) return;
  m_leftHidden = true;
  m_vertBar = RECT{};
  if (m_left) m_left->ShowWindow(SW_HIDE);
  GetClientRect(&m_rightRect);
  Place(m_right, m_rightRect);
}

void CPaneSplitter::DrawTrackingBar() {
  // Drawn across the splitter into the parent's window DC, over the panes as well (no child is
  // clipped); drawn twice, the inverted bar restores what was under it.
  HWND target = ::GetParent(m_hWnd);
  if (target == nullptr) target = m_hWnd;
  RECT origin;
  ::GetWindowRect(target, &origin);
  HDC dc = ::GetDCEx(target, nullptr, DCX_WINDOW | DCX_CACHE);
  HBRUSH brush = GetSysColorBrush(COLOR_BTNFACE);
  HGDIOBJ old = SelectObject(dc, brush);
  PatBlt(dc, m_trackBar.left - origin.left, m_trackBar.top - origin.top, m_trackBar.right - m_trackBar.left,
         m_trackBar.bottom - m_trackBar.top, PATINVERT);
  SelectObject(dc, old);
  ::ReleaseDC(target, dc);
  m_trackShown = !m_trackShown;
}

RECT CPaneSplitter::TrackingBarAt(POINT p) const {
  // The bar's width where the split would go: the gap that a layout at p leaves between the panes.
  RECT window;
  GetWindowRect(&window);
  POINT origin = {0, 0};
  ::ClientToScreen(m_hWnd, &origin);
  if (m_vertDragging) {
    const int left = origin.x + p.x - m_barWidth / 2;
    return RECT{left, window.top, left + m_barWidth, window.bottom};
  }
  const int top = origin.y + p.y + m_barWidth / 2 - m_barWidth;
  return RECT{window.left, top, window.right, top + m_barWidth};
}

void CPaneSplitter::OnLButtonDown(UINT, CPoint point) {
  const POINT p = point;
  if (m_vertical && !m_leftHidden && Contains(m_vertBar, p)) {
    m_vertDragging = true;
  } else if (m_horizontal && !m_bottomHidden && Contains(m_horizBar, p)) {
    m_horizDragging = true;
  } else {
    Default();
    return;
  }
  m_dragStart = m_dragPoint = p;
  m_trackBar = TrackingBarAt(p);
  DrawTrackingBar();
  SetCapture();
  m_focusBeforeDrag = ::SetFocus(m_hWnd);
  ::SetCursor(LoadCursorW(nullptr, m_vertDragging ? IDC_SIZEWE : IDC_SIZENS));
}

void CPaneSplitter::OnMouseMove(UINT, CPoint point) {
  const POINT p = point;
  if (m_vertDragging || m_horizDragging) {
    POINT clamped = p;
    if (m_vertDragging) clamped.x = ClampX(p.x);
    if (m_horizDragging) clamped.y = ClampY(p.y);
    if (m_trackShown) DrawTrackingBar();
    if (m_vertDragging) OffsetRect(&m_trackBar, clamped.x - m_dragPoint.x, 0);
    if (m_horizDragging) OffsetRect(&m_trackBar, 0, clamped.y - m_dragPoint.y);
    m_dragPoint = clamped;
    DrawTrackingBar();
    ::SetCursor(LoadCursorW(nullptr, m_vertDragging ? IDC_SIZEWE : IDC_SIZENS));
    return;
  }
  if (m_vertical && !m_leftHidden && Contains(m_vertBar, p)) {
    ::SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
  } else if (m_horizontal && !m_bottomHidden && Contains(m_horizBar, p)) {
    ::SetCursor(LoadCursorW(nullptr, IDC_SIZENS));
  }
  Default();
}

void CPaneSplitter::OnLButtonUp(UINT, CPoint point) {
  if (!IsDragging()) {
    Default();
    return;
  }
  const bool vertical = m_vertDragging;
  const int x = ClampX(point.x), y = ClampY(point.y);
  if (m_trackShown) DrawTrackingBar();
  if (vertical) {
    LayoutVertical(x);
    m_vertPos = m_leftRect.right - m_leftRect.left;
  } else {
    LayoutHorizontal(y);
    m_bottomHeight = m_bottomRect.bottom - m_bottomRect.top;
  }
  EndDrag(false);  // only a cancelled drag gives the focus back
}

void CPaneSplitter::EndDrag(bool restoreFocus) {
  if (m_trackShown) DrawTrackingBar();
  m_vertDragging = m_horizDragging = false;
  const HWND focus = m_focusBeforeDrag;
  m_focusBeforeDrag = nullptr;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  if (restoreFocus && focus != nullptr && ::IsWindow(focus)) ::SetFocus(focus);
}

void CPaneSplitter::OnCaptureChanged(CWnd*) {
  // Losing the mouse to another window ends the drag as Esc does.
  if (IsDragging()) EndDrag(true);
}

BOOL CPaneSplitter::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && IsDragging()) {
    EndDrag(true);  // the panes keep their layout
    return TRUE;
  }
  return CStatic::PreTranslateMessage(pMsg);
}

void CPaneSplitter::OnSize(UINT nType, int cx, int cy) {
  CStatic::OnSize(nType, cx, cy);
  LayoutAfterSize();
}

void CPaneSplitter::OnDestroy() {
  if (CWinApp* app = AfxGetApp()) {
    if (m_horizontal && !IsRectEmpty(&m_bottomRect)) {
      app->WriteProfileInt(HorizontalSection(m_id), kHorizontalEntry, m_bottomRect.bottom - m_bottomRect.top);
    }
    if (m_vertical && !IsRectEmpty(&m_leftRect)) {
      app->WriteProfileInt(VerticalSection(m_id), kVerticalEntry, m_leftRect.right);
    }
  }
  CStatic::OnDestroy();
}

}  // namespace morvick::ui
