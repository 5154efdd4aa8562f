// Rectangles and sizes through the settings exchange.
#pragma once

#include "classlib/win/AfxGdi.h"
#include "toolkit/common/PropExchange.h"

BOOL PropExchangeRect(CTKPPropExchange* pPX, LPCTSTR pszPropName, CRect& rcValue, const CRect& rcDefault);
BOOL PropExchangeSize(CTKPPropExchange* pPX, LPCTSTR pszPropName, CSize& szValue, const CSize& szDefault);
