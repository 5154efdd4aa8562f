#include "toolkit/commandbars/ToolBarDockContext.h"

#include "toolkit/base/CaptureLoopPaints.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/DockBar.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/RefHolder.h"
#include "toolkit/commandbars/ToolBar.h"

#include <algorithm>

namespace {

// The bar flag that lets a bar dock at a position (0 top, 1 bottom, 2 left, 3 right).
DWORD DockFlag(int nPosition)
{
    static const DWORD kFlags[4] = {tkpFlagAlignTop, tkpFlagAlignBottom, tkpFlagAlignLeft, tkpFlagAlignRight};
    return nPosition >= 0 && nPosition < 4 ? kFlags[nPosition] : 0;
}

}  // namespace

CTKPToolBarDockContext::CTKPToolBarDockContext(CTKPToolBar* pBar)
    : m_pBar(pBar), m_nMode(0), m_ptLast(0, 0), m_uMRUDockPosition(tkpBarTop), m_rectMRUDockPos(0, 0, 0, 0),
      m_ptMRUFloatPos(0, 0), m_bHasFloatPos(FALSE), m_rectDragDock(0, 0, 0, 0), m_rectDragFloat(0, 0, 0, 0)
{}

void CTKPToolBarDockContext::OffsetRectToContainPoint(CRect& rc, CPoint pt)
{
    if (pt.x < rc.left)
        rc.OffsetRect(pt.x - rc.left, 0);
    else if (pt.x > rc.right)
        rc.OffsetRect(pt.x - rc.right, 0);
    if (pt.y < rc.top)
        rc.OffsetRect(0, pt.y - rc.top);
    else if (pt.y > rc.bottom)
        rc.OffsetRect(0, pt.y - rc.bottom);
}

void CTKPToolBarDockContext::StartDrag(CPoint pt)
{
    if (m_pBar->GetSafeHwnd() == NULL)
        return;
    m_nMode = 1;
    const CRect rcSavedDock = m_rectMRUDockPos;
    const int nSavedPosition = m_uMRUDockPosition;
    const BOOL bWasFloating = m_pBar->IsFloating();
    CRect rc;
    m_pBar->GetWindowRect(&rc);
    OffsetRectToContainPoint(rc, pt);
    m_rectDragDock = m_rectDragFloat = rc;
    m_ptLast = pt;
    ::SetCursor(::LoadCursorW(NULL, IDC_SIZEALL));

    CTKPMouseTracker* pMouseTracker = CTKPMouseTracker::GetThreadTracker();
    pMouseTracker->Suspend(TRUE);
    Track();
    pMouseTracker->Suspend(FALSE);

    if (m_pBar->IsFloating()) {
        m_ptMRUFloatPos = m_rectDragFloat.TopLeft();
        m_bHasFloatPos = TRUE;
        if (!bWasFloating) {
            // The docks passed on the way are not remembered.
            m_rectMRUDockPos = rcSavedDock;
            m_uMRUDockPosition = nSavedPosition;
        }
    }
}

void CTKPToolBarDockContext::StartResize(int nHitTest, CPoint pt)
{
    if (m_pBar->GetSafeHwnd() == NULL)
        return;
    m_nMode = nHitTest;
    m_ptLast = pt;
    m_pBar->GetWindowRect(&m_rectDragFloat);
    Track();
    if (m_pBar->GetSafeHwnd() == NULL)
        return;
    m_pBar->GetWindowRect(&m_rectDragFloat);
    if (m_pBar->IsFloating()) {
        m_ptMRUFloatPos = m_rectDragFloat.TopLeft();
        m_bHasFloatPos = TRUE;
    }
    m_pBar->SetMRUWidth(m_rectDragFloat.Width());
}

void CTKPToolBarDockContext::Track()
{
    if (::GetCapture() != NULL)
        return;
    const HWND hWnd = m_pBar->GetSafeHwnd();
    CTKPRefHolder hold(m_pBar);
    ::SetCapture(hWnd);
    CTKPCommandBars* pCommandBars = m_pBar->GetCommandBars();
    while (::GetCapture() == hWnd) {
        MSG msg;
        const BOOL bGot = TKPGetCaptureLoopMessage(&msg);
        if (bGot == 0 || bGot == -1) {
            if (bGot == 0)
                ::PostQuitMessage((int)msg.wParam);
            break;
        }
        BOOL bDone = FALSE;
        switch (msg.message) {
        case WM_LBUTTONUP:
            bDone = TRUE;
            break;
        case WM_MOUSEMOVE: {
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::ClientToScreen(msg.hwnd, &pt);
            if (pt != m_ptLast) {
                if (m_nMode == 1)
                    Move(pt);
                else
                    Stretch(pt);
            } else {
                ::DispatchMessageW(&msg);
            }
            break;
        }
        case WM_KEYDOWN:
            // Escape leaves the toolbar where the last move put it; other keys are dropped.
            bDone = msg.wParam == VK_ESCAPE;
            break;
        default:
            ::DispatchMessageW(&msg);
            break;
        }
        if (pCommandBars != NULL)
            pCommandBars->IdleRecalcFrameLayout();
        if (bDone)
            break;
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    if (pCommandBars != NULL)
        pCommandBars->GetOptions()->bDirty = TRUE;
}

void CTKPToolBarDockContext::Move(CPoint pt)
{
    CTKPCommandBars* pCommandBars = m_pBar->GetCommandBars();
    if (pCommandBars == NULL)
        return;
    const CSize delta = pt - m_ptLast;
    m_rectDragDock.OffsetRect(delta);
    m_rectDragFloat.OffsetRect(delta);

    CTKPDockBar* pDockBar = pCommandBars->CanDock(pt, m_pBar->GetDockBar());
    if (pDockBar != NULL && (m_pBar->GetFlags() & DockFlag(pDockBar->GetPosition()))) {
        const BOOL bSameDock = pDockBar == m_pBar->GetDockBar() && !m_pBar->IsFloating();
        pCommandBars->DockCommandBar(m_pBar, &m_rectDragDock, pDockBar);
        if (!bSameDock) {
            pCommandBars->RecalcFrameLayout(FALSE);
            if (m_pBar->GetSafeHwnd() != NULL)
                m_pBar->GetWindowRect(&m_rectDragDock);
        }
    } else if (m_pBar->GetFlags() & tkpFlagFloating) {
        if (!m_pBar->IsFloating()) {
            pCommandBars->FloatCommandBar(m_pBar);
            pCommandBars->RecalcFrameLayout(FALSE);
            const CSize size = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
            m_rectDragFloat = CRect(m_rectDragFloat.TopLeft(), size);
            OffsetRectToContainPoint(m_rectDragFloat, pt);
        }
        if (m_pBar->GetSafeHwnd() != NULL)
            m_pBar->SetWindowPos(NULL, m_rectDragFloat.left, m_rectDragFloat.top, m_rectDragFloat.Width(),
                m_rectDragFloat.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    m_ptLast = pt;
}

void CTKPToolBarDockContext::StretchOwnSize(int dx, int dy, const CRect& rcWindow)
{
    // Every edge the hit code names follows the mouse; the bar sizes itself.
    if (m_nMode == HTLEFT || m_nMode == HTTOPLEFT || m_nMode == HTBOTTOMLEFT)
        m_rectDragFloat.left += dx;
    if (m_nMode == HTRIGHT || m_nMode == HTTOPRIGHT || m_nMode == HTBOTTOMRIGHT)
        m_rectDragFloat.right += dx;
    if (m_nMode == HTTOP || m_nMode == HTTOPLEFT || m_nMode == HTTOPRIGHT)
        m_rectDragFloat.top += dy;
    if (m_nMode == HTBOTTOM || m_nMode == HTBOTTOMLEFT || m_nMode == HTBOTTOMRIGHT)
        m_rectDragFloat.bottom += dy;
    if (m_rectDragFloat.Size() == rcWindow.Size())
        return;
    CRect rcWork;
    CTKPDrawingHelper::GetWorkAreaFromRect(&rcWork, &m_rectDragFloat);
    CRect rcCommon;
    if (!rcCommon.IntersectRect(&rcWork, &m_rectDragFloat))
        return;
    m_pBar->ResizeBar(m_rectDragFloat, m_nMode);
    if (m_pBar->GetSafeHwnd() != NULL)
        m_pBar->Invalidate(FALSE);
}

void CTKPToolBarDockContext::Stretch(CPoint pt)
{
    const int dx = pt.x - m_ptLast.x, dy = pt.y - m_ptLast.y;
    m_ptLast = pt;
    if (m_pBar->GetSafeHwnd() == NULL)
        return;
    CRect rcWindow;
    m_pBar->GetWindowRect(&rcWindow);
    if (m_pBar->HasPopupGripper()) {
        StretchOwnSize(dx, dy, rcWindow);
        return;
    }

    DWORD dwMode;
    int nLength;
    switch (m_nMode) {
    case HTLEFT:
        m_rectDragFloat.left += dx;
        nLength = m_rectDragFloat.Width();
        dwMode = LM_HORZ | LM_COMMIT;
        break;
    case HTRIGHT:
        m_rectDragFloat.right += dx;
        nLength = m_rectDragFloat.Width();
        dwMode = LM_HORZ | LM_COMMIT;
        break;
    case HTTOP:
        m_rectDragFloat.top += dy;
        nLength = m_rectDragFloat.Height();
        dwMode = LM_HORZ | LM_LENGTHY | LM_COMMIT;
        break;
    default:
        m_rectDragFloat.bottom += dy;
        nLength = m_rectDragFloat.Height();
        dwMode = LM_HORZ | LM_LENGTHY | LM_COMMIT;
        break;
    }
    const CSize size = m_pBar->CalcDynamicLayout(std::max(nLength, 0), dwMode);
    if (size == rcWindow.Size())
        return;
    CRect rc = rcWindow;
    switch (m_nMode) {
    case HTRIGHT:
    case HTBOTTOM:
        rc = CRect(rcWindow.TopLeft(), size);
        break;
    case HTLEFT:
        rc = CRect(rcWindow.right - size.cx, rcWindow.top, rcWindow.right, rcWindow.top + size.cy);
        break;
    case HTTOP:
        rc = CRect(rcWindow.left, rcWindow.bottom - size.cy, rcWindow.left + size.cx, rcWindow.bottom);
        break;
    }
    CRect rcWork;
    CTKPDrawingHelper::GetWorkAreaFromRect(&rcWork, &rc);
    CRect rcCheck;
    if (!rcCheck.IntersectRect(rc, rcWork))
        return;
    m_pBar->MoveWindow(&rc, TRUE);
    m_pBar->Invalidate(FALSE);
}

BOOL CTKPToolBarDockContext::ToggleDocking()
{
    CTKPCommandBars* pCommandBars = m_pBar->GetCommandBars();
    if (pCommandBars == NULL)
        return FALSE;
    if (!m_pBar->IsFloating()) {
        if (!(m_pBar->GetFlags() & tkpFlagFloating) || !pCommandBars->GetOptions()->bDblClickFloat)
            return FALSE;
        // A flag says whether a floating place is remembered; taking it only when both coordinates
        // are above 0 would forget places at 0 and on monitors left of or above the main one.
        CPoint ptFloat = m_ptMRUFloatPos;
        if (!m_bHasFloatPos) {
            ptFloat = m_rectMRUDockPos.TopLeft();
            CTKPDockBar* pDockBar = m_pBar->GetDockBar();
            if (pDockBar != NULL && pDockBar->GetSafeHwnd() != NULL)
                pDockBar->ClientToScreen(&ptFloat);
        }
        if (!pCommandBars->FloatCommandBar(m_pBar))
            return FALSE;
        pCommandBars->RecalcFrameLayout(FALSE);
        const CSize size = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        m_pBar->SetWindowPos(NULL, ptFloat.x, ptFloat.y, size.cx, size.cy,
            SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else {
        if (!(m_pBar->GetFlags() & tkpFlagAlignAny))
            return FALSE;
        // The toggle back floats the bar where the user left it, not at the place of an older drag.
        if (m_pBar->GetSafeHwnd() != NULL) {
            CRect rcFloat;
            m_pBar->GetWindowRect(&rcFloat);
            m_ptMRUFloatPos = rcFloat.TopLeft();
            m_bHasFloatPos = TRUE;
        }
        CTKPDockBar* pDockBar = pCommandBars->GetDockBar(m_uMRUDockPosition);
        if (pDockBar == NULL)
            return FALSE;
        CRect rc = m_rectMRUDockPos;
        const BOOL bHasRect = !rc.IsRectEmpty();
        if (bHasRect && pDockBar->GetSafeHwnd() != NULL)
            pDockBar->ClientToScreen(&rc);
        if (!pCommandBars->DockCommandBar(m_pBar, bHasRect ? (LPRECT)&rc : NULL, pDockBar))
            return FALSE;
        pCommandBars->RecalcFrameLayout(FALSE);
    }
    pCommandBars->GetOptions()->bDirty = TRUE;
    return TRUE;
}
