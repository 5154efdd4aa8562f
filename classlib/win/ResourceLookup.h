// Where the GDI, menu and image-list wrappers load resources from.
#pragma once

#include <windows.h>

// The module that holds the resource lpszName of type lpszType: the application's resource module
// when it has the resource, else the module of the program itself.
HINSTANCE AfxGdiFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
