// Command targets with automation enabled: the IDispatch they hand out, its answers to a client in
// this apartment and in another one, and the reference count it shares with its object.
#include <gtest/gtest.h>

#include "classlib/win/AfxWin.h"
#include "tests/classlib/win/TestSupport.h"
#include "tests/support/win/DispatchClient.h"

namespace {

class CAutomated : public CCmdTarget {
public:
    explicit CAutomated(bool* pDeleted) : m_pDeleted(pDeleted) { EnableAutomation(); }
    ~CAutomated() override { *m_pDeleted = true; }

private:
    bool* m_pDeleted;
};

struct CrossApartmentCall {
    IStream* pStream = nullptr;
    HRESULT hrUnmarshal = E_FAIL;
    HRESULT hrCount = E_FAIL;
    UINT nCount = 99;
    HRESULT hrNames = E_FAIL;
    HRESULT hrInvoke = E_FAIL;
};

DWORD WINAPI CallFromAnotherApartment(LPVOID pv)
{
    CrossApartmentCall* pCall = static_cast<CrossApartmentCall*>(pv);
    ::CoInitializeEx(NULL, COINIT_MULTITHREADED);
    IDispatch* pDispatch = nullptr;
    pCall->hrUnmarshal =
        ::CoGetInterfaceAndReleaseStream(pCall->pStream, IID_IDispatch, reinterpret_cast<void**>(&pDispatch));
    if (SUCCEEDED(pCall->hrUnmarshal)) {
        pCall->hrCount = pDispatch->GetTypeInfoCount(&pCall->nCount);
        LPOLESTR name = const_cast<LPOLESTR>(L"Caption");
        DISPID id = 0;
        pCall->hrNames = pDispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
        DISPPARAMS none = {nullptr, nullptr, 0, 0};
        VARIANT result;
        ::VariantInit(&result);
        pCall->hrInvoke = pDispatch->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
            &result, nullptr, nullptr);
        pDispatch->Release();
    }
    ::CoUninitialize();
    return 0;
}

}  // namespace

TEST(Automation, OnlyEnabledTargetsHandOutADispatchThatSharesTheirCount)
{
    CCmdTarget plain;
    EXPECT_EQ(nullptr, plain.GetIDispatch(FALSE));
    EXPECT_EQ(nullptr, plain.GetIDispatch(TRUE));

    bool bDeleted = false;
    CAutomated* pTarget = new CAutomated(&bDeleted);
    IDispatch* pDispatch = pTarget->GetIDispatch(FALSE);
    ASSERT_NE(nullptr, pDispatch);
    EXPECT_EQ(1, pTarget->GetRefCount());
    EXPECT_EQ(pDispatch, pTarget->GetIDispatch(TRUE));
    EXPECT_EQ(2, pTarget->GetRefCount());
    IUnknown* pUnknown = nullptr;
    ASSERT_EQ(S_OK, pDispatch->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pUnknown)));
    EXPECT_EQ(3, pTarget->GetRefCount());
    void* pOther = nullptr;
    EXPECT_EQ(E_NOINTERFACE, pDispatch->QueryInterface(IID_IStream, &pOther));
    EXPECT_EQ(nullptr, pOther);
    EXPECT_TRUE(AnswersWithoutMembers(pDispatch));
    EXPECT_EQ(3, pTarget->GetRefCount());
    pUnknown->Release();
    pDispatch->Release();
    EXPECT_FALSE(bDeleted);
    // The last reference, given up through the object, ends it as any other would.
    pTarget->InternalRelease();
    EXPECT_TRUE(bDeleted);
}

TEST(Automation, AClientInAnotherApartmentGetsTheSameAnswers)
{
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
    bool bDeleted = false;
    CAutomated* pTarget = new CAutomated(&bDeleted);
    CrossApartmentCall call;
    ASSERT_EQ(S_OK,
        ::CoMarshalInterThreadInterfaceInStream(IID_IDispatch, pTarget->GetIDispatch(FALSE), &call.pStream));
    HANDLE hThread = ::CreateThread(NULL, 0, CallFromAnotherApartment, &call, 0, NULL);
    ASSERT_NE(nullptr, hThread);
    EXPECT_TRUE(WaitPumping(hThread));
    ::CloseHandle(hThread);
    EXPECT_EQ(S_OK, call.hrUnmarshal);
    EXPECT_EQ(S_OK, call.hrCount);
    EXPECT_EQ(0u, call.nCount);
    EXPECT_EQ(DISP_E_UNKNOWNNAME, call.hrNames);
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, call.hrInvoke);
    PumpPending();
    pTarget->InternalRelease();
    EXPECT_TRUE(bDeleted);
    ::OleUninitialize();
}
