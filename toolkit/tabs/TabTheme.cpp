#include "toolkit/tabs/TabTheme.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/common/TabCaptionFit.h"
#include "toolkit/common/TabGeometry.h"
#include "toolkit/tabs/TabAppearance.h"
#include "toolkit/tabs/TabColorSet.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabRect.h"

#include <algorithm>
#include <memory>

namespace {

// The eight colours that consecutive tabs cycle through.
const COLORREF kTabColors[8] = {0xE4A88A, 0x75DBFF, 0x9FCDBD, 0x9F9EF0, 0xE1A6BA, 0xB4BF9A, 0x83B6F7, 0xC0ABD8};

// A DC to measure in when the caller has none: the screen's.
class MeasureDC {
public:
    explicit MeasureDC(CDC* pDC) : m_pDC(pDC)
    {
        if (!m_pDC) {
            m_screen.reset(new CWindowDC(NULL));
            m_pDC = m_screen.get();
        }
    }
    CDC* Get() const { return m_pDC; }

private:
    CDC* m_pDC;
    std::unique_ptr<CWindowDC> m_screen;
};

}  // namespace

CTKPTabTheme::CTKPTabTheme()
    : m_bHotTracking(FALSE), m_bShowImages(TRUE), m_bBoldSelected(FALSE), m_bBoldTabs(FALSE), m_bFlatColors(FALSE),
      m_bItemColors(FALSE), m_nClientFrame(0), m_bStaticFrame(FALSE), m_rcClientMargin(0, 0, 0, 0),
      m_rcControlMargin(0, 0, 0, 0), m_rcTabMargin(0, 0, 0, 0), m_bInvertGradient(FALSE), m_bFillClient(TRUE),
      m_szImage(16, 16), m_bFittedCaptions(FALSE), m_bNoPrefix(TRUE), m_bKeepRowOrder(FALSE), m_bBalancedRows(TRUE),
      m_bFocusRect(TRUE), m_bSelectOnDragOver(TRUE), m_bUseSystemFont(TRUE), m_nTooltipMode(2), m_nColorCounter(0),
      m_pAppearance(NULL), m_pColorSet(NULL), m_nAppearance(0), m_nColorSet(1), m_nPosition(tktab::posTop),
      m_nLayout(tktab::layoutNatural)
{
    EnableAutomation();
    SetAppearance(0);
    RefreshMetrics();
}

CTKPTabTheme::~CTKPTabTheme()
{
    delete m_pAppearance;
    delete m_pColorSet;
    m_arrClients.RemoveAll();
}

void CTKPTabTheme::SetAppearance(int nAppearance)
{
    if (nAppearance < 0 || nAppearance > 9)
        nAppearance = 0;
    m_nAppearance = nAppearance;
    SetAppearanceObject(CTKPTabAppearance::Create(nAppearance));
}

void CTKPTabTheme::SetAppearanceObject(CTKPTabAppearance* pAppearance)
{
    if (pAppearance) {
        delete m_pAppearance;
        m_pAppearance = pAppearance;
        pAppearance->m_pTheme = this;
        pAppearance->RefreshMetrics();
        SetColorSet(pAppearance->GetDefaultColorSet());
    }
    RefreshClients();
}

void CTKPTabTheme::SetColorSet(int nColorSet)
{
    if (nColorSet != 1 && nColorSet != 2 && nColorSet != 4 && nColorSet != 8 && nColorSet != 16)
        nColorSet = 1;
    m_nColorSet = nColorSet;
    SetColorSetObject(CTKPTabColorSet::Create(nColorSet));
}

void CTKPTabTheme::SetColorSetObject(CTKPTabColorSet* pColorSet)
{
    if (pColorSet) {
        delete m_pColorSet;
        m_pColorSet = pColorSet;
        pColorSet->m_pTheme = this;
        pColorSet->RefreshColors();
    }
    RefreshClients();
}

void CTKPTabTheme::SetPosition(int nPosition)
{
    m_nPosition = nPosition;
    RefreshClients();
}

void CTKPTabTheme::SetLayout(int nLayout)
{
    m_nLayout = nLayout;
    RefreshClients();
}

void CTKPTabTheme::RefreshClients()
{
    for (INT_PTR i = 0; i < m_arrClients.GetSize(); ++i)
        static_cast<CTKPTabManager*>(m_arrClients[i])->RequestReposition();
}

void CTKPTabTheme::SetFontIndirect(const LOGFONT* pLogFont, BOOL bUseSystemFont)
{
    m_bUseSystemFont = bUseSystemFont;
    if (!pLogFont)
        return;
    m_fntNormal.DeleteObject();
    m_fntBold.DeleteObject();
    m_fntVertical.DeleteObject();
    m_fntVerticalBold.DeleteObject();

    LOGFONT lf = *pLogFont;
    lf.lfWeight = m_bBoldTabs ? FW_BOLD : FW_NORMAL;
    m_fntNormal.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fntBold.CreateFontIndirect(&lf);

    // Vertical text runs downwards in a face that can turn, at least 11 pixels high.
    const CString face = CTKPDrawingHelper::GetDefaultFontName(TRUE);
    lstrcpyn(lf.lfFaceName, face, LF_FACESIZE);
    lf.lfEscapement = 2700;
    lf.lfOrientation = 900;
    if (lf.lfHeight >= -10 && lf.lfHeight <= -1)
        lf.lfHeight = -11;
    lf.lfWeight = m_bBoldTabs ? FW_BOLD : FW_NORMAL;
    m_fntVertical.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fntVerticalBold.CreateFontIndirect(&lf);
}

void CTKPTabTheme::RefreshMetrics()
{
    if (m_bUseSystemFont) {
        LOGFONTW lf = {};
        if (::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0))
            SetFontIndirect(&lf, TRUE);
    }
    if (m_pColorSet)
        m_pColorSet->RefreshColors();
    if (m_pAppearance)
        m_pAppearance->RefreshMetrics();
}

BOOL CTKPTabTheme::IsVerticalText(int nPosition) const
{
    const bool vertical = tktab::IsVertical(nPosition);
    return (m_nLayout == tktab::layoutRotated) ? !vertical : vertical;
}

CFont* CTKPTabTheme::GetTabFont(CTKPTabManagerItem* pItem)
{
    CTKPTabManager* pManager = pItem ? pItem->GetManager() : NULL;
    const BOOL bBold = m_bBoldSelected && pManager && pManager->GetSelectedItem() == pItem && pManager->IsActive();
    if (IsVerticalText(GetPositionOf(pManager)))
        return bBold ? &m_fntVerticalBold : &m_fntVertical;
    return bBold ? &m_fntBold : &m_fntNormal;
}

BOOL CTKPTabTheme::IsSchemeColorsDisabled() const
{
    return m_bFlatColors || GetColorManager()->m_bDisableScheme;
}

COLORREF CTKPTabTheme::GetTabColorFromIndex(int nValue)
{
    const int index = nValue - static_cast<int>(TKP_TAB_COLOR_INDEX);
    // An index outside the eight gives the first colour instead of reading past the table.
    return kTabColors[index >= 0 && index < 8 ? index : 0];
}

void CTKPTabTheme::DrawNavigateButton(CDC* pDC, CTKPTabManagerNavigateButton* pButton, CRect& rc)
{
    if (m_pColorSet)
        m_pColorSet->DrawNavigateButton(pDC, pButton, rc);
}

int CTKPTabTheme::GetPositionOf(const CTKPTabManager* pManager) const
{
    return pManager ? pManager->GetPosition() : m_nPosition;
}

void CTKPTabTheme::DeflateForPosition(CRect& rc, const CRect& rcMargins, int nPosition)
{
    rc = FromTabRect(tktab::DeflateForPosition(ToTabRect(rc), ToTabRect(rcMargins), nPosition));
}

void CTKPTabTheme::InflateForPosition(CRect& rc, const CRect& rcMargins, int nPosition)
{
    rc = FromTabRect(tktab::InflateForPosition(ToTabRect(rc), ToTabRect(rcMargins), nPosition));
}

int CTKPTabTheme::GetTextWidth(CDC* pDC, const CString& str, UINT nFormat)
{
    if (nFormat & DT_NOPREFIX)
        return pDC->GetTextExtent(str).cx;
    CString stripped = str;
    CTKPDrawingHelper::StripMnemonics(stripped);
    return pDC->GetTextExtent(stripped).cx;
}

void CTKPTabTheme::DrawTextFitted(CDC* pDC, const CString& str, LPRECT lpRect, UINT nFormat)
{
    if (tktab::IsPathCaption(str)) {
        pDC->DrawText(str, lpRect, nFormat | DT_PATH_ELLIPSIS);
        return;
    }
    const CString fitted = tktab::FitCaptionMiddle(str, lpRect->right - lpRect->left,
        [&](const CString& s) { return GetTextWidth(pDC, s, nFormat); });
    pDC->DrawText(fitted, lpRect, nFormat);
}

void CTKPTabTheme::DrawFocusRect(CDC* pDC, CTKPTabManagerItem* /*pItem*/, CRect rcItem)
{
    if (!m_bFocusRect)
        return;
    rcItem.DeflateRect(3, 3);
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkColor(RGB(255, 255, 255));
    pDC->DrawFocusRect(rcItem);
}

int CTKPTabTheme::DrawTabContent(CDC* pDC, CTKPTabManagerItem* pItem, CRect rcItem, BOOL bDraw)
{
    CTKPTabManager* pManager = pItem ? pItem->GetManager() : NULL;
    if (!pManager)
        return 0;
    MeasureDC measure(pDC);
    pDC = measure.Get();

    CFont* pFont = GetTabFont(pItem);
    CFont* pOldFont = pFont->GetSafeHandle() ? pDC->SelectObject(pFont) : NULL;
    const BOOL bVertical = IsVerticalText(pManager->GetPosition());
    const BOOL bSelected = pManager->GetSelectedItem() == pItem;
    const UINT nCalc = DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP | (m_bNoPrefix ? DT_NOPREFIX : 0);

    int nResult = 0;
    if (!bDraw) {
        CSize szFixed, szMin, szMax;
        pManager->GetItemMetrics(&szFixed, &szMin, &szMax);
        CSize szImage = m_szImage;
        const BOOL bImage = pManager->DrawTabIcon(pDC, CPoint(0, 0), pItem, FALSE, &szImage);
        const int nImage = bVertical ? szImage.cy : szImage.cx;
        auto captionWidth = [&](CTKPTabManagerItem* pTab) {
            CRect rc(0, 0, 0, 0);
            pDC->DrawText(pTab->GetCaption(), &rc, nCalc);
            return rc.Width();
        };

        int nWidth = 0;
        if (m_nLayout == tktab::layoutFixed) {
            nWidth = szFixed.cx;
        } else if (m_nLayout == tktab::layoutCompressed && !bSelected) {
            nWidth = nImage + 8;
        } else if (m_nLayout == tktab::layoutCompressed) {
            int nWidest = 0;
            for (int i = 0; i < pManager->GetItemCount(); ++i)
                nWidest = std::max<int>(nWidest, captionWidth(pManager->GetItem(i)));
            nWidth = (bImage ? nImage : 0) + 12 + nWidest;
        } else {
            nWidth = (bImage ? nImage : 0) + 12 + captionWidth(pItem);
        }

        // CalcTabWidth: the inner margins, then the minimum and the maximum.
        nWidth += m_rcTabMargin.left + m_rcTabMargin.right;
        if (szMin.cx > 0 && szMin.cx > nWidth)
            nWidth = szMin.cx;
        if (szMax.cx > 0 && szMax.cx < nWidth)
            nWidth = szMax.cx;
        nResult = nWidth;
    } else {
        if (m_pColorSet)
            m_pColorSet->SetTextColor(pDC, pItem);
        const CRect rcTab = rcItem;
        CRect rc = rcItem;
        const int nExtra = pItem->GetLength() - pItem->GetNaturalLength();
        if (nExtra > 0) {
            // A stretched tab centres its content.
            if (bVertical)
                rc.DeflateRect(0, nExtra / 2);
            else
                rc.DeflateRect(nExtra / 2, 0);
        }
        DrawCaption(pDC, pItem, rc, bVertical);
        if (bSelected && pManager->HasFocus())
            DrawFocusRect(pDC, pItem, rcTab);
    }

    if (pOldFont)
        pDC->SelectObject(pOldFont);
    return nResult;
}

void CTKPTabTheme::DrawCaption(CDC* pDC, CTKPTabManagerItem* pItem, CRect rc, BOOL bVertical)
{
    CTKPTabManager* pManager = pItem->GetManager();
    const int nPosition = pManager->GetPosition();
    const BOOL bShowCaption = m_nLayout != tktab::layoutCompressed || pManager->GetSelectedItem() == pItem;
    CSize szImage = m_szImage;
    const BOOL bImage = pManager->DrawTabIcon(pDC, CPoint(0, 0), pItem, FALSE, &szImage);

    if (!bVertical) {
        rc.left += 6 + m_rcTabMargin.left;
        if (nPosition == tktab::posBottom) {
            rc.top += m_rcTabMargin.bottom;
            rc.bottom -= m_rcTabMargin.top;
        } else {
            rc.top += m_rcTabMargin.top;
            rc.bottom -= m_rcTabMargin.bottom;
        }
        if (bImage) {
            const int nTop = (rc.top + rc.bottom) / 2 - szImage.cy / 2;
            if (rc.Width() > szImage.cx)
                pManager->DrawTabIcon(pDC, CPoint(rc.left - 1, nTop), pItem, TRUE, &szImage);
            rc.left += szImage.cx + 2;
        }
        if (!bShowCaption || rc.left >= rc.right)
            return;
        rc.right -= 2 + m_rcTabMargin.right;
        const UINT nPrefix = m_bNoPrefix ? DT_NOPREFIX : 0;
        if (m_bFittedCaptions)
            DrawTextFitted(pDC, pItem->GetCaption(), &rc, DT_VCENTER | DT_SINGLELINE | nPrefix);
        else
            pDC->DrawText(pItem->GetCaption(), &rc, DT_END_ELLIPSIS | DT_VCENTER | DT_SINGLELINE | nPrefix);
        return;
    }

    rc.top += 6 + m_rcTabMargin.left;
    if (nPosition == tktab::posRight) {
        rc.left += m_rcTabMargin.bottom;
        rc.right -= m_rcTabMargin.top;
    } else {
        rc.left += m_rcTabMargin.top;
        rc.right -= m_rcTabMargin.bottom;
    }
    if (bImage) {
        const int nLeft = (rc.left + rc.right) / 2 - szImage.cx / 2;
        if (rc.Height() > szImage.cy)
            pManager->DrawTabIcon(pDC, CPoint(nLeft, rc.top - 1), pItem, TRUE, &szImage);
        rc.top += szImage.cy + 2;
    }
    if (!bShowCaption || rc.top + 8 >= rc.bottom)
        return;

    CString caption = pItem->GetCaption();
    if (!m_bNoPrefix)
        CTKPDrawingHelper::StripMnemonics(caption);
    CRect rcMeasure(0, 0, 0, 0);
    pDC->DrawText(caption, &rcMeasure, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    rc.bottom -= 2 + m_rcTabMargin.right;
    // The text runs downwards from its origin with the glyphs to the left of it; the rectangle handed
    // to DrawText is the caption's length laid flat, so that the ellipsis rule sees the room there is.
    int x = (rc.left + rc.right + rcMeasure.Height()) / 2;
    if (nPosition == tktab::posRight)
        x -= 1;
    CRect rcText(x, rc.top, x + rc.Height(), rc.top + rcMeasure.Height());
    if (m_bFittedCaptions)
        DrawTextFitted(pDC, caption, &rcText, DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
    else
        pDC->DrawText(caption, &rcText, DT_END_ELLIPSIS | DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
}
