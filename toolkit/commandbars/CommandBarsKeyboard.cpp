// The command bars' keyboard handling (Alt, mnemonics, shortcuts), popup menus tracked for the
// frame, the toolbars context menu, the expand popup of toolbars and the hidden-command sets.
#include "classlib/win/AfxThreadState.h"
#include "classlib/win/CMenu.h"
#include "classlib/win/CWinThread.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlButton.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/DockBar.h"
#include "toolkit/commandbars/KeyBindings.h"
#include "toolkit/commandbars/KeyboardTracker.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/RefHolder.h"
#include "toolkit/commandbars/ToolBar.h"

namespace {

// Hidden popups nest only so deep (and shared popup bars may form cycles).
const int kMaxHiddenDepth = 32;

}  // namespace

// --- Keyboard cues ------------------------------------------------------------------------------

void CTKPCommandBars::ShowKeyboardCues(BOOL bShow)
{
    if (m_bCustomizeMode)
        bShow = TRUE;
    if (!m_bUseKeyboardCues || bShow == m_bKeyboardCuesVisible)
        return;
    m_bKeyboardCuesVisible = bShow;
    for (int i = 0; i < GetCount(); ++i) {
        if (m_arrBars[i]->GetSafeHwnd() != NULL)
            m_arrBars[i]->Invalidate(FALSE);
    }
}

void CTKPCommandBars::OnTrackingModeChanged(CTKPCommandBar* pBar, int nMode)
{
    if (nMode == 0 && m_bUseKeyboardCues && !GetMouseTracker()->IsTrackingOtherPopup(NULL))
        ShowKeyboardCues(FALSE);
}

// --- Keys of the frame --------------------------------------------------------------------------

BOOL CTKPCommandBars::IsMouseTrackerIdle()
{
    return GetMouseTracker()->GetTrackedCount() == 0;
}

BOOL CTKPCommandBars::IsFrameActive() const
{
    return m_pFrame != NULL && m_pFrame->GetSafeHwnd() != NULL &&
        CTKPDrawingHelper::IsTopParentActive(m_pFrame->GetSafeHwnd());
}

BOOL CTKPCommandBars::PreTranslateFrameMessage(MSG* pMsg)
{
    const UINT message = pMsg->message;
    const BOOL bPopupTracked = GetMouseTracker()->GetTrackedCount() > 0;
    if (message == WM_SYSKEYDOWN && (pMsg->lParam & 0x20000000) && IsMouseTrackerIdle() && IsFrameActive()) {
        if (pMsg->wParam == VK_MENU) {
            ShowKeyboardCues(TRUE);
            return FALSE;
        }
        if (!(m_bIgnoreShiftMenuKey && ::GetKeyState(VK_SHIFT) < 0) && OnFrameMnemonic((UINT)pMsg->wParam))
            return TRUE;
    }
    if ((message == WM_SYSKEYUP || message == WM_KEYUP) && m_bUseKeyboardCues && m_bKeyboardCuesVisible &&
        !bPopupTracked)
        ShowKeyboardCues(FALSE);
    if ((message == WM_CONTEXTMENU || message == WM_SYSKEYUP) && bPopupTracked)
        return TRUE;
    if (message == WM_MOUSEWHEEL) {
        CTKPKeyboardTracker* pKeyboardTracker = CTKPKeyboardTracker::GetThreadTracker();
        if (pKeyboardTracker->IsTracking())
            return pKeyboardTracker->OnMouseWheel(message, pMsg->wParam, pMsg->lParam);
    }
    if (message >= WM_KEYDOWN && message <= 0x108)
        return m_pKeyBindings->TranslateAccelerator(m_pFrame, pMsg);
    return FALSE;
}

BOOL CTKPCommandBars::OnFrameMnemonic(UINT nChar)
{
    if (m_pOptions->keyboardCuesUse == 2 || (nChar >= VK_NUMPAD0 && nChar <= VK_NUMPAD9) ||
        !CTKPKeyBindings::KeyHasChar(nChar))
        return FALSE;
    const BOOL bAllBars = (m_pOptions->keyboardCuesUse & 1) != 0;

    CTKPCommandBar* pCandidate = NULL;
    CTKPCommandBar* pMenuBar = reinterpret_cast<CTKPToolBar*>(m_pMenuBar);
    if (pMenuBar != NULL && pMenuBar->IsVisible())
        pCandidate = pMenuBar;
    for (int i = 0; i < GetCount(); ++i) {
        CTKPCommandBar* pBar = m_arrBars[i];
        if (pBar->IsTrackingMode()) {
            pCandidate = pBar;
            break;
        }
        if (bAllBars && pCandidate == NULL && pBar->IsVisible())
            pCandidate = pBar;
    }
    if (pCandidate == NULL || !pCandidate->IsVisible())
        return FALSE;

    CTKPCommandBar* pFoundBar = pCandidate;
    BOOL bMultiple = FALSE;
    int nFound = pCandidate->FindAccel(nChar, &bMultiple);
    if (nFound == -1 && bAllBars) {
        const int nStart = FindIndex(pCandidate);
        int i = nStart;
        for (int nGuard = 0; nGuard < GetCount(); ++nGuard) {
            i = GetNextVisibleBar(i, 1);
            if (i == -1 || i == nStart)
                break;
            nFound = m_arrBars[i]->FindAccel(nChar, &bMultiple);
            if (nFound != -1) {
                pFoundBar = m_arrBars[i];
                break;
            }
        }
    }
    if (nFound == -1)
        return FALSE;

    CTKPRefHolder hold(pFoundBar);
    if (!pFoundBar->IsTrackingMode())
        ClosePopups();
    ShowKeyboardCues(TRUE);
    pFoundBar->SetTrackingMode(CTKPCommandBar::trackingKeyboard, FALSE, TRUE);
    pFoundBar->SetSelected(nFound, TRUE);
    return TRUE;
}

BOOL CTKPCommandBars::OnMenuBarMnemonic(UINT nChar, CTKPCommandBar* pFromBar)
{
    CTKPCommandBar* pMenuBar = reinterpret_cast<CTKPToolBar*>(m_pMenuBar);
    if (pMenuBar == NULL || pMenuBar == pFromBar || !pMenuBar->IsVisible() || m_pOptions->keyboardCuesUse == 2)
        return FALSE;
    BOOL bMultiple = FALSE;
    const int nFound = pMenuBar->FindAccel(nChar, &bMultiple);
    if (nFound == -1)
        return FALSE;
    CTKPRefHolder hold(pMenuBar);
    ClosePopups();
    ShowKeyboardCues(TRUE);
    pMenuBar->SetTrackingMode(CTKPCommandBar::trackingKeyboard, FALSE, TRUE);
    pMenuBar->SetSelected(nFound, TRUE);
    CTKPControl* pFound = pMenuBar->GetControl(nFound);
    if (!bMultiple && pFound != NULL) {
        CTKPRefHolder holdControl(pFound);
        pFound->OnUnderlineActivate();
    }
    return TRUE;
}

BOOL CTKPCommandBars::ActivateNextBar(CTKPCommandBar* pBar, int nDirection)
{
    if (pBar == NULL)
        return FALSE;
    CTKPCommandBar* pTarget = pBar;
    if (nDirection != 0) {
        if (GetCount() < 2)
            return FALSE;
        const int nNext = GetNextVisibleBar(FindIndex(pBar), nDirection);
        if (nNext == -1 || m_arrBars[nNext] == pBar)
            return FALSE;
        pTarget = m_arrBars[nNext];
    }
    CTKPRefHolder hold(pTarget);
    ClosePopups();
    ShowKeyboardCues(TRUE);
    pTarget->SetTrackingMode(CTKPCommandBar::trackingKeyboard, FALSE, TRUE);
    pTarget->SetSelected(pTarget->GetControls()->GetNext(-1, 1, TRUE, FALSE, TRUE), TRUE);
    return TRUE;
}

// --- Popups -------------------------------------------------------------------------------------

CTKPCommandBar* CTKPCommandBars::CreatePopupBar(CTKPCommandBars* pCommandBars)
{
    CRuntimeClass* pClass = m_pPopupBarClass;
    if (pClass == NULL || !pClass->IsDerivedFrom(RUNTIME_CLASS(CTKPCommandBar)))
        return NULL;
    CTKPCommandBar* pPopup = static_cast<CTKPCommandBar*>(pClass->CreateObject());
    if (pPopup != NULL)
        pPopup->SetCommandBars(pCommandBars);
    return pPopup;
}

void CTKPCommandBars::ClosePopups() const
{
    GetMouseTracker()->CloseAll();
}

void CTKPCommandBars::PumpMessagesWhileTracking(CTKPCommandBar* pPopup)
{
    CWinThread* pThread = AfxGetThread();
    while (pPopup->IsTrackingMode()) {
        MSG msg;
        const BOOL bGot = ::GetMessageW(&msg, NULL, 0, 0);
        if (bGot == 0 || bGot == -1) {
            // The program is ending: the quit message goes back to the main loop.
            if (bGot == 0)
                ::PostQuitMessage((int)msg.wParam);
            pPopup->SetTrackingMode(CTKPCommandBar::trackingNone, TRUE, FALSE);
            break;
        }
        if (!pPopup->IsTrackingMode()) {
            if (msg.hwnd != NULL)
                ::PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            else
                ::PostThreadMessageW(::GetCurrentThreadId(), msg.message, msg.wParam, msg.lParam);
            break;
        }
        if (msg.message == WM_KICKIDLE)
            continue;
        if (pThread == NULL || !pThread->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

UINT CTKPCommandBars::TrackPopupMenu(CTKPCommandBar* pPopup, UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT rcExclude,
    CWnd* pWndOwner)
{
    if (pPopup == NULL)
        return 0;
    CTKPRefHolder hold(pPopup);
    UINT nResult = (nFlags & TPM_RETURNCMD) ? 0 : TRUE;
    pPopup->SetTrackFlags((nFlags & TPM_RIGHTBUTTON) != 0, (nFlags & TPM_NONOTIFY) != 0, (nFlags & TPM_RECURSE) != 0);
    pPopup->SetPopupFlags((nFlags & TPM_RIGHTALIGN) ? 3 : 2);
    if (nFlags & TPM_RETURNCMD)
        pPopup->SetReturnCmd(&nResult);
    pPopup->SetOwnerWnd(pWnd);
    if (pWndOwner != NULL)
        pPopup->SetSite(pWndOwner);

    CTKPMouseTracker* pMouseTracker = GetMouseTracker();
    const BOOL bRecurse = (nFlags & TPM_RECURSE) != 0;
    if (!bRecurse) {
        pMouseTracker->CloseAll();
        ::ReleaseCapture();
    } else {
        if (pMouseTracker->GetTrackedCount() > 0 && pMouseTracker->GetTrackedBar(0)->IsLocked())
            pMouseTracker->CloseNonLocked();
        pMouseTracker->LockTrackedBars(TRUE);
    }
    // A menu opened by a press ignores the release that follows it.
    if (::GetKeyState(VK_LBUTTON) < 0)
        pMouseTracker->m_bSwallowRelease = TRUE;

    if (!pPopup->PopupAt(x, y, rcExclude))
        nResult = 0;
    else
        PumpMessagesWhileTracking(pPopup);

    if (bRecurse) {
        for (int i = 0; i < pMouseTracker->GetTrackedCount(); ++i) {
            CTKPCommandBar* pBar = pMouseTracker->GetTrackedBar(i);
            if (pBar->GetLockCounter() > 0)
                pBar->SetLockCounter(pBar->GetLockCounter() - 1);
        }
    }
    pPopup->SetReturnCmd(NULL);
    return nResult;
}

UINT CTKPCommandBars::TrackMenuPopup(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT rcExclude,
    CWnd* pWndOwner, CTKPCommandBars* pCommandBars)
{
    if (pMenu == NULL || pMenu->GetSafeHmenu() == NULL)
        return 0;
    CTKPCommandBar* pPopup = CreatePopupBar(pCommandBars);
    if (pPopup == NULL) {
        // Without popup bars in the program the menu is the system's own.
        return (UINT)::TrackPopupMenu(pMenu->GetSafeHmenu(), nFlags, x, y, 0, pWnd != NULL ? pWnd->GetSafeHwnd() : NULL,
            NULL);
    }
    UINT nResult = 0;
    pPopup->SetOwnerWnd(pWnd);
    if (pWndOwner != NULL)
        pPopup->SetSite(pWndOwner);
    if (pPopup->LoadMenu(pMenu, TRUE))
        nResult = TrackPopupMenu(pPopup, nFlags, x, y, pWnd, rcExclude, pWndOwner);
    pPopup->InternalRelease();
    return nResult;
}

void CTKPCommandBars::ShowBarsContextMenu(WPARAM wParam, int x, int y)
{
    if (m_bCustomizeMode)
        return;
    CTKPCommandBar* pPopup = CreateToolbarsPopup();
    if (pPopup == NULL)
        return;
    if (m_pFrame != NULL && m_pFrame->GetSafeHwnd() != NULL)
        ::SendMessageW(m_pFrame->GetSafeHwnd(), TKPM_TOOLBARCONTEXTMENU, wParam, (LPARAM)pPopup);
    if (pPopup->GetControlCount() > 0) {
        pPopup->SetPopupFlags(IsLayoutRTL() ? 1 : 0);
        ClosePopups();
        if (pPopup->PopupAt(x, y, NULL)) {
            CWinThread* pThread = AfxGetThread();
            while (pPopup->IsTrackingMode()) {
                if (pThread == NULL) {
                    MSG msg;
                    const BOOL bGot = ::GetMessageW(&msg, NULL, 0, 0);
                    if (bGot == 0)
                        ::PostQuitMessage((int)msg.wParam);
                    if (bGot == 0 || bGot == -1)
                        break;
                    ::TranslateMessage(&msg);
                    ::DispatchMessageW(&msg);
                } else if (!pThread->PumpMessage()) {
                    // PumpMessage took WM_QUIT: it goes back to the main loop.
                    ::PostQuitMessage((int)AfxGetThreadState()->m_msgCur.wParam);
                    break;
                }
            }
            if (pPopup->IsTrackingMode())
                pPopup->SetTrackingMode(CTKPCommandBar::trackingNone, TRUE, FALSE);
        }
    }
    pPopup->InternalRelease();
}

CTKPCommandBar* CTKPCommandBars::CreateToolbarsPopup()
{
    CTKPCommandBar* pPopup = CreatePopupBar(this);
    if (pPopup == NULL)
        return NULL;
    for (int i = 0; i < GetCount(); ++i) {
        CTKPCommandBar* pBar = m_arrBars[i];
        if (pBar->GetType() != tkpBarTypeNormal || !pBar->IsContextMenuPresent() || !pBar->IsCloseable())
            continue;
        CString strIndex;
        strIndex.Format(L"%d", i);
        // A plain button: the id of the entry of bar 0 is also the one that makes the toolbar-list
        // placeholder, which would list every bar a second time.
        CTKPControl* pControl = pPopup->GetControls()->Add(new CTKPControlButton, TKP_ID_TOOLBARLIST + i, strIndex);
        pControl->SetCaption(pBar->GetTitle());
        pControl->SetChecked(pBar->IsVisible() ? 1 : 0);
    }
    return pPopup;
}

void CTKPCommandBars::GetDockRowBars(CTKPCommandBar* pBar, CArray<CTKPToolBar*, CTKPToolBar*>& arrBars)
{
    arrBars.RemoveAll();
    if (!pBar->IsKindOf(RUNTIME_CLASS(CTKPToolBar)))
        return;
    CTKPToolBar* pToolBar = static_cast<CTKPToolBar*>(pBar);
    CTKPDockBar* pDockBar = pToolBar->GetDockBar();
    if (pDockBar == NULL) {
        arrBars.Add(pToolBar);
        return;
    }
    pDockBar->GetRowBars(pDockBar->FindBar(pToolBar), arrBars);
}

void CTKPCommandBars::FillExpandPopup(CTKPCommandBar* pBar, CTKPCommandBar* pPopup)
{
    if (pBar == NULL || pPopup == NULL || !pBar->IsKindOf(RUNTIME_CLASS(CTKPToolBar)) ||
        static_cast<CTKPToolBar*>(pBar)->GetDockBar() == NULL)
        return;
    CArray<CTKPToolBar*, CTKPToolBar*> arrBars;
    GetDockRowBars(pBar, arrBars);
    for (INT_PTR b = 0; b < arrBars.GetSize(); ++b) {
        CTKPToolBar* pRowBar = arrBars[b];
        for (int i = 0; i < pRowBar->GetControlCount(); ++i) {
            CTKPControl* pControl = pRowBar->GetControl(i);
            // A bar's own expand button, squeezed out as well, offers nothing to run.
            if (pControl->GetHideFlags() != tkpHideWrap || pControl->GetID() == TKP_ID_TOOLBAR_EXPAND)
                continue;
            CTKPControl* pCopy = pPopup->GetControls()->AddClone(pControl, -1, TRUE);
            if (pCopy != NULL) {
                pCopy->SetHideFlags(0);
                pCopy->SetBeginGroup(FALSE);
            }
        }
    }
}

CTKPControl* CTKPCommandBars::AddToolbarPopupItem(CTKPCommandBar* pPopup, CTKPToolBar* pBar)
{
    CTKPControlPopup* pItem = CTKPControlPopup::CreateControlPopup(tkpControlPopup);
    pPopup->GetControls()->Add(pItem, 0);
    pItem->SetFlags(pItem->GetFlags() | tkpFlagManualUpdate);
    pItem->SetCaption(pBar->GetTitle());
    const BOOL bEnabled = m_bCustomizeAvail && pBar->IsBuiltIn() && pBar->IsCustomizable();
    pItem->SetEnabled(bEnabled);
    if (bEnabled)
        pItem->AttachCommandBar(pBar->CreateAddOrRemovePopup());
    return pItem;
}

void CTKPCommandBars::FillCustomizePopup(CTKPCommandBar* pBar, CTKPCommandBar* pPopup)
{
    if (pBar == NULL || pPopup == NULL)
        return;
    CArray<CTKPToolBar*, CTKPToolBar*> arrBars;
    GetDockRowBars(pBar, arrBars);
    for (INT_PTR i = 0; i < arrBars.GetSize(); ++i)
        AddToolbarPopupItem(pPopup, arrBars[i]);
    if (m_bCustomizeAvail) {
        CTKPControl* pCustomize = pPopup->GetControls()->Add(tkpControlButton, TKP_ID_CUSTOMIZE);
        pCustomize->SetBeginGroup(TRUE);
    }
}

// --- Hidden commands ----------------------------------------------------------------------------

void CTKPCommandBars::HideCommands(const UINT* pCommands, int nCount)
{
    for (int i = 0; pCommands != NULL && i < nCount; ++i)
        HideCommand(pCommands[i]);
}

void CTKPCommandBars::HideCommand(UINT nCommand)
{
    m_pOptions->m_mapHiddenCommands.SetAt(nCommand, TRUE);
}

BOOL CTKPCommandBars::IsCommandHidden(UINT nID)
{
    BOOL bValue;
    return m_pOptions->m_mapHiddenCommands.Lookup(nID, bValue) && !m_pOptions->m_mapUsedCommands.Lookup(nID, bValue);
}

namespace {

BOOL IsControlHiddenDeep(CTKPCommandBars* pCommandBars, CTKPControl* pControl, int nDepth)
{
    if (pControl == NULL)
        return FALSE;
    if (pCommandBars->IsCommandHidden((UINT)pControl->GetID()))
        return TRUE;
    if (!pCommandBars->GetOptions()->bAutoHideUnusedPopups || !TKPIsPopupType(pControl->GetType()) ||
        nDepth > kMaxHiddenDepth)
        return FALSE;
    CTKPCommandBar* pBar = pControl->GetCommandBar();
    if (pBar == NULL || pBar->GetControlCount() == 0)
        return FALSE;
    for (int i = 0; i < pBar->GetControlCount(); ++i) {
        if (!IsControlHiddenDeep(pCommandBars, pBar->GetControl(i), nDepth + 1))
            return FALSE;
    }
    return TRUE;
}

}  // namespace

BOOL CTKPCommandBars::IsControlHidden(CTKPControl* pControl)
{
    return IsControlHiddenDeep(this, pControl, 0);
}

void CTKPCommandBars::SetCommandUsed(UINT nID)
{
    if (IsCommandHidden(nID))
        m_pOptions->m_mapUsedCommands.SetAt(nID, TRUE);
}

void CTKPCommandBars::ResetUsageData()
{
    m_pOptions->m_mapUsedCommands.RemoveAll();
}
