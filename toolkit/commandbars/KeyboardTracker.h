// Routes the key presses of one thread to the command bars in tracking mode while at least one is
// registered (a thread keyboard hook), lets a lone Alt close them and closes them when the program
// loses activation (a call-window-procedure hook).
#pragma once

#include "classlib/core/CList.h"
#include "toolkit/commandbars/HookSink.h"

class CTKPKeyboardTracker {
public:
    CTKPKeyboardTracker();
    virtual ~CTKPKeyboardTracker();

    // The calling thread's tracker, made on first use.
    static CTKPKeyboardTracker* GetThreadTracker();

    // Installs the hooks when missing and registers the sink (once).
    void SetupHook(CTKPHookSink* pSink);
    // Unregisters the sink; the hooks go with the last one.
    void RemoveHook(CTKPHookSink* pSink);
    BOOL IsTracking() const { return !m_lstHooks.IsEmpty(); }
    int GetSinkCount() const { return (int)m_lstHooks.GetCount(); }
    BOOL IsHooked() const { return m_hHookKeyboard != NULL; }

    // The body of the keyboard hook for one key press (key data as in WM_KEYDOWN): TRUE consumes it.
    BOOL OnHookKey(UINT nChar, LPARAM lParam);
    // WM_MOUSEWHEEL while tracking: offered to the sinks; TRUE when one took it.
    BOOL OnMouseWheel(UINT nMessage, WPARAM wParam, LPARAM lParam);
    // The call-window-procedure hook's rule: the program losing activation closes the popups.
    void OnCallWndProc(UINT nMessage, WPARAM wParam);

protected:
    // Asks the sinks, the latest first, until one answers; hookNotHandled when none does.
    int OfferToSinks(UINT nMessage, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CallWndProc(int nCode, WPARAM wParam, LPARAM lParam);

    HHOOK m_hHookKeyboard;
    HHOOK m_hHookCallWndProc;
    CList<CTKPHookSink*, CTKPHookSink*> m_lstHooks;
};
