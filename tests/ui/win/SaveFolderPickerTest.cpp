// The shell's folder browser of the save: a cancelled pick gives no folder.
#include "ui/shell/win/SaveFolderPicker.h"

#include <gtest/gtest.h>

#include <objbase.h>

namespace morvick::ui {
namespace {

// Cancels the first dialog box that becomes active on this thread.
HHOOK g_cancelHook = nullptr;

LRESULT CALLBACK CancelDialogOnActivate(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (lstrcmpW(className, L"#32770") == 0)
            PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
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

}  // namespace
}  // namespace morvick::ui
