// The looks of the themed push button: CTKButtonTheme (3D, flat or semi-flat borders by the
// button's style flags, or the visual styles), CTKButtonThemeFlat (one-colour fills and a frame in
// the border colour) and CTKButtonThemeGradient (the colour manager's gradients).
#pragma once

#include "toolkit/base/UxThemeWrapper.h"
#include "toolkit/common/ColorValue.h"
#include "toolkit/controls/ThemeManager.h"

class CTKButton;

class CTKButtonTheme : public CTKThemeManagerStyle {
public:
    CTKButtonTheme();
    ~CTKButtonTheme() override;

    void RefreshMetrics() override;

    virtual BOOL IsHotTrackingEnabled(CTKButton* pButton);
    // The button asks for the visual styles (flag 0x1000) and they are active.
    virtual BOOL IsThemeActive(CTKButton* pButton);
    virtual BOOL GetShowImage() const { return m_bShowImage; }
    virtual void SetShowImage(BOOL bShow) { m_bShowImage = bShow; }
    virtual CFont* GetFont() const { return m_pFont; }
    virtual void SetFont(CFont* pFont) { m_pFont = pFont; }
    // Overrides of the face, light, shadow and text colours ((COLORREF)-1 removes one).
    virtual void SetColors(COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow, COLORREF clrText);
    virtual void SetFaceColor(COLORREF clr) { m_clrFace.SetOverrideValue(clr); }
    virtual COLORREF GetFaceColor() const { return m_clrFace; }
    virtual void SetLightColor(COLORREF clr) { m_clrLight.SetOverrideValue(clr); }
    virtual void SetShadowColor(COLORREF clr) { m_clrShadow.SetOverrideValue(clr); }
    virtual void SetTextColor(COLORREF clr) { m_clrText.SetOverrideValue(clr); }

    // Where an image (or a text) of the size sits in the client rectangle: x by flag 0x04 (centred)
    // or the margin, y centred.
    virtual CPoint CalcImageOffset(int cx, int cy, CTKButton* pButton);
    virtual CPoint GetTextPosition(UINT nItemState, const CRect& rect, CSize sizeText, CTKButton* pButton);
    virtual COLORREF GetTextColor(UINT nItemState, CTKButton* pButton);
    virtual void DrawButtonText(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton);
    virtual CPoint GetImagePosition(CDC* pDC, UINT nItemState, const CRect& rect, BOOL bHasHotImage,
        CTKButton* pButton);
    virtual void DrawButtonImage(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton);
    // The whole button: background, text, image and focus.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS, CTKButton* pButton);
    // TRUE when the visual styles drew the background.
    virtual BOOL DrawThemedBackground(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton);
    virtual void DrawBackground(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton);
    virtual void DrawFocus(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton);

    BOOL m_bShowImage;
    BOOL m_bShiftWhenPressed;
    CFont* m_pFont;
    CTKPColorValue m_clrFace, m_clrText, m_clrDisabledText, m_clrLight, m_clrShadow, m_clrHighlight, m_clrDarkShadow;
    CTKPUxThemeWrapper m_themeButton;

protected:
    // The font the text is drawn in: the style's, else the button's own.
    CFont* GetTextFont(CTKButton* pButton) const;
    // The text without mnemonic markers, measured in the text font.
    CSize MeasureText(CDC* pDC, CTKButton* pButton) const;
};

class CTKButtonThemeFlat : public CTKButtonTheme {
public:
    explicit CTKButtonThemeFlat(BOOL bAlternateFace = FALSE);

    void RefreshMetrics() override;
    BOOL IsHotTrackingEnabled(CTKButton*) override { return TRUE; }
    COLORREF GetTextColor(UINT nItemState, CTKButton* pButton) override;
    void DrawButtonImage(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton) override;
    void DrawBackground(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton) override;
    void DrawFocus(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton) override;

    virtual void SetAlternateFace(BOOL bAlternateFace);
    virtual void SetPressedFillColor(COLORREF clr) { m_clrPressedFill.SetOverrideValue(clr); }
    virtual void SetHotFillColor(COLORREF clr) { m_clrHotFill.SetOverrideValue(clr); }
    virtual void SetPressedTextColor(COLORREF clr) { m_clrPressedText.SetOverrideValue(clr); }
    virtual void SetHotTextColor(COLORREF clr) { m_clrHotText.SetOverrideValue(clr); }

    BOOL m_bAlternateFace;
    BOOL m_bFadedIdleImage;
    BOOL m_bImageShadow;
    CTKPColorValue m_clrPressedFill, m_clrHotFill, m_clrPressedText, m_clrHotText, m_clrCheckedFill;

protected:
    enum FaceState { faceIdle, faceHot, facePressed, faceChecked };
    static FaceState GetFaceState(UINT nItemState, CTKButton* pButton);
    // Fills the face of a hot, pressed or checked button.
    virtual void FillActiveFace(CDC* pDC, const CRect& rect, FaceState state);
};

class CTKButtonThemeGradient : public CTKButtonThemeFlat {
public:
    explicit CTKButtonThemeGradient(BOOL bAlternateFace = FALSE);

    void RefreshMetrics() override;
    void DrawButtonImage(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton) override;

protected:
    void FillActiveFace(CDC* pDC, const CRect& rect, FaceState state) override;
};

class CTKButtonThemeFactory : public CTKThemeManagerStyleFactory {
    DECLARE_DYNCREATE(CTKButtonThemeFactory)
public:
    CTKThemeManagerStyle* CreateTheme(int nTheme) override;
};
