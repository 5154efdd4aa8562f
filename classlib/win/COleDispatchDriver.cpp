#include "classlib/win/COleDispatchDriver.h"

#include <cstdarg>
#include <cwchar>
#include <vector>

IMPLEMENT_DYNAMIC(COleException, CException)
IMPLEMENT_DYNAMIC(COleDispatchException, CException)

SCODE PASCAL COleException::Process(const CException* pAnyException) {
  if (pAnyException == NULL) return S_OK;
  if (pAnyException->IsKindOf(RUNTIME_CLASS(COleException)))
    return static_cast<const COleException*>(pAnyException)->m_sc;
  if (pAnyException->IsKindOf(RUNTIME_CLASS(COleDispatchException))) {
    const COleDispatchException* p = static_cast<const COleDispatchException*>(pAnyException);
    return p->m_scError != S_OK ? p->m_scError : DISP_E_EXCEPTION;
  }
  if (pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException))) return E_OUTOFMEMORY;
  return E_UNEXPECTED;
}

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  LPWSTR text = NULL;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           NULL, static_cast<DWORD>(m_sc), 0, reinterpret_cast<LPWSTR>(&text), 0, NULL);
  BOOL ok = n > 0 && CopyErrorMessage(text, lpszError, nMaxError);
  if (text != NULL) LocalFree(text);
  return ok;
}

COleDispatchException::COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode)
    : m_wCode(wCode), m_scError(S_OK), m_strDescription(lpszDescription != NULL ? lpszDescription : L""),
      m_dwHelpContext(nHelpID) {}

BOOL COleDispatchException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL) *pnHelpContext = m_dwHelpContext;
  if (m_strDescription.IsEmpty()) return FALSE;
  return CopyErrorMessage(m_strDescription, lpszError, nMaxError);
}

void AFXAPI AfxThrowOleException(SCODE sc) {
  COleException* e = new COleException;
  e->m_sc = sc;
  throw e;
}

void AFXAPI AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID) {
  throw new COleDispatchException(lpszDescription, nHelpID, wCode);
}

COleDispatchDriver::COleDispatchDriver() : m_lpDispatch(NULL), m_bAutoRelease(TRUE) {}

COleDispatchDriver::COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease)
    : m_lpDispatch(lpDispatch), m_bAutoRelease(bAutoRelease) {}

COleDispatchDriver::COleDispatchDriver(const COleDispatchDriver& other)
    : m_lpDispatch(other.m_lpDispatch), m_bAutoRelease(TRUE) {
  if (m_lpDispatch != NULL) m_lpDispatch->AddRef();
}

COleDispatchDriver::~COleDispatchDriver() { ReleaseDispatch(); }

const COleDispatchDriver& COleDispatchDriver::operator=(const COleDispatchDriver& other) {
  if (this != &other && m_lpDispatch != other.m_lpDispatch) {
    ReleaseDispatch();
    m_lpDispatch = other.m_lpDispatch;
    m_bAutoRelease = TRUE;
    if (m_lpDispatch != NULL) m_lpDispatch->AddRef();
  }
  return *this;
}

BOOL COleDispatchDriver::CreateDispatch(REFCLSID clsid, COleException* pError) {
  ReleaseDispatch();
  LPDISPATCH p = NULL;
  HRESULT hr = CoCreateInstance(clsid, NULL, CLSCTX_ALL, IID_IDispatch, reinterpret_cast<void**>(&p));
  if (FAILED(hr) || p == NULL) {
    if (pError != NULL) pError->m_sc = FAILED(hr) ? hr : E_NOINTERFACE;
    return FALSE;
  }
  AttachDispatch(p, TRUE);
  return TRUE;
}

BOOL COleDispatchDriver::CreateDispatch(LPCTSTR lpszProgID, COleException* pError) {
  CLSID clsid;
  HRESULT hr = lpszProgID != NULL ? CLSIDFromProgID(lpszProgID, &clsid) : E_INVALIDARG;
  if (FAILED(hr)) {
    if (pError != NULL) pError->m_sc = hr;
    return FALSE;
  }
  return CreateDispatch(clsid, pError);
}

void COleDispatchDriver::AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease) {
  ReleaseDispatch();
  m_lpDispatch = lpDispatch;
  m_bAutoRelease = bAutoRelease;
}

LPDISPATCH COleDispatchDriver::DetachDispatch() {
  LPDISPATCH p = m_lpDispatch;
  m_lpDispatch = NULL;
  return p;
}

void COleDispatchDriver::ReleaseDispatch() {
  if (m_lpDispatch != NULL) {
    if (m_bAutoRelease) m_lpDispatch->Release();
    m_lpDispatch = NULL;
  }
}

void COleDispatchDriver::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                      const BYTE* pbParamInfo, ...) {
  va_list args;
  va_start(args, pbParamInfo);
  try {
    InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, args);
  } catch (...) {
    va_end(args);
    throw;
  }
  va_end(args);
}

namespace {

// The arguments go to the server last first.
void ReadArguments(const BYTE* pbParamInfo, va_list argList, std::vector<VARIANT>& out) {
  if (pbParamInfo == NULL) return;
  for (const BYTE* p = pbParamInfo; *p != 0; ++p) {
    VARIANT v;
    VariantInit(&v);
    switch (*p) {
      case VT_I2: v.vt = VT_I2; v.iVal = static_cast<SHORT>(va_arg(argList, int)); break;
      case VT_I4: v.vt = VT_I4; v.lVal = va_arg(argList, long); break;
      case VT_R4: v.vt = VT_R4; v.fltVal = static_cast<float>(va_arg(argList, double)); break;
      case VT_R8: v.vt = VT_R8; v.dblVal = va_arg(argList, double); break;
      case VT_BSTR: {
        LPCOLESTR s = va_arg(argList, LPCOLESTR);
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString(s != NULL ? s : L"");
        break;
      }
      case VT_DISPATCH: v.vt = VT_DISPATCH; v.pdispVal = va_arg(argList, LPDISPATCH); if (v.pdispVal) v.pdispVal->AddRef(); break;
      case VT_UNKNOWN: v.vt = VT_UNKNOWN; v.punkVal = va_arg(argList, LPUNKNOWN); if (v.punkVal) v.punkVal->AddRef(); break;
      case VT_ERROR: v.vt = VT_ERROR; v.scode = va_arg(argList, SCODE); break;
      case VT_BOOL: v.vt = VT_BOOL; v.boolVal = va_arg(argList, int) ? VARIANT_TRUE : VARIANT_FALSE; break;
      case VT_VARIANT: {
        const VARIANT* src = va_arg(argList, const VARIANT*);
        if (src != NULL) VariantCopy(&v, const_cast<VARIANT*>(src));
        break;
      }
      default:
        for (VARIANT& done : out) VariantClear(&done);
        out.clear();
        AfxThrowOleException(E_INVALIDARG);
    }
    out.insert(out.begin(), v);
  }
}

}  // namespace

void COleDispatchDriver::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                       const BYTE* pbParamInfo, va_list argList) {
  if (m_lpDispatch == NULL) AfxThrowOleException(E_POINTER);
  std::vector<VARIANT> args;
  ReadArguments(pbParamInfo, argList, args);
  DISPPARAMS params = {};
  params.cArgs = static_cast<UINT>(args.size());
  params.rgvarg = args.empty() ? NULL : args.data();
  DISPID named = DISPID_PROPERTYPUT;
  if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.cNamedArgs = 1;
    params.rgdispidNamedArgs = &named;
  }
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO info = {};
  UINT argError = 0;
  HRESULT hr = m_lpDispatch->Invoke(dwDispID, IID_NULL, 0, wFlags, &params, vtRet == VT_EMPTY ? NULL : &result,
                                    &info, &argError);
  for (VARIANT& v : args) VariantClear(&v);
  if (FAILED(hr)) {
    VariantClear(&result);
    if (hr == DISP_E_EXCEPTION) {
      if (info.pfnDeferredFillIn != NULL) info.pfnDeferredFillIn(&info);
      COleDispatchException* e =
          new COleDispatchException(info.bstrDescription != NULL ? info.bstrDescription : L"", info.dwHelpContext, info.wCode);
      e->m_scError = info.scode;
      if (info.bstrSource != NULL) e->m_strSource = info.bstrSource;
      if (info.bstrHelpFile != NULL) e->m_strHelpFile = info.bstrHelpFile;
      SysFreeString(info.bstrDescription);
      SysFreeString(info.bstrSource);
      SysFreeString(info.bstrHelpFile);
      throw e;
    }
    AfxThrowOleException(hr);
  }
  if (vtRet == VT_EMPTY || pvRet == NULL) {
    VariantClear(&result);
    return;
  }
  if (vtRet != VT_VARIANT && result.vt != vtRet) {
    HRESULT hc = VariantChangeType(&result, &result, 0, vtRet);
    if (FAILED(hc)) {
      VariantClear(&result);
      AfxThrowOleException(hc);
    }
  }
  switch (vtRet) {
    case VT_I2: *static_cast<short*>(pvRet) = result.iVal; break;
    case VT_I4: *static_cast<long*>(pvRet) = result.lVal; break;
    case VT_R4: *static_cast<float*>(pvRet) = result.fltVal; break;
    case VT_R8: *static_cast<double*>(pvRet) = result.dblVal; break;
    case VT_BOOL: *static_cast<BOOL*>(pvRet) = result.boolVal != VARIANT_FALSE; break;
    case VT_ERROR: *static_cast<SCODE*>(pvRet) = result.scode; break;
    case VT_BSTR: *static_cast<CString*>(pvRet) = result.bstrVal != NULL ? result.bstrVal : L""; break;
    case VT_DISPATCH: *static_cast<LPDISPATCH*>(pvRet) = result.pdispVal; return;  // owned by the caller
    case VT_UNKNOWN: *static_cast<LPUNKNOWN*>(pvRet) = result.punkVal; return;
    case VT_VARIANT: *static_cast<VARIANT*>(pvRet) = result; return;
    default: break;
  }
  VariantClear(&result);
}

void COleDispatchDriver::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const {
  const_cast<COleDispatchDriver*>(this)->InvokeHelper(dwDispID, DISPATCH_PROPERTYGET, vtProp, pvProp, NULL);
}

void COleDispatchDriver::SetProperty(DISPID dwDispID, VARTYPE vtProp, ...) {
  va_list args;
  va_start(args, vtProp);
  BYTE info[2] = {static_cast<BYTE>(vtProp), 0};
  WORD flags = (vtProp == VT_DISPATCH || vtProp == VT_UNKNOWN) ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
  try {
    InvokeHelperV(dwDispID, flags, VT_EMPTY, NULL, info, args);
  } catch (...) {
    va_end(args);
    throw;
  }
  va_end(args);
}
