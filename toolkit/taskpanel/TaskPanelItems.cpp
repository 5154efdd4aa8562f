#include "toolkit/taskpanel/TaskPanelItems.h"

#include <memory>

#include "toolkit/common/PropExchange.h"
#include "toolkit/taskpanel/TaskPanel.h"

IMPLEMENT_DYNAMIC(CTKPTaskPanelItems, CCmdTarget)
IMPLEMENT_DYNAMIC(CTKPTaskPanelGroups, CTKPTaskPanelItems)
IMPLEMENT_DYNAMIC(CTKPTaskPanelGroupItems, CTKPTaskPanelItems)

namespace {

// Holds one redraw lock of the panel for a scope, also when a failed load leaves it by an exception,
// where the lock was never given back and the panel stayed frozen.
class CPanelRedrawLock {
public:
    explicit CPanelRedrawLock(CTKPTaskPanel* pPanel) : m_pPanel(pPanel)
    {
        if (m_pPanel)
            m_pPanel->LockRedraw(TRUE);
    }
    ~CPanelRedrawLock()
    {
        if (m_pPanel)
            m_pPanel->LockRedraw(FALSE);
    }

private:
    CTKPTaskPanel* m_pPanel;
};

// The panel of a group and of every item in it.
void AttachToPanel(CTKPTaskPanelItem* pItem, CTKPTaskPanel* pPanel)
{
    pItem->SetTaskPanel(pPanel);
    CTKPTaskPanelGroup* pGroup = DYNAMIC_DOWNCAST(CTKPTaskPanelGroup, pItem);
    if (pGroup == NULL)
        return;
    pGroup->GetItems()->SetTaskPanel(pPanel);
    for (int i = 0; i < pGroup->GetItemCount(); ++i)
        pGroup->GetItems()->GetAt(i)->SetTaskPanel(pPanel);
}

// The panel forgets the item and, for a group, every item in it.
void ForgetInPanel(CTKPTaskPanel* pPanel, CTKPTaskPanelItem* pItem)
{
    if (pPanel == NULL)
        return;
    pPanel->ForgetItem(pItem);
    CTKPTaskPanelGroup* pGroup = DYNAMIC_DOWNCAST(CTKPTaskPanelGroup, pItem);
    if (pGroup == NULL)
        return;
    for (int i = 0; i < pGroup->GetItemCount(); ++i)
        pPanel->ForgetItem(pGroup->GetItems()->GetAt(i));
}

}  // namespace

CTKPTaskPanelItems::CTKPTaskPanelItems(CTKPTaskPanel* pPanel) : m_pPanel(pPanel), m_pOwner(pPanel) {}

CTKPTaskPanelItems::~CTKPTaskPanelItems()
{
    RemoveAll(FALSE);
}

CTKPTaskPanelItem* CTKPTaskPanelItems::InsertAt(int nIndex, CTKPTaskPanelItem* pItem)
{
    if (pItem == NULL)
        return NULL;
    // Past the end (or before the start) appends instead of growing the list with empty places, which
    // every walk of the items would have used as items.
    if (nIndex < 0 || nIndex > GetCount())
        nIndex = GetCount();
    m_arrItems.InsertAt(nIndex, pItem);
    pItem->SetParentItems(this);
    AttachToPanel(pItem, m_pPanel);
    if (m_pPanel)
        m_pPanel->Reposition(TRUE);
    return pItem;
}

CTKPTaskPanelItem* CTKPTaskPanelItems::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrItems[nIndex] : NULL;
}

int CTKPTaskPanelItems::IndexOf(const CTKPTaskPanelItem* pItem) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_arrItems[i] == pItem)
            return i;
    }
    return -1;
}

void CTKPTaskPanelItems::Move(CTKPTaskPanelItem* pItem, int nIndex)
{
    const int nOld = IndexOf(pItem);
    if (nOld < 0)
        return;
    m_arrItems.RemoveAt(nOld);
    // Past the end appends, rather than growing the list with empty places every walk would meet as null items.
    if (nIndex < 0 || nIndex > GetCount())
        nIndex = GetCount();
    m_arrItems.InsertAt(nIndex, pItem);
    if (m_pPanel)
        m_pPanel->Reposition(FALSE);
}

void CTKPTaskPanelItems::RemoveAll(BOOL bReposition)
{
    if (GetCount() == 0)
        return;
    for (int i = 0; i < GetCount(); ++i)
        ForgetInPanel(m_pPanel, m_arrItems[i]);
    // Detach every item before releasing any, where a release could reach a half-emptied list.
    CArray<CTKPTaskPanelItem*, CTKPTaskPanelItem*> arrItems;
    arrItems.Copy(m_arrItems);
    m_arrItems.RemoveAll();
    for (INT_PTR i = 0; i < arrItems.GetSize(); ++i) {
        arrItems[i]->SetParentItems(NULL);
        arrItems[i]->InternalRelease();
    }
    if (bReposition && m_pPanel)
        m_pPanel->Reposition(TRUE);
}

void CTKPTaskPanelItems::Remove(CTKPTaskPanelItem* pItem)
{
    RemoveAt(IndexOf(pItem));
}

void CTKPTaskPanelItems::RemoveAt(int nIndex)
{
    CTKPTaskPanelItem* pItem = GetAt(nIndex);
    if (pItem == NULL)
        return;
    ForgetInPanel(m_pPanel, pItem);
    m_arrItems.RemoveAt(nIndex);
    pItem->SetParentItems(NULL);
    pItem->InternalRelease();
    if (m_pPanel)
        m_pPanel->Reposition(TRUE);
}

CTKPTaskPanelItem* CTKPTaskPanelItems::GetFirstVisibleItem() const
{
    return GetAt(GetNextVisibleIndex(-1, 1));
}

CTKPTaskPanelItem* CTKPTaskPanelItems::GetLastVisibleItem() const
{
    return GetAt(GetNextVisibleIndex(GetCount(), -1));
}

int CTKPTaskPanelItems::GetNextVisibleIndex(int nIndex, int nStep) const
{
    if (nStep == 0)
        return GetAt(nIndex) && GetAt(nIndex)->IsVisible() ? nIndex : -1;
    for (nIndex += nStep; nIndex >= 0 && nIndex < GetCount(); nIndex += nStep) {
        if (m_arrItems[nIndex]->IsVisible())
            return nIndex;
    }
    return -1;
}

CRuntimeClass* CTKPTaskPanelItems::GetDefaultItemClass() const
{
    return RUNTIME_CLASS(CTKPTaskPanelItem);
}

void CTKPTaskPanelItems::DoPropExchange(CTKPPropExchange* pPX)
{
    CPanelRedrawLock lock(m_pPanel);
    pPX->m_dwData = reinterpret_cast<DWORD_PTR>(m_pPanel);
    std::unique_ptr<CTKPPropSectionEnumerator> pEnum(pPX->GetEnumerator(_T("Item")));

    if (pPX->IsLoading()) {
        RemoveAll(FALSE);
        DWORD dwCount = 0;
        DWORD_PTR pos = pEnum->BeginEnum(dwCount);
        while (pos) {
            std::unique_ptr<CTKPPropExchange> pSection(pEnum->NextSection(pos));
            CObject* pObject = NULL;
            // The archive back end reports the class's schema through the exchange; the values that follow
            // were written under the exchange's own.
            const UINT nSchema = pSection->m_nSchema;
            const BOOL bCreated = pSection->ExchangeRuntimeClass(&pObject, GetDefaultItemClass());
            pSection->m_nSchema = nSchema;
            CTKPTaskPanelItem* pItem = bCreated ? DYNAMIC_DOWNCAST(CTKPTaskPanelItem, pObject) : NULL;
            if (pItem == NULL) {
                delete pObject;
                AfxThrowArchiveException(CArchiveException::badClass);
            }
            // An item that fails its own exchange (a group whose items name an unknown class) is
            // released before the failure goes on.
            try {
                pItem->DoPropExchange(pSection.get());
            } catch (CException*) {
                pItem->InternalRelease();
                throw;
            }
            pItem->SetParentItems(this);
            AttachToPanel(pItem, m_pPanel);
            m_arrItems.Add(pItem);
        }
        return;
    }

    DWORD dwCount = (DWORD)GetCount();
    DWORD_PTR pos = pEnum->BeginEnum(dwCount);
    for (int i = 0; pos && i < GetCount(); ++i) {
        std::unique_ptr<CTKPPropExchange> pSection(pEnum->NextSection(pos));
        CObject* pObject = m_arrItems[i];
        pSection->ExchangeRuntimeClass(&pObject, GetDefaultItemClass());
        m_arrItems[i]->DoPropExchange(pSection.get());
    }
}

CTKPTaskPanelGroups::CTKPTaskPanelGroups(CTKPTaskPanel* pPanel) : CTKPTaskPanelItems(pPanel) {}

CRuntimeClass* CTKPTaskPanelGroups::GetDefaultItemClass() const
{
    return RUNTIME_CLASS(CTKPTaskPanelGroup);
}

CTKPTaskPanelGroupItems::CTKPTaskPanelGroupItems(CTKPTaskPanelGroup* pGroup) : CTKPTaskPanelItems(NULL)
{
    m_pOwner = pGroup;
}

CRuntimeClass* CTKPTaskPanelGroupItems::GetDefaultItemClass() const
{
    return RUNTIME_CLASS(CTKPTaskPanelGroupItem);
}
