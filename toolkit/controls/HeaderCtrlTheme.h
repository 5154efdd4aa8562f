// The looks of the header control: CTKHeaderCtrlTheme (3D dividers, or the visual styles of class
// "HEADER" with hot tracking), CTKHeaderCtrlThemeFlat (flat dividers) and CTKHeaderCtrlThemeGradient
// (a shaded bottom edge and a taller header). All draw the sort arrow on the sorted column.
#pragma once

#include "toolkit/base/UxThemeWrapper.h"
#include "toolkit/common/ColorValue.h"
#include "toolkit/controls/ThemeManager.h"

#include <commctrl.h>

class CTKHeaderCtrl;

// Draw flags of a header style.
enum : DWORD {
    TKHDF_VISUALSTYLES = 0x1,  // draw through the visual styles when they are active
    TKHDF_HOTTRACK = 0x2,      // light up the item under the cursor
    TKHDF_SORTARROWS = 0x4,    // the arrow on the sorted column
};

// Item states while drawing.
enum : UINT {
    TKHIS_PRESSED = 0x1,
    TKHIS_HOT = 0x40,
};

class CTKHeaderCtrlTheme : public CTKThemeManagerStyle {
public:
    CTKHeaderCtrlTheme();
    ~CTKHeaderCtrlTheme() override;

    void RefreshMetrics() override;

    // The whole header: background, then each item in display order.
    virtual void DrawHeader(CDC* pDC, CTKHeaderCtrl* pHeader);
    // Draw flag 1 is set and the "HEADER" visual styles are open and active.
    virtual BOOL IsThemeActive();
    virtual void SetDrawFlags(DWORD dwFlags);
    virtual DWORD GetDrawFlags() const { return m_dwDrawFlags; }
    // Lays the header out in the given rectangle (HDM_LAYOUT); returns the message's answer.
    virtual LRESULT Layout(LPHDLAYOUT lpLayout, CTKHeaderCtrl* pHeader);
    // The header is going: frees the image lists of the items' bitmaps.
    virtual void Destroy(CTKHeaderCtrl* pHeader);
    // A bitmap resource before the item's text (masked with the colour), or none with bRemove.
    virtual BOOL SetItemBitmap(int nItem, UINT nIDBitmap, BOOL bRemove, COLORREF clrMask, CTKHeaderCtrl* pHeader);
    virtual void DrawItemBackground(CDC* pDC, const CRect& rect);
    virtual BOOL DrawThemedBackground(CDC* pDC, const CRect& rect);
    virtual void DrawItemDivider(CDC* pDC, const CRect& rect, UINT nState);
    virtual BOOL DrawThemedItem(CDC* pDC, const CRect& rect, UINT nState);
    // Where the arrow goes for text ending at xTextRight; FALSE when it would start left of the item.
    virtual BOOL GetSortArrowPosition(const CRect& rcItem, int xTextRight, UINT nState, CPoint& pt);
    virtual void DrawItemText(CDC* pDC, const CRect& rcItem, int nItem, UINT nState, CTKHeaderCtrl* pHeader);
    // The item's bitmap at the left of the text rectangle; returns how far the text moves right.
    virtual int DrawItemBitmap(CDC* pDC, const CRect& rcItem, const CRect& rcText, HDITEMW& item, UINT nState);
    virtual void DrawArrow(CDC* pDC, CPoint pt, BOOL bAscending);

    int m_nArrowGap;
    DWORD m_dwDrawFlags;
    BOOL m_bUseVisualStyles;
    int m_nTextMargin;
    int m_nTextTop;
    int m_nArrowWidth;
    int m_nArrowHeight;
    CTKPColorValue m_clrText, m_clrFace, m_clrShadow, m_clrDarkShadow, m_clrHighlight;
    CTKPUxThemeWrapper m_themeHeader;
};

class CTKHeaderCtrlThemeFlat : public CTKHeaderCtrlTheme {
public:
    CTKHeaderCtrlThemeFlat();

    void DrawItemBackground(CDC* pDC, const CRect& rect) override;
    void DrawItemDivider(CDC* pDC, const CRect& rect, UINT nState) override;
};

class CTKHeaderCtrlThemeGradient : public CTKHeaderCtrlThemeFlat {
public:
    CTKHeaderCtrlThemeGradient();

    void DrawItemBackground(CDC* pDC, const CRect& rect) override;
    // Its own height: the font's height plus 10.
    LRESULT Layout(LPHDLAYOUT lpLayout, CTKHeaderCtrl* pHeader) override;
};

class CTKHeaderCtrlThemeFactory : public CTKThemeManagerStyleFactory {
    DECLARE_DYNCREATE(CTKHeaderCtrlThemeFactory)
public:
    CTKThemeManagerStyle* CreateTheme(int nTheme) override;
};
