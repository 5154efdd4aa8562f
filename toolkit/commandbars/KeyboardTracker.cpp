#include "toolkit/commandbars/KeyboardTracker.h"

#include "toolkit/commandbars/MouseTracker.h"

#include <memory>
#include <vector>

namespace {

thread_local std::unique_ptr<CTKPKeyboardTracker> t_pKeyboardTracker;

}  // namespace

CTKPKeyboardTracker* CTKPKeyboardTracker::GetThreadTracker()
{
    if (!t_pKeyboardTracker)
        t_pKeyboardTracker.reset(new CTKPKeyboardTracker);
    return t_pKeyboardTracker.get();
}

CTKPKeyboardTracker::CTKPKeyboardTracker() : m_hHookKeyboard(NULL), m_hHookCallWndProc(NULL), m_lstHooks(10) {}

CTKPKeyboardTracker::~CTKPKeyboardTracker()
{
    if (m_hHookKeyboard != NULL)
        ::UnhookWindowsHookEx(m_hHookKeyboard);
    if (m_hHookCallWndProc != NULL)
        ::UnhookWindowsHookEx(m_hHookCallWndProc);
}

void CTKPKeyboardTracker::SetupHook(CTKPHookSink* pSink)
{
    if (m_hHookKeyboard == NULL)
        m_hHookKeyboard = ::SetWindowsHookExW(WH_KEYBOARD, KeyboardProc, NULL, ::GetCurrentThreadId());
    if (m_hHookCallWndProc == NULL)
        m_hHookCallWndProc = ::SetWindowsHookExW(WH_CALLWNDPROC, CallWndProc, NULL, ::GetCurrentThreadId());
    if (pSink != NULL && m_lstHooks.Find(pSink) == NULL)
        m_lstHooks.AddTail(pSink);
}

void CTKPKeyboardTracker::RemoveHook(CTKPHookSink* pSink)
{
    POSITION pos = m_lstHooks.Find(pSink);
    if (pos == NULL)
        return;
    m_lstHooks.RemoveAt(pos);
    if (m_lstHooks.IsEmpty()) {
        if (m_hHookCallWndProc != NULL)
            ::UnhookWindowsHookEx(m_hHookCallWndProc);
        m_hHookCallWndProc = NULL;
        if (m_hHookKeyboard != NULL)
            ::UnhookWindowsHookEx(m_hHookKeyboard);
        m_hHookKeyboard = NULL;
    }
}

BOOL CTKPKeyboardTracker::OnHookKey(UINT nChar, LPARAM lParam)
{
    CTKPMouseTracker* pMouseTracker = CTKPMouseTracker::GetThreadTracker();
    if ((lParam & 0x20000000) && nChar == VK_MENU && !pMouseTracker->IsSuspended()) {
        if (lParam & 0x40000000)
            return FALSE;  // an auto-repeated Alt is neither offered nor consumed
        pMouseTracker->CloseAll();
        return TRUE;
    }
    return OfferToSinks(WM_KEYDOWN, nChar, lParam) != CTKPHookSink::hookPass;
}

int CTKPKeyboardTracker::OfferToSinks(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    // The innermost open popup first; a sink may leave the list while it is asked.
    std::vector<CTKPHookSink*> sinks;
    for (POSITION pos = m_lstHooks.GetHeadPosition(); pos != NULL;)
        sinks.push_back(m_lstHooks.GetNext(pos));
    for (auto it = sinks.rbegin(); it != sinks.rend(); ++it) {
        if (m_lstHooks.Find(*it) == NULL)
            continue;
        WPARAM w = wParam;
        LPARAM l = lParam;
        LRESULT lResult = 0;
        const int nAnswer = (*it)->OnHookMessage(NULL, nMessage, w, l, lResult);
        if (nAnswer != CTKPHookSink::hookNotHandled)
            return nAnswer;
    }
    return CTKPHookSink::hookNotHandled;
}

BOOL CTKPKeyboardTracker::OnMouseWheel(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    return OfferToSinks(nMessage, wParam, lParam) == CTKPHookSink::hookHandled;
}

void CTKPKeyboardTracker::OnCallWndProc(UINT nMessage, WPARAM wParam)
{
    if (nMessage == WM_ACTIVATEAPP && wParam == 0)
        CTKPMouseTracker::GetThreadTracker()->CloseAll();
}

LRESULT CALLBACK CTKPKeyboardTracker::KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CTKPKeyboardTracker* pTracker = t_pKeyboardTracker.get();
    if (nCode == HC_ACTION && pTracker != NULL && pTracker->IsTracking() && !(lParam & 0x80000000)) {
        if (pTracker->OnHookKey((UINT)wParam, lParam))
            return 1;
    }
    return ::CallNextHookEx(pTracker != NULL ? pTracker->m_hHookKeyboard : NULL, nCode, wParam, lParam);
}

LRESULT CALLBACK CTKPKeyboardTracker::CallWndProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CTKPKeyboardTracker* pTracker = t_pKeyboardTracker.get();
    if (nCode == HC_ACTION && pTracker != NULL) {
        const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        pTracker->OnCallWndProc(pMsg->message, pMsg->wParam);
    }
    return ::CallNextHookEx(pTracker != NULL ? pTracker->m_hHookCallWndProc : NULL, nCode, wParam, lParam);
}
