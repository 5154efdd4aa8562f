// The button control (type 1): executes on a click, through a press-and-release loop on toolbars and
// menu bars, on the release in popup bars.
#pragma once

#include "toolkit/commandbars/Control.h"

class CTKPControlButton : public CTKPControl {
    DECLARE_SERIAL(CTKPControlButton)
public:
    CTKPControlButton();

    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
    void OnLButtonUp(CPoint point) override;
    void Copy(CTKPControl* pSource, BOOL bRecursive = FALSE) override;
    void DoPropExchange(CTKPPropExchange* pPX) override;
};
