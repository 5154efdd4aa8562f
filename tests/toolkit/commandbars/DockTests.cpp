// Dock bars and the toolbar's dock context: which row a dropped toolbar joins, how a row that does
// not fit is laid out, stretched bars, moving a toolbar between the dock bars and the floating
// state, toggling, resizing a floating toolbar, the drag loop's ways out, and the expand popup of a
// row that has no room for every button.
#include <gtest/gtest.h>

#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/DockBar.h"
#include "toolkit/commandbars/PopupBar.h"
#include "toolkit/commandbars/ToolBar.h"
#include "toolkit/commandbars/ToolBarDockContext.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace {

class DockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame(FALSE, CRect(0, 0, 800, 480)));
        m_pCommandBars = m_pFrame->GetCommandBars();
        m_pFirst = m_pFrame->GetToolBar();
        m_pSecond = m_pCommandBars->CreateToolBar(L"Second", tkpBarTop);
        ASSERT_NE(m_pSecond, nullptr);
        ASSERT_TRUE(m_pSecond->LoadToolBar(201));
        Layout();
    }
    void TearDown() override
    {
        if (m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->DestroyWindow();
    }
    void Layout()
    {
        m_pFrame->RecalcLayout();
        PumpPending();
    }
    CTKPDockBar* Top() const { return m_pCommandBars->GetDockBar(tkpBarTop); }
    // The dock bar's entries, 0 standing for a row end, 1 for the first toolbar, 2 for the second.
    std::vector<int> Entries(CTKPDockBar* pDockBar) const
    {
        std::vector<int> entries;
        const CArray<CTKPToolBar*, CTKPToolBar*>& bars = pDockBar->GetBars();
        for (INT_PTR i = 0; i < bars.GetSize(); ++i)
            entries.push_back(bars[i] == NULL ? 0 : bars[i] == m_pFirst ? 1 : bars[i] == m_pSecond ? 2 : 9);
        return entries;
    }
    static CRect WindowRect(CWnd* pWnd)
    {
        CRect rc;
        pWnd->GetWindowRect(&rc);
        return rc;
    }
    // Drops a toolbar with its own size at a screen point (its top left).
    void DropAt(CTKPToolBar* pBar, CPoint pt, CTKPDockBar* pDockBar)
    {
        CRect rc(pt, WindowRect(pBar).Size());
        ASSERT_TRUE(m_pCommandBars->DockCommandBar(pBar, &rc, pDockBar));
        Layout();
    }
    void DropSecondAt(CPoint pt, CTKPDockBar* pDockBar) { DropAt(m_pSecond, pt, pDockBar); }
    void SetClientWidth(int cx)
    {
        CRect rcWindow = WindowRect(m_pFrame), rcClient;
        m_pFrame->GetClientRect(&rcClient);
        m_pFrame->SetWindowPos(NULL, 0, 0, cx + rcWindow.Width() - rcClient.Width(), rcWindow.Height(),
            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Layout();
    }

    CTestFrame* m_pFrame = nullptr;
    CTKPCommandBars* m_pCommandBars = nullptr;
    CTKPToolBar* m_pFirst = nullptr;
    CTKPToolBar* m_pSecond = nullptr;
};

}  // namespace

TEST_F(DockTest, DroppedToolBarJoinsTheRowItsCentreFallsInOrOpensOne)
{
    // Docked without a place, each toolbar opens a row at the end.
    EXPECT_EQ(Entries(Top()), (std::vector<int>{0, 1, 0, 2, 0}));
    EXPECT_EQ(WindowRect(m_pSecond).top, WindowRect(m_pFirst).bottom);
    EXPECT_EQ(WindowRect(Top()).Height(), WindowRect(m_pFirst).Height() + WindowRect(m_pSecond).Height());

    // Beside the first toolbar: the same row, after it, and the emptied row is gone.
    const CRect rcFirst = WindowRect(m_pFirst);
    DropSecondAt(CPoint(rcFirst.right + 40, rcFirst.top), Top());
    EXPECT_EQ(Entries(Top()), (std::vector<int>{0, 2, 1, 0}));
    EXPECT_EQ(WindowRect(m_pSecond).top, rcFirst.top);
    EXPECT_GE(WindowRect(m_pSecond).left, rcFirst.right);
    EXPECT_EQ(WindowRect(Top()).Height(), rcFirst.Height());

    // Past the far edge of the last row: a new row at the end.
    DropSecondAt(CPoint(rcFirst.left, rcFirst.bottom + 5), Top());
    EXPECT_EQ(Entries(Top()), (std::vector<int>{0, 1, 0, 2, 0}));

    // Above the dock bar: a new first row.
    DropSecondAt(CPoint(rcFirst.left, rcFirst.top - 100), Top());
    EXPECT_EQ(Entries(Top()), (std::vector<int>{0, 2, 0, 1, 0}));
    EXPECT_EQ(WindowRect(m_pFirst).top, WindowRect(m_pSecond).bottom);
}

TEST_F(DockTest, ToolBarSlidesAlongItsRowAndLandsWhereItWasDropped)
{
    // The first toolbar alone in the first row, the second in the row below: nudged by a pixel, or
    // slid further, the first stays alone in its row and the second stays below.
    ASSERT_EQ(Entries(Top()), (std::vector<int>{0, 1, 0, 2, 0}));
    const CRect rcFirst = WindowRect(m_pFirst), rcSecond = WindowRect(m_pSecond);
    for (int dx : {1, 40}) {
        SCOPED_TRACE(dx);
        DropAt(m_pFirst, rcFirst.TopLeft() + CSize(dx, 0), Top());
        EXPECT_EQ(Entries(Top()), (std::vector<int>{0, 1, 0, 2, 0}));
        EXPECT_EQ(WindowRect(m_pFirst), rcFirst + CPoint(dx, 0));
        EXPECT_EQ(WindowRect(m_pSecond), rcSecond);
    }

    // Both in one row, the first well to the right; the second dropped over the first's right half
    // lands where it was dropped, and the first gives way to the left.
    const int cxFirst = rcFirst.Width(), cxSecond = rcSecond.Width();
    SetClientWidth(3 * (cxFirst + cxSecond) + 100);
    DropSecondAt(CPoint(rcFirst.right + 40, rcFirst.top), Top());
    const CPoint ptFirst(rcFirst.left + cxFirst + cxSecond + 80, rcFirst.top);
    DropAt(m_pFirst, ptFirst, Top());
    ASSERT_EQ(Entries(Top()), (std::vector<int>{0, 1, 2, 0}));
    ASSERT_EQ(WindowRect(m_pFirst).left, ptFirst.x);
    const CPoint ptSecond(ptFirst.x + cxFirst / 2, rcFirst.top);
    DropSecondAt(ptSecond, Top());
    EXPECT_EQ(Entries(Top()), (std::vector<int>{0, 2, 1, 0}));
    EXPECT_EQ(WindowRect(m_pSecond).TopLeft(), ptSecond);
    EXPECT_EQ(WindowRect(m_pFirst).right, ptSecond.x);
    EXPECT_EQ(WindowRect(m_pFirst).Width(), cxFirst);
}

TEST_F(DockTest, LeavingADockBarRemovesTheRowAndGivesTheRoomBack)
{
    const int nClientTop = WindowRect(Top()).top;
    m_pCommandBars->DockCommandBar(m_pSecond, tkpBarLeft);
    Layout();
    EXPECT_EQ(Entries(Top()), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(Entries(m_pCommandBars->GetDockBar(tkpBarLeft)), (std::vector<int>{0, 2, 0}));
    EXPECT_EQ(m_pSecond->GetPosition(), tkpBarLeft);
    EXPECT_TRUE(m_pSecond->IsVerticalDocked());
    // Docked on a side, the buttons stand in a column below the top dock bar.
    const CRect rcSecond = WindowRect(m_pSecond);
    EXPECT_GT(rcSecond.Height(), rcSecond.Width());
    EXPECT_EQ(rcSecond.top, nClientTop + WindowRect(m_pFirst).Height());
    CRect rcLeft;
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rcLeft);
    EXPECT_EQ(rcLeft.left, rcSecond.Width());
    EXPECT_EQ(rcLeft.top, WindowRect(m_pFirst).Height());
}

TEST_F(DockTest, RowThatDoesNotFitSendsItsLastBarToALineBelow)
{
    // Neither bar may hide the buttons that do not fit.
    m_pFirst->SetFlags(m_pFirst->GetFlags() & ~tkpFlagHideWrap);
    m_pSecond->SetFlags(m_pSecond->GetFlags() & ~tkpFlagHideWrap);
    const CRect rcFirst = WindowRect(m_pFirst);
    DropSecondAt(CPoint(rcFirst.right + 10, rcFirst.top), Top());
    ASSERT_EQ(Entries(Top()), (std::vector<int>{0, 2, 1, 0}));
    const int cxFirst = rcFirst.Width(), cxSecond = WindowRect(m_pSecond).Width();

    SetClientWidth(cxFirst + cxSecond / 2);
    EXPECT_EQ(WindowRect(m_pSecond).top, WindowRect(m_pFirst).bottom);
    // Its place along the line is still the one it was dropped at, pulled back to fit.
    EXPECT_EQ(WindowRect(m_pSecond).right, WindowRect(Top()).right);
    EXPECT_EQ(WindowRect(m_pSecond).Width(), cxSecond);
    EXPECT_EQ(WindowRect(Top()).Height(), WindowRect(m_pFirst).Height() + WindowRect(m_pSecond).Height());
    // Still one row of entries: with room again the bars share the line.
    EXPECT_EQ(Entries(Top()), (std::vector<int>{0, 2, 1, 0}));
    SetClientWidth(cxFirst + cxSecond + 40);
    EXPECT_EQ(WindowRect(m_pSecond).top, WindowRect(m_pFirst).top);
    EXPECT_GE(WindowRect(m_pSecond).left, WindowRect(m_pFirst).right);
}

TEST_F(DockTest, RowThatDoesNotFitSqueezesABarThatMayHideItsButtons)
{
    // Toolbars made by the manager may hide what does not fit.
    ASSERT_TRUE(m_pFirst->GetFlags() & tkpFlagHideWrap);
    ASSERT_TRUE(m_pSecond->GetFlags() & tkpFlagHideWrap);
    const CRect rcFirst = WindowRect(m_pFirst);
    DropSecondAt(CPoint(rcFirst.right + 10, rcFirst.top), Top());
    const int cxFirst = rcFirst.Width(), cxSecond = WindowRect(m_pSecond).Width();

    SetClientWidth(cxFirst + cxSecond / 2);
    const CRect rcSecond = WindowRect(m_pSecond);
    EXPECT_EQ(rcSecond.right, WindowRect(Top()).right);
    EXPECT_EQ(rcSecond.top, WindowRect(m_pFirst).top);
    EXPECT_EQ(rcSecond.left, WindowRect(m_pFirst).right);
    EXPECT_LT(rcSecond.Width(), cxSecond);
    EXPECT_EQ(WindowRect(Top()).Height(), WindowRect(m_pFirst).Height());
    // The buttons that did not fit are hidden (the expand button offers them), the first stays.
    CTKPControls* pControls = m_pSecond->GetControls();
    EXPECT_EQ(pControls->GetAt(0)->GetHideFlags(), 0u);
    EXPECT_EQ(pControls->FindControl(112)->GetHideFlags(), (DWORD)tkpHideWrap);

    // Beside a bar that may not hide its buttons there is no squeezing: that bar needs the whole
    // row, and the second moves to a line below with all its buttons.
    m_pFirst->SetFlags(m_pFirst->GetFlags() & ~tkpFlagHideWrap);
    Layout();
    EXPECT_EQ(Entries(Top()), (std::vector<int>{0, 2, 1, 0}));
    EXPECT_EQ(WindowRect(m_pSecond).top, WindowRect(m_pFirst).bottom);
    EXPECT_EQ(WindowRect(m_pSecond).Width(), cxSecond);
    EXPECT_EQ(WindowRect(m_pFirst).Width(), cxFirst);
}

TEST_F(DockTest, StretchedToolBarKeepsItsRowAndSpansIt)
{
    m_pSecond->SetFlags(m_pSecond->GetFlags() | tkpFlagStretched);
    const CRect rcFirst = WindowRect(m_pFirst);
    DropSecondAt(CPoint(rcFirst.right + 10, rcFirst.top), Top());
    EXPECT_EQ(Entries(Top()), (std::vector<int>{0, 2, 0, 1, 0}));
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    EXPECT_EQ(WindowRect(m_pSecond).Width(), rcClient.Width());
    EXPECT_EQ(WindowRect(m_pFirst).Width(), rcFirst.Width());
}

TEST_F(DockTest, MovingWithTheDockContextDocksNearADockBarAndFloatsElsewhere)
{
    CTKPToolBarDockContext* pContext = m_pSecond->GetDockContext();
    ASSERT_NE(pContext, nullptr);
    const CRect rcSecond = WindowRect(m_pSecond);
    const CRect rcLeftDock = WindowRect(m_pCommandBars->GetDockBar(tkpBarLeft));
    pContext->m_rectDragDock = pContext->m_rectDragFloat = rcSecond;
    pContext->m_ptLast = rcSecond.TopLeft() + CSize(2, 2);

    // Within 20 pixels of the (empty) left dock bar.
    const CPoint ptLeft(rcLeftDock.left + 10, rcLeftDock.top + 60);
    pContext->Move(ptLeft);
    Layout();
    EXPECT_EQ(m_pSecond->GetDockBar(), m_pCommandBars->GetDockBar(tkpBarLeft));
    EXPECT_EQ(Entries(Top()), (std::vector<int>{0, 1, 0}));

    // Far from every dock bar it floats, as a popup window owned by the frame.
    CRect rcFrame = WindowRect(m_pFrame);
    const CPoint ptAway(rcFrame.CenterPoint());
    pContext->Move(ptAway);
    EXPECT_TRUE(m_pSecond->IsFloating());
    EXPECT_EQ(m_pSecond->GetDockBar(), nullptr);
    EXPECT_FALSE(m_pSecond->GetStyle() & WS_CHILD);
    EXPECT_EQ(::GetWindow(m_pSecond->GetSafeHwnd(), GW_OWNER), m_pFrame->GetSafeHwnd());
    EXPECT_TRUE(WindowRect(m_pSecond).PtInRect(ptAway) || WindowRect(m_pSecond).right == ptAway.x ||
        WindowRect(m_pSecond).bottom == ptAway.y);
    EXPECT_EQ(Entries(m_pCommandBars->GetDockBar(tkpBarLeft)), (std::vector<int>{0}));

    // Further moves carry the floating window along.
    const CRect rcBefore = WindowRect(m_pSecond);
    pContext->Move(ptAway + CSize(30, 20));
    EXPECT_EQ(WindowRect(m_pSecond), rcBefore + CPoint(30, 20));
}

TEST_F(DockTest, ToolBarWithoutTheFloatingFlagStaysDockedAndOnlyDocksWhereAllowed)
{
    m_pSecond->SetFlags(tkpFlagAlignTop | tkpFlagAlignBottom);
    CTKPToolBarDockContext* pContext = m_pSecond->GetDockContext();
    const CRect rcSecond = WindowRect(m_pSecond);
    pContext->m_rectDragDock = pContext->m_rectDragFloat = rcSecond;
    pContext->m_ptLast = rcSecond.TopLeft();

    pContext->Move(WindowRect(m_pFrame).CenterPoint());
    EXPECT_FALSE(m_pSecond->IsFloating());
    EXPECT_EQ(m_pSecond->GetDockBar(), Top());

    const CRect rcLeftDock = WindowRect(m_pCommandBars->GetDockBar(tkpBarLeft));
    pContext->Move(CPoint(rcLeftDock.left + 5, rcLeftDock.top + 100));
    EXPECT_EQ(m_pSecond->GetDockBar(), Top());

    const CRect rcBottomDock = WindowRect(m_pCommandBars->GetDockBar(tkpBarBottom));
    pContext->Move(CPoint(rcBottomDock.left + 100, rcBottomDock.top - 5));
    EXPECT_EQ(m_pSecond->GetDockBar(), m_pCommandBars->GetDockBar(tkpBarBottom));
    EXPECT_EQ(m_pSecond->GetPosition(), tkpBarBottom);
}

TEST_F(DockTest, ToggleDockingFloatsAndReturnsToTheSameRowAndRemembersEvenTheOrigin)
{
    CTKPToolBarDockContext* pContext = m_pSecond->GetDockContext();
    // Double-click floating is off by default.
    EXPECT_FALSE(pContext->ToggleDocking());
    m_pCommandBars->GetOptions()->bDblClickFloat = TRUE;

    const CRect rcFirst = WindowRect(m_pFirst);
    DropSecondAt(CPoint(rcFirst.right + 10, rcFirst.top), Top());
    const CRect rcDocked = WindowRect(m_pSecond);

    // Never floated before: it floats where it was docked.
    ASSERT_TRUE(pContext->ToggleDocking());
    EXPECT_TRUE(m_pSecond->IsFloating());
    EXPECT_EQ(WindowRect(m_pSecond).TopLeft(), rcDocked.TopLeft());
    EXPECT_EQ(Entries(Top()), (std::vector<int>{0, 1, 0}));

    // Moved to the screen origin and docked again: back beside the first toolbar.
    m_pSecond->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(pContext->ToggleDocking());
    Layout();
    EXPECT_FALSE(m_pSecond->IsFloating());
    EXPECT_EQ(Entries(Top()), (std::vector<int>{0, 2, 1, 0}));
    EXPECT_EQ(WindowRect(m_pSecond).TopLeft(), rcDocked.TopLeft());

    // Floating again uses the remembered position, though it is (0, 0).
    ASSERT_TRUE(pContext->ToggleDocking());
    EXPECT_TRUE(pContext->m_bHasFloatPos);
    EXPECT_EQ(WindowRect(m_pSecond).TopLeft(), CPoint(0, 0));
    EXPECT_TRUE(m_pCommandBars->GetOptions()->bDirty);
}

TEST_F(DockTest, ResizingAFloatingToolBarByItsLeftBorderKeepsTheRightEdge)
{
    ASSERT_TRUE(m_pFirst->SetPosition(tkpBarFloating));
    m_pFirst->SetWindowPos(NULL, 200, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const CRect rcBefore = WindowRect(m_pFirst);
    CTKPToolBarDockContext* pContext = m_pFirst->GetDockContext();
    pContext->m_nMode = HTLEFT;
    pContext->m_rectDragFloat = rcBefore;
    pContext->m_ptLast = CPoint(rcBefore.left, rcBefore.top + 5);

    // Half as wide: the buttons wrap to more lines.
    pContext->Stretch(CPoint(rcBefore.left + rcBefore.Width() / 2, rcBefore.top + 5));
    const CRect rcAfter = WindowRect(m_pFirst);
    EXPECT_EQ(rcAfter.right, rcBefore.right);
    EXPECT_EQ(rcAfter.top, rcBefore.top);
    EXPECT_LT(rcAfter.Width(), rcBefore.Width());
    EXPECT_GT(rcAfter.Height(), rcBefore.Height());

    // By the bottom border the top stays.
    pContext->m_nMode = HTBOTTOM;
    pContext->m_rectDragFloat = rcAfter;
    pContext->m_ptLast = CPoint(rcAfter.left + 5, rcAfter.bottom);
    pContext->Stretch(CPoint(rcAfter.left + 5, rcAfter.top + rcBefore.Height()));
    EXPECT_EQ(WindowRect(m_pFirst).top, rcAfter.top);
    EXPECT_EQ(WindowRect(m_pFirst).left, rcAfter.left);
}

TEST_F(DockTest, DragLoopEndsOnEscapeOrQuitAndReleasesTheMouse)
{
    CTKPToolBarDockContext* pContext = m_pSecond->GetDockContext();
    const CRect rcSecond = WindowRect(m_pSecond);
    // A move the system makes up at the cursor's place changes nothing.
    ::SetCursorPos(rcSecond.left + 3, rcSecond.top + 3);

    // Escape: the toolbar stays where it was (no move happened), the capture is released.
    m_pSecond->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    pContext->StartDrag(rcSecond.TopLeft() + CSize(3, 3));
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    EXPECT_EQ(m_pSecond->GetDockBar(), Top());

    // A quit message ends the loop and is put back for the application's loop.
    ::PostQuitMessage(7);
    pContext->StartDrag(rcSecond.TopLeft() + CSize(3, 3));
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);

    // A mouse move inside the loop moves the bar; the button's release ends it.
    const CRect rcLeftDock = WindowRect(m_pCommandBars->GetDockBar(tkpBarLeft));
    CPoint ptClient(rcLeftDock.left + 10, rcLeftDock.top + 60);
    m_pSecond->ScreenToClient(&ptClient);
    m_pSecond->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptClient.x, ptClient.y));
    m_pSecond->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptClient.x, ptClient.y));
    pContext->StartDrag(rcSecond.TopLeft() + CSize(3, 3));
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    EXPECT_EQ(m_pSecond->GetDockBar(), m_pCommandBars->GetDockBar(tkpBarLeft));
}

TEST_F(DockTest, EntriesInsertedByIndexMoveTheBarAndItsWindow)
{
    CTKPDockBar* pBottom = m_pCommandBars->GetDockBar(tkpBarBottom);
    // A saved layout puts the second toolbar into the bottom dock bar as a row of its own.
    pBottom->InsertEntry(-1, m_pSecond);
    pBottom->InsertEntry(-1, NULL);
    Layout();
    EXPECT_EQ(Entries(pBottom), (std::vector<int>{0, 2, 0}));
    EXPECT_EQ(Entries(Top()), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(m_pSecond->GetDockBar(), pBottom);
    EXPECT_EQ(m_pSecond->GetPosition(), tkpBarBottom);
    EXPECT_EQ(::GetParent(m_pSecond->GetSafeHwnd()), pBottom->GetSafeHwnd());
    EXPECT_EQ(WindowRect(m_pSecond).bottom, WindowRect(pBottom).bottom);
    // Inside the list: before the first row.
    pBottom->InsertEntry(1, m_pFirst);
    pBottom->InsertEntry(2, NULL);
    Layout();
    EXPECT_EQ(Entries(pBottom), (std::vector<int>{0, 1, 0, 2, 0}));
    EXPECT_EQ(Entries(Top()), (std::vector<int>{0}));
}

TEST_F(DockTest, AFloatingToolBarHidesWhileTheProgramIsInactiveAndComesBackWithIt)
{
    m_pFrame->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    m_pFrame->SetForegroundWindow();
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == m_pFrame->GetSafeHwnd(); }));
    ASSERT_TRUE(m_pCommandBars->FloatCommandBar(m_pSecond));
    Layout();
    ASSERT_TRUE(m_pSecond->IsWindowVisible());

    // A window of another program (another thread, owned by nothing here) takes the activation.
    HWND hOther = NULL;
    DWORD dwOtherThread = 0;
    HANDLE hReady = ::CreateEventW(NULL, TRUE, FALSE, NULL);
    std::thread other([&] {
        hOther = ::CreateWindowExW(0, L"STATIC", L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 240,
            120, NULL, NULL, ::GetModuleHandleW(NULL), NULL);
        dwOtherThread = ::GetCurrentThreadId();
        ::SetEvent(hReady);
        MSG msg;
        while (::GetMessageW(&msg, NULL, 0, 0) > 0)
            ::DispatchMessageW(&msg);
        ::DestroyWindow(hOther);
    });
    ::WaitForSingleObject(hReady, morvick::test::kStateWaitMs);
    ::CloseHandle(hReady);
    ASSERT_NE(hOther, nullptr);
    ::SetForegroundWindow(hOther);
    EXPECT_TRUE(PumpUntil([&] { return !m_pSecond->IsWindowVisible(); }));
    EXPECT_TRUE(m_pSecond->IsVisible());  // hidden for the while, still shown in the layout

    m_pFrame->SetForegroundWindow();
    EXPECT_TRUE(PumpUntil([&] { return m_pSecond->IsWindowVisible(); }));
    ::PostThreadMessageW(dwOtherThread, WM_QUIT, 0, 0);
    other.join();
    m_pFrame->ShowWindow(SW_HIDE);
}

TEST_F(DockTest, TheExpandPopupOffersTheButtonsTheRowHadNoRoomForAndTheRowsToolbars)
{
    const CRect rcFirst = WindowRect(m_pFirst);
    DropSecondAt(CPoint(rcFirst.right + 40, rcFirst.top), Top());
    ASSERT_EQ(Entries(Top()), (std::vector<int>{0, 2, 1, 0}));
    SetClientWidth(180);
    // The buttons the row hid for lack of room, bar by bar from left to right.
    ASSERT_LT(WindowRect(m_pFirst).left, WindowRect(m_pSecond).left);
    // The bars' own expand buttons, when squeezed out too, offer nothing to run; a button hidden for
    // another reason as well stays out.
    CTKPControl* pAlsoCustomised = m_pSecond->GetControls()->FindControl(111);
    ASSERT_EQ(pAlsoCustomised->GetHideFlags(), (DWORD)tkpHideWrap);
    pAlsoCustomised->SetHideFlags(tkpHideWrap | tkpHideCustomize);
    std::vector<int> hidden;
    for (CTKPToolBar* pBar : {m_pFirst, m_pSecond})
        for (int i = 0; i < pBar->GetControlCount(); ++i)
            if (pBar->GetControl(i)->GetHideFlags() == tkpHideWrap &&
                pBar->GetControl(i)->GetID() != TKP_ID_TOOLBAR_EXPAND)
                hidden.push_back(pBar->GetControl(i)->GetID());
    ASSERT_FALSE(hidden.empty());

    CTKPPopupBar* pPopup = CTKPPopupBar::CreatePopupBar(m_pCommandBars);
    m_pCommandBars->FillExpandPopup(m_pFirst, pPopup);
    std::vector<int> offered;
    for (int i = 0; i < pPopup->GetControlCount(); ++i) {
        CTKPControl* pCopy = pPopup->GetControl(i);
        offered.push_back(pCopy->GetID());
        EXPECT_TRUE(pCopy->IsVisible());
        EXPECT_FALSE(pCopy->GetBeginGroup());
    }
    EXPECT_EQ(offered, hidden);
    EXPECT_EQ(std::count(offered.begin(), offered.end(), TKP_ID_TOOLBAR_EXPAND), 0);
    // The copies are the popup's own: the bar's buttons stay hidden where they are.
    EXPECT_EQ(m_pFirst->GetControls()->FindControl(hidden.front())->GetHideFlags(), (DWORD)tkpHideWrap);

    // The customise part: an entry per toolbar of the row, open on its add-or-remove list only for
    // a built-in bar when the frame handles customisation, then Customize.
    m_pSecond->SetBuiltIn(FALSE);
    for (BOOL bCustomize : {TRUE, FALSE}) {
        SCOPED_TRACE(bCustomize);
        m_pCommandBars->m_bCustomizeAvail = bCustomize;
        pPopup->GetControls()->RemoveAll();
        m_pCommandBars->FillCustomizePopup(m_pFirst, pPopup);
        ASSERT_EQ(pPopup->GetControlCount(), bCustomize ? 3 : 2);
        CTKPControl* pFirstItem = pPopup->GetControl(0);
        CTKPControl* pSecondItem = pPopup->GetControl(1);
        EXPECT_EQ(pSecondItem->GetCaption(), CString(L"Second"));
        EXPECT_FALSE(pSecondItem->GetEnabled());
        EXPECT_EQ(pSecondItem->GetCommandBar(), nullptr);
        EXPECT_EQ(pFirstItem->GetCaption(), m_pFirst->GetTitle());
        EXPECT_TRUE(pFirstItem->GetFlags() & tkpFlagManualUpdate);
        EXPECT_EQ(pFirstItem->GetEnabled(), bCustomize);
        if (bCustomize) {
            // One entry per button the bar was made with, and Reset.
            ASSERT_NE(pFirstItem->GetCommandBar(), nullptr);
            EXPECT_EQ(pFirstItem->GetCommandBar()->GetControlCount(),
                m_pFirst->GetControls()->GetSavedCopy()->GetCount() + 1);
            CTKPControl* pCustomize = pPopup->GetControl(2);
            EXPECT_EQ(pCustomize->GetID(), TKP_ID_CUSTOMIZE);
            EXPECT_TRUE(pCustomize->GetBeginGroup());
        }
    }

    // A floating toolbar has no row: nothing to expand, and its own entry only.
    m_pCommandBars->FloatCommandBar(m_pSecond);
    pPopup->GetControls()->RemoveAll();
    m_pCommandBars->FillExpandPopup(m_pSecond, pPopup);
    EXPECT_EQ(pPopup->GetControlCount(), 0);
    m_pCommandBars->FillCustomizePopup(m_pSecond, pPopup);
    ASSERT_EQ(pPopup->GetControlCount(), 1);
    EXPECT_EQ(pPopup->GetControl(0)->GetCaption(), CString(L"Second"));
    pPopup->InternalRelease();
}

TEST_F(DockTest, AFloatingToolBarShowsItsExpandButtonAsADockedOneDoes)
{
    ASSERT_TRUE(m_pFirst->SetPosition(tkpBarFloating));
    auto expandShown = [this] {
        m_pFirst->OnFloatingLayoutChanged();
        CTKPControl* pExpand = m_pFirst->GetControls()->FindControl(0, TKP_ID_TOOLBAR_EXPAND, FALSE, FALSE);
        return pExpand != nullptr && pExpand->IsVisible();
    };
    // Shown always with the option, as by default.
    ASSERT_TRUE(m_pCommandBars->GetOptions()->bShowExpandButtonAlways);
    EXPECT_TRUE(expandShown());
    // Without it, only when the buttons do not fit on one row.
    m_pCommandBars->GetOptions()->bShowExpandButtonAlways = FALSE;
    EXPECT_FALSE(expandShown());
    m_pFirst->SetMRUWidth(40);
    EXPECT_TRUE(expandShown());
    // A bar that never shows it does not show it floating either.
    m_pCommandBars->GetOptions()->bShowExpandButtonAlways = TRUE;
    m_pFirst->SetShowExpandButton(FALSE);
    EXPECT_FALSE(expandShown());
}
