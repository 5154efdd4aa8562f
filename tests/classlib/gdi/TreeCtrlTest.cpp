#include "TestHost.h"

#include "classlib/win/AfxCtrls.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class TreeFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_CHECKBOXES,
                                CRect(0, 0, 300, 300), &host, 100));
        root = tree.InsertItem(L"Disk 0");
        folderA = tree.InsertItem(L"Partition 1", root);
        folderB = tree.InsertItem(L"Partition 2", root);
        file = tree.InsertItem(L"file.txt", folderA);
        other = tree.InsertItem(L"Disk 1");
    }
    TestHost host;
    CTreeCtrl tree;
    HTREEITEM root, folderA, folderB, file, other;
};

} // namespace

TEST_F(TreeFixture, TraversalHelpersWalkTheRealTree)
{
    EXPECT_EQ(root, tree.GetRootItem());
    EXPECT_EQ(folderA, tree.GetChildItem(root));
    EXPECT_EQ(folderB, tree.GetNextSiblingItem(folderA));
    EXPECT_EQ(folderA, tree.GetPrevSiblingItem(folderB));
    EXPECT_EQ(nullptr, tree.GetNextSiblingItem(folderB));
    EXPECT_EQ(root, tree.GetParentItem(folderB));
    EXPECT_EQ(nullptr, tree.GetParentItem(root));
    EXPECT_EQ(other, tree.GetNextSiblingItem(root));
    EXPECT_EQ(5u, tree.GetCount());

    EXPECT_TRUE(tree.ItemHasChildren(root));
    EXPECT_FALSE(tree.ItemHasChildren(file));

    // Collapsed: the visible order skips the children; expanded, it goes through them.
    EXPECT_EQ(root, tree.GetFirstVisibleItem());
    EXPECT_EQ(other, tree.GetNextVisibleItem(root));
    ASSERT_TRUE(tree.Expand(root, TVE_EXPAND));
    EXPECT_EQ(folderA, tree.GetNextVisibleItem(root));
    EXPECT_EQ(folderB, tree.GetNextVisibleItem(folderA));
    EXPECT_TRUE(tree.GetItemState(root, TVIS_EXPANDED) & TVIS_EXPANDED);
}

TEST_F(TreeFixture, TextOfAnyLengthAndItemData)
{
    std::wstring longText(700, L'x');
    longText += L"end";
    ASSERT_TRUE(tree.SetItemText(file, longText.c_str()));
    CString back = tree.GetItemText(file);
    EXPECT_EQ((int)longText.size(), back.GetLength());
    EXPECT_TRUE(back == longText.c_str());
    EXPECT_TRUE(tree.GetItemText(folderB) == L"Partition 2");

    EXPECT_TRUE(tree.SetItemData(folderB, 0xDEADBEEF));
    EXPECT_EQ((DWORD_PTR)0xDEADBEEF, tree.GetItemData(folderB));
    EXPECT_EQ(0u, tree.GetItemData(folderA));
}

TEST_F(TreeFixture, CheckStatesAreStateImagesLessOne)
{
    EXPECT_EQ(0, tree.GetCheck(folderA));
    EXPECT_TRUE(tree.SetCheck(folderA));
    EXPECT_EQ(1, tree.GetCheck(folderA));
    EXPECT_EQ((UINT)INDEXTOSTATEIMAGEMASK(2), tree.GetItemState(folderA, TVIS_STATEIMAGEMASK));
    EXPECT_TRUE(tree.SetCheck(folderA, FALSE));
    EXPECT_EQ(0, tree.GetCheck(folderA));
    // An item whose state image is removed has no box at all.
    tree.SetItemState(folderB, 0, TVIS_STATEIMAGEMASK);
    EXPECT_EQ(-1, tree.GetCheck(folderB));
    // Bold and the check box live side by side.
    tree.SetItemState(file, TVIS_BOLD, TVIS_BOLD);
    tree.SetCheck(file);
    EXPECT_TRUE(tree.GetItemState(file, TVIS_BOLD) & TVIS_BOLD);
    EXPECT_EQ(1, tree.GetCheck(file));
}

TEST_F(TreeFixture, HitTestFindsTheItemUnderItsOwnRectangle)
{
    tree.Expand(root, TVE_EXPAND);
    CRect rect;
    ASSERT_TRUE(tree.GetItemRect(folderB, &rect, TRUE));
    EXPECT_FALSE(rect.IsRectEmpty());
    UINT flags = 0;
    EXPECT_EQ(folderB, tree.HitTest(rect.CenterPoint(), &flags));
    EXPECT_TRUE(flags & TVHT_ONITEMLABEL);
    // A collapsed child has no rectangle.
    tree.Expand(root, TVE_COLLAPSE);
    EXPECT_FALSE(tree.GetItemRect(folderB, &rect, TRUE));
    EXPECT_EQ(nullptr, tree.HitTest(CPoint(290, 290), &flags));
}

namespace {
int CALLBACK ByDataDescending(LPARAM a, LPARAM b, LPARAM)
{
    return (int)(b - a);
}
} // namespace

TEST_F(TreeFixture, SortChildrenWithCallbackSelectAndDelete)
{
    HTREEITEM c = tree.InsertItem(L"Partition 3", root);
    tree.SetItemData(folderA, 1);
    tree.SetItemData(folderB, 2);
    tree.SetItemData(c, 3);
    TVSORTCB sort = {root, ByDataDescending, 0};
    ASSERT_TRUE(tree.SortChildrenCB(&sort));
    EXPECT_EQ(c, tree.GetChildItem(root));
    EXPECT_EQ(folderB, tree.GetNextSiblingItem(c));
    EXPECT_EQ(folderA, tree.GetNextSiblingItem(folderB));

    EXPECT_TRUE(tree.SelectItem(folderB));
    EXPECT_EQ(folderB, tree.GetSelectedItem());
    EXPECT_TRUE(tree.DeleteItem(folderA));
    EXPECT_EQ(4u, tree.GetCount());   // folderA and its file went
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(0u, tree.GetCount());
    EXPECT_EQ(nullptr, tree.GetRootItem());
}

TEST_F(TreeFixture, ImageListSwapReturnsThePreviousList)
{
    CImageList first, second;
    first.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 2);
    second.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 2);
    EXPECT_EQ(nullptr, tree.SetImageList(&first, TVSIL_NORMAL));
    EXPECT_EQ(&first, tree.SetImageList(&second, TVSIL_NORMAL));   // the permanent wrapper
    EXPECT_EQ(&second, tree.GetImageList(TVSIL_NORMAL));
    tree.SetImageList(nullptr, TVSIL_NORMAL);
}
