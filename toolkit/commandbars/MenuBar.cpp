#include "toolkit/commandbars/MenuBar.h"

#include "classlib/win/CFrameWnd.h"
#include "classlib/win/CMenu.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/MdiControls.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/WindowHookManager.h"

IMPLEMENT_SERIAL(CTKPMenuBar, CTKPToolBar, VERSIONABLE_SCHEMA | 16)

BEGIN_MESSAGE_MAP(CTKPMenuBar, CTKPToolBar)
ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {

HWND FindMdiClient(HWND hFrame)
{
    return hFrame != NULL ? ::FindWindowExW(hFrame, NULL, L"MDIClient", NULL) : NULL;
}

}  // namespace

CTKPMenuBar::CTKPMenuBar()
    : m_bMdiFrame(FALSE), m_hWndMdiClient(NULL), m_hwndHookedChild(NULL), m_hMenuFrame(NULL), m_nDefaultMenuID(0),
      m_nCurrentMenuID(0), m_mapMenus(10), m_bPendingMenuUpdate(FALSE)
{
    m_barType = tkpBarTypeMenuBar;
    m_mapMenus.InitHashTable(17);
}

CTKPMenuBar::~CTKPMenuBar()
{
    CTKPWindowHookManager::GetInstance()->RemoveHook(this);
    ReleaseStoredMenus();
    if (m_hMenuFrame != NULL && ::IsMenu(m_hMenuFrame))
        ::DestroyMenu(m_hMenuFrame);
    m_hMenuFrame = NULL;
}

void CTKPMenuBar::ReleaseStoredMenus()
{
    POSITION pos = m_mapMenus.GetStartPosition();
    while (pos != NULL) {
        UINT nID;
        CTKPControls* pControls;
        m_mapMenus.GetNextAssoc(pos, nID, pControls);
        pControls->InternalRelease();
    }
    m_mapMenus.RemoveAll();
}

// --- Loading ------------------------------------------------------------------------------------

BOOL CTKPMenuBar::LoadMenuBar(UINT nIDResource)
{
    if (nIDResource != 0) {
        HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_MENU);
        HMENU hMenu = ::LoadMenuW(hInst, MAKEINTRESOURCE(nIDResource));
        if (hMenu == NULL)
            return FALSE;
        CMenu menu;
        menu.Attach(hMenu);
        const BOOL bLoaded = LoadMenu(&menu, TRUE);
        menu.DestroyMenu();
        if (!bLoaded)
            return FALSE;
        m_nDefaultMenuID = nIDResource;
        m_nCurrentMenuID = nIDResource;
        m_pControls->CreateSavedCopy();
    }
    HookFrame();
    if (CTKPCommandBars* pCommandBars = GetCommandBars()) {
        static const UINT kSystemCommands[] = {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};
        if (pCommandBars->GetImageManager() != NULL)
            pCommandBars->GetImageManager()->SetIconsFromBitmap(IDB_SYSTEM_COMMANDS, kSystemCommands, 4, CSize(16, 16));
    }
    CWnd* pSite = GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL) {
        m_hMenuFrame = ::GetMenu(pSite->GetSafeHwnd());
        ::SetMenu(pSite->GetSafeHwnd(), NULL);
    }
    return TRUE;
}

void CTKPMenuBar::HookFrame()
{
    CWnd* pSite = GetSite();
    HWND hSite = pSite != NULL ? pSite->GetSafeHwnd() : NULL;
    if (hSite == NULL)
        return;
    m_hWndMdiClient = FindMdiClient(hSite);
    m_bMdiFrame = m_hWndMdiClient != NULL;
    CTKPWindowHookManager::GetInstance()->SetHook(hSite, this);
    if (m_bMdiFrame)
        CTKPWindowHookManager::GetInstance()->SetHook(m_hWndMdiClient, this);
}

void CTKPMenuBar::OnSetPreviewMode(BOOL bPreview)
{
    const BOOL bLeaving = m_bPreviewMode && !bPreview;
    CTKPToolBar::OnSetPreviewMode(bPreview);
    CFrameWnd* pFrame = GetFrameSite();
    if (!bLeaving || !m_bPreviewVisible || pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
        return;
    pFrame->OnUpdateFrameMenu(NULL);
    if (::GetMenu(pFrame->GetSafeHwnd()) != NULL)
        ::SetMenu(pFrame->GetSafeHwnd(), NULL);
}

// --- Hooked messages ----------------------------------------------------------------------------

int CTKPMenuBar::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    CWnd* pSite = GetSite();
    HWND hSite = pSite != NULL ? pSite->GetSafeHwnd() : NULL;
    switch (nMessage) {
    case WM_SYSCOMMAND: {
        CTKPMouseTracker* pTracker = CTKPMouseTracker::GetThreadTracker();
        CTKPCommandBars* pCommandBars = GetCommandBars();
        // Alt or F10 alone activates the menu bar instead of the frame's system menu.
        if (IsVisible() && pCommandBars != NULL && (pTracker == NULL || pTracker->GetSuspension() <= 0) &&
            ::GetKeyState(VK_SHIFT) >= 0 && !IsCustomizeMode() && (wParam & 0xFFF0) == SC_KEYMENU && lParam == 0) {
            // The release of the Alt of an Alt+letter that already put the bar in tracking mode
            // comes as Alt alone: the bar keeps the control the letter chose.
            if (!IsTrackingMode())
                pCommandBars->ActivateNextBar(this, 0);
            lResult = 0;
            return hookHandled;
        }
        break;
    }
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        if (hWnd != NULL && hWnd == m_hwndHookedChild && GetSafeHwnd() != NULL)
            PostMessage(WM_TIMER, TIMERID_MDIREFRESH, 0);
        break;
    case WM_MDICREATE:
    case WM_MDIDESTROY:
    case WM_MDIACTIVATE:
        if (GetSafeHwnd() != NULL)
            PostMessage(WM_TIMER, TIMERID_MDIREFRESH, 0);
        break;
    case WM_MDISETMENU:
        if (IsVisible()) {
            if ((m_dwFlags & tkpFlagIgnoreSetMenuMessage) == 0) {
                HMENU hMenu = wParam != 0 ? reinterpret_cast<HMENU>(wParam) : m_hMenuFrame;
                if (hMenu != NULL)
                    SwitchMenu(hMenu);
            }
            if (hSite != NULL)
                ::SetMenu(hSite, NULL);
            RefreshMdiState();
            wParam = 0;
            lResult = 0;
            return hookHandled;
        }
        if (hSite != NULL && ::GetMenu(hSite) == NULL) {
            wParam = 0;
            lResult = 0;
            return hookHandled;
        }
        break;
    }
    return CTKPToolBar::OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
}

void CTKPMenuBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMERID_MDIREFRESH)
        RefreshMdiState();
    CTKPToolBar::OnTimer(nIDEvent);
}

// --- MDI ----------------------------------------------------------------------------------------

HWND CTKPMenuBar::GetActiveMdiChild(BOOL* pbMaximized) const
{
    if (pbMaximized != NULL)
        *pbMaximized = FALSE;
    if (!m_bMdiFrame || m_hWndMdiClient == NULL || !::IsWindow(m_hWndMdiClient))
        return NULL;
    BOOL bMaximized = FALSE;
    HWND hChild = reinterpret_cast<HWND>(
        ::SendMessageW(m_hWndMdiClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&bMaximized)));
    if (pbMaximized != NULL)
        *pbMaximized = hChild != NULL && bMaximized;
    return hChild;
}

void CTKPMenuBar::SyncActiveMdiChild()
{
    HWND hChild = GetActiveMdiChild();
    if (hChild == m_hwndHookedChild)
        return;
    if (m_hwndHookedChild != NULL)
        CTKPWindowHookManager::GetInstance()->RemoveHook(m_hwndHookedChild, this);
    m_hwndHookedChild = hChild;
    if (hChild != NULL)
        CTKPWindowHookManager::GetInstance()->SetHook(hChild, this);
}

void CTKPMenuBar::RefreshMdiState()
{
    SyncActiveMdiChild();
    if (IsVisible())
        RefreshMdiControls();
}

CTKPControl* CTKPMenuBar::AddTemporaryControl(CTKPControl* pControl, int nId, LPCTSTR lpszCaption, int nBefore)
{
    CTKPControl* pAdded = m_pControls->Add(pControl, nId, NULL, nBefore, TRUE);
    if (pAdded != NULL && lpszCaption != NULL)
        pAdded->SetCaption(lpszCaption);
    return pAdded;
}

void CTKPMenuBar::RefreshMdiControls()
{
    BOOL bMaximized = FALSE;
    HWND hChild = GetActiveMdiChild(&bMaximized);
    const DWORD dwStyle = hChild != NULL ? static_cast<DWORD>(::GetWindowLongW(hChild, GWL_STYLE)) : 0;
    BOOL bChanged = FALSE;

    // The child's system menu at the left end.
    CTKPControl* pSysMenu = m_pControls->FindControl(ID_MDI_SYSMENU);
    if (bMaximized && (m_dwFlags & tkpFlagAddMDISysPopup) != 0) {
        HMENU hSystemMenu = ::GetSystemMenu(hChild, FALSE);
        if (hSystemMenu != NULL && ::IsMenu(hSystemMenu)) {
            CTKPMdiSystemMenuPopup* pPopup =
                pSysMenu != NULL && pSysMenu->IsKindOf(RUNTIME_CLASS(CTKPMdiSystemMenuPopup))
                ? static_cast<CTKPMdiSystemMenuPopup*>(pSysMenu)
                : NULL;
            if (pPopup == NULL) {
                pPopup = new CTKPMdiSystemMenuPopup;
                CTKPMdiSystemPopupBar* pBar = new CTKPMdiSystemPopupBar;
                pBar->SetCommandBars(GetCommandBars());
                pPopup->AttachCommandBar(pBar);
                pPopup->SetMdiChild(hChild, hSystemMenu);
                AddTemporaryControl(pPopup, ID_MDI_SYSMENU, L"-", 0);
                bChanged = TRUE;
            } else if (pPopup->GetSystemMenu() != hSystemMenu) {
                pPopup->SetMdiChild(hChild, hSystemMenu);
                bChanged = TRUE;
            }
        }
    } else if (pSysMenu != NULL) {
        m_pControls->Remove(pSysMenu);
        bChanged = TRUE;
    }

    // The Minimize, Restore and Close buttons at the right end.
    struct ButtonRule {
        UINT nID;
        LPCTSTR lpszGlyph;
        BOOL bWanted;
    } rules[] = {
        {ID_MDI_MINIMIZE, L"0", (dwStyle & WS_MINIMIZEBOX) != 0 && (m_dwFlags & 0x100) == 0},
        {ID_MDI_RESTORE, L"2", (dwStyle & WS_MAXIMIZEBOX) != 0 && (m_dwFlags & 0x200) == 0},
        {ID_MDI_CLOSE, L"r", (m_dwFlags & 0x1000) == 0},
    };
    for (const ButtonRule& rule : rules) {
        CTKPControl* pButton = m_pControls->FindControl(rule.nID);
        if (pButton == NULL && bMaximized && rule.bWanted) {
            CTKPMdiButton* pNew = new CTKPMdiButton;
            AddTemporaryControl(pNew, rule.nID, rule.lpszGlyph, -1);
            bChanged = TRUE;
        } else if (pButton != NULL && !bMaximized) {
            m_pControls->Remove(pButton);
            bChanged = TRUE;
        }
    }
    if (bChanged)
        OnRecalcLayout();
}

// --- Switching menus ----------------------------------------------------------------------------

CTKPControls* CTKPMenuBar::CreateControlsFromMenu(HMENU hMenu)
{
    CTKPControls* pControls = new CTKPControls;
    pControls->SetCommandBars(GetCommandBars());
    CMenu menu;
    menu.Attach(hMenu);
    pControls->LoadMenu(&menu);
    menu.Detach();
    return pControls;
}

void CTKPMenuBar::SwitchMenu(HMENU hMenu)
{
    CTKPCommandBars* pCommandBars = GetCommandBars();
    UINT nID = pCommandBars != NULL ? pCommandBars->GetActiveMenuId() : 0;
    if (hMenu != NULL && hMenu == m_hMenuFrame)
        nID = m_nDefaultMenuID;
    if (nID == 0 || m_nCurrentMenuID == 0 || m_nCurrentMenuID == nID)
        return;
    if (hMenu == NULL || !::IsMenu(hMenu) || ::GetMenuItemCount(hMenu) <= 0)
        return;

    CMenu menu;
    if (pCommandBars == NULL || !pCommandBars->IsCustomizeAvail()) {
        // No customisation kept: the controls are made afresh for every menu.
        menu.Attach(hMenu);
        LoadMenu(&menu, TRUE);
        menu.Detach();
        OnRecalcLayout();
        m_nCurrentMenuID = nID;
        return;
    }

    CTKPControls* pOld = NULL;
    if (m_mapMenus.Lookup(m_nCurrentMenuID, pOld)) {
        pOld->InternalRelease();
        m_mapMenus.RemoveKey(m_nCurrentMenuID);
    }
    // The current set is kept under its menu and leaves the bar.
    m_pControls->InternalAddRef();
    m_mapMenus.SetAt(m_nCurrentMenuID, m_pControls);

    CTKPControls* pStored = NULL;
    if (m_mapMenus.Lookup(nID, pStored)) {
        m_mapMenus.RemoveKey(nID);
        if (pStored->GetSavedCopy() == NULL)
            pStored->SetSavedCopy(CreateControlsFromMenu(hMenu));
        SetControls(pStored);
    } else {
        CTKPControls* pNew = CreateControlsFromMenu(hMenu);
        pNew->CreateSavedCopy();
        SetControls(pNew);
    }
    OnRecalcLayout();
    m_nCurrentMenuID = nID;
}

void CTKPMenuBar::FreeStoredMenus()
{
    if (!m_mapMenus.IsEmpty() && m_hMenuFrame != NULL) {
        SwitchMenu(m_hMenuFrame);
        m_bPendingMenuUpdate = TRUE;
    }
    POSITION pos = m_mapMenus.GetStartPosition();
    while (pos != NULL) {
        UINT nID;
        CTKPControls* pControls;
        m_mapMenus.GetNextAssoc(pos, nID, pControls);
        if (!pControls->IsChanged()) {
            pControls->InternalRelease();
            m_mapMenus.RemoveKey(nID);
        }
    }
    if (m_mapMenus.IsEmpty())
        m_mapMenus.RemoveAll();
}

int CTKPMenuBar::GetMenuItemText(CMenu* pMenu, UINT nItem, CString& rText, UINT nFlags) const
{
    rText.Empty();
    if (pMenu == NULL)
        return 0;
    const int nLength = ::GetMenuStringW(pMenu->GetSafeHmenu(), nItem, NULL, 0, nFlags);
    if (nLength <= 0)
        return 0;
    LPWSTR pBuffer = rText.GetBuffer(nLength + 1);
    ::GetMenuStringW(pMenu->GetSafeHmenu(), nItem, pBuffer, nLength + 1, nFlags);
    rText.ReleaseBuffer();
    return rText.GetLength();
}

// --- Copies and reset ---------------------------------------------------------------------------

void CTKPMenuBar::Copy(CTKPCommandBar* pSource, BOOL bRecursive)
{
    CTKPToolBar::Copy(pSource, bRecursive);
    if (pSource == NULL || !pSource->IsKindOf(RUNTIME_CLASS(CTKPMenuBar)))
        return;
    CTKPMenuBar* pMenuBar = static_cast<CTKPMenuBar*>(pSource);
    ReleaseStoredMenus();
    POSITION pos = pMenuBar->m_mapMenus.GetStartPosition();
    while (pos != NULL) {
        UINT nID;
        CTKPControls* pControls;
        pMenuBar->m_mapMenus.GetNextAssoc(pos, nID, pControls);
        CTKPControls* pCopy = pControls->Duplicate(bRecursive);
        if (pCopy != NULL)
            m_mapMenus.SetAt(nID, pCopy);
    }
}

CTKPCommandBar* CTKPMenuBar::Clone(BOOL bRecursive)
{
    CTKPMenuBar* pClone = new CTKPMenuBar;
    pClone->SetCommandBars(m_pCommandBars);
    pClone->Copy(this, bRecursive);
    return pClone;
}

void CTKPMenuBar::ResetToolBar()
{
    // The user is asked once: by the toolbar's own reset when it restores the saved copy, else here.
    BOOL bAsked = FALSE;
    if (m_mapMenus.IsEmpty() && m_pControls->GetSavedCopy() != NULL && CanResetToolBar()) {
        CTKPToolBar::ResetToolBar();
        bAsked = TRUE;
    }
    if (!bAsked && m_nCurrentMenuID != 0) {
        CString strFormat, strQuestion;
        GetResourceManager()->LoadString(&strFormat, TKP_IDS_CONFIRM_RESET);
        strQuestion.Format(strFormat, static_cast<LPCTSTR>(GetTitle()));
        if (GetResourceManager()->ShowMessageBox(strQuestion, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK) {
            HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(m_nCurrentMenuID), RT_MENU);
            HMENU hMenu = ::LoadMenuW(hInst, MAKEINTRESOURCE(m_nCurrentMenuID));
            if (hMenu != NULL) {
                CMenu menu;
                menu.Attach(hMenu);
                LoadMenu(&menu, TRUE);
                menu.DestroyMenu();
            }
        }
    }
    RefreshMdiState();
    OnIdleUpdateCmdUI(TRUE, 0);
    OnRecalcLayout();
}
