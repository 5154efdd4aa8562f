#include "tests/toolkit/commandbars/OleTestObjects.h"

#include <cstring>
#include <cwchar>

LPOLESTR CopyToTaskMemory(LPCWSTR lpsz)
{
    const size_t cb = (std::wcslen(lpsz) + 1) * sizeof(WCHAR);
    LPOLESTR lpszCopy = static_cast<LPOLESTR>(::CoTaskMemAlloc(cb));
    if (lpszCopy != NULL)
        std::memcpy(lpszCopy, lpsz, cb);
    return lpszCopy;
}

IMPLEMENT_DYNCREATE(COleTestView, CView)
