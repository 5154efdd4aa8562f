#include "toolkit/commandbars/MouseTracker.h"

#include "toolkit/base/DrawingHelper.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/RefHolder.h"

#include <memory>

POINT CTKPMouseTracker::s_ptLast = {0, 0};

namespace {

// The thread's tracker; its hook goes with the thread.
thread_local std::unique_ptr<CTKPMouseTracker> t_pMouseTracker;

BOOL IsMoveMessage(UINT nMessage)
{
    return nMessage == WM_MOUSEMOVE || nMessage == WM_NCMOUSEMOVE;
}

}  // namespace

CTKPMouseTracker* CTKPMouseTracker::GetThreadTracker()
{
    if (!t_pMouseTracker)
        t_pMouseTracker.reset(new CTKPMouseTracker);
    return t_pMouseTracker.get();
}

CTKPMouseTracker::CTKPMouseTracker()
    : m_nSuspended(0), m_hHookMouse(NULL), m_pSelected(NULL), m_bExpandedRun(FALSE), m_hwndLeave(NULL),
      m_bSwallowRelease(FALSE)
{
    m_hHookMouse = ::SetWindowsHookExW(WH_MOUSE, MouseProc, NULL, ::GetCurrentThreadId());
}

CTKPMouseTracker::~CTKPMouseTracker()
{
    if (m_hHookMouse != NULL)
        ::UnhookWindowsHookEx(m_hHookMouse);
}

BOOL CTKPMouseTracker::IsTracked(CTKPCommandBar* pBar) const
{
    for (INT_PTR i = 0; i < m_arrTrackedBars.GetSize(); ++i) {
        if (m_arrTrackedBars[i] == pBar)
            return TRUE;
    }
    return FALSE;
}

void CTKPMouseTracker::AddTrackedBar(CTKPCommandBar* pBar)
{
    if (pBar == NULL)
        return;
    if (m_arrTrackedBars.GetSize() == 0 && m_pSelected != NULL && m_pSelected != pBar) {
        CTKPCommandBar* pSelected = m_pSelected;
        pSelected->SetSelected(-1, FALSE);
    }
    if (!IsTracked(pBar))
        m_arrTrackedBars.Add(pBar);
}

void CTKPMouseTracker::RemoveTrackedBar(CTKPCommandBar* pBar)
{
    for (INT_PTR i = 0; i < m_arrTrackedBars.GetSize(); ++i) {
        if (m_arrTrackedBars[i] == pBar) {
            m_arrTrackedBars.RemoveAt(i);
            if (m_arrTrackedBars.GetSize() == 0) {
                // The windows under the cursor get a fresh mouse move.
                POINT pt;
                if (::GetCursorPos(&pt))
                    ::SetCursorPos(pt.x, pt.y);
            }
            break;
        }
    }
    m_bSwallowRelease = FALSE;
}

void CTKPMouseTracker::CloseAll()
{
    while (m_arrTrackedBars.GetSize() > 0) {
        CTKPCommandBar* pBar = m_arrTrackedBars[0];
        CTKPRefHolder hold(pBar);
        pBar->SetTrackingMode(CTKPCommandBar::trackingNone, TRUE, FALSE);
        // A bar that stays in the list after leaving tracking would loop for ever.
        if (m_arrTrackedBars.GetSize() > 0 && m_arrTrackedBars[0] == pBar)
            m_arrTrackedBars.RemoveAt(0);
    }
}

void CTKPMouseTracker::CloseNonLocked()
{
    if (m_arrTrackedBars.GetSize() == 0 || !m_arrTrackedBars[0]->IsLocked())
        return;
    CArray<CTKPCommandBar*, CTKPCommandBar*> arrBars;
    arrBars.Copy(m_arrTrackedBars);
    for (INT_PTR i = 0; i < arrBars.GetSize(); ++i) {
        if (IsTracked(arrBars[i]) && !arrBars[i]->IsLocked()) {
            CTKPRefHolder hold(arrBars[i]);
            arrBars[i]->SetTrackingMode(CTKPCommandBar::trackingNone, TRUE, FALSE);
        }
    }
}

void CTKPMouseTracker::LockTrackedBars(BOOL bLock)
{
    for (INT_PTR i = 0; i < m_arrTrackedBars.GetSize(); ++i) {
        CTKPCommandBar* pBar = m_arrTrackedBars[i];
        pBar->SetLockCounter(pBar->GetLockCounter() + (bLock ? 1 : -1));
    }
}

BOOL CTKPMouseTracker::IsTrackingOtherPopup(CTKPCommandBar* pBar) const
{
    if (m_arrTrackedBars.GetSize() == 0)
        return FALSE;
    if (pBar == NULL || pBar->IsLocked())
        return TRUE;
    return !IsTracked(pBar);
}

void CTKPMouseTracker::AddCompanionWindow(HWND hWnd)
{
    for (INT_PTR i = 0; i < m_arrCompanionWindows.GetSize(); ++i) {
        if (m_arrCompanionWindows[i] == hWnd)
            return;
    }
    m_arrCompanionWindows.Add(hWnd);
}

void CTKPMouseTracker::RemoveCompanionWindow(HWND hWnd)
{
    for (INT_PTR i = 0; i < m_arrCompanionWindows.GetSize(); ++i) {
        if (m_arrCompanionWindows[i] == hWnd) {
            m_arrCompanionWindows.RemoveAt(i);
            return;
        }
    }
}

BOOL CTKPMouseTracker::IsTopParentActive(HWND hWnd)
{
    return CTKPDrawingHelper::IsTopParentActive(hWnd);
}

// --- Mouse-leave emulation ----------------------------------------------------------------------

void CTKPMouseTracker::TrackMouseLeave(HWND hWnd)
{
    if (hWnd == m_hwndLeave)
        return;
    if (m_hwndLeave != NULL && ::IsWindow(m_hwndLeave)) {
        ::KillTimer(m_hwndLeave, TIMERID_MOUSELEAVE);
        ::SendMessageW(m_hwndLeave, WM_MOUSELEAVE, 0, 0);
    }
    m_hwndLeave = hWnd;
    if (hWnd != NULL)
        ::SetTimer(hWnd, TIMERID_MOUSELEAVE, 50, OnTimerLeave);
}

void CALLBACK CTKPMouseTracker::OnTimerLeave(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
{
    CTKPMouseTracker* pTracker = GetThreadTracker();
    if (!::IsWindow(hWnd)) {
        if (pTracker->m_hwndLeave == hWnd)
            pTracker->m_hwndLeave = NULL;
        return;
    }
    POINT pt;
    ::GetCursorPos(&pt);
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    const LONG lStyle = ::GetWindowLongW(hWnd, GWL_STYLE);
    const BOOL bActive = ::GetParent(hWnd) == NULL || (lStyle & WS_POPUP) != 0 || IsTopParentActive(hWnd);
    if (::PtInRect(&rc, pt) && bActive)
        return;
    ::KillTimer(hWnd, nIDEvent);
    if (pTracker->m_hwndLeave == hWnd)
        pTracker->m_hwndLeave = NULL;
    ::PostMessageW(hWnd, WM_MOUSELEAVE, 0, 0);
}

// --- The mouse hook -----------------------------------------------------------------------------

LRESULT CALLBACK CTKPMouseTracker::MouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CTKPMouseTracker* pTracker = t_pMouseTracker.get();
    if (nCode == HC_ACTION && pTracker != NULL) {
        const MOUSEHOOKSTRUCT* pHook = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        if (pTracker->OnHookMessage((UINT)wParam, pHook->pt, ::WindowFromPoint(pHook->pt)))
            return 1;
    }
    return ::CallNextHookEx(pTracker != NULL ? pTracker->m_hHookMouse : NULL, nCode, wParam, lParam);
}

BOOL CTKPMouseTracker::OnHookMessage(UINT nMessage, POINT pt, HWND hWndUnderCursor)
{
    if (nMessage == WM_LBUTTONDOWN || nMessage == WM_RBUTTONDOWN)
        m_bSwallowRelease = FALSE;
    if ((nMessage == WM_LBUTTONUP || nMessage == WM_NCLBUTTONUP) && m_bSwallowRelease) {
        m_bSwallowRelease = FALSE;
        return TRUE;
    }
    if (IsMoveMessage(nMessage) && m_arrTrackedBars.GetSize() > 0 && pt.x == s_ptLast.x && pt.y == s_ptLast.y)
        return TRUE;
    s_ptLast = pt;
    if (m_arrTrackedBars.GetSize() > 0)
        CheckTrackedBars(nMessage, pt, hWndUnderCursor);
    return FALSE;
}

void CTKPMouseTracker::CheckTrackedBars(UINT nMessage, POINT pt, HWND hWndUnderCursor)
{
    for (INT_PTR i = m_arrTrackedBars.GetSize() - 1; i >= 0; --i) {
        CTKPCommandBar* pBar = m_arrTrackedBars[i];
        if (pBar->GetSafeHwnd() == NULL)
            continue;
        const int nHit = pBar->PtInWindow(pt);
        if (nHit == -2)
            continue;
        const BOOL bIn = nHit == 1 || (hWndUnderCursor != NULL && ::IsChild(pBar->GetSafeHwnd(), hWndUnderCursor));
        if (!bIn)
            continue;
        if (!pBar->IsLocked() || IsMoveMessage(nMessage) || m_bSwallowRelease)
            return;
        CloseNonLocked();
        s_ptLast.x = s_ptLast.y = 0;
        return;
    }
    for (INT_PTR i = 0; i < m_arrCompanionWindows.GetSize(); ++i) {
        HWND hWnd = m_arrCompanionWindows[i];
        RECT rc;
        if (::IsWindowVisible(hWnd) && ::GetWindowRect(hWnd, &rc) && ::PtInRect(&rc, pt))
            return;
    }
    switch (nMessage) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: {
        CArray<CTKPCommandBar*, CTKPCommandBar*> arrBars;
        arrBars.Copy(m_arrTrackedBars);
        for (INT_PTR i = 0; i < arrBars.GetSize(); ++i) {
            CTKPCommandBar* pBar = arrBars[i];
            if (!IsTracked(pBar) || pBar->IsLocked() || pBar->GetSafeHwnd() == NULL)
                continue;
            CTKPRefHolder hold(pBar);
            CPoint ptClient = pt;
            pBar->ScreenToClient(&ptClient);
            pBar->OnMouseMove(0, ptClient);
        }
        break;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        CloseAll();
        break;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
        if (!IsSuspended())
            CloseAll();
        break;
    }
}
