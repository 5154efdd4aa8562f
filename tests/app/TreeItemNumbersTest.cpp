// The numbers by which records, list rows and check sets name result-tree items: in a 64-bit program
// an item handle above 4 GiB keeps its own number, which names it and no other; in a 32-bit program
// a handle is its own number, as the list's ID column shows it.
#include <gtest/gtest.h>

#include "app/trees/TreeItemNumbers.h"
#include "tests/app/AppTestSupport.h"

TEST(TreeItemNumbers, HandlesAbove4GiBKeepNumbersOfTheirOwn)
{
    CHandleNumbers numbers(false);
    const uint64_t high = 0x7FF612345678ull, twin = 0x000012345678ull, other = 0x7FF600000010ull;
    const uint32_t nHigh = numbers.Number(high);
    const uint32_t nTwin = numbers.Number(twin);  // the same low 32 bits
    const uint32_t nOther = numbers.Number(other);
    EXPECT_NE(nHigh, 0u);
    EXPECT_NE(nHigh, nTwin);
    EXPECT_NE(nOther, nHigh);
    EXPECT_NE(nOther, nTwin);
    EXPECT_EQ(numbers.Handle(nHigh), high);
    EXPECT_EQ(numbers.Handle(nTwin), twin);
    EXPECT_EQ(numbers.Handle(nOther), other);
    // Named again, a handle has the number it was given.
    EXPECT_EQ(numbers.Number(twin), nTwin);
    EXPECT_EQ(numbers.Number(high), nHigh);
    // No item has number 0, and a number never given names none.
    EXPECT_EQ(numbers.Number(0), 0u);
    EXPECT_EQ(numbers.Handle(0), 0u);
    EXPECT_EQ(numbers.Handle(nOther + 1), 0u);
}

TEST(TreeItemNumbers, A32BitProgramsHandleIsItsOwnNumber)
{
    CHandleNumbers numbers(true);
    EXPECT_EQ(numbers.Number(0x00A41F28), 0x00A41F28u);
    EXPECT_EQ(numbers.Handle(0x00A41F28), 0x00A41F28u);
    EXPECT_EQ(numbers.Number(0), 0u);
}

TEST(TreeItemNumbers, ATreeItemComesBackFromItsNumber)
{
    morvick::test::HostWindow host;
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &host, 1));
    const HTREEITEM root = tree.InsertItem(L"root");
    const HTREEITEM child = tree.InsertItem(L"child", root);
    EXPECT_EQ(TreeItemFromNumber(TreeItemNumber(root)), root);
    EXPECT_EQ(TreeItemFromNumber(TreeItemNumber(child)), child);
    EXPECT_NE(TreeItemNumber(root), TreeItemNumber(child));
    EXPECT_EQ(TreeItemNumber(nullptr), 0u);
    EXPECT_EQ(TreeItemFromNumber(0), nullptr);
}
