// CMap: a hash table of key/value pairs with chaining, as in the class library: 17 buckets unless
// InitHashTable says otherwise, HashKey() chooses the bucket, and GetNextAssoc walks the buckets in
// order. Removing the entry just returned by GetNextAssoc is safe while iterating.
#pragma once

#include <utility>

#include "classlib/core/AfxTypes.h"
#include "classlib/core/CException.h"
#include "classlib/core/CObject.h"
#include "classlib/core/CollectionTraits.h"

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
 protected:
  struct CAssoc {
    CAssoc* pNext;
    UINT nHashValue;  // the key's full hash
    KEY key;
    VALUE value;
  };

 public:
  explicit CMap(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize) {}
  ~CMap() override { RemoveAll(); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
  VALUE& operator[](ARG_KEY key);
  void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
  BOOL RemoveKey(ARG_KEY key);
  void RemoveAll();

  POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }
  void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

  UINT GetHashTableSize() const { return m_nHashTableSize; }
  void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);

  void Serialize(CArchive& ar) override;

 protected:
  CAssoc** m_pHashTable = NULL;
  UINT m_nHashTableSize = 17;
  INT_PTR m_nCount = 0;
  INT_PTR m_nBlockSize;

 private:
  CAssoc* GetAssocAt(ARG_KEY key, UINT& nHashBucket, UINT& nHashValue) const;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT nHashSize, BOOL bAllocNow) {
  if (nHashSize == 0) AfxThrowInvalidArgException();
  if (m_nCount != 0) AfxThrowNotSupportedException();  // the entries would land in wrong buckets
  delete[] m_pHashTable;
  m_pHashTable = NULL;
  if (bAllocNow) m_pHashTable = new CAssoc*[nHashSize]();
  m_nHashTableSize = nHashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll() {
  if (m_pHashTable != NULL) {
    for (UINT nHash = 0; nHash < m_nHashTableSize; ++nHash) {
      CAssoc* pAssoc = m_pHashTable[nHash];
      while (pAssoc != NULL) {
        CAssoc* pNext = pAssoc->pNext;
        delete pAssoc;
        pAssoc = pNext;
      }
    }
    delete[] m_pHashTable;
    m_pHashTable = NULL;
  }
  m_nCount = 0;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(
    ARG_KEY key, UINT& nHashBucket, UINT& nHashValue) const {
  nHashValue = HashKey<ARG_KEY>(key);
  nHashBucket = nHashValue % m_nHashTableSize;
  if (m_pHashTable == NULL) return NULL;
  for (CAssoc* pAssoc = m_pHashTable[nHashBucket]; pAssoc != NULL; pAssoc = pAssoc->pNext) {
    if (pAssoc->nHashValue == nHashValue && CompareElements(&pAssoc->key, &key)) return pAssoc;
  }
  return NULL;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const {
  UINT nHashBucket, nHashValue;
  CAssoc* pAssoc = GetAssocAt(key, nHashBucket, nHashValue);
  if (pAssoc == NULL) return FALSE;
  rValue = pAssoc->value;
  return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key) {
  UINT nHashBucket, nHashValue;
  CAssoc* pAssoc = GetAssocAt(key, nHashBucket, nHashValue);
  if (pAssoc == NULL) {
    if (m_pHashTable == NULL) InitHashTable(m_nHashTableSize);
    pAssoc = new CAssoc{m_pHashTable[nHashBucket], nHashValue, KEY(key), VALUE()};
    m_pHashTable[nHashBucket] = pAssoc;
    ++m_nCount;
  }
  return pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key) {
  if (m_pHashTable == NULL) return FALSE;
  UINT nHashValue = HashKey<ARG_KEY>(key);
  CAssoc** ppAssocPrev = &m_pHashTable[nHashValue % m_nHashTableSize];
  for (CAssoc* pAssoc = *ppAssocPrev; pAssoc != NULL; pAssoc = pAssoc->pNext) {
    if (pAssoc->nHashValue == nHashValue && CompareElements(&pAssoc->key, &key)) {
      *ppAssocPrev = pAssoc->pNext;
      delete pAssoc;
      --m_nCount;
      return TRUE;
    }
    ppAssocPrev = &pAssoc->pNext;
  }
  return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey,
                                                        VALUE& rValue) const {
  if (rNextPosition == NULL || m_pHashTable == NULL) AfxThrowInvalidArgException();
  CAssoc* pAssocRet = (CAssoc*)rNextPosition;
  if (rNextPosition == BEFORE_START_POSITION) {
    pAssocRet = NULL;
    for (UINT nBucket = 0; nBucket < m_nHashTableSize && pAssocRet == NULL; ++nBucket) {
      pAssocRet = m_pHashTable[nBucket];
    }
    if (pAssocRet == NULL) AfxThrowInvalidArgException();
  }
  // Find the one after it before handing it out, so that the caller may remove it.
  CAssoc* pAssocNext = pAssocRet->pNext;
  if (pAssocNext == NULL) {
    for (UINT nBucket = pAssocRet->nHashValue % m_nHashTableSize + 1;
         nBucket < m_nHashTableSize && pAssocNext == NULL; ++nBucket) {
      pAssocNext = m_pHashTable[nBucket];
    }
  }
  rNextPosition = (POSITION)pAssocNext;
  rKey = pAssocRet->key;
  rValue = pAssocRet->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount((DWORD_PTR)m_nCount);
    if (m_nCount == 0) return;
    for (UINT nHash = 0; nHash < m_nHashTableSize; ++nHash) {
      for (CAssoc* pAssoc = m_pHashTable[nHash]; pAssoc != NULL; pAssoc = pAssoc->pNext) {
        SerializeElements<KEY>(ar, &pAssoc->key, 1);
        SerializeElements<VALUE>(ar, &pAssoc->value, 1);
      }
    }
  } else {
    DWORD_PTR nNewCount = ar.ReadCount();
    while (nNewCount--) {
      KEY newKey = KEY();
      VALUE newValue = VALUE();
      SerializeElements<KEY>(ar, &newKey, 1);
      SerializeElements<VALUE>(ar, &newValue, 1);
      SetAt(newKey, newValue);
    }
  }
}
