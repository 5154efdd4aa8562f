// The small floating frame that holds panes that are not docked: a mini frame window and a node at
// once. Its content is one splitter (its top container) holding tabbed containers. With the host's
// themed floating frames it draws its own caption with close, pin and menu buttons and can roll up
// to its caption while the cursor is away.
#pragma once

#include "classlib/win/CMiniFrameWnd.h"
#include "toolkit/docking/DockingNode.h"

class CTKPDockingPaneMiniWnd : public CMiniFrameWnd, public CTKPDockingNode {
    DECLARE_DYNAMIC(CTKPDockingPaneMiniWnd)
public:
    enum Timer { timerCollapse = 1, timerAnimate = 3, timerHotButtons = 2345 };

    explicit CTKPDockingPaneMiniWnd(CTKPDockingPaneArrangement* pArrangement);
    ~CTKPDockingPaneMiniWnd() override;

    // The content, position and rolled-up state of another floating window (its content cloned
    // into this arrangement); a window only when the arrangement is live.
    virtual void CopyFrom(CTKPDockingPaneMiniWnd* pOther);
    // The window at a screen rectangle (moved back to touch the work area first).
    virtual BOOL CreateMiniWindow(CRect rect);
    virtual void OnCaptionButtonClick(CTKPDockingPaneCaptionButton* pButton);
    // TRUE when the press was handled at once (the menu button).
    virtual BOOL OnCaptionButtonDown(CTKPDockingPaneCaptionButton* pButton);

    // A pane (put into a new container) or a container becomes the content at a rectangle.
    void InitFromNode(CTKPDockingNode* pNode, CRect rect);
    // Captions, title, visibility, the close command and the layout after a change of content.
    void UpdateWindowState();
    // The window of a window-less floating window when its arrangement becomes live.
    void MakeLive();
    CTKPDockingPaneSplitContainer* GetTopContainer() const { return m_pTopContainer; }
    void SetTopContainer(CTKPDockingPaneSplitContainer* pTop);
    // The containers with panes, in order.
    void CollectContainers(CTKPDockingNodeList& list);

    // Rolled-up mode (the pin button of a themed frame).
    void SetRolledUp(BOOL bRolledUp);
    BOOL IsRolledUp() const { return m_bRolledUp; }
    BOOL IsExpanded() const { return m_bExpanded; }
    BOOL IsAnimating() const { return m_bAnimating; }
    int GetStep() const { return m_nStep; }
    int GetStepCount() const { return m_nStepCount; }
    int GetFullHeight() const { return m_nFullHeight; }
    int GetCollapseCountdown() const { return m_nCountdown; }
    BOOL IsCloseAllowed() const { return m_bCloseAllowed; }
    // After the host's themed-frame setting changed.
    void OnThemedFrameChanged();
    // The themed frame into a window DC (what WM_NCPAINT draws).
    void DrawFrame(CDC* pDC);
    BOOL IsThemed() const;

    void RecalcLayout(BOOL bNotify = TRUE) override;

    // CTKPDockingNode
    void DeleteNode() override;
    void Invalidate() override;
    void OnChildChanged(CTKPDockingNode* pNode) override;
    void NotifyParentChanged(BOOL bRecalc) override;
    CTKPDockingNode* CloneNode(CTKPDockingPaneArrangement* pArrangement, CTKPDockingNodeMap* pMap,
        DWORD dwFlags) override;
    void RemoveChild(CTKPDockingNode* pNode) override;
    BOOL IsCaptionButtonVisible(CTKPDockingPaneCaptionButton* pButton) override;
    void SaveRecord(TKPDockNodeRecord& record) override;
    BOOL LoadRecord(const TKPDockNodeRecord& record, const CArray<CTKPDockingNode*, CTKPDockingNode*>& nodes) override;

    // CWnd
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Process-wide: the pin button of themed frames is shown.
    static BOOL s_bShowAutoHideButton;

protected:
    void PostNcDestroy() override;
    int GetCaptionHeight() const;
    // The window rectangle rc comes down to while the window is rolled up (rc itself otherwise).
    CRect RolledUpRect(CRect rc) const;
    // The height a loaded rolled-up window opens to: the saved one when a window can have it, else
    // the saved window rectangle's, else a new window's.
    int CheckedFullHeight(int nSaved) const;
    CTKPDockingPaneCaptionButton* CaptionButtonFromPoint(CPoint ptWindow);
    // The active pane of the single container, else of the first container that has the focus.
    CTKPDockablePane* GetContextPane();
    void SetHeight(int nHeight, BOOL bToTop);

    afx_msg void OnClose();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcPaint();
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()

    CTKPDockingPaneSplitContainer* m_pTopContainer;
    BOOL m_bCloseAllowed;
    int m_nFullHeight;
    int m_nStepCount;
    int m_nStep;
    int m_nCountdown;
    BOOL m_bRolledUp;
    BOOL m_bExpanded;
    BOOL m_bAnimating;
};
