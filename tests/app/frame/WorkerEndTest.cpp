// The second between a worker's end and the page's poll that notices it: the page still shows the
// scan (its buttons hidden), and the poll will move the wizard on. Whatever reaches the page's
// Next, Scan, Back or Home in that second (Enter on a button the keyboard left pressed, a command)
// is refused: the poll alone moves on, with the results of the worker that ran.
#include <gtest/gtest.h>

#include "app/pages/Ex_StyleView.h"
#include "app/pages/FileSystemView.h"
#include "app/pages/FirstView_HDD.h"
#include "app/pages/SecondDisplay.h"
#include "app/pages/SecondView_HDD.h"
#include "app/pages/ThirdView_HDD.h"
#include "app/workers/ScanStarters.h"
#include "app/workers/WorkerProtocol.h"
#include "resource.h"
#include "tests/app/frame/FrameTestSupport.h"

namespace morvick::test {
namespace {

// Everything but the timers runs until the worker has ended: the page's poll has not seen the end.
void RunUntilTheWorkerEndsUnpolled()
{
    ASSERT_TRUE(PumpAllButTimersUntilTheWorkerEnds()) << "the worker did not end";
    ASSERT_NE(wizard::WorkerResult(), wizard::kNoWorkerResult);
}

// Enter on a page whose keyboard ring left `pressed` shown pressed (and `other` released).
void EnterOn(CWnd& page, CButton& pressed, CButton& other)
{
    other.SetState(FALSE);
    pressed.SetState(TRUE);
    page.SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    pressed.SetState(FALSE);
}

// The ended worker is still the last one: nothing started another.
void ExpectNoNewWorker(int result)
{
    EXPECT_TRUE(wizard::IsWorkerOver()) << "another worker was started";
    EXPECT_EQ(wizard::WorkerResult(), result) << "another worker was started";
}

int TreeItemCount(CTreeCtrl& tree)
{
    int count = 0;
    for (HTREEITEM item = tree.GetRootItem(); item != nullptr; item = tree.GetNextItem(item, TVGN_NEXTVISIBLE))
        ++count;
    return count;
}

// The drive page's answer to its partition-type question, given as soon as it shows.
void CALLBACK AnswerPartitionType(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = FindWindowW(nullptr, L"Partition Type");
    if (dialog != nullptr && IsWindowVisible(dialog))
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST(WorkerEndBeforeThePoll, TheDrivePageRefusesNextAndBackUntilItsPollMovesOn)
{
    ASSERT_NO_FATAL_FAILURE(ReturnToStart());
    auto& start = PageAt<CEx_StyleView>(CEx_StyleApp::kStartPage);
    start.m_editFile.SetWindowText(WizardDisk("fixed.vhd").c_str());
    ASSERT_NO_FATAL_FAILURE(Press(*start.GetDlgItem(ID_QUICK_SCAN)));
    ASSERT_EQ(App().ShownPage(), CEx_StyleApp::kDrivePage) << "the image did not open";
    CFirstView_HDD& page = DrivePage();
    const UINT_PTR answer = SetTimer(nullptr, 0, 50, AnswerPartitionType);
    Press(page.m_btnNext);
    ASSERT_NO_FATAL_FAILURE(RunUntilTheWorkerEndsUnpolled());
    const int result = wizard::WorkerResult();

    EnterOn(page, page.m_btnBack, page.m_btnNext);
    EXPECT_EQ(App().ShownPage(), CEx_StyleApp::kDrivePage) << "Back left the search's end unseen";
    page.SendMessage(WM_COMMAND, ID_PAGE_HOME);
    EXPECT_EQ(App().ShownPage(), CEx_StyleApp::kDrivePage) << "Home left the search's end unseen";
    EnterOn(page, page.m_btnNext, page.m_btnBack);
    ExpectNoNewWorker(result);
    KillTimer(nullptr, answer);

    ASSERT_TRUE(PumpUntil([] { return App().ShownPage() == CEx_StyleApp::kPartitionPage; }));
    EXPECT_GE(TreeItemCount(PartitionPage().m_wndDeviceTree), 3) << "the partitions found are not listed";
    TakeMessages();
}

TEST(WorkerEndBeforeThePoll, ThePartitionPageRefusesScanBackAndHomeUntilItsPollMovesOn)
{
    ASSERT_NO_FATAL_FAILURE(ReturnToStart());
    ASSERT_NO_FATAL_FAILURE(ReachPartitionPage(WizardDisk("fixed.vhd"), ID_QUICK_SCAN));
    ASSERT_NO_FATAL_FAILURE(ChoosePartition(L"Partition 1"));
    CSecondView_HDD& page = PartitionPage();
    const int partitions = TreeItemCount(page.m_wndDeviceTree);
    ASSERT_NO_FATAL_FAILURE(Press(page.m_btnScan));
    ASSERT_NO_FATAL_FAILURE(RunUntilTheWorkerEndsUnpolled());
    const int result = wizard::WorkerResult();

    EnterOn(page, page.m_btnBack, page.m_btnScan);
    EXPECT_EQ(App().ShownPage(), CEx_StyleApp::kPartitionPage) << "Back left the scan's end unseen";
    EXPECT_EQ(TreeItemCount(page.m_wndDeviceTree), partitions) << "Back emptied the page";
    page.SendMessage(WM_COMMAND, ID_PAGE_BACK);
    page.SendMessage(WM_COMMAND, ID_PAGE_HOME);
    EXPECT_EQ(App().ShownPage(), CEx_StyleApp::kPartitionPage);
    EXPECT_EQ(TreeItemCount(page.m_wndDeviceTree), partitions) << "Back or Home emptied the page";

    EnterOn(page, page.m_btnScan, page.m_btnBack);
    page.SendMessage(WM_COMMAND, ID_PAGE_NEXT);
    ExpectNoNewWorker(result);

    // The poll moves on with the scan that ran.
    ASSERT_TRUE(PumpUntil([] {
        return App().ShownPage() == CEx_StyleApp::kResultsPage && !ResultsPage().Tree().IsBuilding();
    }));
    CTreeCtrl& tree = ResultsPage().Tree();
    ASSERT_NE(tree.GetRootItem(), nullptr);
    EXPECT_EQ(tree.GetItemText(tree.GetChildItem(tree.GetRootItem())), L"DIR1");
    TakeMessages();
}

TEST(WorkerEndBeforeThePoll, TheFileSystemPageRefusesNextBackAndHomeUntilItsPollMovesOn)
{
    ASSERT_NO_FATAL_FAILURE(ReturnToStart());
    ASSERT_NO_FATAL_FAILURE(ReachPartitionPage(WizardDisk("fixed.vhd"), ID_EXTENSIVE_SCAN));
    ASSERT_NO_FATAL_FAILURE(ChoosePartition(L"Partition 1"));
    PartitionPage().m_pDisplay->GetDlgItem(IDC_FILE_SYSTEM_CHOICE)->SendMessage(CB_SETCURSEL, 1);
    ASSERT_NO_FATAL_FAILURE(Press(PartitionPage().m_btnScan));
    ASSERT_TRUE(PumpUntil([] { return App().ShownPage() == CEx_StyleApp::kFileSystemPage; }, 120000));
    CFileSystemView& page = FileSystemPage();
    ASSERT_GT(page.ChosenVolume(), 0) << "no file system was found";
    const int volumes = TreeItemCount(page.m_wndTree);
    ASSERT_NO_FATAL_FAILURE(Press(page.m_btnNext));
    ASSERT_NO_FATAL_FAILURE(RunUntilTheWorkerEndsUnpolled());
    const int result = wizard::WorkerResult();

    page.SendMessage(WM_COMMAND, ID_PAGE_BACK);
    EXPECT_EQ(App().ShownPage(), CEx_StyleApp::kFileSystemPage) << "Back left the scan's end unseen";
    page.SendMessage(WM_COMMAND, ID_PAGE_HOME);
    EXPECT_EQ(App().ShownPage(), CEx_StyleApp::kFileSystemPage) << "Home left the scan's end unseen";
    EXPECT_EQ(TreeItemCount(page.m_wndTree), volumes) << "the found file systems were taken away";
    page.SendMessage(WM_COMMAND, ID_PAGE_NEXT);
    ExpectNoNewWorker(result);

    ASSERT_TRUE(PumpUntil([] {
        return App().ShownPage() == CEx_StyleApp::kResultsPage && !ResultsPage().Tree().IsBuilding();
    }));
    CTreeCtrl& tree = ResultsPage().Tree();
    ASSERT_NE(tree.GetRootItem(), nullptr);
    EXPECT_NE(tree.GetChildItem(tree.GetRootItem()), nullptr) << "the scan's results are empty";
    TakeMessages();
}

}  // namespace
}  // namespace morvick::test
