// The drag of a pane, a tabbed container or a floating window's content: the capture loop that
// decides at every mouse move where the node would go (docked beside a container, attached as a
// tab, or floating), shows that place, and carries the move out at the button-up. The place shows
// as an inverted frame on the desktop, or with translucent previews and docking stickers.
#pragma once

#include "toolkit/docking/DockingPaneStickerWnd.h"

class CTKPDockingPaneDragContext {
public:
    CTKPDockingPaneDragContext();
    virtual ~CTKPDockingPaneDragContext();

    // Runs a whole drag from a screen point; returns when it is over.
    virtual void BeginDrag(CTKPDockingNode* pNode, int x, int y);
    // The start of a drag without its loop: the floating place, the feedback kind, whether the
    // panes may float (action 0). Tests drive Move, DrawFeedback, Drop and ReleaseFeedback after it.
    void PrepareDrag(CTKPDockingNode* pNode, int x, int y);
    // Carries the move out: attached, docked or floated where the last Move found its place.
    void Drop();
    // Forgets the dragged node after a drag.
    void EndDrag();
    virtual void Track();
    // One step: the floating place follows the cursor, the docking target is found again.
    virtual void Move(int x, int y);
    virtual void InitFeedback();
    virtual void ReleaseFeedback();
    virtual void DrawFeedback(BOOL bErase);
    virtual void FindDockTarget(int x, int y);

    // 1 for the rounded stickers of theme 9, 0 for the classic ones; the colour scheme of the classic
    // pictures.
    int GetStickerStyle() const;
    int GetStickerScheme() const;

    // The state of a drag, for its owner and for tests.
    CTKPDockingNode* GetTarget() const { return m_pTarget; }
    BOOL IsAttach() const { return m_bAttach; }
    int GetDirection() const { return m_nDirection; }
    const CRect& GetDragRect() const { return m_rcDrag; }
    const CRect& GetDockingRect() const { return m_rcDocking; }
    BOOL MayFloat() const { return m_bMayFloat; }
    BOOL HasMoved() const { return m_bMoved; }
    BOOL IsAlpha() const { return m_bAlpha; }
    BOOL HasStickers() const { return m_bStickers; }
    CTKPDockingNode* GetHoverNode() const { return m_pHoverNode; }
    int GetStickerCount() const { return static_cast<int>(m_lstStickers.GetCount()); }
    CTKPDockingPaneStickerWnd* GetSticker(int nIndex) const;
    CTKPDockingPanePreviewWnd* GetPreview() { return &m_wndPreview; }
    CTKPDockingPanePreviewWnd* GetTabPreview() { return &m_wndTabPreview; }
    BOOL IsDesktopLocked() const { return m_pDesktopDC != NULL; }
    // The classic outline of a place as a region (the caller deletes it).
    static HRGN CreatePlaceRegion(const CRect& rc, BOOL bAttach);
    // The entry point that makes windows translucent (null: classic feedback only). Tests switch it.
    TKPSetLayeredWindowAttributes m_pfnSetLayeredWindowAttributes;

    CTKPDockingPaneHost* m_pHost;

protected:
    // Action 4 for every dragged pane: FALSE when the site refuses the place.
    BOOL CheckDocking(CTKPDockingNode* pTarget, int nDirection);
    // Action 6 for every dragged pane.
    BOOL CheckAttach(CTKPDockingNode* pTarget);
    // The edge test with a rectangle; on success the target, direction and docking rectangle.
    BOOL TestEdge(const CRect& rc, CPoint pt, CTKPDockingNode* pNode, BOOL bInside);
    void UpdateStickers();
    void HitTestStickers(int x, int y);
    CTKPDockingPaneStickerWnd* CreateSticker(const CRect& rc, int nFlags);
    void DestroyStickers();
    void EmptyRegionCache();
    void CollectDraggedPanes(CTKPDockingNodeList& list);
    CWnd* GetOwnerWindow() const;

    CTKPDockingPanePreviewWnd m_wndPreview;
    CTKPDockingPanePreviewWnd m_wndTabPreview;
    BOOL m_bStickers;
    BOOL m_bAlpha;
    CRect m_rcHover;
    CTKPDockingNode* m_pHoverNode;
    CTKPDockingNode* m_pStickerNode;
    CList<CTKPDockingPaneStickerWnd*, CTKPDockingPaneStickerWnd*> m_lstStickers;
    CPoint m_ptLast;
    CPoint m_ptStart;
    BOOL m_bMoved;  // the cursor went more than 4 pixels from the start (also from the screen origin)
    CRect m_rcDrag;
    CTKPDockingNode* m_pNode;
    CTKPDockingNode* m_pTarget;
    CRect m_rcDocking;
    BOOL m_bLastAttach;
    BOOL m_bAttach;
    BOOL m_bMayFloat;
    CRect m_rcLastDrawn;
    CMap<int, int, HRGN, HRGN> m_mapRegions;
    int m_nDirection;
    CDC* m_pDesktopDC;
    BOOL m_bDesktopLocked;
};
