// The platform's tooltip control for tip styles 0 and 1, answering the window-from-point query
// the way the toolkit's tips do.
#pragma once

#include "classlib/win/CToolTipCtrl.h"

class CTKPStandardToolTip : public CToolTipCtrl {
public:
    CTKPStandardToolTip() {}

protected:
    afx_msg LRESULT OnWindowFromPoint(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
