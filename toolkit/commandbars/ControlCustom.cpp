#include "toolkit/commandbars/ControlCustom.h"

#include "toolkit/base/PropExchangeGeometry.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarList.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/SavedLayoutLimits.h"
#include "toolkit/commandbars/WindowHookManager.h"

IMPLEMENT_SERIAL(CTKPControlCustom, CTKPControlButton, VERSIONABLE_SCHEMA | 16)

CTKPControlCustom::CTKPControlCustom()
    : m_hookClient(this), m_hWndControl(NULL), m_rcBorders(0, 0, 0, 0), m_bControlVisible(TRUE), m_szControl(0, 0),
      m_nVerticalOptions(verticalHide), m_nControlId(0)
{
    m_controlType = tkpControlCustom;
    m_dwFlags = tkpFlagNoMovable;
}

CTKPControlCustom::~CTKPControlCustom()
{
    CTKPWindowHookManager::GetInstance()->RemoveHook(&m_hookClient);
}

void CTKPControlCustom::SetControl(HWND hWnd)
{
    if (hWnd == m_hWndControl)
        return;
    CTKPWindowHookManager* pHooks = CTKPWindowHookManager::GetInstance();
    if (m_hWndControl != NULL && ::IsWindow(m_hWndControl))
        pHooks->RemoveHook(m_hWndControl, &m_hookClient);
    m_hWndControl = hWnd;
    if (hWnd == NULL || !::IsWindow(hWnd))
        return;
    if (m_szControl.cx <= 0 && m_szControl.cy <= 0) {
        RECT rc;
        ::GetWindowRect(hWnd, &rc);
        m_szControl = CSize(rc.right - rc.left, rc.bottom - rc.top);
    }
    if (m_nControlId == 0)
        m_nControlId = ::GetDlgCtrlID(hWnd);
    pHooks->SetHook(hWnd, &m_hookClient);
    m_rcControl.SetRectEmpty();
    DelayLayoutParent();
}

HWND CTKPControlCustom::FindControlWindow(CTKPCommandBars* pCommandBars, int nId)
{
    if (pCommandBars == NULL)
        return NULL;
    CWnd* pFrame = pCommandBars->GetSite();
    if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL) {
        if (HWND hWnd = ::GetDlgItem(pFrame->GetSafeHwnd(), nId))
            return hWnd;
    }
    for (int i = 0; i < pCommandBars->GetCount(); ++i) {
        CTKPCommandBar* pBar = pCommandBars->GetAt(i);
        if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
            continue;
        if (HWND hWnd = ::GetDlgItem(pBar->GetSafeHwnd(), nId))
            return hWnd;
    }
    return NULL;
}

BOOL CTKPControlCustom::IsWindowShown() const
{
    return m_hWndControl != NULL && ::IsWindow(m_hWndControl) && m_bControlVisible;
}

void CTKPControlCustom::UpdateWindowVisibility()
{
    if (m_hWndControl == NULL || !::IsWindow(m_hWndControl))
        return;
    const BOOL bShow =
        m_bControlVisible && IsVisible() && m_pParent != NULL && ::GetParent(m_hWndControl) == m_pParent->GetSafeHwnd();
    ::SetWindowPos(m_hWndControl, NULL, 0, 0, 0, 0,
        SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CTKPControlCustom::SetEnabled(BOOL bEnabled)
{
    CTKPControlButton::SetEnabled(bEnabled);
    if (m_hWndControl != NULL && ::IsWindow(m_hWndControl))
        ::EnableWindow(m_hWndControl, bEnabled);
}

void CTKPControlCustom::SetRect(CRect rcControl)
{
    if (m_hWndControl == NULL || !::IsWindow(m_hWndControl) || m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL) {
        m_rcControl = rcControl;
        return;
    }
    const HWND hBar = m_pParent->GetSafeHwnd();
    if (rcControl == m_rcControl && ::GetParent(m_hWndControl) == hBar)
        return;
    m_rcControl = rcControl;
    if (::GetParent(m_hWndControl) != hBar) {
        ::SetParent(m_hWndControl, hBar);
        const LONG lStyle = ::GetWindowLongW(m_hWndControl, GWL_STYLE);
        ::SetWindowLongW(m_hWndControl, GWL_STYLE, (lStyle & ~WS_POPUP) | WS_CHILD);
    }
    CRect rcWindow = rcControl;
    rcWindow.DeflateRect(m_rcBorders.left, m_rcBorders.top, m_rcBorders.right, m_rcBorders.bottom);
    ::MoveWindow(m_hWndControl, rcWindow.left, rcWindow.top, rcWindow.Width(), rcWindow.Height(), TRUE);
    UpdateWindowVisibility();
}

void CTKPControlCustom::SetHideFlags(DWORD dwFlags)
{
    CTKPControlButton::SetHideFlags(dwFlags);
    UpdateWindowVisibility();
}

CSize CTKPControlCustom::GetSize(CDC* pDC)
{
    if (IsWindowShown())
        return CSize(m_szControl.cx + m_rcBorders.left + m_rcBorders.right,
            m_szControl.cy + m_rcBorders.top + m_rcBorders.bottom);
    return CTKPControlButton::GetSize(pDC);
}

void CTKPControlCustom::Draw(CDC* pDC)
{
    // The hosted window paints itself.
    if (IsWindowShown() && ::IsWindowVisible(m_hWndControl))
        return;
    CTKPControlButton::Draw(pDC);
}

void CTKPControlCustom::OnCalcDynamicSize(DWORD dwMode)
{
    const BOOL bVertical = (dwMode & LM_VERTDOCK) != 0;
    if (m_nVerticalOptions == verticalHide) {
        SetHideFlag(tkpHideDockingVertical, bVertical);
    } else if (m_nVerticalOptions == verticalButton) {
        m_bControlVisible = !bVertical;
        UpdateWindowVisibility();
    }
}

void CTKPControlCustom::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (IsWindowShown() && ::IsWindowVisible(m_hWndControl) && !IsCustomizeMode())
        return;
    CTKPControlButton::OnClick(bKeyboard, pt);
}

BOOL CTKPControlCustom::IsCustomizeDragOverAvail(CTKPCommandBar* pBar, CPoint, DWORD& dropEffect)
{
    if (pBar != NULL && pBar->GetType() == tkpBarTypePopup)
        return TRUE;
    dropEffect = 0;
    return FALSE;
}

void CTKPControlCustom::Copy(CTKPControl* pSource, BOOL bRecursive)
{
    CTKPControlCustom* pCustom = DYNAMIC_DOWNCAST(CTKPControlCustom, pSource);
    if (pCustom != NULL && pCustom != this) {
        m_rcBorders = pCustom->m_rcBorders;
        m_szControl = pCustom->m_szControl;
        m_nVerticalOptions = pCustom->m_nVerticalOptions;
        m_nControlId = pCustom->m_nControlId;
        SetControl(pCustom->m_hWndControl);
    }
    CTKPControlButton::Copy(pSource, bRecursive);
}

void CTKPControlCustom::DoPropExchange(CTKPPropExchange* pPX)
{
    CTKPControlButton::DoPropExchange(pPX);
    PropExchangeRect(pPX, L"Borders", m_rcBorders, CRect(0, 0, 0, 0));
    PropExchangeSize(pPX, L"ControlSize", m_szControl, CSize(0, 0));
    PropExchangeInt(pPX, L"VerticalOptions", m_nVerticalOptions, 0);
    if (pPX->m_nSchema > 5)
        PropExchangeInt(pPX, L"ControlId", m_nControlId, 0);
    if (pPX->IsLoading()) {
        m_rcBorders = TKPClampSavedBorders(m_rcBorders);
        m_szControl = TKPClampSavedSize(m_szControl);
    }
    if (pPX->IsLoading() && m_nControlId != 0) {
        const TKPPropExchangeSettings* pSettings = TKPGetExchangeSettings(pPX);
        const HWND hWnd = FindControlWindow(pSettings != NULL ? pSettings->pCommandBars : NULL, m_nControlId);
        if (hWnd != NULL)
            SetControl(hWnd);
    }
}

int CTKPControlCustom::CHookClient::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT&)
{
    if (nMessage != WM_MOUSEMOVE)
        return hookNotHandled;
    CTKPCommandBar* pBar = m_pControl->GetParent();
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
        return hookNotHandled;
    CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    ::MapWindowPoints(hWnd, pBar->GetSafeHwnd(), &point, 1);
    pBar->OnMouseMove((UINT)wParam, point);
    return hookNotHandled;
}
