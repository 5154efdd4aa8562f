// Popup bars: short menus with an expand button, placement on the screen and scrolling, context
// menus through the command bars' tracking, animation kinds, shadows and the notifications to the
// site.
#include <gtest/gtest.h>

#include "classlib/win/CMenu.h"
#include "tests/toolkit/commandbars/MenuTestSupport.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/DefaultBarTheme.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/PopupPlacement.h"
#include "toolkit/commandbars/PopupShadows.h"
#include "toolkit/commandbars/ShadowWindow.h"
#include "toolkit/commandbars/TrackMenu.h"
#include "toolkit/commandbars/WindowHookManager.h"
#include "toolkit/controls/Edit.h"

#include <functional>
#include <map>
#include <vector>

namespace {

class PopupBarTest : public ::testing::Test {
protected:
    void SetUp() override { PrepareMenuTests(); }
    void TearDown() override
    {
        CloseAllPopups();
        if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->DestroyWindow();
        CTKPPopupBar::SetWorkAreaOverride(nullptr);
        CTKPPopupShadows::SetSystemDropShadow(-1);
    }
    void MakeFrame(int x = 100, int y = 100)
    {
        m_pFrame = new CMenuTestFrame;
        ASSERT_TRUE(m_pFrame->CreateMenuFrame(x, y));
    }
    // A frame whose Edit menu keeps two rarely used commands behind its expand button.
    void MakeFrameWithShortMenus()
    {
        MakeFrame();
        CTKPCommandBars* pCommandBars = m_pFrame->GetCommandBars();
        pCommandBars->GetOptions()->bAlwaysShowFullMenus = FALSE;
        const UINT hidden[] = {124, 125};
        pCommandBars->HideCommands(hidden, 2);
    }
    // Opens the menu-bar item by a click and returns its popup.
    CTKPPopupBar* OpenMenu(int nIndex)
    {
        ClickAt(m_pFrame->GetMenuItemRect(nIndex).CenterPoint());
        if (!PumpMenuUntil([] { return GetTrackedPopupCount() == 1; }))
            return nullptr;
        return GetDeepestPopup();
    }
    // Opens the item's popup without a click (two clicks in a row would be a double click).
    CTKPPopupBar* OpenMenuDirect(int nIndex)
    {
        m_pFrame->GetMenuBar()->SetPopuped(nIndex);
        PumpMenu();
        return GetTrackedPopupCount() == 1 ? GetDeepestPopup() : nullptr;
    }
    CMenuTestFrame* m_pFrame = nullptr;
};

CTKPControl* Find(CTKPCommandBar* pBar, int nID)
{
    return pBar->GetControls()->FindControl(nID);
}

// A popup of n buttons with ids from 150.
CTKPPopupBar* MakeTallPopup(CTKPCommandBars* pCommandBars, int n)
{
    CTKPPopupBar* pPopup = CTKPPopupBar::CreatePopupBar(pCommandBars);
    for (int i = 0; i < n; i++) {
        CString strCaption;
        strCaption.Format(L"Item %d", i);
        pPopup->GetControls()->Add(tkpControlButton, 150 + (i % 40))->SetCaption(strCaption);
    }
    return pPopup;
}

}  // namespace

TEST_F(PopupBarTest, EmptyPopupHasTheSmallestSize)
{
    CTKPPopupBar* pPopup = CTKPPopupBar::CreatePopupBar(NULL);
    const CSize size = pPopup->CalcDynamicLayout(0, 0);
    // 22 between the default theme's 3-pixel borders, and 22 plus the bottom border high.
    EXPECT_EQ(size, CSize(3 + 22 + 3, 22 + 3));
    pPopup->InternalRelease();
}

TEST_F(PopupBarTest, RarelyUsedCommandsHideBehindTheExpandButton)
{
    MakeFrameWithShortMenus();
    CTKPCommandBars* pCommandBars = m_pFrame->GetCommandBars();
    CTKPPopupBar* pEdit = OpenMenu(1);
    ASSERT_NE(pEdit, nullptr);
    ASSERT_TRUE(pEdit->HasHiddenCommands());
    EXPECT_FALSE(Find(pEdit, 124)->IsVisible());
    EXPECT_TRUE(Find(pEdit, 124)->IsRarelyUsed());
    CTKPControl* pExpand = Find(pEdit, TKP_ID_POPUPBAR_EXPAND);
    ASSERT_NE(pExpand, nullptr);
    EXPECT_TRUE(pExpand->IsVisible());
    EXPECT_EQ(pExpand->GetIndex(), pEdit->GetControlCount() - 1);
    EXPECT_GT(pExpand->GetRect().top, Find(pEdit, 123)->GetRect().top);
    // Its string names it for its tooltip and for accessibility.
    EXPECT_EQ(pExpand->GetTooltip(), CString(L"Expand"));
    BSTR name = NULL;
    VARIANT self;
    ::VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    ASSERT_EQ(pExpand->get_accName(self, &name), S_OK);
    EXPECT_STREQ(name, L"Expand");
    ::SysFreeString(name);
    CRect rcShort;
    pEdit->GetWindowRect(&rcShort);

    // Down on the last visible command expands the menu.
    TapKey(VK_DOWN);  // first item
    for (int i = 0; i < 6 && pEdit->GetSelected() != Find(pEdit, 123); i++)
        TapKey(VK_DOWN);
    ASSERT_EQ(pEdit->GetSelected(), Find(pEdit, 123));
    TapKey(VK_DOWN);
    ASSERT_TRUE(PumpMenuUntil([pEdit] { return pEdit->IsExpanded(); }));
    EXPECT_TRUE(Find(pEdit, 124)->IsVisible());
    EXPECT_FALSE(pExpand->IsVisible());
    CRect rcFull;
    pEdit->GetWindowRect(&rcFull);
    EXPECT_GT(rcFull.Height(), rcShort.Height());

    // Every further menu of the same run opens expanded; a new run is short again.
    TapKey(VK_RIGHT);
    ASSERT_TRUE(PumpMenuUntil([] { return GetTrackedPopupCount() == 1 && GetDeepestPopup()->IsExpanded(); }));
    CloseAllPopups();
    EXPECT_FALSE(CTKPMouseTracker::GetThreadTracker()->m_bExpandedRun);
    EXPECT_EQ(CTKPMouseTracker::GetThreadTracker()->GetTrackedCount(), 0);
    pEdit = OpenMenuDirect(1);
    ASSERT_NE(pEdit, nullptr);
    EXPECT_FALSE(pEdit->IsExpanded());

    // Resting on the expand button starts its delay, which expands the menu when it runs out; a
    // keyboard selection waits for no delay.
    const int nExpand = Find(pEdit, TKP_ID_POPUPBAR_EXPAND)->GetIndex();
    pEdit->SetSelected(nExpand, TRUE);
    EXPECT_FALSE(::KillTimer(pEdit->GetSafeHwnd(), CTKPPopupBar::TIMERID_EXPAND));
    pEdit->SetSelected(-1, FALSE);
    pEdit->SetSelected(nExpand, FALSE);
    ASSERT_TRUE(::KillTimer(pEdit->GetSafeHwnd(), CTKPPopupBar::TIMERID_EXPAND));
    pEdit->SendMessage(WM_TIMER, CTKPPopupBar::TIMERID_EXPAND);
    EXPECT_TRUE(pEdit->IsExpanded());
    CloseAllPopups();

    // Ctrl+Down expands at once.
    pEdit = OpenMenuDirect(1);
    ASSERT_NE(pEdit, nullptr);
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    pEdit->OnHookKeyDown(VK_DOWN, 0);
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    EXPECT_TRUE(pEdit->IsExpanded());
    CloseAllPopups();

    // A menu whose commands are all rarely used shows them all.
    const UINT all[] = {130, 131};
    pCommandBars->HideCommands(all, 2);
    CTKPPopupBar* pView = OpenMenuDirect(2);
    ASSERT_NE(pView, nullptr);
    EXPECT_FALSE(pView->HasHiddenCommands());
    EXPECT_TRUE(Find(pView, 130)->IsVisible());
    CTKPControl* pViewExpand = Find(pView, TKP_ID_POPUPBAR_EXPAND);
    EXPECT_TRUE(pViewExpand == nullptr || !pViewExpand->IsVisible());
}

namespace {

// The flags of every move of one window that shows it, as the window itself is told of them.
class WindowMoveFlags {
public:
    explicit WindowMoveFlags(HWND hWnd)
    {
        s_hWnd = hWnd;
        s_flags.clear();
        m_hHook = ::SetWindowsHookExW(WH_CALLWNDPROC, Hook, NULL, ::GetCurrentThreadId());
    }
    ~WindowMoveFlags()
    {
        if (m_hHook != NULL)
            ::UnhookWindowsHookEx(m_hHook);
        s_hWnd = NULL;
    }
    WindowMoveFlags(const WindowMoveFlags&) = delete;
    WindowMoveFlags& operator=(const WindowMoveFlags&) = delete;
    bool Hooked() const { return m_hHook != NULL; }
    static std::vector<UINT> s_flags;

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (nCode == HC_ACTION && pMsg->hwnd == s_hWnd && pMsg->message == WM_WINDOWPOSCHANGING) {
            const UINT nFlags = reinterpret_cast<const WINDOWPOS*>(pMsg->lParam)->flags;
            if (nFlags & SWP_SHOWWINDOW)
                s_flags.push_back(nFlags);
        }
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    }
    static HWND s_hWnd;
    HHOOK m_hHook;
};
std::vector<UINT> WindowMoveFlags::s_flags;
HWND WindowMoveFlags::s_hWnd = NULL;

}  // namespace

// An open menu that grows to its full length moves without taking the activation or changing its
// place, or its owner's, among the windows.
TEST_F(PopupBarTest, AMenuThatExpandsKeepsItsPlaceAmongTheWindows)
{
    MakeFrameWithShortMenus();
    CTKPPopupBar* pEdit = OpenMenuDirect(1);
    ASSERT_NE(pEdit, nullptr);
    ASSERT_TRUE(pEdit->HasHiddenCommands());
    CRect rcShort;
    pEdit->GetWindowRect(&rcShort);
    {
        WindowMoveFlags moves(pEdit->GetSafeHwnd());
        ASSERT_TRUE(moves.Hooked());
        pEdit->ExpandBar();
        ASSERT_FALSE(WindowMoveFlags::s_flags.empty());
        const UINT nKept = SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE;
        for (UINT nFlags : WindowMoveFlags::s_flags)
            EXPECT_EQ(nKept, nFlags & nKept) << std::hex << nFlags;
    }
    CRect rcFull;
    pEdit->GetWindowRect(&rcFull);
    EXPECT_GT(rcFull.Height(), rcShort.Height());
}

TEST_F(PopupBarTest, MenusNearTheScreenEdgesFlip)
{
    RECT rcWork;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    // A frame at the bottom right: its menus open above their items and end at the right edge.
    MakeFrame(rcWork.right - 150, rcWork.bottom - 120);
    CTKPPopupBar* pFile = OpenMenu(0);
    ASSERT_NE(pFile, nullptr);
    const CRect rcItem = m_pFrame->GetMenuItemRect(0);
    CRect rcPopup;
    pFile->GetWindowRect(&rcPopup);
    EXPECT_EQ(rcPopup.bottom, rcItem.top);
    EXPECT_LE(rcPopup.right, rcWork.right);
    EXPECT_TRUE(pFile->GetPopupFlags() & TKPPOPUP_DROPDOWN);

    // The sub-menu flips to the left of its item, and its own sub-menu keeps going left.
    CTKPControl* pRecent = nullptr;
    for (int i = 0; i < pFile->GetControlCount(); i++)
        if (pFile->GetControl(i)->GetCaption() == L"&Recent")
            pRecent = pFile->GetControl(i);
    ASSERT_NE(pRecent, nullptr);
    pFile->SetPopuped(pRecent->GetIndex());
    ASSERT_EQ(GetTrackedPopupCount(), 2);
    CTKPPopupBar* pRecentPopup = GetDeepestPopup();
    CRect rcRecent;
    pRecentPopup->GetWindowRect(&rcRecent);
    EXPECT_LT(rcRecent.left, rcPopup.left);
    EXPECT_LE(rcRecent.right, rcPopup.left + 4);  // over the parent's border at most
    EXPECT_TRUE(pRecentPopup->GetPopupFlags() & TKPPOPUP_LEFT);
    CTKPControl* pMore = pRecentPopup->GetControls()->FindControl(tkpControlPopup, -1, FALSE, FALSE);
    pRecentPopup->SetPopuped(pMore->GetIndex());
    ASSERT_EQ(GetTrackedPopupCount(), 3);
    EXPECT_TRUE(GetDeepestPopup()->GetPopupFlags() & TKPPOPUP_LEFT);
}

TEST_F(PopupBarTest, ContextMenusOnAWorkAreaWhoseTopIsNotZeroScroll)
{
    MakeFrame();
    const RECT rcWork = {0, 100, 1280, 900};  // usable bottom 895
    CTKPPopupBar::SetWorkAreaOverride(&rcWork);
    CTKPPopupBar* pPopup = MakeTallPopup(m_pFrame->GetCommandBars(), 80);
    CRect rcPopup;
    BOOL bScrolling = FALSE;
    int nEnd = 0;
    BOOL bLastShown = FALSE, bFirstHidden = FALSE;
    int nFirstAfter = -1;
    CRect rcDown, rcUp;
    RunInsideTracking([&] {
        CTKPPopupBar* p = GetDeepestPopup();
        p->GetWindowRect(&rcPopup);
        bScrolling = p->IsScrolling();
        nEnd = p->GetScrollEnd();
        rcDown = p->GetScrollDownRect();
        // The keyboard reaches the last item: it scrolls into view.
        p->SetSelected(79, TRUE);
        bLastShown = p->GetControl(79)->IsVisible();
        bFirstHidden = !p->GetControl(0)->IsVisible();
        rcUp = p->GetScrollUpRect();
        // The scroll-up timer moves the range back one control.
        const int nFirst = p->GetScrollFirst();
        p->OnScrollTimer(FALSE);
        nFirstAfter = nFirst - p->GetScrollFirst();
        CloseAllPopups();
    });
    CTKPCommandBars::TrackPopupMenu(pPopup, TPM_RETURNCMD, 300, 150, m_pFrame);
    pPopup->InternalRelease();
    // Too tall for the work area: it starts at its top, ends at its usable bottom and scrolls.
    EXPECT_EQ(rcPopup.top, 100);
    EXPECT_EQ(rcPopup.bottom, 895);
    EXPECT_TRUE(bScrolling);
    EXPECT_LT(nEnd, 80);
    EXPECT_EQ(rcDown.Height(), TKP_SCROLL_BUTTON_HEIGHT);
    EXPECT_TRUE(bLastShown);
    EXPECT_TRUE(bFirstHidden);
    EXPECT_EQ(rcUp.Height(), TKP_SCROLL_BUTTON_HEIGHT);
    EXPECT_EQ(nFirstAfter, 1);

    // A short context menu at a point near the bottom opens upwards from it, near the right edge
    // it ends at the edge.
    CTKPPopupBar* pShort = MakeTallPopup(m_pFrame->GetCommandBars(), 5);
    RunInsideTracking([&] {
        GetDeepestPopup()->GetWindowRect(&rcPopup);
        CloseAllPopups();
    });
    CTKPCommandBars::TrackPopupMenu(pShort, TPM_RETURNCMD, 1270, 890, m_pFrame);
    pShort->InternalRelease();
    EXPECT_EQ(rcPopup.bottom, 890);
    EXPECT_EQ(rcPopup.right, 1280);
}

TEST_F(PopupBarTest, TrackedContextMenuReturnsOrSendsTheChosenCommand)
{
    MakeFrame();
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_CONTEXT));
    CMenu* pContext = menu.GetSubMenu(0);
    BOOL bIcon = FALSE;
    RunInsideTracking([&] {
        CTKPPopupBar* p = GetDeepestPopup();
        bIcon = p != nullptr && p->GetControl(0)->GetImage(16) != nullptr;
        TapKey(VK_DOWN);
        TapKey(VK_DOWN);
        TapKey(VK_RETURN);
    });
    const UINT nCmd =
        TrackMenuWithCommandBars(pContext, TPM_RETURNCMD | TPM_LEFTALIGN, 300, 300, m_pFrame, IDR_TEST_MENU_ICONS);
    EXPECT_EQ(nCmd, 122u);
    EXPECT_TRUE(bIcon);  // the items have the icons of the toolbar resource
    EXPECT_TRUE(m_pFrame->m_commands.empty());

    // Without TPM_RETURNCMD the owner gets the command.
    RunInsideTracking([&] {
        TapKey(VK_DOWN);
        TapKey(VK_RETURN);
    });
    TrackMenuWithCommandBars(pContext, 0, 300, 300, m_pFrame);
    PumpMenuUntil([this] { return !m_pFrame->m_commands.empty(); });
    EXPECT_EQ(m_pFrame->m_commands, (std::vector<UINT>{121}));

    // Escape chooses nothing.
    RunInsideTracking([&] { TapKey(VK_ESCAPE); });
    EXPECT_EQ(TrackMenuWithCommandBars(pContext, TPM_RETURNCMD, 300, 300, m_pFrame), 0u);
}

namespace {

// A popup bar that keeps the caption states it is told.
class CFloatStatusPopupBar : public CTKPPopupBar {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_FLOATSTATUS)
            m_states.push_back(wParam);
        return CTKPPopupBar::WindowProc(message, wParam, lParam);
    }
    std::vector<WPARAM> m_states;
};

}  // namespace

TEST_F(PopupBarTest, APopupNeverLooksActiveAndStartsInStepWithTheFramesCaption)
{
    MakeFrame();
    ASSERT_TRUE(PumpMenuUntil([this] { return ::GetForegroundWindow() == m_pFrame->GetSafeHwnd(); }));
    CFloatStatusPopupBar* pPopup = new CFloatStatusPopupBar;
    pPopup->SetCommandBars(m_pFrame->GetCommandBars());
    ASSERT_TRUE(pPopup->CreatePopupWindow());
    // The frame is in front: the popup is told that its caption is active.
    EXPECT_EQ(pPopup->m_states, (std::vector<WPARAM>{FS_ACTIVATE}));
    // It refuses to draw itself active, so the frame's caption stays the active one.
    EXPECT_EQ(pPopup->SendMessage(WM_NCACTIVATE, TRUE, 0), 0);
    EXPECT_NE(pPopup->SendMessage(WM_NCACTIVATE, FALSE, 0), 0);
    pPopup->DestroyWindow();
    pPopup->InternalRelease();
}

TEST_F(PopupBarTest, ATrackedContextMenuTakesItsItemsStateFromTheOwnersUpdateHandlers)
{
    MakeFrame();
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_CONTEXT));
    m_pFrame->m_enabled[122] = FALSE;
    m_pFrame->m_checked[126] = 1;
    BOOL bCutEnabled = FALSE, bCopyEnabled = TRUE;
    int nSelectAllChecked = 0;
    RunInsideTracking([&] {
        CTKPPopupBar* p = GetDeepestPopup();
        if (p != nullptr) {
            bCutEnabled = Find(p, 121)->GetEnabled();
            bCopyEnabled = Find(p, 122)->GetEnabled();
            nSelectAllChecked = Find(p, 126)->GetChecked();
        }
        TapKey(VK_ESCAPE);
    });
    TrackMenuWithCommandBars(menu.GetSubMenu(0), TPM_RIGHTBUTTON | TPM_RETURNCMD, 300, 300, m_pFrame);
    EXPECT_TRUE(bCutEnabled);
    EXPECT_FALSE(bCopyEnabled);
    EXPECT_EQ(nSelectAllChecked, 1);
}

TEST_F(PopupBarTest, TheEditsMenuOffersOnlyWhatTheEditCanDoNow)
{
    MakeFrame();
    CTKEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 60, 210, 84), m_pFrame, 830));
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    const UINT commands[] = {ID_TKEDIT_UNDO, ID_TKEDIT_CUT, ID_TKEDIT_COPY, ID_TKEDIT_CLEAR, ID_TKEDIT_SELECT_ALL};
    for (UINT nID : commands)
        menu.AppendMenu(MF_STRING, nID, L"Item");
    // The enabled state of each command while the menu is open.
    auto track = [&] {
        std::vector<BOOL> enabled;
        RunInsideTracking([&] {
            if (CTKPPopupBar* p = GetDeepestPopup())
                for (UINT nID : commands)
                    enabled.push_back(Find(p, (int)nID)->GetEnabled());
            TapKey(VK_ESCAPE);
        });
        TrackMenuWithCommandBars(&menu, TPM_RIGHTBUTTON, 300, 300, &edit);
        return enabled;
    };
    // An empty edit: nothing to undo, cut, copy, delete or select.
    EXPECT_EQ(track(), (std::vector<BOOL>{FALSE, FALSE, FALSE, FALSE, FALSE}));
    // With a selected text everything but Undo.
    edit.SetWindowText(L"some text");
    edit.SetSel(0, 4);
    edit.SendMessage(EM_EMPTYUNDOBUFFER);
    EXPECT_EQ(track(), (std::vector<BOOL>{FALSE, TRUE, TRUE, TRUE, TRUE}));
    edit.DestroyWindow();
}

TEST_F(PopupBarTest, AnimationKindsFollowTheOptionsAndTheSystem)
{
    MakeFrame();
    CTKPPopupBar::EnableAnimation(TRUE);
    CTKPPopupBar* pPopup = CTKPPopupBar::CreatePopupBar(m_pFrame->GetCommandBars());
    CTKPBarOptions* pOptions = m_pFrame->GetCommandBars()->GetOptions();
    pOptions->animationType = 0;
    CTKPPopupBar::SetSystemMenuAnimation(0, 1);
    EXPECT_EQ(pPopup->ChooseAnimationType(), 5);
    CTKPPopupBar::SetSystemMenuAnimation(1, 1);
    EXPECT_EQ(pPopup->ChooseAnimationType(), 4);
    CTKPPopupBar::SetSystemMenuAnimation(1, 0);
    EXPECT_EQ(pPopup->ChooseAnimationType(), 3);
    pOptions->animationType = 3;
    EXPECT_EQ(pPopup->ChooseAnimationType(), 3);
    pOptions->animationType = 1;
    for (int i = 0; i < 20; i++) {
        const int n = pPopup->ChooseAnimationType();
        EXPECT_TRUE(n >= 2 && n <= 4);
    }
    // A popup that hosts a window never animates; neither does one without command bars.
    ASSERT_TRUE(pPopup->CreatePopupWindow());
    HWND hChild = ::CreateWindowExW(0, L"STATIC", L"hosted", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, pPopup->GetSafeHwnd(),
        NULL, NULL, NULL);
    EXPECT_EQ(pPopup->ChooseAnimationType(), 5);
    // The hosted window survives the popup: it moves to the site.
    pPopup->DestroyWindow();
    EXPECT_TRUE(::IsWindow(hChild));
    EXPECT_EQ(::GetParent(hChild), m_pFrame->GetSafeHwnd());
    ::DestroyWindow(hChild);
    pPopup->InternalRelease();
    CTKPPopupBar* pLone = CTKPPopupBar::CreatePopupBar(NULL);
    EXPECT_EQ(pLone->ChooseAnimationType(), 5);
    pLone->InternalRelease();
    CTKPPopupBar::SetSystemMenuAnimation(-1, -1);
    CTKPPopupBar::EnableAnimation(FALSE);
}

namespace {

// Records the popup notifications the site receives.
class CSiteRecorder : public CTKPHookSink {
public:
    int OnHookMessage(HWND, UINT nMessage, WPARAM&, LPARAM& lParam, LRESULT&) override
    {
        if (nMessage == TKPM_INITCOMMANDSPOPUP || nMessage == TKPM_POPUPCLOSED)
            m_events.push_back({nMessage, lParam});
        return hookNotHandled;
    }
    std::vector<std::pair<UINT, LPARAM>> m_events;
};

}  // namespace

TEST_F(PopupBarTest, TheSiteHearsOfEachPopupBeforeItOpensAndAfterItCloses)
{
    MakeFrame();
    CSiteRecorder recorder;
    CTKPWindowHookManager::GetInstance()->SetHook(m_pFrame->GetSafeHwnd(), &recorder);
    CTKPPopupBar* pFile = OpenMenu(0);
    ASSERT_NE(pFile, nullptr);
    CloseAllPopups();
    CTKPWindowHookManager::GetInstance()->RemoveHook(m_pFrame->GetSafeHwnd(), &recorder);
    ASSERT_EQ(recorder.m_events.size(), 2u);
    EXPECT_EQ(recorder.m_events[0].first, static_cast<UINT>(TKPM_INITCOMMANDSPOPUP));
    EXPECT_EQ(recorder.m_events[1].first, static_cast<UINT>(TKPM_POPUPCLOSED));
    EXPECT_EQ(recorder.m_events[0].second, reinterpret_cast<LPARAM>(pFile));
}

namespace {

class CForcedShadowTheme : public CTKPDefaultBarTheme {
public:
    int GetShadowQuery() const override { return 1; }
};

int CountShadows(CTKPCommandBar* pOwner, CTKPShadowWindow** ppShadows = nullptr)
{
    CTKPShadowWindow* shadows[8];
    const int n = TKPGetPopupShadows()->GetShadowsOf(pOwner, shadows, 8);
    if (ppShadows != nullptr)
        for (int i = 0; i < n && i < 8; i++)
            ppShadows[i] = shadows[i];
    return n;
}

}  // namespace

TEST_F(PopupBarTest, ShadowsFollowTheirPopup)
{
    MakeFrame();
    // The system setting is off under Wine: no shadows.
    CTKPPopupBar* pFile = OpenMenu(0);
    ASSERT_NE(pFile, nullptr);
    EXPECT_EQ(CountShadows(pFile), 0);
    CloseAllPopups();

    CTKPPopupShadows::SetSystemDropShadow(1);
    pFile = OpenMenu(0);
    ASSERT_NE(pFile, nullptr);
    CTKPShadowWindow* shadows[2] = {};
    ASSERT_EQ(CountShadows(pFile, shadows), 2);
    CRect rcPopup, rcBottom, rcRight;
    pFile->GetWindowRect(&rcPopup);
    shadows[0]->GetWindowRect(&rcBottom);
    shadows[1]->GetWindowRect(&rcRight);
    EXPECT_TRUE(shadows[0]->IsBottom());
    EXPECT_EQ(rcBottom, CRect(rcPopup.left + 4, rcPopup.bottom, rcPopup.right + 4, rcPopup.bottom + 4));
    EXPECT_EQ(rcRight, CRect(rcPopup.right, rcPopup.top + 4, rcPopup.right + 4, rcPopup.bottom));
    EXPECT_TRUE(shadows[0]->GetExStyle() & WS_EX_LAYERED);
    EXPECT_TRUE(shadows[0]->IsWindowVisible());
    // Closing the popup takes its shadows with it.
    const int nTotal = TKPGetPopupShadows()->GetShadowCount();
    CloseAllPopups();
    EXPECT_EQ(CountShadows(pFile), 0);
    EXPECT_EQ(TKPGetPopupShadows()->GetShadowCount(), nTotal - 2);

    // The theme's shadow switch off: nothing is made at all.
    CTKPCommandBarsTheme* pTheme = CTKPCommandBarsTheme::GetGlobalTheme();
    pTheme->m_bShowShadow = 0;
    pFile = OpenMenuDirect(0);
    EXPECT_EQ(CountShadows(pFile), 0);
    CloseAllPopups();
    pTheme->m_bShowShadow = 1;
}

namespace {

// A shown popup window at a screen rectangle, with its shadows.
CTKPPopupBar* ShadowedPopupAt(CTKPCommandBars* pCommandBars, const CRect& rc)
{
    CTKPPopupBar* pPopup = CTKPPopupBar::CreatePopupBar(pCommandBars);
    if (!pPopup->CreatePopupWindow())
        return pPopup;
    pPopup->SetWindowPos(&CWnd::wndTopMost, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
    TKPGetPopupShadows()->CreateShadows(pPopup, CRect(0, 0, 0, 0));
    return pPopup;
}

CRect StripOf(CTKPCommandBar* pPopup, BOOL bBottom)
{
    CTKPShadowWindow* shadows[2] = {};
    CRect rc(0, 0, 0, 0);
    if (CountShadows(pPopup, shadows) == 2)
        shadows[bBottom ? 0 : 1]->GetWindowRect(&rc);
    return rc;
}

// Whether a screen point lies in the visible part of a popup's strip.
bool StripShows(CTKPCommandBar* pPopup, BOOL bBottom, CPoint pt)
{
    CTKPShadowWindow* shadows[2] = {};
    if (CountShadows(pPopup, shadows) != 2)
        return false;
    CTKPShadowWindow* pStrip = shadows[bBottom ? 0 : 1];
    CRect rc;
    pStrip->GetWindowRect(&rc);
    if (!rc.PtInRect(pt))
        return false;
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    const bool bShown =
        ::GetWindowRgn(pStrip->GetSafeHwnd(), hRgn) == ERROR || ::PtInRegion(hRgn, pt.x - rc.left, pt.y - rc.top);
    ::DeleteObject(hRgn);
    return bShown;
}

}  // namespace

namespace {

// The flags of the request that showed each window, while the hook below is set.
std::map<HWND, UINT> g_shownFlags;
LRESULT CALLBACK RecordShowRequests(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && pMsg->message == WM_WINDOWPOSCHANGING) {
        const WINDOWPOS* pPos = reinterpret_cast<const WINDOWPOS*>(pMsg->lParam);
        if (pPos->flags & SWP_SHOWWINDOW)
            g_shownFlags[pMsg->hwnd] = pPos->flags;
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

}  // namespace

TEST_F(PopupBarTest, AShadowLeavesTheFrameItBelongsToWhereItIsAmongTheWindows)
{
    MakeFrame();
    // Another program's window lies above the frame.
    CWnd other;
    ASSERT_TRUE(other.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), L"Other", WS_POPUP, CRect(700, 100, 800, 200),
        NULL, 0));
    other.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    auto isAbove = [](HWND hUpper, HWND hLower) {
        for (HWND h = ::GetWindow(hUpper, GW_HWNDNEXT); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
            if (h == hLower)
                return true;
        return false;
    };
    ASSERT_TRUE(isAbove(other.GetSafeHwnd(), m_pFrame->GetSafeHwnd()));

    // What the system is asked when each strip is shown (Wine itself never moves an owner along
    // with the window it owns, so the request is looked at as well as the result).
    g_shownFlags.clear();
    HHOOK hHook = ::SetWindowsHookExW(WH_CALLWNDPROC, RecordShowRequests, NULL, ::GetCurrentThreadId());
    CTKPPopupShadows::SetSystemDropShadow(1);
    CTKPPopupBar* pPopup = ShadowedPopupAt(m_pFrame->GetCommandBars(), CRect(300, 300, 400, 400));
    ::UnhookWindowsHookEx(hHook);
    CTKPShadowWindow* shadows[2] = {};
    ASSERT_EQ(CountShadows(pPopup, shadows), 2);
    for (CTKPShadowWindow* pShadow : shadows) {
        auto it = g_shownFlags.find(pShadow->GetSafeHwnd());
        ASSERT_NE(it, g_shownFlags.end());
        EXPECT_TRUE(it->second & SWP_NOOWNERZORDER);
        EXPECT_TRUE(it->second & SWP_NOACTIVATE);
    }
    EXPECT_TRUE(isAbove(other.GetSafeHwnd(), m_pFrame->GetSafeHwnd()));
    EXPECT_FALSE(m_pFrame->GetExStyle() & WS_EX_TOPMOST);
    pPopup->DestroyWindow();
    pPopup->InternalRelease();
    other.DestroyWindow();
}

TEST_F(PopupBarTest, TheShadowsOfCascadedPopupsJoin)
{
    MakeFrame();
    CTKPPopupShadows::SetSystemDropShadow(1);
    CTKPCommandBars* pCommandBars = m_pFrame->GetCommandBars();
    const int d = IsLayeredShadowAvailable() ? 4 : 2;
    // A menu, and a submenu opened beside it whose left edge lies on the menu's last column.
    const CRect rcMenu(100, 100, 300, 400), rcSub(299, 150, 500, 300);
    CTKPPopupBar* pMenu = ShadowedPopupAt(pCommandBars, rcMenu);
    CTKPPopupBar* pSub = ShadowedPopupAt(pCommandBars, rcSub);
    // The submenu's bottom strip reaches left under the menu's right strip...
    EXPECT_EQ(StripOf(pSub, TRUE), CRect(rcSub.left - d - 1, rcSub.bottom, rcSub.right + d, rcSub.bottom + d));
    // ...so the corner between them is shaded, while nothing is drawn over the menu itself.
    EXPECT_TRUE(StripShows(pSub, TRUE, CPoint(rcMenu.right + 1, rcSub.bottom + 1)));
    EXPECT_FALSE(StripShows(pSub, TRUE, CPoint(rcMenu.right - 2, rcSub.bottom + 1)));

    // A popup right under the menu, narrower than it: its right strip reaches up to the menu's
    // bottom strip.
    const CRect rcBelow(100, 399, 250, 500);
    CTKPPopupBar* pBelow = ShadowedPopupAt(pCommandBars, rcBelow);
    EXPECT_EQ(StripOf(pBelow, FALSE), CRect(rcBelow.right, rcBelow.top - d, rcBelow.right + d, rcBelow.bottom));

    // Popups that do not meet keep their own strips.
    const CRect rcApart(520, 150, 700, 300);
    CTKPPopupBar* pApart = ShadowedPopupAt(pCommandBars, rcApart);
    EXPECT_EQ(StripOf(pApart, TRUE), CRect(rcApart.left + d, rcApart.bottom, rcApart.right + d, rcApart.bottom + d));
    EXPECT_EQ(StripOf(pApart, FALSE), CRect(rcApart.right, rcApart.top + d, rcApart.right + d, rcApart.bottom));

    for (CTKPPopupBar* pPopup : {pApart, pBelow, pSub, pMenu}) {
        pPopup->DestroyWindow();
        EXPECT_EQ(CountShadows(pPopup), 0);
        pPopup->InternalRelease();
    }
}

TEST_F(PopupBarTest, AShadowTheThemeForcesLeavesTheOpenerUncovered)
{
    CTKPCommandBarsTheme::InstallTheme(new CForcedShadowTheme);
    RECT rcWork;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    // Near the bottom the menu opens above its item: its bottom strip lies over the item.
    MakeFrame(200, rcWork.bottom - 120);
    CTKPPopupBar* pFile = OpenMenu(0);
    ASSERT_NE(pFile, nullptr);
    // The popup's strips, then those joining the menu-bar item to it.
    CTKPShadowWindow* shadows[4] = {};
    ASSERT_EQ(CountShadows(pFile, shadows), 4);
    CRect rcStrip;
    shadows[0]->GetWindowRect(&rcStrip);
    const CRect rcItem = pFile->GetExcludeRect();
    ASSERT_TRUE(CRect().IntersectRect(rcStrip, rcItem));
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(shadows[0]->GetSafeHwnd(), hRgn), ERROR);
    // A point of the strip over the item is cut out; one beyond the item stays.
    EXPECT_FALSE(::PtInRegion(hRgn, rcItem.left + 5 - rcStrip.left, 1));
    EXPECT_TRUE(::PtInRegion(hRgn, rcStrip.Width() - 2, 1));
    ::DeleteObject(hRgn);
    CloseAllPopups();
    CTKPCommandBarsTheme::SetTheme(CTKPCommandBarsTheme::themeDefault);
}

TEST_F(PopupBarTest, ATearOffPopupBecomesAFloatingToolbar)
{
    MakeFrame();
    CTKPCommandBars* pCommandBars = m_pFrame->GetCommandBars();
    CTKPPopupBar* pPopup = MakeTallPopup(pCommandBars, 4);
    pPopup->SetTearOffPopup(L"Torn", 777, 300);
    RunInsideTracking([&] {
        CTKPPopupBar* p = GetDeepestPopup();
        // The gripper strip spans the top of the menu, above the first item.
        EXPECT_FALSE(p->GetTearOffGripperRect().IsRectEmpty());
        EXPECT_LE(p->GetTearOffGripperRect().bottom, p->GetControl(0)->GetRect().top);
        // Out of the gripper's reach: a floating toolbar with the popup's items follows the mouse.
        p->MoveTearOff(FALSE, 600, 500);
        CTKPToolBar* pBar = pCommandBars->GetToolBar(777);
        ASSERT_NE(pBar, nullptr);
        EXPECT_EQ(pBar->GetPosition(), tkpBarFloating);
        EXPECT_EQ(pBar->GetTitle(), CString(L"Torn"));
        int nItems = 0;
        for (int i = 0; i < pBar->GetControlCount(); i++)
            nItems += pBar->GetControl(i)->IsTemporary() ? 0 : 1;
        EXPECT_EQ(nItems, 4);
        EXPECT_FALSE(p->IsWindowVisible());
        // Back over the gripper: the popup again; the toolbar hidden (a hidden torn-off bar goes).
        p->MoveTearOff(TRUE, 600, 500);
        EXPECT_TRUE(p->IsWindowVisible());
        CTKPToolBar* pAfter = pCommandBars->GetToolBar(777);
        EXPECT_TRUE(pAfter == nullptr || !pAfter->IsVisible());

        // A quit message while the gripper is held ends the drag and stays for the program's own
        // loop (Escape, queued behind it, would end a drag that lost it).
        ::PostQuitMessage(5);
        p->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        const CPoint ptGripper = p->GetTearOffGripperRect().CenterPoint();
        p->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptGripper.x, ptGripper.y));
        EXPECT_NE(::GetCapture(), p->GetSafeHwnd());
        MSG msg;
        EXPECT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(msg.wParam, 5u);
        ::PeekMessageW(&msg, p->GetSafeHwnd(), WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE);
        CloseAllPopups();
    });
    CTKPCommandBars::TrackPopupMenu(pPopup, TPM_RETURNCMD, 300, 150, m_pFrame);
    pPopup->InternalRelease();
}
