// A group of the task panel: a caption that opens and closes it and a client area of items. Its
// rectangles are in the panel's content coordinates (client coordinates plus the scroll offset);
// the current rectangle glides toward the target while the group opens or closes.
#pragma once

#include "classlib/win/CImageList.h"
#include "toolkit/taskpanel/TaskPanelItem.h"
#include "toolkit/taskpanel/TaskPanelItems.h"

class CTKPTaskPanelGroupItem;

class CTKPTaskPanelGroup : public CTKPTaskPanelItem {
    DECLARE_SERIAL(CTKPTaskPanelGroup)
public:
    CTKPTaskPanelGroup();
    ~CTKPTaskPanelGroup() override;

    BOOL IsAcceptFocus() const override;
    CTKPTaskPanelGroup* GetItemGroup() const override;
    CRect GetHitTestRect() const override;
    void DoPropExchange(CTKPPropExchange* pPX) override;
    // Draws the first image of the client image list when it holds exactly one.
    virtual void DrawClientBitmap(CDC* pDC, int x, int y);

    CTKPTaskPanelGroupItems* GetItems() const { return m_pItems; }
    CTKPTaskPanelGroupItem* GetAt(int nIndex) const;
    int GetItemCount() const;
    CTKPTaskPanelGroupItem* GetNextVisibleItem(int nIndex, int nStep) const;

    // Open or closed as the panel sees it, and the request to change that.
    BOOL IsExpanded() const;
    void SetExpanded(BOOL bExpanded);
    // The group's own flag, whatever the panel's behaviour.
    BOOL GetExpandedFlag() const { return m_bExpanded; }
    void SetExpandedFlag(BOOL bExpanded) { m_bExpanded = bExpanded; }
    // The user may open and close it: its own flag, the panel's and enabled.
    BOOL IsExpandable() const;
    void SetExpandable(BOOL bExpandable);
    BOOL IsExpanding() const { return m_bExpanding; }
    void SetExpanding(BOOL bExpanding) { m_bExpanding = bExpanding; }
    BOOL IsCaptionVisible() const { return m_bCaptionVisible; }
    void SetCaptionVisible(BOOL bVisible);
    BOOL IsSpecialGroup() const { return m_bSpecial; }
    void SetSpecialGroup(BOOL bSpecial);
    // Visible and not yet at its target.
    BOOL IsAnimating() const;

    CSize GetIconSize() const;
    void SetIconSize(CSize size);
    int GetItemLayout() const;
    void SetItemLayout(int nLayout);
    CRect GetOuterMargins() const { return m_rcMarginsOuter; }
    void SetOuterMargins(const CRect& rc);
    CRect GetInnerMargins() const { return m_rcMarginsInner; }
    void SetInnerMargins(const CRect& rc);
    CImageList* GetClientBitmap() { return &m_ilClient; }
    void SetClientBitmapOffset(CPoint pt) { m_ptClientBitmapOffset = pt; }

    int GetCaptionHeight() const { return m_nCaptionHeight; }
    int GetClientHeight() const { return m_nClientHeight; }
    const CRect& GetTargetRect() const { return m_rcGroupTarget; }
    const CRect& GetCurrentRect() const { return m_rcGroupCurrent; }
    CRect GetCaptionRect() const;
    CRect GetTargetCaptionRect() const;
    CRect GetClientRect() const;
    CRect GetTargetClientRect() const;

    // The visible item under a point in the panel's client coordinates, with its rectangle there.
    CTKPTaskPanelGroupItem* HitTest(CPoint pt, CRect* pRect = NULL) const;
    // Lays the items out for the width of the rectangle (top 0) and returns the client height.
    int CalcClientHeight(CDC* pDC, const CRect& rc);
    // Places the group from the rectangle's left, top and right; returns the target rectangle.
    CRect OnReposition(const CRect& rc, BOOL bAnimate);
    // One animation step; TRUE while the group still moves.
    BOOL OnAnimate(int nStep);
    void OnDraw(CDC* pDC);

    // Makes exactly this item selected.
    void SetSelectedItem(CTKPTaskPanelGroupItem* pItem);

    // Item scrolling inside the active group (panel behaviours 1 and 2).
    BOOL CanScroll(BOOL bUp) const;
    void ScrollItems(int nStep);
    int GetFirstShownIndex() const { return m_nFirstShownIndex; }
    void SetFirstShownIndex(int nIndex, BOOL bUpdate);
    void EnsureVisibleItem(CTKPTaskPanelGroupItem* pItem, BOOL bUpdate);
    int GetItemsInRow() const { return m_nItemsInRow; }
    // How far the items are scrolled up: the first shown item's top minus the inner top margin.
    int GetItemScrollOffset() const;
    BOOL IsDropTargetInside() const;
    // Within the shown part of the client area (the item's scrolled rectangle in client coordinates).
    BOOL IsItemShown(const CTKPTaskPanelGroupItem* pItem) const;

protected:
    long GetAccessibleState() const override;
    STDMETHOD(get_accDefaultAction)(VARIANT varChild, BSTR* pszDefaultAction) override;
    STDMETHOD(accDoDefaultAction)(VARIANT varChild) override;

    // Item layouts of CalcClientHeight.
    int LayoutIconGrid(CDC* pDC, const CRect& rc);
    int LayoutRows(CDC* pDC, const CRect& rc);
    // Shares the spare client height among auto-height items (behaviours 1 and 2).
    void DistributeSpareHeight(int nSpare);
    // The client height the active group may have in behaviours 1 and 2.
    int GetAvailableClientHeight() const;

    CRect m_rcGroupTarget;
    CRect m_rcGroupCurrent;
    CRect m_rcMarginsOuter;
    CRect m_rcMarginsInner;
    int m_nCaptionHeight;
    BOOL m_bSpecial;
    BOOL m_bExpandable;
    BOOL m_bExpanded;
    BOOL m_bExpanding;
    int m_nClientHeight;
    BOOL m_bCaptionVisible;
    CImageList m_ilClient;
    CPoint m_ptClientBitmapOffset;
    int m_nFirstShownIndex;
    int m_nItemsInRow;
    CSize m_szIcon;
    CTKPTaskPanelGroupItems* m_pItems;
    int m_nItemLayout;

    friend class CTKPTaskPanel;
};
