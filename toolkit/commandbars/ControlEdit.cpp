#include "toolkit/commandbars/ControlEdit.h"

#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/EditAutoComplete.h"
#include "toolkit/commandbars/HookSink.h"
#include "toolkit/commandbars/RefHolder.h"
#include "toolkit/common/PropExchange.h"

IMPLEMENT_SERIAL(CTKPControlEdit, CTKPControl, VERSIONABLE_SCHEMA | 16)

CTKPControlEdit::CTKPControlEdit()
    : m_edit(this), m_nWidth(100), m_bLabel(TRUE), m_bReadOnly(FALSE), m_nLabelWidth(0), m_bLabelChanged(FALSE),
      m_bFocused(FALSE)
{
    m_controlType = tkpControlEdit;
}

CTKPControlEdit::~CTKPControlEdit()
{
    m_edit.Destroy();
}

// --- Text, hint and settings ----------------------------------------------------------------------

void CTKPControlEdit::SetEditText(LPCTSTR lpszText)
{
    m_edit.SetText(lpszText, m_bFocused);
    DelayRedrawParent();
}

void CTKPControlEdit::SetEditHint(LPCTSTR lpszHint)
{
    m_edit.SetHint(lpszHint, m_bFocused);
    DelayRedrawParent();
}

void CTKPControlEdit::SetReadOnly(BOOL bReadOnly)
{
    m_bReadOnly = bReadOnly;
    if (m_edit.HasWindow())
        m_edit.GetWindow()->SendMessage(EM_SETREADONLY, bReadOnly);
}

void CTKPControlEdit::SetWidth(int nWidth)
{
    if (nWidth == m_nWidth)
        return;
    m_nWidth = nWidth;
    DelayLayoutParent();
}

void CTKPControlEdit::SetShowLabel(BOOL bShow)
{
    if (bShow == m_bLabel)
        return;
    m_bLabel = bShow;
    m_bLabelChanged = TRUE;
    DelayLayoutParent();
}

void CTKPControlEdit::SetMeasuredWidths(int nLabelWidth, int)
{
    if (nLabelWidth != m_nLabelWidth) {
        m_nLabelWidth = nLabelWidth;
        m_bLabelChanged = TRUE;
    }
}

// --- The edit window -------------------------------------------------------------------------------

void CTKPControlEdit::LayoutEditWindow(BOOL bForce)
{
    if (m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL)
        return;
    CRect rcWindow = m_rcControl;
    rcWindow.DeflateRect(m_nLabelWidth + 4, 3, 3, 3);
    const BOOL bShow = IsVisible() && !m_rcControl.IsRectEmpty();
    const BOOL bCreated = !m_edit.HasWindow();
    m_edit.Layout(m_pParent, rcWindow, bShow, m_bEnabled, bForce || m_bLabelChanged);
    m_bLabelChanged = FALSE;
    if (m_edit.HasWindow()) {
        m_edit.GetWindow()->SendMessage(EM_SETREADONLY, m_bReadOnly);
        if (bCreated && m_bFocused)
            m_edit.EnterFocus(this);
    }
}

void CTKPControlEdit::SetRect(CRect rcControl)
{
    if (rcControl == m_rcControl && m_edit.IsInBar(m_pParent) && !m_bLabelChanged)
        return;
    m_rcControl = rcControl;
    LayoutEditWindow(FALSE);
}

void CTKPControlEdit::SetParent(CTKPCommandBar* pParent)
{
    if (pParent != m_pParent && m_bFocused)
        SetFocused(FALSE);
    CTKPControl::SetParent(pParent);
}

void CTKPControlEdit::SetHideFlags(DWORD dwFlags)
{
    CTKPControl::SetHideFlags(dwFlags);
    if (dwFlags != 0 && m_bFocused)
        SetFocused(FALSE);
    m_edit.Show(dwFlags == 0 && !m_rcControl.IsRectEmpty());
}

void CTKPControlEdit::SetEnabled(BOOL bEnabled)
{
    CTKPControl::SetEnabled(bEnabled);
    m_edit.SetEnabled(bEnabled);
}

void CTKPControlEdit::OnCalcDynamicSize(DWORD)
{
    m_edit.DropIfElsewhere(m_pParent);
}

// --- Focus and selection ---------------------------------------------------------------------------

void CTKPControlEdit::SetFocused(BOOL bFocused)
{
    bFocused = bFocused != FALSE;
    if (bFocused == m_bFocused)
        return;
    CTKPRefHolder hold(this);
    m_bFocused = bFocused;
    if (bFocused) {
        m_strSavedText = GetEditText();
        m_edit.EnterFocus(this);
        NotifySite(TKPN_EDIT_SETFOCUS);
    } else {
        m_edit.LeaveFocus(this);
        NotifySite(TKPN_EDIT_KILLFOCUS);
    }
    RedrawParent();
}

BOOL CTKPControlEdit::SetSelected(int nSelected)
{
    if (nSelected == 0 && m_bFocused)
        SetFocused(FALSE);
    return CTKPControl::SetSelected(nSelected);
}

void CTKPControlEdit::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (m_pParent == NULL)
        return;
    if (IsCustomizeMode()) {
        m_pParent->SetPopuped(-1, FALSE);
        m_pParent->SetSelected(-1, FALSE);
        OnCustomizeMouseDown(pt);
        return;
    }
    if (!m_bEnabled)
        return;
    // Enter in the focused box sends the command with the text as it stands.
    if (bKeyboard && m_bFocused)
        OnExecute();
    else
        SetFocused(TRUE);
}

void CTKPControlEdit::OnEditFocus(BOOL bFocused)
{
    if (bFocused) {
        if (!m_bFocused && m_bEnabled && !IsCustomizeMode())
            SetFocused(TRUE);
        return;
    }
    if (!m_bFocused)
        return;
    // The focus went elsewhere (a click outside the bar): the bar stops tracking the keyboard too.
    CTKPRefHolder hold(this);
    SetFocused(FALSE);
    CTKPControlEditPart::EndBarTracking(this);
}

void CTKPControlEdit::OnEditTextChanged()
{
    m_edit.OnTextChanged();
    NotifySite(TKPN_EDIT_CHANGE);
}

void CTKPControlEdit::OnEditDestroying(const CString& strText)
{
    m_edit.OnDestroying(strText);
}

int CTKPControlEdit::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (!m_bFocused || !m_edit.HasWindow())
        return CTKPHookSink::hookNotHandled;
    CTKPControlEditWnd* pWnd = m_edit.GetWindow();
    if (pWnd->IsComposing())
        return CTKPHookSink::hookPass;
    switch (nChar) {
    case VK_RETURN:
    case VK_TAB:
        return CTKPHookSink::hookNotHandled;
    case VK_ESCAPE: {
        CTKPRefHolder hold(this);
        m_edit.SetText(m_strSavedText, TRUE);
        SetFocused(FALSE);
        return CTKPHookSink::hookHandled;
    }
    }
    CTKPEditAutoComplete* pAutoComplete = m_edit.GetAutoComplete();
    if (pAutoComplete != NULL && pAutoComplete->ProcessKey(nChar))
        return CTKPHookSink::hookHandled;
    return pWnd->FilterKey(nChar, lParam) ? CTKPHookSink::hookHandled : CTKPHookSink::hookPass;
}

// --- Copies and the saved layout -------------------------------------------------------------------

void CTKPControlEdit::Copy(CTKPControl* pSource, BOOL bRecursive)
{
    CTKPControlEdit* pEdit = DYNAMIC_DOWNCAST(CTKPControlEdit, pSource);
    if (pEdit != NULL && pEdit != this) {
        m_nWidth = pEdit->m_nWidth;
        m_bLabel = pEdit->m_bLabel;
        m_bReadOnly = pEdit->m_bReadOnly;
        m_edit.SetHint(pEdit->GetEditHint(), m_bFocused);
        m_edit.SetText(pEdit->GetEditText(), m_bFocused);
        m_edit.EnableShellAutoComplete(pEdit->GetShellAutoCompleteFlags());
    }
    CTKPControl::Copy(pSource, bRecursive);
}

BOOL CTKPControlEdit::Compare(CTKPControl* pOther)
{
    CTKPControlEdit* pEdit = DYNAMIC_DOWNCAST(CTKPControlEdit, pOther);
    return pEdit != NULL && CTKPControl::Compare(pOther) && m_nWidth == pEdit->m_nWidth;
}

void CTKPControlEdit::DoPropExchange(CTKPPropExchange* pPX)
{
    CTKPControl::DoPropExchange(pPX);
    if (pPX->m_nSchema > 5) {
        PropExchangeBool(pPX, L"HasLabel", m_bLabel, FALSE);
        PropExchangeInt(pPX, L"Width", m_nWidth, 0);
    }
    if (pPX->m_nSchema > 7)
        PropExchangeBool(pPX, L"ReadOnly", m_bReadOnly, FALSE);
    if (pPX->m_nSchema > 8) {
        CString strHint = GetEditHint();
        PropExchangeString(pPX, L"EditHint", strHint, L"");
        int nFlags = (int)GetShellAutoCompleteFlags();
        PropExchangeInt(pPX, L"ShellAutoCompleteFlags", nFlags, 0);
        if (pPX->IsLoading()) {
            m_edit.SetHint(strHint, m_bFocused);
            m_edit.EnableShellAutoComplete((DWORD)nFlags);
        }
    }
}
