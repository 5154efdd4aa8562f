#include "toolkit/base/WindowsVersion.h"

namespace {

OSVERSIONINFOW ReadVersion()
{
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof(info);
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
  GetVersionExW(&info);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
  return info;
}

OSVERSIONINFOW& Record()
{
  static OSVERSIONINFOW record = ReadVersion();
  return record;
}

const OSVERSIONINFOW& g_startupRecord = Record();

bool Is(DWORD platform, DWORD major, DWORD minor)
{
  const OSVERSIONINFOW& r = Record();
  return r.dwPlatformId == platform && r.dwMajorVersion == major && r.dwMinorVersion == minor;
}

}  // namespace

BOOL CTKPWindowsVersion::IsWin95()
{
  const OSVERSIONINFOW& r = Record();
  return r.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && r.dwMajorVersion == 4 && r.dwMinorVersion < 10;
}

BOOL CTKPWindowsVersion::IsWin98() { return Is(VER_PLATFORM_WIN32_WINDOWS, 4, 10); }
BOOL CTKPWindowsVersion::IsWinNT4() { return Is(VER_PLATFORM_WIN32_NT, 4, 0); }
BOOL CTKPWindowsVersion::IsWin2000() { return Is(VER_PLATFORM_WIN32_NT, 5, 0); }
BOOL CTKPWindowsVersion::IsWinXP() { return Is(VER_PLATFORM_WIN32_NT, 5, 1); }

BOOL CTKPWindowsVersion::IsVersion(DWORD major, DWORD minor)
{
  return Record().dwMajorVersion == major && Record().dwMinorVersion == minor;
}

const OSVERSIONINFOW& CTKPWindowsVersion::GetRecord() { return Record(); }

void CTKPWindowsVersion::SetRecord(const OSVERSIONINFOW& record) { Record() = record; }

void CTKPWindowsVersion::Reset() { Record() = ReadVersion(); }
