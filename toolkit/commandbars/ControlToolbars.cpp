#include "toolkit/commandbars/ControlToolbars.h"

#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/RefHolder.h"

IMPLEMENT_SERIAL(CTKPControlToolbars, CTKPControlPlaceholder, VERSIONABLE_SCHEMA | 16)
IMPLEMENT_SERIAL(CTKPControlToolbarToggle, CTKPControlButton, VERSIONABLE_SCHEMA | 16)

namespace {

const int kCustomizeCommand = 35001;

BOOL IsToolbarItem(CTKPControl* pControl)
{
    return pControl->GetParameter() == TKP_TOOLBAR_ITEM_PARAMETER;
}

}  // namespace

CTKPControlToolbars::CTKPControlToolbars() {}

void CTKPControlToolbars::OnCalcDynamicSize(DWORD)
{
    RemoveExpansion(IsToolbarItem);
    // The Customize button that followed the list goes with it.
    CTKPControl* pNext = GetControls() != NULL ? GetControls()->GetAt(m_nIndex + 1) : NULL;
    if (pNext != NULL && pNext->IsTemporary() && pNext->GetID() == kCustomizeCommand)
        GetControls()->Remove(m_nIndex + 1);
    if (ShowInCustomizeMode())
        return;
    HideForExpansion();
    AddToolbarItems(m_pParent, m_nIndex + 1, m_nId, FALSE);
}

int CTKPControlToolbars::AddToolbarItems(CTKPCommandBar* pBar, int nPosition, int nId, BOOL bAddCustomize)
{
    CTKPCommandBars* pCommandBars = pBar != NULL ? pBar->GetCommandBars() : NULL;
    if (pCommandBars == NULL)
        return 0;
    CTKPControls* pControls = pBar->GetControls();
    int nAdded = 0;
    for (int i = 0; i < pCommandBars->GetCount(); ++i) {
        CTKPCommandBar* pToolBar = pCommandBars->GetAt(i);
        if (pToolBar == NULL || pToolBar->GetType() != tkpBarTypeNormal || !pToolBar->IsCloseable() ||
            !pToolBar->IsContextMenuPresent())
            continue;
        CTKPControl* pItem =
            pControls->Add(new CTKPControlToolbarToggle, nId, TKP_TOOLBAR_ITEM_PARAMETER, nPosition + nAdded, TRUE);
        pItem->SetTag((DWORD_PTR)i);
        pItem->SetCaption(pToolBar->GetTitle());
        pItem->SetChecked(pToolBar->IsVisible() ? 1 : 0);
        pItem->SetFlags(tkpFlagManualUpdate);
        ++nAdded;
    }
    if (bAddCustomize && pCommandBars->IsCustomizeAvail()) {
        CTKPControl* pCustomize = pControls->Add(tkpControlButton, kCustomizeCommand, NULL, nPosition + nAdded, TRUE);
        pCustomize->SetBeginGroup(TRUE);
        ++nAdded;
    }
    return nAdded;
}

CTKPControlToolbarToggle::CTKPControlToolbarToggle()
{
    m_controlType = tkpControlButton;
}

void CTKPControlToolbarToggle::OnExecute()
{
    CTKPCommandBar* pParent = m_pParent;
    CTKPCommandBars* pCommandBars = pParent != NULL ? pParent->GetCommandBars() : NULL;
    if (pCommandBars == NULL)
        return;
    CTKPRefHolder hold(this);
    const int nIndex = (int)m_nTag;
    pCommandBars->ClosePopups();
    pCommandBars->ToggleBarVisible(nIndex);
    pCommandBars->RecalcFrameLayout(FALSE);
}
