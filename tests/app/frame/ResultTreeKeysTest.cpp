// The result tree of the results page from the keyboard, through key messages on its window as the
// program's loop delivers them: Space ticks and clears the selected item's box as a click on it does
// (the list's boxes follow), and the arrow and paging keys list the folder they come to once they
// are let go, however long they were held, while a click lists at once; so does any other key that
// moves the selection (a first letter typed, Backspace to the parent).
#include <gtest/gtest.h>

#include <vector>

#include "app/lists/ResultListCtrl.h"
#include "app/pages/ThirdView_HDD.h"
#include "tests/app/frame/FrameTestSupport.h"

namespace morvick::test {
namespace {

// A key pressed in the tree (a repeat while it is held), let go, or both.
void PostKeyDown(CWnd& tree, UINT key, bool repeat)
{
    tree.PostMessage(WM_KEYDOWN, key, repeat ? 0x40000001 : 1);
    PumpPending();
}

void PostKeyUp(CWnd& tree, UINT key)
{
    tree.PostMessage(WM_KEYUP, key, 0xC0000001);
    PumpPending();
}

void PostKey(CWnd& tree, UINT key)
{
    PostKeyDown(tree, key, false);
    PostKeyUp(tree, key);
}

std::vector<CString> RowNames(CResultListCtrl& list)
{
    std::vector<CString> names;
    for (int row = 0; row < list.GetItemCount(); ++row)
        names.push_back(list.GetItemText(row, 0));
    return names;
}

// The boxes of the list's rows, the parent row left out: 1 ticked, 0 not.
std::vector<int> RowBoxes(CResultListCtrl& list)
{
    std::vector<int> boxes;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (list.GetItemText(row, 0) != L"Parent...")
            boxes.push_back(list.GetCheck(row));
    }
    return boxes;
}

class ResultTreeKeys : public ::testing::Test {
protected:
    // The top folder: folders A and B and one file; A: folder A1 and two files; A1: one file;
    // B: one file. Shown on the results page, every folder open, the tree with the keyboard.
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ShowFatResults({{u"A", 100, 0}, {u"B", 101, 0}, {u"A1", 102, 100}},
            {{u"top.txt", 0, 100}, {u"a1.txt", 100, 100}, {u"a2.txt", 100, 100}, {u"x.jpg", 102, 100},
                {u"b.txt", 101, 100}}));
        CResultTreeCtrl& tree = Tree();
        for (HTREEITEM item = tree.GetRootItem(); item != nullptr; item = tree.GetNextItemPreOrder(item))
            tree.Expand(item, TVE_EXPAND);
        tree.SetFocus();
        PumpPending();
        ASSERT_EQ(tree.GetSelectedItem(), tree.GetRootItem());
    }
    void TearDown() override
    {
        LeaveFatResults();
        TakeMessages();
    }

    CResultTreeCtrl& Tree() { return ResultsPage().Tree(); }
    CResultListCtrl& List() { return ResultsPage().List(); }
    HTREEITEM Item(const wchar_t* text)
    {
        for (HTREEITEM item = Tree().GetRootItem(); item != nullptr; item = Tree().GetNextItemPreOrder(item)) {
            if (Tree().GetItemText(item) == text)
                return item;
        }
        return nullptr;
    }
};

TEST_F(ResultTreeKeys, SpaceTicksAndClearsTheSelectedItemsBoxAsAClickDoes)
{
    CResultTreeCtrl& tree = Tree();
    const HTREEITEM root = tree.GetRootItem(), a = Item(L"A");
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(RowNames(List()), (std::vector<CString>{L"A", L"B", L"top.txt"}));

    // The top item, the whole volume: everything ticked, in the tree and in the list.
    PostKey(tree, VK_SPACE);
    EXPECT_EQ(tree.GetCheck(root), 1);
    EXPECT_EQ(tree.GetCheck(Item(L"A1")), 1);
    EXPECT_EQ(RowBoxes(List()), (std::vector<int>{1, 1, 1}));
    PostKey(tree, VK_SPACE);
    EXPECT_EQ(tree.GetCheck(root), 0);
    EXPECT_EQ(RowBoxes(List()), (std::vector<int>{0, 0, 0}));

    // A folder reached by the keyboard: ticked with all it holds, the top item partly.
    PostKey(tree, VK_DOWN);
    ASSERT_EQ(tree.GetSelectedItem(), a);
    PostKey(tree, VK_SPACE);
    EXPECT_EQ(tree.GetCheck(a), 1);
    EXPECT_EQ(tree.GetCheck(Item(L"A1")), 1);
    EXPECT_EQ(tree.GetCheck(root), 2);
    EXPECT_EQ(RowBoxes(List()), (std::vector<int>{1, 1, 1})) << "A's rows follow";

    // The partly ticked top item is cleared by Space as by a click, with A.
    PostKey(tree, VK_HOME);
    ASSERT_EQ(tree.GetSelectedItem(), root);
    EXPECT_EQ(RowBoxes(List()), (std::vector<int>{1, 0, 0}));
    PostKey(tree, VK_SPACE);
    EXPECT_EQ(tree.GetCheck(root), 0);
    EXPECT_EQ(tree.GetCheck(a), 0);
    EXPECT_EQ(RowBoxes(List()), (std::vector<int>{0, 0, 0}));
}

TEST_F(ResultTreeKeys, AHeldArrowKeyListsTheFolderItCameToOnceItIsLetGo)
{
    CResultTreeCtrl& tree = Tree();
    const HTREEITEM root = tree.GetRootItem();
    ASSERT_EQ(tree.ListedItem(), root);

    // Down, held: the selection moves on at each repeat, the list keeps the folder it showed.
    PostKeyDown(tree, VK_DOWN, false);
    EXPECT_EQ(tree.GetSelectedItem(), Item(L"A"));
    PostKeyDown(tree, VK_DOWN, true);
    PostKeyDown(tree, VK_DOWN, true);
    EXPECT_EQ(tree.GetSelectedItem(), Item(L"B"));
    EXPECT_EQ(tree.ListedItem(), root) << "a folder was listed while the key was held";
    EXPECT_EQ(RowNames(List()), (std::vector<CString>{L"A", L"B", L"top.txt"}));
    // Let go: the folder it came to.
    PostKeyUp(tree, VK_DOWN);
    EXPECT_EQ(tree.ListedItem(), Item(L"B"));
    EXPECT_EQ(RowNames(List()), (std::vector<CString>{L"Parent...", L"b.txt"}));

    // Every key that moves through the tree lists on its release: Up, Page Up, Home, End...
    PostKey(tree, VK_UP);
    EXPECT_EQ(tree.ListedItem(), Item(L"A1"));
    PostKey(tree, VK_HOME);
    EXPECT_EQ(tree.ListedItem(), root);
    PostKey(tree, VK_END);
    EXPECT_EQ(tree.ListedItem(), Item(L"B"));
    PostKey(tree, VK_PRIOR);
    EXPECT_EQ(tree.ListedItem(), root);
    // ...and Left and Right, to a folder's parent and into it again.
    tree.SelectItem(Item(L"A1"));
    PumpPending();
    PostKey(tree, VK_LEFT);
    EXPECT_EQ(tree.GetSelectedItem(), Item(L"A"));
    EXPECT_EQ(tree.ListedItem(), Item(L"A"));
    EXPECT_EQ(RowNames(List()), (std::vector<CString>{L"Parent...", L"A1", L"a1.txt", L"a2.txt"}));
    PostKey(tree, VK_RIGHT);
    EXPECT_EQ(tree.ListedItem(), Item(L"A1"));

    // A click on an item's label lists it at once, with no key to be let go.
    tree.EnsureVisible(Item(L"B"));
    CRect label;
    ASSERT_TRUE(tree.GetItemRect(Item(L"B"), &label, TRUE));
    const CPoint centre = label.CenterPoint();
    tree.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    tree.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    PumpPending();
    EXPECT_EQ(tree.GetSelectedItem(), Item(L"B"));
    EXPECT_EQ(tree.ListedItem(), Item(L"B"));
}

TEST_F(ResultTreeKeys, ATypedLetterOrBackspaceListsTheFolderItCameTo)
{
    CResultTreeCtrl& tree = Tree();
    // "b" typed: the tree's search selects folder B; its rows once the key is let go.
    PostKeyDown(tree, 'B', false);
    tree.PostMessage(WM_CHAR, L'b', 1);
    PumpPending();
    ASSERT_EQ(tree.GetSelectedItem(), Item(L"B"));
    EXPECT_EQ(tree.ListedItem(), tree.GetRootItem()) << "listed before the key was let go";
    PostKeyUp(tree, 'B');
    EXPECT_EQ(tree.ListedItem(), Item(L"B"));
    EXPECT_EQ(RowNames(List()), (std::vector<CString>{L"Parent...", L"b.txt"}));

    // Backspace from A1 to its parent A: A's rows, and Space ticks A beside its own rows.
    tree.SelectItem(Item(L"A1"));
    PumpPending();
    ASSERT_EQ(tree.ListedItem(), Item(L"A1"));
    PostKey(tree, VK_BACK);
    ASSERT_EQ(tree.GetSelectedItem(), Item(L"A"));
    EXPECT_EQ(tree.ListedItem(), Item(L"A"));
    EXPECT_EQ(RowNames(List()), (std::vector<CString>{L"Parent...", L"A1", L"a1.txt", L"a2.txt"}));
    PostKey(tree, VK_SPACE);
    EXPECT_EQ(tree.GetCheck(Item(L"A")), 1);
    EXPECT_EQ(RowBoxes(List()), (std::vector<int>{1, 1, 1}));
}

}  // namespace
}  // namespace morvick::test
