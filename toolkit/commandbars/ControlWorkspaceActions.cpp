#include "toolkit/commandbars/ControlWorkspaceActions.h"

#include "classlib/win/CMDIFrameWnd.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/TabClientWnd.h"

IMPLEMENT_SERIAL(CTKPControlWorkspaceActions, CTKPControlPlaceholder, VERSIONABLE_SCHEMA | 16)

CTKPControlWorkspaceActions::CTKPControlWorkspaceActions() {}

void CTKPControlWorkspaceActions::OnCalcDynamicSize(DWORD)
{
    RemoveExpansion([](CTKPControl* pControl) {
        return pControl->GetID() >= TKP_ID_TABGROUP_PREVIOUS && pControl->GetID() <= TKP_ID_TABGROUP_NEW_VERT;
    });
    // In customisation the placeholder shows, whether or not there are groups to act on.
    if (ShowInCustomizeMode())
        return;
    CWnd* pSite = m_pParent != NULL ? m_pParent->GetSite() : NULL;
    CMDIFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pSite);
    const HWND hClient = pFrame != NULL ? pFrame->m_hWndMDIClient : NULL;
    CTKPTabClientWnd* pTabClient =
        hClient != NULL ? DYNAMIC_DOWNCAST(CTKPTabClientWnd, CWnd::FromHandlePermanent(hClient)) : NULL;
    if (pTabClient == NULL)
        return;
    HideForExpansion();
    const UINT ids[] = {TKP_ID_TABGROUP_NEW_HORZ, TKP_ID_TABGROUP_NEW_VERT, TKP_ID_TABGROUP_PREVIOUS,
        TKP_ID_TABGROUP_NEXT};
    int nAdded = 0;
    for (UINT nId : ids) {
        if (!pTabClient->IsWorkspaceCommandEnabled(nId))
            continue;
        // The caption comes from the command's string.
        AddExpansionButton(m_nIndex + 1 + nAdded, (int)nId, NULL, nAdded == 0 && GetBeginGroup(), L"");
        ++nAdded;
    }
}
