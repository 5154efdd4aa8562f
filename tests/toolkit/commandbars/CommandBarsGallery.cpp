// Renders the menus of a frame to PNG files under the build folder (commandbars2-gallery/), for
// people to look at: the menu bar with a popup open (short, and with its hidden commands shown), a
// cascade, a context menu and a tooltip, in the default theme and in the native theme with and
// without visual styles. Nothing is compared; the test checks that every picture was written.
#include <gtest/gtest.h>

#include "classlib/win/CMenu.h"
#include "tests/support/win/WindowCapture.h"
#include "tests/toolkit/commandbars/MenuTestSupport.h"
#include "toolkit/base/UxThemeWrapper.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/PopupShadows.h"
#include "toolkit/commandbars/ToolBar.h"
#include "toolkit/commandbars/ToolTipManager.h"
#include "toolkit/commandbars/ToolTipWindow.h"
#include "toolkit/commandbars/TrackMenu.h"

#include <functional>
#include <string>

using morvick::test::CaptureScreenRectToPng;
using morvick::test::GalleryFolder;
using morvick::test::PumpMessagesFor;

namespace {

BOOL CALLBACK AddVisibleWindow(HWND hWnd, LPARAM lParam)
{
    if (::IsWindowVisible(hWnd)) {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        reinterpret_cast<CRect*>(lParam)->UnionRect(reinterpret_cast<CRect*>(lParam), &rc);
    }
    return TRUE;
}

// The frame with whatever popups, shadows and tips of this thread hang out of it.
CRect PictureRect(CWnd* pFrame)
{
    CRect rc;
    pFrame->GetWindowRect(&rc);
    ::EnumThreadWindows(::GetCurrentThreadId(), &AddVisibleWindow, reinterpret_cast<LPARAM>(&rc));
    rc.InflateRect(0, 0, 8, 8);
    CRect rcScreen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    rc.IntersectRect(rc, rcScreen);
    return rc;
}

class CommandBarsGallery : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        PrepareMenuTests();
        m_nVariant = GetParam();
        CTKPUxThemeWrapper::SetForceUnavailable(m_nVariant == 2);
        CTKPCommandBarsTheme::SetTheme(
            m_nVariant == 0 ? CTKPCommandBarsTheme::themeDefault : CTKPCommandBarsTheme::themeNative);
        m_pFrame = new CMenuTestFrame;
        ASSERT_TRUE(m_pFrame->CreateMenuFrame(40, 40, 520, 300));
        m_pFrame->GetToolBar()->SetTextBelowIcons(0);
        m_pFrame->RecalcLayout();
        m_folder = GalleryFolder("commandbars2");
    }
    void TearDown() override
    {
        CloseAllPopups();
        if (m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->DestroyWindow();
        CTKPUxThemeWrapper::SetForceUnavailable(FALSE);
        CTKPCommandBarsTheme::SetTheme(CTKPCommandBarsTheme::themeDefault);
    }
    std::wstring Path(const wchar_t* name) const
    {
        static const wchar_t* kThemes[] = {L"default", L"native", L"native-plain"};
        return m_folder + L"\\" + kThemes[m_nVariant] + L"-" + name + L".png";
    }
    bool Capture(const wchar_t* name)
    {
        PumpMessagesFor(150);
        return CaptureScreenRectToPng(PictureRect(m_pFrame), Path(name));
    }

    int m_nVariant = 0;
    CMenuTestFrame* m_pFrame = nullptr;
    std::wstring m_folder;
};

}  // namespace

TEST_P(CommandBarsGallery, MenuBarWithPopups)
{
    CTKPCommandBars* pCommandBars = m_pFrame->GetCommandBars();
    pCommandBars->GetOptions()->bAlwaysShowFullMenus = FALSE;
    const UINT hidden[] = {124, 125};
    pCommandBars->HideCommands(hidden, 2);
    m_pFrame->m_enabled[120] = FALSE;
    m_pFrame->m_checked[130] = 1;

    // "Edit" open: short, the rarely used commands behind the expand button.
    ClickAt(m_pFrame->GetMenuItemRect(1).CenterPoint());
    ASSERT_TRUE(PumpMenuUntil([] { return GetTrackedPopupCount() == 1; }));
    CTKPPopupBar* pEdit = GetDeepestPopup();
    pEdit->SetSelected(2, TRUE);
    EXPECT_TRUE(Capture(L"menu-short"));
    // The same menu with its hidden commands shown.
    pEdit->ExpandBar();
    pEdit->SetSelected(6, TRUE);
    EXPECT_TRUE(Capture(L"menu-expanded"));
    CloseAllPopups();

    // A cascade three levels deep.
    m_pFrame->GetMenuBar()->SetPopuped(0);
    CTKPPopupBar* pFile = GetDeepestPopup();
    ASSERT_NE(pFile, nullptr);
    CTKPControl* pRecent = pFile->GetControls()->FindControl(tkpControlPopup, -1, FALSE, FALSE);
    pFile->SetPopuped(pRecent->GetIndex());
    CTKPPopupBar* pRecentPopup = GetDeepestPopup();
    CTKPControl* pMore = pRecentPopup->GetControls()->FindControl(tkpControlPopup, -1, FALSE, FALSE);
    pRecentPopup->SetPopuped(pMore->GetIndex());
    GetDeepestPopup()->SetSelected(0, TRUE);
    EXPECT_TRUE(Capture(L"menu-cascade"));
    CloseAllPopups();

    // The View menu with its checked item, with drop shadows as where the system asks for them.
    CTKPPopupShadows::SetSystemDropShadow(1);
    m_pFrame->GetMenuBar()->SetPopuped(2);
    EXPECT_TRUE(Capture(L"menu-checked-shadow"));
    CloseAllPopups();
    CTKPPopupShadows::SetSystemDropShadow(-1);
}

TEST_P(CommandBarsGallery, ContextMenu)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_CONTEXT));
    bool bSaved = false;
    RunInsideTracking([&] {
        CTKPPopupBar* pPopup = GetDeepestPopup();
        if (pPopup != nullptr)
            pPopup->SetSelected(1, TRUE);
        bSaved = Capture(L"context-menu");
        CloseAllPopups();
    });
    CRect rc;
    m_pFrame->GetWindowRect(&rc);
    TrackMenuWithCommandBars(menu.GetSubMenu(0), TPM_RETURNCMD, rc.left + 200, rc.top + 120, m_pFrame,
        IDR_TEST_MENU_ICONS);
    EXPECT_TRUE(bSaved);
}

namespace {

// A window with one tool over its middle.
class CTipOwner : public CWnd {
public:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
    {
        CRect rc;
        GetClientRect(&rc);
        FillToolInfo(pTI, m_hWnd, rc, 1, L"Opens a document from a folder of your choice", L"Open",
            L"Opens a document from a folder of your choice.");
        return 1;
    }
};

}  // namespace

TEST_P(CommandBarsGallery, ToolTip)
{
    CTipOwner owner;
    CRect rcFrame;
    m_pFrame->GetWindowRect(&rcFrame);
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0, NULL, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)), L"Tool",
        WS_CHILD | WS_VISIBLE, CRect(20, 120, 120, 150), m_pFrame, 5000));
    const int styles[] = {CTKPToolTipManager::stylePlain, CTKPToolTipManager::styleOffice};
    const wchar_t* names[] = {L"tooltip-plain", L"tooltip-office"};
    for (int i = 0; i < 2; i++) {
        CTKPToolTipManager manager;
        manager.SetTipStyle(styles[i]);
        manager.SetExtendedToolInfo(i == 1);
        CPoint pt(60, 135);
        m_pFrame->ClientToScreen(&pt);
        ::SetCursorPos(pt.x, pt.y);
        MSG msg = {};
        msg.hwnd = owner.GetSafeHwnd();
        msg.message = WM_MOUSEMOVE;
        msg.pt = pt;
        manager.FilterToolTipMessage(&owner, &msg, TRUE);
        CTKPToolTipWindow* pTip = dynamic_cast<CTKPToolTipWindow*>(manager.GetToolTip());
        ASSERT_NE(pTip, nullptr);
        pTip->OnPendingTimer();
        EXPECT_TRUE(pTip->IsWindowVisible());
        EXPECT_TRUE(Capture(names[i]));
    }
    owner.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Themes, CommandBarsGallery, ::testing::Values(0, 1, 2));

TEST_P(CommandBarsGallery, ButtonStates)
{
    // Hot, pressed, checked, disabled, and checked while hot, left to right.
    CTKPToolBar* pBar = m_pFrame->GetToolBar();
    m_pFrame->m_checked[102] = 1;
    m_pFrame->m_checked[104] = 1;
    m_pFrame->m_enabled[103] = FALSE;
    pBar->OnIdleUpdateCmdUI(TRUE, 0);
    CTKPControls* pControls = pBar->GetControls();
    pControls->FindControl(100)->SetSelected(1);
    pControls->FindControl(101)->SetPressed(1);
    pControls->FindControl(101)->SetSelected(1);
    pControls->FindControl(104)->SetSelected(1);
    pBar->Invalidate(FALSE);
    EXPECT_TRUE(Capture(L"button-states"));
}
