#include "toolkit/commandbars/DialogBar.h"

#include "toolkit/base/DCSelectors.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/DialogBarCaption.h"
#include "toolkit/commandbars/SavedLayoutLimits.h"

#include <algorithm>

IMPLEMENT_SERIAL(CTKPDialogBar, CTKPToolBar, VERSIONABLE_SCHEMA | 16)

BEGIN_MESSAGE_MAP(CTKPDialogBar, CTKPToolBar)
ON_WM_NCHITTEST()
ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

const int kCaptionButton = 16;

}  // namespace

CTKPDialogBar::CTKPDialogBar()
    : m_nBorderLeft(3), m_nBorderTop(3), m_nBorderRight(3), m_nBorderBottom(3), m_bResizable(TRUE), m_szMin(50, 50),
      m_bCaption(TRUE), m_bCaptionPopup(TRUE), m_nCaptionHeight(0), m_szDockedClient(200, 200),
      m_szFloatingClient(200, 200), m_hwndChild(NULL), m_pCaptionPopup(NULL)
{
    m_pCaptionPopup = new CTKPDialogBarCaptionPopup;
    SetShowGripper(TRUE);
}

CTKPDialogBar::~CTKPDialogBar()
{
    if (m_pCaptionPopup != NULL)
        m_pCaptionPopup->InternalRelease();
}

void CTKPDialogBar::SetChild(HWND hWndChild)
{
    m_hwndChild = hWndChild;
    PlaceChild();
}

void CTKPDialogBar::SetCaption(LPCTSTR lpszCaption)
{
    m_strCaption = lpszCaption != NULL ? lpszCaption : L"";
    OnRecalcLayout();
}

void CTKPDialogBar::SetCaptionVisible(BOOL bVisible)
{
    m_bCaption = bVisible;
    SetShowGripper(bVisible);
    OnRecalcLayout();
}

void CTKPDialogBar::SetBorders(int nLeft, int nTop, int nRight, int nBottom)
{
    m_nBorderLeft = nLeft;
    m_nBorderTop = nTop;
    m_nBorderRight = nRight;
    m_nBorderBottom = nBottom;
    OnRecalcLayout();
}

void CTKPDialogBar::SetDockedClientSize(CSize size)
{
    m_szDockedClient = TKPClampSavedSize(size);
}

void CTKPDialogBar::SetFloatingClientSize(CSize size)
{
    m_szFloatingClient = TKPClampSavedSize(size);
}

CRect CTKPDialogBar::GetInsideBorders()
{
    // The caption takes its room only while it is shown: counted with the caption off, it would
    // leave an empty strip above the client.
    return CRect(m_nBorderLeft, m_nBorderTop + (m_bCaption ? MeasureCaption() : 0), m_nBorderRight, m_nBorderBottom);
}

// --- Layout ---------------------------------------------------------------------------------------

int CTKPDialogBar::MeasureCaption()
{
    CTKPCommandBarsTheme* pTheme = GetPaintManager();
    if (pTheme == NULL)
        return 0;
    CDC dc;
    HDC hdc = ::GetDC(GetSafeHwnd());
    dc.Attach(hdc);
    int nHeight;
    {
        CTKPFontSelector font(&dc, pTheme->GetControlFont(this, FALSE));
        nHeight = pTheme->DrawCommandBarGripper(&dc, this, FALSE).cy;
    }
    dc.Detach();
    ::ReleaseDC(GetSafeHwnd(), hdc);
    return nHeight;
}

CSize CTKPDialogBar::CalcDialogLayout(int nLength, DWORD dwMode, CSize szClient)
{
    CSize size(szClient.cx + m_nBorderLeft + m_nBorderRight, szClient.cy + m_nBorderTop + m_nBorderBottom);
    CTKPControl* pClose = m_pControls->FindControl(0, TKP_ID_TOOLBAR_CLOSE, FALSE, FALSE);
    CTKPControl* pTitle = m_pControls->FindControl(0, TKP_ID_DIALOGBAR_TITLE, FALSE, FALSE);
    if (!m_bCaption) {
        m_nCaptionHeight = 0;
        if (pClose != NULL)
            pClose->SetHideFlag(tkpHideCustomize, TRUE);
        if (pTitle != NULL)
            pTitle->SetHideFlag(tkpHideCustomize, TRUE);
        return size;
    }

    const int nGripper = MeasureCaption();
    m_nCaptionHeight = nGripper + m_nBorderTop;
    size.cy += nGripper;
    if (dwMode & LM_STRETCH) {
        if (dwMode & LM_VERTDOCK)
            size.cy = std::max<int>(size.cy, nLength);
        else
            size.cx = std::max<int>(size.cx, nLength);
    }
    // A length of 0 or less asks for the bar's own size.
    if (nLength > 0) {
        if (dwMode & LM_HORZ)
            size.cx = std::min<int>(size.cx, nLength);
        else
            size.cy = std::min<int>(size.cy, nLength);
    }

    const int nTop = nGripper / 2 - 8 + m_nBorderTop;
    if (pClose == NULL && m_bCloseable) {
        pClose = new CTKPDialogBarCloseButton;
        m_pControls->Add(pClose, TKP_ID_TOOLBAR_CLOSE, L"", -1, TRUE);
    }
    const BOOL bCloseShown = pClose != NULL && m_bCloseable;
    if (pClose != NULL) {
        pClose->SetHideFlag(tkpHideCustomize, !bCloseShown);
        const int nRight = size.cx - m_nBorderRight;
        pClose->SetRect(CRect(nRight - kCaptionButton, nTop, nRight, nTop + kCaptionButton));
    }

    if (pTitle == NULL) {
        CTKPDialogBarTitle* pNewTitle = new CTKPDialogBarTitle;
        pNewTitle->SetCommandBar(m_pCaptionPopup);
        pTitle = m_pControls->Add(pNewTitle, TKP_ID_DIALOGBAR_TITLE, L"", -1, TRUE);
    }
    pTitle->SetHideFlag(tkpHideCustomize, FALSE);
    pTitle->SetEnabled(m_bCaptionPopup && m_pCaptionPopup->GetControlCount() > 0);
    CTKPCommandBarsTheme* pTheme = GetPaintManager();
    CDC dc;
    HDC hdc = ::GetDC(NULL);
    dc.Attach(hdc);
    const int nGripperWidth = pTheme->DrawCommandBarGripper(&dc, this, FALSE).cx;
    dc.Detach();
    ::ReleaseDC(NULL, hdc);
    const int nLeft = m_nBorderLeft + nGripperWidth;
    const int nRight = size.cx - m_nBorderRight - (bCloseShown ? kCaptionButton : 0);
    pTitle->SetRect(CRect(nLeft, nTop, std::max(nLeft, nRight), nTop + kCaptionButton));
    pTitle->SetCaption(m_strCaption.IsEmpty() ? (LPCTSTR)m_strTitle : (LPCTSTR)m_strCaption);
    return size;
}

CSize CTKPDialogBar::CalcDockingLayout(int nLength, DWORD dwMode, int)
{
    return CalcDialogLayout(nLength, dwMode, m_szDockedClient);
}

CSize CTKPDialogBar::CalcDynamicLayout(int nLength, DWORD dwMode, int nWidth)
{
    if (m_barPosition != tkpBarFloating)
        return CalcDockingLayout(nLength, dwMode, nWidth);
    return CalcDialogLayout(32000, dwMode, m_szFloatingClient);
}

void CTKPDialogBar::Resize(const CRect& rcWindow, int nHitTest)
{
    if (rcWindow.Width() < m_szMin.cx || rcWindow.Height() < m_szMin.cy)
        return;
    const CRect rcBorders = GetInsideBorders();
    const CSize szClient(rcWindow.Width() - rcBorders.left - rcBorders.right,
        rcWindow.Height() - rcBorders.top - rcBorders.bottom);
    if (m_barPosition == tkpBarFloating) {
        m_szFloatingClient = szClient;
        CalcDynamicLayout(-1, LM_HORZ | LM_COMMIT);
        if (GetSafeHwnd() != NULL) {
            MoveWindow(rcWindow);
            Invalidate(FALSE);
        }
        return;
    }
    if (nHitTest == HTLEFT || nHitTest == HTRIGHT)
        m_szDockedClient.cx = szClient.cx;
    else
        m_szDockedClient.cy = szClient.cy;
    CTKPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL)
        pCommandBars->RecalcFrameLayout(FALSE);
}

// --- Windows --------------------------------------------------------------------------------------

void CTKPDialogBar::PlaceChild()
{
    if (m_hwndChild == NULL || !::IsWindow(m_hwndChild) || GetSafeHwnd() == NULL)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    const CRect rcBorders = GetInsideBorders();
    ::SetWindowPos(m_hwndChild, NULL, rcBorders.left, rcBorders.top,
        std::max<int>(0, rcClient.Width() - rcBorders.left - rcBorders.right),
        std::max<int>(0, rcClient.Height() - rcBorders.top - rcBorders.bottom), SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(m_hwndChild, NULL, TRUE);
}

void CTKPDialogBar::OnSize(UINT nType, int cx, int cy)
{
    CTKPToolBar::OnSize(nType, cx, cy);
    PlaceChild();
}

int CTKPDialogBar::HitTestEdge(CPoint point) const
{
    if (GetSafeHwnd() == NULL)
        return 0;
    CRect rcInner;
    GetWindowRect(&rcInner);
    rcInner.DeflateRect(3, 3);
    const BOOL bStretched = (m_dwFlags & tkpFlagStretched) != 0;
    switch (m_barPosition) {
    case tkpBarFloating:
        if (point.y < rcInner.top)
            return point.x < rcInner.left ? HTTOPLEFT : point.x >= rcInner.right ? HTTOPRIGHT : HTTOP;
        if (point.y >= rcInner.bottom)
            return point.x < rcInner.left ? HTBOTTOMLEFT : point.x >= rcInner.right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (point.x < rcInner.left)
            return HTLEFT;
        if (point.x >= rcInner.right)
            return HTRIGHT;
        return 0;
    case tkpBarBottom:
        if (point.y <= rcInner.top)
            return HTTOP;
        break;
    case tkpBarTop:
        if (point.y >= rcInner.bottom)
            return HTBOTTOM;
        break;
    case tkpBarLeft:
    case tkpBarRight:
        if (point.y >= rcInner.bottom && !bStretched)
            return HTBOTTOM;
        break;
    }
    switch (m_barPosition) {
    case tkpBarTop:
    case tkpBarBottom:
        if (point.x >= rcInner.right && !bStretched)
            return HTRIGHT;
        break;
    case tkpBarLeft:
        if (point.x >= rcInner.right)
            return HTRIGHT;
        break;
    case tkpBarRight:
        if (point.x <= rcInner.left)
            return HTLEFT;
        break;
    }
    return 0;
}

LRESULT CTKPDialogBar::OnNcHitTest(CPoint point)
{
    if (m_bResizable) {
        const int nCode = HitTestEdge(point);
        if (nCode != 0)
            return nCode;
    }
    return CTKPToolBar::OnNcHitTest(point);
}

int CTKPDialogBar::PtInWindow(CPoint ptScreen) const
{
    if (GetSafeHwnd() == NULL)
        return -2;
    CRect rc;
    GetWindowRect(&rc);
    rc.bottom = rc.top + m_nCaptionHeight;
    return rc.PtInRect(ptScreen) ? 1 : -2;
}

// --- Copies ---------------------------------------------------------------------------------------

void CTKPDialogBar::Copy(CTKPCommandBar* pSource, BOOL bRecursive)
{
    CTKPToolBar::Copy(pSource, bRecursive);
    if (pSource == NULL || pSource == this || !pSource->IsKindOf(RUNTIME_CLASS(CTKPDialogBar)))
        return;
    CTKPDialogBar* pBar = static_cast<CTKPDialogBar*>(pSource);
    m_nBorderLeft = pBar->m_nBorderLeft;
    m_nBorderTop = pBar->m_nBorderTop;
    m_nBorderRight = pBar->m_nBorderRight;
    m_nBorderBottom = pBar->m_nBorderBottom;
    m_bResizable = pBar->m_bResizable;
    m_szMin = pBar->m_szMin;
    m_bCaption = pBar->m_bCaption;
    m_bCaptionPopup = pBar->m_bCaptionPopup;
    m_szDockedClient = pBar->m_szDockedClient;
    m_szFloatingClient = pBar->m_szFloatingClient;
    m_strCaption = pBar->m_strCaption;
}

CTKPCommandBar* CTKPDialogBar::Clone(BOOL bRecursive)
{
    CTKPDialogBar* pClone = new CTKPDialogBar;
    pClone->Copy(this, bRecursive);
    return pClone;
}
