// The shell's folder browser of the save: a cancelled pick gives no folder.
#include "ui/shell/win/SaveFolderPicker.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <string>

namespace morvick::ui {
namespace {

// Presses a button of the first dialog box that becomes active on this thread.
HHOOK g_cancelHook = nullptr;
WPARAM g_button = IDCANCEL;

LRESULT CALLBACK CancelDialogOnActivate(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (lstrcmpW(className, L"#32770") == 0)
            PostMessageW(window, WM_COMMAND, g_button, 0);
    }
    return CallNextHookEx(g_cancelHook, code, wParam, lParam);
}

TEST(SaveFolderPicker, CancelGivesNoFolder)
{
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    g_cancelHook = SetWindowsHookExW(WH_CBT, CancelDialogOnActivate, nullptr, GetCurrentThreadId());
    ASSERT_NE(g_cancelHook, nullptr);
    const std::u16string chosen = BrowseForSaveFolder(nullptr);
    UnhookWindowsHookEx(g_cancelHook);
    g_cancelHook = nullptr;
    EXPECT_TRUE(chosen.empty());
    EXPECT_STREQ(kSelectSavePathText, L"Please select the path to save the data");
    OleUninitialize();
}

TEST(SaveFolderPicker, AFolderNamedForTestsIsSelectedWhenTheBrowserOpens)
{
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"morvick-save-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    SetEnvironmentVariableW(L"MORVICK_TEST_SAVE_DIR", folder.c_str());
    g_button = IDOK;
    g_cancelHook = SetWindowsHookExW(WH_CBT, CancelDialogOnActivate, nullptr, GetCurrentThreadId());
    const std::u16string chosen = BrowseForSaveFolder(nullptr);
    UnhookWindowsHookEx(g_cancelHook);
    g_cancelHook = nullptr;
    g_button = IDCANCEL;
    SetEnvironmentVariableW(L"MORVICK_TEST_SAVE_DIR", nullptr);
    std::wstring got(chosen.begin(), chosen.end());
    while (!got.empty() && got.back() == L'\\')
        got.pop_back();
    EXPECT_EQ(lstrcmpiW(got.c_str(), folder.c_str()), 0);
    RemoveDirectoryW(folder.c_str());
    OleUninitialize();
}

}  // namespace
}  // namespace morvick::ui
