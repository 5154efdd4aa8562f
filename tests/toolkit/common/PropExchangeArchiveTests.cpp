#include "toolkit/common/PropExchangeArchive.h"

#include "ArchiveFixture.h"

#include "classlib/core/COleDateTime.h"
#ifdef _WIN32
#include "classlib/win/COleDispatchDriver.h"
#endif

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

struct Rect4
{
  int left, top, right, bottom;
};

struct Size2
{
  int cx, cy;
};

// Every archived type once, in one order.
struct AllValues
{
  short i2 = 0;
  int i4 = 0;
  float r4 = 0;
  double r8 = 0;
  long long cy = 0;
  BOOL b = FALSE;
  BYTE ui1 = 0;
  CString str;
  Rect4 rc = {};
  Size2 sz = {};

  void Exchange(CTKPPropExchange* px, const AllValues* defaults = nullptr)
  {
    const AllValues d = defaults ? *defaults : AllValues();
    px->ExchangeProp(_T("I2"), TKPVT_I2, &i2, &d.i2);
    px->ExchangeProp(_T("I4"), TKPVT_I4, &i4, &d.i4);
    px->ExchangeProp(_T("R4"), TKPVT_R4, &r4, &d.r4);
    px->ExchangeProp(_T("R8"), TKPVT_R8, &r8, &d.r8);
    px->ExchangeProp(_T("CY"), TKPVT_CY, &cy, &d.cy);
    px->ExchangeProp(_T("Bool"), TKPVT_BOOL, &b, &d.b);
    px->ExchangeProp(_T("UI1"), TKPVT_UI1, &ui1, &d.ui1);
    px->ExchangeProp(_T("Str"), TKPVT_STRING, &str, (LPCTSTR)d.str);
    px->ExchangeProp(_T("Rect"), TKPVT_RECT, &rc, &d.rc);
    px->ExchangeProp(_T("Size"), TKPVT_SIZE, &sz, &d.sz);
  }
};

AllValues Sample()
{
  AllValues v;
  v.i2 = -2;
  v.i4 = -123456789;
  v.r4 = 1.5f;
  v.r8 = -2.25;
  v.cy = 0x0123456789ABCDEFll;
  v.b = TRUE;
  v.ui1 = 0xAB;
  v.str = _T("Standard \x00e9");
  v.rc = {1, -2, 300, 400};
  v.sz = {16, 15};
  return v;
}

void ExpectEqual(const AllValues& a, const AllValues& b)
{
  EXPECT_EQ(a.i2, b.i2);
  EXPECT_EQ(a.i4, b.i4);
  EXPECT_EQ(a.r4, b.r4);
  EXPECT_EQ(a.r8, b.r8);
  EXPECT_EQ(a.cy, b.cy);
  EXPECT_EQ(a.b, b.b);
  EXPECT_EQ(a.ui1, b.ui1);
  EXPECT_TRUE(a.str == b.str);
  EXPECT_EQ(0, std::memcmp(&a.rc, &b.rc, sizeof(a.rc)));
  EXPECT_EQ(0, std::memcmp(&a.sz, &b.sz, sizeof(a.sz)));
}

// The cause of the archive exception that fn raises; -1 when it raises none.
int ArchiveCause(const std::function<void()>& fn)
{
  try {
    fn();
  } catch (CArchiveException* e) {
    const int cause = e->m_cause;
    e->Delete();
    return cause;
  }
  return -1;
}

std::vector<BYTE> StoreAll(const AllValues& v)
{
  StoredBytes out;
  {
    CTKPPropExchangeArchive px(out.Archive());
    AllValues copy = v;
    copy.Exchange(&px);
  }
  return out.Finish();
}

}  // namespace

TEST(PropExchangeArchive, EveryTypeRoundTripsLittleEndianWithoutNames)
{
  const std::vector<BYTE> bytes = StoreAll(Sample());
  WriteFuzzSeed(bytes, "every_type");
  // Fixed-size values take their own size; the string has the archive's string form.
  ASSERT_GE(bytes.size(), 2u + 4 + 4 + 8 + 8 + 4 + 1 + 16 + 8);
  EXPECT_EQ(0xFE, bytes[0]);  // -2 as a 16-bit value
  EXPECT_EQ(0xFF, bytes[1]);
  EXPECT_EQ(0xEB, bytes[2]);  // -123456789 = 0xF8A432EB
  EXPECT_EQ(0xF8, bytes[5]);

  LoadedBytes in(bytes);
  CTKPPropExchangeArchive px(in.Archive());
  EXPECT_TRUE(px.IsLoading());
  EXPECT_FALSE(px.CanOmitDefaults());
  EXPECT_TRUE(px.CanStoreBinary());
  AllValues loaded;
  loaded.Exchange(&px);
  ExpectEqual(Sample(), loaded);
}

TEST(PropExchangeArchive, DatesThroughTheirArchiveFormAndUnknownTypesNotAtAll)
{
  StoredBytes out;
  {
    CTKPPropExchangeArchive px(out.Archive());
    BYTE other[16] = {1, 2, 3};
    EXPECT_TRUE(px.ExchangeProp(_T("Other"), 999, other));
    COleDateTime date(2026, 12, 6, 22, 0, 0);
    EXPECT_TRUE(px.ExchangeProp(_T("Date"), TKPVT_DATE, &date));
  }
  std::vector<BYTE> bytes = out.Finish();
  ASSERT_FALSE(bytes.empty());
  {
    LoadedBytes in(bytes);
    CTKPPropExchangeArchive px(in.Archive());
    COleDateTime date;
    EXPECT_TRUE(px.ExchangeProp(_T("Date"), TKPVT_DATE, &date));
    EXPECT_TRUE(date == COleDateTime(2026, 12, 6, 22, 0, 0));
  }
}

TEST(PropExchangeArchive, ACutStreamRaisesForEveryKindOfValue)
{
  // Cut inside each value of the stream in turn: the values before the cut load as stored, the cut
  // one raises the end of the file and nothing takes its default.
  const std::vector<BYTE> whole = StoreAll(Sample());
  AllValues defaults;
  defaults.i4 = 77;
  defaults.str = _T("fallback");
  defaults.sz = {3, 4};
  for (size_t cut : {size_t(0), size_t(1), size_t(6), size_t(8), whole.size() - 20, whole.size() - 1}) {
    SCOPED_TRACE(cut);
    LoadedBytes in(std::vector<BYTE>(whole.begin(), whole.begin() + cut));
    CTKPPropExchangeArchive px(in.Archive());
    AllValues loaded;
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { loaded.Exchange(&px, &defaults); }));
    EXPECT_NE(77, loaded.i4);
    EXPECT_FALSE(loaded.str == _T("fallback"));
    EXPECT_NE(3, loaded.sz.cx);
    if (cut >= 6) {
      EXPECT_EQ(-123456789, loaded.i4);
    }
  }

  // Counts, classes, block counts, dates and the schema past the end.
  StoredBytes out;
  {
    CTKPPropExchangeArchive px(out.Archive());
    COleDateTime date(2026, 12, 6, 22, 0, 0);
    EXPECT_TRUE(px.ExchangeProp(_T("Date"), TKPVT_DATE, &date));
  }
  std::vector<BYTE> date = out.Finish();
  date.resize(date.size() - 1);
  const std::vector<std::function<void(CTKPPropExchange*)>> reads = {
    [](CTKPPropExchange* px) { px->ReadCount(); },
    [](CTKPPropExchange* px) {
      CRuntimeClass* pClass = nullptr;
      PropExchangeClass(px, _T("Class"), pClass, nullptr);
    },
    [](CTKPPropExchange* px) {
      BYTE* p = nullptr;
      DWORD cb = 0;
      PropExchangeBinary(px, _T("Blob"), p, cb);
    },
    [](CTKPPropExchange* px) { px->ExchangeSchema(); },
    [](CTKPPropExchange* px) {
      int value = 42;
      PropExchangeIntNoDefault(px, _T("X"), value);
    },
  };
  for (size_t i = 0; i < reads.size(); ++i) {
    SCOPED_TRACE(i);
    LoadedBytes in({0x01});
    CTKPPropExchangeArchive px(in.Archive());
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { reads[i](&px); }));
  }
  LoadedBytes cutDate(date);
  CTKPPropExchangeArchive px(cutDate.Archive());
  COleDateTime loaded, fallback(2000, 1, 1, 0, 0, 0);
  EXPECT_EQ(CArchiveException::endOfFile,
            ArchiveCause([&] { px.ExchangeProp(_T("Date"), TKPVT_DATE, &loaded, &fallback); }));
  EXPECT_FALSE(loaded == fallback);
}

TEST(PropExchangeArchive, BinaryBlocksAndTheirCounts)
{
  std::vector<BYTE> block(300);
  for (size_t i = 0; i < block.size(); ++i)
    block[i] = static_cast<BYTE>(i * 7);
  StoredBytes out;
  {
    CTKPPropExchangeArchive px(out.Archive());
    BYTE* p = block.data();
    DWORD cb = static_cast<DWORD>(block.size());
    EXPECT_TRUE(PropExchangeBinary(&px, _T("A"), p, cb));
    EXPECT_TRUE(PropExchangeBinary(&px, _T("B"), p, cb));
    int after = 0x5A5A;
    PropExchangeInt(&px, _T("After"), after, 0);
    DWORD empty = 0;
    EXPECT_TRUE(PropExchangeBinary(&px, _T("Empty"), p, empty));
  }
  const std::vector<BYTE> bytes = out.Finish();
  EXPECT_EQ(300, bytes[0] | bytes[1] << 8);  // a 16-bit count before the bytes

  LoadedBytes in(bytes);
  CTKPPropExchangeArchive px(in.Archive());
  BYTE* allocated = nullptr;
  DWORD cbAllocated = 0;
  ASSERT_TRUE(PropExchangeBinary(&px, _T("A"), allocated, cbAllocated));
  ASSERT_EQ(300u, cbAllocated);
  EXPECT_EQ(0, std::memcmp(allocated, block.data(), 300));
  std::free(allocated);

  // A buffer too small for the stored block fails, and the stream stays in step.
  BYTE small[10];
  BYTE* pSmall = small;
  DWORD cbSmall = sizeof(small);
  EXPECT_FALSE(PropExchangeBinary(&px, _T("B"), pSmall, cbSmall));
  int after = 0;
  EXPECT_TRUE(PropExchangeInt(&px, _T("After"), after, 0));
  EXPECT_EQ(0x5A5A, after);

  BYTE* none = nullptr;
  DWORD cbNone = 99;
  EXPECT_TRUE(PropExchangeBinary(&px, _T("Empty"), none, cbNone));
  EXPECT_EQ(0u, cbNone);
  std::free(none);
}

TEST(PropExchangeArchive, DamagedBlockCountIsRefused)
{
  // A count of 0xFFFF then 0x7FFFFFF0: far more than the stream holds.
  LoadedBytes in({0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F, 1, 2, 3});
  CTKPPropExchangeArchive px(in.Archive());
  BYTE* p = nullptr;
  DWORD cb = 0;
  EXPECT_FALSE(PropExchangeBinary(&px, _T("A"), p, cb));
  EXPECT_EQ(nullptr, p);
  // Nothing after it can be read in step: the next value finds the end of the stream.
  int next = 5;
  EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { PropExchangeInt(&px, _T("Next"), next, 9); }));
  EXPECT_EQ(5, next);
}

TEST(PropExchangeArchive, CountsAtTheirFormBoundaries)
{
  const DWORD counts[] = {0, 1, 4000, 0xFFFE, 0xFFFF, 0x10000};
  StoredBytes out;
  {
    CTKPPropExchangeArchive px(out.Archive());
    for (DWORD c : counts)
      px.WriteCount(c);
  }
  const std::vector<BYTE> bytes = out.Finish();
  // 16 bits below 0xFFFF, else 0xFFFF and 32 bits.
  EXPECT_EQ(2u + 2 + 2 + 2 + 6 + 6, bytes.size());

  // Read back, a count is cut to what the stream could hold at all: its length plus a buffer of
  // empty entries.
  const DWORD limit = static_cast<DWORD>(bytes.size()) + 4096;
  LoadedBytes in(bytes);
  CTKPPropExchangeArchive px(in.Archive());
  EXPECT_EQ(0u, px.ReadCount());
  EXPECT_EQ(1u, px.ReadCount());
  EXPECT_EQ(4000u, px.ReadCount());
  EXPECT_EQ(limit, px.ReadCount());
  EXPECT_EQ(limit, px.ReadCount());
  EXPECT_EQ(limit, px.ReadCount());
  EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { px.ReadCount(); }));  // past the end
}

TEST(PropExchangeArchive, SectionsAreTheStreamContinued)
{
  StoredBytes out;
  {
    CTKPPropExchangeArchive px(out.Archive());
    px.m_nSchema = 9;
    std::unique_ptr<CTKPPropSectionEnumerator> e(px.GetEnumerator(_T("Bar")));
    DWORD count = 3;
    DWORD_PTR pos = e->BeginEnum(count);
    int n = 0;
    while (pos) {
      std::unique_ptr<CTKPPropExchange> section(e->NextSection(pos));
      EXPECT_TRUE(section->m_bChildSection);
      EXPECT_EQ(9u, section->m_nSchema);
      int value = 100 + n++;
      PropExchangeInt(section.get(), _T("Value"), value, 0);
    }
    EXPECT_EQ(3, n);
  }
  const std::vector<BYTE> bytes = out.Finish();
  EXPECT_EQ(4u + 3 * 4, bytes.size());
  WriteFuzzSeed(bytes, "sections");

  LoadedBytes in(bytes);
  CTKPPropExchangeArchive px(in.Archive());
  std::unique_ptr<CTKPPropSectionEnumerator> e(px.GetEnumerator(_T("Bar")));
  DWORD count = 0;
  DWORD_PTR pos = e->BeginEnum(count);
  EXPECT_EQ(3u, count);
  int expected = 100;
  while (pos) {
    std::unique_ptr<CTKPPropExchange> section(e->NextSection(pos));
    int value = 0;
    EXPECT_TRUE(PropExchangeInt(section.get(), _T("Value"), value, 0));
    EXPECT_EQ(expected++, value);
  }
}

TEST(PropExchangeArchive, DamagedSectionCountDoesNotRunAway)
{
  LoadedBytes in({0xFF, 0xFF, 0xFF, 0x7F});  // "Count" = 0x7FFFFFFF in a 4-byte stream
  CTKPPropExchangeArchive px(in.Archive());
  std::unique_ptr<CTKPPropSectionEnumerator> e(px.GetEnumerator(_T("Item")));
  DWORD count = 0;
  DWORD_PTR pos = e->BeginEnum(count);
  EXPECT_LE(count, 4096u + 4);
  DWORD seen = 0;
  while (pos && seen < 100000) {
    std::unique_ptr<CTKPPropExchange> section(e->NextSection(pos));
    ++seen;
  }
  EXPECT_EQ(count, seen);
}

namespace {

class CTestShape : public CObject
{
  DECLARE_SERIAL(CTestShape)
public:
  int m_nSides = 0;
  void Serialize(CArchive& ar) override
  {
    if (ar.IsStoring())
      ar << static_cast<LONG>(m_nSides);
    else {
      LONG n = 0;
      ar >> n;
      m_nSides = n;
    }
  }
};
IMPLEMENT_SERIAL(CTestShape, CObject, 1)

class CTestSquare : public CTestShape
{
  DECLARE_SERIAL(CTestSquare)
};
IMPLEMENT_SERIAL(CTestSquare, CTestShape, 1)

class CTestOther : public CObject
{
  DECLARE_SERIAL(CTestOther)
};
IMPLEMENT_SERIAL(CTestOther, CObject, 1)

}  // namespace

TEST(PropExchangeArchive, RuntimeClassesCreateObjectsOfTheExpectedKind)
{
  StoredBytes out;
  {
    CTKPPropExchangeArchive px(out.Archive());
    CTestSquare square;
    CObject* p = &square;
    EXPECT_TRUE(px.ExchangeRuntimeClass(&p, RUNTIME_CLASS(CTestShape)));
    CTestOther other;
    p = &other;
    EXPECT_TRUE(px.ExchangeRuntimeClass(&p, RUNTIME_CLASS(CObject)));
  }
  const std::vector<BYTE> bytes = out.Finish();

  LoadedBytes in(bytes);
  CTKPPropExchangeArchive px(in.Archive());
  CObject* p = nullptr;
  ASSERT_TRUE(px.ExchangeRuntimeClass(&p, RUNTIME_CLASS(CTestShape)));
  EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(CTestSquare)));
  delete p;
  p = nullptr;
  // The second class does not derive from the shape: the archive refuses it.
  EXPECT_EQ(CArchiveException::badClass, ArchiveCause([&] { px.ExchangeRuntimeClass(&p, RUNTIME_CLASS(CTestShape)); }));
  EXPECT_EQ(nullptr, p);
}

TEST(PropExchangeArchive, SerializedObjectsAreInline)
{
  StoredBytes out;
  {
    CTKPPropExchangeArchive px(out.Archive());
    CTestShape shape;
    shape.m_nSides = 6;
    EXPECT_TRUE(PropExchangeSerialize(&px, _T("Shape"), &shape));
    int tail = 1234;
    PropExchangeInt(&px, _T("Tail"), tail, 0);
  }
  const std::vector<BYTE> bytes = out.Finish();
  EXPECT_EQ(8u, bytes.size());

  LoadedBytes in(bytes);
  CTKPPropExchangeArchive px(in.Archive());
  CTestShape shape;
  EXPECT_TRUE(PropExchangeSerialize(&px, _T("Shape"), &shape));
  EXPECT_EQ(6, shape.m_nSides);
  int tail = 0;
  PropExchangeInt(&px, _T("Tail"), tail, 0);
  EXPECT_EQ(1234, tail);

  // Cut inside the object: the archive's end-of-file is caught and reported as FALSE.
  LoadedBytes cut({6, 0});
  CTKPPropExchangeArchive pxCut(cut.Archive());
  EXPECT_FALSE(PropExchangeSerialize(&pxCut, _T("Shape"), &shape));
}

#ifdef _WIN32
namespace {

// An object whose serialisation fails in an OLE call, as a variant or picture member may.
class CTestOleFailure : public CObject
{
public:
  void Serialize(CArchive&) override { AfxThrowOleException(E_OUTOFMEMORY); }
};

}  // namespace

TEST(PropExchangeArchive, AnOleFailureInsideASerializedObjectIsAFalseResult)
{
  StoredBytes out;
  CTKPPropExchangeArchive px(out.Archive());
  CTestOleFailure failing;
  BOOL bResult = TRUE;
  EXPECT_NO_THROW(bResult = PropExchangeSerialize(&px, _T("Failing"), &failing));
  EXPECT_FALSE(bResult);
  // The exchange goes on after it.
  int tail = 77;
  EXPECT_TRUE(PropExchangeInt(&px, _T("Tail"), tail, 0));
}
#endif

TEST(PropExchangeArchive, SchemaExchange)
{
  StoredBytes out;
  {
    CTKPPropExchangeArchive px(out.Archive());
    px.m_nSchema = 12;
    EXPECT_TRUE(px.ExchangeSchema());
  }
  LoadedBytes in(out.Finish());
  CTKPPropExchangeArchive px(in.Archive());
  EXPECT_EQ(16u, px.m_nSchema);
  EXPECT_TRUE(px.ExchangeSchema());
  EXPECT_EQ(12u, px.m_nSchema);
}

#ifdef _WIN32
#include "classlib/win/COleVariant.h"

#include <cwchar>

TEST(PropExchangeArchive, VariantsAndOleStringsRoundTripAndCompareAndCopy)
{
  COleVariant number(-42L), text(_T("Recovered \x00e9")), real(2.5), empty;
  BSTR bstr = ::SysAllocString(L"Name");
  StoredBytes out;
  {
    CTKPPropExchangeArchive px(out.Archive());
    EXPECT_TRUE(px.ExchangeProp(_T("Number"), TKPVT_VARIANT, &number));
    EXPECT_TRUE(px.ExchangeProp(_T("Text"), TKPVT_VARIANT, &text));
    EXPECT_TRUE(px.ExchangeProp(_T("Real"), TKPVT_VARIANT, &real));
    EXPECT_TRUE(px.ExchangeProp(_T("Empty"), TKPVT_VARIANT, &empty));
    EXPECT_TRUE(px.ExchangeProp(_T("Bstr"), TKPVT_BSTR, &bstr));
    // A variant with no archive form raises and writes nothing.
    COleVariant array;
    array.vt = VT_ARRAY | VT_I4;
    array.parray = ::SafeArrayCreateVector(VT_I4, 0, 2);
    EXPECT_EQ(CArchiveException::badIndex, ArchiveCause([&] { px.ExchangeProp(_T("Array"), TKPVT_VARIANT, &array); }));
    int after = 77;
    EXPECT_TRUE(px.ExchangeProp(_T("After"), TKPVT_I4, &after));
  }
  std::vector<BYTE> bytes = out.Finish();
  {
    LoadedBytes in(bytes);
    CTKPPropExchangeArchive px(in.Archive());
    COleVariant loaded[4];
    BSTR loadedBstr = NULL;
    int after = 0;
    for (COleVariant& var : loaded)
      EXPECT_TRUE(px.ExchangeProp(_T("V"), TKPVT_VARIANT, &var));
    EXPECT_TRUE(px.ExchangeProp(_T("Bstr"), TKPVT_BSTR, &loadedBstr));
    EXPECT_TRUE(px.ExchangeProp(_T("After"), TKPVT_I4, &after));
    EXPECT_EQ(77, after);
    EXPECT_TRUE(TKPIsSamePropValue(TKPVT_VARIANT, &loaded[0], &number));
    EXPECT_TRUE(TKPIsSamePropValue(TKPVT_VARIANT, &loaded[1], &text));
    EXPECT_TRUE(TKPIsSamePropValue(TKPVT_VARIANT, &loaded[2], &real));
    EXPECT_EQ(VT_EMPTY, loaded[3].vt);
    EXPECT_TRUE(TKPIsSamePropValue(TKPVT_BSTR, &loadedBstr, &bstr));
    EXPECT_FALSE(TKPIsSamePropValue(TKPVT_VARIANT, &loaded[0], &text));
    EXPECT_FALSE(TKPIsSamePropValue(TKPVT_VARIANT, &loaded[0], &real));
    ::SysFreeString(loadedBstr);
  }

  // Copies are values of their own.
  COleVariant copy;
  EXPECT_TRUE(TKPCopyPropValue(TKPVT_VARIANT, &copy, &text));
  EXPECT_TRUE(TKPIsSamePropValue(TKPVT_VARIANT, &copy, &text));
  EXPECT_NE(copy.bstrVal, text.bstrVal);
  BSTR copied = NULL;
  EXPECT_TRUE(TKPCopyPropValue(TKPVT_BSTR, &copied, &bstr));
  EXPECT_NE(copied, bstr);
  EXPECT_EQ(0, std::wcscmp(copied, L"Name"));
  ::SysFreeString(copied);

  // A stream cut inside a variant or an OLE string raises; nothing takes the default.
  bytes.resize(3);
  LoadedBytes cut(bytes);
  CTKPPropExchangeArchive px(cut.Archive());
  COleVariant var, fallback(5L);
  EXPECT_EQ(CArchiveException::endOfFile,
            ArchiveCause([&] { px.ExchangeProp(_T("Number"), TKPVT_VARIANT, &var, &fallback); }));
  EXPECT_FALSE(TKPIsSamePropValue(TKPVT_VARIANT, &var, &fallback));
  BSTR cutBstr = NULL, bstrFallback = ::SysAllocString(L"Fallback");
  EXPECT_EQ(CArchiveException::endOfFile,
            ArchiveCause([&] { px.ExchangeProp(_T("Bstr"), TKPVT_BSTR, &cutBstr, &bstrFallback); }));
  EXPECT_EQ(nullptr, cutBstr);
  ::SysFreeString(bstrFallback);
  ::SysFreeString(bstr);
}
#endif
