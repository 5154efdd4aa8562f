// One pane of the toolkit's status bar: its command id, width, style bits and text, whether it is
// shown, the window it may host, and how the theme draws it (colours, alignment, icon, font). The
// bar numbers its panes on every layout: the index in its list and the part number among the
// visible ones.
#pragma once

#include "classlib/win/AfxGdi.h"
#include "toolkit/commandbars/CommandBarsDefs.h"

class CTKPStatusBar;
class CTKPImageIcon;

// Pane style bits beyond the common control's own (the low 16 bits go to the control).
enum TKPStatusPaneStyle {
    tkpPaneNoBorders = 0x100,
    tkpPanePopOut = 0x200,
    tkpPaneDisabled = 0x4000000,  // the pane shows no text
    tkpPaneStretch = 0x8000000,   // the pane takes a share of the spare width
};

class CTKPStatusBarPane : public CCmdTarget {
    DECLARE_DYNCREATE(CTKPStatusBarPane)
public:
    CTKPStatusBarPane();
    ~CTKPStatusBarPane() override;

    enum { pendingText = 0x1 };

    UINT GetID() const { return m_nID; }
    void SetID(UINT nID) { m_nID = nID; }
    // Width in pixels without the borders.
    int GetWidth() const { return m_cxText; }
    void SetWidth(int cxWidth);
    UINT GetStyle() const { return m_nStyle; }
    void SetStyle(UINT nStyle);
    CString GetText() const { return m_strText; }
    // Through the bar: the control shows it at once.
    BOOL SetText(LPCTSTR lpszText);
    BOOL IsVisible() const { return m_bVisible; }
    // A hidden pane gives its room to the others at the next layout.
    void SetVisible(BOOL bVisible);
    HWND GetHostedWindow() const { return m_hWndPane; }
    void SetHostedWindow(HWND hWnd);
    CTKPStatusBar* GetStatusBar() const { return m_pStatusBar; }
    int GetIndex() const { return m_nIndex; }
    int GetVisibleIndex() const { return m_nVisibleIndex; }
    BOOL IsTextPending() const { return (m_dwPending & pendingText) != 0; }

    // How the theme draws the pane: colours ((COLORREF)-1 none), 0 left, 1 centre, 2 right, an
    // icon of the bar's image manager (0 none) and a font of its own (none: the bar's).
    COLORREF GetTextColor() const { return m_clrText; }
    void SetTextColor(COLORREF clrText);
    COLORREF GetBackgroundColor() const { return m_clrBackground; }
    void SetBackgroundColor(COLORREF clrBackground);
    int GetAlignment() const { return m_nAlignment; }
    void SetAlignment(int nAlignment);
    UINT GetIconId() const { return m_nIconId; }
    void SetIconId(UINT nIconId);
    void SetFont(const LOGFONT* pLogFont);
    virtual CTKPImageIcon* GetIcon();
    virtual CFont* GetFont();

protected:
    friend class CTKPStatusBar;
    void Redraw();

    UINT m_nID;
    int m_cxText;
    UINT m_nStyle;
    DWORD m_dwPending;
    CString m_strText;
    BOOL m_bVisible;
    HWND m_hWndPane;
    CTKPStatusBar* m_pStatusBar;
    int m_nIndex;
    int m_nVisibleIndex;
    COLORREF m_clrText;
    COLORREF m_clrBackground;
    int m_nAlignment;
    UINT m_nIconId;
    CFont m_font;
};
