#include "toolkit/commandbars/ControlPopup.h"

#include <set>

#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/PopupBar.h"

IMPLEMENT_SERIAL(CTKPControlPopup, CTKPControl, VERSIONABLE_SCHEMA | 16)

namespace {

// The popup bars reachable from a popup control: its own and, through their popup controls, those
// below it (each bar once, so that bars reached twice or in a circle end the walk).
void CollectPopupBars(CTKPControlPopup* pPopup, std::set<CTKPCommandBar*>& bars)
{
    CTKPCommandBar* pBar = pPopup->GetCommandBar();
    if (pBar == NULL || !bars.insert(pBar).second)
        return;
    CTKPControls* pControls = pBar->GetControls();
    for (int i = 0; pControls != NULL && i < pControls->GetCount(); ++i) {
        CTKPControl* pControl = pControls->GetAt(i);
        if (pControl->IsKindOf(RUNTIME_CLASS(CTKPControlPopup)))
            CollectPopupBars(static_cast<CTKPControlPopup*>(pControl), bars);
    }
}

}  // namespace

CTKPControlPopup::CTKPControlPopup() : m_bPopup(FALSE), m_pCommandBar(NULL), m_dwReserved(0)
{
    m_controlType = tkpControlPopup;
}

CTKPControlPopup::~CTKPControlPopup()
{
    if (m_pCommandBar != NULL)
        m_pCommandBar->InternalRelease();
}

CTKPControlPopup* CTKPControlPopup::CreateControlPopup(int nType)
{
    CTKPControlPopup* pControl = new CTKPControlPopup;
    pControl->m_controlType = nType;
    return pControl;
}

void CTKPControlPopup::SetCommandBar(CTKPCommandBar* pBar)
{
    if (pBar != NULL)
        pBar->InternalAddRef();
    AttachCommandBar(pBar);
}

void CTKPControlPopup::AttachCommandBar(CTKPCommandBar* pBar)
{
    CTKPCommandBar* pOld = m_pCommandBar;
    m_pCommandBar = pBar;
    if (pOld != NULL)
        pOld->InternalRelease();
}

BOOL CTKPControlPopup::Compare(CTKPControl* pOther)
{
    if (!CTKPControl::Compare(pOther) || !pOther->IsKindOf(RUNTIME_CLASS(CTKPControlPopup)))
        return FALSE;
    CTKPCommandBar* pOtherBar = static_cast<CTKPControlPopup*>(pOther)->m_pCommandBar;
    if (m_pCommandBar != NULL && pOtherBar != NULL)
        return m_pCommandBar->GetControls()->Compare(pOtherBar->GetControls());
    return TRUE;
}

void CTKPControlPopup::Copy(CTKPControl* pSource, BOOL bRecursive)
{
    CTKPControl::Copy(pSource, bRecursive);
    if (pSource == NULL || pSource == this || !pSource->IsKindOf(RUNTIME_CLASS(CTKPControlPopup)))
        return;
    CTKPCommandBar* pSourceBar = static_cast<CTKPControlPopup*>(pSource)->m_pCommandBar;
    if (bRecursive && pSourceBar != NULL)
        AttachCommandBar(pSourceBar->Clone(TRUE));
    else
        SetCommandBar(pSourceBar);
}

void CTKPControlPopup::OnUnderlineActivate()
{
    if (m_pParent != NULL)
        m_pParent->SetPopuped(m_nIndex, FALSE);
}

BOOL CTKPControlPopup::OnSetPopup(BOOL bPopup)
{
    m_bPopup = bPopup;
    if (!bPopup) {
        if (m_pCommandBar != NULL)
            m_pCommandBar->SetTrackingMode(CTKPCommandBar::trackingNone, TRUE, FALSE);
        DelayRedrawParent();
        return TRUE;
    }
    if (m_pCommandBar == NULL)
        return FALSE;
    if (m_pCommandBar->IsTrackingMode())
        return TRUE;
    if (!m_pCommandBar->Popup(this, m_nSelected == 2))
        return FALSE;
    UpdateShadow();
    return TRUE;
}

void CTKPControlPopup::OnClick(BOOL bKeyboard, CPoint pt)
{
    CTKPCommandBar* pParent = m_pParent;
    if (!m_bEnabled || pParent == NULL)
        return;
    const BOOL bCustomize = IsCustomizeMode();
    CTKPCommandBars* pCommandBars = pParent->GetCommandBars();
    if (bCustomize && pCommandBars != NULL)
        pCommandBars->SetDragControl(this);

    if (m_bPopup && pParent->GetPosition() != tkpBarPopup) {
        pParent->SetTrackingMode(CTKPCommandBar::trackingNone, FALSE, FALSE);
        if (bCustomize)
            OnCustomizeMouseDown(pt);
        return;
    }
    if (!bCustomize && m_controlType == tkpControlSplitButtonPopup) {
        if (bKeyboard) {
            OnExecute();
            return;
        }
        if (pParent->GetType() == tkpBarTypePopup) {
            if (pt.x < m_rcControl.right - SPLIT_POPUP) {
                pParent->KillTimer(CTKPCommandBar::TIMERID_HOVER);
                return;
            }
        } else if (pt.x < m_rcControl.right - SPLIT_BAR) {
            CRect rc = m_rcControl;
            rc.right -= SPLIT_BAR;
            TrackClick(rc);
            return;
        }
    }
    if (bCustomize && m_pCommandBar != NULL && !m_pCommandBar->IsCustomizable()) {
        OnCustomizeMouseDown(pt);
        return;
    }
    // Opened as a click opens it: a popup opened from the keyboard has its control selected by keyboard
    // already (Enter, mnemonics), and that selection makes the popup select its first item.
    pParent->SetPopuped(m_nIndex, FALSE);
    if (bCustomize)
        OnCustomizeMouseDown(pt);
}

void CTKPControlPopup::OnLButtonUp(CPoint point)
{
    if (m_bEnabled && m_controlType == tkpControlSplitButtonPopup && m_pParent != NULL &&
        m_pParent->GetType() == tkpBarTypePopup && point.x + SPLIT_POPUP < m_rcControl.right)
        OnExecute();
}

BOOL CTKPControlPopup::OnLButtonDblClk(CPoint point)
{
    if ((m_controlType != tkpControlPopup && m_controlType != tkpControlButtonPopup) || m_pCommandBar == NULL ||
        !m_pCommandBar->IsKindOf(RUNTIME_CLASS(CTKPPopupBar)) || m_pParent == NULL)
        return CTKPControl::OnLButtonDblClk(point);

    CTKPCommandBar* pBar = m_pCommandBar;
    pBar->InternalAddRef();
    if (!m_bPopup)
        m_pParent->OnLButtonDown(MK_LBUTTON, point);
    BOOL bDone = FALSE;
    if (m_bPopup) {
        const int nDefault = pBar->FindDefaultItem(TRUE);
        CTKPControl* pDefault = nDefault >= 0 ? pBar->GetControl(nDefault) : NULL;
        if (pDefault != NULL) {
            pDefault->OnExecute();
            bDone = TRUE;
        } else if (pBar->HasHiddenCommands()) {
            pBar->ExpandBar();
            bDone = TRUE;
        }
    }
    pBar->InternalRelease();
    return bDone;
}

void CTKPControlPopup::OnMouseHover()
{
    if (m_bEnabled && m_pParent != NULL &&
        (m_pParent->GetTrackingMode() == CTKPCommandBar::trackingPopup || m_pParent->GetPosition() == tkpBarPopup))
        m_pParent->SetPopuped(m_nIndex, FALSE);
    else
        CTKPControl::OnMouseHover();
}

BOOL CTKPControlPopup::SetSelected(int nSelected)
{
    if (!CTKPControl::SetSelected(nSelected))
        return FALSE;
    CTKPCommandBar* pParent = m_pParent;
    if (pParent == NULL)
        return TRUE;
    const BOOL bInPopupBar = pParent->GetType() == tkpBarTypePopup;
    const BOOL bPopupTracking = pParent->GetTrackingMode() == CTKPCommandBar::trackingPopup;
    if ((m_controlType == tkpControlButtonPopup || m_controlType == tkpControlSplitButtonPopup) && !bInPopupBar) {
        if (m_bEnabled && nSelected == 2 && bPopupTracking)
            pParent->SetPopuped(m_nIndex, TRUE);
        return TRUE;
    }
    if (m_bEnabled && nSelected != 0 && bPopupTracking && pParent->GetPosition() != tkpBarPopup)
        pParent->SetPopuped(m_nIndex, nSelected == 2);
    else if (nSelected == 0 && m_bPopup && pParent->GetPosition() != tkpBarPopup)
        pParent->SetPopuped(-1, FALSE);
    return TRUE;
}

void CTKPControlPopup::OnCustomizeDragOver(CTKPControl* pDragged, CPoint point, DWORD& dropEffect)
{
    if (m_pCommandBar == NULL || !m_pCommandBar->IsCustomizable() || m_pParent == NULL)
        return;
    if (pDragged != NULL && pDragged->IsKindOf(RUNTIME_CLASS(CTKPControlPopup)) &&
        static_cast<CTKPControlPopup*>(pDragged)->IsContainPopup(this)) {
        m_pParent->SetPopuped(-1, FALSE);
        m_pParent->SetSelected(-1, FALSE);
        return;
    }
    m_pParent->SetPopuped(m_nIndex, FALSE);
}

BOOL CTKPControlPopup::IsContainPopup(CTKPControlPopup* pOther)
{
    if (pOther == NULL || pOther->GetCommandBar() == NULL)
        return FALSE;
    // Only one way: the other lies in this popup when its bar is this one's or one below it. Also
    // counting the bars above this popup would refuse every drop of a submenu into its own parent.
    std::set<CTKPCommandBar*> mine;
    CollectPopupBars(this, mine);
    return mine.count(pOther->GetCommandBar()) != 0;
}

void CTKPControlPopup::ExpandPopup()
{
    if (m_bPopup && m_pCommandBar != NULL && m_pCommandBar->GetType() == tkpBarTypePopup &&
        m_controlType == tkpControlPopup)
        m_pCommandBar->ExpandBar();
}

void CTKPControlPopup::UpdateShadow()
{
    if (m_pParent == NULL || m_pParent->GetPosition() == tkpBarPopup || !TKPIsPopupType(m_controlType) ||
        m_pCommandBar == NULL)
        return;
    m_pCommandBar->CreateControlShadows(this);
}

void CTKPControlPopup::AdjustExcludeRect(CRect& rc)
{
    const int nPosition = m_pParent != NULL ? m_pParent->GetPosition() : tkpBarTop;
    GetPaintManager()->AdjustExcludeRect(rc, this,
        nPosition == tkpBarLeft || nPosition == tkpBarRight || nPosition == tkpBarPopup);
}
