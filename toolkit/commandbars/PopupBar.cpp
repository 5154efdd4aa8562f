#include "toolkit/commandbars/PopupBar.h"

#include "toolkit/base/Accessible.h"
#include "toolkit/base/BufferedDC.h"
#include "toolkit/base/CaptureLoopPaints.h"
#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/KeyBindings.h"
#include "toolkit/commandbars/MenuExpandButton.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/PopupPlacement.h"
#include "toolkit/commandbars/PopupShadows.h"
#include "toolkit/commandbars/SoundPlayer.h"
#include "toolkit/commandbars/ToolBar.h"
#include "toolkit/commandbars/ToolTipManager.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

IMPLEMENT_SERIAL(CTKPPopupBar, CTKPCommandBar, VERSIONABLE_SCHEMA | 16)
IMPLEMENT_SERIAL(CTKPPopupToolBar, CTKPPopupBar, VERSIONABLE_SCHEMA | 16)

namespace {

BOOL g_bAnimationEnabled = TRUE;
int g_nSystemMenuAnimation = -1;
int g_nSystemMenuFade = -1;
BOOL g_bWorkAreaOverride = FALSE;
RECT g_rcWorkAreaOverride;

// A menu item never takes more than this share of the work area's width (0 or less: no cut).
const double kMaxItemWidthFactor = 1.0 / 3.0;

const DWORD kToolBarLayoutMode = 0x142;  // LM_HORZ | LM_COMMIT | LM_POPUP

BOOL QueryMenuSetting(UINT uiAction, int nOverride, BOOL* pbOn)
{
    if (nOverride != -1) {
        *pbOn = nOverride != 0;
        return TRUE;
    }
    BOOL bOn = FALSE;
    if (!::SystemParametersInfoW(uiAction, 0, &bOn, 0))
        return FALSE;
    *pbOn = bOn;
    return TRUE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CTKPPopupBar, CTKPCommandBar)
ON_WM_MOUSEMOVE()
ON_WM_MOUSEACTIVATE()
ON_WM_LBUTTONDOWN()
ON_WM_TIMER()
ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

void CTKPPopupBar::EnableAnimation(BOOL bEnable)
{
    g_bAnimationEnabled = bEnable;
}

void CTKPPopupBar::SetSystemMenuAnimation(int nAnimation, int nFade)
{
    g_nSystemMenuAnimation = nAnimation;
    g_nSystemMenuFade = nFade;
}

void CTKPPopupBar::SetWorkAreaOverride(LPCRECT lpWorkArea)
{
    g_bWorkAreaOverride = lpWorkArea != NULL;
    if (lpWorkArea != NULL)
        g_rcWorkAreaOverride = *lpWorkArea;
}

CTKPPopupBar::CTKPPopupBar()
    : m_pControlPopup(NULL), m_ptAnchor(0, 0), m_rcExclude(0, 0, 0, 0), m_popupFlags(0), m_bInLayout(FALSE),
      m_bHasHiddenCommands(FALSE), m_bExpanded(FALSE), m_bExpandAnimationPending(FALSE), m_bTearOffPopup(FALSE),
      m_rcTearOffGripper(0, 0, 0, 0), m_bTearOffSelected(FALSE), m_nTearOffTimer(0), m_bTearOffTracking(FALSE),
      m_szTearOffBar(0, 0), m_pTearOffBar(NULL), m_nTearOffID(0), m_nTearOffWidth(0), m_bShowShadow(TRUE),
      m_rcBorders(2, 4, 2, 4), m_bDoubleColumn(FALSE), m_bScrolling(FALSE), m_nScrollFirst(0), m_nScrollEnd(0),
      m_bClosing(FALSE)
{
    m_barType = tkpBarTypePopup;
    m_barPosition = tkpBarPopup;
    m_scrollDown = ScrollButton{CRect(0, 0, 0, 0), 0, this, TIMERID_SCROLLDOWN};
    m_scrollUp = ScrollButton{CRect(0, 0, 0, 0), 0, this, TIMERID_SCROLLUP};
}

CTKPPopupBar::~CTKPPopupBar()
{
    TKPGetPopupShadows()->RemoveShadows(this);
}

CTKPPopupBar* CTKPPopupBar::CreatePopupBar(CTKPCommandBars* pCommandBars)
{
    CRuntimeClass* pClass = CTKPCommandBars::m_pPopupBarClass;
    if (pClass == NULL || !pClass->IsDerivedFrom(RUNTIME_CLASS(CTKPPopupBar)))
        pClass = RUNTIME_CLASS(CTKPPopupBar);
    CTKPPopupBar* pBar = static_cast<CTKPPopupBar*>(pClass->CreateObject());
    if (pBar != NULL)
        pBar->SetCommandBars(pCommandBars);
    return pBar;
}

// --- Window -------------------------------------------------------------------------------------

BOOL CTKPPopupBar::CreatePopupWindow()
{
    if (GetSafeHwnd() != NULL)
        return TRUE;
    CWnd* pSite = GetSite();
    BOOL bRTL;
    if (CTKPCommandBars* pCommandBars = GetCommandBars())
        bRTL = pCommandBars->IsLayoutRTL();
    else
        bRTL = pSite != NULL && pSite->GetSafeHwnd() != NULL && (pSite->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS | CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW));
    const DWORD dwExStyle = WS_EX_TOOLWINDOW | (bRTL ? WS_EX_LAYOUTRTL : 0);
    const DWORD dwStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | 0x100;
    return CreateEx(dwExStyle, lpszClass, NULL, dwStyle, 0, 0, 0, 0, pSite != NULL ? pSite->GetSafeHwnd() : NULL, NULL);
}

BOOL CTKPPopupBar::DestroyWindow()
{
    if (GetSafeHwnd() == NULL)
        return FALSE;
    // A window hosted in the popup survives it: it goes back to the site before the popup goes.
    CWnd* pSite = GetSite();
    HWND hSite = pSite != NULL ? pSite->GetSafeHwnd() : NULL;
    if (hSite == m_hWnd)
        hSite = NULL;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(m_hWnd, GW_CHILD)) {
        ::ShowWindow(hChild, SW_HIDE);
        ::SetParent(hChild, hSite);
        if (::GetParent(hChild) == m_hWnd)
            break;
    }
    return CTKPCommandBar::DestroyWindow();
}

BOOL CTKPPopupBar::HasChildWindow() const
{
    return GetSafeHwnd() != NULL && ::GetWindow(m_hWnd, GW_CHILD) != NULL;
}

BOOL CTKPPopupBar::IsVisible() const
{
    return GetSafeHwnd() != NULL && ::IsWindowVisible(m_hWnd);
}

void CTKPPopupBar::DelayRedraw()
{
    m_nStateFlags &= ~stateRedrawPending;
    if (m_nLockRedraw == 0 && GetSafeHwnd() != NULL)
        Invalidate(FALSE);
}

CTKPCommandBar* CTKPPopupBar::GetParentCommandBar() const
{
    return m_pControlPopup != NULL ? m_pControlPopup->GetParent() : NULL;
}

int CTKPPopupBar::OnMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
    return MA_NOACTIVATE;
}

LRESULT CTKPPopupBar::OnFloatStatus(WPARAM wParam, LPARAM /*lParam*/)
{
    return (GetStyle() & 0x100) != 0 && (wParam & FS_SYNCACTIVE) != 0 ? 1 : 0;
}

// --- Opening and closing ------------------------------------------------------------------------

BOOL CTKPPopupBar::PopupAt(int x, int y, LPCRECT lpExclude)
{
    m_ptAnchor = CPoint(x, y);
    if (lpExclude != NULL)
        m_rcExclude = *lpExclude;
    return Popup(NULL, FALSE);
}

BOOL CTKPPopupBar::Popup(CTKPControlPopup* pControlPopup, BOOL bSelectFirst)
{
    m_pControlPopup = pControlPopup;
    if (!CreatePopupWindow())
        return FALSE;

    LockRedraw();
    CWnd* pSite = GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        pSite->SendMessage(TKPM_INITCOMMANDSPOPUP, 0, reinterpret_cast<LPARAM>(this));

    m_bTearOffSelected = FALSE;
    m_bHasHiddenCommands = FALSE;
    CTKPMouseTracker* pTracker = CTKPMouseTracker::GetThreadTracker();
    m_bExpanded = IsCustomizeMode() || (pTracker != NULL && pTracker->m_bExpandedRun);

    UpdateFlags();
    const CSize size = CalcDynamicLayout(0, 0);
    UpdateLocation(size.cx, size.cy);

    if (GetSafeHwnd() == NULL ||
        (m_pControlPopup != NULL &&
            (m_pControlPopup->GetParent() == NULL || m_pControlPopup->GetParent()->GetSafeHwnd() == NULL))) {
        UnlockRedraw();
        DestroyWindow();
        return FALSE;
    }

    SetTrackingMode(TRUE, bSelectFirst, FALSE);
    m_nStateFlags &= ~(stateLayoutDirty | stateRedrawPending);
    OnIdleUpdateCmdUI(TRUE, 0);
    if (GetSafeHwnd() == NULL) {
        UnlockRedraw();
        return FALSE;
    }

    AnimateOpen();
    TKPGetSoundPlayer()->Play(CTKPSoundPlayer::soundMenuPopup);
    if (m_barPosition == tkpBarPopup && m_bShowShadow) {
        TKPGetPopupShadows()->RemoveShadows(this);
        TKPGetPopupShadows()->CreateShadows(this, m_rcExclude);
    }
    UnlockRedraw();
    return TRUE;
}

BOOL CTKPPopupBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    const BOOL bWasTracking = IsTrackingMode();
    if (!CTKPCommandBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard))
        return FALSE;
    if (nMode != 0) {
        if (!bWasTracking && GetSafeHwnd() != NULL)
            CTKPAccessible::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, m_hWnd, OBJID_MENU, CHILDID_SELF);
    } else if ((bWasTracking || GetSafeHwnd() != NULL) && !m_bClosing) {
        m_bClosing = TRUE;
        if (GetSafeHwnd() != NULL)
            CTKPAccessible::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, m_hWnd, OBJID_MENU, CHILDID_SELF);
        KillScrollTimer(m_scrollDown);
        KillScrollTimer(m_scrollUp);
        DestroyWindow();
        if (CTKPCommandBar* pParent = GetParentCommandBar())
            pParent->SetPopuped(-1);
        CWnd* pSite = GetSite();
        if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
            pSite->SendMessage(TKPM_POPUPCLOSED, 0, reinterpret_cast<LPARAM>(this));
        ::Sleep(1);
        m_pControlPopup = NULL;
        m_bClosing = FALSE;
    }
    CWnd* pSite = GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
        pSite->UpdateWindow();
    return TRUE;
}

int CTKPPopupBar::ChooseAnimationType() const
{
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (!g_bAnimationEnabled || pCommandBars == NULL || pCommandBars->GetOptions() == NULL || HasChildWindow())
        return 5;
    const int nAnimation = pCommandBars->GetOptions()->animationType;
    if (nAnimation == 0) {
        BOOL bAnimation = FALSE;
        if (!QueryMenuSetting(SPI_GETMENUANIMATION, g_nSystemMenuAnimation, &bAnimation) || !bAnimation)
            return 5;
        BOOL bFade = FALSE;
        if (!QueryMenuSetting(SPI_GETMENUFADE, g_nSystemMenuFade, &bFade))
            return 3;
        return bFade ? 4 : 3;
    }
    if (nAnimation == 1) {
        switch (std::rand() % 3) {
        case 0:
            return 4;
        case 1:
            return 3;
        default:
            return 2;
        }
    }
    return nAnimation;
}

void CTKPPopupBar::AnimateFrom(int nKind, BOOL bUnfold, BOOL bDownward)
{
    CTKPCommandBarsTheme* pTheme = GetPaintManager();
    if (pTheme == NULL || GetSafeHwnd() == NULL)
        return;
    CRect rc;
    GetClientRect(&rc);
    CClientDC dc(this);
    CDC dcImage;
    dcImage.CreateCompatibleDC(&dc);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dc, rc.Width(), rc.Height());
    CBitmap* pOld = dcImage.SelectObject(&bmp);
    DrawCommandBar(&dcImage, rc);
    if (bUnfold)
        pTheme->AnimateUnfold(this, &dc, &dcImage, bDownward);
    else
        pTheme->AnimateExpanding(&dc, &dcImage, rc, nKind);
    dcImage.SelectObject(pOld);
}

void CTKPPopupBar::AnimateOpen()
{
    CTKPCommandBar* pParent = GetParentCommandBar();
    if (pParent != NULL && !pParent->IsTrackingByMouse())
        return;
    if (!IsCustomizeMode() && !HasChildWindow()) {
        const int nKind = ChooseAnimationType();
        if (nKind >= 2 && nKind <= 4) {
            if (m_pControlPopup != NULL) {
                m_pControlPopup->RedrawParent();
                if (pParent != NULL && pParent->GetSafeHwnd() != NULL)
                    pParent->UpdateWindow();
            }
            CWnd* pSite = GetSite();
            if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
                pSite->UpdateWindow();
            AnimateFrom(nKind, FALSE, FALSE);
        }
    }
    // Moving along a menu bar with a menu open shows the later menus at once.
    if (pParent != NULL)
        pParent->SetTrackingByMouse(FALSE);
}

// --- Expanding ----------------------------------------------------------------------------------

CTKPControl* CTKPPopupBar::FindExpandButton() const
{
    for (int i = 0; i < GetControlCount(); i++) {
        CTKPControl* pControl = GetControl(i);
        if (pControl->GetID() == TKP_ID_POPUPBAR_EXPAND && pControl->IsKindOf(RUNTIME_CLASS(CTKPMenuExpandButton)))
            return pControl;
    }
    return NULL;
}

void CTKPPopupBar::UpdateExpandingState()
{
    CTKPCommandBars* pCommandBars = GetCommandBars();
    CTKPBarOptions* pOptions = pCommandBars != NULL ? pCommandBars->GetOptions() : NULL;
    if (pOptions == NULL || pOptions->bAlwaysShowFullMenus) {
        // Without command bars nothing is hidden.
        for (int i = 0; i < GetControlCount(); i++)
            GetControl(i)->SetRarelyUsed(FALSE);
        m_bExpanded = TRUE;
        m_bHasHiddenCommands = FALSE;
        return;
    }
    m_bHasHiddenCommands = FALSE;
    BOOL bSomeVisible = FALSE;
    for (int i = 0; i < GetControlCount(); i++) {
        CTKPControl* pControl = GetControl(i);
        const BOOL bOtherwiseVisible = (pControl->GetHideFlags() & ~(tkpHideScroll | tkpHideExpand)) == 0;
        if (!pCommandBars->IsControlHidden(pControl)) {
            pControl->SetRarelyUsed(FALSE);
            if (pControl->GetID() != TKP_ID_POPUPBAR_EXPAND && bOtherwiseVisible)
                bSomeVisible = TRUE;
        } else {
            pControl->SetRarelyUsed(bOtherwiseVisible);
        }
    }
    // A menu never hides all its commands.
    for (int i = 0; i < GetControlCount(); i++) {
        CTKPControl* pControl = GetControl(i);
        pControl->SetHideFlag(tkpHideExpand, FALSE);
        if (pControl->IsRarelyUsed() && !m_bExpanded && bSomeVisible) {
            pControl->SetHideFlag(tkpHideExpand, TRUE);
            m_bHasHiddenCommands = TRUE;
        }
    }
}

void CTKPPopupBar::ExpandBar()
{
    if (m_bExpanded || !m_bHasHiddenCommands)
        return;
    if (CTKPCommandBars* pCommandBars = GetCommandBars())
        if (pCommandBars->GetToolTipManager() != NULL)
            pCommandBars->GetToolTipManager()->HideTip();
    m_bExpandAnimationPending = TRUE;
    m_bExpanded = TRUE;
    SetPopuped(-1);
    SetSelected(-1, FALSE);
    OnRecalcLayout();
    if (CTKPMouseTracker* pTracker = CTKPMouseTracker::GetThreadTracker()) {
        pTracker->m_bExpandedRun = TRUE;
        pTracker->m_bSwallowRelease = TRUE;
    }
}

void CTKPPopupBar::OnExpandTimer()
{
    KillTimer(TIMERID_EXPAND);
    CTKPControl* pSelected = GetSelected();
    if (pSelected != NULL && pSelected->GetID() == TKP_ID_POPUPBAR_EXPAND)
        pSelected->OnExecute();
}

int CTKPPopupBar::FindDefaultItem(BOOL bIndex)
{
    for (int i = 0; i < GetControlCount(); i++) {
        CTKPControl* pControl = GetControl(i);
        if (pControl->GetHideFlags() == 0 && pControl->GetDefaultItem())
            return bIndex ? i : pControl->GetID();
    }
    return -1;
}

void CTKPPopupBar::UpdateShortcuts()
{
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL || pCommandBars->GetOptions() == NULL ||
        !pCommandBars->GetOptions()->bShowShortcutsInMenus || pCommandBars->GetKeyBindings() == NULL)
        return;
    CTKPKeyBindings* pKeyBindings = pCommandBars->GetKeyBindings();
    for (int i = 0; i < GetControlCount(); i++) {
        CTKPControl* pControl = GetControl(i);
        if (pControl->GetHideFlags() != 0 || pControl->GetID() == 0)
            continue;
        CString strShortcut = pControl->GetCaptionShortcut();
        if (!pKeyBindings->FindShortcut(pControl->GetID(), strShortcut))
            strShortcut.Empty();
        pControl->SetCaptionShortcut(strShortcut);
    }
}

// --- Layout -------------------------------------------------------------------------------------

CSize CTKPPopupBar::CalcDynamicLayout(int nLength, DWORD /*dwMode*/, int /*nWidth*/)
{
    m_bInLayout = TRUE;
    CTKPCommandBarsTheme* pTheme = GetPaintManager();
    CWindowDC dc(NULL);
    CTKPFontSelector font(&dc, pTheme != NULL ? pTheme->GetRegularFont() : NULL);
    const CSize size = m_barType == tkpBarTypePopup ? CalcMenuLayout(&dc) : CalcToolBarLayout(&dc, nLength);
    m_bInLayout = FALSE;
    return size;
}

CSize CTKPPopupBar::CalcToolBarLayout(CDC* pDC, int nLength)
{
    CTKPCommandBarsTheme* pTheme = GetPaintManager();
    CRect rcBorders = m_rcBorders;
    int nGripper = 0;
    if (m_bTearOffPopup && pTheme != NULL)
        nGripper = pTheme->DrawPopupBarHandle(pDC, CRect(0, 0, 0, 0), FALSE, FALSE).cy;
    rcBorders.top += nGripper;
    UpdateShortcuts();
    const CSize size = m_pControls->CalcDynamicSize(pDC, nLength, kToolBarLayoutMode, rcBorders);
    m_rcTearOffGripper.SetRect(m_rcBorders.left, m_rcBorders.top, size.cx - m_rcBorders.right,
        m_rcBorders.top + nGripper);
    return size;
}

CSize CTKPPopupBar::CalcMenuLayout(CDC* pDC)
{
    CTKPCommandBarsTheme* pTheme = GetPaintManager();
    RECT rcWork = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    CRect rcBorders(3, 3, 3, 3);
    int nSeparator = 8;
    int nGripper = 0;
    if (pTheme != NULL) {
        pTheme->GetBarBorders(rcBorders, this);
        nSeparator = pTheme->DrawControlSeparator(pDC, this, NULL, FALSE).cy;
        if (m_bTearOffPopup)
            nGripper = pTheme->DrawPopupBarHandle(pDC, CRect(0, 0, 0, 0), FALSE, FALSE).cy;
    }
    const int nTop = rcBorders.top;
    rcBorders.top += nGripper;

    for (int i = 0; i < GetControlCount(); i++)
        GetControl(i)->OnCalcDynamicSize(0);
    UpdateExpandingState();

    // The expand button of a short menu is its last item.
    CTKPControl* pExpand = FindExpandButton();
    int nExpandHeight = 0;
    if (m_bHasHiddenCommands) {
        if (pExpand == NULL) {
            pExpand = new CTKPMenuExpandButton;
            m_pControls->Add(pExpand, TKP_ID_POPUPBAR_EXPAND, L"", -1, TRUE);
        }
        pExpand->SetHideFlags(0);
        if (pTheme != NULL)
            nExpandHeight = pTheme
                                ->DrawSpecialControl(pDC, CTKPCommandBarsTheme::specialPopupExpand, pExpand, this,
                                    FALSE, CSize(0, 0), 0)
                                .cy;
    } else if (pExpand != NULL) {
        pExpand->SetHideFlag(tkpHideExpand, TRUE);
    }

    UpdateShortcuts();

    const int nMaxWidth = kMaxItemWidthFactor > 0 ? static_cast<int>(rcWork.right * kMaxItemWidthFactor) : 0;
    int y = rcBorders.top;
    int nColumn = 0;
    BOOL bFirst = TRUE;
    for (int i = 0; i < GetControlCount(); i++) {
        CTKPControl* pControl = GetControl(i);
        if (pControl == pExpand)
            continue;
        pControl->SetHideFlag(tkpHideScroll, FALSE);
        if (pControl->GetHideFlags() != 0)
            continue;
        if (pControl->GetBeginGroup() && !bFirst)
            y += nSeparator;
        CTKPFontSelector font(pDC, pTheme != NULL ? pTheme->GetControlFont(this, pControl->GetDefaultItem()) : NULL);
        CSize size = pControl->GetSize(pDC);
        if (nMaxWidth > 0 && size.cx > nMaxWidth)
            size.cx = nMaxWidth;
        pControl->SetRect(CRect(rcBorders.left, y, rcBorders.left + size.cx, y + size.cy));
        pControl->SetRowRect(pControl->GetRect());
        nColumn = std::max<int>(nColumn, size.cx);
        y += size.cy;
        bFirst = FALSE;
    }
    nColumn = std::max(nColumn, 22);
    for (int i = 0; i < GetControlCount(); i++) {
        CTKPControl* pControl = GetControl(i);
        if (pControl == pExpand || pControl->GetHideFlags() != 0)
            continue;
        CRect rc = pControl->GetRect();
        rc.right = rcBorders.left + nColumn;
        pControl->SetRect(rc);
        pControl->SetRowRect(rc);
    }
    if (bFirst)
        y = 22;
    if (m_bHasHiddenCommands && pExpand != NULL) {
        pExpand->SetRect(CRect(rcBorders.left, y, rcBorders.left + nColumn, y + nExpandHeight));
        y += nExpandHeight;
    }
    m_rcTearOffGripper.SetRect(rcBorders.left, nTop, rcBorders.left + nColumn, nTop + nGripper);
    return CSize(rcBorders.left + nColumn + rcBorders.right, y + rcBorders.bottom);
}

void CTKPPopupBar::UpdateFlags()
{
    if (m_pControlPopup == NULL)
        return;
    CTKPCommandBar* pParent = m_pControlPopup->GetParent();
    if (pParent == NULL)
        return;
    const BOOL bLeft = (m_pControlPopup->GetFlags() & tkpFlagLeftPopup) != 0 ||
        (GetSafeHwnd() != NULL && (GetExStyle() & WS_EX_LAYOUTRTL) != 0);
    DWORD dwFlags = bLeft ? static_cast<DWORD>(TKPPOPUP_LEFT) : 0;
    const int nPosition = pParent->GetPosition();
    if (nPosition != tkpBarLeft && nPosition != tkpBarRight && nPosition != tkpBarPopup) {
        dwFlags |= TKPPOPUP_DROPDOWN;
    } else if (nPosition == tkpBarRight ||
        (pParent->GetType() == tkpBarTypePopup && pParent->IsKindOf(RUNTIME_CLASS(CTKPPopupBar)) &&
            (static_cast<CTKPPopupBar*>(pParent)->GetPopupFlags() & TKPPOPUP_LEFT) != 0)) {
        dwFlags = TKPPOPUP_LEFT;
    }
    CRect rcExclude = m_pControlPopup->GetRect();
    if (nPosition == tkpBarPopup && pParent->GetType() != tkpBarTypePopup)
        dwFlags |= TKPPOPUP_DROPDOWN;
    else
        m_pControlPopup->AdjustExcludeRect(rcExclude);
    if (pParent->GetSafeHwnd() != NULL)
        pParent->ClientToScreen(&rcExclude);
    m_popupFlags = dwFlags;
    m_rcExclude = rcExclude;
    m_ptAnchor = (dwFlags & TKPPOPUP_DROPDOWN) ? CPoint(rcExclude.left, rcExclude.bottom)
                                               : CPoint(rcExclude.right, rcExclude.top);
}

CRect CTKPPopupBar::CalcPopupRect(int cx, int cy)
{
    CRect rcWork;
    if (g_bWorkAreaOverride)
        rcWork = g_rcWorkAreaOverride;
    else if (!m_rcExclude.IsRectEmpty())
        CTKPDrawingHelper::GetWorkAreaFromRect(&rcWork, &m_rcExclude);
    else
        CTKPDrawingHelper::GetWorkAreaFromPoint(&rcWork, m_ptAnchor);
    BOOL bClipped = FALSE;
    DWORD dwFlags = m_popupFlags;
    const CRect rc = TKPCalcPopupRect(cx, cy, m_ptAnchor, m_rcExclude, dwFlags, rcWork, &bClipped);
    m_popupFlags = dwFlags;
    if (bClipped && m_barType == tkpBarTypePopup) {
        m_bScrolling = TRUE;
        m_nScrollFirst = 0;
        CSize size(rc.Width(), rc.Height());
        LayoutScrollRange(&size, FALSE, FALSE);
    } else {
        m_bScrolling = FALSE;
        m_scrollUp.rc.SetRectEmpty();
        m_scrollDown.rc.SetRectEmpty();
    }
    return rc;
}

void CTKPPopupBar::UpdateLocation(int cx, int cy)
{
    const CRect rc = CalcPopupRect(cx, cy);
    UINT nFlags = SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER;
    if (IsWindowVisible())
        nFlags |= SWP_NOZORDER;
    SetWindowPos(&CWnd::wndTopMost, rc.left, rc.top, rc.Width(), rc.Height(), nFlags);
}

void CTKPPopupBar::LayoutScrollRange(CSize* pSize, BOOL bKeepLast, BOOL bRedraw)
{
    if (!m_bScrolling)
        return;
    CRect rcClient(0, 0, 0, 0);
    if (pSize != NULL)
        rcClient.SetRect(0, 0, pSize->cx, pSize->cy);
    else if (GetSafeHwnd() != NULL)
        GetClientRect(&rcClient);
    CRect rcBorders(3, 3, 3, 3);
    int nSeparator = 8;
    CTKPCommandBarsTheme* pTheme = GetPaintManager();
    if (pTheme != NULL) {
        pTheme->GetBarBorders(rcBorders, this);
        nSeparator = pTheme->DrawControlSeparator(NULL, this, NULL, FALSE).cy;
    }
    int nTop = rcBorders.top;
    if (m_bTearOffPopup)
        nTop = std::max<int>(nTop, m_rcTearOffGripper.bottom);
    int nBottom = rcClient.bottom - rcBorders.bottom;

    // The expand button keeps its place at the bottom.
    CTKPControl* pExpand = m_bHasHiddenCommands ? FindExpandButton() : NULL;
    if (pExpand != NULL) {
        CRect rc = pExpand->GetRect();
        const int h = rc.Height();
        nBottom -= h;
        rc.top = nBottom;
        rc.bottom = nBottom + h;
        pExpand->SetRect(rc);
    }

    const int nCount = GetControlCount();
    std::vector<TKPScrollItem> items(nCount);
    for (int i = 0; i < nCount; i++) {
        CTKPControl* pControl = GetControl(i);
        pControl->SetHideFlag(tkpHideScroll, FALSE);
        items[i].nHeight = pControl->GetRect().Height();
        items[i].nGroupGap = pControl->GetBeginGroup() ? nSeparator : 0;
        items[i].bHidden = pControl == pExpand || pControl->GetHideFlags() != 0;
    }
    int nUpTop, nUpBottom, nDownTop, nDownBottom;
    TKPLayoutScrollRange(items.data(), nCount, nTop, nBottom, bKeepLast, m_nScrollFirst, m_nScrollEnd, nUpTop,
        nUpBottom, nDownTop, nDownBottom);
    for (int i = 0; i < nCount; i++) {
        CTKPControl* pControl = GetControl(i);
        if (items[i].bHidden)
            continue;
        if (items[i].bScrolledOut) {
            pControl->SetHideFlag(tkpHideScroll, TRUE);
            continue;
        }
        CRect rc = pControl->GetRect();
        rc.OffsetRect(0, items[i].nTop - rc.top);
        pControl->SetRect(rc);
        pControl->SetRowRect(rc);
    }
    const int nLeft = rcBorders.left, nRight = rcClient.right - rcBorders.right;
    m_scrollUp.rc = nUpBottom > nUpTop ? CRect(nLeft, nUpTop, nRight, nUpBottom) : CRect(0, 0, 0, 0);
    m_scrollDown.rc = nDownBottom > nDownTop ? CRect(nLeft, nDownTop, nRight, nDownBottom) : CRect(0, 0, 0, 0);
    if (bRedraw) {
        m_nStateFlags &= ~stateRedrawPending;
        if (m_nLockRedraw == 0 && GetSafeHwnd() != NULL)
            Invalidate(FALSE);
    }
}

void CTKPPopupBar::Reposition()
{
    if (m_bInLayout || GetSafeHwnd() == NULL || !IsTrackingMode())
        return;
    TKPGetPopupShadows()->RemoveShadows(this);
    UpdateShortcuts();
    UpdateFlags();
    const CSize size = CalcDynamicLayout(0, 0);
    const CRect rc = CalcPopupRect(size.cx, size.cy);
    CRect rcOld;
    GetWindowRect(&rcOld);
    const BOOL bDownward = rc.bottom > rcOld.bottom;
    CWnd* pSite = GetSite();
    if (m_bExpandAnimationPending) {
        ShowWindow(SW_HIDE);
        if (pSite != NULL && pSite->GetSafeHwnd() != NULL)
            pSite->UpdateWindow();
    }
    SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
        SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (m_bExpandAnimationPending) {
        const int nKind = ChooseAnimationType();
        if (nKind >= 2 && nKind <= 4)
            AnimateFrom(nKind, TRUE, bDownward);
        TKPGetSoundPlayer()->Play(CTKPSoundPlayer::soundMenuPopup);
    }
    if (m_bShowShadow)
        TKPGetPopupShadows()->CreateShadows(this, m_rcExclude);
    if (m_pControlPopup != NULL)
        m_pControlPopup->RedrawParent();
    m_nStateFlags &= ~stateRedrawPending;
    if (m_nLockRedraw == 0)
        Invalidate(FALSE);
    m_bExpandAnimationPending = FALSE;
}

void CTKPPopupBar::OnControlsChanged()
{
    CTKPCommandBar::OnControlsChanged();
    Reposition();
}

// --- Drawing ------------------------------------------------------------------------------------

void CTKPPopupBar::DrawCommandBar(CDC* pDC, CRect rcClipBox)
{
    CTKPCommandBar::DrawCommandBar(pDC, rcClipBox);
    if (m_bScrolling) {
        const COLORREF clr =
            GetPaintManager() != NULL ? GetPaintManager()->GetColor(COLOR_BTNTEXT) : ::GetSysColor(COLOR_BTNTEXT);
        if (!m_scrollDown.rc.IsRectEmpty()) {
            const CPoint c = m_scrollDown.rc.CenterPoint();
            CTKPCommandBarsTheme::DrawTriangle(pDC, CPoint(c.x - 3, c.y), CPoint(c.x + 3, c.y), CPoint(c.x, c.y + 3),
                clr);
        }
        if (!m_scrollUp.rc.IsRectEmpty()) {
            const CPoint c = m_scrollUp.rc.CenterPoint();
            CTKPCommandBarsTheme::DrawTriangle(pDC, CPoint(c.x - 3, c.y), CPoint(c.x + 3, c.y), CPoint(c.x, c.y - 3),
                clr);
        }
    }
    if (m_bTearOffPopup && GetControlCount() > 0 && GetPaintManager() != NULL)
        GetPaintManager()->DrawPopupBarHandle(pDC, m_rcTearOffGripper, m_bTearOffSelected, TRUE);
}

// --- Mouse, keys and timers ---------------------------------------------------------------------

void CTKPPopupBar::KillScrollTimer(ScrollButton& button)
{
    if (button.nTimer != 0 && GetSafeHwnd() != NULL)
        KillTimer(button.nID);
    button.nTimer = 0;
}

void CTKPPopupBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (IsLocked())
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CTKPCommandBar* pParent = GetParentCommandBar();
    if (rcClient.PtInRect(point) && pParent != NULL && m_pControlPopup != NULL)
        pParent->SetSelected(m_pControlPopup->GetIndex(), FALSE);

    if (m_bScrolling) {
        ScrollButton* buttons[2] = {&m_scrollDown, &m_scrollUp};
        for (ScrollButton* pButton : buttons) {
            if (!pButton->rc.IsRectEmpty() && pButton->rc.PtInRect(point)) {
                if (pButton->nTimer == 0) {
                    pButton->nTimer = SetTimer(pButton->nID, SCROLL_PERIOD);
                    SetPopuped(-1);
                    SetSelected(-1, FALSE);
                }
            } else {
                KillScrollTimer(*pButton);
            }
        }
    }

    if (m_bTearOffPopup && !IsCustomizeMode() && m_rcTearOffGripper.PtInRect(point) && !m_bTearOffSelected) {
        SetSelected(-1, FALSE);
        SetPopuped(-1);
        m_nTearOffTimer = SetTimer(TIMERID_GRIPPER, SCROLL_PERIOD);
    }
    CTKPCommandBar::OnMouseMove(nFlags, point);
}

void CTKPPopupBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bTearOffPopup && !IsCustomizeMode() && m_rcTearOffGripper.PtInRect(point)) {
        ::SetCursor(::LoadCursorW(NULL, IDC_SIZEALL));
        CTKPMouseTracker* pTracker = CTKPMouseTracker::GetThreadTracker();
        if (pTracker != NULL)
            pTracker->Suspend(TRUE);
        m_bTearOffTracking = TRUE;
        TrackTearOff();
        m_bTearOffTracking = FALSE;
        if (pTracker != NULL)
            pTracker->Suspend(FALSE);
    }
    CTKPCommandBar::OnLButtonDown(nFlags, point);
}

void CTKPPopupBar::OnScrollTimer(BOOL bDown)
{
    if (bDown) {
        if (m_nScrollEnd < GetControlCount()) {
            m_nScrollEnd++;
            LayoutScrollRange(NULL, TRUE, TRUE);
        } else {
            KillScrollTimer(m_scrollDown);
        }
    } else {
        if (m_nScrollFirst > 0) {
            m_nScrollFirst--;
            LayoutScrollRange(NULL, FALSE, TRUE);
        } else {
            KillScrollTimer(m_scrollUp);
        }
    }
}

void CTKPPopupBar::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case TIMERID_SCROLLDOWN:
        OnScrollTimer(TRUE);
        break;
    case TIMERID_SCROLLUP:
        OnScrollTimer(FALSE);
        break;
    case TIMERID_GRIPPER: {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        const BOOL bOver = m_rcTearOffGripper.PtInRect(pt);
        if (bOver && !m_bTearOffSelected) {
            m_bTearOffSelected = TRUE;
            Invalidate(FALSE);
        } else if (!bOver && !m_bTearOffTracking) {
            m_bTearOffSelected = FALSE;
            Invalidate(FALSE);
            KillTimer(TIMERID_GRIPPER);
            m_nTearOffTimer = 0;
        }
        break;
    }
    case TIMERID_EXPAND:
        OnExpandTimer();
        break;
    }
    CTKPCommandBar::OnTimer(nIDEvent);
}

BOOL CTKPPopupBar::SetSelected(int nSelected, BOOL bKeyboard)
{
    if (!CTKPCommandBar::SetSelected(nSelected, bKeyboard))
        return FALSE;
    CTKPControl* pSelected = GetSelected();
    CTKPCommandBars* pCommandBars = GetCommandBars();
    const BOOL bDelayed =
        pCommandBars != NULL && pCommandBars->GetOptions() != NULL && pCommandBars->GetOptions()->bShowFullAfterDelay;
    if (pSelected != NULL && pSelected->GetID() == TKP_ID_POPUPBAR_EXPAND && !bKeyboard && bDelayed)
        SetTimer(TIMERID_EXPAND, EXPAND_DELAY);
    else if (GetSafeHwnd() != NULL)
        KillTimer(TIMERID_EXPAND);
    if (m_bScrolling && pSelected != NULL && (pSelected->GetHideFlags() & tkpHideScroll) != 0) {
        if (nSelected >= m_nScrollEnd) {
            m_nScrollEnd = nSelected + 1;
            LayoutScrollRange(NULL, TRUE, TRUE);
        } else {
            m_nScrollFirst = nSelected;
            LayoutScrollRange(NULL, FALSE, TRUE);
        }
    }
    return TRUE;
}

int CTKPPopupBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (m_bHasHiddenCommands && nChar == VK_DOWN && !IsLocked()) {
        if (::GetKeyState(VK_CONTROL) < 0) {
            ExpandBar();
        } else {
            const int nNext = m_pControls->GetNext(m_nSelected, +1);
            if (nNext != -1 && nNext <= m_nSelected)
                ExpandBar();
        }
    }
    return CTKPCommandBar::OnHookKeyDown(nChar, lParam);
}

// --- Tear-off -----------------------------------------------------------------------------------

void CTKPPopupBar::SetTearOffPopup(LPCTSTR lpszCaption, UINT nID, int nWidth)
{
    m_bTearOffPopup = TRUE;
    m_strTearOffCaption = lpszCaption;
    m_nTearOffID = nID;
    m_nTearOffWidth = nWidth;
}

void CTKPPopupBar::TrackTearOff()
{
    CRect rcGripper = m_rcTearOffGripper;
    ClientToScreen(&rcGripper);
    if (::GetCapture() != NULL && ::GetCapture() != m_hWnd)
        return;
    SetCapture();
    CPoint ptLast(-32000, -32000);
    BOOL bInside = TRUE;
    HWND hWnd = m_hWnd;
    while (::IsWindow(hWnd) && ::GetCapture() == hWnd) {
        MSG msg;
        const BOOL bGot = TKPGetCaptureLoopMessage(&msg);
        if (bGot == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (bGot == -1)
            break;
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
            break;
        if (msg.message == WM_MOUSEMOVE) {
            CPoint pt;
            ::GetCursorPos(&pt);
            if (pt == ptLast)
                continue;
            ptLast = pt;
            CRect rcArea = rcGripper;
            rcArea.InflateRect(10, 10);
            const BOOL bNowInside = rcArea.PtInRect(pt);
            if (bNowInside != bInside) {
                bInside = bNowInside;
                MoveTearOff(bInside, pt.x, pt.y);
            }
            if (m_pTearOffBar != NULL && m_pTearOffBar->GetSafeHwnd() != NULL)
                m_pTearOffBar->SetWindowPos(NULL, pt.x - m_szTearOffBar.cx / 2, pt.y, m_szTearOffBar.cx,
                    m_szTearOffBar.cy, SWP_NOZORDER | SWP_NOACTIVATE);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    if (m_pTearOffBar != NULL) {
        m_pTearOffBar = NULL;
        if (CTKPCommandBars* pCommandBars = GetCommandBars())
            pCommandBars->ClosePopups();
    }
}

void CTKPPopupBar::MoveTearOff(BOOL bInside, int x, int y)
{
    ShowWindow(bInside ? SW_SHOWNA : SW_HIDE);
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (bInside) {
        if (m_pTearOffBar != NULL) {
            m_pTearOffBar->SetVisible(FALSE);
            m_pTearOffBar = NULL;
        }
        return;
    }
    if (m_pTearOffBar != NULL || pCommandBars == NULL)
        return;
    CTKPToolBar* pBar = pCommandBars->GetToolBar(m_nTearOffID);
    if (pBar != NULL) {
        pBar->SetPosition(tkpBarFloating);
        pBar->SetVisible(TRUE);
        pCommandBars->RecalcFrameLayout();
    } else {
        pBar = pCommandBars->AddCustomBar(m_strTearOffCaption, m_nTearOffID, TRUE);
        if (pBar == NULL)
            return;
        pBar->SetMRUWidth(m_nTearOffWidth);
        for (int i = 0; i < GetControlCount(); i++) {
            CTKPControl* pControl = GetControl(i);
            if (pControl->IsKindOf(RUNTIME_CLASS(CTKPMenuExpandButton)))
                continue;
            CTKPControl* pCopy = pBar->GetControls()->AddClone(pControl);
            if (pCopy != NULL)
                pCopy->SetHideFlags(pCopy->GetHideFlags() & ~(tkpHideScroll | tkpHideExpand));
        }
        pBar->SetPosition(tkpBarFloating);
    }
    m_szTearOffBar = pBar->CalcDynamicLayout(-1, LM_MRUWIDTH | LM_COMMIT | LM_HORZ);
    m_pTearOffBar = pBar;
    if (pBar->GetSafeHwnd() != NULL) {
        pBar->SetWindowPos(NULL, x - m_szTearOffBar.cx / 2, y - 10, m_szTearOffBar.cx, m_szTearOffBar.cy,
            SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}

// --- Copies -------------------------------------------------------------------------------------

void CTKPPopupBar::Copy(CTKPCommandBar* pSource, BOOL bRecursive)
{
    CTKPCommandBar::Copy(pSource, bRecursive);
    if (pSource == NULL || !pSource->IsKindOf(RUNTIME_CLASS(CTKPPopupBar)))
        return;
    CTKPPopupBar* pPopup = static_cast<CTKPPopupBar*>(pSource);
    m_bTearOffPopup = pPopup->m_bTearOffPopup;
    m_strTearOffCaption = pPopup->m_strTearOffCaption;
    m_nTearOffID = pPopup->m_nTearOffID;
    m_nTearOffWidth = pPopup->m_nTearOffWidth;
    m_bShowShadow = pPopup->m_bShowShadow;
    m_rcBorders = pPopup->m_rcBorders;
}

CTKPCommandBar* CTKPPopupBar::Clone(BOOL bRecursive)
{
    CTKPPopupBar* pClone = static_cast<CTKPPopupBar*>(GetRuntimeClass()->CreateObject());
    if (pClone == NULL)
        return NULL;
    pClone->SetCommandBars(m_pCommandBars);
    pClone->Copy(this, bRecursive);
    return pClone;
}

void CTKPPopupBar::CreateControlShadows(CTKPControl* pControl)
{
    if (m_bShowShadow)
        TKPGetPopupShadows()->CreateControlShadows(pControl);
}

// --- The popup toolbar ----------------------------------------------------------------------------

CTKPPopupToolBar::CTKPPopupToolBar()
{
    m_barType = tkpBarTypeNormal;
}

CTKPPopupToolBar* CTKPPopupToolBar::CreatePopupToolBar(CTKPCommandBars* pCommandBars)
{
    CTKPPopupToolBar* pBar = new CTKPPopupToolBar;
    pBar->SetCommandBars(pCommandBars);
    return pBar;
}

CSize CTKPPopupToolBar::CalcDynamicLayout(int /*nLength*/, DWORD /*dwMode*/, int /*nWidth*/)
{
    return CTKPPopupBar::CalcDynamicLayout(0, 0);
}

CTKPCommandBar* CTKPPopupToolBar::Clone(BOOL bRecursive)
{
    CTKPPopupToolBar* pClone = new CTKPPopupToolBar;
    pClone->SetCommandBars(m_pCommandBars);
    pClone->Copy(this, bRecursive);
    return pClone;
}
