#include "toolkit/base/PropExchangeGeometry.h"
#include "toolkit/base/PropExchangeRegistry.h"

#include "classlib/win/COleVariant.h"

#include "TestRegistryKey.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

class RegistryExchange : public ::testing::Test
{
protected:
  RegistryExchange() : key(L"Exchange") {}

  std::unique_ptr<CTKPPropExchangeRegistry> Store() { return std::make_unique<CTKPPropExchangeRegistry>(FALSE, key.Key(), L"Section"); }
  std::unique_ptr<CTKPPropExchangeRegistry> Load() { return std::make_unique<CTKPPropExchangeRegistry>(TRUE, key.Key(), L"Section"); }

  TestRegistryKey key;
};

}  // namespace

TEST_F(RegistryExchange, EachTypeHasItsStoredForm)
{
  {
    auto px = Store();
    short i2 = -2;
    int i4 = -5;
    BOOL b = TRUE;
    BYTE ui1 = 0xF0;
    float r4 = 1.5f;
    double r8 = -0.25;
    CString text = _T("Standard");
    CSize size(16, 15);
    CRect rect(1, -2, 300, 400);
    EXPECT_TRUE(px->ExchangeProp(L"I2", TKPVT_I2, &i2));
    EXPECT_TRUE(px->ExchangeProp(L"I4", TKPVT_I4, &i4));
    EXPECT_TRUE(px->ExchangeProp(L"Bool", TKPVT_BOOL, &b));
    EXPECT_TRUE(px->ExchangeProp(L"UI1", TKPVT_UI1, &ui1));
    EXPECT_TRUE(px->ExchangeProp(L"R4", TKPVT_R4, &r4));
    EXPECT_TRUE(px->ExchangeProp(L"R8", TKPVT_R8, &r8));
    EXPECT_TRUE(PropExchangeStringNoDefault(px.get(), L"Text", text));
    EXPECT_TRUE(PropExchangeSize(px.get(), L"Size", size, CSize(0, 0)));
    EXPECT_TRUE(PropExchangeRect(px.get(), L"Rect", rect, CRect()));
    BYTE date[16] = {};
    EXPECT_FALSE(px->ExchangeProp(L"Date", TKPVT_DATE, date));
    EXPECT_FALSE(px->ExchangeProp(L"Cy", TKPVT_CY, date));
  }
  EXPECT_EQ(0x0000FFFEu, key.Dword(L"Section", L"I2"));  // widened without sign
  EXPECT_EQ(0xFFFFFFFBu, key.Dword(L"Section", L"I4"));
  EXPECT_EQ(1u, key.Dword(L"Section", L"Bool"));
  EXPECT_EQ(0xF0u, key.Dword(L"Section", L"UI1"));
  std::vector<BYTE> bytes;
  EXPECT_EQ(static_cast<DWORD>(REG_BINARY), key.Raw(L"Section", L"R4", &bytes));
  EXPECT_EQ(4u, bytes.size());
  EXPECT_EQ(static_cast<DWORD>(REG_BINARY), key.Raw(L"Section", L"R8", &bytes));
  EXPECT_EQ(8u, bytes.size());
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), key.Raw(L"Section", L"Text", &bytes));
  EXPECT_EQ(2u * 8 + 2, bytes.size());
  EXPECT_EQ(L"Standard", key.Text(L"Section", L"Text"));
  EXPECT_EQ(L"16, 15", key.Text(L"Section", L"Size"));
  EXPECT_EQ(L"1, -2, 300, 400", key.Text(L"Section", L"Rect"));
  EXPECT_EQ(0u, key.Raw(L"Section", L"Date"));

  auto px = Load();
  short i2 = 0;
  int i4 = 0;
  BYTE ui1 = 0;
  float r4 = 0;
  double r8 = 0;
  CString text;
  CSize size;
  CRect rect;
  EXPECT_TRUE(px->ExchangeProp(L"I2", TKPVT_I2, &i2));
  EXPECT_TRUE(px->ExchangeProp(L"I4", TKPVT_I4, &i4));
  EXPECT_TRUE(px->ExchangeProp(L"UI1", TKPVT_UI1, &ui1));
  EXPECT_TRUE(px->ExchangeProp(L"R4", TKPVT_R4, &r4));
  EXPECT_TRUE(px->ExchangeProp(L"R8", TKPVT_R8, &r8));
  EXPECT_TRUE(PropExchangeStringNoDefault(px.get(), L"Text", text));
  EXPECT_TRUE(PropExchangeSize(px.get(), L"Size", size, CSize(0, 0)));
  EXPECT_TRUE(PropExchangeRect(px.get(), L"Rect", rect, CRect()));
  EXPECT_EQ(-2, i2);
  EXPECT_EQ(-5, i4);
  EXPECT_EQ(0xF0, ui1);
  EXPECT_EQ(1.5f, r4);
  EXPECT_EQ(-0.25, r8);
  EXPECT_STREQ(L"Standard", text);
  EXPECT_EQ(CSize(16, 15), size);
  EXPECT_EQ(CRect(1, -2, 300, 400), rect);
}

TEST_F(RegistryExchange, VariantsAndOleStringsHaveNoRegistryForm)
{
  COleVariant number(-42L), text(_T("Recovered"));
  BSTR bstr = ::SysAllocString(L"Name");
  key.Set(L"Section", L"Same", REG_DWORD, "\x07\0\0\0", 4);
  {
    auto px = Store();
    px->m_bUseDefaultOnSave = FALSE;
    EXPECT_FALSE(px->ExchangeProp(L"Number", TKPVT_VARIANT, &number));
    EXPECT_FALSE(px->ExchangeProp(L"Text", TKPVT_VARIANT, &text));
    EXPECT_FALSE(px->ExchangeProp(L"Bstr", TKPVT_BSTR, &bstr));
    // A value equal to its default is still left out, and what was stored under its name goes.
    auto omitting = Store();
    COleVariant same(-42L);
    EXPECT_TRUE(omitting->ExchangeProp(L"Same", TKPVT_VARIANT, &same, &number));
  }
  EXPECT_EQ(0u, key.Raw(L"Section", L"Number"));
  EXPECT_EQ(0u, key.Raw(L"Section", L"Text"));
  EXPECT_EQ(0u, key.Raw(L"Section", L"Bstr"));
  EXPECT_EQ(0u, key.Raw(L"Section", L"Same"));

  // Values of those names in the registry are not read, and no default takes their place.
  key.Set(L"Section", L"Bstr", REG_SZ, L"Stored", sizeof(L"Stored"));
  key.Set(L"Section", L"Number", REG_BINARY, "\x03\0\x05\0\0\0", 6);
  auto px = Load();
  COleVariant loadedNumber(7L), fallback(3L);
  BSTR loadedBstr = ::SysAllocString(L"Kept");
  EXPECT_FALSE(px->ExchangeProp(L"Number", TKPVT_VARIANT, &loadedNumber, &fallback));
  EXPECT_FALSE(px->ExchangeProp(L"Bstr", TKPVT_BSTR, &loadedBstr, &bstr));
  EXPECT_FALSE(px->ExchangeProp(L"Missing", TKPVT_VARIANT, &loadedNumber, &fallback));
  EXPECT_EQ(VT_I4, loadedNumber.vt);
  EXPECT_EQ(7, loadedNumber.lVal);
  EXPECT_STREQ(L"Kept", loadedBstr);
  ::SysFreeString(loadedBstr);
  ::SysFreeString(bstr);
}

TEST_F(RegistryExchange, ValuesEqualToTheirDefaultsAreDeleted)
{
  key.Set(L"Section", L"Width", REG_DWORD, "\x07\0\0\0", 4);
  {
    auto px = Store();
    int width = 16;
    EXPECT_TRUE(PropExchangeInt(px.get(), L"Width", width, 16));
  }
  EXPECT_EQ(0u, key.Raw(L"Section", L"Width"));
  {
    auto px = Store();
    px->m_bUseDefaultOnSave = FALSE;
    int width = 16;
    EXPECT_TRUE(PropExchangeInt(px.get(), L"Width", width, 16));
  }
  EXPECT_EQ(16u, key.Dword(L"Section", L"Width"));
}

TEST_F(RegistryExchange, MissingValuesTakeTheirDefaultOrStay)
{
  auto px = Load();
  int value = 42;
  EXPECT_FALSE(PropExchangeIntNoDefault(px.get(), L"Missing", value));
  EXPECT_EQ(42, value);
  EXPECT_TRUE(PropExchangeInt(px.get(), L"Missing", value, 7));
  EXPECT_EQ(7, value);
  px->m_bUseDefaultOnLoad = FALSE;
  value = 42;
  EXPECT_FALSE(PropExchangeInt(px.get(), L"Missing", value, 7));
  EXPECT_EQ(42, value);
}

TEST_F(RegistryExchange, ValuesOfTheWrongTypeOrSizeReadAsTheDefault)
{
  key.Set(L"Section", L"TextForInt", REG_SZ, L"12", 6);
  key.Set(L"Section", L"ShortBinary", REG_BINARY, "\x01\x02", 2);
  key.Set(L"Section", L"LongBinary", REG_BINARY, "\x01\x02\x03\x04\x05", 5);
  key.Set(L"Section", L"OneNumber", REG_SZ, L"12", 6);
  key.Set(L"Section", L"IntForText", REG_DWORD, "\x05\0\0\0", 4);
  key.Set(L"Section", L"FloatAsDword", REG_DWORD, "\x05\0\0\0", 4);
  // Text without its terminating zero, and of an odd number of bytes.
  key.Set(L"Section", L"Unterminated", REG_SZ, L"abcd", 8);
  key.Set(L"Section", L"Odd", REG_SZ, L"xyz", 5);

  auto px = Load();
  int i = 0;
  EXPECT_TRUE(PropExchangeInt(px.get(), L"TextForInt", i, 3));
  EXPECT_EQ(3, i);
  i = 0;
  EXPECT_TRUE(PropExchangeInt(px.get(), L"ShortBinary", i, 4));
  EXPECT_EQ(4, i);
  EXPECT_TRUE(PropExchangeInt(px.get(), L"LongBinary", i, 5));
  EXPECT_EQ(5, i);
  CSize size;
  EXPECT_TRUE(PropExchangeSize(px.get(), L"OneNumber", size, CSize(8, 9)));
  EXPECT_EQ(CSize(8, 9), size);
  CString text;
  EXPECT_TRUE(PropExchangeString(px.get(), L"IntForText", text, L"fallback"));
  EXPECT_STREQ(L"fallback", text);
  float f = 0;
  const float fDefault = 2.5f;
  EXPECT_TRUE(px->ExchangeProp(L"FloatAsDword", TKPVT_R4, &f, &fDefault));
  EXPECT_EQ(2.5f, f);
  EXPECT_TRUE(PropExchangeStringNoDefault(px.get(), L"Unterminated", text));
  EXPECT_STREQ(L"abcd", text);
  EXPECT_TRUE(PropExchangeStringNoDefault(px.get(), L"Odd", text));
  EXPECT_STREQ(L"xyz", text);  // the half character ends on the zeroed buffer
}

TEST_F(RegistryExchange, EnumeratedSectionsAndCounts)
{
  {
    auto px = Store();
    std::unique_ptr<CTKPPropSectionEnumerator> e(px->GetEnumerator(L"Bar"));
    DWORD count = 0;
    EXPECT_EQ(0u, e->BeginEnum(count));
  }
  EXPECT_EQ(0u, key.Raw(L"Section", L"Count"));
  {
    auto px = Store();
    std::unique_ptr<CTKPPropSectionEnumerator> e(px->GetEnumerator(L"Bar"));
    DWORD count = 3;
    DWORD_PTR pos = e->BeginEnum(count);
    int n = 0;
    while (pos) {
      std::unique_ptr<CTKPPropExchange> section(e->NextSection(pos));
      int id = 10 + n++;
      PropExchangeInt(section.get(), L"Id", id, 0);
    }
  }
  EXPECT_EQ(3u, key.Dword(L"Section", L"Count"));
  EXPECT_EQ(10u, key.Dword(L"Section\\Bar0", L"Id"));
  EXPECT_EQ(12u, key.Dword(L"Section\\Bar2", L"Id"));
  EXPECT_FALSE(key.HasSubKey(L"Section\\Bar3"));

  auto px = Load();
  std::unique_ptr<CTKPPropSectionEnumerator> e(px->GetEnumerator(L"Bar"));
  DWORD count = 0;
  DWORD_PTR pos = e->BeginEnum(count);
  EXPECT_EQ(3u, count);
  int expected = 10;
  while (pos) {
    std::unique_ptr<CTKPPropExchange> section(e->NextSection(pos));
    int id = 0;
    PropExchangeInt(section.get(), L"Id", id, 0);
    EXPECT_EQ(expected++, id);
  }
  EXPECT_EQ(13, expected);
}

TEST_F(RegistryExchange, EmptiedSectionKeepsOnlyWhatDiffersFromDefaults)
{
  key.Set(L"Section", L"Old", REG_DWORD, "\x01\0\0\0", 4);
  key.Set(L"Section\\Child", L"Deep", REG_DWORD, "\x01\0\0\0", 4);
  {
    auto px = Store();
    int keep = 5;
    PropExchangeInt(px.get(), L"Early", keep, 0);
    px->EmptySection();
    EXPECT_TRUE(px->m_bEmptySection);
    int same = 16, different = 20;
    PropExchangeInt(px.get(), L"Same", same, 16);
    PropExchangeInt(px.get(), L"Different", different, 16);
    std::unique_ptr<CTKPPropExchange> child(px->GetSection(L"Fresh"));
    EXPECT_TRUE(child->m_bEmptySection);
    int inChild = 1;
    PropExchangeInt(child.get(), L"Value", inChild, 0);
  }
  EXPECT_EQ(0u, key.Raw(L"Section", L"Old"));
  EXPECT_EQ(0u, key.Raw(L"Section", L"Early"));
  EXPECT_EQ(0u, key.Raw(L"Section", L"Same"));
  EXPECT_EQ(20u, key.Dword(L"Section", L"Different"));
  EXPECT_FALSE(key.HasSubKey(L"Section\\Child"));
  EXPECT_EQ(1u, key.Dword(L"Section\\Fresh", L"Value"));
}

TEST_F(RegistryExchange, BinaryBlocksAndSerializedObjects)
{
  BYTE block[5] = {1, 2, 3, 4, 5};
  {
    auto px = Store();
    BYTE* p = block;
    DWORD cb = sizeof(block);
    EXPECT_TRUE(PropExchangeBinary(px.get(), L"Blob", p, cb));
  }
  std::vector<BYTE> raw;
  EXPECT_EQ(static_cast<DWORD>(REG_BINARY), key.Raw(L"Section", L"Blob", &raw));
  EXPECT_EQ(5u, raw.size());

  auto px = Load();
  BYTE* allocated = nullptr;
  DWORD cb = 0;
  ASSERT_TRUE(PropExchangeBinary(px.get(), L"Blob", allocated, cb));
  EXPECT_EQ(5u, cb);
  EXPECT_EQ(0, std::memcmp(allocated, block, 5));
  std::free(allocated);
  BYTE small[3];
  BYTE* pSmall = small;
  DWORD cbSmall = sizeof(small);
  EXPECT_FALSE(PropExchangeBinary(px.get(), L"Blob", pSmall, cbSmall));
  EXPECT_EQ(0u, px->ReadBytes(L"Blob", small, sizeof(small)));
  BYTE big[10];
  EXPECT_EQ(5u, px->ReadBytes(L"Blob", big, sizeof(big)));
  BYTE* none = nullptr;
  EXPECT_FALSE(PropExchangeBinary(px.get(), L"Missing", none, cb));
}

namespace {

class CRegTestShape : public CObject
{
  DECLARE_SERIAL(CRegTestShape)
public:
  LONG m_nSides = 0;
  void Serialize(CArchive& ar) override
  {
    if (ar.IsStoring())
      ar << m_nSides;
    else
      ar >> m_nSides;
  }
};
IMPLEMENT_SERIAL(CRegTestShape, CObject, 1)

class CRegTestOther : public CObject
{
  DECLARE_DYNCREATE(CRegTestOther)
};
IMPLEMENT_DYNCREATE(CRegTestOther, CObject)

}  // namespace

TEST_F(RegistryExchange, ObjectsAndClassesByName)
{
  {
    auto px = Store();
    CRegTestShape shape;
    shape.m_nSides = 5;
    EXPECT_TRUE(PropExchangeSerialize(px.get(), L"Shape", &shape));
    CObject* p = &shape;
    std::unique_ptr<CTKPPropExchange> a(px->GetSection(L"A"));
    EXPECT_TRUE(a->ExchangeRuntimeClass(&p, RUNTIME_CLASS(CObject)));
    CRegTestOther other;
    p = &other;
    std::unique_ptr<CTKPPropExchange> b(px->GetSection(L"B"));
    EXPECT_TRUE(b->ExchangeRuntimeClass(&p, RUNTIME_CLASS(CObject)));
  }
  EXPECT_EQ(L"CRegTestShape", key.Text(L"Section\\A", L"Class"));
  std::vector<BYTE> raw;
  EXPECT_EQ(static_cast<DWORD>(REG_BINARY), key.Raw(L"Section", L"Shape", &raw));
  EXPECT_EQ(4u, raw.size());

  auto px = Load();
  CRegTestShape shape;
  EXPECT_TRUE(PropExchangeSerialize(px.get(), L"Shape", &shape));
  EXPECT_EQ(5, shape.m_nSides);
  EXPECT_FALSE(PropExchangeSerialize(px.get(), L"NoShape", &shape));

  std::unique_ptr<CTKPPropExchange> a(px->GetSection(L"A"));
  CObject* p = nullptr;
  ASSERT_TRUE(a->ExchangeRuntimeClass(&p, RUNTIME_CLASS(CRegTestShape)));
  EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(CRegTestShape)));
  delete p;
  p = nullptr;
  std::unique_ptr<CTKPPropExchange> b(px->GetSection(L"B"));
  EXPECT_FALSE(b->ExchangeRuntimeClass(&p, RUNTIME_CLASS(CRegTestShape)));  // registered, wrong base
  EXPECT_EQ(nullptr, p);

  key.Set(L"Section\\C", L"Class", REG_SZ, L"NoSuchClass", 24);
  std::unique_ptr<CTKPPropExchange> c(px->GetSection(L"C"));
  EXPECT_FALSE(c->ExchangeRuntimeClass(&p, RUNTIME_CLASS(CObject)));
  // No name stored: the default class.
  std::unique_ptr<CTKPPropExchange> d(px->GetSection(L"D"));
  CRuntimeClass* pClass = nullptr;
  EXPECT_TRUE(PropExchangeClass(d.get(), L"Class", pClass, RUNTIME_CLASS(CRegTestOther)));
  EXPECT_EQ(RUNTIME_CLASS(CRegTestOther), pClass);
}

TEST_F(RegistryExchange, NoRootKeyFails)
{
  CTKPPropExchangeRegistry px(FALSE, nullptr, L"Section");
  int value = 1;
  EXPECT_FALSE(PropExchangeInt(&px, L"Value", value, 0));
  CTKPPropExchangeRegistry load(TRUE, nullptr, L"Section");
  EXPECT_TRUE(PropExchangeInt(&load, L"Value", value, 9));  // the default still applies
  EXPECT_EQ(9, value);
}
