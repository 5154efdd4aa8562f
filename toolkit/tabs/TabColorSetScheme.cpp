// Colour sets 4 and 16: gradient faces, and the colours of the desktop's colour scheme when it has
// one (blue, olive or silver).
#include "toolkit/tabs/TabColorSet.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/common/TabGeometry.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabTheme.h"

namespace {

struct SchemePalette {
    COLORREF frame;       // also the selected tab's border
    COLORREF darkShadow;  // also the tab border
    COLORREF innerEdge;
    COLORREF shadow;         // also the tab's light edge
    COLORREF selectedFace;   // the selected face gradient
    COLORREF selectedFrame;  // the selected frame gradient
    COLORREF headerLight, headerDark;
    COLORREF normalFace;
    COLORREF selectedFaceValue;
    COLORREF hotFace;
    COLORREF secondLight, secondDark;
    COLORREF buttonFrame;
};

// Schemes 1 (blue), 2 (olive) and 3 (silver).
const SchemePalette kPalettes[3] = {
    {0x9C613B, 0x9A3500, 0xFFFFFF, 0xF1A675, 0x6FC0FF, 0x800000, 0xFADAC4, 0xFEFDFC, 0xF6C0A2, 0x73C2FF, 0xC9F0FF,
        0xF5BE9E, 0xFADAC4, 0x800000},
    {0x588060, 0x6B7760, 0xFFFFFF, 0x8CC2B0, 0x6FC0FF, 0x385D3F, 0xE4F1F2, 0xFEFEFC, 0xAADED0, 0x73C2FF, 0xC7F0FF,
        0xA7D9D9, 0xE4F1F2, 0x385D3F},
    {0x947C7C, 0x927476, 0xFFFFFF, 0xCEB9BA, 0x6FC0FF, 0x6F4B4B, 0xF7F3F3, 0xFEFEFC, 0xE6D9D9, 0x73C2FF, 0xC2EEFF,
        0xE5D7D7, 0xF7F3F3, 0x6F4B4B},
};

// The face of a tab as the scheme sets draw it: the hot face for the hot tab, selected or not.
COLORREF FaceOf(CTKPTabColorSet* pSet, CTKPTabManagerItem* pItem, COLORREF clrHotFace)
{
    return pItem->IsHot() ? clrHotFace : pSet->GetTabFaceColor(pItem);
}

}  // namespace

CTKPTabColorSetScheme::CTKPTabColorSetScheme() : m_bPalette(FALSE) {}

void CTKPTabColorSetScheme::RefreshColors()
{
    CTKPTabColorSetDefault::RefreshColors();
    m_grcHeader.SetStandardValues(Color(tkpcFace),
        CTKPColorTable::BlendColors(Color(tkpcFace), Color(tkpcWindow), 205));
    m_grcSelectedFace.SetStandardValue(Color(tkpcLightFace));
    m_grcSelectedFrame.SetStandardValue(Color(tkpcLightFrame));
    m_clrHotFace.SetStandardValue(Color(tkpcLightFace));
    m_clrHotText.SetStandardValue(Color(tkpcText));
    m_clrButtonFrame.SetStandardValue(Color(tkpcLightFrame));
    m_bPalette = FALSE;

    const int nScheme = GetColorManager()->GetCurrentColorScheme();
    const bool bDisabled = m_pTheme && m_pTheme->IsSchemeColorsDisabled();
    if (!bDisabled && nScheme >= 1 && nScheme <= 3) {
        const SchemePalette& p = kPalettes[nScheme - 1];
        m_clrFrame.SetStandardValue(p.frame);
        m_clrSelectedTabBorder.SetStandardValue(p.frame);
        m_clr3DDarkShadow.SetStandardValue(p.darkShadow);
        m_clrTabBorder.SetStandardValue(p.darkShadow);
        m_clrTabInnerEdge.SetStandardValue(p.innerEdge);
        m_clr3DShadow.SetStandardValue(p.shadow);
        m_clrTabLightEdge.SetStandardValue(p.shadow);
        m_grcSelectedFace.SetStandardValue(p.selectedFace);
        m_grcSelectedFrame.SetStandardValue(p.selectedFrame);
        m_grcHeader.SetStandardValues(p.headerLight, p.headerDark, 0.5f);
        m_clrNormalFace.SetStandardValue(p.normalFace);
        m_clrSelectedFace.SetStandardValue(p.selectedFaceValue);
        m_clrHotFace.SetStandardValue(p.hotFace);
        m_grcHeaderSecond.SetStandardValues(p.secondLight, p.secondDark, 0.5f);
        m_clrButtonFrame.SetStandardValue(p.buttonFrame);
        m_bPalette = TRUE;
    } else {
        m_clrSelectedFace.SetStandardValue(Color(tkpcLightFace));
    }

    for (int i = 0; i < 6; ++i) {
        const COLORREF clr = i < 3 ? static_cast<COLORREF>(m_clrFrame) : CLR_NONE;
        m_clrSelectedOutline[i].SetStandardValue(clr);
        m_clrOutline[i].SetStandardValue(clr);
    }
    if (GetAppearance() == 4) {
        m_grcHeader.SetStandardValue(Color(tkpcFace));
        m_grcHeaderSecond.SetStandardValue(Color(tkpcFace));
    }
}

COLORREF CTKPTabColorSetScheme::FillTab(CDC* pDC, CRect rc, CTKPTabManagerItem* pItem)
{
    const COLORREF clrFace = FaceOf(this, pItem, m_clrHotFace);
    FillGradient(pDC, rc, CTKPColorTable::BlendColors(clrFace, 0xFFFFFF, 300), clrFace, GetPosition(pItem));
    return clrFace;
}

void CTKPTabColorSetScheme::DrawSchemeButton(CDC* pDC, CTKPTabManagerNavigateButton* pButton, CRect& rc)
{
    COLORREF clrGlyph = Color(tkpcText);
    if (pButton->IsEnabled() && (pButton->IsHot() || pButton->IsPressed())) {
        const BOOL bPressed = pButton->IsHot() && pButton->IsPressed();
        if (m_bPalette) {
            if (bPressed)
                CTKPDrawingHelper::GradientFill(pDC, rc, 0x4B8EFE, 0x8BCFFF, FALSE);
            else
                CTKPDrawingHelper::GradientFill(pDC, rc, 0xC8F2FF, 0x97D4FF, FALSE);
        } else {
            pDC->FillSolidRect(rc, Color(bPressed ? tkpcPressedFace : tkpcHotFace));
            clrGlyph = Color(bPressed ? tkpcPressedText : tkpcHotText);
        }
        pDC->Draw3dRect(rc, m_clrButtonFrame, m_clrButtonFrame);
    }
    pDC->SetTextColor(clrGlyph);
}

void CTKPTabColorSetScheme::DrawNavigateButton(CDC* pDC, CTKPTabManagerNavigateButton* pButton, CRect& rc)
{
    DrawSchemeButton(pDC, pButton, rc);
}

CTKPTabColorSetLight::CTKPTabColorSetLight() : m_bGradientFaces(FALSE) {}

void CTKPTabColorSetLight::RefreshColors()
{
    CTKPTabColorSetDefault::RefreshColors();
    m_clrSelectedFace.SetStandardValue(0xFFFFFF);
    m_clrHotFace.SetStandardValue(Color(tkpcLightFace));
    m_clrHotText.SetStandardValue(Color(tkpcText));
    m_clrButtonFrame.SetStandardValue(Color(tkpcLightFrame));
    m_bPalette = FALSE;
    m_bGradientFaces = FALSE;

    if (!(m_pTheme && m_pTheme->IsSchemeColorsDisabled())) {
        CTKPTabColorSetScheme::RefreshColors();
    } else {
        // With the scheme's palettes kept off, the light faces still follow the scheme.
        switch (GetColorManager()->GetCurrentColorScheme()) {
        case 1:
        case 2:
            m_grcHeader.SetStandardValue(0xD5E2E4);
            m_bGradientFaces = TRUE;
            break;
        case 3:
            m_clrNormalFace.SetStandardValue(0xF8F5F5);
            m_grcHeader.SetStandardValue(0xEEEEEE);
            m_bGradientFaces = TRUE;
            break;
        default:
            break;
        }
    }
    m_clrSelectedTabBorder.SetStandardValue(Color(tkpcStyleBorder));
    m_clrFrame.SetStandardValue(Color(tkpcStyleBorder));
}

COLORREF CTKPTabColorSetLight::FillTab(CDC* pDC, CRect rc, CTKPTabManagerItem* pItem)
{
    const COLORREF clrFace = FaceOf(this, pItem, m_clrHotFace);
    if (m_bGradientFaces)
        FillGradient(pDC, rc, CTKPColorTable::BlendColors(clrFace, 0xFFFFFF, 300), clrFace, GetPosition(pItem));
    else
        pDC->FillSolidRect(rc, clrFace);
    return clrFace;
}
