// CTKCaptionButton: the button of a caption bar (its text in caption-button mode, or the close
// glyph), drawn through a style of CTKCaptionButtonThemeFactory with the caption's colours and font.
#pragma once

#include "toolkit/controls/Button.h"
#include "toolkit/controls/CaptionButtonTheme.h"

class CTKCaption;

class CTKCaptionButton : public CTKButton {
    DECLARE_DYNAMIC(CTKCaptionButton)
public:
    CTKCaptionButton();

    // Also takes the caption's colours and font.
    DWORD SetButtonStyleFlags(DWORD dwFlags, BOOL bRedraw = TRUE) override;

    // The owning caption, when its window exists.
    CTKCaption* GetCaption() const;

    CTKCaption* m_pCaption;

protected:
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    DECLARE_MESSAGE_MAP()
};
