// The window that shows one or more panes stacked on each other: a caption with its buttons, a tab
// row when it holds more than one pane, and the selected pane's window in the rest. It activates,
// closes, hides, maximises and reorders its panes, and hands drags of its caption or of a tab to
// the host's drag context. A container whose last pane left stays in the tree, empty and
// invisible: the place its panes go back to.
#pragma once

#include "toolkit/docking/DockingNode.h"
#include "toolkit/docking/DockingPaneTabStrip.h"

class COleDropTarget;

class CTKPDockingPaneTabbedContainer : public CWnd, public CTKPDockingNode {
public:
    explicit CTKPDockingPaneTabbedContainer(CTKPDockingPaneArrangement* pArrangement);
    ~CTKPDockingPaneTabbedContainer() override;

    // Appends the pane and selects it (focusing it with bSetFocus); makes the window first when
    // the arrangement is live.
    void AttachPane(CTKPDockablePane* pPane, BOOL bSetFocus);
    // Site, docking size and rectangle from the pane, which is attached and selected.
    void InitFromPane(CTKPDockablePane* pPane, CWnd* pSite);

    virtual void SelectPane(CTKPDockablePane* pPane, BOOL bSetFocus, BOOL bDelay);
    virtual BOOL IsCaptionVertical();
    virtual BOOL IsTabsVisible();
    // Activates the container and, while the left button is down, drags it from a screen point.
    virtual void StartCaptionDrag(CPoint ptScreen);
    // Whether a screen point lies on the caption or the tab row of the container's screen
    // rectangle (which is reduced to what lies below the caption).
    virtual BOOL HitTestCaptionOrTabs(RECT* pRect, CPoint ptScreen);
    virtual void OnCaptionButtonClick(CTKPDockingPaneCaptionButton* pButton);
    // Panes (moved, or cloned into the map) and settings of another container; panes whose options
    // share a bit with the mask stay behind.
    virtual void CopyFrom(CTKPDockingPaneTabbedContainer* pSource, CTKPDockingNodeMap* pMap, DWORD dwMask);
    // One tab per pane, in order.
    virtual void UpdateTabs();

    // The window, as a child of the site, with the panes' windows put into it.
    BOOL CreateContainerWindow();
    // The panes' windows go back to the host's window, hidden, before this window ends.
    void ReleasePaneWindows();

    BOOL IsCaptionVisible();
    void SetCaptionVisible(BOOL bVisible);
    // The selected pane's caption, empty without one.
    CString GetTitle() const;
    // -2 on the caption, the index of the tab under the point, or -1 (client coordinates).
    int HitTest(CPoint pt);
    CTKPDockablePane* GetPaneAt(int nIndex) const;
    CTKPDockablePane* GetSelectedPane() const { return m_pSelectedPane; }
    int GetPaneCount() const { return static_cast<int>(m_lstPanes.GetCount()); }
    CTKPDockablePane* GetPane(int nIndex) const;
    BOOL IsActive() const { return m_bActive; }
    BOOL IsLocked() const { return m_nLockCount != 0; }
    CTKPTabManager* GetTabStrip() { return &m_tabs; }
    // Where the panes go: the node rectangle less caption and tabs (site client coordinates).
    CRect GetPaneRect();

    // Maximising inside a splitter (when the host allows it).
    BOOL CanMaximise();
    BOOL IsMaximised() const { return m_bMaximised; }
    BOOL IsSiblingMaximised();
    void Maximise();
    void Restore();

    // The focus into the selected pane (or the container) and the host's idle update.
    void Activate();
    // What WM_PAINT draws, into any DC over the client rectangle.
    void Draw(CDC* pDC);

    // CTKPDockingNode
    void DeleteNode() override;
    BOOL ContainsNode(CTKPDockingNode* pNode) override;
    void CollectNodes(int nType, CTKPDockingNodeList& list) override;
    void GetMinMaxInfo(MINMAXINFO* pInfo) override;
    void OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* pLayout) override;
    void OnIdleUpdate() override;
    void SetSite(CWnd* pSite) override;
    void NotifyParentChanged(BOOL bRecalc) override;
    void OnParentAttached(CTKPDockingNode* pParent) override;
    CTKPDockingNode* CloneNode(CTKPDockingPaneArrangement* pArrangement, CTKPDockingNodeMap* pMap, DWORD dwFlags) override;
    void RemoveChild(CTKPDockingNode* pNode) override;
    BOOL IsEmpty() override;
    BOOL IsCaptionButtonVisible(CTKPDockingPaneCaptionButton* pButton) override;
    HWND GetWindowHandle() override;
    BOOL IsAutoHidden() override;
    void Invalidate() override;
    void SaveRecord(TKPDockNodeRecord& record) override;
    BOOL LoadRecord(const TKPDockNodeRecord& record, const CArray<CTKPDockingNode*, CTKPDockingNode*>& nodes) override;

    // CWnd
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    // Lays the panes into the rectangle left of the node (the tab row too, with bLayoutTabs).
    void LayoutPanes(BOOL bShow);
    void EndTabDrag();
    // The pin button's state for where the container is.
    void UpdatePinState();
    CTKPDockingPaneCaptionButton* CaptionButtonFromPoint(CPoint pt);
    void HandleMenuButton(CTKPDockingPaneCaptionButton* pButton);
    // Offers a pane's closing to the site (actions 2 and 3) and closes it unless refused.
    void ClosePaneAsked(CTKPDockablePane* pPane);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    friend class CTKPDockingPaneContainerTabs;

    CTKPDockingPaneContainerTabs m_tabs;
    BOOL m_bMaximised;
    BOOL m_bActive;
    BOOL m_bCaptionVisible;
    int m_nLockCount;
    CTKPDockablePane* m_pSelectedPane;
    CTKPDockablePane* m_pDraggedPane;
    CArray<CRect, const CRect&> m_arrTabRects;
    CList<CTKPDockablePane*, CTKPDockablePane*> m_lstPanes;
    COleDropTarget* m_pDropTarget;
};

// Locks a container's reactions to its tab row for a scope.
class CTKPDockingPaneContainerLock {
public:
    explicit CTKPDockingPaneContainerLock(int& nCounter) : m_nCounter(nCounter) { ++m_nCounter; }
    ~CTKPDockingPaneContainerLock() { --m_nCounter; }

private:
    int& m_nCounter;
};
