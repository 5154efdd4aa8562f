// Where the panel puts its groups and items, at several widths, after groups open and close, with
// and without animation, in every item layout, and when the content outgrows the window.
#include <gtest/gtest.h>

#include "TaskPanelTestSupport.h"

using namespace tptest;

namespace {

const CString kLongText(_T("The selected files are copied to the folder that you choose next."));

// The margins every group of the default theme keeps.
const int kControlMargin = 12, kSpacing = 15, kInnerLeft = 11, kInnerTop = 8, kInnerBottom = 8;

}  // namespace

TEST(TaskPanelLayout, GroupsStackWithinTheMarginsAndItemsFollowEachOtherAtEveryWidth)
{
    int previousClient = 0;
    for (int width : {400, 260, 160}) {
        SCOPED_TRACE(width);
        PanelWindow panel(width, 900);
        FillSamplePanel(panel.Get());
        panel->GetAt(0)->GetAt(3)->SetCaption(kLongText);
        FinishAnimation(panel.Get());
        ASSERT_FALSE(panel->IsScrollBarShown());
        int y = kControlMargin;
        for (int i = 0; i < panel->GetGroupCount(); ++i) {
            const CTKPTaskPanelGroup* pGroup = panel->GetAt(i);
            const CRect& rc = pGroup->GetTargetRect();
            EXPECT_EQ(y, rc.top);
            EXPECT_EQ(kControlMargin, rc.left);
            EXPECT_EQ(width - kControlMargin, rc.right);
            EXPECT_EQ(rc, pGroup->GetCurrentRect());
            EXPECT_EQ(panel->GetPaintManager()->GetCaptionHeight(), pGroup->GetCaptionHeight());
            EXPECT_EQ(rc.top + pGroup->GetCaptionHeight() + pGroup->GetClientHeight(), rc.bottom);
            int itemTop = kInnerTop;
            for (int j = 0; j < pGroup->GetItemCount(); ++j) {
                const CRect& rcItem = pGroup->GetAt(j)->GetItemRect();
                EXPECT_EQ(itemTop, rcItem.top);
                EXPECT_EQ(kControlMargin + kInnerLeft, rcItem.left);
                EXPECT_LE(rcItem.right, width - kControlMargin - kInnerLeft);
                EXPECT_GT(rcItem.Height(), 0);
                itemTop = rcItem.bottom;
            }
            EXPECT_EQ(itemTop + kInnerBottom, pGroup->GetClientHeight());
            y = rc.bottom + kSpacing;
        }
        EXPECT_EQ(y - kSpacing + kControlMargin, panel->GetContentHeight());
        // The long line wraps into more lines as the panel narrows.
        const int client = panel->GetAt(0)->GetClientHeight();
        EXPECT_GE(client, previousClient);
        previousClient = client;
    }
    PanelWindow wide(400, 900), narrow(160, 900);
    FillSamplePanel(wide.Get());
    FillSamplePanel(narrow.Get());
    wide->GetAt(0)->GetAt(3)->SetCaption(kLongText);
    narrow->GetAt(0)->GetAt(3)->SetCaption(kLongText);
    EXPECT_GT(narrow->GetAt(0)->GetAt(3)->GetItemRect().Height(), wide->GetAt(0)->GetAt(3)->GetItemRect().Height());
}

TEST(TaskPanelLayout, CollapsingGlidesInAtMostTenTicksAndTheGroupsBelowMoveUp)
{
    PanelWindow panel(220, 600);
    FillSamplePanel(panel.Get());
    Host::Get().Reset();
    CTKPTaskPanelGroup* pTasks = panel->GetAt(0);
    CTKPTaskPanelGroup* pPlaces = panel->GetAt(1);
    const int client = pTasks->GetClientHeight();
    const int placesTop = pPlaces->GetTargetRect().top;
    const int content = panel->GetContentHeight();

    pTasks->SetExpanded(FALSE);
    ASSERT_EQ(1, Host::Get().Count(tkpTPN_GroupExpanding));
    EXPECT_EQ(pTasks, Host::Get().notifications[0].group);
    EXPECT_FALSE(Host::Get().notifications[0].expanding);
    EXPECT_TRUE(pTasks->IsAnimating());
    EXPECT_EQ(0, Host::Get().Count(tkpTPN_GroupExpanded));
    const int ticks = FinishAnimation(panel.Get());
    EXPECT_GE(ticks, 2);
    EXPECT_LE(ticks, 10);
    EXPECT_EQ(1, Host::Get().Count(tkpTPN_GroupExpanded));
    EXPECT_FALSE(pTasks->IsExpanding());
    EXPECT_EQ(pTasks->GetTargetRect().top + pTasks->GetCaptionHeight(), pTasks->GetCurrentRect().bottom);
    EXPECT_EQ(placesTop - client, pPlaces->GetTargetRect().top);
    EXPECT_EQ(content - client, panel->GetContentHeight());

    // An answer of -1 keeps the group as it is.
    Host::Get().answers[tkpTPN_GroupExpanding] = -1;
    pTasks->SetExpanded(TRUE);
    EXPECT_FALSE(pTasks->IsExpanded());
    EXPECT_FALSE(pTasks->IsAnimating());
    Host::Get().Reset();
}

TEST(TaskPanelLayout, WithoutAnimationAGroupSnapsAndReportsItsEndAtOnce)
{
    PanelWindow panel(220, 600);
    FillSamplePanel(panel.Get());
    panel->SetAnimation(tkpTaskAnimationNo);
    Host::Get().Reset();
    panel->ExpandGroup(panel->GetAt(1), FALSE);
    EXPECT_FALSE(panel->GetAt(1)->IsAnimating());
    EXPECT_FALSE(panel->GetAt(2)->IsAnimating());
    EXPECT_EQ(1, Host::Get().Count(tkpTPN_GroupExpanded));
    EXPECT_EQ(0, FinishAnimation(panel.Get()));
    Host::Get().Reset();
}

TEST(TaskPanelLayout, EmptyPanelIsItsMarginsAndTabLeavesIt)
{
    HWND hBefore = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 300, 0, 50, 20,
        Host::Get().Handle(), nullptr, nullptr, nullptr);
    {
        PanelWindow panel(200, 300);
        HWND hAfter = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 300, 30, 50, 20,
            Host::Get().Handle(), nullptr, nullptr, nullptr);
        EXPECT_EQ(2 * kControlMargin, panel->GetContentHeight());
        EXPECT_EQ(nullptr, panel->GetNextItem(nullptr, 1, TRUE));
        EXPECT_EQ(nullptr, panel->GetNextItem(nullptr, -1, FALSE));
        Host::Get().Activate();
        panel->SetFocus();
        panel->SendMessage(WM_KEYDOWN, VK_TAB, 0);
        EXPECT_EQ(hAfter, ::GetFocus());
        ::DestroyWindow(hAfter);
    }
    ::DestroyWindow(hBefore);
}

TEST(TaskPanelLayout, ScrollBarShowsExactlyWhileTheContentIsTallerThanTheWindow)
{
    PanelWindow panel(220, 160);
    FillSamplePanel(panel.Get());
    ASSERT_GT(panel->GetContentHeight(), 160);
    EXPECT_TRUE(panel->IsScrollBarShown());
    SCROLLINFO si = {sizeof(si), SIF_ALL};
    panel->GetScrollInfo(SB_VERT, &si);
    EXPECT_EQ(panel->GetContentHeight() - 1, si.nMax);
    EXPECT_EQ((UINT)panel->GetClientHeight(), si.nPage);
    // The bar takes its width from the client area: the groups are laid out narrower.
    CRect rcClient;
    panel->GetClientRect(&rcClient);
    EXPECT_EQ(rcClient.right - kControlMargin, panel->GetAt(0)->GetTargetRect().right);

    panel->SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(panel->GetContentHeight() - panel->GetClientHeight(), panel->GetScrollOffset());
    for (int i = 0; i < panel->GetGroupCount(); ++i)
        panel->GetAt(i)->SetExpanded(FALSE);
    FinishAnimation(panel.Get());
    EXPECT_LE(panel->GetContentHeight(), 160);
    EXPECT_FALSE(panel->IsScrollBarShown());
    EXPECT_EQ(0, panel->GetScrollOffset());
}

TEST(TaskPanelLayout, InBehaviourOneOpeningAGroupClosesTheOtherAndFillsTheWindow)
{
    PanelWindow panel(220, 400);
    FillSamplePanel(panel.Get());
    panel->SetBehaviour(tkpTaskPanelBehaviourList);
    CTKPTaskPanelGroup* pTasks = panel->GetAt(0);
    CTKPTaskPanelGroup* pPlaces = panel->GetAt(1);
    for (int i = 0; i < panel->GetGroupCount(); ++i)
        EXPECT_FALSE(panel->GetAt(i)->IsExpanded());
    pTasks->SetExpanded(TRUE);
    FinishAnimation(panel.Get());
    EXPECT_TRUE(pTasks->IsExpanded());
    EXPECT_EQ(pTasks, panel->GetActiveGroup());

    Host::Get().Reset();
    pPlaces->SetExpanded(TRUE);
    EXPECT_EQ(1, Host::Get().Count(tkpTPN_GroupExpanding));
    EXPECT_EQ(pPlaces, Host::Get().notifications[0].group);
    FinishAnimation(panel.Get());
    EXPECT_FALSE(pTasks->IsExpanded());
    EXPECT_TRUE(pPlaces->IsExpanded());
    EXPECT_EQ(2, Host::Get().Count(tkpTPN_GroupExpanded));  // both ends of the exchange
    EXPECT_EQ(pTasks->GetCaptionHeight(), pTasks->GetTargetRect().Height());
    // The open group takes all the height the captions leave.
    EXPECT_EQ(panel->GetClientHeight(), panel->GetContentHeight());
    // Closing does nothing in this behaviour.
    pPlaces->SetExpanded(FALSE);
    EXPECT_TRUE(pPlaces->IsExpanded());

    // A group the user may not open or close keeps its state.
    CTKPTaskPanelGroup* pDetails = panel->GetAt(2);
    pDetails->SetExpandable(FALSE);
    pDetails->SetExpandedFlag(TRUE);
    EXPECT_TRUE(pDetails->IsExpanded());
    Host::Get().Reset();
}

TEST(TaskPanelLayout, IconGridAndColumnsPlaceItemsInCells)
{
    PanelWindow panel(400, 600);
    CTKPTaskPanelGroup* pGrid = AddGroup(panel.Get(), _T("Grid"));
    pGrid->SetItemLayout(tkpTaskItemLayoutImages);
    for (int i = 0; i < 14; ++i)
        AddItem(pGrid, _T("icon"));
    // 400 - 24 - 22 = 354 pixels: twelve cells of 16 + 12.
    ASSERT_EQ(12, pGrid->GetItemsInRow());
    for (int i = 0; i < pGrid->GetItemCount(); ++i) {
        const CRect& rc = pGrid->GetAt(i)->GetItemRect();
        EXPECT_EQ(CRect(23 + (i % 12) * 28, 8 + (i / 12) * 28, 23 + (i % 12) * 28 + 28, 8 + (i / 12) * 28 + 28), rc);
    }
    EXPECT_EQ(8 + 2 * 28 + 8, pGrid->GetClientHeight());

    CTKPTaskPanelGroup* pColumns = AddGroup(panel.Get(), _T("Columns"));
    for (int i = 0; i < 5; ++i)
        AddItem(pColumns, i == 4 ? (LPCTSTR)kLongText : _T("short"));
    panel->SetColumns(TRUE, 100);
    EXPECT_EQ(3, pColumns->GetItemsInRow());
    int rowBottom = 0;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(23 + i * 100, pColumns->GetAt(i)->GetItemRect().left);
        EXPECT_EQ(8, pColumns->GetAt(i)->GetItemRect().top);
        rowBottom = std::max(rowBottom, (int)pColumns->GetAt(i)->GetItemRect().bottom);
    }
    EXPECT_EQ(rowBottom, pColumns->GetAt(3)->GetItemRect().top);
    EXPECT_EQ(123, pColumns->GetAt(4)->GetItemRect().left);
    EXPECT_LE(pColumns->GetAt(4)->GetItemRect().right, 223);
    EXPECT_EQ(pColumns->GetAt(4)->GetItemRect().bottom + 8, pColumns->GetClientHeight());

    // Icons above their captions: centred in the width, the icon's height and the text's.
    panel->SetColumns(FALSE);
    pColumns->SetItemLayout(tkpTaskItemLayoutImagesWithTextBelow);
    const CRect& rcShort = pColumns->GetAt(0)->GetItemRect();
    EXPECT_NEAR(200, (rcShort.left + rcShort.right) / 2, 1);
    EXPECT_GT(rcShort.Height(), 16 + 3);
}

TEST(TaskPanelLayout, HiddenGroupsAndItemsTakeNoRoom)
{
    PanelWindow panel(220, 600);
    FillSamplePanel(panel.Get());
    const int places = panel->GetAt(1)->GetTargetRect().Height();
    const int content = panel->GetContentHeight();
    panel->GetAt(1)->SetVisible(FALSE);
    FinishAnimation(panel.Get());
    EXPECT_EQ(content - places - kSpacing, panel->GetContentHeight());
    EXPECT_EQ(panel->GetAt(0)->GetTargetRect().bottom + kSpacing, panel->GetAt(2)->GetTargetRect().top);

    CTKPTaskPanelGroup* pTasks = panel->GetAt(0);
    const int saveTop = pTasks->GetAt(1)->GetItemRect().top;
    pTasks->GetAt(0)->SetVisible(FALSE);
    EXPECT_EQ(kInnerTop, pTasks->GetAt(1)->GetItemRect().top);
    EXPECT_LT(kInnerTop, saveTop);
    EXPECT_TRUE(pTasks->GetAt(0)->GetHitTestRect().IsRectEmpty());
}

TEST(TaskPanelLayout, HostedControlsStandAtTheirItemsAndArePicturedWhileTheirGroupMoves)
{
    PanelWindow panel(240, 500);
    FillSamplePanel(panel.Get());
    CTKPTaskPanelGroup* pPlaces = panel->GetAt(1);
    HWND hEdit = ::CreateWindowExW(0, L"EDIT", L"C:\\Recovered", WS_CHILD | WS_BORDER, 0, 0, 100, 22,
        panel->GetSafeHwnd(), nullptr, nullptr, nullptr);
    CTKPTaskPanelGroupItem* pItem = new CTKPTaskPanelGroupItem;
    pItem->SetControlHandle(hEdit);
    pPlaces->GetItems()->InsertAt(1, pItem);
    FinishAnimation(panel.Get());

    auto controlRect = [&]() {
        CRect rc;
        ::GetWindowRect(hEdit, &rc);
        panel->ScreenToClient(&rc);
        return rc;
    };
    ASSERT_TRUE(::IsWindowVisible(hEdit));
    EXPECT_EQ(pItem->GetHitTestRect(), controlRect());
    EXPECT_EQ(240 - 2 * kControlMargin - 2 * kInnerLeft, controlRect().Width());
    EXPECT_EQ(22, controlRect().Height());
    // The item after the control starts below it.
    EXPECT_EQ(pItem->GetItemRect().bottom, pPlaces->GetAt(2)->GetItemRect().top);

    // While the group closes the control is hidden and a picture of it stands in its place.
    pPlaces->SetExpanded(FALSE);
    panel->SendMessage(WM_TIMER, CTKPTaskPanel::TIMER_ANIMATION, 0);
    EXPECT_FALSE(::IsWindowVisible(hEdit));
    EXPECT_NE(nullptr, pItem->GetPreview());
    FinishAnimation(panel.Get());
    EXPECT_FALSE(::IsWindowVisible(hEdit));
    EXPECT_EQ(nullptr, pItem->GetPreview());
    pPlaces->SetExpanded(TRUE);
    FinishAnimation(panel.Get());
    EXPECT_TRUE(::IsWindowVisible(hEdit));
    EXPECT_EQ(pItem->GetHitTestRect(), controlRect());

    // The control follows the scrolled content.
    panel->SetWindowPos(nullptr, 0, 0, 240, 150, SWP_NOMOVE | SWP_NOZORDER);
    FinishAnimation(panel.Get());
    ASSERT_TRUE(panel->IsScrollBarShown());
    const int top = controlRect().top;
    panel->SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(top - 6, controlRect().top);

    // An item leaving the panel hides its control.
    pItem->Remove();
    EXPECT_FALSE(::IsWindowVisible(hEdit));
    ::DestroyWindow(hEdit);
}
