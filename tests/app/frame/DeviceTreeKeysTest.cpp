// Tab and Enter in the device trees of the drive and partition pages, with the program's frame and
// pages: Tab hands the keyboard to the page of the wizard's stage (the drive page begins its
// Next/Back ring again; the partition page keeps its own; the results go to the result list),
// Enter runs the page's main command.
#include <gtest/gtest.h>

#include "app/pages/Ex_StyleView.h"
#include "app/pages/FirstView_HDD.h"
#include "app/pages/SecondView_HDD.h"
#include "app/pages/ThirdView_HDD.h"
#include "app/lists/ResultListCtrl.h"
#include "resource.h"
#include "tests/app/frame/FrameTestSupport.h"

namespace morvick::test {
namespace {

bool IsPressed(CButton& button)
{
    return (button.GetState() & BST_PUSHED) != 0;
}

// A key pressed in a tree that has the keyboard.
void KeyInTree(CTreeCtrl& tree, UINT key)
{
    tree.SetFocus();
    tree.SendMessage(WM_KEYDOWN, key, 1);
    tree.SendMessage(WM_KEYUP, key, 0xC0000001);
    PumpPending();
}

// The drive page of a disk just opened in Quick Scan mode.
void OpenOnTheDrivePage()
{
    ASSERT_NO_FATAL_FAILURE(ReturnToStart());
    auto& start = PageAt<CEx_StyleView>(CEx_StyleApp::kStartPage);
    start.m_editFile.SetWindowText(WizardDisk("fixed.vhd").c_str());
    ASSERT_NO_FATAL_FAILURE(Press(*start.GetDlgItem(ID_QUICK_SCAN)));
    ASSERT_EQ(App().ShownPage(), CEx_StyleApp::kDrivePage) << "the image did not open";
}

TEST(DeviceTreeKeys, TabInTheDrivePagesTreeBeginsThePagesRingAgain)
{
    ASSERT_NO_FATAL_FAILURE(OpenOnTheDrivePage());
    CFirstView_HDD& page = DrivePage();
    // The ring left with Back shown pressed.
    page.SetFocus();
    page.SendMessage(WM_KEYDOWN, VK_TAB, 1);
    page.SendMessage(WM_KEYDOWN, VK_TAB, 1);
    ASSERT_TRUE(IsPressed(page.m_btnBack));

    KeyInTree(page.m_wndDeviceTree, VK_TAB);
    EXPECT_EQ(CWnd::GetFocus(), static_cast<CWnd*>(&page)) << "the page did not take the keyboard";
    EXPECT_FALSE(IsPressed(page.m_btnNext));
    EXPECT_FALSE(IsPressed(page.m_btnBack));
    EXPECT_EQ(page.m_nKeyFocus[0], 1);
    EXPECT_EQ(page.m_nKeyFocus[1] + page.m_nKeyFocus[2] + page.m_nKeyFocus[3], 0);

    // The ring goes on from its first state: Next first.
    page.SendMessage(WM_KEYDOWN, VK_TAB, 1);
    EXPECT_TRUE(IsPressed(page.m_btnNext));
    EXPECT_FALSE(IsPressed(page.m_btnBack));
    page.m_btnNext.SetState(FALSE);
    page.m_nKeyFocus[0] = 1;
    page.m_nKeyFocus[1] = page.m_nKeyFocus[2] = page.m_nKeyFocus[3] = 0;
    TakeMessages();
}

TEST(DeviceTreeKeys, TabInThePartitionPagesTreeGivesThePageTheKeyboardAndKeepsItsRing)
{
    ASSERT_NO_FATAL_FAILURE(ReturnToStart());
    ASSERT_NO_FATAL_FAILURE(ReachPartitionPage(WizardDisk("fixed.vhd"), ID_QUICK_SCAN));
    CSecondView_HDD& page = PartitionPage();
    // The ring left with Scan shown pressed.
    page.SetFocus();
    page.SendMessage(WM_KEYDOWN, VK_TAB, 1);
    ASSERT_TRUE(IsPressed(page.m_btnScan));
    const int ring[4] = {page.m_nKeyFocus[0], page.m_nKeyFocus[1], page.m_nKeyFocus[2], page.m_nKeyFocus[3]};

    KeyInTree(page.m_wndDeviceTree, VK_TAB);
    EXPECT_EQ(CWnd::GetFocus(), static_cast<CWnd*>(&page)) << "the page did not take the keyboard";
    EXPECT_TRUE(IsPressed(page.m_btnScan));
    EXPECT_FALSE(IsPressed(page.m_btnBack));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(page.m_nKeyFocus[i], ring[i]) << "flag " << i;
    page.m_btnScan.SetState(FALSE);
    for (int& flag : page.m_nKeyFocus)
        flag = 0;

    // Enter in the tree is the page's Scan: with nothing chosen, its message.
    TakeMessages();
    KeyInTree(page.m_wndDeviceTree, VK_RETURN);
    const std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("click [Scan]"), std::string::npos) << messages[0];
}

TEST(DeviceTreeKeys, TabInATreeOnceTheResultsAreShownGoesToTheResultList)
{
    ASSERT_NO_FATAL_FAILURE(ReturnToStart());
    ASSERT_NO_FATAL_FAILURE(ReachPartitionPage(WizardDisk("fixed.vhd"), ID_QUICK_SCAN));
    ASSERT_NO_FATAL_FAILURE(ChoosePartition(L"Partition 1"));
    ASSERT_NO_FATAL_FAILURE(Press(PartitionPage().m_btnScan));
    auto& results = PageAt<CThirdView_HDD>(CEx_StyleApp::kResultsPage);
    ASSERT_TRUE(PumpUntil([&] {
        return App().ShownPage() == CEx_StyleApp::kResultsPage && !results.Tree().IsBuilding() &&
               Frame().m_bResultsReady;
    }));
    results.Tree().SetFocus();

    PartitionPage().m_wndDeviceTree.SendMessage(WM_KEYDOWN, VK_TAB, 1);
    PumpPending();
    EXPECT_EQ(CWnd::GetFocus(), static_cast<CWnd*>(&results.List())) << "the result list did not take the keyboard";
    TakeMessages();
}

}  // namespace
}  // namespace morvick::test
