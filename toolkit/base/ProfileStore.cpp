#include "toolkit/base/ProfileStore.h"

#include "toolkit/base/RegistryText.h"

CTKProfileStore::CTKProfileStore(HKEY hRootKey)
    : m_hRootKey(hRootKey), m_pszRegistryKey(NULL), m_pszProfileName(NULL), m_lOpenError(ERROR_SUCCESS)
{}

BOOL CTKProfileStore::HasAppNames()
{
    if (m_pszRegistryKey == NULL || m_pszProfileName == NULL) {
        CWinApp* pApp = AfxGetApp();
        if (pApp) {
            m_pszRegistryKey = pApp->m_pszRegistryKey;
            m_pszProfileName = pApp->m_pszProfileName;
        }
    }
    return m_pszRegistryKey != NULL && m_pszProfileName != NULL;
}

HKEY CTKProfileStore::OpenAppKey(REGSAM samDesired)
{
    if (!HasAppNames())
        return NULL;
    HKEY hSoftware = NULL, hCompany = NULL, hApp = NULL;
    LONG lResult = ::RegOpenKeyExW(m_hRootKey, L"Software", 0, samDesired, &hSoftware);
    if (lResult == ERROR_SUCCESS) {
        DWORD dw;
        lResult = ::RegCreateKeyExW(hSoftware, m_pszRegistryKey, 0, NULL, REG_OPTION_NON_VOLATILE, samDesired, NULL,
            &hCompany, &dw);
        if (lResult == ERROR_SUCCESS) {
            lResult = ::RegCreateKeyExW(hCompany, m_pszProfileName, 0, NULL, REG_OPTION_NON_VOLATILE, samDesired, NULL,
                &hApp, &dw);
            if (lResult != ERROR_SUCCESS)
                hApp = NULL;
        }
    }
    if (lResult != ERROR_SUCCESS)
        m_lOpenError = lResult;
    if (hSoftware)
        ::RegCloseKey(hSoftware);
    if (hCompany)
        ::RegCloseKey(hCompany);
    return hApp;
}

HKEY CTKProfileStore::OpenSectionKey(LPCTSTR lpszSection, REGSAM samDesired)
{
    HKEY hApp = OpenAppKey(samDesired);
    if (hApp == NULL)
        return NULL;
    HKEY hSection = NULL;
    DWORD dw;
    const LONG lResult =
        ::RegCreateKeyExW(hApp, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE, samDesired, NULL, &hSection, &dw);
    if (lResult != ERROR_SUCCESS) {
        hSection = NULL;
        m_lOpenError = lResult;
    }
    ::RegCloseKey(hApp);
    return hSection;
}

int CTKProfileStore::MapResult(LONG lResult)
{
    if (lResult == ERROR_SUCCESS)
        return 1;
    return lResult == ERROR_ACCESS_DENIED ? -1 : 0;
}

int CTKProfileStore::OpenFailure() const
{
    return m_lOpenError == ERROR_ACCESS_DENIED ? -1 : 0;
}

int CTKProfileStore::WriteBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (!HasAppNames())
        return 0;
    m_lOpenError = ERROR_SUCCESS;
    HKEY hSection = OpenSectionKey(lpszSection, KEY_READ | KEY_WRITE);
    if (hSection == NULL)
        return OpenFailure();
    const LONG lResult = ::RegSetValueExW(hSection, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(hSection);
    return MapResult(lResult);
}

int CTKProfileStore::WriteString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (!HasAppNames())
        return 0;
    LONG lResult;
    m_lOpenError = ERROR_SUCCESS;
    if (lpszEntry == NULL) {
        HKEY hApp = OpenAppKey(KEY_READ | KEY_WRITE);
        if (hApp == NULL)
            return OpenFailure();
        lResult = ::RegDeleteKeyW(hApp, lpszSection);
        ::RegCloseKey(hApp);
        return MapResult(lResult);
    }
    HKEY hSection = OpenSectionKey(lpszSection, KEY_READ | KEY_WRITE);
    if (hSection == NULL)
        return OpenFailure();
    if (lpszValue == NULL) {
        lResult = ::RegDeleteValueW(hSection, lpszEntry);
    } else {
        const DWORD cb = static_cast<DWORD>((lstrlenW(lpszValue) + 1) * sizeof(WCHAR));
        lResult = ::RegSetValueExW(hSection, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue), cb);
    }
    ::RegCloseKey(hSection);
    return MapResult(lResult);
}

BOOL CTKProfileStore::ReadBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, BYTE** ppData, UINT* pBytes)
{
    *ppData = NULL;
    *pBytes = 0;
    HKEY hSection = OpenSectionKey(lpszSection, KEY_READ);
    if (hSection == NULL)
        return FALSE;
    DWORD type = 0, cb = 0;
    BOOL bResult = FALSE;
    if (::RegQueryValueExW(hSection, lpszEntry, NULL, &type, NULL, &cb) == ERROR_SUCCESS) {
        BYTE* pData = new BYTE[cb ? cb : 1];
        DWORD cbRead = cb;
        if (::RegQueryValueExW(hSection, lpszEntry, NULL, &type, pData, &cbRead) == ERROR_SUCCESS && cbRead <= cb) {
            *ppData = pData;
            *pBytes = cbRead;
            bResult = TRUE;
        } else {
            delete[] pData;
        }
    }
    ::RegCloseKey(hSection);
    return bResult;
}

CString CTKProfileStore::ReadString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    CString strValue;
    HKEY hSection = OpenSectionKey(lpszSection, KEY_READ);
    if (hSection == NULL)
        return CString(lpszDefault);
    const BOOL bFound = TKPQueryRegistryString(hSection, lpszEntry, strValue);
    ::RegCloseKey(hSection);
    return bFound ? strValue : CString(lpszDefault);
}
