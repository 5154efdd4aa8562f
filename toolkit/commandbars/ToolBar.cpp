#include "toolkit/commandbars/ToolBar.h"

#include "classlib/win/CFrameWnd.h"
#include "classlib/win/CMiniFrameWnd.h"
#include "classlib/win/CWinApp.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/DockBar.h"
#include "toolkit/commandbars/KeyBindings.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/RefHolder.h"
#include "toolkit/commandbars/ToolBarButtons.h"
#include "toolkit/commandbars/ToolBarDockContext.h"
#include "toolkit/commandbars/ToolTipRecord.h"

IMPLEMENT_SERIAL(CTKPToolBar, CTKPCommandBar, VERSIONABLE_SCHEMA | 16)

BEGIN_MESSAGE_MAP(CTKPToolBar, CTKPCommandBar)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_NCHITTEST()
ON_WM_NCLBUTTONDOWN()
ON_WM_MOUSEACTIVATE()
ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

namespace {

// The screen's DC for measuring, released with the object.
class CScreenDC : public CDC {
public:
    CScreenDC() { Attach(::GetDC(NULL)); }
    ~CScreenDC() override
    {
        HDC hdc = Detach();
        ::ReleaseDC(NULL, hdc);
    }
};

const int kExpandButtonLength = 11;

}  // namespace

CTKPToolBar::CTKPToolBar()
    : m_bBuiltIn(TRUE), m_bTearOff(FALSE), m_bHideable(TRUE), m_bPreviewVisible(FALSE), m_bPreviewMode(FALSE),
      m_bExemptOnlyCustomized(FALSE), m_bShowExpandButton(TRUE), m_pDockBar(NULL), m_pDockContext(NULL),
      m_hwndFocusLost(NULL)
{
    m_barType = tkpBarTypeNormal;
    m_dwStyle = tkpBarStyleGripper;
    m_bCloseable = TRUE;
}

CTKPToolBar::~CTKPToolBar()
{
    delete m_pDockContext;
}

void CTKPToolBar::EnableBarDocking(DWORD dwFlags)
{
    if (m_pDockContext == NULL)
        m_pDockContext = new CTKPToolBarDockContext(this);
    m_dwFlags = dwFlags;
}

BOOL CTKPToolBar::LoadToolBar(UINT nIDResource, BOOL bLoadIcons)
{
    m_nBarID = nIDResource;
    const BOOL bResult = CTKPCommandBar::LoadToolBar(nIDResource, bLoadIcons);
    if (bResult)
        m_pControls->CreateSavedCopy();
    return bResult;
}

// --- Position, window, visibility ---------------------------------------------------------------

BOOL CTKPToolBar::SetPosition(int nPosition)
{
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return FALSE;
    if (nPosition >= tkpBarTop && nPosition <= tkpBarRight)
        return pCommandBars->DockCommandBar(this, nPosition);
    if (nPosition == tkpBarFloating)
        return pCommandBars->FloatCommandBar(this);
    return FALSE;
}

BOOL CTKPToolBar::CreateBarWindow(CWnd* pFrame, BOOL bFloating)
{
    if (GetSafeHwnd() == NULL) {
        CPoint pt(100, 100);
        if (m_pDockContext != NULL && m_pDockContext->m_bHasFloatPos)
            pt = m_pDockContext->m_ptMRUFloatPos;
        CTKPCommandBars* pCommandBars = GetCommandBars();
        const DWORD dwExStyle = pCommandBars != NULL && pCommandBars->IsLayoutRTL() ? WS_EX_LAYOUTRTL : 0;
        LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW));
        if (!CreateEx(dwExStyle, lpszClass, m_strTitle, 0x86000100, CRect(pt, CSize(0, 0)), pFrame, 0))
            return FALSE;
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    if (bFloating) {
        if (GetStyle() & WS_CHILD) {
            ::SetParent(m_hWnd, NULL);
            CWnd::ModifyStyle(m_hWnd, WS_CHILD, WS_POPUP | 0x100, 0);
        }
        ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT, (LONG_PTR)(pFrame != NULL ? pFrame->GetSafeHwnd() : NULL));
    } else {
        CWnd::ModifyStyle(m_hWnd, WS_POPUP, WS_CHILD, 0);
    }
    return TRUE;
}

BOOL CTKPToolBar::SetVisible(BOOL bVisible)
{
    if (bVisible == m_bVisible)
        return FALSE;
    // Hiding a torn-off bar removes it from its manager; the caller may be one of its own controls.
    CTKPRefHolder hold(this);
    m_bVisible = bVisible;
    if (!bVisible)
        SetTrackingMode(trackingNone, TRUE, FALSE);
    if (GetSafeHwnd() != NULL)
        ShowWindow(bVisible ? SW_SHOWNA : SW_HIDE);
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL) {
        if (m_barPosition != tkpBarFloating)
            pCommandBars->RecalcFrameLayout(FALSE);
        CWnd* pFrame = pCommandBars->GetSite();
        if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL)
            ::SendMessageW(pFrame->GetSafeHwnd(), TKPM_BARVISIBLECHANGED, (WPARAM)this, bVisible);
        if (m_bTearOff && !bVisible)
            pCommandBars->Remove(this);
    }
    return TRUE;
}

void CTKPToolBar::OnFloatingLayoutChanged()
{
    if (m_barPosition == tkpBarFloating) {
        if (GetSafeHwnd() == NULL)
            return;
        const CSize size = CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Invalidate(FALSE);
        return;
    }
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
        pCommandBars->RecalcFrameLayout(FALSE);
}

void CTKPToolBar::OnSetPreviewMode(BOOL bPreview)
{
    if (bPreview == m_bPreviewMode)
        return;
    m_bPreviewMode = bPreview;
    if (bPreview) {
        m_bPreviewVisible = m_bVisible;
        if (GetSafeHwnd() != NULL)
            ShowWindow(SW_HIDE);
    } else if (m_bPreviewVisible && GetSafeHwnd() != NULL) {
        ShowWindow(SW_SHOWNA);
    }
}

// --- Layout -------------------------------------------------------------------------------------

DWORD CTKPToolBar::GetDockLayoutMode() const
{
    DWORD dwMode = 0x4A;
    if (m_dwFlags & tkpFlagHideWrap)
        dwMode |= LM_HIDEWRAP;
    if (m_dwFlags & tkpFlagStretched)
        dwMode |= LM_STRETCH;
    return dwMode;
}

CTKPControl* CTKPToolBar::PrepareExpandButton(CDC* pDC, int nLength, DWORD dwMode, const CRect& rcBorders, int nWidth,
    BOOL& bShow)
{
    bShow = FALSE;
    CTKPCommandBars* pCommandBars = GetCommandBars();
    CTKPControl* pExpand = m_pControls->FindControl(0, TKP_ID_TOOLBAR_EXPAND, FALSE, FALSE);
    if (pExpand == NULL && m_bShowExpandButton && pCommandBars != NULL) {
        pExpand = new CTKPToolBarExpandButton;
        m_pControls->Add(pExpand, TKP_ID_TOOLBAR_EXPAND, NULL, -1, TRUE);
    }
    if (pExpand == NULL)
        return NULL;
    pExpand->SetHideFlag(tkpHideCustomize, TRUE);
    if (!m_bShowExpandButton || pCommandBars == NULL)
        return pExpand;
    if (pCommandBars->GetOptions()->bShowExpandButtonAlways) {
        bShow = TRUE;
    } else {
        BOOL bOverflow = FALSE;
        m_pControls->CalcDynamicSize(pDC, nLength, dwMode & ~LM_COMMIT, rcBorders, nWidth, &bOverflow);
        bShow = bOverflow;
    }
    return pExpand;
}

CSize CTKPToolBar::CalcDockingLayout(int nLength, DWORD dwMode, int nWidth)
{
    CTKPCommandBarsTheme* pTheme = GetPaintManager();
    CScreenDC dc;
    CRect rcBorders;
    pTheme->GetBarBorders(rcBorders, this);
    const BOOL bVert = (dwMode & LM_VERTDOCK) != 0;
    if (GetShowGripper()) {
        const CSize szGripper = pTheme->DrawCommandBarGripper(&dc, this, FALSE);
        if (bVert)
            rcBorders.top += szGripper.cy;
        else
            rcBorders.left += szGripper.cx;
    }

    CTKPControl* pClose = m_pControls->FindControl(0, TKP_ID_TOOLBAR_CLOSE, FALSE, FALSE);
    if (pClose != NULL)
        pClose->SetHideFlag(tkpHideCustomize, TRUE);

    BOOL bShowExpand = FALSE;
    CTKPControl* pExpand = PrepareExpandButton(&dc, nLength, dwMode, rcBorders, nWidth, bShowExpand);
    if (pExpand != NULL && pExpand->IsKindOf(RUNTIME_CLASS(CTKPToolBarExpandButton)))
        static_cast<CTKPToolBarExpandButton*>(pExpand)->SetFloatingLook(FALSE);
    if (bShowExpand) {
        if (bVert)
            rcBorders.bottom += kExpandButtonLength;
        else
            rcBorders.right += kExpandButtonLength;
    }

    const CSize size = m_pControls->CalcDynamicSize(&dc, nLength, dwMode, rcBorders, nWidth);
    if (bShowExpand) {
        pExpand->SetHideFlag(tkpHideCustomize, FALSE);
        if (dwMode & LM_COMMIT)
            pTheme->DrawSpecialControl(&dc, CTKPCommandBarsTheme::specialToolbarExpand, pExpand, this, FALSE, size, 0);
    }
    return size;
}

CSize CTKPToolBar::CalcDynamicLayout(int nLength, DWORD dwMode, int nWidth)
{
    if (m_barPosition != tkpBarFloating)
        return CalcDockingLayout(nLength, dwMode, nWidth);

    CTKPCommandBarsTheme* pTheme = GetPaintManager();
    CScreenDC dc;
    CRect rcBorders;
    pTheme->GetBarBorders(rcBorders, this);
    const CSize szCaption = pTheme->DrawCommandBarGripper(&dc, this, FALSE);
    const int nCaption = szCaption.cy;
    rcBorders.top += nCaption + 3;

    CTKPControl* pClose = m_pControls->FindControl(0, TKP_ID_TOOLBAR_CLOSE, FALSE, FALSE);
    if (pClose == NULL && m_barType >= tkpBarTypeNormal && m_bCloseable) {
        pClose = new CTKPToolBarCloseButton;
        m_pControls->Add(pClose, TKP_ID_TOOLBAR_CLOSE, NULL, -1, TRUE);
    }
    if (pClose != NULL)
        pClose->SetHideFlag(tkpHideCustomize, TRUE);
    // The expand button in the caption follows the docked bar's rule.
    BOOL bShowExpand = FALSE;
    CTKPControl* pExpand = PrepareExpandButton(&dc, nLength, dwMode, rcBorders, nWidth, bShowExpand);

    const CSize size = m_pControls->CalcDynamicSize(&dc, nLength, dwMode, rcBorders, nWidth);
    if (dwMode & LM_COMMIT) {
        int nRight = size.cx - 3;
        if (pClose != NULL && m_barType >= tkpBarTypeNormal && m_bCloseable) {
            pClose->SetHideFlag(tkpHideCustomize, FALSE);
            pClose->SetRect(CRect(nRight - nCaption, 3, nRight, 3 + nCaption));
            nRight -= nCaption;
        }
        if (pExpand != NULL && bShowExpand) {
            if (pExpand->IsKindOf(RUNTIME_CLASS(CTKPToolBarExpandButton)))
                static_cast<CTKPToolBarExpandButton*>(pExpand)->SetFloatingLook(TRUE);
            pExpand->SetHideFlag(tkpHideCustomize, FALSE);
            pExpand->SetRect(CRect(nRight - nCaption, 3, nRight, 3 + nCaption));
        }
    }
    return size;
}

LRESULT CTKPToolBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (pLayout == NULL || !(GetStyle() & WS_VISIBLE))
        return 0;
    DWORD dwMode = GetDockLayoutMode();
    if (pLayout->hDWP == NULL)
        dwMode &= ~LM_COMMIT;
    const CRect rc = pLayout->rect;
    CSize size = CalcDynamicLayout(rc.Width(), dwMode);
    size.cx = std::min<int>(size.cx, rc.Width());
    size.cy = std::min<int>(size.cy, rc.Height());
    pLayout->sizeTotal.cy += size.cy;
    pLayout->sizeTotal.cx = std::max<int>(pLayout->sizeTotal.cx, size.cx);
    pLayout->rect.top += size.cy;
    if (pLayout->hDWP != NULL)
        pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, NULL, rc.left, rc.top, size.cx, size.cy,
            SWP_NOZORDER | SWP_NOACTIVATE);
    Invalidate(FALSE);
    return 0;
}

// --- Copies, reset ------------------------------------------------------------------------------

void CTKPToolBar::Copy(CTKPCommandBar* pSource, BOOL bRecursive)
{
    CTKPCommandBar::Copy(pSource, bRecursive);
    if (pSource != NULL && pSource != this && pSource->IsKindOf(RUNTIME_CLASS(CTKPToolBar))) {
        CTKPToolBar* pToolBar = static_cast<CTKPToolBar*>(pSource);
        m_bBuiltIn = pToolBar->m_bBuiltIn;
        m_bTearOff = pToolBar->m_bTearOff;
        m_bCloseable = pToolBar->m_bCloseable;
    }
}

CTKPCommandBar* CTKPToolBar::Clone(BOOL bRecursive)
{
    CTKPToolBar* pClone = new CTKPToolBar;
    pClone->Copy(this, bRecursive);
    return pClone;
}

void CTKPToolBar::ResetToolBar()
{
    if (!CanResetToolBar())
        return;
    CString strFormat;
    if (!GetResourceManager()->LoadString(&strFormat, TKP_IDS_CONFIRM_RESET))
        strFormat = L"Are you sure you want to reset the changes made to the '%s' toolbar?";
    CString strPrompt;
    strPrompt.Format(strFormat, (LPCTSTR)m_strTitle);
    if (GetResourceManager()->ShowMessageBox(strPrompt, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    CTKPControls* pSaved = m_pControls->GetSavedCopy();
    if (pSaved != NULL) {
        pSaved->InternalAddRef();
        m_pControls->RemoveAll();
        for (int i = 0; i < pSaved->GetCount(); ++i) {
            if (!pSaved->GetAt(i)->IsTemporary())
                m_pControls->AddClone(pSaved->GetAt(i), -1, TRUE);
        }
        pSaved->InternalRelease();
    } else {
        CTKPCommandBar::LoadToolBar(m_nBarID, FALSE);
    }
    OnIdleUpdateCmdUI(TRUE, 0);
    OnRecalcLayout();
    OnFloatingLayoutChanged();
}

CTKPCommandBar* CTKPToolBar::CreateAddOrRemovePopup()
{
    CTKPCommandBar* pPopup = CTKPCommandBars::CreatePopupBar(GetCommandBars());
    CTKPControls* pSaved = m_pControls->GetSavedCopy();
    if (pPopup == NULL || pSaved == NULL)
        return pPopup;
    for (int i = 0; i < pSaved->GetCount(); ++i) {
        CTKPControl* pOriginal = pSaved->GetAt(i);
        CTKPControl* pCurrent = m_pControls->FindControl(pOriginal->GetType(), pOriginal->GetID(), FALSE, FALSE);
        CTKPAddOrRemoveButton* pItem = new CTKPAddOrRemoveButton;
        pPopup->GetControls()->Add(pItem, pOriginal->GetID());
        pItem->SetTarget(this, pOriginal->GetType());
        pItem->SetCaption(pOriginal->GetCaption());
        // The list removes a button by hiding it: found but hidden, it would still show ticked.
        pItem->SetChecked(pCurrent != NULL && !(pCurrent->GetHideFlags() & tkpHideCustomize));
    }
    CTKPResetToolBarButton* pReset = new CTKPResetToolBarButton;
    pPopup->GetControls()->Add(pReset, TKP_IDS_RESET);
    pReset->SetTarget(this, tkpControlButton);
    pReset->SetBeginGroup(TRUE);
    if (pReset->GetCaption().IsEmpty())
        pReset->SetCaption(L"Reset");
    return pPopup;
}

// --- Tooltips -----------------------------------------------------------------------------------

INT_PTR CTKPToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (m_barType == tkpBarTypePopup && m_barPosition != tkpBarPopup)
        return -1;
    if (CTKPMouseTracker::GetThreadTracker()->IsTrackingOtherPopup(const_cast<CTKPToolBar*>(this)))
        return -1;
    if (pCommandBars != NULL && !pCommandBars->GetOptions()->bToolBarScreenTips)
        return -1;
    CTKPControl* pControl = m_pControls->HitTest(point);
    if (pControl == NULL)
        return -1;
    if (m_barType == tkpBarTypePopup && !(pCommandBars != NULL && pCommandBars->GetOptions()->bShowPopupBarToolTips) &&
        !(pControl->GetFlags() & tkpFlagShowPopupTip))
        return -1;
    if (pTI != NULL) {
        CString strTip = pControl->GetTooltip();
        CString strDescription = pControl->GetDescription();
        if (pCommandBars != NULL && pCommandBars->GetOptions()->bToolBarAccelTips) {
            CString strShortcut = pControl->GetShortcutText();
            if (strShortcut.IsEmpty())
                pCommandBars->GetKeyBindings()->FindShortcut((UINT)pControl->GetID(), strShortcut);
            if (!strShortcut.IsEmpty()) {
                strTip += L" (" + strShortcut + L")";
                strDescription += L" (" + strShortcut + L")";
            }
        }
        FillToolInfo(pTI, m_hWnd, pControl->GetRect(), (UINT_PTR)pControl->GetID(), strTip, CString(), strDescription);
    }
    return pControl->GetID() != 0 ? pControl->GetID() : -1;
}

// --- Mouse and window messages ------------------------------------------------------------------

void CTKPToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_barPosition == tkpBarFloating)
        SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (m_pControls->HitTest(point) != NULL) {
        CTKPCommandBar::OnLButtonDown(nFlags, point);
        return;
    }
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
        pCommandBars->ClosePopups();
    if (m_pDockContext != NULL && (m_dwFlags & (tkpFlagAlignAny | tkpFlagFloating))) {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        CTKPRefHolder hold(this);
        m_pDockContext->StartDrag(ptScreen);
    }
}

void CTKPToolBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pControls->HitTest(point) == NULL && m_pDockContext != NULL) {
        m_pDockContext->ToggleDocking();
        return;
    }
    CTKPCommandBar::OnLButtonDblClk(nFlags, point);
}

void CTKPToolBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (IsCustomizeMode()) {
        CTKPCommandBar::OnRButtonDown(nFlags, point);
        return;
    }
    SetTrackingMode(trackingNone, TRUE, FALSE);
    SetSelected(-1, FALSE);
    Invalidate(FALSE);
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL) {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        CTKPRefHolder hold(this);
        pCommandBars->ShowBarsContextMenu((WPARAM)this, ptScreen.x, ptScreen.y);
    }
}

LRESULT CTKPToolBar::OnNcHitTest(CPoint point)
{
    if (m_barPosition == tkpBarFloating && GetSafeHwnd() != NULL) {
        CRect rc;
        GetWindowRect(&rc);
        if (point.y < rc.top + 3)
            return HTTOP;
        if (point.y >= rc.bottom - 3)
            return HTBOTTOM;
        if (point.x < rc.left + 3)
            return HTLEFT;
        if (point.x >= rc.right - 3)
            return HTRIGHT;
    }
    return CTKPCommandBar::OnNcHitTest(point);
}

void CTKPToolBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (m_pDockContext != NULL && nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT) {
        CWnd* pTop = GetTopLevelParent();
        if (pTop != NULL)
            pTop->SetActiveWindow();
        SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        CTKPCommandBars* pCommandBars = GetCommandBars();
        if (pCommandBars != NULL)
            pCommandBars->ClosePopups();
        CTKPRefHolder hold(this);
        m_pDockContext->StartResize((int)nHitTest, point);
        return;
    }
    CTKPCommandBar::OnNcLButtonDown(nHitTest, point);
}

int CTKPToolBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (m_barPosition == tkpBarFloating || IsCustomizeMode())
        return MA_NOACTIVATE;
    CWnd* pFocus = CWnd::GetFocus();
    if (pFocus != NULL) {
        CFrameWnd* pFrame = pFocus->GetParentFrame();
        if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
            return MA_NOACTIVATE;
    }
    return CTKPCommandBar::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

LRESULT CTKPToolBar::OnFloatStatus(WPARAM wParam, LPARAM)
{
    const LRESULT lResult = (GetStyle() & 0x100) && (wParam & FS_SYNCACTIVE) ? TRUE : FALSE;
    CTKPCommandBars* pCommandBars = GetCommandBars();
    const BOOL bSync = pCommandBars == NULL || pCommandBars->GetOptions()->bSyncFloatingBars;
    if (m_barPosition == tkpBarFloating && m_bVisible && bSync) {
        CWnd* pTop = GetTopLevelParent();
        const HWND hWndTop = pTop != NULL ? pTop->GetSafeHwnd() : NULL;
        const BOOL bTopActive = hWndTop != NULL && CTKPMouseTracker::IsTopParentActive(hWndTop);
        if ((wParam & FS_DEACTIVATE) && !bTopActive) {
            ShowWindow(SW_HIDE);
        } else if ((wParam & FS_ACTIVATE) && !IsWindowVisible() && bTopActive) {
            HWND hWndForeground = ::GetForegroundWindow();
            if (hWndForeground != NULL && ::IsWindowVisible(hWndForeground) && !::IsIconic(hWndForeground))
                ShowWindow(SW_SHOWNA);
        }
    }
    if (wParam & FS_SHOW)
        ShowWindow(SW_SHOWNA);
    if (wParam & FS_HIDE)
        ShowWindow(SW_HIDE);
    if (wParam & FS_ENABLE)
        EnableWindow(TRUE);
    if (wParam & FS_DISABLE)
        EnableWindow(FALSE);
    return lResult;
}

void CTKPToolBar::OnSetFocus(CWnd* pOldWnd)
{
    if (m_hwndFocusLost == NULL && pOldWnd != NULL)
        m_hwndFocusLost = pOldWnd->GetSafeHwnd();
    CTKPCommandBar::OnSetFocus(pOldWnd);
    if (m_pDockContext == NULL)
        SetTrackingMode(trackingKeyboard, TRUE, TRUE);
}

int CTKPToolBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (nChar == VK_TAB && m_pDockContext == NULL && GetSafeHwnd() != NULL && GetParent() != NULL) {
        CWnd* pNext = GetParent()->GetNextDlgTabItem(this, ::GetKeyState(VK_SHIFT) < 0);
        if (pNext != NULL && pNext != this) {
            pNext->SetFocus();
            SetTrackingMode(trackingNone, TRUE, FALSE);
            return hookHandled;
        }
    }
    return CTKPCommandBar::OnHookKeyDown(nChar, lParam);
}
