#include "toolkit/controls/FlatEdit.h"

#include "toolkit/base/MemDC.h"
#include "toolkit/controls/ControlColors.h"
#include "toolkit/controls/HotTracking.h"

namespace {
const UINT_PTR kHotTimer = 1000;
}

IMPLEMENT_DYNAMIC(CTKFlatEdit, CTKEdit)

BEGIN_MESSAGE_MAP(CTKFlatEdit, CTKEdit)
ON_WM_SETCURSOR()
ON_WM_TIMER()
ON_WM_NCPAINT()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CTKFlatEdit::CTKFlatEdit()
    : CTKThemeStyleHolder(RUNTIME_CLASS(CTKFlatEditThemeFactory)), m_bHot(FALSE), m_bFocus(FALSE), m_bFlat(TRUE)
{}

void CTKFlatEdit::SetFlat(BOOL bFlat)
{
    m_bFlat = bFlat;
    if (::IsWindow(m_hWnd))
        RedrawBorder();
}

BOOL CTKFlatEdit::IsCursorOver()
{
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    return rcWindow.PtInRect(pt);
}

int CTKFlatEdit::GetDrawState() const
{
    if (m_bFocus)
        return 3;
    return m_bHot ? 2 : 1;
}

void CTKFlatEdit::DrawBorder(CDC* pDC, const CRect& rcWindow)
{
    if (CTKFlatEditTheme* pTheme = GetEditTheme())
        pTheme->DrawBorder(pDC, this, rcWindow, GetDrawState());
}

void CTKFlatEdit::RedrawBorder()
{
    SendMessage(WM_NCPAINT, 1, 0);
}

BOOL CTKFlatEdit::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bFlat && message == WM_MOUSEMOVE && IsCursorOver())
        TKStartHotTracking(this, kHotTimer);
    return CTKEdit::OnSetCursor(pWnd, nHitTest, message);
}

void CTKFlatEdit::OnHotTrackTimer()
{
    if (TKHotTrackStep(this, kHotTimer, IsCursorOver(), m_bHot))
        RedrawBorder();
}

void CTKFlatEdit::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHotTimer)
        OnHotTrackTimer();
    else
        CTKEdit::OnTimer(nIDEvent);
}

void CTKFlatEdit::OnNcPaint()
{
    if (!m_bFlat) {
        Default();
        return;
    }
    CWindowDC dc(this);
    CRect rcWindow, rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
    dc.ExcludeClipRect(&rcClient);
    const COLORREF clrBack = tkcolor::Get(IsWindowEnabled() ? tkcolor::Window : tkcolor::Face);
    CTKMemDC memDC(&dc, rcWindow, CTKPColorGradient(clrBack));
    DrawBorder(&memDC, rcWindow);
}

void CTKFlatEdit::OnSetFocus(CWnd* pOldWnd)
{
    CTKEdit::OnSetFocus(pOldWnd);
    if (m_bFlat) {
        m_bFocus = TRUE;
        // The border lies outside the client area: redraw the frame too.
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME);
    }
}

void CTKFlatEdit::OnKillFocus(CWnd* pNewWnd)
{
    CTKEdit::OnKillFocus(pNewWnd);
    if (m_bFlat) {
        m_bFocus = FALSE;
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME);
    }
}
