#include "toolkit/commandbars/SchemeGradientBarTheme.h"

#include "toolkit/base/ColorManager.h"

IMPLEMENT_DYNAMIC(CTKPSchemeGradientBarTheme, CTKPGradientBarTheme)

CTKPSchemeGradientBarTheme::CTKPSchemeGradientBarTheme()
{
    m_nColorScheme = 0;  // the gradient theme's own scheme sets never apply
    m_bSingleLineSeparator = 1;
}

CTKPSchemeGradientBarTheme::~CTKPSchemeGradientBarTheme() {}

void CTKPSchemeGradientBarTheme::RefreshColorsAndFonts()
{
    CTKPGradientBarTheme::RefreshColorsAndFonts();
    m_grcToolBarExpand.SetStandardValues(CTKPColorTable::BlendColors(GetColor(COLOR_WINDOW), GetColor(COLOR_BTNFACE),
                                             550),
        GetColor(COLOR_BTNSHADOW), 0.5f);

    const int nScheme = GetColorManager()->GetCurrentColorScheme();
    if (nScheme == 1 || nScheme == 2) {
        m_grcToolBar.SetStandardValues(0xF5F9FA, 0xA8C0C0, 0.75f);
        m_grcToolBarExpand.SetStandardValues(0xEAEDEE, nScheme == 1 ? 0x7E9898 : 0x9EACB0, 0.75f);
        m_grcDockBar.SetStandardValues(0xD7E5E5, 0xE7F1F4, 0.5f);
        m_clrToolBarShadow.SetStandardValue(0x7CA3A3);
        m_grcExpandedColumn.SetStandardValue(0xBAC7CC);
        m_grcImage.CopyEffective(m_grcToolBar);
        if (nScheme == 1) {
            m_grcFace.SetStandardValues(0xF9F5F7, 0x99797A, 0.5f);
        } else {
            m_grcFace.SetStandardValues(0xD8E9EC, 0x99A8AC, 0.5f);
            m_arrColor[31].SetStandardValue(0x8DC6B6);
            m_arrColor[33].SetStandardValue(0x70A093);
            m_arrColor[36].SetStandardValue(0x8DC6B6);
            m_arrColor[47].SetStandardValue(0xFFFFFF);
        }
    } else if (nScheme == 3) {
        m_grcToolBar.SetStandardValues(0xFAF4F3, 0xB59799, 0.75f);
        m_grcToolBarExpand.SetStandardValues(0xC8B2B3, 0x927476, 0.75f);
        m_grcDockBar.SetStandardValues(0xE5D7D7, 0xF7F3F3, 0.5f);
        m_clrToolBarShadow.SetStandardValue(0x947C7C);
        m_grcExpandedColumn.SetStandardValues(0xE2D7D7, 0xA28385, 0.5f);
        m_grcImage.SetStandardValues(0xF1E8E8, 0xC5AEB0, 0.5f);
        m_grcFace.SetStandardValues(0xF9F5F7, 0x99797A, 0.5f);
        m_clrFloatingGripper.SetStandardValue(0x99797A);
        m_clrPopupHandle.SetStandardValue(0xD3C0C0);
        m_arrColor[30].SetStandardValue(0xE4DADB);
        m_arrColor[35].SetStandardValue(0x8D8D8D);
        m_arrColor[38].SetStandardValue(0x755454);
        m_arrColor[39].SetStandardValue(0x8F6D6E);
        m_arrColor[60].SetStandardValue(0x8D8D8D);
        const UINT indexes[] = {31, 32, 37, 50, 33, 36, 47};
        const COLORREF values[] = {0xC2EEFF, 0x6F4B4B, 0x6F4B4B, 0x6F4B4B, 0x3E80FE, 0x6FC0FF, 0x000000};
        SetColors(7, indexes, values);
    }
    BuildExpandImage();
}
