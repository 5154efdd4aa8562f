#include "toolkit/base/Accessible.h"

#include "TestWindow.h"
#include "tests/support/win/DispatchClient.h"

#include <gtest/gtest.h>

namespace {

// A toolkit object that knows only its name and role.
class CNamedItem : public CCmdTarget, public CTKPAccessible
{
public:
  CCmdTarget* GetAccessibleOwner() override { return this; }
  STDMETHOD(get_accName)(VARIANT varChild, BSTR* pszName) override
  {
    if (GetChildIndex(&varChild) != CHILDID_SELF)
      return E_INVALIDARG;
    *pszName = SysAllocString(L"Tool");
    return S_OK;
  }
  STDMETHOD(get_accRole)(VARIANT, VARIANT* pvarRole) override
  {
    pvarRole->vt = VT_I4;
    pvarRole->lVal = ROLE_SYSTEM_PUSHBUTTON;
    return S_OK;
  }
  long RefCount() const { return GetRefCount(); }
};

CNamedItem* g_item = nullptr;

LRESULT CALLBACK AnsweringProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT && g_item)
    return CTKPAccessible::LresultFromObject(__uuidof(IAccessible), wParam, g_item->GetAccessible());
  return DefWindowProcW(hWnd, msg, wParam, lParam);
}

VARIANT Self()
{
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = CHILDID_SELF;
  return v;
}

}  // namespace

TEST(Accessible, HooksAnswerThroughTheSystemsAccessibilityCall)
{
  CoInitialize(nullptr);
  CNamedItem item;
  g_item = &item;
  {
    TestWindow window(0, &AnsweringProc);
    IAccessible* pAcc = nullptr;
    ASSERT_EQ(S_OK, CTKPAccessible::AccessibleObjectFromWindow(window.Handle(), OBJID_CLIENT, __uuidof(IAccessible),
                                                                reinterpret_cast<void**>(&pAcc)));
    ASSERT_NE(nullptr, pAcc);
    BSTR name = nullptr;
    EXPECT_EQ(S_OK, pAcc->get_accName(Self(), &name));
    EXPECT_STREQ(L"Tool", name);
    SysFreeString(name);
    VARIANT role;
    VariantInit(&role);
    EXPECT_EQ(S_OK, pAcc->get_accRole(Self(), &role));
    EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, role.lVal);
    BSTR value = nullptr;
    EXPECT_EQ(E_NOTIMPL, pAcc->get_accValue(Self(), &value));
    VARIANT focus;
    VariantInit(&focus);
    EXPECT_EQ(S_FALSE, pAcc->get_accFocus(&focus));
    EXPECT_EQ(VT_EMPTY, focus.vt);
    // Its IDispatch part, as the client holds it, is not implemented.
    EXPECT_TRUE(LeavesDispatchUnimplemented(pAcc));
    pAcc->Release();
  }
  g_item = nullptr;
  CoUninitialize();
}

TEST(Accessible, ReferenceCountIsTheOwners)
{
  CNamedItem item;
  const long before = item.RefCount();
  IAccessible* pAcc = item.GetAccessible();
  IUnknown* pUnknown = nullptr;
  ASSERT_EQ(S_OK, pAcc->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pUnknown)));
  EXPECT_EQ(before + 1, item.RefCount());
  IDispatch* pDispatch = nullptr;
  ASSERT_EQ(S_OK, pAcc->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch)));
  EXPECT_TRUE(LeavesDispatchUnimplemented(pDispatch));
  EXPECT_EQ(before + 2, item.RefCount());
  pDispatch->Release();
  pUnknown->Release();
  EXPECT_EQ(before, item.RefCount());
  void* pOther = nullptr;
  EXPECT_EQ(E_NOINTERFACE, pAcc->QueryInterface(IID_IStream, &pOther));
  EXPECT_EQ(nullptr, pOther);
}

TEST(Accessible, ChildIndexOfAccessibilityVariants)
{
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = 7;
  EXPECT_EQ(7, CTKPAccessible::GetChildIndex(&v));
  v.vt = VT_I2;
  v.iVal = 3;
  EXPECT_EQ(3, CTKPAccessible::GetChildIndex(&v));
  LONG referenced = 9;
  v.vt = VT_I4 | VT_BYREF;
  v.plVal = &referenced;
  EXPECT_EQ(9, CTKPAccessible::GetChildIndex(&v));
  v.plVal = nullptr;
  EXPECT_EQ(-1, CTKPAccessible::GetChildIndex(&v));
  VARIANT inner;
  inner.vt = VT_I4;
  inner.lVal = 5;
  v.vt = VT_VARIANT | VT_BYREF;
  v.pvarVal = &inner;
  EXPECT_EQ(5, CTKPAccessible::GetChildIndex(&v));
  VARIANT self;
  self.vt = VT_VARIANT | VT_BYREF;
  self.pvarVal = &self;  // a reference to itself ends
  EXPECT_EQ(-1, CTKPAccessible::GetChildIndex(&self));
  v.vt = VT_BSTR;
  EXPECT_EQ(-1, CTKPAccessible::GetChildIndex(&v));
  EXPECT_EQ(-1, CTKPAccessible::GetChildIndex(nullptr));
  CTKPAccessible::NotifyWinEvent(EVENT_OBJECT_FOCUS, nullptr, OBJID_CLIENT, CHILDID_SELF);
}
