// CTKCaptionPopupWnd: the window a caption drops below itself to show its pane's child window. It
// has a caption strip with a push pin and tells the caption when the pin is pressed or when the
// focus leaves it (posted, so that the caption may destroy it).
#pragma once

#include "classlib/win/AfxWin.h"
#include "toolkit/controls/Button.h"

class CTKCaption;

// Messages of the popup to its caption.
enum : UINT {
    WM_TKCAPTION_PINNED = 10046,     // the push pin was pressed
    WM_TKCAPTION_FOCUSLOST = 10047,  // the focus went elsewhere
};

class CTKCaptionPopupWnd : public CWnd {
    DECLARE_DYNAMIC(CTKCaptionPopupWnd)
public:
    CTKCaptionPopupWnd();
    ~CTKCaptionPopupWnd() override;

    // A tool window over the rectangle (screen coordinates) that takes in the child.
    virtual BOOL Create(const CRect& rect, CTKCaption* pCaption, CWnd* pChild);
    // The strip, the pin and the child in the client area.
    void RecalcLayout();
    // Tells the caption once when the focus is no longer inside the popup.
    void CheckFocus();

    CTKCaption* m_pCaption;
    CWnd* m_pChild;
    HWND m_hWndChildParent;
    CTKCaption* m_pStrip;
    CTKButton m_btnPin;
    HICON m_hIconPin;
    HICON m_hIconPinHot;
    BOOL m_bFocusLostSent;

protected:
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg void OnPin();
    DECLARE_MESSAGE_MAP()
};
