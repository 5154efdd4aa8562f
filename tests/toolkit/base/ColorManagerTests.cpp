#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DisplayDepth.h"
#include "toolkit/base/UxThemeWrapper.h"

#include "TestWindow.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace {

// A stand-in visual style: whether it is active and the names it reports.
BOOL g_fakeActive = TRUE;
const wchar_t* g_fakeFile = L"";
const wchar_t* g_fakeColor = L"";
HRESULT g_fakeResult = S_OK;

BOOL WINAPI FakeIsThemeActive() { return g_fakeActive; }

HRESULT WINAPI FakeGetCurrentThemeName(LPWSTR file, int fileLength, LPWSTR color, int colorLength, LPWSTR, int)
{
  if (FAILED(g_fakeResult))
    return g_fakeResult;
  lstrcpynW(file, g_fakeFile, fileLength);
  lstrcpynW(color, g_fakeColor, colorLength);
  return S_OK;
}

class FakeStyle : public ::testing::Test
{
protected:
  void SetUp() override
  {
    g_fakeActive = TRUE;
    g_fakeResult = S_OK;
    CTKPUxThemeWrapper::OverrideEntry(CTKPUxThemeWrapper::entryIsThemeActive,
                                      reinterpret_cast<FARPROC>(&FakeIsThemeActive));
    CTKPUxThemeWrapper::OverrideEntry(CTKPUxThemeWrapper::entryGetCurrentThemeName,
                                      reinterpret_cast<FARPROC>(&FakeGetCurrentThemeName));
  }
  void TearDown() override
  {
    CTKPUxThemeWrapper::OverrideEntry(CTKPUxThemeWrapper::entryIsThemeActive, nullptr);
    CTKPUxThemeWrapper::OverrideEntry(CTKPUxThemeWrapper::entryGetCurrentThemeName, nullptr);
  }
  static int Detect(const wchar_t* file, const wchar_t* color)
  {
    g_fakeFile = file;
    g_fakeColor = color;
    return CTKPColorManager::DetectColorScheme();
  }
};

}  // namespace

TEST_F(FakeStyle, SchemeDetectionByStyleFileAndColourName)
{
  EXPECT_EQ(1, Detect(L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"NormalColor"));
  EXPECT_EQ(2, Detect(L"c:\\windows\\resources\\themes\\luna\\luna.msstyles", L"HomeStead"));
  EXPECT_EQ(3, Detect(L"C:\\Themes\\LUNA.MSSTYLES", L"Metallic"));
  EXPECT_EQ(0, Detect(L"C:\\Themes\\Luna.msstyles", L"Other"));
  EXPECT_EQ(1, Detect(L"C:\\Themes\\Royale.msstyles", L"NormalColor"));
  EXPECT_EQ(0, Detect(L"C:\\Themes\\Royale.msstyles", L"Homestead"));
  EXPECT_EQ(0, Detect(L"C:\\windows\\resources\\themes\\light\\light.msstyles", L"Blue"));
  g_fakeResult = E_FAIL;
  EXPECT_EQ(0, Detect(L"luna.msstyles", L"normalcolor"));
  g_fakeResult = S_OK;
  g_fakeActive = FALSE;
  EXPECT_EQ(0, Detect(L"luna.msstyles", L"normalcolor"));
}

TEST_F(FakeStyle, DetectedSchemeReachesTheTables)
{
  g_fakeFile = L"luna.msstyles";
  g_fakeColor = L"metallic";
  CTKPColorManager manager;
  EXPECT_EQ(3, manager.GetDetectedColorScheme());
  EXPECT_EQ(3, manager.GetCurrentColorScheme());
  EXPECT_EQ(0xE5D7D7u, manager.GetSchemeColor(30));
  EXPECT_EQ(0x947C7Cu, manager.GetColor(54));
  manager.SetSelectedScheme(0);
  manager.RefreshColors();
  EXPECT_EQ(manager.GetColor(30), manager.GetSchemeColor(30));
}

namespace {

class ColorManagerTest : public ::testing::Test
{
protected:
  void TearDown() override
  {
    CTKPUxThemeWrapper::SetForceUnavailable(FALSE);
    CTKPDisplayDepth::SetForcedBitsPerPixel(0);
  }
};

}  // namespace

TEST_F(ColorManagerTest, SystemIndexesFollowTheSystemColours)
{
  CTKPColorManager manager;
  for (int i = 1; i <= 27; ++i) {
    if (i == 22)
      continue;  // replaced by the light face
    EXPECT_EQ(GetSysColor(i), manager.GetColor(i)) << i;
  }
  EXPECT_EQ(0u, manager.GetColor(0));
  EXPECT_EQ(0x00FF00u, manager.GetColor(0x00FF00));
}

TEST_F(ColorManagerTest, BorderColourComesFromTheVisualStyle)
{
  CTKPColorManager themed;
  CTKPUxThemeWrapper theme;
  theme.OpenThemeData(nullptr, L"TREEVIEW");
  COLORREF border = 0;
  ASSERT_TRUE(SUCCEEDED(theme.GetThemeColor(0, 0, 3801, &border)));
  EXPECT_EQ(border, themed.GetColor(57));

  CTKPUxThemeWrapper::SetForceUnavailable(TRUE);
  CTKPColorManager plain;
  EXPECT_EQ(plain.GetColor(16), plain.GetColor(57));
  EXPECT_EQ(0, plain.GetDetectedColorScheme());
}

TEST_F(ColorManagerTest, LowColourDisplayKeepsThePlainColours)
{
  CTKPDisplayDepth::SetForcedBitsPerPixel(8);
  CTKPColorManager manager;
  EXPECT_EQ(manager.GetColor(15), manager.GetColor(30));
  EXPECT_EQ(manager.GetColor(16), manager.GetColor(57));  // not even the style's border
  EXPECT_EQ(GetSysColor(22), manager.GetColor(22));
  CTKPDisplayDepth::SetForcedBitsPerPixel(16);
  manager.RefreshColors();
  EXPECT_NE(manager.GetColor(15), manager.GetColor(48));
}

namespace {

DWORD g_tick = 0;
DWORD FakeTick() { return g_tick; }
TKColor g_face = 0;
TKColor FaceOnly(int index) { return index == 15 ? g_face : GetSysColor(index); }

}  // namespace

TEST_F(ColorManagerTest, ThrottledRefreshRunsAtMostEvery500ms)
{
  CTKPColorManager* manager = GetColorManager();
  CTKPColorManager::SetTickSource(&FakeTick);
  manager->SetSysColorCallback(&FaceOnly);
  CTKPColorManager::ResetThrottle();
  CWinThread* thread = AfxGetThread();
  ASSERT_NE(nullptr, thread);
  TestWindow window;

  // Before the program has a main window every call recomputes.
  thread->m_pMainWnd = nullptr;
  g_tick = 10000;
  g_face = 0x111111;
  CTKPColorManager::RefreshColorsThrottled();
  EXPECT_EQ(0x111111u, manager->GetColor(15));
  g_tick = 10100;
  g_face = 0x222222;
  CTKPColorManager::RefreshColorsThrottled();
  EXPECT_EQ(0x222222u, manager->GetColor(15));

  thread->m_pMainWnd = window.Wnd();
  g_tick = 20000;
  g_face = 0x333333;
  CTKPColorManager::RefreshColorsThrottled();
  EXPECT_EQ(0x333333u, manager->GetColor(15));

  g_tick = 20400;
  g_face = 0x444444;
  CTKPColorManager::RefreshColorsThrottled();
  EXPECT_EQ(0x333333u, manager->GetColor(15));

  g_tick = 20501;
  CTKPColorManager::RefreshColorsThrottled();
  EXPECT_EQ(0x444444u, manager->GetColor(15));

  thread->m_pMainWnd = nullptr;
  manager->SetSysColorCallback(nullptr);
  CTKPColorManager::SetTickSource(nullptr);
  CTKPColorManager::ResetThrottle();
  manager->RefreshColors();
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), manager->GetColor(15));
  EXPECT_EQ(manager->GetCurrentColorScheme(), GetSystemColorScheme());
}

TEST_F(ColorManagerTest, SystemColourChangeReachesTheTableAtRefresh)
{
  const int which[] = {COLOR_BTNFACE, COLOR_BTNSHADOW};
  const COLORREF saved[] = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW)};
  const COLORREF changed[] = {0x00C0C0C0, 0x00808080};
  ASSERT_TRUE(SetSysColors(2, which, changed));
  CTKPColorManager manager;
  const COLORREF face = manager.GetColor(15), light = manager.GetColor(48), dark = manager.GetColor(49);
  SetSysColors(2, which, saved);
  EXPECT_EQ(0xC0C0C0u, face);
  EXPECT_EQ(0xE3E3E3u, light);
  EXPECT_EQ(0x555555u, dark);
}
