// The tab rows of the docking windows: the row of a tabbed container (its panes) and the rows of an
// auto-hide side panel (one per hidden container). Both keep the pane in each tab's data and draw
// the panes' icons.
#pragma once

#include "toolkit/docking/DockingPaneDefs.h"
#include "toolkit/tabs/TabManager.h"

// The pane a tab stands for.
CTKPDockablePane* TKPPaneOfTab(const CTKPTabManagerItem* pItem);

// The row of a tabbed container.
class CTKPDockingPaneContainerTabs : public CTKPTabManager {
public:
    explicit CTKPDockingPaneContainerTabs(CTKPDockingPaneTabbedContainer* pContainer);

    void Reposition() override;
    void RedrawControl() override;
    CTKPTabTheme* GetPaintManager() const override;
    BOOL DrawTabIcon(CDC* pDC, CPoint pt, CTKPTabManagerItem* pItem, BOOL bDraw, CSize* pszIcon) override;

protected:
    CTKPDockingPaneTabbedContainer* m_pContainer;
};

// One row of a side panel: it runs along the panel's side, without scroll buttons.
class CTKPDockingPaneSideTabs : public CTKPTabManager {
public:
    CTKPDockingPaneSideTabs(CTKPDockingPaneSideBar* pSideBar, CTKPDockingNode* pContainer);

    void Reposition() override;
    void RedrawControl() override;
    CTKPTabTheme* GetPaintManager() const override;
    int GetPosition() const override;
    BOOL DrawTabIcon(CDC* pDC, CPoint pt, CTKPTabManagerItem* pItem, BOOL bDraw, CSize* pszIcon) override;

    CTKPDockingNode* GetContainer() const { return m_pContainer; }
    // Where the panel laid the row out (panel client coordinates).
    CRect m_rcGroup;

protected:
    CTKPDockingPaneSideBar* m_pSideBar;
    CTKPDockingNode* m_pContainer;
};

// The pane's icon for a tab: measured (bDraw FALSE) or drawn in the hot, checked, normal or
// disabled form; FALSE when the theme shows no icons or the pane has none.
BOOL TKPDrawPaneTabIcon(CTKPTabManager* pManager, CTKPTabTheme* pTheme, CDC* pDC, CPoint pt,
    CTKPTabManagerItem* pItem, BOOL bDraw, CSize* pszIcon);
