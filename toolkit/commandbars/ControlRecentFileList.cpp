#include "toolkit/commandbars/ControlRecentFileList.h"

#include "classlib/win/CRecentFileList.h"
#include "classlib/win/CWinApp.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/Controls.h"

IMPLEMENT_SERIAL(CTKPControlRecentFileList, CTKPControlPlaceholder, VERSIONABLE_SCHEMA | 16)

CTKPControlRecentFileList::CTKPControlRecentFileList() {}

CRecentFileList* CTKPControlRecentFileList::GetRecentFileList()
{
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL ? pApp->m_pRecentFileList : NULL;
}

void CTKPControlRecentFileList::OnCalcDynamicSize(DWORD)
{
    CRecentFileList* pList = GetRecentFileList();
    if (pList == NULL)
        return;
    const int nFirst = GetFirstMruCommand();
    const int nSize = pList->GetSize();
    RemoveExpansion([nFirst, nSize](CTKPControl* pControl) {
        return pControl->GetID() >= nFirst && pControl->GetID() < nFirst + nSize;
    });
    if (IsCustomizeMode()) {
        SetHideFlags(0);
        SetEnabled(TRUE);
        return;
    }
    if (nSize == 0 || (*pList)[0].IsEmpty()) {
        SetHideFlags(0);
        SetEnabled(FALSE);
        return;
    }
    HideForExpansion();
    WCHAR szDir[MAX_PATH + 1] = {};
    const DWORD dwDir = ::GetCurrentDirectoryW(MAX_PATH, szDir);
    CString strDir = dwDir > 0 && dwDir < MAX_PATH ? CString(szDir) : CString();
    if (!strDir.IsEmpty() && strDir[strDir.GetLength() - 1] != L'\\')
        strDir += L'\\';
    for (int i = 0; i < nSize; ++i) {
        CString strName;
        if (!pList->GetDisplayName(strName, i, strDir, strDir.GetLength()))
            break;
        // The display name has its ampersands doubled already.
        AddExpansionButton(m_nIndex + 1 + i, nFirst + i, NumberMenuCaption(strName, i + 1), i == 0 && m_nIndex > 0);
    }
}
