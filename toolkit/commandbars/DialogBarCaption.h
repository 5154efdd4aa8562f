// The caption of a dialog bar: its popup bar (opens below the title, right-aligned with it), the
// title control that opens it and the close button.
#pragma once

#include "toolkit/commandbars/ControlButton.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/PopupBar.h"

class CTKPDialogBar;

// The title control's command id (the close button has the toolbars' close id).
#define TKP_ID_DIALOGBAR_TITLE 9399

// Opens below the title control with its right edge at the title's right edge.
class CTKPDialogBarCaptionPopup : public CTKPPopupBar {
    DECLARE_SERIAL(CTKPDialogBarCaptionPopup)
public:
    CTKPDialogBarCaptionPopup();

    void UpdateFlags() override;
};

// The title of the caption: the bar's caption text, with an arrow while its popup has controls.
class CTKPDialogBarTitle : public CTKPControlPopup {
    DECLARE_SERIAL(CTKPDialogBarTitle)
public:
    CTKPDialogBarTitle();

    // A popup bar that holds controls and that the bar lets open.
    BOOL HasUsablePopup() const;
    void Draw(CDC* pDC) override;
    BOOL OnSetPopup(BOOL bPopup) override;
    void AdjustExcludeRect(CRect& rc) override;
};

// The caption's close button: a Marlett cross that hides the bar.
class CTKPDialogBarCloseButton : public CTKPControlButton {
    DECLARE_SERIAL(CTKPDialogBarCloseButton)
public:
    CTKPDialogBarCloseButton();

    void Draw(CDC* pDC) override;
    void OnExecute() override;
};
