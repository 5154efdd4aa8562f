// The docking themes paint every docking window: tabbed containers with their captions and buttons,
// floating frames, splitter bars, the auto-hide side panels and slide-outs. Each theme keeps its
// own copy of the toolkit's 62 colours, the caption fonts and metrics, and two tab paint themes: one
// for the tabs of containers and one for the side panels. The root is the base of ten themes made
// by number (Create).
//
// Colours given to the drawing services are colour indexes (0 to 61) or, above 61, literal RGB
// values; entry 0 always holds black, so that black can be named without meaning a system colour.
#pragma once

#include "toolkit/common/ColorValue.h"
#include "toolkit/docking/DockingPaneDefs.h"

class CTKPTabTheme;
class CTKPDockingPaneSplitterBar;

class CTKPDockingPaneTheme : public CCmdTarget {
public:
    enum { COLOR_COUNT = 62 };
    // Splitter styles.
    enum { splitterEtched = 1, splitterShaded = 2, splitterGradient = 4, splitterDash = 0x100, splitterGrip = 0x200 };

    CTKPDockingPaneTheme();
    ~CTKPDockingPaneTheme() override;

    // The theme of a number: 1 to 9, any other number the default theme.
    static CTKPDockingPaneTheme* Create(int nTheme);

    // The container's background, caption and tab row.
    virtual void DrawTabbedContainer(CDC* pDC, CTKPDockingPaneTabbedContainer* pContainer, CRect rc);
    virtual void DrawCaption(CDC* pDC, CTKPDockingPaneTabbedContainer* pContainer, CRect rc) = 0;
    // Places the visible buttons from the band's far end inwards, draws them, and moves the band's
    // far end past the last one.
    virtual void LayoutCaptionButtons(CDC* pDC, CTKPDockingPaneCaptionButtons& buttons, CRect& rc, COLORREF clrGlyph,
        int nSize, int nSpacing, BOOL bVertical);
    virtual void DrawCaptionButton(CDC* pDC, CTKPDockingPaneCaptionButton* pButton, COLORREF clrGlyph);
    // Colours from the colour manager, fonts, caption and tab-row heights, both tab themes.
    virtual void RefreshMetrics();
    // The rectangle less the caption band and, when the container shows tabs, the tab row (laid
    // out in the container's window with bWithDC).
    virtual void AdjustTabbedContainerLayout(CTKPDockingPaneTabbedContainer* pContainer, CRect& rc, BOOL bWithDC);
    // The rectangle less the caption band, when the container shows a caption.
    virtual void AdjustCaptionRect(CTKPDockingPaneTabbedContainer* pContainer, CRect& rc);
    virtual void DrawFloatingFrame(CDC* pDC, CTKPDockingPaneMiniWnd* pMini, CRect rc);
    virtual void DrawSplitterBar(CDC* pDC, CTKPDockingPaneSplitterBar* pBar);

    // An index above 61 is a literal colour; 0 to 61 the theme's table.
    COLORREF GetColor(UINT nIndex) const;
    void SetColors(int nCount, const UINT* pIndexes, const COLORREF* pValues);
    // 5: the colour manager's scheme (0 while it keeps off schemes), 4: the detected scheme, other
    // values as they are.
    int GetSchemeMode() const;
    void DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF clr);
    // Fills with one colour and frames with another (indexes or literals).
    void FillFramed(CDC* pDC, CRect rc, COLORREF clrFill, COLORREF clrFrame);
    void DrawPixel(CDC* pDC, int x, int y, COLORREF clr);
    // The caption font (and its vertical twin) from a LOGFONT, and the caption height measured.
    void SetCaptionFont(LOGFONT* pLogFont, BOOL bUseSystemFont);
    // Draws a title in the caption font; with bMeasure the title's width (horizontal) or, vertical,
    // its length in pixels.
    int DrawCaptionTitle(CDC* pDC, const CString& strTitle, CRect rc, BOOL bVertical, BOOL bMeasure);

    // What the theme asks of a container.
    BOOL IsCaptionShown(CTKPDockingPaneTabbedContainer* pContainer);
    BOOL IsCaptionActive(CTKPDockingPaneTabbedContainer* pContainer);

    BOOL m_bBoldCaption;
    BOOL m_bActiveCaption;
    int m_nSplitterWidth;
    BOOL m_bShowCaption;
    BOOL m_bAlwaysShowTabs;
    CTKPColorValue m_clrFirst;   // colour 16 after a refresh
    CTKPColorValue m_clrSecond;  // colour 15 after a refresh
    CTKPColorGradient m_grcCaption;
    DWORD m_dwSplitterStyle;
    int m_nCaptionHeight;
    int m_nCaptionExtraHeight;
    int m_nTabRowHeight;
    CFont m_fntCaption;
    CFont m_fntCaptionVertical;
    BOOL m_bUseTahoma;
    BOOL m_bUseSystemFont;
    CTKPTabTheme* m_pPaneTabTheme;
    CTKPTabTheme* m_pAutoHideTabTheme;
    COLORREF m_arrColors[COLOR_COUNT];
    int m_nTheme;
    CRect m_rcCaptionMargin;
    int m_nSchemeSelection;

protected:
    // The band less (l, t, r, b), turned for vertical captions.
    static void DeflateBand(CRect& rc, int l, int t, int r, int b, BOOL bVertical);
    // The band less n pixels at its far end.
    static void CutFarEnd(CRect& rc, int n, BOOL bVertical);
};

// Theme 0: system captions and frame-control buttons.
class CTKPDockingPaneDefaultTheme : public CTKPDockingPaneTheme {
public:
    CTKPDockingPaneDefaultTheme();

    void DrawCaption(CDC* pDC, CTKPDockingPaneTabbedContainer* pContainer, CRect rc) override;
    void DrawCaptionButton(CDC* pDC, CTKPDockingPaneCaptionButton* pButton, COLORREF clrGlyph) override;
    void DrawFloatingFrame(CDC* pDC, CTKPDockingPaneMiniWnd* pMini, CRect rc) override;
    // A caption band with its buttons and title.
    virtual void DrawPaneCaption(CDC* pDC, CTKPDockingNode* pNode, CRect rc, const CString& strTitle, BOOL bActive,
        BOOL bVertical);

protected:
    // The band of a container's caption and the area around it filled.
    CRect PrepareCaptionBand(CDC* pDC, CRect rc, BOOL bVertical, int nTop, COLORREF clrFill);
};
