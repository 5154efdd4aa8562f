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

// Entries that fault as a broken theme library might: each writes through a null pointer.
int* volatile g_nowhere = nullptr;
HTHEME WINAPI FaultingOpen(HWND, LPCWSTR)
{
  *g_nowhere = 1;
  return reinterpret_cast<HTHEME>(1);
}
HRESULT WINAPI FaultingClose(HTHEME)
{
  *g_nowhere = 2;
  return S_OK;
}
HRESULT WINAPI FaultingDraw(HTHEME, HDC, int, int, const RECT*, const RECT*)
{
  *g_nowhere = 3;
  return S_OK;
}
HRESULT WINAPI FaultingColor(HTHEME, int, int, int, COLORREF* color)
{
  *color = 0x00010203;  // written before the fault: the caller must not see it
  *g_nowhere = 4;
  return S_OK;
}
HRESULT WINAPI FaultingName(LPWSTR, int, LPWSTR, int, LPWSTR, int)
{
  *g_nowhere = 5;
  return S_OK;
}
BOOL WINAPI FaultingBool()
{
  *g_nowhere = 6;
  return TRUE;
}
HTHEME WINAPI OpenSomething(HWND, LPCWSTR) { return reinterpret_cast<HTHEME>(0x1234); }

// Puts the real entries back on every way out of a test.
struct EntryOverrides
{
  ~EntryOverrides()
  {
    for (int i = 0; i < CTKPUxThemeWrapper::entryCount; ++i)
      CTKPUxThemeWrapper::OverrideEntry(static_cast<CTKPUxThemeWrapper::Entry>(i), nullptr);
  }
  void Set(CTKPUxThemeWrapper::Entry entry, FARPROC proc) { CTKPUxThemeWrapper::OverrideEntry(entry, proc); }
};

template <typename Proc>
FARPROC Entry(Proc proc)
{
  return reinterpret_cast<FARPROC>(proc);
}

// The head of the thread's exception-handler chain, the first word of its thread block (on 64-bit
// Windows, where frames' handlers live in their functions' unwind tables, the thread keeps no chain
// there: it must stay as it was all the same).
void* HandlerChain()
{
  void* pHead = nullptr;
#if defined(__x86_64__)
  asm volatile("movq %%gs:0, %0" : "=r"(pHead));
#else
  asm volatile("movl %%fs:0, %0" : "=r"(pHead));
#endif
  return pHead;
}

}  // namespace

TEST_F(UxThemeTest, AFaultInsideTheLibraryGivesTheFailureAnswerAndTheProgramGoesOn)
{
  EntryOverrides overrides;
  void* const chain = HandlerChain();
  CTKPUxThemeWrapper theme;

  overrides.Set(CTKPUxThemeWrapper::entryOpenThemeData, Entry(&FaultingOpen));
  theme.OpenThemeData(nullptr, L"BUTTON");
  EXPECT_EQ(nullptr, theme.GetThemeHandle());

  RECT rc = {0, 0, 10, 10};
  overrides.Set(CTKPUxThemeWrapper::entryDrawThemeBackground, Entry(&FaultingDraw));
  EXPECT_EQ(E_FAIL, theme.DrawThemeBackground(nullptr, 1, 1, &rc, nullptr));
  overrides.Set(CTKPUxThemeWrapper::entryGetThemeColor, Entry(&FaultingColor));
  COLORREF color = 0x00ABCDEF;
  EXPECT_EQ(E_FAIL, theme.GetThemeColor(0, 0, 3801, &color));
  EXPECT_EQ(0x00ABCDEFu, color);
  overrides.Set(CTKPUxThemeWrapper::entryGetCurrentThemeName, Entry(&FaultingName));
  wchar_t file[260] = L"x", name[260] = L"y";
  EXPECT_EQ(E_FAIL, theme.GetCurrentThemeName(file, 260, name, 260, nullptr, 0));
  overrides.Set(CTKPUxThemeWrapper::entryIsAppThemed, Entry(&FaultingBool));
  EXPECT_FALSE(theme.IsAppThemed());
  overrides.Set(CTKPUxThemeWrapper::entryIsThemeActive, Entry(&FaultingBool));
  EXPECT_FALSE(theme.IsThemeActive());
  EXPECT_FALSE(theme.IsAppThemeActive());

  // Closing data that faults still forgets the handle.
  overrides.Set(CTKPUxThemeWrapper::entryOpenThemeData, Entry(&OpenSomething));
  theme.OpenThemeData(nullptr, L"BUTTON");
  ASSERT_EQ(reinterpret_cast<HTHEME>(0x1234), theme.GetThemeHandle());
  overrides.Set(CTKPUxThemeWrapper::entryCloseThemeData, Entry(&FaultingClose));
  theme.CloseThemeData();
  EXPECT_EQ(nullptr, theme.GetThemeHandle());

  // Every guard left the thread's handler chain as it found it.
  EXPECT_EQ(chain, HandlerChain());
}

// A library function that keeps a handler of its own while it works, as code that must release a
// lock does, and faults inside it: on 32-bit Windows a frame in the thread's chain, on 64-bit the
// handler of the function's unwind tables, asked both while the fault is dispatched and while the
// stack is unwound.
extern "C" {
int g_testSearches = 0;
int g_testUnwinds = 0;
int* volatile g_testNowhere = nullptr;
EXCEPTION_DISPOSITION __cdecl TestCleanupHandler(EXCEPTION_RECORD* pRecord, void*, CONTEXT*, void*)
{
  if (pRecord->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
    ++g_testUnwinds;
  else
    ++g_testSearches;
  return ExceptionContinueSearch;
}
BOOL __cdecl TestFaultInsideOwnFrame();
}
#if defined(__x86_64__)
asm(".text\n"
    ".globl TestFaultInsideOwnFrame\n"
    ".def TestFaultInsideOwnFrame; .scl 2; .type 32; .endef\n"
    ".seh_proc TestFaultInsideOwnFrame\n"
    "TestFaultInsideOwnFrame:\n"
    "    subq $40, %rsp\n"
    "    .seh_stackalloc 40\n"
    "    .seh_endprologue\n"
    "    .seh_handler TestCleanupHandler, @except, @unwind\n"
    "    movq g_testNowhere(%rip), %rax\n"
    "    movl $7, (%rax)\n"
    "    movl $1, %eax\n"
    "    addq $40, %rsp\n"
    "    ret\n"
    ".seh_endproc\n");
#else
asm(".text\n"
    ".globl _TestFaultInsideOwnFrame\n"
    "_TestFaultInsideOwnFrame:\n"
    "    pushl $_TestCleanupHandler\n"
    "    pushl %fs:0\n"
    "    movl %esp, %fs:0\n"
    "    movl _g_testNowhere, %eax\n"
    "    movl $7, (%eax)\n"
    "    movl (%esp), %ecx\n"
    "    movl %ecx, %fs:0\n"
    "    addl $8, %esp\n"
    "    movl $1, %eax\n"
    "    ret\n");
#endif

TEST_F(UxThemeTest, TheFramesAFaultLeavesBehindAreUnwoundByTheirOwnHandlers)
{
  EntryOverrides overrides;
  void* const chain = HandlerChain();
  overrides.Set(CTKPUxThemeWrapper::entryIsThemeActive, reinterpret_cast<FARPROC>(&TestFaultInsideOwnFrame));
  CTKPUxThemeWrapper theme;
  g_testSearches = g_testUnwinds = 0;
  EXPECT_FALSE(theme.IsThemeActive());
  EXPECT_EQ(1, g_testSearches);  // asked first, it declined the fault
  EXPECT_EQ(1, g_testUnwinds);   // then it cleaned up on the way out
  EXPECT_EQ(chain, HandlerChain());
  // And once more: nothing of the first fault stays behind.
  EXPECT_FALSE(theme.IsThemeActive());
  EXPECT_EQ(2, g_testUnwinds);
  EXPECT_EQ(chain, HandlerChain());
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
