#include "toolkit/commandbars/customize/CustomizeDropSource.h"

#include "res/commandbars-customize.h"
#include "toolkit/base/CaptureLoopPaints.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/RefHolder.h"

IMPLEMENT_DYNAMIC(CTKPCustomizeDropSource, CCmdTarget)

CTKPCustomizeDropSource::CTKPCustomizeDropSource(CTKPCommandBars* pCommandBars)
    : m_pCommandBars(pCommandBars), m_hWndCapture(NULL), m_pControl(NULL), m_bMove(FALSE), m_bFromList(FALSE),
      m_pTarget(NULL), m_pOwner(NULL), m_ptStart(0, 0)
{
    m_hcurNone = GetResourceManager()->LoadCursor(IDC_TKP_DRAG_NONE);
    m_hcurMove = GetResourceManager()->LoadCursor(IDC_TKP_DRAG_MOVE);
    m_hcurCopy = GetResourceManager()->LoadCursor(IDC_TKP_DRAG_COPY);
}

CTKPCustomizeDropSource::~CTKPCustomizeDropSource() {}

void CTKPCustomizeDropSource::RegisterTarget(CTKPCommandBar* pBar)
{
    if (pBar != NULL)
        m_arrTargets.Add(pBar);
}

void CTKPCustomizeDropSource::UnregisterTarget(CTKPCommandBar* pBar)
{
    for (INT_PTR i = m_arrTargets.GetSize() - 1; i >= 0; --i) {
        if (m_arrTargets[i] == pBar)
            m_arrTargets.RemoveAt(i);
    }
    if (m_pTarget == pBar)
        m_pTarget = NULL;
}

CWnd* CTKPCustomizeDropSource::GetCaptureWindow() const
{
    if (m_pOwner != NULL)
        return m_pOwner;
    return m_pCommandBars != NULL ? m_pCommandBars->GetSite() : NULL;
}

UINT CTKPCustomizeDropSource::GetCursorId() const
{
    if (m_pTarget == NULL)
        return IDC_TKP_DRAG_NONE;
    return m_bMove && !m_bFromList ? IDC_TKP_DRAG_MOVE : IDC_TKP_DRAG_COPY;
}

void CTKPCustomizeDropSource::UpdateCursor()
{
    const UINT nId = GetCursorId();
    HCURSOR hCursor = nId == IDC_TKP_DRAG_NONE ? m_hcurNone : nId == IDC_TKP_DRAG_MOVE ? m_hcurMove : m_hcurCopy;
    if (hCursor != NULL)
        ::SetCursor(hCursor);
}

void CTKPCustomizeDropSource::BeginDrag(CTKPControl* pControl, BOOL bFromList, CPoint ptStart)
{
    m_pControl = pControl;
    m_bFromList = bFromList;
    m_bMove = FALSE;
    m_pTarget = NULL;
    m_ptStart = ptStart;
}

void CTKPCustomizeDropSource::FirstMove()
{
    CTKPCommandBar* pBar = m_pControl != NULL ? m_pControl->GetParent() : NULL;
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
        return;
    CPoint pt;
    ::GetCursorPos(&pt);
    pBar->ScreenToClient(&pt);
    DWORD dropEffect = CTKPCommandBar::dropCancelled;
    m_pControl->OnCustomizeDragOver(m_pControl, pt, dropEffect);
}

void CTKPCustomizeDropSource::SetCopyMode(BOOL bCopy)
{
    m_bMove = !bCopy;
    UpdateCursor();
}

void CTKPCustomizeDropSource::DragOver(CPoint ptScreen)
{
    CTKPCommandBar* pCandidate = NULL;
    for (INT_PTR i = m_arrTargets.GetSize() - 1; i >= 0 && pCandidate == NULL; --i) {
        CTKPCommandBar* pBar = m_arrTargets[i];
        if (pBar->GetSafeHwnd() == NULL || !pBar->IsVisible())
            continue;
        CRect rcWindow;
        pBar->GetWindowRect(&rcWindow);
        if (rcWindow.PtInRect(ptScreen))
            pCandidate = pBar;
    }
    if (pCandidate != NULL && pCandidate == m_pTarget) {
        CPoint pt = ptScreen;
        pCandidate->ScreenToClient(&pt);
        pCandidate->OnCustomizeDragOver(m_pControl, pt);
    } else {
        if (m_pTarget != NULL) {
            m_pTarget->OnCustomizeDragLeave();
            m_pTarget = NULL;
        }
        if (pCandidate != NULL) {
            CPoint pt = ptScreen;
            pCandidate->ScreenToClient(&pt);
            if (pCandidate->OnCustomizeDragEnter(m_pControl, pt) != 0)
                m_pTarget = pCandidate;
        }
    }
    UpdateCursor();
}

int CTKPCustomizeDropSource::Drop(CPoint ptScreen)
{
    if (m_pTarget == NULL)
        return CTKPCommandBar::dropNone;
    // The bar inserts a copy either way; a control dragged off a bar leaves it on a move.
    DWORD dropEffect = m_bMove ? CTKPCommandBar::dropMove : CTKPCommandBar::dropCopy;
    if (m_hWndCapture != NULL && ::GetCapture() == m_hWndCapture)
        ::ReleaseCapture();
    CTKPCommandBar* pTarget = m_pTarget;
    CTKPRefHolder hold(pTarget);
    CPoint ptDrop = ptScreen;
    CPoint ptDrag = m_ptStart;
    pTarget->ScreenToClient(&ptDrop);
    pTarget->ScreenToClient(&ptDrag);
    pTarget->OnCustomizeDrop(m_pControl, dropEffect, ptDrop, ptDrag);
    m_pTarget = NULL;
    return (int)dropEffect;
}

void CTKPCustomizeDropSource::EndDrag()
{
    if (m_pTarget != NULL) {
        m_pTarget->OnCustomizeDragLeave();
        m_pTarget = NULL;
    }
    if (m_hWndCapture != NULL && ::GetCapture() == m_hWndCapture)
        ::ReleaseCapture();
    m_hWndCapture = NULL;
    m_pControl = NULL;
    ::SetCursor(::LoadCursorW(NULL, IDC_ARROW));
}

namespace {

void DispatchLoopMessage(MSG& msg)
{
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

}  // namespace

int CTKPCustomizeDropSource::RunLoop(HWND hWndCapture)
{
    BOOL bFirstMove = TRUE;
    for (;;) {
        if (::GetCapture() != hWndCapture) {
            CPoint pt;
            ::GetCursorPos(&pt);
            return bFirstMove ? CTKPCommandBar::dropCancelled : Drop(pt);
        }
        MSG msg;
        // Bars repaint their insertion marks while the drag goes on; a quit message cancels it.
        const BOOL bGot = TKPGetCaptureLoopMessage(&msg);
        if (bGot == 0) {
            ::PostQuitMessage((int)msg.wParam);
            return CTKPCommandBar::dropCancelled;
        }
        if (bGot == -1)  // the queue cannot be read: no message to act on
            return CTKPCommandBar::dropCancelled;
        if (::GetCapture() != hWndCapture)
            return CTKPCommandBar::dropCancelled;
        switch (msg.message) {
        case WM_RBUTTONDOWN:
            return CTKPCommandBar::dropCancelled;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                return CTKPCommandBar::dropCancelled;
            if (msg.wParam == VK_CONTROL)
                SetCopyMode(TRUE);
            else
                DispatchLoopMessage(msg);
            break;
        case WM_KEYUP:
            if (msg.wParam == VK_CONTROL)
                SetCopyMode(FALSE);
            else
                DispatchLoopMessage(msg);
            break;
        case WM_LBUTTONUP: {
            // A click that never moved picks the control; it is no drop outside every bar.
            if (bFirstMove)
                return CTKPCommandBar::dropCancelled;
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::ClientToScreen(msg.hwnd, &pt);
            return Drop(pt);
        }
        case WM_MOUSEMOVE: {
            if (bFirstMove) {
                FirstMove();
                bFirstMove = FALSE;
            }
            m_bMove = !(msg.wParam & MK_CONTROL);
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::ClientToScreen(msg.hwnd, &pt);
            DragOver(pt);
            if (!(msg.wParam & MK_LBUTTON))
                return Drop(pt);
            break;
        }
        default:
            DispatchLoopMessage(msg);
            break;
        }
    }
}

int CTKPCustomizeDropSource::DoDragDrop(CTKPControl* pControl, BOOL bFromList)
{
    CWnd* pCaptureWnd = GetCaptureWindow();
    if (pControl == NULL || pCaptureWnd == NULL || pCaptureWnd->GetSafeHwnd() == NULL)
        return CTKPCommandBar::dropCancelled;
    CTKPRefHolder hold(pControl);
    CPoint ptStart;
    ::GetCursorPos(&ptStart);
    BeginDrag(pControl, bFromList, ptStart);
    m_hWndCapture = pCaptureWnd->GetSafeHwnd();
    ::SetCapture(m_hWndCapture);
    UpdateCursor();
    const int nResult = RunLoop(m_hWndCapture);
    EndDrag();
    return nResult;
}
