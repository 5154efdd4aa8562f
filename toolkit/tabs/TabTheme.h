// The tab paint theme: measures, lays out and paints the rows of a tab manager. It owns the look of
// a row (its position, layout style, fonts, margins and caption fitting) and two strategies chosen
// by number: the appearance (the shape and geometry of tabs) and the colour set (colours and fills).
// Choosing an appearance also chooses that appearance's own colour set.
#pragma once

#include "classlib/win/AfxWin.h"

class CTKPTabAppearance;
class CTKPTabColorSet;
class CTKPTabManager;
class CTKPTabManagerItem;
class CTKPTabManagerNavigateButton;

class CTKPTabTheme : public CCmdTarget {
public:
    CTKPTabTheme();
    ~CTKPTabTheme() override;

    // Paints the whole control through the appearance.
    virtual void DrawTabControl(CDC* pDC, CTKPTabManager* pManager, CRect rcControl);
    // Turns the control rectangle into the client rectangle beside the tab row.
    virtual void AdjustClientRect(CTKPTabManager* pManager, CRect& rcClient);
    // Lays the row out in the control rectangle; the manager keeps the results.
    virtual void RepositionTabControl(CTKPTabManager* pManager, CDC* pDC, CRect rcControl);
    // bDraw FALSE: the tab's natural width. bDraw TRUE: paints image, caption and focus rectangle.
    virtual int DrawTabContent(CDC* pDC, CTKPTabManagerItem* pItem, CRect rcItem, BOOL bDraw);
    // Reloads the fonts (when the system font is used), the colours and the appearance's metrics.
    virtual void RefreshMetrics();
    // Asks every client manager to re-lay its row.
    virtual void RefreshClients();
    virtual void DrawFocusRect(CDC* pDC, CTKPTabManagerItem* pItem, CRect rcItem);

    // Appearances 0 to 9 (any other number gives 0); the appearance's colour set comes with it.
    void SetAppearance(int nAppearance);
    void SetAppearanceObject(CTKPTabAppearance* pAppearance);
    int GetAppearance() const { return m_nAppearance; }
    CTKPTabAppearance* GetAppearanceObject() const { return m_pAppearance; }
    // Colour sets 1, 2, 4, 8 and 16 (any other number gives 1).
    void SetColorSet(int nColorSet);
    void SetColorSetObject(CTKPTabColorSet* pColorSet);
    int GetColorSet() const { return m_nColorSet; }
    CTKPTabColorSet* GetColorSetObject() const { return m_pColorSet; }

    // 0 top, 1 left, 2 bottom, 3 right.
    void SetPosition(int nPosition);
    int GetPosition() const { return m_nPosition; }
    // The position a manager's row runs along: the manager's own answer (a side panel's strips turn
    // with their side), the theme's without a manager.
    int GetPositionOf(const CTKPTabManager* pManager) const;
    // 0 natural widths, 1 shrink to fit, 2 fixed width, 3 compressed, 4 multi-row, 5 rotated.
    void SetLayout(int nLayout);
    int GetLayout() const { return m_nLayout; }
    // Builds the four fonts from the LOGFONT (none: only the switch changes).
    void SetFontIndirect(const LOGFONT* pLogFont, BOOL bUseSystemFont = FALSE);
    // The font a tab's caption is measured and drawn in.
    CFont* GetTabFont(CTKPTabManagerItem* pItem);
    CFont* GetNormalFont() { return &m_fntNormal; }
    CFont* GetBoldFont() { return &m_fntBold; }
    CFont* GetVerticalFont() { return &m_fntVertical; }
    CFont* GetVerticalBoldFont() { return &m_fntVerticalBold; }

    // TRUE when the flat-colours switch is on or the toolkit's colour table keeps off the visual
    // style's colour scheme.
    BOOL IsSchemeColorsDisabled() const;
    // One of the eight tab colours for a tab colour index (0x1000000 to 0x1000007).
    static COLORREF GetTabColorFromIndex(int nValue);

    void DrawNavigateButton(CDC* pDC, CTKPTabManagerNavigateButton* pButton, CRect& rc);
    void EnsureTabVisible(CTKPTabManager* pManager, CTKPTabManagerItem* pItem);

    // The standard forms of the appearance's painting and layout.
    void PaintTabControl(CTKPTabManager* pManager, CDC* pDC, CRect rcControl);
    void DrawRowTabs(CDC* pDC, CTKPTabManager* pManager, int nRow);
    void LayoutTabs(CTKPTabManager* pManager, CDC* pDC, CRect rcControl);
    void LayoutMultiRow(CTKPTabManager* pManager, CDC* pDC, CRect rcControl);
    void ArrangeRows(CTKPTabManager* pManager, CDC* pDC, int nLength);
    BOOL FillRows(CTKPTabManager* pManager, int nLength, int nRow, int nRemaining);
    void ShrinkTabsToFit(CTKPTabManager* pManager, int nLength);
    CRect GetTabAreaRect(CTKPTabManager* pManager, CRect rcControl);

    // Text.
    int GetTextWidth(CDC* pDC, const CString& str, UINT nFormat);
    void DrawTextFitted(CDC* pDC, const CString& str, LPRECT lpRect, UINT nFormat);

    // Margins given for a row at the top, turned with the position.
    static void DeflateForPosition(CRect& rc, const CRect& rcMargins, int nPosition);
    static void InflateForPosition(CRect& rc, const CRect& rcMargins, int nPosition);

    // Switches and settings.
    BOOL m_bHotTracking;       // the tab under the mouse is drawn hot
    BOOL m_bShowImages;        // the row height makes room for the images
    BOOL m_bBoldSelected;      // the selected tab of an active row has a bold caption
    BOOL m_bBoldTabs;          // every caption is bold
    BOOL m_bFlatColors;        // the colour sets keep off the colour scheme's palettes
    BOOL m_bItemColors;        // tabs are filled with their own colours
    int m_nClientFrame;        // 0 frame around the client, 1 one line on the tab side, other none
    BOOL m_bStaticFrame;       // a two-line frame around the whole control
    CRect m_rcClientMargin;    // kept free around the client area, inside its frame
    CRect m_rcControlMargin;   // kept free around the whole control
    CRect m_rcTabMargin;       // free space inside every tab
    BOOL m_bInvertGradient;    // the ends of every gradient are exchanged
    BOOL m_bFillClient;        // the control is filled and the client frame painted
    CSize m_szImage;           // the size asked of the manager for tab images
    BOOL m_bFittedCaptions;    // long captions lose their middle instead of their end
    BOOL m_bNoPrefix;          // '&' is drawn as it stands
    BOOL m_bKeepRowOrder;      // the selected tab's row stays where it is
    BOOL m_bBalancedRows;      // rows share the tabs evenly and reach the full length
    BOOL m_bFocusRect;         // the selected tab of a focused row gets a focus rectangle
    BOOL m_bSelectOnDragOver;  // docking hosts act on the tab under a dragged object
    BOOL m_bUseSystemFont;     // RefreshMetrics takes the icon-title font
    int m_nTooltipMode;        // 0 no tab tooltips, 1 always, 2 for truncated tabs only
    int m_nColorCounter;       // counts inserted tabs; each new tab takes the next of eight colours

protected:
    CTKPTabAppearance* m_pAppearance;
    CTKPTabColorSet* m_pColorSet;
    CPtrArray m_arrClients;
    int m_nAppearance;
    int m_nColorSet;
    int m_nPosition;
    int m_nLayout;
    CFont m_fntNormal;
    CFont m_fntBold;
    CFont m_fntVertical;
    CFont m_fntVerticalBold;

private:
    // Whether the row's text runs across (position 1 and 3; the other way round when rotated).
    BOOL IsVerticalText(int nPosition) const;
    void DrawCaption(CDC* pDC, CTKPTabManagerItem* pItem, CRect rc, BOOL bVertical);
};
