#include "toolkit/commandbars/customize/CustomizeImagePopup.h"

#include "classlib/win/WindowDCs.h"
#include "toolkit/base/DCSelectors.h"
#include "toolkit/commandbars/CommandBarsTheme.h"

IMPLEMENT_DYNAMIC(CTKPCustomizeImagePopup, CTKPPopupToolBar)

CSize CTKPCustomizeImagePopup::CalcDynamicLayout(int nLength, DWORD dwMode, int nWidth)
{
    if (m_nGridWidth <= 0)
        return CTKPPopupToolBar::CalcDynamicLayout(nLength, dwMode, nWidth);
    CWindowDC dc(NULL);
    CTKPCommandBarsTheme* pTheme = GetPaintManager();
    CTKPFontSelector font(&dc, pTheme != NULL ? pTheme->GetRegularFont() : NULL);
    CSize size = CalcToolBarLayout(&dc, m_nGridWidth);
    size.cx = m_nGridWidth;
    return size;
}
