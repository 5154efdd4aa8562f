#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "classlib/core/AfxCore.h"
#include "tests/classlib/core/AfxTestSupport.h"

namespace {

// A small object graph: nodes own their children and point back at their parent.
class CArcNode : public CObject {
  DECLARE_SERIAL(CArcNode)
 public:
  ~CArcNode() override {
    for (INT_PTR i = 0; i < m_children.GetSize(); ++i) delete m_children[i];
  }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << m_name << m_value << m_pParent << m_pShared;
    } else {
      CObject* pParent = NULL;
      CObject* pShared = NULL;
      ar >> m_name >> m_value >> pParent >> pShared;
      m_pParent = DYNAMIC_DOWNCAST(CArcNode, pParent);
      m_pShared = pShared;
    }
    m_children.Serialize(ar);
  }
  CArcNode* AddChild(CArcNode* pChild) {
    pChild->m_pParent = this;
    m_children.Add(pChild);
    return pChild;
  }

  CString m_name;
  LONG m_value = 0;
  CArcNode* m_pParent = NULL;
  CObject* m_pShared = NULL;  // not owned: any object elsewhere in the graph
  CObArray m_children;
};
IMPLEMENT_SERIAL(CArcNode, CObject, 1)

class CArcLeaf : public CArcNode {
  DECLARE_SERIAL(CArcLeaf)
 public:
  void Serialize(CArchive& ar) override {
    CArcNode::Serialize(ar);
    if (ar.IsStoring()) {
      ar << m_weight;
    } else {
      ar >> m_weight;
    }
  }
  double m_weight = 0;
};
IMPLEMENT_SERIAL(CArcLeaf, CArcNode, 1)

// Versionable: schema 2 added a field that schema 1 streams lack.
class CArcVersioned : public CObject {
  DECLARE_SERIAL(CArcVersioned)
 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << m_a << m_b;
    } else {
      UINT nSchema = ar.GetObjectSchema();
      m_loadedSchema = nSchema;
      ar >> m_a;
      if (nSchema >= 2) ar >> m_b;
    }
  }
  LONG m_a = 0, m_b = -1;
  UINT m_loadedSchema = 0;
};
IMPLEMENT_SERIAL(CArcVersioned, CObject, VERSIONABLE_SCHEMA | 2)

class CArcNotSerial : public CObject {
  DECLARE_DYNCREATE(CArcNotSerial)
};
IMPLEMENT_DYNCREATE(CArcNotSerial, CObject)

// Stores through an archive into memory and returns the bytes.
template <typename Fn>
std::vector<BYTE> Store(Fn fn, int nBufSize = 4096) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store, nBufSize);
    fn(ar);
    ar.Close();
  }
  std::vector<BYTE> bytes((size_t)file.GetLength());
  if (!bytes.empty()) std::memcpy(bytes.data(), file.GetBufferPtr(), bytes.size());
  return bytes;
}

// Loads from exactly these bytes, in a heap block of their size so that any over-read is caught.
template <typename Fn>
void Load(const std::vector<BYTE>& bytes, Fn fn, int nBufSize = 4096) {
  BYTE* p = static_cast<BYTE*>(std::malloc(bytes.size() + 1));
  if (!bytes.empty()) std::memcpy(p, bytes.data(), bytes.size());
  struct Free {
    BYTE* p;
    ~Free() { std::free(p); }
  } guard{p};
  CMemFile file(p, (UINT)bytes.size());
  CArchive ar(&file, CArchive::load, nBufSize);
  fn(ar);
}

TEST(CArchiveTest, EveryValueTypeRoundTrips) {
  auto bytes = Store([](CArchive& ar) {
    ar << (BYTE)0xAB << (WORD)0xBEEF << (DWORD)0xDEADBEEF << (LONG)-5 << (int)-6 << (UINT)7u << (short)-8
       << 'c' << (signed char)-9 << L'\u00E9' << 1.5f << -2.25 << (LONGLONG)-1234567890123LL
       << (ULONGLONG)0xFEDCBA9876543210ULL << true << false;
  });
  EXPECT_EQ(bytes.size(), 1u + 2 + 4 + 4 + 4 + 4 + 2 + 1 + 1 + 2 + 4 + 8 + 8 + 8 + 1 + 1);
  Load(bytes, [](CArchive& ar) {
    BYTE by;
    WORD w;
    DWORD dw;
    LONG l;
    int i;
    UINT u;
    short sh;
    char ch;
    signed char sc;
    wchar_t wc;
    float f;
    double d;
    LONGLONG ll;
    ULONGLONG ull;
    bool b1, b2;
    ar >> by >> w >> dw >> l >> i >> u >> sh >> ch >> sc >> wc >> f >> d >> ll >> ull >> b1 >> b2;
    EXPECT_EQ(by, 0xAB);
    EXPECT_EQ(w, 0xBEEF);
    EXPECT_EQ(dw, 0xDEADBEEFu);
    EXPECT_EQ(l, -5);
    EXPECT_EQ(i, -6);
    EXPECT_EQ(u, 7u);
    EXPECT_EQ(sh, -8);
    EXPECT_EQ(ch, 'c');
    EXPECT_EQ(sc, -9);
    EXPECT_EQ(wc, L'\u00E9');
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(d, -2.25);
    EXPECT_EQ(ll, -1234567890123LL);
    EXPECT_EQ(ull, 0xFEDCBA9876543210ULL);
    EXPECT_TRUE(b1);
    EXPECT_FALSE(b2);
    EXPECT_AFX_THROW(ar >> by, CArchiveException*);
  });
}

TEST(CArchiveTest, ByteLayoutMatchesTheLibrary) {
  auto bytes = Store([](CArchive& ar) {
    ar << (DWORD)0x01020304;
    ar.WriteCount(5);
    ar.WriteCount(0x12345);
    ar << CString(_T("ab"));
  });
  const std::vector<BYTE> expected = {0x04, 0x03, 0x02, 0x01, 0x05, 0x00, 0xFF, 0xFF, 0x45, 0x23, 0x01,
                                      0x00, 0xFF, 0xFE, 0xFF, 0x02, 'a',  0x00, 'b',  0x00};
  EXPECT_EQ(bytes, expected);
  auto cls = Store([](CArchive& ar) { ar.WriteClass(RUNTIME_CLASS(CArcVersioned)); });
  const std::vector<BYTE> expectedClass = {0xFF, 0xFF, 0x02, 0x00, 13,  0x00, 'C', 'A', 'r', 'c', 'V',
                                           'e',  'r',  's',  'i',  'o', 'n',  'e', 'd'};
  EXPECT_EQ(cls, expectedClass);
}

TEST(CArchiveTest, StringsOfEveryLengthAndScript) {
  std::vector<CString> strings = {CString(), CString(_T("plain")), CString(_T("\u00E9t\u00E9 \u4E2D\u6587")),
                                  CString(_T('x'), 254), CString(_T('y'), 255), CString(_T('z'), 0xFFFD),
                                  CString(_T('w'), 0xFFFE), CString(_T('v'), 70000)};
#ifndef _WIN32
  strings.push_back(CString(L"\U0001F600 smile"));  // stored as a surrogate pair
#endif
  auto bytes = Store([&](CArchive& ar) {
    for (const CString& s : strings) ar << s;
  });
  Load(bytes, [&](CArchive& ar) {
    for (const CString& s : strings) {
      CString loaded;
      ar >> loaded;
      EXPECT_EQ(loaded.GetLength(), s.GetLength());
      EXPECT_TRUE(loaded == s);
    }
  });
}

TEST(CArchiveTest, ReadsNarrowStringsOfOlderWriters) {
  // A length byte without the UTF-16 marker announces ANSI text.
  std::vector<BYTE> bytes = {3, 'a', 'b', 'c', 0xFF, 0x04, 0x01};
  bytes.insert(bytes.end(), 0x104, 'q');
  Load(bytes, [](CArchive& ar) {
    CString s;
    ar >> s;
    EXPECT_EQ(s, _T("abc"));
    ar >> s;
    EXPECT_EQ(s, CString(_T('q'), 0x104));
  });
}

TEST(CArchiveTest, LinesAndRawBlocks) {
  auto bytes = Store([](CArchive& ar) {
    ar.WriteString(_T("first line\r\nsecond\n"));
    ar.WriteString(_T("last"));
  });
  Load(bytes, [](CArchive& ar) {
    CString line;
    EXPECT_TRUE(ar.ReadString(line));
    EXPECT_EQ(line, _T("first line"));
    TCHAR buf[5];
    EXPECT_NE(ar.ReadString(buf, 5), nullptr);
    EXPECT_EQ(CString(buf), _T("seco"));
    EXPECT_TRUE(ar.ReadString(line));
    EXPECT_EQ(line, _T("nd"));
    EXPECT_TRUE(ar.ReadString(line));
    EXPECT_EQ(line, _T("last"));
    EXPECT_FALSE(ar.ReadString(line));
  });
  // Blocks larger than the buffer pass straight through.
  std::vector<BYTE> block(10000);
  for (size_t i = 0; i < block.size(); ++i) block[i] = (BYTE)(i * 7);
  bytes = Store([&](CArchive& ar) {
    ar << (BYTE)1;
    ar.Write(block.data(), (UINT)block.size());
    ar << (BYTE)2;
  }, 128);
  Load(bytes, [&](CArchive& ar) {
    BYTE b;
    ar >> b;
    std::vector<BYTE> back(block.size());
    EXPECT_EQ(ar.Read(back.data(), (UINT)back.size()), back.size());
    EXPECT_EQ(back, block);
    ar >> b;
    EXPECT_EQ(b, 2);
    EXPECT_EQ(ar.Read(back.data(), 10), 0u);
  }, 128);
}

TEST(CArchiveTest, WrongDirectionThrows) {
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  BYTE b;
  EXPECT_EQ(AFX_ARCHIVE_CAUSE(ar >> b), CArchiveException::writeOnly);
  EXPECT_EQ(AFX_ARCHIVE_CAUSE(ar.ReadObject(NULL)), CArchiveException::writeOnly);
  EXPECT_AFX_THROW(ar.WriteClass(RUNTIME_CLASS(CArcNotSerial)), CNotSupportedException*);
  ar.Abort();
  Load({1, 2}, [](CArchive& loading) {
    EXPECT_EQ(AFX_ARCHIVE_CAUSE(loading << (BYTE)1), CArchiveException::readOnly);
  });
}

CArcNode* BuildGraph() {
  CArcNode* pRoot = new CArcNode;
  pRoot->m_name = _T("root \u00E9");
  pRoot->m_value = 1;
  CArcNode* pA = pRoot->AddChild(new CArcNode);
  pA->m_name = _T("a");
  pA->m_value = 2;
  CArcLeaf* pLeaf = new CArcLeaf;
  pLeaf->m_name = _T("leaf");
  pLeaf->m_weight = 3.5;
  pA->AddChild(pLeaf);
  CArcLeaf* pLeaf2 = new CArcLeaf;
  pLeaf2->m_name = _T("leaf2");
  pLeaf2->m_pShared = pLeaf;  // the same object referenced a second time
  pRoot->AddChild(pLeaf2);
  pRoot->m_pShared = pRoot;  // and an object referring to itself
  return pRoot;
}

std::vector<BYTE> StoredGraph() {
  CArcNode* pRoot = BuildGraph();
  auto bytes = Store([&](CArchive& ar) { ar << pRoot; });
  delete pRoot;
  return bytes;
}

TEST(CArchiveTest, ObjectGraphsKeepSharedObjectsAndClasses) {
  auto bytes = StoredGraph();
  Load(bytes, [](CArchive& ar) {
    CArcNode* pRoot = NULL;
    ar >> pRoot;
    ASSERT_NE(pRoot, nullptr);
    EXPECT_EQ(pRoot->GetRuntimeClass(), RUNTIME_CLASS(CArcNode));
    EXPECT_EQ(pRoot->m_name, _T("root \u00E9"));
    EXPECT_EQ(pRoot->m_pShared, pRoot);
    ASSERT_EQ(pRoot->m_children.GetSize(), 2);
    CArcNode* pA = static_cast<CArcNode*>(pRoot->m_children[0]);
    EXPECT_EQ(pA->m_pParent, pRoot);
    EXPECT_EQ(pA->m_value, 2);
    ASSERT_EQ(pA->m_children.GetSize(), 1);
    CArcLeaf* pLeaf = DYNAMIC_DOWNCAST(CArcLeaf, pA->m_children[0]);
    ASSERT_NE(pLeaf, nullptr);
    EXPECT_EQ(pLeaf->m_weight, 3.5);
    CArcLeaf* pLeaf2 = DYNAMIC_DOWNCAST(CArcLeaf, pRoot->m_children[1]);
    ASSERT_NE(pLeaf2, nullptr);
    EXPECT_EQ(pLeaf2->m_pShared, pLeaf);
    delete pRoot;
  });
  // The class name of CArcLeaf appears once although two leaves were stored.
  std::string text(bytes.begin(), bytes.end());
  EXPECT_EQ(text.find("CArcLeaf"), text.rfind("CArcLeaf"));
}

TEST(CArchiveTest, ObjectsAreCheckedAgainstTheRequestedClass) {
  auto bytes = Store([](CArchive& ar) {
    CArcVersioned v;
    ar << &v;
  });
  Load(bytes, [](CArchive& ar) {
    CArcNode* pNode = NULL;
    EXPECT_EQ(AFX_ARCHIVE_CAUSE(ar >> pNode), CArchiveException::badClass);
    EXPECT_EQ(pNode, nullptr);
  });
  // A null object reads back as null under any class.
  bytes = Store([](CArchive& ar) { ar << static_cast<CObject*>(NULL); });
  Load(bytes, [](CArchive& ar) {
    CArcNode* pNode = reinterpret_cast<CArcNode*>(1);
    ar >> pNode;
    EXPECT_EQ(pNode, nullptr);
  });
}

TEST(CArchiveTest, VersionableSchemasReachSerialize) {
  // A stream written by schema 1 of the class.
  auto bytes = Store([](CArchive& ar) {
    ar << (WORD)0xFFFF << (WORD)1 << (WORD)13;
    ar.Write("CArcVersioned", 13);
    ar << (LONG)41;
  });
  Load(bytes, [](CArchive& ar) {
    CArcVersioned* p = NULL;
    ar >> p;
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->m_loadedSchema, 1u);
    EXPECT_EQ(p->m_a, 41);
    EXPECT_EQ(p->m_b, -1);
    delete p;
  });
  auto current = Store([](CArchive& ar) {
    CArcVersioned v;
    v.m_a = 1;
    v.m_b = 2;
    ar << &v;
  });
  Load(current, [](CArchive& ar) {
    CArcVersioned* p = NULL;
    ar >> p;
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->m_loadedSchema, 2u);
    EXPECT_EQ(p->m_b, 2);
    delete p;
  });
  // A non-versionable class refuses other schemas.
  auto other = Store([](CArchive& ar) {
    ar << (WORD)0xFFFF << (WORD)7 << (WORD)8;
    ar.Write("CArcNode", 8);
  });
  Load(other, [](CArchive& ar) { EXPECT_EQ(AFX_ARCHIVE_CAUSE(ar.ReadObject(NULL)), CArchiveException::badSchema); });
}

TEST(CArchiveTest, ClassesOnTheirOwn) {
  auto bytes = Store([](CArchive& ar) {
    ar.WriteClass(RUNTIME_CLASS(CArcLeaf));
    ar.WriteClass(RUNTIME_CLASS(CArcLeaf));
    ar.SerializeClass(RUNTIME_CLASS(CArcNode));
  });
  ASSERT_GT(bytes.size(), 15u);
  EXPECT_EQ(bytes[14], 0x01);  // second time: class tag 0x8001
  EXPECT_EQ(bytes[15], 0x80);
  Load(bytes, [](CArchive& ar) {
    UINT nSchema = 0;
    EXPECT_EQ(ar.ReadClass(RUNTIME_CLASS(CArcNode), &nSchema), RUNTIME_CLASS(CArcLeaf));
    EXPECT_EQ(nSchema, 1u);
    EXPECT_EQ(ar.ReadClass(), RUNTIME_CLASS(CArcLeaf));
    ar.SerializeClass(RUNTIME_CLASS(CArcNode));
    EXPECT_EQ(ar.GetObjectSchema(), 1u);
    EXPECT_EQ(ar.GetObjectSchema(), (UINT)-1);
  });
}

TEST(CArchiveTest, MappedObjectsResolveLaterReferences) {
  CArcNode outside;
  auto bytes = Store([&](CArchive& ar) {
    ar.MapObject(&outside);
    ar << static_cast<CObject*>(&outside);
  });
  EXPECT_EQ(bytes, (std::vector<BYTE>{0x01, 0x00}));
  CArcNode target;
  Load(bytes, [&](CArchive& ar) {
    ar.MapObject(&target);
    CObject* p = NULL;
    ar >> p;
    EXPECT_EQ(p, &target);
  });
}

TEST(CArchiveTest, DamagedTagsAreRejected) {
  struct Case {
    std::vector<BYTE> bytes;
    int cause;
  };
  const std::vector<Case> cases = {
      {{0x05, 0x00}, CArchiveException::badIndex},                     // object index never defined
      {{0x01, 0x80}, CArchiveException::badIndex},                     // class index never defined
      {{0x00, 0x80}, CArchiveException::badIndex},                     // class index 0
      {{0xFF, 0x7F, 0x05, 0x00, 0x00, 0x80}, CArchiveException::badIndex},  // big class tag
      {{0xFF, 0xFF, 0x01, 0x00, 0x03, 0x00, 'X', 'y', 'z'}, CArchiveException::badClass},  // unknown
      {{0xFF, 0xFF, 0x01, 0x00, 0xC8, 0x00, 'X'}, CArchiveException::badClass},  // name too long
      {{0xFF, 0xFF, 0xFF, 0xFF, 0x0D, 0x00, 'C', 'A', 'r', 'c', 'N', 'o', 't', 'S', 'e', 'r', 'i', 'a',
        'l'},
       CArchiveException::badClass},  // a class with no stored form
      {{0xFF, 0xFF, 0x00, 0x00, 0x07, 0x00, 'C', 'O', 'b', 'j', 'e', 'c', 't'}, CArchiveException::badClass},
      {{0xFF}, CArchiveException::endOfFile},
  };
  for (const Case& c : cases) {
    Load(c.bytes, [&](CArchive& ar) { EXPECT_EQ(AFX_ARCHIVE_CAUSE(ar.ReadObject(NULL)), c.cause); });
  }
  // A class tag that points at an object, and an object tag that points at a class.
  auto bytes = Store([](CArchive& ar) {
    CArcVersioned v;
    ar << &v;
  });
  std::vector<BYTE> classAtObject = bytes;
  classAtObject.push_back(0x02);
  classAtObject.push_back(0x80);
  Load(classAtObject, [](CArchive& ar) {
    CObject* p = ar.ReadObject(NULL);
    EXPECT_EQ(AFX_ARCHIVE_CAUSE(ar.ReadObject(NULL)), CArchiveException::badIndex);
    delete p;
  });
  std::vector<BYTE> objectAtClass = bytes;
  objectAtClass.push_back(0x01);
  objectAtClass.push_back(0x00);
  Load(objectAtClass, [](CArchive& ar) {
    CObject* p = ar.ReadObject(NULL);
    EXPECT_EQ(AFX_ARCHIVE_CAUSE(ar.ReadObject(NULL)), CArchiveException::badIndex);
    delete p;
  });
}

TEST(CArchiveTest, HugeClaimedLengthsFailWithoutHugeAllocations) {
  // A string claiming 0x3FFFFFFE characters, a count claiming four billion elements.
  Load({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x3F, 'a', 0}, [](CArchive& ar) {
    CString s;
    int cause = AFX_ARCHIVE_CAUSE(ar >> s);
    EXPECT_TRUE(cause == CArchiveException::endOfFile || cause == CArchiveException::badIndex);
  });
  Load({0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x01, 0x00}, [](CArchive& ar) {
    CDWordArray a;
    EXPECT_EQ(AFX_ARCHIVE_CAUSE(a.Serialize(ar)), CArchiveException::endOfFile);
  });
  Load({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, [](CArchive& ar) {
    CString s;
    EXPECT_EQ(AFX_ARCHIVE_CAUSE(ar >> s), CArchiveException::badIndex);
  });
}

TEST(CArchiveTest, EveryTruncationOfAStoredGraphThrows) {
  auto bytes = StoredGraph();
  ASSERT_GT(bytes.size(), 40u);
  for (size_t n = 0; n < bytes.size(); ++n) {
    std::vector<BYTE> prefix(bytes.begin(), bytes.begin() + (std::ptrdiff_t)n);
    for (int nBufSize : {16, 4096}) {
      Load(prefix, [&](CArchive& ar) {
        CArcNode* pRoot = NULL;
        EXPECT_EQ(AFX_ARCHIVE_CAUSE(ar >> pRoot), CArchiveException::endOfFile) << "prefix " << n;
        EXPECT_EQ(pRoot, nullptr);
      }, nBufSize);
    }
  }
}

TEST(CArchiveTest, EveryFlippedByteFailsCleanlyOrLoads) {
  auto bytes = StoredGraph();
  for (size_t i = 0; i < bytes.size(); ++i) {
    for (BYTE flip : {0x01, 0x80, 0xFF}) {
      std::vector<BYTE> damaged = bytes;
      damaged[i] ^= flip;
      Load(damaged, [&](CArchive& ar) {
        try {
          CObject* p = ar.ReadObject(NULL);
          delete p;
        } catch (CException* e) {
          EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CArchiveException)) || e->IsKindOf(RUNTIME_CLASS(CMemoryException)))
              << "byte " << i;
          e->Delete();
        }
      });
    }
  }
}

TEST(CArchiveTest, CollectionsSerialiseTheirElements) {
  CStringArray strings;
  strings.Add(_T("one"));
  strings.Add(_T("\u4E8C"));
  CDWordArray colours;
  colours.Add(0x00FF00);
  colours.Add(0x0000FF);
  CStringList list;
  list.AddTail(_T("x"));
  list.AddTail(_T("y"));
  CMapStringToString map;
  map[_T("k1")] = _T("v1");
  map[_T("k2")] = _T("v2");
  CObList obs;
  CArcVersioned* pV = new CArcVersioned;
  pV->m_a = 9;
  obs.AddTail(pV);
  obs.AddTail(pV);
  CMapWordToOb wordToOb;
  wordToOb[5] = pV;
  auto bytes = Store([&](CArchive& ar) {
    strings.Serialize(ar);
    colours.Serialize(ar);
    list.Serialize(ar);
    map.Serialize(ar);
    obs.Serialize(ar);
    wordToOb.Serialize(ar);
  });
  delete pV;
  // A CDWordArray is the count and the raw little-endian values.
  Load(bytes, [](CArchive& ar) {
    CStringArray s2;
    CDWordArray c2;
    CStringList l2;
    CMapStringToString m2;
    CObList o2;
    CMapWordToOb w2;
    s2.Serialize(ar);
    c2.Serialize(ar);
    l2.Serialize(ar);
    m2.Serialize(ar);
    o2.Serialize(ar);
    w2.Serialize(ar);
    ASSERT_EQ(s2.GetSize(), 2);
    EXPECT_EQ(s2[1], _T("\u4E8C"));
    ASSERT_EQ(c2.GetSize(), 2);
    EXPECT_EQ(c2[0], 0x00FF00u);
    EXPECT_EQ(l2.GetTail(), _T("y"));
    CString v;
    EXPECT_TRUE(m2.Lookup(_T("k2"), v));
    EXPECT_EQ(v, _T("v2"));
    ASSERT_EQ(o2.GetCount(), 2);
    EXPECT_EQ(o2.GetHead(), o2.GetTail());
    CObject* pOb = NULL;
    EXPECT_TRUE(w2.Lookup(5, pOb));
    EXPECT_EQ(pOb, o2.GetHead());
    delete o2.GetHead();
  });
  CPtrArray ptrs;
  ptrs.Add(&ptrs);
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  EXPECT_AFX_THROW(ptrs.Serialize(ar), CNotSupportedException*);
  ar.Abort();
}

TEST(CArchiveTest, ClosingALoadingArchiveGivesBackWhatItDidNotUse) {
  // The archive reads ahead; closing it leaves the file right after the last value taken.
  CMemFile file;
  for (BYTE b = 0; b < 100; ++b) file.Write(&b, 1);
  file.SeekToBegin();
  {
    CArchive ar(&file, CArchive::load, 64);
    WORD w;
    ar >> w;
    EXPECT_EQ(w, 0x0100);
    ar.Close();
  }
  EXPECT_EQ(file.GetPosition(), 2u);
  BYTE next = 0;
  file.Read(&next, 1);
  EXPECT_EQ(next, 2);
}

TEST(CArchiveTest, AFailedWriteReachesClose) {
  // Writing into a fixed-size memory file fails when the archive flushes, and Close reports it.
  BYTE small[8];
  CMemFile fixed(small, sizeof small);
  CArchive ar(&fixed, CArchive::store);
  for (int i = 0; i < 5; ++i) ar << (DWORD)i;
  EXPECT_AFX_THROW(ar.Close(), CMemoryException*);
}

}  // namespace
