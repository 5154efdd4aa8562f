#include "toolkit/docking/DockingPaneSplitterBar.h"

#include "toolkit/base/DragTracker.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/common/DockGeometry.h"
#include "toolkit/base/BufferedDC.h"
#include "toolkit/docking/DockingCaptureLoop.h"
#include "toolkit/docking/DockingPaneHost.h"
#include "toolkit/docking/DockingPaneSplitContainer.h"
#include "toolkit/docking/DockingPaneTheme.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CTKPDockingPaneSplitterBar, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CTKPDockingPaneSplitterBar::CTKPDockingPaneSplitterBar()
    : m_pContainer(NULL), m_pBefore(NULL), m_pAfter(NULL), m_hCursor(NULL)
{
}

CTKPDockingPaneSplitterBar::~CTKPDockingPaneSplitterBar()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CTKPDockingPaneSplitterBar::Create(
    CTKPDockingPaneSplitContainer* pContainer, CTKPDockingNode* pBefore, CTKPDockingNode* pAfter)
{
    m_pContainer = pContainer;
    m_pBefore = pBefore;
    m_pAfter = pAfter;
    CWnd* pSite = pContainer->GetNodeSite();
    if (!pSite || !pSite->GetSafeHwnd())
        return FALSE;
    m_hCursor = GetResourceManager()->LoadCursor(pContainer->IsHorizontal() ? TKP_IDC_SPLIT_HORZ : TKP_IDC_SPLIT_VERT);
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
    return CreateEx(0, lpszClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
        pSite, 0);
}

CTKPDockingPaneHost* CTKPDockingPaneSplitterBar::GetHost() const
{
    return m_pContainer ? m_pContainer->GetHost() : NULL;
}

BOOL CTKPDockingPaneSplitterBar::IsHorizontalBar() const
{
    return m_pContainer && !m_pContainer->IsHorizontal();
}

BOOL CTKPDockingPaneSplitterBar::CalcTrackRange(CRect* pRange, CRect* pBoth)
{
    CRect rcBefore, rcAfter;
    m_pBefore->GetScreenRect(&rcBefore);
    m_pAfter->GetScreenRect(&rcAfter);
    pBoth->UnionRect(rcBefore, rcAfter);
    MINMAXINFO mmiBefore, mmiAfter;
    m_pBefore->GetMinMaxInfo(&mmiBefore);
    m_pAfter->GetMinMaxInfo(&mmiAfter);
    CTKPDockingPaneHost* pHost = GetHost();
    CTKPDockingPaneTheme* pTheme = pHost ? pHost->GetTheme() : NULL;
    const int nKeep = pHost ? pHost->m_nLayoutConstant : 22;
    const int nSplitter = pTheme ? pTheme->m_nSplitterWidth : 4;
    const BOOL bHorz = m_pContainer->IsHorizontal();
    int nStart = 0, nEnd = 0;
    const bool bOk = bHorz ? tkdock::CalcTrackRange(pBoth->left, pBoth->right, nKeep, mmiBefore.ptMinTrackSize.x,
                                 mmiBefore.ptMaxTrackSize.x, mmiAfter.ptMinTrackSize.x, mmiAfter.ptMaxTrackSize.x,
                                 nSplitter, nStart, nEnd)
                           : tkdock::CalcTrackRange(pBoth->top, pBoth->bottom, nKeep, mmiBefore.ptMinTrackSize.y,
                                 mmiBefore.ptMaxTrackSize.y, mmiAfter.ptMinTrackSize.y, mmiAfter.ptMaxTrackSize.y,
                                 nSplitter, nStart, nEnd);
    *pRange = *pBoth;
    if (bHorz) {
        pRange->left = nStart;
        pRange->right = nEnd;
    } else {
        pRange->top = nStart;
        pRange->bottom = nEnd;
    }
    return bOk;
}

void CTKPDockingPaneSplitterBar::ApplySplit(const CRect& rcBar, const CRect& rcBoth)
{
    CTKPDockingPaneHost* pHost = GetHost();
    CTKPDockingPaneTheme* pTheme = pHost ? pHost->GetTheme() : NULL;
    const int nSplitter = pTheme ? pTheme->m_nSplitterWidth : 4;
    int nBefore = 0, nAfter = 0;
    if (m_pContainer->IsHorizontal()) {
        tkdock::ApplySplit(m_pBefore->m_nDockingCX, m_pAfter->m_nDockingCX, rcBar.left, rcBoth.left, rcBoth.right,
            nSplitter, pHost && pHost->IsLayoutRTL(), nBefore, nAfter);
        m_pBefore->m_nDockingCX = nBefore;
        m_pAfter->m_nDockingCX = nAfter;
    } else {
        tkdock::ApplySplit(m_pBefore->m_nDockingCY, m_pAfter->m_nDockingCY, rcBar.top, rcBoth.top, rcBoth.bottom,
            nSplitter, false, nBefore, nAfter);
        m_pBefore->m_nDockingCY = nBefore;
        m_pAfter->m_nDockingCY = nAfter;
    }
}

void CTKPDockingPaneSplitterBar::StoreCurrentSizes()
{
    const BOOL bHorz = m_pContainer->IsHorizontal();
    auto store = [bHorz](CTKPDockingNode* pNode) {
        if (bHorz)
            pNode->m_nDockingCX = pNode->m_rcNode.Width();
        else
            pNode->m_nDockingCY = pNode->m_rcNode.Height();
    };
    store(m_pContainer);
    for (POSITION pos = m_pContainer->m_lstChildren.GetHeadPosition(); pos != NULL;) {
        CTKPDockingNode* pChild = m_pContainer->m_lstChildren.GetNext(pos);
        if (!pChild->IsEmpty())
            store(pChild);
    }
}

void CTKPDockingPaneSplitterBar::RecalcSiteLayout(BOOL bNow)
{
    CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(GetParent());
    if (!pFrame)
        return;
    if (bNow)
        pFrame->RecalcLayout(TRUE);
    else
        pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
}

void CTKPDockingPaneSplitterBar::TrackResize(CPoint ptScreen)
{
    CTKPDockingPaneHost* pHost = GetHost();
    if (!pHost || pHost->m_bSplittersLocked)
        return;
    CRect rcRange, rcBoth;
    if (!CalcTrackRange(&rcRange, &rcBoth))
        return;
    StoreCurrentSizes();
    const BOOL bHorz = m_pContainer->IsHorizontal();
    CRect rcBar;
    GetWindowRect(&rcBar);

    if (pHost->m_bOutlineTracking) {
        CTKPDragTracker tracker;
        if (tracker.Track(this, rcRange.left, rcRange.top, bHorz ? rcRange.right : rcRange.left,
                bHorz ? rcRange.top : rcRange.bottom, &rcBar, ptScreen, bHorz)) {
            ApplySplit(rcBar, rcBoth);
            RecalcSiteLayout(FALSE);
        }
        return;
    }

    // Live: the bar follows the mouse at the offset it was grabbed with.
    const int nOffset = bHorz ? rcBar.left - ptScreen.x : rcBar.top - ptScreen.y;
    SetCapture();
    HWND hWnd = GetSafeHwnd();
    TKPRunMoveLoop(hWnd, [&](POINT pt) {
        int nPos = (bHorz ? pt.x : pt.y) + nOffset;
        nPos = bHorz ? std::max<int>(rcRange.left, std::min<int>(rcRange.right, nPos))
                     : std::max<int>(rcRange.top, std::min<int>(rcRange.bottom, nPos));
        if (bHorz)
            rcBar.OffsetRect(nPos - rcBar.left, 0);
        else
            rcBar.OffsetRect(0, nPos - rcBar.top);
        ApplySplit(rcBar, rcBoth);
        RecalcSiteLayout(TRUE);
        return ::IsWindow(hWnd);
    });
    if (::IsWindow(hWnd) && ::GetCapture() == hWnd)
        ::ReleaseCapture();
}

void CTKPDockingPaneSplitterBar::Draw(CDC* pDC)
{
    CTKPDockingPaneHost* pHost = GetHost();
    if (pHost && pHost->GetTheme())
        pHost->GetTheme()->DrawSplitterBar(pDC, this);
}

void CTKPDockingPaneSplitterBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CTKPBufferedDC buffer(dc.GetSafeHdc(), rc);
    Draw(&buffer);
}

BOOL CTKPDockingPaneSplitterBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTKPDockingPaneSplitterBar::OnLButtonDown(UINT, CPoint point)
{
    ClientToScreen(&point);
    TrackResize(point);
}

BOOL CTKPDockingPaneSplitterBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CTKPDockingPaneHost* pHost = GetHost();
    if (pHost && !pHost->m_bSplittersLocked) {
        CRect rcRange, rcBoth;
        if (CalcTrackRange(&rcRange, &rcBoth) && m_hCursor) {
            ::SetCursor(m_hCursor);
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}
