#include "classlib/win/CReBar.h"
#include "classlib/win/AfxGdi.h"
#include "classlib/win/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
    ON_WM_NCCREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCPAINT()
    ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
    ON_NOTIFY_REFLECT(RBN_ENDDRAG, OnHeightChange)
    ON_MESSAGE(RB_SHOWBAND, OnShowBand)
    ON_MESSAGE(WM_RECALCPARENT, OnRecalcParent)
END_MESSAGE_MAP()

CReBar::CReBar() : m_bInLayout(FALSE)
{
    SetBorders();
}

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == nullptr)
        return FALSE;
    m_dwStyle = dwStyle & CBRS_ALL;
    if (nID == AFX_IDW_REBAR)
        m_dwStyle |= CBRS_HIDE_INPLACE;
    dwStyle &= ~CBRS_ALL;
    dwStyle |= CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE | RBS_VARHEIGHT;
    dwStyle |= dwCtrlStyle;
    CRect rect;
    if (!CWnd::Create(REBARCLASSNAME, nullptr, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    REBARINFO rbi = {};
    return GetReBarCtrl().SetBarInfo(&rbi);
}

BOOL CReBar::OnNcCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (!CControlBar::OnNcCreate(lpCreateStruct))
        return FALSE;
    // Notifications go to the owner when one was set before the window existed.
    if (m_hWndOwner != nullptr)
        DefWindowProc(RB_SETPARENT, (WPARAM)m_hWndOwner, 0);
    return TRUE;
}

BOOL CReBar::AddBand(CWnd* pBar, REBARBANDINFO* pRBBI)
{
    if (pBar == nullptr || !::IsWindow(pBar->m_hWnd))
        return FALSE;
    pRBBI->cbSize = CReBarCtrl::kBandInfoSize;
    pRBBI->fMask |= RBBIM_CHILD | RBBIM_CHILDSIZE;
    pRBBI->hwndChild = pBar->m_hWnd;
    CSize size;
    if (pBar->IsKindOf(RUNTIME_CLASS(CControlBar))) {
        size = static_cast<CControlBar*>(pBar)->CalcFixedLayout(FALSE, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    } else {
        CRect rect;
        pBar->GetWindowRect(&rect);
        size = rect.Size();
    }
    pRBBI->cxMinChild = size.cx;
    pRBBI->cyMinChild = size.cy;
    BOOL bResult = (BOOL)DefWindowProc(RB_INSERTBAND, (WPARAM)-1, (LPARAM)pRBBI);
    CFrameWnd* pFrameWnd = GetParentFrame();
    if (pFrameWnd != nullptr)
        pFrameWnd->RecalcLayout();
    return bResult;
}

BOOL CReBar::AddBar(CWnd* pBar, LPCTSTR pszText, CBitmap* pbmp, DWORD dwStyle)
{
    REBARBANDINFO rbBand = {};
    rbBand.fMask = RBBIM_STYLE;
    rbBand.fStyle = dwStyle;
    if (pszText != nullptr) {
        rbBand.fMask |= RBBIM_TEXT;
        rbBand.lpText = const_cast<LPTSTR>(pszText);
    }
    if (pbmp != nullptr && pbmp->GetSafeHandle() != nullptr) {
        rbBand.fMask |= RBBIM_BACKGROUND;
        rbBand.hbmBack = (HBITMAP)pbmp->GetSafeHandle();
    }
    return AddBand(pBar, &rbBand);
}

BOOL CReBar::AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCTSTR pszText, DWORD dwStyle)
{
    REBARBANDINFO rbBand = {};
    rbBand.fMask = RBBIM_STYLE | RBBIM_COLORS;
    rbBand.fStyle = dwStyle;
    rbBand.clrFore = clrFore;
    rbBand.clrBack = clrBack;
    if (pszText != nullptr) {
        rbBand.fMask |= RBBIM_TEXT;
        rbBand.lpText = const_cast<LPTSTR>(pszText);
    }
    return AddBand(pBar, &rbBand);
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    int nCount = (int)DefWindowProc(RB_GETBANDCOUNT, 0, 0);
    REBARBANDINFO rbBand = {};
    rbBand.cbSize = CReBarCtrl::kBandInfoSize;

    // A band shows when its window does.
    for (int i = nCount; i--;) {
        rbBand.fMask = RBBIM_CHILD | RBBIM_STYLE;
        if (!DefWindowProc(RB_GETBANDINFO, i, (LPARAM)&rbBand))
            continue;
        CWnd* pChild = CWnd::FromHandlePermanent(rbBand.hwndChild);
        BOOL bWindowVisible = pChild != nullptr && pChild->IsKindOf(RUNTIME_CLASS(CControlBar))
                                  ? static_cast<CControlBar*>(pChild)->IsVisible()
                                  : (::GetWindowLong(rbBand.hwndChild, GWL_STYLE) & WS_VISIBLE) != 0;
        BOOL bBandVisible = (rbBand.fStyle & RBBS_HIDDEN) == 0;
        if (bWindowVisible != bBandVisible)
            DefWindowProc(RB_SHOWBAND, i, bWindowVisible);
    }

    CRect rectBound;
    for (int i = nCount; i--;) {
        rbBand.fMask = RBBIM_STYLE;
        if (!DefWindowProc(RB_GETBANDINFO, i, (LPARAM)&rbBand) || (rbBand.fStyle & RBBS_HIDDEN))
            continue;
        CRect rect;
        if (DefWindowProc(RB_GETRECT, i, (LPARAM)&rect))
            rectBound |= rect;
    }
    if (!rectBound.IsRectEmpty()) {
        CRect rect;
        CalcInsideRect(rect, bHorz);
        rectBound.right -= rect.Width();
        rectBound.bottom -= rect.Height();
    }
    return CSize(bHorz && bStretch ? 32767 : rectBound.Width(), !bHorz && bStretch ? 32767 : rectBound.Height());
}

CSize CReBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CReBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CReBar::OnPaint()
{
    Default();
}

BOOL CReBar::OnEraseBkgnd(CDC*)
{
    return (BOOL)Default();
}

void CReBar::OnNcPaint()
{
    EraseNonClient();
}

void CReBar::OnHeightChange(NMHDR*, LRESULT* pResult)
{
    // A layout in progress moved the rebar: ask again once it is done.
    CFrameWnd* pFrameWnd = GetParentFrame();
    if (pFrameWnd != nullptr) {
        if (!m_bInLayout) {
            m_bInLayout = TRUE;
            pFrameWnd->RecalcLayout();
            m_bInLayout = FALSE;
        } else {
            PostMessage(WM_RECALCPARENT);
        }
    }
    *pResult = 0;
}

LRESULT CReBar::OnShowBand(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = Default();
    if (lResult) {
        // The band's window follows the band.
        REBARBANDINFO rbBand = {};
        rbBand.cbSize = CReBarCtrl::kBandInfoSize;
        rbBand.fMask = RBBIM_CHILD;
        if (DefWindowProc(RB_GETBANDINFO, wParam, (LPARAM)&rbBand) && rbBand.hwndChild != nullptr) {
            CWnd* pChild = CWnd::FromHandlePermanent(rbBand.hwndChild);
            if (pChild != nullptr && pChild->IsKindOf(RUNTIME_CLASS(CControlBar)))
                static_cast<CControlBar*>(pChild)->DelayShow((BOOL)lParam);
            else
                ::ShowWindow(rbBand.hwndChild, lParam ? SW_SHOW : SW_HIDE);
        }
    }
    return lResult;
}

LRESULT CReBar::OnRecalcParent(WPARAM, LPARAM)
{
    CFrameWnd* pFrameWnd = GetParentFrame();
    if (pFrameWnd != nullptr)
        pFrameWnd->RecalcLayout();
    return 0;
}
