// CTime (an instant, seconds since 1970-01-01 UTC, 64-bit) and CTimeSpan (a signed duration in
// seconds). The calendar members work in local time, as in the class library.
#pragma once

#include <ctime>

#include "classlib/core/AfxTypes.h"
#include "classlib/core/CString.h"

class CTimeSpan {
 public:
  CTimeSpan() : m_timeSpan(0) {}
  CTimeSpan(LONGLONG time) : m_timeSpan(time) {}
  CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
      : m_timeSpan(nSecs + 60 * (LONGLONG)(nMins + 60 * (LONGLONG)(nHours + 24 * (LONGLONG)lDays))) {}

  LONGLONG GetDays() const { return m_timeSpan / (24 * 3600); }
  LONGLONG GetTotalHours() const { return m_timeSpan / 3600; }
  LONG GetHours() const { return (LONG)(GetTotalHours() - GetDays() * 24); }
  LONGLONG GetTotalMinutes() const { return m_timeSpan / 60; }
  LONG GetMinutes() const { return (LONG)(GetTotalMinutes() - GetTotalHours() * 60); }
  LONGLONG GetTotalSeconds() const { return m_timeSpan; }
  LONG GetSeconds() const { return (LONG)(GetTotalSeconds() - GetTotalMinutes() * 60); }
  LONGLONG GetTimeSpan() const { return m_timeSpan; }

  CTimeSpan operator+(CTimeSpan span) const { return CTimeSpan(m_timeSpan + span.m_timeSpan); }
  CTimeSpan operator-(CTimeSpan span) const { return CTimeSpan(m_timeSpan - span.m_timeSpan); }
  CTimeSpan& operator+=(CTimeSpan span) {
    m_timeSpan += span.m_timeSpan;
    return *this;
  }
  CTimeSpan& operator-=(CTimeSpan span) {
    m_timeSpan -= span.m_timeSpan;
    return *this;
  }
  bool operator==(CTimeSpan span) const { return m_timeSpan == span.m_timeSpan; }
  bool operator!=(CTimeSpan span) const { return m_timeSpan != span.m_timeSpan; }
  bool operator<(CTimeSpan span) const { return m_timeSpan < span.m_timeSpan; }
  bool operator>(CTimeSpan span) const { return m_timeSpan > span.m_timeSpan; }
  bool operator<=(CTimeSpan span) const { return m_timeSpan <= span.m_timeSpan; }
  bool operator>=(CTimeSpan span) const { return m_timeSpan >= span.m_timeSpan; }

  // %D days, %H hours (00-23), %M minutes, %S seconds, %% a percent sign.
  CString Format(LPCTSTR pFormat) const;

 private:
  LONGLONG m_timeSpan;
};

class CTime {
 public:
  static CTime PASCAL GetCurrentTime();
  static BOOL PASCAL IsValidFILETIME(const FILETIME& ft);

  CTime() : m_time(0) {}
  CTime(LONGLONG time) : m_time(time) {}
  // Local calendar time; nDST < 0 lets the C library decide on daylight saving time. Values out
  // of range throw CInvalidArgException.
  CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
  CTime(const SYSTEMTIME& st, int nDST = -1);
  // A FILETIME is UTC; the instant is kept exactly.
  CTime(const FILETIME& ft, int nDST = -1);

  CTime& operator=(LONGLONG time) {
    m_time = time;
    return *this;
  }

  LONGLONG GetTime() const { return m_time; }

  // Broken-down local (or UTC) time; NULL when the instant cannot be represented.
  struct tm* GetLocalTm(struct tm* ptm) const;
  struct tm* GetGmtTm(struct tm* ptm) const;
  BOOL GetAsSystemTime(SYSTEMTIME& st) const;  // local time
  BOOL GetAsFileTime(FILETIME& ft) const;      // UTC

  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const;  // 1 = Sunday

  CTimeSpan operator-(CTime time) const { return CTimeSpan(m_time - time.m_time); }
  CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTimeSpan()); }
  CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTimeSpan()); }
  CTime& operator+=(CTimeSpan span) {
    m_time += span.GetTimeSpan();
    return *this;
  }
  CTime& operator-=(CTimeSpan span) {
    m_time -= span.GetTimeSpan();
    return *this;
  }
  bool operator==(CTime time) const { return m_time == time.m_time; }
  bool operator!=(CTime time) const { return m_time != time.m_time; }
  bool operator<(CTime time) const { return m_time < time.m_time; }
  bool operator>(CTime time) const { return m_time > time.m_time; }
  bool operator<=(CTime time) const { return m_time <= time.m_time; }
  bool operator>=(CTime time) const { return m_time >= time.m_time; }

  // strftime-style formatting of the local (or UTC) time. Unknown conversions are copied as they
  // stand; an instant that cannot be broken down gives an empty string.
  CString Format(LPCTSTR pFormat) const;
  CString FormatGmt(LPCTSTR pFormat) const;

 private:
  LONGLONG m_time;
};

// strftime-style formatting of a broken-down time with the rules of CTime::Format.
CString AFXAPI AfxFormatTm(const struct tm& tmValue, LPCTSTR pFormat);
