#include "toolkit/commandbars/BarOptions.h"

#include "toolkit/base/PropExchangeGeometry.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/common/PropExchangeArchive.h"

IMPLEMENT_DYNAMIC(CTKPBarOptions, CCmdTarget)

CTKPBarOptions::CTKPBarOptions()
    : bAlwaysShowFullMenus(TRUE), bShowFullAfterDelay(TRUE), bToolBarScreenTips(TRUE), bToolBarAccelTips(FALSE),
      bLargeIcons(FALSE), bSyncFloatingBars(TRUE), bShowExpandButtonAlways(TRUE), bDblClickFloat(FALSE),
      bShowTextBelowIcons(FALSE), bAltDragCustomization(TRUE), bAutoHideUnusedPopups(TRUE), bDirty(FALSE),
      bShowPopupBarToolTips(FALSE), animationType(0), keyboardCuesUse(1), szIcons(0, 0), szLargeIcons(0, 0),
      szPopupIcons(16, 16), m_pCommandBars(NULL), keyboardCuesShow(0), bShowShortcutsInMenus(TRUE),
      bShowStatusPrompts(TRUE)
{
    EnableAutomation();
}

CTKPBarOptions::~CTKPBarOptions() {}

void ExchangeIconSize(CTKPPropExchange* pPX, LPCTSTR lpszName, CSize& size, const CSize& szDefault)
{
    const int kLargestIcon = 256;
    PropExchangeSize(pPX, lpszName, size, szDefault);
    if (pPX->IsLoading() && (size.cx < 1 || size.cy < 1 || size.cx > kLargestIcon || size.cy > kLargestIcon))
        size = szDefault;
}

void ExchangeCommandMap(CTKPPropExchange* pPX, LPCTSTR lpszName, CTKPCommandsMap& map)
{
    if (pPX->CanStoreBinary()) {
        if (pPX->IsLoading()) {
            map.RemoveAll();
            PropExchangeSerialize(pPX, lpszName, &map);
            return;
        }
        if (pPX->CanOmitDefaults() && map.IsEmpty()) {
            // An emptied map must not come back from an older value at the next start: the value is
            // removed the way every value equal to its default is.
            int nNone = 0;
            pPX->ExchangeProp(lpszName, TKPVT_I4, &nNone, &nNone);
            return;
        }
        PropExchangeSerialize(pPX, lpszName, &map);
        return;
    }

    CTKPPropExchange* pSection = pPX->GetSection(lpszName);
    if (pSection == NULL)
        return;
    if (pPX->IsLoading()) {
        map.RemoveAll();
        const DWORD dwCount = pSection->LimitLoadedCount(pSection->ReadCount());
        for (DWORD i = 0; i < dwCount; ++i) {
            CString strName;
            strName.Format(L"Item%i", (int)i);
            int nID = 0;
            if (PropExchangeIntNoDefault(pSection, strName, nID))
                map.SetAt((UINT)nID, TRUE);
        }
    } else {
        pSection->WriteCount((DWORD)map.GetCount());
        int i = 0;
        UINT nID;
        BOOL bValue;
        for (POSITION pos = map.GetStartPosition(); pos != NULL; ++i) {
            map.GetNextAssoc(pos, nID, bValue);
            CString strName;
            strName.Format(L"Item%i", i);
            int nValue = (int)nID;
            PropExchangeIntNoDefault(pSection, strName, nValue);
        }
    }
    delete pSection;
}

void CTKPBarOptions::DoPropExchange(CTKPPropExchange* pPX, BOOL bUserOptionsOnly)
{
    pPX->ExchangeSchema();
    const UINT nSchema = pPX->IsLoading() ? pPX->m_nSchema : 16;

    PropExchangeBool(pPX, L"AlwaysShowFullMenus", bAlwaysShowFullMenus, TRUE);
    PropExchangeBool(pPX, L"ShowFullAfterDelay", bShowFullAfterDelay, TRUE);
    PropExchangeBool(pPX, L"ToolBarScreenTips", bToolBarScreenTips, TRUE);
    PropExchangeBool(pPX, L"ToolBarAccelTips", bToolBarAccelTips, FALSE);
    PropExchangeBool(pPX, L"LargeIcons", bLargeIcons, FALSE);
    if (nSchema > 7)
        ExchangeCommandMap(pPX, L"UsedCommands", m_mapUsedCommands);
    if (nSchema > 7 || bUserOptionsOnly)
        PropExchangeInt(pPX, L"Animation", animationType, 0);
    if (bUserOptionsOnly)
        return;

    PropExchangeBool(pPX, L"SyncFloatingBars", bSyncFloatingBars, TRUE);
    PropExchangeBool(pPX, L"ShowExpandButtonAlways", bShowExpandButtonAlways, TRUE);
    ExchangeIconSize(pPX, L"IconsSize", szIcons, CSize(0, 0));
    ExchangeIconSize(pPX, L"LargeIconsSize", szLargeIcons, CSize(0, 0));
    ExchangeCommandMap(pPX, L"HiddenCommands", m_mapHiddenCommands);

    // The icon options live in the manager's theme.
    CTKPCommandBarsTheme* pTheme = m_pCommandBars != NULL ? m_pCommandBars->GetPaintManager() : NULL;
    BOOL bIconsWithShadow = pTheme != NULL ? pTheme->m_bIconsWithShadow : FALSE;
    BOOL bUseDisabledIcons = pTheme != NULL ? pTheme->m_bUseDisabledIcons : TRUE;
    BOOL bUseFadedIcons = pTheme != NULL ? pTheme->m_bFadedIcons : TRUE;
    PropExchangeBool(pPX, L"IconsWithShadow", bIconsWithShadow, FALSE);
    PropExchangeBool(pPX, L"UseDisabledIcons", bUseDisabledIcons, TRUE);
    PropExchangeBool(pPX, L"UseFadedIcons", bUseFadedIcons, TRUE);
    if (pTheme != NULL && pPX->IsLoading()) {
        pTheme->m_bIconsWithShadow = bIconsWithShadow;
        pTheme->m_bUseDisabledIcons = bUseDisabledIcons;
        pTheme->m_bFadedIcons = bUseFadedIcons;
    }

    if (nSchema > 7) {
        PropExchangeBool(pPX, L"SyncFloatingBars", bSyncFloatingBars, TRUE);
        PropExchangeBool(pPX, L"ShowExpandButtonAlways", bShowExpandButtonAlways, TRUE);
        PropExchangeBool(pPX, L"DblClickFloat", bDblClickFloat, FALSE);
        PropExchangeBool(pPX, L"ShowTextBelowIcons", bShowTextBelowIcons, FALSE);
        PropExchangeBool(pPX, L"AltDragCustomization", bAltDragCustomization, TRUE);
        PropExchangeBool(pPX, L"AutoHideUnusedPopups", bAutoHideUnusedPopups, TRUE);
        ExchangeIconSize(pPX, L"PopupIconsSize", szPopupIcons, CSize(16, 16));
    }
    if (nSchema > 8) {
        PropExchangeInt(pPX, L"KeyboardCuesUse", keyboardCuesUse, 1);
        PropExchangeInt(pPX, L"KeyboardCuesShow", keyboardCuesShow, 0);
        if (pPX->IsLoading())
            ShowKeyboardCues(keyboardCuesShow);
    }
}

void CTKPBarOptions::Serialize(CArchive& ar)
{
    CTKPPropExchangeArchive px(ar);
    DoPropExchange(&px, FALSE);
}

void CTKPBarOptions::ShowKeyboardCues(int nMode)
{
    keyboardCuesShow = nMode;
    if (m_pCommandBars == NULL)
        return;
    m_pCommandBars->m_bUseKeyboardCues = FALSE;
    m_pCommandBars->m_bKeyboardCuesVisible = nMode != 1;
    if (nMode == 2) {
        BOOL bCues = TRUE;
        if (::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &bCues, 0) && !bCues) {
            m_pCommandBars->m_bUseKeyboardCues = TRUE;
            m_pCommandBars->m_bKeyboardCuesVisible = FALSE;
        }
    }
}
