#include "tests/toolkit/commandbars/MenuTestSupport.h"

#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/SoundPlayer.h"
#include "toolkit/commandbars/ToolBar.h"

#include "classlib/win/CWinThread.h"

BOOL CMenuTestFrame::CreateMenuFrame(int x, int y, int cx, int cy, UINT nMenuID)
{
    if (!CreateTestFrame(FALSE, CRect(x, y, x + cx, y + cy)))
        return FALSE;
    CTKPCommandBars* pCommandBars = GetCommandBars();
    pCommandBars->GetOptions()->animationType = 0;
    // The frame has its own menu first, as a program's frame does; the menu bar takes it.
    ::SetMenu(m_hWnd, ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nMenuID)));
    if (pCommandBars->CreateMenuBar(L"Menu Bar", nMenuID) == NULL)
        return FALSE;
    RecalcLayout();
    SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow();
    SetFocus();
    ::RunIdle(this);
    PumpUntil([this] { return ::GetForegroundWindow() == m_hWnd; });
    return TRUE;
}

CTKPMenuBar* CMenuTestFrame::GetMenuBar() const
{
    return GetCommandBars() != NULL ? GetCommandBars()->GetMenuBar() : NULL;
}

CRect CMenuTestFrame::GetMenuItemRect(int nIndex) const
{
    CTKPMenuBar* pBar = GetMenuBar();
    CRect rc = pBar->GetControl(nIndex)->GetRect();
    pBar->ClientToScreen(&rc);
    return rc;
}

void PumpMenu()
{
    CWinThread* pThread = AfxGetThread();
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (pThread != NULL && pThread->PreTranslateMessage(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool PumpMenuUntil(const std::function<bool()>& pred, DWORD timeout)
{
    const DWORD start = ::GetTickCount();
    while (!pred()) {
        if (::GetTickCount() - start > timeout)
            return false;
        PumpMenu();
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void SendKeyEvent(WORD vk, bool bUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    if (vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN || vk == VK_HOME || vk == VK_END)
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    ::SendInput(1, &input, sizeof(input));
    PumpMenu();
}

void TapKey(WORD vk)
{
    SendKeyEvent(vk, false);
    SendKeyEvent(vk, true);
    PumpMenu();
}

void TapKeyWith(std::initializer_list<WORD> modifiers, WORD vk)
{
    for (WORD m : modifiers)
        SendKeyEvent(m, false);
    TapKey(vk);
    for (WORD m : modifiers)
        SendKeyEvent(m, true);
    PumpMenu();
}

namespace {

void SendMouse(DWORD dwFlags, POINT pt)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(pt.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = ::MulDiv(pt.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
    PumpMenu();
}

}  // namespace

void MoveMouseTo(POINT pt)
{
    ::SetCursorPos(pt.x, pt.y);
    SendMouse(MOUSEEVENTF_MOVE, pt);
}

void ClickAt(POINT pt)
{
    MoveMouseTo(pt);
    SendMouse(MOUSEEVENTF_LEFTDOWN, pt);
    SendMouse(MOUSEEVENTF_LEFTUP, pt);
    PumpMenu();
}

int GetTrackedPopupCount()
{
    CTKPMouseTracker* pTracker = CTKPMouseTracker::GetThreadTracker();
    int n = 0;
    for (int i = 0; i < pTracker->GetTrackedCount(); i++)
        n += pTracker->GetTrackedBar(i)->IsKindOf(RUNTIME_CLASS(CTKPPopupBar)) ? 1 : 0;
    return n;
}

CTKPPopupBar* GetTrackedPopup(int nIndex)
{
    CTKPMouseTracker* pTracker = CTKPMouseTracker::GetThreadTracker();
    for (int i = 0; i < pTracker->GetTrackedCount(); i++) {
        CTKPCommandBar* pBar = pTracker->GetTrackedBar(i);
        if (!pBar->IsKindOf(RUNTIME_CLASS(CTKPPopupBar)))
            continue;
        if (nIndex-- == 0)
            return static_cast<CTKPPopupBar*>(pBar);
    }
    return NULL;
}

CTKPPopupBar* GetDeepestPopup()
{
    const int n = GetTrackedPopupCount();
    return n > 0 ? GetTrackedPopup(n - 1) : NULL;
}

void CloseAllPopups()
{
    CTKPMouseTracker::GetThreadTracker()->CloseAll();
    PumpMenu();
}

namespace {

std::function<void()> g_inside;

void CALLBACK InsideTracking(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(NULL, nIDEvent);
    auto fn = g_inside;
    g_inside = nullptr;
    if (fn)
        fn();
}

}  // namespace

void RunInsideTracking(std::function<void()> fn)
{
    g_inside = std::move(fn);
    ::SetTimer(NULL, 0, 1, &InsideTracking);
}

void PrepareMenuTests()
{
    CTKPPopupBar::EnableAnimation(FALSE);
    TKPGetSoundPlayer()->EnableSounds(FALSE);
    if (CTKPCommandBarsTheme::GetInstalledTheme() == NULL ||
        CTKPCommandBarsTheme::GetInstalledTheme()->GetThemeKind() != CTKPCommandBarsTheme::themeDefault)
        CTKPCommandBarsTheme::SetTheme(CTKPCommandBarsTheme::themeDefault);
}
