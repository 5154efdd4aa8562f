// The command bar's idle update of its controls (command UI, document-template visibility), its
// status prompts and its accessibility.
#include "classlib/win/CFrameWnd.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/RefHolder.h"

namespace {

// The command UI of one control of a bar: m_pOther is the bar, m_nIndex the control.
class CTKPControlCmdUI : public CCmdUI {
public:
    CTKPControlCmdUI(CTKPCommandBar* pBar) : m_pBar(pBar) {}

    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CTKPControl* pControl = m_pBar->GetControl((int)m_nIndex);
        if (pControl == NULL)
            return;
        pControl->SetEnabled(bOn);
        if (!bOn && pControl->GetChecked()) {
            pControl->SetChecked(0);
            m_pBar->DelayRedraw();
        }
    }
    void SetCheck(int nCheck) override
    {
        CTKPControl* pControl = m_pBar->GetControl((int)m_nIndex);
        if (pControl != NULL && pControl->GetChecked() != nCheck) {
            pControl->SetChecked(nCheck);
            m_pBar->DelayRedraw();
        }
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCTSTR lpszText) override
    {
        CTKPControl* pControl = m_pBar->GetControl((int)m_nIndex);
        if (pControl != NULL)
            pControl->SetCaption(lpszText);
    }

private:
    CTKPCommandBar* m_pBar;
};

}  // namespace

LRESULT CTKPCommandBar::OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM lParam)
{
    OnIdleUpdateCmdUI((BOOL)wParam, lParam);
    return 0;
}

LRESULT CTKPCommandBar::OnInitialUpdate(WPARAM, LPARAM)
{
    OnIdleUpdateCmdUI(TRUE, 0);
    return 0;
}

void CTKPCommandBar::UpdateDocTemplateControls()
{
    CTKPCommandBars* pCommandBars = GetCommandBars();
    const UINT nMenuId = pCommandBars != NULL ? pCommandBars->GetActiveMenuId() : 0;
    if (nMenuId == 0)
        return;
    for (int i = 0; i < GetControlCount(); ++i) {
        CTKPControl* pControl = GetControl(i);
        if (pControl->GetParent() != this)
            continue;
        DWORD dwHide = pControl->GetHideFlags();
        BOOL bValue;
        if (!pControl->GetAssignedDocTemplates().IsEmpty()) {
            if (pControl->GetAssignedDocTemplates().Lookup(nMenuId, bValue))
                dwHide &= ~tkpHideDocTemplate;
            else
                dwHide |= tkpHideDocTemplate;
        }
        if (!pControl->GetExcludedDocTemplates().IsEmpty()) {
            if (pControl->GetExcludedDocTemplates().Lookup(nMenuId, bValue))
                dwHide |= tkpHideDocTemplate;
            else
                dwHide &= ~tkpHideDocTemplate;
        }
        if (dwHide != pControl->GetHideFlags()) {
            pControl->SetHideFlags(dwHide);
            m_nStateFlags |= stateLayoutDirty;
        }
    }
}

void CTKPCommandBar::UpdateControlCmdUI(int nIndex, CWnd* pTarget, BOOL bDisableIfNoHandler)
{
    CTKPControl* pControl = GetControl(nIndex);
    if (pControl == NULL || GetRootParent()->IsNoNotify() || (pControl->GetFlags() & tkpFlagManualUpdate))
        return;
    CTKPControlCmdUI state(this);
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)GetControlCount();
    state.m_nIndex = (UINT)nIndex;
    state.m_nID = (UINT)pControl->GetID();
    state.m_bEnableChanged = FALSE;
    if (OnCmdMsg(0, MAKELONG((WORD)CN_UPDATE_COMMAND_UI, WM_COMMAND + WM_REFLECT_BASE), &state, NULL))
        return;
    if (state.m_nID != 0 && OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, NULL))
        return;
    if (IsCustomizeMode())
        state.Enable(TRUE);
    else if (pTarget != NULL)
        state.DoUpdate(pTarget, bDisableIfNoHandler);
}

void CTKPCommandBar::OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHandler)
{
    for (int i = 0; i < GetControlCount(); ++i) {
        CTKPControl* pControl = GetControl(i);
        if (pControl->GetPressed()) {
            pControl->SetPressed(0);
            DelayRedraw();
        }
        UpdateControlCmdUI(i, pTarget, bDisableIfNoHandler);
    }
}

void CTKPCommandBar::OnIdleUpdateCmdUI(BOOL bDisableIfNoHandler, LPARAM)
{
    if (GetSafeHwnd() == NULL || !(GetStyle() & WS_VISIBLE))
        return;
    CTKPRefHolder hold(this);
    UpdateDocTemplateControls();
    CWnd* pTarget = GetOwnerSite();
    if (pTarget == NULL)
        return;
    OnUpdateCmdUI(pTarget, bDisableIfNoHandler);
    if (GetSafeHwnd() == NULL)
        return;
    if (m_nStateFlags & stateRedrawPending) {
        m_nStateFlags &= ~stateRedrawPending;
        Invalidate(FALSE);
    }
    if (m_nStateFlags & stateLayoutDirty) {
        m_nStateFlags &= ~stateLayoutDirty;
        OnRecalcLayout();
    }
    if (GetSafeHwnd() != NULL)
        UpdateDialogControls(pTarget, bDisableIfNoHandler);
}

// --- Status prompts -----------------------------------------------------------------------------

void CTKPCommandBar::OnControlSelected(int nState, CTKPControl* pControl)
{
    CWnd* pSite = GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        ::SendMessageW(pSite->GetSafeHwnd(), TKPM_CONTROLSELECTED, nState > 0 ? (WPARAM)pControl : 0, 0);
    if (pControl->GetIndex() != m_nClickedControl) {
        m_nClickedControl = -1;
        SetStatusText(nState > 0 ? pControl->GetDescription() : CString());
    } else if (nState == 0) {
        m_nClickedControl = -1;
    }
}

void CTKPCommandBar::SetStatusText(LPCTSTR lpszText)
{
    CTKPCommandBars* pCommandBars = GetCommandBars();
    CWnd* pTarget = NULL;
    if (pCommandBars != NULL) {
        if (pCommandBars->GetOptions() == NULL || !pCommandBars->GetOptions()->bShowStatusPrompts)
            return;
        pTarget = pCommandBars->GetSite();
    } else {
        pTarget = GetSite();
    }
    if (pTarget == NULL || pTarget->GetSafeHwnd() == NULL)
        return;
    if (lpszText == NULL || *lpszText == 0)
        ::SendMessageW(pTarget->GetSafeHwnd(), WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
    else
        ::SendMessageW(pTarget->GetSafeHwnd(), WM_SETMESSAGESTRING, 0, (LPARAM)lpszText);
}

// --- Accessibility ------------------------------------------------------------------------------

namespace {

HRESULT ReturnString(const CString& str, BSTR* pbstr)
{
    if (pbstr == NULL)
        return E_INVALIDARG;
    *pbstr = ::SysAllocString(str);
    return *pbstr != NULL ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

LRESULT CTKPCommandBar::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    const LONG nObject = (LONG)lParam;
    if (nObject == OBJID_CLIENT || nObject == OBJID_MENU)
        // The GUID itself: 64-bit liboleacc names a code stub IID_IAccessible, which may be linked in its place.
        return CTKPAccessible::LresultFromObject(__uuidof(IAccessible), wParam, GetAccessible());
    return Default();
}

STDMETHODIMP CTKPCommandBar::get_accParent(IDispatch** ppdispParent)
{
    if (ppdispParent == NULL)
        return E_INVALIDARG;
    *ppdispParent = NULL;
    CTKPControlPopup* pControlPopup = GetControlPopup();
    if (pControlPopup != NULL) {
        *ppdispParent = reinterpret_cast<CTKPControl*>(pControlPopup)->GetAccessible();
        if (*ppdispParent == NULL)
            return S_FALSE;
        (*ppdispParent)->AddRef();
        return S_OK;
    }
    if (GetSafeHwnd() == NULL || ::GetParent(m_hWnd) == NULL)
        return S_FALSE;
    return CTKPAccessible::AccessibleObjectFromWindow(::GetParent(m_hWnd), OBJID_WINDOW, IID_IDispatch,
        (void**)ppdispParent);
}

STDMETHODIMP CTKPCommandBar::get_accChildCount(long* pcountChildren)
{
    if (pcountChildren == NULL)
        return E_INVALIDARG;
    *pcountChildren = GetControlCount();
    return S_OK;
}

STDMETHODIMP CTKPCommandBar::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == NULL)
        return E_INVALIDARG;
    *ppdispChild = NULL;
    CTKPControl* pControl = GetControl(GetChildIndex(&varChild) - 1);
    if (pControl == NULL)
        return E_INVALIDARG;
    *ppdispChild = pControl->GetAccessible();
    if (*ppdispChild == NULL)
        return S_FALSE;
    (*ppdispChild)->AddRef();
    return S_OK;
}

STDMETHODIMP CTKPCommandBar::get_accName(VARIANT varChild, BSTR* pszName)
{
    const long nChild = GetChildIndex(&varChild);
    if (nChild == CHILDID_SELF)
        return ReturnString(m_strTitle, pszName);
    CTKPControl* pControl = GetControl(nChild - 1);
    if (pControl == NULL)
        return E_INVALIDARG;
    CString strName = pControl->GetCaption();
    CTKPDrawingHelper::StripMnemonics(strName);
    const CString strShortcut = pControl->GetShortcutText();
    if (!strShortcut.IsEmpty())
        strName += L"\t" + strShortcut;
    return ReturnString(strName, pszName);
}

STDMETHODIMP CTKPCommandBar::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (pvarRole == NULL)
        return E_INVALIDARG;
    const long nChild = GetChildIndex(&varChild);
    pvarRole->vt = VT_I4;
    if (nChild == CHILDID_SELF) {
        pvarRole->lVal = m_barType == tkpBarTypePopup
            ? ROLE_SYSTEM_MENUPOPUP
            : (m_barType == tkpBarTypeMenuBar ? ROLE_SYSTEM_MENUBAR : ROLE_SYSTEM_TOOLBAR);
        return S_OK;
    }
    if (GetControl(nChild - 1) == NULL)
        return E_INVALIDARG;
    pvarRole->lVal = ROLE_SYSTEM_MENUITEM;
    return S_OK;
}

STDMETHODIMP CTKPCommandBar::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    if (pvarState == NULL)
        return E_INVALIDARG;
    const long nChild = GetChildIndex(&varChild);
    long lState = (GetSafeHwnd() == NULL || !IsWindowVisible()) ? STATE_SYSTEM_INVISIBLE : 0;
    if (nChild != CHILDID_SELF) {
        if (GetControl(nChild - 1) == NULL)
            return E_INVALIDARG;
        lState |= STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
        if (nChild - 1 == m_nSelected)
            lState |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED | STATE_SYSTEM_HOTTRACKED;
    }
    pvarState->vt = VT_I4;
    pvarState->lVal = lState;
    return S_OK;
}

STDMETHODIMP CTKPCommandBar::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild)
{
    if (pxLeft == NULL || pyTop == NULL || pcxWidth == NULL || pcyHeight == NULL || GetSafeHwnd() == NULL)
        return E_INVALIDARG;
    const long nChild = GetChildIndex(&varChild);
    CRect rc;
    if (nChild == CHILDID_SELF) {
        GetWindowRect(&rc);
    } else {
        CTKPControl* pControl = GetControl(nChild - 1);
        if (pControl == NULL)
            return E_INVALIDARG;
        rc = pControl->GetRect();
        ClientToScreen(&rc);
    }
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

STDMETHODIMP CTKPCommandBar::accHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (pvarChild == NULL || GetSafeHwnd() == NULL)
        return E_INVALIDARG;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (!rcWindow.PtInRect(CPoint(xLeft, yTop))) {
        pvarChild->vt = VT_EMPTY;
        return S_FALSE;
    }
    CPoint pt(xLeft, yTop);
    ScreenToClient(&pt);
    CTKPControl* pControl = m_pControls->HitTest(pt);
    if (pControl != NULL) {
        pvarChild->vt = VT_DISPATCH;
        pvarChild->pdispVal = pControl->GetAccessible();
        pvarChild->pdispVal->AddRef();
        return S_OK;
    }
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    return S_OK;
}
