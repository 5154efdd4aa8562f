// A plain text item of a bar: drawn and measured as any control, skipped by the keyboard and not
// moved in customisation.
#pragma once

#include "toolkit/commandbars/Control.h"

class CTKPControlLabel : public CTKPControl {
    DECLARE_SERIAL(CTKPControlLabel)
public:
    CTKPControlLabel();
};
