// Windows-only members of the exception classes.
#include "classlib/core/CException.h"

int CException::ReportError(UINT nType, UINT nMessageID) {
  TCHAR szErrorMessage[512];
  CString text;
  if (GetErrorMessage(szErrorMessage, _countof(szErrorMessage))) {
    text = szErrorMessage;
  } else if (nMessageID == 0 || !text.LoadString(nMessageID)) {
    text = _T("No error message is available.");
  }
  return ::MessageBoxW(::GetActiveWindow(), text, NULL, nType);
}
