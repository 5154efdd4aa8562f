// Ordered collections of task panel items: the panel's groups and each group's items. A collection
// holds one reference per item and tells the panel when items come and go.
#pragma once

#include "classlib/core/CArray.h"
#include "toolkit/taskpanel/TaskPanelItem.h"

class CTKPTaskPanelItems : public CCmdTarget {
    DECLARE_DYNAMIC(CTKPTaskPanelItems)
public:
    explicit CTKPTaskPanelItems(CTKPTaskPanel* pPanel = NULL);
    // Releases every item without laying the panel out.
    ~CTKPTaskPanelItems() override;

    // Takes over the caller's reference; an index at or beyond the end appends. Returns the item.
    CTKPTaskPanelItem* InsertAt(int nIndex, CTKPTaskPanelItem* pItem);
    int GetCount() const { return (int)m_arrItems.GetSize(); }
    // NULL outside 0 .. count - 1.
    CTKPTaskPanelItem* GetAt(int nIndex) const;
    int IndexOf(const CTKPTaskPanelItem* pItem) const;
    // Puts the item at the index (the end when beyond it) and lays the panel out without animation.
    void Move(CTKPTaskPanelItem* pItem, int nIndex);
    void RemoveAll(BOOL bReposition = TRUE);
    void Remove(CTKPTaskPanelItem* pItem);
    void RemoveAt(int nIndex);

    CTKPTaskPanelItem* GetFirstVisibleItem() const;
    CTKPTaskPanelItem* GetLastVisibleItem() const;
    // Steps from the index by nStep until a visible item; -1 when the walk leaves the collection.
    int GetNextVisibleIndex(int nIndex, int nStep) const;

    virtual CRuntimeClass* GetDefaultItemClass() const;
    virtual void DoPropExchange(CTKPPropExchange* pPX);

    CTKPTaskPanel* GetTaskPanel() const { return m_pPanel; }
    void SetTaskPanel(CTKPTaskPanel* pPanel) { m_pPanel = pPanel; }
    CCmdTarget* GetOwner() const { return m_pOwner; }

protected:
    CTKPTaskPanel* m_pPanel;
    CArray<CTKPTaskPanelItem*, CTKPTaskPanelItem*> m_arrItems;
    CCmdTarget* m_pOwner;  // the panel for its groups, the group for its items

    friend class CTKPTaskPanel;
    friend class CTKPTaskPanelGroup;
};

// The panel's groups.
class CTKPTaskPanelGroups : public CTKPTaskPanelItems {
    DECLARE_DYNAMIC(CTKPTaskPanelGroups)
public:
    explicit CTKPTaskPanelGroups(CTKPTaskPanel* pPanel);
    CRuntimeClass* GetDefaultItemClass() const override;
};

// A group's items.
class CTKPTaskPanelGroupItems : public CTKPTaskPanelItems {
    DECLARE_DYNAMIC(CTKPTaskPanelGroupItems)
public:
    explicit CTKPTaskPanelGroupItems(CTKPTaskPanelGroup* pGroup);
    CRuntimeClass* GetDefaultItemClass() const override;
};
