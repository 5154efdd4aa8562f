// The owner-drawn menu: items from a menu resource, images from a toolbar resource, mnemonics,
// the version classes, and items measured and drawn in both looks.
#include <gtest/gtest.h>

#include "tests/ui/controls/ControlsTestResources.h"
#include "tests/ui/controls/ControlsTestSupport.h"
#include "ui/controls/win/OwnerDrawnMenu.h"

namespace morvick::ui {
namespace {

using test::DibCanvas;

class OwnerDrawnMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = MenuSettings();
        ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
        options = menu.SubMenu(0);
        ASSERT_NE(options, nullptr);
    }
    void TearDown() override { MenuSettings() = saved; }
    const COwnerDrawnMenu::Item& ItemAt(int position) { return *options->Items()[position]; }
    UINT Measure(int position, UINT* width = nullptr)
    {
        MEASUREITEMSTRUCT mis = {ODT_MENU, 0, ItemAt(position).id, 0, 0,
            reinterpret_cast<ULONG_PTR>(&ItemAt(position))};
        options->MeasureItem(&mis);
        if (width)
            *width = mis.itemWidth;
        return mis.itemHeight;
    }
    void Draw(DibCanvas& c, int position, UINT state)
    {
        DRAWITEMSTRUCT dis = {ODT_MENU, 0, ItemAt(position).id, ODA_DRAWENTIRE, state, nullptr, c.Dc(),
            RECT{0, 0, c.Width(), c.Height()}, reinterpret_cast<ULONG_PTR>(&ItemAt(position))};
        options->DrawItem(&dis);
    }
    OwnerDrawnMenuSettings saved;
    COwnerDrawnMenu menu;
    COwnerDrawnMenu* options = nullptr;
};

TEST_F(OwnerDrawnMenuTest, EveryItemOfTheResourceIsOwnerDrawn)
{
    ASSERT_EQ(options->GetMenuItemCount(), 5);
    const UINT ids[] = {ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_CHIPS};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(options->GetMenuItemID(i), ids[i]) << i;
        EXPECT_NE(options->GetMenuState(i, MF_BYPOSITION) & MF_OWNERDRAW, 0u) << i;
    }
    EXPECT_NE(options->GetMenuState(1, MF_BYPOSITION) & MF_GRAYED, 0u);
    EXPECT_NE(ItemAt(2).flags & MF_SEPARATOR, 0u);
    EXPECT_STREQ(ItemAt(0).text.GetString(), L"&Open image\tCtrl+O");
    EXPECT_EQ(menu.FindMenuOption(ID_TEST_SAVE), options);
    ASSERT_NE(options->SubMenu(4), nullptr);
    EXPECT_EQ(menu.FindMenuOption(ID_TEST_DEEP), options->SubMenu(4));
    EXPECT_EQ(menu.FindMenuOption(12345), nullptr);
    EXPECT_EQ(menu.FindMenuOfItemData(reinterpret_cast<ULONG_PTR>(&ItemAt(3))), options);
    EXPECT_EQ(menu.FindMenuOfItemData(0), nullptr);
    EXPECT_EQ(menu.DropDown(), options);  // a menu bar drops down its first popup
    EXPECT_EQ(options->DropDown(), options);
    EXPECT_TRUE(menu.Holds(options->SubMenu(4)));
    EXPECT_FALSE(options->Holds(&menu));
    EXPECT_TRUE(menu.ModifyODMenu(L"&Open", ID_TEST_OPEN, -1));
    EXPECT_STREQ(ItemAt(0).text.GetString(), L"&Open");
    EXPECT_TRUE(options->ModifyODMenu(L"Fish", 3, -1, MF_BYPOSITION));
    EXPECT_STREQ(ItemAt(3).text.GetString(), L"Fish");
    EXPECT_NE(options->GetMenuState(3, MF_BYPOSITION) & MF_OWNERDRAW, 0u);
    EXPECT_FALSE(options->ModifyODMenu(L"None", 40, -1, MF_BYPOSITION));
    EXPECT_FALSE(menu.ModifyODMenu(L"None", 12345));
    COwnerDrawnMenu missing;
    EXPECT_FALSE(missing.LoadMenu(9999));
    EXPECT_EQ(missing.GetSafeHmenu(), nullptr);

    // Destroying the menu takes its sub-menus along, each destroyed once.
    const HMENU bar = menu.m_hMenu, sub = options->m_hMenu, deep = options->SubMenu(4)->m_hMenu;
    menu.DestroyODMenu();
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(sub));
    EXPECT_FALSE(IsMenu(deep));
    EXPECT_TRUE(menu.Items().empty());
}

TEST_F(OwnerDrawnMenuTest, MnemonicsAnswerInEitherCase)
{
    EXPECT_EQ(COwnerDrawnMenu::FindKeyboardShortcut('o', options), 0x20000);
    EXPECT_EQ(COwnerDrawnMenu::FindKeyboardShortcut('O', options), 0x20000);
    EXPECT_EQ(COwnerDrawnMenu::FindKeyboardShortcut('v', options), 0x20001);
    EXPECT_EQ(COwnerDrawnMenu::FindKeyboardShortcut('c', options), 0x20003);  // past the "&&"
    EXPECT_EQ(COwnerDrawnMenu::FindKeyboardShortcut('m', options), 0x20004);
    EXPECT_EQ(COwnerDrawnMenu::FindKeyboardShortcut('z', options), 0);
    EXPECT_EQ(COwnerDrawnMenu::FindKeyboardShortcut('o', nullptr), 0);
    EXPECT_EQ(COwnerDrawnMenu::FindKeyboardShortcut('D', options->SubMenu(4)), 0x20000);
}

TEST_F(OwnerDrawnMenuTest, ToolbarButtonsGiveTheirImagesToMatchingCommands)
{
    ASSERT_TRUE(menu.LoadToolbar(IDR_TEST_TOOLBAR));
    EXPECT_NE(ItemAt(0).imageList, nullptr);
    EXPECT_EQ(ItemAt(0).image, 0);
    EXPECT_EQ(ItemAt(1).imageList, nullptr);  // no button: text only
    EXPECT_EQ(ItemAt(1).image, -1);
    const auto& deep = *options->SubMenu(4)->Items()[0];
    EXPECT_EQ(deep.image, 1);  // the separator takes no image
    EXPECT_FALSE(menu.LoadToolbar(9999));
}

TEST(MenuVersionClass, FromTheVersionWord)
{
    EXPECT_EQ(WindowsVersionClass(0x00000004), 5);
    EXPECT_EQ(WindowsVersionClass(0x00000005), 6);
    EXPECT_EQ(WindowsVersionClass(0x00000105), 7);
    EXPECT_EQ(WindowsVersionClass(0x00000106), 1);
    EXPECT_EQ(WindowsVersionClass(0x80000003), 0);
    EXPECT_EQ(WindowsVersionClass(0x80000A04), 3);
    EXPECT_EQ(WindowsVersionClass(0x80005A04), 4);
    EXPECT_EQ(WindowsVersionClass(0x80000004), 2);
    EXPECT_EQ(WindowsVersionClass(GetVersion()), 1);  // the system here reports 6.1
    EXPECT_TRUE(IsClassicThemeName(L"C:\\WINDOWS\\Resources\\Themes\\WINDOWS CLASSIC.theme"));
    EXPECT_TRUE(IsClassicThemeName(L"windows classic.theme"));
    EXPECT_FALSE(IsClassicThemeName(L"C:\\WINDOWS\\Resources\\Themes\\Luna.theme"));
    EXPECT_FALSE(IsClassicThemeName(L"Windows Classic.theme.bak"));
    EXPECT_FALSE(IsClassicThemeName(nullptr));
}

TEST_F(OwnerDrawnMenuTest, ASeparatorIsHalfAsHigh)
{
    UINT width = 0;
    const UINT normal = Measure(0, &width);
    EXPECT_EQ(Measure(2), normal / 2);
    EXPECT_GT(width, static_cast<UINT>(MenuSettings().iconSize + 10));
    UINT shorter = 0;
    Measure(1, &shorter);
    EXPECT_LT(shorter, width);

    // The flat look's image column is three pixels wider than the classic one's.
    MenuSettings().versionClass = 1;
    UINT classic = 0;
    Measure(0, &classic);
    MenuSettings().versionClass = 7;
    MenuSettings().classicTheme = 0;
    UINT flat = 0;
    EXPECT_EQ(Measure(0, &flat), normal);
    EXPECT_EQ(flat, classic + 3);
}

// The item's text is grey, not the menu's text colour: smoothed text of that colour has grey pixels
// too, so none of the pixels may lie past the grey, on its way to the text colour.
void ExpectGreyText(const DibCanvas& c)
{
    const RECT item = {0, 0, 160, 22};
    EXPECT_GT(c.CountInk(GetSysColor(COLOR_GRAYTEXT), item), 5);
    EXPECT_EQ(c.CountInk(GetSysColor(COLOR_MENUTEXT), GetSysColor(COLOR_GRAYTEXT), item), 0);
}

TEST_F(OwnerDrawnMenuTest, TheClassicLookUsesTheSystemMenuColours)
{
    MenuSettings().versionClass = 1;
    DibCanvas c(160, 22, RGB(1, 2, 3));
    Draw(c, 0, 0);
    EXPECT_EQ(c.At(1, 1), GetSysColor(COLOR_MENU));
    EXPECT_EQ(c.Count(GetSysColor(COLOR_HIGHLIGHT), RECT{0, 0, 160, 22}), 0);
    Draw(c, 0, ODS_SELECTED);
    EXPECT_EQ(c.At(150, 1), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_GT(c.CountInk(GetSysColor(COLOR_HIGHLIGHTTEXT), RECT{0, 0, 160, 22}), 5);
    Draw(c, 1, ODS_GRAYED);
    ExpectGreyText(c);
    Draw(c, 2, 0);
    EXPECT_EQ(c.At(80, 10), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.At(80, 11), GetSysColor(COLOR_BTNHIGHLIGHT));
    Draw(c, 3, ODS_CHECKED);  // a check mark in the image cell
    EXPECT_GT(c.CountInk(GetSysColor(COLOR_MENUTEXT), RECT{0, 0, MenuSettings().iconSize + 6, 22}), 5);
}

TEST_F(OwnerDrawnMenuTest, ImagesAreDrawnInTheirCellAndGreyedWhenDisabled)
{
    MenuSettings().versionClass = 1;
    ASSERT_TRUE(menu.LoadToolbar(IDR_TEST_TOOLBAR));
    const RECT cell = {0, 0, MenuSettings().iconSize + 6, 22};
    DibCanvas c(160, 22, RGB(1, 2, 3));
    Draw(c, 0, 0);
    EXPECT_EQ(c.At(11, 11), RGB(255, 0, 0));  // the first button's picture, centred in its cell
    EXPECT_EQ(c.Count(RGB(255, 0, 0), RECT{cell.right, 0, 160, 22}), 0);
    Draw(c, 0, ODS_GRAYED);
    EXPECT_EQ(c.Count(RGB(255, 0, 0), cell), 0);
    EXPECT_EQ(c.At(11, 11), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.At(1, 1), GetSysColor(COLOR_MENU));
    Draw(c, 0, ODS_SELECTED);  // the image keeps a raised cell beside the highlight
    EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(c.At(150, 11), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(c.At(11, 11), RGB(255, 0, 0));
}

TEST_F(OwnerDrawnMenuTest, TheFlatLookHasAnImageColumnAndABlendedSelection)
{
    MenuSettings().versionClass = 7;
    MenuSettings().classicTheme = 0;
    MenuSettings().drawMode = 1;
    ASSERT_TRUE(UsesFlatLook(nullptr));
    DibCanvas c(160, 22, RGB(1, 2, 3));
    Draw(c, 0, 0);
    const COLORREF column = c.At(2, 11), body = c.At(150, 11);
    EXPECT_NE(column, body);
    EXPECT_NE(column, RGB(1, 2, 3));
    Draw(c, 0, ODS_SELECTED);
    EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_HIGHLIGHT));  // the frame
    EXPECT_NE(c.At(150, 11), body);
    Draw(c, 2, 0);  // a separator: one blended line after the image column
    EXPECT_EQ(c.At(2, 11), column);
    EXPECT_NE(c.At(80, 11), body);
    EXPECT_EQ(c.At(80, 5), body);
    Draw(c, 1, ODS_GRAYED | ODS_SELECTED);  // a disabled item shows no selection
    EXPECT_EQ(c.At(150, 11), body);
    ExpectGreyText(c);
    MenuSettings().drawMode = 2;  // any other mode: the classic look
    EXPECT_FALSE(UsesFlatLook(nullptr));
    MenuSettings().drawMode = 1;
    MenuSettings().classicTheme = 1;
    EXPECT_FALSE(UsesFlatLook(nullptr));
}

}  // namespace
}  // namespace morvick::ui
