// The MDI tab client: takes over the MDI client window of a multiple-document frame and shows one
// tab per child window. Without grouping the tabs stand in one row above the MDI client (a window
// of their own) and the children keep their usual look; with grouping the tabs live in one or more
// groups drawn into the MDI client itself, side by side or stacked, with splitters between them,
// and each child fills its group without caption or borders. A click on a tab activates its child;
// closing a child removes its tab and activates the child of a neighbouring tab in its group.
#pragma once

#include "classlib/core/CArray.h"
#include "classlib/win/AfxWin.h"

class CMDIFrameWnd;
class CMDIChildWnd;
class CTKPTabTheme;
class CTKPTabManagerItem;
class CTKPTabClientWorkspace;
class CTKPTabClientRowWnd;

// The workspace commands (their texts are the program's strings of the same ids).
#define TKP_ID_TABGROUP_PREVIOUS 9420
#define TKP_ID_TABGROUP_NEXT 9421
#define TKP_ID_TABGROUP_NEW_HORZ 9422
#define TKP_ID_TABGROUP_NEW_VERT 9423

// How MoveTabToWorkspace moves a tab.
enum TKPTabClientMove {
    tkpMoveToWorkspace = 2,     // to the end of another group
    tkpNewHorizontalGroup = 3,  // into a new group below its own (groups stacked)
    tkpNewVerticalGroup = 4     // into a new group beside its own (groups side by side)
};

class CTKPTabClientWnd : public CWnd {
    DECLARE_DYNAMIC(CTKPTabClientWnd)
public:
    CTKPTabClientWnd();
    ~CTKPTabClientWnd() override;

    // Takes over the frame's MDI client; with bEnableGroups the tabs are drawn in groups inside it,
    // otherwise in a tab row above it. The theme is the client's own (a default one when none was
    // set). FALSE when the frame has no MDI client or one is attached already.
    BOOL AttachToFrame(CMDIFrameWnd* pFrame, BOOL bEnableGroups = FALSE);
    // Gives the MDI client back its own procedure and look. FALSE when nothing is attached or when
    // something subclassed the client after us (the client then stays with us).
    BOOL DetachFromFrame();
    CMDIFrameWnd* GetMDIFrame() const { return m_pFrame; }
    BOOL IsGroupingEnabled() const { return m_bEnableGroups; }

    // Brings the tabs in line with the children and re-lays them; with bRecalcFrame the frame's
    // layout follows at once (through its command bars when it has them).
    void Refresh(BOOL bRecalcFrame = TRUE);
    // Whether a workspace command (TKP_ID_TABGROUP_...) applies to the active child now; other ids
    // are enabled whenever the active child has a tab (with grouping). *ppItem gets that tab.
    BOOL IsWorkspaceCommandEnabled(UINT nID, CTKPTabManagerItem** ppItem = NULL) const;

    // The frame's active child.
    CMDIChildWnd* GetActiveChild() const;
    HWND GetActiveChildHandle() const;
    // The first tab of a window, searching the groups in order.
    CTKPTabManagerItem* FindTab(HWND hWnd) const;
    int GetWorkspaceCount() const { return (int)m_arrWorkspaces.GetSize(); }
    CTKPTabClientWorkspace* GetWorkspace(int nIndex) const;
    int FindWorkspaceIndex(const CTKPTabClientWorkspace* pWorkspace) const;

    // The theme that measures and draws every group; the client owns it (a new one replaces and
    // deletes the old).
    CTKPTabTheme* GetPaintManager() const { return m_pPaintManager; }
    void SetPaintManager(CTKPTabTheme* pTheme);

    // Moves a tab to another group or into a new one (TKPTabClientMove).
    void MoveTabToWorkspace(CTKPTabManagerItem* pItem, CTKPTabClientWorkspace* pTarget, int nAction);

    virtual void UpdateContents();
    // A new empty group at an index of the groups (appended when out of range).
    virtual CTKPTabClientWorkspace* AddWorkspace(int nIndex);

    // 1 when the groups are stacked from top to bottom, 0 when they stand side by side.
    BOOL IsHorizontalArrangement() const { return m_bHorizSplitting; }
    // Live splitter drags (FALSE, the default) or an inverted bar moved until the button is released.
    void SetSplitterTrackingMode(BOOL bTracker) { m_bSplitterTracker = bTracker; }
    int GetSplitterWidth() const { return m_nSplitterWidth; }
    void SetSplitterWidth(int nWidth);
    // When set, a closed child's neighbour is not activated.
    void SetNoNeighbourActivation(BOOL bSet) { m_bNoNeighbourActivation = bSet; }
    // When set, MDI activation is not drawn behind a redraw lock (without grouping).
    void SetNoRedrawLock(BOOL bSet) { m_bNoRedrawLock = bSet; }

    // The splitter between group nIndex and the next, dragged from a screen point (the live loop or
    // the inverted bar).
    void TrackSplitter(int nIndex, CPoint ptScreen);
    // The split of two neighbouring groups for a splitter whose leading edge stands at nEdge
    // (screen coordinates) in a range of nStart..nEnd; sizes are along the arrangement axis.
    void SplitSizes(CTKPTabClientWorkspace* pFirst, CTKPTabClientWorkspace* pSecond, int nEdge, int nStart,
        int nEnd) const;

    // What WM_PAINT draws with grouping, into any DC.
    void Paint(CDC* pDC);
    // The client area without groups.
    virtual void DrawBackground(CDC* pDC, CRect rc);

    // The tab-row window without grouping; null with grouping or while not attached.
    CTKPTabClientRowWnd* GetTabRowWnd() const { return m_pRowWnd; }

    // Used by the groups and the tab row.
    void OnWorkspaceChanged(CTKPTabClientWorkspace* pWorkspace);
    void RedrawWorkspace(CTKPTabClientWorkspace* pWorkspace);
    void ActivateChild(HWND hWnd);
    // A click in the tab row (without grouping) starts the click-and-idle cycle.
    void NoteClick();

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg void OnWorkspaceCommand(UINT nID);
    afx_msg void OnUpdateWorkspaceCommand(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    BOOL HandleGroupedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    LRESULT OnMDICreate(LPARAM lParam);
    LRESULT OnMDIDestroy(WPARAM wParam, LPARAM lParam);
    LRESULT OnMDIActivate(WPARAM wParam, LPARAM lParam);
    void OnGroupedLButtonDown(CPoint pt);
    BOOL OnGroupedSetCursor();
    // Every MDI child window of the client, in the client's order.
    void GetChildWindows(CArray<HWND, HWND>& arrChildren) const;
    BOOL SyncTabs();
    // Lays out the groups (or the tab row) and repaints them, unless a layout or update runs.
    void Relayout();
    void LayoutWorkspaces();
    void RemoveEmptyWorkspaces();
    void TakeSizesFromTabAreas();
    void TrackSplitterLive(int nIndex, CPoint ptScreen, const CRect& rcRange);
    // Sizes changed by a splitter: the frame and the groups are laid out again at once.
    void ApplySplit();
    void RecalcFrameLayout();
    HCURSOR GetSplitterCursor() const;
    void FreeWorkspaces();

    CArray<CTKPTabClientWorkspace*, CTKPTabClientWorkspace*> m_arrWorkspaces;
    CMDIFrameWnd* m_pFrame;
    BOOL m_bLayoutDirty;
    BOOL m_bLockUpdate;      // a tab is clicked or moved: the selection is not taken from the active child
    BOOL m_bLockReposition;  // a tab is moved between groups: no update at all
    BOOL m_bRefreshing;
    BOOL m_bInUpdate;  // UpdateContents runs: the groups' own layout requests wait for its layout
    BOOL m_bInLayout;
    CTKPTabTheme* m_pPaintManager;
    BOOL m_bHorizSplitting;
    HCURSOR m_hCursorHoriz;  // over the splitters of side-by-side groups
    HCURSOR m_hCursorVert;   // over the splitters of stacked groups
    BOOL m_bEnableGroups;
    BOOL m_bSplitterTracker;
    int m_nSplitterWidth;
    BOOL m_bNoNeighbourActivation;
    BOOL m_bClicked;
    BOOL m_bNoRedrawLock;
    CTKPTabClientRowWnd* m_pRowWnd;
    DWORD m_dwOldScrollStyle;  // the MDI client's scroll bars, given back on detaching
};
