// The menu bar of a shown frame: loading the menu, opening its popups by mouse and by keyboard, the
// commands they send, switching menus, resetting and the MDI controls.
#include <gtest/gtest.h>

#include "tests/toolkit/commandbars/MenuTestSupport.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"

namespace {

class MenuBarTest : public MenuFrameTest {};

// A menu frame that counts the updates of its frame menu.
class CPreviewFrame : public CMenuTestFrame {
public:
    void OnUpdateFrameMenu(HMENU hMenuAlt) override
    {
        ++m_nMenuUpdates;
        CMenuTestFrame::OnUpdateFrameMenu(hMenuAlt);
    }
    int m_nMenuUpdates = 0;
};

}  // namespace

TEST_F(MenuBarTest, TakesTheMenuAndShowsItsItems)
{
    CTKPMenuBar* pBar = m_pFrame->GetMenuBar();
    ASSERT_NE(pBar, nullptr);
    EXPECT_EQ(::GetMenu(m_pFrame->GetSafeHwnd()), nullptr);
    int nItems = 0;
    for (int i = 0; i < pBar->GetControlCount(); i++)
        nItems += pBar->GetControl(i)->IsTemporary() ? 0 : 1;
    ASSERT_EQ(nItems, 4);
    EXPECT_EQ(pBar->GetControl(0)->GetCaption(), CString(L"&File"));
    EXPECT_EQ(pBar->GetControl(3)->GetCaption(), CString(L"&Help"));
    // Three levels: File > Recent > More > Deep.
    CTKPCommandBar* pFile = pBar->GetControl(0)->GetCommandBar();
    ASSERT_NE(pFile, nullptr);
    CTKPControl* pRecent = pFile->GetControls()->FindControl(tkpControlPopup, -1, FALSE, FALSE);
    ASSERT_NE(pRecent, nullptr);
    EXPECT_EQ(pRecent->GetCaption(), CString(L"&Recent"));
    CTKPControl* pMore = pRecent->GetCommandBar()->GetControls()->FindControl(tkpControlPopup, -1, FALSE, FALSE);
    ASSERT_NE(pMore, nullptr);
    EXPECT_NE(pMore->GetCommandBar()->GetControls()->FindControl(114), nullptr);
}

TEST_F(MenuBarTest, ClickOpensThePopupBelowItsItem)
{
    for (int i = 0; i < 4; i++) {
        const CRect rcItem = m_pFrame->GetMenuItemRect(i);
        ClickAt(rcItem.CenterPoint());
        ASSERT_TRUE(PumpMenuUntil([] { return GetTrackedPopupCount() == 1; })) << i;
        CTKPPopupBar* pPopup = GetDeepestPopup();
        ASSERT_TRUE(pPopup->IsWindowVisible());
        CRect rcPopup;
        pPopup->GetWindowRect(&rcPopup);
        EXPECT_EQ(rcPopup.top, rcItem.bottom) << i;
        EXPECT_EQ(rcPopup.left, rcItem.left - 1) << i;  // the theme widens the item by 1
        TapKey(VK_ESCAPE);
        EXPECT_TRUE(PumpMenuUntil([] { return GetTrackedPopupCount() == 0; })) << i;
        CloseAllPopups();
    }
}

namespace {

CTKPControl* FindByCaption(CTKPCommandBar* pBar, LPCTSTR lpszCaption)
{
    for (int i = 0; i < pBar->GetControlCount(); i++)
        if (pBar->GetControl(i)->GetCaption() == lpszCaption)
            return pBar->GetControl(i);
    return nullptr;
}

CPoint ScreenCenter(CTKPControl* pControl)
{
    CRect rc = pControl->GetRect();
    pControl->GetParent()->ClientToScreen(&rc);
    return rc.CenterPoint();
}

}  // namespace

TEST_F(MenuBarTest, ItemsOfEveryLevelSendTheirCommandsAndDisabledOnesNothing)
{
    m_pFrame->m_enabled[120] = FALSE;
    ClickAt(m_pFrame->GetMenuItemRect(0).CenterPoint());
    ASSERT_TRUE(PumpMenuUntil([] { return GetTrackedPopupCount() == 1; }));
    ClickAt(ScreenCenter(FindByCaption(GetDeepestPopup(), L"&Recent")));
    ASSERT_TRUE(PumpMenuUntil([] { return GetTrackedPopupCount() == 2; }));
    ClickAt(ScreenCenter(FindByCaption(GetDeepestPopup(), L"&More")));
    ASSERT_TRUE(PumpMenuUntil([] { return GetTrackedPopupCount() == 3; }));
    ClickAt(ScreenCenter(FindByCaption(GetDeepestPopup(), L"&Deep")));
    ASSERT_TRUE(PumpMenuUntil([this] { return !m_pFrame->m_commands.empty(); }));
    EXPECT_EQ(m_pFrame->m_commands, (std::vector<UINT>{114}));
    EXPECT_TRUE(PumpMenuUntil([] { return GetTrackedPopupCount() == 0; }));

    // The disabled "Undo" keeps the menu open and sends nothing.
    ClickAt(m_pFrame->GetMenuItemRect(1).CenterPoint());
    ASSERT_TRUE(PumpMenuUntil([] { return GetTrackedPopupCount() == 1; }));
    CTKPControl* pUndo = FindByCaption(GetDeepestPopup(), L"&Undo");
    ASSERT_NE(pUndo, nullptr);
    EXPECT_FALSE(pUndo->GetEnabled());
    ClickAt(ScreenCenter(pUndo));
    PumpMenu();
    EXPECT_EQ(m_pFrame->m_commands.size(), 1u);
    EXPECT_EQ(GetTrackedPopupCount(), 1);
    ClickAt(ScreenCenter(FindByCaption(GetDeepestPopup(), L"&Copy")));
    ASSERT_TRUE(PumpMenuUntil([this] { return m_pFrame->m_commands.size() == 2; }));
    EXPECT_EQ(m_pFrame->m_commands[1], 122u);
}

TEST_F(MenuBarTest, AltF10AndMnemonicsDriveTheMenuFromTheKeyboard)
{
    CTKPMenuBar* pBar = m_pFrame->GetMenuBar();
    // Alt alone activates the menu bar on its first item, not the frame's system menu.
    TapKey(VK_MENU);
    ASSERT_TRUE(PumpMenuUntil([pBar] { return pBar->IsTrackingMode(); }));
    EXPECT_EQ(pBar->GetSelectedIndex(), 0);
    TapKey(VK_RIGHT);
    EXPECT_EQ(pBar->GetSelectedIndex(), 1);
    TapKey(VK_DOWN);
    ASSERT_TRUE(PumpMenuUntil([] { return GetTrackedPopupCount() == 1; }));
    CTKPPopupBar* pEdit = GetDeepestPopup();
    EXPECT_EQ(pEdit->GetControlPopup(), pBar->GetControl(1));
    // Left and right move to the neighbouring menus while one is open.
    TapKey(VK_RIGHT);
    ASSERT_TRUE(PumpMenuUntil([pBar] { return pBar->GetPopupedIndex() == 2; }));
    TapKey(VK_ESCAPE);
    ASSERT_TRUE(PumpMenuUntil([] { return GetTrackedPopupCount() == 0; }));
    EXPECT_TRUE(pBar->IsTrackingMode());
    TapKey(VK_ESCAPE);
    ASSERT_TRUE(PumpMenuUntil([pBar] { return !pBar->IsTrackingMode(); }));

    // F10 as well.
    TapKey(VK_F10);
    ASSERT_TRUE(PumpMenuUntil([pBar] { return pBar->IsTrackingMode(); }));
    TapKey(VK_ESCAPE);
    ASSERT_TRUE(PumpMenuUntil([pBar] { return !pBar->IsTrackingMode(); }));

    // Alt+E selects "Edit", Down opens it, a mnemonic in the menu runs its command.
    TapKeyWith({VK_MENU}, 'E');
    ASSERT_TRUE(PumpMenuUntil([pBar] { return pBar->IsTrackingMode() && pBar->GetSelectedIndex() == 1; }));
    TapKey(VK_DOWN);
    ASSERT_TRUE(PumpMenuUntil([] { return GetTrackedPopupCount() == 1; }));
    TapKey('P');
    ASSERT_TRUE(PumpMenuUntil([this] { return !m_pFrame->m_commands.empty(); }));
    EXPECT_EQ(m_pFrame->m_commands, (std::vector<UINT>{123}));
    EXPECT_TRUE(PumpMenuUntil([pBar] { return GetTrackedPopupCount() == 0 && !pBar->IsTrackingMode(); }));

    // Enter runs the selected item.
    TapKeyWith({VK_MENU}, 'F');
    TapKey(VK_DOWN);
    ASSERT_TRUE(PumpMenuUntil([] { return GetTrackedPopupCount() == 1; }));
    TapKey(VK_DOWN);
    TapKey(VK_RETURN);
    ASSERT_TRUE(PumpMenuUntil([this] { return m_pFrame->m_commands.size() == 2; }));
    EXPECT_EQ(m_pFrame->m_commands[1], 111u);
}

TEST_F(MenuBarTest, AMnemonicOpensTheMenuOfTheSelectionTheBarAlreadyHas)
{
    CTKPMenuBar* pBar = m_pFrame->GetMenuBar();
    // Typed in the active bar, the letter selects its item for the keyboard: the menu opens on its
    // first item.
    TapKey(VK_MENU);
    ASSERT_TRUE(PumpMenuUntil([pBar] { return pBar->IsTrackingMode(); }));
    TapKey('E');
    ASSERT_TRUE(PumpMenuUntil([] { return GetTrackedPopupCount() == 1; }));
    EXPECT_NE(GetDeepestPopup()->GetSelected(), nullptr);
    CloseAllPopups();
    pBar->SetTrackingMode(CTKPCommandBar::trackingNone, TRUE, FALSE);
    ASSERT_EQ(pBar->GetSelectedIndex(), -1);

    // The activation itself opens the menu as a click does: nothing chosen in it yet.
    pBar->GetControl(1)->OnUnderlineActivate();
    ASSERT_TRUE(PumpMenuUntil([] { return GetTrackedPopupCount() == 1; }));
    EXPECT_EQ(pBar->GetPopupedIndex(), 1);
    EXPECT_FALSE(pBar->IsKeyboardSelection());
    EXPECT_EQ(GetDeepestPopup()->GetSelected(), nullptr);
}

TEST_F(MenuBarTest, DoubleClickingAnItemRunsItsMenusDefaultCommandAlsoFromAPopupToolBar)
{
    CTKPMenuBar* pBar = m_pFrame->GetMenuBar();
    CTKPControlPopup* pHelp = DYNAMIC_DOWNCAST(CTKPControlPopup, FindByCaption(pBar, L"&Help"));
    ASSERT_NE(pHelp, nullptr);
    ASSERT_NE(pHelp->GetCommandBar(), nullptr);
    pHelp->GetCommandBar()->GetControls()->FindControl(140)->SetDefaultItem(TRUE);
    const CPoint pt = pHelp->GetRect().CenterPoint();
    EXPECT_TRUE(pHelp->OnLButtonDblClk(pt));
    ASSERT_TRUE(PumpMenuUntil([this] { return !m_pFrame->m_commands.empty(); }));
    EXPECT_EQ(m_pFrame->m_commands, (std::vector<UINT>{140}));
    CloseAllPopups();
    ASSERT_TRUE(PumpMenuUntil([pBar] { return GetTrackedPopupCount() == 0 && !pBar->IsTrackingMode(); }));

    // The item's popup a toolbar: its default button runs the same way.
    CTKPPopupToolBar* pTools = CTKPPopupToolBar::CreatePopupToolBar(m_pFrame->GetCommandBars());
    ASSERT_NE(pTools, nullptr);
    CTKPControl* pTool = pTools->GetControls()->Add(tkpControlButton, 141);
    pTool->SetCaption(L"Tool");
    pTool->SetDefaultItem(TRUE);
    pHelp->SetCommandBar(pTools);
    pTools->InternalRelease();
    EXPECT_TRUE(pHelp->OnLButtonDblClk(pt));
    ASSERT_TRUE(PumpMenuUntil([this] { return m_pFrame->m_commands.size() == 2; }));
    EXPECT_EQ(m_pFrame->m_commands[1], 141u);
}

namespace {

// Paints counted: of the menu bar (its window procedure wrapped) and of a plain child of the frame.
int g_nBarPaints = 0;
int g_nChildPaints = 0;
WNDPROC g_pfnBarProc = NULL;

LRESULT CALLBACK CountBarPaints(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT)
        ++g_nBarPaints;
    return ::CallWindowProcW(g_pfnBarProc, hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CountChildPaints(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT)
        ++g_nChildPaints;
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

}  // namespace

TEST_F(MenuBarTest, AColourOrSettingChangeRepaintsTheBarsButNotTheWindowsTheFrameClips)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = CountChildPaints;
    wc.hInstance = AfxGetInstanceHandle();
    wc.lpszClassName = L"MorvickPaintCountingChild";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassW(&wc);
    m_pFrame->ModifyStyle(0, WS_CLIPCHILDREN);
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    HWND hChild = ::CreateWindowExW(0, wc.lpszClassName, NULL, WS_CHILD | WS_VISIBLE, 10, rcClient.bottom - 60, 100, 40,
        m_pFrame->GetSafeHwnd(), NULL, wc.hInstance, NULL);
    ASSERT_NE(hChild, nullptr);
    CTKPMenuBar* pBar = m_pFrame->GetMenuBar();
    g_pfnBarProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(pBar->GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountBarPaints)));
    m_pFrame->UpdateWindow();
    ::UpdateWindow(hChild);
    PumpMenu();

    for (UINT message : {WM_SYSCOLORCHANGE, WM_SETTINGCHANGE}) {
        g_nBarPaints = g_nChildPaints = 0;
        LRESULT lResult = 0;
        EXPECT_FALSE(m_pFrame->GetCommandBars()->OnFrameWndMsg(message, 0, 0, &lResult));
        EXPECT_TRUE(PumpMenuUntil([] { return g_nBarPaints > 0; })) << message;
        PumpMenu();
        EXPECT_EQ(g_nChildPaints, 0) << message;
    }
    ::SetWindowLongPtrW(pBar->GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pfnBarProc));
    ::DestroyWindow(hChild);
}

namespace {

int g_nResetQuestions = 0;
int AnswerResetOk(LPCTSTR lpszText, UINT nType)
{
    ++g_nResetQuestions;
    return IDOK;
}

}  // namespace

TEST_F(MenuBarTest, ResetAsksOnceAndRestoresTheMenu)
{
    CTKPMenuBar* pBar = m_pFrame->GetMenuBar();
    CTKPControl* pHelp = pBar->GetControls()->FindControl(tkpControlPopup, -1, FALSE, FALSE);
    pBar->GetControls()->Remove(pBar->GetControls()->GetCount() > 3 ? 3 : 0);
    ASSERT_TRUE(pBar->GetControls()->IsChanged());
    (void)pHelp;
    g_nResetQuestions = 0;
    CTKPResourceManager::SetMessageBoxHook(&AnswerResetOk);
    pBar->ResetToolBar();
    CTKPResourceManager::SetMessageBoxHook(nullptr);
    EXPECT_EQ(g_nResetQuestions, 1);
    EXPECT_FALSE(pBar->GetControls()->IsChanged());
    EXPECT_NE(FindByCaption(pBar, L"&Help"), nullptr);
}

TEST_F(MenuBarTest, ResetOfABarThatIsNotCustomizableOrNotBuiltInStillAsksAndReloadsTheMenu)
{
    CTKPMenuBar* pBar = m_pFrame->GetMenuBar();
    for (int nCase = 0; nCase < 2; nCase++) {
        SCOPED_TRACE(nCase == 0 ? "not customizable" : "not built in");
        pBar->SetCustomizable(nCase != 0);
        pBar->SetBuiltIn(nCase == 0);
        CTKPControl* pFile = FindByCaption(pBar, L"&File");
        ASSERT_NE(pFile, nullptr);
        pBar->GetControls()->Remove(pFile);
        ASSERT_EQ(FindByCaption(pBar, L"&File"), nullptr);
        g_nResetQuestions = 0;
        CTKPResourceManager::SetMessageBoxHook(&AnswerResetOk);
        pBar->ResetToolBar();
        CTKPResourceManager::SetMessageBoxHook(nullptr);
        EXPECT_EQ(g_nResetQuestions, 1);
        EXPECT_NE(FindByCaption(pBar, L"&File"), nullptr);
    }
}

TEST(MenuBarPreview, TheEndOfPrintPreviewShowsTheBarAgainAndUpdatesTheFrameMenu)
{
    PrepareMenuTests();
    CPreviewFrame* pFrame = new CPreviewFrame;
    ASSERT_TRUE(pFrame->CreateMenuFrame());
    CTKPMenuBar* pBar = pFrame->GetMenuBar();
    // As after loading the frame from its resources, the frame's default menu is the one the bar took.
    pFrame->m_hMenuDefault = pBar->GetFrameMenu();
    pFrame->OnSetPreviewMode(TRUE, NULL);
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_EQ(pFrame->m_nMenuUpdates, 0);
    pFrame->OnSetPreviewMode(FALSE, NULL);
    EXPECT_TRUE(pBar->IsWindowVisible());
    EXPECT_EQ(pFrame->m_nMenuUpdates, 1);
    // The bar shows the menu: the frame keeps none of its own.
    EXPECT_EQ(::GetMenu(pFrame->GetSafeHwnd()), nullptr);

    // A menu bar hidden before the preview stays hidden and asks for nothing.
    pBar->SetVisible(FALSE);
    pFrame->OnSetPreviewMode(TRUE, NULL);
    pFrame->OnSetPreviewMode(FALSE, NULL);
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_EQ(pFrame->m_nMenuUpdates, 1);
    pFrame->DestroyWindow();
}

TEST(MenuBarLoading, AMenuThatCannotBeLoadedLeavesTheFrameItsMenu)
{
    PrepareMenuTests();
    CMenuTestFrame* pFrame = new CMenuTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame(TRUE, CRect(0, 0, 300, 200)));
    HMENU hMenu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_TEST_MENU));
    ::SetMenu(pFrame->GetSafeHwnd(), hMenu);
    EXPECT_EQ(pFrame->GetCommandBars()->CreateMenuBar(L"Menu Bar", 4321), nullptr);
    EXPECT_EQ(::GetMenu(pFrame->GetSafeHwnd()), hMenu);
    EXPECT_EQ(pFrame->GetCommandBars()->GetMenuBar(), nullptr);
    pFrame->DestroyWindow();
}
