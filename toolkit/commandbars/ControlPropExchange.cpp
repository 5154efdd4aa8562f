// The settings exchange of controls and control collections (saved customisation). The bodies come
// with the layout persistence of the command bars.
#include "toolkit/commandbars/ControlButton.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"

void CTKPControl::DoPropExchange(CTKPPropExchange* pPX) {}

void CTKPControlButton::DoPropExchange(CTKPPropExchange* pPX)
{
    CTKPControl::DoPropExchange(pPX);
}

void CTKPControlPopup::DoPropExchange(CTKPPropExchange* pPX)
{
    CTKPControl::DoPropExchange(pPX);
}

void CTKPControls::DoPropExchange(CTKPPropExchange* pPX) {}
