// The buttons a toolbar adds to itself: the expand button at the end of a docked bar ("Toolbar
// Options": the controls that did not fit and the add-or-remove lists) and the close button in
// the caption of a floating bar.
#pragma once

#include "toolkit/commandbars/ControlButton.h"
#include "toolkit/commandbars/ControlPopup.h"

class CTKPToolBarExpandButton : public CTKPControlPopup {
    DECLARE_DYNCREATE(CTKPToolBarExpandButton)
public:
    CTKPToolBarExpandButton();

    // Also records whether a control of the bar is hidden for lack of room.
    void SetRect(CRect rcControl) override;
    void Draw(CDC* pDC) override;
    // Opening fills a new popup with the hidden controls and the add-or-remove lists.
    BOOL OnSetPopup(BOOL bPopup) override;

    BOOL HasHiddenControls() const { return m_bHiddenControls; }
    // Drawn as the close button of a floating bar's caption (kind 3) instead of a docked bar's end.
    void SetFloatingLook(BOOL bFloating) { m_bFloatingLook = bFloating; }

protected:
    BOOL m_bHiddenControls;
    BOOL m_bFloatingLook;
};

// An item of a toolbar's add-or-remove list: checked while the control with its id and type is on
// the toolbar; choosing it takes the control off the toolbar or puts it back.
class CTKPAddOrRemoveButton : public CTKPControlButton {
    DECLARE_DYNCREATE(CTKPAddOrRemoveButton)
public:
    CTKPAddOrRemoveButton();
    ~CTKPAddOrRemoveButton() override;

    // Holds a reference on the toolbar; nTargetType and the id name the control.
    void SetTarget(CTKPToolBar* pToolBar, int nTargetType);
    void OnExecute() override;

protected:
    CTKPToolBar* m_pToolBar;
    int m_nTargetType;
};

// The last item of the add-or-remove list: resets the toolbar.
class CTKPResetToolBarButton : public CTKPAddOrRemoveButton {
    DECLARE_DYNCREATE(CTKPResetToolBarButton)
public:
    void OnExecute() override;
};

class CTKPToolBarCloseButton : public CTKPControlButton {
    DECLARE_DYNCREATE(CTKPToolBarCloseButton)
public:
    CTKPToolBarCloseButton();

    void Draw(CDC* pDC) override;
    // Hides the bar.
    void OnExecute() override;
};
