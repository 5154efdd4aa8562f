#include "classlib/win/ResourceLookup.h"

HINSTANCE AfxGdiFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    return ::GetModuleHandle(nullptr);
}
