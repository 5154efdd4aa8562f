// The wizard's skinned dialogs: a background bitmap loaded when the dialog is made, painted as its
// background, and cut out as the window's shape (green 0x00FF00 is the key colour); texts and choice
// buttons stand transparently on it, in the pages' caption colour where the dialog asks for it.
#pragma once

#include "classlib/win/AfxWin.h"

class CSkinnedDialog : public CDialog {
    DECLARE_DYNAMIC(CSkinnedDialog)
public:
    static constexpr COLORREF kKeyColour = RGB(0, 255, 0);
    static constexpr COLORREF kTextColour = 0xBD751D;

    HBITMAP Background() const { return static_cast<HBITMAP>(m_background.GetSafeHandle()); }
    HRGN Region() const { return static_cast<HRGN>(m_region.GetSafeHandle()); }

protected:
    CSkinnedDialog(UINT templateId, UINT bitmapId, CWnd* parent);

    // The dialog's captions and choice buttons in kTextColour rather than the window text colour.
    void UseCaptionColour() { m_bCaptionColour = true; }

    BOOL OnInitDialog() override;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    CBitmap m_background;
    CRgn m_region;
    CBrush m_whiteBrush;

private:
    bool m_bCaptionColour = false;
};
