#include "toolkit/commandbars/ReBar.h"

#include "classlib/win/WindowDCs.h"
#include "toolkit/base/BufferedDC.h"
#include "toolkit/commandbars/DockBar.h"
#include "toolkit/commandbars/ToolBar.h"

IMPLEMENT_DYNAMIC(CTKPReBar, CReBar)

BEGIN_MESSAGE_MAP(CTKPReBar, CReBar)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_NOTIFY_REFLECT(RBN_CHILDSIZE, OnChildSize)
END_MESSAGE_MAP()

namespace {

// The band record up to cxHeader, as every rebar understands it: 80 bytes in a 32-bit program, more
// in a 64-bit one, whose pointers and handles in it are wider.
const UINT kBandInfoSize = CReBarCtrl::kBandInfoSize;

}  // namespace

CTKPReBar::CTKPReBar() {}

BOOL CTKPReBar::AddBar(CTKPToolBar* pBar, DWORD dwStyle)
{
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
        return FALSE;
    const CSize size = pBar->CalcDynamicLayout(32000, 0x4A);
    pBar->MoveWindow(0, 0, size.cx, size.cy, FALSE);
    if (pBar->GetDockBar() != NULL) {
        pBar->GetDockBar()->RemoveCommandBar(pBar);
        pBar->SetFlags(0);
        pBar->SetShowGripper(FALSE);
    }
    if (!CReBar::AddBar(pBar, NULL, NULL, dwStyle))
        return FALSE;
    REBARBANDINFOW info;
    memset(&info, 0, sizeof(info));
    info.cbSize = kBandInfoSize;
    info.fMask = RBBIM_ID;
    info.wID = pBar->GetBarID();
    const int nBands = (int)SendMessage(RB_GETBANDCOUNT);
    SendMessage(RB_SETBANDINFOW, nBands - 1, (LPARAM)&info);
    return TRUE;
}

BOOL CTKPReBar::RemoveBar(CTKPToolBar* pBar)
{
    const int nBand = FindBand(pBar);
    if (nBand == -1)
        return FALSE;
    return (BOOL)SendMessage(RB_DELETEBAND, nBand);
}

int CTKPReBar::FindBand(CTKPToolBar* pBar)
{
    if (pBar == NULL || GetSafeHwnd() == NULL)
        return -1;
    for (int i = (int)SendMessage(RB_GETBANDCOUNT) - 1; i >= 0; --i) {
        REBARBANDINFOW info;
        memset(&info, 0, sizeof(info));
        info.cbSize = kBandInfoSize;
        info.fMask = RBBIM_CHILD;
        if (SendMessage(RB_GETBANDINFOW, i, (LPARAM)&info) && info.hwndChild == pBar->GetSafeHwnd())
            return i;
    }
    return -1;
}

CTKPToolBar* CTKPReBar::GetBandBar(int nBand)
{
    REBARBANDINFOW info;
    memset(&info, 0, sizeof(info));
    info.cbSize = kBandInfoSize;
    info.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_SIZE;
    if (!SendMessage(RB_GETBANDINFOW, nBand, (LPARAM)&info))
        return NULL;
    CWnd* pWnd = CWnd::FromHandlePermanent(info.hwndChild);
    return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CTKPToolBar)) ? static_cast<CTKPToolBar*>(pWnd) : NULL;
}

CSize CTKPReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    const CSize size = CReBar::CalcFixedLayout(bStretch, bHorz);
    Invalidate(FALSE);
    for (int i = (int)SendMessage(RB_GETBANDCOUNT) - 1; i >= 0; --i) {
        CTKPToolBar* pBar = GetBandBar(i);
        if (pBar == NULL)
            continue;
        CRect rc;
        pBar->GetWindowRect(&rc);
        const CSize szFull = pBar->CalcDynamicLayout(32000, LM_HORZ | LM_HORZDOCK);
        const CSize szCurrent = pBar->CalcDynamicLayout(rc.Width(), pBar->GetType() == tkpBarTypeMenuBar ? 0x4B : 0xCA);
        REBARBANDINFOW info;
        memset(&info, 0, sizeof(info));
        info.cbSize = kBandInfoSize;
        info.fMask = RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
        info.cxMinChild = szFull.cx;
        info.cyMinChild = szCurrent.cy;
        info.cxIdeal = szCurrent.cx;
        SendMessage(RB_SETBANDINFOW, i, (LPARAM)&info);
        pBar->Invalidate(FALSE);
    }
    return size;
}

void CTKPReBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CTKPBufferedDC memDC(dc.GetSafeHdc(), rc);
    memDC.FillSolidRect(rc, ::GetSysColor(COLOR_3DFACE));
    DefWindowProc(WM_ERASEBKGND, (WPARAM)memDC.GetSafeHdc(), 0);
    DefWindowProc(WM_PAINT, (WPARAM)memDC.GetSafeHdc(), 0);
}

BOOL CTKPReBar::OnEraseBkgnd(CDC* pDC)
{
    return TRUE;
}

void CTKPReBar::OnChildSize(NMHDR* pNMHDR, LRESULT* pResult)
{
    CReBar::OnHeightChange(pNMHDR, pResult);
}
