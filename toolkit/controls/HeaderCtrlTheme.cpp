#include "toolkit/controls/HeaderCtrlTheme.h"

#include "toolkit/base/DCSelectors.h"
#include "toolkit/controls/ControlColors.h"
#include "toolkit/controls/HeaderCtrl.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CTKHeaderCtrlThemeFactory, CTKThemeManagerStyleFactory)

CTKThemeManagerStyle* CTKHeaderCtrlThemeFactory::CreateTheme(int nTheme)
{
    CTKThemeManagerStyle* pStyle;
    if (nTheme == 1)
        pStyle = new CTKHeaderCtrlThemeFlat;
    else if (nTheme == 2)
        pStyle = new CTKHeaderCtrlThemeGradient;
    else
        pStyle = new CTKHeaderCtrlTheme;
    pStyle->m_nTheme = nTheme;
    return pStyle;
}

namespace {
// A colour p per cent of the way from one colour to another.
COLORREF Between(COLORREF from, COLORREF to, int percent)
{
    auto channel = [percent](int a, int b) { return a + (b - a) * percent / 100; };
    return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
        channel(GetBValue(from), GetBValue(to)));
}

void VerticalLine(CDC* pDC, int x, int top, int bottom, COLORREF clr)
{
    if (bottom > top)
        pDC->FillSolidRect(x, top, 1, bottom - top, clr);
}
}  // namespace

CTKHeaderCtrlTheme::CTKHeaderCtrlTheme()
    : m_nArrowGap(10), m_dwDrawFlags(TKHDF_VISUALSTYLES | TKHDF_HOTTRACK | TKHDF_SORTARROWS), m_bUseVisualStyles(FALSE),
      m_nTextMargin(6), m_nTextTop(0), m_nArrowWidth(8), m_nArrowHeight(7)
{}

CTKHeaderCtrlTheme::~CTKHeaderCtrlTheme()
{
    m_themeHeader.CloseThemeData();
}

void CTKHeaderCtrlTheme::RefreshMetrics()
{
    m_clrText.SetStandardValue(tkcolor::Get(tkcolor::ButtonText));
    m_clrFace.SetStandardValue(tkcolor::Get(tkcolor::Face));
    m_clrShadow.SetStandardValue(tkcolor::Get(tkcolor::Shadow));
    m_clrDarkShadow.SetStandardValue(tkcolor::Get(tkcolor::DarkShadow));
    m_clrHighlight.SetStandardValue(tkcolor::Get(tkcolor::Hilite));
    m_themeHeader.OpenThemeData(NULL, L"HEADER");
    SetDrawFlags(m_dwDrawFlags);
}

BOOL CTKHeaderCtrlTheme::IsThemeActive()
{
    return (m_dwDrawFlags & TKHDF_VISUALSTYLES) && m_themeHeader.GetThemeHandle() != NULL &&
        m_themeHeader.IsAppThemed();
}

void CTKHeaderCtrlTheme::SetDrawFlags(DWORD dwFlags)
{
    m_dwDrawFlags = dwFlags;
    m_bUseVisualStyles = IsThemeActive();
}

LRESULT CTKHeaderCtrlTheme::Layout(LPHDLAYOUT lpLayout, CTKHeaderCtrl* pHeader)
{
    return pHeader->DefWindowProc(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(lpLayout));
}

void CTKHeaderCtrlTheme::Destroy(CTKHeaderCtrl* pHeader)
{
    const int nCount = pHeader->GetItemCount();
    for (int i = 0; i < nCount; ++i) {
        HDITEMW item = {};
        item.mask = HDI_FORMAT | HDI_BITMAP;
        if (pHeader->SendMessage(HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item)) && (item.fmt & HDF_BITMAP) &&
            item.hbm) {
            ::ImageList_Destroy(reinterpret_cast<HIMAGELIST>(item.hbm));
            item.hbm = NULL;
            item.fmt &= ~HDF_BITMAP;
            pHeader->SendMessage(HDM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
        }
    }
}

BOOL CTKHeaderCtrlTheme::SetItemBitmap(int nItem, UINT nIDBitmap, BOOL bRemove, COLORREF clrMask,
    CTKHeaderCtrl* pHeader)
{
    HDITEMW item = {};
    item.mask = HDI_FORMAT | HDI_BITMAP;
    if (!pHeader->SendMessage(HDM_GETITEMW, nItem, reinterpret_cast<LPARAM>(&item)))
        return FALSE;
    // The item's bitmap field holds the image list of its picture.
    if ((item.fmt & HDF_BITMAP) && item.hbm)
        ::ImageList_Destroy(reinterpret_cast<HIMAGELIST>(item.hbm));
    item.hbm = NULL;
    item.fmt &= ~HDF_BITMAP;
    pHeader->SendMessage(HDM_SETITEMW, nItem, reinterpret_cast<LPARAM>(&item));
    pHeader->Invalidate();
    if (bRemove)
        return FALSE;

    LPCTSTR lpszName = MAKEINTRESOURCE(nIDBitmap);
    HBITMAP hBitmap = ::LoadBitmapW(AfxGetResourceHandle(), lpszName);
    if (hBitmap == NULL)
        return FALSE;
    BITMAP bm = {};
    ::GetObjectW(hBitmap, sizeof(bm), &bm);
    HIMAGELIST hList = ::ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0);
    const BOOL bAdded = hList && ::ImageList_AddMasked(hList, hBitmap, clrMask) >= 0;
    ::DeleteObject(hBitmap);
    if (!bAdded) {
        if (hList)
            ::ImageList_Destroy(hList);
        return FALSE;
    }
    item.fmt |= HDF_BITMAP;
    item.hbm = reinterpret_cast<HBITMAP>(hList);
    pHeader->SendMessage(HDM_SETITEMW, nItem, reinterpret_cast<LPARAM>(&item));
    pHeader->Invalidate();
    return TRUE;
}

void CTKHeaderCtrlTheme::DrawHeader(CDC* pDC, CTKHeaderCtrl* pHeader)
{
    CRect rcClient;
    pHeader->GetClientRect(&rcClient);
    if (!(m_bUseVisualStyles && DrawThemedBackground(pDC, rcClient)))
        DrawItemBackground(pDC, rcClient);

    CTKPFontSelector font(pDC, pHeader->GetFont());
    const COLORREF clrOldText = pDC->SetTextColor(m_clrText);
    const COLORREF clrOldBack = pDC->SetBkColor(m_clrFace);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);

    // Items in display order.
    const int nCount = pHeader->GetItemCount();
    std::vector<int> order(nCount > 0 ? nCount : 0);
    std::vector<int> widths(order.size());
    for (int i = 0; i < nCount; ++i)
        order[i] = i;
    for (int i = 0; i < nCount; ++i) {
        HDITEMW item = {};
        item.mask = HDI_ORDER | HDI_WIDTH;
        pHeader->SendMessage(HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        widths[i] = item.cxy;
        if (item.iOrder >= 0 && item.iOrder < nCount)
            order[item.iOrder] = i;
    }
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    pHeader->ScreenToClient(&ptCursor);
    HDHITTESTINFO hit = {};
    hit.pt = ptCursor;
    pHeader->SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));

    int x = rcClient.left;
    for (int nPos = 0; nPos < nCount; ++nPos) {
        const int nItem = order[nPos];
        const CRect rcItem(x, rcClient.top, x + widths[nItem], rcClient.bottom);
        x += widths[nItem];
        UINT nState = 0;
        if ((m_dwDrawFlags & TKHDF_HOTTRACK) && hit.iItem == nItem && (hit.flags & HHT_ONHEADER))
            nState |= TKHIS_HOT;
        if (pHeader->IsItemPressed(nItem))
            nState |= TKHIS_PRESSED;
        if (!(m_bUseVisualStyles && DrawThemedItem(pDC, rcItem, nState)))
            DrawItemDivider(pDC, rcItem, nState);
        DrawItemText(pDC, rcItem, nItem, nState, pHeader);
    }
    pDC->SetBkMode(nOldMode);
    pDC->SetBkColor(clrOldBack);
    pDC->SetTextColor(clrOldText);
}

void CTKHeaderCtrlTheme::DrawItemBackground(CDC* pDC, const CRect& rect)
{
    pDC->FillSolidRect(&rect, m_clrFace);
    CRect rc = rect;
    rc.right += 2;
    pDC->Draw3dRect(&rc, m_clrHighlight, m_clrDarkShadow);
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(&rc, m_clrFace, m_clrShadow);
}

BOOL CTKHeaderCtrlTheme::DrawThemedBackground(CDC* pDC, const CRect& rect)
{
    if ((m_dwDrawFlags & TKHDF_HOTTRACK) == 0)
        return FALSE;
    return SUCCEEDED(m_themeHeader.DrawThemeBackground(pDC->GetSafeHdc(), 0, 1, &rect, NULL));
}

void CTKHeaderCtrlTheme::DrawItemDivider(CDC* pDC, const CRect& rect, UINT nState)
{
    const int x = rect.right;
    if (nState & TKHIS_PRESSED) {
        pDC->Draw3dRect(&rect, m_clrShadow, m_clrShadow);
        VerticalLine(pDC, x, rect.top, rect.bottom, m_clrHighlight);
        pDC->FillSolidRect(rect.left + 1, rect.bottom - 2, rect.Width() - 2, 1, m_clrFace);
        return;
    }
    VerticalLine(pDC, x - 2, rect.top, rect.bottom, m_clrShadow);
    VerticalLine(pDC, x - 1, rect.top, rect.bottom, m_clrDarkShadow);
    VerticalLine(pDC, x, rect.top, rect.bottom, m_clrHighlight);
}

BOOL CTKHeaderCtrlTheme::DrawThemedItem(CDC* pDC, const CRect& rect, UINT nState)
{
    int nPartState = 1;  // HIS_NORMAL
    if (nState & TKHIS_HOT)
        nPartState = 2;  // HIS_HOT
    if (nState & TKHIS_PRESSED)
        nPartState = 3;  // HIS_PRESSED
    return SUCCEEDED(m_themeHeader.DrawThemeBackground(pDC->GetSafeHdc(), 1, nPartState, &rect, NULL));
}

BOOL CTKHeaderCtrlTheme::GetSortArrowPosition(const CRect& rcItem, int xTextRight, UINT nState, CPoint& pt)
{
    pt.x = xTextRight + m_nArrowGap;
    pt.y = rcItem.top + (rcItem.Height() - m_nArrowHeight) / 2 - 1;
    if (nState & TKHIS_PRESSED)
        pt.Offset(1, 1);
    return pt.x >= rcItem.left;
}

int CTKHeaderCtrlTheme::DrawItemBitmap(CDC* pDC, const CRect& rcItem, const CRect& rcText, HDITEMW& item, UINT nState)
{
    HIMAGELIST hList = reinterpret_cast<HIMAGELIST>(item.hbm);
    int cx = 0, cy = 0;
    if (hList == NULL || !::ImageList_GetIconSize(hList, &cx, &cy))
        return 0;
    int x = rcText.left;
    int y = rcItem.top + (rcItem.Height() - cy) / 2;
    if (nState & TKHIS_PRESSED) {
        ++x;
        ++y;
    }
    if (x + cx > rcItem.right)
        return 0;
    ::ImageList_Draw(hList, 0, pDC->GetSafeHdc(), x, y, ILD_TRANSPARENT);
    return cx + m_nTextMargin;
}

void CTKHeaderCtrlTheme::DrawItemText(CDC* pDC, const CRect& rcItem, int nItem, UINT nState, CTKHeaderCtrl* pHeader)
{
    WCHAR szText[256] = L"";
    HDITEMW item = {};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_BITMAP;
    item.pszText = szText;
    item.cchTextMax = 256;
    if (!pHeader->SendMessage(HDM_GETITEMW, nItem, reinterpret_cast<LPARAM>(&item)))
        return;
    szText[255] = 0;

    BOOL bAscending = TRUE;
    const BOOL bSorted = pHeader->GetSortColumn(&bAscending) == nItem;
    CRect rcText = rcItem;
    rcText.DeflateRect(m_nTextMargin, 0);
    if (bSorted)
        rcText.right -= 2 * m_nArrowGap + m_nArrowWidth;
    if (m_nTextTop != 0)
        rcText.top = rcItem.top + m_nTextTop;

    if ((item.fmt & HDF_BITMAP) && item.hbm)
        rcText.left += DrawItemBitmap(pDC, rcItem, rcText, item, nState);

    const int nTextWidth = pDC->GetTextExtent(szText, lstrlenW(szText)).cx;
    int left;
    switch (item.fmt & HDF_JUSTIFYMASK) {
    case HDF_RIGHT:
        left = rcText.right - nTextWidth;
        break;
    case HDF_CENTER:
        left = rcText.left + (rcText.Width() - nTextWidth) / 2;
        break;
    default:
        left = rcText.left;
    }
    left = std::max<int>(left, rcText.left);
    CRect rcDraw(left, rcText.top, std::min<int>(left + nTextWidth, rcText.right), rcText.bottom);
    if (rcDraw.right < rcDraw.left)
        rcDraw.right = rcDraw.left;

    if (bSorted && (m_dwDrawFlags & TKHDF_SORTARROWS)) {
        CPoint pt;
        if (GetSortArrowPosition(rcItem, rcDraw.right, nState, pt))
            DrawArrow(pDC, pt, bAscending);
    }
    if (!rcDraw.IsRectEmpty()) {
        if (nState & TKHIS_PRESSED)
            rcDraw.OffsetRect(1, 1);
        pDC->DrawText(szText, -1, &rcDraw, DT_END_ELLIPSIS | DT_VCENTER | DT_SINGLELINE);
    }
}

void CTKHeaderCtrlTheme::DrawArrow(CDC* pDC, CPoint pt, BOOL bAscending)
{
    // An engraved triangle: the edges facing the light in the highlight colour.
    const int left = pt.x, right = pt.x + m_nArrowWidth, middle = pt.x + m_nArrowWidth / 2;
    const int top = pt.y, bottom = pt.y + m_nArrowHeight;
    HDC hdc = pDC->GetSafeHdc();
    if (bAscending) {
        CTKPPenSelector pen(hdc, m_clrHighlight);
        pDC->MoveTo(middle, top);
        pDC->LineTo(right, bottom);
        pDC->LineTo(left, bottom);
        pen.SetColor(m_clrShadow);
        pDC->LineTo(middle, top);
    } else {
        CTKPPenSelector pen(hdc, m_clrShadow);
        pDC->MoveTo(middle, bottom);
        pDC->LineTo(left, top);
        pDC->LineTo(right, top);
        pen.SetColor(m_clrHighlight);
        pDC->LineTo(middle, bottom);
    }
}

// --- Flat ---------------------------------------------------------------------------------------------

CTKHeaderCtrlThemeFlat::CTKHeaderCtrlThemeFlat()
{
    m_dwDrawFlags = TKHDF_SORTARROWS;
}

void CTKHeaderCtrlThemeFlat::DrawItemBackground(CDC* pDC, const CRect& rect)
{
    pDC->FillSolidRect(&rect, m_clrFace);
    CRect rc = rect;
    rc.right += 2;
    pDC->Draw3dRect(&rc, m_clrHighlight, m_clrShadow);
}

void CTKHeaderCtrlThemeFlat::DrawItemDivider(CDC* pDC, const CRect& rect, UINT)
{
    VerticalLine(pDC, rect.right - 2, rect.top + 2, rect.bottom - 2, m_clrShadow);
    VerticalLine(pDC, rect.right - 1, rect.top + 2, rect.bottom - 2, m_clrHighlight);
}

// --- Gradient -----------------------------------------------------------------------------------------

CTKHeaderCtrlThemeGradient::CTKHeaderCtrlThemeGradient()
{
    m_nTextTop = 2;
}

void CTKHeaderCtrlThemeGradient::DrawItemBackground(CDC* pDC, const CRect& rect)
{
    const COLORREF face = m_clrFace, shadow = m_clrShadow;
    pDC->FillSolidRect(&rect, face);
    CRect rc = rect;
    rc.right += 2;
    pDC->Draw3dRect(&rc, m_clrHighlight, Between(face, shadow, 60));
    pDC->FillSolidRect(rc.left + 1, rc.bottom - 2, rc.Width() - 2, 1, Between(face, shadow, 40));
    pDC->FillSolidRect(rc.left + 1, rc.bottom - 3, rc.Width() - 2, 1, Between(face, shadow, 25));
}

LRESULT CTKHeaderCtrlThemeGradient::Layout(LPHDLAYOUT lpLayout, CTKHeaderCtrl* pHeader)
{
    if (lpLayout == NULL || lpLayout->prc == NULL || lpLayout->pwpos == NULL)
        return FALSE;
    TEXTMETRICW tm = {};
    {
        CClientDC dc(pHeader);
        CTKPFontSelector font(&dc, pHeader->GetFont());
        ::GetTextMetricsW(dc.GetSafeHdc(), &tm);
    }
    const int nHeight = tm.tmHeight + 10;
    RECT* prc = lpLayout->prc;
    WINDOWPOS* pPos = lpLayout->pwpos;
    pPos->hwnd = pHeader->GetSafeHwnd();
    pPos->hwndInsertAfter = NULL;
    pPos->x = prc->left;
    pPos->y = prc->top;
    pPos->cx = prc->right - prc->left;
    pPos->cy = nHeight;
    pPos->flags = SWP_NOZORDER | SWP_NOACTIVATE;
    prc->top += nHeight;
    return TRUE;
}
