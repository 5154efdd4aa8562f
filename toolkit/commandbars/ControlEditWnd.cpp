#include "toolkit/commandbars/ControlEditWnd.h"

#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/EditAutoComplete.h"
#include "toolkit/commandbars/RefHolder.h"
#include "toolkit/commandbars/ToolTipWindow.h"

IMPLEMENT_DYNAMIC(CTKPControlEditWnd, CTKPEdit)

BEGIN_MESSAGE_MAP(CTKPControlEditWnd, CTKPEdit)
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_MOUSEMOVE()
ON_WM_DESTROY()
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_WM_CONTEXTMENU()
ON_MESSAGE(WM_TKP_TOOLTIPTRANSPARENT, OnToolTipTransparent)
ON_MESSAGE(TKPM_AUTOCOMPLETESHOWN, OnAutoCompleteShown)
ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
END_MESSAGE_MAP()

CTKPControlEditWnd::CTKPControlEditWnd(CTKPEditWindowOwner* pOwner) : m_pOwner(pOwner), m_bSettingText(FALSE) {}

void CTKPControlEditWnd::SetTextQuietly(LPCTSTR lpszText)
{
    const BOOL bOld = m_bSettingText;
    m_bSettingText = TRUE;
    SetWindowText(lpszText);
    m_bSettingText = bOld;
}

CPoint CTKPControlEditWnd::ToBar(CPoint point) const
{
    CTKPControl* pControl = m_pOwner != NULL ? m_pOwner->GetOwnerControl() : NULL;
    CTKPCommandBar* pBar = pControl != NULL ? pControl->GetParent() : NULL;
    if (pBar != NULL && pBar->GetSafeHwnd() != NULL)
        ::MapWindowPoints(m_hWnd, pBar->GetSafeHwnd(), &point, 1);
    return point;
}

void CTKPControlEditWnd::OnSetFocus(CWnd* pOldWnd)
{
    CTKPEdit::OnSetFocus(pOldWnd);
    if (m_pOwner != NULL)
        m_pOwner->OnEditFocus(TRUE);
}

void CTKPControlEditWnd::OnKillFocus(CWnd* pNewWnd)
{
    CTKPEdit::OnKillFocus(pNewWnd);
    if (m_pOwner != NULL)
        m_pOwner->OnEditFocus(FALSE);
}

void CTKPControlEditWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    CTKPControl* pControl = m_pOwner != NULL ? m_pOwner->GetOwnerControl() : NULL;
    CTKPCommandBar* pBar = pControl != NULL ? pControl->GetParent() : NULL;
    if (pBar != NULL && pBar->GetSafeHwnd() != NULL)
        pBar->OnMouseMove(nFlags, ToBar(point));
    Default();
}

void CTKPControlEditWnd::OnDestroy()
{
    if (m_pOwner != NULL) {
        CString strText;
        GetWindowText(strText);
        m_pOwner->OnEditDestroying(strText);
    }
    CTKPEdit::OnDestroy();
}

void CTKPControlEditWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    CTKPControl* pControl = m_pOwner != NULL ? m_pOwner->GetOwnerControl() : NULL;
    CTKPCommandBar* pBar = pControl != NULL ? pControl->GetParent() : NULL;
    if (pBar != NULL && pControl->IsCustomizeMode()) {
        if (pBar->IsCustomizable() && !(pControl->GetFlags() & tkpFlagNoMovable)) {
            CTKPRefHolder hold(pControl);
            pControl->OnClick(FALSE, ToBar(point));
        }
        return;
    }
    Default();
}

void CTKPControlEditWnd::OnRButtonDown(UINT nFlags, CPoint point)
{
    CTKPControl* pControl = m_pOwner != NULL ? m_pOwner->GetOwnerControl() : NULL;
    CTKPCommandBar* pBar = pControl != NULL ? pControl->GetParent() : NULL;
    if (pBar != NULL && pControl->IsCustomizeMode()) {
        pBar->OnRButtonDown(nFlags, ToBar(point));
        return;
    }
    if (pControl != NULL) {
        CTKPRefHolder hold(pControl);
        m_pOwner->OnEditContextMenu();
        pControl->SetFocused(TRUE);
        if (ShowContextMenu(pControl, point))
            return;
    }
    Default();
}

void CTKPControlEditWnd::OnContextMenu(CWnd*, CPoint) {}

LRESULT CTKPControlEditWnd::OnToolTipTransparent(WPARAM, LPARAM)
{
    return 1;
}

LRESULT CTKPControlEditWnd::OnAutoCompleteShown(WPARAM, LPARAM)
{
    if (m_pOwner != NULL)
        m_pOwner->OnAutoCompleteShown();
    return 0;
}

void CTKPControlEditWnd::OnChange()
{
    if (!m_bSettingText && m_pOwner != NULL)
        m_pOwner->OnEditTextChanged();
}
