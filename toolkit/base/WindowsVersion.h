// The process-wide record of the Windows version and the few questions the toolkit asks of it.
#pragma once

#include <windows.h>

class CTKPWindowsVersion
{
public:
  static BOOL IsWin95();    // platform 1, 4.0 to 4.9
  static BOOL IsWin98();    // platform 1, 4.10
  static BOOL IsWinNT4();   // platform 2, 4.0
  static BOOL IsWin2000();  // platform 2, 5.0
  static BOOL IsWinXP();    // platform 2, 5.1
  static BOOL IsVersion(DWORD major, DWORD minor);

  static const OSVERSIONINFOW& GetRecord();
  // Replaces the record (tests describe other systems with it).
  static void SetRecord(const OSVERSIONINFOW& record);
  // Reads the record from the system again.
  static void Reset();
};
