// Mouse, keyboard and focus: clicks, hot tracking, the drag threshold, the keyboard walk, renaming in
// place, the wheel and the scroll buttons.
#include <gtest/gtest.h>

#include "TaskPanelTestSupport.h"
#include "tests/support/win/InputSupport.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/ToolTipRecord.h"

using namespace tptest;

namespace {

LPARAM PointParam(CPoint pt)
{
    return MAKELPARAM(pt.x, pt.y);
}

void MouseAt(CTKPTaskPanel* pPanel, UINT message, CPoint pt, WPARAM keys = 0)
{
    CPoint screen = pt;
    pPanel->ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    pPanel->SendMessage(message, keys, PointParam(pt));
}

void Click(CTKPTaskPanel* pPanel, CPoint pt)
{
    MouseAt(pPanel, WM_MOUSEMOVE, pt);
    MouseAt(pPanel, WM_LBUTTONDOWN, pt, MK_LBUTTON);
    MouseAt(pPanel, WM_LBUTTONUP, pt);
}

void Key(CTKPTaskPanel* pPanel, UINT vk)
{
    pPanel->SendMessage(WM_KEYDOWN, vk, 0);
}

void SendUnicode(const wchar_t* text)
{
    for (const wchar_t* p = text; *p; ++p) {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wScan = in[1].ki.wScan = *p;
        in[0].ki.dwFlags = KEYEVENTF_UNICODE;
        in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        ::SendInput(2, in, sizeof(INPUT));
    }
}

void SendKey(WORD vk)
{
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof(INPUT));
}

}  // namespace

TEST(TaskPanelMouse, ClicksOnLinksNotifyAndClicksOnCaptionsToggle)
{
    PanelWindow panel;
    FillSamplePanel(panel.Get());
    Host::Get().Activate();
    Host::Get().Reset();
    CTKPTaskPanelGroupItem* pOpen = panel->GetAt(0)->GetAt(0);
    Click(panel.Get(), CentreOf(pOpen));
    ASSERT_EQ(1, Host::Get().Count(tkpTPN_Click));
    EXPECT_EQ((LPARAM)pOpen, Host::Get().notifications.back().param);
    EXPECT_EQ(pOpen, panel->GetFocusedItem());
    EXPECT_FALSE(panel->IsDrawFocusRect());
    EXPECT_EQ(panel->GetSafeHwnd(), ::GetFocus());

    // Text lines take neither focus nor clicks.
    Host::Get().Reset();
    Click(panel.Get(), CentreOf(panel->GetAt(0)->GetAt(3)));
    EXPECT_EQ(0, Host::Get().Count(tkpTPN_Click));
    EXPECT_EQ(pOpen, panel->GetFocusedItem());

    // Pressed on one link and released over another: no click.
    MouseAt(panel.Get(), WM_MOUSEMOVE, CentreOf(pOpen));
    MouseAt(panel.Get(), WM_LBUTTONDOWN, CentreOf(pOpen), MK_LBUTTON);
    EXPECT_EQ(pOpen, panel->GetPressedItem());
    MouseAt(panel.Get(), WM_MOUSEMOVE, CentreOf(panel->GetAt(1)->GetAt(0)), MK_LBUTTON);
    MouseAt(panel.Get(), WM_LBUTTONUP, CentreOf(panel->GetAt(1)->GetAt(0)));
    EXPECT_EQ(0, Host::Get().Count(tkpTPN_Click));
    EXPECT_EQ(nullptr, panel->GetPressedItem());

    CTKPTaskPanelGroup* pPlaces = panel->GetAt(1);
    Click(panel.Get(), CentreOf(pPlaces));
    EXPECT_FALSE(pPlaces->IsExpanded());
    EXPECT_EQ(pPlaces, panel->GetFocusedItem());
    FinishAnimation(panel.Get());
    Click(panel.Get(), CentreOf(pPlaces));
    EXPECT_TRUE(pPlaces->IsExpanded());
    FinishAnimation(panel.Get());

    Host::Get().Reset();
    CTKPTaskPanelGroupItem* pDisk = pPlaces->GetAt(0);
    MouseAt(panel.Get(), WM_MOUSEMOVE, CentreOf(pDisk));
    EXPECT_EQ(pDisk, panel->GetHotItem());
    MouseAt(panel.Get(), WM_LBUTTONDBLCLK, CentreOf(pDisk), MK_LBUTTON);
    MouseAt(panel.Get(), WM_LBUTTONUP, CentreOf(pDisk));
    EXPECT_EQ(1, Host::Get().Count(tkpTPN_DblClick));
    MouseAt(panel.Get(), WM_RBUTTONDOWN, CentreOf(pOpen), MK_RBUTTON);
    EXPECT_EQ(1, Host::Get().Count(tkpTPN_RClick));
    EXPECT_EQ(pOpen, panel->GetFocusedItem());
    panel->SendMessage(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(nullptr, panel->GetHotItem());
    Host::Get().Reset();
}

TEST(TaskPanelMouse, RealClickThroughTheSystemsInputReachesTheLink)
{
    PanelWindow panel;
    FillSamplePanel(panel.Get());
    Host::Get().Activate();
    Host::Get().Reset();
    CTKPTaskPanelGroupItem* pSave = panel->GetAt(0)->GetAt(1);
    CPoint pt = CentreOf(pSave);
    panel->ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    Pump();
    INPUT in[3] = {};
    for (INPUT& each : in)
        each.type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(3, in, sizeof(INPUT));
    morvick::test::PumpUntil([] { return Host::Get().Count(tkpTPN_Click) != 0; });
    ASSERT_EQ(1, Host::Get().Count(tkpTPN_Click));
    EXPECT_EQ((LPARAM)pSave, Host::Get().notifications.back().param);
    Host::Get().Reset();
}

TEST(TaskPanelMouse, ADragStartsOnlyOnceTheMouseMovedMoreThanFourPixels)
{
    PanelWindow panel;
    FillSamplePanel(panel.Get());
    panel->SetAllowDrag(tkpTaskDragInherit);
    Host::Get().Activate();
    Host::Get().Reset();
    Host::Get().answers[tkpTPN_StartDrag] = -1;  // no drag and drop loop in this test
    CTKPTaskPanelGroupItem* pPrint = panel->GetAt(0)->GetAt(2);
    const CPoint pt = CentreOf(pPrint);
    MouseAt(panel.Get(), WM_MOUSEMOVE, pt);
    MouseAt(panel.Get(), WM_LBUTTONDOWN, pt, MK_LBUTTON);
    MouseAt(panel.Get(), WM_MOUSEMOVE, pt + CPoint(2, -2), MK_LBUTTON);
    MouseAt(panel.Get(), WM_MOUSEMOVE, pt + CPoint(0, 4), MK_LBUTTON);
    EXPECT_EQ(0, Host::Get().Count(tkpTPN_StartDrag));
    EXPECT_EQ(pPrint, panel->GetPressedItem());
    MouseAt(panel.Get(), WM_MOUSEMOVE, pt + CPoint(-3, 2), MK_LBUTTON);
    EXPECT_EQ(1, Host::Get().Count(tkpTPN_StartDrag));
    EXPECT_EQ((LPARAM)pPrint, Host::Get().notifications.back().param);
    EXPECT_EQ(nullptr, panel->GetPressedItem());
    EXPECT_EQ(CString(_T("Print")), panel->GetAt(0)->GetAt(2)->GetCaption());
    EXPECT_EQ(4, panel->GetAt(0)->GetItemCount());
    Host::Get().Reset();
}

TEST(TaskPanelKeyboard, ArrowsTabAndShiftTabWalkTheFocusableItems)
{
    PanelWindow panel;
    FillSamplePanel(panel.Get());
    Host::Get().Activate();
    panel->SetFocus();
    CTKPTaskPanelGroup* pTasks = panel->GetAt(0);
    CTKPTaskPanelGroup* pPlaces = panel->GetAt(1);
    CTKPTaskPanelGroup* pDetails = panel->GetAt(2);
    panel->SetFocusedItem(pTasks, TRUE);

    // Down walks every link and group; the text lines are passed over.
    const CTKPTaskPanelItem* down[] = {pTasks->GetAt(0), pTasks->GetAt(1), pTasks->GetAt(2), pPlaces, pPlaces->GetAt(0),
        pPlaces->GetAt(1), pDetails, pDetails};
    for (const CTKPTaskPanelItem* pExpected : down) {
        Key(panel.Get(), VK_DOWN);
        EXPECT_EQ(pExpected, panel->GetFocusedItem()) << (LPCTSTR)pExpected->GetCaption();
    }
    EXPECT_TRUE(panel->IsDrawFocusRect());
    Key(panel.Get(), VK_LEFT);
    EXPECT_EQ(pPlaces->GetAt(1), panel->GetFocusedItem());

    // Tab goes from an item to the next group; Shift+Tab comes back through the last item.
    panel->SetFocusedItem(pTasks->GetAt(0), TRUE);
    Key(panel.Get(), VK_TAB);
    EXPECT_EQ(pPlaces, panel->GetFocusedItem());
    {
        HeldKey shift(VK_SHIFT);
        panel->SetFocusedItem(pDetails, TRUE);
        Key(panel.Get(), VK_TAB);
        EXPECT_EQ(pPlaces->GetAt(1), panel->GetFocusedItem());
        Key(panel.Get(), VK_TAB);
        EXPECT_EQ(pPlaces, panel->GetFocusedItem());
    }

    // The links of a closed group are passed over.
    pPlaces->SetExpanded(FALSE);
    FinishAnimation(panel.Get());
    panel->SetFocusedItem(pTasks->GetAt(2), TRUE);
    Key(panel.Get(), VK_DOWN);
    EXPECT_EQ(pPlaces, panel->GetFocusedItem());
    Key(panel.Get(), VK_DOWN);
    EXPECT_EQ(pDetails, panel->GetFocusedItem());

    // Home and End within the item's collection; End stops short of a text line.
    panel->SetFocusedItem(pTasks->GetAt(1), TRUE);
    Key(panel.Get(), VK_HOME);
    EXPECT_EQ(pTasks->GetAt(0), panel->GetFocusedItem());
    Key(panel.Get(), VK_END);
    EXPECT_EQ(pTasks->GetAt(0), panel->GetFocusedItem());

    // Enter clicks a link, Space opens a group.
    Host::Get().Reset();
    Key(panel.Get(), VK_RETURN);
    EXPECT_EQ(1, Host::Get().Count(tkpTPN_Click));
    panel->SetFocusedItem(pPlaces, TRUE);
    EXPECT_EQ(1, Host::Get().Count(tkpTPN_FocusedItemChanged));
    Key(panel.Get(), VK_SPACE);
    EXPECT_TRUE(pPlaces->IsExpanded());
    FinishAnimation(panel.Get());

    // Leaving the panel takes the focus rectangle away.
    ::SetFocus(Host::Get().Handle());
    EXPECT_FALSE(panel->IsDrawFocusRect());
    Host::Get().Reset();
}

TEST(TaskPanelKeyboard, TabIntoThePanelFocusesItsFirstOrLastItem)
{
    HWND hBefore = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 300, 0, 50, 20,
        Host::Get().Handle(), nullptr, nullptr, nullptr);
    {
        PanelWindow panel;
        HWND hAfter = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 300, 30, 50, 20,
            Host::Get().Handle(), nullptr, nullptr, nullptr);
        FillSamplePanel(panel.Get());
        Host::Get().Activate();
        ::SetFocus(hBefore);
        panel->SetFocus();
        EXPECT_EQ(panel->GetAt(0), panel->GetFocusedItem());
        EXPECT_TRUE(panel->IsDrawFocusRect());
        ::SetFocus(hAfter);
        panel->SetFocus();
        EXPECT_EQ(panel->GetAt(2), panel->GetFocusedItem());
        ::DestroyWindow(hAfter);
    }
    ::DestroyWindow(hBefore);
}

TEST(TaskPanelKeyboard, RenamingInPlaceAsksOnceAndEscapeKeepsTheCaption)
{
    PanelWindow panel;
    FillSamplePanel(panel.Get());
    Host::Get().Activate();
    Host::Get().Reset();
    CTKPTaskPanelGroupItem* pOpen = panel->GetAt(0)->GetAt(0);

    // Typed through the system's keyboard input.
    CTKPTaskPanelEditItem* pEdit = panel->EditItemCaption(pOpen);
    ASSERT_NE(nullptr, pEdit);
    HWND hEdit = pEdit->GetSafeHwnd();
    EXPECT_EQ(hEdit, ::GetFocus());
    SendUnicode(L"Backup");
    SendKey(VK_RETURN);
    EXPECT_TRUE(morvick::test::PumpUntil([&] { return !::IsWindow(hEdit); }));
    EXPECT_EQ(1, Host::Get().Count(tkpTPN_ItemRename));
    EXPECT_EQ(CString(_T("Backup")), pOpen->GetCaption());
    EXPECT_EQ(panel->GetSafeHwnd(), ::GetFocus());

    // Escape: no question and no change.
    Host::Get().Reset();
    pEdit = panel->EditItemCaption(pOpen);
    hEdit = pEdit->GetSafeHwnd();
    ::SendMessage(hEdit, WM_SETTEXT, 0, (LPARAM)L"Other");
    ::SendMessage(hEdit, WM_CHAR, VK_ESCAPE, 0);
    Pump();
    EXPECT_FALSE(::IsWindow(hEdit));
    EXPECT_EQ(0, Host::Get().Count(tkpTPN_ItemRename));
    EXPECT_EQ(CString(_T("Backup")), pOpen->GetCaption());

    // The owner keeps the old caption with a non-zero answer; leaving the edit also ends it.
    Host::Get().answers[tkpTPN_ItemRename] = 1;
    pEdit = panel->EditItemCaption(pOpen);
    hEdit = pEdit->GetSafeHwnd();
    ::SendMessage(hEdit, WM_SETTEXT, 0, (LPARAM)L"Vetoed");
    panel->SetFocus();
    Pump();
    EXPECT_FALSE(::IsWindow(hEdit));
    EXPECT_EQ(1, Host::Get().Count(tkpTPN_ItemRename));
    EXPECT_EQ(CString(_T("Backup")), pOpen->GetCaption());
    Host::Get().Reset();
}

TEST(TaskPanelScrolling, WheelScrollsTenPixelsAndAZeroTurnNothing)
{
    PanelWindow panel(220, 120);
    FillSamplePanel(panel.Get());
    ASSERT_TRUE(panel->IsScrollBarShown());
    const CPoint pt(100, 50);
    panel->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-120), PointParam(pt));
    EXPECT_EQ(10, panel->GetScrollOffset());
    panel->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 0), PointParam(pt));
    EXPECT_EQ(10, panel->GetScrollOffset());
    panel->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), PointParam(pt));
    panel->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), PointParam(pt));
    EXPECT_EQ(0, panel->GetScrollOffset());
    panel->SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(6, panel->GetScrollOffset());
    panel->SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(std::min(6 + panel->GetClientHeight(), panel->GetContentHeight() - panel->GetClientHeight()),
        panel->GetScrollOffset());

    // Hit tests follow the scrolled content.
    panel->SendMessage(WM_VSCROLL, SB_TOP, 0);
    panel->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-120), PointParam(pt));
    CTKPTaskPanelGroupItem* pSave = panel->GetAt(0)->GetAt(1);
    EXPECT_EQ(pSave, panel->HitTestItem(CentreOf(pSave)));
    const CRect rc = pSave->GetItemRect();
    EXPECT_EQ(panel->GetAt(0)->GetTargetClientRect().top + rc.top - 10, pSave->GetHitTestRect().top);

    // Focusing an item below the window scrolls it into view.
    CTKPTaskPanelItem* pLast = panel->GetAt(2);
    panel->SetFocusedItem(pLast, TRUE);
    const CRect rcLast = pLast->GetHitTestRect();
    EXPECT_GE(rcLast.top, 0);
    EXPECT_LE(rcLast.bottom, panel->GetClientHeight());
}

TEST(TaskPanelScrolling, ScrollButtonReleasedAtOnceScrollsExactlyOneRow)
{
    PanelWindow panel(220, 200);
    panel->SetBehaviour(tkpTaskPanelBehaviourList);
    panel->SetItemLayout(tkpTaskItemLayoutImagesWithText);
    CTKPTaskPanelGroup* pGroup = AddGroup(panel.Get(), _T("Many"));
    for (int i = 0; i < 12; ++i) {
        CString s;
        s.Format(_T("Link %d"), i);
        AddItem(pGroup, s);
    }
    AddGroup(panel.Get(), _T("Other"));
    pGroup->SetExpanded(TRUE);
    FinishAnimation(panel.Get());
    CTKPTaskPanelScrollButton* pDown = panel->GetScrollButton(FALSE);
    CTKPTaskPanelScrollButton* pUp = panel->GetScrollButton(TRUE);
    ASSERT_TRUE(pDown->IsVisible());
    EXPECT_TRUE(pDown->bEnabled);
    EXPECT_FALSE(pUp->bEnabled);
    ASSERT_EQ(0, pGroup->GetFirstShownIndex());

    Host::Get().Activate();
    ::SetFocus(Host::Get().Handle());
    const CPoint pt = pDown->rcButton.CenterPoint();
    panel->PostMessage(WM_LBUTTONUP, 0, PointParam(pt));
    MouseAt(panel.Get(), WM_LBUTTONDOWN, pt, MK_LBUTTON);
    EXPECT_EQ(1, pGroup->GetFirstShownIndex());
    EXPECT_FALSE(pDown->bPressed);
    EXPECT_TRUE(pUp->bEnabled);
    EXPECT_EQ(nullptr, ::GetCapture());
    // Like a click anywhere else in the panel, pressing a scroll button gives the panel the focus.
    EXPECT_EQ(panel->GetSafeHwnd(), ::GetFocus());

    // The items scroll with the group: the first shown item stands at the client's top.
    const CTKPTaskPanelGroupItem* pFirst = pGroup->GetAt(1);
    EXPECT_EQ(pGroup->GetClientRect().top + 8, pFirst->GetHitTestRect().top);
    EXPECT_EQ(pFirst, panel->HitTestItem(CentreOf(pFirst)));
    EXPECT_NE(pGroup->GetAt(0), panel->HitTestItem(CentreOf(pGroup->GetAt(0))));  // scrolled away

    // The wheel scrolls the open group's items when there is no scroll bar: three rows a turn.
    ASSERT_FALSE(panel->IsScrollBarShown());
    panel->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-120), PointParam(CPoint(50, 60)));
    EXPECT_EQ(4, pGroup->GetFirstShownIndex());
    panel->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), PointParam(CPoint(50, 60)));
    EXPECT_EQ(1, pGroup->GetFirstShownIndex());
}

// A quit message ends the scroll button's loop after the first row and stays queued for the
// program's own loop.
TEST(TaskPanelScrolling, AQuitMessageEndsTheScrollButtonsLoopAndIsPutBack)
{
    PanelWindow panel(220, 200);
    panel->SetBehaviour(tkpTaskPanelBehaviourList);
    CTKPTaskPanelGroup* pGroup = AddGroup(panel.Get(), _T("Many"));
    for (int i = 0; i < 12; ++i)
        AddItem(pGroup, _T("Link"));
    pGroup->SetExpanded(TRUE);
    FinishAnimation(panel.Get());
    CTKPTaskPanelScrollButton* pDown = panel->GetScrollButton(FALSE);
    ASSERT_TRUE(pDown->bEnabled);
    const CPoint pt = pDown->rcButton.CenterPoint();
    const int nCode = morvick::test::QuitCodeLeftBy(panel->GetSafeHwnd(), 3,
        [&] { MouseAt(panel.Get(), WM_LBUTTONDOWN, pt, MK_LBUTTON); });
    EXPECT_EQ(3, nCode);
    EXPECT_EQ(1, pGroup->GetFirstShownIndex());
    EXPECT_FALSE(pDown->bPressed);
    EXPECT_EQ(nullptr, ::GetCapture());
}

// While an opening group's client area grows, its scroll buttons come as soon as it is 20 pixels
// high, where both stand below its caption and inside the group, and work from then on; lower there
// are none, and its caption takes its clicks.
TEST(TaskPanelScrolling, ScrollButtonsComeAtTwentyPixelsAndNeverStandOverACaption)
{
    PanelWindow panel(220, 150);
    panel->SetTheme(8);  // the buttons in the client area
    panel->SetBehaviour(tkpTaskPanelBehaviourList);
    CTKPTaskPanelGroup* pFirst = AddGroup(panel.Get(), _T("First"));
    AddItem(pFirst, _T("Link"));
    CTKPTaskPanelGroup* pMany = AddGroup(panel.Get(), _T("Many"));
    for (int i = 0; i < 30; ++i)
        AddItem(pMany, _T("Link"));
    pFirst->SetExpanded(TRUE);
    FinishAnimation(panel.Get());
    ASSERT_EQ(pFirst, panel->GetActiveGroup());
    CTKPTaskPanelScrollButton* pDown = panel->GetScrollButton(FALSE);
    CTKPTaskPanelScrollButton* pUp = panel->GetScrollButton(TRUE);

    Host::Get().Activate();
    Click(panel.Get(), pMany->GetCaptionRect().CenterPoint());
    ASSERT_EQ(pMany, panel->GetActiveGroup());
    ::KillTimer(panel->GetSafeHwnd(), CTKPTaskPanel::TIMER_ANIMATION);
    bool bLow = false, bClicked = false;
    for (int nTick = 0; nTick < 20; ++nTick) {
        SCOPED_TRACE(nTick);
        const CRect rcClient = pMany->GetClientRect();
        const bool bPlaced = !pDown->rcButton.IsRectEmpty() && !pUp->rcButton.IsRectEmpty();
        bLow = bLow || (rcClient.Height() > 0 && rcClient.Height() < 20);
        EXPECT_EQ(rcClient.Height() >= 20, bPlaced) << rcClient.Height();
        EXPECT_EQ(pMany, panel->HitTestItem(pMany->GetCaptionRect().CenterPoint()));
        if (bPlaced) {
            EXPECT_GE(pDown->rcButton.top, rcClient.top);
            EXPECT_LE(pUp->rcButton.bottom, rcClient.bottom);
        }
        if (pDown->IsVisible() && rcClient.Height() < 40 && !bClicked) {
            // Pressed and released at once, the down button scrolls one row.
            bClicked = true;
            ASSERT_TRUE(pDown->bEnabled);
            const int nShown = pMany->GetFirstShownIndex();
            const CPoint pt = pDown->rcButton.CenterPoint();
            panel->PostMessage(WM_LBUTTONUP, 0, PointParam(pt));
            MouseAt(panel.Get(), WM_LBUTTONDOWN, pt, MK_LBUTTON);
            EXPECT_EQ(nShown + 1, pMany->GetFirstShownIndex());
            EXPECT_EQ(nullptr, ::GetCapture());
        }
        if (!pMany->IsAnimating())
            break;
        panel->SendMessage(WM_TIMER, CTKPTaskPanel::TIMER_ANIMATION, 0);
    }
    EXPECT_TRUE(bLow) << "the client area was 1 to 19 pixels high in no step";
    EXPECT_TRUE(bClicked) << "the client area was 20 to 39 pixels high in no step";
}

TEST(TaskPanelMouse, TheHotItemsTooltipCarriesItsCaptionAsTitle)
{
    PanelWindow panel;
    FillSamplePanel(panel.Get());
    Host::Get().Activate();
    CTKPTaskPanelGroupItem* pPrint = panel->GetAt(0)->GetAt(2);
    pPrint->SetTooltip(_T("Prints the list of found files"));
    TKPTOOLINFO info = {};
    info.ti.cbSize = sizeof(TKPTOOLINFO);
    // Nothing hot: no tool.
    panel->SetHotItem(nullptr);
    EXPECT_EQ(-1, panel->OnToolHitTest(CentreOf(pPrint), &info.ti));
    MouseAt(panel.Get(), WM_MOUSEMOVE, CentreOf(pPrint));
    ASSERT_EQ(pPrint, panel->GetHotItem());
    EXPECT_EQ(13, panel->OnToolHitTest(CentreOf(pPrint), &info.ti));
    EXPECT_EQ(panel->GetSafeHwnd(), info.ti.hwnd);
    EXPECT_EQ(pPrint->GetHitTestRect(), CRect(info.ti.rect));
    EXPECT_STREQ(L"Prints the list of found files", info.ti.lpszText);
    EXPECT_STREQ(L"Print", info.lpszTitle);
    EXPECT_STREQ(L"Prints the list of found files", info.lpszDescription);
    TKPFreeToolInfoTexts(&info.ti);
    // An item without a tooltip has none.
    MouseAt(panel.Get(), WM_MOUSEMOVE, CentreOf(panel->GetAt(0)->GetAt(0)));
    EXPECT_EQ(-1, panel->OnToolHitTest(CentreOf(panel->GetAt(0)->GetAt(0)), &info.ti));
    panel->SendMessage(WM_MOUSELEAVE, 0, 0);
}

TEST(TaskPanelMouse, NothingHotAndNoTooltipWhileTheCommandBarsTrackAPopup)
{
    PanelWindow panel;
    FillSamplePanel(panel.Get());
    Host::Get().Activate();
    CTKPTaskPanelGroupItem* pPrint = panel->GetAt(0)->GetAt(2);
    pPrint->SetTooltip(_T("Prints the list"));
    const CPoint pt = CentreOf(pPrint);
    panel->SetHotItem(nullptr);

    CTKPCommandBar popup;  // stands for an open menu
    CTKPMouseTracker* pTracker = CTKPCommandBars::GetMouseTracker();
    pTracker->AddTrackedBar(&popup);
    panel->SendMessage(WM_MOUSEMOVE, 0, PointParam(pt));
    EXPECT_EQ(nullptr, panel->GetHotItem());
    panel->SetHotItem(pPrint);
    TKPTOOLINFO info = {};
    info.ti.cbSize = sizeof(TKPTOOLINFO);
    EXPECT_EQ(-1, panel->OnToolHitTest(pt, &info.ti));
    pTracker->RemoveTrackedBar(&popup);

    panel->SetHotItem(nullptr);
    panel->SendMessage(WM_MOUSEMOVE, 0, PointParam(pt));
    EXPECT_EQ(pPrint, panel->GetHotItem());
    EXPECT_EQ(13, panel->OnToolHitTest(pt, &info.ti));
    TKPFreeToolInfoTexts(&info.ti);
    panel->SendMessage(WM_MOUSELEAVE, 0, 0);
}
