#include "preview/win/documents/PdfViewControl.h"

#include "classlib/win/COleDispatchDriver.h"

IMPLEMENT_DYNCREATE(CWPViewPDFX, CWnd)

// {D8D3A8F6-46EF-4424-AE49-4376F1FE1EB4}
const CLSID CWPViewPDFX::clsid = {0xD8D3A8F6, 0x46EF, 0x4424, {0xAE, 0x49, 0x43, 0x76, 0xF1, 0xFE, 0x1E, 0xB4}};

BOOL CWPViewPDFX::Create(LPCTSTR, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
    CCreateContext*)
{
    return CreateControl(clsid, lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CWPViewPDFX::OpenFile(LPCTSTR lpszPath)
{
    static const BYTE params[] = VTS_BSTR;
    BOOL result = FALSE;
    InvokeHelper(207, DISPATCH_METHOD, VT_BOOL, &result, params, lpszPath);
    return result;
}
