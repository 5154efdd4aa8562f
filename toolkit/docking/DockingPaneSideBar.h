// The strip along one edge of the site frame that holds auto-hidden panes: their containers stay
// invisible and each is shown as a row of tabs. Pointing at or clicking a tab slides the pane out
// in an auto-hide window over the frame; leaving it slides it back. One per side of an arrangement.
#pragma once

#include "toolkit/docking/DockingNode.h"

class CTKPDockingPaneSideTabs;
class COleDropTarget;

class CTKPDockingPaneSideBar : public CWnd, public CTKPDockingNode {
public:
    explicit CTKPDockingPaneSideBar(CTKPDockingPaneArrangement* pArrangement);
    ~CTKPDockingPaneSideBar() override;

    // Takes the strip off the rectangle's edge of the side and places the window there; an empty
    // panel has no window.
    virtual void Layout(CWnd* pSite, CRect* pRect, AFX_SIZEPARENTPARAMS* pLayout);
    virtual void AddContainer(CTKPDockingNode* pNode);
    virtual BOOL CreatePanelWindow(CWnd* pParent);

    // The pane of the tab under a point of the panel, null when none.
    CTKPDockablePane* PaneFromPoint(CPoint pt);
    // Closes the open slide-out (asking the site with action 10). Automatic closes happen only
    // while the auto-close setting is on; bForce closes it anyway (a switch to another pane).
    void CloseSlideOut(BOOL bDelay, BOOL bForce = FALSE);
    // Opens a pane's container in a slide-out (unless the site refuses action 12).
    void OpenSlideOut(CTKPDockablePane* pPane, BOOL bActivate);
    CTKPDockingPaneAutoHideWnd* GetSlideOut() const { return m_pSlideOut; }
    // Called by a slide-out window that ends.
    void ForgetSlideOut(CTKPDockingPaneAutoHideWnd* pSlideOut);

    int GetSide() const { return m_nSide; }
    void SetSide(int nSide) { m_nSide = nSide; }
    // The thickness of the strip: the auto-hide tab row's height and its header margins.
    int GetStripThickness();
    // The rows of tabs, one per non-empty container, along the rectangle (panel client
    // coordinates); 8 pixels between rows.
    void LayoutTabGroups(CRect rect, CTKPDockablePane* pSelected);
    int GetTabGroupCount() const { return static_cast<int>(m_arrTabGroups.GetSize()); }
    CTKPDockingPaneSideTabs* GetTabGroup(int nIndex) const;
    BOOL IsLayingOut() const { return m_nLayoutLock != 0; }
    void CopyFrom(CTKPDockingPaneSideBar* pSource, CTKPDockingNodeMap* pMap);
    // What WM_PAINT draws.
    void Draw(CDC* pDC);

    // CTKPDockingNode
    void RemoveChild(CTKPDockingNode* pNode) override;
    void OnChildChanged(CTKPDockingNode* pNode) override;
    void NotifyParentChanged(BOOL bRecalc) override;
    BOOL IsEmpty() override;
    HWND GetWindowHandle() override;
    void Invalidate() override;
    CTKPDockingNode* CloneNode(CTKPDockingPaneArrangement* pArrangement, CTKPDockingNodeMap* pMap, DWORD dwFlags) override;
    void SaveRecord(TKPDockNodeRecord& record) override;
    BOOL LoadRecord(const TKPDockNodeRecord& record, const CArray<CTKPDockingNode*, CTKPDockingNode*>& nodes) override;

    CTKPDockingNodeList m_lstContainers;

    // Process-wide: slide-outs close by themselves; the hover time of the tabs.
    static BOOL s_bAutoClose;
    static DWORD s_dwHoverTime;

protected:
    void DeleteTabGroups();
    // The slide-out ends at once, without asking the site.
    void DropSlideOut();

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    DECLARE_MESSAGE_MAP()

    CTKPDockingPaneAutoHideWnd* m_pSlideOut;
    int m_nSide;
    CArray<CTKPDockingPaneSideTabs*, CTKPDockingPaneSideTabs*> m_arrTabGroups;
    COleDropTarget* m_pDropTarget;
    int m_nLayoutLock;
};
