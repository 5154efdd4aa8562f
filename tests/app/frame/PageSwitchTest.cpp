// The wizard's pages as the application switches them: the page shown is the one exchanged, even
// while one of its panes is the frame's active view, and the same page again changes nothing; and
// what the partition page shows after Back from the file-system page.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/pages/FileSystemView.h"
#include "app/pages/FirstView_HDD.h"
#include "app/pages/SecondDisplay.h"
#include "app/pages/SecondView_HDD.h"
#include "engine/state/EngineState.h"
#include "resource.h"
#include "tests/app/frame/FrameTestSupport.h"

namespace morvick::test {
namespace {

TEST(PageSwitch, TheShownPageIsExchangedWhicheverViewIsActive)
{
    ASSERT_NO_FATAL_FAILURE(ReturnToStart());
    ASSERT_NO_FATAL_FAILURE(ReachPartitionPage(WizardDisk("fixed.vhd"), ID_QUICK_SCAN));
    CSecondView_HDD& partition = PartitionPage();
    CFirstView_HDD& drive = DrivePage();
    // The page's information pane is a view of its own: a click on it makes it the active view.
    Frame().SetActiveView(partition.m_pDisplay);
    const int paneId = partition.m_pDisplay->GetDlgCtrlID();

    App().SwitchView(CEx_StyleApp::kDrivePage);
    EXPECT_EQ(App().ShownPage(), CEx_StyleApp::kDrivePage);
    EXPECT_TRUE(IsShown(drive));
    EXPECT_FALSE(IsShown(partition)) << "the partition page stayed under the drive page";
    EXPECT_EQ(drive.GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(partition.m_pDisplay->GetDlgCtrlID(), paneId) << "the pane took a page's id";
    EXPECT_EQ(Frame().GetActiveView(), &drive);

    // The same page again: nothing moves, the focus stays where it was.
    drive.m_wndDeviceTree.SetFocus();
    App().SwitchView(CEx_StyleApp::kDrivePage);
    EXPECT_TRUE(IsShown(drive));
    EXPECT_EQ(drive.GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(CWnd::GetFocus(), &drive.m_wndDeviceTree);

    App().SwitchView(CEx_StyleApp::kPartitionPage);
    EXPECT_EQ(partition.GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_FALSE(IsShown(drive));
    ASSERT_NO_FATAL_FAILURE(ReturnToStart());
}

TEST(PageSwitch, BackFromAnNtfsSearchLeavesTheLastTwoRowsEmpty)
{
    ASSERT_NO_FATAL_FAILURE(ReturnToStart());
    ASSERT_NO_FATAL_FAILURE(ReachPartitionPage(WizardDisk("fixed.vhd"), ID_EXTENSIVE_SCAN));
    ASSERT_NO_FATAL_FAILURE(ChoosePartition(L"Partition 2"));
    CSecondView_HDD& page = PartitionPage();
    page.m_pDisplay->GetDlgItem(IDC_FILE_SYSTEM_CHOICE)->SendMessage(CB_SETCURSEL, 0);
    ASSERT_NO_FATAL_FAILURE(Press(page.m_btnScan));
    ASSERT_TRUE(PumpUntil([] { return App().ShownPage() == CEx_StyleApp::kFileSystemPage; }, 120000));
    ASSERT_NO_FATAL_FAILURE(Press(FileSystemPage().m_btnBack));
    ASSERT_EQ(App().ShownPage(), CEx_StyleApp::kPartitionPage);
    // The partition's type, start and end; nothing of the search's folders and current sector.
    EXPECT_EQ(page.m_pDisplay->RowValue(0), L"NTFS");
    EXPECT_FALSE(page.m_pDisplay->RowValue(1).IsEmpty());
    for (int row : {3, 4}) {
        EXPECT_TRUE(page.m_pDisplay->RowLabel(row).IsEmpty()) << "row " << row + 1;
        EXPECT_TRUE(page.m_pDisplay->RowValue(row).IsEmpty()) << "row " << row + 1;
    }
    TakeMessages();
    ASSERT_NO_FATAL_FAILURE(ReturnToStart());
}

// Back from the file-system page asks for Scan in the prompt above the partition page's rows, where
// the drive page left its own prompt, and leaves the status line hidden and empty: for a disk, and for
// a logical drive, whose prompt the drive page words with "[Next]" in the Extensive Scan.
TEST(PageSwitch, BackFromTheFileSystemPageAsksForScanAboveTheRows)
{
    ASSERT_NO_FATAL_FAILURE(ReturnToStart());
    ASSERT_NO_FATAL_FAILURE(ReachPartitionPage(WizardDisk("fixed.vhd"), ID_EXTENSIVE_SCAN));
    ASSERT_NO_FATAL_FAILURE(ChoosePartition(L"Partition 2"));
    CSecondView_HDD& page = PartitionPage();
    CSecondDisplay& pane = *page.m_pDisplay;
    auto prompt = [&] {
        CString text;
        pane.GetDlgItem(IDC_PANE_PROMPT)->GetWindowText(text);
        return std::wstring(text.GetString());
    };
    const std::wstring partitionPrompt =
        L"Please select a partition from the left panel and press [Scan] to continue with recovery";
    const std::wstring logicalDrivePrompt =
        L"You have selected logical drive for recovery. Please click [Scan] to continue with recovery.";
    for (const bool logicalDrive : {false, true}) {
        pane.GetDlgItem(IDC_FILE_SYSTEM_CHOICE)->SendMessage(CB_SETCURSEL, 0);
        ASSERT_NO_FATAL_FAILURE(Press(page.m_btnScan));
        ASSERT_TRUE(PumpUntil([] { return App().ShownPage() == CEx_StyleApp::kFileSystemPage; }, 120000));
        if (logicalDrive) {
            // What the drive page leaves for a logical drive (which the image's tree never offers).
            g_wSourceType = kSourceLogicalDrive;
            pane.SetPrompt(CFirstView_HDD::TextsFor(kScanExtensive).logicalDrivePrompt, L"Selected Drive Information");
        }
        ASSERT_NO_FATAL_FAILURE(Press(FileSystemPage().m_btnBack));
        g_wSourceType = kSourceDisk;
        ASSERT_EQ(App().ShownPage(), CEx_StyleApp::kPartitionPage);
        EXPECT_EQ(prompt(), logicalDrive ? logicalDrivePrompt : partitionPrompt);
        EXPECT_TRUE(IsShown(*pane.GetDlgItem(IDC_PANE_PROMPT)));
        EXPECT_EQ(std::wstring(PaneStatus(pane).GetString()), L"") << "logical drive " << logicalDrive;
        EXPECT_FALSE(IsShown(*pane.GetDlgItem(IDC_PANE_STATUS)));
        if (logicalDrive)
            CaptureFrameNow(L"partition-page-back-logical-drive.png");
        else
            ASSERT_NO_FATAL_FAILURE(ChoosePartition(L"Partition 2"));
    }
    TakeMessages();
    ASSERT_NO_FATAL_FAILURE(ReturnToStart());
}

// The size changes the frame goes through, by their kind (SIZE_MINIMIZED, SIZE_RESTORED...).
LRESULT CALLBACK RecordSizes(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR kinds)
{
    if (message == WM_SIZE)
        reinterpret_cast<std::vector<WPARAM>*>(kinds)->push_back(wParam);
    return DefSubclassProc(window, message, wParam, lParam);
}

// The start-up sequence never minimises the frame (one minimised there can come back unmaximised
// at a moment of its own), and leaves it shown as it made itself.
TEST(PageSwitch, TheFrameIsShownWithoutBeingMinimisedAndEndsAsItMadeItself)
{
    std::vector<WPARAM> kinds;
    HWND frame = Frame().GetSafeHwnd();
    ASSERT_TRUE(SetWindowSubclass(frame, RecordSizes, 1, reinterpret_cast<DWORD_PTR>(&kinds)));
    App().ShowFrameFourTimes();
    RemoveWindowSubclass(frame, RecordSizes, 1);
    PumpPending();
    EXPECT_EQ(std::find(kinds.begin(), kinds.end(), static_cast<WPARAM>(SIZE_MINIMIZED)), kinds.end());
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_FALSE(IsIconic(frame));
    EXPECT_EQ(IsZoomed(frame) != FALSE, Frame().m_bStartMaximized != FALSE);
}

}  // namespace
}  // namespace morvick::test
