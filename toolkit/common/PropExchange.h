// The settings exchange: one routine per object exchanges its values by name and type, saving when
// the exchange stores and loading when it loads. Back ends: an archive (values in call order, names
// ignored) and the registry (named values under a key, sections as sub-keys).
#pragma once

#include "classlib/core/AfxTypes.h"
#include "classlib/core/CArchive.h"
#include "classlib/core/CObject.h"
#include "classlib/core/CString.h"

class CTKPPropSectionEnumerator;

// Value type codes: the OLE variant numbers and the toolkit's own.
enum TKPPropType : WORD {
  TKPVT_I2 = 2,       // 16-bit integer
  TKPVT_I4 = 3,       // 32-bit integer
  TKPVT_R4 = 4,       // 32-bit float
  TKPVT_R8 = 5,       // 64-bit float
  TKPVT_CY = 6,       // currency, 64-bit
  TKPVT_DATE = 7,     // COleDateTime: 64-bit float date and 32-bit status
  TKPVT_BSTR = 8,     // OLE string pointer
  TKPVT_BOOL = 11,    // BOOL, 32-bit
  TKPVT_VARIANT = 12, // variant
  TKPVT_UI1 = 17,     // unsigned byte
  TKPVT_STRING = 30,  // CString; its default is a plain wide-character string
  TKPVT_RECT = 100,   // left, top, right, bottom
  TKPVT_SIZE = 101,   // cx, cy
};

// Bytes compared and copied for a type (0 for strings, compared as text, and for unknown codes).
UINT TKPGetPropValueSize(WORD vtProp);
// TRUE when the value equals its default (same pointer included); FALSE when either is null.
BOOL TKPIsSamePropValue(WORD vtProp, const void* pvProp, const void* pvDefault);
// Copies the default into the value; FALSE without a source or for an unknown code.
BOOL TKPCopyPropValue(WORD vtProp, void* pvDest, const void* pvSrc);

class CTKPPropExchange : public CObject
{
  DECLARE_DYNAMIC(CTKPPropExchange)
public:
  CTKPPropExchange();
  ~CTKPPropExchange() override;

  BOOL IsLoading() const { return m_bLoading; }

  virtual BOOL ExchangeProp(LPCTSTR pszPropName, WORD vtProp, void* pvProp, const void* pvDefault = NULL) = 0;
  // On loading with *ppData null the block is malloc'ed at the stored size (the caller frees it);
  // a given buffer smaller than the stored block gives FALSE.
  virtual BOOL ExchangeBinary(LPCTSTR pszPropName, BYTE** ppData, DWORD* pcbData);
  virtual BOOL ExchangeClass(LPCTSTR pszPropName, CRuntimeClass** ppClass, CRuntimeClass* pDefaultClass);
  virtual BOOL ExchangeRuntimeClass(CObject** ppObject, CRuntimeClass* pBaseClass);
  virtual CArchive* OpenArchive(LPCTSTR pszPropName);
  virtual void CloseArchive(LPCTSTR pszPropName, CArchive* pArchive);
  // A new exchange for a sub-section; the caller deletes it (before this one).
  virtual CTKPPropExchange* GetSection(LPCTSTR pszSection) = 0;
  virtual void EmptySection();
  virtual void WriteCount(DWORD dwCount);
  virtual DWORD ReadCount();
  virtual void WriteBytes(LPCTSTR pszPropName, BYTE* pData, DWORD cbData);
  virtual DWORD ReadBytes(LPCTSTR pszPropName, BYTE* pData, DWORD cbData);
  virtual BOOL CanOmitDefaults() const { return TRUE; }
  virtual BOOL CanStoreBinary() const { return FALSE; }
  virtual BOOL PrepareExchange();
  // A new enumerator of the sections prefix0, prefix1, ...; the caller deletes it.
  virtual CTKPPropSectionEnumerator* GetEnumerator(LPCTSTR pszPrefix);

  // The schema as "Schema" (default 16).
  BOOL ExchangeSchema();
  // A loaded count cut to what the source can hold at all (damaged counts would otherwise make
  // callers loop billions of times over default values).
  virtual DWORD LimitLoadedCount(DWORD dwCount);

  DWORD_PTR m_dwData;          // free for the caller: the owner of what is exchanged
  BOOL m_bLoading;
  UINT m_nSchema;
  BOOL m_bChildSection;
  BOOL m_bEmptySection;
  BOOL m_bInitialized;
  BOOL m_bUseDefaultOnLoad;
  BOOL m_bUseDefaultOnSave;    // omit values equal to their defaults when storing

protected:
  // Context, schema, emptied flag and both default flags of the parent; marks this a sub-section.
  void InheritSettings(const CTKPPropExchange* pParent);
  // The default copied into the value when loading may use it; FALSE otherwise.
  BOOL ApplyDefault(WORD vtProp, void* pvProp, const void* pvDefault);
};

// Numbered sub-sections "%s%i" from 0.
class CTKPPropSectionEnumerator
{
public:
  CTKPPropSectionEnumerator(CTKPPropExchange* pExchange, LPCTSTR pszPrefix);
  virtual ~CTKPPropSectionEnumerator() {}

  // Records (or, loading, reads) the count; the first position, or 0 when there is nothing.
  virtual DWORD_PTR BeginEnum(DWORD& dwCount, BOOL bUseCountSlots = FALSE);
  // The section at the position (a new exchange the caller deletes); advances the position.
  virtual CTKPPropExchange* NextSection(DWORD_PTR& pos);

protected:
  CTKPPropExchange* m_pExchange;
  CString m_strPrefix;
  DWORD m_nCount;
};

BOOL PropExchangeIntNoDefault(CTKPPropExchange* pPX, LPCTSTR pszPropName, int& nValue);
BOOL PropExchangeInt(CTKPPropExchange* pPX, LPCTSTR pszPropName, int& nValue, int nDefault);
BOOL PropExchangeBool(CTKPPropExchange* pPX, LPCTSTR pszPropName, BOOL& bValue, BOOL bDefault);
BOOL PropExchangeStringNoDefault(CTKPPropExchange* pPX, LPCTSTR pszPropName, CString& strValue);
BOOL PropExchangeString(CTKPPropExchange* pPX, LPCTSTR pszPropName, CString& strValue, LPCTSTR pszDefault);
BOOL PropExchangeClass(CTKPPropExchange* pPX, LPCTSTR pszPropName, CRuntimeClass*& pClass,
                       CRuntimeClass* pDefaultClass);
BOOL PropExchangeBinary(CTKPPropExchange* pPX, LPCTSTR pszPropName, BYTE*& pData, DWORD& cbData);
// The object's Serialize into (or from) one binary value of that name; FALSE on archive damage.
BOOL PropExchangeSerialize(CTKPPropExchange* pPX, LPCTSTR pszPropName, CObject* pObject);
