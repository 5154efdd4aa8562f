#include "classlib/win/COleDocument.h"

#include "classlib/win/CMenu.h"
#include "classlib/win/CView.h"

#include <oledlg.h>

#include <algorithm>

IMPLEMENT_DYNCREATE(COleDocument, CDocument)
IMPLEMENT_DYNAMIC(COleClientItem, CCmdTarget)

// --- Document ------------------------------------------------------------------------------------

COleDocument::COleDocument() {}

COleDocument::~COleDocument()
{
    while (!m_items.empty())
        delete m_items.back();  // each item leaves the list as it goes
}

void COleDocument::AddItem(COleClientItem* pItem)
{
    if (pItem == NULL || std::find(m_items.begin(), m_items.end(), pItem) != m_items.end())
        return;
    m_items.push_back(pItem);
    pItem->m_pDocument = this;
}

void COleDocument::RemoveItem(COleClientItem* pItem)
{
    auto it = std::find(m_items.begin(), m_items.end(), pItem);
    if (it == m_items.end())
        return;
    m_items.erase(it);
    pItem->m_pDocument = NULL;
}

POSITION COleDocument::GetStartPosition() const
{
    return m_items.empty() ? NULL : reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1));
}

COleClientItem* COleDocument::GetNextClientItem(POSITION& pos) const
{
    const size_t n = static_cast<size_t>(reinterpret_cast<UINT_PTR>(pos));
    if (n == 0 || n > m_items.size()) {
        pos = NULL;
        return NULL;
    }
    pos = n < m_items.size() ? reinterpret_cast<POSITION>(static_cast<UINT_PTR>(n + 1)) : NULL;
    return m_items[n - 1];
}

COleClientItem* COleDocument::GetPrimarySelectedItem(CView* pView)
{
    if (pView == NULL)
        return NULL;
    COleClientItem* pSelected = NULL;
    for (COleClientItem* pItem : m_items) {
        if (!pView->IsSelected(pItem))
            continue;
        if (pSelected != NULL)
            return NULL;  // more than one
        pSelected = pItem;
    }
    return pSelected;
}

// --- Client item -------------------------------------------------------------------------------

COleClientItem::COleClientItem(COleDocument* pContainerDoc)
    : m_lpObject(NULL), m_pDocument(NULL), m_nItemType(OT_UNKNOWN)
{
    if (pContainerDoc != NULL)
        pContainerDoc->AddItem(this);
}

COleClientItem::~COleClientItem()
{
    if (m_lpObject != NULL)
        m_lpObject->Release();
    m_lpObject = NULL;
    if (m_pDocument != NULL)
        m_pDocument->RemoveItem(this);
}

void COleClientItem::Attach(LPOLEOBJECT lpObject, OLE_OBJTYPE nItemType)
{
    if (lpObject != NULL)
        lpObject->AddRef();
    if (m_lpObject != NULL)
        m_lpObject->Release();
    m_lpObject = lpObject;
    m_nItemType = lpObject != NULL ? nItemType : OT_UNKNOWN;
}

void COleClientItem::GetUserType(USERCLASSTYPE nUserClassType, CString& rString)
{
    rString.Empty();
    LPOLESTR lpszType = NULL;
    if (m_lpObject == NULL || FAILED(m_lpObject->GetUserType(nUserClassType, &lpszType)) || lpszType == NULL)
        return;
    rString = lpszType;
    ::CoTaskMemFree(lpszType);
}

// --- Verb menu -----------------------------------------------------------------------------------

BOOL AfxOleSetEditMenu(COleClientItem* pClient, CMenu* pMenu, UINT iMenuItem, UINT nIDVerbMin, UINT nIDVerbMax,
    UINT nIDConvert)
{
    if (pMenu == NULL || pMenu->GetSafeHmenu() == NULL)
        return FALSE;
    LPOLEOBJECT lpObject = pClient != NULL && pClient->GetType() != OT_STATIC ? pClient->m_lpObject : NULL;
    CString strType;
    if (pClient != NULL)
        pClient->GetUserType(USERCLASSTYPE_SHORT, strType);
    HMENU hPopup = NULL;
    return ::OleUIAddVerbMenuW(lpObject, strType.IsEmpty() ? NULL : static_cast<LPCWSTR>(strType),
        pMenu->GetSafeHmenu(), iMenuItem, nIDVerbMin, nIDVerbMax, nIDConvert != 0, nIDConvert, &hPopup);
}
