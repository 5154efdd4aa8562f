// The column sorter on a real list control: numbers beyond 32 bits, the result list's own dates,
// a descending sort that is the exact reverse of the ascending one, and the rows' own data given back.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/lists/ListColumnSorter.h"
#include "tests/app/AppTestSupport.h"

namespace morvick::test {
namespace {

class SortedList : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 300), &m_host, 1));
        m_list.InsertColumn(0, L"Name", LVCFMT_LEFT, 200);
    }

    // One row per text; each row's own data is its number in the order given.
    void Fill(const std::vector<std::wstring>& texts)
    {
        m_list.DeleteAllItems();
        for (size_t i = 0; i < texts.size(); ++i) {
            const int row = m_list.InsertItem(static_cast<int>(i), texts[i].c_str());
            m_list.SetItemData(row, 100 + i);
        }
    }

    std::vector<std::wstring> Texts() const
    {
        std::vector<std::wstring> texts;
        for (int row = 0; row < m_list.GetItemCount(); ++row)
            texts.push_back(m_list.GetItemText(row, 0).GetString());
        return texts;
    }

    std::vector<DWORD_PTR> Data() const
    {
        std::vector<DWORD_PTR> data;
        for (int row = 0; row < m_list.GetItemCount(); ++row)
            data.push_back(m_list.GetItemData(row));
        return data;
    }

    void Sort(bool ascending, int type)
    {
        CListColumnSorter sorter(&m_list, 0);
        ASSERT_TRUE(sorter.Sort(ascending, type));
    }

    HostWindow m_host;
    CListCtrl m_list;
};

TEST_F(SortedList, WholeNumbersCompareBeyondThirtyTwoBitsAndIgnoreSeparators)
{
    Fill({L"3000000000", L"1,024", L"999", L"2147483648", L"4294967296 bytes", L"0"});
    Sort(true, CListColumnSorter::kWholeNumber);
    EXPECT_EQ(Texts(),
        (std::vector<std::wstring>{L"0", L"999", L"1,024", L"2147483648", L"3000000000", L"4294967296 bytes"}));
    // The rows carry their own data again once the sorter is gone.
    EXPECT_EQ(Data(), (std::vector<DWORD_PTR>{105, 102, 101, 103, 100, 104}));
}

TEST_F(SortedList, DescendingIsTheExactReverseOfAscendingEvenWithEqualTexts)
{
    for (int type : {CListColumnSorter::kWholeNumber, CListColumnSorter::kText, CListColumnSorter::kDecimal}) {
        Fill({L"7", L"3", L"7", L"abc", L"3", L"7", L"ABC"});
        Sort(true, type);
        std::vector<DWORD_PTR> ascending = Data();
        Fill({L"7", L"3", L"7", L"abc", L"3", L"7", L"ABC"});
        Sort(false, type);
        std::vector<DWORD_PTR> descending = Data();
        std::reverse(descending.begin(), descending.end());
        EXPECT_EQ(ascending, descending) << "type " << type;
    }
}

TEST_F(SortedList, TextIgnoresCase)
{
    Fill({L"ABD", L"abc", L"Abb"});
    Sort(true, CListColumnSorter::kText);
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"Abb", L"abc", L"ABD"}));
}

TEST_F(SortedList, DatesInTheResultListsOwnFormatSortByDayMonthYearAndTime)
{
    // FAT dates ("dd-mm-yyyy ") and NTFS times ("d-m-yyyy h:m:s") as the listing writes them; a day
    // before the month, whatever the user's locale says. A text that is no date goes last.
    Fill({L"12-01-2004 ", L"not a date", L"5-3-2004 9:7:3", L"01-12-2003 ", L"5-3-2004 10:0:0", L"31-12-1999 "});
    Sort(true, CListColumnSorter::kDateTime);
    EXPECT_EQ(Texts(),
        (std::vector<std::wstring>{L"31-12-1999 ", L"01-12-2003 ", L"12-01-2004 ", L"5-3-2004 9:7:3",
            L"5-3-2004 10:0:0", L"not a date"}));
    Sort(false, CListColumnSorter::kDateTime);
    EXPECT_EQ(Texts().front(), L"not a date");
    EXPECT_EQ(Texts().back(), L"31-12-1999 ");
}

TEST(ListColumnSorterValues, DateTextsAreReadAsCalendarDates)
{
    double a = 0, b = 0;
    ASSERT_TRUE(CListColumnSorter::DateTimeOf(L"30-12-1899 ", a));
    EXPECT_EQ(a, 0.0);
    ASSERT_TRUE(CListColumnSorter::DateTimeOf(L"1-3-2000 12:0:0", b));
    EXPECT_DOUBLE_EQ(b, 36586.5);                                   // 1 March 2000 noon
    EXPECT_FALSE(CListColumnSorter::DateTimeOf(L"31-2-2000 ", a));  // no such day
    EXPECT_FALSE(CListColumnSorter::DateTimeOf(L"", a));
    EXPECT_EQ(CListColumnSorter::WholeNumberOf(L"99999999999999999999999"), ~0ull);  // saturates
}

TEST(ListColumnSorterValues, AnUnknownTypeComparesEveryRowEqual)
{
    CListSortItem a, b;
    a.text = L"1";
    b.text = L"2";
    EXPECT_EQ(CListColumnSorter::Compare(reinterpret_cast<LPARAM>(&a), reinterpret_cast<LPARAM>(&b), 9), 0);
    EXPECT_EQ(CListColumnSorter::Compare(reinterpret_cast<LPARAM>(&a), reinterpret_cast<LPARAM>(&b), -9), 0);
}

}  // namespace
}  // namespace morvick::test
