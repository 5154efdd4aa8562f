#include "toolkit/docking/DockingPaneAutoHideWnd.h"

#include "toolkit/base/DragTracker.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/common/DockGeometry.h"
#include "toolkit/docking/DockablePane.h"
#include "toolkit/base/BufferedDC.h"
#include "toolkit/docking/DockingCaptureLoop.h"
#include "toolkit/docking/DockingPaneArrangement.h"
#include "toolkit/docking/DockingPaneHost.h"
#include "toolkit/docking/DockingPaneSideBar.h"
#include "toolkit/docking/DockingPaneSplitContainer.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/docking/DockingPaneTheme.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CTKPDockingPaneAutoHideWnd, CMiniFrameWnd)

int CTKPDockingPaneAutoHideWnd::s_nAnimationInterval = 16;
int CTKPDockingPaneAutoHideWnd::s_nAnimationDuration = 128;
int CTKPDockingPaneAutoHideWnd::s_nCloseTimerPeriod = 100;

BEGIN_MESSAGE_MAP(CTKPDockingPaneAutoHideWnd, CMiniFrameWnd)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

inline tkdock::Rect ToRect(const CRect& rc)
{
    return tkdock::Rect(rc.left, rc.top, rc.right, rc.bottom);
}

inline CRect FromRect(const tkdock::Rect& rc)
{
    return CRect(rc.left, rc.top, rc.right, rc.bottom);
}

}  // namespace

CTKPDockingPaneAutoHideWnd::CTKPDockingPaneAutoHideWnd(
    CTKPDockingPaneSideBar* pSideBar, CTKPDockingPaneTabbedContainer* pContainer)
    : m_pContainer(pContainer), m_pSideBar(pSideBar), m_nSide(pSideBar->GetSide()), m_bHorizontal(FALSE), m_nStep(0),
      m_nStepCount(1), m_bCollapsing(FALSE), m_rcFull(0, 0, 0, 0), m_nCountdown(6), m_bResizing(FALSE),
      m_pHost(pSideBar->GetHost())
{
    m_bHorizontal = m_nSide == tkdock::sideTop || m_nSide == tkdock::sideBottom;
    CWnd* pSite = m_pHost ? m_pHost->GetSite() : NULL;
    if (!pSite || !pSite->GetSafeHwnd())
        return;

    const CRect rcTop = GetTopRect();
    MINMAXINFO mmi;
    GetPaneMinMaxInfo(&mmi, TRUE);
    CTKPDockablePane* pPane = pContainer->GetSelectedPane();
    const int nDocking = pPane ? (m_bHorizontal ? pPane->m_nDockingCY : pPane->m_nDockingCX)
                               : (m_bHorizontal ? pContainer->m_nDockingCY : pContainer->m_nDockingCX);
    const int nThickness = tkdock::SlideThickness(nDocking, m_bHorizontal ? mmi.ptMinTrackSize.y : mmi.ptMinTrackSize.x,
        m_bHorizontal ? mmi.ptMaxTrackSize.y : mmi.ptMaxTrackSize.x);
    m_rcFull = FromRect(tkdock::SlideFullRect(ToRect(rcTop), GetLayoutSide(), nThickness));
    pSite->ScreenToClient(&m_rcFull);

    CRect rcLimits, rcEdge;
    UINT nCursor = 0;
    if (!m_pHost->m_bSplittersLocked && GetResizeLimits(rcLimits, rcEdge))
        nCursor = m_bHorizontal ? TKP_IDC_SPLIT_VERT : TKP_IDC_SPLIT_HORZ;
    HCURSOR hCursor = nCursor ? GetResourceManager()->LoadCursor(nCursor) : NULL;
    LPCTSTR lpszClass = AfxRegisterWndClass(0, hCursor ? hCursor : ::LoadCursor(NULL, IDC_ARROW));

    pSite->UpdateWindow();
    pSite->SendMessage(WM_SETREDRAW, FALSE, 0);
    const DWORD dwExStyle = pSite->GetExStyle() & WS_EX_LAYOUTRTL;
    const BOOL bCreated =
        CreateEx(dwExStyle, lpszClass, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, m_rcFull, pSite, 0);
    pSite->SendMessage(WM_SETREDRAW, TRUE, 0);
    if (!bCreated)
        return;

    m_nStepCount = s_nAnimationInterval > 0 ? std::max(1, s_nAnimationDuration / s_nAnimationInterval) : 1;
    m_nStep = 0;
    m_bCollapsing = FALSE;
    pContainer->SetSite(this);
    if (m_nStepCount > 1)
        SetTimer(timerSlideOut, static_cast<UINT>(s_nAnimationInterval), NULL);
    SetStepPosition();
    if (pContainer->GetSafeHwnd())
        pContainer->ShowWindow(SW_SHOW);
    RecalcLayout();
    SetTimer(timerWatch, static_cast<UINT>(s_nCloseTimerPeriod), NULL);
    m_nCountdown = 6;
    // Without animation the window is open at once and says so now, where no slide-out timer runs to
    // send action 13.
    if (m_nStepCount <= 1 && m_pHost)
        m_pHost->NotifyAction(tkpaSlidOut, pContainer->GetSelectedPane());
}

CTKPDockingPaneHost* CTKPDockingPaneAutoHideWnd::GetHost() const
{
    return m_pHost;
}

int CTKPDockingPaneAutoHideWnd::GetLayoutSide() const
{
    return m_pHost ? m_pHost->MirrorDirection(m_nSide) : m_nSide;
}

CRect CTKPDockingPaneAutoHideWnd::GetTopRect() const
{
    CRect rc(0, 0, 0, 0);
    if (CTKPDockingPaneSplitContainer* pTop = m_pHost ? m_pHost->GetTopContainer() : NULL)
        pTop->GetScreenRect(&rc);
    return rc;
}

void CTKPDockingPaneAutoHideWnd::GetPaneMinMaxInfo(MINMAXINFO* pInfo, BOOL bAddBorder)
{
    ZeroMemory(pInfo, sizeof(MINMAXINFO));
    pInfo->ptMaxTrackSize.x = pInfo->ptMaxTrackSize.y = tkdock::kMaxTrackSize;
    if (!m_pContainer)
        return;
    if (CTKPDockablePane* pPane = m_pContainer->GetSelectedPane())
        pPane->GetMinMaxInfo(pInfo);
    if (CTKPDockingPaneTheme* pTheme = m_pContainer->GetTheme()) {
        CRect rc(0, 0, 1000, 1000);
        pTheme->AdjustCaptionRect(m_pContainer, rc);
        const int dx = 1000 - rc.Width(), dy = 1000 - rc.Height();
        pInfo->ptMinTrackSize.x += dx;
        pInfo->ptMaxTrackSize.x += dx;
        pInfo->ptMinTrackSize.y += dy;
        pInfo->ptMaxTrackSize.y += dy;
    }
    if (bAddBorder) {
        if (m_bHorizontal) {
            pInfo->ptMinTrackSize.y += tkdock::kSlideEdge;
            pInfo->ptMaxTrackSize.y += tkdock::kSlideEdge;
        } else {
            pInfo->ptMinTrackSize.x += tkdock::kSlideEdge;
            pInfo->ptMaxTrackSize.x += tkdock::kSlideEdge;
        }
    }
}

void CTKPDockingPaneAutoHideWnd::SetStepPosition()
{
    // In the frame's coordinates, which run from the right in a right-to-left frame, the window
    // grows from its own side.
    const CRect rc = FromRect(tkdock::SlideStepRect(ToRect(m_rcFull), m_nSide, m_nStep, m_nStepCount));
    SetWindowPos(&CWnd::wndTop, rc.left, rc.top, rc.Width(), rc.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
    CWnd::Invalidate(FALSE);
}

void CTKPDockingPaneAutoHideWnd::RecalcLayout(BOOL)
{
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    if (!m_pContainer || !GetSafeHwnd())
        return;
    CRect rc;
    GetClientRect(&rc);
    // The window's own coordinates run from the right when the frame's do.
    switch (m_nSide) {
    case tkdock::sideLeft: rc.right -= tkdock::kSlideEdge; break;
    case tkdock::sideRight: rc.left += tkdock::kSlideEdge; break;
    case tkdock::sideTop: rc.bottom -= tkdock::kSlideEdge; break;
    default: rc.top += tkdock::kSlideEdge; break;
    }
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = ::BeginDeferWindowPos(8);
    layout.rect = rc;
    m_pContainer->OnSizeParent(this, rc, &layout);
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

void CTKPDockingPaneAutoHideWnd::Detach()
{
    m_pContainer = NULL;
    if (m_pSideBar)
        m_pSideBar->ForgetSlideOut(this);
    m_pSideBar = NULL;
}

void CTKPDockingPaneAutoHideWnd::Close(BOOL bNow)
{
    if (!GetSafeHwnd())
        return;
    ShowWindow(SW_HIDE);
    if (m_pContainer) {
        HWND hContainer = m_pContainer->GetWindowHandle();
        if (hContainer && ::GetParent(hContainer) == m_hWnd) {
            ::ShowWindow(hContainer, SW_HIDE);
            m_pContainer->SetSite(m_pHost ? m_pHost->GetSite() : NULL);
        }
    }
    m_pContainer = NULL;
    if (m_pSideBar)
        m_pSideBar->ForgetSlideOut(this);
    m_pSideBar = NULL;
    KillTimer(timerWatch);
    KillTimer(timerSlideOut);
    KillTimer(timerSlideIn);
    if (bNow)
        DestroyWindow();
    else
        PostMessage(WM_CLOSE);
}

void CTKPDockingPaneAutoHideWnd::PostNcDestroy()
{
    if (m_pSideBar)
        m_pSideBar->ForgetSlideOut(this);
    delete this;
}

BOOL CTKPDockingPaneAutoHideWnd::GetResizeLimits(CRect& rcLimits, CRect& rcEdge)
{
    if (!m_pContainer)
        return FALSE;
    MINMAXINFO mmi;
    // The resize edge counts on every side instead of right and bottom only, which kept left and top
    // windows 4 pixels short of their maximum.
    GetPaneMinMaxInfo(&mmi, TRUE);
    CRect rcWindow = m_rcFull;
    if (GetSafeHwnd())
        GetWindowRect(&rcWindow);
    else if (m_pHost && m_pHost->GetSite())
        m_pHost->GetSite()->ClientToScreen(&rcWindow);
    const int nKeep = (m_pHost ? m_pHost->m_nLayoutConstant : 22) + 4;
    tkdock::Rect limits, edge;
    tkdock::SlideResizeLimits(ToRect(GetTopRect()), ToRect(rcWindow), GetLayoutSide(), nKeep,
        m_bHorizontal ? mmi.ptMinTrackSize.y : mmi.ptMinTrackSize.x,
        m_bHorizontal ? mmi.ptMaxTrackSize.y : mmi.ptMaxTrackSize.x, limits, edge);
    rcLimits = FromRect(limits);
    rcEdge = FromRect(edge);
    return m_bHorizontal ? rcLimits.Height() > 0 : rcLimits.Width() > 0;
}

void CTKPDockingPaneAutoHideWnd::ApplyEdge(const CRect& rcEdge)
{
    const int nSide = GetLayoutSide();
    CRect rc = FromRect(tkdock::SlideRectFromEdge(ToRect(GetTopRect()), ToRect(rcEdge), nSide));
    if (m_pContainer) {
        // The window's extent less the resize edge instead of the whole extent, with which every
        // opening (that adds the edge again) grew the window by 4 pixels.
        const int nLength = tkdock::SlideDockingLength(ToRect(rc), nSide);
        if (CTKPDockablePane* pPane = m_pContainer->GetSelectedPane()) {
            if (m_bHorizontal)
                pPane->m_nDockingCY = nLength;
            else
                pPane->m_nDockingCX = nLength;
        }
    }
    if (CWnd* pSite = m_pHost ? m_pHost->GetSite() : NULL)
        pSite->ScreenToClient(&rc);
    m_rcFull = rc;
    MoveWindow(rc, TRUE);
    CWnd::Invalidate(FALSE);
}

void CTKPDockingPaneAutoHideWnd::Watch()
{
    if (m_bResizing || !m_pContainer)
        return;
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rcWindow, rcSideBar(0, 0, 0, 0);
    GetWindowRect(&rcWindow);
    if (m_pSideBar && m_pSideBar->GetSafeHwnd())
        m_pSideBar->GetWindowRect(&rcSideBar);
    if (m_pContainer->IsActive() || rcWindow.PtInRect(pt) || rcSideBar.PtInRect(pt)) {
        m_nCountdown = 6;
        if (m_bCollapsing) {
            m_bCollapsing = FALSE;
            KillTimer(timerSlideIn);
            SetTimer(timerSlideOut, static_cast<UINT>(std::max(1, s_nAnimationInterval)), NULL);
        }
        return;
    }
    if (m_bCollapsing)
        return;
    if (--m_nCountdown > 0)
        return;
    m_nCountdown = 0;
    CTKPDockablePane* pPane = m_pContainer->GetSelectedPane();
    if (CTKPDockingPaneSideBar::s_bAutoClose && m_pHost && m_pHost->NotifyAction(tkpaSlidingIn, pPane) == 0) {
        m_bCollapsing = TRUE;
        SetTimer(timerSlideIn, static_cast<UINT>(std::max(1, s_nAnimationInterval)), NULL);
    } else {
        m_nCountdown = 6;
    }
}

void CTKPDockingPaneAutoHideWnd::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case timerWatch:
        Watch();
        break;
    case timerSlideOut:
        // Once the container has gone back to the frame the empty window only waits to close.
        if (!m_pContainer) {
            KillTimer(timerSlideOut);
            break;
        }
        if (m_bCollapsing)
            break;
        if (++m_nStep < m_nStepCount) {
            SetStepPosition();
        } else {
            m_nStep = m_nStepCount - 1;
            KillTimer(timerSlideOut);
            if (m_pHost && m_pContainer)
                m_pHost->NotifyAction(tkpaSlidOut, m_pContainer->GetSelectedPane());
        }
        break;
    case timerSlideIn:
        if (!m_pContainer) {
            KillTimer(timerSlideIn);
            break;
        }
        if (!m_bCollapsing)
            break;
        if (--m_nStep >= 0) {
            SetStepPosition();
        } else {
            m_bCollapsing = FALSE;
            KillTimer(timerSlideIn);
            if (m_pHost)
                m_pHost->NotifyAction(tkpaSlidIn, m_pContainer->GetSelectedPane());
            Close();
        }
        break;
    case timerClose:
        KillTimer(timerClose);
        Close();
        break;
    default:
        CMiniFrameWnd::OnTimer(nIDEvent);
        break;
    }
}

void CTKPDockingPaneAutoHideWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bCollapsing)
        Watch();
    CMiniFrameWnd::OnMouseMove(nFlags, point);
}

void CTKPDockingPaneAutoHideWnd::OnLButtonDown(UINT, CPoint point)
{
    CRect rcLimits, rcEdge;
    if (!m_pHost || m_pHost->m_bSplittersLocked || !m_pContainer || !GetResizeLimits(rcLimits, rcEdge))
        return;
    m_bResizing = TRUE;
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    const BOOL bAlongX = !m_bHorizontal;
    // The limits hold the window's inner boundary: the edge's far side for left and top windows,
    // its near side for right and bottom ones. As a range of the edge's leading coordinate:
    const int nSide = GetLayoutSide();
    const int nShift = nSide == tkdock::sideLeft || nSide == tkdock::sideTop ? tkdock::kSlideEdge : 0;
    const int nLo = (bAlongX ? rcLimits.left : rcLimits.top) - nShift;
    const int nHi = (bAlongX ? rcLimits.right : rcLimits.bottom) - nShift;
    if (m_pHost->m_bOutlineTracking) {
        // From the click point in right-to-left frames too: from the corner the edge would jump at the first move.
        CTKPDragTracker tracker;
        CRect rc = rcEdge;
        if (tracker.Track(this, bAlongX ? nLo : rc.left, bAlongX ? rc.top : nLo, bAlongX ? nHi : rc.left,
                bAlongX ? rc.top : nHi, &rc, ptScreen, bAlongX))
            ApplyEdge(rc);
    } else {
        SetCapture();
        HWND hWnd = m_hWnd;
        const int nStart = bAlongX ? rcEdge.left : rcEdge.top;
        CRect rc = rcEdge;
        TKPRunMoveLoop(hWnd, [&](POINT pt) {
            const int nMoved = bAlongX ? pt.x - ptScreen.x : pt.y - ptScreen.y;
            const int nLead = std::max(nLo, std::min(nHi, nStart + nMoved));
            const int nDelta = nLead - (bAlongX ? rc.left : rc.top);
            if (nDelta != 0) {
                rc.OffsetRect(bAlongX ? nDelta : 0, bAlongX ? 0 : nDelta);
                ApplyEdge(rc);
            }
            return TRUE;
        });
        if (::IsWindow(hWnd) && ::GetCapture() == hWnd)
            ::ReleaseCapture();
    }
    m_bResizing = FALSE;
}

void CTKPDockingPaneAutoHideWnd::Draw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    CTKPDockingPaneTheme* pTheme = m_pHost ? m_pHost->GetTheme() : NULL;
    if (!pTheme || !m_pContainer)
        return;
    pDC->FillSolidRect(rc, pTheme->GetColor(51));
    // Drawn in the window's own coordinates, which run from the right in a right-to-left frame.
    switch (m_nSide) {
    case tkdock::sideLeft:
        pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), pTheme->GetColor(18));
        pDC->FillSolidRect(rc.right - 2, rc.top, 1, rc.Height(), pTheme->GetColor(16));
        break;
    case tkdock::sideRight:
        pDC->FillSolidRect(rc.left + 1, rc.top, 1, rc.Height(), pTheme->GetColor(20));
        break;
    case tkdock::sideTop:
        pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, pTheme->GetColor(18));
        pDC->FillSolidRect(rc.left, rc.bottom - 2, rc.Width(), 1, pTheme->GetColor(16));
        break;
    default:
        pDC->FillSolidRect(rc.left, rc.top + 1, rc.Width(), 1, pTheme->GetColor(20));
        break;
    }
}

void CTKPDockingPaneAutoHideWnd::OnPaint()
{
    CPaintDC dc(this);
    if (!m_pContainer)
        return;
    CRect rc;
    GetClientRect(&rc);
    CTKPBufferedDC buffer(dc.GetSafeHdc(), rc);
    Draw(&buffer);
}

BOOL CTKPDockingPaneAutoHideWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
