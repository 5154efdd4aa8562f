// The device tree on a real tree control: its items, its check boxes kept in the state images,
// bold for checked items, and how a check travels down to the children and up to the parents.
#include <gtest/gtest.h>

#include "app/trees/DeviceTreeCtrl.h"
#include "resource.h"
#include "tests/app/AppTestSupport.h"

namespace morvick::test {
namespace {

class DeviceTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
            CRect(0, 0, 400, 300), &m_host, 156));
        m_tree.Init();
    }

    HTREEITEM Find(const CString& path) const
    {
        HTREEITEM item = m_tree.GetRootItem();
        int start = 0;
        HTREEITEM found = nullptr;
        while (start < path.GetLength() && item != nullptr) {
            int end = path.Find(L'\\', start);
            if (end < 0)
                end = path.GetLength();
            const CString part = path.Mid(start, end - start);
            while (item != nullptr && m_tree.GetItemText(item) != part)
                item = m_tree.GetNextSiblingItem(item);
            found = item;
            start = end + 1;
            if (item != nullptr && start < path.GetLength())
                item = m_tree.GetChildItem(item);
        }
        return found;
    }

    HostWindow m_host;
    CDeviceTreeCtrl m_tree;
};

TEST_F(DeviceTree, APathBuildsTheBranchOnceCheckedAndBold)
{
    m_tree.AddPath(L"My Computer\\Physical Devices\\Virtual Hard Disk 0 \\");
    m_tree.AddPath(L"My Computer\\Physical Devices\\Virtual Hard Disk 0 \\");  // nothing new
    EXPECT_EQ(m_tree.GetCount(), 3u);
    for (const wchar_t* path :
        {L"My Computer", L"My Computer\\Physical Devices", L"My Computer\\Physical Devices\\Virtual Hard Disk 0 "}) {
        HTREEITEM item = Find(path);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(m_tree.GetCheck(item), 1);
        EXPECT_TRUE(m_tree.IsBold(item));
    }
    EXPECT_EQ(m_tree.GetItemPath(Find(L"My Computer\\Physical Devices\\Virtual Hard Disk 0 ")),
        L"My Computer\\Physical Devices\\Virtual Hard Disk 0 ");
}

TEST_F(DeviceTree, UncheckingADiskUnchecksItsPartitionsAndCheckingOneMakesTheDiskBold)
{
    HTREEITEM first = m_tree.AddPartitionItem(L"Virtual Hard Disk ", L"Partition 0");
    HTREEITEM second = m_tree.AddPartitionItem(L"Virtual Hard Disk ", L"Partition 1");
    HTREEITEM disk = m_tree.GetRootItem();
    ASSERT_EQ(m_tree.GetItemText(disk), L"Virtual Hard Disk ");
    EXPECT_EQ(m_tree.GetParentItem(second), disk);  // one disk item for both
    EXPECT_EQ(m_tree.GetCheck(disk), 1);
    EXPECT_TRUE(m_tree.IsBold(disk));

    m_tree.ToggleCheck(disk);
    EXPECT_EQ(m_tree.GetCheck(disk), 0);
    EXPECT_EQ(m_tree.GetCheck(first), 0);
    EXPECT_EQ(m_tree.GetCheck(second), 0);
    EXPECT_FALSE(m_tree.IsBold(first));
    EXPECT_FALSE(m_tree.IsBold(disk));

    // One partition checked: the disk stays unchecked (the other is not) but shows bold.
    m_tree.ToggleCheck(second);
    EXPECT_EQ(m_tree.GetCheck(second), 1);
    EXPECT_EQ(m_tree.GetCheck(disk), 0);
    EXPECT_TRUE(m_tree.IsBold(disk));
    // Both checked: so is the disk.
    m_tree.ToggleCheck(first);
    EXPECT_EQ(m_tree.GetCheck(disk), 1);

    // Checking the disk, a branch header, checks every partition again.
    m_tree.ToggleCheck(disk);
    m_tree.ToggleCheck(disk);
    EXPECT_EQ(m_tree.GetCheck(first), 1);
    EXPECT_EQ(m_tree.GetCheck(second), 1);
}

TEST_F(DeviceTree, RowsCountTheVisibleItemsAbove)
{
    m_tree.AddPartitionItem(L"Virtual Hard Disk ", L"Partition 0");
    HTREEITEM second = m_tree.AddPartitionItem(L"Virtual Hard Disk ", L"Partition 1");
    HTREEITEM disk = m_tree.GetRootItem();
    m_tree.ExpandRoot();
    EXPECT_EQ(m_tree.GetItemRow(disk), -1);
    EXPECT_EQ(m_tree.GetItemRow(m_tree.GetChildItem(disk)), 0);  // the first partition takes table entry 0
    EXPECT_EQ(m_tree.GetItemRow(second), 1);
    EXPECT_EQ(m_tree.GetItemRow(nullptr), -2);
}

TEST_F(DeviceTree, AClickOnTheCheckBoxTogglesOnceAndSelectsTheItem)
{
    HTREEITEM partition = m_tree.AddPartitionItem(L"Virtual Hard Disk ", L"Partition 0");
    m_tree.ExpandRoot();
    PumpPending();
    CRect label;
    ASSERT_TRUE(m_tree.GetItemRect(partition, &label, TRUE));
    // The check box lies just left of the item's icon.
    const CPoint box(label.left - 16 - 8, label.CenterPoint().y);
    UINT flags = 0;
    ASSERT_EQ(m_tree.HitTest(box, &flags), partition);
    ASSERT_TRUE(flags & TVHT_ONITEMSTATEICON);

    m_tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.x, box.y));
    m_tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
    PumpPending();
    EXPECT_EQ(m_tree.GetCheck(partition), 0);
    EXPECT_FALSE(m_tree.IsBold(partition));
    EXPECT_EQ(m_tree.GetSelectedItem(), partition);

    m_tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.x, box.y));
    m_tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
    PumpPending();
    EXPECT_EQ(m_tree.GetCheck(partition), 1);
    EXPECT_TRUE(m_tree.IsBold(partition));
}

TEST_F(DeviceTree, TheCheckCommandsUpdateTheSelectedItemAndItsParents)
{
    HTREEITEM first = m_tree.AddPartitionItem(L"Virtual Hard Disk ", L"Partition 0");
    HTREEITEM second = m_tree.AddPartitionItem(L"Virtual Hard Disk ", L"Partition 1");
    HTREEITEM disk = m_tree.GetRootItem();
    m_tree.ExpandRoot();
    // The class library's update pass for one command, as a menu or a bar showing it runs it.
    const auto update = [&](UINT command) {
        CCmdUI state;
        state.m_nID = command;
        state.DoUpdate(&m_tree, FALSE);
    };

    // 32004 on a partition: it is unchecked; the disk follows, still bold for the other one.
    m_tree.SelectItem(second);
    update(ID_UNCHECK_TREE_ITEM);
    EXPECT_EQ(m_tree.GetCheck(second), 0);
    EXPECT_FALSE(m_tree.IsBold(second));
    EXPECT_EQ(m_tree.GetCheck(disk), 0);
    EXPECT_TRUE(m_tree.IsBold(disk));
    // 32003 checks it again, and the disk with it.
    update(ID_CHECK_TREE_ITEM);
    EXPECT_EQ(m_tree.GetCheck(second), 1);
    EXPECT_EQ(m_tree.GetCheck(disk), 1);

    // The commands sent to the tree, as a menu sends them: their update does the work.
    m_tree.SelectItem(disk);
    m_tree.SendMessage(WM_COMMAND, ID_UNCHECK_TREE_ITEM);
    EXPECT_EQ(m_tree.GetCheck(disk), 0);
    EXPECT_EQ(m_tree.GetCheck(first), 0);
    EXPECT_EQ(m_tree.GetCheck(second), 0);
    EXPECT_FALSE(m_tree.IsBold(disk));
    m_tree.SendMessage(WM_COMMAND, ID_CHECK_TREE_ITEM);
    EXPECT_EQ(m_tree.GetCheck(first), 1);
    EXPECT_EQ(m_tree.GetCheck(second), 1);
    EXPECT_TRUE(m_tree.IsBold(disk));
}

TEST_F(DeviceTree, RootItemsTakeTheirImageFromTheirText)
{
    EXPECT_EQ(m_tree.ImageFor(TVI_ROOT, L"My Computer"), 6);
    EXPECT_EQ(m_tree.ImageFor(TVI_ROOT, L"Virtual Hard Disk "), 5);
    HTREEITEM root = m_tree.AddPartitionItem(L"Virtual Hard Disk ", L"Partition 0");
    EXPECT_EQ(m_tree.ImageFor(root, L"Anything"), 5);
}

}  // namespace
}  // namespace morvick::test
