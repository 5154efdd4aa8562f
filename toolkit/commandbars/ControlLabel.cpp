#include "toolkit/commandbars/ControlLabel.h"

IMPLEMENT_SERIAL(CTKPControlLabel, CTKPControl, VERSIONABLE_SCHEMA | 16)

CTKPControlLabel::CTKPControlLabel()
{
    m_controlType = tkpControlLabel;
    m_dwFlags = tkpFlagSkipFocus | tkpFlagNoMovable;
}
