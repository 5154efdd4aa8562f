#include <gtest/gtest.h>

#include <map>
#include <set>

#include "classlib/core/AfxCore.h"
#include "tests/classlib/core/AfxTestSupport.h"

namespace {

TEST(CArrayTest, GrowsInsertsAndRemovesAnywhere) {
  CArray<int, int> a;
  for (int i = 0; i < 100; ++i) EXPECT_EQ(a.Add(i), i);
  EXPECT_EQ(a.GetSize(), 100);
  EXPECT_EQ(a.GetUpperBound(), 99);
  a.InsertAt(0, -1);
  a.InsertAt(50, 777, 3);
  a.InsertAt(a.GetSize(), 1000);
  EXPECT_EQ(a[0], -1);
  EXPECT_EQ(a[50], 777);
  EXPECT_EQ(a[52], 777);
  EXPECT_EQ(a[53], 49);
  EXPECT_EQ(a[a.GetUpperBound()], 1000);
  a.RemoveAt(50, 3);
  a.RemoveAt(0);
  a.RemoveAt(a.GetUpperBound());
  ASSERT_EQ(a.GetSize(), 100);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(a[i], i);
  // Inserting past the end pads with default values.
  a.InsertAt(105, 5);
  EXPECT_EQ(a.GetSize(), 106);
  EXPECT_EQ(a[102], 0);
  a.SetAtGrow(120, 9);
  EXPECT_EQ(a.GetSize(), 121);
  a.RemoveAll();
  EXPECT_TRUE(a.IsEmpty());
}

TEST(CArrayTest, BadIndexesThrowAndChangeNothing) {
  CArray<int, int> a;
  a.Add(1);
  a.Add(2);
  EXPECT_AFX_THROW(a.GetAt(2), CInvalidArgException*);
  EXPECT_AFX_THROW(a[-1], CInvalidArgException*);
  EXPECT_AFX_THROW(a.SetAt(5, 0), CInvalidArgException*);
  EXPECT_AFX_THROW(a.ElementAt(2), CInvalidArgException*);
  EXPECT_AFX_THROW(a.RemoveAt(1, 2), CInvalidArgException*);
  EXPECT_AFX_THROW(a.RemoveAt(-1), CInvalidArgException*);
  EXPECT_AFX_THROW(a.InsertAt(-1, 0), CInvalidArgException*);
  EXPECT_AFX_THROW(a.SetSize(-1), CInvalidArgException*);
  EXPECT_AFX_THROW(a.SetAtGrow(-1, 0), CInvalidArgException*);
  ASSERT_EQ(a.GetSize(), 2);
  EXPECT_EQ(a[0] + a[1], 3);
}

// Exposes the allocated size to check the growth rule.
template <class TYPE>
class CCapacityArray : public CArray<TYPE, TYPE> {
 public:
  INT_PTR Capacity() const { return this->m_nMaxSize; }
};

TEST(CArrayTest, GrowByFollowsTheLibrary) {
  // Without a grow-by, room grows by an eighth of the size, at least 4 and at most 1024.
  CCapacityArray<BYTE> a;
  a.Add(1);
  EXPECT_EQ(a.Capacity(), 1);  // the first allocation is exactly what is needed
  a.Add(2);
  EXPECT_EQ(a.Capacity(), 5);
  a.SetSize(100);
  a.Add(3);
  EXPECT_EQ(a.Capacity(), 112);  // 100 + 100 / 8
  a.SetSize(20000);
  a.Add(4);
  EXPECT_EQ(a.Capacity(), 21024);
  a.FreeExtra();
  EXPECT_EQ(a.Capacity(), 20001);
  // With one, by that many.
  CCapacityArray<int> b;
  b.SetSize(10, 100);
  EXPECT_EQ(b.Capacity(), 100);
  b.SetSize(101);
  EXPECT_EQ(b.Capacity(), 200);
  b.RemoveAll();
  EXPECT_EQ(b.Capacity(), 0);
}

TEST(CArrayTest, HoldsObjectsWithState) {
  CArray<CString, const CString&> a;
  for (int i = 0; i < 50; ++i) {
    CString s;
    s.Format(_T("item %d"), i);
    a.Add(s);
  }
  a.InsertAt(10, _T("ten"), 2);
  a.RemoveAt(0, 5);
  EXPECT_EQ(a[5], _T("ten"));
  EXPECT_EQ(a[7], _T("item 10"));
  // Adding an element of the array to itself while it has to move.
  a.FreeExtra();
  a.Add(a[0]);
  EXPECT_EQ(a[a.GetUpperBound()], _T("item 5"));
  CArray<CString, const CString&> b;
  b.Copy(a);
  b.Append(a);
  EXPECT_EQ(b.GetSize(), 2 * a.GetSize());
  b.Append(b);
  EXPECT_EQ(b.GetSize(), 4 * a.GetSize());
  b.InsertAt(1, &a);
  EXPECT_EQ(b[1], a[0]);
  CStringArray sa;
  sa.Add(_T("x"));
  sa.SetSize(3);
  EXPECT_EQ(sa[2], _T(""));
}

TEST(CListTest, AddsAndRemovesAtBothEndsAndInTheMiddle) {
  CList<int, int> l;
  for (int i = 0; i < 5; ++i) l.AddTail(i);
  l.AddHead(-1);
  EXPECT_EQ(l.GetCount(), 6);
  EXPECT_EQ(l.GetHead(), -1);
  EXPECT_EQ(l.GetTail(), 4);
  POSITION pos = l.Find(2);
  ASSERT_NE(pos, nullptr);
  l.InsertBefore(pos, 100);
  l.InsertAfter(pos, 200);
  l.RemoveAt(pos);
  std::vector<int> seen;
  for (POSITION p = l.GetHeadPosition(); p != NULL;) seen.push_back(l.GetNext(p));
  EXPECT_EQ(seen, (std::vector<int>{-1, 0, 1, 100, 200, 3, 4}));
  seen.clear();
  for (POSITION p = l.GetTailPosition(); p != NULL;) seen.push_back(l.GetPrev(p));
  EXPECT_EQ(seen.front(), 4);
  EXPECT_EQ(seen.back(), -1);
  EXPECT_EQ(l.RemoveHead(), -1);
  EXPECT_EQ(l.RemoveTail(), 4);
  EXPECT_EQ(l.GetAt(l.FindIndex(2)), 100);
  EXPECT_EQ(l.FindIndex(99), nullptr);
  EXPECT_EQ(l.FindIndex(-1), nullptr);
  EXPECT_EQ(l.Find(4), nullptr);
  EXPECT_NE(l.Find(200, l.Find(100)), nullptr);
  l.SetAt(l.GetHeadPosition(), 55);
  EXPECT_EQ(l.GetHead(), 55);
}

TEST(CListTest, RemovingWhileWalkingAndMisuse) {
  CList<int, int> l;
  for (int i = 0; i < 10; ++i) l.AddTail(i);
  // Remove the even ones: advance first, then remove the node just passed.
  for (POSITION p = l.GetHeadPosition(); p != NULL;) {
    POSITION cur = p;
    if (l.GetNext(p) % 2 == 0) l.RemoveAt(cur);
  }
  EXPECT_EQ(l.GetCount(), 5);
  EXPECT_EQ(l.GetHead(), 1);
  l.AddTail(&l);  // a list appended to itself doubles once
  EXPECT_EQ(l.GetCount(), 10);
  l.AddHead(&l);
  EXPECT_EQ(l.GetCount(), 20);
  l.RemoveAll();
  EXPECT_AFX_THROW(l.RemoveHead(), CInvalidArgException*);
  EXPECT_AFX_THROW(l.GetTail(), CInvalidArgException*);
  POSITION none = NULL;
  EXPECT_AFX_THROW(l.GetNext(none), CInvalidArgException*);
  EXPECT_AFX_THROW(l.RemoveAt(NULL), CInvalidArgException*);
  CStringList sl;
  sl.AddTail(_T("a"));
  sl.AddHead(CString(_T("b")));
  EXPECT_NE(sl.Find(_T("a")), nullptr);
  CObList ol(10);
  EXPECT_TRUE(ol.IsEmpty());
}

TEST(CMapTest, ManyKeysLookupRemovalAndIteration) {
  CMap<DWORD, DWORD, int, int> m;
  m.InitHashTable(257);
  for (DWORD i = 0; i < 5000; ++i) m[i * 16] = (int)i;
  EXPECT_EQ(m.GetCount(), 5000);
  int v = -1;
  EXPECT_TRUE(m.Lookup(16 * 1234, v));
  EXPECT_EQ(v, 1234);
  EXPECT_FALSE(m.Lookup(3, v));
  m.SetAt(16, 99);
  EXPECT_TRUE(m.Lookup(16, v));
  EXPECT_EQ(v, 99);
  // Remove every odd value while walking: the entry just returned may go.
  POSITION pos = m.GetStartPosition();
  int visited = 0;
  while (pos != NULL) {
    DWORD key;
    int value;
    m.GetNextAssoc(pos, key, value);
    ++visited;
    if (value % 2 != 0) {
      EXPECT_TRUE(m.RemoveKey(key));
    }
  }
  EXPECT_EQ(visited, 5000);
  EXPECT_FALSE(m.RemoveKey(16 * 3));
  std::set<DWORD> keys;
  for (pos = m.GetStartPosition(); pos != NULL;) {
    DWORD key;
    int value;
    m.GetNextAssoc(pos, key, value);
    EXPECT_EQ(value % 2, 0);
    keys.insert(key);
  }
  EXPECT_EQ((INT_PTR)keys.size(), m.GetCount());
  m.RemoveAll();
  EXPECT_EQ(m.GetStartPosition(), nullptr);
  POSITION bad = NULL;
  DWORD k;
  int val;
  EXPECT_AFX_THROW(m.GetNextAssoc(bad, k, val), CInvalidArgException*);
  m[1] = 1;
  EXPECT_AFX_THROW(m.InitHashTable(31), CNotSupportedException*);
}

TEST(CMapTest, StringAndPointerKeys) {
  CMapStringToString ss;
  ss.SetAt(_T("Jpeg"), _T("image"));
  ss[_T("txt")] = _T("text");
  CString value;
  EXPECT_TRUE(ss.Lookup(_T("Jpeg"), value));
  EXPECT_EQ(value, _T("image"));
  EXPECT_FALSE(ss.Lookup(_T("jpeg"), value));  // keys are case-sensitive
  CMapStringToPtr sp;
  int target = 0;
  sp.SetAt(_T("k"), &target);
  void* p = NULL;
  EXPECT_TRUE(sp.Lookup(_T("k"), p));
  EXPECT_EQ(p, &target);
  CMapPtrToPtr pp;
  pp.SetAt(&target, &value);
  EXPECT_TRUE(pp.Lookup(&target, p));
  CMapWordToPtr wp;
  wp[7] = &target;
  EXPECT_TRUE(wp.Lookup(7, p));
  CMapPtrToWord pw;
  pw[&target] = 3;
  WORD w = 0;
  EXPECT_TRUE(pw.Lookup(&target, w));
  EXPECT_EQ(w, 3);
  CMap<CString, LPCTSTR, int, int> counts;
  for (int i = 0; i < 1000; ++i) {
    CString key;
    key.Format(_T("name%d"), i % 100);
    counts[key]++;
  }
  EXPECT_EQ(counts.GetCount(), 100);
  int n = 0;
  EXPECT_TRUE(counts.Lookup(_T("name42"), n));
  EXPECT_EQ(n, 10);
}

}  // namespace
