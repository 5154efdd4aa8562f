// CWPViewPDFX: the PDF viewer control (an ActiveX control installed with the PDF viewer), created
// through the class library's control containment and driven through its dispatch interface.
#pragma once

#include "classlib/win/AfxWin.h"

class CWPViewPDFX : public CWnd {
    DECLARE_DYNCREATE(CWPViewPDFX)
public:
    static const CLSID clsid;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
        UINT nID, CCreateContext* pContext = NULL) override;
    // Opens a file in the control (dispatch id 207); throws COleException or
    // COleDispatchException when the control fails.
    BOOL OpenFile(LPCTSTR lpszPath);
};
