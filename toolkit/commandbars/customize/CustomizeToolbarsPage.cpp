#include "toolkit/commandbars/customize/CustomizeToolbarsPage.h"

#include "res/commandbars-customize.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ToolBar.h"
#include "toolkit/commandbars/customize/CustomizeSheet.h"
#include "toolkit/commandbars/customize/CustomizeToolbarNameDialog.h"

IMPLEMENT_DYNCREATE(CTKPCustomizeToolbarsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CTKPCustomizeToolbarsPage, CPropertyPage)
ON_BN_CLICKED(IDC_TKP_TOOLBAR_NEW, OnNewToolbar)
ON_BN_CLICKED(IDC_TKP_TOOLBAR_RENAME, OnRenameToolbar)
ON_BN_CLICKED(IDC_TKP_TOOLBAR_DELETE, OnDeleteToolbar)
ON_BN_CLICKED(IDC_TKP_TOOLBAR_RESET, OnResetToolbar)
ON_LBN_SELCHANGE(IDC_TKP_TOOLBARS_LIST, OnSelChange)
END_MESSAGE_MAP()

namespace {

BOOL IsUserToolBar(CTKPCommandBar* pBar)
{
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CTKPToolBar)) && !static_cast<CTKPToolBar*>(pBar)->IsBuiltIn();
}

}  // namespace

CTKPCustomizeToolbarsPage::CTKPCustomizeToolbarsPage() : CPropertyPage(IDD_TKP_PAGE_TOOLBARS), m_pSheet(NULL) {}

CTKPCommandBars* CTKPCustomizeToolbarsPage::GetCommandBars() const
{
    return m_pSheet != NULL ? m_pSheet->GetCommandBars() : NULL;
}

BOOL CTKPCustomizeToolbarsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndList.SubclassDlgItem(IDC_TKP_TOOLBARS_LIST, this);
    RefreshList();
    return TRUE;
}

CTKPCommandBar* CTKPCustomizeToolbarsPage::GetSelectedBar() const
{
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL || m_wndList.GetSafeHwnd() == NULL)
        return NULL;
    const int nSel = m_wndList.GetCurSel();
    return nSel < 0 ? NULL : pCommandBars->GetAt((int)m_wndList.GetItemData(nSel));
}

void CTKPCustomizeToolbarsPage::RefreshList()
{
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL || m_wndList.GetSafeHwnd() == NULL)
        return;
    const int nSel = m_wndList.GetCurSel();
    const int nSelectedBar = nSel < 0 ? -1 : (int)m_wndList.GetItemData(nSel);
    const int nTop = m_wndList.GetTopIndex();
    m_wndList.ResetContent();
    for (int i = 0; i < pCommandBars->GetCount(); ++i) {
        CTKPCommandBar* pBar = pCommandBars->GetAt(i);
        if (pBar->GetType() == tkpBarTypeMenuBar && !pBar->IsVisible())
            continue;
        const int nItem = m_wndList.AddString(pBar->GetTitle());
        m_wndList.SetCheck(nItem, pBar->IsVisible() ? 1 : 0);
        m_wndList.SetItemData(nItem, (DWORD_PTR)i);
        if (i == nSelectedBar)
            m_wndList.SetCurSel(nItem);
    }
    if (m_wndList.GetTopIndex() != nTop)
        m_wndList.SetTopIndex(nTop);
    UpdateButtons();
}

void CTKPCustomizeToolbarsPage::UpdateButtons()
{
    CTKPCommandBar* pBar = GetSelectedBar();
    const BOOL bUser = IsUserToolBar(pBar);
    const BOOL bBuiltIn = pBar != NULL && !bUser;
    GetDlgItem(IDC_TKP_TOOLBAR_RESET)->EnableWindow(bBuiltIn);
    GetDlgItem(IDC_TKP_TOOLBAR_RENAME)->EnableWindow(bUser);
    GetDlgItem(IDC_TKP_TOOLBAR_DELETE)->EnableWindow(bUser);
    GetDlgItem(IDC_TKP_TOOLBAR_NEW)->EnableWindow(TRUE);
}

void CTKPCustomizeToolbarsPage::OnSelChange()
{
    UpdateButtons();
}

BOOL CTKPCustomizeToolbarsPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_TKP_TOOLBARS_LIST && HIWORD(wParam) == CLBN_CHKCHANGE) {
        // The row whose box changed has the list's caret (a click on a box moves it there).
        OnCheckChange(m_wndList.GetCaretIndex());
        return TRUE;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

void CTKPCustomizeToolbarsPage::OnCheckChange(int nIndex)
{
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL || nIndex < 0 || nIndex >= m_wndList.GetCount())
        return;
    CTKPCommandBar* pBar = pCommandBars->GetAt((int)m_wndList.GetItemData(nIndex));
    // The menu bar and a bar that may not be hidden stay shown.
    CTKPToolBar* pToolBar = DYNAMIC_DOWNCAST(CTKPToolBar, pBar);
    if (pBar != NULL && pBar->GetType() != tkpBarTypeMenuBar && (pToolBar == NULL || pToolBar->IsHideable())) {
        pBar->SetVisible(m_wndList.GetCheck(nIndex) != 0);
        pCommandBars->RecalcFrameLayout(FALSE);
    } else {
        m_wndList.SetCheck(nIndex, 1);
    }
    RefreshList();
}

void CTKPCustomizeToolbarsPage::OnNewToolbar()
{
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return;
    CTKPCustomizeToolbarNameDialog dlg(pCommandBars, NULL, this);
    if (dlg.DoModal() != IDOK)
        return;
    pCommandBars->AddCustomBar(dlg.m_strName, (UINT)dlg.m_nNewID);
    RefreshList();
}

void CTKPCustomizeToolbarsPage::OnRenameToolbar()
{
    CTKPCommandBar* pBar = GetSelectedBar();
    if (!IsUserToolBar(pBar))
        return;
    CTKPCustomizeToolbarNameDialog dlg(GetCommandBars(), pBar, this);
    if (dlg.DoModal() != IDOK)
        return;
    pBar->SetTitle(dlg.m_strName);
    pBar->SetStateFlags(pBar->GetStateFlags() & ~CTKPCommandBar::stateLayoutDirty);
    CTKPToolBar* pToolBar = static_cast<CTKPToolBar*>(pBar);
    if (pToolBar->GetDockBar() != NULL && pBar->GetSafeHwnd() != NULL)
        pBar->Invalidate();
    const int nSel = m_wndList.GetCurSel();
    const int nCheck = m_wndList.GetCheck(nSel);
    const DWORD_PTR nData = m_wndList.GetItemData(nSel);
    m_wndList.DeleteString(nSel);
    m_wndList.InsertString(nSel, dlg.m_strName);
    m_wndList.SetCheck(nSel, nCheck);
    m_wndList.SetItemData(nSel, nData);
    m_wndList.SetCurSel(nSel);
    UpdateButtons();
}

void CTKPCustomizeToolbarsPage::OnDeleteToolbar()
{
    CTKPCommandBar* pBar = GetSelectedBar();
    if (!IsUserToolBar(pBar))
        return;
    CString strFormat, strText;
    GetResourceManager()->LoadString(&strFormat, IDS_TKP_CONFIRM_DELETE);
    strText.Format(strFormat, (LPCTSTR)pBar->GetTitle());
    if (GetResourceManager()->ShowMessageBox(strText, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars->GetDragControl() != NULL && pCommandBars->GetDragControl()->GetParent() == pBar)
        pCommandBars->SetDragControl(NULL);
    pCommandBars->Remove(pBar);
    RefreshList();
}

void CTKPCustomizeToolbarsPage::OnResetToolbar()
{
    CTKPCommandBar* pBar = GetSelectedBar();
    if (pBar == NULL || IsUserToolBar(pBar) || !pBar->IsKindOf(RUNTIME_CLASS(CTKPToolBar)))
        return;
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars->GetDragControl() != NULL && pCommandBars->GetDragControl()->GetParent() == pBar)
        pCommandBars->SetDragControl(NULL);
    static_cast<CTKPToolBar*>(pBar)->ResetToolBar();
    RefreshList();
}
