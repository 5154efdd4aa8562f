// Colour set 8: tabs, pane and buttons drawn by the visual style; colour set 1 when there is none.
#include "toolkit/tabs/TabColorSet.h"

#include "toolkit/base/Dib32.h"
#include "toolkit/base/UxThemeWrapper.h"
#include "toolkit/common/TabGeometry.h"
#include "toolkit/tabs/TabAppearance.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabTheme.h"

#include <cstdint>

namespace {

// Parts and states of the "TAB" and "TOOLBAR" classes.
const int kTabItemPart = 1, kTabPanePart = 9;
const int kTabNormal = 1, kTabSelected = 3, kTabHot = 5;
const int kButtonPart = 1;
const int kButtonNormal = 1, kButtonHot = 2, kButtonPressed = 3, kButtonChecked = 5;

// A top-down 32-bit section selected into a memory DC for the lifetime of the object.
class Section {
public:
    Section(int width, int height) : m_width(width), m_height(height)
    {
        m_hBitmap = TKPCreateDib32(width, -height, reinterpret_cast<void**>(&m_pBits));
        m_hDC = ::CreateCompatibleDC(NULL);
        m_hOld = m_hBitmap ? ::SelectObject(m_hDC, m_hBitmap) : NULL;
    }
    ~Section()
    {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
        ::DeleteDC(m_hDC);
        if (m_hBitmap)
            ::DeleteObject(m_hBitmap);
    }
    bool IsValid() const { return m_hBitmap != NULL && m_pBits != NULL; }
    HDC Dc() const { return m_hDC; }
    std::uint32_t& At(int x, int y) { return m_pBits[y * m_width + x]; }

private:
    int m_width, m_height;
    HBITMAP m_hBitmap = NULL;
    std::uint32_t* m_pBits = NULL;
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

}  // namespace

CTKPTabColorSetVisualStyle::CTKPTabColorSetVisualStyle()
    : m_pTabTheme(new CTKPUxThemeWrapper), m_pButtonTheme(new CTKPUxThemeWrapper)
{}

CTKPTabColorSetVisualStyle::~CTKPTabColorSetVisualStyle()
{
    delete m_pTabTheme;
    delete m_pButtonTheme;
}

void CTKPTabColorSetVisualStyle::RefreshColors()
{
    CTKPTabColorSetDefault::RefreshColors();
    m_pTabTheme->OpenThemeData(NULL, L"TAB");
    m_pButtonTheme->OpenThemeData(NULL, L"TOOLBAR");
    if (IsThemed()) {
        m_clr3DHighlight.SetStandardValue(CLR_NONE);
        m_clr3DShadow.SetStandardValue(CLR_NONE);
        m_clr3DDarkShadow.SetStandardValue(CLR_NONE);
        m_clrHotText.SetStandardValue(m_clrNormalText);
    }
}

BOOL CTKPTabColorSetVisualStyle::IsThemed()
{
    return m_pTabTheme->GetThemeHandle() != NULL && m_pTabTheme->IsAppThemed();
}

void CTKPTabColorSetVisualStyle::DrawTurnedTab(CDC* pDC, const CRect& rc, int nState, int nPosition)
{
    const int w = rc.Width(), h = rc.Height();
    if (w <= 0 || h <= 0)
        return;
    if (nPosition == tktab::posTop) {
        m_pTabTheme->DrawThemeBackground(pDC->GetSafeHdc(), kTabItemPart, nState, rc, NULL);
        return;
    }
    // The part is drawn as for a row at the top, then turned so that its top edge lies on the control
    // edge: mirrored top to bottom (bottom row), across the main diagonal (left row) or the other
    // diagonal (right row). What lies under the tab shows through where the part leaves pixels out.
    const bool across = tktab::IsVertical(nPosition);
    const int wUp = across ? h : w, hUp = across ? w : h;
    Section tab(w, h), up(wUp, hUp);
    if (!tab.IsValid() || !up.IsValid())
        return;
    // The pixel of the upright drawing that lands on (x, y) of the tab.
    auto source = [&](int x, int y, int& ux, int& uy) {
        switch (nPosition) {
        case tktab::posBottom:
            ux = x, uy = h - 1 - y;
            break;
        case tktab::posLeft:
            ux = y, uy = x;
            break;
        default:
            ux = h - 1 - y, uy = w - 1 - x;
            break;
        }
    };
    ::BitBlt(tab.Dc(), 0, 0, w, h, pDC->GetSafeHdc(), rc.left, rc.top, SRCCOPY);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int ux = 0, uy = 0;
            source(x, y, ux, uy);
            up.At(ux, uy) = tab.At(x, y);
        }
    }
    const RECT rcUp = {0, 0, wUp, hUp};
    m_pTabTheme->DrawThemeBackground(up.Dc(), kTabItemPart, nState, &rcUp, NULL);
    ::GdiFlush();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int ux = 0, uy = 0;
            source(x, y, ux, uy);
            tab.At(x, y) = up.At(ux, uy);
        }
    }
    ::BitBlt(pDC->GetSafeHdc(), rc.left, rc.top, w, h, tab.Dc(), 0, 0, SRCCOPY);
}

COLORREF CTKPTabColorSetVisualStyle::FillTab(CDC* pDC, CRect rc, CTKPTabManagerItem* pItem)
{
    if (!IsThemed())
        return CTKPTabColorSetDefault::FillTab(pDC, rc, pItem);
    const int nPosition = GetPosition(pItem);
    const BOOL bSelected = pItem->IsSelected();
    if (bSelected && nPosition == tktab::posTop)
        rc.bottom += 1;
    if (bSelected && nPosition == tktab::posLeft)
        rc.right += 1;
    switch (nPosition) {
    case tktab::posLeft:
        rc.InflateRect(1, 1, 0, 1);
        break;
    case tktab::posBottom:
        rc.InflateRect(1, 0, 1, 2);
        break;
    case tktab::posRight:
        rc.InflateRect(0, 1, 2, 1);
        break;
    default:
        rc.InflateRect(1, 1, 1, 0);
        break;
    }
    DrawTurnedTab(pDC, rc, bSelected ? kTabSelected : pItem->IsHot() ? kTabHot : kTabNormal, nPosition);
    return CLR_NONE;
}

void CTKPTabColorSetVisualStyle::FillClient(CDC* pDC, CRect rc, CTKPTabManager* pManager)
{
    if (!IsThemed()) {
        CTKPTabColorSetDefault::FillClient(pDC, rc, pManager);
        return;
    }
    m_pTabTheme->DrawThemeBackground(pDC->GetSafeHdc(), kTabPanePart, 0, rc, NULL);
}

void CTKPTabColorSetVisualStyle::FillRowBackground(CDC* pDC, CRect /*rcHeader*/, CTKPTabManager* pManager)
{
    if (!IsThemed() || !m_pTheme || !m_pTheme->GetAppearanceObject())
        return;
    // The pane's corner pixel next to the first tab stays as the pane drew it.
    CRect rcControl = pManager->GetTabAreaRect();
    CRect rcClient;
    m_pTheme->GetAppearanceObject()->GetClientRect(rcClient, rcControl, pManager);
    switch (GetPosition(pManager)) {
    case tktab::posBottom:
        pDC->ExcludeClipRect(rcClient.left, rcClient.bottom - 2, rcClient.left + 1, rcClient.bottom - 1);
        break;
    case tktab::posRight:
        pDC->ExcludeClipRect(rcClient.right - 2, rcClient.top, rcClient.right - 1, rcClient.top + 1);
        break;
    default:
        pDC->ExcludeClipRect(rcClient.left, rcClient.top, rcClient.left + 1, rcClient.top + 1);
        break;
    }
}

void CTKPTabColorSetVisualStyle::DrawNavigateButton(CDC* pDC, CTKPTabManagerNavigateButton* pButton, CRect& rc)
{
    if (!IsThemed()) {
        CTKPTabColorSetDefault::DrawNavigateButton(pDC, pButton, rc);
        return;
    }
    if (pButton->IsEnabled()) {
        const int nState = pButton->IsPressed() ? kButtonPressed : pButton->IsHot() ? kButtonHot : kButtonNormal;
        m_pButtonTheme->DrawThemeBackground(pDC->GetSafeHdc(), kButtonPart, nState, rc, NULL);
    }
    pDC->SetTextColor(Color(tkpcText));
}

void CTKPTabColorSetVisualStyle::DrawTabFace(CDC* pDC, CRect rc, CTKPTabManagerItem* pItem)
{
    if (!IsThemed()) {
        CTKPTabColorSetDefault::DrawTabFace(pDC, rc, pItem);
        return;
    }
    const int nState = pItem->IsSelected() ? kButtonChecked : pItem->IsHot() ? kButtonHot : kButtonNormal;
    m_pButtonTheme->DrawThemeBackground(pDC->GetSafeHdc(), kButtonPart, nState, rc, NULL);
}
