#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/TabClientWnd.h"

#include "classlib/win/CDocTemplate.h"
#include "classlib/win/CDocument.h"
#include "classlib/win/CFrameWnd.h"
#include "classlib/win/CMDIFrameWnd.h"
#include "classlib/win/CWinApp.h"
#include "toolkit/base/ColorManager.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/base/PropExchangeRegistry.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/DockBar.h"
#include "toolkit/commandbars/FrameWnd.h"
#include "toolkit/commandbars/KeyBindings.h"
#include "toolkit/commandbars/MenuBar.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/PopupBar.h"
#include "toolkit/commandbars/ReBar.h"
#include "toolkit/commandbars/RefHolder.h"
#include "toolkit/commandbars/SoundPlayer.h"
#include "toolkit/commandbars/ToolBar.h"
#include "toolkit/commandbars/ToolTipManager.h"
#include "toolkit/commandbars/customize/CustomizeDropSource.h"

IMPLEMENT_DYNCREATE(CTKPCommandBars, CCmdTarget)

CRuntimeClass* CTKPCommandBars::m_pToolBarClass = RUNTIME_CLASS(CTKPToolBar);
CRuntimeClass* CTKPCommandBars::m_pMenuBarClass = RUNTIME_CLASS(CTKPMenuBar);
CRuntimeClass* CTKPCommandBars::m_pPopupBarClass = RUNTIME_CLASS(CTKPPopupBar);

namespace {

// Takes a half-made bar out of its dock bar, destroys its window and releases it.
void DiscardBar(CTKPToolBar* pBar)
{
    if (pBar->GetDockBar() != NULL)
        pBar->GetDockBar()->RemoveCommandBar(pBar);
    if (pBar->GetSafeHwnd() != NULL)
        pBar->DestroyWindow();
    pBar->InternalRelease();
}

CTKPToolBar* CreateToolBarObject(CRuntimeClass* pClass)
{
    if (pClass == NULL || !pClass->IsDerivedFrom(RUNTIME_CLASS(CTKPToolBar)))
        return NULL;
    return static_cast<CTKPToolBar*>(pClass->CreateObject());
}

}  // namespace

CTKPCommandBars::CTKPCommandBars()
    : m_bIgnoreShiftMenuKey(FALSE), m_pDropSource(NULL), m_pPaintManager(NULL), m_pImageManager(NULL),
      m_pDragSelected(NULL), m_bCustomizeMode(FALSE), m_bCustomizeMode2(FALSE), m_bCustomizeAvail(FALSE),
      m_nMenuResourceId(0), m_pOptions(NULL), m_pFrame(NULL), m_pMenuBar(NULL), m_pToolTipManager(NULL),
      m_pMouseTracker(NULL), m_bKeyboardCuesVisible(TRUE), m_pKeyBindings(NULL), m_bRecalcLayout(FALSE),
      m_bUseKeyboardCues(FALSE), m_bRightToLeft(FALSE), m_pCustomizeDialog(NULL)
{
    EnableAutomation();
    for (CTKPDockBar*& pDock : m_pDocks)
        pDock = NULL;
    m_pOptions = new CTKPBarOptions;
    m_pOptions->m_pCommandBars = this;
    m_pKeyBindings = new CTKPKeyBindings(this);
    m_pToolTipManager = new CTKPToolTipManager;
    m_pToolTipManager->ModifyTipFlags(TTS_NOPREFIX, 0);
    m_pDropSource = new CTKPCustomizeDropSource(this);
}

CTKPCommandBars::~CTKPCommandBars()
{
    if (m_pDragSelected != NULL)
        m_pDragSelected->InternalRelease();
    m_pDragSelected = NULL;

    CArray<CTKPCommandBar*, CTKPCommandBar*> arrBars;
    arrBars.Copy(m_arrBars);
    m_arrBars.RemoveAll();
    m_pMenuBar = NULL;
    for (INT_PTR i = 0; i < arrBars.GetSize(); ++i) {
        CTKPCommandBar* pBar = arrBars[i];
        if (pBar->IsKindOf(RUNTIME_CLASS(CTKPToolBar)))
            static_cast<CTKPToolBar*>(pBar)->SetDockBar(NULL);
        pBar->InternalRelease();
    }
    for (CTKPDockBar*& pDock : m_pDocks) {
        if (pDock != NULL) {
            if (pDock->GetSafeHwnd() != NULL)
                pDock->DestroyWindow();
            delete pDock;
            pDock = NULL;
        }
    }
    delete m_pDropSource;
    m_pDropSource = NULL;
    if (m_pPaintManager != NULL)
        m_pPaintManager->InternalRelease();
    if (m_pImageManager != NULL)
        m_pImageManager->InternalRelease();
    if (m_pToolTipManager != NULL)
        m_pToolTipManager->InternalRelease();
    if (m_pKeyBindings != NULL)
        m_pKeyBindings->InternalRelease();
    if (m_pOptions != NULL)
        m_pOptions->InternalRelease();
    CTKPSoundPlayerStop();
}

// --- Creation and the frame ---------------------------------------------------------------------

void CTKPCommandBars::AttachToFrame(CWnd* pFrame)
{
    m_pFrame = pFrame;
    if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL) {
        AFX_CMDHANDLERINFO info;
        info.pTarget = NULL;
        m_bCustomizeAvail = pFrame->OnCmdMsg(TKP_ID_CUSTOMIZE, CN_COMMAND, NULL, &info);
    }
}

void CTKPCommandBars::CreateDockBars()
{
    static const struct {
        UINT nID;
        DWORD dwStyle;
    } kDocks[4] = {{AFX_IDW_DOCKBAR_TOP, 0x2800}, {AFX_IDW_DOCKBAR_BOTTOM, 0x8200}, {AFX_IDW_DOCKBAR_LEFT, 0x1400},
        {AFX_IDW_DOCKBAR_RIGHT, 0x4100}};
    for (int i = 0; i < 4; ++i) {
        if (m_pDocks[i] != NULL)
            continue;
        CTKPDockBar* pDock = new CTKPDockBar(this);
        if (!pDock->Create(m_pFrame, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | kDocks[i].dwStyle,
                kDocks[i].nID)) {
            delete pDock;
            AfxThrowResourceException();
        }
        m_pDocks[i] = pDock;
    }
}

CTKPDockBar* CTKPCommandBars::GetDockBar(int nPosition) const
{
    return nPosition >= 0 && nPosition < 4 ? m_pDocks[nPosition] : NULL;
}

CTKPMenuBar* CTKPCommandBars::CreateMenuBar(LPCTSTR lpszName, UINT nID)
{
    CTKPToolBar* pBar = CreateToolBarObject(m_pMenuBarClass);
    if (pBar == NULL)
        return NULL;
    pBar->SetCommandBars(this);
    pBar->EnableBarDocking(0x5F);
    pBar->SetTitle(lpszName);
    pBar->SetStateFlags(pBar->GetStateFlags() & ~CTKPCommandBar::stateRedrawPending);
    if (pBar->GetSafeHwnd() != NULL)
        pBar->Invalidate(FALSE);
    pBar->SetBarID(1);
    if (!pBar->SetPosition(tkpBarTop) || !pBar->LoadMenuBar(nID)) {
        // Discarded whole: the bar may already be docked, and deleting it alone would leave its dock
        // bar's entry and its window behind, pointing at nothing.
        DiscardBar(pBar);
        return NULL;
    }
    if (nID != 0) {
        pBar->GetControls()->CreateSavedCopy();
        m_nMenuResourceId = nID;
    }
    m_arrBars.Add(pBar);
    m_pMenuBar = static_cast<CTKPMenuBar*>(pBar);
    return m_pMenuBar;
}

CTKPToolBar* CTKPCommandBars::CreateToolBar(LPCTSTR lpszName, int nPosition, CRuntimeClass* pToolbarClass)
{
    CTKPToolBar* pBar = CreateToolBarObject(pToolbarClass != NULL ? pToolbarClass : m_pToolBarClass);
    if (pBar == NULL)
        return NULL;
    pBar->SetCommandBars(this);
    pBar->EnableBarDocking(0x3F);
    pBar->SetTitle(lpszName);
    if (!pBar->SetPosition(nPosition)) {
        DiscardBar(pBar);
        return NULL;
    }
    m_arrBars.Add(pBar);
    return pBar;
}

CTKPToolBar* CTKPCommandBars::AddCustomBar(LPCTSTR lpszTitle, UINT nBarID, BOOL bTearOffBar)
{
    CTKPToolBar* pBar = CreateToolBarObject(m_pToolBarClass);
    if (pBar == NULL)
        return NULL;
    pBar->SetCommandBars(this);
    if (m_pFrame != NULL && m_pFrame->GetSafeHwnd() != NULL) {
        TKPCREATEBARSTRUCT cs;
        memset(&cs, 0, sizeof(cs));
        cs.pCommandBar = pBar;
        cs.bCustomBar = TRUE;
        cs.bTearOffBar = bTearOffBar;
        cs.lpcstrCaption = lpszTitle;
        cs.nID = nBarID;
        ::SendMessageW(m_pFrame->GetSafeHwnd(), TKPM_CREATECOMMANDBAR, 0, (LPARAM)&cs);
    }
    if (pBar->GetDockContext() == NULL)
        pBar->EnableBarDocking(0x3F);
    pBar->SetTitle(lpszTitle);
    if (!pBar->SetPosition(bTearOffBar ? tkpBarFloating : tkpBarTop)) {
        DiscardBar(pBar);
        return NULL;
    }
    m_arrBars.Add(pBar);
    pBar->SetBarID(nBarID);
    pBar->SetBuiltIn(FALSE);
    pBar->SetTearOff(bTearOffBar);
    if (pBar->GetDockBar() != NULL)
        RecalcFrameLayout(FALSE);
    AddBarToReBar(pBar);
    return pBar;
}

void CTKPCommandBars::Remove(CTKPCommandBar* pBar)
{
    const int nIndex = FindIndex(pBar);
    if (nIndex == -1)
        return;
    if (pBar->GetSafeHwnd() != NULL)
        pBar->ShowWindow(SW_HIDE);
    pBar->m_bVisible = FALSE;
    if (pBar->IsKindOf(RUNTIME_CLASS(CTKPToolBar))) {
        CTKPToolBar* pToolBar = static_cast<CTKPToolBar*>(pBar);
        if (pToolBar->GetDockBar() != NULL) {
            pToolBar->GetDockBar()->RemoveCommandBar(pToolBar);
            RecalcFrameLayout(FALSE);
        }
        RemoveBarFromReBar(pToolBar);
    }
    m_arrBars.RemoveAt(nIndex);
    if ((CTKPCommandBar*)reinterpret_cast<CTKPToolBar*>(m_pMenuBar) == pBar)
        m_pMenuBar = NULL;
    pBar->InternalRelease();
}

CTKPCommandBar* CTKPCommandBars::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return NULL;
    return m_arrBars[nIndex];
}

CTKPToolBar* CTKPCommandBars::GetToolBar(UINT nID) const
{
    if (nID == 0)
        return NULL;
    for (int i = 0; i < GetCount(); ++i) {
        CTKPCommandBar* pBar = m_arrBars[i];
        if (pBar->GetBarID() == nID && pBar->IsKindOf(RUNTIME_CLASS(CTKPToolBar)))
            return static_cast<CTKPToolBar*>(pBar);
    }
    return NULL;
}

int CTKPCommandBars::FindIndex(CTKPCommandBar* pBar) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_arrBars[i] == pBar)
            return i;
    }
    return -1;
}

int CTKPCommandBars::GetNextVisibleBar(int nIndex, int nDirection) const
{
    const int n = GetCount();
    if (n == 0)
        return -1;
    // A step of 0 stays at the start; a start outside the list has no bar to stay at.
    if (nDirection == 0)
        return nIndex >= 0 && nIndex < n ? nIndex : -1;
    int i = (nIndex == -1 && nDirection < 0) ? n - 1 : nIndex + nDirection;
    int nWraps = 0;
    for (int nGuard = 0; nGuard <= 2 * n + 2; ++nGuard) {
        if (i >= n || i < 0) {
            if (nIndex == -1 || ++nWraps > 1)
                return -1;
            i = i >= n ? 0 : n - 1;
        }
        if (i == nIndex)
            return nIndex;
        if (m_arrBars[i]->IsVisible())
            return i;
        i += nDirection;
    }
    return -1;
}

void CTKPCommandBars::ToggleBarVisible(int nIndex)
{
    CTKPCommandBar* pBar = GetAt(nIndex);
    if (pBar != NULL)
        pBar->SetVisible(!pBar->IsVisible());
}

// --- Docking ------------------------------------------------------------------------------------

CTKPDockBar* CTKPCommandBars::CanDock(CPoint pt, CTKPDockBar* pDockBar) const
{
    CTKPDockBar* candidates[5] = {pDockBar, m_pDocks[0], m_pDocks[1], m_pDocks[2], m_pDocks[3]};
    for (CTKPDockBar* pCandidate : candidates) {
        if (pCandidate == NULL || pCandidate->GetSafeHwnd() == NULL)
            continue;
        CRect rc;
        pCandidate->GetWindowRect(&rc);
        rc.InflateRect(20, 20);
        if (pt.x > rc.left && pt.x < rc.right && pt.y > rc.top && pt.y < rc.bottom)
            return pCandidate;
    }
    return NULL;
}

BOOL CTKPCommandBars::DockCommandBar(CTKPToolBar* pBar, LPRECT lpRect, CTKPDockBar* pDockBar)
{
    if (pBar == NULL || pDockBar == NULL || !pBar->CreateBarWindow(m_pFrame, FALSE))
        return FALSE;
    pDockBar->DockCommandBar(pBar, lpRect);
    pBar->m_barPosition = pDockBar->GetPosition();
    return TRUE;
}

BOOL CTKPCommandBars::DockCommandBar(CTKPToolBar* pBar, int nPosition)
{
    return DockCommandBar(pBar, NULL, GetDockBar(nPosition));
}

BOOL CTKPCommandBars::FloatCommandBar(CTKPToolBar* pBar)
{
    if (pBar == NULL || !pBar->CreateBarWindow(m_pFrame, TRUE))
        return FALSE;
    if (pBar->GetDockBar() != NULL)
        pBar->GetDockBar()->RemoveCommandBar(pBar);
    pBar->SetDockBar(NULL);
    pBar->m_barPosition = tkpBarFloating;
    return TRUE;
}

// --- Layout -------------------------------------------------------------------------------------

void CTKPCommandBars::RecalcFrameLayout(BOOL bDelay)
{
    if (m_bRecalcLayout || m_pFrame == NULL || m_pFrame->GetSafeHwnd() == NULL)
        return;
    if (m_pFrame->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        CFrameWnd* pFrame = static_cast<CFrameWnd*>(m_pFrame);
        if (bDelay)
            pFrame->DelayRecalcLayout(FALSE);
        else
            pFrame->RecalcLayout(FALSE);
        return;
    }
    CRect rc;
    m_pFrame->GetClientRect(&rc);
    const LPARAM lSize = MAKELPARAM(rc.Width(), rc.Height());
    if (bDelay)
        m_pFrame->PostMessage(WM_SIZE, 0, lSize);
    else
        m_pFrame->SendMessage(WM_SIZE, 0, lSize);
}

void CTKPCommandBars::IdleRecalcFrameLayout()
{
    if (m_pFrame == NULL || !m_pFrame->IsKindOf(RUNTIME_CLASS(CFrameWnd)) || m_pFrame->GetSafeHwnd() == NULL)
        return;
    CFrameWnd* pFrame = static_cast<CFrameWnd*>(m_pFrame);
    if (pFrame->m_nIdleFlags & CFrameWnd::idleLayout) {
        pFrame->RecalcLayout(FALSE);
        pFrame->m_nIdleFlags &= ~CFrameWnd::idleLayout;
    }
}

void CTKPCommandBars::RecalcCommandBarsLayout()
{
    m_bRecalcLayout = TRUE;
    for (int i = 0; i < GetCount(); ++i) {
        if (m_arrBars[i]->IsVisible())
            m_arrBars[i]->OnRecalcLayout();
    }
    // A tab client over the frame's MDI client takes its new look while the layout is locked, so that
    // the one frame layout below places it.
    CMDIFrameWnd* pMdiFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pFrame);
    CWnd* pClient = pMdiFrame != NULL && pMdiFrame->GetSafeHwnd() != NULL
        ? CWnd::FromHandlePermanent(pMdiFrame->m_hWndMDIClient)
        : NULL;
    if (pClient != NULL && pClient->IsKindOf(RUNTIME_CLASS(CTKPTabClientWnd)))
        static_cast<CTKPTabClientWnd*>(pClient)->Refresh(TRUE);
    m_bRecalcLayout = FALSE;
    RecalcFrameLayout(FALSE);
}

void CTKPCommandBars::RedrawCommandBars()
{
    for (int i = 0; i < GetCount(); ++i) {
        CTKPCommandBar* pBar = m_arrBars[i];
        if (!pBar->IsVisible())
            continue;
        pBar->SetStateFlags(pBar->GetStateFlags() & ~CTKPCommandBar::stateRedrawPending);
        if (pBar->GetRedrawLock() == 0 && pBar->GetSafeHwnd() != NULL)
            pBar->Invalidate(FALSE);
    }
}

// --- Frame hooks --------------------------------------------------------------------------------

BOOL CTKPCommandBars::OnFrameWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_IDLEUPDATECMDUI:
        for (int i = 0; i < GetCount(); ++i) {
            if (m_arrBars[i]->GetPosition() == tkpBarFloating)
                m_arrBars[i]->OnIdleUpdateCmdUI((BOOL)wParam, 0);
        }
        return FALSE;
    case WM_SYSCOLORCHANGE:
        GetColorManager()->RefreshColors();
        GetPaintManager()->RefreshColorsAndFonts();
        GetImageManager()->RefreshAll();
        RecalcFrameLayout(FALSE);
        if (m_pFrame != NULL && m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return FALSE;
    case WM_SETTINGCHANGE:
        GetPaintManager()->RefreshColorsAndFonts();
        RecalcFrameLayout(FALSE);
        if (m_pFrame != NULL && m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return FALSE;
    case WM_CLOSE:
        return m_pCustomizeDialog != NULL && m_pCustomizeDialog->GetSafeHwnd() != NULL;
    case WM_COMMAND: {
        HWND hWndFocus = ::GetFocus();
        if (hWndFocus != NULL && CTKPFrameWnd::IsCommandBarEdit(hWndFocus)) {
            CWnd* pEdit = CWnd::FromHandlePermanent(hWndFocus);
            if (pEdit != NULL && pEdit->OnCommand(wParam, lParam)) {
                if (pResult != NULL)
                    *pResult = 1;
                return TRUE;
            }
        }
        return FALSE;
    }
    case WM_ACTIVATEAPP:
        if (wParam == 0)
            ClosePopups();
        return FALSE;
    case WM_SYSCOMMAND:
        if (wParam == SC_KEYMENU || (wParam != 0 && LOWORD(wParam) == 0))
            return FALSE;
        if (!m_bCustomizeMode)
            ClosePopups();
        return FALSE;
    }
    return FALSE;
}

void CTKPCommandBars::SetPreviewMode(BOOL bPreview)
{
    m_pKeyBindings->Suspend(bPreview);
    for (int i = 0; i < GetCount(); ++i) {
        if (m_arrBars[i]->IsKindOf(RUNTIME_CLASS(CTKPToolBar)))
            static_cast<CTKPToolBar*>(m_arrBars[i])->OnSetPreviewMode(bPreview);
    }
}

// --- Shared services ----------------------------------------------------------------------------

CTKPCommandBarsTheme* CTKPCommandBars::GetPaintManager() const
{
    return m_pPaintManager != NULL ? m_pPaintManager : CTKPCommandBarsTheme::GetGlobalTheme();
}

void CTKPCommandBars::SetPaintManager(CTKPCommandBarsTheme* pPaintManager)
{
    CTKPCommandBarsTheme* pOld = m_pPaintManager;
    m_pPaintManager = pPaintManager;
    if (pOld != NULL && pOld != pPaintManager)
        pOld->InternalRelease();
}

CTKPImageManager* CTKPCommandBars::GetImageManager() const
{
    return m_pImageManager != NULL ? m_pImageManager : TKPGetImageManager();
}

void CTKPCommandBars::SetImageManager(CTKPImageManager* pImageManager)
{
    CTKPImageManager* pOld = m_pImageManager;
    m_pImageManager = pImageManager;
    if (pOld != NULL && pOld != pImageManager)
        pOld->InternalRelease();
}

CTKPMouseTracker* CTKPCommandBars::GetMouseTracker()
{
    return CTKPMouseTracker::GetThreadTracker();
}

CTKPMouseTracker* CTKPCommandBars::GetMouseTrackerCached()
{
    if (m_pMouseTracker == NULL)
        m_pMouseTracker = CTKPMouseTracker::GetThreadTracker();
    return m_pMouseTracker;
}

BOOL CTKPCommandBars::IsLayoutRTL() const
{
    if (m_pFrame != NULL && m_pFrame->GetSafeHwnd() != NULL && (m_pFrame->GetExStyle() & WS_EX_LAYOUTRTL))
        return TRUE;
    return m_bRightToLeft;
}

CReBar* CTKPCommandBars::GetReBar() const
{
    if (m_pFrame == NULL || m_pFrame->GetSafeHwnd() == NULL)
        return NULL;
    CWnd* pWnd = CWnd::FromHandlePermanent(::GetDlgItem(m_pFrame->GetSafeHwnd(), AFX_IDW_REBAR));
    return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CTKPReBar)) ? static_cast<CReBar*>(pWnd) : NULL;
}

BOOL CTKPCommandBars::AddBarToReBar(CTKPToolBar* pBar)
{
    CTKPReBar* pReBar = static_cast<CTKPReBar*>(GetReBar());
    return pReBar != NULL && pReBar->AddBar(pBar, RBBS_BREAK | RBBS_GRIPPERALWAYS);
}

BOOL CTKPCommandBars::RemoveBarFromReBar(CTKPToolBar* pBar)
{
    CTKPReBar* pReBar = static_cast<CTKPReBar*>(GetReBar());
    if (pReBar == NULL)
        return FALSE;
    if ((CTKPCommandBar*)reinterpret_cast<CTKPToolBar*>(m_pMenuBar) == pBar)
        m_pMenuBar = NULL;
    return pReBar->RemoveBar(pBar);
}

// --- Customizing --------------------------------------------------------------------------------

void CTKPCommandBars::SetCustomizeMode(BOOL bMode)
{
    m_pOptions->bDirty = TRUE;
    m_bCustomizeMode = m_bCustomizeMode2 = bMode;
    SetDragControl(NULL);
    ShowKeyboardCues(bMode);
}

void CTKPCommandBars::SetDragControl(CTKPControl* pControl)
{
    if (pControl != m_pDragSelected) {
        CTKPControl* pOld = m_pDragSelected;
        m_pDragSelected = NULL;
        if (pOld != NULL) {
            if (pOld->GetParent() != NULL && pOld->GetParent()->GetSafeHwnd() != NULL)
                pOld->GetParent()->Invalidate(FALSE);
            pOld->InternalRelease();
        }
        m_pDragSelected = pControl;
        if (pControl != NULL) {
            pControl->InternalAddRef();
            if (pControl->GetParent() != NULL && pControl->GetParent()->GetSafeHwnd() != NULL)
                pControl->GetParent()->Invalidate(FALSE);
        }
    }
    CWnd* pTarget = m_pCustomizeDialog != NULL ? m_pCustomizeDialog : m_pFrame;
    if (pTarget != NULL && pTarget->GetSafeHwnd() != NULL)
        ::SendMessageW(pTarget->GetSafeHwnd(), TKPM_CUSTOMIZESELCHANGED, 0, 0);
}

// --- Menus of MDI frames ------------------------------------------------------------------------

UINT CTKPCommandBars::GetActiveMenuId()
{
    CMDIFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pFrame);
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
        return 0;
    CMDIChildWnd* pChild = pFrame->MDIGetActive();
    if (pChild == NULL)
        return m_nMenuResourceId;
    if (pChild->GetActiveDocument() != NULL) {
        CDocTemplate* pTemplate = GetActiveDocTemplate(pChild);
        return pTemplate != NULL ? pTemplate->m_nIDResource : 0;
    }
    return pChild->m_nIDHelp;
}

CDocTemplate* CTKPCommandBars::GetActiveDocTemplate(CMDIChildWnd* pChild)
{
    CDocument* pDocument = pChild != NULL ? pChild->GetActiveDocument() : NULL;
    if (pDocument == NULL)
        return NULL;
    // A child loaded from another resource than its document's template (a second view of the
    // document) shows the menu of the template made from that resource.
    CDocTemplate* pTemplate = pDocument->GetDocTemplate();
    const UINT nChildId = pChild->m_nIDHelp;
    if (pTemplate != NULL && (nChildId == 0 || pTemplate->m_nIDResource == nChildId))
        return pTemplate;
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return NULL;
    POSITION pos = pApp->GetFirstDocTemplatePosition();
    while (pos != NULL) {
        CDocTemplate* pOther = pApp->GetNextDocTemplate(pos);
        if (pOther != NULL && pOther->m_nIDResource == nChildId)
            return pOther;
    }
    return NULL;
}

// --- Options in the profile ---------------------------------------------------------------------

namespace {

// The options under "<profile>-Options" of the application's registry key, loaded or saved.
void ExchangeOptions(CTKPBarOptions* pOptions, LPCTSTR lpszProfileName, BOOL bLoading)
{
    CWinApp* pApp = AfxGetApp();
    HKEY hKey = pApp != NULL ? pApp->GetAppRegistryKey() : NULL;
    if (hKey == NULL)
        return;
    CString strSection;
    strSection.Format(L"%s-Options", lpszProfileName);
    // Options never saved stay as the program set them before loading: reading the defaults of an
    // absent section would undo its start-up choices (its animation, its short menus) every time.
    HKEY hSection = NULL;
    if (bLoading && ::RegOpenKeyExW(hKey, strSection, 0, KEY_READ, &hSection) != ERROR_SUCCESS) {
        ::RegCloseKey(hKey);
        return;
    }
    if (hSection != NULL)
        ::RegCloseKey(hSection);
    {
        CTKPPropExchangeRegistry px(bLoading, hKey, strSection);
        pOptions->DoPropExchange(&px, TRUE);
    }
    ::RegCloseKey(hKey);
}

}  // namespace

void CTKPCommandBars::SaveOptions(LPCTSTR lpszProfileName)
{
    ExchangeOptions(m_pOptions, lpszProfileName, FALSE);
}

void CTKPCommandBars::LoadOptions(LPCTSTR lpszProfileName)
{
    ExchangeOptions(m_pOptions, lpszProfileName, TRUE);
}
