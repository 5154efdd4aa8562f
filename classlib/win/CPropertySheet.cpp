#include "classlib/win/CPropertySheet.h"
#include "classlib/win/CWinApp.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

CPropertySheet::CPropertySheet() : m_pParentWnd(nullptr), m_bModeless(FALSE)
{
    memset(&m_psh, 0, sizeof(m_psh));
    m_psh.dwSize = sizeof(m_psh);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) : CPropertySheet()
{
    Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) : CPropertySheet()
{
    Construct(pszCaption, pParentWnd, iSelectPage);
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DestroyWindow();
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CString caption;
    caption.LoadString(nIDCaption);
    Construct((LPCTSTR)caption, pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption = pszCaption;
    m_pParentWnd = pParentWnd;
    memset(&m_psh, 0, sizeof(m_psh));
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.nStartPage = iSelectPage;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (pPage == nullptr)
        return;
    m_pages.push_back(pPage);
    if (m_hWnd != nullptr) {
        HPROPSHEETPAGE hPage = ::CreatePropertySheetPage(&pPage->m_psp);
        if (hPage != nullptr)
            ::SendMessage(m_hWnd, PSM_ADDPAGE, 0, (LPARAM)hPage);
    }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    RemovePage(GetPageIndex(pPage));
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= (int)m_pages.size())
        return;
    if (m_hWnd != nullptr)
        ::SendMessage(m_hWnd, PSM_REMOVEPAGE, nPage, 0);
    m_pages.erase(m_pages.begin() + nPage);
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < (int)m_pages.size() ? m_pages[(size_t)nPage] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i] == pPage)
            return (int)i;
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    if (m_hWnd == nullptr)
        return GetPage((int)m_psh.nStartPage);
    HWND hPage = (HWND)::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
    for (CPropertyPage* pPage : m_pages)
        if (pPage->m_hWnd == hPage && hPage != nullptr)
            return pPage;
    return nullptr;
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == nullptr)
        return (int)m_psh.nStartPage;
    return GetPageIndex(GetActivePage());
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= (int)m_pages.size())
        return FALSE;
    if (m_hWnd == nullptr) {
        m_psh.nStartPage = (UINT)nPage;
        return TRUE;
    }
    return (BOOL)::SendMessage(m_hWnd, PSM_SETCURSEL, nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    return SetActivePage(GetPageIndex(pPage));
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText;
    if (m_hWnd != nullptr)
        ::SendMessage(m_hWnd, PSM_SETTITLE, nStyle, (LPARAM)(LPCTSTR)m_strCaption);
    else
        m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
}

HWND CPropertySheet::GetTabControl() const
{
    return m_hWnd != nullptr ? (HWND)::SendMessage(m_hWnd, PSM_GETTABCONTROL, 0, 0) : nullptr;
}

void CPropertySheet::SetWizardButtons(DWORD dwFlags)
{
    if (m_hWnd != nullptr)
        ::PostMessage(m_hWnd, PSM_SETWIZBUTTONS, 0, dwFlags);
}

void CPropertySheet::SetFinishText(LPCTSTR lpszText)
{
    if (m_hWnd != nullptr)
        ::SendMessage(m_hWnd, PSM_SETFINISHTEXT, 0, (LPARAM)lpszText);
}

void CPropertySheet::PressButton(int nButton)
{
    if (m_hWnd != nullptr)
        ::SendMessage(m_hWnd, PSM_PRESSBUTTON, nButton, 0);
}

void CPropertySheet::EndDialog(int nEndID)
{
    if (m_hWnd == nullptr)
        return;
    if (m_bModeless)
        DestroyWindow();
    else
        ::PostMessage(m_hWnd, WM_COMMAND, nEndID == IDOK ? IDOK : IDCANCEL, 0);
}

void CPropertySheet::BuildHeader(BOOL bModeless)
{
    m_pageRecords.clear();
    for (CPropertyPage* pPage : m_pages)
        m_pageRecords.push_back(pPage->m_psp);
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags |= PSH_PROPSHEETPAGE;
    if (bModeless)
        m_psh.dwFlags |= PSH_MODELESS;
    else
        m_psh.dwFlags &= ~PSH_MODELESS;
    m_psh.hwndParent = m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : nullptr;
    m_psh.hInstance = AfxGetInstanceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.nPages = (UINT)m_pageRecords.size();
    m_psh.ppsp = m_pageRecords.data();
    if (m_psh.nStartPage >= m_psh.nPages)
        m_psh.nStartPage = 0;
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd != nullptr || m_pages.empty())
        return IDCANCEL;
    m_bModeless = FALSE;
    if (m_pParentWnd == nullptr)
        m_pParentWnd = AfxGetMainWnd();
    BuildHeader(FALSE);
    // The sheet is the first window the call creates: attach this object to it.
    AfxHookWindowCreate(this);
    INT_PTR nResult = ::PropertySheet(&m_psh);
    AfxUnhookWindowCreate();
    if (m_hWnd != nullptr)
        Detach();
    return nResult > 0 ? IDOK : IDCANCEL;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (m_hWnd != nullptr || m_pages.empty())
        return FALSE;
    m_bModeless = TRUE;
    m_pParentWnd = pParentWnd;
    BuildHeader(TRUE);
    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::PropertySheet(&m_psh);
    AfxUnhookWindowCreate();
    if (hWnd == nullptr || hWnd == (HWND)-1)
        return FALSE;
    if (dwStyle != (DWORD)-1)
        ::SetWindowLong(hWnd, GWL_STYLE, (LONG)dwStyle);
    if (dwExStyle != 0)
        ::SetWindowLong(hWnd, GWL_EXSTYLE, (LONG)dwExStyle);
    return TRUE;
}
