// The settings exchange of command bars (saved layout and customisation). The bodies come with the
// layout persistence of the command bars.
#include "toolkit/commandbars/ToolBar.h"

void CTKPCommandBar::DoPropExchange(CTKPPropExchange* pPX) {}

void CTKPToolBar::DoPropExchange(CTKPPropExchange* pPX)
{
    CTKPCommandBar::DoPropExchange(pPX);
}
