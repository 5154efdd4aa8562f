// The manager of the docking panes of one frame (its site): it owns the arrangement of panes, the
// docking theme, the pane icons, the drag context and the tooltips, creates every node, performs
// the docking operations, and reports what happens to a pane to the site with TKPWM_DOCKINGPANENOTIFY
// so that the site can veto or react. It takes its share of the frame's client area in the frame's
// layout (WM_SIZEPARENT).
//
// A host without a site is inert and harmless: it has no window, finds no pane and closes none.
// InstallSite gives it its frame: the host makes its (hidden) window among the frame's children
// and its arrangement becomes live, with windows.
#pragma once

#include "toolkit/docking/DockingPaneArrangement.h"

class CTKPImageManager;
class CTKPImageIcon;
class CTKPToolTipManager;
class CTKPDockingPaneDragContext;
class CTKPPropExchange;

class CTKPDockingPaneHost : public CWnd {
public:
    CTKPDockingPaneHost();
    ~CTKPDockingPaneHost() override;

    // The site frame: the host's window is made among its children and the arrangement (made when
    // there is none yet) becomes live. FALSE when the window cannot be made.
    BOOL InstallSite(CFrameWnd* pSite);
    CWnd* GetSite() const { return m_pSite; }

    // The saved layout loaded into a new arrangement that replaces the present one only when the
    // whole layout loaded; FALSE (and nothing changed) otherwise.
    BOOL LoadState(CTKPPropExchange* pPX);
    void SaveState(CTKPPropExchange* pPX);

    virtual CTKPDockingPaneArrangement* CreateArrangement();
    // A new node of a type (0 pane ... 5 side panel) registered in the arrangement; null for other
    // types.
    virtual CTKPDockingNode* CreateNode(int nType, CTKPDockingPaneArrangement* pArrangement);
    virtual void SetActivePane(BOOL bActive, CTKPDockablePane* pPane);

    // The present arrangement (made on demand with bCreate).
    CTKPDockingPaneArrangement* GetArrangement(BOOL bCreate = FALSE);
    CTKPDockablePane* FindPaneById(UINT nId);
    // Asks the site (notification 3; -1 keeps the pane) and takes the pane out of its container.
    void ClosePane(CTKPDockablePane* pPane);
    // Notification 4 with an action record; the site's result (non-zero cancels announced actions).
    int NotifyAction(int nAction, CTKPDockablePane* pPane, DWORD_PTR dwParam1 = 0, DWORD_PTR dwParam2 = 0);
    // TKPWM_DOCKINGPANENOTIFY to the site; 0 without one.
    LRESULT Notify(WPARAM wParam, LPARAM lParam);

    // Shows a pane in its container (back to the container it was last in when closed).
    void ShowPane(CTKPDockablePane* pPane, BOOL bSetFocus = TRUE);
    // Auto-hides a pane (with the whole-group flag: its container) or a container.
    void HidePane(CTKPDockingNode* pNode);
    // Between docked and floating, for a pane or all panes of a container.
    void ToggleDocking(CTKPDockingNode* pNode);
    // To a holder, or (a docked pane) floating at its present place without one. FALSE when not allowed,
    // refused, or for a floating pane without a holder.
    BOOL MovePaneToHolder(CTKPDockablePane* pPane, CTKPDockingNode* pHolder);
    // Into a new floating window at a screen rectangle.
    void FloatNode(CTKPDockingNode* pNode, CRect rect);
    // Beside a neighbour (null: the top container) on a side: 0 left, 1 right, 2 top, 3 bottom.
    void DockNode(CTKPDockingNode* pNode, int nSide, CTKPDockingNode* pNeighbour);
    // A pane taken out of its container, or a container's content, docked with DockNode.
    void DockPane(CTKPDockingNode* pNode, int nSide, CTKPDockingNode* pNeighbour);
    // The screen rectangle docking would give.
    void CalcDockingRect(RECT* pResult, CTKPDockingNode* pNode, int nSide, CTKPDockingNode* pNeighbour);
    // The node's panes become tabs of the target's container.
    void AttachNode(CTKPDockingNode* pNode, CTKPDockingNode* pTarget);
    void DetachNode(CTKPDockingNode* pNode);
    // Records each shown pane's container as its last and its floating or docking holder.
    void UpdateHolders();
    CTKPDockingNode* GetHolder(CTKPDockingNode* pNode, BOOL bFloating);
    BOOL IsPaneClosed(CTKPDockablePane* pPane);
    BOOL IsPaneAutoHidden(CTKPDockablePane* pPane);
    // Marks the layout of every pane's site for the next idle time.
    void RecalcLayout();
    // 1 ... 9 the numbered themes, any other number the default theme.
    void SetTheme(int nTheme);
    // Floating windows draw their own caption (or the system's) from now on.
    void SetThemedFloatingFrames(BOOL bThemed);

    CTKPDockingPaneTheme* GetTheme() const { return m_pTheme; }
    CTKPDockablePane* GetActivePane() const { return m_pActivePane; }
    CTKPDockingPaneList* GetPaneList();
    CTKPDockingNode* GetClientNode();
    CTKPDockingPaneSplitContainer* GetTopContainer();
    CTKPImageIcon* GetPaneIcon(UINT nId, int nWidth);
    CTKPImageManager* GetImageManager() const { return m_pImageManager; }
    CTKPDockingPaneDragContext* GetDragContext() const { return m_pDragContext; }
    CTKPToolTipManager* GetToolTipContext() const { return m_pToolTipContext; }
    BOOL IsLayoutRTL() const;
    // Sides 0 and 1 exchanged under right-to-left layout.
    int MirrorDirection(int nSide) const;
    int GetNodeSide(CTKPDockingNode* pNode);

    // Message handlers (public so that owners and tests may run them directly).
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);

    // Settings.
    int m_nLayoutConstant;         // kept free at both ends of a dragged splitter bar
    BOOL m_bCloseAll;              // the close button closes every pane of a container
    BOOL m_bHideWholeGroup;        // hiding and the pin act on the whole container
    BOOL m_bClientHidden;          // the client node counts as empty
    BOOL m_bOutlineTracking;       // splitters move as an outline
    BOOL m_bMaximiseAllowed;       // containers in a splitter may be maximised
    BOOL m_bSplittersLocked;       // splitters neither show their cursor nor move
    BOOL m_bAlphaFeedback;         // drags show translucent previews
    BOOL m_bShowStickers;          // ... and docking stickers
    BOOL m_bThemedFloatingFrames;  // floating windows draw their own caption
    int m_nFloatingFrameStyle;     // non-zero: floating windows look active with their owner
    DWORD m_dwDefaultPaneOptions;  // OR-ed into every pane's options
    int m_nCaptionOrientation;     // 0 horizontal captions, 2 vertical on top/bottom, 3 by shape, else vertical
    CString m_strFloatingTitle;    // title of a floating window with several containers
    BOOL m_bRoundStickers;         // set by theme 9 (and kept): the rounded docking stickers
    BOOL m_bAttaching;             // while MovePaneToHolder attaches panes
    BOOL m_bLayoutDone;            // after the first WM_SIZEPARENT

protected:
    void SwapArrangement(CTKPDockingPaneArrangement* pArrangement);

    DECLARE_MESSAGE_MAP()

    CWnd* m_pSite;
    CTKPDockingPaneArrangement* m_pArrangement;
    CTKPDockingPaneTheme* m_pTheme;
    CTKPDockablePane* m_pActivePane;
    CTKPImageManager* m_pImageManager;
    CTKPDockingPaneDragContext* m_pDragContext;
    CTKPToolTipManager* m_pToolTipContext;
    BOOL m_bOleInitialized;
};
