#include "toolkit/commandbars/Controls.h"

#include "classlib/win/CMenu.h"
#include "classlib/win/CWinApp.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/ControlButton.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/common/ControlLayout.h"

#include <vector>

IMPLEMENT_DYNCREATE(CTKPControls, CCmdTarget)

namespace {

// A control of a kind whose class is part of the program only when the program has it: made by name, or
// null when the program does not have it.
CTKPControl* CreateByName(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = CRuntimeClass::FromName(lpszClassName);
    if (pClass == NULL || !pClass->IsDerivedFrom(RUNTIME_CLASS(CTKPControl)))
        return NULL;
    return static_cast<CTKPControl*>(pClass->CreateObject());
}

// The first submenu of menu resource nID, loaded into pMenu (which then owns the whole menu).
CMenu* LoadMenuResourcePopup(UINT nID, CMenu& menu)
{
    if (nID == 0)
        return NULL;
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nID), RT_MENU);
    if (hInst == NULL || ::FindResourceW(hInst, MAKEINTRESOURCE(nID), RT_MENU) == NULL)
        return NULL;
    HMENU hMenu = ::LoadMenuW(hInst, MAKEINTRESOURCE(nID));
    if (hMenu == NULL)
        return NULL;
    menu.Attach(hMenu);
    HMENU hSub = ::GetSubMenu(hMenu, 0);
    return hSub != NULL ? CMenu::FromHandle(hSub) : NULL;
}

}  // namespace

CTKPControls::CTKPControls() : m_pParent(NULL), m_pCommandBars(NULL), m_pSavedCopy(NULL)
{
    EnableAutomation();
}

CTKPControls::~CTKPControls()
{
    RemoveAll();
    ClearSavedCopy();
}

void CTKPControls::SetParent(CTKPCommandBar* pParent)
{
    m_pParent = pParent;
    if (GetCount() > 0)
        RefreshIndexes();
}

CTKPCommandBars* CTKPControls::GetCommandBars() const
{
    if (m_pParent != NULL) {
        CTKPCommandBars* pCommandBars = m_pParent->GetCommandBars();
        if (pCommandBars != NULL)
            return pCommandBars;
    }
    return m_pCommandBars;
}

CTKPControl* CTKPControls::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return NULL;
    return m_arrControls[nIndex];
}

CTKPControl* CTKPControls::GetNext(CTKPControl* pControl) const
{
    if (pControl == NULL)
        return NULL;
    for (int i = 0; i < GetCount(); ++i) {
        if (m_arrControls[i] == pControl)
            return GetAt(i + 1);
    }
    return NULL;
}

void CTKPControls::RefreshIndexes()
{
    for (int i = 0; i < GetCount(); ++i) {
        CTKPControl* pControl = m_arrControls[i];
        pControl->m_nIndex = i;
        pControl->m_pControls = this;
        pControl->SetParent(m_pParent);
    }
    if (m_pParent != NULL)
        m_pParent->OnControlsChanged();
}

void CTKPControls::InsertAt(CTKPControl* pControl, int nBefore)
{
    if (nBefore >= 0 && nBefore < GetCount())
        m_arrControls.InsertAt(nBefore, pControl);
    else
        m_arrControls.Add(pControl);
}

CWnd* CTKPControls::GetSite() const
{
    if (m_pCommandBars != NULL && m_pCommandBars->GetSite() != NULL)
        return m_pCommandBars->GetSite();
    if (m_pParent != NULL) {
        if (m_pParent->m_pSite != NULL)
            return m_pParent->m_pSite;
        return m_pParent->GetSite();
    }
    return NULL;
}

// --- Creation -----------------------------------------------------------------------------------

CTKPCommandBar* CTKPControls::CreatePopupBarFor(int nId, CMenu* pSubMenu)
{
    CWnd* pSite = GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL) {
        TKPCREATEBARSTRUCT cs;
        memset(&cs, 0, sizeof(cs));
        cs.bPopup = TRUE;
        cs.nID = (UINT)nId;
        if (::SendMessageW(pSite->GetSafeHwnd(), TKPM_CREATECOMMANDBAR, 0, (LPARAM)&cs) != 0 &&
            cs.pCommandBar != NULL) {
            if (cs.pCommandBar->GetPosition() == tkpBarPopup)
                return cs.pCommandBar;
            cs.pCommandBar->InternalRelease();
        }
    }
    CTKPCommandBar* pPopup = CTKPCommandBars::CreatePopupBar(GetCommandBars());
    if (pPopup == NULL)
        return NULL;
    if (pSubMenu != NULL) {
        pPopup->LoadMenu(pSubMenu, TRUE);
    } else {
        CMenu menu;
        CMenu* pResourcePopup = LoadMenuResourcePopup((UINT)nId, menu);
        if (pResourcePopup != NULL)
            pPopup->LoadMenu(pResourcePopup, TRUE);
    }
    return pPopup;
}

CTKPControl* CTKPControls::CreateButton(int nId, const CString* pMenuCaption)
{
    CTKPControl* pControl = NULL;
    switch (nId) {
    case 35000:
        pControl = CreateByName("CTKPControlWindowList");
        break;
    case 35002:
        pControl = CreateByName("CTKPControlWorkspaceActions");
        break;
    case TKP_ID_TOOLBARLIST:
        pControl = CreateByName("CTKPControlToolbars");
        break;
    case 35003:
        if (pMenuCaption == NULL)
            pControl = CreateByName("CTKPControlRecentFileList");
        break;
    case 0xE110:
        if (pMenuCaption != NULL)
            pControl = CreateByName("CTKPControlRecentFileList");
        break;
    case 0xE210:
        if (pMenuCaption != NULL && *pMenuCaption == L"<<OLE VERBS GO HERE>>")
            pControl = CreateByName("CTKPControlOleItems");
        break;
    }
    return pControl != NULL ? pControl : new CTKPControlButton;
}

CTKPControl* CTKPControls::CreateControl(int nType, int nId)
{
    CTKPControl* pControl = NULL;
    switch (nType) {
    case tkpControlButton:
        pControl = CreateButton(nId, NULL);
        break;
    case tkpControlPopup:
    case tkpControlButtonPopup:
    case tkpControlSplitButtonPopup: {
        CTKPControlPopup* pPopup = CTKPControlPopup::CreateControlPopup(nType);
        pPopup->AttachCommandBar(CreatePopupBarFor(nId, NULL));
        pControl = pPopup;
        break;
    }
    case tkpControlComboBox:
        pControl = CreateByName("CTKPControlComboBox");
        break;
    case tkpControlEdit:
        pControl = CreateByName("CTKPControlEdit");
        break;
    case tkpControlCustom:
        pControl = CreateByName("CTKPControlCustom");
        break;
    case tkpControlLabel:
        pControl = CreateByName("CTKPControlLabel");
        break;
    }
    if (pControl == NULL)
        pControl = new CTKPControl;
    pControl->m_controlType = nType;
    return pControl;
}

CTKPControl* CTKPControls::Add(CTKPControl* pControl, int nId, LPCTSTR lpszParameter, int nBefore, BOOL bTemporary)
{
    if (pControl == NULL)
        return NULL;
    pControl->m_strParameter = lpszParameter != NULL ? lpszParameter : L"";
    pControl->m_bTemporary = bTemporary;
    pControl->SetID(nId);
    InsertAt(pControl, nBefore);
    RefreshIndexes();
    return pControl;
}

CTKPControl* CTKPControls::Add(int nType, int nId, LPCTSTR lpszParameter, int nBefore, BOOL bTemporary)
{
    return Add(CreateControl(nType, nId), nId, lpszParameter, nBefore, bTemporary);
}

CTKPControl* CTKPControls::AddClone(CTKPControl* pControl, int nBefore, BOOL bRecursive)
{
    if (pControl == NULL)
        return NULL;
    CTKPControl* pClone = pControl->Clone(bRecursive);
    if (pClone == NULL)
        return NULL;
    InsertAt(pClone, nBefore);
    RefreshIndexes();
    return pClone;
}

CTKPControl* CTKPControls::AddMenuItem(CMenu* pMenu, int nIndex)
{
    if (pMenu == NULL || pMenu->GetSafeHmenu() == NULL)
        return NULL;
    HMENU hMenu = pMenu->GetSafeHmenu();
    MENUITEMINFOW info;
    memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_SUBMENU;
    if (!::GetMenuItemInfoW(hMenu, (UINT)nIndex, TRUE, &info))
        return NULL;
    HMENU hSubMenu = info.hSubMenu;
    // The item id of a submenu item is the submenu's handle: popup controls take no id from it.
    int nId = hSubMenu != NULL ? -1 : (int)info.wID;
    const BOOL bDefault = ::GetMenuDefaultItem(hMenu, TRUE, GMDI_USEDISABLED) == (UINT)nIndex;
    if (nId == 0xFF00)
        return NULL;

    CString strCaption;
    pMenu->GetMenuString((UINT)nIndex, strCaption, MF_BYPOSITION);

    TKPCREATECONTROLSTRUCT cs;
    cs.nID = (UINT)nId;
    cs.pControl = NULL;
    cs.bToolBar = FALSE;
    cs.nIndex = nIndex;
    cs.pMenu = pMenu;
    cs.pCommandBar = m_pParent;
    cs.strCaption = strCaption;
    cs.controlType = hSubMenu != NULL ? tkpControlPopup : tkpControlButton;
    cs.buttonStyle = 0;

    CWnd* pSite = GetSite();
    const HWND hWndSite = pSite != NULL ? pSite->GetSafeHwnd() : NULL;
    if (hWndSite != NULL && ::SendMessageW(hWndSite, TKPM_CREATECONTROL, 0, (LPARAM)&cs) != 0) {
        nId = (int)cs.nID;
        strCaption = cs.strCaption;
    } else {
        cs.pControl = NULL;
    }

    CTKPControl* pControl = cs.pControl;
    if (pControl == NULL) {
        const int nType = cs.controlType;
        if (nType == tkpControlButton) {
            pControl = CreateButton(nId, &strCaption);
        } else if (TKPIsPopupType(nType)) {
            CTKPControlPopup* pPopup = CTKPControlPopup::CreateControlPopup(nType);
            CMenu* pSubMenu = hSubMenu != NULL ? CMenu::FromHandle(hSubMenu) : NULL;
            CTKPCommandBar* pBar = NULL;
            if (hWndSite != NULL) {
                TKPCREATEBARSTRUCT bs;
                memset(&bs, 0, sizeof(bs));
                bs.bPopup = TRUE;
                bs.nID = (UINT)nId;
                if (::SendMessageW(hWndSite, TKPM_CREATECOMMANDBAR, 0, (LPARAM)&bs) != 0 && bs.pCommandBar != NULL) {
                    if (bs.pCommandBar->GetPosition() == tkpBarPopup)
                        pBar = bs.pCommandBar;
                    else
                        bs.pCommandBar->InternalRelease();
                }
            }
            if (pBar == NULL)
                pBar = CTKPCommandBars::CreatePopupBar(GetCommandBars());
            if (pBar != NULL) {
                CString strTitle = strCaption;
                CTKPDrawingHelper::StripMnemonics(strTitle);
                pBar->SetTitle(strTitle);
                pBar->m_nStateFlags &= ~CTKPCommandBar::stateRedrawPending;
                if (pBar->GetRedrawLock() == 0 && pBar->GetSafeHwnd() != NULL)
                    pBar->Invalidate(FALSE);
                if (pSubMenu != NULL) {
                    pBar->LoadMenu(pSubMenu, TRUE);
                } else if (nId != 0) {
                    CMenu menu;
                    CMenu* pResourcePopup = LoadMenuResourcePopup((UINT)nId, menu);
                    if (pResourcePopup != NULL)
                        pBar->LoadMenu(pResourcePopup, TRUE);
                }
            }
            pPopup->AttachCommandBar(pBar);
            pControl = pPopup;
        } else if (nType == tkpControlComboBox) {
            pControl = CreateByName("CTKPControlComboBox");
        } else if (nType == tkpControlEdit) {
            pControl = CreateByName("CTKPControlEdit");
        }
        if (pControl == NULL)
            pControl = new CTKPControl;
        pControl->m_controlType = nType;
        pControl->m_nStyle = cs.buttonStyle;
        if (m_pParent != NULL)
            m_pParent->m_nStateFlags |= CTKPCommandBar::stateLayoutDirty;
    }

    pControl->SetID(nId);
    pControl->SetCaption(strCaption);
    pControl->SetDefaultItem(bDefault);
    m_arrControls.Add(pControl);
    RefreshIndexes();

    if (hWndSite != NULL && ::IsWindow(hWndSite)) {
        cs.pControl = pControl;
        ::SendMessageW(hWndSite, TKPM_AFTERCREATECONTROL, 0, (LPARAM)&cs);
    }
    return pControl;
}

BOOL CTKPControls::LoadMenu(CMenu* pMenu)
{
    if (pMenu == NULL || pMenu->GetSafeHmenu() == NULL || !::IsMenu(pMenu->GetSafeHmenu()))
        return FALSE;
    HMENU hMenu = pMenu->GetSafeHmenu();
    const int nCount = ::GetMenuItemCount(hMenu);
    BOOL bBeginGroup = FALSE;
    for (int i = 0; i < nCount; ++i) {
        MENUITEMINFOW info;
        memset(&info, 0, sizeof(info));
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE | MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        if (!::GetMenuItemInfoW(hMenu, (UINT)i, TRUE, &info))
            continue;
        if ((info.fType & MFT_SEPARATOR) || (info.wID == 0 && info.hSubMenu == NULL)) {
            bBeginGroup = TRUE;
            continue;
        }
        CTKPControl* pControl = AddMenuItem(pMenu, i);
        if (pControl == NULL)
            continue;
        if (bBeginGroup) {
            pControl->SetBeginGroup(TRUE);
            bBeginGroup = FALSE;
        }
        if (info.fState & MFS_CHECKED)
            pControl->m_bChecked = 1;
        if (info.fState & (MFS_GRAYED | MFS_DISABLED))
            pControl->SetEnabled(FALSE);
    }
    return TRUE;
}

// --- Removal ------------------------------------------------------------------------------------

void CTKPControls::Remove(CTKPControl* pControl)
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_arrControls[i] == pControl) {
            Remove(i);
            return;
        }
    }
}

void CTKPControls::Remove(int nIndex)
{
    CTKPControl* pControl = GetAt(nIndex);
    if (pControl == NULL)
        return;
    if (pControl->GetSelected() && m_pParent != NULL)
        m_pParent->SetSelected(-1, FALSE);
    m_arrControls.RemoveAt(nIndex);
    pControl->m_pControls = NULL;
    pControl->SetParent(NULL);
    pControl->InternalRelease();
    RefreshIndexes();
}

void CTKPControls::RemoveAll()
{
    // Detach first, so that a control released here sees no collection.
    CArray<CTKPControl*, CTKPControl*> arrControls;
    arrControls.Copy(m_arrControls);
    m_arrControls.RemoveAll();
    for (INT_PTR i = 0; i < arrControls.GetSize(); ++i) {
        CTKPControl* pControl = arrControls[i];
        pControl->m_pControls = NULL;
        pControl->SetParent(NULL);
        pControl->InternalRelease();
    }
}

// --- Look-ups -----------------------------------------------------------------------------------

CTKPControl* CTKPControls::FindControl(int nType, int nId, BOOL bVisible, BOOL bRecursive) const
{
    for (int i = 0; i < GetCount(); ++i) {
        CTKPControl* pControl = m_arrControls[i];
        const BOOL bMatch = (nType == 0 || pControl->GetType() == nType) && (nId == -1 || pControl->GetID() == nId) &&
            (!bVisible || pControl->GetHideFlags() == 0);
        if (bMatch)
            return pControl;
        if (bRecursive && TKPIsPopupType(pControl->GetType())) {
            CTKPCommandBar* pBar = pControl->GetCommandBar();
            if (pBar != NULL && pBar->GetControls() != NULL && pBar->GetControls() != this) {
                CTKPControl* pFound = pBar->GetControls()->FindControl(nType, nId, bVisible, TRUE);
                if (pFound != NULL)
                    return pFound;
            }
        }
    }
    return NULL;
}

CTKPControl* CTKPControls::HitTest(CPoint point) const
{
    for (int i = 0; i < GetCount(); ++i) {
        CTKPControl* pControl = m_arrControls[i];
        if (pControl->GetHideFlags() == 0 && pControl->GetRect().PtInRect(point))
            return pControl;
    }
    return NULL;
}

int CTKPControls::GetNext(int nIndex, int nDirection, BOOL bKeyboard, BOOL bSkipTemporary, BOOL bLenient) const
{
    const int n = GetCount();
    if (n == 0 || nDirection == 0)
        return -1;
    const BOOL bFromNone = nIndex == -1;
    int i = (bFromNone && nDirection < 0) ? n - 1 : nIndex + nDirection;
    const DWORD dwAllowed = bLenient ? tkpHideScroll : (tkpHideScroll | tkpHideExpand);
    int nWraps = 0;
    for (int nGuard = 0; nGuard <= 2 * n + 2; ++nGuard) {
        if (i >= n) {
            if (bFromNone && nDirection > 0)
                return -1;
            if (++nWraps > 1)
                return -1;
            i = 0;
        } else if (i < 0) {
            if (bFromNone && nDirection < 0)
                return -1;
            if (++nWraps > 1)
                return -1;
            i = n - 1;
        }
        if (i == nIndex)
            return nIndex;
        const CTKPControl* pControl = m_arrControls[i];
        const BOOL bSkip = (pControl->GetHideFlags() & ~dwAllowed) != 0 ||
            (bKeyboard && (pControl->GetFlags() & tkpFlagSkipFocus)) || (bSkipTemporary && pControl->IsTemporary());
        if (!bSkip)
            return i;
        i += nDirection;
    }
    return -1;
}

int CTKPControls::GetVisibleCount(BOOL bStrict) const
{
    int nCount = 0;
    for (int i = 0; i < GetCount(); ++i) {
        DWORD dwHide = m_arrControls[i]->GetHideFlags();
        if (!bStrict)
            dwHide &= ~tkpHideWrap;
        if (dwHide == 0)
            ++nCount;
    }
    return nCount;
}

// --- Copies -------------------------------------------------------------------------------------

CTKPControls* CTKPControls::Duplicate(BOOL bRecursive)
{
    CTKPControls* pCopy = new CTKPControls;
    pCopy->m_pCommandBars = m_pCommandBars;
    for (int i = 0; i < GetCount(); ++i) {
        CTKPControl* pControl = m_arrControls[i];
        if (pControl->IsTemporary())
            continue;
        CTKPControl* pClone = pControl->Clone(bRecursive);
        if (pClone != NULL)
            pCopy->m_arrControls.Add(pClone);
    }
    for (int i = 0; i < pCopy->GetCount(); ++i) {
        pCopy->m_arrControls[i]->m_nIndex = i;
        pCopy->m_arrControls[i]->m_pControls = pCopy;
    }
    if (m_pSavedCopy != NULL)
        pCopy->m_pSavedCopy = m_pSavedCopy->Duplicate(bRecursive);
    return pCopy;
}

void CTKPControls::CreateSavedCopy()
{
    // The old copy goes first, or the new one would carry it along.
    ClearSavedCopy();
    m_pSavedCopy = Duplicate(TRUE);
}

void CTKPControls::SetSavedCopy(CTKPControls* pSavedCopy)
{
    CTKPControls* pOld = m_pSavedCopy;
    m_pSavedCopy = pSavedCopy;
    if (pOld != NULL && pOld != pSavedCopy)
        pOld->InternalRelease();
}

void CTKPControls::ClearSavedCopy()
{
    CTKPControls* pOld = m_pSavedCopy;
    m_pSavedCopy = NULL;
    if (pOld != NULL)
        pOld->InternalRelease();
}

BOOL CTKPControls::Compare(CTKPControls* pOther)
{
    if (pOther == NULL)
        return FALSE;
    int i = 0, j = 0;
    const int n = GetCount(), m = pOther->GetCount();
    for (;;) {
        while (i < n && m_arrControls[i]->IsTemporary())
            ++i;
        while (j < m && pOther->m_arrControls[j]->IsTemporary())
            ++j;
        if (i >= n || j >= m)
            return i >= n && j >= m;
        if (!m_arrControls[i]->Compare(pOther->m_arrControls[j]))
            return FALSE;
        ++i;
        ++j;
    }
}

BOOL CTKPControls::IsChanged()
{
    return m_pSavedCopy == NULL || !Compare(m_pSavedCopy);
}

// --- Layout -------------------------------------------------------------------------------------

CSize CTKPControls::CalcDynamicSize(CDC* pDC, int nLength, DWORD dwMode, const CRect& rcBorders, int nMinThickness,
    BOOL* pbOverflow)
{
    CTKPCommandBar* pBar = m_pParent;
    CSize szSeparator(6, 6);
    if (pBar != NULL)
        szSeparator = pBar->GetPaintManager()->DrawControlSeparator(pDC, pBar, NULL, FALSE);

    // Backwards, so that a placeholder that expands into controls after itself (a window list, the
    // recent files) does not move the ones still to be asked; the count is taken again afterwards.
    for (int i = GetCount() - 1; i >= 0; --i)
        m_arrControls[i]->OnCalcDynamicSize(dwMode);
    const int n = GetCount();

    std::vector<TKPLayoutRecord> records((size_t)n);
    for (int i = 0; i < n; ++i) {
        CTKPControl* pControl = m_arrControls[i];
        TKPLayoutRecord& r = records[(size_t)i];
        const BOOL bVisible = (pControl->GetHideFlags() & ~tkpHideWrap) == 0;
        const CSize size = bVisible ? pControl->GetSize(pDC) : CSize(0, 0);
        const CRect rc = pControl->GetRect();
        r.rcControl = {rc.left, rc.top, rc.right, rc.bottom};
        r.rcRow = {0, 0, 0, 0};
        r.cx = size.cx;
        r.cy = size.cy;
        r.bVisible = bVisible != FALSE;
        r.bWrap = false;
        r.bHidden = false;
        r.bBeginGroup = pControl->GetBeginGroup() != FALSE;
        r.dwFlags = pControl->GetFlags();
    }

    const CTKPControlLayout::Borders borders = {rcBorders.left, rcBorders.top, rcBorders.right, rcBorders.bottom};
    const int nMRUWidth = pBar != NULL ? pBar->GetMRUWidth() : 32767;
    const TKLayoutSize size = CTKPControlLayout::Layout(records, nLength, dwMode, borders, nMinThickness,
        {szSeparator.cx, szSeparator.cy}, nMRUWidth);

    if (pbOverflow != NULL) {
        BOOL bOverflow = FALSE, bSeen = FALSE;
        for (const TKPLayoutRecord& r : records) {
            if (!r.bVisible)
                continue;
            if (r.bHidden || (bSeen && r.bWrap))
                bOverflow = TRUE;
            bSeen = TRUE;
        }
        *pbOverflow = bOverflow;
    }

    if ((dwMode & LM_COMMIT) && GetVisibleCount(FALSE) > 0) {
        for (int i = 0; i < n; ++i) {
            CTKPControl* pControl = m_arrControls[i];
            const TKPLayoutRecord& r = records[(size_t)i];
            const DWORD dwHide = pControl->GetHideFlags();
            const DWORD dwNewHide = r.bHidden ? (dwHide | tkpHideWrap) : (dwHide & ~tkpHideWrap);
            if (dwNewHide != dwHide)
                pControl->SetHideFlags(dwNewHide);
            pControl->SetRowRect(CRect(r.rcRow.left, r.rcRow.top, r.rcRow.right, r.rcRow.bottom));
            if (r.bVisible && !r.bHidden)
                pControl->SetRect(CRect(r.rcControl.left, r.rcControl.top, r.rcControl.right, r.rcControl.bottom));
            pControl->SetWrap(r.bWrap);
        }
    }
    return CSize(size.cx, size.cy);
}
