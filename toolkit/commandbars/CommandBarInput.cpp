// The command bar's mouse, keyboard and timer handling.
#include "classlib/win/CFrameWnd.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/KeyBindings.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/RefHolder.h"
#include "toolkit/commandbars/customize/CustomizeSheet.h"

CTKPCommandBar::BeepFunction CTKPCommandBar::s_pfnBeep = NULL;

namespace {

BOOL IsHelpMode(CTKPCommandBar* pBar)
{
    CFrameWnd* pFrame = pBar->GetFrameSite();
    return pFrame != NULL && pFrame->m_bHelpMode;
}

BOOL KeyDown(int nKey)
{
    return ::GetKeyState(nKey) < 0;
}

}  // namespace

// --- Mouse --------------------------------------------------------------------------------------

void CTKPCommandBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (GetSafeHwnd() == NULL)
        return;
    CTKPMouseTracker* pMouseTracker = CTKPMouseTracker::GetThreadTracker();
    if (pMouseTracker->IsTrackingOtherPopup(this))
        return;
    if (m_nTrackingMode == trackingNone && m_barPosition != tkpBarPopup &&
        !CTKPDrawingHelper::IsTopParentActive(m_hWnd))
        return;
    if (pMouseTracker->IsSuspended())
        return;
    if (IsCustomizeMode()) {
        CTKPCommandBars* pCommandBars = GetCommandBars();
        CTKPControl* pDrag = pCommandBars != NULL ? pCommandBars->GetDragControl() : NULL;
        if (pDrag != NULL && pDrag->GetParent() == this)
            pDrag->UpdateCustomizeCursor(point);
        return;
    }
    CTKPRefHolder hold(this);
    int nSelected = -1;
    if (m_nTrackingMode != trackingNone && (m_barPosition != tkpBarPopup || m_nPopuped != -1 || m_bKeyboardSelect))
        nSelected = m_nSelected;
    for (int i = 0; i < GetControlCount(); ++i) {
        CTKPControl* pControl = GetControl(i);
        if (pControl->GetParent() != this || !pControl->IsVisible() || !pControl->GetRect().PtInRect(point))
            continue;
        nSelected = i;
        pMouseTracker->TrackMouseLeave(m_hWnd);
        pControl->OnMouseMove(point);
    }
    SetSelected(nSelected, FALSE);
}

LRESULT CTKPCommandBar::OnMouseLeave(WPARAM, LPARAM)
{
    if (CTKPMouseTracker::GetThreadTracker()->IsSuspended())
        return 0;
    if (m_nTrackingMode != trackingNone && !(m_barPosition == tkpBarPopup && m_nPopuped == -1))
        return 0;
    if (IsLocked())
        return 0;
    SetSelected(-1, FALSE);
    return 0;
}

void CTKPCommandBar::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    OnMouseLeave(0, 0);
    CWnd::OnNcMouseMove(nHitTest, point);
}

void CTKPCommandBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    CTKPControl* pControl = m_pControls->HitTest(point);
    if (pControl == NULL) {
        CWnd::OnLButtonDown(nFlags, point);
        return;
    }
    CTKPRefHolder holdBar(this);
    CTKPRefHolder holdControl(pControl);
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (!IsCustomizeMode() && IsCustomizable() && !(pControl->GetFlags() & tkpFlagNoMovable) &&
        m_barType == tkpBarTypeNormal && KeyDown(VK_MENU) && pCommandBars != NULL &&
        pCommandBars->GetOptions()->bAltDragCustomization && pCommandBars->IsCustomizeAvail()) {
        pCommandBars->SetCustomizeMode(TRUE);
        pCommandBars->ClosePopups();
        SetSelected(-1, FALSE);
        pControl->OnCustomizeMouseDown(point);
        pCommandBars->SetCustomizeMode(FALSE);
        pCommandBars->RecalcFrameLayout(FALSE);
        pCommandBars->ClosePopups();
        return;
    }
    if (IsCustomizeMode() && (!IsCustomizable() || (pControl->GetFlags() & tkpFlagNoMovable)))
        return;
    pControl->OnClick(FALSE, point);
}

void CTKPCommandBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CTKPControl* pControl = IsCustomizeMode() ? NULL : m_pControls->HitTest(point);
    if (pControl == NULL) {
        CWnd::OnLButtonDblClk(nFlags, point);
        return;
    }
    CTKPRefHolder holdBar(this);
    CTKPRefHolder holdControl(pControl);
    pControl->OnLButtonDblClk(point);
}

void CTKPCommandBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    CTKPControl* pControl = IsCustomizeMode() ? NULL : m_pControls->HitTest(point);
    if (pControl == NULL) {
        CWnd::OnLButtonUp(nFlags, point);
        return;
    }
    CTKPRefHolder holdBar(this);
    CTKPRefHolder holdControl(pControl);
    pControl->OnLButtonUp(point);
}

void CTKPCommandBar::OnRButtonUp(UINT nFlags, CPoint point)
{
    CTKPControl* pControl = IsCustomizeMode() ? NULL : m_pControls->HitTest(point);
    if (pControl == NULL) {
        CWnd::OnRButtonUp(nFlags, point);
        return;
    }
    CTKPRefHolder holdBar(this);
    CTKPRefHolder holdControl(pControl);
    CWnd* pSite = GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL &&
        ::SendMessageW(pSite->GetSafeHwnd(), TKPM_CONTROLRBUTTONUP, (WPARAM)&point, (LPARAM)pControl) == 1)
        return;
    if (GetRootParent()->IsRightButtonTracking())
        pControl->OnLButtonUp(point);
    else
        pControl->OnRButtonUp(point);
}

void CTKPCommandBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL && IsCustomizeMode() && IsCustomizable()) {
        CTKPControl* pControl = m_pControls->HitTest(point);
        if (pControl != NULL && !(pControl->GetFlags() & tkpFlagNoMovable)) {
            pCommandBars->ClosePopups();
            SetSelected(-1, FALSE);
            pCommandBars->SetDragControl(pControl);
            CWnd* pDialog = pCommandBars->GetCustomizeDialog();
            if (pDialog != NULL && pDialog->GetSafeHwnd() != NULL &&
                pDialog->IsKindOf(RUNTIME_CLASS(CTKPCustomizeSheet))) {
                CPoint ptScreen = point;
                ClientToScreen(&ptScreen);
                static_cast<CTKPCustomizeSheet*>(pDialog)->ShowCustomizeMenu(ptScreen);
            }
            return;
        }
    }
    CWnd::OnRButtonDown(nFlags, point);
}

LRESULT CTKPCommandBar::OnNcHitTest(CPoint point)
{
    if (IsHelpMode(this)) {
        CPoint ptClient = point;
        ScreenToClient(&ptClient);
        CTKPControl* pControl = m_pControls->HitTest(ptClient);
        if (pControl != NULL && pControl->GetID() <= 0 && TKPIsPopupType(pControl->GetType()))
            return HTMENU;
        return HTCLIENT;
    }
    return CWnd::OnNcHitTest(point);
}

void CTKPCommandBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (IsHelpMode(this)) {
        CPoint ptClient = point;
        ScreenToClient(&ptClient);
        OnLButtonDown(MK_LBUTTON, ptClient);
        return;
    }
    CWnd::OnNcLButtonDown(nHitTest, point);
}

LRESULT CTKPCommandBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    const CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    CTKPControl* pControl = m_pControls->HitTest(point);
    if (pControl != NULL && pControl->GetID() > 0)
        return 0x10000 + pControl->GetID();
    const int nID = GetDlgCtrlID();
    return nID != 0 ? 0x50000 + nID : 0;
}

// --- Timers -------------------------------------------------------------------------------------

void CTKPCommandBar::OnTimer(UINT_PTR nIDEvent)
{
    CWnd::OnTimer(nIDEvent);
    if (nIDEvent != TIMERID_HOVER && nIDEvent != TIMERID_FULLMENU)
        return;
    // While the bar is locked the timers keep running; they act once it is unlocked.
    if (IsLocked())
        return;
    KillTimer(nIDEvent);
    CTKPRefHolder hold(this);
    CTKPControl* pSelected = GetControl(m_nSelected);
    if (nIDEvent == TIMERID_HOVER) {
        if (pSelected != NULL) {
            CTKPRefHolder holdControl(pSelected);
            pSelected->OnMouseHover();
        }
        return;
    }
    if (m_nPopuped != -1 && m_nPopuped == m_nSelected && pSelected != NULL && pSelected->IsCursorOver() &&
        pSelected->IsKindOf(RUNTIME_CLASS(CTKPControlPopup)))
        static_cast<CTKPControlPopup*>(pSelected)->ExpandPopup();
}

// --- Keyboard -----------------------------------------------------------------------------------

TCHAR CTKPCommandBar::GetMnemonicChar(const CString& strCaption, BOOL* pbUnderlined)
{
    if (pbUnderlined != NULL)
        *pbUnderlined = FALSE;
    const int nLength = strCaption.GetLength();
    for (int i = 0; i < nLength - 1; ++i) {
        if (strCaption[i] == L'&') {
            if (strCaption[i + 1] != L'&') {
                if (pbUnderlined != NULL)
                    *pbUnderlined = TRUE;
                return strCaption[i + 1];
            }
            ++i;  // "&&" is a plain ampersand
        }
    }
    return nLength > 0 ? strCaption[0] : 0;
}

int CTKPCommandBar::FindAccel(UINT nChar, BOOL* pbMultiple)
{
    BOOL bMultiple = FALSE;
    const int nStart = m_pControls->GetNext(m_nSelected, 1, TRUE, FALSE, TRUE);
    int nUnderlined = -1, nFirstChar = -1;
    if (nStart != -1) {
        int i = nStart;
        do {
            CTKPControl* pControl = GetControl(i);
            const CString strCaption = pControl->GetCaption();
            if (pControl->GetEnabled() && !strCaption.IsEmpty()) {
                BOOL bUnderlined = FALSE;
                const TCHAR ch = GetMnemonicChar(strCaption, &bUnderlined);
                if (CTKPKeyBindings::MatchesKeyChar(ch, nChar)) {
                    if (bUnderlined) {
                        if (nUnderlined != -1) {
                            bMultiple = TRUE;
                            break;
                        }
                        nUnderlined = i;
                    } else if (nFirstChar == -1) {
                        nFirstChar = i;
                    } else {
                        bMultiple = TRUE;
                    }
                }
            }
            // Past the start rarely used controls count too: their mnemonics reach them.
            i = m_pControls->GetNext(i, 1, TRUE, FALSE, FALSE);
        } while (i != nStart && i != -1);
    }
    if (pbMultiple != NULL)
        *pbMultiple = bMultiple;
    return nUnderlined != -1 ? nUnderlined : nFirstChar;
}

int CTKPCommandBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (IsCustomizeMode() || IsHelpMode(this))
        return hookPass;
    if (IsLocked())
        return hookHandled;
    CTKPControl* pSelected = GetControl(m_nSelected);
    if (pSelected != NULL && pSelected->IsFocused()) {
        const int nResult = pSelected->OnHookKeyDown(nChar, lParam);
        if (nResult == hookHandled || nResult == hookPass)
            return nResult;
    }

    CTKPRefHolder hold(this);
    const HWND hWnd = m_hWnd;
    CWnd* pSite = GetSite();
    if (pSite != NULL && pSite->GetSafeHwnd() != NULL) {
        TKPKEYDOWNSTRUCT kd = {nChar, (UINT)lParam};
        ::SendMessageW(pSite->GetSafeHwnd(), TKPM_TRACKINGKEYDOWN, (WPARAM)&kd, (LPARAM)this);
        if (hWnd != NULL && !::IsWindow(hWnd))
            return hookHandled;
    }

    const BOOL bShift = KeyDown(VK_SHIFT);
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (nChar == VK_TAB) {
        if (KeyDown(VK_CONTROL) && GetParentCommandBar() == NULL && m_barType == tkpBarTypeNormal &&
            pCommandBars != NULL && pCommandBars->ActivateNextBar(this, bShift ? -1 : 1))
            return hookHandled;
        ProcessSpecialKey(bShift ? keyPrev : keyNext);
        CTKPControl* pNewSelected = GetControl(m_nSelected);
        if (pNewSelected != NULL && pNewSelected->IsFocusable())
            pNewSelected->SetFocused(TRUE);
        return hookHandled;
    }
    if (nChar == VK_RETURN)
        return ProcessSpecialKey(keyReturn) ? hookHandled : hookNotHandled;
    if (nChar == VK_ESCAPE)
        return ProcessSpecialKey(keyEscape) ? hookHandled : hookNotHandled;

    const HWND hWndFocus = ::GetFocus();
    if (hWnd != NULL && hWndFocus != NULL && ::IsChild(hWnd, hWndFocus))
        return hookPass;

    const BOOL bHorz = m_barPosition == tkpBarTop || m_barPosition == tkpBarBottom || m_barPosition == tkpBarFloating ||
        (m_barPosition == tkpBarPopup && m_barType == tkpBarTypeNormal);
    const BOOL bRTL = IsLayoutRTL();
    int nKey = -1;
    switch (nChar) {
    case VK_END:
        nKey = keyLast;
        break;
    case VK_HOME:
        nKey = keyFirst;
        break;
    case VK_LEFT:
        nKey = bHorz ? (bRTL ? keyNext : keyPrev) : (bRTL ? keyPopupExpand : keyPopupCollapse);
        break;
    case VK_UP:
        nKey = bHorz ? keyPopupCollapse : keyPrev;
        break;
    case VK_RIGHT:
        nKey = bHorz ? (bRTL ? keyPrev : keyNext) : (bRTL ? keyPopupCollapse : keyPopupExpand);
        break;
    case VK_DOWN:
        nKey = bHorz ? keyPopupExpand : keyNext;
        break;
    }
    if (nKey != -1)
        return ProcessSpecialKey(nKey) ? hookHandled : hookNotHandled;

    if (::MapVirtualKeyW(nChar, MAPVK_VK_TO_CHAR) != 0) {
        if (m_barType == tkpBarTypeNormal && pCommandBars != NULL && pCommandBars->OnMenuBarMnemonic(nChar, this))
            return hookHandled;
        if (!KeyDown(VK_CONTROL)) {
            BOOL bMultiple = FALSE;
            const int nFound = FindAccel(nChar, &bMultiple);
            if (nFound != -1) {
                SetSelected(nFound, TRUE);
                CTKPControl* pFound = GetControl(nFound);
                if (!bMultiple && pFound != NULL) {
                    CTKPRefHolder holdControl(pFound);
                    pFound->OnUnderlineActivate();
                }
                return hookHandled;
            }
        }
        if (nChar != VK_SHIFT && nChar != VK_CONTROL)
            (s_pfnBeep != NULL ? s_pfnBeep : ::MessageBeep)(0);
    }
    return hookHandled;
}

BOOL CTKPCommandBar::SelectInNextRow(BOOL bDown)
{
    CTKPControl* pSelected = GetControl(m_nSelected);
    if (pSelected == NULL)
        return FALSE;
    const CRect rcSelected = pSelected->GetRect();
    const int nSelectedRowTop = pSelected->GetRowRect().top;
    const int nDirection = bDown ? 1 : -1;
    int nCandidate = -1;
    int i = m_nSelected;
    for (int nGuard = 0; nGuard <= GetControlCount(); ++nGuard) {
        i = m_pControls->GetNext(i, nDirection, TRUE, FALSE, TRUE);
        if (i == -1 || i == m_nSelected)
            break;
        CTKPControl* pControl = GetControl(i);
        const CRect rcRow = pControl->GetRowRect();
        if (nCandidate == -1) {
            if (rcRow.top != nSelectedRowTop && !rcRow.IsRectEmpty())
                nCandidate = i;
            continue;
        }
        CTKPControl* pCandidate = GetControl(nCandidate);
        if (rcRow.top != pCandidate->GetRowRect().top)
            break;
        const int nLeft = pControl->GetRect().left;
        const int nCandidateLeft = pCandidate->GetRect().left;
        if (nLeft <= rcSelected.left && nLeft > nCandidateLeft)
            nCandidate = i;
        else if (nLeft < rcSelected.left)
            break;
        else if (nCandidateLeft <= nLeft)
            break;
        else
            nCandidate = i;
    }
    if (nCandidate != -1)
        SetSelected(nCandidate, TRUE);
    return TRUE;
}

BOOL CTKPCommandBar::ProcessSpecialKey(int nKey)
{
    CTKPRefHolder hold(this);
    const BOOL bPopupToolBar = m_barPosition == tkpBarPopup && m_barType == tkpBarTypeNormal;
    CTKPControl* pSelected = GetControl(m_nSelected);
    if (m_nSelected == -1 || m_nSelected != m_nPopuped || !bPopupToolBar) {
        if (nKey == keyPopupCollapse && (GetParentCommandBar() == NULL || bPopupToolBar) && pSelected != NULL &&
            pSelected->GetEnabled() && TKPIsPopupType(pSelected->GetType()) && m_nPopuped == -1)
            nKey = keyPopupExpand;
    } else {
        if (nKey == keyNext)
            return FALSE;
        if (nKey == keyPrev)
            nKey = keyPopupCollapse;
    }

    if ((nKey == keyPopupCollapse || nKey == keyPopupExpand) && (bPopupToolBar || m_barPosition == tkpBarFloating) &&
        m_nPopuped == -1) {
        if (pSelected == NULL) {
            SetSelected(m_pControls->GetNext(-1, nKey == keyPopupExpand ? 1 : -1, TRUE, FALSE, TRUE), TRUE);
            return TRUE;
        }
        if (!(pSelected->GetEnabled() && TKPIsPopupType(pSelected->GetType())))
            return SelectInNextRow(nKey == keyPopupExpand);
    }

    switch (nKey) {
    case keyNext:
        SetSelected(m_pControls->GetNext(m_nSelected, 1, TRUE, FALSE, TRUE), TRUE);
        return TRUE;
    case keyPrev:
        SetSelected(m_pControls->GetNext(m_nSelected, -1, TRUE, FALSE, TRUE), TRUE);
        return TRUE;
    case keyPopupCollapse:
        if (m_nPopuped != -1) {
            SetPopuped(-1, FALSE);
            SetTrackingMode(trackingKeyboard, FALSE, TRUE);
            return TRUE;
        }
        return FALSE;
    case keyPopupExpand:
        if (pSelected != NULL && m_nSelected != m_nPopuped) {
            pSelected->SetSelected(2);
            return SetPopuped(m_nSelected, TRUE);
        }
        return FALSE;
    case keyEscape: {
        CTKPCommandBar* pParent = GetParentCommandBar();
        if (pParent != NULL)
            pParent->SetTrackingMode(trackingKeyboard, FALSE, TRUE);
        SetTrackingMode(trackingNone, TRUE, FALSE);
        return TRUE;
    }
    case keyReturn:
        if (pSelected != NULL) {
            CTKPRefHolder holdControl(pSelected);
            pSelected->SetSelected(2);
            pSelected->OnClick(TRUE, CPoint(0, 0));
            return TRUE;
        }
        return FALSE;
    case keyFirst:
        SetSelected(m_pControls->GetNext(-1, 1, TRUE, FALSE, TRUE), TRUE);
        return TRUE;
    case keyLast:
        SetSelected(m_pControls->GetNext(-1, -1, TRUE, FALSE, TRUE), TRUE);
        return TRUE;
    }
    return FALSE;
}
