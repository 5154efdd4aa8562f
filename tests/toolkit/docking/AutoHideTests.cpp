// Auto-hidden panes: the side panels along the frame's edges and the slide-out window, driven by
// its timers one tick at a time.
#include "DockingTestSupport.h"

#include "DibCanvas.h"
#include "tests/support/win/InputSupport.h"
#include "toolkit/common/DockGeometry.h"
#include "toolkit/docking/DockingPaneAutoHideWnd.h"
#include "toolkit/docking/DockingPaneSideBar.h"
#include "toolkit/docking/DockingPaneSplitContainer.h"
#include "toolkit/docking/DockingPaneTabStrip.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/docking/DockingPaneTheme.h"
#include "toolkit/tabs/TabManagerItem.h"
#include "toolkit/tabs/TabTheme.h"

#include "SampleDockLayout.h"
#include "NamedExchange.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace docktest;

namespace {

// A pane docked on a side and hidden there.
struct Hidden {
    HostFixture f;
    CTKPDockablePane* pane;
    CTKPDockingPaneSideBar* side;

    explicit Hidden(int nSide, CSize size = CSize(200, 150))
    {
        pane = f.MakePane(1, L"Properties", size);
        side = f.DockHidden(nSide, pane);
    }
    CPoint TabCentre() { return side->GetTabGroup(0)->GetItem(0)->GetRect().CenterPoint(); }
    CTKPDockingPaneAutoHideWnd* Open()
    {
        side->OpenSlideOut(pane, FALSE);
        return side->GetSlideOut();
    }
};

// Stops the slide-out's own animation (and, when asked, its watch over the cursor) and steps it to
// fully open.
void SlideAllTheWayOut(CTKPDockingPaneAutoHideWnd* pSlide, bool bStopWatching)
{
    if (bStopWatching)
        KillTimer(pSlide->GetSafeHwnd(), 1);
    KillTimer(pSlide->GetSafeHwnd(), 2);
    while (pSlide->GetStep() < pSlide->GetStepCount() - 1)
        pSlide->SendMessage(WM_TIMER, 2, 0);
}

// The slide-out of h opened all the way for a live resize, its own timers stopped, and the middle
// of its inner edge in screen coordinates; null when it did not open or cannot be resized.
CTKPDockingPaneAutoHideWnd* OpenForLiveResize(Hidden& h, CPoint& ptEdge)
{
    h.f.host()->m_bOutlineTracking = FALSE;
    CTKPDockingPaneAutoHideWnd* pSlide = h.Open();
    if (pSlide == nullptr)
        return nullptr;
    SlideAllTheWayOut(pSlide, true);
    CRect rcLimits, rcEdge;
    if (!pSlide->GetResizeLimits(rcLimits, rcEdge))
        return nullptr;
    ptEdge = rcEdge.CenterPoint();
    return pSlide;
}

void AwayFrom(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    ::SetCursorPos(rc.right + 300 < 1270 ? rc.right + 300 : 5, 1000);
}

// A tabbed container whose memory is cleared and kept once it is freed, so that any later call
// through it faults at once instead of reading whatever is left there.
class CClearedWhenFreedContainer : public CTKPDockingPaneTabbedContainer {
public:
    using CTKPDockingPaneTabbedContainer::CTKPDockingPaneTabbedContainer;
    static void* operator new(size_t n) { return ::operator new(n); }
    static void operator delete(void* p, size_t n)
    {
        memset(p, 0, n);
        Freed().push_back(p);
    }
    static std::vector<void*>& Freed()
    {
        static std::vector<void*> freed;
        return freed;
    }
    static void ReleaseFreed()
    {
        for (void* p : Freed())
            ::operator delete(p);
        Freed().clear();
    }
};

TEST(DockingSidePanel, HiddenPanesTakeAStripOffTheirEdge)
{
    const CRect rc = SiteClient();
    for (int nSide = 0; nSide < 4; ++nSide) {
        SCOPED_TRACE(nSide);
        Hidden h(nSide);
        ASSERT_NE(h.side, nullptr);
        EXPECT_EQ(h.side->GetSide(), nSide);
        EXPECT_TRUE(h.f.host()->IsPaneAutoHidden(h.pane));
        const int t = h.side->GetStripThickness();
        EXPECT_GT(t, 15);
        CRect rcStrip = HostFixture::InSite(h.side);
        CRect rcView = Site()->ViewRect();
        switch (nSide) {
        case tkdock::sideLeft:
            EXPECT_EQ(rcStrip, CRect(0, 0, t, rc.bottom));
            EXPECT_EQ(rcView.left, t);
            break;
        case tkdock::sideRight:
            EXPECT_EQ(rcStrip, CRect(rc.right - t, 0, rc.right, rc.bottom));
            EXPECT_EQ(rcView.right, rc.right - t);
            break;
        case tkdock::sideTop:
            EXPECT_EQ(rcStrip, CRect(0, 0, rc.right, t));
            EXPECT_EQ(rcView.top, t);
            break;
        default:
            EXPECT_EQ(rcStrip, CRect(0, rc.bottom - t, rc.right, rc.bottom));
            EXPECT_EQ(rcView.bottom, rc.bottom - t);
            break;
        }
        // The hidden container's window stays hidden; its tab is the pane's caption.
        EXPECT_FALSE(h.f.ContainerOf(h.pane)->IsWindowVisible());
        ASSERT_EQ(h.side->GetTabGroupCount(), 1);
        EXPECT_EQ(h.side->GetTabGroup(0)->GetItem(0)->GetCaption(), CString(L"Properties"));
        EXPECT_EQ(TKPPaneOfTab(h.side->GetTabGroup(0)->GetItem(0)), h.pane);
    }
}

// Hidden one after the other, panes from the same docked place share a tab group, and so do panes
// that were never docked at all.
TEST(DockingSidePanel, PanesFromTheSamePlaceShareATabGroup)
{
    HostFixture f;
    CTKPDockablePane* p1 = f.MakePane(1, L"Files");
    CTKPDockablePane* p2 = f.MakePane(2, L"Found");
    CTKPDockablePane* p3 = f.MakePane(3, L"Log");
    CTKPDockablePane* p4 = f.MakePane(4, L"Notes");
    f.host()->m_bHideWholeGroup = FALSE;
    f.host()->DockPane(p1, tkdock::sideLeft, NULL);
    f.host()->AttachNode(p2, p1);
    f.Layout();
    CRect rcSite;
    Site()->GetWindowRect(&rcSite);
    f.host()->FloatNode(p3, CRect(rcSite.right - 260, rcSite.top + 80, rcSite.right - 40, rcSite.top + 260));
    f.host()->FloatNode(p4, CRect(rcSite.right - 260, rcSite.top + 300, rcSite.right - 40, rcSite.top + 480));
    f.Layout();
    for (CTKPDockablePane* p : {p1, p2, p3, p4})
        f.host()->HidePane(p);
    f.Layout();
    EXPECT_EQ(Dump(f.arrangement()), "S[C] |l:T(1,2*)T(3,4*)");
}

TEST(DockingSidePanel, DockingBackEmptiesThePanelAndEndsItsWindow)
{
    Hidden h(tkdock::sideRight);
    HWND hSide = h.side->GetSafeHwnd();
    ASSERT_TRUE(::IsWindow(hSide));
    // The pin of a hidden container docks it again.
    CTKPDockingPaneTabbedContainer* c = h.f.ContainerOf(h.pane);
    c->OnCaptionButtonClick(c->FindCaptionButton(tkpcbPin));
    h.f.Layout();
    EXPECT_FALSE(h.f.host()->IsPaneAutoHidden(h.pane));
    EXPECT_FALSE(::IsWindow(hSide));
    EXPECT_EQ(Dump(h.f.arrangement()), "S[C,T(1*)]");
    EXPECT_EQ(Site()->ViewRect().right, SiteClient().right - 204);
}

TEST(DockingSidePanel, ThePinHidesAfterAskingAndStoresTheExtent)
{
    HostFixture f;
    CTKPDockablePane* p = f.MakePane(1, L"Log", CSize(200, 150));
    f.host()->DockPane(p, tkdock::sideBottom, NULL);
    f.Layout();
    CTKPDockingPaneTabbedContainer* c = f.ContainerOf(p);
    Site()->ClearLog();
    Site()->m_actionAnswers[tkpaPinning] = 1;
    c->OnCaptionButtonClick(c->FindCaptionButton(tkpcbPin));
    EXPECT_FALSE(f.host()->IsPaneAutoHidden(p));
    Site()->m_actionAnswers.clear();
    c->GetParentContainer()->m_nDockingCY = 120;
    c->m_rcNode.bottom = c->m_rcNode.top + 130;
    c->OnCaptionButtonClick(c->FindCaptionButton(tkpcbPin));
    EXPECT_TRUE(f.host()->IsPaneAutoHidden(p));
    EXPECT_EQ(p->m_nDockingCY, 130);
    EXPECT_EQ(Site()->CountAction(tkpaPinned), 1);
}

TEST(DockingSidePanel, ClicksAndHoversOpenOneSlideOut)
{
    Hidden h(tkdock::sideLeft);
    HWND hSide = h.side->GetSafeHwnd();
    Site()->ClearLog();
    // Outside any tab nothing happens: no slide-out, no context menu for nothing.
    ::SendMessageW(hSide, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 590));
    ::SendMessageW(hSide, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 590));
    EXPECT_EQ(h.side->GetSlideOut(), nullptr);
    EXPECT_EQ(Site()->CountCode(tkpdnContextMenu), 0);
    EXPECT_EQ(Site()->CountAction(tkpaSlidingOut), 0);

    const CPoint tab = h.TabCentre();
    ::SendMessageW(hSide, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tab.x, tab.y));
    CTKPDockingPaneAutoHideWnd* pSlide = h.side->GetSlideOut();
    ASSERT_NE(pSlide, nullptr);
    EXPECT_EQ(Site()->CountAction(tkpaSlidingOut), 1);
    // The tab of the pane already shown: focused, not opened again.
    ::SendMessageW(hSide, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tab.x, tab.y));
    EXPECT_EQ(h.side->GetSlideOut(), pSlide);
    EXPECT_EQ(Site()->CountAction(tkpaSlidingOut), 1);
    ::SendMessageW(hSide, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(tab.x, tab.y));
    EXPECT_EQ(Site()->CountCode(tkpdnContextMenu), 1);
    EXPECT_EQ(Site()->m_log.back().paneId, 1u);
    pSlide->Close(TRUE);
}

TEST(DockingSidePanel, HoverOpensOnlyWhileTheFrameIsActive)
{
    Hidden h(tkdock::sideLeft);
    const CPoint tab = h.TabCentre();
    HWND hOther = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 900, 700, 50, 50,
        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ::SetForegroundWindow(hOther);
    PumpPending();
    h.side->SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(tab.x, tab.y));
    EXPECT_EQ(h.side->GetSlideOut(), nullptr);
    Site()->SetForegroundWindow();
    PumpPending();
    h.side->SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(tab.x, tab.y));
    ASSERT_NE(h.side->GetSlideOut(), nullptr);
    h.side->GetSlideOut()->Close(TRUE);
    ::ShowWindow(hOther, SW_HIDE);
    ::DestroyWindow(hOther);
}

TEST(DockingSidePanel, VetoesKeepTheSlideOutAsItIs)
{
    Hidden h(tkdock::sideBottom);
    Site()->m_actionAnswers[tkpaSlidingOut] = 1;
    EXPECT_EQ(h.Open(), nullptr);
    Site()->m_actionAnswers.clear();
    CTKPDockingPaneAutoHideWnd* pSlide = h.Open();
    ASSERT_NE(pSlide, nullptr);
    Site()->m_actionAnswers[tkpaSlidingIn] = 1;
    h.side->CloseSlideOut(FALSE);
    EXPECT_EQ(h.side->GetSlideOut(), pSlide);
    Site()->m_actionAnswers.clear();
    h.side->CloseSlideOut(FALSE);
    EXPECT_EQ(h.side->GetSlideOut(), nullptr);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(pSlide->GetSafeHwnd()); }));
}

// Two panes docked on the left, each hidden there: two tab groups in the left side panel.
struct TwoHidden {
    HostFixture f;
    CTKPDockablePane* p1;
    CTKPDockablePane* p2;
    CTKPDockingPaneSideBar* side;

    TwoHidden() : p1(f.MakePane(1, L"Files")), p2(f.MakePane(2, L"Found"))
    {
        f.host()->DockPane(p1, tkdock::sideLeft, NULL);
        f.host()->DockPane(p2, tkdock::sideLeft, NULL);
        f.Layout();
        f.host()->HidePane(p1);
        f.host()->HidePane(p2);
        f.Layout();
        side = f.arrangement()->GetSideBar(tkdock::sideLeft);
    }
};

TEST(DockingSidePanel, SwitchingPanesWithoutAutoCloseLeavesOneSlideOut)
{
    TwoHidden h;
    CTKPDockablePane* p2 = h.p2;
    CTKPDockingPaneSideBar* pSide = h.side;
    ASSERT_EQ(pSide->GetTabGroupCount(), 2);
    ScopedSetting<BOOL> noAutoClose(CTKPDockingPaneSideBar::s_bAutoClose, FALSE);
    const CPoint a = pSide->GetTabGroup(0)->GetItem(0)->GetRect().CenterPoint();
    const CPoint b = pSide->GetTabGroup(1)->GetItem(0)->GetRect().CenterPoint();
    pSide->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a.x, a.y));
    CTKPDockingPaneAutoHideWnd* pFirst = pSide->GetSlideOut();
    ASSERT_NE(pFirst, nullptr);
    const HWND hFirst = pFirst->GetSafeHwnd();
    pSide->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b.x, b.y));
    CTKPDockingPaneAutoHideWnd* pSecond = pSide->GetSlideOut();
    ASSERT_NE(pSecond, nullptr);
    EXPECT_NE(pSecond, pFirst);
    EXPECT_EQ(pSecond->GetContainer()->GetSelectedPane(), p2);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hFirst); }));
    pSecond->Close(TRUE);
}

// Two panes as the tabs of one container hidden on the left, the first shown in a slide-out.
struct SlidOutPair {
    HostFixture f;
    CTKPDockablePane* p1;
    CTKPDockablePane* p2;
    CTKPDockingPaneSideBar* side = nullptr;

    SlidOutPair() : p1(f.MakePane(1, L"Files")), p2(f.MakePane(2, L"Found"))
    {
        f.DockAsTabs(tkdock::sideLeft, {p1, p2});
        f.host()->HidePane(p1);
        f.Layout();
        side = f.arrangement()->GetSideBar(tkdock::sideLeft);
        if (side)
            side->OpenSlideOut(p1, FALSE);
        Site()->ClearLog();
    }
    CTKPDockablePane* Shown()
    {
        CTKPDockingPaneAutoHideWnd* pSlide = side->GetSlideOut();
        return pSlide && pSlide->GetContainer() ? pSlide->GetContainer()->GetSelectedPane() : nullptr;
    }
    ~SlidOutPair()
    {
        if (side && side->GetSlideOut())
            side->GetSlideOut()->Close(TRUE);
    }
};

// A change in the shown container, or a new layout of the frame, closes the slide-out after asking
// the site (actions 10 and 11) while slide-outs close by themselves; with that setting off the
// slide-out stays open and follows the change.
TEST(DockingSidePanel, ChangesInTheShownContainerCloseItsSlideOutOnlyWhileAutoCloseIsOn)
{
    for (BOOL bAutoClose : {FALSE, TRUE}) {
        SCOPED_TRACE(bAutoClose);
        ScopedSetting<BOOL> autoClose(CTKPDockingPaneSideBar::s_bAutoClose, bAutoClose);
        const int nClosings = bAutoClose ? 1 : 0;
        {
            // Showing the other pane of the container: it is the one slid out afterwards.
            SlidOutPair s;
            ASSERT_NE(s.side, nullptr);
            ASSERT_EQ(s.Shown(), s.p1);
            s.f.host()->ShowPane(s.p2, FALSE);
            EXPECT_EQ(s.Shown(), s.p2);
            EXPECT_EQ(Site()->CountAction(tkpaSlidingIn), nClosings);
            EXPECT_EQ(Site()->CountAction(tkpaSlidIn), nClosings);
        }
        {
            // Closing the pane that is not shown.
            SlidOutPair s;
            ASSERT_NE(s.side, nullptr);
            CTKPDockingPaneAutoHideWnd* pSlide = s.side->GetSlideOut();
            ASSERT_NE(pSlide, nullptr);
            s.f.host()->ClosePane(s.p2);
            EXPECT_TRUE(s.f.host()->IsPaneClosed(s.p2));
            EXPECT_EQ(s.side->GetSlideOut(), bAutoClose ? nullptr : pSlide);
            EXPECT_EQ(s.Shown(), bAutoClose ? nullptr : s.p1);
            EXPECT_EQ(Site()->CountAction(tkpaSlidingIn), nClosings);
            EXPECT_EQ(Site()->CountAction(tkpaSlidIn), nClosings);
        }
        {
            // A new layout of the frame; a site that refuses action 10 keeps the slide-out.
            SlidOutPair s;
            ASSERT_NE(s.side, nullptr);
            CTKPDockingPaneAutoHideWnd* pSlide = s.side->GetSlideOut();
            Site()->m_actionAnswers[tkpaSlidingIn] = 1;
            s.f.Layout();
            Site()->m_actionAnswers.clear();
            EXPECT_EQ(s.side->GetSlideOut(), pSlide);
            EXPECT_EQ(Site()->CountAction(tkpaSlidingIn), nClosings);
            EXPECT_EQ(Site()->CountAction(tkpaSlidIn), 0);
            s.f.Layout();
            EXPECT_EQ(s.side->GetSlideOut(), bAutoClose ? nullptr : pSlide);
            EXPECT_EQ(Site()->CountAction(tkpaSlidIn), nClosings);
        }
    }
}

TEST(DockingSidePanel, AnOleDragOverATabSlidesItsPaneOutAndTheDropIsRefused)
{
    TwoHidden h;
    CTKPDockablePane *p1 = h.p1, *p2 = h.p2;
    CTKPDockingPaneSideBar* pSide = h.side;
    ASSERT_EQ(pSide->GetTabGroupCount(), 2);
    auto tab = [&](int nGroup) { return pSide->GetTabGroup(nGroup)->GetItem(0)->GetRect().CenterPoint(); };
    auto shows = [&](CTKPDockablePane* pPane) {
        CTKPDockingPaneAutoHideWnd* pSlide = pSide->GetSlideOut();
        return pSlide && pSlide->GetContainer() && pSlide->GetContainer()->GetSelectedPane() == pPane;
    };
    CTKPTabTheme* pTabTheme = h.f.host()->GetTheme()->m_pAutoHideTabTheme;

    pTabTheme->m_bSelectOnDragOver = FALSE;
    EXPECT_EQ(DragTextTo(pSide, tab(0)), static_cast<DROPEFFECT>(DROPEFFECT_NONE));
    EXPECT_EQ(pSide->GetSlideOut(), nullptr);

    // The pane under the cursor slides out, and the drop is refused.
    pTabTheme->m_bSelectOnDragOver = TRUE;
    EXPECT_TRUE(DragTextToUntil(pSide, tab(0), [&] { return shows(p1); }));
    CTKPDockingPaneAutoHideWnd* pFirst = pSide->GetSlideOut();
    EXPECT_EQ(DragTextTo(pSide, tab(0)), static_cast<DROPEFFECT>(DROPEFFECT_NONE));
    EXPECT_EQ(pSide->GetSlideOut(), pFirst);
    // Over another pane's tab, that one slides out instead.
    EXPECT_TRUE(DragTextToUntil(pSide, tab(1), [&] { return shows(p2); }));
    AwayFrom(pSide);
    if (CTKPDockingPaneAutoHideWnd* pSlide = pSide->GetSlideOut())
        pSlide->Close(TRUE);
}

// An arrangement that ends the container of an open slide-out before its side panel (the layout
// it was loaded from numbers the container first): the slide-out closes without the container.
TEST(DockingSidePanel, ASlideOutOutlivingItsContainerClosesWithoutIt)
{
    CTKPDockLayout layout;
    TKPDockNodeRecord top = docksample::Container(tkdock::nodeSplitContainer, {2});  // 1
    top.bHorizontal = TRUE;
    layout.m_nodes.push_back(top);
    layout.m_nodes.push_back(docksample::Node(tkdock::nodeClient));                         // 2
    layout.m_nodes.push_back(docksample::Container(tkdock::nodeTabbedContainer, {4}));      // 3
    layout.m_nodes.back().nSelected = 4;
    layout.m_nodes.push_back(docksample::Pane(7, L"Properties", 3, 0, 3));                  // 4
    TKPDockNodeRecord side = docksample::Container(tkdock::nodeSideBar, {3});               // 5
    side.nDirection = tkdock::sideLeft;
    layout.m_nodes.push_back(side);
    layout.m_nTopContainer = 1;
    layout.m_nClient = 2;
    ASSERT_TRUE(layout.Validate());
    CNamedExchange::Values values;
    {
        CNamedExchange px(values, FALSE);
        layout.Save(&px);
    }
    {
        HostFixture f;
        f.m_host.reset(new CFactoryHost([](int nType, CTKPDockingPaneArrangement* pArrangement, bool& bHandled) {
            bHandled = nType == tkdock::nodeTabbedContainer;
            return bHandled ? new CClearedWhenFreedContainer(pArrangement) : nullptr;
        }));
        ASSERT_TRUE(f.host()->InstallSite(Site()));
        CNamedExchange px(values, TRUE);
        ASSERT_TRUE(f.host()->LoadState(&px));
        f.Layout();
        CTKPDockablePane* pPane = f.host()->FindPaneById(7);
        ASSERT_NE(pPane, nullptr);
        ASSERT_TRUE(f.host()->IsPaneAutoHidden(pPane));
        CTKPDockingPaneSideBar* pSide = f.arrangement()->GetSideBar(tkdock::sideLeft);
        ASSERT_NE(pSide, nullptr);
        pSide->OpenSlideOut(pPane, FALSE);
        CTKPDockingPaneAutoHideWnd* pSlide = pSide->GetSlideOut();
        ASSERT_NE(pSlide, nullptr);
        const HWND hSlide = pSlide->GetSafeHwnd();
        // Ends the arrangement: the container goes first, then the side panel and its slide-out.
        f.m_host.reset();
        EXPECT_FALSE(::IsWindow(hSlide));
    }
    EXPECT_FALSE(CClearedWhenFreedContainer::Freed().empty());
    CClearedWhenFreedContainer::ReleaseFreed();
}

TEST(DockingSlideOut, OpensInStepsToTheDockingSizeAndReportsTheEnd)
{
    Hidden h(tkdock::sideLeft, CSize(200, 150));
    Site()->ClearLog();
    CTKPDockingPaneAutoHideWnd* pSlide = h.Open();
    ASSERT_NE(pSlide, nullptr);
    ASSERT_EQ(pSlide->GetStepCount(), 8);
    const CRect full = pSlide->GetFullRect();
    EXPECT_EQ(full.Width(), 204);
    EXPECT_EQ(full.left, HostFixture::InSite(h.side).right);
    KillTimer(pSlide->GetSafeHwnd(), 2);
    for (int step = 0; step < 8; ++step) {
        SCOPED_TRACE(step);
        EXPECT_EQ(HostFixture::InSite(pSlide),
            CRect(full.left, full.top, full.left + 204 * (step + 1) / 8, full.bottom));
        EXPECT_EQ(Site()->CountAction(tkpaSlidOut), 0);
        pSlide->SendMessage(WM_TIMER, 2, 0);
    }
    EXPECT_EQ(HostFixture::InSite(pSlide), full);
    EXPECT_EQ(Site()->CountAction(tkpaSlidOut), 1);
    // The container fills the window but for the resize edge.
    EXPECT_EQ(HostFixture::InSite(h.f.ContainerOf(h.pane)), CRect(full.left, full.top, full.right - 4, full.bottom));
    pSlide->Close(TRUE);
}

TEST(DockingSlideOut, SlidesInAfterTheCursorLeftAndComesBackWhenPointedAt)
{
    Hidden h(tkdock::sideBottom);
    CTKPDockingPaneAutoHideWnd* pSlide = h.Open();
    ASSERT_NE(pSlide, nullptr);
    SlideAllTheWayOut(pSlide, true);
    Site()->ClearLog();
    AwayFrom(Site());
    for (int i = 0; i < 5; ++i)
        pSlide->SendMessage(WM_TIMER, 1, 0);
    EXPECT_FALSE(pSlide->IsCollapsing());
    pSlide->SendMessage(WM_TIMER, 1, 0);
    EXPECT_TRUE(pSlide->IsCollapsing());
    EXPECT_EQ(Site()->CountAction(tkpaSlidingIn), 1);
    KillTimer(pSlide->GetSafeHwnd(), 3);
    pSlide->SendMessage(WM_TIMER, 3, 0);
    pSlide->SendMessage(WM_TIMER, 3, 0);
    EXPECT_EQ(pSlide->GetStep(), pSlide->GetStepCount() - 3);
    // Pointing back at it: it slides out again from where it is.
    CRect rc;
    pSlide->GetWindowRect(&rc);
    ::SetCursorPos(rc.CenterPoint().x, rc.CenterPoint().y);
    pSlide->SendMessage(WM_TIMER, 1, 0);
    EXPECT_FALSE(pSlide->IsCollapsing());
    EXPECT_EQ(pSlide->GetCountdown(), 6);
    KillTimer(pSlide->GetSafeHwnd(), 2);
    // Away again: the whole way in, then action 11 and the window ends.
    AwayFrom(Site());
    for (int i = 0; i < 6; ++i)
        pSlide->SendMessage(WM_TIMER, 1, 0);
    ASSERT_TRUE(pSlide->IsCollapsing());
    KillTimer(pSlide->GetSafeHwnd(), 3);
    const HWND hSlide = pSlide->GetSafeHwnd();
    for (int i = 0; i < 8 && ::IsWindow(hSlide) && h.side->GetSlideOut(); ++i)
        pSlide->SendMessage(WM_TIMER, 3, 0);
    EXPECT_EQ(Site()->CountAction(tkpaSlidIn), 1);
    EXPECT_EQ(h.side->GetSlideOut(), nullptr);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hSlide); }));
    // The container went back to the frame, hidden.
    EXPECT_EQ(::GetParent(h.f.ContainerOf(h.pane)->GetSafeHwnd()), Site()->GetSafeHwnd());
    EXPECT_FALSE(h.f.ContainerOf(h.pane)->IsWindowVisible());
}

TEST(DockingSlideOut, ARefusedSlideInRestartsTheCountdown)
{
    Hidden h(tkdock::sideRight);
    CTKPDockingPaneAutoHideWnd* pSlide = h.Open();
    KillTimer(pSlide->GetSafeHwnd(), 1);
    Site()->m_actionAnswers[tkpaSlidingIn] = 1;
    AwayFrom(Site());
    for (int i = 0; i < 6; ++i)
        pSlide->SendMessage(WM_TIMER, 1, 0);
    EXPECT_FALSE(pSlide->IsCollapsing());
    EXPECT_EQ(pSlide->GetCountdown(), 6);
    Site()->m_actionAnswers.clear();
    pSlide->Close(TRUE);
}

TEST(DockingSlideOut, WithOneStepItOpensAtOnceAndSaysSo)
{
    ScopedSetting<int> oneStep(CTKPDockingPaneAutoHideWnd::s_nAnimationDuration, 16);
    Hidden h(tkdock::sideTop);
    Site()->ClearLog();
    CTKPDockingPaneAutoHideWnd* pSlide = h.Open();
    ASSERT_NE(pSlide, nullptr);
    EXPECT_EQ(pSlide->GetStepCount(), 1);
    EXPECT_EQ(HostFixture::InSite(pSlide), pSlide->GetFullRect());
    EXPECT_EQ(Site()->CountAction(tkpaSlidOut), 1);
    pSlide->Close(TRUE);
}

TEST(DockingSlideOut, ResizingKeepsTheSizeWithoutGrowingOnEveryOpening)
{
    for (int nSide = 0; nSide < 4; ++nSide) {
        SCOPED_TRACE(nSide);
        Hidden h(nSide, CSize(200, 150));
        h.f.host()->m_bOutlineTracking = FALSE;
        CTKPDockingPaneAutoHideWnd* pSlide = h.Open();
        ASSERT_NE(pSlide, nullptr);
        const BOOL bAcross = nSide == tkdock::sideTop || nSide == tkdock::sideBottom;
        const int nOpened = bAcross ? pSlide->GetFullRect().Height() : pSlide->GetFullRect().Width();
        EXPECT_EQ(nOpened, bAcross ? 154 : 204);
        SlideAllTheWayOut(pSlide, false);
        // Drag the inner edge 40 pixels outwards (away from the side), live, and let go.
        CRect rcLimits, rcEdge;
        ASSERT_TRUE(pSlide->GetResizeLimits(rcLimits, rcEdge));
        const CPoint start = rcEdge.CenterPoint();
        const int d = nSide == tkdock::sideLeft || nSide == tkdock::sideTop ? 40 : -40;
        const CPoint end = bAcross ? CPoint(start.x, start.y + d) : CPoint(start.x + d, start.y);
        ::SetCursorPos(end.x, end.y);
        ::PostMessageW(pSlide->GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, 0);
        ::PostMessageW(pSlide->GetSafeHwnd(), WM_LBUTTONUP, 0, 0);
        CPoint client = start;
        pSlide->ScreenToClient(&client);
        pSlide->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
        const int nResized = bAcross ? pSlide->GetFullRect().Height() : pSlide->GetFullRect().Width();
        EXPECT_EQ(nResized, nOpened + 40);
        EXPECT_EQ(bAcross ? h.pane->m_nDockingCY : h.pane->m_nDockingCX, nResized - 4);
        pSlide->Close(TRUE);
        // Opened again at the size it was left with.
        pSlide = h.Open();
        EXPECT_EQ(bAcross ? pSlide->GetFullRect().Height() : pSlide->GetFullRect().Width(), nResized);
        pSlide->Close(TRUE);
    }
}

// Escape ends a live resize at the size reached so far: a later move changes nothing, the docking
// size is the one reached, and the window gives the capture back.
TEST(DockingSlideOut, EscapeKeepsTheSizeALiveResizeReached)
{
    Hidden h(tkdock::sideLeft, CSize(200, 150));
    CPoint start;
    CTKPDockingPaneAutoHideWnd* pSlide = OpenForLiveResize(h, start);
    ASSERT_NE(pSlide, nullptr);
    const int nOpened = pSlide->GetFullRect().Width();
    const HWND hSlide = pSlide->GetSafeHwnd();
    ::SetCursorPos(start.x + 30, start.y);
    ::PostMessageW(hSlide, WM_MOUSEMOVE, MK_LBUTTON, 0);
    ::PostMessageW(hSlide, WM_KEYDOWN, VK_ESCAPE, 0);
    ::SetCursorPos(start.x + 60, start.y);
    ::PostMessageW(hSlide, WM_MOUSEMOVE, MK_LBUTTON, 0);
    ::PostMessageW(hSlide, WM_LBUTTONUP, 0, 0);
    CPoint client = start;
    pSlide->ScreenToClient(&client);
    pSlide->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    PumpPending();
    EXPECT_EQ(pSlide->GetFullRect().Width(), nOpened + 30);
    EXPECT_EQ(HostFixture::InSite(pSlide).Width(), nOpened + 30);
    EXPECT_EQ(h.pane->m_nDockingCX, nOpened + 30 - 4);
    EXPECT_EQ(::GetCapture(), nullptr);
    pSlide->Close(TRUE);
}

// A quit message ends a live resize of the slide-out and stays queued for the program's own loop.
TEST(DockingSlideOut, AQuitMessageEndsALiveResizeAndIsPutBack)
{
    Hidden h(tkdock::sideLeft, CSize(200, 150));
    CPoint client;
    CTKPDockingPaneAutoHideWnd* pSlide = OpenForLiveResize(h, client);
    ASSERT_NE(pSlide, nullptr);
    const int nOpened = pSlide->GetFullRect().Width();
    pSlide->ScreenToClient(&client);
    const int nCode = morvick::test::QuitCodeLeftBy(pSlide->GetSafeHwnd(), 6,
        [&] { pSlide->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y)); });
    EXPECT_EQ(nCode, 6);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(pSlide->GetFullRect().Width(), nOpened);
    pSlide->Close(TRUE);
}

TEST(DockingSlideOut, TheMaximumHoldsOnEverySide)
{
    for (int nSide = 0; nSide < 4; ++nSide) {
        SCOPED_TRACE(nSide);
        Hidden h(nSide, CSize(200, 150));
        h.pane->SetMaxTrackSize(CSize(120, 100));
        CTKPDockingPaneAutoHideWnd* pSlide = h.Open();
        MINMAXINFO mmi;
        pSlide->GetPaneMinMaxInfo(&mmi, TRUE);
        const BOOL bAcross = nSide == tkdock::sideTop || nSide == tkdock::sideBottom;
        const int nMax = bAcross ? mmi.ptMaxTrackSize.y : mmi.ptMaxTrackSize.x;
        EXPECT_EQ(bAcross ? pSlide->GetFullRect().Height() : pSlide->GetFullRect().Width(), nMax);
        CRect rcLimits, rcEdge;
        ASSERT_TRUE(pSlide->GetResizeLimits(rcLimits, rcEdge));
        CRect rcTop;
        h.f.host()->GetTopContainer()->GetScreenRect(&rcTop);
        // The window's inner boundary may reach exactly the maximum on each side.
        switch (nSide) {
        case tkdock::sideLeft:
            EXPECT_EQ(rcLimits.right - rcTop.left, nMax);
            break;
        case tkdock::sideRight:
            EXPECT_EQ(rcTop.right - rcLimits.left, nMax);
            break;
        case tkdock::sideTop:
            EXPECT_EQ(rcLimits.bottom - rcTop.top, nMax);
            break;
        default:
            EXPECT_EQ(rcTop.bottom - rcLimits.top, nMax);
            break;
        }
        pSlide->Close(TRUE);
    }
}

// While the side panel takes the container back and the window waits for its closing timer, the
// window neither moves nor paints nor reports sliding in again.
TEST(DockingSlideOut, AWindowThatGaveItsContainerBackOnlyWaitsToClose)
{
    Hidden h(tkdock::sideLeft);
    // Closing with a delay while it still slides out.
    CTKPDockingPaneAutoHideWnd* pSlide = h.Open();
    ASSERT_NE(pSlide, nullptr);
    HWND hSlide = pSlide->GetSafeHwnd();
    for (UINT_PTR nTimer : {1, 2})
        KillTimer(hSlide, nTimer);
    pSlide->SendMessage(WM_TIMER, 2, 0);
    ASSERT_EQ(pSlide->GetStep(), 1);
    h.side->CloseSlideOut(TRUE);
    KillTimer(hSlide, 4);
    ASSERT_EQ(pSlide->GetContainer(), nullptr);
    const CRect rcBefore = HostFixture::InSite(pSlide);
    pSlide->SendMessage(WM_TIMER, 2, 0);
    EXPECT_EQ(pSlide->GetStep(), 1);
    EXPECT_EQ(HostFixture::InSite(pSlide), rcBefore);
    CRect rc;
    pSlide->GetClientRect(&rc);
    DibCanvas canvas(rc.Width(), rc.Height(), RGB(1, 2, 3));
    pSlide->Draw(canvas.DC());
    EXPECT_EQ(canvas.Pixel(rc.right - 1, 10), RGB(1, 2, 3));
    EXPECT_EQ(canvas.Pixel(5, 5), RGB(1, 2, 3));
    pSlide->SendMessage(WM_TIMER, 4, 0);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hSlide); }));

    // Closing with a delay while it slides in: action 11 was sent once, with the pane.
    pSlide = h.Open();
    ASSERT_NE(pSlide, nullptr);
    hSlide = pSlide->GetSafeHwnd();
    SlideAllTheWayOut(pSlide, true);
    AwayFrom(Site());
    for (int i = 0; i < 6; ++i)
        pSlide->SendMessage(WM_TIMER, 1, 0);
    ASSERT_TRUE(pSlide->IsCollapsing());
    KillTimer(hSlide, 3);
    Site()->ClearLog();
    h.side->CloseSlideOut(TRUE);
    KillTimer(hSlide, 4);
    ASSERT_EQ(Site()->CountAction(tkpaSlidIn), 1);
    const int nStep = pSlide->GetStep();
    for (int i = 0; i < pSlide->GetStepCount() + 1 && ::IsWindow(hSlide); ++i)
        pSlide->SendMessage(WM_TIMER, 3, 0);
    EXPECT_EQ(Site()->CountAction(tkpaSlidIn), 1);
    for (const Notification& n : Site()->m_log)
        if (n.action == tkpaSlidIn)
            EXPECT_EQ(n.paneId, 1u);
    ASSERT_TRUE(::IsWindow(hSlide));
    EXPECT_EQ(pSlide->GetStep(), nStep);
    pSlide->SendMessage(WM_TIMER, 4, 0);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hSlide); }));
}

// In a right-to-left frame the window opens beside its mirrored side panel, and the dragged outline
// of its inner edge follows the cursor from where the button went down, on either side.
TEST(DockingSlideOut, RightToLeftItOpensBesideItsPanelAndTheOutlineFollowsTheCursor)
{
    RightToLeftSite rtl;
    for (int nSide : {tkdock::sideLeft, tkdock::sideRight}) {
        SCOPED_TRACE(nSide);
        Hidden h(nSide, CSize(200, 150));
        ASSERT_TRUE(h.f.host()->m_bOutlineTracking);
        CTKPDockingPaneAutoHideWnd* pSlide = h.Open();
        ASSERT_NE(pSlide, nullptr);
        ASSERT_TRUE(pSlide->GetExStyle() & WS_EX_LAYOUTRTL);
        SlideAllTheWayOut(pSlide, false);
        const int nOpened = pSlide->GetFullRect().Width();
        // It lies beside its side panel, the pane's container on the panel's side of the resize edge.
        CRect rcWindow, rcPanel, rcContainer;
        pSlide->GetWindowRect(&rcWindow);
        h.side->GetWindowRect(&rcPanel);
        h.f.ContainerOf(h.pane)->GetWindowRect(&rcContainer);
        EXPECT_EQ(rcWindow.Width(), 204);
        EXPECT_EQ(nOpened, 204);
        const BOOL bPanelOnRight = rcPanel.left >= rcWindow.right;
        EXPECT_EQ(bPanelOnRight, nSide == tkdock::sideLeft);
        EXPECT_EQ(bPanelOnRight ? rcWindow.right : rcWindow.left, bPanelOnRight ? rcPanel.left : rcPanel.right);
        EXPECT_EQ(rcContainer.Width(), 200);
        EXPECT_EQ(bPanelOnRight ? rcContainer.right : rcContainer.left, bPanelOnRight ? rcWindow.right : rcWindow.left);
        CRect rcLimits, rcEdge;
        ASSERT_TRUE(pSlide->GetResizeLimits(rcLimits, rcEdge));
        // The inner edge lies towards the frame's content; outwards is away from the window.
        const BOOL bEdgeOnLeft = rcEdge.left == rcWindow.left;
        const CPoint start = rcEdge.CenterPoint();
        const CPoint end(start.x + (bEdgeOnLeft ? -40 : 40), start.y);
        CPoint clientEnd = end, clientStart = start;
        pSlide->ScreenToClient(&clientEnd);
        pSlide->ScreenToClient(&clientStart);
        ::SetCursorPos(end.x, end.y);
        ::PostMessageW(pSlide->GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(clientEnd.x, clientEnd.y));
        ::PostMessageW(pSlide->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(clientEnd.x, clientEnd.y));
        pSlide->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(clientStart.x, clientStart.y));
        EXPECT_EQ(pSlide->GetFullRect().Width(), nOpened + 40);
        pSlide->Close(TRUE);
    }
}

TEST(DockingSlideOut, TheInnerEdgeIsDrawnInTheThemeColours)
{
    Hidden h(tkdock::sideLeft);
    CTKPDockingPaneAutoHideWnd* pSlide = h.Open();
    CTKPDockingPaneTheme* pTheme = h.f.host()->GetTheme();
    CRect rc;
    pSlide->GetClientRect(&rc);
    DibCanvas canvas(rc.Width(), rc.Height());
    pSlide->Draw(canvas.DC());
    EXPECT_EQ(canvas.Pixel(rc.right - 1, 10), pTheme->GetColor(18));
    EXPECT_EQ(canvas.Pixel(rc.right - 2, 10), pTheme->GetColor(16));
    EXPECT_EQ(canvas.Pixel(rc.right - 3, 10), pTheme->GetColor(51));
    pSlide->Close(TRUE);
}

}  // namespace
