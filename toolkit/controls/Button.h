// CTKButton: an owner-drawn push button that draws through a style of CTKButtonThemeFactory (or one
// of its own), lights up under the cursor, and shows an image (normal, hot, disabled; 32-bit
// bitmaps keep their alpha) beside or above its text.
#pragma once

#include "classlib/win/AfxCtrls.h"
#include "toolkit/base/ImageIcon.h"
#include "toolkit/controls/ButtonTheme.h"
#include "toolkit/controls/ThemeManager.h"

// Style flags of CTKButton (combinable).
enum : DWORD {
    TKBS_FLAT = 0x01,            // no border when idle, raised when hot, sunken when pressed
    TKBS_SEMIFLAT = 0x02,        // a one-pixel raised border, sunken when pressed
    TKBS_IMAGEABOVETEXT = 0x04,  // image above the text, both centred
    TKBS_FOCUSRECT = 0x10,       // the focus rectangle when the button has the focus
    TKBS_PATTERNPRESSED = 0x20,  // the checker pattern on a pressed or checked face
    TKBS_FLATSTYLE = 0x40,       // a private flat look
    TKBS_VISUALSTYLES = 0x1000,  // the Windows visual styles when they are active
};

class CTKButton : public CButton, public CTKThemeStyleHolder {
    DECLARE_DYNAMIC(CTKButton)
public:
    // Bound to the given factory class, else to CTKButtonThemeFactory.
    explicit CTKButton(CRuntimeClass* pFactoryClass = NULL);
    ~CTKButton() override;

    using CWnd::GetStyle;
    // The style every paint goes through.
    CTKButtonTheme* GetButtonTheme() const { return static_cast<CTKButtonTheme*>(CTKThemeStyleHolder::GetStyle()); }

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

    // The image at the size (0 x 0: the normal image's own extent), with an optional hot image.
    virtual BOOL SetIcon(CSize size, const CTKPIconHandle& normal, const CTKPIconHandle& hot, BOOL bRedraw = TRUE);
    virtual BOOL SetIcon(CSize size, LPCTSTR lpszNormal, LPCTSTR lpszHot = NULL, BOOL bRedraw = TRUE);
    virtual BOOL SetIcon(CSize size, UINT nIDNormal, UINT nIDHot = 0, BOOL bRedraw = TRUE);
    virtual BOOL SetIcon(CSize size, HICON hNormal, HICON hHot = NULL, BOOL bRedraw = TRUE);
    // The image from a bitmap resource: a 32-bit one with its alpha, any other with its top-left
    // colour transparent.
    virtual BOOL SetBitmap(CSize size, UINT nIDBitmap, BOOL bRedraw = TRUE);
    // Fixed places of image and text instead of the layout.
    virtual BOOL SetTextImagePos(CPoint ptImage, CPoint ptText, BOOL bRedraw = TRUE);
    // Returns the previous flags.
    virtual DWORD SetButtonStyleFlags(DWORD dwFlags, BOOL bRedraw = TRUE);
    virtual DWORD GetButtonStyleFlags() const { return m_dwStyleFlags; }
    virtual BOOL HasTheme() const { return GetButtonTheme() != NULL; }
    virtual void SetColors(COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow, COLORREF clrText,
        BOOL bRedraw = TRUE);
    virtual void SetFaceColor(COLORREF clr, BOOL bRedraw = TRUE);
    virtual COLORREF GetFaceColor() const;
    virtual void SetLightColor(COLORREF clr, BOOL bRedraw = TRUE);
    virtual void SetShadowColor(COLORREF clr, BOOL bRedraw = TRUE);
    virtual void SetTextColor(COLORREF clr, BOOL bRedraw = TRUE);
    // Only in the flat look (theme 1): border (light and shadow), hot fill and pressed fill.
    virtual void SetFlatColors(COLORREF clrBorder, COLORREF clrHotFill, COLORREF clrPressedFill, BOOL bRedraw = TRUE);
    virtual void ToggleImage();
    // The font stays the caller's; returns the previous one.
    virtual CFont* SetFont(CFont* pFont);
    virtual void SetOwnerDraw();
    virtual void FreeDerivedImages();
    // The window text, without its mnemonic markers when bStrip.
    virtual void GetButtonText(CString& strText, BOOL bStrip);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

    // One step of hot tracking (timer 1 runs it every 10 ms while the cursor is inside).
    void OnHotTrackTimer();

    BOOL IsHot() const { return m_bHot; }
    BOOL IsPressed() const { return m_bPressed; }
    BOOL GetChecked() const { return m_bChecked; }
    void SetChecked(BOOL bChecked) { m_bChecked = bChecked; }
    BOOL HasFixedPositions() const { return m_bFixedPositions; }
    CSize GetImageSize() const { return m_sizeImage; }
    CTKPImageIcon* GetImage() const { return m_pImage; }

    int m_nMargin;
    int m_nImageTextGap;
    BOOL m_bMakeOwnerDraw;
    BOOL m_bHot;
    BOOL m_bFixedPositions;
    BOOL m_bPressed;
    BOOL m_bHotPainted;
    BOOL m_bChecked;
    DWORD m_dwStyleFlags;
    CSize m_sizeImage;
    CPoint m_ptImage;
    CPoint m_ptText;
    CTKPImageIcon* m_pImage;

protected:
    void RedrawIf(BOOL bRedraw);

    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
