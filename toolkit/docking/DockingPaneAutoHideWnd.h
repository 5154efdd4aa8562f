// The window in which an auto-hidden pane slides out from its side panel over the frame: a child of
// the site frame that opens in steps, can be resized at its inner edge, and slides back and closes
// itself when the cursor has been away from it and its tab for a while.
#pragma once

#include "classlib/win/CMiniFrameWnd.h"
#include "toolkit/docking/DockingPaneDefs.h"

class CTKPDockingPaneAutoHideWnd : public CMiniFrameWnd {
    DECLARE_DYNAMIC(CTKPDockingPaneAutoHideWnd)
public:
    enum Timer { timerWatch = 1, timerSlideOut = 2, timerSlideIn = 3, timerClose = 4 };

    // Creates and shows the window at once (sliding out unless there is a single step).
    CTKPDockingPaneAutoHideWnd(CTKPDockingPaneSideBar* pSideBar, CTKPDockingPaneTabbedContainer* pContainer);

    // Hides the window, gives the container back to the frame and ends the window (posted, or at
    // once with bNow).
    void Close(BOOL bNow = FALSE);
    // Forgets the container and the side panel (the side panel took the container back).
    void Detach();
    // The selected pane's track sizes enlarged by the container's caption; with bAddBorder the
    // resize edge on the window's inner side too.
    void GetPaneMinMaxInfo(MINMAXINFO* pInfo, BOOL bAddBorder);
    // Places the window for the present step.
    void SetStepPosition();
    // Where the inner edge may be dragged (screen coordinates); FALSE when it cannot be.
    BOOL GetResizeLimits(CRect& rcLimits, CRect& rcEdge);
    // The window for its inner edge at a screen rectangle; the pane keeps the new size.
    void ApplyEdge(const CRect& rcEdge);

    CTKPDockingPaneTabbedContainer* GetContainer() const { return m_pContainer; }
    CTKPDockingPaneSideBar* GetSideBar() const { return m_pSideBar; }
    int GetSide() const { return m_nSide; }
    int GetStep() const { return m_nStep; }
    int GetStepCount() const { return m_nStepCount; }
    BOOL IsCollapsing() const { return m_bCollapsing; }
    int GetCountdown() const { return m_nCountdown; }
    // The fully open window in the site's client coordinates.
    const CRect& GetFullRect() const { return m_rcFull; }
    // What WM_PAINT draws.
    void Draw(CDC* pDC);

    // The container fills the window but for the resize edge.
    void RecalcLayout(BOOL bNotify = TRUE) override;

    // Process-wide animation settings.
    static int s_nAnimationInterval;
    static int s_nAnimationDuration;
    static int s_nCloseTimerPeriod;

protected:
    CTKPDockingPaneHost* GetHost() const;
    // The side mirrored for right-to-left frames.
    int GetLayoutSide() const;
    // The top container's screen rectangle.
    CRect GetTopRect() const;
    // The watch of timer 1: keeps the window open while it or its tab is pointed at or focused,
    // else counts down to sliding in.
    void Watch();

    void PostNcDestroy() override;
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    CTKPDockingPaneTabbedContainer* m_pContainer;
    CTKPDockingPaneSideBar* m_pSideBar;
    int m_nSide;
    BOOL m_bHorizontal;
    int m_nStep;
    int m_nStepCount;
    BOOL m_bCollapsing;
    CRect m_rcFull;
    int m_nCountdown;
    BOOL m_bResizing;
    CTKPDockingPaneHost* m_pHost;
};
