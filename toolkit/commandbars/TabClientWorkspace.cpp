#include "toolkit/commandbars/TabClientWorkspace.h"

#include "classlib/win/CMDIFrameWnd.h"
#include "classlib/win/WindowDCs.h"
#include "toolkit/base/BufferedDC.h"
#include "toolkit/commandbars/TabClientWnd.h"
#include "toolkit/tabs/TabTheme.h"

namespace {

// The id of the tab-row window among the frame's children: inside the bar range, so that it takes
// its part in the frame's layout.
const UINT kTabRowId = 0xE8F2;

HICON GetChildSmallIcon(HWND hWnd)
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return NULL;
    HICON hIcon = reinterpret_cast<HICON>(::SendMessageW(hWnd, WM_GETICON, ICON_SMALL, 0));
    if (hIcon == NULL)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(hWnd, GCLP_HICONSM));
    if (hIcon == NULL)
        hIcon = reinterpret_cast<HICON>(::SendMessageW(hWnd, WM_GETICON, ICON_BIG, 0));
    if (hIcon == NULL)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(hWnd, GCLP_HICON));
    return hIcon;
}

}  // namespace

// --- The group ----------------------------------------------------------------------------------------

CTKPTabClientWorkspace::CTKPTabClientWorkspace(CTKPTabClientWnd* pClient)
    : m_dSize(0), m_rcSplitter(0, 0, 0, 0), m_pClient(pClient)
{
}

CTKPTabClientWorkspace::~CTKPTabClientWorkspace() {}

CTKPTabManagerItem* CTKPTabClientWorkspace::FindTab(HWND hWnd) const
{
    for (int i = 0; i < GetItemCount(); ++i) {
        if (GetItem(i)->GetHandle() == hWnd)
            return GetItem(i);
    }
    return NULL;
}

void CTKPTabClientWorkspace::Reposition()
{
    m_pClient->OnWorkspaceChanged(this);
}

void CTKPTabClientWorkspace::RedrawControl()
{
    m_pClient->RedrawWorkspace(this);
}

CTKPTabTheme* CTKPTabClientWorkspace::GetPaintManager() const
{
    return m_pClient->GetPaintManager();
}

BOOL CTKPTabClientWorkspace::DrawTabIcon(CDC* pDC, CPoint pt, CTKPTabManagerItem* pItem, BOOL bDraw, CSize* pszIcon)
{
    if (pItem == NULL)
        return FALSE;
    HICON hIcon = GetChildSmallIcon(pItem->GetHandle());
    if (hIcon == NULL)
        return FALSE;
    if (bDraw && pDC != NULL && pszIcon != NULL)
        ::DrawIconEx(pDC->GetSafeHdc(), pt.x, pt.y, hIcon, pszIcon->cx, pszIcon->cy, 0, NULL, DI_NORMAL);
    return TRUE;
}

void CTKPTabClientWorkspace::OnTabClick(CTKPTabManagerItem* pItem)
{
    CTKPTabManager::OnTabClick(pItem);
    if (pItem != NULL)
        m_pClient->ActivateChild(pItem->GetHandle());
}

// --- The tab-row window ---------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CTKPTabClientRowWnd, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
ON_WM_RBUTTONDOWN()
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CTKPTabClientRowWnd::CTKPTabClientRowWnd(CTKPTabClientWnd* pClient) : m_pClient(pClient) {}

BOOL CTKPTabClientRowWnd::Create(CWnd* pFrame)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW));
    if (!CWnd::Create(lpszClass, NULL, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0), pFrame, kTabRowId))
        return FALSE;
    // Behind the MDI client, so that it takes the rest of the frame after every bar.
    SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

CTKPTabClientWorkspace* CTKPTabClientRowWnd::GetWorkspace() const
{
    return m_pClient->GetWorkspaceCount() > 0 ? m_pClient->GetWorkspace(0) : NULL;
}

CRect CTKPTabClientRowWnd::Layout(const CRect& rc)
{
    CTKPTabClientWorkspace* pWorkspace = GetWorkspace();
    CTKPTabTheme* pTheme = m_pClient->GetPaintManager();
    if (pWorkspace == NULL || pTheme == NULL || pWorkspace->GetItemCount() == 0)
        return rc;
    CClientDC dc(this);
    pTheme->RepositionTabControl(pWorkspace, &dc, rc);
    return pWorkspace->GetTabClientRect();
}

void CTKPTabClientRowWnd::Paint(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    CTKPTabClientWorkspace* pWorkspace = GetWorkspace();
    CTKPTabTheme* pTheme = m_pClient->GetPaintManager();
    if (pWorkspace == NULL || pTheme == NULL || pWorkspace->GetItemCount() == 0) {
        m_pClient->DrawBackground(pDC, rc);
        return;
    }
    pTheme->DrawTabControl(pDC, pWorkspace, rc);
}

void CTKPTabClientRowWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    // The MDI client covers the part beside the tabs.
    HWND hClient = m_pClient->GetSafeHwnd();
    if (hClient != NULL && ::IsWindowVisible(hClient)) {
        CRect rcClient;
        ::GetWindowRect(hClient, &rcClient);
        ScreenToClient(&rcClient);
        dc.ExcludeClipRect(rcClient);
    }
    CTKPBufferedDC dcBuffer(dc.GetSafeHdc(), rc);
    Paint(&dcBuffer);
}

BOOL CTKPTabClientRowWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTKPTabClientRowWnd::OnLButtonDown(UINT, CPoint point)
{
    CTKPTabClientWorkspace* pWorkspace = GetWorkspace();
    if (pWorkspace == NULL)
        return;
    m_pClient->NoteClick();
    pWorkspace->HandleLButtonDown(this, point, FALSE);
}

void CTKPTabClientRowWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

void CTKPTabClientRowWnd::OnMouseMove(UINT, CPoint point)
{
    if (CTKPTabClientWorkspace* pWorkspace = GetWorkspace())
        pWorkspace->HandleMouseMove(this, point);
}

LRESULT CTKPTabClientRowWnd::OnMouseLeave(WPARAM, LPARAM)
{
    if (CTKPTabClientWorkspace* pWorkspace = GetWorkspace())
        pWorkspace->HandleMouseMove(this, CPoint(-1, -1));
    return 0;
}

void CTKPTabClientRowWnd::OnRButtonDown(UINT, CPoint) {}

LRESULT CTKPTabClientRowWnd::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const CRect rcAll = pLayout->rect;
    // The window takes the whole rest; the MDI client gets the part beside the tabs.
    if (pLayout->hDWP != NULL) {
        pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, NULL, rcAll.left, rcAll.top, rcAll.Width(),
            rcAll.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CRect rcRest = Layout(CRect(0, 0, rcAll.Width(), rcAll.Height()));
    rcRest.OffsetRect(rcAll.TopLeft());
    pLayout->rect = rcRest;
    return 0;
}

BOOL CTKPTabClientRowWnd::IsClientPlaced()
{
    HWND hClient = m_pClient->GetSafeHwnd();
    if (hClient == NULL)
        return TRUE;
    CRect rc;
    GetClientRect(&rc);
    const CRect rcRest = Layout(rc);
    CRect rcClient;
    ::GetWindowRect(hClient, &rcClient);
    ScreenToClient(&rcClient);
    return rcClient == rcRest;
}
