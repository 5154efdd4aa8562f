// CTKCaption: a caption bar above a pane: a filled band with an optional border, an icon and a
// text, and a button. In caption-button mode the text is a button that drops the pane's child
// window below the caption in a popup; in close-button mode a small close glyph at the right sends
// the caption's command to its owner.
#pragma once

#include "classlib/win/AfxCtrls.h"
#include "toolkit/controls/CaptionButton.h"
#include "toolkit/controls/CaptionTheme.h"

class CTKCaptionPopupWnd;

// Caption style bits.
enum : DWORD {
    TKCS_DOUBLE3D = 0x1,     // a double 3D border
    TKCS_RAISED = 0x2,       // a single raised border
    TKCS_CLOSEBUTTON = 0x4,  // a close glyph instead of the caption button
};

const UINT ID_TKCAPTION_BUTTON = 9115;

class CTKCaption : public CStatic, public CTKThemeStyleHolder {
    DECLARE_DYNAMIC(CTKCaption)
public:
    CTKCaption();
    ~CTKCaption() override;

    using CWnd::GetStyle;
    CTKCaptionTheme* GetCaptionTheme() const { return static_cast<CTKCaptionTheme*>(CTKThemeStyleHolder::GetStyle()); }

    virtual void SetCaptionColors(COLORREF clrBorder, COLORREF clrBackground, COLORREF clrText);
    // Each argument counts only when it is given (non-zero).
    virtual void ModifyCaptionStyle(int nBorderSize, CFont* pFont = NULL, LPCTSTR lpszText = NULL, HICON hIcon = NULL);
    // The pane's child window whose popup the caption button shows; owner gets the caption's messages.
    virtual void SetChildWindow(CWnd* pChild, CWnd* pOwner);
    virtual void HidePopup();
    virtual BOOL ShowPopup();
    virtual void UpdateCaption();
    // flags: caption style bits (TKCS_...), further bits become extended styles.
    virtual BOOL Create(CWnd* pParentWnd, LPCTSTR lpszText, DWORD dwFlags, DWORD dwStyle, const CRect& rect, UINT nID);
    virtual CRect GetTextRect();
    virtual void DrawBackground(CDC* pDC, const CRect& rect);
    virtual void DrawCaptionText(CDC* pDC, const CRect& rect);
    virtual void DrawCaptionIcon(CDC* pDC, const CRect& rect);
    virtual void SetCaptionText(LPCTSTR lpszText);
    virtual CRect GetButtonRect();

    // The whole caption into the DC (the button's place left out when the button shows).
    void Draw(CDC* pDC);

    BOOL IsCaptionButtonMode() const { return m_bCaptionButton; }
    const CString& GetCaptionText() const { return m_strCaption; }
    HICON GetCaptionIcon() const { return m_hIcon; }
    CTKCaptionButton& GetButton() { return m_button; }
    CTKCaptionPopupWnd* GetPopup() const { return m_pPopupWnd; }
    CWnd* GetNotifyWnd() const;

    int m_nBorderSize;
    COLORREF m_clrBorder;
    COLORREF m_clrBackground;
    COLORREF m_clrText;
    int m_nPopupOffset;
    BOOL m_bUserColors;
    BOOL m_bCaptionButton;
    CWnd* m_pOwnerWnd;
    CWnd* m_pChildWnd;
    CWnd* m_pParentWnd;
    CWnd* m_pGrandParentWnd;
    CRect m_rcChild;
    CRect m_rcParent;
    CRect m_rcGrandParent;
    CSize m_sizeIcon;
    DWORD m_dwCaptionStyle;
    HICON m_hIcon;
    CString m_strCaption;
    CImageList m_imageList;
    CTKCaptionButton m_button;
    CTKCaptionPopupWnd* m_pPopupWnd;

protected:
    // A new popup window object (the caller owns it).
    virtual CTKCaptionPopupWnd* CreatePopupWindow();
    // Destroys and deletes the popup, when there is one.
    void DestroyPopup();
    // Gives the open popup the focus unless it or one of its children holds it; the button shows
    // pushed.
    void FocusPopup();

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnButton();
    afx_msg LRESULT OnPinned(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFocusLost(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
