// The saved properties of controls and control collections.
#include "classlib/core/CException.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/base/PropExchangeGeometry.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarList.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlButton.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"

namespace {

void ExchangeDword(CTKPPropExchange* pPX, LPCTSTR pszName, DWORD& dwValue, int nDefault)
{
    int nValue = static_cast<int>(dwValue);
    PropExchangeInt(pPX, pszName, nValue, nDefault);
    dwValue = static_cast<DWORD>(nValue);
}

// A document-template id map, stored only when it holds something where defaults may be left out.
void ExchangeTemplateMap(CTKPPropExchange* pPX, LPCTSTR pszName, CMap<UINT, UINT, BOOL, BOOL>& map)
{
    if (!pPX->IsLoading() && pPX->CanOmitDefaults() && map.IsEmpty())
        return;
    if (pPX->IsLoading())
        map.RemoveAll();
    if (!PropExchangeSerialize(pPX, pszName, &map) && pPX->IsLoading())
        map.RemoveAll();
}

}  // namespace

void CTKPControl::DoPropExchange(CTKPPropExchange* pPX)
{
    PropExchangeInt(pPX, L"Type", m_controlType, tkpControlButton);
    PropExchangeInt(pPX, L"Id", m_nId, -1);
    PropExchangeInt(pPX, L"IconId", m_nIconId, 0);
    PropExchangeBool(pPX, L"BeginGroup", m_bBeginGroup, FALSE);
    int nTag = static_cast<int>(m_nTag);
    PropExchangeInt(pPX, L"Tag", nTag, 0);
    m_nTag = static_cast<DWORD_PTR>(static_cast<UINT>(nTag));
    ExchangeDword(pPX, L"Flags", m_dwFlags, 0);
    ExchangeDword(pPX, L"HideFlags", m_dwHideFlags, 0);
    PropExchangeString(pPX, L"Caption", m_strCaption, L"");
    PropExchangeString(pPX, L"ShortcutText", m_strShortcutText, L"");
    PropExchangeString(pPX, L"TooltipText", m_strTooltipText, L"");
    PropExchangeString(pPX, L"DescriptionText", m_strDescriptionText, L"");
    PropExchangeString(pPX, L"Parameter", m_strParameter, L"");
    PropExchangeInt(pPX, L"CustomIconId", m_nCustomIconId, 0);
    PropExchangeString(pPX, L"CustomCaption", m_strCustomCaption, L"");
    if (pPX->m_nSchema > 1)
        PropExchangeString(pPX, L"Category", m_strCategory, L"");
    if (m_nCustomIconId > 0) {
        CTKPImageManager* pImageManager = GetImageManager();
        CTKPPropExchange* pSection = pPX->GetSection(L"CustomIcon");
        if (pSection != NULL && pImageManager != NULL)
            pImageManager->ExchangeIcons(static_cast<UINT>(m_nCustomIconId), pSection);
        delete pSection;
    }
    if (pPX->m_nSchema > 3) {
        ExchangeTemplateMap(pPX, L"DocTemplatesExcluded", m_mapDocTemplatesExcluded);
        ExchangeTemplateMap(pPX, L"DocTemplatesAssigned", m_mapDocTemplatesAssigned);
        PropExchangeBool(pPX, L"DefaultItem", m_bDefaultItem, FALSE);
    }
    if (pPX->m_nSchema > 6)
        PropExchangeBool(pPX, L"CloseSubMenuOnClick", m_bCloseSubMenuOnClick, TRUE);
    if (pPX->m_nSchema > 7)
        PropExchangeInt(pPX, L"CustomStyle", m_nCustomStyle, 0);
}

void CTKPControlButton::DoPropExchange(CTKPPropExchange* pPX)
{
    CTKPControl::DoPropExchange(pPX);
    PropExchangeInt(pPX, L"Style", m_nStyle, 0);
}

void CTKPControlPopup::DoPropExchange(CTKPPropExchange* pPX)
{
    CTKPControl::DoPropExchange(pPX);
    // The popup bar by its id; a loaded control keeps the id until the bars are linked again.
    int nBarID = 0;
    if (!pPX->IsLoading() && m_pCommandBar != NULL)
        nBarID = static_cast<int>(m_pCommandBar->GetBarID());
    PropExchangeInt(pPX, L"CommandBarId", nBarID, 0);
    if (pPX->IsLoading())
        m_dwReserved = static_cast<DWORD>(nBarID);
    if (pPX->m_nSchema > 4)
        PropExchangeInt(pPX, L"Style", m_nStyle, 0);
}

void CTKPControls::DoPropExchange(CTKPPropExchange* pPX)
{
    const TKPPropExchangeSettings* pSettings = TKPGetExchangeSettings(pPX);
    CTKPPropSectionEnumerator* pEnum = pPX->GetEnumerator(L"Control");
    if (pPX->IsLoading()) {
        RemoveAll();
        DWORD dwCount = 0;
        DWORD_PTR pos = pEnum->BeginEnum(dwCount);
        while (pos != 0) {
            CTKPPropExchange* pSection = pEnum->NextSection(pos);
            CObject* pObject = NULL;
            if (pSection == NULL || !pSection->ExchangeRuntimeClass(&pObject, RUNTIME_CLASS(CTKPControl))) {
                // A control that cannot be made fails the whole load: in an archive its values
                // would still be in the stream ahead of everything that follows.
                delete pSection;
                delete pEnum;
                AfxThrowArchiveException(CArchiveException::badClass);
            }
            CTKPControl* pControl = static_cast<CTKPControl*>(pObject);
            pControl->m_pControls = this;
            try {
                pControl->DoPropExchange(pSection);
            } catch (...) {
                pControl->InternalRelease();
                delete pSection;
                delete pEnum;
                throw;
            }
            // Adding resets the parameter; the loaded one is kept.
            const CString strParameter = pControl->GetParameter();
            Add(pControl, pControl->GetID(), NULL, -1, FALSE);
            pControl->SetParameter(strParameter);
            delete pSection;
        }
        delete pEnum;
    } else {
        DWORD dwCount = 0;
        for (int i = 0; i < GetCount(); i++)
            dwCount += GetAt(i)->IsTemporary() ? 0 : 1;
        DWORD_PTR pos = pEnum->BeginEnum(dwCount);
        for (int i = 0; i < GetCount() && pos != 0; i++) {
            CTKPControl* pControl = GetAt(i);
            if (pControl->IsTemporary())
                continue;
            CTKPPropExchange* pSection = pEnum->NextSection(pos);
            if (pSection != NULL) {
                CObject* pObject = pControl;
                pSection->ExchangeRuntimeClass(&pObject, RUNTIME_CLASS(CTKPControl));
                pControl->DoPropExchange(pSection);
            }
            delete pSection;
        }
        delete pEnum;
    }

    BOOL bOriginal = !pPX->IsLoading() && m_pSavedCopy != NULL && pSettings != NULL && pSettings->bSaveOriginalControls;
    if (!pPX->IsLoading() || pPX->m_nSchema > 2) {
        PropExchangeBool(pPX, L"OriginalControls", bOriginal, FALSE);
        if (bOriginal) {
            CTKPPropExchange* pSection = pPX->GetSection(L"OriginalControls");
            if (pPX->IsLoading()) {
                CTKPControls* pOriginal = new CTKPControls;
                pOriginal->SetCommandBars(GetCommandBars());
                try {
                    pOriginal->DoPropExchange(pSection);
                } catch (...) {
                    pOriginal->InternalRelease();
                    delete pSection;
                    throw;
                }
                SetSavedCopy(pOriginal);
            } else {
                m_pSavedCopy->DoPropExchange(pSection);
            }
            delete pSection;
        }
    }
    BOOL bCustomized = FALSE;
    PropExchangeBool(pPX, L"CustomizedControls", bCustomized, FALSE);
    if (bCustomized && pPX->IsLoading()) {
        // A further collection of earlier versions: read so that what follows stays in place.
        CTKPPropExchange* pSection = pPX->GetSection(L"CustomizedControls");
        CTKPControls* pCustomized = new CTKPControls;
        try {
            pCustomized->DoPropExchange(pSection);
        } catch (...) {
            pCustomized->InternalRelease();
            delete pSection;
            throw;
        }
        pCustomized->InternalRelease();
        delete pSection;
    }
}
