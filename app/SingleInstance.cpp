#include "app/SingleInstance.h"

#include <cstdlib>

HANDLE g_hSingleInstanceMutex = NULL;
DWORD g_dwMutexCreateError = 0;

namespace {

void CloseSingleInstanceMutex()
{
    if (g_hSingleInstanceMutex != NULL) {
        ::CloseHandle(g_hSingleInstanceMutex);
        g_hSingleInstanceMutex = NULL;
    }
}

}  // namespace

void CreateSingleInstanceMutex()
{
    g_hSingleInstanceMutex = ::CreateMutexW(NULL, FALSE, L"Global\\{5B3C2E91-7A4D-4F08-B6E2-93D1C04A7F56}");
    g_dwMutexCreateError = ::GetLastError();
    std::atexit(CloseSingleInstanceMutex);
}
