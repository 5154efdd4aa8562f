// The toolbar list of a menu: a placeholder that lists the toolbars the user may show or hide as
// buttons checked while their toolbar shows, optionally followed by Customize.
#pragma once

#include "toolkit/commandbars/ControlPlaceholder.h"

// The parameter that marks the buttons of a toolbar list.
#define TKP_TOOLBAR_ITEM_PARAMETER L"CTKPControlToolbar"

class CTKPControlToolbars : public CTKPControlPlaceholder {
    DECLARE_SERIAL(CTKPControlToolbars)
public:
    CTKPControlToolbars();

    void OnCalcDynamicSize(DWORD dwMode) override;

    // Adds to the bar, from nPosition on, a button with nId for every toolbar of the bar's command
    // bars that may be closed and is listed in context menus (its index as tag, its title as
    // caption, checked when it shows), then Customize (35001) when asked and allowed. Returns the
    // number of controls added.
    static int AddToolbarItems(CTKPCommandBar* pBar, int nPosition, int nId, BOOL bAddCustomize);
};

// A button of the toolbar list: executing it shows or hides the toolbar at its tag.
class CTKPControlToolbarToggle : public CTKPControlButton {
    DECLARE_SERIAL(CTKPControlToolbarToggle)
public:
    CTKPControlToolbarToggle();
    void OnExecute() override;
};
