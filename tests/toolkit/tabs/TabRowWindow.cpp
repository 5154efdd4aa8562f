#include "TabRowWindow.h"

#include "toolkit/base/BufferedDC.h"

BEGIN_MESSAGE_MAP(CTabRowWindow, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_WM_KEYDOWN()
ON_WM_SIZE()
END_MESSAGE_MAP()

CTabRowWindow::CTabRowWindow(CTKPTabTheme* pTheme) : m_pTheme(pTheme) {}

CTabRowWindow::~CTabRowWindow()
{
    if (GetSafeHwnd())
        DestroyWindow();
    delete m_pToolTips;
}

INT_PTR CTabRowWindow::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    return GetToolTipInfo(const_cast<CTabRowWindow*>(this), HitTest(point), pTI);
}

BOOL CTabRowWindow::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_pToolTips)
        m_pToolTips->FilterWindowMessage(this, message, wParam, lParam);
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CTabRowWindow::Create(const CRect& rcScreen, DWORD dwExStyle)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
    if (!CreateEx(dwExStyle, lpszClass, L"Tabs", WS_POPUP, rcScreen.left, rcScreen.top, rcScreen.Width(),
            rcScreen.Height(), NULL, NULL))
        return FALSE;
    m_pToolTips = new CTKPToolTipManager;
    m_pToolTips->SetExtendedToolInfo(TRUE);
    // Shown before it is activated: Wine then leaves the window to itself instead of waiting for a
    // window manager each time it is hidden.
    ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}

BOOL CTabRowWindow::CreateChild(CWnd* pParent, const CRect& rc)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
    if (!CreateEx(0, lpszClass, L"Tabs", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rc, pParent, 0))
        return FALSE;
    m_pToolTips = new CTKPToolTipManager;
    return TRUE;
}

void CTabRowWindow::AddTabs(const std::vector<CString>& captions)
{
    for (const CString& caption : captions)
        InsertTab(-1)->SetCaption(caption);
}

int CTabRowWindow::Count(const std::string& entry) const
{
    int n = 0;
    for (const std::string& e : m_log)
        n += e == entry ? 1 : 0;
    return n;
}

void CTabRowWindow::Layout()
{
    if (!GetSafeHwnd() || !m_pTheme)
        return;
    CRect rc;
    CWnd::GetClientRect(&rc);
    CClientDC dc(this);
    m_pTheme->RepositionTabControl(this, &dc, rc);
}

void CTabRowWindow::Reposition()
{
    m_log.push_back("reposition");
    Layout();
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

void CTabRowWindow::RedrawControl()
{
    m_log.push_back("redraw");
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

BOOL CTabRowWindow::DrawTabIcon(CDC* pDC, CPoint pt, CTKPTabManagerItem* pItem, BOOL bDraw, CSize* pszIcon)
{
    if (!pItem) {
        ++m_nIconSizeQueries;
        if (m_szIcon.cx > 0)
            *pszIcon = m_szIcon;
        return FALSE;
    }
    if (m_szIcon.cx > 0)
        *pszIcon = m_szIcon;
    if (pItem->GetImage() <= 0)
        return FALSE;
    if (bDraw && pDC) {
        // A framed square in a colour of the image number stands for the icon.
        static const COLORREF kColors[] = {RGB(200, 40, 40), RGB(40, 140, 40), RGB(40, 60, 200), RGB(200, 150, 20)};
        const COLORREF clr = kColors[pItem->GetImage() % 4];
        CRect rc(pt, *pszIcon);
        pDC->FillSolidRect(rc, clr);
        pDC->Draw3dRect(rc, RGB(0, 0, 0), RGB(0, 0, 0));
    }
    return TRUE;
}

void CTabRowWindow::OnTabClick(CTKPTabManagerItem* pItem)
{
    m_log.push_back("click " + std::to_string(pItem ? pItem->GetIndex() : -1));
    CTKPTabManager::OnTabClick(pItem);
}

void CTabRowWindow::OnNavigateButtonClick(int nId)
{
    m_log.push_back("button " + std::to_string(nId));
}

void CTabRowWindow::Paint(CDC* pDC)
{
    CRect rc;
    CWnd::GetClientRect(&rc);
    if (m_pTheme)
        m_pTheme->DrawTabControl(pDC, this, rc);
}

void CTabRowWindow::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    CWnd::GetClientRect(&rc);
    CTKPBufferedDC buffer(dc.GetSafeHdc(), rc);
    Paint(&buffer);
}

BOOL CTabRowWindow::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CTabRowWindow::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    HandleLButtonDown(this, point, FALSE);
}

void CTabRowWindow::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    HandleMouseMove(this, point);
}

void CTabRowWindow::OnMouseLeave()
{
    HandleMouseMove(this, CPoint(-1, -1));
}

void CTabRowWindow::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!HandleKeyDown(this, nChar))
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CTabRowWindow::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    Layout();
}
