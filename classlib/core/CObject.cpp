#include "classlib/core/CObject.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {
// Head of the list of registered classes. Constant-initialised, so it is valid before any static
// constructor of another file runs.
CRuntimeClass* g_pFirstClass = NULL;
}  // namespace

CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, NULL, NULL, NULL};
static AFX_CLASSINIT _afxInit_CObject(&CObject::classCObject);

void AFXAPI AfxClassInit(CRuntimeClass* pNewClass) {
  for (CRuntimeClass* p = g_pFirstClass; p != NULL; p = p->m_pNextClass) {
    if (p == pNewClass) return;
  }
  pNewClass->m_pNextClass = g_pFirstClass;
  g_pFirstClass = pNewClass;
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass) { AfxClassInit(pNewClass); }

CObject* CRuntimeClass::CreateObject() {
  if (m_pfnCreateObject == NULL) return NULL;
  return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
  if (pBaseClass == NULL) return FALSE;
  for (const CRuntimeClass* p = this; p != NULL; p = p->m_pBaseClass) {
    if (p == pBaseClass) return TRUE;
  }
  return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName) {
  if (lpszClassName == NULL) return NULL;
  for (CRuntimeClass* p = g_pFirstClass; p != NULL; p = p->m_pNextClass) {
    if (std::strcmp(p->m_lpszClassName, lpszClassName) == 0) return p;
  }
  return NULL;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCWSTR lpszClassName) {
  if (lpszClassName == NULL) return NULL;
  // Class names are plain ASCII; a name with any other character matches nothing.
  std::string name;
  for (LPCWSTR p = lpszClassName; *p != 0; ++p) {
    if ((unsigned)*p > 0x7F) return NULL;
    name.push_back((char)*p);
  }
  return FromName(name.c_str());
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName) {
  CRuntimeClass* p = FromName(lpszClassName);
  return p == NULL ? NULL : p->CreateObject();
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCWSTR lpszClassName) {
  CRuntimeClass* p = FromName(lpszClassName);
  return p == NULL ? NULL : p->CreateObject();
}

CRuntimeClass* CObject::GetRuntimeClass() const { return &CObject::classCObject; }

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
  return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive&) {}

void CObject::AssertValid() const {}

void CObject::Dump(CDumpContext& dc) const {
  dc << "a " << GetRuntimeClass()->m_lpszClassName << " at " << (const void*)this << "\n";
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject) {
  if (pObject != NULL && pObject->IsKindOf(pClass)) return pObject;
  return NULL;
}

#ifdef _DEBUG
void AFXAPI AfxAssertValidObject(const CObject* pOb, const char* lpszFileName, int nLine) {
  if (pOb == NULL) {
    AfxAssertFailedLine(lpszFileName, nLine);
    return;
  }
  pOb->AssertValid();
}
#endif
