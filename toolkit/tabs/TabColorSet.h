// A tab colour set: the colours of a tab row, refreshed from the toolkit's colour table, and the
// fills of the header band, the client area, the tab faces, the captions and the navigation buttons.
#pragma once

#include "classlib/win/AfxWin.h"
#include "toolkit/common/ColorValue.h"

class CTKPTabManager;
class CTKPTabManagerItem;
class CTKPTabManagerNavigateButton;
class CTKPTabTheme;

// The toolkit colour indexes that the colour sets start from.
enum TKPTabColorIndex {
    tkpcWindow = 5,          // COLOR_WINDOW
    tkpcHighlight = 13,      // COLOR_HIGHLIGHT
    tkpcFace = 15,           // COLOR_BTNFACE
    tkpcShadow = 16,         // COLOR_BTNSHADOW
    tkpcGrayText = 17,       // COLOR_GRAYTEXT
    tkpcText = 18,           // COLOR_BTNTEXT
    tkpcHighlightEdge = 20,  // COLOR_BTNHIGHLIGHT
    tkpcDarkShadow = 21,     // COLOR_3DDKSHADOW
    tkpcHotFace = 31,        // the toolkit's hot button face
    tkpcPressedFace = 33,    // the toolkit's pressed button face
    tkpcLightFace = 36,      // the toolkit's light selection face
    tkpcLightFrame = 37,     // the toolkit's selection frame
    tkpcGrip = 38,           // the toolkit's grip dots
    tkpcHotText = 45,        // text on the hot face
    tkpcPressedText = 47,    // text on the pressed face
    tkpcBarFace = 48,        // the toolkit's bar face
    tkpcBarText = 49,        // text on the bar face
    tkpcStyleBorder = 57     // the visual style's border
};

class CTKPTabColorSet {
public:
    CTKPTabColorSet();
    virtual ~CTKPTabColorSet();

    // The colour set of a number: 1, 2, 4, 8 or 16, any other number gives 1.
    static CTKPTabColorSet* Create(int nColorSet);

    virtual void RefreshColors();
    // Disabled, then inactive row, then selected, hot and normal.
    virtual void SetTextColor(CDC* pDC, CTKPTabManagerItem* pItem);
    virtual void FillHeader(CDC* pDC, CRect rc, CTKPTabManager* pManager);
    virtual void FillClient(CDC* pDC, CRect rc, CTKPTabManager* pManager);
    virtual void DrawTabFace(CDC* pDC, CRect rc, CTKPTabManagerItem* pItem);
    // Fills the tab and returns the fill colour (-1 when it drew nothing of one colour).
    virtual COLORREF FillTab(CDC* pDC, CRect rc, CTKPTabManagerItem* pItem);
    virtual void FillRowBackground(CDC* pDC, CRect rcHeader, CTKPTabManager* pManager);
    // The button's face; sets the glyph colour as the DC's text colour and may move rc for the glyph.
    virtual void DrawNavigateButton(CDC* pDC, CTKPTabManagerNavigateButton* pButton, CRect& rc) = 0;
    virtual COLORREF GetTabFaceColor(CTKPTabManagerItem* pItem);
    virtual BOOL IsThemed();

    // A gradient turned with the row: the light end at the control edge. A light end of -2 is the
    // checker dither of the face and highlight colours.
    void FillGradient(CDC* pDC, CRect rc, COLORREF clrLight, COLORREF clrDark, int nPosition);
    void FillGradient(CDC* pDC, CRect rc, const CTKPColorGradient& gradient, int nPosition);

    // The position of the manager's row (the theme's without a manager).
    int GetPosition(const CTKPTabManager* pManager) const;
    int GetPosition(const CTKPTabManagerItem* pItem) const;
    int GetAppearance() const;

    CTKPColorGradient m_grcHeader;
    CTKPColorGradient m_grcHeaderSecond;
    CTKPColorValue m_clrFrame;
    CTKPColorValue m_clrClient;
    CTKPColorValue m_clr3DLight;
    CTKPColorValue m_clrSelectedFace;
    CTKPColorValue m_clrNormalFace;
    CTKPColorValue m_clrNormalText;
    CTKPColorValue m_clrInactiveText;
    CTKPColorValue m_clrSelectedText;
    CTKPColorValue m_clrHotText;
    CTKPColorValue m_clrDisabledText;
    CTKPColorGradient m_grcSelectedFace;
    CTKPColorGradient m_grcSelectedFrame;
    CTKPColorValue m_clr3DHighlight;
    CTKPColorValue m_clr3DShadow;
    CTKPColorValue m_clr3DDarkShadow;
    CTKPColorValue m_clrTabBorder;
    CTKPColorValue m_clrSelectedTabBorder;
    CTKPColorValue m_clrTabLightEdge;
    CTKPColorValue m_clrTabInnerEdge;
    // The outlines of the sloped tabs: the selected tab's and the others'; the first, third, fourth
    // and fifth are drawn.
    CTKPColorValue m_clrSelectedOutline[6];
    CTKPColorValue m_clrOutline[6];
    CTKPTabTheme* m_pTheme;

    // A light end of this value asks FillGradient for the dither.
    static const COLORREF kDither = 0xFFFFFFFE;

protected:
    // The colour of a toolkit colour index (literal colours above 61 come back as they are).
    static COLORREF Color(int nIndex);
    // Pressed: sunken (16 / 20), the glyph one pixel down and right; hot: raised (20 / 16).
    void DrawClassicButton(CDC* pDC, CTKPTabManagerNavigateButton* pButton, CRect& rc, COLORREF clrGlyph);
};

// Colour set 1: the selected tab in the checker dither inside a sunken frame.
class CTKPTabColorSetDefault : public CTKPTabColorSet {
public:
    void RefreshColors() override;
    void DrawNavigateButton(CDC* pDC, CTKPTabManagerNavigateButton* pButton, CRect& rc) override;
};

// Colour set 2: the header in the bar face colour.
class CTKPTabColorSetFlat : public CTKPTabColorSet {
public:
    void RefreshColors() override;
    void DrawNavigateButton(CDC* pDC, CTKPTabManagerNavigateButton* pButton, CRect& rc) override;
};

// Colour set 4: gradient faces, with the colour scheme's own palette when the scheme is in use.
class CTKPTabColorSetScheme : public CTKPTabColorSetDefault {
public:
    CTKPTabColorSetScheme();

    void RefreshColors() override;
    COLORREF FillTab(CDC* pDC, CRect rc, CTKPTabManagerItem* pItem) override;
    void DrawNavigateButton(CDC* pDC, CTKPTabManagerNavigateButton* pButton, CRect& rc) override;

    CTKPColorValue m_clrHotFace;
    CTKPColorValue m_clrButtonFrame;
    BOOL m_bPalette;

protected:
    // The buttons of the scheme-coloured sets (4 and 16).
    void DrawSchemeButton(CDC* pDC, CTKPTabManagerNavigateButton* pButton, CRect& rc);
};

// Colour set 8: the visual style's tabs and toolbar buttons; colour set 1 without visual styles.
class CTKPTabColorSetVisualStyle : public CTKPTabColorSetDefault {
public:
    CTKPTabColorSetVisualStyle();
    ~CTKPTabColorSetVisualStyle() override;

    void RefreshColors() override;
    COLORREF FillTab(CDC* pDC, CRect rc, CTKPTabManagerItem* pItem) override;
    void FillClient(CDC* pDC, CRect rc, CTKPTabManager* pManager) override;
    void FillRowBackground(CDC* pDC, CRect rcHeader, CTKPTabManager* pManager) override;
    void DrawNavigateButton(CDC* pDC, CTKPTabManagerNavigateButton* pButton, CRect& rc) override;
    void DrawTabFace(CDC* pDC, CRect rc, CTKPTabManagerItem* pItem) override;
    BOOL IsThemed() override;

    class CTKPUxThemeWrapper* m_pTabTheme;
    class CTKPUxThemeWrapper* m_pButtonTheme;

private:
    // Draws the "TAB" part as for a row at the top and turns it into the tab rectangle.
    void DrawTurnedTab(CDC* pDC, const CRect& rc, int nState, int nPosition);
};

// Colour set 16: white selected tab, light faces.
class CTKPTabColorSetLight : public CTKPTabColorSetScheme {
public:
    CTKPTabColorSetLight();

    void RefreshColors() override;
    COLORREF FillTab(CDC* pDC, CRect rc, CTKPTabManagerItem* pItem) override;

    BOOL m_bGradientFaces;
};
