#include "toolkit/commandbars/StatusBarPaneWnd.h"

#include "toolkit/base/BufferedDC.h"
#include "toolkit/base/ColorManager.h"

IMPLEMENT_DYNCREATE(CTKPStatusBarPaneWnd, CWnd)
IMPLEMENT_DYNCREATE(CTKPStatusBarPlainPaneWnd, CTKPStatusBarPaneWnd)
IMPLEMENT_DYNCREATE(CTKPStatusBarSwitchPaneWnd, CTKPStatusBarPaneWnd)

BEGIN_MESSAGE_MAP(CTKPStatusBarPaneWnd, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CTKPStatusBarSwitchPaneWnd, CTKPStatusBarPaneWnd)
ON_WM_ENABLE()
END_MESSAGE_MAP()

CTKPStatusBarPaneWnd::CTKPStatusBarPaneWnd() {}

BOOL CTKPStatusBarPaneWnd::Create(LPCTSTR lpszText, CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_BYTEALIGNCLIENT, NULL, NULL, NULL);
    if (!CWnd::Create(lpszClass, lpszText, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    m_strWindowText = lpszText != NULL ? lpszText : L"";
    return TRUE;
}

void CTKPStatusBarPaneWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CTKPBufferedDC memDC(dc.GetSafeHdc(), rcClient);
    memDC.FillSolidRect(rcClient, GetColorManager()->GetColor(COLOR_BTNFACE));
    DrawContent(&memDC, rcClient);
}

BOOL CTKPStatusBarPaneWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTKPStatusBarSwitchPaneWnd::OnEnable(BOOL bEnable)
{
    Default();
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
