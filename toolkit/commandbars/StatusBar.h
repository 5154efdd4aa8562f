// The toolkit's status bar: a control bar over the system's status window that keeps its own pane
// objects (each may host a child window). Attached to command bars and switched to themed painting
// it draws its background, pane borders, panes and size grip through the command-bar theme;
// otherwise the system's control paints itself. The pane with id 0 carries the bar's window text,
// so that the frame's prompts land there.
#pragma once

#include "classlib/core/CArray.h"
#include "classlib/win/AfxGdi.h"
#include "toolkit/commandbars/CommandBarsDefs.h"
#include "toolkit/commandbars/StatusBarPane.h"

class CTKPStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CTKPStatusBar)
public:
    CTKPStatusBar();
    ~CTKPStatusBar() override;

    // The bar along the frame's bottom; with a sizable parent it gets the size grip.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
        UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id (the text of a non-zero id is its string, the width that text's); a pane of id
    // 0 is a quarter of the screen wide, and the first such one stretches without borders. FALSE
    // when a string is missing (the pane is still made).
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    // A pane of the id inserted before nIndex (appended when out of range) with the width; the pane
    // stays the bar's.
    CTKPStatusBarPane* AddIndicator(UINT nID, int nIndex = -1, int cxWidth = 0);
    BOOL RemoveIndicator(UINT nID);
    void RemoveAll();

    // Null for an index out of range.
    CTKPStatusBarPane* GetPane(int nIndex) const;
    int GetPaneCount() const { return (int)m_arrPanes.GetSize(); }
    int GetVisiblePaneCount() const;
    // The index of the first pane with the id, or -1.
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    // The pane's rectangle in client coordinates; empty for a bad index or a hidden pane.
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    CString GetPaneText(int nIndex) const;
    // Stores the text; with bUpdate the control shows it at once, otherwise at the next
    // UpdateAllPanes. FALSE for a bad index or a hidden pane.
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    void SetPaneWidth(int nIndex, int cxWidth);
    // Numbers the panes and gives the control their edges (bUpdateRects); sends the texts that
    // changed without an update (bUpdateText).
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
    // After a pane came, went, was shown or hidden: the parts numbered anew, each with its pane's
    // text.
    void RenumberParts();

    // Painting through the command-bar theme.
    CTKPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    void SetCommandBars(CTKPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    BOOL IsThemed() const { return m_bThemed; }
    void EnableThemedPaint(BOOL bThemed);
    // Null unless themed: the command bars' theme, else the process-wide one.
    CTKPCommandBarsTheme* GetTheme() const;
    // Disabled panes still show their text (in the disabled colour).
    BOOL GetDrawDisabledText() const { return m_bDrawDisabledText; }
    void SetDrawDisabledText(BOOL bDraw);
    int GetMinHeight() const { return m_nMinHeight; }
    CFont* GetStatusFont() { return &m_font; }

    virtual void DrawPane(CDC* pDC, int nIndex, CRect rcPane);
    virtual void DrawGripper(CDC* pDC, CRect rcClient);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void CalcInsideRect(CRect& rect, BOOL bHorz) const override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcPaint();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowPosChanging(LPWINDOWPOS lpWndPos);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

protected:
    // The command UI of every pane from the target's update handlers (the owner need not be a frame).
    void UpdatePanesFrom(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    // Puts each hosted window over its pane.
    void PlacePaneWindows();
    // The text of the pane to the control (none while the pane is disabled).
    void SendPaneText(CTKPStatusBarPane* pPane);
    void InsertPane(CTKPStatusBarPane* pPane, int nIndex);

    CArray<CTKPStatusBarPane*, CTKPStatusBarPane*> m_arrPanes;
    int m_nMinHeight;
    CFont m_font;
    CTKPCommandBars* m_pCommandBars;
    BOOL m_bThemed;
    BOOL m_bDrawDisabledText;
    BOOL m_bRefreshPartBounds;  // the size changed since the parts were last given

    DECLARE_MESSAGE_MAP()
};
