// What the edit and combo-box controls share about their edit window: making, placing, showing and
// dropping it, its text with the grey hint (a state of its own, so that typing the hint's text is
// still text), the font and colours, the shell's auto-completion, and the steps of gaining and
// losing the keyboard focus.
#pragma once

#include "toolkit/commandbars/ControlEditWnd.h"

class CTKPEditAutoComplete;

class CTKPControlEditPart {
public:
    explicit CTKPControlEditPart(CTKPEditWindowOwner* pOwner);
    ~CTKPControlEditPart();

    CTKPControlEditWnd* GetWindow() const { return m_pWnd; }
    BOOL HasWindow() const { return m_pWnd != NULL && m_pWnd->GetSafeHwnd() != NULL; }
    // The window exists and is a child of the bar's window.
    BOOL IsInBar(const CTKPCommandBar* pBar) const;
    // A window made for another bar (a copy in a popup, a customised bar) goes with its old bar.
    void DropIfElsewhere(const CTKPCommandBar* pBar);

    // The text (never the hint); read from the window when it changed.
    CString GetText() const;
    // Stores the text and shows it, or the hint when it is empty and the box is not focused.
    void SetText(LPCTSTR lpszText, BOOL bFocused);
    CString GetHint() const { return m_strHint; }
    void SetHint(LPCTSTR lpszHint, BOOL bFocused);
    BOOL IsHintShown() const { return m_bHintShown; }
    // Typing changed the window's text.
    void OnTextChanged() { m_bTextDirty = TRUE; }
    // The window goes: its text is kept (not a shown hint).
    void OnDestroying(const CString& strText);

    // Places the window at rcWindow (client coordinates of the bar), making it in the bar when
    // missing; a window of another bar or another reading order is made anew. Shown when bShow.
    // Nothing is done when place, window, parent and visibility are unchanged unless bForce.
    void Layout(CTKPCommandBar* pBar, const CRect& rcWindow, BOOL bShow, BOOL bEnabled, BOOL bForce);
    void Destroy();
    void SetEnabled(BOOL bEnabled);
    void Show(BOOL bShow);

    void EnableShellAutoComplete(DWORD dwFlags);
    DWORD GetShellAutoCompleteFlags() const { return m_dwShellFlags; }
    CTKPEditAutoComplete* GetAutoComplete() const { return m_pAutoComplete; }

    // The control gains the focus: the window takes it, the bar tracks the keyboard with the control
    // selected, the mouse tracker is suspended and the hint goes.
    void EnterFocus(CTKPControl* pControl);
    // The control loses it: the focus goes back where it was, the tracker resumes, the hint returns.
    void LeaveFocus(CTKPControl* pControl);
    // The focus went elsewhere (a click outside the bar): the control's bar stops tracking the keyboard
    // when the control is its selection.
    static void EndBarTracking(CTKPControl* pControl);

protected:
    void ApplyFormat(BOOL bEnabled);

    CTKPEditWindowOwner* m_pOwner;
    CTKPControlEditWnd* m_pWnd;
    CString m_strText;
    BOOL m_bTextDirty;
    CString m_strHint;
    // The hint is a state, not a text: told by equality, a text typed equal to the hint would read
    // back as empty and turn grey.
    BOOL m_bHintShown;
    CTKPEditAutoComplete* m_pAutoComplete;
    DWORD m_dwShellFlags;
    HWND m_hWndFocusBefore;
    CRect m_rcWindow;
    BOOL m_bEnabled;
    BOOL m_bSuspended;  // this control raised the mouse tracker's suspension
};
