#include "classlib/win/ResourceLookup.h"

#include "classlib/win/CWinApp.h"

HINSTANCE AfxGdiFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE hResource = AfxFindResourceHandle(lpszName, lpszType);
    return hResource != nullptr ? hResource : ::GetModuleHandle(nullptr);
}
