#include "toolkit/base/RegistryText.h"

#include <vector>

BOOL TKPQueryRegistryString(HKEY hKey, LPCTSTR lpszEntry, CString& strValue)
{
  DWORD type = 0, cb = 0;
  if (::RegQueryValueExW(hKey, lpszEntry, NULL, &type, NULL, &cb) != ERROR_SUCCESS)
    return FALSE;
  // One character more than the stored bytes hold, zeroed: the value need not end in a zero.
  std::vector<WCHAR> buffer(cb / sizeof(WCHAR) + 2, 0);
  DWORD cbRead = static_cast<DWORD>((buffer.size() - 1) * sizeof(WCHAR));
  if (::RegQueryValueExW(hKey, lpszEntry, NULL, &type, reinterpret_cast<BYTE*>(buffer.data()), &cbRead) !=
      ERROR_SUCCESS)
    return FALSE;
  buffer.back() = 0;
  strValue = buffer.data();
  return TRUE;
}
