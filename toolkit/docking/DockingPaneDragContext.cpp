#include "toolkit/docking/DockingPaneDragContext.h"

#include "toolkit/base/CaptureLoopPaints.h"
#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/common/DockGeometry.h"
#include "toolkit/docking/DockablePane.h"
#include "toolkit/docking/DockingCaptureLoop.h"
#include "toolkit/docking/DockingPaneHost.h"
#include "toolkit/docking/DockingPaneMiniWnd.h"
#include "toolkit/docking/DockingPaneSplitContainer.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/docking/DockingPaneTheme.h"
#include "toolkit/tabs/TabTheme.h"

#include <cstdlib>
#include <vector>

namespace {

inline tkdock::Rect ToRect(const CRect& rc)
{
    return tkdock::Rect(rc.left, rc.top, rc.right, rc.bottom);
}

inline CRect FromRect(const tkdock::Rect& rc)
{
    return CRect(rc.left, rc.top, rc.right, rc.bottom);
}

HRGN FrameRegion(const CRect& rc)
{
    HRGN hOuter = ::CreateRectRgnIndirect(&rc);
    CRect rcInner = rc;
    rcInner.DeflateRect(4, 4);
    if (rcInner.Width() > 0 && rcInner.Height() > 0) {
        HRGN hInner = ::CreateRectRgnIndirect(&rcInner);
        ::CombineRgn(hOuter, hOuter, hInner, RGN_XOR);
        ::DeleteObject(hInner);
    }
    return hOuter;
}

}  // namespace

CTKPDockingPaneDragContext::CTKPDockingPaneDragContext()
    : m_pfnSetLayeredWindowAttributes(NULL), m_pHost(NULL), m_bStickers(FALSE), m_bAlpha(FALSE), m_rcHover(0, 0, 0, 0),
      m_pHoverNode(NULL), m_pStickerNode(NULL), m_lstStickers(10), m_ptLast(0, 0), m_ptStart(0, 0), m_bMoved(FALSE),
      m_rcDrag(0, 0, 0, 0), m_pNode(NULL), m_pTarget(NULL), m_rcDocking(0, 0, 0, 0), m_bLastAttach(FALSE),
      m_bAttach(FALSE), m_bMayFloat(TRUE), m_rcLastDrawn(0, 0, 0, 0), m_mapRegions(10), m_nDirection(0),
      m_pDesktopDC(NULL), m_bDesktopLocked(FALSE)
{
    m_mapRegions.InitHashTable(17);
    HMODULE hUser = ::GetModuleHandleW(L"USER32");
    if (hUser)
        m_pfnSetLayeredWindowAttributes = reinterpret_cast<TKPSetLayeredWindowAttributes>(
            reinterpret_cast<void*>(::GetProcAddress(hUser, "SetLayeredWindowAttributes")));
}

CTKPDockingPaneDragContext::~CTKPDockingPaneDragContext()
{
    EmptyRegionCache();
    DestroyStickers();
    if (m_wndPreview.GetSafeHwnd())
        m_wndPreview.DestroyWindow();
    if (m_wndTabPreview.GetSafeHwnd())
        m_wndTabPreview.DestroyWindow();
}

int CTKPDockingPaneDragContext::GetStickerStyle() const
{
    return m_pHost && m_pHost->m_bRoundStickers ? 1 : 0;
}

int CTKPDockingPaneDragContext::GetStickerScheme() const
{
    return GetColorManager()->GetCurrentColorScheme();
}

CTKPDockingPaneStickerWnd* CTKPDockingPaneDragContext::GetSticker(int nIndex) const
{
    POSITION pos = m_lstStickers.FindIndex(nIndex);
    return pos ? m_lstStickers.GetAt(pos) : NULL;
}

CWnd* CTKPDockingPaneDragContext::GetOwnerWindow() const
{
    return m_pHost ? m_pHost->GetSite() : NULL;
}

void CTKPDockingPaneDragContext::CollectDraggedPanes(CTKPDockingNodeList& list)
{
    if (m_pNode)
        m_pNode->CollectNodes(tkdock::nodePane, list);
}

BOOL CTKPDockingPaneDragContext::CheckDocking(CTKPDockingNode* pTarget, int nDirection)
{
    CTKPDockingNodeList list;
    CollectDraggedPanes(list);
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        if (m_pHost->NotifyAction(tkpaDocking, list.GetNext(pos)->AsPane(), reinterpret_cast<DWORD_PTR>(pTarget),
                static_cast<DWORD_PTR>(nDirection)) != 0)
            return FALSE;
    return TRUE;
}

BOOL CTKPDockingPaneDragContext::CheckAttach(CTKPDockingNode* pTarget)
{
    CTKPDockingNodeList list;
    CollectDraggedPanes(list);
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        if (m_pHost->NotifyAction(tkpaAttaching, list.GetNext(pos)->AsPane(), reinterpret_cast<DWORD_PTR>(pTarget)) !=
            0)
            return FALSE;
    return TRUE;
}

void CTKPDockingPaneDragContext::PrepareDrag(CTKPDockingNode* pNode, int x, int y)
{
    // The place of the node as a window: a floating window's whole frame, a container's window,
    // a pane's area.
    CRect rc(0, 0, 0, 0);
    CTKPDockingPaneMiniWnd* pMini =
        pNode->AsSplitContainer() && pNode->m_pParentContainer ? pNode->m_pParentContainer->AsMiniWnd() : NULL;
    if (pMini && pMini->GetSafeHwnd())
        pMini->GetWindowRect(&rc);
    else if (pNode->GetWindowHandle())
        ::GetWindowRect(pNode->GetWindowHandle(), &rc);
    else
        pNode->GetScreenRect(&rc);
    m_rcDrag = FromRect(tkdock::OffsetRectToContainPoint(ToRect(rc), tkdock::Point(x, y)));
    m_ptLast = m_ptStart = CPoint(x, y);
    // A flag of its own says the drag moved, instead of clearing the start point, which took a drag
    // starting at the screen's origin as moved at once.
    m_bMoved = FALSE;
    m_pNode = pNode;
    m_pDesktopDC = NULL;
    m_pTarget = NULL;
    m_bAttach = m_bLastAttach = FALSE;
    m_bMayFloat = TRUE;
    m_bAlpha = m_pHost->m_bAlphaFeedback && m_pfnSetLayeredWindowAttributes != NULL;
    m_bStickers = m_bAlpha && m_pHost->m_bShowStickers;

    CTKPDockingNodeList list;
    CollectDraggedPanes(list);
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        CTKPDockablePane* pPane = list.GetNext(pos)->AsPane();
        if (m_pHost->NotifyAction(tkpaFloating, pPane) != 0 || (pPane->GetEffectiveOptions() & tkpoNoFloat))
            m_bMayFloat = FALSE;
    }
}

void CTKPDockingPaneDragContext::EndDrag()
{
    m_pNode = NULL;
    m_pTarget = NULL;
    m_pHoverNode = m_pStickerNode = NULL;
}

void CTKPDockingPaneDragContext::BeginDrag(CTKPDockingNode* pNode, int x, int y)
{
    if (!m_pHost || !pNode)
        return;
    PrepareDrag(pNode, x, y);
    // A capture held elsewhere means no drag, checked before the desktop is locked instead of after,
    // when the lock and its DC were never given back.
    if (::GetCapture() == NULL) {
        InitFeedback();
        Track();
    }
    EndDrag();
}

void CTKPDockingPaneDragContext::InitFeedback()
{
    m_rcLastDrawn.SetRectEmpty();
    m_rcHover.SetRectEmpty();
    m_pHoverNode = NULL;
    m_pStickerNode = NULL;
    if (m_bAlpha)
        return;
    MSG msg;
    // At most 100 paints: a window that keeps invalidating itself would hold the drag here forever.
    // A quit message among them is put back, instead of taken and dropped, which kept the program
    // from ending; Track's loop then meets it at once and cancels the drag.
    if (TKPDispatchPendingPaints(&msg, 100))
        ::PostQuitMessage(static_cast<int>(msg.wParam));
    HWND hDesktop = ::GetDesktopWindow();
    m_bDesktopLocked = ::LockWindowUpdate(hDesktop);
    HDC hDC = ::GetDCEx(hDesktop, NULL, DCX_WINDOW | DCX_CACHE | (m_bDesktopLocked ? DCX_LOCKWINDOWUPDATE : 0));
    if (hDC) {
        m_pDesktopDC = new CDC;
        m_pDesktopDC->Attach(hDC);
    }
}

void CTKPDockingPaneDragContext::Track()
{
    CWnd* pSite = m_pNode ? m_pNode->GetNodeSite() : NULL;
    if (::GetCapture() != NULL || !pSite || !pSite->GetSafeHwnd()) {
        // Whatever InitFeedback took is given back instead of kept locked.
        ReleaseFeedback();
        return;
    }
    HWND hWnd = pSite->GetSafeHwnd();
    ::SetCapture(hWnd);
    BOOL bAccepted = FALSE;
    TKPRunCaptureLoop(hWnd, FALSE, [&](MSG& msg) {
        if (msg.message == WM_LBUTTONUP) {
            bAccepted = TRUE;
            return FALSE;
        }
        if (msg.message == WM_MOUSEMOVE) {
            const CPoint pt(msg.pt);
            if (!m_bMoved) {
                if (abs(pt.x - m_ptStart.x) <= 4 && abs(pt.y - m_ptStart.y) <= 4)
                    return TRUE;
                m_bMoved = TRUE;
            }
            Move(pt.x, pt.y);
        } else if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_CONTROL) {
            m_bMoved = TRUE;
            Move(m_ptLast.x, m_ptLast.y);
        } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            return FALSE;
        } else {
            ::DispatchMessageW(&msg);
        }
        return TRUE;
    });
    ReleaseFeedback();
    if (bAccepted && m_bMoved)
        Drop();
}

void CTKPDockingPaneDragContext::Drop()
{
    if (!m_pNode)
        return;
    CTKPDockingNodeList list;
    CollectDraggedPanes(list);
    CArray<CTKPDockingNode*, CTKPDockingNode*> panes;
    TKPNodesOf(list, panes);
    int nAfter = -1;
    if (m_bAttach && m_pTarget) {
        m_pHost->AttachNode(m_pNode, m_pTarget);
        nAfter = tkpaAttached;
    } else if (m_pTarget) {
        m_pHost->DockPane(m_pNode, m_pHost->MirrorDirection(m_nDirection), m_pTarget);
        nAfter = tkpaDocked;
    } else if (m_bMayFloat) {
        // A rectangle above the top of its monitor's work area comes down to it, instead of to 0,
        // which moved windows off monitors that lie above the primary one.
        RECT rcWork;
        CTKPDrawingHelper::GetWorkAreaFromRect(&rcWork, &m_rcDrag);
        m_rcDrag = FromRect(tkdock::KeepTopInWorkArea(ToRect(m_rcDrag), ToRect(rcWork)));
        CTKPDockingPaneMiniWnd* pMini = m_pNode->AsSplitContainer() && m_pNode->m_pParentContainer
            ? m_pNode->m_pParentContainer->AsMiniWnd()
            : NULL;
        if (pMini && pMini->GetSafeHwnd())
            pMini->MoveWindow(m_rcDrag, TRUE);
        else
            m_pHost->FloatNode(m_pNode, m_rcDrag);
        nAfter = tkpaFloated;
    }
    if (nAfter >= 0)
        for (INT_PTR i = 0; i < panes.GetSize(); ++i)
            m_pHost->NotifyAction(nAfter, panes[i]->AsPane());
}

void CTKPDockingPaneDragContext::Move(int x, int y)
{
    CRect rcMoved = m_rcDrag;
    rcMoved.OffsetRect(x - m_ptLast.x, y - m_ptLast.y);
    RECT rcWork;
    CTKPDrawingHelper::GetWorkAreaFromRect(&rcWork, &m_rcDrag);
    CRect rcCommon;
    if (rcCommon.IntersectRect(&rcMoved, &rcWork))
        m_rcDrag = rcMoved;
    m_pTarget = NULL;
    m_bAttach = FALSE;
    m_rcHover.SetRectEmpty();
    m_pHoverNode = NULL;
    if (::GetKeyState(VK_CONTROL) >= 0)
        FindDockTarget(x, y);
    m_ptLast = CPoint(x, y);
    if (m_bStickers) {
        UpdateStickers();
        HitTestStickers(x, y);
    }
    DrawFeedback(FALSE);
}

BOOL CTKPDockingPaneDragContext::TestEdge(const CRect& rc, CPoint pt, CTKPDockingNode* pNode, BOOL bInside)
{
    const int nDirection =
        tkdock::EdgeTest(ToRect(rc), tkdock::Point(pt.x, pt.y), bInside != FALSE, m_bMayFloat != FALSE);
    if (nDirection < 0 || !CheckDocking(pNode, nDirection))
        return FALSE;
    m_pHost->CalcDockingRect(&m_rcDocking, m_pNode, nDirection, pNode);
    m_pTarget = pNode;
    m_nDirection = nDirection;
    return TRUE;
}

void CTKPDockingPaneDragContext::FindDockTarget(int x, int y)
{
    const CPoint pt(x, y);
    CTKPDockingPaneList* pList = m_pHost->GetPaneList();
    if (pList) {
        for (POSITION pos = pList->GetHeadPosition(); pos != NULL;) {
            CTKPDockablePane* pPane = pList->GetNext(pos).pPane;
            CTKPDockingPaneTabbedContainer* pCandidate =
                pPane && pPane->m_pParentContainer ? pPane->m_pParentContainer->AsTabbedContainer() : NULL;
            if (!pCandidate || !pCandidate->m_pParentContainer || !pCandidate->m_pParentContainer->AsSplitContainer() ||
                !pCandidate->GetSafeHwnd() || !(pCandidate->GetStyle() & WS_VISIBLE) ||
                m_pNode->ContainsNode(pCandidate))
                continue;
            // Docked containers of floating windows count too: their parent is a splitter.
            CRect rcCandidate;
            pCandidate->GetWindowRect(&rcCandidate);
            m_rcDocking = rcCandidate;
            CRect rcCaption = rcCandidate;
            if (pCandidate->HitTestCaptionOrTabs(&rcCaption, pt) && CheckAttach(pCandidate)) {
                m_pTarget = pCandidate;
                m_bAttach = TRUE;
                return;
            }
            if (!m_bStickers) {
                if (TestEdge(rcCandidate, pt, pCandidate, TRUE))
                    return;
            } else if (rcCandidate.PtInRect(pt)) {
                m_pHoverNode = pCandidate;
                m_rcHover = rcCandidate;
                return;
            }
        }
    }
    CTKPDockingNode* pClient = m_pHost->GetClientNode();
    CTKPDockingPaneSplitContainer* pTop = m_pHost->GetTopContainer();
    CRect rcClient(0, 0, 0, 0), rcTop(0, 0, 0, 0);
    if (pClient)
        pClient->GetScreenRect(&rcClient);
    if (pTop)
        pTop->GetScreenRect(&rcTop);
    if (!m_bStickers) {
        // A hidden client area has an empty rectangle, no place to dock beside: only the top container's edges count.
        if (pClient && !pClient->IsEmpty() && TestEdge(rcClient, pt, pClient, TRUE))
            return;
        if (pTop)
            TestEdge(rcTop, pt, pTop, FALSE);
        return;
    }
    if (pClient && rcClient.PtInRect(pt)) {
        m_rcHover = rcClient;
        m_pHoverNode = pClient;
    } else if (pTop && rcTop.PtInRect(pt)) {
        m_rcHover = rcTop;
        m_pHoverNode = NULL;
    }
}

void CTKPDockingPaneDragContext::DestroyStickers()
{
    while (!m_lstStickers.IsEmpty()) {
        CTKPDockingPaneStickerWnd* pSticker = m_lstStickers.RemoveHead();
        if (pSticker->GetSafeHwnd())
            pSticker->DestroyWindow();
        delete pSticker;
    }
}

void CTKPDockingPaneDragContext::EmptyRegionCache()
{
    POSITION pos = m_mapRegions.GetStartPosition();
    while (pos != NULL) {
        int nKey = 0;
        HRGN hRgn = NULL;
        m_mapRegions.GetNextAssoc(pos, nKey, hRgn);
        if (hRgn)
            ::DeleteObject(hRgn);
    }
    m_mapRegions.RemoveAll();
}

CTKPDockingPaneStickerWnd* CTKPDockingPaneDragContext::CreateSticker(const CRect& rc, int nFlags)
{
    if (nFlags == 0 || nFlags == tkdock::partCentreSticker)
        return NULL;
    CTKPDockingPaneStickerWnd* pSticker = new CTKPDockingPaneStickerWnd(this);
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
    CWnd* pOwner = GetOwnerWindow();
    if (!pSticker->CreateEx(WS_EX_TOOLWINDOW, lpszClass, L"", WS_POPUP, rc.left, rc.top, rc.Width(),
            rc.Height(), pOwner ? pOwner->GetSafeHwnd() : NULL, NULL)) {
        delete pSticker;
        return NULL;
    }
    pSticker->m_nFlags = nFlags;
    m_lstStickers.AddTail(pSticker);
    HRGN hCached = NULL;
    if (!m_mapRegions.Lookup(nFlags, hCached)) {
        // The shape: every run of non-black pixels of the sticker drawn on black.
        CClientDC dcScreen(NULL);
        CDC dc;
        dc.CreateCompatibleDC(&dcScreen);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&dcScreen, rc.Width(), rc.Height());
        CBitmap* pOld = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, rc.Width(), rc.Height(), RGB(0, 0, 0));
        pSticker->DrawParts(&dc, 0);
        hCached = ::CreateRectRgn(0, 0, 0, 0);
        for (int y = 0; y < rc.Height(); ++y) {
            int x = 0;
            while (x < rc.Width()) {
                while (x < rc.Width() && (dc.GetPixel(x, y) & 0xFFFFFF) == 0)
                    ++x;
                const int nStart = x;
                while (x < rc.Width() && (dc.GetPixel(x, y) & 0xFFFFFF) != 0)
                    ++x;
                if (x > nStart) {
                    HRGN hRun = ::CreateRectRgn(nStart, y, x, y + 1);
                    ::CombineRgn(hCached, hCached, hRun, RGN_OR);
                    ::DeleteObject(hRun);
                }
            }
        }
        dc.SelectObject(pOld);
        m_mapRegions.SetAt(nFlags, hCached);
    }
    HRGN hCopy = ::CreateRectRgn(0, 0, 0, 0);
    ::CombineRgn(hCopy, hCached, NULL, RGN_COPY);
    pSticker->SetWindowRgn(hCopy, FALSE);
    pSticker->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
        SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return pSticker;
}

void CTKPDockingPaneDragContext::UpdateStickers()
{
    if (m_rcHover.IsRectEmpty()) {
        DestroyStickers();
        m_pStickerNode = NULL;
        return;
    }
    const int nStyle = GetStickerStyle();
    if (m_pStickerNode == m_pHoverNode && !m_lstStickers.IsEmpty())
        return;
    DestroyStickers();
    CTKPDockingNode* pClient = m_pHost->GetClientNode();
    if (m_pHoverNode) {
        int nFlags = 0;
        if (CheckDocking(m_pHoverNode, tkdock::sideLeft))
            nFlags |= tkdock::partLeft;
        if (CheckDocking(m_pHoverNode, tkdock::sideRight))
            nFlags |= tkdock::partRight;
        if (CheckDocking(m_pHoverNode, tkdock::sideBottom))
            nFlags |= tkdock::partBottom;
        if (CheckDocking(m_pHoverNode, tkdock::sideTop))
            nFlags |= tkdock::partTop;
        nFlags |= tkdock::partCentreSticker;
        if (m_pHoverNode != pClient && CheckAttach(m_pHoverNode))
            nFlags |= tkdock::partCentre;
        CreateSticker(FromRect(tkdock::CentreStickerRect(ToRect(m_rcHover), nStyle)), nFlags);
    }
    if (CTKPDockingPaneSplitContainer* pTop = m_pHost->GetTopContainer()) {
        CRect rcTop;
        pTop->GetScreenRect(&rcTop);
        static const int kEdges[4] = {tkdock::partTop, tkdock::partLeft, tkdock::partBottom, tkdock::partRight};
        for (int nPart : kEdges)
            if (CheckDocking(pTop, tkdock::DirectionOfPart(nPart)))
                CreateSticker(FromRect(tkdock::EdgeStickerRect(ToRect(rcTop), nPart, nStyle)), nPart);
    }
    m_pStickerNode = m_pHoverNode;
}

void CTKPDockingPaneDragContext::HitTestStickers(int x, int y)
{
    BOOL bHit = FALSE;
    for (POSITION pos = m_lstStickers.GetTailPosition(); pos != NULL;) {
        CTKPDockingPaneStickerWnd* pSticker = m_lstStickers.GetPrev(pos);
        const int nCode = bHit ? 0 : pSticker->HitTest(x, y);
        int nAccepted = 0;
        if (nCode) {
            bHit = TRUE;
            CTKPDockingNode* pOffered = NULL;
            CRect rcOffered;
            if (pSticker->m_nFlags & tkdock::partCentreSticker) {
                pOffered = m_pHoverNode;
                rcOffered = m_rcHover;
            } else if (CTKPDockingPaneSplitContainer* pTop = m_pHost->GetTopContainer()) {
                pOffered = pTop;
                pTop->GetScreenRect(&rcOffered);
            }
            if (pOffered && nCode == tkdock::partCentre) {
                if (CheckAttach(pOffered)) {
                    m_bAttach = TRUE;
                    m_pTarget = pOffered;
                    m_rcDocking = rcOffered;
                    nAccepted = nCode;
                }
            } else if (pOffered) {
                const int nDirection = tkdock::DirectionOfPart(nCode);
                if (CheckDocking(pOffered, nDirection)) {
                    m_pTarget = pOffered;
                    m_bAttach = FALSE;
                    m_nDirection = nDirection;
                    m_pHost->CalcDockingRect(&m_rcDocking, m_pNode, nDirection, pOffered);
                    nAccepted = nCode;
                } else {
                    m_pTarget = NULL;
                    m_bAttach = FALSE;
                }
            }
        }
        if (pSticker->m_nHighlighted != nAccepted) {
            pSticker->m_nHighlighted = nAccepted;
            pSticker->Invalidate(FALSE);
        }
    }
}

HRGN CTKPDockingPaneDragContext::CreatePlaceRegion(const CRect& rc, BOOL bAttach)
{
    if (!bAttach)
        return FrameRegion(rc);
    tkdock::Rect main, tab;
    tkdock::SplitAttachPlace(ToRect(rc), main, tab);
    CRect rcMain = FromRect(main), rcTab = FromRect(tab);
    HRGN hRgn = FrameRegion(rcMain);
    HRGN hTab = FrameRegion(rcTab);
    ::CombineRgn(hRgn, hRgn, hTab, RGN_OR);
    ::DeleteObject(hTab);
    CRect rcJunction;
    rcJunction.IntersectRect(rcMain, rcTab);
    rcJunction.DeflateRect(4, 0);
    if (!rcJunction.IsRectEmpty()) {
        HRGN hJunction = FrameRegion(rcJunction);
        ::CombineRgn(hRgn, hRgn, hJunction, RGN_XOR);
        ::DeleteObject(hJunction);
    }
    return hRgn;
}

void CTKPDockingPaneDragContext::DrawFeedback(BOOL bErase)
{
    CRect rcPlace = m_pTarget ? m_rcDocking : m_rcDrag;
    if (!m_bMayFloat && !m_pTarget)
        rcPlace.SetRectEmpty();

    if (!m_bAlpha) {
        if (!m_pDesktopDC)
            return;
        HRGN hNew =
            bErase || rcPlace.IsRectEmpty() ? ::CreateRectRgn(0, 0, 0, 0) : CreatePlaceRegion(rcPlace, m_bAttach);
        HRGN hLast =
            m_rcLastDrawn.IsRectEmpty() ? ::CreateRectRgn(0, 0, 0, 0) : CreatePlaceRegion(m_rcLastDrawn, m_bLastAttach);
        ::CombineRgn(hNew, hNew, hLast, RGN_XOR);
        ::SelectClipRgn(m_pDesktopDC->GetSafeHdc(), hNew);
        CRect rcBox;
        m_pDesktopDC->GetClipBox(&rcBox);
        CBrush* pBrush = CDC::GetHalftoneBrush();
        CBrush* pOld = m_pDesktopDC->SelectObject(pBrush);
        m_pDesktopDC->PatBlt(rcBox.left, rcBox.top, rcBox.Width(), rcBox.Height(), PATINVERT);
        m_pDesktopDC->SelectObject(pOld);
        ::SelectClipRgn(m_pDesktopDC->GetSafeHdc(), NULL);
        ::DeleteObject(hNew);
        ::DeleteObject(hLast);
        m_rcLastDrawn = bErase ? CRect(0, 0, 0, 0) : rcPlace;
        m_bLastAttach = m_bAttach;
        return;
    }

    CWnd* pOwner = GetOwnerWindow();
    if (m_bAttach != m_bLastAttach) {
        if (!m_bAttach && m_wndTabPreview.GetSafeHwnd())
            m_wndTabPreview.DestroyWindow();
        m_bLastAttach = m_bAttach;
    }
    if (rcPlace.IsRectEmpty()) {
        if (m_wndPreview.GetSafeHwnd())
            m_wndPreview.ShowWindow(SW_HIDE);
        if (m_wndTabPreview.GetSafeHwnd())
            m_wndTabPreview.DestroyWindow();
        return;
    }
    CRect rcMain = rcPlace;
    if (m_bAttach) {
        int nTabHeight = 0, nTabWidth = 0;
        tkdock::AttachTabSize(ToRect(rcPlace), nTabHeight, nTabWidth);
        CTKPDockingPaneTabbedContainer* pContainer = m_pTarget ? m_pTarget->AsTabbedContainer() : NULL;
        CTKPDockingPaneTheme* pTheme = m_pHost->GetTheme();
        CRect rcTab;
        if (pContainer && pTheme && pTheme->m_pPaneTabTheme && pTheme->m_pPaneTabTheme->GetPosition() == 0) {
            const int nTop = rcPlace.top + (pContainer->IsCaptionVisible() ? pTheme->m_nCaptionHeight + 3 : 0);
            rcTab = CRect(rcPlace.left + 5, nTop, rcPlace.left + 5 + nTabWidth, nTop + nTabHeight);
            rcMain.top = rcTab.bottom;
        } else {
            rcTab = CRect(rcPlace.left + 5, rcPlace.bottom - nTabHeight, rcPlace.left + 5 + nTabWidth, rcPlace.bottom);
            rcMain.bottom = rcTab.top;
        }
        if (!m_wndTabPreview.GetSafeHwnd())
            m_wndTabPreview.CreatePreview(pOwner, rcTab, m_pfnSetLayeredWindowAttributes);
        m_wndTabPreview.SetWindowPos(NULL, rcTab.left, rcTab.top, rcTab.Width(), rcTab.Height(),
            SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    CRect rcWindow(0, 0, 0, 0);
    if (m_wndPreview.GetSafeHwnd())
        m_wndPreview.GetWindowRect(&rcWindow);
    if (!m_wndPreview.GetSafeHwnd() || rcWindow.Size() != rcMain.Size()) {
        if (m_wndPreview.GetSafeHwnd())
            m_wndPreview.DestroyWindow();
        m_wndPreview.CreatePreview(pOwner, rcMain, m_pfnSetLayeredWindowAttributes);
    }
    m_wndPreview.SetWindowPos(NULL, rcMain.left, rcMain.top, rcMain.Width(), rcMain.Height(),
        SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CTKPDockingPaneDragContext::ReleaseFeedback()
{
    CWnd* pSite = m_pNode ? m_pNode->GetNodeSite() : NULL;
    if (pSite && ::GetCapture() == pSite->GetSafeHwnd())
        ::ReleaseCapture();
    if (!m_bAlpha) {
        if (m_pDesktopDC) {
            DrawFeedback(TRUE);
            HDC hDC = m_pDesktopDC->Detach();
            delete m_pDesktopDC;
            m_pDesktopDC = NULL;
            ::ReleaseDC(::GetDesktopWindow(), hDC);
        }
        if (m_bDesktopLocked) {
            ::LockWindowUpdate(NULL);
            m_bDesktopLocked = FALSE;
        }
    } else {
        if (m_wndPreview.GetSafeHwnd())
            m_wndPreview.DestroyWindow();
        if (m_wndTabPreview.GetSafeHwnd())
            m_wndTabPreview.DestroyWindow();
        DestroyStickers();
    }
    EmptyRegionCache();
}
