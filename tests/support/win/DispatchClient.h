// What an automation client gets from an object's IDispatch: its calls made one by one, and a
// property read through the class library's dispatch driver as a program would make it. The
// toolkit's automation-enabled objects have no members, and answer as such.
#pragma once

#include "classlib/win/AfxWin.h"
#include "classlib/win/COleDispatchDriver.h"

#include <gtest/gtest.h>

inline ::testing::AssertionResult AnswersWithoutMembers(IDispatch* pDispatch)
{
    if (pDispatch == nullptr)
        return ::testing::AssertionFailure() << "no IDispatch";
    UINT nCount = 99;
    HRESULT hr = pDispatch->GetTypeInfoCount(&nCount);
    if (hr != S_OK || nCount != 0)
        return ::testing::AssertionFailure() << "GetTypeInfoCount gave " << std::hex << hr << " with " << nCount;
    ITypeInfo* pInfo = reinterpret_cast<ITypeInfo*>(1);
    hr = pDispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &pInfo);
    if (hr != DISP_E_BADINDEX || pInfo != nullptr)
        return ::testing::AssertionFailure() << "GetTypeInfo gave " << std::hex << hr;
    LPOLESTR names[2] = {const_cast<LPOLESTR>(L"Caption"), const_cast<LPOLESTR>(L"Visible")};
    DISPID ids[2] = {7, 7};
    hr = pDispatch->GetIDsOfNames(IID_NULL, names, 2, LOCALE_USER_DEFAULT, ids);
    if (hr != DISP_E_UNKNOWNNAME || ids[0] != DISPID_UNKNOWN || ids[1] != DISPID_UNKNOWN)
        return ::testing::AssertionFailure()
            << "GetIDsOfNames gave " << std::hex << hr << " with ids " << std::dec << ids[0] << ", " << ids[1];
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VARIANT result;
    ::VariantInit(&result);
    for (DISPID id : {DISPID(DISPID_VALUE), DISPID(1), DISPID(-4)}) {
        hr = pDispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none,
            &result, nullptr, nullptr);
        if (hr != DISP_E_MEMBERNOTFOUND)
            return ::testing::AssertionFailure() << "Invoke of " << id << " gave " << std::hex << hr;
    }
    // The dispatch driver turns the answer into the exception a program catches.
    COleDispatchDriver driver(pDispatch, FALSE);
    SCODE sc = S_OK;
    try {
        VARIANT value;
        ::VariantInit(&value);
        driver.GetProperty(DISPID_VALUE, VT_VARIANT, &value);
    } catch (COleException* e) {
        sc = e->m_sc;
        e->Delete();
    } catch (CException* e) {
        e->Delete();
        sc = E_UNEXPECTED;
    }
    driver.DetachDispatch();
    if (sc != DISP_E_MEMBERNOTFOUND)
        return ::testing::AssertionFailure() << "the dispatch driver's read gave " << std::hex << sc;
    return ::testing::AssertionSuccess();
}

// The IDispatch part of an accessibility object: none of its four calls is implemented, and the
// out-values are left empty.
inline ::testing::AssertionResult LeavesDispatchUnimplemented(IDispatch* pDispatch)
{
    if (pDispatch == nullptr)
        return ::testing::AssertionFailure() << "no IDispatch";
    UINT nCount = 99;
    HRESULT hr = pDispatch->GetTypeInfoCount(&nCount);
    if (hr != E_NOTIMPL || nCount != 0)
        return ::testing::AssertionFailure() << "GetTypeInfoCount gave " << std::hex << hr << " with " << nCount;
    ITypeInfo* pInfo = reinterpret_cast<ITypeInfo*>(1);
    hr = pDispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &pInfo);
    if (hr != E_NOTIMPL || pInfo != nullptr)
        return ::testing::AssertionFailure() << "GetTypeInfo gave " << std::hex << hr;
    LPOLESTR names[1] = {const_cast<LPOLESTR>(L"Caption")};
    DISPID ids[1] = {7};
    hr = pDispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, ids);
    if (hr != E_NOTIMPL)
        return ::testing::AssertionFailure() << "GetIDsOfNames gave " << std::hex << hr;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VARIANT result;
    ::VariantInit(&result);
    hr = pDispatch->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr,
        nullptr);
    if (hr != E_NOTIMPL || result.vt != VT_EMPTY)
        return ::testing::AssertionFailure() << "Invoke gave " << std::hex << hr;
    return ::testing::AssertionSuccess();
}

// The IDispatch a command target hands out: a reference of the target's own while the client holds
// it, and the answers of an object without members.
inline ::testing::AssertionResult HandsOutADispatchWithoutMembers(CCmdTarget* pTarget)
{
    const long before = pTarget->GetRefCount();
    IDispatch* pDispatch = pTarget->GetIDispatch(TRUE);
    if (pDispatch == nullptr)
        return ::testing::AssertionFailure() << "no IDispatch";
    if (pTarget->GetRefCount() != before + 1)
        return ::testing::AssertionFailure() << "the IDispatch holds no reference of the object";
    const ::testing::AssertionResult answers = AnswersWithoutMembers(pDispatch);
    pDispatch->Release();
    if (pTarget->GetRefCount() != before)
        return ::testing::AssertionFailure()
            << "releasing the IDispatch leaves " << pTarget->GetRefCount() << " references, not " << before;
    return answers;
}
