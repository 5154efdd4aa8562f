// CArchive's object graph: class references, object references and the map that lets a class or
// object written twice be stored once. Tags, as the class library writes them:
//   0x0000             null object
//   0xFFFF             new class: schema WORD, name length WORD, ANSI name
//   0x8000 | index     a class stored earlier
//   index (< 0x7FFF)   an object stored earlier
//   0x7FFF + DWORD     the same with a big index (classes with the 0x80000000 bit)
#include <cstring>

#include "classlib/core/CArchive.h"
#include "classlib/core/CArchiveMaps.h"

namespace {
const WORD wNullTag = 0;
const WORD wNewClassTag = 0xFFFF;
const WORD wClassTag = 0x8000;
const DWORD dwBigClassTag = 0x80000000;
const WORD wBigObjectTag = 0x7FFF;
const UINT kMaxClassNameLength = 64;
}  // namespace

void CArchive::InitMaps() {
  if (m_pMaps) return;
  m_pMaps.reset(new Maps);
  if (IsLoading()) m_pMaps->load.push_back({NULL, false});
  m_nMapCount = 1;
}

void CArchive::SetStoreParams(UINT nHashSize, UINT nBlockSize) {
  m_nHashSize = nHashSize;
  m_nGrowSize = nBlockSize;
}

void CArchive::SetLoadParams(UINT nGrowBy) { m_nGrowSize = nGrowBy; }

void CArchive::CheckCount() {
  if (m_nMapCount >= kMaxMapCount) AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
}

void CArchive::MapObject(const CObject* pOb) {
  InitMaps();
  if (pOb == NULL) return;
  CheckCount();
  if (IsStoring()) {
    m_pMaps->store[pOb] = m_nMapCount++;
  } else {
    m_pMaps->load.push_back({pOb, false});
    ++m_nMapCount;
  }
}

void CRuntimeClass::Store(CArchive& ar) const {
  WORD nLen = (WORD)std::strlen(m_lpszClassName);
  ar << (WORD)m_wSchema << nLen;
  ar.Write(m_lpszClassName, nLen * sizeof(char));
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum) {
  WORD wSchema, nLen;
  ar >> wSchema >> nLen;
  if (pwSchemaNum != NULL) *pwSchemaNum = wSchema;
  char szClassName[kMaxClassNameLength + 1];
  if (nLen > kMaxClassNameLength) return NULL;
  if (ar.Read(szClassName, nLen) != nLen) AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
  szClassName[nLen] = 0;
  return FromName(szClassName);
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef) {
  if (pClassRef == NULL) AfxThrowInvalidArgException();
  if (IsLoading()) AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
  if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) == 0xFFFF) AfxThrowNotSupportedException();
  InitMaps();
  auto it = m_pMaps->store.find(pClassRef);
  if (it != m_pMaps->store.end()) {
    UINT nClassIndex = it->second;
    if (nClassIndex < wBigObjectTag) {
      *this << (WORD)(wClassTag | nClassIndex);
    } else {
      *this << wBigObjectTag << (DWORD)(dwBigClassTag | nClassIndex);
    }
    return;
  }
  *this << wNewClassTag;
  pClassRef->Store(*this);
  CheckCount();
  m_pMaps->store[pClassRef] = m_nMapCount++;
}

void CArchive::WriteObject(const CObject* pOb) {
  if (IsLoading()) AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
  InitMaps();
  if (pOb == NULL) {
    *this << wNullTag;
    return;
  }
  auto it = m_pMaps->store.find(pOb);
  if (it != m_pMaps->store.end()) {
    UINT nObIndex = it->second;
    if (nObIndex < wBigObjectTag) {
      *this << (WORD)nObIndex;
    } else {
      *this << wBigObjectTag << (DWORD)nObIndex;
    }
    return;
  }
  WriteClass(pOb->GetRuntimeClass());
  CheckCount();
  m_pMaps->store[pOb] = m_nMapCount++;
  // The object's own data; Serialize is not const in the class library's design.
  const_cast<CObject*>(pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag) {
  if (!IsLoading()) AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
  if (pClassRefRequested != NULL && (pClassRefRequested->m_wSchema & ~VERSIONABLE_SCHEMA) == 0xFFFF) {
    AfxThrowNotSupportedException();
  }
  InitMaps();

  DWORD obTag;
  WORD wTag;
  *this >> wTag;
  if (wTag == wBigObjectTag) {
    *this >> obTag;
  } else {
    obTag = ((DWORD)(wTag & wClassTag) << 16) | (wTag & ~wClassTag);
  }

  if (!(obTag & dwBigClassTag)) {
    // An object reference (or the null tag), not a class.
    if (pObTag == NULL) AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    *pObTag = obTag;
    return NULL;
  }

  CRuntimeClass* pClassRef;
  UINT nSchema;
  if (wTag == wNewClassTag) {
    pClassRef = CRuntimeClass::Load(*this, &nSchema);
    // Only classes made for archives may come out of one: never a class without a stored form.
    if (pClassRef == NULL || (pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) == 0xFFFF ||
        pClassRef->m_pfnCreateObject == NULL) {
      AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    }
    if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema) {
      if (!(pClassRef->m_wSchema & VERSIONABLE_SCHEMA)) {
        AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
      }
      m_pMaps->schemas[pClassRef] = nSchema;
    }
    CheckCount();
    m_pMaps->load.push_back({pClassRef, true});
    ++m_nMapCount;
  } else {
    DWORD nClassIndex = obTag & ~dwBigClassTag;
    if (nClassIndex == 0 || nClassIndex >= m_pMaps->load.size() || !m_pMaps->load[nClassIndex].isClass) {
      AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    }
    pClassRef = static_cast<CRuntimeClass*>(const_cast<void*>(m_pMaps->load[nClassIndex].p));
    auto it = m_pMaps->schemas.find(pClassRef);
    nSchema = it != m_pMaps->schemas.end() ? it->second : (pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA);
  }

  if (pClassRefRequested != NULL && !pClassRef->IsDerivedFrom(pClassRefRequested)) {
    AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
  }
  if (pSchema != NULL) {
    *pSchema = nSchema;
  } else {
    m_nObjectSchema = nSchema;
  }
  return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef) {
  if (IsStoring()) {
    WriteClass(pClassRef);
  } else {
    ReadClass(pClassRef, &m_nObjectSchema);
  }
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested) {
  if (!IsLoading()) AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
  UINT nSchema = 0;
  DWORD obTag = 0;
  CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);

  if (pClassRef == NULL) {
    // A reference to an object read earlier, or null.
    if (obTag >= m_pMaps->load.size() || m_pMaps->load[obTag].isClass) {
      AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    }
    CObject* pOb = static_cast<CObject*>(const_cast<void*>(m_pMaps->load[obTag].p));
    if (pOb != NULL && pClassRefRequested != NULL && !pOb->IsKindOf(pClassRefRequested)) {
      AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    }
    return pOb;
  }

  CObject* pOb = pClassRef->CreateObject();
  if (pOb == NULL) AfxThrowMemoryException();
  CheckCount();
  size_t nIndex = m_pMaps->load.size();
  m_pMaps->load.push_back({pOb, false});
  ++m_nMapCount;
  UINT nSchemaSave = m_nObjectSchema;
  m_nObjectSchema = nSchema;
  try {
    pOb->Serialize(*this);
  } catch (...) {
    // Nobody holds the half-read object yet: delete it and forget it, so that a damaged stream
    // leaks nothing and no later reference can reach it.
    m_pMaps->load[nIndex].p = NULL;
    m_nObjectSchema = nSchemaSave;
    delete pOb;
    throw;
  }
  m_nObjectSchema = nSchemaSave;
  return pOb;
}
