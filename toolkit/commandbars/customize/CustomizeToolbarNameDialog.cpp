#include "toolkit/commandbars/customize/CustomizeToolbarNameDialog.h"

#include "classlib/win/CDataExchange.h"
#include "res/commandbars-customize.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"

IMPLEMENT_DYNAMIC(CTKPCustomizeToolbarNameDialog, CDialog)

CTKPCustomizeToolbarNameDialog::CTKPCustomizeToolbarNameDialog(CTKPCommandBars* pCommandBars,
    CTKPCommandBar* pBarToRename, CWnd* pParent)
    : m_nNewID(0), m_pBar(pBarToRename), m_pCommandBars(pCommandBars)
{
    m_pParentWnd = pParent;
}

INT_PTR CTKPCustomizeToolbarNameDialog::DoModal()
{
    LPCDLGTEMPLATE lpTemplate = GetResourceManager()->LoadDialogTemplate(IDD_TKP_NEWTOOLBAR);
    if (lpTemplate == NULL || !InitModalIndirect(lpTemplate, m_pParentWnd))
        return IDCANCEL;
    return CDialog::DoModal();
}

BOOL CTKPCustomizeToolbarNameDialog::CreateModeless(CWnd* pParent)
{
    LPCDLGTEMPLATE lpTemplate = GetResourceManager()->LoadDialogTemplate(IDD_TKP_NEWTOOLBAR);
    return lpTemplate != NULL && CreateIndirect(lpTemplate, pParent);
}

CString CTKPCustomizeToolbarNameDialog::MakeDefaultName(CTKPCommandBars* pCommandBars)
{
    CString strFormat;
    GetResourceManager()->LoadString(&strFormat, IDS_TKP_CUSTOM_BAR);
    if (strFormat.IsEmpty())
        strFormat = L"Custom %d";
    int n = 1;
    CString strName;
    strName.Format(strFormat, n);
    const int nCount = pCommandBars != NULL ? pCommandBars->GetCount() : 0;
    for (int i = 0; i < nCount; ++i) {
        if (pCommandBars->GetAt(i)->GetTitle() == strName) {
            strName.Format(strFormat, ++n);
            i = -1;  // start over from the first bar
        }
    }
    return strName;
}

BOOL CTKPCustomizeToolbarNameDialog::OnInitDialog()
{
    if (m_pBar != NULL) {
        m_strName = m_pBar->GetTitle();
        CString strCaption;
        if (GetResourceManager()->LoadString(&strCaption, IDS_TKP_RENAME_TOOLBAR))
            SetWindowText(strCaption);
    } else {
        m_strName = MakeDefaultName(m_pCommandBars);
    }
    return CDialog::OnInitDialog();
}

void CTKPCustomizeToolbarNameDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_TKP_TOOLBAR_NAME, m_strName);
}

CTKPCustomizeToolbarNameDialog::NameCheck CTKPCustomizeToolbarNameDialog::CheckName()
{
    CTKPResourceManager* pResources = GetResourceManager();
    if (m_strName.IsEmpty()) {
        pResources->ShowMessageBox(IDS_TKP_NAME_BLANK, MB_OK | MB_ICONERROR);
        return nameRejected;
    }
    int nID = idFirstUserBar;
    const int nCount = m_pCommandBars != NULL ? m_pCommandBars->GetCount() : 0;
    for (int i = 0; i < nCount; ++i) {
        CTKPCommandBar* pBar = m_pCommandBars->GetAt(i);
        if (m_pBar == NULL && (int)pBar->GetBarID() == nID) {
            if (++nID >= idEndUserBars) {
                pResources->ShowMessageBox(IDS_TKP_TOOLBAR_LIMIT, MB_OK | MB_ICONERROR);
                return nameNoIdLeft;
            }
            i = -1;  // start the walk over with the next id
            continue;
        }
        if (pBar != m_pBar && pBar->GetTitle() == m_strName) {
            CString strFormat, strText;
            pResources->LoadString(&strFormat, IDS_TKP_NAME_EXISTS);
            strText.Format(strFormat, (LPCTSTR)m_strName);
            pResources->ShowMessageBox(strText, MB_OK | MB_ICONERROR);
            return nameRejected;
        }
    }
    if (m_pBar == NULL)
        m_nNewID = nID;
    return nameAccepted;
}

void CTKPCustomizeToolbarNameDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    switch (CheckName()) {
    case nameAccepted:
        EndDialog(IDOK);
        break;
    case nameNoIdLeft:
        EndDialog(IDCANCEL);
        break;
    case nameRejected:
        break;
    }
}
