// The looks of the caption bar: CTKCaptionTheme (a filled band with optional 3D borders),
// CTKCaptionThemeFlat (flat, framed when it carries a close button) and CTKCaptionThemeGradient
// (the colour manager's caption gradients).
#pragma once

#include "toolkit/common/ColorValue.h"
#include "toolkit/controls/ThemeManager.h"

class CTKCaption;

class CTKCaptionTheme : public CTKThemeManagerStyle {
public:
    void RefreshMetrics() override;

    virtual void DrawBackground(CDC* pDC, CTKCaption* pCaption, const CRect& rect);
    // The text in the caption's text rectangle.
    virtual void DrawText(CDC* pDC, CTKCaption* pCaption, const CRect& rect);
    // The icon at the right, inside the border.
    virtual void DrawIcon(CDC* pDC, CTKCaption* pCaption, const CRect& rect);

    CTKPColorValue m_clrShadow;
    CTKPColorValue m_clrHighlight;
};

class CTKCaptionThemeFlat : public CTKCaptionTheme {
public:
    void DrawBackground(CDC* pDC, CTKCaption* pCaption, const CRect& rect) override;
};

class CTKCaptionThemeGradient : public CTKCaptionTheme {
public:
    void DrawBackground(CDC* pDC, CTKCaption* pCaption, const CRect& rect) override;
};

class CTKCaptionThemeFactory : public CTKThemeManagerStyleFactory {
    DECLARE_DYNCREATE(CTKCaptionThemeFactory)
public:
    CTKThemeManagerStyle* CreateTheme(int nTheme) override;
};
