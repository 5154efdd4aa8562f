#include "toolkit/commandbars/DockBar.h"

#include "classlib/win/WindowDCs.h"
#include "toolkit/base/BufferedDC.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/ToolBar.h"
#include "toolkit/commandbars/ToolBarDockContext.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CTKPDockBar, CWnd)

BEGIN_MESSAGE_MAP(CTKPDockBar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINT, OnPrint)
ON_WM_ERASEBKGND()
ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

// One visible bar of a row while the row is laid out.
struct RowRecord {
    CTKPToolBar* pBar;
    CRect rcWork;  // along the row: left/right; across: top/bottom (vertical rows are swapped)
    CRect rcPreferred;
    int nOrder;  // the bar's place in the dock bar's entries
    int nMinLength;
    int nMinBefore;  // the sum of the minimum lengths of the bars before it
    BOOL bMoved;
    DWORD dwMode;
};

int Along(const CSize& size, BOOL bHorz)
{
    return bHorz ? size.cx : size.cy;
}
int Across(const CSize& size, BOOL bHorz)
{
    return bHorz ? size.cy : size.cx;
}

}  // namespace

CTKPDockBar::CTKPDockBar(CTKPCommandBars* pCommandBars) : m_dwStyle(0), m_pCommandBars(pCommandBars)
{
    m_arrBars.Add(NULL);
}

CTKPDockBar::~CTKPDockBar()
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        if (m_arrBars[i] != NULL && m_arrBars[i]->GetDockBar() == this)
            m_arrBars[i]->SetDockBar(NULL);
    }
}

BOOL CTKPDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & 0x40FFFF;
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(NULL, IDC_ARROW));
    return CWnd::Create(lpszClass, NULL, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CTKPDockBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

int CTKPDockBar::GetPosition() const
{
    if (m_dwStyle & (0x2000 | 0x800))
        return tkpBarTop;
    if (m_dwStyle & (0x8000 | 0x200))
        return tkpBarBottom;
    if (m_dwStyle & (0x1000 | 0x400))
        return tkpBarLeft;
    return tkpBarRight;
}

DWORD CTKPDockBar::GetDockMode(BOOL bHorz, CTKPToolBar* pBar)
{
    DWORD dwMode = bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
    if (pBar->GetFlags() & tkpFlagStretched)
        dwMode |= LM_STRETCH;
    if (pBar->GetFlags() & tkpFlagHideWrap)
        dwMode |= LM_HIDEWRAP;
    return dwMode;
}

int CTKPDockBar::FindBar(CTKPToolBar* pBar, int nKeepIndex) const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        if (i != nKeepIndex && m_arrBars[i] == pBar)
            return (int)i;
    }
    return -1;
}

// --- Entries ------------------------------------------------------------------------------------

void CTKPDockBar::DockCommandBar(CTKPToolBar* pBar, LPCRECT lpRect)
{
    if (pBar == NULL)
        return;
    const int nOld = FindBar(pBar);
    if (nOld != -1) {
        CRect rcWindow(0, 0, 0, 0);
        if (pBar->GetSafeHwnd() != NULL)
            pBar->GetWindowRect(&rcWindow);
        if (lpRect == NULL || CRect(*lpRect) == rcWindow)
            return;
    }
    if (pBar->GetDockBar() != NULL && pBar->GetDockBar() != this)
        pBar->GetDockBar()->RemoveCommandBar(pBar);

    CTKPToolBarDockContext* pContext = pBar->GetDockContext();
    int nNew;
    if (lpRect != NULL) {
        CRect rc = *lpRect;
        if (GetSafeHwnd() != NULL)
            ScreenToClient(&rc);
        nNew = Insert(pBar, rc, rc.CenterPoint());
        if (pContext != NULL)
            pContext->m_rectMRUDockPos = rc;
    } else {
        m_arrBars.Add(pBar);
        nNew = (int)m_arrBars.GetSize() - 1;
        m_arrBars.Add(NULL);
        if (pContext != NULL)
            pContext->m_rectMRUDockPos.SetRectEmpty();
    }
    if (nOld != -1)
        RemoveCommandBar(pBar, nNew);
    if (pBar->GetSafeHwnd() != NULL && GetSafeHwnd() != NULL && ::GetParent(pBar->GetSafeHwnd()) != m_hWnd)
        ::SetParent(pBar->GetSafeHwnd(), m_hWnd);
    pBar->SetDockBar(this);
    if (pContext != NULL)
        pContext->m_uMRUDockPosition = GetPosition();
    NormalizeRows();
    if (m_pCommandBars != NULL)
        m_pCommandBars->RecalcFrameLayout(TRUE);
}

int CTKPDockBar::Insert(CTKPToolBar* pBar, CRect rc, CPoint ptCenter)
{
    const BOOL bHorz = IsHorizontal();
    const int nCenter = bHorz ? ptCenter.y : ptCenter.x;
    int nPreviousFar = 0;
    int nPreviousEnd = -1;  // the row end before the row being looked at
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        if (m_arrBars[i] != NULL)
            continue;
        // The row ending at i reaches as far as the largest bottom (right) of its visible bars, the
        // bar being moved included: a bar alone in its row then slides along it.
        int nFar = 0;
        for (INT_PTR j = nPreviousEnd + 1; j < i; ++j) {
            CTKPToolBar* pRowBar = m_arrBars[j];
            if (!pRowBar->IsVisible() || pRowBar->GetSafeHwnd() == NULL)
                continue;
            CRect rcBar;
            pRowBar->GetWindowRect(&rcBar);
            ScreenToClient(&rcBar);
            nFar = std::max<int>(nFar, bHorz ? rcBar.bottom : rcBar.right);
        }
        if (nCenter < nFar) {
            const int nAt = (int)nPreviousEnd + 1;
            if (i == 0 || nCenter == nPreviousFar) {
                // A new row before this one (for the first entry: before every row).
                m_arrBars.InsertAt(i == 0 ? 1 : nAt, (CTKPToolBar*)NULL);
                m_arrBars.InsertAt(i == 0 ? 1 : nAt, pBar);
                return i == 0 ? 1 : nAt;
            }
            m_arrBars.InsertAt(nAt, pBar);
            return nAt;
        }
        nPreviousFar = nFar;
        nPreviousEnd = (int)i;
    }
    m_arrBars.Add(pBar);
    const int nIndex = (int)m_arrBars.GetSize() - 1;
    m_arrBars.Add(NULL);
    return nIndex;
}

int CTKPDockBar::RemoveCommandBar(CTKPToolBar* pBar, int nKeepIndex)
{
    const int nIndex = FindBar(pBar, nKeepIndex);
    if (nIndex == -1)
        return 0;
    m_arrBars.RemoveAt(nIndex);
    // An emptied row leaves two row ends in a row: one goes.
    if (nIndex > 0 && nIndex < m_arrBars.GetSize() && m_arrBars[nIndex - 1] == NULL && m_arrBars[nIndex] == NULL)
        m_arrBars.RemoveAt(nIndex);
    if (FindBar(pBar) == -1 && pBar->GetDockBar() == this)
        pBar->SetDockBar(NULL);
    if (m_pCommandBars != NULL)
        m_pCommandBars->RecalcFrameLayout(TRUE);
    return 0;
}

void CTKPDockBar::NormalizeRows()
{
    for (INT_PTR i = 1; i < m_arrBars.GetSize(); ++i) {
        CTKPToolBar* pBar = m_arrBars[i];
        if (pBar == NULL || !(pBar->GetFlags() & tkpFlagStretched))
            continue;
        if (m_arrBars[i - 1] != NULL) {
            m_arrBars.InsertAt(i, (CTKPToolBar*)NULL);
            ++i;
        }
        if (i + 1 < m_arrBars.GetSize() && m_arrBars[i + 1] != NULL)
            m_arrBars.InsertAt(i + 1, (CTKPToolBar*)NULL);
    }
}

void CTKPDockBar::GetRowBars(int nIndex, CArray<CTKPToolBar*, CTKPToolBar*>& arrBars) const
{
    arrBars.RemoveAll();
    if (nIndex < 0 || nIndex >= m_arrBars.GetSize())
        return;
    int nStart = nIndex;
    while (nStart > 0 && m_arrBars[nStart - 1] != NULL)
        --nStart;
    const BOOL bHorz = IsHorizontal();
    std::vector<CTKPToolBar*> bars;
    for (INT_PTR i = nStart; i < m_arrBars.GetSize() && m_arrBars[i] != NULL; ++i) {
        if (m_arrBars[i]->IsVisible())
            bars.push_back(m_arrBars[i]);
    }
    std::stable_sort(bars.begin(), bars.end(), [bHorz](CTKPToolBar* a, CTKPToolBar* b) {
        CRect ra(0, 0, 0, 0), rb(0, 0, 0, 0);
        if (a->GetSafeHwnd() != NULL)
            a->GetWindowRect(&ra);
        if (b->GetSafeHwnd() != NULL)
            b->GetWindowRect(&rb);
        return bHorz ? ra.left < rb.left : ra.top < rb.top;
    });
    for (CTKPToolBar* pBar : bars)
        arrBars.Add(pBar);
}

void CTKPDockBar::InsertEntry(int nIndex, CTKPToolBar* pBar)
{
    if (pBar != NULL) {
        if (pBar->GetDockBar() != NULL)
            pBar->GetDockBar()->RemoveCommandBar(pBar);
        if (pBar->GetSafeHwnd() != NULL && GetSafeHwnd() != NULL && ::GetParent(pBar->GetSafeHwnd()) != m_hWnd) {
            CWnd::ModifyStyle(pBar->GetSafeHwnd(), WS_POPUP, WS_CHILD, 0);
            ::SetParent(pBar->GetSafeHwnd(), m_hWnd);
        }
        pBar->SetDockBar(this);
        pBar->m_barPosition = GetPosition();
    }
    if (nIndex < 0 || nIndex >= m_arrBars.GetSize())
        m_arrBars.Add(pBar);
    else
        m_arrBars.InsertAt(nIndex, pBar);
}

// --- Layout -------------------------------------------------------------------------------------

LRESULT CTKPDockBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (pLayout == NULL || !(GetStyle() & WS_VISIBLE))
        return 0;
    const BOOL bHorz = IsHorizontal();
    DWORD dwMode = pLayout->bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & 0x4) && (m_dwStyle & 0x1))
        dwMode |= LM_HORZ | LM_MRUWIDTH;
    else
        dwMode |= bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
    const CRect rcLayout = pLayout->rect;
    CSize size = CalcDockLayout(bHorz ? rcLayout.Width() : rcLayout.Height(), dwMode, pLayout);
    size.cx = std::min<int>(size.cx, rcLayout.Width());
    size.cy = std::min<int>(size.cy, rcLayout.Height());

    CRect rc = rcLayout;
    if (bHorz) {
        pLayout->sizeTotal.cy += size.cy;
        pLayout->sizeTotal.cx = std::max<int>(pLayout->sizeTotal.cx, size.cx);
        if (GetPosition() == tkpBarTop) {
            rc.bottom = rc.top + size.cy;
            pLayout->rect.top += size.cy;
        } else {
            rc.top = rc.bottom - size.cy;
            pLayout->rect.bottom -= size.cy;
        }
        rc.right = rc.left + size.cx;
    } else {
        pLayout->sizeTotal.cx += size.cx;
        pLayout->sizeTotal.cy = std::max<int>(pLayout->sizeTotal.cy, size.cy);
        if (GetPosition() == tkpBarLeft) {
            rc.right = rc.left + size.cx;
            pLayout->rect.left += size.cx;
        } else {
            rc.left = rc.right - size.cx;
            pLayout->rect.right -= size.cx;
        }
        rc.bottom = rc.top + size.cy;
    }
    if (pLayout->hDWP != NULL) {
        pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(),
            SWP_NOZORDER | SWP_NOACTIVATE);
        Invalidate(FALSE);
    }
    return 0;
}

CSize CTKPDockBar::CalcDockLayout(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* lpLayout)
{
    const BOOL bHorz = IsHorizontal();
    CSize size(0, 0);
    if (dwMode & LM_STRETCH)
        size = bHorz ? CSize(32767, 0) : CSize(0, 32767);

    AFX_SIZEPARENTPARAMS layout;
    memset(&layout, 0, sizeof(layout));
    const BOOL bCommit = lpLayout != NULL && lpLayout->hDWP != NULL;
    if (bCommit)
        layout.hDWP = ::BeginDeferWindowPos((int)m_arrBars.GetSize());

    int nOffset = 0;
    CArray<CTKPToolBar*, CTKPToolBar*> arrRow;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        CTKPToolBar* pBar = m_arrBars[i];
        if (pBar != NULL) {
            if (pBar->IsVisible() && pBar->GetSafeHwnd() != NULL)
                arrRow.Add(pBar);
            continue;
        }
        if (arrRow.GetSize() == 0)
            continue;
        nOffset += LayoutRows(arrRow, nOffset, nLength, bHorz, bCommit ? &layout : NULL);
        arrRow.RemoveAll();
    }
    if (bHorz)
        size.cy = std::max<int>(size.cy, nOffset);
    else
        size.cx = std::max<int>(size.cx, nOffset);

    if (bCommit && layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
    return size;
}

namespace {

// Lays out one row of bars; 0 (and the bar to set aside in *pnFailed) when they do not fit.
int LayoutRow(CTKPDockBar* pDockBar, const CArray<CTKPToolBar*, CTKPToolBar*>& arrBars, int nOffset, int nLength,
    BOOL bHorz, AFX_SIZEPARENTPARAMS* lpLayout, int* pnFailed)
{
    const int n = (int)arrBars.GetSize();
    std::vector<RowRecord> records((size_t)n);
    for (int i = 0; i < n; ++i) {
        RowRecord& r = records[(size_t)i];
        r.pBar = arrBars[i];
        r.dwMode = CTKPDockBar::GetDockMode(bHorz, r.pBar);
        const CSize size = r.pBar->CalcDynamicLayout(nLength, r.dwMode);
        int nStart = 0;
        CTKPToolBarDockContext* pContext = r.pBar->GetDockContext();
        if (pContext != NULL && !pContext->m_rectMRUDockPos.IsRectEmpty())
            nStart = bHorz ? pContext->m_rectMRUDockPos.left : pContext->m_rectMRUDockPos.top;
        r.rcPreferred = CRect(nStart, 0, nStart + Along(size, bHorz), Across(size, bHorz));
        r.rcWork = r.rcPreferred;
        r.nOrder = pDockBar->FindBar(r.pBar);
        r.bMoved = FALSE;
        // A bar that cannot hide its overflow needs the whole row when the row is squeezed.
        r.nMinLength = (r.dwMode & LM_HIDEWRAP) ? Along(r.pBar->CalcDynamicLayout(1, r.dwMode), bHorz) : nLength;
    }
    std::stable_sort(records.begin(), records.end(),
        [](const RowRecord& a, const RowRecord& b) { return a.rcWork.left < b.rcWork.left; });
    int nSum = 0;
    for (RowRecord& r : records) {
        r.nMinBefore = nSum;
        nSum += r.nMinLength;
    }

    // Overlaps: pushed right, pulled back from the row end, pushed right again.
    int nLimit = 0;
    for (int i = 0; i < n; ++i) {
        RowRecord& r = records[(size_t)i];
        if (r.rcWork.left < nLimit) {
            const BOOL bStays = i > 0 && records[(size_t)i - 1].nOrder > r.nOrder && !records[(size_t)i - 1].bMoved;
            if (!bStays) {
                r.rcWork.OffsetRect(nLimit - r.rcWork.left, 0);
                r.bMoved = TRUE;
            }
        }
        nLimit = r.rcWork.right;
    }
    for (RowRecord& r : records)
        r.bMoved = FALSE;
    nLimit = nLength;
    for (int i = n - 1; i >= 0; --i) {
        RowRecord& r = records[(size_t)i];
        if (r.rcWork.right > nLimit) {
            const BOOL bStays = i < n - 1 && records[(size_t)i + 1].nOrder > r.nOrder && !records[(size_t)i + 1].bMoved;
            if (!bStays) {
                r.rcWork.OffsetRect(nLimit - r.rcWork.right, 0);
                r.bMoved = TRUE;
            }
        }
        nLimit = r.rcWork.left;
    }
    nLimit = 0;
    for (RowRecord& r : records) {
        if (r.rcWork.left < nLimit)
            r.rcWork.OffsetRect(nLimit - r.rcWork.left, 0);
        nLimit = r.rcWork.right;
    }

    // Squeeze a row that still passes its end.
    if (n > 0 && records[(size_t)n - 1].rcWork.right > nLength) {
        nLimit = nLength;
        for (int i = n - 1; i >= 0; --i) {
            RowRecord& r = records[(size_t)i];
            int nStart = std::min<int>(r.rcPreferred.left, r.rcWork.left);
            nStart = std::max<int>(nStart, nLimit - r.rcWork.Width());
            nStart = std::max(nStart, r.nMinBefore);
            if (nLimit - nStart < r.nMinLength)
                nStart = nLimit - r.nMinLength;
            if ((nLimit - nStart < r.nMinLength || nStart < r.nMinBefore) && n > 1) {
                *pnFailed = n - 1;
                // The bar that sorts last leaves the row.
                const CTKPToolBar* pLast = records[(size_t)n - 1].pBar;
                for (int k = 0; k < n; ++k) {
                    if (arrBars[k] == pLast)
                        *pnFailed = k;
                }
                return 0;
            }
            nStart = std::max(nStart, 0);
            r.rcWork.left = nStart;
            r.rcWork.right = nLimit;
            nLimit = nStart;
        }
    }

    int nThickness = 0;
    for (RowRecord& r : records)
        nThickness = std::max<int>(nThickness, Across(r.pBar->CalcDynamicLayout(r.rcWork.Width(), r.dwMode), bHorz));

    for (int i = 0; i < n; ++i) {
        RowRecord& r = records[(size_t)i];
        DWORD dwMode = r.dwMode | LM_COMMIT;
        if (r.pBar->GetFlags() & tkpFlagFillGaps) {
            r.rcWork.left = i > 0 ? records[(size_t)i - 1].rcWork.right : 0;
            r.rcWork.right = i < n - 1 ? records[(size_t)i + 1].rcWork.left : nLength;
            dwMode |= LM_STRETCH;
        }
        const CSize size = r.pBar->CalcDynamicLayout(r.rcWork.Width(), dwMode, nThickness);
        CRect rc = bHorz ? CRect(r.rcWork.left, nOffset, r.rcWork.left + size.cx, nOffset + size.cy)
                         : CRect(nOffset, r.rcWork.left, nOffset + size.cx, r.rcWork.left + size.cy);
        CTKPToolBarDockContext* pContext = r.pBar->GetDockContext();
        if (pContext != NULL)
            pContext->m_uMRUDockPosition = pDockBar->GetPosition();
        if (lpLayout != NULL && lpLayout->hDWP != NULL && r.pBar->GetSafeHwnd() != NULL) {
            lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, r.pBar->GetSafeHwnd(), NULL, rc.left, rc.top, rc.Width(),
                rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
            r.pBar->Invalidate(FALSE);
        }
    }
    return nThickness;
}

}  // namespace

int CTKPDockBar::LayoutRows(CArray<CTKPToolBar*, CTKPToolBar*>& arrBars, int nOffset, int nLength, BOOL bHorz,
    AFX_SIZEPARENTPARAMS* lpLayout)
{
    int nTotal = 0;
    CArray<CTKPToolBar*, CTKPToolBar*> arrRow;
    arrRow.Copy(arrBars);
    CArray<CTKPToolBar*, CTKPToolBar*> arrAside;
    for (int nGuard = 0; arrRow.GetSize() > 0 && nGuard < 1024; ++nGuard) {
        int nFailed = -1;
        const int nThickness = LayoutRow(this, arrRow, nOffset + nTotal, nLength, bHorz, lpLayout, &nFailed);
        if (nThickness == 0 && nFailed >= 0 && arrRow.GetSize() > 1) {
            arrAside.InsertAt(0, arrRow[nFailed]);
            arrRow.RemoveAt(nFailed);
            continue;
        }
        nTotal += nThickness;
        arrRow.Copy(arrAside);
        arrAside.RemoveAll();
    }
    return nTotal;
}

// --- Painting -----------------------------------------------------------------------------------

void CTKPDockBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CTKPBufferedDC memDC(dc.GetSafeHdc(), rc);
    CTKPCommandBarsTheme* pTheme =
        m_pCommandBars != NULL ? m_pCommandBars->GetPaintManager() : CTKPCommandBarsTheme::GetGlobalTheme();
    pTheme->DrawDockBarBackground(&memDC, this);
}

LRESULT CTKPDockBar::OnPrint(WPARAM wParam, LPARAM lParam)
{
    HDC hdc = (HDC)wParam;
    if (hdc == NULL)
        return 0;
    CTKPCommandBarsTheme* pTheme =
        m_pCommandBars != NULL ? m_pCommandBars->GetPaintManager() : CTKPCommandBarsTheme::GetGlobalTheme();
    pTheme->DrawDockBarBackground(CDC::FromHandle(hdc), this);
    if (lParam & PRF_CHILDREN) {
        for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
             hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
            if (!::IsWindowVisible(hWndChild))
                continue;
            CRect rcChild;
            ::GetWindowRect(hWndChild, &rcChild);
            ScreenToClient(&rcChild);
            POINT ptOld;
            ::OffsetViewportOrgEx(hdc, rcChild.left, rcChild.top, &ptOld);
            ::SendMessageW(hWndChild, WM_PRINT, wParam, lParam);
            ::SetViewportOrgEx(hdc, ptOld.x, ptOld.y, NULL);
        }
    }
    return 1;
}

BOOL CTKPDockBar::OnEraseBkgnd(CDC* pDC)
{
    return TRUE;
}

void CTKPDockBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (m_pCommandBars == NULL)
        return;
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    m_pCommandBars->ShowBarsContextMenu(0, ptScreen.x, ptScreen.y);
}
