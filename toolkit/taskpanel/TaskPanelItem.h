// The base of everything a task panel shows: groups and the items inside them. An item is reference
// counted (the collection that holds it keeps one reference, the panel one per hot, focused and
// active item), persists through the settings exchange, travels through OLE data transfer as an
// archived copy and answers accessibility clients.
#pragma once

#include "toolkit/base/Accessible.h"
#include "toolkit/taskpanel/TaskPanelDefines.h"

class CTKPImageIcon;
class CTKPPropExchange;
class CTKPTaskPanel;
class CTKPTaskPanelGroup;
class CTKPTaskPanelItems;
class CTKPTaskPanelTheme;
class COleDataObject;

class CTKPTaskPanelItem : public CCmdTarget, public CTKPAccessible {
    DECLARE_SERIAL(CTKPTaskPanelItem)
public:
    CTKPTaskPanelItem();
    ~CTKPTaskPanelItem() override;

    // TRUE for links and groups that are enabled and visible (a group must also open and close).
    virtual BOOL IsAcceptFocus() const;
    // The group the item belongs to; a group is its own.
    virtual CTKPTaskPanelGroup* GetItemGroup() const;
    // Where the item is hit, in the panel's client coordinates; empty for the base.
    virtual CRect GetHitTestRect() const;
    virtual void DoPropExchange(CTKPPropExchange* pPX);

    CTKPTaskPanel* GetTaskPanel() const { return m_pPanel; }
    void SetTaskPanel(CTKPTaskPanel* pPanel) { m_pPanel = pPanel; }
    CTKPTaskPanelItems* GetParentItems() const { return m_pItems; }
    void SetParentItems(CTKPTaskPanelItems* pItems) { m_pItems = pItems; }

    const CString& GetCaption() const { return m_strCaption; }
    // The caption as text is measured: a blank stands in for an empty one.
    CString GetMeasuredCaption() const { return m_strCaption.IsEmpty() ? CString(_T(" ")) : m_strCaption; }
    // Stores a changed caption and lays the panel out again.
    void SetCaption(LPCTSTR lpszCaption);
    const CString& GetTooltip() const { return m_strTooltip; }
    void SetTooltip(LPCTSTR lpszTooltip) { m_strTooltip = lpszTooltip; }
    int GetID() const { return m_nID; }
    void SetID(int nID) { m_nID = nID; }
    int GetType() const { return m_nType; }
    void SetType(int nType);
    int GetIconIndex() const { return m_nIconIndex; }
    void SetIconIndex(int nIndex);
    BOOL GetEnabled() const { return m_bEnabled; }
    void SetEnabled(BOOL bEnabled);
    BOOL IsVisible() const { return m_bVisible; }
    void SetVisible(BOOL bVisible);
    CRect GetIconPadding() const { return m_rcIconPadding; }
    void SetIconPadding(const CRect& rc);

    // The icon of the item's icon index at that width, from the panel's image manager.
    CTKPImageIcon* GetImage(int nWidth) const;

    BOOL IsGroup() const { return m_nType == tkpTaskItemTypeGroup; }
    BOOL IsItemHot() const;
    BOOL IsItemPressed() const;
    BOOL IsItemDragging() const;
    BOOL IsItemDragOver() const;
    BOOL IsItemFocused() const;
    // -1 without a collection.
    int GetIndex() const;
    // Takes the item out of its collection (which may free it).
    void Remove();

    // The item's, its group's and the panel's drop permission all set.
    BOOL IsAllowDrop() const;
    void SetAllowDrop(BOOL bAllowDrop) { m_bAllowDrop = bAllowDrop; }
    // The effective drag permissions: the item's own unless inherited, else the group's, the
    // panel's, else tkpTaskDragDefault.
    int GetAllowDrag() const;
    void SetAllowDrag(int nFlags) { m_nAllowDrag = nFlags; }
    int GetOwnAllowDrag() const { return m_nAllowDrag; }

    CTKPTaskPanelTheme* GetPaintManager() const;
    // Invalidates the panel's window unless its redraw is locked.
    void RedrawPanel() const;
    void RepositionPanel() const;

    // Measures the caption in the format (a blank when empty) and places it in the rectangle, centred
    // vertically for DT_VCENTER; the result is kept for drawing.
    void SetTextRect(CDC* pDC, const CRect& rc, UINT nFormat);
    const CRect& GetTextRect() const { return m_rcText; }
    UINT GetTextFormat() const { return m_nTextFormat; }

    // The archived copy of the item (its class, then its settings) in a shared memory block; NULL on
    // failure. The caller owns the block.
    HGLOBAL CopyToOleData();
    // A new item rebuilt from the data's "TaskPanelGroupItem" format; NULL when it cannot be.
    static CTKPTaskPanelItem* CreateFromOleData(COleDataObject* pDataObject);
    // The "TaskPanelGroupItem" clipboard format.
    static CLIPFORMAT GetClipboardFormat();

    // Accessibility.
    CCmdTarget* GetAccessibleOwner() override { return this; }
    STDMETHOD(get_accParent)(IDispatch** ppdispParent) override;
    STDMETHOD(get_accName)(VARIANT varChild, BSTR* pszName) override;
    STDMETHOD(get_accDescription)(VARIANT varChild, BSTR* pszDescription) override;
    STDMETHOD(get_accRole)(VARIANT varChild, VARIANT* pvarRole) override;
    STDMETHOD(get_accState)(VARIANT varChild, VARIANT* pvarState) override;
    STDMETHOD(accSelect)(long flagsSelect, VARIANT varChild) override;
    STDMETHOD(accLocation)(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    STDMETHOD(accHitTest)(long xLeft, long yTop, VARIANT* pvarChild) override;

protected:
    // The accessibility state bits of the item itself.
    virtual long GetAccessibleState() const;

    CTKPTaskPanel* m_pPanel;
    CString m_strCaption;
    CString m_strTooltip;
    int m_nID;
    int m_nType;
    CTKPTaskPanelItems* m_pItems;
    int m_nIconIndex;
    BOOL m_bEnabled;
    BOOL m_bAllowDrop;
    int m_nAllowDrag;
    CRect m_rcText;
    UINT m_nTextFormat;
    BOOL m_bVisible;
    CRect m_rcIconPadding;

    friend class CTKPTaskPanelItems;
};
