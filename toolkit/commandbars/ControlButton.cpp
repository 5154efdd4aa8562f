#include "toolkit/commandbars/ControlButton.h"

#include "toolkit/commandbars/CommandBar.h"

IMPLEMENT_SERIAL(CTKPControlButton, CTKPControl, VERSIONABLE_SCHEMA | 16)

CTKPControlButton::CTKPControlButton()
{
    m_controlType = tkpControlButton;
}

void CTKPControlButton::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (!m_bEnabled || m_pParent == NULL)
        return;
    if (IsCustomizeMode()) {
        m_pParent->SetPopuped(-1, FALSE);
        m_pParent->SetSelected(-1, FALSE);
        OnCustomizeMouseDown(pt);
        return;
    }
    if (bKeyboard) {
        OnExecute();
        return;
    }
    // In a popup the command runs on the release.
    if (m_pParent->GetPosition() != tkpBarPopup)
        TrackClick(m_rcControl);
}

void CTKPControlButton::OnLButtonUp(CPoint point)
{
    if (m_bEnabled && m_pParent != NULL && m_pParent->GetPosition() == tkpBarPopup)
        OnExecute();
}

void CTKPControlButton::Copy(CTKPControl* pSource, BOOL bRecursive)
{
    CTKPControl::Copy(pSource, bRecursive);
}
