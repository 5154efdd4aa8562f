#include "toolkit/controls/FlatEditTheme.h"

#include "toolkit/controls/ControlColors.h"

IMPLEMENT_DYNCREATE(CTKFlatEditThemeFactory, CTKThemeManagerStyleFactory)

CTKThemeManagerStyle* CTKFlatEditThemeFactory::CreateTheme(int nTheme)
{
    CTKThemeManagerStyle* pStyle;
    if (nTheme == 1)
        pStyle = new CTKFlatEditThemeFlat;
    else if (nTheme == 2)
        pStyle = new CTKFlatEditThemeGradient;
    else
        pStyle = new CTKFlatEditTheme;
    pStyle->m_nTheme = nTheme;
    return pStyle;
}

void CTKFlatEditTheme::DrawBorder(CDC* pDC, CWnd* pEdit, const CRect& rect, int nState)
{
    if (pEdit == NULL || pEdit->IsWindowEnabled()) {
        pDC->FillSolidRect(&rect, tkcolor::Get(tkcolor::Window));
        if (nState == 2 || nState == 3)
            DrawActiveFrame(pDC, rect);
    } else {
        pDC->FillSolidRect(&rect, tkcolor::Get(tkcolor::DisabledFill));
        const COLORREF clrFrame = tkcolor::Get(tkcolor::DisabledBorder);
        pDC->Draw3dRect(&rect, clrFrame, clrFrame);
    }
}

void CTKFlatEditTheme::DrawActiveFrame(CDC* pDC, const CRect& rect)
{
    pDC->Draw3dRect(&rect, tkcolor::Get(tkcolor::Shadow), tkcolor::Get(tkcolor::Hilite));
}

void CTKFlatEditThemeFlat::RefreshMetrics()
{
    static const tkcolor::Role kSources[8] = {tkcolor::HotText, tkcolor::PressedText, tkcolor::HotFill,
        tkcolor::PressedFill, tkcolor::Window, tkcolor::HotBorder, tkcolor::Face, tkcolor::Face};
    CTKPColorValue* const values[8] = {&m_clrHotText, &m_clrPressedText, &m_clrHotFill, &m_clrPressedFill, &m_clrField,
        &m_clrBorder, &m_clrFace, &m_clrFaceLight};
    for (int i = 0; i < 8; ++i)
        values[i]->SetStandardValue(tkcolor::Get(kSources[i]));
}

void CTKFlatEditThemeFlat::DrawActiveFrame(CDC* pDC, const CRect& rect)
{
    const COLORREF clr = tkcolor::Get(tkcolor::HotBorder);
    pDC->Draw3dRect(&rect, clr, clr);
}

void CTKFlatEditThemeGradient::RefreshMetrics()
{
    CTKFlatEditThemeFlat::RefreshMetrics();
    // Field, border and light face of the blue, olive and silver schemes.
    static const COLORREF kSchemeColors[3][3] = {
        {0x00B99D7F, 0x00800000, 0x00F0C7A9},
        {0x007FB9A4, 0x00385D3F, 0x009FD4C5},
        {0x00B2ACA5, 0x006F4B4B, 0x00D3C0C0},
    };
    const int nScheme = GetColorManager()->GetCurrentColorScheme();
    if (nScheme >= 1 && nScheme <= 3) {
        m_clrHotText.SetStandardValue(0);
        m_clrPressedText.SetStandardValue(0);
        m_clrHotFill.SetStandardValue(0x00C2EEFF);
        m_clrPressedFill.SetStandardValue(0x003E80FE);
        m_clrField.SetStandardValue(kSchemeColors[nScheme - 1][0]);
        m_clrBorder.SetStandardValue(kSchemeColors[nScheme - 1][1]);
        m_clrFaceLight.SetStandardValue(kSchemeColors[nScheme - 1][2]);
    } else {
        m_clrField.SetStandardValue(tkcolor::Get(tkcolor::Shadow));
    }
    m_clrFace.SetStandardValue(m_clrField.GetEffective());
}

void CTKFlatEditThemeGradient::DrawActiveFrame(CDC* pDC, const CRect& rect)
{
    const COLORREF clr = tkcolor::GetScheme(tkcolor::HotBorder);
    pDC->Draw3dRect(&rect, clr, clr);
}
