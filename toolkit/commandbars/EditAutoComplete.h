// The shell's auto-completion on a command-bar edit window: SHAutoComplete (shlwapi.dll, loaded for
// the call) attaches it; while the edit has the focus a call-window-procedure hook notices the
// shell's suggestion drop-down, whose list then takes the arrow and page keys and the mouse wheel.
#pragma once

#include "toolkit/commandbars/HookSink.h"

#include <windows.h>

// Posted to the edit window when the shell's drop-down appears (the combo box closes its own list).
#define TKPM_AUTOCOMPLETESHOWN 0x2872

class CTKPEditAutoComplete : public CTKPHookSink {
public:
    explicit CTKPEditAutoComplete(HWND hWndEdit);
    ~CTKPEditAutoComplete() override;

    // SHAutoComplete on the edit window; E_FAIL when shlwapi.dll or its entry is missing.
    HRESULT Attach(DWORD dwFlags);
    // The edit gained (TRUE) or lost the focus: the hook and the keyboard sink come and go with it.
    void SetFocused(BOOL bFocused);
    HWND GetDropDown() const { return m_hWndDropDown; }
    HWND GetEdit() const { return m_hWndEdit; }
    // Up, Down, Page Up and Page Down without Alt go to the open drop-down's list: TRUE when taken.
    BOOL ProcessKey(UINT nChar);
    // The hook's rule for a window about to change its place (tests call it).
    void OnWindowPosChanging(HWND hWnd, const WINDOWPOS* pPos);

    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    // Test switch: the entry called instead of SHAutoComplete (null: the shell's).
    typedef HRESULT(WINAPI* AutoCompleteFunction)(HWND, DWORD);
    static void SetAutoCompleteFunction(AutoCompleteFunction pfn) { s_pfnAutoComplete = pfn; }

protected:
    void InstallHook();
    void RemoveHook();
    static LRESULT CALLBACK CallWndProc(int nCode, WPARAM wParam, LPARAM lParam);

    HWND m_hWndDropDown;
    HWND m_hWndEdit;
    BOOL m_bSinkRegistered;

    static HHOOK s_hHook;
    static CTKPEditAutoComplete* s_pHookOwner;
    static AutoCompleteFunction s_pfnAutoComplete;
};
