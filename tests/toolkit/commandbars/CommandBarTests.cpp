// The bar window and its controls collection: keyboard navigation and mnemonics while the bar is
// tracked, the idle command-UI update, popups opened along a bar, timers while locked, and the
// collection's look-ups, keyboard stepping and menu loading.
#include <gtest/gtest.h>

#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/ControlButton.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/ToolBar.h"

namespace {

int g_nBeeps = 0;
BOOL WINAPI CountBeep(UINT)
{
    ++g_nBeeps;
    return TRUE;
}

// Holds keys down in the thread's keyboard state for the life of the object.
class CHeldKeys {
public:
    explicit CHeldKeys(std::initializer_list<int> keys)
    {
        ::GetKeyboardState(m_saved);
        BYTE state[256];
        memcpy(state, m_saved, sizeof(state));
        for (int k : keys)
            state[k] |= 0x80;
        ::SetKeyboardState(state);
    }
    ~CHeldKeys() { ::SetKeyboardState(m_saved); }

private:
    BYTE m_saved[256];
};

class CommandBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame());
        m_pBar = m_pFrame->GetToolBar();
        CTKPCommandBar::SetBeepFunction(CountBeep);
        g_nBeeps = 0;
    }
    void TearDown() override
    {
        CTKPCommandBar::SetBeepFunction(NULL);
        CTKPMouseTracker::GetThreadTracker()->CloseAll();
        if (m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->DestroyWindow();
        PumpPending();
    }
    int Key(UINT nChar) { return m_pBar->OnHookKeyDown(nChar, 0x00000001); }
    int Index(int nId) { return m_pBar->GetControls()->FindControl(nId)->GetIndex(); }
    void Track() { m_pBar->SetTrackingMode(CTKPCommandBar::trackingKeyboard, TRUE, TRUE); }

    CTestFrame* m_pFrame = nullptr;
    CTKPToolBar* m_pBar = nullptr;
};

}  // namespace

TEST_F(CommandBarTest, ArrowsHomeAndEndMoveTheSelectionAndRightToLeftMirrorsThem)
{
    Track();
    EXPECT_EQ(m_pBar->GetSelectedIndex(), Index(100));
    EXPECT_EQ(Key(VK_RIGHT), 1);
    EXPECT_EQ(m_pBar->GetSelectedIndex(), Index(101));
    EXPECT_EQ(Key(VK_LEFT), 1);
    EXPECT_EQ(m_pBar->GetSelectedIndex(), Index(100));
    EXPECT_EQ(Key(VK_LEFT), 1);  // wraps
    EXPECT_EQ(m_pBar->GetSelectedIndex(), Index(104));
    EXPECT_EQ(Key(VK_HOME), 1);
    EXPECT_EQ(m_pBar->GetSelectedIndex(), Index(100));
    EXPECT_EQ(Key(VK_END), 1);
    EXPECT_EQ(m_pBar->GetSelectedIndex(), Index(104));

    m_pBar->ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    EXPECT_EQ(Key(VK_HOME), 1);
    EXPECT_EQ(Key(VK_LEFT), 1);
    EXPECT_EQ(m_pBar->GetSelectedIndex(), Index(101));
    m_pBar->ModifyStyleEx(WS_EX_LAYOUTRTL, 0);
}

TEST_F(CommandBarTest, TabMovesAndEscapeEndsTheTracking)
{
    Track();
    EXPECT_EQ(Key(VK_TAB), 1);
    EXPECT_EQ(m_pBar->GetSelectedIndex(), Index(101));
    {
        CHeldKeys shift({VK_SHIFT});
        EXPECT_EQ(Key(VK_TAB), 1);
    }
    EXPECT_EQ(m_pBar->GetSelectedIndex(), Index(100));
    EXPECT_EQ(Key(VK_ESCAPE), 1);
    EXPECT_FALSE(m_pBar->IsTrackingMode());
    EXPECT_EQ(m_pBar->GetSelectedIndex(), -1);
}

TEST_F(CommandBarTest, ReturnExecutesTheSelectedControl)
{
    Track();
    Key(VK_RIGHT);
    EXPECT_EQ(Key(VK_RETURN), 1);
    EXPECT_EQ(m_pFrame->m_commands, (std::vector<UINT>{101}));
}

TEST_F(CommandBarTest, MnemonicsSelectSharedOnesAndExecuteUniqueOnes)
{
    CTKPControls* pControls = m_pBar->GetControls();
    pControls->FindControl(100)->SetCaption(L"&Alpha");
    pControls->FindControl(101)->SetCaption(L"&Apple");
    pControls->FindControl(102)->SetCaption(L"&Beta");
    pControls->FindControl(103)->SetCaption(L"Gamma");
    pControls->FindControl(104)->SetCaption(L"Bravo");
    Track();
    m_pBar->SetSelected(-1, TRUE);

    // Two underlined A's: the first is selected, nothing runs.
    EXPECT_EQ(Key('A'), 1);
    EXPECT_EQ(m_pBar->GetSelectedIndex(), Index(100));
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    // The underlined B wins over the B that is only a first letter, and runs.
    EXPECT_EQ(Key('B'), 1);
    EXPECT_EQ(m_pFrame->m_commands, (std::vector<UINT>{102}));

    Track();
    EXPECT_EQ(Key('G'), 1);
    EXPECT_EQ(m_pFrame->m_commands, (std::vector<UINT>{102, 103}));
    EXPECT_EQ(g_nBeeps, 0);

    // A rarely used command behind the expand button still answers its mnemonic, but the search
    // does not start on it.
    pControls->FindControl(104)->SetCaption(L"&Zulu");
    pControls->FindControl(104)->SetHideFlags(tkpHideExpand);
    m_pBar->SetSelected(Index(103), TRUE);
    BOOL bMultiple = TRUE;
    EXPECT_EQ(m_pBar->FindAccel('Z', &bMultiple), Index(104));
    EXPECT_FALSE(bMultiple);
    pControls->FindControl(100)->SetCaption(L"&Zero");
    EXPECT_EQ(m_pBar->FindAccel('Z', &bMultiple), Index(100));
    EXPECT_TRUE(bMultiple);
}

TEST_F(CommandBarTest, KeysWithoutAMatchBeepExceptShiftAndCtrl)
{
    Track();
    EXPECT_EQ(Key('Q'), 1);
    EXPECT_EQ(g_nBeeps, 1);
    EXPECT_EQ(Key(VK_SHIFT), 1);
    EXPECT_EQ(Key(VK_CONTROL), 1);
    EXPECT_EQ(g_nBeeps, 1);
    // With Ctrl held a letter is no mnemonic.
    {
        CHeldKeys ctrl({VK_CONTROL});
        EXPECT_EQ(Key('O'), 1);
    }
    EXPECT_EQ(g_nBeeps, 2);
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    // A key without a character that is no navigation key is swallowed quietly.
    const int nSelected = m_pBar->GetSelectedIndex();
    EXPECT_EQ(Key(VK_F7), 1);
    EXPECT_EQ(m_pBar->GetSelectedIndex(), nSelected);
    EXPECT_EQ(g_nBeeps, 2);
}

TEST_F(CommandBarTest, TheIdleUpdateEnablesChecksAndUnchecksWhatItDisables)
{
    CTKPControls* pControls = m_pBar->GetControls();
    CTKPControl* pOrphan = pControls->Add(tkpControlButton, 250);  // no handler in the frame
    CTKPControl* pManual = pControls->Add(tkpControlButton, 251);
    pManual->SetFlags(tkpFlagManualUpdate);
    m_pFrame->m_checked[103] = 1;
    m_pFrame->m_enabled[101] = FALSE;
    pControls->FindControl(104)->SetPressed(2);
    RunIdle(m_pFrame);
    EXPECT_FALSE(pOrphan->GetEnabled());
    EXPECT_TRUE(pManual->GetEnabled());
    EXPECT_FALSE(pControls->FindControl(101)->GetEnabled());
    EXPECT_TRUE(pControls->FindControl(100)->GetEnabled());
    EXPECT_EQ(pControls->FindControl(103)->GetChecked(), 1);
    EXPECT_EQ(pControls->FindControl(104)->GetPressed(), 0);

    m_pFrame->m_checked.erase(103);
    m_pFrame->m_enabled[103] = FALSE;
    RunIdle(m_pFrame);
    EXPECT_FALSE(pControls->FindControl(103)->GetEnabled());
    EXPECT_EQ(pControls->FindControl(103)->GetChecked(), 0);
}

TEST_F(CommandBarTest, MovingAlongABarWithAPopupOpenOpensTheNextOne)
{
    CFakePopupBarClass fakePopups;
    CTKPControls* pControls = m_pBar->GetControls();
    pControls->RemoveAll();
    CTKPControlPopup* pFirst = static_cast<CTKPControlPopup*>(pControls->Add(tkpControlPopup, 160));
    CTKPControlPopup* pSecond = static_cast<CTKPControlPopup*>(pControls->Add(tkpControlPopup, 161));
    m_pFrame->RecalcLayout();
    ASSERT_TRUE(m_pBar->SetPopuped(0, FALSE));
    EXPECT_EQ(m_pBar->GetTrackingMode(), CTKPCommandBar::trackingPopup);
    EXPECT_TRUE(pFirst->GetPopup());
    m_pBar->SetSelected(1, FALSE);
    EXPECT_FALSE(pFirst->GetPopup());
    EXPECT_TRUE(pSecond->GetPopup());
    EXPECT_EQ(m_pBar->GetPopupedIndex(), 1);
    // Collapse: the popup closes and the bar falls back to keyboard tracking.
    EXPECT_TRUE(m_pBar->ProcessSpecialKey(CTKPCommandBar::keyPopupCollapse));
    EXPECT_FALSE(pSecond->GetPopup());
    EXPECT_EQ(m_pBar->GetTrackingMode(), CTKPCommandBar::trackingKeyboard);
    // Expand opens the selected popup again.
    EXPECT_TRUE(m_pBar->ProcessSpecialKey(CTKPCommandBar::keyPopupExpand));
    EXPECT_TRUE(pSecond->GetPopup());
}

TEST_F(CommandBarTest, TheHoverTimerWaitsWhileTheBarIsLocked)
{
    // Selected by the mouse: the hover timer runs; a locked bar lets its ticks pass.
    m_pBar->SetSelected(Index(101), FALSE);
    m_pBar->SetLockCounter(1);
    m_pBar->SendMessage(WM_TIMER, CTKPCommandBar::TIMERID_HOVER);
    EXPECT_TRUE(m_pBar->KillTimer(CTKPCommandBar::TIMERID_HOVER));  // was still running
    m_pBar->SetTimer(CTKPCommandBar::TIMERID_HOVER, 300, NULL);
    m_pBar->SetLockCounter(0);
    m_pBar->SendMessage(WM_TIMER, CTKPCommandBar::TIMERID_HOVER);
    EXPECT_FALSE(m_pBar->KillTimer(CTKPCommandBar::TIMERID_HOVER));  // its tick stopped it
    // Clearing the selection stops it too.
    m_pBar->SetSelected(Index(102), FALSE);
    m_pBar->SetSelected(-1, FALSE);
    EXPECT_FALSE(m_pBar->KillTimer(CTKPCommandBar::TIMERID_HOVER));
}

TEST_F(CommandBarTest, LeavingAnOpenPopupOnAToolBarClosesIt)
{
    CFakePopupBarClass fakePopups;
    CTKPControls* pControls = m_pBar->GetControls();
    CTKPControlPopup* pPopup = static_cast<CTKPControlPopup*>(pControls->Add(tkpControlPopup, 160, NULL, 0));
    m_pFrame->RecalcLayout();
    ASSERT_TRUE(m_pBar->SetPopuped(0, FALSE));
    ASSERT_TRUE(pPopup->GetPopup());
    m_pBar->SetSelected(Index(101), FALSE);
    EXPECT_FALSE(pPopup->GetPopup());
    EXPECT_EQ(m_pBar->GetPopupedIndex(), -1);
}

TEST_F(CommandBarTest, KeyboardSteppingSkipsWhatTheKeyboardMayNotReach)
{
    CTKPControls* pControls = m_pBar->GetControls();
    for (int i = 0; i < 5; ++i)
        pControls->GetAt(i)->SetHideFlags(0);
    pControls->GetAt(0)->SetFlags(tkpFlagSkipFocus);
    pControls->GetAt(2)->SetHideFlags(tkpHideExpand);
    pControls->GetAt(3)->SetHideFlags(tkpHideScroll);
    EXPECT_EQ(pControls->GetNext(-1, 1, TRUE, FALSE, TRUE), 1);
    EXPECT_EQ(pControls->GetNext(-1, 1, FALSE, FALSE, TRUE), 0);
    EXPECT_EQ(pControls->GetNext(1, 1, TRUE, FALSE, TRUE), 3);   // rarely used one skipped
    EXPECT_EQ(pControls->GetNext(1, 1, TRUE, FALSE, FALSE), 2);  // unless not lenient
    // Backwards from the end: the expand button after the last button is hidden while all fits.
    ASSERT_EQ(pControls->GetCount(), 6);
    EXPECT_EQ(pControls->GetNext(-1, -1, TRUE, FALSE, TRUE), 4);
    for (int i = 0; i < pControls->GetCount(); ++i)
        pControls->GetAt(i)->SetHideFlags(tkpHideCustomize);
    EXPECT_EQ(pControls->GetNext(-1, 1, TRUE, FALSE, TRUE), -1);
    pControls->GetAt(1)->SetHideFlags(0);
    EXPECT_EQ(pControls->GetNext(1, 1, TRUE, FALSE, TRUE), 1);  // back at the start
}

TEST_F(CommandBarTest, TheCollectionInsertsRemovesAndHitTests)
{
    CTKPControls* pControls = m_pBar->GetControls();
    const int nCount = pControls->GetCount();
    CTKPControl* pLast = pControls->Add(tkpControlButton, 170, NULL, 999);
    EXPECT_EQ(pControls->GetAt(nCount), pLast);
    CTKPControl* pFirst = pControls->Add(tkpControlButton, 171, NULL, 0);
    EXPECT_EQ(pControls->GetAt(0), pFirst);
    EXPECT_EQ(pLast->GetIndex(), nCount + 1);
    pControls->Remove(999);
    EXPECT_EQ(pControls->GetCount(), nCount + 2);
    pControls->Remove(pFirst);
    EXPECT_EQ(pControls->GetCount(), nCount + 1);
    EXPECT_EQ(pControls->GetAt(0)->GetID(), 100);

    m_pFrame->RecalcLayout();
    CTKPControl* pOpen = pControls->FindControl(100);
    const CPoint pt = pOpen->GetRect().CenterPoint();
    EXPECT_EQ(pControls->HitTest(pt), pOpen);
    pOpen->SetHideFlags(tkpHideCustomize);
    EXPECT_EQ(pControls->HitTest(pt), nullptr);
    EXPECT_EQ(pControls->FindControl(0, 100, TRUE, FALSE), nullptr);
    EXPECT_EQ(pControls->FindControl(0, 100, FALSE, FALSE), pOpen);
}

TEST_F(CommandBarTest, ASavedCopySaysWhetherTheControlsChanged)
{
    CTKPControls* pControls = m_pBar->GetControls();
    EXPECT_FALSE(pControls->IsChanged());
    CTKPControl* pTemporary = pControls->Add(tkpControlButton, 180, NULL, -1, TRUE);
    EXPECT_FALSE(pControls->IsChanged());  // temporary controls do not count
    CTKPControls* pCopy = pControls->Duplicate();
    EXPECT_EQ(pCopy->FindControl(180), nullptr);
    pCopy->InternalRelease();
    pControls->Remove(pTemporary);
    pControls->FindControl(101)->SetBeginGroup(TRUE);
    EXPECT_TRUE(pControls->IsChanged());
}

TEST_F(CommandBarTest, ToolbarButtonsShowTheirCommandsStateAndTheKindTheSiteGivesAtOnce)
{
    m_pFrame->m_enabled[101] = FALSE;
    m_pFrame->m_checked[102] = 1;
    m_pFrame->m_onCreateControl = [](TKPCREATECONTROLSTRUCT* pRecord) -> LRESULT {
        if (pRecord->nID != 103)
            return 0;
        pRecord->controlType = tkpControlPopup;
        pRecord->buttonStyle = 3;
        return 1;
    };
    // No idle pass between loading and looking.
    ASSERT_TRUE(m_pBar->LoadToolBar(200, FALSE));
    CTKPControls* pControls = m_pBar->GetControls();
    EXPECT_TRUE(pControls->FindControl(100)->GetEnabled());
    EXPECT_FALSE(pControls->FindControl(101)->GetEnabled());
    EXPECT_EQ(pControls->FindControl(102)->GetChecked(), 1);
    CTKPControl* pPopup = pControls->FindControl(103);
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(pPopup->GetType(), tkpControlPopup);
    EXPECT_EQ(pPopup->GetStyle(), 3);
    EXPECT_NE(pPopup->GetCommandBar(), nullptr);
}

TEST_F(CommandBarTest, ALoadedPopupButtonKeepsItsResourceIdWhateverItsUpdateHandlerDoes)
{
    m_pFrame->m_onCreateControl = [](TKPCREATECONTROLSTRUCT* pRecord) -> LRESULT {
        if (pRecord->nID != 103)
            return 0;
        pRecord->controlType = tkpControlPopup;
        return 1;
    };
    // The first update of the new popup gives it another id.
    int nChanged = 0;
    m_pFrame->m_onUpdate = [&nChanged](CCmdUI* pCmdUI) {
        if (pCmdUI->m_nID != 103)
            return;
        CTKPCommandBar* pBar = static_cast<CTKPCommandBar*>(pCmdUI->m_pOther);
        pBar->GetControl(static_cast<int>(pCmdUI->m_nIndex))->SetID(190);
        ++nChanged;
    };
    const BOOL bLoaded = m_pBar->LoadToolBar(200, FALSE);
    m_pFrame->m_onUpdate = nullptr;
    ASSERT_TRUE(bLoaded);
    ASSERT_EQ(nChanged, 1);
    CTKPControls* pControls = m_pBar->GetControls();
    CTKPControl* pPopup = pControls->FindControl(103);
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(pPopup->GetType(), tkpControlPopup);
    EXPECT_EQ(pControls->FindControl(190), nullptr);
}

TEST_F(CommandBarTest, MenuItemsBecomeControlsAndTheSiteMayChangeThem)
{
    CFakePopupBarClass fakePopups;
    m_pFrame->m_onCreateControl = [](TKPCREATECONTROLSTRUCT* pRecord) -> LRESULT {
        if (pRecord->nID != 105)
            return 0;
        pRecord->strCaption = L"&Changed";
        return 1;
    };
    CTKPControls* pControls = m_pBar->GetControls();
    pControls->RemoveAll();
    m_pFrame->m_nAfterCreateControl = 0;
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(128));
    ASSERT_TRUE(m_pBar->LoadMenu(&menu));
    ASSERT_EQ(pControls->GetCount(), 3);
    EXPECT_EQ(pControls->GetAt(0)->GetType(), tkpControlPopup);
    EXPECT_EQ(pControls->GetAt(0)->GetCaption(), CString(L"&File"));
    EXPECT_EQ(pControls->GetAt(2)->GetType(), tkpControlButton);
    EXPECT_EQ(pControls->GetAt(2)->GetCaption(), CString(L"&Changed"));
    EXPECT_EQ(m_pFrame->m_nAfterCreateControl, 3 + 3 + 2);  // separators make no control

    CTKPCommandBar* pFile = pControls->GetAt(0)->GetCommandBar();
    ASSERT_NE(pFile, nullptr);
    EXPECT_EQ(pFile->GetTitle(), CString(L"File"));
    ASSERT_EQ(pFile->GetControlCount(), 3);
    EXPECT_EQ(pFile->GetControl(0)->GetCaption(), CString(L"&Open"));
    EXPECT_EQ(pFile->GetControl(0)->GetShortcutText(), CString(L"Ctrl+O"));
    EXPECT_FALSE(pFile->GetControl(1)->GetBeginGroup());
    EXPECT_TRUE(pFile->GetControl(2)->GetBeginGroup());
    CTKPCommandBar* pView = pControls->GetAt(1)->GetCommandBar();
    EXPECT_EQ(pView->GetControl(0)->GetChecked(), 1);
    EXPECT_FALSE(pView->GetControl(1)->GetEnabled());

    // The window-list item of an MDI menu gives no control.
    CMenu mdi;
    mdi.CreatePopupMenu();
    mdi.AppendMenu(MF_STRING, 0xFF00, L"Windows");
    mdi.AppendMenu(MF_STRING, 105, L"Help");
    pControls->RemoveAll();
    m_pBar->LoadMenu(&mdi);
    ASSERT_EQ(pControls->GetCount(), 1);
    EXPECT_EQ(pControls->GetAt(0)->GetID(), 105);
    EXPECT_FALSE(m_pBar->LoadMenu(NULL));
}
