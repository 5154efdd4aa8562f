#include "toolkit/base/DrawingHelper.h"

#include "classlib/win/AfxWin.h"

// The helpers that take a window object.

UINT CTKPDrawingHelper::MirrorArrowKey(CWnd* pWnd, UINT& nKey)
{
  HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : NULL;
  if (hWnd && (::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)) {
    if (nKey == VK_LEFT)
      nKey = VK_RIGHT;
    else if (nKey == VK_RIGHT)
      nKey = VK_LEFT;
  }
  return nKey;
}

void CTKPDrawingHelper::GetWorkAreaFromWindow(LPRECT lpWorkArea, CWnd* pWnd)
{
  GetWorkAreaFromHwnd(lpWorkArea, pWnd ? pWnd->GetSafeHwnd() : NULL);
}
