// CList: a doubly linked list; a POSITION is a pointer to a node. Positions stay valid until their
// node is removed. A NULL position or an empty list where an element is needed throws
// CInvalidArgException.
#pragma once

#include <utility>

#include "classlib/core/AfxTypes.h"
#include "classlib/core/CException.h"
#include "classlib/core/CObject.h"
#include "classlib/core/CollectionTraits.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
 protected:
  struct CNode {
    CNode* pNext;
    CNode* pPrev;
    TYPE data;
  };

 public:
  explicit CList(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize) {}
  ~CList() override { RemoveAll(); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  TYPE& GetHead() { return Checked(m_pNodeHead)->data; }
  const TYPE& GetHead() const { return Checked(m_pNodeHead)->data; }
  TYPE& GetTail() { return Checked(m_pNodeTail)->data; }
  const TYPE& GetTail() const { return Checked(m_pNodeTail)->data; }

  TYPE RemoveHead();
  TYPE RemoveTail();

  POSITION AddHead(ARG_TYPE newElement) { return InsertNode(NULL, m_pNodeHead, newElement); }
  POSITION AddTail(ARG_TYPE newElement) { return InsertNode(m_pNodeTail, NULL, newElement); }
  void AddHead(CList* pNewList);
  void AddTail(CList* pNewList);

  void RemoveAll();

  POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
  POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
  TYPE& GetNext(POSITION& rPosition) {
    CNode* pNode = Checked(rPosition);
    rPosition = (POSITION)pNode->pNext;
    return pNode->data;
  }
  const TYPE& GetNext(POSITION& rPosition) const {
    CNode* pNode = Checked(rPosition);
    rPosition = (POSITION)pNode->pNext;
    return pNode->data;
  }
  TYPE& GetPrev(POSITION& rPosition) {
    CNode* pNode = Checked(rPosition);
    rPosition = (POSITION)pNode->pPrev;
    return pNode->data;
  }
  const TYPE& GetPrev(POSITION& rPosition) const {
    CNode* pNode = Checked(rPosition);
    rPosition = (POSITION)pNode->pPrev;
    return pNode->data;
  }

  TYPE& GetAt(POSITION position) { return Checked(position)->data; }
  const TYPE& GetAt(POSITION position) const { return Checked(position)->data; }
  void SetAt(POSITION pos, ARG_TYPE newElement) { Checked(pos)->data = newElement; }
  void RemoveAt(POSITION position);

  POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
  POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

  POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const;
  POSITION FindIndex(INT_PTR nIndex) const;

  void Serialize(CArchive& ar) override;

 protected:
  CNode* m_pNodeHead = NULL;
  CNode* m_pNodeTail = NULL;
  INT_PTR m_nCount = 0;
  INT_PTR m_nBlockSize;

 private:
  static CNode* Checked(POSITION pos) {
    if (pos == NULL || pos == BEFORE_START_POSITION) AfxThrowInvalidArgException();
    return (CNode*)pos;
  }
  static CNode* Checked(CNode* pNode) {
    if (pNode == NULL) AfxThrowInvalidArgException();
    return pNode;
  }
  POSITION InsertNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement);
};

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement) {
  CNode* pNode = new CNode{pNext, pPrev, TYPE(newElement)};
  if (pPrev != NULL) {
    pPrev->pNext = pNode;
  } else {
    m_pNodeHead = pNode;
  }
  if (pNext != NULL) {
    pNext->pPrev = pNode;
  } else {
    m_pNodeTail = pNode;
  }
  ++m_nCount;
  return (POSITION)pNode;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead() {
  CNode* pNode = Checked(m_pNodeHead);
  TYPE value(std::move(pNode->data));
  RemoveAt((POSITION)pNode);
  return value;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail() {
  CNode* pNode = Checked(m_pNodeTail);
  TYPE value(std::move(pNode->data));
  RemoveAt((POSITION)pNode);
  return value;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddHead(CList* pNewList) {
  if (pNewList == NULL) AfxThrowInvalidArgException();
  // Walking backwards keeps the order; a list added to itself sees only its original nodes.
  POSITION pos = pNewList->GetTailPosition();
  INT_PTR n = pNewList->GetCount();
  for (INT_PTR i = 0; i < n; ++i) AddHead(pNewList->GetPrev(pos));
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddTail(CList* pNewList) {
  if (pNewList == NULL) AfxThrowInvalidArgException();
  POSITION pos = pNewList->GetHeadPosition();
  INT_PTR n = pNewList->GetCount();
  for (INT_PTR i = 0; i < n; ++i) AddTail(pNewList->GetNext(pos));
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll() {
  CNode* pNode = m_pNodeHead;
  while (pNode != NULL) {
    CNode* pNext = pNode->pNext;
    delete pNode;
    pNode = pNext;
  }
  m_pNodeHead = m_pNodeTail = NULL;
  m_nCount = 0;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position) {
  CNode* pOld = Checked(position);
  if (pOld == m_pNodeHead) {
    m_pNodeHead = pOld->pNext;
  } else {
    pOld->pPrev->pNext = pOld->pNext;
  }
  if (pOld == m_pNodeTail) {
    m_pNodeTail = pOld->pPrev;
  } else {
    pOld->pNext->pPrev = pOld->pPrev;
  }
  delete pOld;
  --m_nCount;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement) {
  if (position == NULL) return AddHead(newElement);
  CNode* pNode = Checked(position);
  return InsertNode(pNode->pPrev, pNode, newElement);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement) {
  if (position == NULL) return AddTail(newElement);
  CNode* pNode = Checked(position);
  return InsertNode(pNode, pNode->pNext, newElement);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const {
  CNode* pNode = startAfter == NULL ? m_pNodeHead : Checked(startAfter)->pNext;
  for (; pNode != NULL; pNode = pNode->pNext) {
    if (CompareElements<TYPE>(&pNode->data, &searchValue)) return (POSITION)pNode;
  }
  return NULL;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const {
  if (nIndex < 0 || nIndex >= m_nCount) return NULL;
  CNode* pNode = m_pNodeHead;
  while (nIndex-- > 0) pNode = pNode->pNext;
  return (POSITION)pNode;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount((DWORD_PTR)m_nCount);
    for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext) {
      SerializeElements<TYPE>(ar, &pNode->data, 1);
    }
  } else {
    DWORD_PTR nNewCount = ar.ReadCount();
    while (nNewCount--) {
      TYPE newData = TYPE();
      SerializeElements<TYPE>(ar, &newData, 1);
      AddTail(newData);
    }
  }
}
