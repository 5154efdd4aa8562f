#include "toolkit/commandbars/ControlOleItems.h"

#include "classlib/win/CFrameWnd.h"
#include "classlib/win/CMenu.h"
#include "classlib/win/COleDocument.h"
#include "classlib/win/CView.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"

IMPLEMENT_SERIAL(CTKPControlOleItems, CTKPControlPlaceholder, VERSIONABLE_SCHEMA | 16)

namespace {

const UINT kFirstVerbCommand = 0xE210;
const UINT kLastVerbCommand = 0xE21F;
const wchar_t kVerbPopupParameter[] = L"OLEMENUPOPUP";

}  // namespace

CTKPControlOleItems::CTKPControlOleItems() {}

COleClientItem* CTKPControlOleItems::GetSelectedItem() const
{
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pParent != NULL ? m_pParent->GetSite() : NULL);
    CFrameWnd* pActiveFrame = pFrame != NULL ? pFrame->GetActiveFrame() : NULL;
    CView* pView = pActiveFrame != NULL ? pActiveFrame->GetActiveView() : NULL;
    COleDocument* pDocument = pView != NULL ? DYNAMIC_DOWNCAST(COleDocument, pView->GetDocument()) : NULL;
    return pDocument != NULL ? pDocument->GetPrimarySelectedItem(pView) : NULL;
}

void CTKPControlOleItems::OnCalcDynamicSize(DWORD)
{
    RemoveExpansion([this](CTKPControl* pControl) {
        return pControl->GetIndex() == m_nIndex + 1 && pControl->GetParameter() == kVerbPopupParameter;
    });
    if (ShowInCustomizeMode())
        return;
    HideForExpansion();
    COleClientItem* pItem = GetSelectedItem();
    if (pItem == NULL || pItem->GetType() == OT_STATIC)
        return;
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    AfxOleSetEditMenu(pItem, &menu, 0, kFirstVerbCommand, kLastVerbCommand);
    // Only an item with several verbs makes a popup of them.
    CMenu* pVerbs = menu.GetMenuItemCount() == 1 ? menu.GetSubMenu(0) : NULL;
    CTKPControls* pControls = GetControls();
    if (pVerbs == NULL || pControls == NULL)
        return;
    CTKPCommandBar* pBar = CTKPCommandBars::CreatePopupBar(m_pParent != NULL ? m_pParent->GetCommandBars() : NULL);
    if (pBar == NULL)
        return;
    pBar->LoadMenu(pVerbs, TRUE);
    CString strCaption;
    menu.GetMenuString(0, strCaption, MF_BYPOSITION);
    CTKPControlPopup* pPopup = CTKPControlPopup::CreateControlPopup(tkpControlPopup);
    pPopup->AttachCommandBar(pBar);
    pControls->Add(pPopup, 0, kVerbPopupParameter, m_nIndex + 1, TRUE);
    pPopup->SetCaption(strCaption);
    pPopup->SetFlags(tkpFlagManualUpdate);
}
