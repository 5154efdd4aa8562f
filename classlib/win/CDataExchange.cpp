#include "classlib/win/CDataExchange.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cwchar>

#include "classlib/win/AfxThreadState.h"
#include "classlib/win/CWinApp.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(NULL), m_bEditLastControl(FALSE) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
  if (hWndCtrl == NULL) throw CDataExchangeFailure();  // a template without the control
  m_hWndLastControl = hWndCtrl;
  m_bEditLastControl = FALSE;
  return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND hWndCtrl = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return hWndCtrl;
}

void CDataExchange::Fail() {
  if (!m_bSaveAndValidate) return;  // loading never fails
  if (m_hWndLastControl != NULL) {
    if (m_bEditLastControl) {
      ::SetFocus(m_hWndLastControl);
      ::SendMessageW(m_hWndLastControl, EM_SETSEL, 0, -1);
    } else {
      ::SetFocus(m_hWndLastControl);
    }
  }
  throw CDataExchangeFailure();
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  // Notifications the exchange causes (EN_CHANGE on SetWindowText) are not acted on.
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  HWND hWndOldLockout = pState->m_hLockoutNotifyWindow;
  pState->m_hLockoutNotifyWindow = m_hWnd;
  BOOL bOK = FALSE;
  try {
    DoDataExchange(&dx);
    bOK = TRUE;
  } catch (CDataExchangeFailure&) {
    bOK = FALSE;  // the user has been told
  } catch (CException* e) {
    AfxReportException(e, MB_ICONEXCLAMATION);
    e->Delete();
  }
  pState->m_hLockoutNotifyWindow = hWndOldLockout;
  return bOK;
}

void CWnd::DoDataExchange(CDataExchange*) {}

namespace {

CString WindowText(HWND hWnd) {
  int nLen = ::GetWindowTextLengthW(hWnd);
  CString str;
  if (nLen > 0) {
    int nGot = ::GetWindowTextW(hWnd, str.GetBuffer(nLen + 1), nLen + 1);
    str.ReleaseBuffer(nGot < 0 ? 0 : nGot);
  }
  return str;
}

void SetWindowTextIfChanged(HWND hWnd, LPCTSTR lpszNew) {
  CString strOld = WindowText(hWnd);
  if (lstrcmpW(strOld, lpszNew) != 0) ::SetWindowTextW(hWnd, lpszNew);
}

void FailWith(CDataExchange* pDX, LPCTSTR lpszPrompt) {
  AfxMessageBox(lpszPrompt, MB_ICONEXCLAMATION);
  pDX->Fail();
}

// Whole-text parses: leading and trailing blanks allowed, nothing else, and in range.
bool ParseSigned(LPCTSTR psz, long long minVal, long long maxVal, long long* pValue) {
  while (*psz == L' ' || *psz == L'\t') ++psz;
  if (*psz == 0) return false;
  errno = 0;
  wchar_t* pEnd = NULL;
  long long v = wcstoll(psz, &pEnd, 10);
  if (pEnd == psz || errno == ERANGE) return false;
  while (*pEnd == L' ' || *pEnd == L'\t') ++pEnd;
  if (*pEnd != 0 || v < minVal || v > maxVal) return false;
  *pValue = v;
  return true;
}

bool ParseUnsigned(LPCTSTR psz, unsigned long long maxVal, unsigned long long* pValue) {
  while (*psz == L' ' || *psz == L'\t') ++psz;
  if (*psz == 0 || *psz == L'-') return false;
  errno = 0;
  wchar_t* pEnd = NULL;
  unsigned long long v = wcstoull(psz, &pEnd, 10);
  if (pEnd == psz || errno == ERANGE) return false;
  while (*pEnd == L' ' || *pEnd == L'\t') ++pEnd;
  if (*pEnd != 0 || v > maxVal) return false;
  *pValue = v;
  return true;
}

bool ParseReal(LPCTSTR psz, double* pValue) {
  while (*psz == L' ' || *psz == L'\t') ++psz;
  if (*psz == 0) return false;
  errno = 0;
  wchar_t* pEnd = NULL;
  double v = wcstod(psz, &pEnd);
  if (pEnd == psz || errno == ERANGE) return false;
  while (*pEnd == L' ' || *pEnd == L'\t') ++pEnd;
  if (*pEnd != 0) return false;
  *pValue = v;
  return true;
}

template <typename T>
void TextSigned(CDataExchange* pDX, int nIDC, T& value, long long minVal, long long maxVal) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    long long v = 0;
    if (!ParseSigned(WindowText(hWndCtrl), minVal, maxVal, &v)) FailWith(pDX, L"Please enter an integer.");
    value = (T)v;
  } else {
    WCHAR sz[32];
    swprintf(sz, 32, L"%lld", (long long)value);
    SetWindowTextIfChanged(hWndCtrl, sz);
  }
}

template <typename T>
void TextUnsigned(CDataExchange* pDX, int nIDC, T& value, unsigned long long maxVal) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    unsigned long long v = 0;
    if (!ParseUnsigned(WindowText(hWndCtrl), maxVal, &v)) FailWith(pDX, L"Please enter a positive integer.");
    value = (T)v;
  } else {
    WCHAR sz[32];
    swprintf(sz, 32, L"%llu", (unsigned long long)value);
    SetWindowTextIfChanged(hWndCtrl, sz);
  }
}

template <typename T>
void TextReal(CDataExchange* pDX, int nIDC, T& value, int nDigits) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    double v = 0;
    if (!ParseReal(WindowText(hWndCtrl), &v)) FailWith(pDX, L"Please enter a number.");
    value = (T)v;
  } else {
    WCHAR sz[64];
    swprintf(sz, 64, L"%.*g", nDigits, (double)value);
    SetWindowTextIfChanged(hWndCtrl, sz);
  }
}

template <typename T>
void MinMax(CDataExchange* pDX, T value, T minVal, T maxVal, LPCTSTR lpszFormat) {
  if (!pDX->m_bSaveAndValidate) return;  // only values the user entered are checked
  if (value < minVal || value > maxVal) {
    WCHAR sz[256];
    swprintf(sz, 256, lpszFormat, minVal, maxVal);
    FailWith(pDX, sz);
  }
}

}  // namespace

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = WindowText(hWndCtrl);
  else
    SetWindowTextIfChanged(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value) { TextSigned(pDX, nIDC, value, INT_MIN, INT_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value) { TextSigned(pDX, nIDC, value, LONG_MIN, LONG_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value) { TextSigned(pDX, nIDC, value, SHRT_MIN, SHRT_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { TextUnsigned(pDX, nIDC, value, UINT_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value) { TextUnsigned(pDX, nIDC, value, 0xFFFFFFFFull); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) { TextUnsigned(pDX, nIDC, value, 255); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value) { TextReal(pDX, nIDC, value, 15); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value) { TextReal(pDX, nIDC, value, 6); }

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = (int)::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0);
  } else {
    if (value < 0 || value > 2) value = 0;  // only the three button states exist
    ::SendMessageW(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
  }
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  // nIDC is the first button of a group; the group runs to the next WS_GROUP control.
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) value = -1;
  int iButton = 0;
  do {
    if (::SendMessageW(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
      if (pDX->m_bSaveAndValidate) {
        if (::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0) != 0) value = iButton;
      } else {
        ::SendMessageW(hWndCtrl, BM_SETCHECK, (iButton == value), 0);
      }
      iButton++;
    }
    hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
  } while (hWndCtrl != NULL && !(::GetWindowLongW(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd != NULL) return;
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (!rControl.SubclassWindow(hWndCtrl)) throw CDataExchangeFailure();
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
  MinMax(pDX, value, minVal, maxVal, L"Please enter an integer between %d and %d.");
}
void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
  MinMax(pDX, value, minVal, maxVal, L"Please enter an integer between %ld and %ld.");
}
void AFXAPI DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal) {
  MinMax<int>(pDX, value, minVal, maxVal, L"Please enter an integer between %d and %d.");
}
void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
  MinMax(pDX, value, minVal, maxVal, L"Please enter an integer between %u and %u.");
}
void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) {
  MinMax<unsigned long>(pDX, value, minVal, maxVal, L"Please enter an integer between %lu and %lu.");
}
void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal) {
  MinMax<UINT>(pDX, value, minVal, maxVal, L"Please enter an integer between %u and %u.");
}
void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal) {
  MinMax(pDX, value, minVal, maxVal, L"Please enter a number between %g and %g.");
}
void AFXAPI DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal) {
  MinMax<double>(pDX, value, minVal, maxVal, L"Please enter a number between %g and %g.");
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
  if (pDX->m_bSaveAndValidate) {
    if (value.GetLength() > nChars) {
      WCHAR sz[128];
      swprintf(sz, 128, L"Enter no more than %d characters.", nChars);
      FailWith(pDX, sz);
    }
  } else if (pDX->m_hWndLastControl != NULL && pDX->m_bEditLastControl) {
    ::SendMessageW(pDX->m_hWndLastControl, EM_LIMITTEXT, (WPARAM)nChars, 0);
  }
}
