#include "toolkit/base/UxThemeWrapper.h"
#include "toolkit/base/WindowsVersion.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace {

class UxThemeTest : public ::testing::Test
{
protected:
  void TearDown() override
  {
    CTKPUxThemeWrapper::SetForceUnavailable(FALSE);
    CTKPUxThemeWrapper::SetComCtlVersion(savedVersion);
  }
  DWORD savedVersion = CTKPUxThemeWrapper::GetComCtlVersion();
};

}  // namespace

TEST_F(UxThemeTest, WineRunsWithItsOwnStyleAndOldCommonControls)
{
  CTKPUxThemeWrapper theme;
  EXPECT_TRUE(theme.IsThemeActive());
  theme.OpenThemeData(nullptr, L"TREEVIEW");
  EXPECT_NE(nullptr, theme.GetThemeHandle());
  COLORREF color = 0x12345678;
  EXPECT_TRUE(SUCCEEDED(theme.GetThemeColor(0, 0, 3801, &color)));
  EXPECT_EQ(0u, color & 0xFF000000);
  theme.CloseThemeData();
  EXPECT_EQ(nullptr, theme.GetThemeHandle());
  // No manifest: version 5 common controls, so the application's theme is not active.
  EXPECT_EQ(5u, CTKPUxThemeWrapper::GetComCtlVersion() >> 16);
  EXPECT_FALSE(theme.IsAppThemeActive());
}

TEST_F(UxThemeTest, AppThemeActiveNeedsVersionSixControls)
{
  CTKPUxThemeWrapper theme;
  CTKPUxThemeWrapper::SetComCtlVersion(0x00050052);
  EXPECT_FALSE(theme.IsAppThemeActive());
  CTKPUxThemeWrapper::SetComCtlVersion(0x00060000);
  EXPECT_TRUE(theme.IsAppThemeActive());
  CTKPUxThemeWrapper::SetForceUnavailable(TRUE);
  EXPECT_FALSE(theme.IsAppThemeActive());
}

TEST_F(UxThemeTest, WithoutTheLibraryEveryCallFailsSoftly)
{
  CTKPUxThemeWrapper::SetForceUnavailable(TRUE);
  CTKPUxThemeWrapper theme;
  theme.OpenThemeData(nullptr, L"BUTTON");
  EXPECT_EQ(nullptr, theme.GetThemeHandle());
  RECT rc = {0, 0, 10, 10};
  EXPECT_EQ(E_FAIL, theme.DrawThemeBackground(GetDC(nullptr), 1, 1, &rc, nullptr));
  COLORREF color = 0x00ABCDEF;
  EXPECT_EQ(E_FAIL, theme.GetThemeColor(0, 0, 3801, &color));
  EXPECT_EQ(0x00ABCDEFu, color);
  wchar_t file[260] = L"x", name[260] = L"y";
  EXPECT_EQ(E_FAIL, theme.GetCurrentThemeName(file, 260, name, 260, nullptr, 0));
  EXPECT_STREQ(L"x", file);
  EXPECT_FALSE(theme.IsAppThemed());
  EXPECT_FALSE(theme.IsThemeActive());
}

TEST_F(UxThemeTest, DataOpenedBeforeTheSwitchIsStillClosed)
{
  CTKPUxThemeWrapper theme;
  theme.OpenThemeData(nullptr, L"BUTTON");
  ASSERT_NE(nullptr, theme.GetThemeHandle());
  theme.OpenThemeData(nullptr, L"HEADER");  // replaces the button data
  EXPECT_NE(nullptr, theme.GetThemeHandle());
  CTKPUxThemeWrapper::SetForceUnavailable(TRUE);
  theme.CloseThemeData();
  EXPECT_EQ(nullptr, theme.GetThemeHandle());
}

namespace {

OSVERSIONINFOW Version(DWORD platform, DWORD major, DWORD minor)
{
  OSVERSIONINFOW v = {};
  v.dwOSVersionInfoSize = sizeof(v);
  v.dwPlatformId = platform;
  v.dwMajorVersion = major;
  v.dwMinorVersion = minor;
  return v;
}

struct VersionCase
{
  DWORD platform, major, minor;
  BOOL win95, win98, nt4, win2000, xp;
};

}  // namespace

TEST(WindowsVersion, QuestionsOnSyntheticRecords)
{
  // The boundaries: minor 10 is 98, below it 95; NT 5.1 is XP; another platform is none of them.
  const VersionCase cases[] = {
      {1, 4, 9, TRUE, FALSE, FALSE, FALSE, FALSE},  {1, 4, 10, FALSE, TRUE, FALSE, FALSE, FALSE},
      {2, 4, 0, FALSE, FALSE, TRUE, FALSE, FALSE},  {2, 5, 1, FALSE, FALSE, FALSE, FALSE, TRUE},
      {1, 5, 1, FALSE, FALSE, FALSE, FALSE, FALSE},
  };
  for (const VersionCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.platform << " " << c.major << "." << c.minor);
    CTKPWindowsVersion::SetRecord(Version(c.platform, c.major, c.minor));
    EXPECT_EQ(c.win95, CTKPWindowsVersion::IsWin95());
    EXPECT_EQ(c.win98, CTKPWindowsVersion::IsWin98());
    EXPECT_EQ(c.nt4, CTKPWindowsVersion::IsWinNT4());
    EXPECT_EQ(c.win2000, CTKPWindowsVersion::IsWin2000());
    EXPECT_EQ(c.xp, CTKPWindowsVersion::IsWinXP());
    EXPECT_TRUE(CTKPWindowsVersion::IsVersion(c.major, c.minor));
    EXPECT_FALSE(CTKPWindowsVersion::IsVersion(c.major, c.minor + 1));
  }
  CTKPWindowsVersion::Reset();
  // Wine describes itself as Windows 7.
  EXPECT_TRUE(CTKPWindowsVersion::IsVersion(6, 1));
  EXPECT_EQ(276u, CTKPWindowsVersion::GetRecord().dwOSVersionInfoSize);
}
