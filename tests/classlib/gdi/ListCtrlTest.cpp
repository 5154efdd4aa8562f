#include "TestHost.h"

#include "classlib/win/AfxCtrls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ListFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 400, 300), &host,
                                101));
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
        ASSERT_EQ(0, list.InsertColumn(0, L"File Name", LVCFMT_LEFT, 150));
        ASSERT_EQ(1, list.InsertColumn(1, L"Size", LVCFMT_RIGHT, 80));
        ASSERT_EQ(2, list.InsertColumn(2, L"Path", LVCFMT_LEFT, 120));
        const wchar_t* names[] = {L"beta.doc", L"alpha.txt", L"gamma.jpg", L"delta.zip"};
        const int sizes[] = {300, 100, 400, 200};
        for (int i = 0; i < 4; ++i) {
            int item = list.InsertItem(i, names[i]);
            ASSERT_EQ(i, item);
            list.SetItemText(item, 1, std::to_wstring(sizes[i]).c_str());
            list.SetItemData(item, (DWORD_PTR)sizes[i]);
        }
    }
    std::vector<std::wstring> Names()
    {
        std::vector<std::wstring> names;
        for (int i = 0; i < list.GetItemCount(); ++i)
            names.push_back((LPCTSTR)list.GetItemText(i, 0));
        return names;
    }
    TestHost host;
    CListCtrl list;
};

int CALLBACK BySizeAscending(LPARAM a, LPARAM b, LPARAM sortData)
{
    EXPECT_EQ(77, (int)sortData);
    return (int)a - (int)b;
}

} // namespace

TEST_F(ListFixture, ColumnsAndTheHeaderAgree)
{
    CHeaderCtrl* header = list.GetHeaderCtrl();
    ASSERT_NE(nullptr, header);
    EXPECT_EQ(3, header->GetItemCount());
    EXPECT_EQ(80, list.GetColumnWidth(1));
    EXPECT_TRUE(list.SetColumnWidth(1, 95));
    CRect rect;
    ASSERT_TRUE(header->GetItemRect(1, &rect));
    EXPECT_EQ(95, rect.Width());
    EXPECT_TRUE(list.DeleteColumn(2));
    EXPECT_EQ(2, header->GetItemCount());
}

TEST_F(ListFixture, TextAndDataRoundTrips)
{
    EXPECT_TRUE(list.GetItemText(2, 1) == L"400");
    EXPECT_EQ(0, list.GetItemText(2, 2).GetLength());
    std::wstring longPath(600, L'p');
    ASSERT_TRUE(list.SetItemText(3, 2, longPath.c_str()));
    EXPECT_EQ(600, list.GetItemText(3, 2).GetLength());
    EXPECT_EQ((DWORD_PTR)400, list.GetItemData(2));
    EXPECT_EQ(0, list.GetItemText(99, 0).GetLength());   // no such row
    TCHAR tiny[4];
    EXPECT_EQ(3, list.GetItemText(0, 0, tiny, 4));      // cut to the buffer
    EXPECT_STREQ(L"bet", tiny);
}

TEST_F(ListFixture, SortItemsUsesTheItemData)
{
    ASSERT_TRUE(list.SortItems(BySizeAscending, 77));
    std::vector<std::wstring> expected = {L"alpha.txt", L"delta.zip", L"beta.doc", L"gamma.jpg"};
    EXPECT_EQ(expected, Names());
    EXPECT_TRUE(list.GetItemText(0, 1) == L"100");   // the sub-items moved with their rows
}

TEST_F(ListFixture, SelectedItemsIterateInOrder)
{
    EXPECT_EQ(nullptr, list.GetFirstSelectedItemPosition());
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    std::vector<int> selected;
    POSITION pos = list.GetFirstSelectedItemPosition();
    while (pos != nullptr)
        selected.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ((std::vector<int>{1, 3}), selected);
    EXPECT_EQ(2u, list.GetSelectedCount());
    EXPECT_EQ(3, list.GetNextItem(1, LVNI_SELECTED));
}

TEST_F(ListFixture, HitTestOnItemAndSubItemRectangles)
{
    CRect rowRect;
    ASSERT_TRUE(list.GetItemRect(2, &rowRect, LVIR_BOUNDS));
    UINT flags = 0;
    EXPECT_EQ(2, list.HitTest(rowRect.CenterPoint(), &flags));
    EXPECT_TRUE(flags & LVHT_ONITEM);
    LVHITTESTINFO info = {};
    info.pt = CPoint(rowRect.left + 2, rowRect.bottom + 200);
    EXPECT_EQ(-1, list.HitTest(&info));

    CRect sizeCell;
    ASSERT_TRUE(list.GetSubItemRect(2, 1, LVIR_BOUNDS, sizeCell));
    EXPECT_EQ(80, sizeCell.Width());
    EXPECT_EQ(rowRect.top, sizeCell.top);
    LVHITTESTINFO sub = {};
    sub.pt = sizeCell.CenterPoint();
    EXPECT_EQ(2, list.SubItemHitTest(&sub));
    EXPECT_EQ(1, sub.iSubItem);
}

TEST_F(ListFixture, CheckBoxesAreStateImagesLessOne)
{
    EXPECT_EQ(0, list.GetCheck(0));
    EXPECT_TRUE(list.SetCheck(0));
    EXPECT_EQ(1, list.GetCheck(0));
    EXPECT_EQ(0, list.GetCheck(1));
    EXPECT_TRUE(list.SetCheck(0, FALSE));
    EXPECT_EQ(0, list.GetCheck(0));
    list.SetItemState(2, INDEXTOSTATEIMAGEMASK(3), LVIS_STATEIMAGEMASK);
    EXPECT_EQ(2, list.GetCheck(2));   // a third state image, as the result list uses
}

TEST_F(ListFixture, DeleteAndCount)
{
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(3, list.GetItemCount());
    EXPECT_TRUE(list.GetItemText(0, 0) == L"alpha.txt");
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_EQ(-1, list.GetNextItem(-1, LVNI_ALL));
}

TEST(ListImageLists, AnImageListObjectOutlivesTheListsThatShowedIt)
{
    TestHost host;
    CImageList owned;
    ASSERT_TRUE(owned.Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1));
    ASSERT_EQ(0, owned.Add(::LoadIcon(nullptr, IDI_APPLICATION)));
    // A list without a wrapper for its image list still destroys it with itself.
    HIMAGELIST unowned = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
    {
        CListCtrl list;
        ASSERT_TRUE(list.Create(WS_CHILD | LVS_ICON, CRect(0, 0, 100, 100), &host, 102));
        list.SetImageList(&owned, LVSIL_NORMAL);
        ::SendMessage(list.m_hWnd, LVM_SETIMAGELIST, LVSIL_SMALL, (LPARAM)unowned);
        list.DestroyWindow();
    }
    EXPECT_EQ(1, ImageList_GetImageCount(owned.m_hImageList));

    // The same for a list view.
    CListView* view = new CListView;
    ASSERT_TRUE(view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW | LVS_REPORT, CRect(0, 0, 200, 100), &host, 103));
    EXPECT_EQ(view, CWnd::FromHandlePermanent(view->m_hWnd));
    CListCtrl& list = view->GetListCtrl();
    EXPECT_EQ(0, list.InsertColumn(0, L"Name", LVCFMT_LEFT, 100));
    EXPECT_EQ(0, list.InsertItem(0, L"thumb.jpg"));
    EXPECT_TRUE(list.GetItemText(0, 0) == L"thumb.jpg");
    list.SetImageList(&owned, LVSIL_SMALL);
    view->DestroyWindow();   // the view deletes itself
    EXPECT_EQ(1, ImageList_GetImageCount(owned.m_hImageList));
    AfxDeleteTempGdiMaps();
}

TEST(TreeViews, TheViewIsTheTreeControl)
{
    TestHost host;
    CTreeView* view = new CTreeView;
    ASSERT_TRUE(view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW | TVS_HASLINES, CRect(0, 0, 200, 100), &host, 104));
    CTreeCtrl& tree = view->GetTreeCtrl();
    HTREEITEM root = tree.InsertItem(L"Tables");
    tree.InsertItem(L"Customers", root);
    EXPECT_EQ(2u, tree.GetCount());
    EXPECT_TRUE(tree.GetItemText(tree.GetChildItem(root)) == L"Customers");
    wchar_t className[32] = {0};
    ::GetClassNameW(view->m_hWnd, className, 32);
    EXPECT_STREQ(WC_TREEVIEWW, className);
    view->DestroyWindow();
}
