// COleDateTime: a date and time in the OLE DATE form (days since 1899-12-30 as a double, the
// fraction being the time of day) with a status. Valid dates run from the year 100 to 9999.
// Text parsing (ParseDateTime) needs the system's locale and is not part of the portable core.
#pragma once

#include "classlib/core/AfxTypes.h"
#include "classlib/core/CString.h"
#include "classlib/core/CTime.h"

class CArchive;

#ifndef _WIN32
typedef double DATE;
#endif

class COleDateTime {
 public:
  enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

  static COleDateTime PASCAL GetCurrentTime();

  COleDateTime() : m_dt(0), m_status(valid) {}
  COleDateTime(DATE dtSrc) : m_dt(dtSrc), m_status(valid) { CheckRange(); }
  COleDateTime(const CTime& timeSrc);
  COleDateTime(const SYSTEMTIME& systimeSrc);
  COleDateTime(const FILETIME& filetimeSrc);  // UTC, kept as it is
  COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);

  DateTimeStatus GetStatus() const { return m_status; }
  void SetStatus(DateTimeStatus status) { m_status = status; }
  operator DATE() const { return m_dt; }

  // Each returns 0 when it fails and sets the status to invalid for impossible values.
  int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
  int SetDate(int nYear, int nMonth, int nDay) { return SetDateTime(nYear, nMonth, nDay, 0, 0, 0); }
  int SetTime(int nHour, int nMin, int nSec) { return SetDateTime(1899, 12, 30, nHour, nMin, nSec); }

  // Calendar fields; -1 (AFX_OLE_DATETIME_ERROR) when the value is not valid.
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const;  // 1 = Sunday
  int GetDayOfYear() const;  // 1 = January 1st
  BOOL GetAsSystemTime(SYSTEMTIME& sysTime) const;

  bool operator==(const COleDateTime& date) const { return m_status == date.m_status && m_dt == date.m_dt; }
  bool operator!=(const COleDateTime& date) const { return !(*this == date); }
  bool operator<(const COleDateTime& date) const { return Ordinal() < date.Ordinal(); }
  bool operator>(const COleDateTime& date) const { return Ordinal() > date.Ordinal(); }
  bool operator<=(const COleDateTime& date) const { return Ordinal() <= date.Ordinal(); }
  bool operator>=(const COleDateTime& date) const { return Ordinal() >= date.Ordinal(); }

  // strftime-style text (as CTime::Format); "" for a null value and "Invalid DateTime" for an
  // invalid one. Years before 1900 give "".
  CString Format(LPCTSTR lpszFormat) const;

  DATE m_dt;
  DateTimeStatus m_status;

 private:
  friend CArchive& AFXAPI operator>>(CArchive& ar, COleDateTime& dateSrc);
  void CheckRange();
  // Seconds since 1899-12-30 on a straight line (DATE values below zero are not monotonic).
  double Ordinal() const;
  bool ToFields(int& nYear, int& nMonth, int& nDay, int& nHour, int& nMin, int& nSec, int& nDayOfWeek,
                int& nDayOfYear) const;
};

#define AFX_OLE_DATETIME_ERROR (-1)

// The class library's stored form: the status as a 32-bit value, then the DATE as a double.
CArchive& AFXAPI operator<<(CArchive& ar, COleDateTime dateSrc);
CArchive& AFXAPI operator>>(CArchive& ar, COleDateTime& dateSrc);
