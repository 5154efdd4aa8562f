// The shell's folder browser under the save: cancelling it leaves no save path.
#include "engine/save/SaveFolderPicker.h"
#include "engine/save/SaveState.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <atomic>
#include <thread>

namespace {

struct DialogSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindProcessDialog(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<DialogSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (process == search->process && IsWindowVisible(window) && lstrcmpW(className, L"#32770") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

TEST(SaveFolderPicker, CancelLeavesTheSavePathEmpty)
{
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    g_strSavePath = u"C:\\earlier";
    std::atomic<bool> cancelled{false};
    std::thread closer([&] {
        for (int i = 0; i < 300 && !cancelled; ++i) {
            DialogSearch search = {GetCurrentProcessId(), nullptr};
            EnumWindows(FindProcessDialog, reinterpret_cast<LPARAM>(&search));
            if (search.found) {
                PostMessageW(search.found, WM_COMMAND, IDCANCEL, 0);
                cancelled = true;
            }
            Sleep(100);
        }
    });
    const bool chosen = BrowseForSaveFolder(nullptr);
    cancelled = true;
    closer.join();
    EXPECT_FALSE(chosen);
    EXPECT_TRUE(g_strSavePath.empty());
    OleUninitialize();
}
