#include "toolkit/controls/ListBase.h"

#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/MemDC.h"
#include "toolkit/base/ProfileStore.h"
#include "toolkit/base/SharedMetrics.h"

#include <algorithm>
#include <vector>

namespace {
const TCHAR kDefaultSection[] = _T("Settings");
const TCHAR kDefaultEntry[] = _T("Column Info");
}  // namespace

CTKListBase::CTKListBase()
    : m_nMinColumnWidth(0), m_nMaxColumnWidth(0), m_nSortColumn(-1), m_bUseToolkitFont(FALSE),
      m_bSaveColumnWidths(FALSE), m_bCustomColors(FALSE), m_bRowColors(FALSE), m_bHighlightSortedColumn(FALSE),
      m_bAscending(TRUE), m_bNoColumnSizing(FALSE), m_clrListText((COLORREF)-1), m_clrListBack((COLORREF)-1),
      m_clrSortedText((COLORREF)-1), m_clrSortedBack((COLORREF)-1), m_listRowColors(10), m_pListWnd(NULL)
{
    RefreshColors();
}

CTKListBase::~CTKListBase() {}

COLORREF CTKListBase::MixColors(COLORREF a, COLORREF b, int nPercent)
{
    auto channel = [nPercent](int x, int y) {
        return std::min(255, std::max(0, (x * (100 - nPercent) + y * nPercent) / 100));
    };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
        channel(GetBValue(a), GetBValue(b)));
}

COLORREF CTKListBase::SubtractColor(COLORREF a, COLORREF b)
{
    auto channel = [](int x, int y) { return std::max(0, x - y); };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
        channel(GetBValue(a), GetBValue(b)));
}

LRESULT CTKListBase::SendList(UINT message, WPARAM wParam, LPARAM lParam) const
{
    HWND hList = ListHwnd();
    return hList ? ::SendMessageW(hList, message, wParam, lParam) : 0;
}

BOOL CTKListBase::IsReportView() const
{
    HWND hList = ListHwnd();
    return hList && (::GetWindowLongW(hList, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
}

HWND CTKListBase::HeaderHwnd() const
{
    HWND hList = ListHwnd();
    return hList ? ::GetDlgItem(hList, 0) : NULL;
}

COLORREF CTKListBase::ListBackColor() const
{
    return (m_bCustomColors && m_clrListBack != (COLORREF)-1) ? m_clrListBack : ::GetSysColor(COLOR_WINDOW);
}

COLORREF CTKListBase::ListTextColor() const
{
    return (m_bCustomColors && m_clrListText != (COLORREF)-1) ? m_clrListText : ::GetSysColor(COLOR_WINDOWTEXT);
}

void CTKListBase::RefreshColors()
{
    m_nMaxColumnWidth = ::GetSystemMetrics(SM_CXFULLSCREEN);
    m_clrSortedBack = SubtractColor(ListBackColor(), RGB(8, 8, 8));
    m_clrSortedText = ListTextColor();
}

// --- Sorting ------------------------------------------------------------------------------------------

int CTKListBase::SetSortColumn(int nColumn, BOOL bAscending)
{
    const int nOld = m_nSortColumn;
    m_nSortColumn = nColumn;
    m_bAscending = bAscending == TRUE;
    CWnd* pHeader = CWnd::FromHandlePermanent(HeaderHwnd());
    if (pHeader && pHeader->IsKindOf(RUNTIME_CLASS(CTKHeaderCtrl)))
        return static_cast<CTKHeaderCtrl*>(pHeader)->SetSortArrow(nColumn, m_bAscending);
    return nOld;
}

int CTKListBase::GetSortColumn(BOOL* pbAscending) const
{
    if (pbAscending)
        *pbAscending = m_bAscending;
    return m_nSortColumn;
}

BOOL CTKListBase::SortList(int, BOOL)
{
    return TRUE;
}

// --- Column widths in the profile -----------------------------------------------------------------------

void CTKListBase::SetColumnProfile(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    m_bSaveColumnWidths = TRUE;
    m_strSection = lpszSection ? lpszSection : kDefaultSection;
    m_strEntry = lpszEntry ? lpszEntry : kDefaultEntry;
    if (lpszDefault)
        m_strDefaultWidths = lpszDefault;
    RestoreColumnWidths();
}

void CTKListBase::SaveColumnWidths()
{
    if (!IsReportView() || HeaderHwnd() == NULL)
        return;
    // Field c holds the width of column c, whatever the column's place on screen.
    const int nCount = static_cast<int>(::SendMessageW(HeaderHwnd(), HDM_GETITEMCOUNT, 0, 0));
    CString strWidths;
    for (int nColumn = 0; nColumn < nCount; ++nColumn) {
        CString strField;
        strField.Format(_T("%d,"), static_cast<int>(SendList(LVM_GETCOLUMNWIDTH, nColumn)));
        strWidths += strField;
    }
    CTKProfileStore().WriteString(m_strSection, m_strEntry, strWidths);
}

BOOL CTKListBase::ReadColumnWidth(int nColumn, int* pWidth)
{
    if (nColumn < 0)
        return FALSE;
    const CString strWidths = CTKProfileStore().ReadString(m_strSection, m_strEntry, m_strDefaultWidths);
    int nStart = 0;
    for (int nField = 0; nField < nColumn; ++nField) {
        const int nComma = strWidths.Find(_T(','), nStart);
        if (nComma < 0)
            return FALSE;
        nStart = nComma + 1;
    }
    int nEnd = strWidths.Find(_T(','), nStart);
    if (nEnd < 0)
        nEnd = strWidths.GetLength();
    CString strField = strWidths.Mid(nStart, nEnd - nStart);
    strField.Trim();
    // A field that is missing or no number leaves the column's width as it is: restoring 0 would
    // collapse every column of a list that has no widths stored yet.
    if (strField.IsEmpty() || strField.GetLength() > 6 || strField.SpanIncluding(_T("0123456789")) != strField)
        return FALSE;
    *pWidth = _ttoi(strField);
    return TRUE;
}

int CTKListBase::LoadColumnWidth(int nColumn)
{
    int nWidth = 0;
    return ReadColumnWidth(nColumn, &nWidth) ? nWidth : 0;
}

void CTKListBase::RestoreColumnWidth(int nColumn)
{
    int nWidth = 0;
    if (ReadColumnWidth(nColumn, &nWidth))
        SendList(LVM_SETCOLUMNWIDTH, nColumn, MAKELPARAM(LOWORD(nWidth), 0));
}

void CTKListBase::RestoreColumnWidths()
{
    if (!IsReportView() || HeaderHwnd() == NULL)
        return;
    const int nCount = static_cast<int>(::SendMessageW(HeaderHwnd(), HDM_GETITEMCOUNT, 0, 0));
    for (int nColumn = 0; nColumn < nCount; ++nColumn)
        RestoreColumnWidth(nColumn);
}

// --- Columns ------------------------------------------------------------------------------------------

void CTKListBase::AutoSizeColumn(int nColumn)
{
    HWND hHeader = HeaderHwnd();
    if (hHeader == NULL)
        return;
    SendList(WM_SETREDRAW, FALSE);
    const int nCount = static_cast<int>(::SendMessageW(hHeader, HDM_GETITEMCOUNT, 0, 0));
    const int nFirst = std::max(nColumn, 0);
    const int nLast = nColumn == -1 ? nCount - 1 : std::min(nColumn, nCount - 1);
    CWnd* pHeaderWnd = CWnd::FromHandlePermanent(hHeader);
    const BOOL bArrows = pHeaderWnd && pHeaderWnd->IsKindOf(RUNTIME_CLASS(CTKFlatHeaderCtrl)) &&
        static_cast<CTKHeaderCtrl*>(pHeaderWnd)->HasSortArrows();

    HDC hdc = ::GetDC(hHeader);
    CTKPFontSelector font(hdc, reinterpret_cast<HFONT>(::SendMessageW(hHeader, WM_GETFONT, 0, 0)));
    for (int c = nFirst; c <= nLast; ++c) {
        SendList(LVM_SETCOLUMNWIDTH, c, MAKELPARAM(LVSCW_AUTOSIZE, 0));
        const int nContents = static_cast<int>(SendList(LVM_GETCOLUMNWIDTH, c));
        WCHAR szHeading[256] = L"";
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT;
        column.pszText = szHeading;
        column.cchTextMax = 256;
        SendList(LVM_GETCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
        szHeading[255] = 0;
        SIZE size = {};
        ::GetTextExtentPoint32W(hdc, szHeading, lstrlenW(szHeading), &size);
        int nHeading = size.cx + 12;
        if (bArrows && c == m_nSortColumn)
            nHeading += 24;
        int nWidth = std::max(nContents, nHeading);
        nWidth = std::max(nWidth, m_nMinColumnWidth);
        nWidth = std::min(nWidth, m_nMaxColumnWidth);
        SendList(LVM_SETCOLUMNWIDTH, c, MAKELPARAM(nWidth, 0));
    }
    ::ReleaseDC(hHeader, hdc);
    SendList(WM_SETREDRAW, TRUE);
    ::InvalidateRect(ListHwnd(), NULL, TRUE);
}

int CTKListBase::GetColumnCount()
{
    if (!IsReportView() || HeaderHwnd() == NULL)
        return -1;
    return static_cast<int>(::SendMessageW(HeaderHwnd(), HDM_GETITEMCOUNT, 0, 0));
}

int CTKListBase::AddColumn(LPCTSTR lpszHeading, int nFormat, int nWidth)
{
    HWND hHeader = HeaderHwnd();
    if (!IsReportView() || hHeader == NULL)
        return -1;
    const int nCount = static_cast<int>(::SendMessageW(hHeader, HDM_GETITEMCOUNT, 0, 0));
    if (nWidth == -1) {
        HDITEMW item = {};
        item.mask = HDI_WIDTH;
        if (nCount > 0 && ::SendMessageW(hHeader, HDM_GETITEMW, nCount - 1, reinterpret_cast<LPARAM>(&item))) {
            nWidth = item.cxy;
        } else {
            // The first column has no column before it to copy, and -1 is no width: as wide as its heading.
            nWidth = static_cast<int>(SendList(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(lpszHeading))) + 12;
        }
    }
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = nFormat;
    column.cx = nWidth;
    column.pszText = const_cast<LPWSTR>(lpszHeading);
    column.iSubItem = nCount;
    return static_cast<int>(SendList(LVM_INSERTCOLUMNW, nCount, reinterpret_cast<LPARAM>(&column)));
}

BOOL CTKListBase::AddColumns(int nCount, const int* pWidths, const LPCTSTR* pHeadings)
{
    for (int i = 0; i < nCount; ++i)
        if (AddColumn(pHeadings[i], LVCFMT_LEFT, pWidths[i]) < 0)
            return FALSE;
    return TRUE;
}

BOOL CTKListBase::AddColumns(int nCount, const int* pWidths, const UINT* pStringIDs)
{
    for (int i = 0; i < nCount; ++i) {
        CString strHeading;
        strHeading.LoadString(pStringIDs[i]);
        if (AddColumn(strHeading, LVCFMT_LEFT, pWidths[i]) < 0)
            return FALSE;
    }
    return TRUE;
}

DWORD CTKListBase::GetExtendedStyle()
{
    return static_cast<DWORD>(SendList(LVM_GETEXTENDEDLISTVIEWSTYLE));
}

void CTKListBase::AddExtendedStyle(DWORD dwExStyle)
{
    SendList(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, GetExtendedStyle() | dwExStyle);
}

BOOL CTKListBase::ModifyExtendedStyle(DWORD dwRemove, DWORD dwAdd)
{
    const DWORD dwOld = GetExtendedStyle();
    const DWORD dwNew = (dwOld & ~dwRemove) | dwAdd;
    if (dwNew == dwOld)
        return FALSE;
    SendList(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNew);
    return TRUE;
}

BOOL CTKListBase::SubclassHeader(BOOL bBoldFont)
{
    HWND hHeader = HeaderHwnd();
    if (!IsReportView() || hHeader == NULL || ::IsWindow(m_headerCtrl.GetSafeHwnd()))
        return FALSE;
    if (!m_headerCtrl.SubclassWindow(hHeader))
        return FALSE;
    m_headerCtrl.SetFontBold(bBoldFont);
    return TRUE;
}

BOOL CTKListBase::ApplyDefaultFont()
{
    HWND hList = ListHwnd();
    if (hList == NULL || !::IsWindow(hList))
        return FALSE;
    if (m_bUseToolkitFont)
        ::SendMessageW(hList, WM_SETFONT, reinterpret_cast<WPARAM>(GetSharedMetrics()->m_fontNormal.GetSafeHandle()),
            TRUE);
    return TRUE;
}

// --- Rows ---------------------------------------------------------------------------------------------

int CTKListBase::SubItemHitTest(CPoint point, int* pColumn)
{
    if (pColumn)
        *pColumn = -1;
    if (!IsReportView()) {
        LVHITTESTINFO hit = {};
        hit.pt = point;
        const int nRow = static_cast<int>(SendList(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (pColumn && nRow >= 0)
            *pColumn = 0;
        return nRow;
    }
    HWND hHeader = HeaderHwnd();
    const int nColumns = hHeader ? static_cast<int>(::SendMessageW(hHeader, HDM_GETITEMCOUNT, 0, 0)) : 0;
    std::vector<int> order(nColumns > 0 ? nColumns : 0);
    if (nColumns > 0)
        ::SendMessageW(hHeader, HDM_GETORDERARRAY, nColumns, reinterpret_cast<LPARAM>(order.data()));
    const int nTop = static_cast<int>(SendList(LVM_GETTOPINDEX));
    const int nEnd = std::min(nTop + static_cast<int>(SendList(LVM_GETCOUNTPERPAGE)),
        static_cast<int>(SendList(LVM_GETITEMCOUNT)) - 1);
    for (int nRow = nTop; nRow <= nEnd; ++nRow) {
        RECT rcRow = {LVIR_BOUNDS, 0, 0, 0};
        if (!SendList(LVM_GETITEMRECT, nRow, reinterpret_cast<LPARAM>(&rcRow)) || !::PtInRect(&rcRow, point))
            continue;
        int x = rcRow.left;
        for (int nPos = 0; nPos < nColumns; ++nPos) {
            const int nWidth = static_cast<int>(SendList(LVM_GETCOLUMNWIDTH, order[nPos]));
            if (point.x >= x && point.x <= x + nWidth) {
                if (pColumn)
                    *pColumn = order[nPos];
                return nRow;
            }
            x += nWidth;
        }
    }
    return -1;
}

int CTKListBase::CopyRow(int nFrom, int nTo)
{
    if (nFrom < 0 || nTo < 0 || nFrom == nTo)
        return -1;
    WCHAR szText[256] = L"";
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = nFrom;
    item.pszText = szText;
    item.cchTextMax = 256;
    if (!SendList(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return -1;
    szText[255] = 0;
    item.iItem = nTo;
    item.iSubItem = 0;
    const int nNew = static_cast<int>(SendList(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (nNew < 0)
        return -1;
    const int nSource = nFrom > nTo ? nFrom + 1 : nFrom;
    const int nColumns = GetColumnCount();
    for (int nColumn = 1; nColumn < nColumns; ++nColumn) {
        LVITEMW sub = {};
        sub.iSubItem = nColumn;
        sub.pszText = szText;
        sub.cchTextMax = 256;
        szText[0] = 0;
        SendList(LVM_GETITEMTEXTW, nSource, reinterpret_cast<LPARAM>(&sub));
        szText[255] = 0;
        if (szText[0]) {
            sub.iSubItem = nColumn;
            SendList(LVM_SETITEMTEXTW, nNew, reinterpret_cast<LPARAM>(&sub));
        }
    }
    return nSource;
}

BOOL CTKListBase::MoveRow(int nFrom, int nTo)
{
    if (nFrom < 0 || nTo < 0 || nFrom == nTo)
        return FALSE;
    const int nSource = CopyRow(nFrom, nTo);
    if (nSource < 0)
        return FALSE;
    return SendList(LVM_DELETEITEM, nSource) != 0;
}

void CTKListBase::SetRowColor(const CTKListRowColor& color)
{
    SetRowColor(color.nRow, color.clrText, color.clrBack);
}

void CTKListBase::SetRowColor(int nRow, COLORREF clrText, COLORREF clrBack)
{
    BOOL bFound = FALSE;
    for (POSITION pos = m_listRowColors.GetHeadPosition(); pos;) {
        CTKListRowColor& record = m_listRowColors.GetNext(pos);
        if (record.nRow == nRow) {
            record.clrText = clrText;
            record.clrBack = clrBack;
            bFound = TRUE;
            break;
        }
    }
    if (!bFound) {
        const CTKListRowColor record = {nRow, clrBack, clrText};
        m_listRowColors.AddHead(record);
    }
    const int nTop = static_cast<int>(SendList(LVM_GETTOPINDEX));
    if (nRow >= nTop && nRow <= nTop + static_cast<int>(SendList(LVM_GETCOUNTPERPAGE)) && ListHwnd())
        ::RedrawWindow(ListHwnd(), NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

const CTKListRowColor* CTKListBase::FindRowColor(int nRow) const
{
    for (POSITION pos = m_listRowColors.GetHeadPosition(); pos;) {
        const CTKListRowColor& record = m_listRowColors.GetNext(pos);
        if (record.nRow == nRow)
            return &record;
    }
    return NULL;
}

void CTKListBase::RemoveRowColors()
{
    m_listRowColors.RemoveAll();
}

void CTKListBase::SetListColors(COLORREF clrText, COLORREF clrBack)
{
    m_clrListText = clrText;
    m_clrListBack = clrBack;
    m_bCustomColors = TRUE;
    if (ListHwnd())
        ::RedrawWindow(ListHwnd(), NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// --- Notifications and painting -------------------------------------------------------------------------

BOOL CTKListBase::OnNotifyHeader(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
    HWND hHeader = HeaderHwnd();
    if (pHdr == NULL || hHeader == NULL || pHdr->hwndFrom != hHeader)
        return FALSE;
    // The wide and narrow forms share the layout of the fields read here.
    NMHEADERW* pNotify = reinterpret_cast<NMHEADERW*>(lParam);
    switch (pHdr->code) {
    case HDN_ITEMCHANGINGA:
    case HDN_ITEMCHANGINGW:
    case HDN_ENDTRACKW:
        if (pNotify->pitem && (pNotify->pitem->mask & HDI_WIDTH) && pNotify->pitem->cxy < m_nMinColumnWidth)
            pNotify->pitem->cxy = m_nMinColumnWidth;
        break;
    case HDN_BEGINTRACKA:
    case HDN_BEGINTRACKW:
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW:
        if (m_bNoColumnSizing) {
            *pResult = 1;
            return TRUE;
        }
        break;
    case HDN_ITEMCLICKA:
    case HDN_ITEMCLICKW: {
        CWnd* pWnd = CWnd::FromHandlePermanent(hHeader);
        if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CTKFlatHeaderCtrl)))
            break;
        CTKFlatHeaderCtrl* pHeader = static_cast<CTKFlatHeaderCtrl*>(pWnd);
        const int nColumn = pNotify->iItem;
        if (pNotify->iButton == 0)
            m_bAscending = nColumn == m_nSortColumn ? !m_bAscending : TRUE;
        else if (pNotify->iButton == 1)
            pHeader->GetSortColumn(&m_bAscending);
        else
            break;
        m_nSortColumn = nColumn;
        pHeader->SetSortArrow(nColumn, m_bAscending);
        SortList(nColumn, m_bAscending);
        break;
    }
    }
    return FALSE;
}

void CTKListBase::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* pDraw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    switch (pDraw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT:
        *pResult = CDRF_NOTIFYSUBITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        break;
    default:
        *pResult = 0;
        return;
    }
    const int nRow = static_cast<int>(pDraw->nmcd.dwItemSpec);
    const CTKListRowColor* pRow = FindRowColor(nRow);
    const BOOL bSorted = m_bHighlightSortedColumn && pDraw->iSubItem == m_nSortColumn;
    const BOOL bSelected = (SendList(LVM_GETITEMSTATE, nRow, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    const BOOL bUseRow = m_bRowColors && pRow && !bSelected;
    COLORREF clrText, clrBack;
    if (!::IsWindowEnabled(ListHwnd())) {
        clrText = ::GetSysColor(COLOR_WINDOWTEXT);
        clrBack = ::GetSysColor(COLOR_BTNFACE);
    } else if (bUseRow) {
        clrText = pRow->clrText;
        clrBack = pRow->clrBack;
        if (bSorted)
            clrBack = MixColors(clrBack, m_clrSortedBack != (COLORREF)-1 ? m_clrSortedBack : ListBackColor(), 50);
    } else if (bSorted) {
        clrText = m_clrSortedText != (COLORREF)-1 ? m_clrSortedText : ListTextColor();
        clrBack = m_clrSortedBack != (COLORREF)-1 ? m_clrSortedBack : ListBackColor();
    } else {
        clrText = ListTextColor();
        clrBack = ListBackColor();
    }
    pDraw->clrText = clrText;
    pDraw->clrTextBk = clrBack;
    *pResult = CDRF_DODEFAULT;
}

void CTKListBase::OnPaint()
{
    CPaintDC dc(m_pListWnd);
    CRect rcClient;
    m_pListWnd->GetClientRect(&rcClient);
    HWND hHeader = HeaderHwnd();
    const BOOL bReport = IsReportView();
    if (bReport && hHeader && ::IsWindowVisible(hHeader)) {
        CRect rcHeader;
        ::GetWindowRect(hHeader, &rcHeader);
        m_pListWnd->ScreenToClient(&rcHeader);
        dc.ExcludeClipRect(&rcHeader);
    }
    const COLORREF clrBack = m_pListWnd->IsWindowEnabled() ? ListBackColor() : ::GetSysColor(COLOR_BTNFACE);
    {
        CTKMemDC memDC(&dc, rcClient, CTKPColorGradient(clrBack));
        if (m_bHighlightSortedColumn && m_nSortColumn >= 0 && bReport && hHeader) {
            const int nColumns = static_cast<int>(::SendMessageW(hHeader, HDM_GETITEMCOUNT, 0, 0));
            std::vector<int> order(nColumns > 0 ? nColumns : 0);
            if (nColumns > 0)
                ::SendMessageW(hHeader, HDM_GETORDERARRAY, nColumns, reinterpret_cast<LPARAM>(order.data()));
            int x = rcClient.left - m_pListWnd->GetScrollPos(SB_HORZ);
            for (int nPos = 0; nPos < nColumns; ++nPos) {
                const int nWidth = static_cast<int>(SendList(LVM_GETCOLUMNWIDTH, order[nPos]));
                if (order[nPos] == m_nSortColumn)
                    memDC.FillSolidRect(x, rcClient.top, nWidth, rcClient.Height(),
                        m_clrSortedBack != (COLORREF)-1 ? m_clrSortedBack : ListBackColor());
                x += nWidth;
            }
        }
        m_pListWnd->DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(memDC.GetSafeHdc()), 0);
    }
    if (hHeader) {
        ::InvalidateRect(hHeader, NULL, TRUE);
        ::UpdateWindow(hHeader);
    }
}
