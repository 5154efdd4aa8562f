#include "classlib/win/CPropertyPage.h"
#include "classlib/win/CPropertySheet.h"
#include "classlib/win/CWinApp.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

namespace {

// Attaches the page object to the page's dialog when the sheet creates it.
UINT CALLBACK PropPageCallback(HWND, UINT message, LPPROPSHEETPAGE pPropPage)
{
    if (message == PSPCB_CREATE && pPropPage != nullptr)
        AfxHookWindowCreate(reinterpret_cast<CPropertyPage*>(pPropPage->lParam));
    return TRUE;
}

} // namespace

CPropertyPage::CPropertyPage() : m_bFirstSetActive(TRUE)
{
    memset(&m_psp, 0, sizeof(m_psp));
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage()
{
    Construct(nIDTemplate, nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption) : CPropertyPage()
{
    Construct(lpszTemplateName, nIDCaption);
}

CPropertyPage::~CPropertyPage() {}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    Construct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
    m_nIDHelp = nIDTemplate;
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    memset(&m_psp, 0, sizeof(m_psp));
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_USECALLBACK;
    m_lpszTemplateName = lpszTemplateName;
    m_psp.hInstance = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = AfxDlgProc;
    m_psp.lParam = (LPARAM)this;
    m_psp.pfnCallback = PropPageCallback;
    if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption)) {
        m_psp.pszTitle = m_strCaption;
        m_psp.dwFlags |= PSP_USETITLE;
    }
    m_bFirstSetActive = TRUE;
}

LPCDLGTEMPLATE CPropertyPage::GetTemplate()
{
    if (m_psp.dwFlags & PSP_DLGINDIRECT)
        return m_psp.pResource;
    HRSRC hResource = ::FindResource(m_psp.hInstance, m_psp.pszTemplate, RT_DIALOG);
    HGLOBAL hTemplate = hResource != nullptr ? ::LoadResource(m_psp.hInstance, hResource) : nullptr;
    return hTemplate != nullptr ? (LPCDLGTEMPLATE)::LockResource(hTemplate) : nullptr;
}

CPropertySheet* CPropertyPage::GetSheet() const
{
    CWnd* pParent = GetParent();
    return pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CPropertySheet))
               ? static_cast<CPropertySheet*>(pParent)
               : nullptr;
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    HWND hSheet = ::GetParent(m_hWnd);
    if (hSheet != nullptr)
        ::SendMessage(hSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

void CPropertyPage::CancelToClose()
{
    HWND hSheet = ::GetParent(m_hWnd);
    if (hSheet != nullptr)
        ::SendMessage(hSheet, PSM_CANCELTOCLOSE, 0, 0);
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam)
{
    HWND hSheet = ::GetParent(m_hWnd);
    return hSheet != nullptr ? ::SendMessage(hSheet, PSM_QUERYSIBLINGS, wParam, lParam) : 0;
}

BOOL CPropertyPage::OnSetActive()
{
    // The first activation fills the controls (OnInitDialog did already).
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

// The sheet closes itself: a page's OK and Cancel end nothing.
void CPropertyPage::OnOK() {}
void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

LRESULT CPropertyPage::OnWizardBack()
{
    return 0;
}

LRESULT CPropertyPage::OnWizardNext()
{
    return 0;
}

BOOL CPropertyPage::OnWizardFinish()
{
    return TRUE;
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    LRESULT result = 0;
    switch (pNMHDR->code) {
    case PSN_SETACTIVE:
        result = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        result = !OnKillActive();
        break;
    case PSN_APPLY:
        result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        break;
    case PSN_QUERYCANCEL:
        result = !OnQueryCancel();
        break;
    case PSN_WIZNEXT:
        result = OnWizardNext();
        break;
    case PSN_WIZBACK:
        result = OnWizardBack();
        break;
    case PSN_WIZFINISH:
        result = !OnWizardFinish();
        break;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
    // A dialog answers notifications through DWLP_MSGRESULT as well.
    ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, result);
    if (pResult != nullptr)
        *pResult = result;
    return TRUE;
}
