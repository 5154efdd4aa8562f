// The settings exchange over the registry: each value a named registry value under the section's
// key, each section a sub-key. The key is opened (or created) on the first value.
#pragma once

#include "toolkit/common/PropExchange.h"

#include <windows.h>

class CTKPPropExchangeRegistry : public CTKPPropExchange
{
  DECLARE_DYNAMIC(CTKPPropExchangeRegistry)
public:
  // The root key stays the caller's; the section's key is this exchange's own.
  CTKPPropExchangeRegistry(BOOL bLoading, HKEY hParentKey, LPCTSTR lpszSection);
  ~CTKPPropExchangeRegistry() override;

  BOOL ExchangeProp(LPCTSTR pszPropName, WORD vtProp, void* pvProp, const void* pvDefault = NULL) override;
  BOOL ExchangeBinary(LPCTSTR pszPropName, BYTE** ppData, DWORD* pcbData) override;
  // A child over this exchange's key: delete it before this one.
  CTKPPropExchange* GetSection(LPCTSTR pszSection) override;
  // Deletes the section's key with everything below it; afterwards only values that differ from
  // their defaults are written.
  void EmptySection() override;
  BOOL CanStoreBinary() const override { return TRUE; }
  BOOL PrepareExchange() override;

  HKEY GetSectionKey() const { return m_hSectionKey; }

protected:
  BOOL StoreProp(LPCTSTR pszPropName, WORD vtProp, const void* pvProp, const void* pvDefault);
  BOOL LoadProp(LPCTSTR pszPropName, WORD vtProp, void* pvProp, const void* pvDefault);

  HKEY m_hSectionKey;
  HKEY m_hParentKey;
  CString m_strSectionName;
};
