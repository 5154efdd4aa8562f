#include "tests/toolkit/commandbars/MdiTabTestSupport.h"

#include "classlib/win/WindowDCs.h"
#include "tests/support/win/InputSupport.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/MenuBar.h"

BEGIN_MESSAGE_MAP(CTabsMdiChild, CMDIChildWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

void CTabsMdiChild::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(rc, RGB(255, 255, 255));
    CString strTitle;
    GetWindowText(strTitle);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(60, 60, 60));
    dc.DrawText(strTitle, rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

BOOL CTabsMdiFrame::CreateFrame(const CRect& rc, BOOL bAttach, BOOL bGroups)
{
    if (!Create(NULL, L"Documents", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rc, NULL,
            MAKEINTRESOURCEW(IDR_MDITABS_MENU)))
        return FALSE;
    if (CTKPCommandBarsTheme::GetInstalledTheme() == NULL)
        CTKPCommandBarsTheme::SetTheme(CTKPCommandBarsTheme::themeFlat);
    m_pCommandBars = static_cast<CTKPCommandBars*>(RUNTIME_CLASS(CTKPCommandBars)->CreateObject());
    m_pCommandBars->AttachToFrame(this);
    m_pCommandBars->CreateDockBars();
    if (m_pCommandBars->CreateMenuBar(L"Menu Bar", IDR_MDITABS_MENU) == NULL)
        return FALSE;
    RecalcLayout();
    return !bAttach || m_tabClient.AttachToFrame(this, bGroups);
}

CMDIChildWnd* CTabsMdiFrame::AddChild(LPCTSTR lpszTitle)
{
    static LPCTSTR s_lpszClass =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW), NULL, ::LoadIconW(NULL, IDI_APPLICATION));
    CTabsMdiChild* pChild = new CTabsMdiChild;
    if (!pChild->Create(s_lpszClass, lpszTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, rectDefault, this))
        return NULL;
    return pChild;
}

void CTabsMdiFrame::RunIdle()
{
    SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    morvick::test::PumpPending();
}

CRect CTabsMdiFrame::GetClientPlace() const
{
    CRect rc;
    ::GetWindowRect(m_hWndMDIClient, &rc);
    ScreenToClient(&rc);
    return rc;
}

CString TabCaptions(const CTKPTabClientWorkspace* pWorkspace)
{
    CString str;
    for (int i = 0; pWorkspace != NULL && i < pWorkspace->GetItemCount(); ++i) {
        if (i > 0)
            str += L"|";
        str += pWorkspace->GetItem(i)->GetOwnCaption();
    }
    return str;
}

CPoint TabCentre(const CTKPTabManagerItem* pItem)
{
    return pItem->GetRect().CenterPoint();
}
