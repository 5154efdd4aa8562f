// Subclasses any window on demand so that several sinks see its messages before its own window
// procedure does (the menu bar hooks the frame, shadows their popups). One per process.
#pragma once

#include "classlib/core/CArray.h"
#include "classlib/core/CMap.h"
#include "toolkit/commandbars/HookSink.h"

class CTKPWindowHookManager {
public:
    // One hooked window: its sinks in the order they came, and the procedure it had.
    struct HookRecord {
        HWND hWnd;
        WNDPROC pfnOldWndProc;
        CArray<CTKPHookSink*, CTKPHookSink*> arrSinks;
        // The procedure could not be given back (something subclassed the window after us): the record
        // stays as a pass-through until the window is destroyed.
        BOOL bPassThrough;
    };

    static CTKPWindowHookManager* GetInstance();

    void SetHook(HWND hWnd, CTKPHookSink* pSink);
    void RemoveHook(HWND hWnd, CTKPHookSink* pSink);
    // The sink leaves every window.
    void RemoveHook(CTKPHookSink* pSink);
    void RemoveAll(HWND hWnd);
    HookRecord* Lookup(HWND hWnd) const;
    int GetHookedCount() const { return (int)m_mapHooks.GetCount(); }

protected:
    CTKPWindowHookManager();
    ~CTKPWindowHookManager();
    // Restores the window's procedure when ours is still installed; otherwise keeps the record as a
    // pass-through. TRUE when the record was freed.
    BOOL DeleteRecord(HookRecord* pRecord, BOOL bDestroying);
    static LRESULT CALLBACK HookWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);

    CMap<HWND, HWND, HookRecord*, HookRecord*> m_mapHooks;
};
