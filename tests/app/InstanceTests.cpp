// Starts the real program: a second copy is refused with its message and ends, the first one ends
// with exit code 0 when its main window is closed and the exit is confirmed; and what start-up
// writes into the registry. What the program writes there is put back when the tests are over.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/win/ProgramRegistryEnvironment.h"
#include "tests/support/win/SavedRegistry.h"
#include "tests/support/win/SavedScratchFolder.h"

namespace {

using morvick::test::SavedRegistryKey;
using morvick::test::SavedRegistryValues;

[[maybe_unused]] auto* const kProgramRegistry =
    ::testing::AddGlobalTestEnvironment(new morvick::test::ProgramRegistryEnvironment);

// The program's exit removes its scratch folder in the temporary folder: one found there is put back.
class ScratchFolderEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_saved = std::make_unique<morvick::test::SavedScratchFolder>(); }
    void TearDown() override { m_saved.reset(); }

private:
    std::unique_ptr<morvick::test::SavedScratchFolder> m_saved;
};
[[maybe_unused]] auto* const kScratchFolder = ::testing::AddGlobalTestEnvironment(new ScratchFolderEnvironment);

std::wstring ProgramPath()
{
    WCHAR sz[MAX_PATH];
    DWORD n = ::GetEnvironmentVariableW(L"MORVICK_BINARY_DIR", sz, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return std::wstring();
    std::wstring path = sz;
    for (auto& ch : path) {
        if (ch == L'/')
            ch = L'\\';
    }
    if (!path.empty() && path[0] == L'\\')
        path = L"Z:" + path;  // Wine maps / to Z:
    return path + L"\\app\\Morvick.exe";
}

struct Child {
    PROCESS_INFORMATION pi = {};
    bool Start(const std::wstring& exe)
    {
        STARTUPINFOW si = {sizeof(si)};
        std::wstring cmd = L"\"" + exe + L"\"";
        std::vector<WCHAR> buf(cmd.begin(), cmd.end());
        buf.push_back(0);
        return ::CreateProcessW(exe.c_str(), buf.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi) != FALSE;
    }
    bool WaitExit(DWORD ms, DWORD* pCode)
    {
        if (::WaitForSingleObject(pi.hProcess, ms) != WAIT_OBJECT_0)
            return false;
        ::GetExitCodeProcess(pi.hProcess, pCode);
        return true;
    }
    ~Child()
    {
        if (pi.hProcess != NULL) {
            if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT)
                ::TerminateProcess(pi.hProcess, 99);
            ::CloseHandle(pi.hProcess);
            ::CloseHandle(pi.hThread);
        }
    }
};

struct FindData {
    DWORD pid;
    HWND hWnd;
};

BOOL CALLBACK FindMainWindow(HWND hWnd, LPARAM lParam)
{
    FindData* p = reinterpret_cast<FindData*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid == p->pid && ::IsWindowVisible(hWnd) && ::GetWindow(hWnd, GW_OWNER) == NULL) {
        p->hWnd = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForMainWindow(DWORD pid, DWORD ms)
{
    DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms) {
        FindData data = {pid, NULL};
        ::EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&data));
        if (data.hWnd != NULL)
            return data.hWnd;
        ::Sleep(100);
    }
    return NULL;
}

std::vector<std::string> ReadLines(const std::wstring& path)
{
    std::vector<std::string> lines;
    HANDLE h =
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return lines;
    std::string bytes;
    char buf[4096];
    DWORD got = 0;
    while (::ReadFile(h, buf, sizeof(buf), &got, NULL) && got > 0)
        bytes.append(buf, got);
    ::CloseHandle(h);
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        if (end == std::string::npos)
            end = bytes.size();
        lines.push_back(bytes.substr(pos, end - pos));
        pos = end + 1;
    }
    return lines;
}

TEST(SingleInstance, ASecondCopyIsRefusedAndTheFirstEndsCleanlyWhenClosed)
{
    std::wstring exe = ProgramPath();
    ASSERT_FALSE(exe.empty()) << "MORVICK_BINARY_DIR is not set";
    ASSERT_NE(::GetFileAttributesW(exe.c_str()), INVALID_FILE_ATTRIBUTES);

    WCHAR szTemp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, szTemp);
    std::wstring log = std::wstring(szTemp) + L"morvick-instance-" + std::to_wstring(::GetCurrentProcessId()) + L".log";
    ::DeleteFileW(log.c_str());
    ::SetEnvironmentVariableW(L"MORVICK_TEST_MSGLOG", log.c_str());
    ::SetEnvironmentVariableW(L"MORVICK_TEST_AUTOCLOSE_MESSAGES", L"1");

    Child first;
    ASSERT_TRUE(first.Start(exe));
    HWND hMain = WaitForMainWindow(first.pi.dwProcessId, 60000);
    ASSERT_NE(hMain, (HWND)NULL) << "the first instance showed no window";
    WCHAR szTitle[64] = L"";
    ::GetWindowTextW(hMain, szTitle, 64);
    EXPECT_STREQ(szTitle, L"Morvick");
    EXPECT_TRUE(ReadLines(log).empty());

    Child second;
    ASSERT_TRUE(second.Start(exe));
    DWORD dwSecond = 1234;
    ASSERT_TRUE(second.WaitExit(60000, &dwSecond)) << "the second instance did not end";
    EXPECT_EQ(dwSecond, 0u);
    std::vector<std::string> lines = ReadLines(log);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "plain\tAnother instance of the application is already running.");

    ASSERT_TRUE(::PostMessageW(hMain, WM_CLOSE, 0, 0));
    DWORD dwFirst = 1234;
    ASSERT_TRUE(first.WaitExit(60000, &dwFirst)) << "the first instance did not end after WM_CLOSE";
    EXPECT_EQ(dwFirst, 0u);
    // Closing asked whether to exit; the box's default answer, Yes, was taken.
    lines = ReadLines(log);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "3\tDo you really want to exit ?");
    ::DeleteFileW(log.c_str());
}

// The default value of a registry key as text; empty when there is none.
std::wstring RegistryText(HKEY root, const wchar_t* key)
{
    wchar_t text[1024] = L"";
    DWORD size = sizeof(text);
    if (::RegGetValueW(root, key, nullptr, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return std::wstring();
    return text;
}

// Starts the program, waits for its frame, then ends it the way a user does.
void StartAndClose(const std::wstring& exe)
{
    Child child;
    ASSERT_TRUE(child.Start(exe));
    HWND hMain = WaitForMainWindow(child.pi.dwProcessId, 60000);
    ASSERT_NE(hMain, (HWND)NULL) << "the program showed no window";
    ASSERT_TRUE(::PostMessageW(hMain, WM_CLOSE, 0, 0));
    DWORD code = 1234;
    ASSERT_TRUE(child.WaitExit(60000, &code)) << "the program did not end after WM_CLOSE";
    EXPECT_EQ(code, 0u);
}

TEST(StartUp, SnapshotFilesOpenWithTheProgramsQuotedPath)
{
    const std::wstring exe = ProgramPath();
    ASSERT_FALSE(exe.empty()) << "MORVICK_BINARY_DIR is not set";
    ::SetEnvironmentVariableW(L"MORVICK_TEST_AUTOCLOSE_MESSAGES", L"1");
    // An installed copy's file type is put back afterwards; the program must write every value itself.
    std::vector<std::unique_ptr<SavedRegistryKey>> saved;
    for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        for (const wchar_t* name : {L".srzq", L"Quarne.Document"}) {
            const std::wstring key = std::wstring(L"Software\\Classes\\") + name;
            saved.push_back(std::make_unique<SavedRegistryKey>(hive, key));
            ::RegDeleteTreeW(hive, key.c_str());
        }
    }
    ASSERT_NO_FATAL_FAILURE(StartAndClose(exe));

    // The whole path is one quoted argument: a folder name with blanks cannot start another program.
    const std::wstring open = L"\"" + exe + L"\" \"%1\"";
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, L".srzq\\shell\\open\\command"), open);
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, L"Quarne.Document\\shell\\open\\command"), open);
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, L".srzq"), L"Quarne.Document");
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, L"Quarne.Document\\DefaultIcon"), exe + L",0");
}

std::vector<BYTE> RegistryBytes(HKEY root, const wchar_t* key, const wchar_t* name)
{
    BYTE bytes[16] = {};
    DWORD size = sizeof(bytes);
    if (::RegGetValueW(root, key, name, RRF_RT_REG_BINARY, nullptr, bytes, &size) != ERROR_SUCCESS)
        return {};
    return std::vector<BYTE>(bytes, bytes + size);
}

TEST(StartUp, TheSpreadsheetClassesGetTheirFlagsWhereTheirKeysExist)
{
    const std::wstring exe = ProgramPath();
    ASSERT_FALSE(exe.empty()) << "MORVICK_BINARY_DIR is not set";
    ::SetEnvironmentVariableW(L"MORVICK_TEST_AUTOCLOSE_MESSAGES", L"1");
    const wchar_t sheet8[] = L"SOFTWARE\\Classes\\Excel.Sheet.8";
    const wchar_t sheet12[] = L"SOFTWARE\\Classes\\Excel.Sheet.12";
    // The classes belong to a spreadsheet program when it is installed: the test makes a key only
    // where there is none and removes only that one; where a key is there, the two values the
    // program writes are put back.
    SavedRegistryValues savedSheet8(HKEY_LOCAL_MACHINE, sheet8, {L"EditFlags", L"BrowserFlags"});
    SavedRegistryValues savedSheet12(HKEY_LOCAL_MACHINE, sheet12, {L"BrowserFlags"});
    const bool hadSheet12 = savedSheet12.Existed();
    HKEY key = nullptr;
    if (!savedSheet8.Existed()) {
        ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, sheet8, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        ::RegCloseKey(key);
    }
    ASSERT_NO_FATAL_FAILURE(StartAndClose(exe));

    EXPECT_EQ(RegistryBytes(HKEY_LOCAL_MACHINE, sheet8, L"EditFlags"), (std::vector<BYTE>{0, 0, 1, 0}));
    EXPECT_EQ(RegistryBytes(HKEY_LOCAL_MACHINE, sheet8, L"BrowserFlags"), (std::vector<BYTE>{0, 0, 0, 0}));
    if (hadSheet12) {
        EXPECT_EQ(RegistryBytes(HKEY_LOCAL_MACHINE, sheet12, L"BrowserFlags"), (std::vector<BYTE>{0, 0, 0, 0}));
    } else {
        // A class that is not there is not made.
        EXPECT_NE(::RegOpenKeyExW(HKEY_LOCAL_MACHINE, sheet12, 0, KEY_READ, &key), ERROR_SUCCESS);
    }
}

}  // namespace
