#include "classlib/core/COleDateTime.h"

#include <cmath>
#include <cstring>

#include "classlib/core/CArchive.h"

namespace {

const double kMinDate = -657434.0;           // 0100-01-01
const double kMaxDate = 2958465.99999999;    // 9999-12-31 23:59:59
const long long kDaysTo1970 = 25569;         // 1899-12-30 .. 1970-01-01

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = (unsigned)(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + (long long)doe - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = (unsigned)(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = (int)(doy - (153 * mp + 2) / 5 + 1);
  m = (int)(mp < 10 ? mp + 3 : mp - 9);
  y = (int)((long long)yoe + era * 400 + (m <= 2));
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

}  // namespace

COleDateTime PASCAL COleDateTime::GetCurrentTime() { return COleDateTime(CTime::GetCurrentTime()); }

COleDateTime::COleDateTime(const CTime& timeSrc) : m_dt(0), m_status(valid) {
  struct tm ttm;
  if (timeSrc.GetLocalTm(&ttm) == NULL) {
    m_status = invalid;
    return;
  }
  SetDateTime(ttm.tm_year + 1900, ttm.tm_mon + 1, ttm.tm_mday, ttm.tm_hour, ttm.tm_min, ttm.tm_sec);
}

COleDateTime::COleDateTime(const SYSTEMTIME& st) : m_dt(0), m_status(valid) {
  SetDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

COleDateTime::COleDateTime(const FILETIME& ft) : m_dt(0), m_status(valid) {
  ULONGLONG ticks = ((ULONGLONG)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
  long long secs = (long long)(ticks / 10000000ULL);
  // 1601-01-01 lies 109205 days before 1899-12-30.
  long long days = secs / 86400 - 109205;
  long long rest = secs % 86400;
  int y, m, d;
  CivilFromDays(days - kDaysTo1970, y, m, d);
  SetDateTime(y, m, d, (int)(rest / 3600), (int)(rest / 60 % 60), (int)(rest % 60));
}

COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) : m_dt(0), m_status(valid) {
  SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
}

void COleDateTime::CheckRange() {
  if (!(m_dt >= kMinDate && m_dt <= kMaxDate)) m_status = invalid;  // NaN fails too
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) {
  if (nYear < 100 || nYear > 9999 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > DaysInMonth(nYear, nMonth) ||
      nHour < 0 || nHour > 23 || nMin < 0 || nMin > 59 || nSec < 0 || nSec > 59) {
    m_dt = 0;
    m_status = invalid;
    return 0;
  }
  double days = (double)(DaysFromCivil(nYear, (unsigned)nMonth, (unsigned)nDay) + kDaysTo1970);
  double time = (nHour * 3600 + nMin * 60 + nSec) / 86400.0;
  m_dt = days >= 0 ? days + time : days - time;
  m_status = valid;
  return 1;
}

double COleDateTime::Ordinal() const {
  double whole = std::trunc(m_dt);
  double frac = std::fabs(m_dt - whole);
  return whole + frac;
}

bool COleDateTime::ToFields(int& nYear, int& nMonth, int& nDay, int& nHour, int& nMin, int& nSec, int& nDayOfWeek,
                            int& nDayOfYear) const {
  if (m_status != valid || !(m_dt >= kMinDate && m_dt <= kMaxDate)) return false;
  double whole = std::trunc(m_dt);
  long long days = (long long)whole;
  long long secs = std::llround(std::fabs(m_dt - whole) * 86400.0);
  if (secs >= 86400) {
    secs -= 86400;
    days += m_dt >= 0 ? 1 : -1;
  }
  CivilFromDays(days - kDaysTo1970, nYear, nMonth, nDay);
  nHour = (int)(secs / 3600);
  nMin = (int)(secs / 60 % 60);
  nSec = (int)(secs % 60);
  long long dow = (days - kDaysTo1970 + 4) % 7;  // 1970-01-01 was a Thursday
  if (dow < 0) dow += 7;
  nDayOfWeek = (int)dow + 1;
  nDayOfYear = (int)(DaysFromCivil(nYear, (unsigned)nMonth, (unsigned)nDay) - DaysFromCivil(nYear, 1, 1)) + 1;
  return true;
}

#define AFX_OLE_FIELD(name, field)                                                \
  int COleDateTime::name() const {                                                \
    int y, mo, d, h, mi, s, dow, doy;                                             \
    return ToFields(y, mo, d, h, mi, s, dow, doy) ? field : AFX_OLE_DATETIME_ERROR; \
  }
AFX_OLE_FIELD(GetYear, y)
AFX_OLE_FIELD(GetMonth, mo)
AFX_OLE_FIELD(GetDay, d)
AFX_OLE_FIELD(GetHour, h)
AFX_OLE_FIELD(GetMinute, mi)
AFX_OLE_FIELD(GetSecond, s)
AFX_OLE_FIELD(GetDayOfWeek, dow)
AFX_OLE_FIELD(GetDayOfYear, doy)
#undef AFX_OLE_FIELD

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& st) const {
  int y, mo, d, h, mi, s, dow, doy;
  if (!ToFields(y, mo, d, h, mi, s, dow, doy)) return FALSE;
  st.wYear = (WORD)y;
  st.wMonth = (WORD)mo;
  st.wDayOfWeek = (WORD)(dow - 1);
  st.wDay = (WORD)d;
  st.wHour = (WORD)h;
  st.wMinute = (WORD)mi;
  st.wSecond = (WORD)s;
  st.wMilliseconds = 0;
  return TRUE;
}

CString COleDateTime::Format(LPCTSTR lpszFormat) const {
  if (m_status == null) return CString();
  int y, mo, d, h, mi, s, dow, doy;
  if (!ToFields(y, mo, d, h, mi, s, dow, doy)) return CString(_T("Invalid DateTime"));
  if (y < 1900) return CString();
  struct tm ttm;
  std::memset(&ttm, 0, sizeof ttm);
  ttm.tm_year = y - 1900;
  ttm.tm_mon = mo - 1;
  ttm.tm_mday = d;
  ttm.tm_hour = h;
  ttm.tm_min = mi;
  ttm.tm_sec = s;
  ttm.tm_wday = dow - 1;
  ttm.tm_yday = doy - 1;
  ttm.tm_isdst = -1;
  return AfxFormatTm(ttm, lpszFormat);
}

CArchive& AFXAPI operator<<(CArchive& ar, COleDateTime dateSrc) {
  ar << (LONG)dateSrc.m_status;
  return ar << dateSrc.m_dt;
}

CArchive& AFXAPI operator>>(CArchive& ar, COleDateTime& dateSrc) {
  LONG status;
  ar >> status;
  ar >> dateSrc.m_dt;
  switch (status) {
    case COleDateTime::valid:
    case COleDateTime::invalid:
    case COleDateTime::null:
    case COleDateTime::error: dateSrc.m_status = (COleDateTime::DateTimeStatus)status; break;
    default: dateSrc.m_status = COleDateTime::invalid; break;
  }
  if (dateSrc.m_status == COleDateTime::valid) dateSrc.CheckRange();
  return ar;
}
