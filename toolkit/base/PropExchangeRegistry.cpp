#include "toolkit/base/PropExchangeRegistry.h"

#include "toolkit/base/RegistryText.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>

IMPLEMENT_DYNAMIC(CTKPPropExchangeRegistry, CTKPPropExchange)

namespace {

// Exactly a REG_DWORD of four bytes: the stored type is checked, as a value of another type or size
// would otherwise load its first bytes as a number.
BOOL QueryDword(HKEY hKey, LPCTSTR pszName, DWORD& dwValue)
{
  DWORD type = 0, cb = sizeof(DWORD), value = 0;
  if (::RegQueryValueExW(hKey, pszName, NULL, &type, reinterpret_cast<BYTE*>(&value), &cb) != ERROR_SUCCESS)
    return FALSE;
  if (type != REG_DWORD || cb != sizeof(DWORD))
    return FALSE;
  dwValue = value;
  return TRUE;
}

// A REG_BINARY of exactly cbWanted bytes.
BOOL QueryFixedBinary(HKEY hKey, LPCTSTR pszName, void* pv, DWORD cbWanted)
{
  BYTE buffer[8];
  DWORD type = 0, cb = sizeof(buffer);
  if (::RegQueryValueExW(hKey, pszName, NULL, &type, buffer, &cb) != ERROR_SUCCESS)
    return FALSE;
  if (type != REG_BINARY || cb != cbWanted)
    return FALSE;
  std::memcpy(pv, buffer, cbWanted);
  return TRUE;
}

// Only string values: the type is checked, as binary bytes would otherwise load as text.
BOOL QueryText(HKEY hKey, LPCTSTR pszName, CString& str)
{
  DWORD type = 0;
  if (::RegQueryValueExW(hKey, pszName, NULL, &type, NULL, NULL) != ERROR_SUCCESS)
    return FALSE;
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    return FALSE;
  return TKPQueryRegistryString(hKey, pszName, str);
}

LONG SetText(HKEY hKey, LPCTSTR pszName, LPCTSTR pszText)
{
  const DWORD cb = static_cast<DWORD>((std::wcslen(pszText) + 1) * sizeof(WCHAR));
  return ::RegSetValueExW(hKey, pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszText), cb);
}

}  // namespace

CTKPPropExchangeRegistry::CTKPPropExchangeRegistry(BOOL bLoading, HKEY hParentKey, LPCTSTR lpszSection)
    : m_hSectionKey(NULL), m_hParentKey(hParentKey), m_strSectionName(lpszSection)
{
  m_bLoading = bLoading;
}

CTKPPropExchangeRegistry::~CTKPPropExchangeRegistry()
{
  if (m_hSectionKey)
    ::RegCloseKey(m_hSectionKey);
}

BOOL CTKPPropExchangeRegistry::PrepareExchange()
{
  if (m_hParentKey == NULL)
    return FALSE;
  if (!m_bInitialized) {
    // A key is created even while loading; a failed first attempt is not repeated.
    DWORD disposition = 0;
    if (::RegCreateKeyExW(m_hParentKey, m_strSectionName, 0, NULL, REG_OPTION_NON_VOLATILE,
                          m_bLoading ? KEY_READ : KEY_WRITE, NULL, &m_hSectionKey, &disposition) != ERROR_SUCCESS)
      m_hSectionKey = NULL;
    m_bInitialized = TRUE;
  }
  return m_hSectionKey != NULL;
}

BOOL CTKPPropExchangeRegistry::ExchangeProp(LPCTSTR pszPropName, WORD vtProp, void* pvProp, const void* pvDefault)
{
  return m_bLoading ? LoadProp(pszPropName, vtProp, pvProp, pvDefault)
                    : StoreProp(pszPropName, vtProp, pvProp, pvDefault);
}

BOOL CTKPPropExchangeRegistry::StoreProp(LPCTSTR pszPropName, WORD vtProp, const void* pvProp,
                                         const void* pvDefault)
{
  if (!PrepareExchange())
    return FALSE;
  if (m_bUseDefaultOnSave && pvDefault != NULL && TKPIsSamePropValue(vtProp, pvProp, pvDefault)) {
    if (!m_bEmptySection)
      ::RegDeleteValueW(m_hSectionKey, pszPropName);
    return TRUE;
  }

  LONG lResult;
  switch (vtProp) {
  case TKPVT_I2:
  case TKPVT_I4:
  case TKPVT_BOOL:
  case TKPVT_UI1: {
    DWORD dw = 0;
    if (vtProp == TKPVT_I2)
      dw = *static_cast<const WORD*>(pvProp);
    else if (vtProp == TKPVT_UI1)
      dw = *static_cast<const BYTE*>(pvProp);
    else
      dw = *static_cast<const DWORD*>(pvProp);
    lResult = ::RegSetValueExW(m_hSectionKey, pszPropName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dw), 4);
    break;
  }
  case TKPVT_R4:
  case TKPVT_R8:
    lResult = ::RegSetValueExW(m_hSectionKey, pszPropName, 0, REG_BINARY, static_cast<const BYTE*>(pvProp),
                               vtProp == TKPVT_R4 ? 4 : 8);
    break;
  case TKPVT_STRING:
    lResult = SetText(m_hSectionKey, pszPropName, *static_cast<const CString*>(pvProp));
    break;
  case TKPVT_SIZE: {
    const LONG* v = static_cast<const LONG*>(pvProp);
    CString text;
    text.Format(_T("%i, %i"), static_cast<int>(v[0]), static_cast<int>(v[1]));
    lResult = SetText(m_hSectionKey, pszPropName, text);
    break;
  }
  case TKPVT_RECT: {
    const LONG* v = static_cast<const LONG*>(pvProp);
    CString text;
    text.Format(_T("%i, %i, %i, %i"), static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
                static_cast<int>(v[3]));
    lResult = SetText(m_hSectionKey, pszPropName, text);
    break;
  }
  default:
    // Currencies, dates, OLE strings, variants and unknown codes have no registry form.
    return FALSE;
  }
  return lResult == ERROR_SUCCESS;
}

BOOL CTKPPropExchangeRegistry::LoadProp(LPCTSTR pszPropName, WORD vtProp, void* pvProp, const void* pvDefault)
{
  if (!PrepareExchange())
    return ApplyDefault(vtProp, pvProp, pvDefault);

  switch (vtProp) {
  case TKPVT_I2:
  case TKPVT_I4:
  case TKPVT_BOOL:
  case TKPVT_UI1: {
    DWORD dw = 0;
    if (!QueryDword(m_hSectionKey, pszPropName, dw))
      return ApplyDefault(vtProp, pvProp, pvDefault);
    std::memcpy(pvProp, &dw, TKPGetPropValueSize(vtProp));
    return TRUE;
  }
  case TKPVT_R4:
  case TKPVT_R8:
    if (!QueryFixedBinary(m_hSectionKey, pszPropName, pvProp, vtProp == TKPVT_R4 ? 4 : 8))
      return ApplyDefault(vtProp, pvProp, pvDefault);
    return TRUE;
  case TKPVT_STRING:
  case TKPVT_SIZE:
  case TKPVT_RECT: {
    CString text;
    if (!QueryText(m_hSectionKey, pszPropName, text))
      return ApplyDefault(vtProp, pvProp, pvDefault);
    if (vtProp == TKPVT_STRING) {
      *static_cast<CString*>(pvProp) = text;
      return TRUE;
    }
    int v[4] = {};
    const int wanted = vtProp == TKPVT_SIZE ? 2 : 4;
    const int read = vtProp == TKPVT_SIZE ? swscanf(text, L"%i, %i", &v[0], &v[1])
                                          : swscanf(text, L"%i, %i, %i, %i", &v[0], &v[1], &v[2], &v[3]);
    if (read < wanted)
      return ApplyDefault(vtProp, pvProp, pvDefault);
    LONG* out = static_cast<LONG*>(pvProp);
    for (int i = 0; i < wanted; ++i)
      out[i] = v[i];
    return TRUE;
  }
  default:
    // Nothing of these codes is read back: the value stays as it is.
    return FALSE;
  }
}

BOOL CTKPPropExchangeRegistry::ExchangeBinary(LPCTSTR pszPropName, BYTE** ppData, DWORD* pcbData)
{
  if (!PrepareExchange())
    return FALSE;
  if (!m_bLoading)
    return ::RegSetValueExW(m_hSectionKey, pszPropName, 0, REG_BINARY, *ppData, *pcbData) == ERROR_SUCCESS;

  DWORD type = 0, cb = 0;
  if (::RegQueryValueExW(m_hSectionKey, pszPropName, NULL, &type, NULL, &cb) != ERROR_SUCCESS)
    return FALSE;
  if (*ppData == NULL) {
    BYTE* pData = static_cast<BYTE*>(std::malloc(cb ? cb : 1));
    if (pData == NULL)
      return FALSE;
    DWORD cbRead = cb;
    if (::RegQueryValueExW(m_hSectionKey, pszPropName, NULL, &type, pData, &cbRead) != ERROR_SUCCESS) {
      std::free(pData);
      return FALSE;
    }
    *ppData = pData;
    *pcbData = cbRead;
    return TRUE;
  }
  if (*pcbData < cb)
    return FALSE;
  DWORD cbRead = *pcbData;
  if (::RegQueryValueExW(m_hSectionKey, pszPropName, NULL, &type, *ppData, &cbRead) != ERROR_SUCCESS)
    return FALSE;
  *pcbData = cbRead;
  return TRUE;
}

CTKPPropExchange* CTKPPropExchangeRegistry::GetSection(LPCTSTR pszSection)
{
  PrepareExchange();
  CTKPPropExchangeRegistry* pSection = new CTKPPropExchangeRegistry(m_bLoading, m_hSectionKey, pszSection);
  pSection->InheritSettings(this);
  return pSection;
}

void CTKPPropExchangeRegistry::EmptySection()
{
  CTKPPropExchange::EmptySection();
  if (m_hSectionKey) {
    ::RegCloseKey(m_hSectionKey);
    m_hSectionKey = NULL;
  }
  if (m_hParentKey)
    ::RegDeleteTreeW(m_hParentKey, m_strSectionName);
  m_bInitialized = FALSE;
}
