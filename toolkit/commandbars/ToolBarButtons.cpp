#include "toolkit/commandbars/ToolBarButtons.h"

#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/RefHolder.h"
#include "toolkit/commandbars/ToolBar.h"

IMPLEMENT_DYNCREATE(CTKPToolBarExpandButton, CTKPControlPopup)
IMPLEMENT_DYNCREATE(CTKPToolBarCloseButton, CTKPControlButton)
IMPLEMENT_DYNCREATE(CTKPAddOrRemoveButton, CTKPControlButton)
IMPLEMENT_DYNCREATE(CTKPResetToolBarButton, CTKPAddOrRemoveButton)

CTKPAddOrRemoveButton::CTKPAddOrRemoveButton() : m_pToolBar(NULL), m_nTargetType(0)
{
    m_dwFlags = tkpFlagManualUpdate;
    m_bCloseSubMenuOnClick = FALSE;
}

CTKPAddOrRemoveButton::~CTKPAddOrRemoveButton()
{
    if (m_pToolBar != NULL)
        m_pToolBar->InternalRelease();
}

void CTKPAddOrRemoveButton::SetTarget(CTKPToolBar* pToolBar, int nTargetType)
{
    if (pToolBar != NULL)
        pToolBar->InternalAddRef();
    if (m_pToolBar != NULL)
        m_pToolBar->InternalRelease();
    m_pToolBar = pToolBar;
    m_nTargetType = nTargetType;
}

void CTKPAddOrRemoveButton::OnExecute()
{
    if (m_pToolBar == NULL)
        return;
    CTKPRefHolder hold(this);
    CTKPControl* pTarget = m_pToolBar->GetControls()->FindControl(m_nTargetType, m_nId, FALSE, FALSE);
    if (pTarget == NULL)
        return;
    const BOOL bHide = !(pTarget->GetHideFlags() & tkpHideCustomize);
    pTarget->SetHideFlag(tkpHideCustomize, bHide);
    SetChecked(bHide ? 0 : 1);
    CTKPCommandBars* pCommandBars = m_pToolBar->GetCommandBars();
    if (pCommandBars != NULL)
        pCommandBars->GetOptions()->bDirty = TRUE;
    m_pToolBar->OnRecalcLayout();
}

void CTKPResetToolBarButton::OnExecute()
{
    if (m_pToolBar == NULL)
        return;
    CTKPRefHolder hold(this);
    CTKPToolBar* pToolBar = m_pToolBar;
    CTKPRefHolder holdBar(pToolBar);
    pToolBar->ResetToolBar();
}

CTKPToolBarExpandButton::CTKPToolBarExpandButton() : m_bHiddenControls(FALSE), m_bFloatingLook(FALSE)
{
    m_controlType = tkpControlButtonPopup;
    m_dwFlags = tkpFlagSkipFocus | tkpFlagManualUpdate | tkpFlagNoMovable;
}

void CTKPToolBarExpandButton::SetRect(CRect rcControl)
{
    CTKPControlPopup::SetRect(rcControl);
    m_bHiddenControls = FALSE;
    for (int i = 0; m_pParent != NULL && i < m_pParent->GetControlCount(); ++i) {
        if (m_pParent->GetControl(i)->GetHideFlags() == tkpHideWrap)
            m_bHiddenControls = TRUE;
    }
}

void CTKPToolBarExpandButton::Draw(CDC* pDC)
{
    GetPaintManager()->DrawSpecialControl(pDC,
        m_bFloatingLook ? CTKPCommandBarsTheme::specialFloatingExpand : CTKPCommandBarsTheme::specialToolbarExpand,
        this, m_pParent, TRUE, CSize(0, 0), m_bHiddenControls);
}

BOOL CTKPToolBarExpandButton::OnSetPopup(BOOL bPopup)
{
    if (bPopup && !m_bPopup && m_pParent != NULL) {
        CTKPCommandBars* pCommandBars = m_pParent->GetCommandBars();
        CTKPCommandBar* pPopup = CTKPCommandBars::CreatePopupBar(pCommandBars);
        if (pPopup != NULL && pCommandBars != NULL) {
            pCommandBars->FillExpandPopup(m_pParent, pPopup);
            pCommandBars->FillCustomizePopup(m_pParent, pPopup);
        }
        AttachCommandBar(pPopup);
    }
    return CTKPControlPopup::OnSetPopup(bPopup);
}

CTKPToolBarCloseButton::CTKPToolBarCloseButton()
{
    m_dwFlags = tkpFlagSkipFocus | tkpFlagManualUpdate | tkpFlagNoMovable;
}

void CTKPToolBarCloseButton::Draw(CDC* pDC)
{
    GetPaintManager()->DrawSpecialControl(pDC, CTKPCommandBarsTheme::specialFloatingClose, this, m_pParent, TRUE,
        CSize(0, 0), 0);
}

void CTKPToolBarCloseButton::OnExecute()
{
    CTKPCommandBar* pParent = m_pParent;
    if (pParent == NULL)
        return;
    CTKPRefHolder holdThis(this);
    CTKPRefHolder holdParent(pParent);
    pParent->SetVisible(FALSE);
}
