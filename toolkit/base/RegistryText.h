// Reading a registry string value safely.
#pragma once

#include "classlib/core/CString.h"

#include <windows.h>

// Reads a string value of any stored size, always terminated: a value stored without its zero, or
// of an odd number of bytes, is cut at its own end. FALSE when the value cannot be read.
BOOL TKPQueryRegistryString(HKEY hKey, LPCTSTR lpszEntry, CString& strValue);
