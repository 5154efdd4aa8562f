#include "classlib/core/CTime.h"

#include <cstring>
#include <cwchar>
#include <string>

#include "classlib/core/CException.h"

namespace {

// 100 ns intervals between 1601-01-01 and 1970-01-01.
const LONGLONG kFileTimeEpochOffset = 116444736000000000LL;
const LONGLONG kTicksPerSecond = 10000000LL;

bool ToLocalTm(LONGLONG t, struct tm* ptm) {
  std::memset(ptm, 0, sizeof *ptm);
#ifdef _WIN32
  __time64_t t64 = (__time64_t)t;
  return _localtime64_s(ptm, &t64) == 0;
#else
  time_t tt = (time_t)t;
  return localtime_r(&tt, ptm) != NULL;
#endif
}

bool ToGmtTm(LONGLONG t, struct tm* ptm) {
  std::memset(ptm, 0, sizeof *ptm);
#ifdef _WIN32
  __time64_t t64 = (__time64_t)t;
  return _gmtime64_s(ptm, &t64) == 0;
#else
  time_t tt = (time_t)t;
  return gmtime_r(&tt, ptm) != NULL;
#endif
}

LONGLONG FromLocalTm(struct tm* ptm) {
#ifdef _WIN32
  return (LONGLONG)_mktime64(ptm);
#else
  return (LONGLONG)mktime(ptm);
#endif
}

// Keeps only conversions that every C runtime knows; anything else is copied as text, so that a
// format can never reach a runtime's invalid-parameter handler.
std::wstring SafeStrftimeFormat(LPCTSTR pFormat) {
  static const wchar_t kKnown[] = L"aAbBcdHIjmMpSUwWxXyYzZ%";
  std::wstring out;
  for (LPCTSTR p = pFormat; *p != 0; ++p) {
    if (*p != '%') {
      out.push_back(*p);
      continue;
    }
    LPCTSTR q = p + 1;
    bool alt = false;
    if (*q == '#') {
      alt = true;
      ++q;
    }
    if (*q != 0 && std::wcschr(kKnown, *q) != NULL) {
      out.push_back('%');
#ifdef _WIN32
      if (alt) out.push_back('#');
#else
      (void)alt;
#endif
      out.push_back(*q);
      p = q;
    } else {
      out.append(L"%%");  // a lone or unknown '%' shows as itself
    }
  }
  return out;
}

}  // namespace

CString AFXAPI AfxFormatTm(const struct tm& tmValue, LPCTSTR pFormat) {
  if (pFormat == NULL) AfxThrowInvalidArgException();
  std::wstring format = SafeStrftimeFormat(pFormat);
  if (format.empty()) return CString();
  for (size_t size = 256; size <= 65536; size *= 4) {
    std::wstring buf(size, L'\0');
    size_t n = std::wcsftime(&buf[0], size, format.c_str(), &tmValue);
    if (n > 0) return CString(buf.c_str(), (int)n);
  }
  return CString();  // the result is empty (or absurdly long)
}

CString CTimeSpan::Format(LPCTSTR pFormat) const {
  if (pFormat == NULL) AfxThrowInvalidArgException();
  CString result;
  for (LPCTSTR p = pFormat; *p != 0; ++p) {
    if (*p != '%' || p[1] == 0) {
      result += *p;
      continue;
    }
    switch (*++p) {
      case 'D': result.AppendFormat(_T("%I64d"), GetDays()); break;
      case 'H': result.AppendFormat(_T("%02ld"), GetHours()); break;
      case 'M': result.AppendFormat(_T("%02ld"), GetMinutes()); break;
      case 'S': result.AppendFormat(_T("%02ld"), GetSeconds()); break;
      case '%': result += _T('%'); break;
      default:
        result += _T('%');
        result += *p;
        break;
    }
  }
  return result;
}

CTime PASCAL CTime::GetCurrentTime() { return CTime((LONGLONG)::time(NULL)); }

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST) {
  if (nYear < 1900 || nYear > 3000 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31 || nHour < 0 ||
      nHour > 23 || nMin < 0 || nMin > 59 || nSec < 0 || nSec > 59) {
    AfxThrowInvalidArgException();
  }
  struct tm atm;
  std::memset(&atm, 0, sizeof atm);
  atm.tm_sec = nSec;
  atm.tm_min = nMin;
  atm.tm_hour = nHour;
  atm.tm_mday = nDay;
  atm.tm_mon = nMonth - 1;
  atm.tm_year = nYear - 1900;
  atm.tm_isdst = nDST;
  m_time = FromLocalTm(&atm);
  if (m_time == -1) AfxThrowInvalidArgException();
}

CTime::CTime(const SYSTEMTIME& st, int nDST) : m_time(0) {
  if (st.wYear < 1900) return;
  *this = CTime((int)st.wYear, (int)st.wMonth, (int)st.wDay, (int)st.wHour, (int)st.wMinute, (int)st.wSecond, nDST);
}

CTime::CTime(const FILETIME& ft, int) {
  ULONGLONG ticks = ((ULONGLONG)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
  if (ticks > (ULONGLONG)INT64_MAX) AfxThrowInvalidArgException();
  LONGLONG rel = (LONGLONG)ticks - kFileTimeEpochOffset;
  // Floor division: instants before 1970 round down like the whole seconds they fall in.
  LONGLONG secs = rel / kTicksPerSecond;
  if (rel % kTicksPerSecond < 0) --secs;
  m_time = secs;
}

BOOL PASCAL CTime::IsValidFILETIME(const FILETIME& ft) {
  ULONGLONG ticks = ((ULONGLONG)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
  if (ticks > (ULONGLONG)INT64_MAX) return FALSE;
  struct tm atm;
  return ToGmtTm(((LONGLONG)ticks - kFileTimeEpochOffset) / kTicksPerSecond, &atm);
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const {
  if (ptm == NULL) AfxThrowInvalidArgException();
  return ToLocalTm(m_time, ptm) ? ptm : NULL;
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const {
  if (ptm == NULL) AfxThrowInvalidArgException();
  return ToGmtTm(m_time, ptm) ? ptm : NULL;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const {
  struct tm ttm;
  if (!ToLocalTm(m_time, &ttm)) return FALSE;
  st.wYear = (WORD)(1900 + ttm.tm_year);
  st.wMonth = (WORD)(1 + ttm.tm_mon);
  st.wDayOfWeek = (WORD)ttm.tm_wday;
  st.wDay = (WORD)ttm.tm_mday;
  st.wHour = (WORD)ttm.tm_hour;
  st.wMinute = (WORD)ttm.tm_min;
  st.wSecond = (WORD)ttm.tm_sec;
  st.wMilliseconds = 0;
  return TRUE;
}

BOOL CTime::GetAsFileTime(FILETIME& ft) const {
  if (m_time < -kFileTimeEpochOffset / kTicksPerSecond ||
      m_time > (INT64_MAX - kFileTimeEpochOffset) / kTicksPerSecond) {
    return FALSE;
  }
  ULONGLONG ticks = (ULONGLONG)(m_time * kTicksPerSecond + kFileTimeEpochOffset);
  ft.dwLowDateTime = (DWORD)ticks;
  ft.dwHighDateTime = (DWORD)(ticks >> 32);
  return TRUE;
}

namespace {
struct tm LocalOrZero(LONGLONG t) {
  struct tm ttm;
  if (!ToLocalTm(t, &ttm)) {
    std::memset(&ttm, 0, sizeof ttm);
    ttm.tm_year = -1900;  // calendar members read 0 for an instant that cannot be shown
    ttm.tm_mon = -1;
  }
  return ttm;
}
}  // namespace

int CTime::GetYear() const { return LocalOrZero(m_time).tm_year + 1900; }
int CTime::GetMonth() const { return LocalOrZero(m_time).tm_mon + 1; }
int CTime::GetDay() const { return LocalOrZero(m_time).tm_mday; }
int CTime::GetHour() const { return LocalOrZero(m_time).tm_hour; }
int CTime::GetMinute() const { return LocalOrZero(m_time).tm_min; }
int CTime::GetSecond() const { return LocalOrZero(m_time).tm_sec; }
int CTime::GetDayOfWeek() const {
  struct tm ttm;
  return ToLocalTm(m_time, &ttm) ? ttm.tm_wday + 1 : 0;
}

CString CTime::Format(LPCTSTR pFormat) const {
  struct tm ttm;
  if (!ToLocalTm(m_time, &ttm)) return CString();
  return AfxFormatTm(ttm, pFormat);
}

CString CTime::FormatGmt(LPCTSTR pFormat) const {
  struct tm ttm;
  if (!ToGmtTm(m_time, &ttm)) return CString();
  return AfxFormatTm(ttm, pFormat);
}
