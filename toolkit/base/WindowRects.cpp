#include "toolkit/base/WindowRects.h"

CTKPWindowRect::CTKPWindowRect(HWND hWnd)
{
  SetRectEmpty();
  if (::IsWindow(hWnd))
    ::GetWindowRect(hWnd, this);
}

CTKPWindowRect::CTKPWindowRect(const CWnd* pWnd) : CTKPWindowRect(pWnd ? pWnd->GetSafeHwnd() : NULL) {}

CTKPClientRect::CTKPClientRect(HWND hWnd)
{
  SetRectEmpty();
  if (::IsWindow(hWnd))
    ::GetClientRect(hWnd, this);
}

CTKPClientRect::CTKPClientRect(const CWnd* pWnd) : CTKPClientRect(pWnd ? pWnd->GetSafeHwnd() : NULL) {}
