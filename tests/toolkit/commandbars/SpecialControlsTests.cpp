// The special controls of menus and bars: the lists that the window list, the toolbar list and the
// recent-file list expand into, the numbered captions, the grid selector, and the custom control
// that hosts a child window; a combo box's items through the saved layout.
#include <gtest/gtest.h>

#include "classlib/win/CMDIFrameWnd.h"
#include "classlib/win/CRecentFileList.h"
#include "tests/toolkit/commandbars/Bars3TestSupport.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/ControlComboBox.h"
#include "toolkit/commandbars/ControlCustom.h"
#include "toolkit/commandbars/ControlLabel.h"
#include "toolkit/commandbars/ControlRecentFileList.h"
#include "toolkit/commandbars/ControlSelector.h"
#include "toolkit/commandbars/ControlToolbars.h"
#include "toolkit/commandbars/ControlWindowList.h"
#include "toolkit/commandbars/ControlWorkspaceActions.h"
#include "toolkit/commandbars/TabClientWnd.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/PopupBar.h"
#include "toolkit/commandbars/WindowHookManager.h"

namespace {

// The captions of the controls after the one at nIndex.
std::vector<CString> CaptionsAfter(CTKPCommandBar* pBar, int nIndex)
{
    std::vector<CString> captions;
    for (int i = nIndex + 1; i < pBar->GetControlCount(); ++i)
        captions.push_back(pBar->GetControl(i)->GetCaption());
    return captions;
}

}  // namespace

TEST(SpecialControlsCaption, WindowListCaptionsAreNumberedAndShowAmpersandsAsWritten)
{
    EXPECT_EQ(FormatWindowListCaption(L"Doc", 0), CString(L"Doc"));
    EXPECT_EQ(FormatWindowListCaption(L"Doc", 1), CString(L"&1 Doc"));
    EXPECT_EQ(FormatWindowListCaption(L"Doc", 9), CString(L"&9 Doc"));
    EXPECT_EQ(FormatWindowListCaption(L"Doc", 10), CString(L"1&0 Doc"));
    EXPECT_EQ(FormatWindowListCaption(L"Doc", 11), CString(L"11 Doc"));
    EXPECT_EQ(FormatWindowListCaption(L"R&D", 2), CString(L"&2 R&&D"));
    EXPECT_EQ(NumberMenuCaption(L"R&&D", 2), CString(L"&2 R&&D"));
}

TEST(SpecialControlsWindowList, ListsNineOfTheVisibleChildrenTheActiveOneChecked)
{
    CMDIFrameWnd* pFrame = new CMDIFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, L"MDI", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(0, 0, 600, 400)));
    std::vector<CMDIChildWnd*> children;
    for (int i = 0; i < 12; ++i) {
        CString strTitle;
        strTitle.Format(i == 0 ? L"R&D %d" : L"Doc %d", i + 1);
        CMDIChildWnd* pChild = new CMDIChildWnd;
        // The second child is hidden and stays out of the list.
        const DWORD dwVisible = i == 1 ? 0 : WS_VISIBLE;
        ASSERT_TRUE(
            pChild->Create(NULL, strTitle, WS_CHILD | dwVisible | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, pFrame));
        children.push_back(pChild);
    }
    pFrame->MDIActivate(children[4]);
    PumpPending();

    CTKPPopupBar* pPopup = CTKPPopupBar::CreatePopupBar(NULL);
    pPopup->SetOwnerWnd(pFrame);
    pPopup->GetControls()->Add(tkpControlButton, 100)->SetCaption(L"&New");
    CTKPControl* pPlaceholder = pPopup->GetControls()->Add(new CTKPControlWindowList, 35000);
    ASSERT_TRUE(pPlaceholder->IsKindOf(RUNTIME_CLASS(CTKPControlWindowList)));

    for (int nPass = 0; nPass < 2; ++nPass) {
        pPlaceholder->OnCalcDynamicSize(0);
        EXPECT_FALSE(pPlaceholder->IsVisible());
        ASSERT_EQ(pPopup->GetControlCount(), 2 + 9) << "pass " << nPass;
        const std::vector<CString> captions = CaptionsAfter(pPopup, 1);
        EXPECT_EQ(captions[0], CString(L"&1 R&&D 1"));
        EXPECT_EQ(captions[1], CString(L"&2 Doc 3"));
        EXPECT_EQ(captions[8], CString(L"&9 Doc 10"));
        for (int i = 2; i < pPopup->GetControlCount(); ++i) {
            CTKPControl* pItem = pPopup->GetControl(i);
            EXPECT_TRUE(pItem->IsTemporary());
            EXPECT_EQ(pItem->GetBeginGroup(), i == 2);
            EXPECT_EQ(pItem->GetFlags(), (DWORD)tkpFlagManualUpdate);
            // Child 5 is active: it is the fourth listed (the second child is hidden).
            EXPECT_EQ(pItem->GetChecked(), i == 5 ? 1 : 0) << i;
        }
        EXPECT_EQ(pPopup->GetControl(2)->GetID(), 0xFF00);
    }

    // With every child hidden there is nothing to list: the placeholder takes its place again.
    for (CMDIChildWnd* pChild : children)
        pChild->ShowWindow(SW_HIDE);
    pPlaceholder->OnCalcDynamicSize(0);
    EXPECT_TRUE(pPlaceholder->IsVisible());
    EXPECT_EQ(pPopup->GetControlCount(), 2);

    // Without an MDI frame the placeholder shows itself.
    pPopup->SetOwnerWnd(NULL);
    pPopup->SetCommandBars(NULL);
    CFrameWnd* pPlain = new CFrameWnd;
    ASSERT_TRUE(pPlain->Create(NULL, L"SDI", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    pPopup->SetOwnerWnd(pPlain);
    pPlaceholder->OnCalcDynamicSize(0);
    EXPECT_TRUE(pPlaceholder->IsVisible());
    EXPECT_EQ(pPopup->GetControlCount(), 2);

    pPopup->InternalRelease();
    pPlain->DestroyWindow();
    pFrame->DestroyWindow();
    PumpPending();
}

namespace {

class SpecialControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new CBars3Frame;
        ASSERT_TRUE(m_pFrame->CreateBars3Frame());
        m_pCommandBars = m_pFrame->GetCommandBars();
        m_pPopup = CTKPPopupBar::CreatePopupBar(m_pCommandBars);
    }
    void TearDown() override
    {
        m_pPopup->InternalRelease();
        m_pFrame->DestroyWindow();
        PumpPending();
    }
    CBars3Frame* m_pFrame = nullptr;
    CTKPCommandBars* m_pCommandBars = nullptr;
    CTKPPopupBar* m_pPopup = nullptr;
};

}  // namespace

TEST_F(SpecialControlsTest, ToolbarListOffersTheClosableToolbarsAndItsButtonsShowAndHideThem)
{
    CTKPToolBar* pExtra = m_pCommandBars->CreateToolBar(L"Extra", tkpBarTop);
    CTKPToolBar* pQuiet = m_pCommandBars->CreateToolBar(L"Quiet", tkpBarTop);
    ASSERT_TRUE(pExtra != NULL && pQuiet != NULL);
    pQuiet->SetContextMenuPresent(FALSE);
    m_pFrame->RecalcLayout();
    ASSERT_TRUE(pExtra->IsVisible());

    CTKPControl* pPlaceholder = m_pPopup->GetControls()->Add(new CTKPControlToolbars, TKP_ID_TOOLBARLIST);
    pPlaceholder->OnCalcDynamicSize(0);
    std::vector<CString> captions = CaptionsAfter(m_pPopup, 0);
    ASSERT_EQ(captions.size(), 2u);
    EXPECT_EQ(captions[0], CString(L"Standard"));
    EXPECT_EQ(captions[1], CString(L"Extra"));
    CTKPControl* pExtraItem = m_pPopup->GetControl(2);
    EXPECT_EQ(pExtraItem->GetParameter(), CString(TKP_TOOLBAR_ITEM_PARAMETER));
    EXPECT_EQ(pExtraItem->GetID(), TKP_ID_TOOLBARLIST);
    EXPECT_EQ(m_pCommandBars->GetAt((int)pExtraItem->GetTag()), (CTKPCommandBar*)pExtra);
    EXPECT_EQ(pExtraItem->GetChecked(), 1);

    pExtraItem->OnExecute();
    EXPECT_FALSE(pExtra->IsVisible());
    pPlaceholder->OnCalcDynamicSize(0);
    ASSERT_EQ(m_pPopup->GetControlCount(), 3);
    EXPECT_EQ(m_pPopup->GetControl(2)->GetChecked(), 0);
    m_pPopup->GetControl(2)->OnExecute();
    EXPECT_TRUE(pExtra->IsVisible());

    // Customize follows when asked and offered; in customisation the placeholder stands alone.
    const int nAdded = CTKPControlToolbars::AddToolbarItems(m_pPopup, m_pPopup->GetControlCount(), 500, TRUE);
    CTKPControl* pLast = m_pPopup->GetControl(m_pPopup->GetControlCount() - 1);
    if (m_pCommandBars->IsCustomizeAvail()) {
        EXPECT_EQ(nAdded, 3);
        EXPECT_EQ(pLast->GetID(), 35001);
        EXPECT_TRUE(pLast->GetBeginGroup());
    } else {
        EXPECT_EQ(nAdded, 2);
    }
    m_pPopup->GetControls()->RemoveAll();
    pPlaceholder = m_pPopup->GetControls()->Add(new CTKPControlToolbars, TKP_ID_TOOLBARLIST);
    m_pCommandBars->SetCustomizeMode(TRUE);
    pPlaceholder->OnCalcDynamicSize(0);
    m_pCommandBars->SetCustomizeMode(FALSE);
    EXPECT_TRUE(pPlaceholder->IsVisible());
    EXPECT_EQ(m_pPopup->GetControlCount(), 1);
}

TEST_F(SpecialControlsTest, RecentFilesAreListedByNameAndAnEmptyListLeavesTheEntryDisabled)
{
    WCHAR szTemp[MAX_PATH] = {}, szOldDir[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, szTemp);
    ::GetCurrentDirectoryW(MAX_PATH, szOldDir);
    CString strDir = szTemp;
    ::SetCurrentDirectoryW(strDir);

    CScopedRecentFileList list(10);

    m_pPopup->GetControls()->Add(tkpControlButton, 100)->SetCaption(L"&Open");
    CTKPControl* pPlaceholder = m_pPopup->GetControls()->Add(new CTKPControlRecentFileList, 0xE110);
    pPlaceholder->SetCaption(L"Recent File");
    pPlaceholder->OnCalcDynamicSize(0);
    EXPECT_TRUE(pPlaceholder->IsVisible());
    EXPECT_FALSE(pPlaceholder->GetEnabled());
    EXPECT_EQ(m_pPopup->GetControlCount(), 2);

    for (int i = 10; i >= 1; --i) {
        CString strName;
        strName.Format(i == 1 ? L"%lsR&D %d.txt" : L"%lsfile %d.txt", (LPCTSTR)strDir, i);
        list.Add(strName);
    }
    for (int nPass = 0; nPass < 2; ++nPass) {
        pPlaceholder->OnCalcDynamicSize(0);
        EXPECT_FALSE(pPlaceholder->IsVisible());
        const std::vector<CString> captions = CaptionsAfter(m_pPopup, 1);
        ASSERT_EQ(captions.size(), 10u);
        EXPECT_EQ(captions[0], CString(L"&1 R&&D 1.txt"));
        EXPECT_EQ(captions[1], CString(L"&2 file 2.txt"));
        EXPECT_EQ(captions[9], CString(L"1&0 file 10.txt"));
        EXPECT_EQ(m_pPopup->GetControl(2)->GetID(), 57616);
        EXPECT_EQ(m_pPopup->GetControl(11)->GetID(), 57625);
        EXPECT_TRUE(m_pPopup->GetControl(2)->GetBeginGroup());
        EXPECT_FALSE(m_pPopup->GetControl(3)->GetBeginGroup());
    }

    // In customisation the entry itself shows, enabled.
    m_pCommandBars->SetCustomizeMode(TRUE);
    pPlaceholder->OnCalcDynamicSize(0);
    m_pCommandBars->SetCustomizeMode(FALSE);
    EXPECT_TRUE(pPlaceholder->IsVisible());
    EXPECT_TRUE(pPlaceholder->GetEnabled());
    EXPECT_EQ(m_pPopup->GetControlCount(), 2);

    ::SetCurrentDirectoryW(szOldDir);
}

TEST_F(SpecialControlsTest, AUsersOwnControlAfterAPlaceholderOutlivesItsExpansions)
{
    CScopedRecentFileList list(4);
    list.Add(L"C:\\one.txt");
    list.Add(L"C:\\two.txt");

    // Each placeholder is followed by a control of the user's that it would take for one of its
    // own by id or parameter.
    CTKPControls* pControls = m_pPopup->GetControls();
    CTKPControl* placeholders[] = {pControls->Add(new CTKPControlToolbars, TKP_ID_TOOLBARLIST),
        pControls->Add(tkpControlButton, 500, TKP_TOOLBAR_ITEM_PARAMETER),
        pControls->Add(new CTKPControlWindowList, 35000), pControls->Add(tkpControlButton, 0xFF05),
        pControls->Add(new CTKPControlRecentFileList, 0xE110), pControls->Add(tkpControlButton, 57617)};
    placeholders[1]->SetCaption(L"My toolbar");
    placeholders[3]->SetCaption(L"My window");
    placeholders[5]->SetCaption(L"My file");
    for (int nMine = 1; nMine < 6; nMine += 2)
        placeholders[nMine]->InternalAddRef();
    for (int nPass = 0; nPass < 3; ++nPass) {
        for (int i = 0; i < 6; i += 2)
            placeholders[i]->OnCalcDynamicSize(0);
        for (int nMine = 1; nMine < 6; nMine += 2) {
            int nFound = 0;
            for (int i = 0; i < m_pPopup->GetControlCount(); ++i)
                nFound += m_pPopup->GetControl(i) == placeholders[nMine] ? 1 : 0;
            EXPECT_EQ(nFound, 1) << "pass " << nPass << ", control " << nMine;
        }
    }
    // The expansions still come and go: one toolbar, two files.
    int nTemporary = 0;
    for (int i = 0; i < m_pPopup->GetControlCount(); ++i)
        nTemporary += m_pPopup->GetControl(i)->IsTemporary() ? 1 : 0;
    EXPECT_EQ(nTemporary, 3);
    for (int nMine = 1; nMine < 6; nMine += 2)
        placeholders[nMine]->InternalRelease();
}

TEST_F(SpecialControlsTest, SelectorHighlightsTheBlockUnderThePointerGrowsToItsMaximumAndChoosesOnAClick)
{
    CTKPToolBar* pBar = m_pFrame->GetToolBar();
    CTKPControlSelector* pSelector = new CTKPControlSelector;
    pBar->GetControls()->Add(pSelector, 110);
    m_pFrame->RecalcLayout();
    const CRect rc = pSelector->GetRect();
    EXPECT_EQ(rc.Size(), CSize(5 * 28, 4 * 28));
    EXPECT_EQ(pSelector->GetSelection(), CSize(0, 0));

    // The third cell of the second row.
    pSelector->OnMouseMove(CPoint(rc.left + 2 * 28 + 5, rc.top + 28 + 5));
    EXPECT_EQ(pSelector->GetSelection(), CSize(3, 2));
    pSelector->OnClick(FALSE, CPoint(rc.left + 2 * 28 + 5, rc.top + 28 + 5));
    EXPECT_EQ(pSelector->GetChosenSize(), CSize(3, 2));
    ASSERT_FALSE(m_pFrame->m_commands.empty());
    EXPECT_EQ(m_pFrame->m_commands.back(), 110u);

    // Past the bottom-right the grid grows, but not beyond 12 x 12.
    EXPECT_EQ(pSelector->CalcGrownGrid(CPoint(rc.right + 28 + 3, rc.bottom + 5)), CSize(7, 5));
    EXPECT_EQ(pSelector->CalcGrownGrid(CPoint(rc.right + 1000, rc.bottom + 1000)), CSize(12, 12));
    EXPECT_EQ(pSelector->CalcGrownGrid(CPoint(rc.left + 3, rc.top + 3)), CSize(5, 4));

    // A label is skipped by the keyboard and stays where it is in customisation.
    CTKPControl* pLabel = pBar->GetControls()->Add(tkpControlLabel, 111);
    EXPECT_TRUE(pLabel->IsKindOf(RUNTIME_CLASS(CTKPControlLabel)));
    EXPECT_EQ(pLabel->GetFlags(), (DWORD)0x12);
}

TEST_F(SpecialControlsTest, CustomControlHostsAWindowInTheBarAndHidesItInAVerticalBar)
{
    CWnd edit;
    ASSERT_TRUE(edit.CreateEx(0, L"EDIT", L"hosted", WS_POPUP, CRect(0, 0, 100, 20), m_pFrame, 0));
    ::SetWindowLongPtrW(edit.GetSafeHwnd(), GWLP_ID, 4321);
    CTKPToolBar* pBar = m_pFrame->GetToolBar();
    CTKPControlCustom* pCustom = new CTKPControlCustom;
    pBar->GetControls()->Add(pCustom, 120);
    pCustom->SetControl(edit.GetSafeHwnd());
    pCustom->SetBorders(CRect(2, 2, 2, 2));
    pCustom->SetVerticalOptions(CTKPControlCustom::verticalButton);
    m_pFrame->RecalcLayout();

    EXPECT_EQ(pCustom->GetRect().Size(), CSize(104, 24));
    EXPECT_EQ(::GetParent(edit.GetSafeHwnd()), pBar->GetSafeHwnd());
    EXPECT_TRUE(edit.GetStyle() & WS_CHILD);
    EXPECT_FALSE(edit.GetStyle() & WS_POPUP);
    EXPECT_TRUE(edit.GetStyle() & WS_VISIBLE);
    CRect rcWindow;
    edit.GetWindowRect(&rcWindow);
    pBar->ScreenToClient(&rcWindow);
    CRect rcInside = pCustom->GetRect();
    rcInside.DeflateRect(2, 2);
    EXPECT_EQ(rcWindow, rcInside);
    EXPECT_EQ(pCustom->GetControlId(), 4321);
    EXPECT_EQ(CTKPControlCustom::FindControlWindow(m_pCommandBars, 4321), edit.GetSafeHwnd());
    EXPECT_TRUE(CTKPWindowHookManager::GetInstance()->Lookup(edit.GetSafeHwnd()) != NULL);

    pCustom->SetEnabled(FALSE);
    EXPECT_FALSE(edit.IsWindowEnabled());
    pCustom->SetEnabled(TRUE);

    // Vertical: the window hides and the control is a button; horizontal again: back.
    pCustom->OnCalcDynamicSize(LM_VERTDOCK);
    EXPECT_FALSE(edit.GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(pCustom->IsControlShown());
    pCustom->OnCalcDynamicSize(LM_HORZDOCK);
    EXPECT_TRUE(edit.GetStyle() & WS_VISIBLE);

    // With option 0 a vertical bar hides the whole control.
    pCustom->SetVerticalOptions(CTKPControlCustom::verticalHide);
    pCustom->OnCalcDynamicSize(LM_VERTDOCK);
    EXPECT_EQ(pCustom->GetHideFlags() & tkpHideDockingVertical, (DWORD)tkpHideDockingVertical);
    EXPECT_FALSE(edit.GetStyle() & WS_VISIBLE);
    pCustom->OnCalcDynamicSize(LM_HORZDOCK);
    EXPECT_EQ(pCustom->GetHideFlags(), 0u);

    // The saved layout names the window by its id, from schema 6 on.
    CTKPControlCustom* pLoaded = new CTKPControlCustom;
    EXPECT_TRUE(RoundTripControl(pCustom, pLoaded, m_pCommandBars));
    EXPECT_EQ(pLoaded->GetControl(), edit.GetSafeHwnd());
    EXPECT_EQ(pLoaded->GetBorders(), CRect(2, 2, 2, 2));
    EXPECT_EQ(pLoaded->GetControlSize(), CSize(100, 20));
    pLoaded->InternalRelease();
    CTKPControlCustom* pOldLayout = new CTKPControlCustom;
    EXPECT_TRUE(RoundTripControl(pCustom, pOldLayout, m_pCommandBars, 5));
    EXPECT_EQ(pOldLayout->GetControl(), (HWND)NULL);
    pOldLayout->InternalRelease();

    // A custom control may be dropped into popup bars only.
    DWORD dwEffect = DROPEFFECT_MOVE;
    EXPECT_FALSE(pCustom->IsCustomizeDragOverAvail(pBar, CPoint(0, 0), dwEffect));
    EXPECT_EQ(dwEffect, 0u);
    dwEffect = DROPEFFECT_MOVE;
    EXPECT_TRUE(pCustom->IsCustomizeDragOverAvail(m_pPopup, CPoint(0, 0), dwEffect));

    pBar->GetControls()->Remove(pCustom);
    edit.DestroyWindow();
}

TEST_F(SpecialControlsTest, ADamagedLayoutGivesGridsAndHostedWindowsOnlySizesWithinBounds)
{
    // A saved grid of a hundred thousand cells a side would take for ever to draw.
    CTKPControlSelector* pSelector = new CTKPControlSelector;
    pSelector->SetItemsCount(CSize(100000, 100000));
    pSelector->SetItemsMax(CSize(-4, 1000000));
    pSelector->SetItemSize(CSize(28, 1 << 30));
    CTKPControlSelector* pLoadedSelector = new CTKPControlSelector;
    ASSERT_TRUE(RoundTripControl(pSelector, pLoadedSelector, m_pCommandBars));
    pLoadedSelector->OnCalcDynamicSize(0);
    EXPECT_EQ(pLoadedSelector->GetShownGrid(), CSize(100, 100));
    EXPECT_EQ(pLoadedSelector->GetItemSize(), CSize(28, 32000));
    EXPECT_EQ(pLoadedSelector->GetSize(NULL), CSize(100 * 28, 100 * 32000));
    EXPECT_EQ(pLoadedSelector->CalcGrownGrid(CPoint(1000000, 1000000)), CSize(100, 100));
    pLoadedSelector->InternalRelease();
    pSelector->InternalRelease();

    // A hosted window's size and borders that would overflow the control's arithmetic.
    CTKPControlCustom* pCustom = new CTKPControlCustom;
    pCustom->SetControlSize(CSize(2000000000, -5));
    pCustom->SetBorders(CRect(-3, 2000000000, 1, 2));
    CTKPControlCustom* pLoadedCustom = new CTKPControlCustom;
    ASSERT_TRUE(RoundTripControl(pCustom, pLoadedCustom, m_pCommandBars));
    EXPECT_EQ(pLoadedCustom->GetControlSize(), CSize(32000, 0));
    EXPECT_EQ(pLoadedCustom->GetBorders(), CRect(0, 32000, 1, 2));
    pLoadedCustom->InternalRelease();
    pCustom->InternalRelease();
}

TEST_F(SpecialControlsTest, AComboBoxsItemsAndSettingsGoThroughTheSavedLayout)
{
    CTKPControlComboBox* pCombo = new CTKPControlComboBox;
    pCombo->SetDropDownListStyle(TRUE);
    pCombo->SetWidth(140);
    pCombo->SetEditHint(L"Type here");
    pCombo->EnableAutoComplete(TRUE);
    pCombo->SetMaxVisibleItems(7);
    pCombo->AddString(L"alpha");
    pCombo->AddString(L"beta");
    pCombo->AddString(L"");
    CTKPControlComboBox* pLoaded = new CTKPControlComboBox;
    EXPECT_TRUE(RoundTripControl(pCombo, pLoaded, m_pCommandBars));
    EXPECT_TRUE(pLoaded->GetDropDownListStyle());
    EXPECT_EQ(pLoaded->GetWidth(), 140);
    EXPECT_EQ(pLoaded->GetEditHint(), CString(L"Type here"));
    EXPECT_TRUE(pLoaded->IsAutoCompleteEnabled());
    EXPECT_EQ(pLoaded->GetMaxVisibleItems(), 7);
    ASSERT_EQ(pLoaded->GetCount(), 3);
    EXPECT_EQ(pLoaded->GetItemText(1), CString(L"beta"));
    EXPECT_EQ(pLoaded->GetItemText(2), CString());
    pLoaded->InternalRelease();
    pCombo->InternalRelease();
}

TEST(SpecialControlsWorkspaceActions, OfferTheMovesOfTheActiveTabThatArePossibleNow)
{
    CMDIFrameWnd* pFrame = new CMDIFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, L"MDI", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(0, 0, 640, 480)));
    CTKPPopupBar* pPopup = CTKPPopupBar::CreatePopupBar(NULL);
    pPopup->SetOwnerWnd(pFrame);
    pPopup->GetControls()->Add(tkpControlButton, 100)->SetCaption(L"&Cascade");
    CTKPControl* pPlaceholder = pPopup->GetControls()->Add(new CTKPControlWorkspaceActions, 35002);
    pPlaceholder->SetBeginGroup(TRUE);

    // A plain MDI client: the placeholder stays and nothing is added.
    pPlaceholder->OnCalcDynamicSize(0);
    EXPECT_TRUE(pPlaceholder->IsVisible());
    EXPECT_EQ(pPopup->GetControlCount(), 2);

    CTKPTabClientWnd tabClient;
    ASSERT_TRUE(tabClient.AttachToFrame(pFrame, TRUE));
    std::vector<CMDIChildWnd*> children;
    for (int i = 0; i < 2; ++i) {
        CMDIChildWnd* pChild = new CMDIChildWnd;
        ASSERT_TRUE(pChild->Create(NULL, i == 0 ? L"First" : L"Second", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
            CFrameWnd::rectDefault, pFrame));
        children.push_back(pChild);
    }
    tabClient.Refresh(FALSE);
    PumpPending();

    // One group with two tabs: a new group either way, no group before or after.
    for (int nPass = 0; nPass < 2; ++nPass) {
        pPlaceholder->OnCalcDynamicSize(0);
        EXPECT_FALSE(pPlaceholder->IsVisible());
        ASSERT_EQ(pPopup->GetControlCount(), 4);
        EXPECT_EQ(pPopup->GetControl(2)->GetID(), TKP_ID_TABGROUP_NEW_HORZ);
        EXPECT_EQ(pPopup->GetControl(3)->GetID(), TKP_ID_TABGROUP_NEW_VERT);
        EXPECT_EQ(pPopup->GetControl(2)->GetCaption(), CString(L"New Hori&zontal Tab Group"));
        EXPECT_TRUE(pPopup->GetControl(2)->GetBeginGroup());
        EXPECT_FALSE(pPopup->GetControl(3)->GetBeginGroup());
    }

    // The active tab moved into a group of its own beside the first: it can go back, not further.
    CTKPTabManagerItem* pItem = NULL;
    ASSERT_TRUE(tabClient.IsWorkspaceCommandEnabled(TKP_ID_TABGROUP_NEW_VERT, &pItem));
    tabClient.MoveTabToWorkspace(pItem, tabClient.GetWorkspace(0), tkpNewVerticalGroup);
    PumpPending();
    ASSERT_EQ(tabClient.GetWorkspaceCount(), 2);
    pPlaceholder->OnCalcDynamicSize(0);
    std::vector<int> ids;
    for (int i = 2; i < pPopup->GetControlCount(); ++i)
        ids.push_back(pPopup->GetControl(i)->GetID());
    EXPECT_EQ(ids, std::vector<int>{TKP_ID_TABGROUP_PREVIOUS});
    EXPECT_TRUE(pPopup->GetControl(2)->GetBeginGroup());

    // In customisation the placeholder shows itself, also once the groups are gone.
    ASSERT_TRUE(tabClient.DetachFromFrame());
    CTKPCommandBars* pCommandBars = static_cast<CTKPCommandBars*>(RUNTIME_CLASS(CTKPCommandBars)->CreateObject());
    pPopup->SetCommandBars(pCommandBars);
    pCommandBars->SetCustomizeMode(TRUE);
    ASSERT_FALSE(pPlaceholder->IsVisible());
    pPlaceholder->OnCalcDynamicSize(0);
    EXPECT_TRUE(pPlaceholder->IsVisible());
    EXPECT_EQ(pPopup->GetControlCount(), 2);
    pCommandBars->SetCustomizeMode(FALSE);
    pPopup->SetCommandBars(NULL);
    pCommandBars->InternalRelease();

    pPopup->InternalRelease();
    pFrame->DestroyWindow();
    PumpPending();
}
