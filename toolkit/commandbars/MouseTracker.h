// The command bars in tracking mode of one thread (open popups and a menu bar driven by the
// keyboard): a thread mouse hook closes them when the user clicks elsewhere, drops repeated mouse
// moves and the release that follows an opening press, and a 50 ms timer stands in for
// WM_MOUSELEAVE where a window needs it.
#pragma once

#include "classlib/core/CArray.h"
#include "toolkit/commandbars/CommandBarsDefs.h"

class CTKPMouseTracker {
public:
    CTKPMouseTracker();
    virtual ~CTKPMouseTracker();

    enum { TIMERID_MOUSELEAVE = 113341 };

    // The calling thread's tracker, made on first use.
    static CTKPMouseTracker* GetThreadTracker();

    void AddTrackedBar(CTKPCommandBar* pBar);
    void RemoveTrackedBar(CTKPCommandBar* pBar);
    // While bars are tracked, the first one leaves tracking mode.
    void CloseAll();
    // When the first tracked bar is locked, every tracked bar that is not leaves tracking mode.
    void CloseNonLocked();
    // The lock counter of every tracked bar goes up (TRUE) or down by one.
    void LockTrackedBars(BOOL bLock);
    // FALSE with nothing tracked; TRUE for null, a locked bar or one not in the list.
    BOOL IsTrackingOtherPopup(CTKPCommandBar* pBar) const;
    int GetTrackedCount() const { return (int)m_arrTrackedBars.GetSize(); }
    CTKPCommandBar* GetTrackedBar(int nIndex) const { return m_arrTrackedBars[nIndex]; }
    BOOL IsTracked(CTKPCommandBar* pBar) const;
    void TrackMouseLeave(HWND hWnd);
    void AddCompanionWindow(HWND hWnd);
    void RemoveCompanionWindow(HWND hWnd);
    static BOOL IsTopParentActive(HWND hWnd);

    void SetSelectedBar(CTKPCommandBar* pBar) { m_pSelected = pBar; }
    CTKPCommandBar* GetSelectedBar() const { return m_pSelected; }
    void Suspend(BOOL bSuspend) { m_nSuspended += bSuspend ? 1 : -1; }
    BOOL IsSuspended() const { return m_nSuspended > 0; }
    int GetSuspension() const { return m_nSuspended; }

    // The body of the mouse hook for one message (screen point): TRUE consumes it. Tests call it.
    BOOL OnHookMessage(UINT nMessage, POINT pt, HWND hWndUnderCursor);
    // The check against the tracked bars (after the swallow and repeat rules).
    void CheckTrackedBars(UINT nMessage, POINT pt, HWND hWndUnderCursor);

    int m_nSuspended;
    CArray<CTKPCommandBar*, CTKPCommandBar*> m_arrTrackedBars;
    HHOOK m_hHookMouse;
    CTKPCommandBar* m_pSelected;
    BOOL m_bExpandedRun;  // a popup of this run expanded: later ones open expanded
    HWND m_hwndLeave;
    CArray<HWND, HWND> m_arrCompanionWindows;
    BOOL m_bSwallowRelease;  // the next left-button release is consumed

    // The last point the hook saw (process-wide).
    static POINT s_ptLast;

protected:
    static LRESULT CALLBACK MouseProc(int nCode, WPARAM wParam, LPARAM lParam);
    static void CALLBACK OnTimerLeave(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD);
};
