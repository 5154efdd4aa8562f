// The MDI tab client in a shown frame: a real click on a tab, and the splitter between two groups
// dragged live and as an inverted bar (through the capture loops with posted mouse messages).
#include <gtest/gtest.h>

#include "tests/support/win/InputSupport.h"
#include "tests/toolkit/commandbars/MdiTabTestSupport.h"

using namespace morvick::test;

namespace {

class MdiTabInputTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        SettleCursorAt(1200, 1000);
        s_pFrame = new CTabsMdiFrame;
        ASSERT_TRUE(s_pFrame->CreateFrame(CRect(60, 60, 700, 500), TRUE, FALSE));
        s_pFrame->ShowWindow(SW_SHOW);
        s_pFrame->SetForegroundWindow();
        PumpPending();
    }
    static void TearDownTestSuite()
    {
        if (s_pFrame != nullptr && s_pFrame->GetSafeHwnd() != NULL)
            s_pFrame->DestroyWindow();
        s_pFrame = nullptr;
        PumpPending();
    }
    void TearDown() override
    {
        CTKPTabClientWnd& client = s_pFrame->m_tabClient;
        while (HWND hChild = s_pFrame->MDIGetActiveHandle())
            ::SendMessageW(s_pFrame->m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hChild), 0);
        client.SetSplitterTrackingMode(FALSE);
        PumpPending();
    }
    // The tab client attached again, with or without groups.
    void Reattach(BOOL bGroups)
    {
        CTKPTabClientWnd& client = s_pFrame->m_tabClient;
        if (client.IsGroupingEnabled() != bGroups) {
            ASSERT_TRUE(client.DetachFromFrame());
            ASSERT_TRUE(client.AttachToFrame(s_pFrame, bGroups));
        }
    }
    CTKPTabClientWnd& Client() { return s_pFrame->m_tabClient; }
    // Two side-by-side groups "Alpha" | "Beta" over a client of 400 pixels.
    void MakeTwoGroups()
    {
        ASSERT_NO_FATAL_FAILURE(Reattach(TRUE));
        s_pFrame->AddChild(L"Alpha");
        s_pFrame->AddChild(L"Beta");
        s_pFrame->SendMessage(WM_COMMAND, TKP_ID_TABGROUP_NEW_VERT, 0);
        ASSERT_EQ(2, Client().GetWorkspaceCount());
        CRect rc;
        Client().GetClientRect(&rc);
        CRect rcFrame;
        s_pFrame->GetWindowRect(&rcFrame);
        s_pFrame->SetWindowPos(NULL, 0, 0, rcFrame.Width() + 400 - rc.Width(), rcFrame.Height(),
            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        // Even halves again for the new width.
        Client().GetWorkspace(0)->m_dSize = 198;
        Client().GetWorkspace(1)->m_dSize = 198;
        Client().Refresh(TRUE);
        PumpPending();
        ASSERT_EQ(198, Client().GetWorkspace(0)->GetTabAreaRect().Width());
    }
    // Drags the splitter from its middle by dx; the drag ends with the message given (WM_LBUTTONUP
    // or WM_KEYDOWN with Escape).
    void DragSplitter(int dx, UINT nEnd)
    {
        const CRect rcSplitter = Client().GetWorkspace(0)->m_rcSplitter;
        const CPoint ptDown = rcSplitter.CenterPoint();
        const CPoint ptTo(ptDown.x + dx, ptDown.y);
        CPoint ptScreen = ptTo;
        Client().ClientToScreen(&ptScreen);
        SettleCursorAt(ptScreen.x, ptScreen.y);
        Client().PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptTo.x, ptTo.y));
        if (nEnd == WM_KEYDOWN)
            Client().PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        else
            Client().PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptTo.x, ptTo.y));
        Client().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptDown.x, ptDown.y));
        PumpPending();
    }
    int FirstWidth() { return Client().GetWorkspace(0)->GetTabAreaRect().Width(); }
    int SecondWidth() { return Client().GetWorkspace(1)->GetTabAreaRect().Width(); }

    static CTabsMdiFrame* s_pFrame;
};

CTabsMdiFrame* MdiTabInputTest::s_pFrame = nullptr;

}  // namespace

// A click of the real mouse on the tab of a child in the background brings that child forward.
TEST_F(MdiTabInputTest, ARealClickOnATabActivatesItsChild)
{
    ASSERT_NO_FATAL_FAILURE(Reattach(FALSE));
    CMDIChildWnd* pAlpha = s_pFrame->AddChild(L"Alpha");
    s_pFrame->AddChild(L"Beta");
    s_pFrame->AddChild(L"Gamma");
    PumpPending();
    CTKPTabManagerItem* pTab = Client().FindTab(pAlpha->GetSafeHwnd());
    ASSERT_NE(nullptr, pTab);
    CPoint pt = TabCentre(pTab);
    Client().GetTabRowWnd()->ClientToScreen(&pt);
    SettleCursorAt(1200, 1000);
    MouseDown(pt.x, pt.y);
    MouseUp(pt.x, pt.y);
    EXPECT_TRUE(PumpUntil([&] { return s_pFrame->MDIGetActiveHandle() == pAlpha->GetSafeHwnd(); }));
    EXPECT_EQ(pTab, Client().GetWorkspace(0)->GetSelectedItem());
}

// The live splitter: the groups follow the mouse; Escape ends the drag where it stands; the splitter
// never leaves the two groups' room.
TEST_F(MdiTabInputTest, TheLiveSplitterFollowsTheMouse)
{
    ASSERT_NO_FATAL_FAILURE(MakeTwoGroups());
    // Over the splitter the pointer shows the way it moves.
    CPoint ptSplitter = Client().GetWorkspace(0)->m_rcSplitter.CenterPoint();
    Client().ClientToScreen(&ptSplitter);
    SettleCursorAt(ptSplitter.x, ptSplitter.y);
    Client().SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(Client().GetSafeHwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::LoadCursorW(NULL, IDC_SIZEWE), ::GetCursor());

    DragSplitter(50, WM_LBUTTONUP);
    EXPECT_EQ(248, FirstWidth());
    EXPECT_EQ(148, SecondWidth());
    EXPECT_EQ(248, Client().GetWorkspace(0)->m_rcSplitter.left);

    DragSplitter(-100, WM_KEYDOWN);
    EXPECT_EQ(148, FirstWidth());
    EXPECT_EQ(248, SecondWidth());

    DragSplitter(1000, WM_LBUTTONUP);
    EXPECT_EQ(396, FirstWidth());
    EXPECT_EQ(0, SecondWidth());
}

TEST_F(MdiTabInputTest, AQuitMessageEndsTheLiveSplitterDragAndIsPutBack)
{
    ASSERT_NO_FATAL_FAILURE(MakeTwoGroups());
    const CPoint ptDown = Client().GetWorkspace(0)->m_rcSplitter.CenterPoint();
    const UINT_PTR nTimer = PostEscapeLater(Client().GetSafeHwnd(), morvick::test::kStateWaitMs);
    ::PostQuitMessage(9);
    Client().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptDown.x, ptDown.y));
    ::KillTimer(NULL, nTimer);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 9u);
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    EXPECT_EQ(198, FirstWidth());
    PumpPending();
}

// The inverted bar: the split changes once the button is released, and not at all after Escape.
TEST_F(MdiTabInputTest, TheTrackedSplitterSplitsOnRelease)
{
    ASSERT_NO_FATAL_FAILURE(MakeTwoGroups());
    Client().SetSplitterTrackingMode(TRUE);
    DragSplitter(-60, WM_KEYDOWN);
    EXPECT_EQ(198, FirstWidth());
    DragSplitter(-60, WM_LBUTTONUP);
    EXPECT_EQ(138, FirstWidth());
    EXPECT_EQ(258, SecondWidth());
}
