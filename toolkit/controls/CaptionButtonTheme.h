// The looks of the caption's button: the three button looks, drawing the owning caption's text in
// its colours over the caption's background (the gradient look continues the caption's gradient).
#pragma once

#include "toolkit/controls/ButtonTheme.h"

class CTKCaption;

class CTKCaptionButtonTheme : public CTKButtonTheme {
public:
    CTKCaptionButtonTheme();

    COLORREF GetTextColor(UINT nItemState, CTKButton* pButton) override;
    void DrawButtonText(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton) override;
    void DrawBackground(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton) override;
};

class CTKCaptionButtonThemeFlat : public CTKButtonThemeFlat {
public:
    CTKCaptionButtonThemeFlat();

    COLORREF GetTextColor(UINT nItemState, CTKButton* pButton) override;
    void DrawButtonText(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton) override;
    void DrawBackground(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton) override;
};

class CTKCaptionButtonThemeGradient : public CTKButtonThemeGradient {
public:
    CTKCaptionButtonThemeGradient();

    COLORREF GetTextColor(UINT nItemState, CTKButton* pButton) override;
    void DrawButtonText(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton) override;
    void DrawBackground(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton) override;
    // The caption's own gradient as it shows under the button: the colours at the button's corners.
    virtual BOOL SampleCaptionGradient(CTKCaption* pCaption, const CRect& rcButton, CTKPColorGradient& gradient);
};

class CTKCaptionButtonThemeFactory : public CTKThemeManagerStyleFactory {
    DECLARE_DYNCREATE(CTKCaptionButtonThemeFactory)
public:
    CTKThemeManagerStyle* CreateTheme(int nTheme) override;
};
