#include "classlib/win/AfxEmptyDispatch.h"

HRESULT AfxEmptyDispatch::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo == NULL)
        return E_INVALIDARG;
    *pctinfo = 0;
    return S_OK;
}

HRESULT AfxEmptyDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo == NULL)
        return E_POINTER;
    *ppTInfo = NULL;
    return DISP_E_BADINDEX;
}

HRESULT AfxEmptyDispatch::GetIDsOfNames(REFIID riid, LPOLESTR*, UINT cNames, LCID, DISPID* rgDispId)
{
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (cNames == 0)
        return S_OK;
    if (rgDispId == NULL)
        return E_POINTER;
    for (UINT i = 0; i < cNames; ++i)
        rgDispId[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT AfxEmptyDispatch::Invoke(DISPID, REFIID riid, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    return DISP_E_MEMBERNOTFOUND;
}
