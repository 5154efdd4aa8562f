// The task panel: a child window of collapsible groups of links, text lines and hosted controls,
// laid out top to bottom, animated, scrolled, navigated by mouse and keyboard, painted through an
// exchangeable theme and reported to its owner with the message TKPWM_TASKPANEL_NOTIFY. Items are
// dragged with OLE drag and drop within and between panels, and the panel answers accessibility
// clients for itself, its groups and items.
#pragma once

#include "classlib/win/AfxOle.h"
#include "classlib/win/AfxWin.h"
#include "toolkit/base/Accessible.h"
#include "toolkit/taskpanel/TaskPanelGroup.h"
#include "toolkit/taskpanel/TaskPanelGroupItem.h"
#include "toolkit/taskpanel/TaskPanelItems.h"
#include "toolkit/taskpanel/TaskPanelTheme.h"

class CTKPImageManager;
class CTKPToolTipManager;
class CTKPTaskPanel;
class CTKPTaskPanelEditItem;

// The panel's OLE drop target: drags over the window go to the panel's item drag-over and drop.
class CTKPTaskPanelDropTarget : public COleDropTarget {
public:
    CTKPTaskPanelDropTarget() : m_dwSourceEffects(DROPEFFECT_COPY | DROPEFFECT_MOVE) {}

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;

    // IDropTarget: the effects the source allows are kept for the answers above.
    STDMETHOD(DragEnter)(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    STDMETHOD(DragOver)(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    STDMETHOD(Drop)(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

private:
    DWORD m_dwSourceEffects;
};

class CTKPTaskPanel : public CWnd, public CTKPAccessible {
    DECLARE_DYNAMIC(CTKPTaskPanel)
public:
    CTKPTaskPanel();
    ~CTKPTaskPanel() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // --- Groups --------------------------------------------------------------------------------
    CTKPTaskPanelGroups* GetGroups() const { return m_pGroups; }
    int GetGroupCount() const;
    CTKPTaskPanelGroup* GetAt(int nIndex) const;
    // The next visible group from the index in the direction (+1 or -1); -1 or the count start from
    // the ends.
    CTKPTaskPanelGroup* GetNextVisibleGroup(int nIndex, int nDirection) const;

    // --- Appearance ----------------------------------------------------------------------------
    // Theme 0 .. 12; any other number gives theme 2's class.
    void SetTheme(int nTheme);
    int GetCurrentTheme() const { return m_nTheme; }
    CTKPTaskPanelTheme* GetPaintManager() const { return m_pTheme; }
    void SetAnimation(int nMode);
    int GetAnimation() const { return m_nAnimationMode; }
    BOOL IsAnimationEnabled() const { return m_bAnimation; }
    CTKPImageManager* GetImageManager() const;
    void SetMargins(int nLeft, int nTop, int nRight, int nBottom);
    CRect GetMargins() const { return m_rcMargins; }
    void SetGroupSpacing(int nSpacing);
    int GetGroupSpacingSetting() const { return m_nGroupSpacing; }
    void SetIconSize(CSize size);
    CSize GetItemIconSize() const { return m_szItemIcon; }
    void SetCaptionIconSize(CSize size);
    CSize GetCaptionIconSize() const { return m_szCaptionIcon; }
    void SetItemLayout(int nLayout);
    int GetItemLayout() const;
    void SetColumns(BOOL bColumns, int nColumnWidth = 100);
    BOOL IsColumns() const { return m_bColumns; }
    int GetColumnWidth() const { return m_nColumnWidth; }
    void SetHotTrackStyle(int nStyle);
    int GetHotTrackStyle() const;
    void SetBehaviour(int nBehaviour);
    int GetBehaviour() const { return m_nBehaviour; }
    void SetGroupsExpandable(BOOL bExpandable) { m_bExpandable = bExpandable; }
    BOOL IsGroupsExpandable() const { return m_bExpandable; }
    void SetTakeFocusOnClick(BOOL bTake) { m_bTakeFocusOnClick = bTake; }
    void SetSelectItemOnFocus(BOOL bSelect) { m_bSelectItemOnFocus = bSelect; }
    BOOL IsSelectItemOnFocus() const { return m_bSelectItemOnFocus; }
    void SetSingleSelection(BOOL bSingle);
    BOOL IsSingleSelection() const { return m_bSingleSelection; }
    void SetAllowDrag(int nFlags) { m_nAllowDrag = nFlags; }
    int GetAllowDrag() const { return m_nAllowDrag; }
    void SetAllowDrop(BOOL bAllow) { m_bAllowDrop = bAllow; }
    BOOL IsAllowDrop() const { return m_bAllowDrop; }

    // --- Layout --------------------------------------------------------------------------------
    void Reposition(BOOL bAnimate = TRUE);
    // Adds (or removes) one lock; reaching 0 lays the panel out again.
    void LockRedraw(BOOL bLock);
    BOOL IsRedrawLocked() const { return m_nLockRedraw > 0; }
    int GetScrollOffset() const;
    int GetContentHeight() const { return m_nContentHeight; }
    int GetClientHeight() const;
    BOOL IsScrollBarShown() const { return m_bScrollVisible; }
    void SetScrollOffset(int nOffset);
    // One animation pass over every group; TRUE while some group still moves.
    BOOL AnimateGroups(int nStep);
    // After a group's items scrolled: the group stands at its target, the scroll buttons follow.
    void OnGroupItemsScrolled(CTKPTaskPanelGroup* pGroup);

    // --- State ---------------------------------------------------------------------------------
    void SetFocusedItem(CTKPTaskPanelItem* pItem, BOOL bByKeyboard = FALSE);
    CTKPTaskPanelItem* GetFocusedItem() const { return m_pItemFocused; }
    void SetHotItem(CTKPTaskPanelItem* pItem);
    CTKPTaskPanelItem* GetHotItem() const { return m_pItemHot; }
    CTKPTaskPanelItem* GetPressedItem() const { return m_pItemPressed; }
    CTKPTaskPanelItem* GetDraggedItem() const { return m_pItemDragging; }
    CTKPTaskPanelItem* GetDropTargetItem() const { return m_pItemDragOver; }
    CTKPTaskPanelGroup* GetActiveGroup() const { return m_pActiveGroup; }
    void EnsureVisible(CTKPTaskPanelItem* pItem);
    virtual void ExpandGroup(CTKPTaskPanelGroup* pGroup, BOOL bExpanded);
    BOOL IsGroupExpanded(const CTKPTaskPanelGroup* pGroup) const;
    BOOL IsDrawFocusRect() const { return m_bDrawFocusRect; }
    CTKPTaskPanelScrollButton* GetScrollButton(BOOL bUp) const { return bUp ? m_pScrollButtonUp : m_pScrollButtonDown; }

    // --- Hit testing (client coordinates) ----------------------------------------------------------
    CTKPTaskPanelScrollButton* HitTestScrollButton(CPoint point) const;
    CTKPTaskPanelGroup* HitTestGroup(CPoint point, BOOL* pbCaption = NULL) const;
    CTKPTaskPanelItem* HitTestItem(CPoint point) const;
    // The next item that takes the focus (NULL when none); by rows steps whole rows of a grid.
    CTKPTaskPanelItem* GetNextItem(CTKPTaskPanelItem* pItem, int nDirection, BOOL bTab, BOOL bByRows = FALSE) const;

    // --- Operations ----------------------------------------------------------------------------
    virtual void OnItemClick(CTKPTaskPanelItem* pItem);
    virtual void OnDraw(CDC* pDC, CRect rcClip);
    virtual LRESULT NotifyOwner(WPARAM wParam, LPARAM lParam);
    virtual void StartItemDrag(CTKPTaskPanelGroupItem* pItem);
    virtual void TrackGroupDrag(CTKPTaskPanelGroup* pGroup);
    // Renames after asking the owner (code 4); only an answer of 0 changes the caption.
    virtual void RenameItem(CTKPTaskPanelItem* pItem, LPCTSTR lpszCaption);
    virtual DROPEFFECT OnItemDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual BOOL OnItemDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // Forgets the item as active group, hot, focused and pressed item and drop target (it leaves its
    // collection).
    virtual void ForgetItem(CTKPTaskPanelItem* pItem);
    virtual void UpdateScrollBar();
    // An in-place edit over the item's caption; Enter renames, Escape cancels. NULL without a window.
    CTKPTaskPanelEditItem* EditItemCaption(CTKPTaskPanelItem* pItem);

    // --- Persistence of the content -------------------------------------------------------------
    // The groups and their items; loading replaces them. Loading throws CArchiveException for an
    // entry of an unknown class, with the panel left unlocked.
    void DoPropExchange(CTKPPropExchange* pPX);

    // --- Accessibility --------------------------------------------------------------------------
    CCmdTarget* GetAccessibleOwner() override { return this; }
    // The 1-based accessible child number of an item (groups and items in order), 0 when absent.
    int GetAccessibleIndex(const CTKPTaskPanelItem* pItem) const;
    CTKPTaskPanelItem* GetAccessibleChild(int nChild) const;
    STDMETHOD(get_accParent)(IDispatch** ppdispParent) override;
    STDMETHOD(get_accChildCount)(long* pcountChildren) override;
    STDMETHOD(get_accChild)(VARIANT varChild, IDispatch** ppdispChild) override;
    STDMETHOD(get_accName)(VARIANT varChild, BSTR* pszName) override;
    STDMETHOD(get_accRole)(VARIANT varChild, VARIANT* pvarRole) override;
    STDMETHOD(get_accState)(VARIANT varChild, VARIANT* pvarState) override;
    STDMETHOD(accLocation)(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    STDMETHOD(accHitTest)(long xLeft, long yTop, VARIANT* pvarChild) override;

    // The hot item's tooltip (its caption and tooltip as title and description).
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    CTKPToolTipManager* GetToolTipManager() const { return m_pToolTipManager; }

    // Timers.
    enum { TIMER_ANIMATION = 200, TIMER_SCROLL_REPEAT = 202, TIMER_HOVER_EXPAND = 203 };

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Places the scroll buttons of the active group (behaviours 1 and 2).
    void RepositionScrollButtons();
    // Scrolls the content so the rectangle (content coordinates) is in view.
    void EnsureVisibleRect(const CRect& rc);
    // The modal loop of a pressed scroll button.
    void TrackScrollButton(CTKPTaskPanelScrollButton* pButton);
    void UpdateScrollButtonsHot(CPoint point);
    void RequestMouseLeave();
    // TRUE while the command bars track a popup menu.
    BOOL IsPopupTracked() const;
    void ReleaseItem(CTKPTaskPanelItem*& pItem);
    void ReleaseItem(CTKPTaskPanelGroup*& pGroup);
    void SetDropTargetItem(CTKPTaskPanelItem* pItem);
    void DrawScrollButtons(CDC* pDC);

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnMouseLeave();
    afx_msg LRESULT OnPrint(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CTKPTaskPanelGroups* m_pGroups;
    CTKPTaskPanelTheme* m_pTheme;
    int m_nTheme;
    int m_nLockRedraw;
    int m_nContentHeight;
    CRect m_rcMargins;
    int m_nGroupSpacing;
    BOOL m_bScrollVisible;
    CTKPTaskPanelItem* m_pItemHot;
    CTKPTaskPanelItem* m_pItemFocused;
    CTKPTaskPanelItem* m_pItemPressed;
    CTKPTaskPanelItem* m_pItemDragging;
    CTKPTaskPanelItem* m_pItemDragOver;
    BOOL m_bAnimation;
    int m_nAnimationMode;
    HCURSOR m_hHandCursor;
    UINT_PTR m_nAnimateTimer;
    int m_nAnimationStep;
    CTKPImageManager* m_pImageManager;
    BOOL m_bExpandable;
    BOOL m_bTakeFocusOnClick;
    BOOL m_bSettingFocus;
    BOOL m_bDrawFocusRect;
    CSize m_szItemIcon;
    CSize m_szCaptionIcon;
    BOOL m_bSelectItemOnFocus;
    CPoint m_ptPressed;
    int m_nAllowDrag;
    BOOL m_bAllowDrop;
    int m_nItemLayout;
    BOOL m_bColumns;
    int m_nColumnWidth;
    int m_nHotTrackStyle;
    int m_nBehaviour;
    CTKPTaskPanelGroup* m_pActiveGroup;
    CTKPTaskPanelDropTarget* m_pDropTarget;
    BOOL m_bHoverTimer;
    CTKPTaskPanelScrollButton* m_pScrollButtonDown;
    CTKPTaskPanelScrollButton* m_pScrollButtonUp;
    BOOL m_bSingleSelection;
    CTKPToolTipManager* m_pToolTipManager;
    BOOL m_bInUpdateScrollBar;
    BOOL m_bOleInitialized;

    friend class CTKPTaskPanelGroup;
    friend class CTKPTaskPanelGroupItem;
    friend class CTKPTaskPanelItem;
    friend class CTKPTaskPanelItems;
    friend class CTKPTaskPanelDropTarget;
};

// The in-place edit that renames an item: Enter (or leaving it) renames, Escape cancels; the rename
// happens once, and the edit destroys itself.
class CTKPTaskPanelEditItem : public CEdit {
    DECLARE_DYNAMIC(CTKPTaskPanelEditItem)
public:
    CTKPTaskPanelEditItem();
    // Creates the edit over the rectangle (panel client coordinates) with the item's caption.
    BOOL Create(CTKPTaskPanel* pPanel, CTKPTaskPanelItem* pItem, const CRect& rc);
    CTKPTaskPanelItem* GetItem() const { return m_pItem; }
    BOOL IsCancelled() const { return m_bCancelled; }

protected:
    // Ends the edit: posts WM_CLOSE and, unless cancelled, renames with a non-empty text. Only once.
    void EndEdit();
    void PostNcDestroy() override;

    afx_msg UINT OnGetDlgCode();
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

    BOOL m_bCancelled;
    BOOL m_bEnded;
    CTKPTaskPanelItem* m_pItem;
    CTKPTaskPanel* m_pPanel;
};
