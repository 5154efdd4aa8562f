// The saved properties of the bars.
#include "toolkit/base/PropExchangeGeometry.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarList.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/MenuBar.h"
#include "toolkit/commandbars/PopupBar.h"
#include "toolkit/commandbars/ToolBar.h"

namespace {

void ExchangeDword(CTKPPropExchange* pPX, LPCTSTR pszName, DWORD& dwValue, int nDefault)
{
    int nValue = static_cast<int>(dwValue);
    PropExchangeInt(pPX, pszName, nValue, nDefault);
    dwValue = static_cast<DWORD>(nValue);
}

}  // namespace

void CTKPCommandBar::DoPropExchange(CTKPPropExchange* pPX)
{
    const TKPPropExchangeSettings* pSettings = TKPGetExchangeSettings(pPX);
    if (pPX->IsLoading() && pSettings != NULL && pSettings->pCommandBars != NULL)
        SetCommandBars(pSettings->pCommandBars);
    PropExchangeInt(pPX, L"Type", m_barType, tkpBarTypeNormal);
    PropExchangeInt(pPX, L"Position", m_barPosition, tkpBarTop);
    int nBarID = static_cast<int>(m_nBarID);
    PropExchangeInt(pPX, L"BarID", nBarID, 0);
    m_nBarID = static_cast<UINT>(nBarID);
    ExchangeDword(pPX, L"Flags", m_dwFlags, 0);
    ExchangeDword(pPX, L"Style", m_dwStyle, 0);
    PropExchangeString(pPX, L"Title", m_strTitle, L"");
    PropExchangeBool(pPX, L"Customizable", m_bCustomizable, TRUE);
    PropExchangeInt(pPX, L"MRUWidth", m_nMRUWidth, 0);
    if (pPX->m_nSchema > 2)
        ExchangeIconSize(pPX, L"IconSize", m_szIcons, CSize(0, 0));
    CTKPPropExchange* pSection = pPX->GetSection(L"Controls");
    if (pSection != NULL) {
        if (pPX->IsLoading())
            m_pControls->SetCommandBars(GetCommandBars());
        m_pControls->DoPropExchange(pSection);
        delete pSection;
    }
}

void CTKPToolBar::DoPropExchange(CTKPPropExchange* pPX)
{
    CTKPCommandBar::DoPropExchange(pPX);
    PropExchangeBool(pPX, L"BuiltIn", m_bBuiltIn, TRUE);
    PropExchangeBool(pPX, L"TearOff", m_bTearOff, FALSE);
    if (pPX->m_nSchema > 6)
        PropExchangeBool(pPX, L"Closeable", m_bCloseable, TRUE);
    if (pPX->m_nSchema > 7)
        PropExchangeBool(pPX, L"ContextMenuPresent", m_bContextMenuPresent, TRUE);
}

void CTKPMenuBar::DoPropExchange(CTKPPropExchange* pPX)
{
    if (!pPX->IsLoading() && !m_mapMenus.IsEmpty()) {
        // The default menu goes back first; the frame updates its menu after the save.
        if (m_hMenuFrame != NULL)
            SwitchMenu(m_hMenuFrame);
        m_bPendingMenuUpdate = TRUE;
    }
    CTKPToolBar::DoPropExchange(pPX);
    int nResourceID = static_cast<int>(m_nDefaultMenuID);
    PropExchangeInt(pPX, L"ResourceId", nResourceID, 0);
    if (pPX->IsLoading()) {
        m_nDefaultMenuID = static_cast<UINT>(nResourceID);
        m_nCurrentMenuID = m_nDefaultMenuID;
    }
    if (!pPX->IsLoading()) {
        CTKPPropSectionEnumerator* pEnum = pPX->GetEnumerator(L"MDIMenu");
        DWORD dwCount = static_cast<DWORD>(m_mapMenus.GetCount());
        DWORD_PTR pos = pEnum->BeginEnum(dwCount);
        POSITION mapPos = m_mapMenus.GetStartPosition();
        while (pos != 0 && mapPos != NULL) {
            UINT nID;
            CTKPControls* pControls;
            m_mapMenus.GetNextAssoc(mapPos, nID, pControls);
            CTKPPropExchange* pSection = pEnum->NextSection(pos);
            int nMenuID = static_cast<int>(nID);
            PropExchangeInt(pSection, L"Id", nMenuID, 0);
            pControls->DoPropExchange(pSection);
            delete pSection;
        }
        delete pEnum;
    } else if (pPX->m_nSchema > 4) {
        ReleaseStoredMenus();
        CTKPPropSectionEnumerator* pEnum = pPX->GetEnumerator(L"MDIMenu");
        DWORD dwCount = 0;
        DWORD_PTR pos = pEnum->BeginEnum(dwCount);
        while (pos != 0) {
            CTKPPropExchange* pSection = pEnum->NextSection(pos);
            int nMenuID = 0;
            PropExchangeInt(pSection, L"Id", nMenuID, 0);
            CTKPControls* pControls = new CTKPControls;
            pControls->SetCommandBars(GetCommandBars());
            try {
                pControls->DoPropExchange(pSection);
            } catch (...) {
                pControls->InternalRelease();
                delete pSection;
                delete pEnum;
                throw;
            }
            CTKPControls* pOld = NULL;
            if (nMenuID == 0 || m_mapMenus.Lookup(static_cast<UINT>(nMenuID), pOld))
                pControls->InternalRelease();  // a damaged or repeated id
            else
                m_mapMenus.SetAt(static_cast<UINT>(nMenuID), pControls);
            delete pSection;
        }
        delete pEnum;
    }
}

void CTKPPopupBar::DoPropExchange(CTKPPropExchange* pPX)
{
    CTKPCommandBar::DoPropExchange(pPX);
    PropExchangeBool(pPX, L"TearOffPopup", m_bTearOffPopup, FALSE);
    PropExchangeString(pPX, L"TearOffCaption", m_strTearOffCaption, L"");
    int nTearOffID = static_cast<int>(m_nTearOffID);
    PropExchangeInt(pPX, L"TearOffId", nTearOffID, 0);
    m_nTearOffID = static_cast<UINT>(nTearOffID);
    PropExchangeInt(pPX, L"TearOffWidth", m_nTearOffWidth, 0);
    if (pPX->m_nSchema > 3) {
        PropExchangeRect(pPX, L"Borders", m_rcBorders, CRect(2, 4, 2, 4));
        PropExchangeBool(pPX, L"ShowShadow", m_bShowShadow, TRUE);
    }
    if (pPX->m_nSchema > 8) {
        BOOL bDoubleGripper = FALSE;
        PropExchangeBool(pPX, L"DoubleGripper", bDoubleGripper, FALSE);
    }
}
