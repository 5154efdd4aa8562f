// The menu bar of a frame with an MDI client: the controls of a maximized child and the menus of
// document types.
#include <gtest/gtest.h>

#include "TestRegistryKey.h"
#include "tests/toolkit/commandbars/MenuTestSupport.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/MdiControls.h"

namespace {

// Command bars whose active menu is whatever the test says (a program finds it by the document).
class CMdiTestCommandBars : public CTKPCommandBars {
public:
    UINT GetActiveMenuId() override { return m_nActiveMenuId; }
    UINT m_nActiveMenuId = IDR_TEST_MENU;
};

class CMdiTestFrame : public CTKPFrameWnd {
public:
    BOOL CreateMdiFrame()
    {
        if (!Create(NULL, L"MDI test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(100, 100, 740, 500)))
            return FALSE;
        CLIENTCREATESTRUCT ccs = {NULL, 0xFF00};
        m_hWndClient = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", NULL,
            WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE | MDIS_ALLCHILDSTYLES, 0, 0, 100, 100, m_hWnd,
            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)), AfxGetInstanceHandle(), &ccs);
        if (m_hWndClient == NULL)
            return FALSE;
        m_pBars = new CMdiTestCommandBars;
        m_pCommandBars = m_pBars;
        m_pCommandBars->AttachToFrame(this);
        m_pCommandBars->m_bCustomizeAvail = TRUE;
        m_pCommandBars->CreateDockBars();
        ::SetMenu(m_hWnd, ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_TEST_MENU)));
        CTKPMenuBar* pBar = m_pCommandBars->CreateMenuBar(L"Menu Bar", IDR_TEST_MENU);
        if (pBar == NULL)
            return FALSE;
        pBar->ModifyBarFlags(tkpFlagAddMDISysPopup, 0);
        RecalcLayout();
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        return TRUE;
    }

    HWND CreateChild(DWORD dwStyle)
    {
        static bool s_registered = false;
        if (!s_registered) {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = ::DefMDIChildProcW;
            wc.hInstance = AfxGetInstanceHandle();
            wc.lpszClassName = L"MorvickMdiTestChild";
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
            ::RegisterClassW(&wc);
            s_registered = true;
        }
        MDICREATESTRUCTW mcs = {};
        mcs.szClass = L"MorvickMdiTestChild";
        mcs.szTitle = L"Document";
        mcs.hOwner = AfxGetInstanceHandle();
        mcs.x = mcs.y = mcs.cx = mcs.cy = CW_USEDEFAULT;
        mcs.style = dwStyle | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        return reinterpret_cast<HWND>(::SendMessageW(m_hWndClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    }

    CTKPMenuBar* GetMenuBar() const { return m_pCommandBars->GetMenuBar(); }

    void OnUpdateFrameMenu(HMENU hMenuAlt) override
    {
        ++m_nFrameMenuUpdates;
        CTKPFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    }

    HWND m_hWndClient = NULL;
    int m_nFrameMenuUpdates = 0;
    CMdiTestCommandBars* m_pBars = nullptr;
};

class MdiMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PrepareMenuTests();
        m_pFrame = new CMdiTestFrame;
        ASSERT_TRUE(m_pFrame->CreateMdiFrame());
    }
    void TearDown() override
    {
        CloseAllPopups();
        if (m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->DestroyWindow();
    }
    CMdiTestFrame* m_pFrame = nullptr;
};

int CountItems(CTKPCommandBar* pBar)
{
    int n = 0;
    for (int i = 0; i < pBar->GetControlCount(); i++)
        n += pBar->GetControl(i)->IsTemporary() ? 0 : 1;
    return n;
}

std::vector<int> Ids(CTKPCommandBar* pBar)
{
    std::vector<int> ids;
    for (int i = 0; i < pBar->GetControlCount(); i++)
        if (pBar->GetControl(i)->GetID() >= 9403 && pBar->GetControl(i)->GetID() <= 9406)
            ids.push_back(pBar->GetControl(i)->GetID());
    return ids;
}

}  // namespace

TEST_F(MdiMenuTest, MaximizedChildShowsItsIconAndButtonsUntilRestored)
{
    CTKPMenuBar* pBar = m_pFrame->GetMenuBar();
    ASSERT_TRUE(pBar->IsMdiFrame());
    HWND hChild = m_pFrame->CreateChild(WS_OVERLAPPEDWINDOW);
    ASSERT_NE(hChild, nullptr);
    PumpMenu();
    EXPECT_TRUE(Ids(pBar).empty());

    ::SendMessageW(m_pFrame->m_hWndClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hChild), 0);
    ASSERT_TRUE(PumpMenuUntil([pBar] { return Ids(pBar).size() == 4; }));
    // The system menu first, the buttons at the end in the order minimize, restore, close.
    EXPECT_EQ(pBar->GetControl(0)->GetID(), 9406);
    EXPECT_EQ(Ids(pBar), (std::vector<int>{9406, 9405, 9404, 9403}));
    CTKPMdiSystemMenuPopup* pSysMenu = static_cast<CTKPMdiSystemMenuPopup*>(pBar->GetControl(0));
    EXPECT_NE(pSysMenu->GetIcon(), nullptr);  // the child has none of its own: the system's
    CTKPCommandBar* pSysPopup = pSysMenu->GetCommandBar();
    ASSERT_NE(pSysPopup, nullptr);
    EXPECT_NE(pSysPopup->GetControls()->FindControl(SC_CLOSE), nullptr);
    EXPECT_TRUE(pBar->GetControls()->FindControl(9403)->GetFlags() & tkpFlagRightAlign);

    // Restore through the button; the controls go at the next deferred refresh.
    pBar->GetControls()->FindControl(9404)->OnExecute();
    ASSERT_TRUE(PumpMenuUntil([pBar] { return Ids(pBar).empty(); }));
    BOOL bMaximized = TRUE;
    EXPECT_EQ(pBar->GetActiveMdiChild(&bMaximized), hChild);
    EXPECT_FALSE(bMaximized);

    // A child without a minimize box gets no minimize button.
    HWND hNarrow = m_pFrame->CreateChild(WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX);
    ::SendMessageW(m_pFrame->m_hWndClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hNarrow), 0);
    ASSERT_TRUE(PumpMenuUntil([pBar] { return Ids(pBar).size() == 3; }));
    EXPECT_EQ(Ids(pBar), (std::vector<int>{9406, 9404, 9403}));
}

TEST_F(MdiMenuTest, EachDocumentMenuKeepsItsCustomisedControls)
{
    CTKPMenuBar* pBar = m_pFrame->GetMenuBar();
    HMENU hDocMenu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_TEST_MENU2));
    m_pFrame->m_pBars->m_nActiveMenuId = IDR_TEST_MENU2;
    // The MDI client's menu message switches the bar and the frame stays without a menu.
    ::SendMessageW(m_pFrame->m_hWndClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hDocMenu), 0);
    EXPECT_EQ(pBar->GetCurrentMenuId(), static_cast<UINT>(IDR_TEST_MENU2));
    EXPECT_EQ(pBar->GetControl(0)->GetCaption(), CString(L"&Document"));
    EXPECT_EQ(::GetMenu(m_pFrame->GetSafeHwnd()), nullptr);

    // Customise the document menu, go back to the frame's menu and return.
    pBar->GetControls()->Remove(1);
    pBar->SwitchMenu(pBar->GetFrameMenu());
    EXPECT_EQ(pBar->GetCurrentMenuId(), static_cast<UINT>(IDR_TEST_MENU));
    EXPECT_EQ(pBar->GetControl(0)->GetCaption(), CString(L"&File"));
    pBar->SwitchMenu(hDocMenu);
    EXPECT_EQ(CountItems(pBar), 1);

    // Stored sets that carry no customisation go; the customised one stays.
    pBar->FreeStoredMenus();
    EXPECT_EQ(pBar->GetCurrentMenuId(), static_cast<UINT>(IDR_TEST_MENU));
    EXPECT_EQ(pBar->GetStoredMenus().GetCount(), 1);
    CTKPControls* pStored = nullptr;
    EXPECT_TRUE(pBar->GetStoredMenus().Lookup(IDR_TEST_MENU2, pStored));

    // With the flag that ignores menu messages nothing switches, and the frame still has no menu.
    pBar->ModifyBarFlags(tkpFlagIgnoreSetMenuMessage, 0);
    ::SendMessageW(m_pFrame->m_hWndClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hDocMenu), 0);
    EXPECT_EQ(pBar->GetCurrentMenuId(), static_cast<UINT>(IDR_TEST_MENU));
    EXPECT_EQ(::GetMenu(m_pFrame->GetSafeHwnd()), nullptr);
    ::DestroyMenu(hDocMenu);
}

TEST_F(MdiMenuTest, SavingTheLayoutKeepsOnlyTheDocumentMenusTheUserChanged)
{
    TestRegistryKey key(L"MorvickCommandBarsTests");
    CTKPMenuBar* pBar = m_pFrame->GetMenuBar();
    HMENU hDocMenu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_TEST_MENU2));
    m_pFrame->m_pBars->m_nActiveMenuId = IDR_TEST_MENU2;
    ::SendMessageW(m_pFrame->m_hWndClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hDocMenu), 0);
    ASSERT_EQ(pBar->GetCurrentMenuId(), static_cast<UINT>(IDR_TEST_MENU2));

    // Nothing customised: the default menu comes back, no set is kept, and the frame is told to
    // put its document's menu up again.
    m_pFrame->m_nFrameMenuUpdates = 0;
    m_pFrame->m_pCommandBars->SaveLayout(L"TestLayout", TRUE);
    EXPECT_EQ(pBar->GetStoredMenus().GetCount(), 0);
    EXPECT_EQ(pBar->GetCurrentMenuId(), static_cast<UINT>(IDR_TEST_MENU));
    EXPECT_EQ(m_pFrame->m_nFrameMenuUpdates, 1);
    EXPECT_FALSE(pBar->IsMenuUpdatePending());

    // A customised document menu is kept and saved.
    ::SendMessageW(m_pFrame->m_hWndClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hDocMenu), 0);
    ASSERT_EQ(pBar->GetCurrentMenuId(), static_cast<UINT>(IDR_TEST_MENU2));
    pBar->GetControls()->Remove(1);
    m_pFrame->m_pCommandBars->SaveLayout(L"TestLayout", TRUE);
    EXPECT_EQ(pBar->GetStoredMenus().GetCount(), 1);
    CTKPControls* pStored = nullptr;
    EXPECT_TRUE(pBar->GetStoredMenus().Lookup(IDR_TEST_MENU2, pStored));
    EXPECT_EQ(key.Raw(L"TestLayout-Controls", L"Controls"), static_cast<DWORD>(REG_BINARY));
    ::DestroyMenu(hDocMenu);
}
