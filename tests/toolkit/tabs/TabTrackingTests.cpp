// The capture loops of a tab row: a navigation button held down, and a tab dragged to another
// place, driven by posted messages and by real input.
#include "TabTestSupport.h"

#include "toolkit/common/TabGeometry.h"

#include <gtest/gtest.h>

using namespace tabtest;

namespace {

// Steps run one per tick of a thread timer, which the capture loops dispatch like any message.
std::vector<std::function<void()>> g_steps;
size_t g_nextStep = 0;
UINT_PTR g_timer = 0;

void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_nextStep < g_steps.size()) {
        g_steps[g_nextStep++]();
        return;
    }
    KillTimer(NULL, g_timer);
    g_timer = 0;
}

void ScheduleSteps(std::vector<std::function<void()>> steps, UINT elapse)
{
    g_steps = std::move(steps);
    g_nextStep = 0;
    g_timer = SetTimer(NULL, 0, elapse, RunStep);
}

void StopSteps()
{
    if (g_timer)
        KillTimer(NULL, g_timer);
    g_timer = 0;
    g_steps.clear();
}

void PostMouse(HWND hWnd, UINT message, CPoint pt)
{
    POINT screen = pt;
    ClientToScreen(hWnd, &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessage(hWnd, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
}

// The held button's clock, counting its looks at it: a loop that waits looks once for each message
// or repeat, one that polls looks without end.
long g_clockLooks = 0;

DWORD CountedTick()
{
    ++g_clockLooks;
    return GetTickCount();
}

struct CountedClock {
    CountedClock() { CTKPTabManagerNavigateButton::SetTickSource(&CountedTick); }
    ~CountedClock() { CTKPTabManagerNavigateButton::SetTickSource(NULL); }
};

}  // namespace

TEST(TabButtonHold, TheEndButtonScrollsUntilTheLastTabFitsAndThenRests)
{
    RowFixture f(ManyCaptions(12));
    HWND hWnd = f.row->GetSafeHwnd();
    CTKPTabManagerNavigateButton* end = f.row->FindNavigateButton(1);
    ASSERT_TRUE(end->IsEnabled());
    const CPoint pt = end->GetRect().CenterPoint();
    int offsetWhenDisabled = 1;
    size_t stepAtDisable = 0;
    long looksAtDisable = 0;
    CountedClock clock;
    // Checks every 50 ms; once the button is disabled, holds on for 12 steps more and then releases
    // (at the last step at the latest, so that a button never disabled still ends its loop).
    constexpr size_t kSteps = 1200;
    std::vector<std::function<void()>> steps;
    for (size_t i = 0; i < kSteps; ++i) {
        steps.push_back([&, hWnd, i] {
            if (offsetWhenDisabled == 1 && !end->IsEnabled()) {
                offsetWhenDisabled = f.row->GetScrollOffset();
                stepAtDisable = i;
                looksAtDisable = g_clockLooks;
            } else if ((offsetWhenDisabled != 1 && i == stepAtDisable + 12) || i + 1 == kSteps) {
                PostMouse(hWnd, WM_LBUTTONUP, pt);
            }
        });
    }
    ScheduleSteps(steps, 50);
    SetCursorPos(100 + pt.x, 100 + pt.y);
    EXPECT_TRUE(f.row->HandleLButtonDown(f.row.get(), pt));
    const long looksHeld = g_clockLooks - looksAtDisable;
    StopSteps();

    ASSERT_NE(1, offsetWhenDisabled) << "the end button never got disabled";
    // Scrolled until the last tab ends the header margin's right value before the tab area ends, and
    // no further: the release adds no step.
    EXPECT_LT(offsetWhenDisabled, -100);
    EXPECT_EQ(offsetWhenDisabled, f.row->GetScrollOffset());
    EXPECT_EQ(f.row->GetClipRect().right - 6, f.Tab(11)->GetRect().right);
    EXPECT_FALSE(end->IsPressed());
    EXPECT_EQ(nullptr, GetCapture());
    // A button held after it has nothing left to do waits instead of spinning: about one look for
    // each of the 12 steps it was held.
    EXPECT_LT(looksHeld, 200);
}

TEST(TabButtonHold, TheCloseButtonActsOnceOnReleaseOverIt)
{
    RowFixture f({L"A", L"B"});
    HWND hWnd = f.row->GetSafeHwnd();
    CTKPTabManagerNavigateButton* close = f.row->FindNavigateButton(2);
    close->SetMode(CTKPTabManagerNavigateButton::modeAlways);
    f.row->Layout();
    const CPoint pt = close->GetRect().CenterPoint();

    // Released outside: nothing.
    SetCursorPos(100 + pt.x, 100 + pt.y);
    PumpPending();
    ScheduleSteps({[&] { PostMouse(hWnd, WM_MOUSEMOVE, CPoint(5, 5)); },
                      [&] {
                          EXPECT_FALSE(close->IsPressed());
                          PostMouse(hWnd, WM_LBUTTONUP, CPoint(5, 5));
                      }},
        30);
    EXPECT_TRUE(f.row->HandleLButtonDown(f.row.get(), pt));
    StopSteps();
    EXPECT_EQ(0, f.row->Count("button 2"));

    // Escape: nothing.
    SetCursorPos(100 + pt.x, 100 + pt.y);
    PumpPending();
    ScheduleSteps({[&] {
        EXPECT_TRUE(close->IsPressed());
        PostMessage(hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    }},
        30);
    f.row->HandleLButtonDown(f.row.get(), pt);
    StopSteps();
    EXPECT_EQ(0, f.row->Count("button 2"));

    // Released over it: once, however long it was held.
    SetCursorPos(100 + pt.x, 100 + pt.y);
    PumpPending();
    ScheduleSteps({[] {}, [] {}, [] {}, [&] { PostMouse(hWnd, WM_LBUTTONUP, pt); }}, 30);
    f.row->HandleLButtonDown(f.row.get(), pt);
    StopSteps();
    EXPECT_EQ(1, f.row->Count("button 2"));
    EXPECT_EQ(nullptr, GetCapture());
}

TEST(TabButtonHold, ABusyMouseOrADisabledButtonRefusesThePress)
{
    RowFixture f(ManyCaptions(12));
    CTKPTabManagerNavigateButton* start = f.row->FindNavigateButton(0);
    ASSERT_FALSE(start->GetRect().IsRectEmpty());
    ASSERT_FALSE(start->IsEnabled());
    f.row->ClearLog();
    start->PerformClick(f.row.get(), start->GetRect().CenterPoint());
    EXPECT_TRUE(f.row->m_log.empty());

    CTKPTabManagerNavigateButton* end = f.row->FindNavigateButton(1);
    f.row->SetCapture();
    end->PerformClick(f.row.get(), end->GetRect().CenterPoint());
    EXPECT_EQ(0, f.row->GetScrollOffset());
    ReleaseCapture();
}

TEST(TabDrag, RealInputMovesTheDraggedTabAndSelectsIt)
{
    RowFixture f({L"Alpha", L"Bravo", L"Charlie", L"Delta"});
    f.theme.m_bHotTracking = TRUE;
    CTKPTabManagerItem* alpha = f.Tab(0);
    CTKPTabManagerItem* bravo = f.Tab(1);
    CTKPTabManagerItem* charlie = f.Tab(2);
    CTKPTabManagerItem* delta = f.Tab(3);
    f.row->SetSelectedTab(delta);
    const CPoint a = f.ScreenCentre(0), b = f.ScreenCentre(1), c = f.ScreenCentre(2);
    f.row->ClearLog();

    ScheduleSteps({[&] { MouseMoveTo(b.x, b.y); },
                      [&] {
                          // While dragged the tab is selected, without a click of the host.
                          EXPECT_EQ(alpha, f.row->GetSelectedItem());
                          EXPECT_EQ(0, f.row->Count("click 1"));
                          MouseMoveTo(c.x, c.y);
                      },
                      [&] { MouseUp(c.x, c.y); }},
        60);
    MouseMoveTo(a.x, a.y);
    MouseDown(a.x, a.y);
    EXPECT_TRUE(PumpUntil([&] { return f.row->Count("click 2") == 1; }));
    StopSteps();

    EXPECT_EQ(bravo, f.Tab(0));
    EXPECT_EQ(charlie, f.Tab(1));
    EXPECT_EQ(alpha, f.Tab(2));
    EXPECT_EQ(delta, f.Tab(3));
    EXPECT_EQ(alpha, f.row->GetSelectedItem());
    EXPECT_EQ(alpha, f.row->GetHotItem());
    EXPECT_EQ(nullptr, GetCapture());
}

TEST(TabDrag, EscapeKeepsTheOrderReachedAndSelectsTheDraggedTab)
{
    RowFixture f({L"Alpha", L"Bravo", L"Charlie"});
    HWND hWnd = f.row->GetSafeHwnd();
    CTKPTabManagerItem* alpha = f.Tab(0);
    CTKPTabManagerItem* bravo = f.Tab(1);
    const CPoint a = f.Centre(0), b = f.Centre(1);
    ScheduleSteps({[&] { PostMouse(hWnd, WM_MOUSEMOVE, b); }, [&] { PostMessage(hWnd, WM_KEYDOWN, VK_ESCAPE, 0); }},
        40);
    EXPECT_TRUE(f.row->HandleLButtonDown(f.row.get(), a));
    StopSteps();
    EXPECT_EQ(bravo, f.Tab(0));
    EXPECT_EQ(alpha, f.Tab(1));
    EXPECT_EQ(alpha, f.row->GetSelectedItem());
    EXPECT_EQ(1, f.row->Count("click 1"));

    // Other keys do not end the drag. The dragged tab closed meanwhile ends it without harm: the
    // selection goes back to the tab selected before, and the closed tab is neither put back nor
    // clicked.
    f.row->ClearLog();
    ScheduleSteps({[&] { PostMessage(hWnd, WM_KEYDOWN, VK_RIGHT, 0); },
                      [&] {
                          EXPECT_EQ(hWnd, GetCapture());
                          EXPECT_EQ(bravo, f.row->GetSelectedItem());
                          f.row->DeleteTab(bravo->GetIndex());
                      },
                      [&] { PostMouse(hWnd, WM_MOUSEMOVE, b); }, [&] { PostMouse(hWnd, WM_LBUTTONUP, b); }},
        40);
    bravo->InternalAddRef();
    f.row->HandleLButtonDown(f.row.get(), a);
    StopSteps();
    ASSERT_EQ(2, f.row->GetItemCount());
    EXPECT_EQ(alpha, f.Tab(0));
    EXPECT_EQ(alpha, f.row->GetSelectedItem());
    EXPECT_EQ(nullptr, bravo->GetManager());
    EXPECT_EQ(0, f.row->Count("click -1"));
    EXPECT_EQ(nullptr, GetCapture());
    bravo->InternalRelease();
}

TEST(TabHotTracking, RealMouseMovesLightTabsAndLeavingClearsThem)
{
    RowFixture f({L"Alpha", L"Bravo"});
    f.theme.m_bHotTracking = TRUE;
    const CPoint b = f.ScreenCentre(1);
    MouseMoveTo(b.x, b.y);
    EXPECT_TRUE(PumpUntil([&] { return f.row->GetHotItem() == f.Tab(1); }));
    MouseMoveTo(700, 700);
    EXPECT_TRUE(PumpUntil([&] { return f.row->GetHotItem() == nullptr; }));
}
