// What the user sees between the end of a scan and its results: the result tree is built while the
// scan's page shows "Please wait creating tree" and the share built, the window painting meanwhile;
// then the results page, its list in report view whatever view the last results were left in. And
// Stop goes once the Extensive Scan's NTFS analysis is past its boot sectors. And the window answers
// its messages between every two slices of the building, the index of the files and the listing of
// the top folder included.
#include <gtest/gtest.h>

#include "app/pages/FileSystemForm.h"
#include "app/pages/FileSystemView.h"
#include "app/pages/SecondDisplay.h"
#include "app/pages/SecondView_HDD.h"
#include "app/pages/ThirdView_HDD.h"
#include "app/workers/MessageWindow.h"
#include "app/workers/ResultTreeBuild.h"
#include "app/workers/WorkerProtocol.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/fat/FatEntryLists.h"
#include "engine/listing/ResultListing.h"
#include "engine/save/EngineReset.h"
#include "engine/state/EngineState.h"
#include "resource.h"
#include "tests/app/frame/FrameTestSupport.h"

namespace morvick::test {
namespace {

std::string Narrow(const CString& text)
{
    std::string out;
    for (int i = 0; i < text.GetLength(); ++i)
        out += text[i] < 128 ? static_cast<char>(text[i]) : '?';
    return out;
}

// Pumps until the tree is built, and tells whether the frame painted in the meantime (it is made to
// need painting first).
bool PaintsWhileTheTreeBuilds()
{
    RedrawWindow(Frame().GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    bool painted = false;
    EXPECT_TRUE(PumpUntil([&] {
        const bool building = ResultsPage().Tree().IsBuilding();
        if (building && !GetUpdateRect(Frame().GetSafeHwnd(), nullptr, FALSE))
            painted = true;
        return !building;
    })) << "the tree was not built";
    return painted;
}

void ExpectResultsInReportView()
{
    EXPECT_EQ(App().ShownPage(), CEx_StyleApp::kResultsPage);
    EXPECT_EQ(ResultsPage().List().GetStyle() & LVS_TYPEMASK, static_cast<DWORD>(LVS_REPORT));
    CTreeCtrl& tree = ResultsPage().Tree();
    ASSERT_NE(tree.GetRootItem(), nullptr);
    EXPECT_EQ(tree.GetItemText(tree.GetRootItem()), L"Root");
}

// A Quick Scan of a partition of the wizard's disk, up to the moment its tree's building begins.
void QuickScanUntilTheTreeBuilds(const wchar_t* partition, const wchar_t* status)
{
    ASSERT_NO_FATAL_FAILURE(ReturnToStart());
    ASSERT_NO_FATAL_FAILURE(ReachPartitionPage(WizardDisk("fixed.vhd"), ID_QUICK_SCAN));
    ASSERT_NO_FATAL_FAILURE(ChoosePartition(partition));
    CSecondView_HDD& page = PartitionPage();
    ASSERT_NO_FATAL_FAILURE(Press(page.m_btnScan));
    ASSERT_TRUE(PumpUntil([&] { return PaneStatus(*page.m_pDisplay) == status; }))
        << "no tree building shown; the status is \"" << Narrow(PaneStatus(*page.m_pDisplay)) << "\"";
}

TEST(TreeBuilding, AQuickScanShowsTheTreeBeingBuiltOnItsPageThenTheResults)
{
    ASSERT_NO_FATAL_FAILURE(QuickScanUntilTheTreeBuilds(L"Partition 1", L"Please wait creating tree"));
    CSecondView_HDD& page = PartitionPage();
    EXPECT_EQ(App().ShownPage(), CEx_StyleApp::kPartitionPage);
    EXPECT_TRUE(IsShown(*page.m_pDisplay->GetDlgItem(IDC_PANE_STATUS)));
    EXPECT_TRUE(IsShown(*page.m_pDisplay->GetDlgItem(IDC_PANE_PROGRESS)));
    EXPECT_EQ(PaneProgress(*page.m_pDisplay), 0);
    EXPECT_FALSE(IsShown(page.m_btnStop));
    EXPECT_FALSE(page.m_btnStop.IsWindowEnabled());
    EXPECT_FALSE(page.m_btnScan.IsWindowEnabled());
    EXPECT_FALSE(page.m_btnBack.IsWindowEnabled());
    EXPECT_FALSE(page.m_btnHome.IsWindowEnabled());
    EXPECT_EQ(page.m_nBusy, 1) << "the wait cursor is kept over the page";
    CaptureFrameNow(L"tree-building.png");

    EXPECT_TRUE(PaintsWhileTheTreeBuilds()) << "the window did not paint while the tree was built";
    ExpectResultsInReportView();
    EXPECT_EQ(page.m_nBusy, 0);
    CTreeCtrl& tree = ResultsPage().Tree();
    EXPECT_EQ(tree.GetItemText(tree.GetChildItem(tree.GetRootItem())), L"DIR1");
    TakeMessages();
}

TEST(TreeBuilding, AQuickScanOfNtfsSaysSoWithItsDots)
{
    ASSERT_NO_FATAL_FAILURE(QuickScanUntilTheTreeBuilds(L"Partition 2", L"Please wait creating tree..."));
    EXPECT_TRUE(PumpUntil([] { return App().ShownPage() == CEx_StyleApp::kResultsPage; }));
    ExpectResultsInReportView();
    TakeMessages();
}

TEST(TreeBuilding, NewResultsAreShownInReportViewAfterIconsWereChosen)
{
    ASSERT_NO_FATAL_FAILURE(QuickScanUntilTheTreeBuilds(L"Partition 1", L"Please wait creating tree"));
    ASSERT_TRUE(PumpUntil([] { return App().ShownPage() == CEx_StyleApp::kResultsPage; }));
    Frame().SendMessage(WM_COMMAND, ID_VIEW_ICONS);
    EXPECT_EQ(ResultsPage().List().GetStyle() & LVS_TYPEMASK, static_cast<DWORD>(LVS_SMALLICON));

    // Back to the partitions, the same one scanned again.
    ASSERT_NO_FATAL_FAILURE(Press(ResultsPage().m_btnBack));
    ASSERT_EQ(App().ShownPage(), CEx_StyleApp::kPartitionPage);
    ASSERT_NO_FATAL_FAILURE(ChoosePartition(L"Partition 1"));
    ASSERT_NO_FATAL_FAILURE(Press(PartitionPage().m_btnScan));
    ASSERT_TRUE(PumpUntil([] { return App().ShownPage() == CEx_StyleApp::kResultsPage; }));
    ExpectResultsInReportView();
    TakeMessages();
}

// What the tree, its index and its list held when a timer of another window of the thread went off
// in the middle of a tree's building.
struct BetweenSlices {
    bool itemsGoingIn = false;  // some folders in the tree, not all
    bool indexGoingOn = false;  // some files indexed, the index not complete
    bool rowsGoingIn = false;   // the index complete, some of the top folder's rows listed, not all
};

BetweenSlices g_seen;
size_t g_folders = 0, g_files = 0, g_rootRows = 0;

LRESULT CALLBACK NoteBetweenSlices(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_TIMER)
        return DefWindowProcW(window, message, wParam, lParam);
    CResultTreeCtrl& tree = ResultsPage().Tree();
    if (!tree.IsBuilding())
        return 0;
    const size_t items = tree.GetCount(), indexed = tree.Index().AllFiles().size();
    const size_t rows = static_cast<size_t>(ResultsPage().List().GetItemCount());
    if (items > 1 && items < g_folders + 1)
        g_seen.itemsGoingIn = true;
    if (!tree.Index().IsBuilt() && indexed > 0 && indexed < g_files)
        g_seen.indexGoingOn = true;
    if (tree.Index().IsBuilt() && rows > 0 && rows < g_rootRows)
        g_seen.rowsGoingIn = true;
    return 0;
}

// A FAT volume of many folders and files, many of them in its top folder, in the engine's lists as
// a Quick Scan leaves them.
void FillManyFiles()
{
    ResetEngineState();
    g_nScanMode = kScanQuick;
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kFat32;
    g_folders = 300;
    for (uint32_t i = 0; i < g_folders; ++i)
        AppendNewFatFolder(u"D" + DecimalText(i), 100 + i, i < 20 ? 0 : 100 + i % 20, 0, 0, 0, 0);
    g_files = 6000;
    for (uint32_t i = 0; i < g_files; ++i) {
        AppendFatEntry(u"f" + DecimalText(i) + u".txt", 1000 + i, i % 2 == 0 ? 0 : 100 + i % g_folders, 0, 0, i, 0);
        ++g_nFatFileCount;
    }
    g_rootRows = 20 + g_files / 2;
}

TEST(TreeBuilding, TheWindowAnswersBetweenTheSlicesOfItemsIndexAndListing)
{
    FillManyFiles();
    // The slices as short as they go, the message window and the lists put back however the test ends.
    struct Restore {
        DWORD sliceMs = wizard::CResultTreeBuild::SetSliceMs(0);
        HWND window = wizard::CreateMessageWindow(L"Morvick.TreeBuildingTest", NoteBetweenSlices);
        ~Restore()
        {
            wizard::CResultTreeBuild::SetSliceMs(sliceMs);
            DestroyWindow(window);
            ResultsPage().ClearResultList();
            ResetEngineState();
        }
    } restore;
    ASSERT_NE(restore.window, nullptr);
    g_seen = {};

    wizard::CResultTreeBuild build;
    bool done = false;
    ASSERT_TRUE(build.Start(ResultsPage(), kScanQuick, *PartitionPage().m_pDisplay, [&] { done = true; }));
    // A timer as frequent as the slices' own: whenever it goes off, it notes what stage the
    // building is at.
    ASSERT_NE(SetTimer(restore.window, 1, USER_TIMER_MINIMUM, nullptr), 0u);
    EXPECT_TRUE(PumpUntil([&] { return done; })) << "the tree was not built";
    EXPECT_TRUE(g_seen.itemsGoingIn) << "no message ran while the folders went in";
    EXPECT_TRUE(g_seen.indexGoingOn) << "no message ran while the files were indexed";
    EXPECT_TRUE(g_seen.rowsGoingIn) << "no message ran while the top folder was listed";

    // And the results are what one build at once gives.
    CResultTreeCtrl& tree = ResultsPage().Tree();
    EXPECT_FALSE(tree.IsBuilding());
    EXPECT_EQ(tree.GetCount(), g_folders + 1);
    EXPECT_EQ(tree.Index().AllFiles().size(), g_files);
    EXPECT_EQ(static_cast<size_t>(ResultsPage().List().GetItemCount()), g_rootRows);
    EXPECT_EQ(tree.ListedItem(), tree.GetRootItem());
    EXPECT_EQ(tree.GetSelectedItem(), tree.GetRootItem());
}

// An Extensive Scan of a partition's range of the wizard's disk for one file-system type (the
// choice box: 0 NTFS, 1 FAT 32), started.
void StartExtensiveScan(const wchar_t* partition, int choice)
{
    ASSERT_NO_FATAL_FAILURE(ReturnToStart());
    ASSERT_NO_FATAL_FAILURE(ReachPartitionPage(WizardDisk("fixed.vhd"), ID_EXTENSIVE_SCAN));
    ASSERT_NO_FATAL_FAILURE(ChoosePartition(partition));
    CSecondView_HDD& page = PartitionPage();
    page.m_pDisplay->GetDlgItem(IDC_FILE_SYSTEM_CHOICE)->SendMessage(CB_SETCURSEL, choice);
    ASSERT_NO_FATAL_FAILURE(Press(page.m_btnScan));
}

TEST(TreeBuilding, AVolumeTheExtensiveScanFoundShowsItsTreeBuiltOnTheFileSystemPage)
{
    const struct {
        const wchar_t* partition;
        int choice;
        const wchar_t* status;
        const wchar_t* picture;
    } cases[] = {
        {L"Partition 1", 1, L"Please wait creating tree ( Step 5/5 )...", L"tree-building-found-fat.png"},
        {L"Partition 2", 0, L"Please wait creating tree", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.partition));
        ASSERT_NO_FATAL_FAILURE(StartExtensiveScan(c.partition, c.choice));
        ASSERT_TRUE(PumpUntil([] { return App().ShownPage() == CEx_StyleApp::kFileSystemPage; }, 120000));
        CFileSystemView& page = FileSystemPage();
        ASSERT_GT(page.ChosenVolume(), 0) << "no file system was found";
        ASSERT_NO_FATAL_FAILURE(Press(page.m_btnNext));
        ASSERT_TRUE(PumpUntil([&] { return PaneStatus(*page.m_pForm) == c.status; }))
            << "no tree building shown; the status is \"" << Narrow(PaneStatus(*page.m_pForm)) << "\"";
        EXPECT_EQ(App().ShownPage(), CEx_StyleApp::kFileSystemPage);
        EXPECT_TRUE(IsShown(*page.m_pForm->GetDlgItem(IDC_PANE_PROGRESS)));
        EXPECT_FALSE(IsShown(page.m_btnStop));
        EXPECT_FALSE(page.m_btnNext.IsWindowEnabled());
        EXPECT_FALSE(page.m_btnBack.IsWindowEnabled());
        if (c.picture != nullptr)
            CaptureFrameNow(c.picture);
        EXPECT_TRUE(PaintsWhileTheTreeBuilds());
        ExpectResultsInReportView();
        TakeMessages();
    }
}

TEST(TreeBuilding, StopGoesOnceTheNtfsAnalysisIsPastItsBootSectors)
{
    // The worker held at its first report once the analysis is past its boot sectors: the scan is
    // still running there, and the page's poll takes Stop away.
    HeldWorker hold([](const std::u16string*) { return g_nBootPassFinished == 1; });
    ASSERT_NO_FATAL_FAILURE(StartExtensiveScan(L"Partition 2", 0));
    CSecondView_HDD& page = PartitionPage();
    EXPECT_TRUE(IsShown(page.m_btnStop));
    ASSERT_TRUE(PumpUntil([&] { return hold.Held(); }, 120000)) << "the analysis never got past its boot sectors";
    EXPECT_TRUE(PumpUntil([&] { return !IsShown(page.m_btnStop); })) << "Stop stayed while the scan ran on";
    EXPECT_FALSE(wizard::IsWorkerOver());
    EXPECT_FALSE(page.m_btnStop.IsWindowEnabled());
    EXPECT_EQ(App().ShownPage(), CEx_StyleApp::kPartitionPage);
    hold.Release();
    EXPECT_TRUE(PumpUntil([] { return App().ShownPage() == CEx_StyleApp::kFileSystemPage; }, 120000));
    TakeMessages();
}

}  // namespace
}  // namespace morvick::test
