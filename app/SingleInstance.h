// The named mutex that tells a second copy of the program that one is already running. It is
// created by a static initialiser, before the application object starts, and closed at exit.
#pragma once

#include <windows.h>

extern HANDLE g_hSingleInstanceMutex;
extern DWORD g_dwMutexCreateError;  // ERROR_ALREADY_EXISTS (183) when another instance holds it
