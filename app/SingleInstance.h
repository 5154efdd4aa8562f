// The named mutex that tells a second copy of the program that one is already running. The program
// creates it from a static initialiser, before the application object starts, and closes it at exit.
#pragma once

#include <windows.h>

extern HANDLE g_hSingleInstanceMutex;
extern DWORD g_dwMutexCreateError;  // ERROR_ALREADY_EXISTS (183) when another instance holds it

// Creates the mutex, records the error code of that call and arranges for the handle to be closed
// at exit.
void CreateSingleInstanceMutex();
