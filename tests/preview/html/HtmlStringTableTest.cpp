// The renderer's string list and table: reads out of range stay safe, rows move up on removal.
#include "preview/html/HtmlStringList.h"

#include <gtest/gtest.h>

namespace {

TEST(HtmlStringList, ReadsOutOfRangeGiveTheEmptyString)
{
    CHtmlStringList list;
    int length = 99;
    EXPECT_STREQ(list.GetAt(0, &length), L"");
    EXPECT_EQ(length, 0);
    ASSERT_EQ(list.Add(L"alpha"), 1);
    ASSERT_EQ(list.Add(L"betagamma", 4), 1);
    EXPECT_EQ(list.Add(nullptr), 0);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_STREQ(list.GetAt(1, &length), L"beta");
    EXPECT_EQ(length, 4);
    for (int bad : {-1, 2, 1 << 30}) {
        length = 7;
        EXPECT_STREQ(list.GetAt(bad, &length), L"") << bad;
        EXPECT_EQ(length, 0);
    }
    EXPECT_EQ(list.SetAt(2, L"x"), 0);
    EXPECT_EQ(list.SetAt(-1, L"x"), 0);
    EXPECT_EQ(list.SetAt(0, L"omega"), 1);
    EXPECT_STREQ(list.GetAt(0), L"omega");
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_STREQ(list.GetAt(0), L"");
}

TEST(HtmlStringList, HashIsTheBase255SumOfTheCharacters)
{
    EXPECT_EQ(HashText(L"", 0), 0u);
    EXPECT_EQ(HashText(L"ab", -3), 0u);
    EXPECT_EQ(HashText(L"ab", 2), 97u * 255u + 98u);
    // Wraps at 32 bits instead of overflowing.
    std::wstring longText(40, L'z');
    uint32_t h = 0;
    for (wchar_t c : longText)
        h = h * 255u + static_cast<uint32_t>(c);
    EXPECT_EQ(HashText(longText.c_str(), 40), h);
    CHtmlStringList list;
    list.Add(L"ab");
    EXPECT_EQ(list.GetHash(0), HashText(L"ab", 2));
    EXPECT_EQ(list.GetHash(5), 0u);
}

TEST(HtmlStringTable, MissingRowsAreEmptyAndCannotBeWritten)
{
    CHtmlStringTable table;
    EXPECT_EQ(table.GetRow(0).GetCount(), 0);
    EXPECT_EQ(table.AddCell(0, L"x"), 0);
    EXPECT_EQ(table.SetCell(0, 0, L"x"), 0);
    table.RemoveAllRows();  // nothing to remove
    EXPECT_EQ(table.GetRowCount(), 0);

    EXPECT_EQ(table.AddRow(), 1);
    EXPECT_EQ(table.AddRow(), 2);
    EXPECT_EQ(table.AddCell(0, L"a0"), 1);
    EXPECT_EQ(table.AddCell(1, L"b0"), 1);
    EXPECT_EQ(table.AddCell(1, L"b1"), 1);
    EXPECT_EQ(table.AddCell(2, L"c0"), 0);
    EXPECT_EQ(table.AddCell(-1, L"c0"), 0);
    EXPECT_STREQ(table.GetCell(1, 1), L"b1");
    EXPECT_STREQ(table.GetCell(1, 2), L"");
    EXPECT_STREQ(table.GetCell(7, 0), L"");
    // A missing row's empty list stays empty after a write was refused.
    EXPECT_EQ(table.GetRow(9).GetCount(), 0);
    EXPECT_EQ(table.SetCell(1, 0, L"B0"), 1);
    EXPECT_EQ(table.SetCell(1, 5, L"B5"), 0);
    EXPECT_STREQ(table.GetCell(1, 0), L"B0");
}

TEST(HtmlStringTable, RemovingARowMovesTheFollowingOnesUp)
{
    CHtmlStringTable table;
    for (const wchar_t* t : {L"r0", L"r1", L"r2"}) {
        int row = table.AddRow() - 1;
        table.AddCell(row, t);
    }
    EXPECT_EQ(table.RemoveRow(3), 0);
    EXPECT_EQ(table.RemoveRow(-1), 0);
    EXPECT_EQ(table.RemoveRow(1), 1);
    EXPECT_EQ(table.GetRowCount(), 2);
    EXPECT_STREQ(table.GetCell(0, 0), L"r0");
    EXPECT_STREQ(table.GetCell(1, 0), L"r2");
    table.RemoveAllRows();
    EXPECT_EQ(table.GetRowCount(), 0);
}

}  // namespace
