// Automation through IDispatch: COleDispatchDriver creates or wraps a server's dispatch interface
// and calls its methods and properties by dispatch id; failures come back as COleException (an
// HRESULT) or COleDispatchException (the server's own exception information).
#pragma once

#include "classlib/core/CException.h"

#include <oaidl.h>
#include <ole2.h>

class COleException : public CException {
  DECLARE_DYNAMIC(COleException)
 public:
  COleException() : m_sc(S_OK) {}
  SCODE m_sc;
  static SCODE PASCAL Process(const CException* pAnyException);
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
};

class COleDispatchException : public CException {
  DECLARE_DYNAMIC(COleDispatchException)
 public:
  COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode);
  WORD m_wCode;
  SCODE m_scError;
  CString m_strSource;
  CString m_strDescription;
  CString m_strHelpFile;
  DWORD m_dwHelpContext;
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
};

void AFXAPI AfxThrowOleException(SCODE sc);
void AFXAPI AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID = 0);

// Parameter type strings of InvokeHelper: one byte per argument, its VARTYPE.
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R4 "\x04"
#define VTS_R8 "\x05"
#define VTS_BSTR "\x08"       // the argument is an LPCOLESTR
#define VTS_DISPATCH "\x09"
#define VTS_SCODE "\x0A"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"    // the argument is a const VARIANT*
#define VTS_UNKNOWN "\x0D"
#define VTS_NONE ""

class COleDispatchDriver {
 public:
  COleDispatchDriver();
  explicit COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
  COleDispatchDriver(const COleDispatchDriver& other);
  ~COleDispatchDriver();
  const COleDispatchDriver& operator=(const COleDispatchDriver& other);

  // Starts the server of a class id or programmatic id ("Word.Application") and takes its
  // IDispatch; FALSE (with the error in pError when given) when that fails.
  BOOL CreateDispatch(REFCLSID clsid, COleException* pError = NULL);
  BOOL CreateDispatch(LPCTSTR lpszProgID, COleException* pError = NULL);
  void AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
  LPDISPATCH DetachDispatch();
  void ReleaseDispatch();

  // Calls dwDispID with the arguments described by pbParamInfo (VTS_ strings), stores the result
  // of type vtRet (VT_EMPTY: none) in pvRet: a CString for VT_BSTR, a VARIANT for VT_VARIANT, an
  // interface the caller releases for VT_DISPATCH. Throws COleException or COleDispatchException.
  void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...);
  void InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo,
                     va_list argList);
  void GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const;
  void SetProperty(DISPID dwDispID, VARTYPE vtProp, ...);

  LPDISPATCH m_lpDispatch;
  BOOL m_bAutoRelease;
};
