#include "toolkit/commandbars/ControlEditPart.h"

#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/EditAutoComplete.h"
#include "toolkit/commandbars/MouseTracker.h"

CTKPControlEditPart::CTKPControlEditPart(CTKPEditWindowOwner* pOwner)
    : m_pOwner(pOwner), m_pWnd(NULL), m_bTextDirty(TRUE), m_bHintShown(FALSE), m_pAutoComplete(NULL), m_dwShellFlags(0),
      m_hWndFocusBefore(NULL), m_rcWindow(0, 0, 0, 0), m_bEnabled(TRUE), m_bSuspended(FALSE)
{}

CTKPControlEditPart::~CTKPControlEditPart()
{
    if (m_bSuspended)
        CTKPMouseTracker::GetThreadTracker()->Suspend(FALSE);
    Destroy();
}

// --- Text -----------------------------------------------------------------------------------------

CString CTKPControlEditPart::GetText() const
{
    if (!HasWindow())
        return m_strText;
    if (m_bHintShown)
        return CString();
    if (m_bTextDirty) {
        CString strText;
        m_pWnd->GetWindowText(strText);
        CTKPControlEditPart* pThis = const_cast<CTKPControlEditPart*>(this);
        pThis->m_strText = strText;
        pThis->m_bTextDirty = FALSE;
    }
    return m_strText;
}

void CTKPControlEditPart::SetText(LPCTSTR lpszText, BOOL bFocused)
{
    m_strText = lpszText != NULL ? lpszText : L"";
    m_bTextDirty = FALSE;
    if (!HasWindow())
        return;
    if (m_strText.IsEmpty() && !m_strHint.IsEmpty() && !bFocused) {
        m_bHintShown = TRUE;
        m_pWnd->SetTextQuietly(m_strHint);
    } else {
        m_bHintShown = FALSE;
        m_pWnd->SetTextQuietly(m_strText);
    }
    ApplyFormat(m_bEnabled);
}

void CTKPControlEditPart::SetHint(LPCTSTR lpszHint, BOOL bFocused)
{
    const CString strText = GetText();
    m_strHint = lpszHint != NULL ? lpszHint : L"";
    // A shown hint is replaced; an empty box shows the new one.
    if (m_bHintShown || strText.IsEmpty())
        SetText(strText, bFocused);
}

void CTKPControlEditPart::OnDestroying(const CString& strText)
{
    if (!m_bHintShown)
        m_strText = strText;
    m_bTextDirty = FALSE;
    m_bHintShown = FALSE;
}

// --- The window -----------------------------------------------------------------------------------

BOOL CTKPControlEditPart::IsInBar(const CTKPCommandBar* pBar) const
{
    return HasWindow() && pBar != NULL && ::GetParent(m_pWnd->m_hWnd) == pBar->GetSafeHwnd();
}

void CTKPControlEditPart::DropIfElsewhere(const CTKPCommandBar* pBar)
{
    if (HasWindow() && pBar != NULL && !IsInBar(pBar))
        Destroy();
}

void CTKPControlEditPart::ApplyFormat(BOOL bEnabled)
{
    if (HasWindow())
        m_pWnd->SetEditFormat(bEnabled, m_bHintShown);
}

void CTKPControlEditPart::Layout(CTKPCommandBar* pBar, const CRect& rcWindow, BOOL bShow, BOOL bEnabled, BOOL bForce)
{
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
        return;
    if (!bForce && HasWindow() && rcWindow == m_rcWindow && ::GetParent(m_pWnd->m_hWnd) == pBar->GetSafeHwnd() &&
        (m_pWnd->GetStyle() & WS_VISIBLE) == (bShow ? (DWORD)WS_VISIBLE : 0u))
        return;
    // A window of another bar, or of the other reading order, is made anew.
    if (HasWindow() &&
        (::GetParent(m_pWnd->m_hWnd) != pBar->GetSafeHwnd() ||
            ((m_pWnd->GetExStyle() ^ pBar->GetExStyle()) & WS_EX_LAYOUTRTL) != 0))
        Destroy();
    m_rcWindow = rcWindow;
    m_bEnabled = bEnabled;
    const BOOL bCreated = !HasWindow();
    if (bCreated) {
        delete m_pWnd;
        m_pWnd = new CTKPControlEditWnd(m_pOwner);
        if (!m_pWnd->Create(WS_CHILD | ES_AUTOHSCROLL, pBar)) {
            delete m_pWnd;
            m_pWnd = NULL;
            return;
        }
        if (pBar->GetExStyle() & WS_EX_LAYOUTRTL)
            m_pWnd->ModifyStyleEx(0, WS_EX_LAYOUTRTL);
        m_pWnd->EnableWindow(bEnabled);
        if (m_dwShellFlags != 0)
            EnableShellAutoComplete(m_dwShellFlags);
    }
    CTKPCommandBarsTheme* pTheme = pBar->GetPaintManager();
    if (pTheme != NULL)
        m_pWnd->SetFont(pTheme->GetIconFont(), FALSE);
    if (bCreated) {
        // The stored text (or the hint) goes into the new window.
        const CString strText = m_strText;
        SetText(strText, FALSE);
    }
    ApplyFormat(bEnabled);
    m_pWnd->SetWindowPos(NULL, rcWindow.left, rcWindow.top, rcWindow.Width(), rcWindow.Height(),
        SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CTKPControlEditPart::Destroy()
{
    delete m_pAutoComplete;
    m_pAutoComplete = NULL;
    if (m_pWnd != NULL) {
        if (m_pWnd->GetSafeHwnd() != NULL)
            m_pWnd->DestroyWindow();
        delete m_pWnd;
        m_pWnd = NULL;
    }
}

void CTKPControlEditPart::SetEnabled(BOOL bEnabled)
{
    m_bEnabled = bEnabled;
    if (!HasWindow())
        return;
    m_pWnd->EnableWindow(bEnabled);
    ApplyFormat(bEnabled);
}

void CTKPControlEditPart::Show(BOOL bShow)
{
    if (HasWindow())
        m_pWnd->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void CTKPControlEditPart::EnableShellAutoComplete(DWORD dwFlags)
{
    delete m_pAutoComplete;
    m_pAutoComplete = NULL;
    m_dwShellFlags = dwFlags;
    if (dwFlags == 0 || !HasWindow())
        return;
    m_pAutoComplete = new CTKPEditAutoComplete(m_pWnd->m_hWnd);
    if (FAILED(m_pAutoComplete->Attach(dwFlags))) {
        delete m_pAutoComplete;
        m_pAutoComplete = NULL;
    }
}

// --- Focus ----------------------------------------------------------------------------------------

void CTKPControlEditPart::EnterFocus(CTKPControl* pControl)
{
    CTKPCommandBar* pBar = pControl->GetParent();
    if (HasWindow()) {
        const HWND hWndFocus = ::GetFocus();
        if (hWndFocus != m_pWnd->m_hWnd) {
            m_hWndFocusBefore = hWndFocus;
            m_pWnd->SetFocus();
        }
        if (m_bHintShown)
            SetText(CString(), TRUE);
    }
    if (pBar != NULL) {
        pBar->SetTrackingMode(CTKPCommandBar::trackingKeyboard, FALSE, TRUE);
        pBar->SetSelected(pControl->GetIndex(), TRUE);
    }
    if (!m_bSuspended) {
        CTKPMouseTracker::GetThreadTracker()->Suspend(TRUE);
        m_bSuspended = TRUE;
    }
    if (m_pAutoComplete != NULL)
        m_pAutoComplete->SetFocused(TRUE);
}

void CTKPControlEditPart::LeaveFocus(CTKPControl* pControl)
{
    if (m_pAutoComplete != NULL)
        m_pAutoComplete->SetFocused(FALSE);
    if (HasWindow()) {
        const CString strText = GetText();
        if (strText.IsEmpty())
            SetText(strText, FALSE);
        if (::GetFocus() == m_pWnd->m_hWnd) {
            HWND hWndBack = m_hWndFocusBefore != NULL && ::IsWindow(m_hWndFocusBefore) ? m_hWndFocusBefore : NULL;
            if (hWndBack == NULL) {
                CTKPCommandBar* pBar = pControl->GetParent();
                CWnd* pSite = pBar != NULL ? pBar->GetSite() : NULL;
                hWndBack = pSite != NULL ? pSite->GetSafeHwnd() : NULL;
            }
            ::SetFocus(hWndBack);
        }
    }
    m_hWndFocusBefore = NULL;
    if (m_bSuspended) {
        CTKPMouseTracker::GetThreadTracker()->Suspend(FALSE);
        m_bSuspended = FALSE;
    }
}

void CTKPControlEditPart::EndBarTracking(CTKPControl* pControl)
{
    CTKPCommandBar* pBar = pControl->GetParent();
    if (pBar != NULL && pBar->GetTrackingMode() != CTKPCommandBar::trackingNone &&
        pBar->GetSelectedIndex() == pControl->GetIndex())
        pBar->SetTrackingMode(CTKPCommandBar::trackingNone, TRUE, FALSE);
}
