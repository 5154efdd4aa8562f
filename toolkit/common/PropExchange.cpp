#include "toolkit/common/PropExchange.h"

#include "classlib/core/CException.h"
#include "classlib/core/CMemFile.h"
#include "classlib/core/COleDateTime.h"

#ifdef _WIN32
#include "classlib/win/COleDispatchDriver.h"
#include "classlib/win/COleVariant.h"
#endif

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CTKPPropExchange, CObject)

UINT TKPGetPropValueSize(WORD vtProp)
{
  switch (vtProp) {
  case TKPVT_UI1: return 1;
  case TKPVT_I2: return 2;
  case TKPVT_I4:
  case TKPVT_R4:
  case TKPVT_BOOL:
  case TKPVT_BSTR: return 4;
  case TKPVT_R8:
  case TKPVT_CY:
  case TKPVT_SIZE: return 8;
  case TKPVT_DATE: return 12;
  case TKPVT_VARIANT:
  case TKPVT_RECT: return 16;
  default: return 0;
  }
}

BOOL TKPIsSamePropValue(WORD vtProp, const void* pvProp, const void* pvDefault)
{
  if (pvProp == pvDefault)
    return TRUE;
  if (pvProp == NULL || pvDefault == NULL)
    return FALSE;
  switch (vtProp) {
  case TKPVT_I2:
  case TKPVT_I4:
  case TKPVT_R4:
  case TKPVT_R8:
  case TKPVT_CY:
  case TKPVT_BOOL:
  case TKPVT_UI1:
  case TKPVT_RECT:
  case TKPVT_SIZE:
    return std::memcmp(pvProp, pvDefault, TKPGetPropValueSize(vtProp)) == 0;
  case TKPVT_DATE:
    return *static_cast<const COleDateTime*>(pvProp) == *static_cast<const COleDateTime*>(pvDefault);
  case TKPVT_STRING:
    return static_cast<const CString*>(pvProp)->Compare(static_cast<LPCTSTR>(pvDefault)) == 0;
#ifdef _WIN32
  case TKPVT_BSTR: {
    const BSTR a = *static_cast<const BSTR*>(pvProp);
    const BSTR b = *static_cast<const BSTR*>(pvDefault);
    // A null string is the empty string.
    return ::SysStringLen(a) == ::SysStringLen(b) &&
        std::memcmp(a != NULL ? a : L"", b != NULL ? b : L"", ::SysStringLen(a) * sizeof(OLECHAR)) == 0;
  }
  case TKPVT_VARIANT: {
    VARIANT* a = const_cast<VARIANT*>(static_cast<const VARIANT*>(pvProp));
    VARIANT* b = const_cast<VARIANT*>(static_cast<const VARIANT*>(pvDefault));
    if (a->vt != b->vt)
      return FALSE;
    if (a->vt == VT_EMPTY || a->vt == VT_NULL)
      return TRUE;
    return ::VarCmp(a, b, LOCALE_USER_DEFAULT, 0) == static_cast<HRESULT>(VARCMP_EQ);
  }
#endif
  default:
    return FALSE;
  }
}

BOOL TKPCopyPropValue(WORD vtProp, void* pvDest, const void* pvSrc)
{
  if (pvSrc == NULL || pvDest == NULL)
    return FALSE;
  if (vtProp == TKPVT_STRING) {
    *static_cast<CString*>(pvDest) = static_cast<LPCTSTR>(pvSrc);
    return TRUE;
  }
  if (vtProp == TKPVT_DATE) {
    *static_cast<COleDateTime*>(pvDest) = *static_cast<const COleDateTime*>(pvSrc);
    return TRUE;
  }
#ifdef _WIN32
  if (vtProp == TKPVT_BSTR) {
    BSTR& bstr = *static_cast<BSTR*>(pvDest);
    const BSTR src = *static_cast<const BSTR*>(pvSrc);
    ::SysFreeString(bstr);
    bstr = ::SysAllocStringLen(src, ::SysStringLen(src));
    return bstr != NULL;
  }
  if (vtProp == TKPVT_VARIANT)
    return ::VariantCopy(static_cast<VARIANT*>(pvDest), const_cast<VARIANT*>(static_cast<const VARIANT*>(pvSrc))) ==
        S_OK;
#endif
  if (vtProp == TKPVT_BSTR || vtProp == TKPVT_VARIANT)
    return FALSE;
  const UINT size = TKPGetPropValueSize(vtProp);
  if (size == 0)
    return FALSE;
  std::memcpy(pvDest, pvSrc, size);
  return TRUE;
}

CTKPPropExchange::CTKPPropExchange()
    : m_dwData(0), m_bLoading(FALSE), m_nSchema(16), m_bChildSection(FALSE), m_bEmptySection(FALSE),
      m_bInitialized(FALSE), m_bUseDefaultOnLoad(TRUE), m_bUseDefaultOnSave(TRUE)
{
}

CTKPPropExchange::~CTKPPropExchange() {}

void CTKPPropExchange::InheritSettings(const CTKPPropExchange* pParent)
{
  m_dwData = pParent->m_dwData;
  m_nSchema = pParent->m_nSchema;
  m_bEmptySection = pParent->m_bEmptySection;
  m_bUseDefaultOnLoad = pParent->m_bUseDefaultOnLoad;
  m_bUseDefaultOnSave = pParent->m_bUseDefaultOnSave;
  m_bChildSection = TRUE;
}

BOOL CTKPPropExchange::ApplyDefault(WORD vtProp, void* pvProp, const void* pvDefault)
{
  return m_bUseDefaultOnLoad && TKPCopyPropValue(vtProp, pvProp, pvDefault);
}

BOOL CTKPPropExchange::ExchangeBinary(LPCTSTR, BYTE**, DWORD*) { return FALSE; }

BOOL CTKPPropExchange::ExchangeClass(LPCTSTR pszPropName, CRuntimeClass** ppClass, CRuntimeClass* pDefaultClass)
{
  if (!m_bLoading) {
    if (*ppClass == NULL)
      return FALSE;
    CString strName((*ppClass)->m_lpszClassName);
    CString strDefault;
    if (pDefaultClass)
      strDefault = pDefaultClass->m_lpszClassName;
    return PropExchangeString(this, pszPropName, strName, pDefaultClass ? (LPCTSTR)strDefault : NULL);
  }
  CString strName;
  if (!PropExchangeStringNoDefault(this, pszPropName, strName)) {
    *ppClass = pDefaultClass;
    return pDefaultClass != NULL;
  }
  CRuntimeClass* pClass = CRuntimeClass::FromName((LPCTSTR)strName);
  if (pClass == NULL)
    return FALSE;
  *ppClass = pClass;
  return TRUE;
}

BOOL CTKPPropExchange::ExchangeRuntimeClass(CObject** ppObject, CRuntimeClass* pBaseClass)
{
  if (!m_bLoading) {
    if (*ppObject == NULL)
      return FALSE;
    CRuntimeClass* pClass = (*ppObject)->GetRuntimeClass();
    return ExchangeClass(_T("Class"), &pClass, pBaseClass);
  }
  CRuntimeClass* pClass = NULL;
  if (!ExchangeClass(_T("Class"), &pClass, pBaseClass) || pClass == NULL)
    return FALSE;
  CObject* pObject = pClass->CreateObject();
  if (pObject == NULL)
    return FALSE;
  if (pBaseClass && !pObject->IsKindOf(pBaseClass)) {
    delete pObject;
    return FALSE;
  }
  *ppObject = pObject;
  return TRUE;
}

CArchive* CTKPPropExchange::OpenArchive(LPCTSTR pszPropName)
{
  if (!m_bLoading) {
    CMemFile* pFile = new CMemFile(1024);
    return new CArchive(pFile, CArchive::store, 4096);
  }
  BYTE* pData = NULL;
  DWORD cbData = 0;
  if (!ExchangeBinary(pszPropName, &pData, &cbData) || cbData == 0) {
    std::free(pData);
    return NULL;
  }
  CMemFile* pFile = new CMemFile(pData, cbData);
  return new CArchive(pFile, CArchive::load, 4096);
}

void CTKPPropExchange::CloseArchive(LPCTSTR pszPropName, CArchive* pArchive)
{
  if (pArchive == NULL)
    return;
  CMemFile* pFile = static_cast<CMemFile*>(pArchive->GetFile());
  if (!m_bLoading) {
    pArchive->Flush();
    DWORD cbData = static_cast<DWORD>(pFile->GetLength());
    BYTE* pData = pFile->Detach();
    ExchangeBinary(pszPropName, &pData, &cbData);
    std::free(pData);
  }
  pArchive->Abort();
  delete pArchive;
  if (m_bLoading)
    std::free(pFile->Detach());
  delete pFile;
}

void CTKPPropExchange::EmptySection() { m_bEmptySection = TRUE; }

void CTKPPropExchange::WriteCount(DWORD dwCount)
{
  int nCount = static_cast<int>(dwCount);
  PropExchangeInt(this, _T("Count"), nCount, 0);
}

DWORD CTKPPropExchange::ReadCount()
{
  int nCount = 0;
  PropExchangeInt(this, _T("Count"), nCount, 0);
  return static_cast<DWORD>(nCount);
}

void CTKPPropExchange::WriteBytes(LPCTSTR pszPropName, BYTE* pData, DWORD cbData)
{
  ExchangeBinary(pszPropName, &pData, &cbData);
}

DWORD CTKPPropExchange::ReadBytes(LPCTSTR pszPropName, BYTE* pData, DWORD cbData)
{
  if (pData == NULL)
    return 0;
  return ExchangeBinary(pszPropName, &pData, &cbData) ? cbData : 0;
}

BOOL CTKPPropExchange::PrepareExchange()
{
  m_bInitialized = TRUE;
  return TRUE;
}

CTKPPropSectionEnumerator* CTKPPropExchange::GetEnumerator(LPCTSTR pszPrefix)
{
  return new CTKPPropSectionEnumerator(this, pszPrefix);
}

DWORD CTKPPropExchange::LimitLoadedCount(DWORD dwCount) { return dwCount; }

BOOL CTKPPropExchange::ExchangeSchema()
{
  int nSchema = static_cast<int>(m_nSchema);
  BOOL bResult = PropExchangeInt(this, _T("Schema"), nSchema, 16);
  m_nSchema = static_cast<UINT>(nSchema);
  return bResult;
}

CTKPPropSectionEnumerator::CTKPPropSectionEnumerator(CTKPPropExchange* pExchange, LPCTSTR pszPrefix)
    : m_pExchange(pExchange), m_strPrefix(pszPrefix), m_nCount(0)
{
}

DWORD_PTR CTKPPropSectionEnumerator::BeginEnum(DWORD& dwCount, BOOL bUseCountSlots)
{
  if (!bUseCountSlots) {
    int nCount = static_cast<int>(dwCount);
    PropExchangeInt(m_pExchange, _T("Count"), nCount, 0);
    dwCount = static_cast<DWORD>(nCount);
  } else if (m_pExchange->m_bLoading) {
    dwCount = m_pExchange->ReadCount();
  } else {
    m_pExchange->WriteCount(dwCount);
  }
  if (m_pExchange->m_bLoading)
    dwCount = m_pExchange->LimitLoadedCount(dwCount);
  m_nCount = dwCount;
  return dwCount != 0 ? 1 : 0;
}

CTKPPropExchange* CTKPPropSectionEnumerator::NextSection(DWORD_PTR& pos)
{
  CString strSection;
  strSection.Format(_T("%s%i"), (LPCTSTR)m_strPrefix, static_cast<int>(pos - 1));
  CTKPPropExchange* pSection = m_pExchange->GetSection(strSection);
  ++pos;
  if (pos > m_nCount)
    pos = 0;
  return pSection;
}

BOOL PropExchangeIntNoDefault(CTKPPropExchange* pPX, LPCTSTR pszPropName, int& nValue)
{
  return pPX->ExchangeProp(pszPropName, TKPVT_I4, &nValue, NULL);
}

BOOL PropExchangeInt(CTKPPropExchange* pPX, LPCTSTR pszPropName, int& nValue, int nDefault)
{
  return pPX->ExchangeProp(pszPropName, TKPVT_I4, &nValue, &nDefault);
}

BOOL PropExchangeBool(CTKPPropExchange* pPX, LPCTSTR pszPropName, BOOL& bValue, BOOL bDefault)
{
  return pPX->ExchangeProp(pszPropName, TKPVT_BOOL, &bValue, &bDefault);
}

BOOL PropExchangeStringNoDefault(CTKPPropExchange* pPX, LPCTSTR pszPropName, CString& strValue)
{
  return pPX->ExchangeProp(pszPropName, TKPVT_STRING, &strValue, NULL);
}

BOOL PropExchangeString(CTKPPropExchange* pPX, LPCTSTR pszPropName, CString& strValue, LPCTSTR pszDefault)
{
  return pPX->ExchangeProp(pszPropName, TKPVT_STRING, &strValue, pszDefault);
}

BOOL PropExchangeClass(CTKPPropExchange* pPX, LPCTSTR pszPropName, CRuntimeClass*& pClass,
                       CRuntimeClass* pDefaultClass)
{
  return pPX->ExchangeClass(pszPropName, &pClass, pDefaultClass);
}

BOOL PropExchangeBinary(CTKPPropExchange* pPX, LPCTSTR pszPropName, BYTE*& pData, DWORD& cbData)
{
  return pPX->ExchangeBinary(pszPropName, &pData, &cbData);
}

BOOL PropExchangeSerialize(CTKPPropExchange* pPX, LPCTSTR pszPropName, CObject* pObject)
{
  CArchive* pArchive = pPX->OpenArchive(pszPropName);
  if (pArchive == NULL)
    return FALSE;
  BOOL bResult = TRUE;
  try {
    pObject->Serialize(*pArchive);
  } catch (CArchiveException* e) {
    e->Delete();
    bResult = FALSE;
#ifdef _WIN32
  } catch (COleException* e) {
    e->Delete();
    bResult = FALSE;
#endif
  } catch (CMemoryException* e) {
    // A damaged length that asks for more memory than there is.
    e->Delete();
    bResult = FALSE;
  }
  pPX->CloseArchive(pszPropName, pArchive);
  return bResult;
}
