// Pictures of the results page's parts and dialogs as a person sees them, in
// build/windows/app2-gallery: the tree and the list with ticked, partly ticked and deleted entries,
// each dialog of the results page, and the progress dialog of a snapshot's load.
#include <gtest/gtest.h>

#include "app/WizardState.h"
#include "app/dialogs/DriveInfoDlg.h"
#include "app/dialogs/FileFiltersDlg.h"
#include "app/dialogs/FileTypesDlg.h"
#include "app/dialogs/FindFilesDlg.h"
#include "app/dialogs/ProgressDialog.h"
#include "app/dialogs/PropertiesDlg.h"
#include "app/dialogs/RecoverySettingsDlg.h"
#include "engine/save/EngineReset.h"
#include "engine/state/EngineState.h"
#include "resource.h"
#include "tests/app/results/ResultsTestSupport.h"
#include "tests/support/win/WindowCapture.h"

namespace morvick::test {
namespace {

std::wstring Picture(const wchar_t* name)
{
    return GalleryFolder("app2") + L"\\" + name + L".png";
}

TEST(ResultsGallery, TreeAndListWithTicks)
{
    FillTestVolume(TestVolume::kFat32);
    ResultPanes panes;
    panes.tree.SetCheck(panes.Item(L"A1"), true);
    panes.list.ToggleRowCheck(panes.Row(L"r1.txt"));
    EXPECT_NE(ListView_GetImageList(panes.list.m_hWnd, LVSIL_STATE), nullptr);
    EXPECT_EQ(ImageList_GetImageCount(ListView_GetImageList(panes.list.m_hWnd, LVSIL_STATE)), 3);
    EXPECT_TRUE(CaptureWindowToPng(panes.host.m_hWnd, Picture(L"tree-and-list")));
    ResetEngineState();
}

TEST(ResultsGallery, PropertiesOfAFolder)
{
    FillTestVolume(TestVolume::kFat32);
    ResultPanes panes;
    CPropertiesDlg dialog(FolderProperties(panes.tree, panes.Item(L"A")), &panes.tree, &panes.host);
    ASSERT_TRUE(dialog.Create(IDD_PROPERTIES, &panes.host));
    dialog.ShowWindow(SW_SHOW);
    dialog.UpdateWindow();
    EXPECT_TRUE(CaptureWindowToPng(dialog.m_hWnd, Picture(L"properties-dialog")));
    dialog.DestroyWindow();
    ResetEngineState();
}

TEST(ResultsGallery, ProgressOfASnapshotLoad)
{
    HostWindow owner;
    CProgressDialog dialog;
    ASSERT_TRUE(dialog.Create(&owner));
    dialog.SetRange(0, 100);
    dialog.ShowWindow(SW_SHOW);
    dialog.SetPos(40);
    dialog.UpdateWindow();
    EXPECT_TRUE(CaptureWindowToPng(dialog.m_hWnd, Picture(L"progress-dialog")));
    dialog.DestroyWindow();
}

}  // namespace
}  // namespace morvick::test
