// The host in a frame: docking on each side, tabbing, splitting, floating and docking back, the
// site's vetoes, and saved arrangements loaded back into a fresh host.
#include "DockingTestSupport.h"
#include "NamedExchange.h"

#include "DibCanvas.h"
#include "SampleDockLayout.h"
#include "SquareIcons.h"
#include "classlib/core/CMemFile.h"
#include "tests/support/win/DispatchClient.h"
#include "toolkit/base/PropExchangeRegistry.h"
#include "toolkit/common/PropExchangeArchive.h"
#include "toolkit/docking/DockingPaneMiniWnd.h"
#include "toolkit/docking/DockingPaneSideBar.h"
#include "toolkit/docking/DockingPaneSplitContainer.h"
#include "toolkit/docking/DockingPaneSplitterBar.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/docking/DockingPaneTheme.h"

#include <gtest/gtest.h>

#include <map>

using namespace docktest;

namespace {

TEST(DockingHost, WithoutSiteItIsInert)
{
    CTKPDockingPaneHost host;
    EXPECT_EQ(host.GetSafeHwnd(), (HWND)NULL);
    EXPECT_EQ(host.FindPaneById(4001), nullptr);
    host.ClosePane(nullptr);
    host.ShowPane(nullptr);
    host.RecalcLayout();
    EXPECT_EQ(host.GetArrangement(), nullptr);
}

TEST(DockingHost, PanesAreAutomationObjectsWithoutMembers)
{
    HostFixture f;
    CTKPDockablePane* pPane = f.MakePane(1, L"Files");
    EXPECT_TRUE(HandsOutADispatchWithoutMembers(pPane));
}

TEST(DockingHost, WithoutPanesTheViewKeepsTheClientArea)
{
    HostFixture f;
    EXPECT_EQ(Site()->ViewRect(), SiteClient());
    EXPECT_EQ(f.host()->FindPaneById(4001), nullptr);
    EXPECT_EQ(Dump(f.arrangement()), "S[C]");
}

TEST(DockingHost, PanesDockOnEachSideAroundTheClientArea)
{
    HostFixture f;
    CTKPDockablePane* pLeft = f.MakePane(1, L"Left");
    CTKPDockablePane* pRight = f.MakePane(2, L"Right");
    CTKPDockablePane* pTop = f.MakePane(3, L"Top");
    CTKPDockablePane* pBottom = f.MakePane(4, L"Bottom");
    f.host()->DockPane(pLeft, tkdock::sideLeft, NULL);
    f.host()->DockPane(pRight, tkdock::sideRight, NULL);
    f.host()->DockPane(pTop, tkdock::sideTop, NULL);
    f.host()->DockPane(pBottom, tkdock::sideBottom, NULL);
    f.Layout();
    EXPECT_EQ(Dump(f.arrangement()), "s[T(3*),S[T(1*),C,T(2*)],T(4*)]");

    const CRect rc = SiteClient();
    const int w = rc.Width(), h = rc.Height();
    EXPECT_EQ(HostFixture::InSite(f.ContainerOf(pTop)), CRect(0, 0, w, 150));
    EXPECT_EQ(HostFixture::InSite(f.ContainerOf(pBottom)), CRect(0, h - 150, w, h));
    EXPECT_EQ(HostFixture::InSite(f.ContainerOf(pLeft)), CRect(0, 154, 200, h - 154));
    EXPECT_EQ(HostFixture::InSite(f.ContainerOf(pRight)), CRect(w - 200, 154, w, h - 154));
    EXPECT_EQ(Site()->ViewRect(), CRect(204, 154, w - 204, h - 154));

    // Two bars in each split, between the neighbours.
    CTKPDockingPaneSplitContainer* pOuter = f.arrangement()->GetTopContainer();
    ASSERT_EQ(pOuter->GetSplitterBarCount(), 2);
    EXPECT_EQ(HostFixture::InSite(pOuter->GetSplitterBar(0)), CRect(0, 150, w, 154));
    EXPECT_EQ(HostFixture::InSite(pOuter->GetSplitterBar(1)), CRect(0, h - 154, w, h - 150));
    CTKPDockingPaneSplitContainer* pInner = pLeft->GetParentContainer()->GetParentContainer()->AsSplitContainer();
    ASSERT_EQ(pInner->GetSplitterBarCount(), 2);
    EXPECT_EQ(HostFixture::InSite(pInner->GetSplitterBar(0)), CRect(200, 154, 204, h - 154));

    // The panes' windows fill their containers below the captions.
    CRect rcPane = HostFixture::InSite(pLeft->GetPaneWindow());
    EXPECT_TRUE(::IsWindowVisible(pLeft->GetPaneWindow()));
    EXPECT_EQ(rcPane.left, 0);
    EXPECT_EQ(rcPane.right, 200);
    EXPECT_GT(rcPane.top, 154);
    EXPECT_EQ(rcPane.bottom, h - 154);
    // The sides the arrangement gives them.
    EXPECT_EQ(f.host()->GetNodeSide(pLeft), tkdock::sideLeft);
    EXPECT_EQ(f.host()->GetNodeSide(pRight), tkdock::sideRight);
    EXPECT_EQ(f.host()->GetNodeSide(pTop), tkdock::sideTop);
    EXPECT_EQ(f.host()->GetNodeSide(pBottom), tkdock::sideBottom);
}

TEST(DockingHost, PanesTabTogetherAndSplitBesideANeighbour)
{
    HostFixture f;
    CTKPDockablePane* p1 = f.MakePane(1, L"Files");
    CTKPDockablePane* p2 = f.MakePane(2, L"Found\nFound items");
    CTKPDockablePane* p3 = f.MakePane(3, L"Log");
    f.host()->DockPane(p1, tkdock::sideLeft, NULL);
    f.host()->AttachNode(p2, p1);
    f.host()->DockPane(p3, tkdock::sideBottom, p1);
    f.Layout();
    EXPECT_EQ(Dump(f.arrangement()), "S[s[T(1,2*),T(3*)],C]");

    CTKPDockingPaneTabbedContainer* pTabs = f.ContainerOf(p1);
    EXPECT_TRUE(pTabs->IsTabsVisible());
    EXPECT_FALSE(f.ContainerOf(p3)->IsTabsVisible());
    ASSERT_EQ(pTabs->GetTabStrip()->GetItemCount(), 2);
    EXPECT_EQ(pTabs->GetTabStrip()->GetItem(1)->GetCaption(), CString(L"Found items"));
    EXPECT_EQ(pTabs->GetTabStrip()->GetItem(1)->GetTooltip(), CString(L"Found"));
    EXPECT_EQ(pTabs->GetTitle(), CString(L"Found"));
    // Only the selected pane shows, between the caption and the tab row.
    EXPECT_TRUE(::IsWindowVisible(p2->GetPaneWindow()));
    EXPECT_FALSE(::IsWindowVisible(p1->GetPaneWindow()));
    const CRect rcContainer = HostFixture::InSite(pTabs);
    const CRect rcPane = HostFixture::InSite(p2->GetPaneWindow());
    EXPECT_GT(rcPane.top, rcContainer.top);
    EXPECT_LT(rcPane.bottom, rcContainer.bottom - 10);
    // The split of the two containers is vertical, the split with the client horizontal.
    EXPECT_EQ(HostFixture::InSite(pTabs).right, 200);
    EXPECT_EQ(HostFixture::InSite(f.ContainerOf(p3)).top, HostFixture::InSite(pTabs).bottom + 4);
}

// The place a drag shows for a dock is the place the pane then gets, whether it splits the client
// area, goes beside the whole arrangement or joins the split that holds the client area.
TEST(DockingHost, ThePreviewOfADockIsThePlaceThePaneGets)
{
    struct Case {
        const char* name;
        int side;
        bool besideClient;  // the neighbour is the client node, else the whole arrangement
    };
    const Case cases[] = {
        {"client area's top edge", tkdock::sideTop, true},
        {"client area's right edge", tkdock::sideRight, true},
        {"frame's bottom edge", tkdock::sideBottom, false},
        {"frame's left edge", tkdock::sideLeft, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HostFixture f;
        CTKPDockablePane* pDocked = f.MakePane(1, L"Files");
        f.host()->DockPane(pDocked, tkdock::sideLeft, NULL);
        f.Layout();
        CTKPDockablePane* pPane = f.MakePane(2, L"Log", CSize(180, 120));
        CTKPDockingNode* pNeighbour = c.besideClient ? f.host()->GetClientNode() : NULL;
        CRect rcPreview;
        f.host()->CalcDockingRect(&rcPreview, pPane, c.side, pNeighbour);
        f.host()->DockPane(pPane, c.side, pNeighbour);
        f.Layout();
        CRect rcDocked;
        f.ContainerOf(pPane)->GetWindowRect(&rcDocked);
        EXPECT_EQ(rcPreview, rcDocked);
        EXPECT_EQ(tkdock::IsHorizontalSide(c.side) ? rcDocked.Width() : rcDocked.Height(),
            tkdock::IsHorizontalSide(c.side) ? 180 : 120);
    }
}

TEST(DockingHost, APaneFloatsAndDocksBackIntoItsContainer)
{
    HostFixture f;
    CTKPDockablePane* p1 = f.MakePane(1, L"Files");
    CTKPDockablePane* p2 = f.MakePane(2, L"Found");
    f.host()->DockPane(p1, tkdock::sideLeft, NULL);
    f.host()->AttachNode(p2, p1);
    f.Layout();
    CTKPDockingPaneTabbedContainer* pDocked = f.ContainerOf(p1);
    const CRect rcBefore = HostFixture::InSite(pDocked);

    Site()->ClearLog();
    f.host()->ToggleDocking(p2);
    f.Layout();
    EXPECT_EQ(Dump(f.arrangement()), "S[T(1*),C] FS[T(2*)]");
    EXPECT_EQ(Site()->CountAction(tkpaFloating), 1);
    EXPECT_EQ(Site()->CountAction(tkpaFloated), 1);
    CTKPDockingPaneMiniWnd* pMini = dynamic_cast<CTKPDockingPaneMiniWnd*>(p2->GetSite());
    ASSERT_NE(pMini, nullptr);
    EXPECT_TRUE(pMini->IsWindowVisible());
    EXPECT_TRUE(::IsWindowVisible(p2->GetPaneWindow()));
    EXPECT_EQ(::GetParent(f.ContainerOf(p2)->GetSafeHwnd()), pMini->GetSafeHwnd());
    EXPECT_FALSE(pDocked->IsTabsVisible());

    // Back to the container it floated from: the holder.
    Site()->ClearLog();
    f.host()->ToggleDocking(p2);
    f.Layout();
    EXPECT_EQ(Dump(f.arrangement()), "S[T(1,2*),C]");
    EXPECT_EQ(f.ContainerOf(p2), pDocked);
    EXPECT_EQ(Site()->CountAction(tkpaDocking), 1);
    EXPECT_EQ(Site()->CountAction(tkpaDocked), 1);
    EXPECT_EQ(HostFixture::InSite(pDocked), rcBefore);
    EXPECT_FALSE(pMini->IsWindowVisible());

    // And out again: to the floating window it was in.
    f.host()->ToggleDocking(p2);
    EXPECT_EQ(dynamic_cast<CTKPDockingPaneMiniWnd*>(p2->GetSite()), pMini);
}

TEST(DockingHost, WholeContainersFloatAndComeBack)
{
    HostFixture f;
    CTKPDockablePane* p1 = f.MakePane(1, L"Files");
    CTKPDockablePane* p2 = f.MakePane(2, L"Found");
    f.host()->DockPane(p1, tkdock::sideRight, NULL);
    f.host()->AttachNode(p2, p1);
    f.Layout();
    f.host()->ToggleDocking(f.ContainerOf(p1));
    f.Layout();
    EXPECT_EQ(Dump(f.arrangement()), "S[C] FS[T(1,2*)]");
    f.host()->ToggleDocking(f.ContainerOf(p1));
    f.Layout();
    EXPECT_EQ(Dump(f.arrangement()), "S[C,T(1,2*)]");
    EXPECT_EQ(f.host()->FindPaneById(2)->IsSelected(), TRUE);
}

TEST(DockingHost, PanesThatWereNeverDockedStayInTheirFloatingWindow)
{
    HostFixture f;
    CTKPDockablePane* p[3] = {f.MakePane(1, L"Files"), f.MakePane(2, L"Found"), f.MakePane(3, L"Log")};
    f.host()->FloatNode(p[0], CRect(500, 300, 720, 480));
    f.host()->AttachNode(p[1], p[0]);
    f.host()->AttachNode(p[2], p[0]);
    f.Layout();
    const std::string before = Dump(f.arrangement());
    ASSERT_EQ(before, "S[C] FS[T(1,2,3*)]");
    CTKPDockingPaneMiniWnd* pMini = dynamic_cast<CTKPDockingPaneMiniWnd*>(p[0]->GetSite());
    ASSERT_NE(pMini, nullptr);

    // The whole window (a double click on its caption), one container, one pane: no dock to go to,
    // so nothing moves and the site hears of no docking.
    Site()->ClearLog();
    pMini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(510, 305));
    f.host()->ToggleDocking(f.ContainerOf(p[1]));
    f.host()->ToggleDocking(p[1]);
    f.Layout();
    EXPECT_EQ(Dump(f.arrangement()), before);
    EXPECT_EQ(Site()->CountAction(tkpaDocking), 0);
    EXPECT_EQ(Site()->CountAction(tkpaDocked), 0);
    EXPECT_FALSE(f.host()->MovePaneToHolder(p[1], NULL));
    EXPECT_EQ(p[0]->GetSite(), pMini);
}

TEST(DockingHost, VetoedActionsChangeNothing)
{
    HostFixture f;
    CTKPDockablePane* p1 = f.MakePane(1, L"Files");
    f.host()->DockPane(p1, tkdock::sideLeft, NULL);
    f.Layout();
    const std::string before = Dump(f.arrangement());

    Site()->m_actionAnswers[tkpaFloating] = 1;
    EXPECT_FALSE(f.host()->MovePaneToHolder(p1, NULL));
    f.host()->ToggleDocking(p1);
    EXPECT_EQ(Dump(f.arrangement()), before);

    // A site answering -1 to the closing notification keeps the pane.
    Site()->m_closeAnswer = -1;
    f.host()->ClosePane(p1);
    EXPECT_FALSE(p1->IsClosed());
    Site()->m_closeAnswer = 0;

    // Panes that may not float stay docked whatever asks them to float.
    Site()->m_actionAnswers.clear();
    p1->SetOptions(tkpoNoFloat);
    f.host()->ToggleDocking(p1);
    EXPECT_EQ(Dump(f.arrangement()), before);
    p1->SetOptions(0);
    f.host()->m_dwDefaultPaneOptions = tkpoNoFloat;
    EXPECT_FALSE(f.host()->MovePaneToHolder(p1, NULL));
    f.host()->m_dwDefaultPaneOptions = 0;

    // The close button asks first (action 2) and reports after (action 3).
    Site()->ClearLog();
    Site()->m_actionAnswers[tkpaClosing] = 1;
    CTKPDockingPaneTabbedContainer* pContainer = f.ContainerOf(p1);
    pContainer->OnCaptionButtonClick(pContainer->FindCaptionButton(tkpcbClose));
    EXPECT_FALSE(p1->IsClosed());
    EXPECT_EQ(Site()->CountAction(tkpaClosed), 0);
    Site()->m_actionAnswers.clear();
    pContainer->OnCaptionButtonClick(pContainer->FindCaptionButton(tkpcbClose));
    EXPECT_TRUE(p1->IsClosed());
    EXPECT_EQ(Site()->CountAction(tkpaClosed), 1);

    // Shown again, it goes back to the container it was last in, and the site hears of it.
    Site()->ClearLog();
    f.host()->ShowPane(p1);
    EXPECT_EQ(Site()->CountCode(tkpdnPaneShown), 1);
    f.Layout();
    EXPECT_EQ(Dump(f.arrangement()), before);
    // A pane never docked has nowhere to go back to: it stays closed, hidden and unreported.
    CTKPDockablePane* pLoose = f.MakePane(9, L"Loose");
    Site()->ClearLog();
    f.host()->ShowPane(pLoose);
    EXPECT_TRUE(pLoose->IsClosed());
    EXPECT_EQ(Site()->CountCode(tkpdnPaneShown), 0);
    EXPECT_FALSE(::GetWindowLongW(pLoose->GetPaneWindow(), GWL_STYLE) & WS_VISIBLE);
}

TEST(DockingHost, ActivePaneIsReportedOnce)
{
    HostFixture f;
    CTKPDockablePane* p1 = f.MakePane(1, L"Files");
    CTKPDockablePane* p2 = f.MakePane(2, L"Found");
    Site()->ClearLog();
    f.host()->SetActivePane(TRUE, p1);
    f.host()->SetActivePane(TRUE, p1);
    EXPECT_EQ(Site()->CountAction(tkpaActivated), 1);
    f.host()->SetActivePane(FALSE, p2);
    EXPECT_EQ(Site()->CountAction(tkpaDeactivated), 0);
    EXPECT_EQ(f.host()->GetActivePane(), p1);
    f.host()->SetActivePane(TRUE, p2);
    EXPECT_EQ(Site()->CountAction(tkpaDeactivated), 1);
    EXPECT_EQ(f.host()->GetActivePane(), p2);
    // The host's reference keeps the pane alive while it is active.
    const long nRefs = p2->GetRefCount();
    f.host()->SetActivePane(FALSE, p2);
    EXPECT_EQ(p2->GetRefCount(), nRefs - 1);
}

TEST(DockingHost, RightToLeftFramesMirrorLeftAndRight)
{
    HostFixture f;
    EXPECT_EQ(f.host()->MirrorDirection(tkdock::sideLeft), tkdock::sideLeft);
    RightToLeftSite rtl;
    EXPECT_EQ(f.host()->MirrorDirection(tkdock::sideLeft), tkdock::sideRight);
    EXPECT_EQ(f.host()->MirrorDirection(tkdock::sideRight), tkdock::sideLeft);
    EXPECT_EQ(f.host()->MirrorDirection(tkdock::sideTop), tkdock::sideTop);
    EXPECT_EQ(f.host()->MirrorDirection(tkdock::sideBottom), tkdock::sideBottom);
}

// The arrangement used by the persistence tests: tabs, a nested split, a floating window and a
// hidden pane at the bottom.
void BuildRichLayout(HostFixture& f)
{
    CTKPDockablePane* p1 = f.MakePane(11, L"Files");
    CTKPDockablePane* p2 = f.MakePane(12, L"Found");
    CTKPDockablePane* p3 = f.MakePane(13, L"Log");
    CTKPDockablePane* p4 = f.MakePane(14, L"Preview");
    CTKPDockablePane* p5 = f.MakePane(15, L"Output");
    p2->SetTabColor(0x1000005);
    p2->SetHelpId(77);
    p2->SetOptions(tkpoMenuButton);
    f.host()->DockPane(p1, tkdock::sideLeft, NULL);
    f.host()->AttachNode(p2, p1);
    f.host()->DockPane(p3, tkdock::sideBottom, p1);
    f.host()->DockPane(p4, tkdock::sideRight, NULL);
    f.host()->DockPane(p5, tkdock::sideBottom, NULL);
    f.Layout();
    f.host()->ToggleDocking(p4);
    f.host()->HidePane(p5);
    f.Layout();
}

TEST(DockingPersistence, ArchiveRoundTripGivesTheSameArrangement)
{
    HostFixture f;
    BuildRichLayout(f);
    const std::string saved = Dump(f.arrangement());
    EXPECT_EQ(saved, "s[S[s[T(11,12*),T(13*)],C]] FS[T(14*)] |b:T(15*)");
    const std::vector<BYTE> bytes = SaveArchive(f.host());

    CTKPDockingPaneHost fresh;
    ASSERT_TRUE(LoadArchive(&fresh, bytes));
    EXPECT_EQ(Dump(fresh.GetArrangement()), saved);
    CTKPDockablePane* p2 = fresh.FindPaneById(12);
    ASSERT_NE(p2, nullptr);
    EXPECT_EQ(p2->GetFullTitle(), CString(L"Found"));
    EXPECT_EQ(p2->GetOwnTabColor(), 0x1000005u);
    EXPECT_EQ(p2->GetHelpId(), 77u);
    EXPECT_EQ(p2->GetOptions(), static_cast<DWORD>(tkpoMenuButton));
    EXPECT_TRUE(fresh.IsPaneAutoHidden(fresh.FindPaneById(15)));
    // Holders come back: the floated pane docks where it came from.
    CTKPDockingPaneArrangement* pLoaded = fresh.GetArrangement();
    TKPDockingPaneEntry* pEntry = pLoaded->FindPaneEntry(fresh.FindPaneById(14));
    ASSERT_NE(pEntry, nullptr);
    EXPECT_NE(pEntry->pDockingHolder, nullptr);
    EXPECT_NE(pEntry->pFloatingHolder, nullptr);

    // The loaded arrangement saves to the same bytes.
    EXPECT_EQ(SaveArchive(&fresh), bytes);
}

TEST(DockingPersistence, RegistryRoundTripAndTheLiveArrangementAfterLoading)
{
    const wchar_t* kKey = L"Software\\MorvickTests\\DockingLayout";
    std::string saved;
    {
        HostFixture f;
        BuildRichLayout(f);
        saved = Dump(f.arrangement());
        CTKPPropExchangeRegistry px(FALSE, HKEY_CURRENT_USER, kKey);
        f.host()->SaveState(&px);
    }
    // One host per frame: the first is gone before the second loads.
    HostFixture g;
    {
        CTKPPropExchangeRegistry px(TRUE, HKEY_CURRENT_USER, kKey);
        ASSERT_TRUE(g.host()->LoadState(&px));
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\MorvickTests");
    EXPECT_EQ(Dump(g.arrangement()), saved);
    // Loaded panes have no windows; the program gives them theirs by id.
    CTKPDockablePane* p1 = g.host()->FindPaneById(11);
    ASSERT_NE(p1, nullptr);
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"Files", WS_CHILD, 0, 0, 10, 10, Site()->GetSafeHwnd(), nullptr,
        GetModuleHandleW(nullptr), nullptr);
    g.m_paneWindows.push_back(hWnd);
    p1->SetPaneWindow(hWnd);
    g.host()->ShowPane(p1);
    g.Layout();
    EXPECT_TRUE(::IsWindowVisible(hWnd));
    EXPECT_EQ(::GetParent(hWnd), g.ContainerOf(p1)->GetSafeHwnd());
    EXPECT_EQ(HostFixture::InSite(g.ContainerOf(p1)).left, 0);
}

TEST(DockingPersistence, ASavedLayoutOpensAsTheWindowsItDescribes)
{
    const CTKPDockLayout sample = docksample::SampleLayout();
    ASSERT_TRUE(sample.Validate());
    CNamedExchange::Values values;
    {
        CNamedExchange px(values, FALSE);
        sample.Save(&px);
    }
    HostFixture g;
    g.host()->m_bThemedFloatingFrames = TRUE;
    {
        CNamedExchange px(values, TRUE);
        ASSERT_TRUE(g.host()->LoadState(&px));
    }
    EXPECT_EQ(Dump(g.arrangement()), "S[T(100,101*),s[C,T(102*)]] Fs[T(103*)] |b:T(104*)");
    // The program gives the panes their windows by id; the selected ones show.
    std::map<UINT, HWND> windows;
    for (UINT id : {100u, 101u, 102u, 103u, 104u}) {
        CTKPDockablePane* p = g.host()->FindPaneById(id);
        ASSERT_NE(p, nullptr) << id;
        HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, Site()->GetSafeHwnd(), nullptr,
            GetModuleHandleW(nullptr), nullptr);
        g.m_paneWindows.push_back(hWnd);
        p->SetPaneWindow(hWnd);
        windows[id] = hWnd;
    }
    g.Layout();
    PumpPending();
    // Left: the two-tab container showing "Found"; right of it the view above the log.
    CTKPDockingPaneTabbedContainer* pLeft = g.ContainerOf(g.host()->FindPaneById(101));
    CTKPDockingPaneTabbedContainer* pLog = g.ContainerOf(g.host()->FindPaneById(102));
    ASSERT_TRUE(pLeft && pLog);
    EXPECT_TRUE(pLeft->IsWindowVisible());
    EXPECT_TRUE(pLog->IsWindowVisible());
    EXPECT_TRUE(::IsWindowVisible(windows[101]));
    EXPECT_FALSE(::IsWindowVisible(windows[100]));
    EXPECT_TRUE(::IsWindowVisible(windows[102]));
    const CRect rcLeft = HostFixture::InSite(pLeft), rcLog = HostFixture::InSite(pLog), rcView = Site()->ViewRect();
    EXPECT_EQ(rcLeft.left, 0);
    EXPECT_EQ(rcLeft.Width(), 180);
    EXPECT_GE(rcView.left, rcLeft.right);
    EXPECT_GE(rcLog.top, rcView.bottom);
    EXPECT_EQ(rcLog.left, rcView.left);
    // The floating window, rolled up to its caption where it was saved.
    CTKPDockingPaneTabbedContainer* pFloating = g.ContainerOf(g.host()->FindPaneById(103));
    ASSERT_NE(pFloating, nullptr);
    CTKPDockingPaneMiniWnd* pMini = dynamic_cast<CTKPDockingPaneMiniWnd*>(pFloating->GetNodeSite());
    ASSERT_NE(pMini, nullptr);
    EXPECT_TRUE(pMini->IsWindowVisible());
    CRect rcMini;
    pMini->GetWindowRect(&rcMini);
    EXPECT_EQ(rcMini.TopLeft(), CPoint(300, 200));
    EXPECT_EQ(rcMini.Height(), g.host()->GetTheme()->m_nCaptionHeight + 8);
    // The hidden pane's tab in the bottom panel, along the frame's bottom below the log.
    CTKPDockingPaneSideBar* pBottom = g.arrangement()->GetSideBar(3);
    ASSERT_NE(pBottom, nullptr);
    EXPECT_TRUE(pBottom->IsWindowVisible());
    EXPECT_FALSE(::IsWindowVisible(windows[104]));
    const CRect rcBottom = HostFixture::InSite(pBottom);
    EXPECT_EQ(rcBottom.bottom, SiteClient().bottom);
    EXPECT_GE(rcBottom.top, rcLog.bottom);
}

TEST(DockingPersistence, DamagedLayoutsAreRefusedAndTheArrangementKept)
{
    HostFixture f;
    BuildRichLayout(f);
    const std::string before = Dump(f.arrangement());
    CTKPDockingPaneArrangement* pBefore = f.arrangement();
    const std::vector<BYTE> bytes = SaveArchive(f.host());

    // Cut short at several places.
    for (size_t cut : {size_t(0), size_t(8), bytes.size() / 2, bytes.size() - 4}) {
        SCOPED_TRACE(cut);
        EXPECT_FALSE(LoadArchive(f.host(), std::vector<BYTE>(bytes.begin(), bytes.begin() + cut)));
        EXPECT_EQ(f.arrangement(), pBefore);
        EXPECT_EQ(Dump(f.arrangement()), before);
    }
    // Whole layouts whose structure is wrong: the root a pane, a pane in two containers.
    CNamedExchange::Values values;
    {
        CNamedExchange px(values, FALSE);
        f.host()->SaveState(&px);
    }
    // The id of a pane's node.
    int nPane = 1;
    while (CNamedExchange::Int(values, L"Pane-" + std::to_wstring(nPane) + L"/Type") != tkdock::nodePane)
        ++nPane;
    for (const auto& damage :
        std::vector<std::pair<std::wstring, std::wstring>>{{L"Summary/TopContainer", std::to_wstring(nPane)},
            {L"Summary/Client", L"2"}, {L"Pane-1/Type", L"9"}}) {
        CNamedExchange::Values damaged = values;
        damaged[damage.first] = damage.second;
        CNamedExchange px(damaged, TRUE);
        EXPECT_FALSE(f.host()->LoadState(&px));
        EXPECT_EQ(f.arrangement(), pBefore);
        EXPECT_EQ(Dump(f.arrangement()), before);
    }
    f.Layout();
    EXPECT_TRUE(::IsWindowVisible(f.ContainerOf(f.host()->FindPaneById(11))->GetSafeHwnd()));
}

TEST(DockingPersistence, ALayoutThatCannotBeBuiltLeavesTheArrangementAsItWas)
{
    const CTKPDockLayout sample = docksample::SampleLayout();
    CNamedExchange::Values values;
    {
        CNamedExchange px(values, FALSE);
        sample.Save(&px);
    }
    HostFixture f;
    // A host that makes no side panels: a layout that passes every check but holds one cannot be built.
    f.m_host.reset(new CFactoryHost([](int nType, CTKPDockingPaneArrangement*, bool& bHandled) {
        bHandled = nType == tkdock::nodeSideBar;
        return static_cast<CTKPDockingNode*>(nullptr);
    }));
    ASSERT_TRUE(f.host()->InstallSite(Site()));
    CTKPDockablePane* p1 = f.MakePane(11, L"Files");
    CTKPDockablePane* p2 = f.MakePane(12, L"Log");
    f.host()->DockPane(p1, tkdock::sideLeft, NULL);
    f.host()->DockPane(p2, tkdock::sideBottom, NULL);
    f.Layout();
    const std::string before = Dump(f.arrangement());
    ASSERT_EQ(before, "s[S[T(11*),C],T(12*)]");
    {
        CNamedExchange px(values, TRUE);
        EXPECT_FALSE(f.arrangement()->DoPropExchange(&px));
    }
    EXPECT_EQ(Dump(f.arrangement()), before);
    EXPECT_EQ(f.host()->FindPaneById(11), p1);
    EXPECT_EQ(f.host()->FindPaneById(100), nullptr);
    f.Layout();
    EXPECT_TRUE(::IsWindowVisible(p1->GetPaneWindow()));
    EXPECT_TRUE(::IsWindowVisible(p2->GetPaneWindow()));
    EXPECT_EQ(HostFixture::InSite(f.ContainerOf(p1)).Width(), 200);
    // A layout that can be built replaces it whole.
    const CTKPDockLayout plain = [] {
        CTKPDockLayout l = docksample::SampleLayout();
        l.m_nodes.pop_back();
        l.m_nodes.pop_back();
        l.m_nodes.pop_back();
        return l;
    }();
    ASSERT_TRUE(plain.Validate());
    CNamedExchange::Values plainValues;
    {
        CNamedExchange px(plainValues, FALSE);
        plain.Save(&px);
    }
    {
        CNamedExchange px(plainValues, TRUE);
        EXPECT_TRUE(f.arrangement()->DoPropExchange(&px));
    }
    EXPECT_EQ(Dump(f.arrangement()), "S[T(100,101*),s[C,T(102*)]] Fs[T(103*)]");
    EXPECT_EQ(f.host()->FindPaneById(11), nullptr);
}

TEST(DockingPersistence, SavingDropsContainersNoPaneNeedsAndKeepsHolders)
{
    HostFixture f;
    CTKPDockablePane* p1 = f.MakePane(1, L"Files");
    CTKPDockablePane* p2 = f.MakePane(2, L"Found");
    f.host()->DockPane(p1, tkdock::sideLeft, NULL);
    f.host()->DockPane(p2, tkdock::sideLeft, NULL);
    f.Layout();
    // p2 moves into p1's container: its own container is left empty but stays its docking holder.
    f.host()->AttachNode(p2, p1);
    // A holder that is no more: the pane's entry forgets it and the empty container goes.
    TKPDockingPaneEntry* pEntry = f.arrangement()->FindPaneEntry(p2);
    CTKPDockingNode* pOldHolder = pEntry->pLastHolder;
    ASSERT_NE(pOldHolder, nullptr);
    EXPECT_EQ(pOldHolder, f.ContainerOf(p1));
    const INT_PTR nBefore = f.arrangement()->GetNodeList().GetCount();
    SaveArchive(f.host());
    EXPECT_LT(f.arrangement()->GetNodeList().GetCount(), nBefore);
    for (POSITION pos = f.arrangement()->GetPaneList().GetHeadPosition(); pos != NULL;) {
        const TKPDockingPaneEntry& e = f.arrangement()->GetPaneList().GetNext(pos);
        for (CTKPDockingNode* pHolder : {e.pDockingHolder, e.pFloatingHolder, e.pLastHolder}) {
            if (pHolder) {
                EXPECT_NE(f.arrangement()->GetNodeList().Find(pHolder), (POSITION)NULL);
            }
        }
    }
    EXPECT_EQ(Dump(f.arrangement()), "S[T(1,2*),C]");
}

}  // namespace

namespace {

// A pane window that names its tab colour.
LRESULT CALLBACK TabColorWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == TKPWM_GETTABCOLOR)
        return RGB(10, 200, 30);
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

TEST(DockingPane, TitlesIconsAndTabColours)
{
    HostFixture f;
    CTKPDockablePane* p = f.MakePane(10, L"Found Files\nFound");
    EXPECT_EQ(p->GetTitle(), CString(L"Found Files"));
    EXPECT_EQ(p->GetTabCaption(), CString(L"Found"));
    p->SetTitle(L"Log");
    EXPECT_EQ(p->GetTitle(), CString(L"Log"));
    EXPECT_EQ(p->GetTabCaption(), CString(L"Log"));
    // Automatic colours: one of the eight tab colour indexes by id, whatever the id.
    EXPECT_EQ(p->GetTabColor(), TKP_TAB_COLOR_INDEX + 2);
    p->SetId(static_cast<UINT>(-3));
    EXPECT_GE(p->GetTabColor(), TKP_TAB_COLOR_INDEX);
    EXPECT_LT(p->GetTabColor(), TKP_TAB_COLOR_INDEX + 8);
    p->SetTabColor(RGB(1, 2, 3));
    EXPECT_EQ(p->GetTabColor(), RGB(1, 2, 3));
    // The window's answer comes before the automatic colour.
    WNDCLASSW wc = {};
    wc.lpfnWndProc = TabColorWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MorvickTabColorPane";
    RegisterClassW(&wc);
    CTKPDockablePane* q = f.MakePane(11, L"Preview");
    HWND hWnd = ::CreateWindowExW(0, L"MorvickTabColorPane", L"", WS_CHILD, 0, 0, 10, 10, f.host()->GetSafeHwnd(),
        nullptr, GetModuleHandleW(nullptr), nullptr);
    f.m_paneWindows.push_back(hWnd);
    q->SetPaneWindow(hWnd);
    EXPECT_EQ(q->GetTabColor(), RGB(10, 200, 30));
    // Track sizes default to 32000.
    EXPECT_EQ(q->GetMaxTrackSize(), CSize(32000, 32000));
}

TEST(DockingPane, ATabShowsTheIconOfThePanesIdUntilThePaneNamesAnother)
{
    HostFixture f;
    AddSquareIcons(f.host()->GetImageManager(), {{1, RGB(220, 30, 30)}, {50, RGB(30, 30, 220)}});
    CTKPDockablePane* p1 = f.MakePane(1, L"Files");
    CTKPDockablePane* p2 = f.MakePane(2, L"Found");
    f.host()->DockPane(p1, tkdock::sideLeft, NULL);
    f.host()->AttachNode(p2, p1);
    f.Layout();
    CTKPDockingPaneTabbedContainer* c = f.ContainerOf(p1);
    // The pixels of a colour in each tab of the container as it paints.
    auto countInTab = [&](int nTab, COLORREF clr) {
        CRect rc;
        c->GetClientRect(&rc);
        DibCanvas canvas(rc.Width(), rc.Height(), RGB(255, 0, 255));
        c->Draw(canvas.DC());
        const CRect rcTab = c->GetTabStrip()->GetItem(nTab)->GetRect();
        int n = 0;
        for (int y = std::max(0L, rcTab.top); y < std::min(rc.bottom, rcTab.bottom); ++y)
            for (int x = std::max(0L, rcTab.left); x < std::min(rc.right, rcTab.right); ++x)
                n += ColorNear(canvas.Pixel(x, y), clr, 8) ? 1 : 0;
        return n;
    };
    const COLORREF red = RGB(220, 30, 30), blue = RGB(30, 30, 220);
    // Pane 1 names no icon: its tab shows the one under its id. Pane 2 has none under its id.
    EXPECT_GE(countInTab(0, red), 9);
    EXPECT_EQ(countInTab(1, red) + countInTab(1, blue), 0);
    p1->SetIconId(50);
    f.Layout();
    EXPECT_EQ(countInTab(0, red), 0);
    EXPECT_GE(countInTab(0, blue), 9);
}

TEST(DockingPane, ShowingAHiddenPaneSlidesItOutAndHidingAgainClosesIt)
{
    HostFixture f;
    CTKPDockablePane* p = f.MakePane(1, L"Properties");
    CTKPDockingPaneSideBar* pSide = f.DockHidden(tkdock::sideRight, p);
    ASSERT_NE(pSide, nullptr);
    Site()->ClearLog();
    f.host()->ShowPane(p, FALSE);
    ASSERT_NE(pSide->GetSlideOut(), nullptr);
    EXPECT_EQ(Site()->CountAction(tkpaSlidingOut), 1);
    f.host()->HidePane(p);
    EXPECT_EQ(pSide->GetSlideOut(), nullptr);
    EXPECT_TRUE(f.host()->IsPaneAutoHidden(p));
}

TEST(DockingPersistence, PanesNoContainerEverHeldSaveAndLoadAlongTheOthers)
{
    HostFixture f;
    BuildRichLayout(f);
    f.MakePane(16, L"Never shown");
    const std::string saved = Dump(f.arrangement());
    const std::vector<BYTE> bytes = SaveArchive(f.host());
    CTKPDockingPaneHost fresh;
    ASSERT_TRUE(LoadArchive(&fresh, bytes));
    EXPECT_EQ(Dump(fresh.GetArrangement()), saved);
    ASSERT_NE(fresh.FindPaneById(16), nullptr);
    EXPECT_TRUE(fresh.IsPaneClosed(fresh.FindPaneById(16)));
    EXPECT_EQ(fresh.FindPaneById(15)->GetFullTitle(), CString(L"Output"));
}

}  // namespace
