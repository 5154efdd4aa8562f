// The office-style tip (tip style 4): a warm gradient framed in the colour scheme's border colour.
#pragma once

#include "toolkit/commandbars/ToolTipWindow.h"

class CTKPOfficeToolTipWindow : public CTKPToolTipWindow {
public:
    void DrawBackground(CDC* pDC, Tool* pTool, CRect rect) override;
};
