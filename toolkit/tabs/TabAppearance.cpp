#include "toolkit/tabs/TabAppearance.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/common/TabGeometry.h"
#include "toolkit/tabs/TabColorSet.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabRect.h"
#include "toolkit/tabs/TabTheme.h"

#include <algorithm>

CTKPTabAppearance::CTKPTabAppearance()
    : m_rcHeaderMargin(0, 0, 0, 0), m_nRowSpacing(-2), m_nRowHeight(18), m_pTheme(NULL), m_bDrawTowardsSelected(FALSE)
{}

CTKPTabAppearance::~CTKPTabAppearance() {}

CTKPTabColorSet* CTKPTabAppearance::GetColorSet() const
{
    return m_pTheme ? m_pTheme->GetColorSetObject() : NULL;
}

int CTKPTabAppearance::GetPosition(const CTKPTabManager* pManager) const
{
    return m_pTheme ? m_pTheme->GetPositionOf(pManager) : tktab::posTop;
}

int CTKPTabAppearance::GetPosition(const CTKPTabManagerItem* pItem) const
{
    return GetPosition(pItem ? pItem->GetManager() : NULL);
}

void CTKPTabAppearance::RefreshMetrics()
{
    CWindowDC dc(NULL);
    CFont* pFont = m_pTheme ? m_pTheme->GetNormalFont() : NULL;
    CFont* pOld = pFont && pFont->GetSafeHandle() ? dc.SelectObject(pFont) : NULL;
    m_nRowHeight = std::max<int>(18, static_cast<int>(dc.GetTextExtent(CString(L" ")).cy) + 3);
    if (pOld)
        dc.SelectObject(pOld);
}

void CTKPTabAppearance::GetHeaderRect(CRect& rcHeader, CRect rcControl, CTKPTabManager* pManager)
{
    const int nRows = pManager ? std::max<int>(1, pManager->GetRows()->GetCount()) : 1;
    int nLongest = 0;
    if (pManager && m_pTheme && m_pTheme->GetLayout() == tktab::layoutRotated) {
        for (int i = 0; i < pManager->GetItemCount(); ++i)
            nLongest = std::max<int>(nLongest, pManager->GetItem(i)->GetLength());
    }
    rcHeader = FromTabRect(tktab::HeaderBand(ToTabRect(rcControl), GetPosition(pManager), nRows, GetRowHeight(pManager),
        m_nRowSpacing, ToTabRect(m_rcHeaderMargin), nLongest));
}

void CTKPTabAppearance::GetClientRect(CRect& rcClient, CRect rcControl, CTKPTabManager* pManager)
{
    CRect rcHeader;
    GetHeaderRect(rcHeader, rcControl, pManager);
    rcClient = FromTabRect(tktab::ClientBesideHeader(ToTabRect(rcControl), ToTabRect(rcHeader), GetPosition(pManager)));
}

void CTKPTabAppearance::GetHeaderMargin(CRect& rcMargin)
{
    rcMargin = m_rcHeaderMargin;
}

void CTKPTabAppearance::GetClientMargin(CRect& rcMargin)
{
    rcMargin = m_pTheme ? m_pTheme->m_rcClientMargin : CRect(0, 0, 0, 0);
}

int CTKPTabAppearance::GetTabWidth(CDC* pDC, CTKPTabManagerItem* pItem)
{
    return m_pTheme ? m_pTheme->DrawTabContent(pDC, pItem, CRect(0, 0, 0, 0), FALSE) : 0;
}

int CTKPTabAppearance::GetRowHeight(CTKPTabManager* pManager)
{
    if (!m_pTheme)
        return m_nRowHeight;
    const CRect& rcInner = m_pTheme->m_rcTabMargin;
    int nHeight = m_nRowHeight + rcInner.top + rcInner.bottom;
    // Without a manager (a side panel measuring its strip) only the theme's own sizes count, where
    // asking the manager for its sizes and image would go through null.
    if (pManager) {
        CSize szMin(0, 0);
        pManager->GetItemMetrics(NULL, &szMin, NULL);
        nHeight = std::max<int>(nHeight, static_cast<int>(szMin.cy));
    }
    if (m_pTheme->m_bShowImages) {
        CSize szImage = m_pTheme->m_szImage;
        if (pManager)
            pManager->DrawTabIcon(NULL, CPoint(0, 0), NULL, FALSE, &szImage);
        const int nImage = std::max<int>(szImage.cx, szImage.cy);
        nHeight = std::max<int>(nHeight, nImage + 4 + rcInner.top + rcInner.bottom);
    }
    return nHeight;
}

void CTKPTabAppearance::DrawTabControl(CDC* pDC, CTKPTabManager* pManager, CRect rcControl)
{
    if (m_pTheme)
        m_pTheme->PaintTabControl(pManager, pDC, rcControl);
}

void CTKPTabAppearance::FillClient(CRect& rcHeader, CTKPTabManager* /*pManager*/, CDC* /*pDC*/, CRect rcControl)
{
    rcHeader = rcControl;
}

void CTKPTabAppearance::AdjustLayout(CTKPTabManager* pManager, CDC* pDC, CRect rcControl)
{
    if (m_pTheme)
        m_pTheme->LayoutTabs(pManager, pDC, rcControl);
}

void CTKPTabAppearance::ApplyClientMargins(CTKPTabManager* pManager, CRect& rcClient)
{
    const int nPosition = GetPosition(pManager);
    CTKPTabTheme::DeflateForPosition(rcClient, m_pTheme->m_rcControlMargin, nPosition);
    GetClientRect(rcClient, rcClient, pManager);
    CRect rcMargin;
    GetClientMargin(rcMargin);
    CTKPTabTheme::DeflateForPosition(rcClient, rcMargin, nPosition);
}

void CTKPTabAppearance::AdjustClientRect(CTKPTabManager* pManager, CRect& rcClient)
{
    if (!m_pTheme)
        return;
    ApplyClientMargins(pManager, rcClient);
    if (m_pTheme->m_nClientFrame == 0)
        rcClient.DeflateRect(2, 2);
    else if (m_pTheme->m_nClientFrame == 1)
        CTKPTabTheme::DeflateForPosition(rcClient, CRect(0, 2, 0, 0), GetPosition(pManager));
}

void CTKPTabAppearance::DrawSingleTab(CDC* /*pDC*/, CTKPTabManagerItem* /*pItem*/) {}

void CTKPTabAppearance::DrawWorkspacePart(CDC* pDC, LPRECT lpRect, int nPart)
{
    CTKPTabColorSet* pColors = GetColorSet();
    if (!m_pTheme || !pColors)
        return;
    CRect rc(lpRect);
    if (!m_pTheme->m_bStaticFrame) {
        if (nPart == 1)
            ::InflateRect(lpRect, 2, 2);
        else if ((nPart == 2 || nPart == 3) && pDC)
            pDC->FillSolidRect(rc, pColors->m_grcHeader.m_clrLight);
        return;
    }
    switch (nPart) {
    case 0:
        if (pDC) {
            pDC->Draw3dRect(rc, pColors->m_clrFrame, pColors->m_clrFrame);
            rc.DeflateRect(1, 1);
            const COLORREF clrFace = GetColorManager()->GetColor(COLOR_BTNFACE);
            pDC->Draw3dRect(rc, clrFace, clrFace);
        }
        break;
    case 1:
        lpRect->top -= 1;
        break;
    case 2:
        if (pDC) {
            pDC->FillSolidRect(rc, pColors->m_clrClient);
            pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), pColors->m_clrFrame);
        }
        break;
    case 3:
        if (pDC) {
            pDC->FillSolidRect(rc, pColors->m_clrClient);
            pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, pColors->m_clrFrame);
        }
        break;
    default:
        break;
    }
}

int CTKPTabAppearance::GetDefaultColorSet()
{
    return 1;
}

COLORREF CTKPTabAppearance::FillTabPolygon(CDC* pDC, CTKPTabManagerItem* pItem, POINT* pPoints, int nCount,
    int /*nPosition*/, BOOL bAbsolute)
{
    CTKPTabColorSet* pColors = GetColorSet();
    if (!pColors || nCount < 3)
        return CLR_NONE;
    if (!bAbsolute) {
        for (int i = 1; i < nCount; ++i) {
            pPoints[i].x += pPoints[i - 1].x;
            pPoints[i].y += pPoints[i - 1].y;
        }
    }
    CRect rcKept;
    pDC->GetClipBox(&rcKept);

    CRgn rgn;
    rgn.CreatePolygonRgn(pPoints, nCount, ALTERNATE);
    CRect rcBounds;
    rgn.GetRgnBox(&rcBounds);
    pDC->SelectClipRgn(&rgn, RGN_AND);
    const COLORREF clr = pColors->FillTab(pDC, rcBounds, pItem);

    CRgn rgnKept;
    rgnKept.CreateRectRgnIndirect(&rcKept);
    pDC->SelectClipRgn(&rgnKept);
    return clr;
}

void CTKPTabAppearance::DrawPolyline(CDC* pDC, COLORREF clr, const POINT* pPoints, int nCount)
{
    if (clr == CLR_NONE || nCount < 1)
        return;
    CPen pen(PS_SOLID, 1, clr);
    CPen* pOld = pDC->SelectObject(&pen);
    CPoint pt = pPoints[0];
    pDC->MoveTo(pt);
    for (int i = 1; i < nCount; ++i) {
        pt.Offset(pPoints[i].x, pPoints[i].y);
        pDC->LineTo(pt);
    }
    pDC->SelectObject(pOld);
}

void CTKPTabAppearance::DrawLine(CDC* pDC, COLORREF clr, int x1, int y1, int x2, int y2)
{
    if (clr == CLR_NONE)
        return;
    CPen pen(PS_SOLID, 1, clr);
    CPen* pOld = pDC->SelectObject(&pen);
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
    pDC->SelectObject(pOld);
}

void CTKPTabAppearance::InflateRectForPosition(CRect& rc, int l, int t, int r, int b, int nPosition) const
{
    rc = FromTabRect(tktab::InflateForPosition(ToTabRect(rc), tktab::Rect(l, t, r, b), nPosition));
}

void CTKPTabAppearance::DeflateRectForPosition(CRect& rc, int l, int t, int r, int b, int nPosition) const
{
    rc = FromTabRect(tktab::DeflateForPosition(ToTabRect(rc), tktab::Rect(l, t, r, b), nPosition));
}

void CTKPTabAppearance::DrawTabSideLine(CDC* pDC, CRect rc, int nPosition, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    switch (nPosition) {
    case tktab::posLeft:
        if (clrTopLeft != CLR_NONE)
            pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), clrTopLeft);
        break;
    case tktab::posBottom:
        if (clrBottomRight != CLR_NONE)
            pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clrBottomRight);
        break;
    case tktab::posRight:
        if (clrBottomRight != CLR_NONE)
            pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), clrBottomRight);
        break;
    default:
        if (clrTopLeft != CLR_NONE)
            pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, clrTopLeft);
        break;
    }
}

void CTKPTabAppearance::FillHeaderAndClient(CRect& rcHeader, CRect& rcClient, CTKPTabManager* pManager, CDC* pDC,
    CRect rcControl, BOOL bFillClient)
{
    GetHeaderRect(rcHeader, rcControl, pManager);
    if (CTKPTabColorSet* pColors = GetColorSet())
        pColors->FillHeader(pDC, rcHeader, pManager);
    GetClientRect(rcClient, rcControl, pManager);
    if (bFillClient) {
        if (CTKPTabColorSet* pColors = GetColorSet())
            pColors->FillClient(pDC, rcClient, pManager);
    }
}

void CTKPTabAppearance::Frame3d(CDC* pDC, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (clrTopLeft != CLR_NONE) {
        pDC->FillSolidRect(rc.left, rc.top, rc.Width() - 1, 1, clrTopLeft);
        pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height() - 1, clrTopLeft);
    }
    if (clrBottomRight != CLR_NONE) {
        pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), clrBottomRight);
        pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clrBottomRight);
    }
}

void CTKPTabAppearance::FillFramedClient(CRect& rcHeader, CTKPTabManager* pManager, CDC* pDC, CRect rcControl,
    BOOL bFillForEdge, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    const int nFrame = m_pTheme ? m_pTheme->m_nClientFrame : 0;
    CRect rcClient;
    FillHeaderAndClient(rcHeader, rcClient, pManager, pDC, rcControl, nFrame == 0 || (nFrame == 1 && bFillForEdge));
    if (nFrame == 0)
        Frame3d(pDC, rcClient, clrTopLeft, clrBottomRight);
    else if (nFrame == 1)
        DrawTabSideLine(pDC, rcClient, GetPosition(pManager), clrTopLeft, clrBottomRight);
}
