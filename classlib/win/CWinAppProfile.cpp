// CWinApp's profile: values under HKEY_CURRENT_USER\Software\<key>\<application>\<section>, or in
// an INI file when no registry key was set.
#include <vector>

#include "classlib/win/CRecentFileList.h"
#include "classlib/win/CWinApp.h"

namespace {

LPTSTR DupString(LPCTSTR lpsz) {
  size_t n = wcslen(lpsz) + 1;
  LPTSTR p = new TCHAR[n];
  memcpy(p, lpsz, n * sizeof(TCHAR));
  return p;
}

// RAII for registry keys.
struct RegKey {
  HKEY h = NULL;
  RegKey() = default;
  explicit RegKey(HKEY hKey) : h(hKey) {}
  ~RegKey() {
    if (h != NULL) ::RegCloseKey(h);
  }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
};

}  // namespace

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) {
  if (lpszRegistryKey == NULL || *lpszRegistryKey == 0) return;
  delete[] const_cast<LPTSTR>(m_pszRegistryKey);
  m_pszRegistryKey = DupString(lpszRegistryKey);
  // With a registry key the profile name is the application's name.
  LPCTSTR lpszApp = m_pszAppName;
  if (lpszApp == NULL || *lpszApp == 0) {
    InitApplication();
    lpszApp = m_pszAppName;
  }
  delete[] const_cast<LPTSTR>(m_pszProfileName);
  m_pszProfileName = DupString(lpszApp != NULL ? lpszApp : L"");
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
  WCHAR szKey[256];
  if (::LoadStringW(AfxGetResourceHandle(), nIDRegistryKey, szKey, 256) > 0) SetRegistryKey(szKey);
}

HKEY CWinApp::GetAppRegistryKey() {
  if (m_pszRegistryKey == NULL || m_pszProfileName == NULL) return NULL;
  RegKey software, company;
  HKEY hAppKey = NULL;
  DWORD dw;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_WRITE | KEY_READ, &software.h) != ERROR_SUCCESS)
    return NULL;
  if (::RegCreateKeyExW(software.h, m_pszRegistryKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE | KEY_READ, NULL, &company.h, &dw) != ERROR_SUCCESS)
    return NULL;
  if (::RegCreateKeyExW(company.h, m_pszProfileName, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE | KEY_READ, NULL, &hAppKey, &dw) != ERROR_SUCCESS)
    return NULL;
  return hAppKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection) {
  if (lpszSection == NULL) return NULL;
  RegKey app(GetAppRegistryKey());
  if (app.h == NULL) return NULL;
  HKEY hSectionKey = NULL;
  DWORD dw;
  if (::RegCreateKeyExW(app.h, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ,
                        NULL, &hSectionKey, &dw) != ERROR_SUCCESS)
    return NULL;
  return hSectionKey;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) {
  if (m_pszRegistryKey != NULL) {
    RegKey section(GetSectionKey(lpszSection));
    if (section.h == NULL) return (UINT)nDefault;
    DWORD dwValue = 0, dwType = 0, dwCount = sizeof(DWORD);
    LONG lResult = ::RegQueryValueExW(section.h, lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &dwCount);
    if (lResult == ERROR_SUCCESS && dwType == REG_DWORD && dwCount == sizeof(DWORD)) return (UINT)dwValue;
    return (UINT)nDefault;
  }
  return ::GetPrivateProfileIntW(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) {
  if (m_pszRegistryKey != NULL) {
    RegKey section(GetSectionKey(lpszSection));
    if (section.h == NULL) return FALSE;
    DWORD dwValue = (DWORD)nValue;
    return ::RegSetValueExW(section.h, lpszEntry, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue)) ==
           ERROR_SUCCESS;
  }
  WCHAR szValue[16];
  swprintf(szValue, 16, L"%d", nValue);
  return ::WritePrivateProfileStringW(lpszSection, lpszEntry, szValue, m_pszProfileName);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
  CString strDefault = lpszDefault != NULL ? lpszDefault : L"";
  if (m_pszRegistryKey != NULL) {
    RegKey section(GetSectionKey(lpszSection));
    if (section.h == NULL) return strDefault;
    DWORD dwType = 0, dwCount = 0;
    LONG lResult = ::RegQueryValueExW(section.h, lpszEntry, NULL, &dwType, NULL, &dwCount);
    if (lResult != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ)) return strDefault;
    // The stored value need not end with a terminator; read into a buffer that has room for one.
    std::vector<WCHAR> buffer(dwCount / sizeof(WCHAR) + 1, 0);
    DWORD dwSize = (DWORD)(buffer.size() * sizeof(WCHAR));
    lResult = ::RegQueryValueExW(section.h, lpszEntry, NULL, &dwType, (LPBYTE)buffer.data(), &dwSize);
    if (lResult != ERROR_SUCCESS) return strDefault;
    buffer.back() = 0;
    return CString(buffer.data());
  }
  if (lpszEntry == NULL) return strDefault;
  std::vector<WCHAR> buffer(4096);
  ::GetPrivateProfileStringW(lpszSection, lpszEntry, strDefault, buffer.data(), (DWORD)buffer.size(),
                             m_pszProfileName);
  return CString(buffer.data());
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
  if (m_pszRegistryKey != NULL) {
    if (lpszEntry == NULL) {
      // No entry: the whole section goes.
      RegKey app(GetAppRegistryKey());
      if (app.h == NULL) return FALSE;
      LONG l = ::RegDeleteTreeW(app.h, lpszSection);
      return l == ERROR_SUCCESS || l == ERROR_FILE_NOT_FOUND;
    }
    RegKey section(GetSectionKey(lpszSection));
    if (section.h == NULL) return FALSE;
    if (lpszValue == NULL) {
      LONG l = ::RegDeleteValueW(section.h, lpszEntry);
      return l == ERROR_SUCCESS || l == ERROR_FILE_NOT_FOUND;
    }
    return ::RegSetValueExW(section.h, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue,
                            (DWORD)((wcslen(lpszValue) + 1) * sizeof(WCHAR))) == ERROR_SUCCESS;
  }
  return ::WritePrivateProfileStringW(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes) {
  if (ppData == NULL || pBytes == NULL) return FALSE;
  *ppData = NULL;
  *pBytes = 0;
  if (m_pszRegistryKey != NULL) {
    RegKey section(GetSectionKey(lpszSection));
    if (section.h == NULL) return FALSE;
    DWORD dwType = 0, dwCount = 0;
    LONG lResult = ::RegQueryValueExW(section.h, lpszEntry, NULL, &dwType, NULL, &dwCount);
    if (lResult != ERROR_SUCCESS || dwType != REG_BINARY) return FALSE;
    LPBYTE pData = new BYTE[dwCount > 0 ? dwCount : 1];
    lResult = ::RegQueryValueExW(section.h, lpszEntry, NULL, &dwType, pData, &dwCount);
    if (lResult != ERROR_SUCCESS) {
      delete[] pData;
      return FALSE;
    }
    *ppData = pData;
    *pBytes = dwCount;
    return TRUE;
  }
  // INI files hold each byte as two letters 'A' + nibble, low nibble first.
  CString str = GetProfileString(lpszSection, lpszEntry, NULL);
  int nLen = str.GetLength();
  if (nLen == 0 || (nLen % 2) != 0) return FALSE;
  LPBYTE pData = new BYTE[nLen / 2];
  for (int i = 0; i < nLen; i += 2) {
    int lo = str[i] - L'A', hi = str[i + 1] - L'A';
    if (lo < 0 || lo > 15 || hi < 0 || hi > 15) {
      delete[] pData;
      return FALSE;
    }
    pData[i / 2] = (BYTE)((hi << 4) | lo);
  }
  *ppData = pData;
  *pBytes = (UINT)(nLen / 2);
  return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes) {
  if (m_pszRegistryKey != NULL) {
    RegKey section(GetSectionKey(lpszSection));
    if (section.h == NULL) return FALSE;
    return ::RegSetValueExW(section.h, lpszEntry, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
  }
  std::vector<WCHAR> text(nBytes * 2 + 1, 0);
  for (UINT i = 0; i < nBytes; i++) {
    text[i * 2] = (WCHAR)((pData[i] & 0x0F) + L'A');
    text[i * 2 + 1] = (WCHAR)(((pData[i] >> 4) & 0x0F) + L'A');
  }
  return WriteProfileString(lpszSection, lpszEntry, text.data());
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
  if (nMaxMRU > 16) nMaxMRU = 16;
  if (nMaxMRU != 0) {
    delete m_pRecentFileList;
    m_pRecentFileList = new CRecentFileList(0, L"Recent File List", L"File%d", (int)nMaxMRU);
    m_pRecentFileList->ReadList();
  }
  m_nNumPreviewPages = GetProfileInt(L"Settings", L"PreviewPages", 0);
}

void CWinApp::SaveStdProfileSettings() {
  if (m_pRecentFileList != NULL) m_pRecentFileList->WriteList();
  if (m_nNumPreviewPages != 0) WriteProfileInt(L"Settings", L"PreviewPages", (int)m_nNumPreviewPages);
}
