// CWnd's members for ActiveX controls, over COleControlSite.
#include "classlib/win/COleControlSite.h"
#include "classlib/win/COleDispatchDriver.h"

#include <cstdarg>

BOOL CWnd::CreateControl(REFCLSID clsid, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
    UINT nID, CFile* pPersist, BOOL bStorage, BSTR bstrLicKey)
{
    if (pPersist != NULL || bStorage || bstrLicKey != NULL)
        return FALSE;
    COleControlSite* site = new COleControlSite;
    return site->CreateControl(this, clsid, lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CWnd::CreateControl(LPCTSTR pszClass, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
    UINT nID, CFile* pPersist, BOOL bStorage, BSTR bstrLicKey)
{
    CLSID clsid;
    if (pszClass == NULL)
        return FALSE;
    HRESULT hr = pszClass[0] == L'{' ? ::CLSIDFromString(const_cast<LPOLESTR>(pszClass), &clsid)
                                     : ::CLSIDFromProgID(pszClass, &clsid);
    if (FAILED(hr))
        return FALSE;
    return CreateControl(clsid, lpszWindowName, dwStyle, rect, pParentWnd, nID, pPersist, bStorage, bstrLicKey);
}

LPUNKNOWN CWnd::GetControlUnknown()
{
    COleControlSite* site = COleControlSite::FromHostWindow(GetSafeHwnd());
    return site != NULL ? site->GetControlUnknown() : NULL;
}

void CWnd::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...)
{
    COleControlSite* site = COleControlSite::FromHostWindow(GetSafeHwnd());
    IDispatch* dispatch = site != NULL ? site->GetControlDispatch() : NULL;
    if (dispatch == NULL)
        AfxThrowOleException(E_NOINTERFACE);
    COleDispatchDriver driver(dispatch, FALSE);
    va_list args;
    va_start(args, pbParamInfo);
    try {
        driver.InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
}
