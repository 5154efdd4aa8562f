#include "toolkit/commandbars/CommandBar.h"

#include "classlib/win/CFrameWnd.h"
#include "classlib/win/CMenu.h"
#include "classlib/win/CMiniFrameWnd.h"
#include "classlib/win/CToolBar.h"
#include "classlib/win/CWinApp.h"
#include "classlib/win/WindowDCs.h"
#include "toolkit/base/BufferedDC.h"
#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/KeyboardTracker.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/RefHolder.h"
#include "toolkit/commandbars/ToolTipManager.h"
#include "toolkit/commandbars/WindowHookManager.h"
#include "toolkit/commandbars/customize/CustomizeDropSource.h"

#include <vector>

IMPLEMENT_SERIAL(CTKPCommandBar, CWnd, VERSIONABLE_SCHEMA | 16)

BEGIN_MESSAGE_MAP(CTKPCommandBar, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_MESSAGE(WM_PRINT, OnPrint)
ON_WM_ERASEBKGND()
ON_WM_MOUSEMOVE()
ON_WM_NCMOUSEMOVE()
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONUP()
ON_WM_NCHITTEST()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCACTIVATE()
ON_WM_NCCREATE()
ON_WM_TIMER()
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUIMessage)
ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdate)
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

CTKPCommandBar::CTKPCommandBar()
    : m_bHideCaret(TRUE), m_nMRUWidth(32767), m_nSelected(-1), m_nPopuped(-1), m_hwndCaret(NULL), m_nBarID(0),
      m_bVisible(TRUE), m_nTrackingMode(trackingNone), m_pOwner(NULL), m_nStateFlags(0), m_dwFlags(0), m_dwStyle(0),
      m_barType(tkpBarTypeNormal), m_pControls(NULL), m_barPosition(tkpBarNone), m_pCommandBars(NULL), m_pSite(NULL),
      m_szIcons(0, 0), m_szButtons(0, 0), m_nTextBelowIcons(2), m_bRightButtonTracking(FALSE), m_bNoNotify(FALSE),
      m_bNestedTracking(FALSE), m_nLockCounter(0), m_bKeyboardSelect(FALSE), m_bCloseable(FALSE), m_bCustomizable(TRUE),
      m_rcMarker(0, 0, 0, 0), m_bVerticalMarker(FALSE), m_pReturnCmd(NULL), m_bContextMenuPresent(TRUE),
      m_bTrackingByMouse(FALSE), m_nLockRedraw(0), m_pPaintManager(NULL), m_pImageManager(NULL),
      m_pToolTipContext(NULL), m_nClickedControl(-1)
{
    m_pControls = new CTKPControls;
    m_pControls->SetParent(this);
}

CTKPCommandBar::~CTKPCommandBar()
{
    if (m_nTrackingMode != trackingNone)
        SetTrackingMode(trackingNone, TRUE, FALSE);
    // A bar that is gone leaves every tracker and hooked window it joined.
    CTKPMouseTracker* pMouseTracker = CTKPMouseTracker::GetThreadTracker();
    pMouseTracker->RemoveTrackedBar(this);
    if (pMouseTracker->GetSelectedBar() == this)
        pMouseTracker->SetSelectedBar(NULL);
    CTKPKeyboardTracker::GetThreadTracker()->RemoveHook(this);
    CTKPWindowHookManager::GetInstance()->RemoveHook(this);

    if (m_pControls != NULL) {
        m_pControls->RemoveAll();
        m_pControls->m_pParent = NULL;
        m_pControls->InternalRelease();
        m_pControls = NULL;
    }
    if (m_pPaintManager != NULL)
        m_pPaintManager->InternalRelease();
    if (m_pImageManager != NULL)
        m_pImageManager->InternalRelease();
    if (m_pToolTipContext != NULL)
        m_pToolTipContext->InternalRelease();
}

void CTKPCommandBar::OnFinalRelease()
{
    if (GetSafeHwnd() != NULL)
        DestroyWindow();
    CWnd::OnFinalRelease();
}

BOOL CTKPCommandBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_pToolTipContext != NULL)
        static_cast<CTKPToolTipManager*>(m_pToolTipContext)->FilterWindowMessage(this, message, wParam, lParam);
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

// --- Window lifetime ----------------------------------------------------------------------------

int CTKPCommandBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL) {
        if (m_barPosition != tkpBarListBox && pCommandBars->GetDropSource() != NULL)
            pCommandBars->GetDropSource()->RegisterTarget(this);
        CTKPToolTipManager* pToolTips = pCommandBars->GetToolTipManager();
        if (pToolTips != NULL && pToolTips != m_pToolTipContext) {
            pToolTips->InternalAddRef();
            if (m_pToolTipContext != NULL)
                m_pToolTipContext->InternalRelease();
            m_pToolTipContext = pToolTips;
        }
    } else if (m_barType != tkpBarTypePopup) {
        EnableToolTips(TRUE);
    }
    return 0;
}

void CTKPCommandBar::OnDestroy()
{
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (m_barPosition != tkpBarListBox && pCommandBars != NULL && pCommandBars->GetDropSource() != NULL)
        pCommandBars->GetDropSource()->UnregisterTarget(this);
    if (m_nTrackingMode != trackingNone)
        SetTrackingMode(trackingNone, TRUE, FALSE);
    CWnd::OnDestroy();
}

// --- Identity, controls, services ---------------------------------------------------------------

void CTKPCommandBar::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle != NULL ? lpszTitle : L"";
    if (GetSafeHwnd() != NULL)
        SetWindowText(m_strTitle);
}

void CTKPCommandBar::SetControls(CTKPControls* pControls)
{
    CTKPControls* pOld = m_pControls;
    m_pControls = pControls;
    if (pOld != NULL && pOld != pControls) {
        if (pOld->m_pParent == this)
            pOld->m_pParent = NULL;
        pOld->InternalRelease();
    }
    if (m_pControls != NULL)
        m_pControls->SetParent(this);
    OnControlsChanged();
}

CTKPControl* CTKPCommandBar::GetControl(int nIndex) const
{
    return m_pControls != NULL ? m_pControls->GetAt(nIndex) : NULL;
}

int CTKPCommandBar::GetControlCount() const
{
    return m_pControls != NULL ? m_pControls->GetCount() : 0;
}

CTKPCommandBar* CTKPCommandBar::FindBar(CArray<CTKPCommandBar*, CTKPCommandBar*>& arrBars, UINT nID)
{
    for (INT_PTR i = 0; i < arrBars.GetSize(); ++i) {
        if (arrBars[i] != NULL && arrBars[i]->GetBarID() == nID)
            return arrBars[i];
    }
    return NULL;
}

CTKPCommandBars* CTKPCommandBar::GetCommandBars() const
{
    const CTKPCommandBar* pBar = this;
    for (int nDepth = 0; pBar != NULL && nDepth < 64; ++nDepth) {
        if (pBar->m_pCommandBars != NULL)
            return pBar->m_pCommandBars;
        pBar = pBar->GetParentCommandBar();
    }
    return NULL;
}

CTKPCommandBar* CTKPCommandBar::GetRootParent() const
{
    const CTKPCommandBar* pBar = this;
    for (int nDepth = 0; nDepth < 64; ++nDepth) {
        CTKPCommandBar* pParent = pBar->GetParentCommandBar();
        if (pParent == NULL)
            break;
        pBar = pParent;
    }
    return const_cast<CTKPCommandBar*>(pBar);
}

CWnd* CTKPCommandBar::GetOwnerSite() const
{
    CTKPCommandBar* pRoot = GetRootParent();
    if (pRoot->m_pSite != NULL)
        return pRoot->m_pSite;
    return GetSite();
}

CWnd* CTKPCommandBar::GetSite() const
{
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL && pCommandBars->GetSite() != NULL)
        return pCommandBars->GetSite();
    CTKPCommandBar* pRoot = GetRootParent();
    if (pRoot->m_pOwner != NULL)
        return pRoot->m_pOwner;
    if (pRoot->GetSafeHwnd() == NULL)
        return AfxGetMainWnd();
    if (pRoot->m_hWndOwner != NULL)
        return CWnd::FromHandle(pRoot->m_hWndOwner);
    HWND hWndOwner = ::GetWindow(pRoot->GetSafeHwnd(), GW_OWNER);
    if (hWndOwner != NULL)
        return CWnd::FromHandle(hWndOwner);
    return pRoot->GetParent();
}

CFrameWnd* CTKPCommandBar::GetFrameSite() const
{
    CTKPCommandBars* pCommandBars = GetCommandBars();
    CWnd* pFrame = pCommandBars != NULL ? pCommandBars->GetSite() : NULL;
    if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        return static_cast<CFrameWnd*>(pFrame);
    return NULL;
}

BOOL CTKPCommandBar::IsCustomizeMode() const
{
    CTKPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != NULL && pCommandBars->IsCustomizeMode();
}

CTKPCommandBarsTheme* CTKPCommandBar::GetPaintManager() const
{
    if (m_pPaintManager != NULL)
        return m_pPaintManager;
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
        return pCommandBars->GetPaintManager();
    CTKPCommandBar* pRoot = GetRootParent();
    if (pRoot != this && pRoot->m_pPaintManager != NULL)
        return pRoot->m_pPaintManager;
    return CTKPCommandBarsTheme::GetGlobalTheme();
}

void CTKPCommandBar::SetPaintManager(CTKPCommandBarsTheme* pPaintManager)
{
    CTKPCommandBarsTheme* pOld = m_pPaintManager;
    m_pPaintManager = pPaintManager;
    if (pOld != NULL && pOld != pPaintManager)
        pOld->InternalRelease();
}

CTKPImageManager* CTKPCommandBar::GetImageManager() const
{
    if (m_pImageManager != NULL)
        return m_pImageManager;
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
        return pCommandBars->GetImageManager();
    CTKPCommandBar* pRoot = GetRootParent();
    if (pRoot != this && pRoot->m_pImageManager != NULL)
        return pRoot->m_pImageManager;
    return TKPGetImageManager();
}

void CTKPCommandBar::SetImageManager(CTKPImageManager* pImageManager)
{
    CTKPImageManager* pOld = m_pImageManager;
    m_pImageManager = pImageManager;
    if (pOld != NULL && pOld != pImageManager)
        pOld->InternalRelease();
}

BOOL CTKPCommandBar::IsLayoutRTL() const
{
    return GetSafeHwnd() != NULL && (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}

BOOL CTKPCommandBar::IsHorizontal() const
{
    return m_barPosition == tkpBarTop || m_barPosition == tkpBarBottom || m_barPosition == tkpBarFloating ||
        (m_barPosition == tkpBarPopup && m_barType == tkpBarTypeNormal);
}

void CTKPCommandBar::InvalidateParents()
{
    for (CTKPCommandBar* pBar = this; pBar != NULL; pBar = pBar->GetParentCommandBar()) {
        if (pBar->GetSafeHwnd() != NULL)
            pBar->InvalidateRect(NULL, FALSE);
    }
}

BOOL CTKPCommandBar::IsKeyboardCuesVisible() const
{
    CTKPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars == NULL || pCommandBars->IsKeyboardCuesVisible();
}

void CTKPCommandBar::OnControlsChanged()
{
    m_nSelected = -1;
    m_nStateFlags |= stateLayoutDirty;
}

void CTKPCommandBar::UnlockRedraw()
{
    if (m_nLockRedraw > 0 && --m_nLockRedraw == 0) {
        m_nStateFlags &= ~stateRedrawPending;
        if (GetSafeHwnd() != NULL)
            Invalidate(FALSE);
    }
}

void CTKPCommandBar::SetTrackFlags(BOOL bRightButton, BOOL bNoNotify, BOOL bNested)
{
    m_bRightButtonTracking = bRightButton;
    m_bNoNotify = bNoNotify;
    m_bNestedTracking = bNested;
}

// --- Non-client area ----------------------------------------------------------------------------

BOOL CTKPCommandBar::OnNcActivate(BOOL bActive)
{
    if (bActive)
        return FALSE;
    return CWnd::OnNcActivate(bActive);
}

BOOL CTKPCommandBar::OnNcCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (!CWnd::OnNcCreate(lpCreateStruct))
        return FALSE;
    if (GetStyle() & 0x100) {
        // The top-level window above this one through parents and owners: a popup's is its frame.
        const HWND hWndTop = ::GetAncestor(m_hWnd, GA_ROOTOWNER);
        const HWND hWndForeground = ::GetForegroundWindow();
        BOOL bActive = hWndTop != NULL && hWndForeground == hWndTop;
        if (!bActive && hWndTop != NULL && hWndForeground != NULL && ::GetLastActivePopup(hWndTop) == hWndForeground &&
            ::SendMessageW(hWndForeground, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0)
            bActive = TRUE;
        SendMessage(WM_FLOATSTATUS, bActive ? FS_ACTIVATE : FS_DEACTIVATE);
    }
    return TRUE;
}

// --- Sizes --------------------------------------------------------------------------------------

CSize CTKPCommandBar::GetIconSize() const
{
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL || pCommandBars->GetOptions() == NULL)
        return m_szIcons != CSize(0, 0) ? m_szIcons : CSize(16, 16);
    CTKPBarOptions* pOptions = pCommandBars->GetOptions();
    if (m_barType == tkpBarTypePopup) {
        if (m_szIcons != CSize(0, 0))
            return m_szIcons;
        return pOptions->szPopupIcons != CSize(0, 0) ? pOptions->szPopupIcons : CSize(16, 16);
    }
    CSize size =
        m_szIcons != CSize(0, 0) ? m_szIcons : (pOptions->szIcons != CSize(0, 0) ? pOptions->szIcons : CSize(16, 16));
    if (pOptions->bLargeIcons && m_szButtons == CSize(0, 0))
        size = pOptions->szLargeIcons != CSize(0, 0) ? pOptions->szLargeIcons : CSize(size.cx * 2, size.cy * 2);
    return size;
}

CSize CTKPCommandBar::GetButtonSize() const
{
    if (m_szButtons != CSize(0, 0))
        return m_szButtons;
    const CSize szIcon = GetIconSize();
    return CSize(szIcon.cx + 7, szIcon.cy + 7);
}

void CTKPCommandBar::SetTextBelowIcons(int nMode)
{
    m_nTextBelowIcons = nMode;
    m_nStateFlags |= stateLayoutDirty;
}

BOOL CTKPCommandBar::IsTextBelowIcons() const
{
    if (m_nTextBelowIcons != 2)
        return m_nTextBelowIcons != 0;
    CTKPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != NULL && pCommandBars->GetOptions() != NULL &&
        pCommandBars->GetOptions()->bShowTextBelowIcons;
}

// --- Loading ------------------------------------------------------------------------------------

BOOL CTKPCommandBar::LoadMenu(CMenu* pMenu, BOOL bRemoveControls)
{
    if (pMenu == NULL || pMenu->GetSafeHmenu() == NULL || !::IsMenu(pMenu->GetSafeHmenu()))
        return FALSE;
    if (bRemoveControls)
        m_pControls->RemoveAll();
    m_pControls->LoadMenu(pMenu);
    CFrameWnd* pFrame = GetFrameSite();
    if (pFrame != NULL)
        pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
    return TRUE;
}

BOOL CTKPCommandBar::SetButtons(const UINT* pButtons, int nCount)
{
    m_pControls->RemoveAll();
    CTKPCommandBars* pCommandBars = GetCommandBars();
    CWnd* pFrame = pCommandBars != NULL ? pCommandBars->GetSite() : NULL;
    const HWND hWndFrame = pFrame != NULL ? pFrame->GetSafeHwnd() : NULL;
    BOOL bBeginGroup = FALSE;
    for (int i = 0; i < nCount; ++i) {
        const UINT nID = pButtons[i];
        if (nID == 0) {
            bBeginGroup = TRUE;
            continue;
        }
        TKPCREATECONTROLSTRUCT cs;
        cs.nID = nID;
        cs.pControl = NULL;
        cs.bToolBar = TRUE;
        cs.nIndex = i;
        cs.pMenu = NULL;
        cs.pCommandBar = this;
        cs.strCaption = m_strTitle;
        cs.controlType = tkpControlButton;
        cs.buttonStyle = 0;

        CTKPControl* pControl = NULL;
        if (hWndFrame != NULL && ::SendMessageW(hWndFrame, TKPM_CREATECONTROL, 0, (LPARAM)&cs) != 0 &&
            cs.pControl != NULL)
            pControl = m_pControls->Add(cs.pControl, (int)cs.nID);
        if (pControl == NULL) {
            pControl = m_pControls->Add(cs.controlType, (int)cs.nID);
            pControl->SetStyle(cs.buttonStyle);
            // The new button shows its command's state at once, not only after the next idle pass.
            UpdateControlCmdUI(pControl->GetIndex(), GetOwnerSite(), FALSE);
            // An update handler may have given a popup another id: it keeps the resource's.
            if (pControl->GetType() == tkpControlPopup && pControl->GetID() != (int)cs.nID) {
                pControl->SetID((int)cs.nID);
                pControl->RedrawParent();
            }
        }
        if (bBeginGroup) {
            pControl->SetBeginGroup(TRUE);
            bBeginGroup = FALSE;
        }
        if (hWndFrame != NULL && ::IsWindow(hWndFrame)) {
            cs.pControl = pControl;
            ::SendMessageW(hWndFrame, TKPM_AFTERCREATECONTROL, 0, (LPARAM)&cs);
        }
    }
    return TRUE;
}

BOOL CTKPCommandBar::LoadToolBar(UINT nIDResource, BOOL bLoadIcons)
{
    m_pControls->RemoveAll();
    CToolBarResource resource;
    if (!AfxLoadToolBarResource(MAKEINTRESOURCE(nIDResource), resource))
        return FALSE;
    std::vector<UINT> iconIds;
    for (UINT nID : resource.ids)
        if (nID != 0)
            iconIds.push_back(nID);
    SetButtons(resource.ids.empty() ? NULL : resource.ids.data(), (int)resource.ids.size());

    BOOL bResult = TRUE;
    if (bLoadIcons) {
        bResult = GetImageManager()->SetIconsFromBitmap(nIDResource, iconIds.empty() ? NULL : iconIds.data(),
            (int)iconIds.size(), resource.sizeImage);
        if (resource.sizeImage.cx != 16)
            m_szIcons = resource.sizeImage;
    }
    return bResult;
}

// --- Selection, popups, tracking ----------------------------------------------------------------

BOOL CTKPCommandBar::SetSelected(int nSelected, BOOL bKeyboard)
{
    if (GetControl(nSelected) == NULL)
        nSelected = -1;
    if (nSelected == m_nSelected)
        return FALSE;
    m_bKeyboardSelect = bKeyboard;
    if (GetSafeHwnd() == NULL)
        return FALSE;

    CTKPRefHolder hold(this);
    LockRedraw();
    CTKPControl* pOld = GetControl(m_nSelected);
    if (pOld != NULL)
        pOld->SetSelected(0);
    m_nSelected = nSelected;
    CTKPControl* pNew = GetControl(nSelected);
    if (pNew != NULL) {
        if (m_nTrackingMode != trackingNone)
            CTKPAccessible::NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_MENU, nSelected + 1);
        pNew->SetSelected(bKeyboard ? 2 : 1);
        CTKPMouseTracker::GetThreadTracker()->SetSelectedBar(this);
        if (!bKeyboard && GetSafeHwnd() != NULL)
            SetTimer(TIMERID_HOVER, 300, NULL);
    } else if (GetSafeHwnd() != NULL) {
        KillTimer(TIMERID_HOVER);
    }
    UnlockRedraw();
    return TRUE;
}

BOOL CTKPCommandBar::SetPopuped(int nPopuped, BOOL bKeyboard)
{
    if (nPopuped == m_nPopuped)
        return FALSE;
    CTKPRefHolder hold(this);
    LockRedraw();
    if (m_nPopuped != -1) {
        CTKPControl* pOpen = GetControl(m_nPopuped);
        // Forgotten first, so that a popup closing back into this bar finds nothing open.
        m_nPopuped = -1;
        if (pOpen != NULL)
            pOpen->OnSetPopup(FALSE);
    }
    if (nPopuped == -1) {
        UnlockRedraw();
        return TRUE;
    }
    CTKPControl* pControl = GetControl(nPopuped);
    if (pControl == NULL || !pControl->IsKindOf(RUNTIME_CLASS(CTKPControlPopup)) || !pControl->GetEnabled()) {
        UnlockRedraw();
        return FALSE;
    }
    m_nPopuped = nPopuped;
    SetTrackingMode(trackingPopup, FALSE, bKeyboard);
    SetSelected(nPopuped, bKeyboard);
    pControl->OnSetPopup(TRUE);
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL && pCommandBars->GetOptions() != NULL && pCommandBars->GetOptions()->bShowFullAfterDelay &&
        GetSafeHwnd() != NULL)
        SetTimer(TIMERID_FULLMENU, 5000, NULL);
    UnlockRedraw();
    return TRUE;
}

void CTKPCommandBar::HideCaretOfFocus()
{
    if (m_hwndCaret != NULL)
        return;
    HWND hWnd = ::GetFocus();
    if (hWnd == NULL) {
        CWnd* pSite = GetSite();
        hWnd = pSite != NULL ? pSite->GetSafeHwnd() : NULL;
    }
    if (hWnd != NULL && ::HideCaret(hWnd))
        m_hwndCaret = hWnd;
}

void CTKPCommandBar::RestoreCaret()
{
    if (m_hwndCaret != NULL) {
        if (::IsWindow(m_hwndCaret))
            ::ShowCaret(m_hwndCaret);
        m_hwndCaret = NULL;
    }
}

BOOL CTKPCommandBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if (m_nTrackingMode != trackingNone && nMode != trackingNone) {
        m_nTrackingMode = nMode;
        return FALSE;
    }
    if (nMode == m_nTrackingMode)
        return FALSE;

    CTKPRefHolder hold(this);
    CTKPMouseTracker* pMouseTracker = CTKPMouseTracker::GetThreadTracker();
    m_nTrackingMode = nMode;
    if (nMode != trackingNone) {
        if (m_barType == tkpBarTypeMenuBar) {
            CWnd* pSite = GetSite();
            if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
                ::SendMessageW(pSite->GetSafeHwnd(), TKPM_TRACKINGMODECHANGED, (WPARAM)this, 0);
        }
        m_bTrackingByMouse = !bSelectFirst && !bKeyboard;
        if (m_bHideCaret)
            HideCaretOfFocus();
        pMouseTracker->AddTrackedBar(this);
        CTKPKeyboardTracker::GetThreadTracker()->SetupHook(this);
        ::SetCursor(::LoadCursorW(NULL, IDC_ARROW));
        if (bSelectFirst)
            SetSelected(m_pControls->GetNext(-1, 1, TRUE, FALSE, TRUE), TRUE);
    } else {
        m_bTrackingByMouse = FALSE;
        pMouseTracker->RemoveTrackedBar(this);
        CTKPKeyboardTracker::GetThreadTracker()->RemoveHook(this);
        SetPopuped(-1, FALSE);
        if (bSelectFirst)
            SetSelected(-1, FALSE);
        if (m_bHideCaret)
            RestoreCaret();
        m_nStateFlags &= ~stateRedrawPending;
        if (m_nLockRedraw == 0 && GetSafeHwnd() != NULL)
            Invalidate(FALSE);
        if (!pMouseTracker->IsTrackingOtherPopup(NULL))
            pMouseTracker->m_bExpandedRun = FALSE;
        if (GetSafeHwnd() != NULL && ::GetFocus() == m_hWnd) {
            CWnd* pParent = GetParent();
            if (pParent != NULL) {
                CWnd* pNext = pParent->GetNextDlgTabItem(this);
                if (pNext != NULL && pNext != this)
                    pNext->SetFocus();
            }
        }
        m_nLockCounter = 0;
    }
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
        pCommandBars->OnTrackingModeChanged(this, nMode);
    return TRUE;
}

int CTKPCommandBar::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    if (m_nTrackingMode == trackingNone)
        return hookNotHandled;
    if (nMessage == WM_KEYDOWN)
        return OnHookKeyDown((UINT)wParam, lParam);
    if (nMessage == WM_MOUSEWHEEL)
        return hookHandled;
    return hookNotHandled;
}

int CTKPCommandBar::PtInWindow(CPoint ptScreen) const
{
    if (GetSafeHwnd() == NULL)
        return -2;
    CRect rc;
    GetWindowRect(&rc);
    return rc.PtInRect(ptScreen) ? 1 : -2;
}

// --- Copies -------------------------------------------------------------------------------------

void CTKPCommandBar::Copy(CTKPCommandBar* pSource, BOOL bRecursive)
{
    if (pSource == NULL || pSource == this)
        return;
    m_barType = pSource->m_barType;
    m_barPosition = pSource->m_barPosition;
    m_nBarID = pSource->m_nBarID;
    m_dwFlags = pSource->m_dwFlags;
    m_dwStyle = pSource->m_dwStyle;
    m_strTitle = pSource->m_strTitle;
    m_bCustomizable = pSource->m_bCustomizable;
    m_nMRUWidth = pSource->m_nMRUWidth;
    m_szIcons = pSource->m_szIcons;
    m_szButtons = pSource->m_szButtons;
    m_pCommandBars = pSource->m_pCommandBars;
    SetControls(pSource->m_pControls->Duplicate(bRecursive));
}

CTKPCommandBar* CTKPCommandBar::Clone(BOOL bRecursive)
{
    CTKPCommandBar* pClone = static_cast<CTKPCommandBar*>(GetRuntimeClass()->CreateObject());
    if (pClone != NULL)
        pClone->Copy(this, bRecursive);
    return pClone;
}

// --- Painting -----------------------------------------------------------------------------------

void CTKPCommandBar::DrawCommandBar(CDC* pDC, CRect rcClipBox)
{
    CTKPCommandBarsTheme* pTheme = GetPaintManager();
    pTheme->DrawBarBackground(pDC, this);
    if (m_dwStyle & tkpBarStyleGripper)
        pTheme->DrawCommandBarGripper(pDC, this, TRUE);
    BOOL bFirst = TRUE;
    for (int i = 0; i < GetControlCount(); ++i) {
        CTKPControl* pControl = GetControl(i);
        if (pControl->GetParent() != this || !pControl->IsVisible())
            continue;
        if (pControl->GetBeginGroup() && !bFirst)
            pTheme->DrawControlSeparator(pDC, this, pControl, TRUE);
        CTKPFontSelector font(pDC, pTheme->GetControlFont(this, pControl->GetDefaultItem()));
        pControl->Draw(pDC);
        bFirst = FALSE;
    }
    if (IsCustomizeMode()) {
        CTKPCommandBars* pCommandBars = GetCommandBars();
        CTKPControl* pDrag = pCommandBars != NULL ? pCommandBars->GetDragControl() : NULL;
        if (pDrag != NULL && pDrag->GetParent() == this && pDrag->IsVisible()) {
            CRect rc = pDrag->GetRect();
            pDC->Draw3dRect(rc, RGB(0, 0, 0), RGB(0, 0, 0));
            rc.DeflateRect(1, 1);
            pDC->Draw3dRect(rc, RGB(0, 0, 0), RGB(0, 0, 0));
        }
        if (!m_rcMarker.IsRectEmpty())
            DrawInsertMark(pDC);
    }
}

void CTKPCommandBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcClip;
    dc.GetClipBox(&rcClip);
    CTKPBufferedDC memDC(dc.GetSafeHdc(), rcClient);
    DrawCommandBar(&memDC, rcClip);
}

LRESULT CTKPCommandBar::OnPrint(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0)
        return 1;
    CRect rcClient;
    GetClientRect(&rcClient);
    DrawCommandBar(CDC::FromHandle((HDC)wParam), rcClient);
    return 1;
}

BOOL CTKPCommandBar::OnEraseBkgnd(CDC* pDC)
{
    return TRUE;
}
