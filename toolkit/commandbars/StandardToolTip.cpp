#include "toolkit/commandbars/StandardToolTip.h"

#include "toolkit/commandbars/ToolTipWindow.h"

BEGIN_MESSAGE_MAP(CTKPStandardToolTip, CToolTipCtrl)
ON_MESSAGE(TTM_WINDOWFROMPOINT, OnWindowFromPoint)
END_MESSAGE_MAP()

LRESULT CTKPStandardToolTip::OnWindowFromPoint(WPARAM, LPARAM lParam)
{
    HWND hWnd = reinterpret_cast<HWND>(Default());
    const POINT* pt = reinterpret_cast<const POINT*>(lParam);
    if (hWnd == NULL && pt != NULL)
        hWnd = ::WindowFromPoint(*pt);
    if (hWnd != NULL && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) != 0 &&
        ::SendMessageW(hWnd, WM_TKP_TOOLTIPTRANSPARENT, 0, 0) == 1)
        hWnd = ::GetParent(hWnd);
    return reinterpret_cast<LRESULT>(hWnd);
}
