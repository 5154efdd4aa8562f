#include "toolkit/commandbars/PopupPlacement.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const RECT kScreen = {0, 0, 1280, 1024};  // usable bottom B = 1019
const RECT kNoExclude = {0, 0, 0, 0};

struct Placed {
    CRect rect;
    DWORD flags;
    BOOL clipped;
};

Placed Place(int cx, int cy, POINT anchor, const RECT& exclude, DWORD flags, const RECT& work = kScreen)
{
    Placed p;
    p.flags = flags;
    p.rect = TKPCalcPopupRect(cx, cy, anchor, exclude, p.flags, work, &p.clipped);
    return p;
}

TEST(PopupPlacement, ContextMenusAtAPoint)
{
    // Room below: the popup hangs from the point.
    Placed p = Place(150, 200, {100, 100}, kNoExclude, TKPPOPUP_DROPDOWN);
    EXPECT_EQ(CRect(100, 100, 250, 300), p.rect);
    EXPECT_FALSE(p.clipped);

    // No room below, point in the lower half: opens upwards from the point.
    p = Place(150, 300, {100, 900}, kNoExclude, TKPPOPUP_DROPDOWN);
    EXPECT_EQ(CRect(100, 600, 250, 900), p.rect);

    // No room below, point in the upper half: pushed up to end at the usable bottom.
    p = Place(150, 950, {100, 100}, kNoExclude, TKPPOPUP_DROPDOWN);
    EXPECT_EQ(CRect(100, 69, 250, 1019), p.rect);
    EXPECT_FALSE(p.clipped);

    // Right-aligned: the right edge at the point; pushed past the left edge it starts there.
    p = Place(150, 100, {500, 100}, kNoExclude, TKPPOPUP_LEFT | TKPPOPUP_DROPDOWN);
    EXPECT_EQ(CRect(350, 100, 500, 200), p.rect);
    p = Place(150, 100, {50, 100}, kNoExclude, TKPPOPUP_LEFT | TKPPOPUP_DROPDOWN);
    EXPECT_EQ(CRect(0, 100, 150, 200), p.rect);
    EXPECT_EQ(TKPPOPUP_DROPDOWN, p.flags);

    // Near the right edge: moved in so that it ends at the edge.
    p = Place(150, 100, {1200, 100}, kNoExclude, TKPPOPUP_DROPDOWN);
    EXPECT_EQ(CRect(1130, 100, 1280, 200), p.rect);
}

TEST(PopupPlacement, ContextMenuBelowTheUsableAreaEndsAtThePointUnlessItIsTooTall)
{
    // At the foot of a maximised window: the whole menu above the point, down to the point itself,
    // without shortening or scrolling.
    Placed p = Place(150, 100, {100, 1022}, kNoExclude, TKPPOPUP_DROPDOWN);
    EXPECT_EQ(CRect(100, 922, 250, 1022), p.rect);
    EXPECT_FALSE(p.clipped);
    const RECT work = {0, 300, 1280, 1324};
    p = Place(150, 100, {100, 1322}, kNoExclude, TKPPOPUP_DROPDOWN, work);
    EXPECT_EQ(CRect(100, 1222, 250, 1322), p.rect);
    EXPECT_FALSE(p.clipped);

    // A point in the last pixels of the screen and a menu taller than the work area: it opens
    // upwards, starts at the work area's top and is cut to fit instead of sticking out above it.
    p = Place(150, 1100, {100, 1022}, kNoExclude, TKPPOPUP_DROPDOWN);
    EXPECT_EQ(0, p.rect.top);
    EXPECT_EQ(1019, p.rect.bottom);
    EXPECT_TRUE(p.clipped);

    // On a work area whose top is not 0.
    p = Place(150, 1100, {100, 1322}, kNoExclude, TKPPOPUP_DROPDOWN, work);
    EXPECT_EQ(300, p.rect.top);
    EXPECT_EQ(1319, p.rect.bottom);
    EXPECT_TRUE(p.clipped);
}

TEST(PopupPlacement, UpperAndLowerHalfOfAWorkAreaThatDoesNotStartAtZero)
{
    // Work area 300..1324, usable bottom 1319, middle 809.
    const RECT work = {0, 300, 1280, 1324};
    // A point at 700 is in the upper half: the popup ends at the usable bottom.
    Placed p = Place(150, 700, {100, 700}, kNoExclude, TKPPOPUP_DROPDOWN, work);
    EXPECT_EQ(CRect(100, 619, 250, 1319), p.rect);
    // A point at 900 is in the lower half: the popup opens upwards from it.
    p = Place(150, 500, {100, 900}, kNoExclude, TKPPOPUP_DROPDOWN, work);
    EXPECT_EQ(CRect(100, 400, 250, 900), p.rect);

    // A menu-bar item that fits neither way: the side with more room by the same middle.
    const RECT upperItem = {100, 700, 140, 720};
    p = Place(150, 1200, {100, 720}, upperItem, TKPPOPUP_DROPDOWN, work);
    EXPECT_TRUE(p.clipped);
    EXPECT_EQ(CRect(100, 720, 250, 1319), p.rect);
    const RECT lowerItem = {100, 900, 140, 920};
    p = Place(150, 1200, {100, 920}, lowerItem, TKPPOPUP_DROPDOWN, work);
    EXPECT_TRUE(p.clipped);
    EXPECT_EQ(CRect(100, 300, 250, 900), p.rect);
}

TEST(PopupPlacement, MenuBarDropDownsFlipAtTheEdges)
{
    // Near the bottom: above the item.
    const RECT item = {100, 900, 140, 920};
    Placed p = Place(200, 300, {100, 920}, item, TKPPOPUP_DROPDOWN);
    EXPECT_EQ(CRect(100, 600, 300, 900), p.rect);
    EXPECT_FALSE(p.clipped);

    // Neither below nor above on the primary screen: the item in the upper half opens below, cut.
    const RECT upper = {100, 400, 140, 420};
    p = Place(200, 1100, {100, 420}, upper, TKPPOPUP_DROPDOWN);
    EXPECT_EQ(CRect(100, 420, 300, 1019), p.rect);
    EXPECT_TRUE(p.clipped);

    // Past the right edge: ends at the edge and now counts as opening to the left.
    const RECT right = {1200, 0, 1260, 20};
    p = Place(200, 300, {1200, 20}, right, TKPPOPUP_DROPDOWN);
    EXPECT_EQ(CRect(1080, 20, 1280, 320), p.rect);
    EXPECT_EQ(TKPPOPUP_DROPDOWN | TKPPOPUP_LEFT, p.flags);
}

TEST(PopupPlacement, CascadingSubMenus)
{
    // Past the right edge: beside the item on its left, and further sub-menus keep going left.
    const RECT item = {1100, 100, 1250, 120};
    Placed p = Place(200, 300, {1250, 100}, item, 0);
    EXPECT_EQ(CRect(900, 100, 1100, 400), p.rect);
    EXPECT_EQ(TKPPOPUP_LEFT, p.flags);

    // Opening to the left past the left edge: back to the right of the item.
    const RECT leftItem = {100, 100, 250, 120};
    p = Place(200, 300, {250, 100}, leftItem, TKPPOPUP_LEFT);
    EXPECT_EQ(CRect(250, 100, 450, 400), p.rect);
    EXPECT_EQ(0u, p.flags);

    // Too low: ends at the usable bottom.
    const RECT lowItem = {100, 900, 250, 920};
    p = Place(200, 300, {250, 900}, lowItem, 0);
    EXPECT_EQ(CRect(250, 719, 450, 1019), p.rect);
}

TEST(PopupPlacement, MonitorLeftOfThePrimary)
{
    const RECT work = {-1280, 0, 0, 1024};
    Placed p = Place(150, 100, {-100, 50}, kNoExclude, TKPPOPUP_DROPDOWN, work);
    EXPECT_EQ(CRect(-150, 50, 0, 150), p.rect);
    p = Place(150, 100, {-1270, 50}, kNoExclude, TKPPOPUP_LEFT | TKPPOPUP_DROPDOWN, work);
    EXPECT_EQ(CRect(-1280, 50, -1130, 150), p.rect);
}

// Heights of n controls of 20 pixels.
std::vector<TKPScrollItem> Items(int n, int height = 20)
{
    std::vector<TKPScrollItem> items(n);
    for (auto& item : items)
        item = TKPScrollItem{height, 0, FALSE, 0, FALSE};
    return items;
}

struct ScrollResult {
    int first, end, upTop, upBottom, downTop, downBottom;
};

ScrollResult Scroll(std::vector<TKPScrollItem>& items, int top, int bottom, BOOL keepLast, int first, int end)
{
    ScrollResult r{first, end, 0, 0, 0, 0};
    TKPLayoutScrollRange(items.data(), static_cast<int>(items.size()), top, bottom, keepLast, r.first, r.end, r.upTop,
        r.upBottom, r.downTop, r.downBottom);
    return r;
}

TEST(PopupScrolling, ForwardFromTheTop)
{
    auto items = Items(30);
    ScrollResult r = Scroll(items, 0, 200, FALSE, 0, 0);
    EXPECT_EQ(0, r.first);
    EXPECT_EQ(9, r.end);  // nine rows above the 16-pixel scroll-down button
    EXPECT_EQ(0, r.upBottom - r.upTop);
    EXPECT_EQ(184, r.downTop);
    EXPECT_EQ(200, r.downBottom);
    EXPECT_EQ(160, items[8].nTop);
    EXPECT_FALSE(items[8].bScrolledOut);
    EXPECT_TRUE(items[9].bScrolledOut);

    // From the sixth control: the scroll-up button on top, the rows below it.
    r = Scroll(items, 0, 200, FALSE, 5, 0);
    EXPECT_EQ(5, r.first);
    EXPECT_EQ(16, r.upBottom);
    EXPECT_EQ(16, items[5].nTop);
    EXPECT_TRUE(items[4].bScrolledOut);
    EXPECT_EQ(13, r.end);

    // A first index of 1 shows the first control again rather than a button over one row.
    r = Scroll(items, 0, 200, FALSE, 1, 0);
    EXPECT_EQ(0, r.first);
    EXPECT_FALSE(items[0].bScrolledOut);
}

TEST(PopupScrolling, BackwardKeepsTheLastControlAtTheBottom)
{
    auto items = Items(30);
    ScrollResult r = Scroll(items, 0, 200, TRUE, 0, 29);  // count - 1 means the end
    EXPECT_EQ(30, r.end);
    EXPECT_EQ(0, r.downBottom - r.downTop);
    EXPECT_EQ(180, items[29].nTop);
    EXPECT_EQ(21, r.first);
    EXPECT_EQ(20, items[21].nTop);
    EXPECT_EQ(16, r.upBottom);
    EXPECT_TRUE(items[20].bScrolledOut);

    // Ending before the last control: the scroll-down button takes the bottom.
    r = Scroll(items, 0, 200, TRUE, 0, 15);
    EXPECT_EQ(15, r.end);
    EXPECT_EQ(184, r.downTop);
    EXPECT_EQ(164, items[14].nTop);
    EXPECT_TRUE(items[15].bScrolledOut);
}

TEST(PopupScrolling, ControlsThatJustFitNeedNoButtons)
{
    auto items = Items(10);
    ScrollResult r = Scroll(items, 0, 200, FALSE, 0, 0);
    EXPECT_EQ(10, r.end);
    EXPECT_EQ(0, r.downBottom - r.downTop);
    EXPECT_EQ(180, items[9].nTop);
}

TEST(PopupScrolling, HiddenControlsAndGroupGaps)
{
    auto items = Items(6);
    items[1].bHidden = TRUE;
    items[2].nGroupGap = 8;
    items[0].nGroupGap = 8;  // the first placed control never takes its gap
    ScrollResult r = Scroll(items, 4, 200, FALSE, 0, 0);
    EXPECT_EQ(4, items[0].nTop);
    EXPECT_EQ(4 + 20 + 8, items[2].nTop);
    EXPECT_FALSE(items[1].bScrolledOut);
    EXPECT_EQ(6, r.end);

    // Degenerate areas still terminate and place one control.
    auto few = Items(3);
    r = Scroll(few, 0, 5, FALSE, 0, 0);
    EXPECT_EQ(1, r.end);
    r = Scroll(few, 0, 5, TRUE, 0, 3);
    EXPECT_EQ(3, r.end);
    EXPECT_EQ(2, r.first);
    std::vector<TKPScrollItem> none;
    r = Scroll(none, 0, 100, FALSE, 4, 4);
    EXPECT_EQ(0, r.end);
}

}  // namespace
