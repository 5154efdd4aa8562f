// Per-element helpers of the collection templates: comparison, hashing and serialisation. Like the
// class library's, they are function templates that a user may specialise for an element type.
#pragma once

#include <cstring>
#include <type_traits>

#include "classlib/core/AfxTypes.h"
#include "classlib/core/CArchive.h"
#include "classlib/core/CObject.h"
#include "classlib/core/CString.h"

template <class TYPE, class ARG_TYPE>
BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2) {
  return *pElement1 == *pElement2;
}

template <class ARG_KEY>
UINT AFXAPI HashKey(ARG_KEY key) {
  using K = typename std::remove_cv<typename std::remove_reference<ARG_KEY>::type>::type;
  if constexpr (std::is_pointer<K>::value) {
    return (UINT)(((UINT_PTR)(const void*)key) >> 4);
  } else if constexpr (sizeof(K) > sizeof(UINT)) {
    ULONGLONG v = (ULONGLONG)key;
    return (UINT)(((v >> 32) ^ v) >> 4);
  } else {
    return (UINT)(((UINT_PTR)key) >> 4);
  }
}

// Strings hash by their characters.
UINT AFXAPI AfxHashString(LPCTSTR key);
template <>
inline UINT AFXAPI HashKey<LPCTSTR>(LPCTSTR key) { return AfxHashString(key); }
template <>
inline UINT AFXAPI HashKey<LPTSTR>(LPTSTR key) { return AfxHashString(key); }
template <>
inline UINT AFXAPI HashKey<const CString&>(const CString& key) { return AfxHashString(key); }
template <>
inline UINT AFXAPI HashKey<CString>(CString key) { return AfxHashString(key); }

namespace afx_detail {
template <class T>
struct IsObjectPointer
    : std::integral_constant<bool, std::is_pointer<T>::value &&
                                       std::is_base_of<CObject, typename std::remove_cv<
                                                                    typename std::remove_pointer<T>::type>::type>::value> {};
}  // namespace afx_detail

// Stores or loads nCount elements. Numbers go one by one in little-endian order, strings and object
// pointers through the archive's own operators, other plain structures as their bytes; plain
// pointers cannot be stored (CNotSupportedException).
template <class TYPE>
void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount) {
  if constexpr (std::is_same<TYPE, CString>::value) {
    for (INT_PTR i = 0; i < nCount; ++i) {
      if (ar.IsStoring()) {
        ar << pElements[i];
      } else {
        ar >> pElements[i];
      }
    }
  } else if constexpr (afx_detail::IsObjectPointer<TYPE>::value) {
    for (INT_PTR i = 0; i < nCount; ++i) {
      if (ar.IsStoring()) {
        ar.WriteObject(pElements[i]);
      } else {
        CObject* pOb = ar.ReadObject(NULL);
        TYPE pTyped = dynamic_cast<TYPE>(pOb);
        if (pOb != NULL && pTyped == NULL) AfxThrowArchiveException(CArchiveException::badClass);
        pElements[i] = pTyped;
      }
    }
  } else if constexpr (std::is_arithmetic<TYPE>::value || std::is_enum<TYPE>::value) {
    for (INT_PTR i = 0; i < nCount; ++i) {
      if constexpr (std::is_enum<TYPE>::value) {
        LONG v = (LONG)pElements[i];
        if (ar.IsStoring()) {
          ar << v;
        } else {
          ar >> v;
          pElements[i] = (TYPE)v;
        }
      } else if (ar.IsStoring()) {
        ar << pElements[i];
      } else {
        ar >> pElements[i];
      }
    }
  } else if constexpr (std::is_trivially_copyable<TYPE>::value && !std::is_pointer<TYPE>::value) {
    for (INT_PTR i = 0; i < nCount; ++i) {
      if (ar.IsStoring()) {
        ar.Write(&pElements[i], (UINT)sizeof(TYPE));
      } else if (ar.Read(&pElements[i], (UINT)sizeof(TYPE)) != sizeof(TYPE)) {
        AfxThrowArchiveException(CArchiveException::endOfFile);
      }
    }
  } else {
    // Plain pointers and types with their own state have no stored form unless specialised.
    (void)pElements;
    if (nCount > 0) AfxThrowNotSupportedException();
  }
}
