#include "toolkit/commandbars/ControlWindowList.h"

#include "classlib/win/CMDIFrameWnd.h"
#include "toolkit/commandbars/CommandBar.h"

#include <vector>

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
    std::vector<HWND> listed;
    for (UINT nId = s_nFirstMdiChildId; static_cast<int>(listed.size()) < s_nMaxWindows; ++nId) {
        const HWND hChild = ::GetDlgItem(hClient, (int)nId);
        if (hChild == NULL)
            break;
        if (::GetWindowLongW(hChild, GWL_STYLE) & WS_VISIBLE)
            listed.push_back(hChild);
    }
    if (listed.empty()) {
        ShowUnexpanded();
        return;
    }
    HideForExpansion();
    for (size_t i = 0; i < listed.size(); ++i) {
        WCHAR szTitle[257] = {};
        ::GetWindowTextW(listed[i], szTitle, 256);
        const int nNumber = static_cast<int>(i) + 1;
        CTKPControl* pButton = AddExpansionButton(m_nIndex + nNumber, ::GetDlgCtrlID(listed[i]),
            FormatWindowListCaption(CString(szTitle), nNumber), i == 0);
        if (pButton == NULL)
            break;
        pButton->SetChecked(listed[i] == hActive ? 1 : 0);
    }
}
