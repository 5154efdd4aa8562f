// The thread's mouse and keyboard trackers and the window hook manager: when a click, a release, a
// move or a key reaches the bars in tracking mode, who is asked first, what is consumed, what closes
// them, and how a subclassing is given back.
#include <gtest/gtest.h>

#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/KeyboardTracker.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/ToolBar.h"
#include "toolkit/commandbars/WindowHookManager.h"

#include <functional>
#include <string>
#include <vector>

namespace {

// A sink that records its name when asked and answers as told.
class CRecordingSink : public CTKPHookSink {
public:
    CRecordingSink(std::string name, std::vector<std::string>* pLog, int nAnswer = hookNotHandled)
        : m_name(std::move(name)), m_pLog(pLog), m_nAnswer(nAnswer)
    {}
    int OnHookMessage(HWND, UINT nMessage, WPARAM&, LPARAM&, LRESULT& lResult) override
    {
        if (nMessage != m_nMessage)
            return hookNotHandled;
        m_pLog->push_back(m_name);
        if (m_onAsked)
            m_onAsked();
        lResult = m_lResult;
        return m_nAnswer;
    }
    std::string m_name;
    std::vector<std::string>* m_pLog;
    int m_nAnswer;
    UINT m_nMessage = WM_KEYDOWN;
    LRESULT m_lResult = 0;
    std::function<void()> m_onAsked;
};

class TrackerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(m_pFrame->CreateTestFrame(FALSE, CRect(300, 300, 940, 780)));
        m_pBar = m_pFrame->GetToolBar();
        m_pMouse = CTKPMouseTracker::GetThreadTracker();
        ASSERT_EQ(m_pMouse->GetTrackedCount(), 0);
        m_pBar->GetWindowRect(&m_rcBar);
    }
    void TearDown() override
    {
        m_pMouse->CloseAll();
        while (m_pMouse->IsSuspended())
            m_pMouse->Suspend(FALSE);
        if (m_pPopup != nullptr) {
            m_pPopup->DestroyWindow();
            m_pPopup->InternalRelease();
        }
        if (m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->DestroyWindow();
    }
    // A second tracked bar, a hidden tool window at the screen's top left (far from the toolbar).
    CTKPCommandBar* OpenPopup()
    {
        m_pPopup = new CFakePopupBar;
        m_pPopup->SetCommandBars(m_pFrame->GetCommandBars());
        m_pPopup->PopupAt(0, 0);
        return m_pPopup;
    }
    BOOL Hook(UINT nMessage, CPoint pt, HWND hWnd = NULL) { return m_pMouse->OnHookMessage(nMessage, pt, hWnd); }

    CTestFrame* m_pFrame = nullptr;
    CTKPToolBar* m_pBar = nullptr;
    CFakePopupBar* m_pPopup = nullptr;
    CTKPMouseTracker* m_pMouse = nullptr;
    CRect m_rcBar;
    const CPoint m_ptAway = CPoint(1200, 1000);
};

}  // namespace

TEST_F(TrackerTest, APressOutsideTheTrackedBarsClosesThemAndOneInsideDoesNot)
{
    m_pBar->SetTrackingMode(CTKPCommandBar::trackingKeyboard, FALSE, TRUE);
    ASSERT_TRUE(m_pMouse->IsTracked(m_pBar));
    ASSERT_TRUE(CTKPKeyboardTracker::GetThreadTracker()->IsHooked());

    EXPECT_FALSE(Hook(WM_LBUTTONDOWN, m_rcBar.CenterPoint(), m_pBar->GetSafeHwnd()));
    EXPECT_TRUE(m_pBar->IsTrackingMode());
    EXPECT_FALSE(Hook(WM_RBUTTONDOWN, m_ptAway));
    EXPECT_FALSE(m_pBar->IsTrackingMode());
    EXPECT_EQ(m_pMouse->GetTrackedCount(), 0);
    // The keyboard hooks went with the last tracked bar.
    EXPECT_FALSE(CTKPKeyboardTracker::GetThreadTracker()->IsHooked());

    // A press on the frame's non-client area closes them too.
    m_pBar->SetTrackingMode(CTKPCommandBar::trackingKeyboard, FALSE, TRUE);
    Hook(WM_NCLBUTTONDOWN, m_ptAway);
    EXPECT_FALSE(m_pBar->IsTrackingMode());
}

TEST_F(TrackerTest, AReleaseOutsideClosesUnlessTheTrackerIsSuspendedOrTheReleaseIsSwallowed)
{
    m_pBar->SetTrackingMode(CTKPCommandBar::trackingKeyboard, FALSE, TRUE);
    m_pMouse->Suspend(TRUE);
    Hook(WM_LBUTTONUP, m_ptAway);
    EXPECT_TRUE(m_pBar->IsTrackingMode());
    m_pMouse->Suspend(FALSE);

    // The release that follows the press opening a popup is consumed, once.
    m_pMouse->m_bSwallowRelease = TRUE;
    EXPECT_TRUE(Hook(WM_LBUTTONUP, m_ptAway));
    EXPECT_TRUE(m_pBar->IsTrackingMode());
    EXPECT_FALSE(Hook(WM_LBUTTONUP, m_ptAway));
    EXPECT_FALSE(m_pBar->IsTrackingMode());

    // A new press cancels a pending swallow.
    m_pBar->SetTrackingMode(CTKPCommandBar::trackingKeyboard, FALSE, TRUE);
    m_pMouse->m_bSwallowRelease = TRUE;
    Hook(WM_LBUTTONDOWN, m_rcBar.CenterPoint(), m_pBar->GetSafeHwnd());
    EXPECT_FALSE(Hook(WM_LBUTTONUP, m_rcBar.CenterPoint(), m_pBar->GetSafeHwnd()));
}

TEST_F(TrackerTest, RepeatedMovesAreConsumedOnlyWhileBarsAreTracked)
{
    const CPoint pt = m_rcBar.CenterPoint();
    EXPECT_FALSE(Hook(WM_MOUSEMOVE, pt));
    EXPECT_FALSE(Hook(WM_MOUSEMOVE, pt));
    m_pBar->SetTrackingMode(CTKPCommandBar::trackingKeyboard, FALSE, TRUE);
    EXPECT_TRUE(Hook(WM_MOUSEMOVE, pt));
    EXPECT_TRUE(Hook(WM_NCMOUSEMOVE, pt));
    EXPECT_FALSE(Hook(WM_MOUSEMOVE, pt + CSize(1, 0)));
    EXPECT_EQ(CPoint(CTKPMouseTracker::s_ptLast), pt + CSize(1, 0));
    // A move outside keeps the bars open.
    EXPECT_FALSE(Hook(WM_MOUSEMOVE, m_ptAway));
    EXPECT_TRUE(m_pBar->IsTrackingMode());
}

TEST_F(TrackerTest, AVisibleCompanionWindowCountsAsInside)
{
    HWND hWndCompanion = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, m_ptAway.x - 10,
        m_ptAway.y - 10, 40, 40, NULL, NULL, NULL, NULL);
    ASSERT_NE(hWndCompanion, (HWND)NULL);
    m_pBar->SetTrackingMode(CTKPCommandBar::trackingKeyboard, FALSE, TRUE);
    m_pMouse->AddCompanionWindow(hWndCompanion);
    m_pMouse->AddCompanionWindow(hWndCompanion);
    EXPECT_EQ(m_pMouse->m_arrCompanionWindows.GetSize(), 1);
    Hook(WM_LBUTTONDOWN, m_ptAway);
    EXPECT_TRUE(m_pBar->IsTrackingMode());
    m_pMouse->RemoveCompanionWindow(hWndCompanion);
    Hook(WM_LBUTTONDOWN, m_ptAway);
    EXPECT_FALSE(m_pBar->IsTrackingMode());
    ::DestroyWindow(hWndCompanion);
}

TEST_F(TrackerTest, APressOnALockedBarClosesOnlyThePopupsOpenedFromIt)
{
    m_pBar->SetTrackingMode(CTKPCommandBar::trackingKeyboard, FALSE, TRUE);
    CTKPCommandBar* pPopup = OpenPopup();
    ASSERT_EQ(m_pMouse->GetTrackedCount(), 2);
    EXPECT_TRUE(m_pMouse->IsTrackingOtherPopup(NULL));
    EXPECT_FALSE(m_pMouse->IsTrackingOtherPopup(pPopup));

    m_pBar->SetLockCounter(1);
    EXPECT_TRUE(m_pMouse->IsTrackingOtherPopup(m_pBar));
    // Moves over the locked bar change nothing.
    Hook(WM_MOUSEMOVE, m_rcBar.CenterPoint(), m_pBar->GetSafeHwnd());
    EXPECT_TRUE(pPopup->IsTrackingMode());
    Hook(WM_LBUTTONDOWN, m_rcBar.CenterPoint() + CSize(1, 1), m_pBar->GetSafeHwnd());
    EXPECT_FALSE(pPopup->IsTrackingMode());
    EXPECT_TRUE(m_pBar->IsTrackingMode());
    m_pBar->SetLockCounter(0);
    m_pMouse->CloseAll();
    EXPECT_FALSE(m_pMouse->IsTrackingOtherPopup(NULL));
}

TEST(KeyboardTracker, KeysGoToTheLatestSinkFirstUntilOneAnswers)
{
    std::vector<std::string> log;
    CRecordingSink outer("outer", &log), middle("middle", &log), inner("inner", &log);
    CTKPKeyboardTracker tracker;
    tracker.SetupHook(&outer);
    tracker.SetupHook(&middle);
    tracker.SetupHook(&inner);
    tracker.SetupHook(&inner);
    EXPECT_EQ(tracker.GetSinkCount(), 3);
    EXPECT_TRUE(tracker.IsHooked());

    // Nobody answers: the key is still consumed while bars track.
    EXPECT_TRUE(tracker.OnHookKey('A', 0));
    EXPECT_EQ(log, (std::vector<std::string>{"inner", "middle", "outer"}));

    // Passing lets the key reach the window and asks no one else.
    log.clear();
    middle.m_nAnswer = CTKPHookSink::hookPass;
    EXPECT_FALSE(tracker.OnHookKey('A', 0));
    EXPECT_EQ(log, (std::vector<std::string>{"inner", "middle"}));

    // Handled: consumed. A sink that leaves during the round is not asked afterwards.
    log.clear();
    middle.m_nAnswer = CTKPHookSink::hookNotHandled;
    outer.m_nAnswer = CTKPHookSink::hookHandled;
    inner.m_onAsked = [&] { tracker.RemoveHook(&middle); };
    EXPECT_TRUE(tracker.OnHookKey('A', 0));
    EXPECT_EQ(log, (std::vector<std::string>{"inner", "outer"}));

    tracker.RemoveHook(&inner);
    EXPECT_TRUE(tracker.IsHooked());
    tracker.RemoveHook(&outer);
    EXPECT_FALSE(tracker.IsHooked());
    EXPECT_FALSE(tracker.IsTracking());
}

TEST(KeyboardTracker, MouseWheelIsConsumedOnlyWhenASinkHandlesIt)
{
    std::vector<std::string> log;
    CRecordingSink sink("sink", &log);
    sink.m_nMessage = WM_MOUSEWHEEL;
    CTKPKeyboardTracker tracker;
    tracker.SetupHook(&sink);
    EXPECT_FALSE(tracker.OnMouseWheel(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0));
    sink.m_nAnswer = CTKPHookSink::hookHandled;
    EXPECT_TRUE(tracker.OnMouseWheel(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0));
    tracker.RemoveHook(&sink);
}

TEST_F(TrackerTest, ALoneAltClosesTheTrackedBarsUnlessRepeatedOrSuspended)
{
    std::vector<std::string> log;
    CRecordingSink sink("sink", &log);
    CTKPKeyboardTracker tracker;
    tracker.SetupHook(&sink);
    m_pBar->SetTrackingMode(CTKPCommandBar::trackingKeyboard, FALSE, TRUE);

    // An auto-repeated Alt: neither consumed nor offered.
    EXPECT_FALSE(tracker.OnHookKey(VK_MENU, 0x60000000));
    EXPECT_TRUE(m_pBar->IsTrackingMode());
    // While the mouse tracker is suspended (a drag) Alt is an ordinary key.
    m_pMouse->Suspend(TRUE);
    EXPECT_TRUE(tracker.OnHookKey(VK_MENU, 0x20000000));
    EXPECT_EQ(log.size(), 1u);
    EXPECT_TRUE(m_pBar->IsTrackingMode());
    m_pMouse->Suspend(FALSE);

    EXPECT_TRUE(tracker.OnHookKey(VK_MENU, 0x20000000));
    EXPECT_FALSE(m_pBar->IsTrackingMode());
    EXPECT_EQ(log.size(), 1u);
    tracker.RemoveHook(&sink);
}

namespace {

int g_nPlainCalls = 0;
LRESULT CALLBACK PlainWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_USER)
        return ++g_nPlainCalls;
    return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

WNDPROC g_pfnBeforeLater = NULL;
int g_nLaterCalls = 0;
LRESULT CALLBACK LaterSubclassProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_USER)
        ++g_nLaterCalls;
    return ::CallWindowProcW(g_pfnBeforeLater, hWnd, nMessage, wParam, lParam);
}

HWND CreatePlainWindow()
{
    return ::CreatePlainWindow(L"MorvickHookTestWindow", PlainWndProc);
}

}  // namespace

TEST(WindowHookManager, SinksSeeTheMessageLatestFirstBeforeTheWindow)
{
    CTKPWindowHookManager* pManager = CTKPWindowHookManager::GetInstance();
    HWND hWnd = CreatePlainWindow();
    std::vector<std::string> log;
    CRecordingSink first("first", &log), second("second", &log);
    first.m_nMessage = second.m_nMessage = WM_USER;
    pManager->SetHook(hWnd, &first);
    pManager->SetHook(hWnd, &second);
    pManager->SetHook(hWnd, &second);
    ASSERT_NE(pManager->Lookup(hWnd), nullptr);
    EXPECT_EQ(pManager->Lookup(hWnd)->arrSinks.GetSize(), 2);

    g_nPlainCalls = 0;
    EXPECT_EQ(::SendMessageW(hWnd, WM_USER, 0, 0), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"second", "first"}));

    // Handled: the sink's answer, the window never sees it.
    log.clear();
    second.m_nAnswer = CTKPHookSink::hookHandled;
    second.m_lResult = 42;
    EXPECT_EQ(::SendMessageW(hWnd, WM_USER, 0, 0), 42);
    EXPECT_EQ(log, (std::vector<std::string>{"second"}));
    EXPECT_EQ(g_nPlainCalls, 1);

    // Passed: no further sink, the window answers.
    log.clear();
    second.m_nAnswer = CTKPHookSink::hookPass;
    EXPECT_EQ(::SendMessageW(hWnd, WM_USER, 0, 0), 2);
    EXPECT_EQ(log, (std::vector<std::string>{"second"}));

    // The last sink gone, the window has its own procedure back.
    pManager->RemoveHook(&second);
    pManager->RemoveHook(hWnd, &first);
    EXPECT_EQ(pManager->Lookup(hWnd), nullptr);
    EXPECT_EQ((WNDPROC)::GetWindowLongPtrW(hWnd, GWLP_WNDPROC), PlainWndProc);
    ::DestroyWindow(hWnd);
}

TEST(WindowHookManager, ALaterSubclassingIsNotCutOutWhenTheLastSinkLeaves)
{
    CTKPWindowHookManager* pManager = CTKPWindowHookManager::GetInstance();
    const int nHooked = pManager->GetHookedCount();
    HWND hWnd = CreatePlainWindow();
    std::vector<std::string> log;
    CRecordingSink sink("sink", &log);
    sink.m_nMessage = WM_USER;
    pManager->SetHook(hWnd, &sink);
    g_pfnBeforeLater = (WNDPROC)::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)LaterSubclassProc);

    pManager->RemoveHook(hWnd, &sink);
    EXPECT_EQ((WNDPROC)::GetWindowLongPtrW(hWnd, GWLP_WNDPROC), LaterSubclassProc);
    g_nLaterCalls = g_nPlainCalls = 0;
    ::SendMessageW(hWnd, WM_USER, 0, 0);
    EXPECT_EQ(g_nLaterCalls, 1);
    EXPECT_EQ(g_nPlainCalls, 1);
    EXPECT_TRUE(log.empty());

    // Hooked again through the kept record; freed when the window goes.
    pManager->SetHook(hWnd, &sink);
    ::SendMessageW(hWnd, WM_USER, 0, 0);
    EXPECT_EQ(log.size(), 1u);
    EXPECT_EQ(g_nPlainCalls, 2);
    ::DestroyWindow(hWnd);
    EXPECT_EQ(pManager->GetHookedCount(), nHooked);
}

TEST_F(TrackerTest, TheProgramLosingActivationClosesTheTrackedBars)
{
    // The tracker watches the messages of every window of the thread, not only the frame's (which
    // closes its popups itself): a window of no command bars tells it here.
    const HWND hWnd = CreatePlainWindow();
    ASSERT_NE(hWnd, (HWND)NULL);
    m_pBar->SetTrackingMode(CTKPCommandBar::trackingKeyboard, FALSE, TRUE);
    ::SendMessageW(hWnd, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(m_pBar->IsTrackingMode());
    ::SendMessageW(hWnd, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(m_pBar->IsTrackingMode());
    ::DestroyWindow(hWnd);
}
