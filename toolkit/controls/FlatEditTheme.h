// The looks of the flat edit's border: default (sunken when hot), flat and gradient (one-colour
// frame when hot). The flat and gradient looks also keep a colour set for the edit to use.
#pragma once

#include "toolkit/common/ColorValue.h"
#include "toolkit/controls/ThemeManager.h"

class CTKFlatEditTheme : public CTKThemeManagerStyle {
public:
    // Fills the rectangle and frames it in the hot (2) and pressed (3) states.
    virtual void DrawBorder(CDC* pDC, CWnd* pEdit, const CRect& rect, int nState);

protected:
    virtual void DrawActiveFrame(CDC* pDC, const CRect& rect);
};

class CTKFlatEditThemeFlat : public CTKFlatEditTheme {
public:
    void RefreshMetrics() override;

    // From colours 45, 47, 31, 33, 5, 32, 15 and 15 (the gradient look replaces them by scheme).
    CTKPColorValue m_clrHotText, m_clrPressedText, m_clrHotFill, m_clrPressedFill, m_clrField, m_clrBorder, m_clrFace,
        m_clrFaceLight;

protected:
    void DrawActiveFrame(CDC* pDC, const CRect& rect) override;
};

class CTKFlatEditThemeGradient : public CTKFlatEditThemeFlat {
public:
    void RefreshMetrics() override;

protected:
    void DrawActiveFrame(CDC* pDC, const CRect& rect) override;
};

class CTKFlatEditThemeFactory : public CTKThemeManagerStyleFactory {
    DECLARE_DYNCREATE(CTKFlatEditThemeFactory)
public:
    CTKThemeManagerStyle* CreateTheme(int nTheme) override;
};
