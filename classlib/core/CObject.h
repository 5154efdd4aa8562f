// CObject, the root of the class hierarchy, and CRuntimeClass, the run-time class record that gives
// every dynamic class its name, its base class, its schema and (for creatable classes) a factory.
#pragma once

#include "classlib/core/AfxTypes.h"

class CObject;
class CArchive;
class CDumpContext;

// A schema number with this bit set is versionable: objects stored with an older schema can be read
// and the class's Serialize asks the archive for the stored schema.
#define VERSIONABLE_SCHEMA (0x80000000)

struct CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;  // 0xFFFF: not serialisable
  CObject*(PASCAL* m_pfnCreateObject)();
  CRuntimeClass* m_pBaseClass;
  CRuntimeClass* m_pNextClass;  // link in the list of every registered class

  CObject* CreateObject();
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

  // Looks a registered class up by its exact name; NULL when there is none.
  static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
  static CRuntimeClass* PASCAL FromName(LPCWSTR lpszClassName);
  static CObject* PASCAL CreateObject(LPCSTR lpszClassName);
  static CObject* PASCAL CreateObject(LPCWSTR lpszClassName);

  // Archive form of a class reference: schema WORD, name length WORD, then the name's bytes.
  void Store(CArchive& ar) const;
  static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);
};

// Adds a class to the list searched by CRuntimeClass::FromName. The IMPLEMENT_ macros make one.
struct AFX_CLASSINIT {
  explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};
void AFXAPI AfxClassInit(CRuntimeClass* pNewClass);

class CObject {
 public:
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = default;

  BOOL IsSerializable() const;
  BOOL IsKindOf(const CRuntimeClass* pClass) const;

  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const;
  virtual void Dump(CDumpContext& dc) const;

  static CRuntimeClass classCObject;

 protected:
  CObject() = default;

 private:
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
};

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)
#define DYNAMIC_DOWNCAST(class_name, object) \
  (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), (object))))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

#ifdef _DEBUG
void AFXAPI AfxAssertValidObject(const CObject* pOb, const char* lpszFileName, int nLine);
#define ASSERT_VALID(pOb) (AfxAssertValidObject((pOb), __FILE__, __LINE__))
#else
#define ASSERT_VALID(pOb) ((void)0)
#endif

#define DECLARE_DYNAMIC(class_name)          \
 public:                                     \
  static CRuntimeClass class##class_name;    \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* PASCAL CreateObject();

#define DECLARE_SERIAL(class_name) \
  DECLARE_DYNCREATE(class_name)    \
  friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                      \
  CRuntimeClass class_name::class##class_name = {#class_name, (int)sizeof(class class_name),      \
                                                 (UINT)(wSchema), pfnNew,                         \
                                                 RUNTIME_CLASS(base_class_name), NULL};           \
  static AFX_CLASSINIT _afxInit_##class_name(RUNTIME_CLASS(class_name));                          \
  CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                            \
  CObject* PASCAL class_name::CreateObject() { return new class_name; }           \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                 \
  CObject* PASCAL class_name::CreateObject() { return new class_name; }                      \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)     \
  [[maybe_unused]] CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb) {              \
    pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));                \
    return ar;                                                                                \
  }

// Minimal dump target: text goes to the debugger output (Windows) or standard error.
class CDumpContext {
 public:
  int GetDepth() const { return m_nDepth; }
  void SetDepth(int nNewDepth) { m_nDepth = nNewDepth; }
  CDumpContext& operator<<(LPCWSTR lpsz);
  CDumpContext& operator<<(LPCSTR lpsz);
  CDumpContext& operator<<(const void* lp);
  CDumpContext& operator<<(const CObject* pOb);
  CDumpContext& operator<<(const CObject& ob);
  CDumpContext& operator<<(int n);
  CDumpContext& operator<<(UINT u);
  CDumpContext& operator<<(LONGLONG n);
  CDumpContext& operator<<(ULONGLONG n);
  CDumpContext& operator<<(double d);
  void Flush() {}

 private:
  int m_nDepth = 0;
};

extern CDumpContext afxDump;
