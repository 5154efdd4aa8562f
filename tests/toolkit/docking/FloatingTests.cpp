// Floating windows: where they open, their system menu and title, closing, track sizes, docking back
// by double click, and rolling up to the caption driven by their timers.
#include "DockingTestSupport.h"
#include "NamedExchange.h"

#include "toolkit/common/DockGeometry.h"
#include "toolkit/docking/DockingPaneCaptionButton.h"
#include "toolkit/docking/DockingPaneMiniWnd.h"
#include "toolkit/docking/DockingPaneSplitContainer.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/docking/DockingPaneTheme.h"

#include <gtest/gtest.h>

using namespace docktest;

namespace {

struct Floating {
    HostFixture f;
    CTKPDockablePane* pane;
    CTKPDockingPaneMiniWnd* mini;

    explicit Floating(BOOL bThemed = FALSE, CRect rc = CRect(500, 300, 720, 480))
    {
        f.host()->m_bThemedFloatingFrames = bThemed;
        pane = f.MakePane(1, L"Preview");
        f.host()->DockPane(pane, tkdock::sideLeft, NULL);
        f.Layout();
        f.host()->FloatNode(pane, rc);
        mini = dynamic_cast<CTKPDockingPaneMiniWnd*>(pane->GetSite());
    }
};

CString MenuText(CMenu* pMenu, UINT nId)
{
    wchar_t buffer[64] = {};
    ::GetMenuStringW(pMenu->GetSafeHmenu(), nId, buffer, 64, MF_BYCOMMAND);
    return CString(buffer);
}

TEST(DockingFloating, OpensWhereAskedOrBackOnTheWorkArea)
{
    {
        Floating w;
        ASSERT_NE(w.mini, nullptr);
        CRect rc;
        w.mini->GetWindowRect(&rc);
        EXPECT_EQ(rc, CRect(500, 300, 720, 480));
        EXPECT_EQ(w.mini->GetStyle() & (WS_POPUP | WS_CAPTION | WS_THICKFRAME),
            static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_THICKFRAME));
        EXPECT_EQ(::GetWindow(w.mini->GetSafeHwnd(), GW_OWNER), Site()->GetSafeHwnd());
        EXPECT_TRUE(w.mini->GetMiniFrameStyle() & MFS_SYNCACTIVE);
    }
    Floating off(FALSE, CRect(-3000, -3000, -2780, -2820));
    RECT work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    CRect rc;
    off.mini->GetWindowRect(&rc);
    EXPECT_EQ(rc, CRect(work.left, work.top, work.left + 220, work.top + 180));
}

TEST(DockingFloating, TheSystemMenuHidesInsteadOfClosing)
{
    Floating w;
    CMenu* pMenu = w.mini->GetSystemMenu(FALSE);
    ASSERT_NE(pMenu, nullptr);
    EXPECT_EQ(::GetMenuState(pMenu->GetSafeHmenu(), SC_MINIMIZE, MF_BYCOMMAND), (UINT)-1);
    EXPECT_EQ(::GetMenuState(pMenu->GetSafeHmenu(), SC_MAXIMIZE, MF_BYCOMMAND), (UINT)-1);
    EXPECT_EQ(::GetMenuState(pMenu->GetSafeHmenu(), SC_RESTORE, MF_BYCOMMAND), (UINT)-1);
    EXPECT_EQ(MenuText(pMenu, SC_CLOSE), CString(L"&Hide"));
    EXPECT_FALSE(::GetMenuState(pMenu->GetSafeHmenu(), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
    // No pane may close: the command is greyed and the close button goes.
    w.pane->SetOptions(tkpoNoClose);
    w.mini->UpdateWindowState();
    EXPECT_TRUE(::GetMenuState(pMenu->GetSafeHmenu(), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(w.mini->IsCloseAllowed());
    EXPECT_FALSE(w.mini->FindCaptionButton(tkpcbClose)->IsVisible());
}

TEST(DockingFloating, TitleAndCaptionsFollowTheContainers)
{
    Floating w;
    CString strTitle;
    w.mini->GetWindowText(strTitle);
    EXPECT_EQ(strTitle, CString(L"Preview"));
    EXPECT_FALSE(w.f.ContainerOf(w.pane)->IsCaptionVisible());
    EXPECT_FALSE(w.mini->FindCaptionButton(tkpcbMenu)->IsVisible());
    w.pane->SetOptions(tkpoMenuButton);
    EXPECT_TRUE(w.mini->FindCaptionButton(tkpcbMenu)->IsVisible());
    // A second container beside the first: captions on, the host's title, no menu button.
    w.f.host()->m_strFloatingTitle = L"Panes";
    CTKPDockablePane* p2 = w.f.MakePane(2, L"Log");
    w.f.host()->DockPane(p2, tkdock::sideBottom, w.pane);
    EXPECT_EQ(dynamic_cast<CTKPDockingPaneMiniWnd*>(p2->GetSite()), w.mini);
    w.mini->GetWindowText(strTitle);
    EXPECT_EQ(strTitle, CString(L"Panes"));
    EXPECT_TRUE(w.f.ContainerOf(w.pane)->IsCaptionVisible());
    EXPECT_TRUE(w.f.ContainerOf(p2)->IsCaptionVisible());
    EXPECT_FALSE(w.mini->FindCaptionButton(tkpcbMenu)->IsVisible());
}

TEST(DockingFloating, CloseAsksForEveryClosablePane)
{
    Floating w;
    CTKPDockablePane* p2 = w.f.MakePane(2, L"Log");
    w.f.host()->AttachNode(p2, w.pane);
    Site()->m_actionFilter = [](const Notification& n) { return n.action == tkpaClosing && n.paneId == 1 ? 1 : 0; };
    w.mini->SendMessage(WM_CLOSE);
    EXPECT_FALSE(w.pane->IsClosed());
    EXPECT_TRUE(p2->IsClosed());
    EXPECT_TRUE(w.mini->IsWindow());
    Site()->m_actionFilter = nullptr;
    w.mini->SendMessage(WM_CLOSE);
    EXPECT_TRUE(w.pane->IsClosed());
    // Empty, the window hides; it stays the place the panes come back to, and comes back active.
    EXPECT_FALSE(w.mini->IsWindowVisible());
    Site()->SetActiveWindow();
    w.f.host()->ShowPane(w.pane, FALSE);
    EXPECT_TRUE(w.mini->IsWindowVisible());
    EXPECT_EQ(::GetActiveWindow(), w.mini->GetSafeHwnd());
    Site()->SetActiveWindow();
}

TEST(DockingFloating, TrackSizesComeFromTheContent)
{
    Floating w;
    w.pane->SetMinTrackSize(CSize(300, 200));
    w.pane->SetMaxTrackSize(CSize(600, 500));
    MINMAXINFO mmi = {};
    mmi.ptMaxTrackSize.x = mmi.ptMaxTrackSize.y = 10000;
    w.mini->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    CRect rcWindow, rcClient;
    w.mini->GetWindowRect(&rcWindow);
    w.mini->GetClientRect(&rcClient);
    EXPECT_GE(mmi.ptMinTrackSize.x, 300 + rcWindow.Width() - rcClient.Width());
    EXPECT_GE(mmi.ptMinTrackSize.y, 200 + rcWindow.Height() - rcClient.Height());
    EXPECT_LE(mmi.ptMaxTrackSize.x, 600 + rcWindow.Width() - rcClient.Width() + 40);
}

TEST(DockingFloating, ADoubleClickOnTheCaptionDocksBack)
{
    Floating w;
    w.mini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(510, 305));
    w.f.Layout();
    EXPECT_EQ(Dump(w.f.arrangement()), "S[T(1*),C]");
    EXPECT_FALSE(w.mini->IsWindowVisible());
}

TEST(DockingFloating, RollsUpToItsCaptionAndOpensWhenPointedAt)
{
    Floating w(TRUE);
    CTKPDockingPaneMiniWnd* m = w.mini;
    const int nCaption = w.f.host()->GetTheme()->m_nCaptionHeight;
    CRect rc;
    m->GetWindowRect(&rc);
    const int nFull = rc.Height();
    ::SetCursorPos(5, 1000);
    Site()->SetFocus();
    m->SetRolledUp(TRUE);
    EXPECT_TRUE(m->FindCaptionButton(tkpcbPin)->IsVisible());
    EXPECT_EQ(m->FindCaptionButton(tkpcbPin)->GetState(), static_cast<int>(tkppRolledUp));
    KillTimer(m->GetSafeHwnd(), 1);
    for (int i = 0; i < 5; ++i)
        m->SendMessage(WM_TIMER, 1, 0);
    EXPECT_FALSE(m->IsAnimating());
    m->SendMessage(WM_TIMER, 1, 0);
    ASSERT_TRUE(m->IsAnimating());
    KillTimer(m->GetSafeHwnd(), 3);
    for (int i = 0; i < 9; ++i)
        m->SendMessage(WM_TIMER, 3, 0);
    EXPECT_FALSE(m->IsAnimating());
    EXPECT_FALSE(m->IsExpanded());
    m->GetWindowRect(&rc);
    EXPECT_EQ(rc.Height(), nCaption + 8);
    // Pointed at: open at once.
    m->SendMessage(WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(rc.left + 10, rc.top + 5));
    m->GetWindowRect(&rc);
    EXPECT_EQ(rc.Height(), nFull);
    EXPECT_TRUE(m->IsExpanded());
    EXPECT_EQ(m->GetCollapseCountdown(), 8);
    // A focused child keeps it open.
    KillTimer(m->GetSafeHwnd(), 1);
    ::SetFocus(w.pane->GetPaneWindow());
    for (int i = 0; i < 10; ++i)
        m->SendMessage(WM_TIMER, 1, 0);
    EXPECT_FALSE(m->IsAnimating());
    Site()->SetFocus();
    // Without themed frames there is no rolling up: the window comes back whole.
    KillTimer(m->GetSafeHwnd(), 1);
    for (int i = 0; i < 8; ++i)
        m->SendMessage(WM_TIMER, 1, 0);
    ASSERT_TRUE(m->IsAnimating());
    m->SendMessage(WM_TIMER, 3, 0);
    w.f.host()->SetThemedFloatingFrames(FALSE);
    m->GetWindowRect(&rc);
    EXPECT_EQ(rc.Height(), nFull);
    EXPECT_FALSE(m->IsRolledUp());
    EXPECT_TRUE(m->GetStyle() & WS_BORDER);
}

namespace {

CTKPDockingPaneMiniWnd* FirstFloatingWindow(CTKPDockingPaneArrangement* pArrangement)
{
    CArray<CTKPDockingNode*, CTKPDockingNode*> nodes;
    TKPNodesOf(pArrangement->GetNodeList(), nodes);
    for (INT_PTR i = 0; i < nodes.GetSize(); ++i)
        if (CTKPDockingPaneMiniWnd* pMini = nodes[i]->AsMiniWnd())
            return pMini;
    return nullptr;
}

// Rolls the window up with the cursor and the focus away from it; returns the height it opens to.
int RollUp(Floating& w)
{
    CRect rc;
    w.mini->GetWindowRect(&rc);
    ::SetCursorPos(5, 1000);
    Site()->SetFocus();
    w.mini->SetRolledUp(TRUE);
    return rc.Height();
}

// The floating window of a saved layout loaded into the host, when it has its window; else null.
CTKPDockingPaneMiniWnd* LoadFloatingWindow(HostFixture& g, const std::vector<BYTE>& bytes)
{
    if (!LoadArchive(g.host(), bytes))
        return nullptr;
    CTKPDockingPaneMiniWnd* m = FirstFloatingWindow(g.arrangement());
    return m && m->GetSafeHwnd() ? m : nullptr;
}

}  // namespace

TEST(DockingFloating, ARolledUpWindowComesBackRolledUpFromASavedLayout)
{
    std::vector<BYTE> bytes;
    int nFull = 0;
    {
        Floating w(TRUE);
        nFull = RollUp(w);
        KillTimer(w.mini->GetSafeHwnd(), 1);
        for (int i = 0; i < 6; ++i)
            w.mini->SendMessage(WM_TIMER, 1, 0);
        KillTimer(w.mini->GetSafeHwnd(), 3);
        for (int i = 0; i < 9 && w.mini->IsAnimating(); ++i)
            w.mini->SendMessage(WM_TIMER, 3, 0);
        CRect rc;
        w.mini->GetWindowRect(&rc);
        ASSERT_EQ(rc.Height(), w.f.host()->GetTheme()->m_nCaptionHeight + 8);
        bytes = SaveArchive(w.f.host());
    }

    for (const BOOL bThemed : {TRUE, FALSE}) {
        SCOPED_TRACE(bThemed ? "themed frames" : "system frames");
        HostFixture g;
        g.host()->m_bThemedFloatingFrames = bThemed;
        CTKPDockingPaneMiniWnd* m = LoadFloatingWindow(g, bytes);
        ASSERT_NE(m, nullptr);
        CRect rc;
        m->GetWindowRect(&rc);
        if (!bThemed) {
            // Without themed frames nothing rolls up: the window opens whole.
            EXPECT_FALSE(m->IsRolledUp());
            EXPECT_EQ(rc.Height(), nFull);
            continue;
        }
        const int nCaption = g.host()->GetTheme()->m_nCaptionHeight;
        EXPECT_TRUE(m->IsRolledUp());
        EXPECT_EQ(rc.Height(), nCaption + 8);
        EXPECT_EQ(m->FindCaptionButton(tkpcbPin)->GetState(), static_cast<int>(tkppRolledUp));
        // Pointed at, it opens to the height it was saved with, and saves the same again.
        m->SendMessage(WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(rc.left + 10, rc.top + 5));
        m->GetWindowRect(&rc);
        EXPECT_EQ(rc.Height(), nFull);
        EXPECT_EQ(SaveArchive(g.host()), bytes);
    }
}

// A window moved while rolled up keeps the place it was moved to when its window goes: the layout
// saved after that opens it there, at its full height.
TEST(DockingFloating, ARolledUpWindowMovedBeforeItGoesIsSavedWhereItStood)
{
    std::vector<BYTE> bytes;
    int nFull = 0;
    {
        Floating w(TRUE);
        nFull = RollUp(w);
        w.mini->SetWindowPos(nullptr, 340, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        w.mini->DestroyWindow();
        ASSERT_FALSE(w.mini->GetSafeHwnd());
        bytes = SaveArchive(w.f.host());
    }
    HostFixture g;
    g.host()->m_bThemedFloatingFrames = TRUE;
    CTKPDockingPaneMiniWnd* m = LoadFloatingWindow(g, bytes);
    ASSERT_NE(m, nullptr);
    ASSERT_TRUE(m->IsRolledUp());
    CRect rc;
    m->GetWindowRect(&rc);
    EXPECT_EQ(rc.TopLeft(), CPoint(340, 260));
    m->SendMessage(WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(rc.left + 10, rc.top + 5));
    m->GetWindowRect(&rc);
    EXPECT_EQ(rc, CRect(340, 260, 560, 260 + nFull));
}

TEST(DockingFloating, ADamagedExpandedHeightOpensToTheSavedWindowRectangle)
{
    CNamedExchange::Values values;
    int nFull = 0;
    {
        Floating w(TRUE);
        CRect rc;
        w.mini->GetWindowRect(&rc);
        nFull = rc.Height();
        w.mini->SetRolledUp(TRUE);
        CNamedExchange px(values, FALSE);
        w.f.host()->SaveState(&px);
    }
    std::wstring key;
    for (const auto& value : values)
        if (value.first.size() > 15 && value.first.compare(value.first.size() - 15, 15, L"/ExpandedHeight") == 0)
            key = value.first;
    ASSERT_FALSE(key.empty());
    ASSERT_EQ(CNamedExchange::Int(values, key), nFull);

    HostFixture g;
    g.host()->m_bThemedFloatingFrames = TRUE;
    for (const int nSaved : {0, -40, 2000000000}) {
        SCOPED_TRACE(nSaved);
        values[key] = std::to_wstring(nSaved);
        {
            CNamedExchange px(values, TRUE);
            ASSERT_TRUE(g.host()->LoadState(&px));
        }
        CTKPDockingPaneMiniWnd* m = FirstFloatingWindow(g.arrangement());
        ASSERT_NE(m, nullptr);
        ASSERT_TRUE(m->IsRolledUp());
        EXPECT_EQ(m->GetFullHeight(), nFull);
        CRect rc;
        m->GetWindowRect(&rc);
        m->SendMessage(WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(rc.left + 10, rc.top + 5));
        m->GetWindowRect(&rc);
        EXPECT_EQ(rc.Height(), nFull);
    }
}

// Below the theme's caption band the frame is the system's border for the window's style, of which
// the client keeps one pixel on each side.
TEST(DockingFloating, ThemedFramesKeepTheSystemBorderBelowTheirCaption)
{
    Floating w(TRUE);
    const int nCaption = w.f.host()->GetTheme()->m_nCaptionHeight;
    for (const BOOL bSizing : {TRUE, FALSE}) {
        SCOPED_TRACE(bSizing ? "sizing border" : "fixed border");
        if (!bSizing)
            w.mini->ModifyStyle(WS_THICKFRAME, 0, SWP_FRAMECHANGED);
        CRect rcBorder(0, 0, 0, 0);
        ASSERT_TRUE(::AdjustWindowRectEx(&rcBorder, w.mini->GetStyle(), FALSE, w.mini->GetExStyle()));
        CRect rcWindow, rcClient;
        w.mini->GetWindowRect(&rcWindow);
        w.mini->GetClientRect(&rcClient);
        w.mini->ClientToScreen(&rcClient);
        EXPECT_EQ(rcClient.left - rcWindow.left, -rcBorder.left - 1);
        EXPECT_EQ(rcWindow.right - rcClient.right, rcBorder.right - 1);
        EXPECT_EQ(rcWindow.bottom - rcClient.bottom, rcBorder.bottom - 1);
        EXPECT_EQ(rcClient.top - rcWindow.top, nCaption + 2 - rcBorder.top - 1);
    }
}

TEST(DockingFloating, ThemedFramesDrawTheirOwnCaptionAndButtons)
{
    Floating w(TRUE);
    w.mini->RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    CTKPDockingPaneCaptionButton* pClose = w.mini->FindCaptionButton(tkpcbClose);
    ASSERT_FALSE(pClose->GetRect().IsRectEmpty());
    CRect rcWindow;
    w.mini->GetWindowRect(&rcWindow);
    // The buttons lie in the caption band at the window's far end.
    EXPECT_GT(pClose->GetRect().left, rcWindow.Width() - 40);
    EXPECT_LT(pClose->GetRect().bottom, w.f.host()->GetTheme()->m_nCaptionHeight + 8);
    CRect rcClient;
    w.mini->GetClientRect(&rcClient);
    EXPECT_EQ(rcWindow.Height() - rcClient.Height(), w.f.host()->GetTheme()->m_nCaptionHeight + 8);
    // A click on the close button through the non-client area closes the pane.
    CPoint pt = pClose->GetRect().CenterPoint() + rcWindow.TopLeft();
    CPoint ptClient = pt;
    w.mini->ScreenToClient(&ptClient);
    ::PostMessageW(w.mini->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(ptClient.x, ptClient.y));
    ::SetCursorPos(pt.x, pt.y);
    w.mini->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(w.pane->IsClosed());
}

}  // namespace
