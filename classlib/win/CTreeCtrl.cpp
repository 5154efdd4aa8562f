#include "classlib/win/CTreeCtrl.h"
#include "classlib/win/CImageList.h"

#include <vector>

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

#define TREE_SEND(msg, w, l) ::SendMessage(m_hWnd, (msg), (WPARAM)(w), (LPARAM)(l))

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_TREEVIEW, nullptr, dwStyle, rect, pParentWnd, nID);
}

HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCT lpInsertStruct)
{
    return (HTREEITEM)TREE_SEND(TVM_INSERTITEM, 0, lpInsertStruct);
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCT tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = nMask;
    tvis.item.pszText = (LPTSTR)lpszItem;
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    tvis.item.state = nState;
    tvis.item.stateMask = nStateMask;
    tvis.item.lParam = lParam;
    return InsertItem(&tvis);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage, 0, 0, 0, hParent,
                      hInsertAfter);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem) { return (BOOL)TREE_SEND(TVM_DELETEITEM, 0, hItem); }
BOOL CTreeCtrl::DeleteAllItems() { return (BOOL)TREE_SEND(TVM_DELETEITEM, 0, TVI_ROOT); }
BOOL CTreeCtrl::GetItem(TVITEM* pItem) const { return (BOOL)TREE_SEND(TVM_GETITEM, 0, pItem); }
BOOL CTreeCtrl::SetItem(TVITEM* pItem) { return (BOOL)TREE_SEND(TVM_SETITEM, 0, pItem); }

BOOL CTreeCtrl::SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                        UINT nStateMask, LPARAM lParam)
{
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = nMask;
    item.pszText = (LPTSTR)lpszItem;
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    // The control copies at most the buffer less one: grow until the text fits with room to spare.
    std::vector<TCHAR> buffer;
    for (int size = 256; size <= (1 << 20); size *= 4) {
        buffer.assign((size_t)size, 0);
        TVITEM item = {};
        item.hItem = hItem;
        item.mask = TVIF_TEXT;
        item.pszText = buffer.data();
        item.cchTextMax = size;
        if (!GetItem(&item))
            return CString();
        LPCTSTR text = item.pszText ? item.pszText : buffer.data();
        int length = lstrlen(text);
        if (length < size - 1 || text != buffer.data())
            return CString(text, length);
    }
    return CString(buffer.data());
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem)
{
    return SetItem(hItem, TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    BOOL ok = GetItem(&item);
    if (ok) {
        nImage = item.iImage;
        nSelectedImage = item.iSelectedImage;
    }
    return ok;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    return SetItem(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE, nullptr, nImage, nSelectedImage, 0, 0, 0);
}

UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const
{
    return (UINT)TREE_SEND(TVM_GETITEMSTATE, hItem, nStateMask);
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    return SetItem(hItem, TVIF_STATE, nullptr, 0, 0, nState, nStateMask, 0);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = TVIF_PARAM;
    return GetItem(&item) ? (DWORD_PTR)item.lParam : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    return SetItem(hItem, TVIF_PARAM, nullptr, 0, 0, 0, 0, (LPARAM)dwData);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = TVIF_CHILDREN;
    return GetItem(&item) && item.cChildren != 0;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    if (lpRect == nullptr)
        return FALSE;
    *reinterpret_cast<HTREEITEM*>(lpRect) = hItem;
    return (BOOL)TREE_SEND(TVM_GETITEMRECT, bTextOnly, lpRect);
}

BOOL CTreeCtrl::GetCheck(HTREEITEM hItem) const
{
    UINT state = GetItemState(hItem, TVIS_STATEIMAGEMASK);
    return (BOOL)(state >> 12) - 1;
}

BOOL CTreeCtrl::SetCheck(HTREEITEM hItem, BOOL fCheck)
{
    return SetItemState(hItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), TVIS_STATEIMAGEMASK);
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const
{
    return (HTREEITEM)TREE_SEND(TVM_GETNEXTITEM, nCode, hItem);
}

BOOL CTreeCtrl::Select(HTREEITEM hItem, UINT nCode) { return (BOOL)TREE_SEND(TVM_SELECTITEM, nCode, hItem); }
BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode) { return (BOOL)TREE_SEND(TVM_EXPAND, nCode, hItem); }
BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem) { return (BOOL)TREE_SEND(TVM_ENSUREVISIBLE, 0, hItem); }

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO hti = {};
    hti.pt = pt;
    HTREEITEM hItem = HitTest(&hti);
    if (pFlags != nullptr)
        *pFlags = hti.flags;
    return hItem;
}

HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* pHitTestInfo) const
{
    return (HTREEITEM)TREE_SEND(TVM_HITTEST, 0, pHitTestInfo);
}

UINT CTreeCtrl::GetCount() const { return (UINT)TREE_SEND(TVM_GETCOUNT, 0, 0); }
UINT CTreeCtrl::GetVisibleCount() const { return (UINT)TREE_SEND(TVM_GETVISIBLECOUNT, 0, 0); }
UINT CTreeCtrl::GetIndent() const { return (UINT)TREE_SEND(TVM_GETINDENT, 0, 0); }
void CTreeCtrl::SetIndent(UINT nIndent) { TREE_SEND(TVM_SETINDENT, nIndent, 0); }

CImageList* CTreeCtrl::GetImageList(UINT nImageList) const
{
    return CImageList::FromHandle((HIMAGELIST)TREE_SEND(TVM_GETIMAGELIST, nImageList, 0));
}

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return CImageList::FromHandle(
        (HIMAGELIST)TREE_SEND(TVM_SETIMAGELIST, nImageListType, pImageList->GetSafeHandle()));
}

BOOL CTreeCtrl::SortChildren(HTREEITEM hItem) { return (BOOL)TREE_SEND(TVM_SORTCHILDREN, 0, hItem); }
BOOL CTreeCtrl::SortChildrenCB(LPTVSORTCB pSort) { return (BOOL)TREE_SEND(TVM_SORTCHILDRENCB, 0, pSort); }

CEdit* CTreeCtrl::EditLabel(HTREEITEM hItem)
{
    return reinterpret_cast<CEdit*>(CWnd::FromHandle((HWND)TREE_SEND(TVM_EDITLABEL, 0, hItem)));
}

CEdit* CTreeCtrl::GetEditControl() const
{
    return reinterpret_cast<CEdit*>(CWnd::FromHandle((HWND)TREE_SEND(TVM_GETEDITCONTROL, 0, 0)));
}

CImageList* CTreeCtrl::CreateDragImage(HTREEITEM hItem)
{
    HIMAGELIST hImageList = (HIMAGELIST)TREE_SEND(TVM_CREATEDRAGIMAGE, 0, hItem);
    if (hImageList == nullptr)
        return nullptr;
    CImageList* pImageList = new CImageList;
    pImageList->Attach(hImageList);
    return pImageList;
}

COLORREF CTreeCtrl::SetBkColor(COLORREF clr) { return (COLORREF)TREE_SEND(TVM_SETBKCOLOR, 0, clr); }
COLORREF CTreeCtrl::SetTextColor(COLORREF clr) { return (COLORREF)TREE_SEND(TVM_SETTEXTCOLOR, 0, clr); }
SHORT CTreeCtrl::SetItemHeight(SHORT cyHeight) { return (SHORT)TREE_SEND(TVM_SETITEMHEIGHT, cyHeight, 0); }
SHORT CTreeCtrl::GetItemHeight() const { return (SHORT)TREE_SEND(TVM_GETITEMHEIGHT, 0, 0); }
