#include "classlib/win/CControlBar.h"
#include "classlib/win/CFrameWnd.h"
#include "classlib/win/AfxGdi.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

// Sizes of the border lines and the gripper.
const int kBorder = 1;
const int kBorder2 = 2;
const int kGripper = 3;
const int kBorderGripper = 2;

// Takes the width of each border the style asks for off the rectangle.
void DeflateByBorders(CRect& rect, DWORD dwStyle)
{
    if (dwStyle & CBRS_BORDER_LEFT)
        rect.left += kBorder2;
    if (dwStyle & CBRS_BORDER_TOP)
        rect.top += kBorder2;
    if (dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= kBorder2;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= kBorder2;
}

} // namespace

CControlBar::CControlBar()
    : m_cxLeftBorder(6), m_cxRightBorder(6), m_cyTopBorder(1), m_cyBottomBorder(1), m_cxDefaultGap(2),
      m_nMRUWidth(32767), m_bAutoDelete(FALSE), m_nCount(0), m_pData(nullptr), m_nStateFlags(0), m_dwStyle(0),
      m_dwDockStyle(0), m_pDockSite(nullptr)
{
}

CControlBar::~CControlBar()
{
    // The object is going away already: PostNcDestroy must not delete it again.
    m_bAutoDelete = FALSE;
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DestroyWindow();
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_dwStyle != dwStyle) {
        DWORD dwOldStyle = m_dwStyle;
        m_dwStyle = dwStyle;
        OnBarStyleChange(dwOldStyle, dwStyle);
    }
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    if (m_pDockSite != nullptr)
        return m_pDockSite;
    return GetParentFrame();
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    DWORD dwStyle = m_dwStyle;
    DeflateByBorders(rect, dwStyle);

    bool gripper = (dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
    if (bHorz) {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
        if (gripper)
            rect.left += kBorderGripper + kGripper + kBorderGripper;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
        if (gripper)
            rect.top += kBorderGripper + kGripper + kBorderGripper;
    }
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !bVisible)
        m_nStateFlags |= delayShow;
    else if (!bShow && bVisible)
        m_nStateFlags |= delayHide;
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (m_nStateFlags & delayShow) != 0 || (GetStyle() & WS_VISIBLE) != 0;
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    DWORD dwStyle = GetStyle() & WS_VISIBLE;
    if (m_nStateFlags & (delayHide | delayShow)) {
        UINT swpFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
        if (m_nStateFlags & delayShow) {
            dwStyle |= WS_VISIBLE;
            swpFlags |= SWP_SHOWWINDOW;
        } else {
            dwStyle &= ~WS_VISIBLE;
            swpFlags |= SWP_HIDEWINDOW;
        }
        if (lpLayout->hDWP != nullptr) {
            lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, nullptr, 0, 0, 0, 0, swpFlags);
            m_nStateFlags &= ~(delayHide | delayShow);
        }
    }
    return dwStyle | (m_dwStyle & CBRS_ALL);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    DWORD dwStyle = RecalcDelayShow(lpLayout);
    if ((dwStyle & WS_VISIBLE) == 0 || (dwStyle & CBRS_ALIGN_ANY) == 0)
        return 0;

    CRect rect(lpLayout->rect);
    CSize sizeAvail = rect.Size();
    DWORD dwMode = lpLayout->bStretch ? LM_STRETCH : 0;
    if (dwStyle & CBRS_ORIENT_HORZ)
        dwMode |= LM_HORZ | LM_HORZDOCK;
    else
        dwMode |= LM_VERTDOCK;
    CSize size = CalcDynamicLayout(-1, dwMode);
    if (size.cx > sizeAvail.cx)
        size.cx = sizeAvail.cx;
    if (size.cy > sizeAvail.cy)
        size.cy = sizeAvail.cy;
    if (size.cx < 0)
        size.cx = 0;
    if (size.cy < 0)
        size.cy = 0;

    if (dwStyle & CBRS_ORIENT_HORZ) {
        lpLayout->sizeTotal.cy += size.cy;
        if (lpLayout->sizeTotal.cx < size.cx)
            lpLayout->sizeTotal.cx = size.cx;
        if (dwStyle & CBRS_ALIGN_TOP) {
            lpLayout->rect.top += size.cy;
        } else if (dwStyle & CBRS_ALIGN_BOTTOM) {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
    } else if (dwStyle & CBRS_ORIENT_VERT) {
        lpLayout->sizeTotal.cx += size.cx;
        if (lpLayout->sizeTotal.cy < size.cy)
            lpLayout->sizeTotal.cy = size.cy;
        if (dwStyle & CBRS_ALIGN_LEFT) {
            lpLayout->rect.left += size.cx;
        } else if (dwStyle & CBRS_ALIGN_RIGHT) {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;

    if (lpLayout->hDWP != nullptr) {
        // Move only when the place changes: a deferred move of an unchanged window still repaints.
        CRect current;
        ::GetWindowRect(m_hWnd, &current);
        ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&current), 2);
        if (current != rect)
            lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, nullptr, rect.left, rect.top, rect.Width(),
                                              rect.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
    }
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    UINT swpFlags = 0;
    if ((m_nStateFlags & delayHide) && bVisible)
        swpFlags = SWP_HIDEWINDOW;
    else if ((m_nStateFlags & delayShow) && !bVisible)
        swpFlags = SWP_SHOWWINDOW;
    m_nStateFlags &= ~(delayShow | delayHide);
    if (swpFlags != 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       swpFlags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    if ((GetStyle() & WS_VISIBLE) == 0)
        return 0;
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget = pOwner != nullptr && pOwner->IsKindOf(RUNTIME_CLASS(CFrameWnd))
                             ? static_cast<CFrameWnd*>(pOwner)
                             : GetParentFrame();
    if (pTarget != nullptr)
        OnUpdateCmdUI(pTarget, (BOOL)wParam);
    return 0;
}

void CControlBar::OnWindowPosChanging(LPWINDOWPOS lpWndPos)
{
    // The default procedure only: some common controls mishandle this message.
    ::DefWindowProc(m_hWnd, WM_WINDOWPOSCHANGING, 0, (LPARAM)lpWndPos);
    if (lpWndPos->flags & SWP_NOSIZE)
        return;

    // Borders along the right and bottom edges move with a new size: repaint old and new places.
    CRect rect;
    ::GetWindowRect(m_hWnd, &rect);
    CSize sizePrev = rect.Size();
    int cx = lpWndPos->cx;
    int cy = lpWndPos->cy;
    if (cx != sizePrev.cx && (m_dwStyle & CBRS_BORDER_RIGHT)) {
        rect.SetRect(cx - kBorder2, 0, cx, cy);
        InvalidateRect(&rect);
        rect.SetRect(sizePrev.cx - kBorder2, 0, sizePrev.cx, cy);
        InvalidateRect(&rect);
    }
    if (cy != sizePrev.cy && (m_dwStyle & CBRS_BORDER_BOTTOM)) {
        rect.SetRect(0, cy - kBorder2, cx, cy);
        InvalidateRect(&rect);
        rect.SetRect(0, sizePrev.cy - kBorder2, cx, sizePrev.cy);
        InvalidateRect(&rect);
    }
}

void CControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect rect;
    CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    lpncsp->rgrc[0].left += rect.left;
    lpncsp->rgrc[0].top += rect.top;
    lpncsp->rgrc[0].right += rect.right;
    lpncsp->rgrc[0].bottom += rect.bottom;
}

void CControlBar::OnNcPaint()
{
    EraseNonClient();
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC)
{
    return (BOOL)Default();
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

void CControlBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
    DrawGripper(pDC, rect);
}

void CControlBar::EraseNonClient()
{
    CWindowDC dc(this);
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    ScreenToClient(&rectWindow);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(&rectClient);

    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    DrawBorders(&dc, rectWindow);
    dc.IntersectClipRect(&rectWindow);
    SendMessage(WM_ERASEBKGND, (WPARAM)dc.m_hDC);
    DrawGripper(&dc, rectWindow);
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    DWORD dwStyle = m_dwStyle;
    if ((dwStyle & CBRS_BORDER_ANY) == 0)
        return;

    CRect rect1(rect), rect2(rect);
    COLORREF clr = ::GetSysColor(COLOR_BTNSHADOW);
    if (dwStyle & CBRS_BORDER_3D) {
        rect1.right -= kBorder;
        rect1.bottom -= kBorder;
    }
    if (dwStyle & CBRS_BORDER_TOP)
        rect2.top += kBorder2;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect2.bottom -= kBorder2;

    if (dwStyle & CBRS_BORDER_LEFT)
        pDC->FillSolidRect(rect.left, rect2.top, kBorder, rect2.Height(), clr);
    if (dwStyle & CBRS_BORDER_TOP)
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), kBorder, clr);
    if (dwStyle & CBRS_BORDER_RIGHT)
        pDC->FillSolidRect(rect1.right, rect2.top, -kBorder, rect2.Height(), clr);
    if (dwStyle & CBRS_BORDER_BOTTOM)
        pDC->FillSolidRect(rect.left, rect1.bottom, rect.Width(), -kBorder, clr);

    if (dwStyle & CBRS_BORDER_3D) {
        clr = ::GetSysColor(COLOR_BTNHIGHLIGHT);
        if (dwStyle & CBRS_BORDER_LEFT)
            pDC->FillSolidRect(rect.left + 1, rect2.top, kBorder, rect2.Height(), clr);
        if (dwStyle & CBRS_BORDER_TOP)
            pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), kBorder, clr);
        if (dwStyle & CBRS_BORDER_RIGHT)
            pDC->FillSolidRect(rect.right, rect2.top, -kBorder, rect2.Height(), clr);
        if (dwStyle & CBRS_BORDER_BOTTOM)
            pDC->FillSolidRect(rect.left, rect.bottom, rect.Width(), -kBorder, clr);
    }

    DeflateByBorders(rect, dwStyle);
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return;
    COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_dwStyle & CBRS_ORIENT_HORZ)
        pDC->Draw3dRect(rect.left + kBorderGripper, rect.top + m_cyTopBorder, kGripper,
                        rect.Height() - m_cyTopBorder - m_cyBottomBorder, hilite, shadow);
    else
        pDC->Draw3dRect(rect.left + m_cyTopBorder, rect.top + kBorderGripper,
                        rect.Width() - m_cyTopBorder - m_cyBottomBorder, kGripper, hilite, shadow);
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: {
        // What the bar's own map leaves goes to the bar's owner (the frame).
        LRESULT lResult = 0;
        if (OnWndMsg(message, wParam, lParam, &lResult))
            return lResult;
        CWnd* pOwner = GetOwner();
        return pOwner != nullptr ? pOwner->SendMessage(message, wParam, lParam) : 0;
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}
