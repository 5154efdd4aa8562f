// CArray: a growable array of elements constructed in place. Growth follows the class library:
// with no grow-by set, the array grows by an eighth of its size, at least 4 and at most 1024
// elements. Every index is checked; a bad one throws CInvalidArgException.
#pragma once

#include <new>
#include <utility>

#include "classlib/core/AfxTypes.h"
#include "classlib/core/CException.h"
#include "classlib/core/CObject.h"
#include "classlib/core/CollectionTraits.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
 public:
  CArray() = default;
  ~CArray() override { RemoveAll(); }

  INT_PTR GetSize() const { return m_nSize; }
  INT_PTR GetCount() const { return m_nSize; }
  BOOL IsEmpty() const { return m_nSize == 0; }
  INT_PTR GetUpperBound() const { return m_nSize - 1; }

  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
  void FreeExtra();
  void RemoveAll() { SetSize(0, -1); }

  const TYPE& GetAt(INT_PTR nIndex) const { return m_pData[CheckIndex(nIndex)]; }
  TYPE& GetAt(INT_PTR nIndex) { return m_pData[CheckIndex(nIndex)]; }
  void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_pData[CheckIndex(nIndex)] = newElement; }
  const TYPE& ElementAt(INT_PTR nIndex) const { return m_pData[CheckIndex(nIndex)]; }
  TYPE& ElementAt(INT_PTR nIndex) { return m_pData[CheckIndex(nIndex)]; }
  const TYPE* GetData() const { return m_pData; }
  TYPE* GetData() { return m_pData; }

  void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
  INT_PTR Add(ARG_TYPE newElement);
  INT_PTR Append(const CArray& src);
  void Copy(const CArray& src);

  const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
  TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

  void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
  void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);
  void InsertAt(INT_PTR nStartIndex, CArray* pNewArray);

  void Serialize(CArchive& ar) override;

 protected:
  TYPE* m_pData = NULL;
  INT_PTR m_nSize = 0;
  INT_PTR m_nMaxSize = 0;
  INT_PTR m_nGrowBy = 0;

 private:
  INT_PTR CheckIndex(INT_PTR nIndex) const {
    if (nIndex < 0 || nIndex >= m_nSize) AfxThrowInvalidArgException();
    return nIndex;
  }
  static TYPE* Allocate(INT_PTR nCount);
  void Reallocate(INT_PTR nNewMax);
};

template <class TYPE, class ARG_TYPE>
TYPE* CArray<TYPE, ARG_TYPE>::Allocate(INT_PTR nCount) {
  if (nCount < 0 || (UINT_PTR)nCount > ((UINT_PTR)-1 / 2) / sizeof(TYPE)) AfxThrowMemoryException();
  void* p = ::operator new((size_t)nCount * sizeof(TYPE), std::nothrow);
  if (p == NULL && nCount != 0) AfxThrowMemoryException();
  return static_cast<TYPE*>(p);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reallocate(INT_PTR nNewMax) {
  // Moves the existing elements into new storage for nNewMax elements.
  TYPE* pNewData = Allocate(nNewMax);
  for (INT_PTR i = 0; i < m_nSize; ++i) {
    ::new ((void*)(pNewData + i)) TYPE(std::move(m_pData[i]));
    m_pData[i].~TYPE();
  }
  ::operator delete(m_pData);
  m_pData = pNewData;
  m_nMaxSize = nNewMax;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy) {
  if (nNewSize < 0) AfxThrowInvalidArgException();
  if (nGrowBy >= 0) m_nGrowBy = nGrowBy;

  if (nNewSize == 0) {
    for (INT_PTR i = 0; i < m_nSize; ++i) m_pData[i].~TYPE();
    ::operator delete(m_pData);
    m_pData = NULL;
    m_nSize = m_nMaxSize = 0;
    return;
  }
  if (nNewSize <= m_nMaxSize) {
    for (INT_PTR i = m_nSize; i < nNewSize; ++i) ::new ((void*)(m_pData + i)) TYPE();
    for (INT_PTR i = nNewSize; i < m_nSize; ++i) m_pData[i].~TYPE();
    m_nSize = nNewSize;
    return;
  }
  INT_PTR nNewMax;
  if (m_pData == NULL) {
    nNewMax = nNewSize > m_nGrowBy ? nNewSize : m_nGrowBy;
  } else {
    INT_PTR nGrow = m_nGrowBy;
    if (nGrow == 0) {
      nGrow = m_nSize / 8;
      nGrow = nGrow < 4 ? 4 : (nGrow > 1024 ? 1024 : nGrow);
    }
    nNewMax = m_nMaxSize + nGrow > nNewSize ? m_nMaxSize + nGrow : nNewSize;
  }
  Reallocate(nNewMax);
  for (INT_PTR i = m_nSize; i < nNewSize; ++i) ::new ((void*)(m_pData + i)) TYPE();
  m_nSize = nNewSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra() {
  if (m_nSize != m_nMaxSize) {
    if (m_nSize == 0) {
      ::operator delete(m_pData);
      m_pData = NULL;
      m_nMaxSize = 0;
    } else {
      Reallocate(m_nSize);
    }
  }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) {
  if (nIndex < 0) AfxThrowInvalidArgException();
  if (nIndex >= m_nSize) {
    // newElement may refer into this array: copy it before the storage moves.
    TYPE copy(newElement);
    SetSize(nIndex + 1, -1);
    m_pData[nIndex] = std::move(copy);
  } else {
    m_pData[nIndex] = newElement;
  }
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement) {
  INT_PTR nIndex = m_nSize;
  SetAtGrow(nIndex, newElement);
  return nIndex;
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src) {
  INT_PTR nOldSize = m_nSize;
  if (this == &src) {
    CArray copy;
    copy.Copy(src);
    return Append(copy);
  }
  SetSize(m_nSize + src.m_nSize, -1);
  for (INT_PTR i = 0; i < src.m_nSize; ++i) m_pData[nOldSize + i] = src.m_pData[i];
  return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src) {
  if (this == &src) return;
  SetSize(src.m_nSize, -1);
  for (INT_PTR i = 0; i < src.m_nSize; ++i) m_pData[i] = src.m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount) {
  if (nIndex < 0 || nCount <= 0) {
    if (nIndex < 0 || nCount < 0) AfxThrowInvalidArgException();
    return;
  }
  TYPE copy(newElement);
  if (nIndex >= m_nSize) {
    SetSize(nIndex + nCount, -1);
  } else {
    INT_PTR nOldSize = m_nSize;
    SetSize(m_nSize + nCount, -1);
    for (INT_PTR i = nOldSize - 1; i >= nIndex; --i) m_pData[i + nCount] = std::move(m_pData[i]);
  }
  for (INT_PTR i = 0; i < nCount; ++i) m_pData[nIndex + i] = copy;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount) {
  if (nIndex < 0 || nCount < 0 || nIndex > m_nSize || nCount > m_nSize - nIndex) {
    AfxThrowInvalidArgException();
  }
  if (nCount == 0) return;
  for (INT_PTR i = nIndex; i + nCount < m_nSize; ++i) m_pData[i] = std::move(m_pData[i + nCount]);
  for (INT_PTR i = m_nSize - nCount; i < m_nSize; ++i) m_pData[i].~TYPE();
  m_nSize -= nCount;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, CArray* pNewArray) {
  if (pNewArray == NULL || nStartIndex < 0) AfxThrowInvalidArgException();
  if (pNewArray->GetSize() == 0) return;
  CArray copy;
  copy.Copy(*pNewArray);
  InsertAt(nStartIndex, copy.GetAt(0), copy.GetSize());
  for (INT_PTR i = 0; i < copy.GetSize(); ++i) SetAt(nStartIndex + i, copy.GetAt(i));
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount((DWORD_PTR)m_nSize);
    SerializeElements<TYPE>(ar, m_pData, m_nSize);
  } else {
    // The stored count is not trusted with one allocation: the array grows as elements arrive.
    DWORD_PTR nCount = ar.ReadCount();
    RemoveAll();
    const DWORD_PTR kChunk = 4096;
    for (DWORD_PTR nDone = 0; nDone < nCount;) {
      DWORD_PTR nStep = nCount - nDone < kChunk ? nCount - nDone : kChunk;
      SetSize((INT_PTR)(nDone + nStep), -1);
      SerializeElements<TYPE>(ar, m_pData + nDone, (INT_PTR)nStep);
      nDone += nStep;
    }
  }
}
