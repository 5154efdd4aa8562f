#include "toolkit/controls/HeaderCtrl.h"

#include "res/toolkit-controls.h"
#include "toolkit/base/BufferedDC.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/base/SharedMetrics.h"
#include "toolkit/controls/ControlMenu.h"

namespace {
const UINT_PTR kHotTimer = 1;
const int kSortMenu = 2;  // the header's popup in the toolkit's menu
}  // namespace

IMPLEMENT_DYNAMIC(CTKHeaderCtrl, CHeaderCtrl)
IMPLEMENT_DYNAMIC(CTKFlatHeaderCtrl, CTKHeaderCtrl)

BEGIN_MESSAGE_MAP(CTKHeaderCtrl, CHeaderCtrl)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_MESSAGE(HDM_LAYOUT, OnLayout)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_WM_SETCURSOR()
ON_NOTIFY_REFLECT_EX(HDN_ITEMCHANGINGW, OnItemChanging)
ON_WM_WINDOWPOSCHANGING()
ON_WM_DESTROY()
ON_WM_RBUTTONDOWN()
ON_COMMAND(ID_TKHEADER_SORT_ASC, OnSortAscending)
ON_COMMAND(ID_TKHEADER_SORT_DESC, OnSortDescending)
ON_COMMAND(ID_TKHEADER_ALIGN_LEFT, OnAlignLeft)
ON_COMMAND(ID_TKHEADER_ALIGN_CENTER, OnAlignCenter)
ON_COMMAND(ID_TKHEADER_ALIGN_RIGHT, OnAlignRight)
END_MESSAGE_MAP()

CTKHeaderCtrl::CTKHeaderCtrl()
    : CTKThemeStyleHolder(RUNTIME_CLASS(CTKHeaderCtrlThemeFactory)), m_nMinColumnWidth(0), m_nPopupSubMenu(0),
      m_nPopupMenuID(0), m_nHotItem(-1), m_nSortColumn(-1), m_bAscending(TRUE), m_bRTL(FALSE), m_bAutoSize(FALSE),
      m_bContextMenu(TRUE), m_bLButtonDown(FALSE), m_bHotPainted(FALSE), m_ptLastRClick(0, 0), m_listFixedColumns(10),
      m_bAutoSizing(FALSE)
{
    m_bRTL = DetectRtl();
}

CTKHeaderCtrl::~CTKHeaderCtrl() {}

CTKFlatHeaderCtrl::CTKFlatHeaderCtrl()
{
    SetStyle(new CTKHeaderCtrlThemeFlat);
}

BOOL CTKHeaderCtrl::DetectRtl()
{
    HDC hdc = ::GetDC(NULL);
    const BOOL bRtl = (::GetTextAlign(hdc) & TA_RTLREADING) != 0;
    ::ReleaseDC(NULL, hdc);
    return bRtl;
}

// --- Sorting, fonts, menus ------------------------------------------------------------------------------

int CTKHeaderCtrl::SetSortArrow(int nColumn, BOOL bAscending)
{
    const int nOld = m_nSortColumn;
    m_nSortColumn = nColumn;
    m_bAscending = bAscending;
    if (::IsWindow(m_hWnd))
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return nOld;
}

int CTKHeaderCtrl::GetSortColumn(BOOL* pbAscending) const
{
    if (pbAscending)
        *pbAscending = m_bAscending;
    return m_nSortColumn;
}

BOOL CTKHeaderCtrl::HasSortArrows() const
{
    CTKHeaderCtrlTheme* pTheme = GetHeaderTheme();
    return pTheme && (pTheme->GetDrawFlags() & TKHDF_SORTARROWS);
}

void CTKHeaderCtrl::ShowSortArrow(BOOL bShow)
{
    if (CTKHeaderCtrlTheme* pTheme = GetHeaderTheme()) {
        const DWORD dwFlags = pTheme->GetDrawFlags();
        pTheme->SetDrawFlags(bShow ? (dwFlags | TKHDF_SORTARROWS) : (dwFlags & ~TKHDF_SORTARROWS));
    }
}

void CTKHeaderCtrl::ApplyFontBold(BOOL bBold)
{
    CTKPSharedMetrics* pMetrics = GetSharedMetrics();
    CFont& font = bBold ? pMetrics->m_fontBold : pMetrics->m_fontNormal;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), TRUE);
}

void CTKHeaderCtrl::SetFontBold(BOOL bBold)
{
    ApplyFontBold(bBold);
    RedrawWindow();
}

void CTKHeaderCtrl::SetPopupMenu(UINT nMenuID, int nSubMenu)
{
    m_nPopupMenuID = nMenuID;
    m_nPopupSubMenu = nSubMenu;
}

void CTKHeaderCtrl::FixColumn(int nColumn, BOOL bFixed)
{
    POSITION pos = m_listFixedColumns.Find(nColumn);
    if (bFixed && pos == NULL)
        m_listFixedColumns.AddTail(nColumn);
    else if (!bFixed && pos != NULL)
        m_listFixedColumns.RemoveAt(pos);
}

BOOL CTKHeaderCtrl::IsColumnFixed(int nColumn) const
{
    return m_listFixedColumns.Find(nColumn) != NULL;
}

BOOL CTKHeaderCtrl::IsParentList() const
{
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (pParent && (pParent->IsKindOf(RUNTIME_CLASS(CListCtrl)) || pParent->IsKindOf(RUNTIME_CLASS(CListView))))
        return TRUE;
    // A list without an object of this library still is a list.
    WCHAR szClass[32] = L"";
    ::GetClassNameW(::GetParent(m_hWnd), szClass, 32);
    return lstrcmpiW(szClass, WC_LISTVIEWW) == 0;
}

int CTKHeaderCtrl::HitTestItem(CPoint point)
{
    HDHITTESTINFO hit = {};
    hit.pt = point;
    SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return (hit.flags & HHT_ONHEADER) ? hit.iItem : -1;
}

BOOL CTKHeaderCtrl::IsItemPressed(int nItem)
{
    if (!m_bLButtonDown)
        return FALSE;
    CTKPClientCursorPos pt(this);
    return HitTestItem(pt) == nItem;
}

int CTKHeaderCtrl::SetColumnAlignment(int nFormat)
{
    const int nItem = HitTestItem(m_ptLastRClick);
    if (nItem < 0 || !IsParentList())
        return 0;
    HWND hList = ::GetParent(m_hWnd);
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT;
    if (::SendMessageW(hList, LVM_GETCOLUMNW, nItem, reinterpret_cast<LPARAM>(&column))) {
        column.fmt = (column.fmt & ~LVCFMT_JUSTIFYMASK) | (nFormat & LVCFMT_JUSTIFYMASK);
        ::SendMessageW(hList, LVM_SETCOLUMNW, nItem, reinterpret_cast<LPARAM>(&column));
        ::SendMessageW(hList, LVM_SETWORKAREAS, 0, 0);
    }
    return 0;
}

void CTKHeaderCtrl::SendSortClick(int nItem)
{
    if (!IsParentList())
        return;
    WCHAR szText[256] = L"";
    HDITEMW item = {};
    item.mask = 0xBF;
    item.pszText = szText;
    item.cchTextMax = 256;
    SendMessage(HDM_GETITEMW, nItem, reinterpret_cast<LPARAM>(&item));
    NMHEADERW notify = {};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = GetDlgCtrlID();
    notify.hdr.code = HDN_ITEMCLICKW;
    notify.iItem = nItem;
    notify.iButton = 1;
    notify.pitem = &item;
    HWND hList = ::GetParent(m_hWnd);
    ::SendMessageW(hList, WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
    CWnd::SendMessageToDescendants(hList, WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify), TRUE, FALSE);
}

void CTKHeaderCtrl::SortFromMenu(BOOL bAscending)
{
    const int nItem = HitTestItem(m_ptLastRClick);
    if (nItem < 0 || (nItem == m_nSortColumn && m_bAscending == bAscending))
        return;
    SetSortArrow(nItem, bAscending);
    SendSortClick(nItem);
}

void CTKHeaderCtrl::OnSortAscending()
{
    SortFromMenu(TRUE);
}
void CTKHeaderCtrl::OnSortDescending()
{
    SortFromMenu(FALSE);
}
void CTKHeaderCtrl::OnAlignLeft()
{
    SetColumnAlignment(LVCFMT_LEFT);
}
void CTKHeaderCtrl::OnAlignCenter()
{
    SetColumnAlignment(LVCFMT_CENTER);
}
void CTKHeaderCtrl::OnAlignRight()
{
    SetColumnAlignment(LVCFMT_RIGHT);
}

void CTKHeaderCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    m_ptLastRClick = point;
    if ((::GetWindowLongW(::GetParent(m_hWnd), GWL_STYLE) & LVS_NOSORTHEADER) == 0 && m_bContextMenu) {
        ShowContextMenu(point);
        return;
    }
    CHeaderCtrl::OnRButtonDown(nFlags, point);
}

void CTKHeaderCtrl::ShowContextMenu(CPoint point)
{
    m_ptLastRClick = point;
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    CMenu menu;
    if (m_nPopupMenuID) {
        LPCTSTR lpszName = MAKEINTRESOURCE(m_nPopupMenuID);
        HMENU hMenu = ::LoadMenuW(AfxFindResourceHandle(lpszName, RT_MENU), lpszName);
        if (hMenu == NULL)
            return;
        if (HMENU hSub = ::GetSubMenu(hMenu, m_nPopupSubMenu)) {
            CWnd* pOwner = GetOwner() ? GetOwner() : GetParent();
            ::TrackPopupMenu(hSub, TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, 0, pOwner->GetSafeHwnd(), NULL);
        }
        ::DestroyMenu(hMenu);
        return;
    }
    const int nItem = HitTestItem(point);
    if (nItem < 0 || !GetResourceManager()->LoadMenu(&menu, IDR_TKCONTROL_MENUS))
        return;
    CMenu* pPopup = menu.GetSubMenu(kSortMenu);
    if (pPopup) {
        if (nItem == m_nSortColumn)
            pPopup->CheckMenuItem(m_bAscending ? ID_TKHEADER_SORT_ASC : ID_TKHEADER_SORT_DESC,
                MF_BYCOMMAND | MF_CHECKED);
        if (IsParentList()) {
            LVCOLUMNW column = {};
            column.mask = LVCF_FMT;
            if (::SendMessageW(::GetParent(m_hWnd), LVM_GETCOLUMNW, nItem, reinterpret_cast<LPARAM>(&column))) {
                const int nAlign = column.fmt & LVCFMT_JUSTIFYMASK;
                const UINT nID = nAlign == LVCFMT_RIGHT ? ID_TKHEADER_ALIGN_RIGHT
                    : nAlign == LVCFMT_CENTER           ? ID_TKHEADER_ALIGN_CENTER
                                                        : ID_TKHEADER_ALIGN_LEFT;
                pPopup->CheckMenuItem(nID, MF_BYCOMMAND | MF_CHECKED);
            }
        }
        TKTrackControlMenu(pPopup, TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, this, IDR_TKHEADER_MENU_ICONS);
    }
    menu.DestroyMenu();
}

// --- Sizing -------------------------------------------------------------------------------------------

int CTKHeaderCtrl::GetFixedColumnsWidth()
{
    int nWidth = 0;
    const int nCount = GetItemCount();
    for (POSITION pos = m_listFixedColumns.GetHeadPosition(); pos;) {
        const int nColumn = m_listFixedColumns.GetNext(pos);
        CRect rc;
        if (nColumn >= 0 && nColumn < nCount && GetItemRect(nColumn, &rc))
            nWidth += rc.Width();
    }
    return nWidth;
}

void CTKHeaderCtrl::ResizeColumnsToFit(int nWidth)
{
    const int nCount = GetItemCount();
    int nFixed = 0;
    for (int i = 0; i < nCount; ++i)
        if (IsColumnFixed(i))
            ++nFixed;
    const int nShared = nCount - nFixed;
    if (nShared < 1)
        return;
    const int nShare = nWidth / nShared;
    if (nShare <= m_nMinColumnWidth)
        return;
    HWND hList = ::GetParent(m_hWnd);
    for (int i = 0; i < nCount; ++i)
        if (!IsColumnFixed(i))
            ::SendMessageW(hList, LVM_SETCOLUMNWIDTH, i, MAKELPARAM(nShare, 0));
}

void CTKHeaderCtrl::AutoSizeToWidth(int nWidth)
{
    if (nWidth < 1) {
        CRect rc;
        GetWindowRect(&rc);
        nWidth = rc.Width();
    }
    if (::GetWindowLongW(::GetParent(m_hWnd), GWL_STYLE) & WS_VSCROLL)
        nWidth -= ::GetSystemMetrics(SM_CXVSCROLL);
    nWidth -= GetFixedColumnsWidth();
    ResizeColumnsToFit(nWidth);
}

void CTKHeaderCtrl::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    if (!m_bAutoSize) {
        CHeaderCtrl::OnWindowPosChanging(lpwndpos);
        return;
    }
    // Sizing the columns makes the list lay its header out again: that must not size them again.
    if (m_bAutoSizing || (lpwndpos->flags & SWP_NOSIZE) || GetItemCount() <= 0 || ::GetCapture() == ::GetParent(m_hWnd))
        return;
    CRect rc;
    GetWindowRect(&rc);
    if (lpwndpos->cx == rc.Width())
        return;
    m_bAutoSizing = TRUE;
    AutoSizeToWidth(lpwndpos->cx);
    m_bAutoSizing = FALSE;
}

BOOL CTKHeaderCtrl::OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMHEADERW* pNotify = reinterpret_cast<NMHEADERW*>(pNMHDR);
    if (pNotify->pitem && (pNotify->pitem->mask & HDI_WIDTH) &&
        (IsColumnFixed(pNotify->iItem) || pNotify->pitem->cxy < m_nMinColumnWidth)) {
        *pResult = TRUE;
        return TRUE;
    }
    return FALSE;
}

BOOL CTKHeaderCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (!m_listFixedColumns.IsEmpty()) {
        CTKPClientCursorPos pt(this);
        const int nCount = GetItemCount();
        for (int i = 0; i < nCount; ++i) {
            CRect rc;
            if (!GetItemRect(i, &rc) || !rc.PtInRect(pt))
                continue;
            BOOL bArrow = IsColumnFixed(i);
            if (!bArrow) {
                // Near the divider it shares with a fixed neighbour the item cannot be sized either.
                const int nNeighbour = m_bRTL ? i + 1 : i - 1;
                if (nNeighbour >= 0 && nNeighbour < nCount && IsColumnFixed(nNeighbour))
                    bArrow = m_bRTL ? pt.x >= rc.left + rc.Width() / 2 : pt.x <= rc.left + rc.Width() / 2;
            }
            if (bArrow) {
                ::SetCursor(::LoadCursorW(NULL, IDC_ARROW));
                return TRUE;
            }
            break;
        }
    }
    return CHeaderCtrl::OnSetCursor(pWnd, nHitTest, message);
}

void CTKHeaderCtrl::RecalcLayout()
{
    if (!::IsWindow(m_hWnd))
        return;
    CRect rc;
    GetClientRect(&rc);
    WINDOWPOS pos = {};
    HDLAYOUT layout = {&rc, &pos};
    if (SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)))
        ::SetWindowPos(m_hWnd, pos.hwndInsertAfter, pos.x, pos.y, pos.cx, pos.cy, pos.flags | SWP_FRAMECHANGED);
    if (CWnd* pParent = GetParent()) {
        CRect rcParent;
        pParent->GetWindowRect(&rcParent);
        pParent->SetWindowPos(NULL, 0, 0, rcParent.Width(), rcParent.Height() + 1, SWP_NOMOVE | SWP_NOZORDER);
        pParent->SetWindowPos(NULL, 0, 0, rcParent.Width(), rcParent.Height(), SWP_NOMOVE | SWP_NOZORDER);
    }
}

// --- Painting and tracking ------------------------------------------------------------------------------

void CTKHeaderCtrl::OnPaint()
{
    CTKHeaderCtrlTheme* pTheme = GetHeaderTheme();
    if (pTheme == NULL) {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CTKPBufferedDC buffer(dc.GetSafeHdc(), rcClient);
    pTheme->DrawHeader(&buffer, this);
}

BOOL CTKHeaderCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CTKHeaderCtrl::OnLayout(WPARAM, LPARAM lParam)
{
    if (CTKHeaderCtrlTheme* pTheme = GetHeaderTheme())
        return pTheme->Layout(reinterpret_cast<LPHDLAYOUT>(lParam), this);
    return Default();
}

void CTKHeaderCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bLButtonDown = TRUE;
    CHeaderCtrl::OnLButtonDown(nFlags, point);
}

void CTKHeaderCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bLButtonDown = FALSE;
    CHeaderCtrl::OnLButtonUp(nFlags, point);
}

void CTKHeaderCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CTKHeaderCtrlTheme* pTheme = GetHeaderTheme();
    if (pTheme && pTheme->IsThemeActive())
        SetTimer(kHotTimer, 10);
    CHeaderCtrl::OnMouseMove(nFlags, point);
}

void CTKHeaderCtrl::OnHotTrackTimer()
{
    const int nItem = HitTestItem(CTKPClientCursorPos(this));
    if (nItem < 0) {
        KillTimer(kHotTimer);
        if (m_bHotPainted)
            RedrawWindow();
        m_bHotPainted = FALSE;
        m_nHotItem = -1;
        return;
    }
    if (nItem != m_nHotItem) {
        m_nHotItem = nItem;
        m_bHotPainted = FALSE;
    }
    if (!m_bHotPainted) {
        RedrawWindow();
        m_bHotPainted = TRUE;
    }
}

void CTKHeaderCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHotTimer)
        OnHotTrackTimer();
    else
        CHeaderCtrl::OnTimer(nIDEvent);
}

void CTKHeaderCtrl::OnDestroy()
{
    if (CTKHeaderCtrlTheme* pTheme = GetHeaderTheme())
        pTheme->Destroy(this);
    CHeaderCtrl::OnDestroy();
}
