// The MDI tab client over a multiple-document frame: tabs follow the child frames (created, renamed,
// activated from the Window menu, closed), a click on a tab activates its child, closing a child
// activates a neighbour, groups with the workspace commands and their splitters, the command bars'
// layout refreshing the client, and the painting of the themes.
#include <gtest/gtest.h>

#include "tests/classlib/gdi/DibSurface.h"
#include "tests/support/win/InputSupport.h"
#include "tests/toolkit/commandbars/MdiTabTestSupport.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/tabs/TabAppearance.h"
#include "toolkit/tabs/TabColorSet.h"
#include "toolkit/tabs/TabTheme.h"

using morvick::test::PumpPending;

namespace {

// Records what the update handlers say of a command.
class CRecordingCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    BOOL m_bEnabled = -1;
};

class MdiTabClientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new CTabsMdiFrame;
        ASSERT_TRUE(m_pFrame->CreateFrame(CRect(100, 100, 740, 540), TRUE, UseGroups()));
    }
    void TearDown() override
    {
        if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->DestroyWindow();
        PumpPending();
    }
    virtual BOOL UseGroups() const { return FALSE; }

    CTKPTabClientWnd& Client() { return m_pFrame->m_tabClient; }
    CTKPTabClientWorkspace* Group(int n) { return Client().GetWorkspace(n); }
    HWND Active() const { return m_pFrame->MDIGetActiveHandle(); }
    // The tab of a child frame.
    CTKPTabManagerItem* TabOf(CWnd* pChild) { return Client().FindTab(pChild->GetSafeHwnd()); }
    BOOL UpdateEnables(UINT nID)
    {
        CRecordingCmdUI ui;
        ui.m_nID = nID;
        ui.DoUpdate(m_pFrame, TRUE);
        return ui.m_bEnabled;
    }

    CTabsMdiFrame* m_pFrame = nullptr;
};

class MdiTabGroupsTest : public MdiTabClientTest {
protected:
    BOOL UseGroups() const override { return TRUE; }
    // Makes the MDI client's client area nWidth pixels wide.
    void SetClientWidth(int nWidth)
    {
        CRect rcClient;
        Client().GetClientRect(&rcClient);
        CRect rcFrame;
        m_pFrame->GetWindowRect(&rcFrame);
        m_pFrame->SetWindowPos(NULL, 0, 0, rcFrame.Width() + nWidth - rcClient.Width(), rcFrame.Height(),
            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        PumpPending();
        Client().GetClientRect(&rcClient);
        ASSERT_EQ(nWidth, rcClient.Width());
    }
    CRect ChildPlace(CWnd* pChild)
    {
        CRect rc;
        pChild->GetWindowRect(&rc);
        Client().ScreenToClient(&rc);
        return rc;
    }
};

}  // namespace

// Tabs are made, renamed, selected and removed as the children come, change and go; the row stands
// above the MDI client only while it has tabs.
TEST_F(MdiTabClientTest, TabsFollowTheChildFrames)
{
    const CRect rcBare = m_pFrame->GetClientPlace();
    EXPECT_EQ(0, Client().GetWorkspaceCount());

    CMDIChildWnd* pAlpha = m_pFrame->AddChild(L"Alpha");
    CMDIChildWnd* pBeta = m_pFrame->AddChild(L"Beta");
    CMDIChildWnd* pGamma = m_pFrame->AddChild(L"Gamma");
    ASSERT_TRUE(pAlpha && pBeta && pGamma);
    ASSERT_EQ(1, Client().GetWorkspaceCount());
    EXPECT_EQ(CString(L"Alpha|Beta|Gamma"), TabCaptions(Group(0)));
    EXPECT_EQ(pGamma->GetSafeHwnd(), Group(0)->GetSelectedItem()->GetHandle());
    EXPECT_TRUE(Group(0)->IsActive());

    // The MDI client moved below the tabs, which lie in the tab-row window above it.
    const CRect rcPlace = m_pFrame->GetClientPlace();
    EXPECT_GT(rcPlace.top, rcBare.top);
    CRect rcTab = TabOf(pBeta)->GetRect();
    Client().GetTabRowWnd()->MapWindowPoints(m_pFrame, &rcTab);
    EXPECT_LE(rcTab.bottom, rcPlace.top);
    EXPECT_GE(rcTab.top, rcBare.top);

    // Renamed: the caption follows at the next idle pass.
    pBeta->SetWindowText(L"Beta (changed)");
    m_pFrame->RunIdle();
    EXPECT_EQ(CString(L"Alpha|Beta (changed)|Gamma"), TabCaptions(Group(0)));

    // Activated from the Window menu's list of windows (the system numbers them from 0xFF00).
    m_pFrame->SendMessage(WM_COMMAND, ::GetDlgCtrlID(pAlpha->GetSafeHwnd()), 0);
    EXPECT_EQ(pAlpha->GetSafeHwnd(), Active());
    EXPECT_EQ(TabOf(pAlpha), Group(0)->GetSelectedItem());

    // Closed: its tab goes; without children the row gives the MDI client its whole place back.
    pGamma->MDIDestroy();
    EXPECT_EQ(CString(L"Alpha|Beta (changed)"), TabCaptions(Group(0)));
    pAlpha->MDIDestroy();
    pBeta->MDIDestroy();
    EXPECT_EQ(0, Client().GetWorkspaceCount());
    EXPECT_EQ(rcBare, m_pFrame->GetClientPlace());
}

// Closing the active child activates the child of the next tab, or of the one before when it was
// the last; a child closed in the background leaves the active child as it is.
TEST_F(MdiTabClientTest, ClosingTheActiveChildActivatesANeighbour)
{
    CMDIChildWnd* pAlpha = m_pFrame->AddChild(L"Alpha");
    CMDIChildWnd* pBeta = m_pFrame->AddChild(L"Beta");
    CMDIChildWnd* pGamma = m_pFrame->AddChild(L"Gamma");
    pBeta->MDIActivate();
    ASSERT_EQ(pBeta->GetSafeHwnd(), Active());

    pBeta->MDIDestroy();
    EXPECT_EQ(pGamma->GetSafeHwnd(), Active());
    pGamma->MDIDestroy();
    EXPECT_EQ(pAlpha->GetSafeHwnd(), Active());

    CMDIChildWnd* pDelta = m_pFrame->AddChild(L"Delta");
    CMDIChildWnd* pEpsilon = m_pFrame->AddChild(L"Epsilon");
    pDelta->MDIActivate();
    pEpsilon->MDIDestroy();
    EXPECT_EQ(pDelta->GetSafeHwnd(), Active());
    EXPECT_EQ(CString(L"Alpha|Delta"), TabCaptions(Group(0)));
    EXPECT_EQ(TabOf(pDelta), Group(0)->GetSelectedItem());
}

// Clicking a tab activates its child: the group's own click, and a click through the tab row's
// messages (which runs the row's drag loop until the button comes up).
TEST_F(MdiTabClientTest, AClickOnATabActivatesItsChild)
{
    CMDIChildWnd* pAlpha = m_pFrame->AddChild(L"Alpha");
    CMDIChildWnd* pBeta = m_pFrame->AddChild(L"Beta");
    m_pFrame->AddChild(L"Gamma");

    Group(0)->OnTabClick(TabOf(pAlpha));
    EXPECT_EQ(pAlpha->GetSafeHwnd(), Active());
    EXPECT_EQ(TabOf(pAlpha), Group(0)->GetSelectedItem());

    CWnd* pRow = Client().GetTabRowWnd();
    const CPoint pt = TabCentre(TabOf(pBeta));
    pRow->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    pRow->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(pBeta->GetSafeHwnd(), Active());
    m_pFrame->RunIdle();
    EXPECT_EQ(TabOf(pBeta), Group(0)->GetSelectedItem());
    EXPECT_EQ(CString(L"Alpha|Beta|Gamma"), TabCaptions(Group(0)));
}

// The command bars' layout of all bars re-lays the tab client too: a taller tab row pushes the MDI
// client down.
TEST_F(MdiTabClientTest, TheCommandBarsLayoutRefreshesTheTabRow)
{
    m_pFrame->AddChild(L"Alpha");
    const CRect rcBefore = m_pFrame->GetClientPlace();
    Client().GetPaintManager()->m_rcTabMargin = CRect(0, 10, 0, 10);
    m_pFrame->GetCommandBars()->RecalcCommandBarsLayout();
    EXPECT_EQ(rcBefore.top + 20, m_pFrame->GetClientPlace().top);
}

namespace {

// The tabs frame counting its layouts.
class CCountingTabsFrame : public CTabsMdiFrame {
public:
    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        ++m_nLayouts;
        CTabsMdiFrame::RecalcLayout(bNotify);
    }
    int m_nLayouts = 0;
};

}  // namespace

// The tab client takes its new look while the bars are laid out, and the frame is then laid out once
// (with or without groups), placing the client where the new look puts it.
TEST(MdiTabClientLayout, TheCommandBarsLayoutLaysTheFrameOutOnceAfterTheTabClient)
{
    for (BOOL bGroups : {FALSE, TRUE}) {
        SCOPED_TRACE(bGroups ? "groups" : "one row");
        CCountingTabsFrame* pFrame = new CCountingTabsFrame;
        ASSERT_TRUE(pFrame->CreateFrame(CRect(100, 100, 740, 540), TRUE, bGroups));
        pFrame->AddChild(L"Alpha");
        PumpPending();
        const CRect rcBefore = pFrame->GetClientPlace();
        pFrame->m_nLayouts = 0;
        pFrame->GetCommandBars()->RecalcCommandBarsLayout();
        EXPECT_EQ(1, pFrame->m_nLayouts);
        EXPECT_EQ(rcBefore, pFrame->GetClientPlace());
        EXPECT_FALSE(pFrame->GetCommandBars()->IsLayoutLocked());
        pFrame->DestroyWindow();
        PumpPending();
    }
}

// Without groups the workspace commands never apply.
TEST_F(MdiTabClientTest, WorkspaceCommandsNeedGroups)
{
    m_pFrame->AddChild(L"Alpha");
    m_pFrame->AddChild(L"Beta");
    for (UINT nID = TKP_ID_TABGROUP_PREVIOUS; nID <= TKP_ID_TABGROUP_NEW_VERT; ++nID) {
        EXPECT_FALSE(Client().IsWorkspaceCommandEnabled(nID)) << nID;
        EXPECT_FALSE(UpdateEnables(nID)) << nID;
    }
}

// With groups the children lose caption and borders and fill their group; the workspace commands
// split the groups, move tabs between them (colours kept) and follow the enabling rules.
TEST_F(MdiTabGroupsTest, WorkspaceCommandsSplitAndMoveTabs)
{
    CMDIChildWnd* pAlpha = m_pFrame->AddChild(L"Alpha");
    ASSERT_NO_FATAL_FAILURE(SetClientWidth(400));
    // The client's border is the theme's (none without its static frame), and it has no scroll bars.
    CRect rcWindow;
    Client().GetWindowRect(&rcWindow);
    EXPECT_EQ(400, rcWindow.Width());
    EXPECT_EQ(0, Client().GetStyle() & (WS_HSCROLL | WS_VSCROLL));
    EXPECT_EQ(0, pAlpha->GetStyle() & WS_CAPTION);
    EXPECT_EQ(0, pAlpha->GetStyle() & WS_THICKFRAME);
    EXPECT_EQ(Group(0)->GetTabClientRect(), ChildPlace(pAlpha));
    // One group with a single tab: nothing to split.
    for (UINT nID = TKP_ID_TABGROUP_PREVIOUS; nID <= TKP_ID_TABGROUP_NEW_VERT; ++nID)
        EXPECT_FALSE(UpdateEnables(nID)) << nID;

    CMDIChildWnd* pBeta = m_pFrame->AddChild(L"Beta");
    EXPECT_FALSE(UpdateEnables(TKP_ID_TABGROUP_PREVIOUS));
    EXPECT_FALSE(UpdateEnables(TKP_ID_TABGROUP_NEXT));
    EXPECT_TRUE(UpdateEnables(TKP_ID_TABGROUP_NEW_HORZ));
    EXPECT_TRUE(UpdateEnables(TKP_ID_TABGROUP_NEW_VERT));

    // A new vertical group: 400 pixels less a 4-pixel splitter, shared evenly.
    const COLORREF clrBeta = TabOf(pBeta)->GetOwnColor();
    m_pFrame->SendMessage(WM_COMMAND, TKP_ID_TABGROUP_NEW_VERT, 0);
    ASSERT_EQ(2, Client().GetWorkspaceCount());
    EXPECT_FALSE(Client().IsHorizontalArrangement());
    EXPECT_DOUBLE_EQ(198.0, Group(0)->m_dSize);
    EXPECT_DOUBLE_EQ(198.0, Group(1)->m_dSize);
    EXPECT_EQ(198, Group(0)->GetTabAreaRect().Width());
    EXPECT_EQ(198, Group(1)->GetTabAreaRect().Width());
    EXPECT_EQ(CRect(198, 0, 202, Group(0)->GetTabAreaRect().bottom), Group(0)->m_rcSplitter);
    EXPECT_TRUE(Group(1)->m_rcSplitter.IsRectEmpty());
    EXPECT_EQ(CString(L"Alpha"), TabCaptions(Group(0)));
    EXPECT_EQ(CString(L"Beta"), TabCaptions(Group(1)));
    EXPECT_EQ(clrBeta, TabOf(pBeta)->GetOwnColor());
    EXPECT_EQ(pBeta->GetSafeHwnd(), Active());
    EXPECT_TRUE(Group(1)->IsActive());
    EXPECT_FALSE(Group(0)->IsActive());
    EXPECT_EQ(Group(0)->GetTabClientRect(), ChildPlace(pAlpha));
    EXPECT_EQ(Group(1)->GetTabClientRect(), ChildPlace(pBeta));
    EXPECT_TRUE(UpdateEnables(TKP_ID_TABGROUP_PREVIOUS));
    EXPECT_FALSE(UpdateEnables(TKP_ID_TABGROUP_NEXT));

    // A new child joins the active child's group; side by side only a vertical split remains.
    CMDIChildWnd* pGamma = m_pFrame->AddChild(L"Gamma");
    EXPECT_EQ(CString(L"Beta|Gamma"), TabCaptions(Group(1)));
    EXPECT_EQ(Group(1)->GetTabClientRect(), ChildPlace(pGamma));
    EXPECT_FALSE(UpdateEnables(TKP_ID_TABGROUP_NEW_HORZ));
    EXPECT_TRUE(UpdateEnables(TKP_ID_TABGROUP_NEW_VERT));

    // Moved to the previous group, keeping its colour.
    const COLORREF clrGamma = TabOf(pGamma)->GetOwnColor();
    m_pFrame->SendMessage(WM_COMMAND, TKP_ID_TABGROUP_PREVIOUS, 0);
    EXPECT_EQ(CString(L"Alpha|Gamma"), TabCaptions(Group(0)));
    EXPECT_EQ(CString(L"Beta"), TabCaptions(Group(1)));
    EXPECT_EQ(clrGamma, TabOf(pGamma)->GetOwnColor());
    EXPECT_EQ(TabOf(pGamma), Group(0)->GetSelectedItem());
    EXPECT_EQ(Group(0)->GetTabClientRect(), ChildPlace(pGamma));
    EXPECT_FALSE(UpdateEnables(TKP_ID_TABGROUP_PREVIOUS));
    EXPECT_TRUE(UpdateEnables(TKP_ID_TABGROUP_NEXT));

    // The last tab of a group moved away: the group goes and the other takes the whole width.
    pBeta->MDIActivate();
    m_pFrame->SendMessage(WM_COMMAND, TKP_ID_TABGROUP_PREVIOUS, 0);
    ASSERT_EQ(1, Client().GetWorkspaceCount());
    EXPECT_EQ(CString(L"Alpha|Gamma|Beta"), TabCaptions(Group(0)));
    EXPECT_EQ(400, Group(0)->GetTabAreaRect().Width());

    // Stacked groups allow only horizontal splits.
    m_pFrame->SendMessage(WM_COMMAND, TKP_ID_TABGROUP_NEW_HORZ, 0);
    ASSERT_EQ(2, Client().GetWorkspaceCount());
    EXPECT_TRUE(Client().IsHorizontalArrangement());
    EXPECT_EQ(Group(0)->GetTabAreaRect().bottom + 4, Group(1)->GetTabAreaRect().top);
    pGamma->MDIActivate();
    EXPECT_TRUE(UpdateEnables(TKP_ID_TABGROUP_NEW_HORZ));
    EXPECT_FALSE(UpdateEnables(TKP_ID_TABGROUP_NEW_VERT));
}

// Closing the child of the last tab of a group activates the tab before it in the same group, even
// when another group comes first in the client's list of children.
TEST_F(MdiTabGroupsTest, ClosingTheLastTabOfAGroupActivatesTheTabBeforeIt)
{
    CMDIChildWnd* pAlpha = m_pFrame->AddChild(L"Alpha");
    CMDIChildWnd* pBeta = m_pFrame->AddChild(L"Beta");
    m_pFrame->SendMessage(WM_COMMAND, TKP_ID_TABGROUP_NEW_VERT, 0);
    CMDIChildWnd* pGamma = m_pFrame->AddChild(L"Gamma");
    CMDIChildWnd* pDelta = m_pFrame->AddChild(L"Delta");
    ASSERT_EQ(CString(L"Beta|Gamma|Delta"), TabCaptions(Group(1)));
    pAlpha->MDIActivate();
    pDelta->MDIActivate();

    pDelta->MDIDestroy();
    EXPECT_EQ(pGamma->GetSafeHwnd(), Active());
    EXPECT_EQ(CString(L"Beta|Gamma"), TabCaptions(Group(1)));
    EXPECT_EQ(Group(1)->GetTabClientRect(), ChildPlace(pGamma));

    // The group's last child closed: the group goes.
    pGamma->MDIDestroy();
    pBeta->MDIDestroy();
    ASSERT_EQ(1, Client().GetWorkspaceCount());
    EXPECT_EQ(pAlpha->GetSafeHwnd(), Active());
    EXPECT_TRUE(Group(0)->IsActive());
}

// A click in the tab row of a group that does not hold the active child activates that group's
// child first, then the tab clicked.
TEST_F(MdiTabGroupsTest, AClickInAnotherGroupActivatesItsChild)
{
    CMDIChildWnd* pAlpha = m_pFrame->AddChild(L"Alpha");
    CMDIChildWnd* pBeta = m_pFrame->AddChild(L"Beta");
    m_pFrame->SendMessage(WM_COMMAND, TKP_ID_TABGROUP_NEW_VERT, 0);
    CMDIChildWnd* pGamma = m_pFrame->AddChild(L"Gamma");
    ASSERT_EQ(CString(L"Beta|Gamma"), TabCaptions(Group(1)));
    ASSERT_EQ(pGamma->GetSafeHwnd(), Active());

    // The selected tab of the other group.
    CPoint pt = TabCentre(TabOf(pAlpha));
    Client().PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    Client().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(pAlpha->GetSafeHwnd(), Active());
    m_pFrame->RunIdle();
    EXPECT_TRUE(Group(0)->IsActive());
    EXPECT_FALSE(Group(1)->IsActive());

    // A tab in the background of the other group.
    pt = TabCentre(TabOf(pBeta));
    Client().PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    Client().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(pBeta->GetSafeHwnd(), Active());
    m_pFrame->RunIdle();
    EXPECT_EQ(TabOf(pBeta), Group(1)->GetSelectedItem());
    EXPECT_TRUE(Group(1)->IsActive());
    // The selected child lies on top of its group.
    EXPECT_EQ(pBeta->GetSafeHwnd(), ::ChildWindowFromPointEx(Client().GetSafeHwnd(),
                                        Group(1)->GetTabClientRect().CenterPoint(), CWP_SKIPINVISIBLE));
}

// The split of a splitter drag: the first group's share of both groups and the splitter follows the
// edge's place in the range; the second gets the rest.
TEST_F(MdiTabGroupsTest, SplitSizesFollowTheSplittersEdge)
{
    m_pFrame->AddChild(L"Alpha");
    m_pFrame->AddChild(L"Beta");
    m_pFrame->SendMessage(WM_COMMAND, TKP_ID_TABGROUP_NEW_VERT, 0);
    ASSERT_EQ(2, Client().GetWorkspaceCount());
    CTKPTabClientWorkspace* pFirst = Group(0);
    CTKPTabClientWorkspace* pSecond = Group(1);
    pFirst->m_dSize = 198;
    pSecond->m_dSize = 198;
    Client().SplitSizes(pFirst, pSecond, 1100, 1000, 1400);
    EXPECT_DOUBLE_EQ(100.0, pFirst->m_dSize);
    EXPECT_DOUBLE_EQ(296.0, pSecond->m_dSize);
    // Outside the range: one group takes all.
    Client().SplitSizes(pFirst, pSecond, 900, 1000, 1400);
    EXPECT_DOUBLE_EQ(0.0, pFirst->m_dSize);
    EXPECT_DOUBLE_EQ(396.0, pSecond->m_dSize);
    // An empty range changes nothing.
    Client().SplitSizes(pFirst, pSecond, 1100, 1000, 1000);
    EXPECT_DOUBLE_EQ(0.0, pFirst->m_dSize);
    // Right to left the first group stands on the right: its share is measured from there.
    pFirst->m_dSize = 198;
    pSecond->m_dSize = 198;
    Client().ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    Client().SplitSizes(pFirst, pSecond, 1100, 1000, 1400);
    Client().ModifyStyleEx(WS_EX_LAYOUTRTL, 0);
    EXPECT_DOUBLE_EQ(296.0, pFirst->m_dSize);
    EXPECT_DOUBLE_EQ(100.0, pSecond->m_dSize);
}

// Every appearance paints the groups: the tabs' header, the selected tab and the splitter differ
// from the empty client's colour; without children the client's own background shows.
TEST_F(MdiTabGroupsTest, TheThemesPaintTheGroups)
{
    CRect rc;
    Client().GetClientRect(&rc);
    {
        DibSurface empty(rc.Width(), rc.Height(), RGB(1, 2, 3));
        Client().Paint(&empty.dc());
        EXPECT_EQ(::GetSysColor(COLOR_APPWORKSPACE), empty.Pixel(rc.Width() / 2, rc.Height() / 2));
    }
    m_pFrame->AddChild(L"Alpha");
    m_pFrame->AddChild(L"Beta");
    m_pFrame->AddChild(L"Gamma");
    m_pFrame->SendMessage(WM_COMMAND, TKP_ID_TABGROUP_NEW_VERT, 0);
    ASSERT_EQ(2, Client().GetWorkspaceCount());
    CTKPTabTheme* pTheme = Client().GetPaintManager();
    for (int nAppearance = 0; nAppearance <= 9; ++nAppearance) {
        SCOPED_TRACE(nAppearance);
        pTheme->SetAppearance(nAppearance);
        Client().Refresh(TRUE);
        ASSERT_EQ(2, Client().GetWorkspaceCount());
        DibSurface surface(rc.Width(), rc.Height(), RGB(1, 2, 3));
        Client().Paint(&surface.dc());
        // Nothing is left unpainted in the tab rows or the splitter.
        for (int i = 0; i < 2; ++i) {
            const CTKPTabClientWorkspace* pGroup = Group(i);
            CRect rcHeader = pGroup->GetTabAreaRect();
            rcHeader.bottom = pGroup->GetTabClientRect().top;
            ASSERT_FALSE(rcHeader.IsRectEmpty());
            EXPECT_EQ(0, surface.Count(rcHeader, RGB(1, 2, 3)));
            const CRect& rcTab = pGroup->GetSelectedItem()->GetRect();
            ASSERT_FALSE(rcTab.IsRectEmpty());
            // The caption's text stands out of the tab's face.
            EXPECT_GT(surface.Count(rcTab, pTheme->GetColorSetObject()->m_clrNormalText.GetEffective()) +
                    surface.Count(rcTab, pTheme->GetColorSetObject()->m_clrSelectedText.GetEffective()),
                0);
        }
        EXPECT_EQ(0, surface.Count(Group(0)->m_rcSplitter, RGB(1, 2, 3)));
    }
}

// Detached, the MDI client has its own procedure, border and look back; children get their
// captions back.
TEST_F(MdiTabGroupsTest, DetachingGivesTheClientBack)
{
    CMDIChildWnd* pAlpha = m_pFrame->AddChild(L"Alpha");
    const WNDPROC pfnOurs = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_pFrame->m_hWndMDIClient, GWLP_WNDPROC));
    EXPECT_TRUE(Client().DetachFromFrame());
    EXPECT_NE(pfnOurs, reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_pFrame->m_hWndMDIClient, GWLP_WNDPROC)));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(m_pFrame->m_hWndMDIClient));
    EXPECT_NE(0, pAlpha->GetStyle() & WS_CAPTION);
    EXPECT_EQ(0, Client().GetWorkspaceCount());
    EXPECT_FALSE(Client().DetachFromFrame());
    // Attached again without groups.
    EXPECT_TRUE(Client().AttachToFrame(m_pFrame, FALSE));
    EXPECT_EQ(CString(L"Alpha"), TabCaptions(Group(0)));
}
