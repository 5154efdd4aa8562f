// The tab manager in a window on the screen: the tab list and its colours, hit tests, hot tracking,
// selection and its notifications, keys, scrolling, and the navigation buttons.
#include "TabTestSupport.h"

#include "tests/support/win/DispatchClient.h"

#include "toolkit/common/TabGeometry.h"
#include "toolkit/tabs/TabAppearance.h"

#include <gtest/gtest.h>

using namespace tabtest;

TEST(TabList, InsertionAppendsOutsideTheListAndRenumbers)
{
    RowFixture f(std::vector<CString>{});
    CTKPTabManagerItem* a = f.row->InsertTab(-1);
    CTKPTabManagerItem* b = f.row->InsertTab(7);
    CTKPTabManagerItem* c = f.row->InsertTab(0);
    ASSERT_EQ(3, f.row->GetItemCount());
    EXPECT_EQ(c, f.Tab(0));
    EXPECT_EQ(a, f.Tab(1));
    EXPECT_EQ(b, f.Tab(2));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(i, f.Tab(i)->GetIndex());
        EXPECT_EQ(f.row.get(), f.Tab(i)->GetManager());
    }
    // Every change re-lays the row.
    EXPECT_EQ(3, f.row->Count("reposition"));
}

TEST(TabList, NewTabsCycleThroughTheThemesEightColours)
{
    RowFixture f(std::vector<CString>{});
    for (int i = 0; i < 9; ++i)
        f.row->InsertTab(-1);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(TKP_TAB_COLOR_INDEX + static_cast<COLORREF>(i % 8), f.Tab(i)->GetOwnColor()) << i;
    // The manager hands out real colours.
    EXPECT_EQ(0xE4A88Au, f.Tab(0)->GetColor());
    EXPECT_EQ(0xC0ABD8u, f.Tab(7)->GetColor());
    EXPECT_EQ(0xE4A88Au, f.Tab(8)->GetColor());

    // A second row of the same theme continues the sequence.
    CTabRowWindow second(&f.theme);
    EXPECT_EQ(TKP_TAB_COLOR_INDEX + 1, second.InsertTab(-1)->GetOwnColor());

    // A colour that is not an index is a colour.
    f.Tab(0)->SetColor(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), f.Tab(0)->GetColor());
}

TEST(TabList, DeletingMovesTheSelectionToANeighbour)
{
    RowFixture f({L"A", L"B", L"C"});
    f.row->SetSelectedTab(f.Tab(2));
    EXPECT_TRUE(f.row->DeleteTab(2));
    EXPECT_EQ(f.Tab(1), f.row->GetSelectedItem());

    f.row->SetSelectedTab(f.Tab(0));
    EXPECT_TRUE(f.row->DeleteTab(0));
    EXPECT_EQ(f.Tab(0), f.row->GetSelectedItem());
    EXPECT_STREQ(L"B", f.Tab(0)->GetCaption());

    f.row->ClearLog();
    EXPECT_FALSE(f.row->DeleteTab(1));
    EXPECT_FALSE(f.row->DeleteTab(-1));
    EXPECT_TRUE(f.row->m_log.empty());
    EXPECT_EQ(1, f.row->GetItemCount());

    EXPECT_TRUE(f.row->DeleteTab(0));
    EXPECT_EQ(nullptr, f.row->GetSelectedItem());
    EXPECT_EQ(0, f.row->GetItemCount());
}

TEST(TabList, TabsLiveAsLongAsTheirReferences)
{
    RowFixture f({L"A", L"B"});
    CTKPTabManagerItem* a = f.Tab(0);
    a->InternalAddRef();
    a->RemoveFromManager();
    EXPECT_EQ(nullptr, a->GetManager());
    EXPECT_EQ(-1, a->GetIndex());
    EXPECT_EQ(1, f.row->GetItemCount());
    // Moved to another row with its colour, as the MDI tab client moves tabs between groups.
    const COLORREF clr = a->GetOwnColor();
    CTabRowWindow other(&f.theme);
    other.InsertTab(-1, a);
    a->SetColor(clr);
    EXPECT_EQ(&other, a->GetManager());
    EXPECT_EQ(clr, a->GetOwnColor());
    EXPECT_EQ(1, a->GetRefCount());
}

TEST(TabList, TabsAndTheirThemeAreAutomationObjectsWithoutMembers)
{
    RowFixture f({L"A", L"B"});
    for (CCmdTarget* pTarget : {static_cast<CCmdTarget*>(f.Tab(1)), static_cast<CCmdTarget*>(&f.theme)})
        EXPECT_TRUE(HandsOutADispatchWithoutMembers(pTarget));
}

TEST(TabList, ATabKeepsWhatWasSetBeforeItJoinedARow)
{
    CTKPTabManagerItem* item = new CTKPTabManagerItem;
    item->SetCaption(L"Recovered files");
    item->SetColor(RGB(10, 20, 30));
    item->SetVisible(FALSE);
    item->SetEnabled(FALSE);
    EXPECT_STREQ(L"Recovered files", item->GetCaption());
    EXPECT_EQ(RGB(10, 20, 30), item->GetColor());

    RowFixture f(std::vector<CString>{});
    f.row->InsertTab(-1, item);
    EXPECT_STREQ(L"Recovered files", item->GetCaption());

    // An unchanged caption asks for no new layout; a changed one does.
    f.row->ClearLog();
    item->SetCaption(L"Recovered files");
    EXPECT_EQ(0, f.row->Count("reposition"));
    item->SetCaption(L"Lost files");
    EXPECT_EQ(1, f.row->Count("reposition"));
}

TEST(TabHitTest, OnlyVisibleEnabledTabsInTheClipAreHit)
{
    RowFixture f({L"One", L"Two", L"Three"});
    const CPoint one = f.Centre(0);
    EXPECT_EQ(f.Tab(0), f.row->HitTest(one));
    EXPECT_EQ(f.Tab(2), f.row->HitTest(f.Centre(2)));
    EXPECT_EQ(nullptr, f.row->HitTest(CPoint(one.x, 90)));

    f.Tab(1)->SetEnabled(FALSE);
    EXPECT_EQ(nullptr, f.row->HitTest(f.Centre(1)));
    f.Tab(1)->SetEnabled(TRUE);
    const CPoint two = f.Centre(1);
    f.Tab(1)->SetVisible(FALSE);
    EXPECT_TRUE(f.Tab(1)->GetRect().IsRectEmpty());
    // The hidden tab's room went to its neighbour.
    EXPECT_EQ(f.Tab(2), f.row->HitTest(two));
    f.Tab(1)->SetVisible(TRUE);

    // A point in the tab area but outside a non-empty clip rectangle hits nothing.
    f.row->SetClipRect(CRect(0, 0, one.x, 100));
    EXPECT_EQ(nullptr, f.row->HitTest(CPoint(one.x + 1, one.y)));
    EXPECT_EQ(f.Tab(0), f.row->HitTest(CPoint(one.x - 1, one.y)));
    // Outside the tab area nothing is hit at all.
    f.row->SetClipRect(CRect(0, 0, 0, 0));
    f.row->SetTabAreaRect(CRect(0, 0, 1, 1));
    EXPECT_EQ(nullptr, f.row->HitTest(one));
}

TEST(TabSelection, AClickSelectsThroughTheHostAndScrollsIntoView)
{
    std::vector<CString> captions;
    for (int i = 0; i < 12; ++i)
        captions.push_back(L"Recovered folder");
    RowFixture f(captions);
    f.row->SetAllowReorder(FALSE);
    EXPECT_EQ(0, f.row->GetScrollOffset());

    // A tab beyond the row's end, brought into view and clicked.
    f.row->SetSelectedTab(f.Tab(11));
    EXPECT_LT(f.row->GetScrollOffset(), 0);
    EXPECT_LE(f.Tab(11)->GetRect().right, f.row->GetClipRect().right);
    EXPECT_GE(f.row->Count("reposition"), 2);

    f.row->ClearLog();
    EXPECT_TRUE(f.row->HandleLButtonDown(f.row.get(), f.Centre(10)));
    EXPECT_EQ(f.Tab(10), f.row->GetSelectedItem());
    EXPECT_EQ(1, f.row->Count("click 10"));

    // The same tab again changes nothing.
    f.row->ClearLog();
    f.row->SetSelectedTab(f.Tab(10));
    EXPECT_TRUE(f.row->m_log.empty());

    // Outside every tab the click is not the row's; buttons-only ignores tabs.
    EXPECT_FALSE(f.row->HandleLButtonDown(f.row.get(), CPoint(5, 90)));
    EXPECT_FALSE(f.row->HandleLButtonDown(f.row.get(), f.Centre(10), TRUE));

    // Going back to the first tab scrolls back to the start.
    f.row->SetSelectedTab(f.Tab(0));
    EXPECT_EQ(0, f.row->GetScrollOffset());
}

TEST(TabHotTracking, TheTabUnderTheMouseIsHotOnlyInAnActiveWindow)
{
    RowFixture f({L"One", L"Two", L"Three"});
    f.theme.m_bHotTracking = TRUE;
    f.row->HandleMouseMove(f.row.get(), f.Centre(1));
    EXPECT_EQ(f.Tab(1), f.row->GetHotItem());
    EXPECT_EQ(1, f.row->Count("redraw"));
    // Moving within the tab repaints nothing.
    f.row->HandleMouseMove(f.row.get(), f.Centre(1) + CSize(2, 0));
    EXPECT_EQ(1, f.row->Count("redraw"));
    // Leaving the window clears it.
    f.row->HandleMouseMove(f.row.get(), CPoint(-1, -1));
    EXPECT_EQ(nullptr, f.row->GetHotItem());
    EXPECT_EQ(2, f.row->Count("redraw"));

    // A disabled tab never becomes hot.
    f.Tab(2)->SetEnabled(FALSE);
    f.row->HandleMouseMove(f.row.get(), f.Centre(2));
    EXPECT_EQ(nullptr, f.row->GetHotItem());

    // Deleting the hot tab leaves no hot tab behind.
    f.row->HandleMouseMove(f.row.get(), f.Centre(0));
    EXPECT_EQ(f.Tab(0), f.row->GetHotItem());
    f.row->DeleteTab(0);
    EXPECT_EQ(nullptr, f.row->GetHotItem());

    // Without hot tracking there is no hot tab.
    f.theme.m_bHotTracking = FALSE;
    f.row->HandleMouseMove(f.row.get(), f.Centre(0));
    EXPECT_EQ(nullptr, f.row->GetHotItem());

    // An inactive window does not track.
    f.theme.m_bHotTracking = TRUE;
    {
        CWnd other;
        other.CreateEx(0, AfxRegisterWndClass(0), L"other", WS_POPUP, 600, 600, 50, 50, NULL, NULL);
        other.ShowWindow(SW_SHOWNOACTIVATE);
        other.SetForegroundWindow();
        other.SetActiveWindow();
        f.row->HandleMouseMove(f.row.get(), f.Centre(0));
        EXPECT_EQ(nullptr, f.row->GetHotItem());
        other.DestroyWindow();
    }
}

TEST(TabKeys, HomeEndAndArrowsSkipTabsThatCannotBeReached)
{
    RowFixture f({L"A", L"B", L"C", L"D", L"E"});
    f.Tab(0)->SetEnabled(FALSE);
    f.Tab(4)->SetVisible(FALSE);
    EXPECT_TRUE(f.row->HandleKeyDown(f.row.get(), VK_HOME));
    EXPECT_EQ(f.Tab(1), f.row->GetSelectedItem());
    EXPECT_TRUE(f.row->HandleKeyDown(f.row.get(), VK_END));
    EXPECT_EQ(f.Tab(3), f.row->GetSelectedItem());

    f.Tab(2)->SetEnabled(FALSE);
    EXPECT_TRUE(f.row->HandleKeyDown(f.row.get(), VK_LEFT));
    EXPECT_EQ(f.Tab(1), f.row->GetSelectedItem());
    // Nothing before it can be reached.
    EXPECT_TRUE(f.row->HandleKeyDown(f.row.get(), VK_LEFT));
    EXPECT_EQ(f.Tab(1), f.row->GetSelectedItem());
    EXPECT_TRUE(f.row->HandleKeyDown(f.row.get(), VK_RIGHT));
    EXPECT_EQ(f.Tab(3), f.row->GetSelectedItem());
    EXPECT_TRUE(f.row->HandleKeyDown(f.row.get(), VK_RIGHT));
    EXPECT_EQ(f.Tab(3), f.row->GetSelectedItem());

    // Up and down belong to vertical rows only, left and right to horizontal ones.
    EXPECT_TRUE(f.row->HandleKeyDown(f.row.get(), VK_UP));
    EXPECT_EQ(f.Tab(3), f.row->GetSelectedItem());
    f.theme.SetPosition(tktab::posLeft);
    f.row->Layout();
    EXPECT_TRUE(f.row->HandleKeyDown(f.row.get(), VK_LEFT));
    EXPECT_EQ(f.Tab(3), f.row->GetSelectedItem());
    EXPECT_TRUE(f.row->HandleKeyDown(f.row.get(), VK_UP));
    EXPECT_EQ(f.Tab(1), f.row->GetSelectedItem());
    EXPECT_TRUE(f.row->HandleKeyDown(f.row.get(), VK_DOWN));
    EXPECT_EQ(f.Tab(3), f.row->GetSelectedItem());

    EXPECT_FALSE(f.row->HandleKeyDown(f.row.get(), VK_RETURN));
    EXPECT_FALSE(f.row->HandleKeyDown(f.row.get(), 'A'));
}

TEST(TabKeys, RightToLeftWindowsTurnLeftAndRight)
{
    RowFixture f({L"A", L"B", L"C"}, WS_EX_LAYOUTRTL);
    f.row->SetSelectedTab(f.Tab(1));
    EXPECT_TRUE(f.row->HandleKeyDown(f.row.get(), VK_LEFT));
    EXPECT_EQ(f.Tab(2), f.row->GetSelectedItem());
    EXPECT_TRUE(f.row->HandleKeyDown(f.row.get(), VK_RIGHT));
    EXPECT_EQ(f.Tab(1), f.row->GetSelectedItem());

    RowFixture empty(std::vector<CString>{});
    EXPECT_FALSE(empty.row->HandleKeyDown(empty.row.get(), VK_HOME));
}

TEST(TabKeys, RealKeysReachTheRowThroughItsWindow)
{
    RowFixture f({L"A", L"B", L"C"});
    f.row->SetFocus();
    f.row->SetSelectedTab(f.Tab(0));
    KeyPress(VK_END);
    EXPECT_TRUE(PumpUntil([&] { return f.row->GetSelectedItem() == f.Tab(2); }));
    KeyPress(VK_LEFT);
    EXPECT_TRUE(PumpUntil([&] { return f.row->GetSelectedItem() == f.Tab(1); }));
}

TEST(TabScrolling, TheOffsetNeverGoesAboveZero)
{
    RowFixture f({L"A", L"B"});
    f.row->SetScrollOffset(15);
    EXPECT_EQ(0, f.row->GetScrollOffset());
    f.row->ClearLog();
    f.row->ScrollTabs(0);
    EXPECT_EQ(0, f.row->GetScrollOffset());
    EXPECT_EQ(0, f.row->Count("reposition"));
    EXPECT_EQ(20, f.row->GetScrollStep());
}

TEST(TabScrolling, ScrollButtonsShowWhenTheRowOverflows)
{
    RowFixture f(ManyCaptions(12));
    CTKPTabManagerNavigateButton* start = f.row->FindNavigateButton(0);
    CTKPTabManagerNavigateButton* end = f.row->FindNavigateButton(1);
    CTKPTabManagerNavigateButton* close = f.row->FindNavigateButton(2);
    ASSERT_TRUE(start && end && close);
    EXPECT_EQ(nullptr, f.row->FindNavigateButton(3));

    // Both buttons sit at the row's end, the start button first; the clip stops before them.
    EXPECT_FALSE(start->GetRect().IsRectEmpty());
    EXPECT_FALSE(end->GetRect().IsRectEmpty());
    EXPECT_TRUE(close->GetRect().IsRectEmpty());
    EXPECT_EQ(start->GetRect().right, end->GetRect().left);
    EXPECT_LE(f.row->GetClipRect().right, start->GetRect().left);
    EXPECT_EQ(CSize(14, 15), end->GetRect().Size());
    EXPECT_FALSE(start->IsEnabled());
    EXPECT_TRUE(end->IsEnabled());

    // Scrolled, the start button is enabled; at the end, the end button is not.
    f.row->ScrollTabs(1);
    EXPECT_EQ(-20, f.row->GetScrollOffset());
    EXPECT_TRUE(start->IsEnabled());
    for (int i = 0; i < 100 && end->IsEnabled(); ++i)
        f.row->ScrollTabs(1);
    EXPECT_FALSE(end->IsEnabled());
    EXPECT_LE(f.Tab(11)->GetRect().right, f.row->GetClipRect().right);
    // Scrolled towards the start, back to where it began.
    for (int i = 0; i < 100 && start->IsEnabled(); ++i)
        f.row->ScrollTabs(0);
    EXPECT_EQ(0, f.row->GetScrollOffset());

    // In the shrinking and the multi-row layouts they are not shown.
    f.theme.SetLayout(tktab::layoutShrink);
    f.row->Layout();
    EXPECT_TRUE(start->GetRect().IsRectEmpty());
    EXPECT_TRUE(end->GetRect().IsRectEmpty());
    f.theme.SetLayout(tktab::layoutMultiRow);
    f.row->Layout();
    EXPECT_TRUE(end->GetRect().IsRectEmpty());
    EXPECT_GT(f.row->GetRows()->GetCount(), 1);

    // A row that fits shows none.
    RowFixture fits({L"A", L"B"});
    EXPECT_TRUE(fits.row->FindNavigateButton(1)->GetRect().IsRectEmpty());
    // Always shown, they take their room also then.
    fits.row->FindNavigateButton(1)->SetMode(CTKPTabManagerNavigateButton::modeAlways);
    fits.row->Layout();
    EXPECT_FALSE(fits.row->FindNavigateButton(1)->GetRect().IsRectEmpty());
}

TEST(TabScrolling, TheCloseButtonFollowsTheSelectedTab)
{
    RowFixture f({L"A", L"B"});
    CTKPTabManagerNavigateButton* close = f.row->FindNavigateButton(2);
    close->SetMode(CTKPTabManagerNavigateButton::modeAuto);
    f.row->Layout();
    EXPECT_TRUE(close->GetRect().IsRectEmpty());  // no selected tab
    f.row->SetSelectedTab(f.Tab(0));
    EXPECT_FALSE(close->GetRect().IsRectEmpty());
    EXPECT_EQ(f.row->GetClipRect().right, close->GetRect().left);
    f.Tab(0)->SetClosable(FALSE);
    EXPECT_TRUE(close->GetRect().IsRectEmpty());
}

TEST(TabScrolling, ButtonsOfVerticalRowsSitAtTheBottom)
{
    RowFixture f(ManyCaptions(12), 0, CRect(100, 100, 180, 400));
    f.theme.SetPosition(tktab::posRight);
    f.row->Layout();
    const CRect end = f.row->FindNavigateButton(1)->GetRect();
    const CRect start = f.row->FindNavigateButton(0)->GetRect();
    ASSERT_FALSE(end.IsRectEmpty());
    EXPECT_EQ(start.bottom, end.top);
    EXPECT_EQ(f.row->GetClipRect().bottom, start.top);
    EXPECT_EQ(CSize(14, 15), end.Size());
    for (int i = 0; i < f.row->GetItemCount(); ++i)
        EXPECT_GT(f.Tab(i)->GetRect().left, 40) << i;  // the row runs along the right edge
}

TEST(TabTooltips, TabsFillTheToolRecordByTheThemesMode)
{
    RowFixture f({L"Recovered pictures of the summer holiday", L"Log"}, 0, CRect(100, 100, 220, 200));
    f.theme.SetLayout(tktab::layoutShrink);
    f.row->Layout();
    CTKPTabManagerItem* longTab = f.Tab(0);
    CTKPTabManagerItem* shortTab = f.Tab(1);
    longTab->SetTooltip(L"C:\\Recovered\\Pictures");
    shortTab->SetTooltip(L"Scan log");
    ASSERT_TRUE(longTab->IsTruncated());
    ASSERT_FALSE(shortTab->IsTruncated());

    TKPTOOLINFO info = {};
    info.ti.cbSize = sizeof(info);
    EXPECT_EQ(0, f.row->GetToolTipInfo(f.row.get(), longTab, &info.ti));
    EXPECT_EQ(f.row->GetSafeHwnd(), info.ti.hwnd);
    EXPECT_EQ(longTab->GetRect(), CRect(info.ti.rect));
    EXPECT_EQ(0u, info.ti.uId);
    EXPECT_STREQ(L"C:\\Recovered\\Pictures", info.ti.lpszText);
    EXPECT_STREQ(L"Recovered pictures of the summer holiday", info.lpszTitle);
    EXPECT_STREQ(L"C:\\Recovered\\Pictures", info.lpszDescription);
    TKPFreeToolInfoTexts(&info.ti);

    // Mode 2 (the default): only truncated tabs. Mode 1: every tab with a tooltip. Mode 0: none.
    TOOLINFO plain = {};
    plain.cbSize = TKP_TOOLINFO_MIN_SIZE;
    EXPECT_EQ(-1, f.row->GetToolTipInfo(f.row.get(), shortTab, &plain));
    f.theme.m_nTooltipMode = 1;
    EXPECT_EQ(1, f.row->GetToolTipInfo(f.row.get(), shortTab, &plain));
    EXPECT_STREQ(L"Scan log", plain.lpszText);
    TKPFreeToolInfoTexts(&plain);
    shortTab->SetTooltip(L"");
    EXPECT_EQ(-1, f.row->GetToolTipInfo(f.row.get(), shortTab, &plain));
    EXPECT_EQ(-1, f.row->GetToolTipInfo(f.row.get(), nullptr, &plain));
    f.theme.m_nTooltipMode = 0;
    EXPECT_EQ(-1, f.row->GetToolTipInfo(f.row.get(), longTab, &plain));
}

TEST(TabTooltips, TheTooltipManagerAddsTheTabUnderTheMouse)
{
    RowFixture f({L"Recovered pictures of the summer holiday", L"Log"}, 0, CRect(100, 100, 220, 200));
    f.theme.SetLayout(tktab::layoutShrink);
    f.row->Layout();
    f.Tab(0)->SetTooltip(L"C:\\Recovered\\Pictures");
    const CPoint pt = f.Centre(0);
    const CPoint screen = f.ScreenCentre(0);
    SetCursorPos(screen.x, screen.y);
    f.row->m_pToolTips->FilterWindowMessage(f.row.get(), WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    CWnd* pTip = f.row->m_pToolTips->GetToolTip();
    ASSERT_NE(nullptr, pTip);
    ASSERT_EQ(1, static_cast<int>(pTip->SendMessage(TTM_GETTOOLCOUNT)));
    WCHAR text[128] = {};
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.lpszText = text;
    ASSERT_TRUE(pTip->SendMessage(TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(f.row->GetSafeHwnd(), tool.hwnd);
    EXPECT_EQ(0u, tool.uId);
    EXPECT_EQ(f.Tab(0)->GetRect(), CRect(tool.rect));
}
