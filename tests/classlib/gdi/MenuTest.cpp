#include "GdiTestResources.h"
#include "TestHost.h"

#include "classlib/win/AfxGdi.h"

#include <gtest/gtest.h>

TEST(Menu, BuiltInMemoryAndQueried)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_TRUE(menu.AppendMenu(MF_STRING, 10, L"&First"));
    EXPECT_TRUE(menu.AppendMenu(MF_SEPARATOR));
    EXPECT_TRUE(menu.AppendMenu(MF_STRING | MF_GRAYED, 11, L"Second"));
    EXPECT_TRUE(menu.InsertMenu(0, MF_BYPOSITION | MF_STRING, 9, L"Zero"));
    EXPECT_EQ(4u, menu.GetMenuItemCount());
    EXPECT_EQ(9u, menu.GetMenuItemID(0));
    EXPECT_EQ(0u, menu.GetMenuItemID(2));       // separator
    EXPECT_EQ((UINT)-1, menu.GetMenuItemID(7)); // no such item

    CString text;
    EXPECT_EQ(6, menu.GetMenuString(10, text, MF_BYCOMMAND));
    EXPECT_TRUE(text == L"&First");
    EXPECT_EQ(0, menu.GetMenuString(99, text, MF_BYCOMMAND));
    EXPECT_EQ(0, text.GetLength());

    EXPECT_TRUE(menu.GetMenuState(11, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ((UINT)MF_GRAYED, menu.EnableMenuItem(11, MF_BYCOMMAND | MF_ENABLED));
    EXPECT_FALSE(menu.GetMenuState(11, MF_BYCOMMAND) & MF_GRAYED);

    EXPECT_TRUE(menu.ModifyMenu(10, MF_BYCOMMAND | MF_STRING, 12, L"Renamed"));
    EXPECT_EQ(12u, menu.GetMenuItemID(1));
    EXPECT_TRUE(menu.DeleteMenu(0, MF_BYPOSITION));
    EXPECT_EQ(3u, menu.GetMenuItemCount());
}

TEST(Menu, RadioAndCheckMarks)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    for (UINT id = 20; id < 23; ++id)
        menu.AppendMenu(MF_STRING, id, L"Choice");
    EXPECT_TRUE(menu.CheckMenuRadioItem(20, 22, 21, MF_BYCOMMAND));
    EXPECT_FALSE(menu.GetMenuState(20, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(menu.GetMenuState(21, MF_BYCOMMAND) & MF_CHECKED);
    MENUITEMINFO info = {sizeof(info), MIIM_FTYPE | MIIM_STATE};
    ASSERT_TRUE(menu.GetMenuItemInfo(21, &info));
    EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
    EXPECT_EQ((UINT)MF_UNCHECKED, menu.CheckMenuItem(22, MF_BYCOMMAND | MF_CHECKED));
    EXPECT_TRUE(menu.GetMenuState(22, MF_BYCOMMAND) & MF_CHECKED);
}

TEST(Menu, LoadedFromResourceWithSubmenus)
{
    CMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDR_TEST_MENU));
    ASSERT_EQ(2u, bar.GetMenuItemCount());
    CString title;
    bar.GetMenuString(1, title, MF_BYPOSITION);
    EXPECT_TRUE(title == L"&View");

    CMenu* file = bar.GetSubMenu(0);
    ASSERT_NE(nullptr, file);
    EXPECT_EQ(file, bar.GetSubMenu(0));   // the same temporary until idle time
    EXPECT_EQ(4u, file->GetMenuItemCount());
    CString open;
    file->GetMenuString(ID_TEST_OPEN, open, MF_BYCOMMAND);
    EXPECT_TRUE(open == L"&Open...\tCtrl+O");
    EXPECT_TRUE(file->GetMenuState(ID_TEST_SAVE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(file->GetMenuState(2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(bar.GetSubMenu(1)->GetMenuState(ID_TEST_VIEW_ICONS, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(nullptr, bar.GetSubMenu(5));
    EXPECT_EQ(nullptr, file->GetSubMenu(0));   // a plain command has no submenu

    // Commands inside a submenu are found from the bar too.
    EXPECT_TRUE(bar.GetMenuState(ID_TEST_EXIT, MF_BYCOMMAND) != (UINT)-1);
    AfxDeleteTempGdiMaps();

    CMenu missing;
    EXPECT_FALSE(missing.LoadMenu(4711));
}

TEST(Menu, AttachDetachAndOwnership)
{
    HMENU raw = ::CreatePopupMenu();
    {
        CMenu menu;
        ASSERT_TRUE(menu.Attach(raw));
        EXPECT_EQ(&menu, CMenu::FromHandlePermanent(raw));
        EXPECT_EQ(&menu, CMenu::FromHandle(raw));
        EXPECT_EQ(raw, menu.Detach());
        EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(raw));
    }
    EXPECT_TRUE(::IsMenu(raw));   // detached: not destroyed with the wrapper
    {
        CMenu menu;
        menu.Attach(raw);
    }
    EXPECT_FALSE(::IsMenu(raw));
    CMenu* none = nullptr;
    EXPECT_EQ(nullptr, none->GetSafeHmenu());
}

namespace {

// A menu that measures its owner-drawn items and counts the calls.
class MeasuringMenu : public CMenu {
public:
    int measured = 0;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override
    {
        ++measured;
        lpMIS->itemWidth = 60;
        lpMIS->itemHeight = 20;
    }
};

void CALLBACK CloseTrackedMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    ::EndMenu();
}

} // namespace

TEST(Menu, OwnerDrawnItemsOfATrackedPopupAreMeasuredByTheMenuThatHoldsThem)
{
    TestHost host;
    host.ShowWindow(SW_SHOW);
    MeasuringMenu sub;
    ASSERT_TRUE(sub.CreatePopupMenu());
    sub.AppendMenu(MF_OWNERDRAW, 32, reinterpret_cast<LPCTSTR>(2));
    MeasuringMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_OWNERDRAW, 31, reinterpret_cast<LPCTSTR>(1));
    popup.AppendMenu(MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub.m_hMenu), L"More");

    EXPECT_EQ(&sub, CMenu::FindPopupMenuFromID(popup.m_hMenu, 32));
    EXPECT_EQ(&popup, CMenu::FindPopupMenuFromID(popup.m_hMenu, 31));
    EXPECT_EQ(&popup, CMenu::FindPopupMenuFromID(popup.m_hMenu, 99)); // unknown: the root answers
    EXPECT_EQ(nullptr, CMenu::FindPopupMenuFromID(nullptr, 31));

    // A child window's WM_MEASUREITEM names no menu: the tracked popup is searched.
    MEASUREITEMSTRUCT mis = {ODT_MENU, 0, 31, 0, 0, 1};
    host.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ(0, popup.measured); // nothing tracked now

    ::SetTimer(nullptr, 0, 300, CloseTrackedMenu);
    popup.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &host);
    EXPECT_GT(popup.measured, 0);
    EXPECT_EQ(nullptr, CMenu::GetTrackedPopup());
    popup.RemoveMenu(1, MF_BYPOSITION); // the submenu is destroyed by its own wrapper
}
