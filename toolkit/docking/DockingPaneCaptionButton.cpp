#include "toolkit/docking/DockingPaneCaptionButton.h"

#include "toolkit/base/DrawingHelper.h"
#include "toolkit/docking/DockingCaptureLoop.h"
#include "toolkit/docking/DockingNode.h"

#include <algorithm>

CTKPDockingPaneCaptionButton::CTKPDockingPaneCaptionButton(int nId, CTKPDockingNode* pOwner)
    : m_rcButton(0, 0, 0, 0), m_pOwner(pOwner), m_nId(nId), m_bPressed(FALSE), m_bHot(FALSE), m_nState(0)
{
}

BOOL CTKPDockingPaneCaptionButton::IsVisible()
{
    return m_pOwner ? m_pOwner->IsCaptionButtonVisible(this) : TRUE;
}

void CTKPDockingPaneCaptionButton::SetRect(const CRect& rc)
{
    if (rc == m_rcButton)
        return;
    m_rcButton = rc;
    if (m_pOwner)
        m_pOwner->OnCaptionButtonRectChanged(this);
}

void CTKPDockingPaneCaptionButton::Redraw()
{
    if (m_pOwner)
        m_pOwner->Invalidate();
}

BOOL CTKPDockingPaneCaptionButton::OnMouseMove(CPoint pt)
{
    const BOOL bInside = !m_rcButton.IsRectEmpty() && m_rcButton.PtInRect(pt);
    if (m_bHot && !bInside) {
        m_bHot = FALSE;
        Redraw();
        return FALSE;
    }
    if (!m_bHot && bInside) {
        HWND hWnd = m_pOwner ? m_pOwner->GetWindowHandle() : NULL;
        if (hWnd) {
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, hWnd, HOVER_DEFAULT};
            ::TrackMouseEvent(&tme);
        }
        m_bHot = TRUE;
        Redraw();
        return TRUE;
    }
    return FALSE;
}

BOOL CTKPDockingPaneCaptionButton::Track(CWnd* pWnd, CPoint pt, BOOL bClient)
{
    if (::GetCapture() != NULL)
        return FALSE;
    HWND hWnd = pWnd->GetSafeHwnd();
    ::SetCapture(hWnd);
    m_bPressed = m_rcButton.PtInRect(pt);
    Redraw();
    BOOL bClicked = FALSE;
    TKPRunCaptureLoop(hWnd, FALSE, [&](MSG& msg) {
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
            pt = CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
            if (!bClient) {
                // Client coordinates of the capture window to its window coordinates.
                ::ClientToScreen(hWnd, &pt);
                pt = TKPScreenToWindowPoint(hWnd, pt);
            }
            const BOOL bPressed = m_rcButton.PtInRect(pt);
            if (bPressed != m_bPressed) {
                m_bPressed = bPressed;
                Redraw();
            }
            if (msg.message == WM_LBUTTONUP) {
                bClicked = m_bPressed;
                return FALSE;
            }
            return TRUE;
        }
        if (msg.message == WM_RBUTTONDOWN || msg.message == WM_CANCELMODE ||
            (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            return FALSE;
        // Keys and non-client moves are swallowed while the button is held.
        if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP && msg.message != WM_SYSKEYDOWN &&
            msg.message != WM_SYSKEYUP && msg.message != WM_NCMOUSEMOVE)
            ::DispatchMessageW(&msg);
        return TRUE;
    });
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_bPressed = FALSE;
    m_bHot = FALSE;
    OnMouseMove(pt);
    Redraw();
    return bClicked;
}

void CTKPDockingPaneCaptionButton::DeflateRectOriented(CRect& rc, int l, int t, int r, int b, BOOL bVertical)
{
    if (bVertical)
        rc.DeflateRect(t, l, b, r);
    else
        rc.DeflateRect(l, t, r, b);
}

int CTKPDockingPaneCaptionButton::RectLength(const CRect& rc, BOOL bHorizontal)
{
    return bHorizontal ? rc.Width() : rc.Height();
}

namespace {

void Line(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

}  // namespace

void CTKPDockingPaneCaptionButton::DrawPinGlyph(CDC* pDC, int x, int y, int nState)
{
    if (nState == 0) {
        Line(pDC, x - 3, y + 1, x + 4, y + 1);
        Line(pDC, x, y + 1, x, y + 5);
        const POINT body[4] = {{x - 2, y + 1}, {x - 2, y - 4}, {x + 2, y - 4}, {x + 2, y + 1}};
        pDC->Polyline(body, 4);
        Line(pDC, x + 1, y - 4, x + 1, y + 1);
    } else {
        Line(pDC, x - 4, y, x - 1, y);
        Line(pDC, x - 1, y - 3, x - 1, y + 4);
        const POINT body[4] = {{x - 1, y - 2}, {x + 3, y - 2}, {x + 3, y + 2}, {x - 1, y + 2}};
        pDC->Polyline(body, 4);
        Line(pDC, x - 1, y + 1, x + 3, y + 1);
    }
}

void CTKPDockingPaneCaptionButton::DrawMaximiseGlyph(CDC* pDC, int x, int y, int nState, COLORREF clr)
{
    auto frame = [&](int left, int top, int cx, int cy) {
        pDC->FillSolidRect(left, top, cx, 2, clr);
        pDC->FillSolidRect(left, top, 1, cy, clr);
        pDC->FillSolidRect(left + cx - 1, top, 1, cy, clr);
        pDC->FillSolidRect(left, top + cy - 1, cx, 1, clr);
    };
    if (nState == 0) {
        frame(x - 4, y - 2, 6, 6);
        pDC->FillSolidRect(x - 2, y - 5, 6, 2, clr);
        pDC->SetPixel(x - 2, y - 3, clr);
        pDC->SetPixel(x + 2, y, clr);
        pDC->FillSolidRect(x + 3, y - 3, 1, 4, clr);
    } else {
        frame(x - 5, y - 5, 9, 9);
    }
}

void CTKPDockingPaneCaptionButton::FillFrameRelativeGradient(
    CDC* pDC, CRect rc, CWnd* pWnd, const CTKPColorGradient& gradient)
{
    CFrameWnd* pFrame = pWnd ? pWnd->GetParentFrame() : NULL;
    if (!pFrame && pWnd)
        pFrame = dynamic_cast<CFrameWnd*>(pWnd);
    if (!pFrame)
        return;
    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    pWnd->ScreenToClient(&rcFrame);
    const int w = std::max<int>(rcFrame.Width(), ::GetSystemMetrics(SM_CXSCREEN) / 2);
    const COLORREF clrFirst = gradient.m_clrLight.GetEffective();
    const COLORREF clrSecond = gradient.m_clrDark.GetEffective();
    const float fLeft = w > 0 ? static_cast<float>(rc.left - rcFrame.left) / w : 0.0f;
    const float fRight = w > 0 ? static_cast<float>(rc.right - rcFrame.left) / w : 1.0f;
    const COLORREF clrLeft = CTKPDrawingHelper::MixColors(clrSecond, clrFirst, fLeft);
    const COLORREF clrRight = CTKPDrawingHelper::MixColors(clrSecond, clrFirst, fRight);
    CTKPDrawingHelper::GradientFill(pDC, rc, clrLeft, clrRight, TRUE);
}
