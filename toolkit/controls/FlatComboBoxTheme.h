// The looks of the flat combo box: the default one (sunken frame and raised button when hot), the
// flat one (one-colour frames and fills) and the gradient one (scheme gradients). State 2 is hot
// and 3 pressed; any other value draws the normal look.
#pragma once

#include "toolkit/controls/ThemeManager.h"

class CTKFlatComboBox;

class CTKFlatComboBoxTheme : public CTKThemeManagerStyle {
public:
    CTKFlatComboBoxTheme();

    void RefreshMetrics() override;
    // The frame and the drop button over the control's client rectangle.
    virtual void DrawFrame(CDC* pDC, CTKFlatComboBox* pCombo, int nState);
    // The button at the right of the rectangle and its arrow.
    virtual void DrawDropButton(CDC* pDC, CRect rect, int nState, CTKFlatComboBox* pCombo);
    // The button's face; leaves the rectangle where the arrow is centred.
    virtual void DrawButtonFace(CDC* pDC, CRect& rect, int nState, CTKFlatComboBox* pCombo);

    // The inner rectangle that holds the text (client rectangle less the edges and the button).
    CRect GetTextRect(const CRect& rcClient, int nState) const;

    int m_nDropButtonWidth;
    int m_cxHThumb, m_cyVThumb, m_cxBorder, m_cyBorder, m_cxEdge, m_cyEdge;

protected:
    // The frame of the hot or pressed control.
    virtual void DrawActiveFrame(CDC* pDC, const CRect& rcClient);
    // The frame of the enabled control in the normal state (none in the default look).
    virtual void DrawIdleFrame(CDC* pDC, const CRect& rcClient) {}
    // How far the arrow moves in the state.
    virtual int GetArrowShift(int nState) const { return nState == 3 ? 1 : 0; }
};

class CTKFlatComboBoxThemeFlat : public CTKFlatComboBoxTheme {
public:
    void DrawButtonFace(CDC* pDC, CRect& rect, int nState, CTKFlatComboBox* pCombo) override;

protected:
    void DrawActiveFrame(CDC* pDC, const CRect& rcClient) override;
    void DrawIdleFrame(CDC* pDC, const CRect& rcClient) override;
    int GetArrowShift(int) const override { return 0; }
    // The one-pixel line left of a hot or pressed button.
    virtual COLORREF GetSeparatorColor() const;
};

class CTKFlatComboBoxThemeGradient : public CTKFlatComboBoxThemeFlat {
public:
    void DrawButtonFace(CDC* pDC, CRect& rect, int nState, CTKFlatComboBox* pCombo) override;

protected:
    void DrawActiveFrame(CDC* pDC, const CRect& rcClient) override;
    void DrawIdleFrame(CDC*, const CRect&) override {}
    COLORREF GetSeparatorColor() const override;
};

class CTKFlatComboBoxThemeFactory : public CTKThemeManagerStyleFactory {
    DECLARE_DYNCREATE(CTKFlatComboBoxThemeFactory)
public:
    CTKThemeManagerStyle* CreateTheme(int nTheme) override;
};
