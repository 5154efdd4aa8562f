// The answers of an automation object without members: no type information, no names to look up,
// nothing to invoke. A command target with automation enabled answers them through its IDispatch,
// and other IDispatch implementations without members of their own give the same answers.
#pragma once

#include <ole2.h>

struct AfxEmptyDispatch {
    // S_OK with a count of 0.
    static HRESULT GetTypeInfoCount(UINT* pctinfo);
    // DISP_E_BADINDEX for every index: there is no type information.
    static HRESULT GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo);
    // DISP_E_UNKNOWNNAME, with DISPID_UNKNOWN for every name.
    static HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId);
    // DISP_E_MEMBERNOTFOUND for every dispatch id.
    static HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
        VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr);
};
