#include "toolkit/common/PropExchangeArchive.h"

#include "classlib/core/CException.h"
#include "classlib/core/CFile.h"
#include "classlib/core/COleDateTime.h"

#ifdef _WIN32
#include "classlib/win/COleVariant.h"
#endif

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CTKPPropExchangeArchive, CTKPPropExchange)

CTKPPropExchangeArchive::CTKPPropExchangeArchive(CArchive& ar) : m_ar(ar) { m_bLoading = ar.IsLoading(); }

BOOL CTKPPropExchangeArchive::ReadExact(void* pv, UINT cb) { return m_ar.Read(pv, cb) == cb; }

BOOL CTKPPropExchangeArchive::Skip(ULONGLONG cb)
{
  BYTE buffer[512];
  while (cb > 0) {
    const UINT chunk = cb > sizeof(buffer) ? static_cast<UINT>(sizeof(buffer)) : static_cast<UINT>(cb);
    if (m_ar.Read(buffer, chunk) != chunk)
      return FALSE;
    cb -= chunk;
  }
  return TRUE;
}

ULONGLONG CTKPPropExchangeArchive::GetStreamLimit() const
{
  CFile* pFile = m_ar.GetFile();
  if (pFile == NULL)
    return 0;
  try {
    return pFile->GetLength();
  } catch (CException* e) {
    e->Delete();
    return ~0ull;  // a stream that cannot say: no limit
  }
}

DWORD CTKPPropExchangeArchive::LimitLoadedCount(DWORD dwCount)
{
  // Every entry of a valid stream takes at least one byte, except in a stream shorter than its
  // buffer, which may hold that many empty entries.
  const ULONGLONG limit = GetStreamLimit() + 4096;
  return dwCount > limit ? static_cast<DWORD>(limit) : dwCount;
}

// Archive exceptions (a cut or damaged stream) pass to the caller, which refuses the whole load:
// values read as defaults past a cut would load as good settings.
BOOL CTKPPropExchangeArchive::ExchangeProp(LPCTSTR, WORD vtProp, void* pvProp, const void*)
{
  if (!PrepareExchange())
    return FALSE;

  if (vtProp == TKPVT_STRING) {
    CString& str = *static_cast<CString*>(pvProp);
    if (m_bLoading)
      m_ar >> str;
    else
      m_ar << str;
    return TRUE;
  }

  if (vtProp == TKPVT_DATE) {
    COleDateTime& date = *static_cast<COleDateTime*>(pvProp);
    if (m_bLoading)
      m_ar >> date;
    else
      m_ar << date;
    return TRUE;
  }

#ifdef _WIN32
  if (vtProp == TKPVT_BSTR) {
    // Written and read as a string: exchanging nothing and answering TRUE would lose the value as if saved.
    BSTR& bstr = *static_cast<BSTR*>(pvProp);
    if (!m_bLoading) {
      m_ar << CString(bstr != NULL ? bstr : L"");
      return TRUE;
    }
    CString strLoaded;
    m_ar >> strLoaded;
    ::SysFreeString(bstr);
    bstr = ::SysAllocString(strLoaded);
    return TRUE;
  }
  if (vtProp == TKPVT_VARIANT) {
    COleVariant& var = *static_cast<COleVariant*>(pvProp);
    if (m_bLoading)
      m_ar >> var;
    else
      m_ar << var;
    return TRUE;
  }
#endif

  UINT cb = 0;
  switch (vtProp) {
  case TKPVT_UI1: cb = 1; break;
  case TKPVT_I2: cb = 2; break;
  case TKPVT_I4:
  case TKPVT_R4:
  case TKPVT_BOOL: cb = 4; break;
  case TKPVT_R8:
  case TKPVT_CY:
  case TKPVT_SIZE: cb = 8; break;
  case TKPVT_RECT: cb = 16; break;
  default:
    // Codes without an archive form: nothing is exchanged.
    return TRUE;
  }
  if (!m_bLoading) {
    m_ar.Write(pvProp, cb);
    return TRUE;
  }
  BYTE buffer[16];
  // A cut value of any size raises as the archive's own extraction operators do; read as raw bytes,
  // a cut rectangle or size would otherwise load half-read as good.
  if (!ReadExact(buffer, cb))
    AfxThrowArchiveException(CArchiveException::endOfFile, m_ar.m_strFileName);
  std::memcpy(pvProp, buffer, cb);
  return TRUE;
}

BOOL CTKPPropExchangeArchive::ExchangeBinary(LPCTSTR, BYTE** ppData, DWORD* pcbData)
{
  if (!PrepareExchange())
    return FALSE;
  if (!m_bLoading) {
    m_ar.WriteCount(*pcbData);
    if (*pcbData)
      m_ar.Write(*ppData, *pcbData);
    return TRUE;
  }

  const ULONGLONG cbStored = m_ar.ReadCount();
  if (cbStored > GetStreamLimit() || cbStored > 0xFFFFFFFFull) {
    // Refused before any allocation: a damaged count longer than the whole stream would otherwise
    // ask for gigabytes. Nothing after it can be read in step anyway.
    Skip(cbStored);
    return FALSE;
  }
  const DWORD cb = static_cast<DWORD>(cbStored);

  if (*ppData == NULL) {
    BYTE* pData = static_cast<BYTE*>(std::malloc(cb ? cb : 1));
    if (pData == NULL) {
      Skip(cb);
      return FALSE;
    }
    if (!ReadExact(pData, cb)) {
      std::free(pData);
      return FALSE;
    }
    *ppData = pData;
    *pcbData = cb;
    return TRUE;
  }
  if (*pcbData < cb) {
    // Too small a buffer: step over the block so that the values after it stay in step.
    Skip(cb);
    return FALSE;
  }
  if (!ReadExact(*ppData, cb))
    return FALSE;
  *pcbData = cb;
  return TRUE;
}

BOOL CTKPPropExchangeArchive::ExchangeClass(LPCTSTR, CRuntimeClass** ppClass, CRuntimeClass* pDefaultClass)
{
  if (!PrepareExchange())
    return FALSE;
  if (!m_bLoading) {
    if (*ppClass == NULL)
      return FALSE;  // no class to write: FALSE, as the other back ends answer
    m_ar.WriteClass(*ppClass);
    return TRUE;
  }
  UINT nSchema = 0;
  CRuntimeClass* pClass = m_ar.ReadClass(pDefaultClass, &nSchema);
  if (pClass == NULL)
    return FALSE;
  m_nSchema = nSchema;
  *ppClass = pClass;
  return TRUE;
}

BOOL CTKPPropExchangeArchive::ExchangeRuntimeClass(CObject** ppObject, CRuntimeClass* pBaseClass)
{
  if (!CTKPPropExchange::ExchangeRuntimeClass(ppObject, pBaseClass))
    return FALSE;
  // Enter the object in the archive's object map as the archive does for objects it writes or
  // reads itself, so that later references to it in the stream resolve.
  try {
    m_ar.CheckCount();
    m_ar.MapObject(*ppObject);
  } catch (CException*) {
    // The object made here goes before the exception passes on.
    if (m_bLoading) {
      delete *ppObject;
      *ppObject = NULL;
    }
    throw;
  }
  return TRUE;
}

CArchive* CTKPPropExchangeArchive::OpenArchive(LPCTSTR) { return &m_ar; }

void CTKPPropExchangeArchive::CloseArchive(LPCTSTR, CArchive*) {}

CTKPPropExchange* CTKPPropExchangeArchive::GetSection(LPCTSTR)
{
  CTKPPropExchangeArchive* pSection = new CTKPPropExchangeArchive(m_ar);
  pSection->InheritSettings(this);
  return pSection;
}

void CTKPPropExchangeArchive::WriteCount(DWORD dwCount) { m_ar.WriteCount(dwCount); }

DWORD CTKPPropExchangeArchive::ReadCount()
{
  const DWORD_PTR count = m_ar.ReadCount();
  return LimitLoadedCount(static_cast<ULONGLONG>(count) > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<DWORD>(count));
}

void CTKPPropExchangeArchive::WriteBytes(LPCTSTR, BYTE* pData, DWORD cbData)
{
  if (cbData)
    m_ar.Write(pData, cbData);
}

DWORD CTKPPropExchangeArchive::ReadBytes(LPCTSTR, BYTE* pData, DWORD cbData)
{
  if (pData == NULL)
    return 0;
  return m_ar.Read(pData, cbData) == cbData ? cbData : 0;
}
