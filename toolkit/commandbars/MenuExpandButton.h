// The last item of a short menu: executing it shows the commands hidden behind it.
#pragma once

#include "toolkit/commandbars/ControlButton.h"

class CTKPMenuExpandButton : public CTKPControlButton {
    DECLARE_DYNCREATE(CTKPMenuExpandButton)
public:
    CTKPMenuExpandButton();

    void Draw(CDC* pDC) override;
    CSize GetSize(CDC* pDC) override;
    void OnExecute() override;
    void SetBeginGroup(BOOL bBeginGroup) override;
};
