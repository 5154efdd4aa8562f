#include "toolkit/base/PropExchangeGeometry.h"

static_assert(sizeof(CRect) == 16 && sizeof(CSize) == 8, "rectangles and sizes are exchanged by their bytes");

BOOL PropExchangeRect(CTKPPropExchange* pPX, LPCTSTR pszPropName, CRect& rcValue, const CRect& rcDefault)
{
  return pPX->ExchangeProp(pszPropName, TKPVT_RECT, &rcValue, &rcDefault);
}

BOOL PropExchangeSize(CTKPPropExchange* pPX, LPCTSTR pszPropName, CSize& szValue, const CSize& szDefault)
{
  return pPX->ExchangeProp(pszPropName, TKPVT_SIZE, &szValue, &szDefault);
}
