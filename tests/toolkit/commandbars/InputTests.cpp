// Real keyboard and mouse input through the system's queue to a shown frame with a toolbar: the
// shortcut table, the Alt+letter search of the bars, keys reaching a bar in tracking mode through
// the thread's keyboard hook, clicks on buttons through their press loop, and clicks elsewhere
// through the mouse hook.
#include <gtest/gtest.h>

#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/KeyBindings.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/ToolBar.h"

#include <vector>

namespace {

void SendKey(WORD vk, bool bUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = (WORD)::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
}

// Presses the keys in order and lets them go in reverse order.
void Chord(std::initializer_list<WORD> keys)
{
    std::vector<WORD> v(keys);
    for (WORD vk : v)
        SendKey(vk, false);
    for (auto it = v.rbegin(); it != v.rend(); ++it)
        SendKey(*it, true);
}

void MouseAt(CPoint pt, DWORD dwButtons)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (pt.x * 65536 + 65535) / ::GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (pt.y * 65536 + 65535) / ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | dwButtons;
    ::SendInput(1, &input, sizeof(INPUT));
}

void Click(CPoint pt)
{
    MouseAt(pt, 0);
    MouseAt(pt, MOUSEEVENTF_LEFTDOWN);
    MouseAt(pt, MOUSEEVENTF_LEFTUP);
}

// The application's own loop: each message passes the thread's pre-translation first.
bool RunLoopUntil(const std::function<bool()>& pred, DWORD timeout = morvick::test::kStateWaitMs)
{
    const DWORD start = ::GetTickCount();
    CWinThread* pThread = AfxGetThread();
    while (!pred()) {
        if (::GetTickCount() - start > timeout)
            return false;
        MSG msg;
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            if (msg.message == WM_QUIT || !pThread->PumpMessage())
                return pred();
        }
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// One shown frame for the whole program: showing a window is slow without a window manager.
class InputTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_pFrame = new CTestFrame;
        ASSERT_TRUE(s_pFrame->CreateTestFrame(FALSE, CRect(100, 100, 740, 580)));
        theTestApp.m_pMainWnd = s_pFrame;
        s_pFrame->GetCommandBars()->GetKeyBindings()->LoadFromResource(128);
        s_pFrame->ShowWindow(SW_SHOW);
        s_pFrame->UpdateWindow();
        ::SetForegroundWindow(s_pFrame->GetSafeHwnd());
        RunLoopUntil([] { return ::GetForegroundWindow() == s_pFrame->GetSafeHwnd(); });
    }
    static void TearDownTestSuite()
    {
        theTestApp.m_pMainWnd = NULL;
        s_pFrame->DestroyWindow();
        s_pFrame = nullptr;
    }
    void SetUp() override
    {
        ASSERT_EQ(::GetForegroundWindow(), s_pFrame->GetSafeHwnd());
        s_pFrame->m_commands.clear();
        m_pBar = s_pFrame->GetToolBar();
        RunIdle(s_pFrame);
    }
    void TearDown() override
    {
        CTKPMouseTracker::GetThreadTracker()->CloseAll();
        RunLoopUntil([] { return false; }, 50);
    }
    CPoint ButtonCentre(int nIndex) const
    {
        CRect rc = m_pBar->GetControls()->GetAt(nIndex)->GetRect();
        m_pBar->ClientToScreen(&rc);
        return rc.CenterPoint();
    }

    static CTestFrame* s_pFrame;
    CTKPToolBar* m_pBar = nullptr;
};

CTestFrame* InputTest::s_pFrame = nullptr;

}  // namespace

TEST_F(InputTest, AShortcutRunsItsCommandOnce)
{
    Chord({VK_CONTROL, 'O'});
    EXPECT_TRUE(RunLoopUntil([&] { return !s_pFrame->m_commands.empty(); }));
    RunLoopUntil([] { return false; }, 50);
    EXPECT_EQ(s_pFrame->m_commands, (std::vector<UINT>{100}));

    // F5 and Ctrl+F5 lead to the same command.
    s_pFrame->m_commands.clear();
    Chord({VK_F5});
    Chord({VK_CONTROL, VK_F5});
    EXPECT_TRUE(RunLoopUntil([&] { return s_pFrame->m_commands.size() == 2; }));
    EXPECT_EQ(s_pFrame->m_commands, (std::vector<UINT>{102, 102}));
}

TEST_F(InputTest, AltAndALetterSelectAToolBarButtonAndReturnRunsIt)
{
    Chord({VK_MENU, 'P'});
    ASSERT_TRUE(RunLoopUntil([&] { return m_pBar->IsTrackingMode(); }));
    ASSERT_NE(m_pBar->GetSelected(), nullptr);
    EXPECT_EQ(m_pBar->GetSelected()->GetID(), 103);
    EXPECT_TRUE(s_pFrame->m_commands.empty());

    // The keys now reach the bar through the keyboard hook: Left moves, Return runs.
    Chord({VK_LEFT});
    EXPECT_TRUE(RunLoopUntil([&] { return m_pBar->GetSelected()->GetID() == 102; }));
    Chord({VK_RETURN});
    EXPECT_TRUE(RunLoopUntil([&] { return !s_pFrame->m_commands.empty(); }));
    EXPECT_EQ(s_pFrame->m_commands, (std::vector<UINT>{102}));
    EXPECT_FALSE(m_pBar->IsTrackingMode());
}

TEST_F(InputTest, EscapeEndsTheKeyboardTracking)
{
    Chord({VK_MENU, 'R'});
    ASSERT_TRUE(RunLoopUntil([&] { return m_pBar->IsTrackingMode(); }));
    Chord({VK_ESCAPE});
    EXPECT_TRUE(RunLoopUntil([&] { return !m_pBar->IsTrackingMode(); }));
    EXPECT_TRUE(s_pFrame->m_commands.empty());
}

TEST_F(InputTest, AClickOnAButtonRunsItsCommandOnce)
{
    Click(ButtonCentre(1));
    EXPECT_TRUE(RunLoopUntil([&] { return !s_pFrame->m_commands.empty(); }));
    RunLoopUntil([] { return false; }, 50);
    EXPECT_EQ(s_pFrame->m_commands, (std::vector<UINT>{101}));
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
}

TEST_F(InputTest, PressingOnAButtonAndReleasingElsewhereRunsNothing)
{
    // All the input is queued first: the press runs its own loop until the release.
    CRect rcFrame;
    s_pFrame->GetWindowRect(&rcFrame);
    MouseAt(ButtonCentre(0), 0);
    MouseAt(ButtonCentre(0), MOUSEEVENTF_LEFTDOWN);
    MouseAt(rcFrame.CenterPoint(), 0);
    MouseAt(rcFrame.CenterPoint(), MOUSEEVENTF_LEFTUP);
    RunLoopUntil([] { return false; }, 300);
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    EXPECT_TRUE(s_pFrame->m_commands.empty());
    EXPECT_EQ(m_pBar->GetControls()->GetAt(0)->GetPressed(), 0);
}

TEST_F(InputTest, AClickOutsideTheTrackedBarEndsItsTracking)
{
    Chord({VK_MENU, 'O'});
    ASSERT_TRUE(RunLoopUntil([&] { return m_pBar->IsTrackingMode(); }));
    CRect rcFrame;
    s_pFrame->GetWindowRect(&rcFrame);
    Click(rcFrame.CenterPoint() + CSize(0, 100));
    EXPECT_TRUE(RunLoopUntil([&] { return !m_pBar->IsTrackingMode(); }));
    RunLoopUntil([] { return false; }, 50);
    EXPECT_TRUE(s_pFrame->m_commands.empty());
}
