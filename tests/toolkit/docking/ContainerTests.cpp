// Tabbed containers (caption buttons, hit tests, tab drags, maximising) and splitter bars (their
// track range and live and outline resizing) in the test frame.
#include "DockingTestSupport.h"

#include "tests/support/win/InputSupport.h"
#include "toolkit/commandbars/ToolTipRecord.h"
#include "toolkit/docking/DockingPaneCaptionButton.h"
#include "toolkit/docking/DockingPaneMiniWnd.h"
#include "toolkit/docking/DockingPaneSplitContainer.h"
#include "toolkit/docking/DockingPaneSplitterBar.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/docking/DockingPaneTheme.h"
#include "toolkit/tabs/TabManagerItem.h"
#include "toolkit/tabs/TabTheme.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace docktest;

namespace {

LPARAM Point(CPoint pt)
{
    return MAKELPARAM(pt.x, pt.y);
}

struct ThreeTabs {
    HostFixture f;
    CTKPDockablePane* p[3];
    CTKPDockingPaneTabbedContainer* container;

    ThreeTabs()
    {
        for (int i = 0; i < 3; ++i) {
            const wchar_t* titles[3] = {L"Files", L"Found", L"Log"};
            p[i] = f.MakePane(static_cast<UINT>(i + 5), titles[i]);
        }
        f.host()->DockPane(p[0], tkdock::sideLeft, NULL);
        f.host()->AttachNode(p[1], p[0]);
        f.host()->AttachNode(p[2], p[0]);
        f.Layout();
        container = f.ContainerOf(p[0]);
    }
    CPoint TabCentre(int i) { return container->GetTabStrip()->GetItem(i)->GetRect().CenterPoint(); }
};

TEST(DockingContainer, CaptionButtonsFollowTheOptionsAndThePlace)
{
    ThreeTabs t;
    CTKPDockingPaneTabbedContainer* c = t.container;
    EXPECT_TRUE(c->FindCaptionButton(tkpcbClose)->IsVisible());
    EXPECT_TRUE(c->FindCaptionButton(tkpcbPin)->IsVisible());
    EXPECT_FALSE(c->FindCaptionButton(tkpcbMenu)->IsVisible());
    EXPECT_FALSE(c->FindCaptionButton(tkpcbMaximise)->IsVisible());
    t.p[2]->SetOptions(tkpoNoClose | tkpoMenuButton);
    EXPECT_FALSE(c->FindCaptionButton(tkpcbClose)->IsVisible());
    EXPECT_TRUE(c->FindCaptionButton(tkpcbMenu)->IsVisible());
    t.p[2]->SetOptions(tkpoNoAutoHide);
    EXPECT_FALSE(c->FindCaptionButton(tkpcbPin)->IsVisible());
    t.p[2]->SetOptions(0);
    // Floating, the pin is hidden (its state says where the container is).
    t.f.host()->ToggleDocking(c);
    t.f.Layout();
    CTKPDockingPaneTabbedContainer* pFloating = t.f.ContainerOf(t.p[0]);
    ASSERT_NE(pFloating, c);
    pFloating->SendMessage(WM_IDLEUPDATECMDUI);
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = ::BeginDeferWindowPos(1);
    pFloating->OnSizeParent(pFloating->GetNodeSite(), pFloating->m_rcNode, &layout);
    ::EndDeferWindowPos(layout.hDWP);
    EXPECT_EQ(pFloating->FindCaptionButton(tkpcbPin)->GetState(), static_cast<int>(tkppFloating));
    EXPECT_FALSE(pFloating->FindCaptionButton(tkpcbPin)->IsVisible());
    EXPECT_TRUE(pFloating->FindCaptionButton(tkpcbClose)->IsVisible());
}

TEST(DockingContainer, TheSelectedTabStaysSelectedWhereverTheContainerGoes)
{
    ThreeTabs t;
    Site()->SetFocus();
    t.container->SelectPane(t.p[1], FALSE, TRUE);
    ASSERT_EQ(Dump(t.f.arrangement()), "S[T(5,6*,7),C]");
    // Dragged out, dragged back to the left edge, pinned to the side.
    t.f.host()->FloatNode(t.container, CRect(500, 300, 720, 480));
    t.f.Layout();
    EXPECT_EQ(Dump(t.f.arrangement()), "S[C] FS[T(5,6*,7)]");
    t.f.host()->DockPane(t.f.ContainerOf(t.p[0]), tkdock::sideLeft, NULL);
    t.f.Layout();
    EXPECT_EQ(Dump(t.f.arrangement()), "S[T(5,6*,7),C]");
    t.f.host()->HidePane(t.f.ContainerOf(t.p[0]));
    t.f.Layout();
    EXPECT_EQ(Dump(t.f.arrangement()), "S[C] |l:T(5,6*,7)");
}

TEST(DockingContainer, HitTestsCaptionTabsAndTheRest)
{
    ThreeTabs t;
    CTKPDockingPaneTabbedContainer* c = t.container;
    CRect rc;
    c->GetClientRect(&rc);
    EXPECT_EQ(c->HitTest(CPoint(20, 6)), -2);
    EXPECT_EQ(c->HitTest(t.TabCentre(1)), 1);
    EXPECT_EQ(c->HitTest(CPoint(rc.CenterPoint())), -1);
    EXPECT_EQ(c->GetPaneAt(1), t.p[1]);
    EXPECT_EQ(c->GetPaneAt(3), nullptr);
    // Help ids: the tab's pane, else the selected pane; the id when there is no help id.
    EXPECT_EQ(c->SendMessage(WM_HELPHITTEST, 0, Point(t.TabCentre(0))), static_cast<LRESULT>(5 + 0x20000));
    t.p[1]->SetHelpId(77);
    EXPECT_EQ(c->SendMessage(WM_HELPHITTEST, 0, Point(t.TabCentre(1))), static_cast<LRESULT>(77 + 0x20000));
    EXPECT_EQ(c->SendMessage(WM_HELPHITTEST, 0, Point(CPoint(rc.CenterPoint()))), static_cast<LRESULT>(7 + 0x20000));
}

TEST(DockingContainer, DragsFindTheTabRowWhereTheThemePutsIt)
{
    // Theme 0 puts the tabs below the panes, theme 5 stacks them under the caption.
    for (int nTheme : {0, 5}) {
        ThreeTabs t;
        t.f.host()->SetTheme(nTheme);
        t.f.Layout();
        CTKPDockingPaneTabbedContainer* c = t.container;
        CRect rcWindow;
        c->GetWindowRect(&rcWindow);
        auto hits = [&](CPoint ptClient) {
            c->ClientToScreen(&ptClient);
            CRect rc = rcWindow;
            return c->HitTestCaptionOrTabs(&rc, ptClient) != FALSE;
        };
        CRect rcClient;
        c->GetClientRect(&rcClient);
        const CRect rcTab = c->GetTabStrip()->GetItem(1)->GetRect();
        EXPECT_TRUE(hits(CPoint(20, 6))) << nTheme;
        EXPECT_TRUE(hits(rcTab.CenterPoint())) << nTheme;
        // The panes' area on the other side of the container.
        const CPoint ptPanes(rcClient.CenterPoint().x, nTheme == 5 ? rcClient.bottom - 6 : rcTab.top - 20);
        EXPECT_FALSE(hits(ptPanes)) << nTheme;
        EXPECT_FALSE(hits(rcClient.CenterPoint())) << nTheme;
        if (nTheme == 5) {
            // Stacked tabs: those after the selected one lie below the panes.
            c->SelectPane(t.p[0], FALSE, FALSE);
            t.f.Layout();
            const CRect rcLast = c->GetTabStrip()->GetItem(2)->GetRect();
            EXPECT_GT(rcLast.top, rcClient.CenterPoint().y);
            EXPECT_TRUE(hits(rcLast.CenterPoint()));
            EXPECT_FALSE(hits(rcClient.CenterPoint()));
        }
    }
}

TEST(DockingContainer, RemovingTheSelectedPaneSelectsTheLastAndOnePaneShowsNoTabs)
{
    ThreeTabs t;
    t.container->SelectPane(t.p[0], FALSE, FALSE);
    t.f.host()->ClosePane(t.p[0]);
    EXPECT_EQ(t.container->GetSelectedPane(), t.p[2]);
    EXPECT_TRUE(t.container->IsTabsVisible());
    t.f.host()->ClosePane(t.p[2]);
    EXPECT_EQ(t.container->GetSelectedPane(), t.p[1]);
    EXPECT_FALSE(t.container->IsTabsVisible());
    t.f.host()->GetTheme()->m_bAlwaysShowTabs = TRUE;
    EXPECT_TRUE(t.container->IsTabsVisible());
    t.f.host()->GetTheme()->m_bAlwaysShowTabs = FALSE;
    // The last pane gone, the container stays as the place its panes go back to, without a window.
    t.f.host()->ClosePane(t.p[1]);
    EXPECT_TRUE(t.container->IsEmpty());
    EXPECT_EQ(t.container->GetSafeHwnd(), (HWND)NULL);
    t.f.host()->ShowPane(t.p[1]);
    EXPECT_NE(t.container->GetSafeHwnd(), (HWND)NULL);
    EXPECT_EQ(t.f.ContainerOf(t.p[1]), t.container);
}

TEST(DockingContainer, DraggingATabOverAnotherExchangesThemAndOffTheRowAsksFirst)
{
    ThreeTabs t;
    HWND hWnd = t.container->GetSafeHwnd();
    const CPoint tab0 = t.TabCentre(0), tab2 = t.TabCentre(2);
    t.container->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(tab0));
    EXPECT_EQ(::GetCapture(), hWnd);
    t.container->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Point(tab2));
    EXPECT_EQ(t.container->GetPane(2), t.p[0]);
    EXPECT_EQ(t.container->GetPane(0), t.p[2]);
    // Off the row: action 16 first; a site that refuses keeps the tab drag going.
    Site()->ClearLog();
    Site()->m_actionAnswers[tkpaTabDragging] = 1;
    t.container->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Point(CPoint(tab0.x, tab0.y - 120)));
    EXPECT_EQ(Site()->CountAction(tkpaTabDragging), 1);
    EXPECT_EQ(::GetCapture(), hWnd);
    t.container->SendMessage(WM_LBUTTONUP, 0, Point(tab0));
    EXPECT_NE(::GetCapture(), hWnd);
    Site()->m_actionAnswers.clear();
}

TEST(DockingContainer, CloseAllClosesEveryClosablePane)
{
    ThreeTabs t;
    t.f.host()->m_bCloseAll = TRUE;
    t.p[1]->SetOptions(tkpoNoClose);
    Site()->ClearLog();
    t.container->OnCaptionButtonClick(t.container->FindCaptionButton(tkpcbClose));
    EXPECT_TRUE(t.p[0]->IsClosed());
    EXPECT_FALSE(t.p[1]->IsClosed());
    EXPECT_TRUE(t.p[2]->IsClosed());
    EXPECT_EQ(Site()->CountAction(tkpaClosed), 2);
}

TEST(DockingContainer, TheMenuButtonReportsItsCorner)
{
    ThreeTabs t;
    t.p[2]->SetOptions(tkpoMenuButton);
    t.f.Layout();
    t.container->UpdateWindow();
    CTKPDockingPaneCaptionButton* pMenu = t.container->FindCaptionButton(tkpcbMenu);
    ASSERT_FALSE(pMenu->GetRect().IsRectEmpty());
    Site()->ClearLog();
    t.container->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(pMenu->GetRect().CenterPoint()));
    ASSERT_EQ(Site()->CountCode(tkpdnPaneMenu), 1);
    CRect rc = pMenu->GetRect();
    t.container->ClientToScreen(&rc);
    EXPECT_EQ(Site()->m_log.back().paneId, 7u);
    EXPECT_EQ(static_cast<int>(Site()->m_log.back().param1), rc.left);
    EXPECT_EQ(static_cast<int>(Site()->m_log.back().param2), rc.bottom);
}

// In a right-to-left frame the corner reported is still the button's left-bottom corner on the screen.
TEST(DockingContainer, RightToLeftTheMenuButtonReportsItsLeftCorner)
{
    RightToLeftSite rtl;
    ThreeTabs t;
    t.p[2]->SetOptions(tkpoMenuButton);
    t.f.Layout();
    t.container->UpdateWindow();
    ASSERT_TRUE(t.container->GetExStyle() & WS_EX_LAYOUTRTL);
    CTKPDockingPaneCaptionButton* pMenu = t.container->FindCaptionButton(tkpcbMenu);
    ASSERT_FALSE(pMenu->GetRect().IsRectEmpty());
    Site()->ClearLog();
    t.container->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(pMenu->GetRect().CenterPoint()));
    ASSERT_EQ(Site()->CountCode(tkpdnPaneMenu), 1);
    CPoint corners[2] = {pMenu->GetRect().TopLeft(), pMenu->GetRect().BottomRight()};
    t.container->ClientToScreen(&corners[0]);
    t.container->ClientToScreen(&corners[1]);
    EXPECT_EQ(static_cast<int>(Site()->m_log.back().param1), std::min(corners[0].x, corners[1].x));
    EXPECT_EQ(static_cast<int>(Site()->m_log.back().param2), corners[1].y);
}

TEST(DockingContainer, DoubleClicksToggleDocking)
{
    ThreeTabs t;
    t.container->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, Point(t.TabCentre(1)));
    t.f.Layout();
    EXPECT_EQ(Dump(t.f.arrangement()), "S[T(5,7*),C] FS[T(6*)]");
    // On the caption: the whole container.
    t.container->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, Point(CPoint(20, 6)));
    t.f.Layout();
    EXPECT_EQ(Dump(t.f.arrangement()), "S[C] FS[T(6*)] FS[T(5,7*)]");
}

TEST(DockingContainer, AMaximisedContainerTakesItsSplitAndRestores)
{
    HostFixture f;
    f.host()->m_bMaximiseAllowed = TRUE;
    CTKPDockablePane* p1 = f.MakePane(1, L"Top", CSize(200, 150));
    CTKPDockablePane* p2 = f.MakePane(2, L"Bottom", CSize(200, 150));
    f.host()->DockPane(p1, tkdock::sideLeft, NULL);
    f.host()->DockPane(p2, tkdock::sideBottom, p1);
    f.Layout();
    CTKPDockingPaneTabbedContainer* c1 = f.ContainerOf(p1);
    CTKPDockingPaneTabbedContainer* c2 = f.ContainerOf(p2);
    ASSERT_TRUE(c1->CanMaximise());
    EXPECT_TRUE(c1->FindCaptionButton(tkpcbMaximise)->IsVisible());
    const CRect rc1 = HostFixture::InSite(c1), rc2 = HostFixture::InSite(c2);
    c1->OnCaptionButtonClick(c1->FindCaptionButton(tkpcbMaximise));
    f.Layout();
    EXPECT_TRUE(c1->IsMaximised());
    EXPECT_TRUE(c2->IsSiblingMaximised());
    EXPECT_TRUE(c1->FindCaptionButton(tkpcbRestore)->IsVisible());
    MINMAXINFO mmi;
    c2->GetMinMaxInfo(&mmi);
    CRect rcTop = HostFixture::InSite(c1);
    EXPECT_EQ(rcTop.top, rc1.top);
    EXPECT_GE(rcTop.bottom, rc2.bottom - 4 - (mmi.ptMaxTrackSize.y));
    EXPECT_GT(rcTop.Height(), rc1.Height() + rc2.Height() - 40);
    c1->OnCaptionButtonClick(c1->FindCaptionButton(tkpcbRestore));
    f.Layout();
    EXPECT_EQ(HostFixture::InSite(c1), rc1);
    EXPECT_EQ(HostFixture::InSite(c2), rc2);
}

TEST(DockingContainer, TrackSizesIncludeTheCaptionAndTabs)
{
    ThreeTabs t;
    t.p[0]->SetMinTrackSize(CSize(50, 40));
    t.p[1]->SetMinTrackSize(CSize(80, 20));
    t.p[1]->SetMaxTrackSize(CSize(300, 32000));
    MINMAXINFO mmi;
    t.container->GetMinMaxInfo(&mmi);
    CRect rc(0, 0, 1000, 1000);
    t.f.host()->GetTheme()->AdjustTabbedContainerLayout(t.container, rc, FALSE);
    EXPECT_EQ(mmi.ptMinTrackSize.x, 80 + 1000 - rc.Width());
    EXPECT_EQ(mmi.ptMinTrackSize.y, 40 + 1000 - rc.Height());
    EXPECT_EQ(mmi.ptMaxTrackSize.x, 300 + 1000 - rc.Width());
    EXPECT_GT(1000 - rc.Height(), t.f.host()->GetTheme()->m_nCaptionHeight);
}

// The side that holds the client area takes the slack of its split, and keeps that slack as its
// docking size even when a pane beside the client holds it narrower.
TEST(DockingSplitter, TheClientsSideKeepsItsSlackAsItsDockingSize)
{
    HostFixture f;
    CTKPDockablePane* pLeft = f.MakePane(1, L"Files", CSize(200, 150));
    CTKPDockablePane* pBelow = f.MakePane(2, L"Log", CSize(200, 120));
    pBelow->SetMaxTrackSize(CSize(300, 32000));
    f.host()->DockPane(pLeft, tkdock::sideLeft, NULL);
    f.host()->DockPane(pBelow, tkdock::sideBottom, f.host()->GetClientNode());
    f.Layout();
    ASSERT_EQ(Dump(f.arrangement()), "S[T(1*),s[C,T(2*)]]");
    CTKPDockingNode* pClientSide = f.host()->GetClientNode()->GetParentContainer();
    ASSERT_NE(pClientSide, nullptr);
    MINMAXINFO mmi;
    pClientSide->GetMinMaxInfo(&mmi);
    const int nSplitter = f.host()->GetTheme()->m_nSplitterWidth;
    const int nSlack = SiteClient().Width() - nSplitter - 200;
    ASSERT_GT(nSlack, mmi.ptMaxTrackSize.x);
    // Held at its maximum on screen; its docking size is the slack it was given.
    EXPECT_EQ(HostFixture::InSite(f.ContainerOf(pBelow)).Width(), mmi.ptMaxTrackSize.x);
    EXPECT_EQ(pClientSide->m_nDockingCX, nSlack);
    EXPECT_EQ(pClientSide->m_nDockingCY, 0);
}

struct SplitFixture {
    HostFixture f;
    CTKPDockablePane* pane;
    CTKPDockingPaneSplitterBar* bar;

    SplitFixture()
    {
        pane = f.MakePane(1, L"Files", CSize(200, 150));
        f.host()->DockPane(pane, tkdock::sideLeft, NULL);
        f.Layout();
        bar = f.arrangement()->GetTopContainer()->GetSplitterBar(0);
    }
    int PaneWidth() { return HostFixture::InSite(f.ContainerOf(pane)).Width(); }
    // The point on the bar where the tests press it.
    CPoint Start()
    {
        CRect rcBar;
        bar->GetWindowRect(&rcBar);
        return CPoint(rcBar.left + 2, rcBar.top + 100);
    }
    // Live resizing from then on, and the point where the tests press the bar.
    CPoint LiveStart()
    {
        f.host()->m_bOutlineTracking = FALSE;
        return Start();
    }
    // Pressed at the start point, the bar is dragged 60 pixels to the right and let go with Escape or
    // the button's release; then the frame lays itself out.
    void DragRight60(CPoint start, UINT nEnd)
    {
        HWND hBar = bar->GetSafeHwnd();
        ::SetCursorPos(start.x + 60, start.y);
        ::PostMessageW(hBar, WM_MOUSEMOVE, MK_LBUTTON, Point(CPoint(62, 100)));
        if (nEnd == WM_KEYDOWN)
            ::PostMessageW(hBar, WM_KEYDOWN, VK_ESCAPE, 0);
        else
            ::PostMessageW(hBar, WM_LBUTTONUP, 0, Point(CPoint(62, 100)));
        bar->TrackResize(start);
        f.Layout();
    }
};

TEST(DockingSplitter, TheTrackRangeKeepsTheLayoutConstant)
{
    SplitFixture s;
    ASSERT_NE(s.bar, nullptr);
    EXPECT_TRUE(s.bar->IsWindowVisible());
    EXPECT_FALSE(s.bar->IsHorizontalBar());
    CRect rcRange, rcBoth, rcSite;
    ASSERT_TRUE(s.bar->CalcTrackRange(&rcRange, &rcBoth));
    Site()->GetClientRect(&rcSite);
    Site()->ClientToScreen(&rcSite);
    EXPECT_EQ(rcBoth.left, rcSite.left);
    EXPECT_EQ(rcRange.left, rcBoth.left + 22);
    // The client's minimum is 0, so the far end keeps the constant too.
    EXPECT_EQ(rcRange.right, rcBoth.right - 22);
}

// By default the bar drags an outline: the panes keep their size until the button comes up, and
// Escape leaves them as they were.
TEST(DockingSplitter, TheDefaultResizeDragsAnOutlineThatEscapeDrops)
{
    SplitFixture s;
    ASSERT_TRUE(s.f.host()->m_bOutlineTracking);
    const CPoint start = s.Start();
    s.DragRight60(start, WM_KEYDOWN);
    EXPECT_EQ(s.PaneWidth(), 200);
    EXPECT_NE(::GetCapture(), s.bar->GetSafeHwnd());
    s.DragRight60(start, WM_LBUTTONUP);
    EXPECT_EQ(s.PaneWidth(), 260);
    EXPECT_EQ(s.pane->GetParentContainer()->m_nDockingCX, 260);
}

TEST(DockingSplitter, ALiveResizeFollowsTheMouseAndEscapeKeepsTheSize)
{
    SplitFixture s;
    HWND hBar = s.bar->GetSafeHwnd();
    s.DragRight60(s.LiveStart(), WM_KEYDOWN);
    EXPECT_EQ(s.PaneWidth(), 260);
    EXPECT_EQ(s.pane->GetParentContainer()->m_nDockingCX, 260);
    EXPECT_NE(::GetCapture(), hBar);
    // Beyond the range the bar stops 22 pixels from the far end.
    s.bar = s.f.arrangement()->GetTopContainer()->GetSplitterBar(0);
    CRect rcBar;
    s.bar->GetWindowRect(&rcBar);
    CRect rcSite;
    Site()->GetClientRect(&rcSite);
    ::SetCursorPos(rcBar.left + 2000, rcBar.top + 100);
    ::PostMessageW(s.bar->GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, 0);
    ::PostMessageW(s.bar->GetSafeHwnd(), WM_LBUTTONUP, 0, 0);
    s.bar->TrackResize(CPoint(rcBar.left + 2, rcBar.top + 100));
    s.f.Layout();
    EXPECT_EQ(s.PaneWidth(), rcSite.Width() - 22);
}

// A quit message ends a live resize where it stands and stays queued for the program's own loop.
TEST(DockingSplitter, AQuitMessageEndsALiveResizeAndIsPutBack)
{
    SplitFixture s;
    const CPoint start = s.LiveStart();
    EXPECT_EQ(morvick::test::QuitCodeLeftBy(s.bar->GetSafeHwnd(), 4, [&] { s.bar->TrackResize(start); }), 4);
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    s.f.Layout();
    EXPECT_EQ(s.PaneWidth(), 200);
}

TEST(DockingSplitter, LockedBarsDoNotMove)
{
    SplitFixture s;
    s.f.host()->m_bSplittersLocked = TRUE;
    CRect rcBar;
    s.bar->GetWindowRect(&rcBar);
    s.bar->TrackResize(CPoint(rcBar.left + 2, rcBar.top + 10));
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    EXPECT_EQ(s.PaneWidth(), 200);
}

}  // namespace

namespace {

TEST(DockingContainer, CaptionButtonsAndTabsHaveTooltips)
{
    ThreeTabs t;
    t.container->UpdateWindow();
    CTKPDockingPaneCaptionButton* pClose = t.container->FindCaptionButton(tkpcbClose);
    TKPTOOLINFO info = {};
    info.ti.cbSize = sizeof(TKPTOOLINFO);
    EXPECT_EQ(t.container->OnToolHitTest(pClose->GetRect().CenterPoint(), &info.ti), static_cast<INT_PTR>(tkpcbClose));
    EXPECT_EQ(CString(info.ti.lpszText), CString(L"Close"));
    TKPFreeToolInfoTexts(&info.ti);
    TKPTOOLINFO pin = {};
    pin.ti.cbSize = sizeof(TKPTOOLINFO);
    EXPECT_EQ(t.container->OnToolHitTest(t.container->FindCaptionButton(tkpcbPin)->GetRect().CenterPoint(), &pin.ti),
        static_cast<INT_PTR>(tkpcbPin));
    EXPECT_EQ(CString(pin.ti.lpszText), CString(L"Auto Hide"));
    TKPFreeToolInfoTexts(&pin.ti);
}

TEST(DockingContainer, AnOleDragOverATabBringsItsPaneForward)
{
    ThreeTabs t;
    t.f.host()->GetTheme()->m_pPaneTabTheme->m_bSelectOnDragOver = TRUE;
    t.container->SelectPane(t.p[0], FALSE, FALSE);
    // The container brings the pane forward and refuses the drop.
    EXPECT_TRUE(DragTextToUntil(t.container, t.TabCentre(1), [&] { return t.container->GetSelectedPane() == t.p[1]; }));
    EXPECT_EQ(DragTextTo(t.container, t.TabCentre(2)), static_cast<DROPEFFECT>(DROPEFFECT_NONE));
    t.f.host()->GetTheme()->m_pPaneTabTheme->m_bSelectOnDragOver = FALSE;
}

}  // namespace
