#include "classlib/win/CListCtrl.h"
#include "classlib/win/CImageList.h"

#include <vector>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BEGIN_MESSAGE_MAP(CListCtrl, CWnd)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

#define LIST_SEND(msg, w, l) ::SendMessage(m_hWnd, (msg), (WPARAM)(w), (LPARAM)(l))

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_LISTVIEW, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn) { return (int)LIST_SEND(LVM_INSERTCOLUMN, nCol, pColumn); }

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMN column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = (LPTSTR)lpszColumnHeading;
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

BOOL CListCtrl::DeleteColumn(int nCol) { return (BOOL)LIST_SEND(LVM_DELETECOLUMN, nCol, 0); }
BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const { return (BOOL)LIST_SEND(LVM_GETCOLUMN, nCol, pColumn); }
BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMN* pColumn) { return (BOOL)LIST_SEND(LVM_SETCOLUMN, nCol, pColumn); }
int CListCtrl::GetColumnWidth(int nCol) const { return (int)LIST_SEND(LVM_GETCOLUMNWIDTH, nCol, 0); }
BOOL CListCtrl::SetColumnWidth(int nCol, int cx) { return (BOOL)LIST_SEND(LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0)); }

CHeaderCtrl* CListCtrl::GetHeaderCtrl()
{
    HWND hHeader = (HWND)LIST_SEND(LVM_GETHEADER, 0, 0);
    return reinterpret_cast<CHeaderCtrl*>(CWnd::FromHandle(hHeader));
}

int CListCtrl::InsertItem(const LVITEM* pItem) { return (int)LIST_SEND(LVM_INSERTITEM, 0, pItem); }

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                          LPARAM lParam)
{
    LVITEM item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.pszText = (LPTSTR)lpszItem;
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

BOOL CListCtrl::DeleteItem(int nItem) { return (BOOL)LIST_SEND(LVM_DELETEITEM, nItem, 0); }
BOOL CListCtrl::DeleteAllItems() { return (BOOL)LIST_SEND(LVM_DELETEALLITEMS, 0, 0); }
int CListCtrl::GetItemCount() const { return (int)LIST_SEND(LVM_GETITEMCOUNT, 0, 0); }
void CListCtrl::SetItemCount(int nItems) { LIST_SEND(LVM_SETITEMCOUNT, nItems, 0); }
BOOL CListCtrl::SetItemCountEx(int iCount, DWORD dwFlags) { return (BOOL)LIST_SEND(LVM_SETITEMCOUNT, iCount, dwFlags); }
BOOL CListCtrl::GetItem(LVITEM* pItem) const { return (BOOL)LIST_SEND(LVM_GETITEM, 0, pItem); }
BOOL CListCtrl::SetItem(const LVITEM* pItem) { return (BOOL)LIST_SEND(LVM_SETITEM, 0, pItem); }

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState,
                        UINT nStateMask, LPARAM lParam)
{
    LVITEM item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = (LPTSTR)lpszItem;
    item.iImage = nImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // LVM_GETITEMTEXT answers the length copied; a full buffer may mean a longer text: grow.
    std::vector<TCHAR> buffer;
    for (int size = 256; size <= (1 << 20); size *= 4) {
        buffer.assign((size_t)size, 0);
        int length = GetItemText(nItem, nSubItem, buffer.data(), size);
        if (length < size - 1)
            return CString(buffer.data(), length);
    }
    return CString(buffer.data());
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const
{
    if (lpszText == nullptr || nLen <= 0)
        return 0;
    LVITEM item = {};
    item.iSubItem = nSubItem;
    item.pszText = lpszText;
    item.cchTextMax = nLen;
    lpszText[0] = 0;
    return (int)LIST_SEND(LVM_GETITEMTEXT, nItem, &item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEM item = {};
    item.iSubItem = nSubItem;
    item.pszText = (LPTSTR)lpszText;
    return (BOOL)LIST_SEND(LVM_SETITEMTEXT, nItem, &item);
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const { return (UINT)LIST_SEND(LVM_GETITEMSTATE, nItem, nMask); }
BOOL CListCtrl::SetItemState(int nItem, LVITEM* pItem) { return (BOOL)LIST_SEND(LVM_SETITEMSTATE, nItem, pItem); }

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEM item = {};
    item.state = nState;
    item.stateMask = nMask;
    return SetItemState(nItem, &item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEM item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return GetItem(&item) ? (DWORD_PTR)item.lParam : 0;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, (LPARAM)dwData);
}

BOOL CListCtrl::GetCheck(int nItem) const
{
    UINT state = GetItemState(nItem, LVIS_STATEIMAGEMASK);
    return (BOOL)(state >> 12) - 1;
}

BOOL CListCtrl::SetCheck(int nItem, BOOL fCheck)
{
    return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK);
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const { return (int)LIST_SEND(LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0)); }
UINT CListCtrl::GetSelectedCount() const { return (UINT)LIST_SEND(LVM_GETSELECTEDCOUNT, 0, 0); }
int CListCtrl::GetSelectionMark() const { return (int)LIST_SEND(LVM_GETSELECTIONMARK, 0, 0); }
int CListCtrl::SetSelectionMark(int iIndex) { return (int)LIST_SEND(LVM_SETSELECTIONMARK, 0, iIndex); }

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    return (POSITION)(INT_PTR)(1 + GetNextItem(-1, LVNI_SELECTED));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int nOldPos = (int)(INT_PTR)pos - 1;
    pos = (POSITION)(INT_PTR)(1 + GetNextItem(nOldPos, LVNI_SELECTED));
    return nOldPos;
}

int CListCtrl::FindItem(LVFINDINFO* pFindInfo, int nStart) const { return (int)LIST_SEND(LVM_FINDITEM, nStart, pFindInfo); }
int CListCtrl::HitTest(LVHITTESTINFO* pHitTestInfo) const { return (int)LIST_SEND(LVM_HITTEST, 0, pHitTestInfo); }

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO hti = {};
    hti.pt = pt;
    int nItem = HitTest(&hti);
    if (pFlags != nullptr)
        *pFlags = hti.flags;
    return nItem;
}

int CListCtrl::SubItemHitTest(LPLVHITTESTINFO pInfo) { return (int)LIST_SEND(LVM_SUBITEMHITTEST, 0, pInfo); }

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    if (lpRect == nullptr)
        return FALSE;
    lpRect->left = (LONG)nCode;
    return (BOOL)LIST_SEND(LVM_GETITEMRECT, nItem, lpRect);
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref)
{
    ref.top = iSubItem;
    ref.left = nArea;
    return (BOOL)LIST_SEND(LVM_GETSUBITEMRECT, iItem, (LPRECT)ref);
}

BOOL CListCtrl::GetItemPosition(int nItem, LPPOINT lpPoint) const { return (BOOL)LIST_SEND(LVM_GETITEMPOSITION, nItem, lpPoint); }
BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK) { return (BOOL)LIST_SEND(LVM_ENSUREVISIBLE, nItem, MAKELPARAM(bPartialOK, 0)); }
BOOL CListCtrl::RedrawItems(int nFirst, int nLast) { return (BOOL)LIST_SEND(LVM_REDRAWITEMS, nFirst, nLast); }
BOOL CListCtrl::Update(int nItem) { return (BOOL)LIST_SEND(LVM_UPDATE, nItem, 0); }
BOOL CListCtrl::Arrange(UINT nCode) { return (BOOL)LIST_SEND(LVM_ARRANGE, nCode, 0); }
BOOL CListCtrl::Scroll(CSize size) { return (BOOL)LIST_SEND(LVM_SCROLL, size.cx, size.cy); }
int CListCtrl::GetTopIndex() const { return (int)LIST_SEND(LVM_GETTOPINDEX, 0, 0); }
int CListCtrl::GetCountPerPage() const { return (int)LIST_SEND(LVM_GETCOUNTPERPAGE, 0, 0); }
int CListCtrl::GetStringWidth(LPCTSTR lpsz) const { return (int)LIST_SEND(LVM_GETSTRINGWIDTH, 0, lpsz); }
BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) { return (BOOL)LIST_SEND(LVM_SORTITEMS, dwData, pfnCompare); }

CImageList* CListCtrl::GetImageList(int nImageList) const
{
    return CImageList::FromHandle((HIMAGELIST)LIST_SEND(LVM_GETIMAGELIST, nImageList, 0));
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return CImageList::FromHandle(
        (HIMAGELIST)LIST_SEND(LVM_SETIMAGELIST, nImageListType, pImageList->GetSafeHandle()));
}

DWORD CListCtrl::GetExtendedStyle() const { return (DWORD)LIST_SEND(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0); }
DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle) { return (DWORD)LIST_SEND(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle); }
COLORREF CListCtrl::GetBkColor() const { return (COLORREF)LIST_SEND(LVM_GETBKCOLOR, 0, 0); }
BOOL CListCtrl::SetBkColor(COLORREF cr) { return (BOOL)LIST_SEND(LVM_SETBKCOLOR, 0, cr); }
COLORREF CListCtrl::GetTextColor() const { return (COLORREF)LIST_SEND(LVM_GETTEXTCOLOR, 0, 0); }
BOOL CListCtrl::SetTextColor(COLORREF cr) { return (BOOL)LIST_SEND(LVM_SETTEXTCOLOR, 0, cr); }
COLORREF CListCtrl::GetTextBkColor() const { return (COLORREF)LIST_SEND(LVM_GETTEXTBKCOLOR, 0, 0); }
BOOL CListCtrl::SetTextBkColor(COLORREF cr) { return (BOOL)LIST_SEND(LVM_SETTEXTBKCOLOR, 0, cr); }

CEdit* CListCtrl::EditLabel(int nItem)
{
    return reinterpret_cast<CEdit*>(CWnd::FromHandle((HWND)LIST_SEND(LVM_EDITLABEL, nItem, 0)));
}

CEdit* CListCtrl::GetEditControl() const
{
    return reinterpret_cast<CEdit*>(CWnd::FromHandle((HWND)LIST_SEND(LVM_GETEDITCONTROL, 0, 0)));
}

CImageList* CListCtrl::CreateDragImage(int nItem, LPPOINT lpPoint)
{
    HIMAGELIST hImageList = (HIMAGELIST)LIST_SEND(LVM_CREATEDRAGIMAGE, nItem, lpPoint);
    if (hImageList == nullptr)
        return nullptr;
    CImageList* pImageList = new CImageList;
    pImageList->Attach(hImageList);
    return pImageList;
}

void PASCAL CListCtrl::ReleaseOwnedImageLists(HWND hWnd)
{
    if ((::GetWindowLong(hWnd, GWL_STYLE) & LVS_SHAREIMAGELISTS) != 0)
        return;
    const int kinds[] = {LVSIL_NORMAL, LVSIL_SMALL, LVSIL_STATE};
    for (int kind : kinds) {
        HIMAGELIST hImageList = (HIMAGELIST)::SendMessage(hWnd, LVM_GETIMAGELIST, kind, 0);
        if (hImageList != nullptr && CImageList::FromHandlePermanent(hImageList) != nullptr)
            ::SendMessage(hWnd, LVM_SETIMAGELIST, kind, 0);
    }
}

void CListCtrl::OnNcDestroy()
{
    ReleaseOwnedImageLists(m_hWnd);
    CWnd::OnNcDestroy();
}
