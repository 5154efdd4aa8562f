// Windows-only members of CString: resource strings and OLE strings.
#include "classlib/core/CString.h"

#include <oleauto.h>

#include "classlib/core/CException.h"

namespace {
HINSTANCE g_hInstResource = NULL;
}

HINSTANCE AFXAPI AfxGetResourceHandle() {
  return g_hInstResource != NULL ? g_hInstResource : ::GetModuleHandleW(NULL);
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) { g_hInstResource = hInstResource; }

BOOL CString::LoadString(UINT nID) {
  // With a zero buffer size LoadStringW hands out a read-only pointer to the resource text itself,
  // so strings of any length load whole.
  LPCWSTR pText = NULL;
  int n = ::LoadStringW(AfxGetResourceHandle(), nID, reinterpret_cast<LPWSTR>(&pText), 0);
  if (n <= 0 || pText == NULL) {
    Empty();
    return FALSE;
  }
  SetString(pText, n);
  return TRUE;
}

void AFX_CDECL CString::Format(UINT nFormatID, ...) {
  CString strFormat;
  if (!strFormat.LoadString(nFormatID)) AfxThrowResourceException();
  va_list args;
  va_start(args, nFormatID);
  FormatV(strFormat, args);
  va_end(args);
}

BSTR CString::AllocSysString() const {
  BSTR bstr = ::SysAllocStringLen(m_pchData, (UINT)GetLength());
  if (bstr == NULL) AfxThrowMemoryException();
  return bstr;
}

BSTR CString::SetSysString(BSTR* pbstr) const {
  if (pbstr == NULL) AfxThrowInvalidArgException();
  if (!::SysReAllocStringLen(pbstr, m_pchData, (UINT)GetLength())) AfxThrowMemoryException();
  return *pbstr;
}
