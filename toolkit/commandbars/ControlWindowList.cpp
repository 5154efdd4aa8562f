#include "toolkit/commandbars/ControlWindowList.h"

#include "classlib/win/CMDIFrameWnd.h"
#include "toolkit/commandbars/CommandBar.h"

IMPLEMENT_SERIAL(CTKPControlWindowList, CTKPControlPlaceholder, VERSIONABLE_SCHEMA | 16)

UINT CTKPControlWindowList::s_nFirstMdiChildId = 0xFF00;
int CTKPControlWindowList::s_nMaxWindows = 9;

CTKPControlWindowList::CTKPControlWindowList() {}

void CTKPControlWindowList::OnCalcDynamicSize(DWORD)
{
    RemoveExpansion([](CTKPControl* pControl) { return (UINT)pControl->GetID() >= s_nFirstMdiChildId; });
    CWnd* pSite = m_pParent != NULL ? m_pParent->GetSite() : NULL;
    CMDIFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pSite);
    const HWND hClient = pFrame != NULL ? pFrame->m_hWndMDIClient : NULL;
    if (hClient == NULL || !::IsWindow(hClient) || IsCustomizeMode()) {
        SetHideFlags(0);
        return;
    }
    const HWND hActive = (HWND)::SendMessageW(hClient, WM_MDIGETACTIVE, 0, 0);
    if (hActive != NULL) {
        const UINT nActiveId = (UINT)::GetDlgCtrlID(hActive);
        if (nActiveId >= 0x8000 && nActiveId <= 0x800E)
            s_nFirstMdiChildId = 0x8000;
        else if (nActiveId >= 1 && nActiveId <= 14)
            s_nFirstMdiChildId = 1;
    }
    HideForExpansion();
    int nAdded = 0;
    for (UINT nId = s_nFirstMdiChildId; nAdded < s_nMaxWindows; ++nId) {
        const HWND hChild = ::GetDlgItem(hClient, (int)nId);
        if (hChild == NULL)
            break;
        if (!(::GetWindowLongW(hChild, GWL_STYLE) & WS_VISIBLE))
            continue;
        WCHAR szTitle[257] = {};
        ::GetWindowTextW(hChild, szTitle, 256);
        CTKPControl* pButton = AddExpansionButton(m_nIndex + 1 + nAdded, (int)nId,
            FormatWindowListCaption(CString(szTitle), nAdded + 1), nAdded == 0);
        if (pButton == NULL)
            break;
        pButton->SetChecked(hChild == hActive ? 1 : 0);
        ++nAdded;
    }
}
