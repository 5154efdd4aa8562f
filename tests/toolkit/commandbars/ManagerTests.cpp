// The command-bars manager: its bar list, docking decisions, frame layout, the frame messages it
// takes, hidden commands, options in the profile, keyboard cues, mnemonics and shortcuts, and the
// popup menus it tracks for the frame.
#include <gtest/gtest.h>

#include "classlib/core/CArchive.h"
#include "classlib/core/CMemFile.h"
#include "tests/toolkit/base/TestRegistryKey.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/ControlToolbars.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/DockBar.h"
#include "toolkit/commandbars/KeyBindings.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/ToolBar.h"

#include <string>
#include <vector>

namespace {

class ManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame());
        m_pBars = m_pFrame->GetCommandBars();
    }
    void TearDown() override
    {
        CTKPMouseTracker::GetThreadTracker()->CloseAll();
        if (m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->DestroyWindow();
        PumpPending();
    }
    CTKPToolBar* AddBar(LPCTSTR lpszName, int nPosition, UINT nResource)
    {
        CTKPToolBar* pBar = m_pBars->CreateToolBar(lpszName, nPosition);
        if (pBar != NULL && nResource != 0)
            pBar->LoadToolBar(nResource);
        m_pFrame->RecalcLayout();
        return pBar;
    }
    CTestFrame* m_pFrame = nullptr;
    CTKPCommandBars* m_pBars = nullptr;
};

// A frame that handles the Customize command.
class CCustomizeFrame : public CTestFrame {
public:
    afx_msg void OnCustomize() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCustomizeFrame, CTestFrame)
ON_COMMAND(TKP_ID_CUSTOMIZE, OnCustomize)
END_MESSAGE_MAP()

}  // namespace

TEST_F(ManagerTest, ThePointDocksStrictlyInsideTheDockBarGrownBy20Pixels)
{
    CTKPDockBar* pTop = m_pBars->GetDockBar(tkpBarTop);
    CRect rc;
    pTop->GetWindowRect(&rc);
    const int x = rc.CenterPoint().x;
    EXPECT_EQ(m_pBars->CanDock(CPoint(x, rc.top - 19)), pTop);
    EXPECT_EQ(m_pBars->CanDock(CPoint(x, rc.bottom + 19)), pTop);
    EXPECT_NE(m_pBars->CanDock(CPoint(x, rc.top - 20)), pTop);
    // The current dock bar is asked first.
    CTKPDockBar* pLeft = m_pBars->GetDockBar(tkpBarLeft);
    CRect rcLeft;
    pLeft->GetWindowRect(&rcLeft);
    // A point near the top-left corner lies within both grown rectangles.
    const CPoint ptCorner(rcLeft.left + 1, rcLeft.top - 5);
    EXPECT_EQ(m_pBars->CanDock(ptCorner, pLeft), pLeft);
    EXPECT_EQ(m_pBars->CanDock(ptCorner, NULL), pTop);
}

TEST_F(ManagerTest, TheNextVisibleBarWrapsOnceAndSkipsHiddenBars)
{
    CTKPToolBar* pSecond = AddBar(L"Second", tkpBarTop, 201);
    CTKPToolBar* pThird = AddBar(L"Third", tkpBarTop, 202);
    ASSERT_EQ(m_pBars->GetCount(), 3);
    pSecond->SetVisible(FALSE);
    EXPECT_EQ(m_pBars->GetNextVisibleBar(0, 1), 2);
    EXPECT_EQ(m_pBars->GetNextVisibleBar(2, 1), 0);  // wraps
    EXPECT_EQ(m_pBars->GetNextVisibleBar(-1, 1), 0);
    EXPECT_EQ(m_pBars->GetNextVisibleBar(-1, -1), 2);
    pThird->SetVisible(FALSE);
    EXPECT_EQ(m_pBars->GetNextVisibleBar(0, 1), 0);  // back at the start
    m_pFrame->GetToolBar()->SetVisible(FALSE);
    EXPECT_EQ(m_pBars->GetNextVisibleBar(-1, 1), -1);
    // Arriving back at the start answers the start, visible or not.
    EXPECT_EQ(m_pBars->GetNextVisibleBar(0, -1), 0);
    // So does a step of 0, which never leaves it; outside the list there is no bar to stay at.
    EXPECT_EQ(m_pBars->GetNextVisibleBar(1, 0), 1);
    pThird->SetVisible(TRUE);
    EXPECT_EQ(m_pBars->GetNextVisibleBar(2, 0), 2);
    EXPECT_EQ(m_pBars->GetNextVisibleBar(-1, 0), -1);
    EXPECT_EQ(m_pBars->GetNextVisibleBar(3, 0), -1);
}

TEST_F(ManagerTest, RemovingABarTakesItOutOfTheListAndItsDockRow)
{
    CTKPToolBar* pSecond = AddBar(L"Second", tkpBarBottom, 201);
    CTKPToolBar* pThird = AddBar(L"Third", tkpBarTop, 202);
    CTKPDockBar* pBottom = m_pBars->GetDockBar(tkpBarBottom);
    EXPECT_NE(pBottom->FindBar(pSecond), -1);
    m_pBars->Remove(pSecond);
    EXPECT_EQ(m_pBars->GetCount(), 2);
    EXPECT_EQ(m_pBars->GetAt(1), pThird);
    EXPECT_EQ(m_pBars->FindIndex(pThird), 1);
    EXPECT_EQ(pBottom->GetBars().GetSize(), 1);  // only the leading row end is left
    m_pFrame->RecalcLayout();
    CRect rcBottom;
    pBottom->GetWindowRect(&rcBottom);
    EXPECT_EQ(rcBottom.Height(), 0);
    // A bar that is not in the list changes nothing.
    m_pBars->Remove(pSecond);
    EXPECT_EQ(m_pBars->GetCount(), 2);
}

TEST_F(ManagerTest, ABarThatCannotBePlacedIsDiscardedWithoutTrace)
{
    EXPECT_EQ(m_pBars->CreateToolBar(L"Nowhere", 6), nullptr);
    EXPECT_EQ(m_pBars->GetCount(), 1);
    for (int i = 0; i < 4; ++i) {
        const CArray<CTKPToolBar*, CTKPToolBar*>& entries = m_pBars->GetDockBar(i)->GetBars();
        for (INT_PTR k = 0; k < entries.GetSize(); ++k)
            EXPECT_TRUE(entries[k] == NULL || entries[k] == m_pFrame->GetToolBar());
    }
    // Without a menu-bar class in the program there is no menu bar, and nothing is left behind.
    CRuntimeClass* pOld = CTKPCommandBars::m_pMenuBarClass;
    CTKPCommandBars::m_pMenuBarClass = RUNTIME_CLASS(CTKPToolBar);
    EXPECT_EQ(m_pBars->CreateMenuBar(L"Menu Bar", 128), nullptr);  // a plain toolbar loads no menu
    CTKPCommandBars::m_pMenuBarClass = pOld;
    EXPECT_EQ(m_pBars->GetCount(), 1);
    EXPECT_EQ(m_pBars->GetDockBar(tkpBarTop)->GetBars().GetSize(), 3);  // null, Standard, null
}

TEST_F(ManagerTest, BarsDockedOnEachSideShrinkTheClientArea)
{
    CTKPToolBar* pLeft = AddBar(L"Left", tkpBarLeft, 201);
    CTKPToolBar* pRight = AddBar(L"Right", tkpBarRight, 202);
    CTKPToolBar* pBottom = AddBar(L"Bottom", tkpBarBottom, 201);
    ASSERT_TRUE(pLeft && pRight && pBottom);
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    CRect rcLeft, rcRight, rcBottom, rcTop;
    pLeft->GetWindowRect(&rcLeft);
    pRight->GetWindowRect(&rcRight);
    pBottom->GetWindowRect(&rcBottom);
    m_pFrame->GetToolBar()->GetWindowRect(&rcTop);
    CRect rcRest;
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rcRest);
    EXPECT_EQ(rcRest.top, rcTop.Height());
    EXPECT_EQ(rcRest.bottom, rcClient.bottom - rcBottom.Height());
    EXPECT_EQ(rcRest.left, rcLeft.Width());
    EXPECT_EQ(rcRest.right, rcClient.right - rcRight.Width());
    // Bars docked left and right lay their buttons out in a column.
    CTKPControl* pFirst = pLeft->GetControl(0);
    CTKPControl* pSecond = pLeft->GetControl(1);
    EXPECT_EQ(pFirst->GetRect().left, pSecond->GetRect().left);
    EXPECT_LT(pFirst->GetRect().top, pSecond->GetRect().top);
    EXPECT_GT(rcLeft.Height(), rcLeft.Width());
}

TEST_F(ManagerTest, TheLayoutLockKeepsTheFrameLayoutAsItIs)
{
    CTKPToolBar* pBar = m_pFrame->GetToolBar();
    CRect rcBefore;
    pBar->GetWindowRect(&rcBefore);
    m_pBars->LockLayout(TRUE);
    CTKPToolBar* pSecond = m_pBars->CreateToolBar(L"Second", tkpBarTop);
    pSecond->LoadToolBar(201);
    m_pBars->RecalcFrameLayout(FALSE);
    CRect rcSecond;
    pSecond->GetWindowRect(&rcSecond);
    EXPECT_EQ(rcSecond.Width(), 0);
    m_pBars->LockLayout(FALSE);
    m_pBars->RecalcFrameLayout(FALSE);
    pSecond->GetWindowRect(&rcSecond);
    EXPECT_GT(rcSecond.Width(), 0);
    // The delayed form waits for the idle pass.
    m_pBars->RecalcFrameLayout(TRUE);
    EXPECT_TRUE(m_pFrame->m_nIdleFlags & CFrameWnd::idleLayout);
    m_pBars->IdleRecalcFrameLayout();
    EXPECT_FALSE(m_pFrame->m_nIdleFlags & CFrameWnd::idleLayout);
}

TEST_F(ManagerTest, HiddenCommandsStayHiddenUntilUsed)
{
    const UINT hidden[] = {101, 102};
    m_pBars->HideCommands(hidden, 2);
    EXPECT_TRUE(m_pBars->IsCommandHidden(101));
    EXPECT_FALSE(m_pBars->IsCommandHidden(100));
    m_pBars->SetCommandUsed(100);  // not hidden: not recorded
    EXPECT_EQ(m_pBars->GetOptions()->m_mapUsedCommands.GetCount(), 0);
    m_pBars->SetCommandUsed(101);
    EXPECT_FALSE(m_pBars->IsCommandHidden(101));
    m_pBars->ResetUsageData();
    EXPECT_TRUE(m_pBars->IsCommandHidden(101));

    // Executing a hidden command marks it used.
    m_pFrame->GetToolBar()->GetControls()->FindControl(102)->OnExecute();
    EXPECT_FALSE(m_pBars->IsCommandHidden(102));
}

TEST_F(ManagerTest, APopupIsHiddenOnlyWhenItHasControlsAndAllAreHidden)
{
    CFakePopupBarClass fakePopups;
    CTKPControls* pControls = m_pFrame->GetToolBar()->GetControls();
    CTKPControlPopup* pPopup = static_cast<CTKPControlPopup*>(pControls->Add(tkpControlPopup, 0));
    CTKPCommandBar* pMenu = pPopup->GetCommandBar();
    ASSERT_NE(pMenu, nullptr);
    EXPECT_FALSE(m_pBars->IsControlHidden(pPopup));  // empty
    pMenu->GetControls()->Add(tkpControlButton, 101);
    pMenu->GetControls()->Add(tkpControlButton, 103);
    const UINT hidden[] = {101, 103};
    m_pBars->HideCommands(hidden, 1);
    EXPECT_FALSE(m_pBars->IsControlHidden(pPopup));
    m_pBars->HideCommands(hidden, 2);
    EXPECT_TRUE(m_pBars->IsControlHidden(pPopup));
    m_pBars->GetOptions()->bAutoHideUnusedPopups = FALSE;
    EXPECT_FALSE(m_pBars->IsControlHidden(pPopup));
}

TEST_F(ManagerTest, TheFrameMessagesTheManagerTakes)
{
    LRESULT lResult = 0;
    EXPECT_FALSE(m_pBars->OnFrameWndMsg(WM_CLOSE, 0, 0, &lResult));
    // While a customise dialog is open the frame does not close.
    CWnd dialog;
    dialog.CreateEx(0, AfxRegisterWndClass(0), L"Customize", WS_POPUP, CRect(0, 0, 10, 10), NULL, 0);
    m_pBars->m_pCustomizeDialog = &dialog;
    EXPECT_TRUE(m_pBars->OnFrameWndMsg(WM_CLOSE, 0, 0, &lResult));
    m_pBars->m_pCustomizeDialog = NULL;
    dialog.DestroyWindow();

    // A system command other than the menu key closes the popups.
    CTKPToolBar* pBar = m_pFrame->GetToolBar();
    pBar->SetTrackingMode(CTKPCommandBar::trackingKeyboard, TRUE, TRUE);
    EXPECT_FALSE(m_pBars->OnFrameWndMsg(WM_SYSCOMMAND, SC_KEYMENU, 0, &lResult));
    EXPECT_TRUE(pBar->IsTrackingMode());
    EXPECT_FALSE(m_pBars->OnFrameWndMsg(WM_SYSCOMMAND, SC_MINIMIZE, 0, &lResult));
    EXPECT_FALSE(pBar->IsTrackingMode());
    pBar->SetTrackingMode(CTKPCommandBar::trackingKeyboard, TRUE, TRUE);
    m_pBars->OnFrameWndMsg(WM_ACTIVATEAPP, FALSE, 0, &lResult);
    EXPECT_FALSE(pBar->IsTrackingMode());
}

TEST(ManagerCustomize, TheFrameSaysWhetherItHandlesCustomize)
{
    CTestFrame* pPlain = new CTestFrame;
    ASSERT_TRUE(pPlain->CreateTestFrame(TRUE));
    EXPECT_FALSE(pPlain->GetCommandBars()->IsCustomizeAvail());
    pPlain->DestroyWindow();
    CCustomizeFrame* pCustomize = new CCustomizeFrame;
    ASSERT_TRUE(pCustomize->CreateTestFrame(TRUE));
    EXPECT_TRUE(pCustomize->GetCommandBars()->IsCustomizeAvail());
    pCustomize->DestroyWindow();
}

TEST_F(ManagerTest, OptionsInTheProfileHoldOnlyWhatDiffersFromTheDefaults)
{
    TestRegistryKey key(L"MorvickCommandBarsTests");
    CTKPBarOptions* pOptions = m_pBars->GetOptions();
    pOptions->animationType = 3;
    m_pBars->SaveOptions(L"CommandBars");
    EXPECT_EQ(key.Dword(L"CommandBars-Options", L"Animation"), 3u);
    EXPECT_EQ(key.Raw(L"CommandBars-Options", L"AlwaysShowFullMenus"), 0u);
    EXPECT_EQ(key.Raw(L"CommandBars-Options", L"Schema"), 0u);
    EXPECT_EQ(key.Raw(L"CommandBars-Options", L"UsedCommands"), 0u);

    // A used command is stored; once the usage is reset, the stored value goes as well.
    const UINT hidden[] = {101};
    m_pBars->HideCommands(hidden, 1);
    m_pBars->SetCommandUsed(101);
    pOptions->bAlwaysShowFullMenus = FALSE;
    m_pBars->SaveOptions(L"CommandBars");
    EXPECT_EQ(key.Raw(L"CommandBars-Options", L"UsedCommands"), (DWORD)REG_BINARY);
    EXPECT_EQ(key.Dword(L"CommandBars-Options", L"AlwaysShowFullMenus"), 0u);
    m_pBars->ResetUsageData();
    m_pBars->SaveOptions(L"CommandBars");
    EXPECT_EQ(key.Raw(L"CommandBars-Options", L"UsedCommands"), 0u);

    // Loading brings the stored values back and the defaults of the rest.
    pOptions->bAlwaysShowFullMenus = TRUE;
    pOptions->animationType = 0;
    pOptions->bLargeIcons = TRUE;
    m_pBars->SetCommandUsed(101);
    m_pBars->LoadOptions(L"CommandBars");
    EXPECT_FALSE(pOptions->bAlwaysShowFullMenus);
    EXPECT_EQ(pOptions->animationType, 3);
    EXPECT_FALSE(pOptions->bLargeIcons);
    EXPECT_EQ(pOptions->m_mapUsedCommands.GetCount(), 0);
    // The hidden commands are the program's, never the profile's.
    EXPECT_TRUE(m_pBars->IsCommandHidden(101));
}

TEST_F(ManagerTest, OptionsNeverSavedStayAsTheProgramSetThemUntilTheFirstSave)
{
    TestRegistryKey key(L"MorvickCommandBarsTests");
    CTKPBarOptions* pOptions = m_pBars->GetOptions();
    pOptions->animationType = 3;
    pOptions->bAlwaysShowFullMenus = FALSE;
    m_pBars->LoadOptions(L"CommandBars");
    EXPECT_EQ(pOptions->animationType, 3);
    EXPECT_FALSE(pOptions->bAlwaysShowFullMenus);

    // Once saved, a value back at its default is no longer stored and loads as the default.
    m_pBars->SaveOptions(L"CommandBars");
    EXPECT_EQ(key.Dword(L"CommandBars-Options", L"AlwaysShowFullMenus"), 0u);
    pOptions->bAlwaysShowFullMenus = TRUE;
    m_pBars->SaveOptions(L"CommandBars");
    EXPECT_EQ(key.Raw(L"CommandBars-Options", L"AlwaysShowFullMenus"), 0u);
    pOptions->bAlwaysShowFullMenus = FALSE;
    pOptions->animationType = 0;
    m_pBars->LoadOptions(L"CommandBars");
    EXPECT_TRUE(pOptions->bAlwaysShowFullMenus);
    EXPECT_EQ(pOptions->animationType, 3);
}

namespace {

// Stores the options into an archive and loads them into fresh ones of the same manager.
void RoundTripOptions(CTKPBarOptions* pFrom, CTKPBarOptions* pTo)
{
    CMemFile file(256);
    {
        CArchive ar(&file, CArchive::store);
        pFrom->Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    pTo->Serialize(ar);
}

}  // namespace

TEST_F(ManagerTest, OptionsRoundTripThroughAnArchiveWithTheirIconSizesChecked)
{
    CTKPBarOptions* pOptions = m_pBars->GetOptions();
    // Everything away from its default, the command sets included.
    pOptions->bAlwaysShowFullMenus = FALSE;
    pOptions->bLargeIcons = TRUE;
    pOptions->bSyncFloatingBars = FALSE;
    pOptions->bDblClickFloat = TRUE;
    pOptions->animationType = 2;
    pOptions->szIcons = CSize(20, 20);
    pOptions->szLargeIcons = CSize(40, 40);
    pOptions->szPopupIcons = CSize(24, 24);
    pOptions->keyboardCuesUse = 0;
    pOptions->m_mapUsedCommands.SetAt(101, TRUE);
    pOptions->m_mapHiddenCommands.SetAt(102, TRUE);

    CTKPBarOptions loaded;
    loaded.m_pCommandBars = m_pBars;
    RoundTripOptions(pOptions, &loaded);
    EXPECT_FALSE(loaded.bAlwaysShowFullMenus);
    EXPECT_TRUE(loaded.bLargeIcons);
    EXPECT_FALSE(loaded.bSyncFloatingBars);
    EXPECT_TRUE(loaded.bDblClickFloat);
    EXPECT_EQ(loaded.animationType, 2);
    EXPECT_EQ(loaded.szIcons, CSize(20, 20));
    EXPECT_EQ(loaded.szLargeIcons, CSize(40, 40));
    EXPECT_EQ(loaded.szPopupIcons, CSize(24, 24));
    EXPECT_EQ(loaded.keyboardCuesUse, 0);
    BOOL bValue = FALSE;
    EXPECT_TRUE(loaded.m_mapUsedCommands.Lookup(101, bValue));
    EXPECT_TRUE(loaded.m_mapHiddenCommands.Lookup(102, bValue));

    // Sizes without a pixel (or absurdly large) are refused: the defaults take their place, and a
    // bar's icons stay square.
    pOptions->szIcons = CSize(0, 16);
    pOptions->szLargeIcons = CSize(32, -4);
    pOptions->szPopupIcons = CSize(100000, 16);
    RoundTripOptions(pOptions, &loaded);
    EXPECT_EQ(loaded.szIcons, CSize(0, 0));
    EXPECT_EQ(loaded.szLargeIcons, CSize(0, 0));
    EXPECT_EQ(loaded.szPopupIcons, CSize(16, 16));
}

TEST_F(ManagerTest, KeyboardCuesFollowTheKeyboardOnlyWhenAsked)
{
    CTKPBarOptions* pOptions = m_pBars->GetOptions();
    pOptions->ShowKeyboardCues(1);
    EXPECT_FALSE(m_pBars->IsKeyboardCuesVisible());
    pOptions->ShowKeyboardCues(0);
    EXPECT_TRUE(m_pBars->IsKeyboardCuesVisible());
    // The system shows underlines under Wine: mode 2 keeps them shown and Alt changes nothing.
    BOOL bSystemCues = FALSE;
    ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &bSystemCues, 0);
    pOptions->ShowKeyboardCues(2);
    EXPECT_EQ(m_pBars->IsKeyboardCuesFollowKeyboard(), !bSystemCues);

    // When the cues follow the keyboard, Alt shows them and its release hides them.
    m_pBars->SetKeyboardCuesFollowKeyboard(TRUE);
    m_pBars->ShowKeyboardCues(FALSE);
    EXPECT_FALSE(m_pBars->IsKeyboardCuesVisible());
    m_pBars->ShowKeyboardCues(TRUE);
    EXPECT_TRUE(m_pBars->IsKeyboardCuesVisible());
    MSG up = {m_pFrame->GetSafeHwnd(), WM_SYSKEYUP, VK_MENU, (LPARAM)0xC0000001};
    EXPECT_FALSE(m_pBars->PreTranslateFrameMessage(&up));
    EXPECT_FALSE(m_pBars->IsKeyboardCuesVisible());
}

TEST_F(ManagerTest, AMnemonicSelectsTheMatchingControlForTheKeyboard)
{
    CTKPToolBar* pBar = m_pFrame->GetToolBar();
    // The buttons' captions come from their prompts: Open, Save, Refresh, Print, Find.
    EXPECT_TRUE(m_pBars->OnFrameMnemonic('S'));
    EXPECT_EQ(pBar->GetTrackingMode(), CTKPCommandBar::trackingKeyboard);
    EXPECT_EQ(pBar->GetSelectedIndex(), pBar->GetControls()->FindControl(101)->GetIndex());
    EXPECT_TRUE(pBar->IsKeyboardSelection());
    pBar->SetTrackingMode(CTKPCommandBar::trackingNone, TRUE, FALSE);

    EXPECT_FALSE(m_pBars->OnFrameMnemonic('Q'));

    // The digit on the keypad is no mnemonic (Alt and keypad digits type a character code), though
    // the same digit above the letters is.
    pBar->GetControls()->FindControl(102)->SetCaption(L"&1 Refresh");
    CTKPKeyBindings::SetKeyTranslator(
        [](UINT nKey, HKL) -> WCHAR { return nKey == '1' || nKey == VK_NUMPAD1 ? L'1' : 0; });
    EXPECT_FALSE(m_pBars->OnFrameMnemonic(VK_NUMPAD1));
    EXPECT_FALSE(pBar->IsTrackingMode());
    EXPECT_TRUE(m_pBars->OnFrameMnemonic('1'));
    CTKPKeyBindings::SetKeyTranslator(NULL);
    EXPECT_EQ(pBar->GetSelectedIndex(), pBar->GetControls()->FindControl(102)->GetIndex());
    pBar->SetTrackingMode(CTKPCommandBar::trackingNone, TRUE, FALSE);

    // With a Russian layout alone, "&Файл" answers the A key that types its letter.
    pBar->GetControls()->FindControl(103)->SetCaption(L"&\u0424\u0430\u0439\u043B");
    CTKPKeyBindings::SetLayoutSource([](HKL* pLayouts, int) {
        pLayouts[0] = (HKL)(UINT_PTR)0x04190419;
        return 1;
    });
    CTKPKeyBindings::SetKeyTranslator([](UINT nKey, HKL) -> WCHAR { return nKey == 'A' ? L'\u0444' : 0; });
    EXPECT_TRUE(m_pBars->OnFrameMnemonic('A'));
    CTKPKeyBindings::SetKeyTranslator(NULL);
    CTKPKeyBindings::SetLayoutSource(NULL);
    EXPECT_EQ(pBar->GetSelectedIndex(), pBar->GetControls()->FindControl(103)->GetIndex());
    pBar->SetTrackingMode(CTKPCommandBar::trackingNone, TRUE, FALSE);
    m_pBars->GetOptions()->keyboardCuesUse = 2;
    EXPECT_FALSE(m_pBars->OnFrameMnemonic('S'));
    EXPECT_FALSE(pBar->IsTrackingMode());
}

TEST_F(ManagerTest, ShortcutsReachTheFrameUnlessSuspendedForPrintPreview)
{
    m_pBars->GetKeyBindings()->LoadFromResource(128);
    MSG key = {m_pFrame->GetSafeHwnd(), WM_KEYDOWN, VK_F5, 0x003F0001};
    EXPECT_TRUE(m_pFrame->PreTranslateMessage(&key));
    EXPECT_EQ(m_pFrame->m_commands, (std::vector<UINT>{102}));
    // The frame is never shown: the toolbar's own visible style tells whether it is hidden.
    ASSERT_TRUE(m_pFrame->GetToolBar()->GetStyle() & WS_VISIBLE);
    m_pFrame->OnSetPreviewMode(TRUE, NULL);
    EXPECT_FALSE(m_pFrame->GetToolBar()->GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(m_pFrame->PreTranslateMessage(&key));
    m_pFrame->OnSetPreviewMode(FALSE, NULL);
    EXPECT_TRUE(m_pFrame->GetToolBar()->GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(m_pFrame->PreTranslateMessage(&key));
    EXPECT_EQ(m_pFrame->m_commands.size(), 2u);
}

TEST_F(ManagerTest, AControlNotificationWithoutHandlerLeavesTheResultAlone)
{
    NMTKPCONTROL nm = {};
    nm.hdr.idFrom = 9000;  // the test frame handles 100-199 only
    nm.hdr.code = TKPN_EXECUTE;
    LRESULT lResult = 1234;
    EXPECT_FALSE(m_pFrame->OnWndMsg(TKPM_CONTROLNOTIFY, 9000, (LPARAM)&nm, &lResult));
    EXPECT_EQ(lResult, 1234);
    nm.hdr.idFrom = 150;
    m_pFrame->m_nNotifyAnswer = 5;
    EXPECT_TRUE(m_pFrame->OnWndMsg(TKPM_CONTROLNOTIFY, 150, (LPARAM)&nm, &lResult));
    EXPECT_EQ(lResult, 5);
}

TEST_F(ManagerTest, APopupTrackedForACommandReturnsTheChosenId)
{
    CFakePopupBarClass fakePopups;
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(128));
    int nItems = 0;
    auto pick = [&](CFakePopupBar* pPopup) {
        nItems = pPopup->GetControlCount();
        pPopup->GetControls()->FindControl(101)->OnExecute();
    };
    CTKPCommandBar* pPopup = CTKPCommandBars::CreatePopupBar(NULL);
    static_cast<CFakePopupBar*>(pPopup)->m_onOpen = pick;
    ASSERT_TRUE(pPopup->LoadMenu(menu.GetSubMenu(0)));
    const UINT nResult = CTKPCommandBars::TrackPopupMenu(pPopup, TPM_RETURNCMD | TPM_NONOTIFY, 10, 20, m_pFrame);
    EXPECT_EQ(nResult, 101u);
    EXPECT_EQ(nItems, 3);
    EXPECT_EQ(static_cast<CFakePopupBar*>(pPopup)->m_dwPopupFlags, 2u);
    EXPECT_EQ(static_cast<CFakePopupBar*>(pPopup)->m_ptPopup, CPoint(10, 20));
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    pPopup->InternalRelease();

    // Without the return flag the command goes to the owner window.
    pPopup = CTKPCommandBars::CreatePopupBar(NULL);
    static_cast<CFakePopupBar*>(pPopup)->m_onOpen = pick;
    pPopup->LoadMenu(menu.GetSubMenu(0));
    EXPECT_EQ(CTKPCommandBars::TrackPopupMenu(pPopup, TPM_RIGHTALIGN, 0, 0, m_pFrame), (UINT)TRUE);
    EXPECT_EQ(static_cast<CFakePopupBar*>(pPopup)->m_dwPopupFlags, 3u);
    EXPECT_EQ(m_pFrame->m_commands, (std::vector<UINT>{101}));
    pPopup->InternalRelease();
}

TEST_F(ManagerTest, AQuitMessageWhileAPopupIsTrackedClosesItAndReachesTheMainLoop)
{
    CFakePopupBarClass fakePopups;
    CTKPCommandBar* pPopup = CTKPCommandBars::CreatePopupBar(NULL);
    pPopup->GetControls()->Add(tkpControlButton, 100);
    static_cast<CFakePopupBar*>(pPopup)->m_onOpen = [](CFakePopupBar*) { ::PostQuitMessage(3); };
    EXPECT_EQ(CTKPCommandBars::TrackPopupMenu(pPopup, TPM_RETURNCMD, 0, 0, m_pFrame), 0u);
    EXPECT_FALSE(pPopup->IsTrackingMode());
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    pPopup->InternalRelease();
}

TEST_F(ManagerTest, AQuitMessageWhileTheToolbarsMenuIsOpenClosesItAndReachesTheMainLoop)
{
    CFakePopupBarClass fakePopups;
    CTKPCommandBar* pSeen = nullptr;
    m_pFrame->m_onToolbarContextMenu = [&](CTKPCommandBar* pPopup) {
        pSeen = pPopup;
        static_cast<CFakePopupBar*>(pPopup)->m_onOpen = [](CFakePopupBar*) { ::PostQuitMessage(4); };
    };
    m_pBars->ShowBarsContextMenu(0, 20, 20);
    ASSERT_NE(pSeen, nullptr);
    EXPECT_EQ(CTKPMouseTracker::GetThreadTracker()->GetTrackedCount(), 0);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 4u);
}

TEST_F(ManagerTest, ANestedPopupLocksTheOpenOnesUntilItCloses)
{
    CFakePopupBarClass fakePopups;
    CTKPToolBar* pBar = m_pFrame->GetToolBar();
    pBar->SetTrackingMode(CTKPCommandBar::trackingKeyboard, TRUE, TRUE);
    int nLockInside = -1;
    CTKPCommandBar* pPopup = CTKPCommandBars::CreatePopupBar(m_pBars);
    pPopup->GetControls()->Add(tkpControlButton, 104);
    static_cast<CFakePopupBar*>(pPopup)->m_onOpen = [&](CFakePopupBar* p) {
        nLockInside = pBar->GetLockCounter();
        p->GetControl(0)->OnExecute();
    };
    EXPECT_EQ(CTKPCommandBars::TrackPopupMenu(pPopup, TPM_RETURNCMD | TPM_RECURSE, 0, 0, m_pFrame), 104u);
    EXPECT_EQ(nLockInside, 1);
    EXPECT_TRUE(pBar->IsTrackingMode());  // the outer bar stays open
    EXPECT_EQ(pBar->GetLockCounter(), 0);
    pPopup->InternalRelease();
}

TEST_F(ManagerTest, TheToolbarsMenuListsEveryToolbarThatMayBeClosed)
{
    CFakePopupBarClass fakePopups;
    CTKPToolBar* pHidden = AddBar(L"Hidden", tkpBarTop, 201);
    pHidden->SetVisible(FALSE);
    CTKPToolBar* pFixed = AddBar(L"Fixed", tkpBarTop, 202);
    pFixed->SetCloseable(FALSE);
    CTKPCommandBar* pPopup = m_pBars->CreateToolbarsPopup();
    ASSERT_EQ(pPopup->GetControlCount(), 2);
    EXPECT_EQ(pPopup->GetControl(0)->GetID(), TKP_ID_TOOLBARLIST + 0);
    EXPECT_EQ(pPopup->GetControl(0)->GetCaption(), CString(L"Standard"));
    EXPECT_EQ(pPopup->GetControl(0)->GetChecked(), 1);
    EXPECT_EQ(pPopup->GetControl(1)->GetID(), TKP_ID_TOOLBARLIST + 1);
    EXPECT_EQ(pPopup->GetControl(1)->GetParameter(), CString(L"1"));
    EXPECT_EQ(pPopup->GetControl(1)->GetChecked(), 0);
    pPopup->InternalRelease();

    m_pBars->ToggleBarVisible(1);
    EXPECT_TRUE(pHidden->IsVisible());
}

TEST_F(ManagerTest, TheToolbarsMenuListsAToolbarAtTheFirstIndexOnceWhenLaidOut)
{
    // "Standard" is the bar at index 0: its entry's id is the first toolbar-list id, the id by
    // which menus name the toolbar-list placeholder (a class the program links, as this test does).
    ASSERT_EQ(CRuntimeClass::FromName("CTKPControlToolbars"), RUNTIME_CLASS(CTKPControlToolbars));
    AddBar(L"Second", tkpBarTop, 201);
    ASSERT_EQ(m_pBars->GetAt(0), static_cast<CTKPCommandBar*>(m_pFrame->GetToolBar()));
    CTKPCommandBar* pPopup = m_pBars->CreateToolbarsPopup();
    ASSERT_NE(pPopup, nullptr);
    pPopup->CalcDynamicLayout(0, 0);
    std::vector<std::wstring> captions;
    for (int i = 0; i < pPopup->GetControlCount(); i++)
        if (pPopup->GetControl(i)->IsVisible())
            captions.push_back(static_cast<LPCWSTR>(pPopup->GetControl(i)->GetCaption()));
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"Standard", L"Second"}));
    EXPECT_EQ(pPopup->GetControl(0)->GetID(), TKP_ID_TOOLBARLIST);
    EXPECT_EQ(pPopup->GetControl(0)->GetChecked(), 1);
    pPopup->InternalRelease();
}
