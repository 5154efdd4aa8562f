#include "toolkit/docking/DockingPaneDropTarget.h"

#include "toolkit/docking/DockablePane.h"
#include "toolkit/docking/DockingPaneAutoHideWnd.h"
#include "toolkit/docking/DockingPaneSideBar.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/docking/DockingPaneTheme.h"
#include "toolkit/tabs/TabTheme.h"

DROPEFFECT CTKPDockingPaneDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    // The enter acts as a drag-over instead of the default, so that a tab is chosen even when no
    // drag-over follows it before the drop.
    return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}

DROPEFFECT CTKPDockingPaneDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point)
{
    CTKPDockingPaneTheme* pTheme = m_pNode ? m_pNode->GetTheme() : NULL;
    if (!pTheme)
        return DROPEFFECT_NONE;
    if (CTKPDockingPaneTabbedContainer* pContainer = m_pNode->AsTabbedContainer()) {
        if (!pTheme->m_pPaneTabTheme->m_bSelectOnDragOver || !pContainer->IsTabsVisible())
            return DROPEFFECT_NONE;
        CTKPDockablePane* pPane = TKPPaneOfTab(pContainer->GetTabStrip()->HitTest(point));
        if (pPane && pPane != pContainer->GetSelectedPane())
            pContainer->SelectPane(pPane, FALSE, FALSE);
    } else if (CTKPDockingPaneSideBar* pSideBar = m_pNode->AsSideBar()) {
        if (!pTheme->m_pAutoHideTabTheme->m_bSelectOnDragOver)
            return DROPEFFECT_NONE;
        CTKPDockablePane* pPane = pSideBar->PaneFromPoint(point);
        CTKPDockingPaneAutoHideWnd* pSlideOut = pSideBar->GetSlideOut();
        CTKPDockingPaneTabbedContainer* pShown = pSlideOut ? pSlideOut->GetContainer() : NULL;
        if (pPane && !(pShown && pShown->GetSelectedPane() == pPane)) {
            pSideBar->CloseSlideOut(FALSE, TRUE);
            if (!pSideBar->GetSlideOut())
                pSideBar->OpenSlideOut(pPane, FALSE);
        }
    }
    return DROPEFFECT_NONE;
}
