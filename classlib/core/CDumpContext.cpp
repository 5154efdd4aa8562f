#include "classlib/core/AfxTypes.h"
#include "classlib/core/CObject.h"
#include "classlib/core/CString.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

CDumpContext afxDump;

namespace {
void OutputText(const char* text) {
#ifdef _WIN32
  ::OutputDebugStringA(text);
#else
  std::fputs(text, stderr);
#endif
}
}  // namespace

CDumpContext& CDumpContext::operator<<(LPCSTR lpsz) {
  OutputText(lpsz == NULL ? "(NULL)" : lpsz);
  return *this;
}

CDumpContext& CDumpContext::operator<<(LPCWSTR lpsz) {
  if (lpsz == NULL) return *this << "(NULL)";
  std::string text;
  for (; *lpsz != 0; ++lpsz) text.push_back((unsigned)*lpsz < 0x80 ? (char)*lpsz : '?');
  return *this << text.c_str();
}

CDumpContext& CDumpContext::operator<<(const void* lp) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "$%p", lp);
  return *this << buf;
}

CDumpContext& CDumpContext::operator<<(const CObject* pOb) {
  if (pOb == NULL) return *this << "NULL";
  pOb->Dump(*this);
  return *this;
}

CDumpContext& CDumpContext::operator<<(const CObject& ob) { return *this << &ob; }

CDumpContext& CDumpContext::operator<<(int n) { return *this << (LONGLONG)n; }
CDumpContext& CDumpContext::operator<<(UINT u) { return *this << (ULONGLONG)u; }

CDumpContext& CDumpContext::operator<<(LONGLONG n) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%lld", (long long)n);
  return *this << buf;
}

CDumpContext& CDumpContext::operator<<(ULONGLONG n) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%llu", (unsigned long long)n);
  return *this << buf;
}

CDumpContext& CDumpContext::operator<<(double d) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%g", d);
  return *this << buf;
}

void AFXAPI AfxAssertFailedLine(const char* lpszFileName, int nLine) {
  char buf[512];
  std::snprintf(buf, sizeof buf, "Assertion failed: %s(%d)\n", lpszFileName ? lpszFileName : "?", nLine);
  OutputText(buf);
  std::abort();
}

void AFX_CDECL AfxTrace(const wchar_t* lpszFormat, ...) {
  if (lpszFormat == NULL) return;
  va_list args;
  va_start(args, lpszFormat);
  CString text;
  text.FormatV(lpszFormat, args);
  va_end(args);
  afxDump << (LPCTSTR)text;
}
