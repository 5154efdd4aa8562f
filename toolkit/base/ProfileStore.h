// Named string and binary values in sections of the application's registry profile:
// root\Software\<registry key>\<profile name>\<section>.
#pragma once

#include "classlib/win/AfxWin.h"

class CTKProfileStore {
public:
    explicit CTKProfileStore(HKEY hRootKey = HKEY_CURRENT_USER);
    virtual ~CTKProfileStore() {}

    // Takes the registry key and profile names from the application when not yet known.
    BOOL HasAppNames();
    virtual HKEY OpenAppKey(REGSAM samDesired);
    virtual HKEY OpenSectionKey(LPCTSTR lpszSection, REGSAM samDesired);

    // 1 on success, -1 when the registry denies access, 0 on any other failure.
    int WriteBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);
    // A null entry deletes the whole section; a null text deletes the entry.
    int WriteString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // A new block (delete[] by the caller) and its size; null and 0 when there is none.
    BOOL ReadBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, BYTE** ppData, UINT* pBytes);
    CString ReadString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault);

protected:
    static int MapResult(LONG lResult);
    // The result of a write whose key could not be opened or created.
    int OpenFailure() const;

    HKEY m_hRootKey;
    LPCTSTR m_pszRegistryKey;
    LPCTSTR m_pszProfileName;
    LONG m_lOpenError;  // why the last key could not be opened or created (ERROR_SUCCESS: it could)
};
