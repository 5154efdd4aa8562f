#include "toolkit/commandbars/ToolBarButtons.h"

#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/RefHolder.h"
#include "toolkit/commandbars/ToolBar.h"

IMPLEMENT_DYNCREATE(CTKPToolBarExpandButton, CTKPControlPopup)
IMPLEMENT_DYNCREATE(CTKPToolBarCloseButton, CTKPControlButton)

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
