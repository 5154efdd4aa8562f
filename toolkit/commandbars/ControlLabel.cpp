#include "toolkit/commandbars/ControlLabel.h"

IMPLEMENT_SERIAL(CTKPControlLabel, CTKPControl, VERSIONABLE_SCHEMA | 1)

CTKPControlLabel::CTKPControlLabel()
{
    m_controlType = tkpControlLabel;
    m_dwFlags = tkpFlagSkipFocus | tkpFlagNoMovable;
}
