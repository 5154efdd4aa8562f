#include "toolkit/docking/DockingPaneTabStrip.h"

#include "toolkit/base/ImageIcon.h"
#include "toolkit/docking/DockablePane.h"
#include "toolkit/docking/DockingPaneHost.h"
#include "toolkit/docking/DockingPaneSideBar.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/docking/DockingPaneTheme.h"
#include "toolkit/tabs/TabManagerNavigateButton.h"
#include "toolkit/tabs/TabTheme.h"

CTKPDockablePane* TKPPaneOfTab(const CTKPTabManagerItem* pItem)
{
    return pItem ? reinterpret_cast<CTKPDockablePane*>(pItem->GetData()) : NULL;
}

BOOL TKPDrawPaneTabIcon(CTKPTabManager* pManager, CTKPTabTheme* pTheme, CDC* pDC, CPoint pt,
    CTKPTabManagerItem* pItem, BOOL bDraw, CSize* pszIcon)
{
    if (!pItem)
        return TRUE;
    if (!pTheme || !pTheme->m_bShowImages)
        return FALSE;
    CTKPDockablePane* pPane = TKPPaneOfTab(pItem);
    CTKPImageIcon* pIcon = pPane ? pPane->GetIcon(pszIcon->cx) : NULL;
    if (!pIcon)
        return FALSE;
    if (!bDraw || !pDC)
        return TRUE;
    CTKPIconHandle* pImage = NULL;
    if (!pItem->IsEnabled())
        pImage = &pIcon->GetDisabledIcon(TRUE);
    else if (pManager->GetHotItem() == pItem)
        pImage = &pIcon->GetHotIcon();
    else if (pManager->GetSelectedItem() == pItem)
        pImage = &pIcon->GetCheckedIcon();
    else
        pImage = &pIcon->GetIcon();
    pIcon->Draw(pDC, pt, *pImage, pszIcon->cx, pszIcon->cy);
    return TRUE;
}

CTKPDockingPaneContainerTabs::CTKPDockingPaneContainerTabs(CTKPDockingPaneTabbedContainer* pContainer)
    : m_pContainer(pContainer)
{
}

void CTKPDockingPaneContainerTabs::Reposition()
{
    if (m_pContainer->IsLocked())
        return;
    if (CTKPDockingPaneHost* pHost = m_pContainer->GetHost())
        pHost->RecalcLayout();
}

void CTKPDockingPaneContainerTabs::RedrawControl()
{
    if (!m_pContainer->IsLocked() && m_pContainer->GetSafeHwnd())
        m_pContainer->CWnd::Invalidate(FALSE);
}

CTKPTabTheme* CTKPDockingPaneContainerTabs::GetPaintManager() const
{
    CTKPDockingPaneTheme* pTheme = m_pContainer->GetTheme();
    return pTheme ? pTheme->m_pPaneTabTheme : NULL;
}

BOOL CTKPDockingPaneContainerTabs::DrawTabIcon(
    CDC* pDC, CPoint pt, CTKPTabManagerItem* pItem, BOOL bDraw, CSize* pszIcon)
{
    return TKPDrawPaneTabIcon(this, GetPaintManager(), pDC, pt, pItem, bDraw, pszIcon);
}

CTKPDockingPaneSideTabs::CTKPDockingPaneSideTabs(CTKPDockingPaneSideBar* pSideBar, CTKPDockingNode* pContainer)
    : m_rcGroup(0, 0, 0, 0), m_pSideBar(pSideBar), m_pContainer(pContainer)
{
    FindNavigateButton(CTKPTabManagerNavigateButton::idScrollStart)->SetMode(CTKPTabManagerNavigateButton::modeHidden);
    FindNavigateButton(CTKPTabManagerNavigateButton::idScrollEnd)->SetMode(CTKPTabManagerNavigateButton::modeHidden);
}

void CTKPDockingPaneSideTabs::Reposition()
{
    // While the panel builds its rows it lays them out itself; later the row is laid out again in
    // the place the panel gave it.
    if (m_pSideBar->IsLayingOut() || !m_pSideBar->GetSafeHwnd() || !GetPaintManager())
        return;
    CClientDC dc(m_pSideBar);
    GetPaintManager()->RepositionTabControl(this, &dc, m_rcGroup);
    m_pSideBar->CWnd::Invalidate(FALSE);
}

void CTKPDockingPaneSideTabs::RedrawControl()
{
    if (m_pSideBar->GetSafeHwnd())
        m_pSideBar->CWnd::Invalidate(FALSE);
}

CTKPTabTheme* CTKPDockingPaneSideTabs::GetPaintManager() const
{
    CTKPDockingPaneTheme* pTheme = m_pSideBar->GetTheme();
    return pTheme ? pTheme->m_pAutoHideTabTheme : NULL;
}

int CTKPDockingPaneSideTabs::GetPosition() const
{
    // Tabs of a left panel stand like a row at the right of a control, and so on.
    static const int kPositions[4] = {3, 1, 2, 0};
    const int nSide = m_pSideBar->GetSide();
    return nSide >= 0 && nSide < 4 ? kPositions[nSide] : 0;
}

BOOL CTKPDockingPaneSideTabs::DrawTabIcon(CDC* pDC, CPoint pt, CTKPTabManagerItem* pItem, BOOL bDraw, CSize* pszIcon)
{
    return TKPDrawPaneTabIcon(this, GetPaintManager(), pDC, pt, pItem, bDraw, pszIcon);
}
