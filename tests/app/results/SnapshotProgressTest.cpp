// The progress dialog of a snapshot load: it comes when the load starts, follows the records read
// and then the result tree's building, steps aside for a message, and goes at the end with its
// owner enabled again.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

#include "app/dialogs/SnapshotLoadProgress.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "preview/win/host/PreviewProgress.h"
#include "tests/app/results/ResultsTestSupport.h"
#include "tests/engine/save/MemoryDisk.h"
#include "tests/engine/snapshot/SnapshotTestVolumes.h"
#include "wizard.h"

namespace morvick::test {
namespace {

int BarPosition(HWND dialog)
{
    return static_cast<int>(SendMessageW(GetDlgItem(dialog, IDC_PROGRESS_BAR), PBM_GETPOS, 0, 0));
}

TEST(SnapshotProgress, TheDialogComesForTheLoadAndItsTreeAndGoesAfter)
{
    FillTestVolume(TestVolume::kFat32);
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path =
        std::wstring(temp) + L"morvick-progress-" + std::to_wstring(GetCurrentProcessId()) + L".srzq";
    const std::u16string path16(path.begin(), path.end());
    ResultPanes panes;
    HostWindow owner;
    owner.ShowWindow(SW_SHOW);
    HWND dialog = nullptr;
    {
        // A source that holds the test volume's files, as a load checks every one: their entries hold
        // the names' bytes, the sizes and the dates as the volume lists them, b1.txt live there.
        constexpr uint16_t kDate = 0x5863;
        MemoryDisk disk(MakeFatVolume(FileSystemKind::kFat32, 0, 1,
            {{0, "r1      txt", 100, 100, kDate}, {0, "r2      bin", 101, 2000, kDate},
                {10, "a1      txt", 102, 1024, kDate}, {10, "a2      txt", 103, 1025, kDate},
                {11, "x       jpg", 104, 5000, kDate}, {20, "b1      txt", 105, 10, kDate}}));
        g_FatEntries.tail->deleted = 0;
        ASSERT_TRUE(SaveSnapshotFile(path16));
        CSnapshotLoadProgress progress(&owner);
        dialog = progress.Window();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_FALSE(owner.IsWindowEnabled()) << "the window under the dialog waits";
        ASSERT_TRUE(LoadSnapshotFile(path16));
        EXPECT_EQ(BarPosition(dialog), 100) << "every record read";
        // Three folders: 0, then 33 and 66 percent as they go in.
        panes.tree.SetProgressWindow(dialog);
        panes.tree.BuildResults();
        panes.tree.SetProgressWindow(nullptr);
        EXPECT_EQ(BarPosition(dialog), 66);
        EXPECT_NE(panes.Item(L"A1"), nullptr);
    }
    EXPECT_FALSE(IsWindow(dialog)) << "the dialog is gone";
    EXPECT_TRUE(owner.IsWindowEnabled());

    // Refused (no image open now): the dialog steps aside for the message.
    {
        CSnapshotLoadProgress progress(&owner);
        dialog = progress.Window();
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(LoadSnapshotFile(path16));
        EXPECT_FALSE(IsWindowVisible(dialog));
    }
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(owner.IsWindowEnabled());
    DeleteFileW(path.c_str());
}

TEST(SnapshotProgress, TheDrawingPreviewGetsTheProgramsProgressDialog)
{
    InstallPreviewProgressDialog();
    HostWindow viewer;
    viewer.ShowWindow(SW_SHOW);
    std::unique_ptr<CPreviewProgress> progress(CreatePreviewProgress());
    ASSERT_TRUE(progress->Create(&viewer));
    progress->SetRange(0, 100);
    progress->Show();
    HWND dialog = progress->GetSafeHwnd();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog));
    wchar_t caption[64] = L"";
    GetWindowTextW(dialog, caption, 64);
    EXPECT_EQ(std::wstring(caption), L"Progress...");
    EXPECT_NE(GetDlgItem(dialog, IDC_PROGRESS_BAR), nullptr) << "the drawing library reports to its bar";
    EXPECT_FALSE(viewer.IsWindowEnabled());
    // The drawing library reports through the window it was handed.
    SendMessageW(dialog, CProgressDialog::kSetPositionMessage, 40, 0);
    EXPECT_EQ(BarPosition(dialog), 40);
    EXPECT_TRUE(progress->DestroyWindow());
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(viewer.IsWindowEnabled());
    SetPreviewProgressFactory(nullptr);
}

}  // namespace
}  // namespace morvick::test
