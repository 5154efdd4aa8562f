// Shared pieces of the menu and popup tests: a shown frame with a menu bar from the test menu, real
// input through SendInput (the trackers' hooks see nothing else under Wine), and a look at the popups
// the thread is tracking.
#pragma once

#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/MenuBar.h"
#include "toolkit/commandbars/PopupBar.h"

#include <gtest/gtest.h>

#include <initializer_list>

// Test resource ids.
enum {
    IDR_TEST_MENU = 1128,
    IDR_TEST_MENU2 = 1129,
    IDR_TEST_CONTEXT = 1130,
    IDR_TEST_MENU_ICONS = 1140,
};

// A shown, active frame with the menu bar "Menu Bar" of the test menu and the toolbar "Standard".
class CMenuTestFrame : public CTestFrame {
public:
    // The frame at (x, y) with the size; the menu bar loaded from nMenuID. FALSE when anything failed.
    BOOL CreateMenuFrame(int x = 100, int y = 100, int cx = 640, int cy = 400, UINT nMenuID = IDR_TEST_MENU);
    CTKPMenuBar* GetMenuBar() const;
    // The screen rectangle of a control of the menu bar.
    CRect GetMenuItemRect(int nIndex) const;
};

// Dispatches what is queued the way the program's message loop does (the thread's
// PreTranslateMessage first, so that frames see their keys), and pumps until pred() holds.
void PumpMenu();
bool PumpMenuUntil(const std::function<bool()>& pred, DWORD timeout = morvick::test::kStateWaitMs);

// Real input.
void SendKeyEvent(WORD vk, bool bUp);
void TapKey(WORD vk);
// Holds the modifiers while the key is tapped.
void TapKeyWith(std::initializer_list<WORD> modifiers, WORD vk);
void MoveMouseTo(POINT pt);
void ClickAt(POINT pt);

// The popups the thread tracks, deepest last.
int GetTrackedPopupCount();
CTKPPopupBar* GetTrackedPopup(int nIndex);
CTKPPopupBar* GetDeepestPopup();
// Closes every tracked bar.
void CloseAllPopups();

// Runs fn once inside the modal loop of the next popup tracking (from a timer of the thread).
void RunInsideTracking(std::function<void()> fn);

// Settings every menu test wants: no animation, no sounds, theme 0, the frame in front.
void PrepareMenuTests();

// A test on the menu frame m_pFrame, made after PrepareMenuTests and destroyed, with every popup
// closed, after the test.
class MenuFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PrepareMenuTests();
        m_pFrame = new CMenuTestFrame;
        ASSERT_TRUE(m_pFrame->CreateMenuFrame());
    }
    void TearDown() override
    {
        CloseAllPopups();
        if (m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->DestroyWindow();
    }
    CMenuTestFrame* m_pFrame = nullptr;
};
