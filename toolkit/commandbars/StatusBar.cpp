#include "toolkit/commandbars/StatusBar.h"

#include "classlib/win/CFrameWnd.h"
#include "toolkit/base/BufferedDC.h"
#include "toolkit/base/DCSelectors.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/NativeBarTheme.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CTKPStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CTKPStatusBar, CControlBar)
ON_WM_CREATE()
ON_WM_NCHITTEST()
ON_WM_NCPAINT()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_NCCALCSIZE()
ON_WM_SIZE()
ON_WM_WINDOWPOSCHANGING()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_GETTEXT, OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
ON_MESSAGE(SB_SETMINHEIGHT, OnSetMinHeight)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

namespace {

// Room of a pane's borders and margins around its width.
const int kPaneBorder = 6;

// The command UI of one pane: disabling hides its text, checking pops it out, a text replaces its
// own.
class CStatusPaneCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CTKPStatusBar* pBar = static_cast<CTKPStatusBar*>(m_pOther);
        const UINT nStyle = pBar->GetPaneStyle((int)m_nIndex) & ~tkpPaneDisabled;
        pBar->SetPaneStyle((int)m_nIndex, bOn ? nStyle : nStyle | tkpPaneDisabled);
    }
    void SetCheck(int nCheck) override
    {
        CTKPStatusBar* pBar = static_cast<CTKPStatusBar*>(m_pOther);
        const UINT nStyle = pBar->GetPaneStyle((int)m_nIndex) & ~tkpPanePopOut;
        pBar->SetPaneStyle((int)m_nIndex, nCheck != 0 ? nStyle | tkpPanePopOut : nStyle);
    }
    void SetText(LPCTSTR lpszText) override
    {
        static_cast<CTKPStatusBar*>(m_pOther)->SetPaneText((int)m_nIndex, lpszText, TRUE);
    }
};

}  // namespace

CTKPStatusBar::CTKPStatusBar()
    : m_nMinHeight(0), m_pCommandBars(NULL), m_bThemed(TRUE), m_bDrawDisabledText(FALSE), m_bRefreshPartBounds(FALSE)
{
    m_cxLeftBorder = 4;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 0;
    m_cxRightBorder = 0;
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = sizeof(ncm);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        m_font.CreateFontIndirect(&ncm.lfStatusFont);
}

CTKPStatusBar::~CTKPStatusBar()
{
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        DestroyWindow();
    RemoveAll();
}

BOOL CTKPStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == NULL)
        return FALSE;
    // The bar keeps the CBRS_ bits; the window gets the control's own styles.
    m_dwStyle = dwStyle & CBRS_ALL;
    // Along the bottom the frame's edge is border enough.
    if ((m_dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) == CBRS_BOTTOM)
        m_dwStyle &= ~(CBRS_BORDER_ANY | CBRS_BORDER_3D);
    DWORD dwWindowStyle = (dwStyle & ~CBRS_ALL) | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    if (pParentWnd->GetStyle() & WS_THICKFRAME)
        dwWindowStyle |= SBARS_SIZEGRIP;
    return CWnd::Create(STATUSCLASSNAME, NULL, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

int CTKPStatusBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (Default() == -1)
        return -1;
    SendMessage(WM_SETFONT, (WPARAM)m_font.GetSafeHandle(), FALSE);
    SendMessage(SB_SETMINHEIGHT, 20, 0);
    return 0;
}

// --- Panes ----------------------------------------------------------------------------------------

void CTKPStatusBar::InsertPane(CTKPStatusBarPane* pPane, int nIndex)
{
    pPane->m_pStatusBar = this;
    pPane->m_dwPending |= CTKPStatusBarPane::pendingText;
    if (nIndex < 0 || nIndex > GetPaneCount())
        nIndex = GetPaneCount();
    m_arrPanes.InsertAt(nIndex, pPane);
    m_nCount = GetPaneCount();
}

BOOL CTKPStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    RemoveAll();
    if (nIDCount < 0 || (nIDCount > 0 && lpIDArray == NULL))
        return FALSE;
    BOOL bResult = TRUE;
    CClientDC dc(NULL);
    CTKPFontSelector font(&dc, &m_font);
    BOOL bFirstBlank = TRUE;
    for (int i = 0; i < nIDCount; ++i) {
        CTKPStatusBarPane* pPane = new CTKPStatusBarPane;
        pPane->m_nID = lpIDArray[i];
        if (pPane->m_nID != 0) {
            if (!pPane->m_strText.LoadString(pPane->m_nID))
                bResult = FALSE;
            pPane->m_cxText = dc.GetTextExtent(pPane->m_strText).cx;
        } else {
            pPane->m_cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
            if (bFirstBlank)
                pPane->m_nStyle = tkpPaneStretch | tkpPaneNoBorders;
            bFirstBlank = FALSE;
        }
        InsertPane(pPane, -1);
    }
    UpdateAllPanes(TRUE, TRUE);
    return bResult;
}

CTKPStatusBarPane* CTKPStatusBar::AddIndicator(UINT nID, int nIndex, int cxWidth)
{
    CTKPStatusBarPane* pPane = new CTKPStatusBarPane;
    pPane->m_nID = nID;
    pPane->m_cxText = cxWidth;
    InsertPane(pPane, nIndex);
    RenumberParts();
    return pPane;
}

BOOL CTKPStatusBar::RemoveIndicator(UINT nID)
{
    const int nIndex = CommandToIndex(nID);
    if (nIndex < 0)
        return FALSE;
    CTKPStatusBarPane* pPane = m_arrPanes[nIndex];
    m_arrPanes.RemoveAt(nIndex);
    m_nCount = GetPaneCount();
    pPane->m_pStatusBar = NULL;
    pPane->InternalRelease();
    RenumberParts();
    return TRUE;
}

void CTKPStatusBar::RenumberParts()
{
    // The control keeps each part's text by its number: the panes that moved to other parts send
    // theirs again.
    for (int i = 0; i < GetPaneCount(); ++i)
        if (m_arrPanes[i]->m_bVisible)
            m_arrPanes[i]->m_dwPending |= CTKPStatusBarPane::pendingText;
    UpdateAllPanes(TRUE, TRUE);
    if (GetSafeHwnd() != NULL)
        Invalidate(FALSE);
}

void CTKPStatusBar::RemoveAll()
{
    for (int i = 0; i < GetPaneCount(); ++i) {
        m_arrPanes[i]->m_pStatusBar = NULL;
        m_arrPanes[i]->InternalRelease();
    }
    m_arrPanes.RemoveAll();
    m_nCount = 0;
}

CTKPStatusBarPane* CTKPStatusBar::GetPane(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetPaneCount() ? m_arrPanes[nIndex] : NULL;
}

int CTKPStatusBar::GetVisiblePaneCount() const
{
    int nCount = 0;
    for (int i = 0; i < GetPaneCount(); ++i)
        if (m_arrPanes[i]->m_bVisible)
            ++nCount;
    return nCount;
}

int CTKPStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < GetPaneCount(); ++i)
        if (m_arrPanes[i]->m_nID == nIDFind)
            return i;
    return -1;
}

UINT CTKPStatusBar::GetItemID(int nIndex) const
{
    CTKPStatusBarPane* pPane = GetPane(nIndex);
    return pPane != NULL ? pPane->m_nID : 0;
}

CString CTKPStatusBar::GetPaneText(int nIndex) const
{
    CTKPStatusBarPane* pPane = GetPane(nIndex);
    return pPane != NULL ? pPane->GetText() : CString();
}

UINT CTKPStatusBar::GetPaneStyle(int nIndex) const
{
    CTKPStatusBarPane* pPane = GetPane(nIndex);
    return pPane != NULL ? pPane->m_nStyle : 0;
}

void CTKPStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    CTKPStatusBarPane* pPane = GetPane(nIndex);
    if (pPane != NULL)
        pPane->SetStyle(nStyle);
}

void CTKPStatusBar::SetPaneWidth(int nIndex, int cxWidth)
{
    CTKPStatusBarPane* pPane = GetPane(nIndex);
    if (pPane != NULL)
        pPane->SetWidth(cxWidth);
}

void CTKPStatusBar::SetDrawDisabledText(BOOL bDraw)
{
    m_bDrawDisabledText = bDraw;
    if (GetSafeHwnd() != NULL)
        Invalidate(FALSE);
}

void CTKPStatusBar::EnableThemedPaint(BOOL bThemed)
{
    m_bThemed = bThemed;
    if (GetSafeHwnd() != NULL)
        Invalidate(TRUE);
}

CTKPCommandBarsTheme* CTKPStatusBar::GetTheme() const
{
    if (!m_bThemed)
        return NULL;
    if (m_pCommandBars != NULL)
        return m_pCommandBars->GetTheme();
    return CTKPCommandBarsTheme::GetGlobalTheme();
}

// --- Text -----------------------------------------------------------------------------------------

void CTKPStatusBar::SendPaneText(CTKPStatusBarPane* pPane)
{
    const WPARAM wParam = (WPARAM)(pPane->m_nVisibleIndex | (pPane->m_nStyle & 0xFFFF));
    LPCTSTR lpszText = (pPane->m_nStyle & tkpPaneDisabled) ? NULL : (LPCTSTR)pPane->m_strText;
    DefWindowProc(SB_SETTEXT, wParam, (LPARAM)lpszText);
}

BOOL CTKPStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    CTKPStatusBarPane* pPane = GetPane(nIndex);
    if (pPane == NULL)
        return FALSE;
    const CString strNew = lpszNewText != NULL ? lpszNewText : L"";
    if (!(pPane->m_dwPending & CTKPStatusBarPane::pendingText) && pPane->m_strText == strNew)
        return TRUE;
    pPane->m_strText = strNew;
    if (!pPane->m_bVisible)
        return FALSE;
    if (!bUpdate) {
        pPane->m_dwPending |= CTKPStatusBarPane::pendingText;
        return TRUE;
    }
    pPane->m_dwPending &= ~CTKPStatusBarPane::pendingText;
    if (GetSafeHwnd() != NULL) {
        SendPaneText(pPane);
        Invalidate(FALSE);
    }
    return TRUE;
}

// --- Layout ---------------------------------------------------------------------------------------

void CTKPStatusBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    CControlBar::CalcInsideRect(rect, bHorz);
    // Room for the size grip while the parent can be sized.
    if ((GetStyle() & SBARS_SIZEGRIP) && !::IsZoomed(::GetParent(m_hWnd))) {
        int borders[3] = {0, 0, 0};
        const_cast<CTKPStatusBar*>(this)->DefWindowProc(SB_GETBORDERS, 0, (LPARAM)borders);
        rect.right -= ::GetSystemMetrics(SM_CXBORDER) * 2 + borders[0] + ::GetSystemMetrics(SM_CXVSCROLL);
    }
}

void CTKPStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (GetSafeHwnd() == NULL)
        return;
    if (bUpdateRects) {
        CRect rect;
        GetWindowRect(&rect);
        rect.OffsetRect(-rect.left, -rect.top);
        CalcInsideRect(rect, TRUE);
        int borders[3] = {0, 0, 0};
        DefWindowProc(SB_GETBORDERS, 0, (LPARAM)borders);

        int nSpare = rect.Width() + borders[2];
        int nStretch = 0;
        int nVisible = 0;
        for (int i = 0; i < GetPaneCount(); ++i) {
            CTKPStatusBarPane* pPane = m_arrPanes[i];
            pPane->m_nIndex = i;
            if (!pPane->m_bVisible) {
                pPane->m_nVisibleIndex = -1;
                continue;
            }
            pPane->m_nVisibleIndex = nVisible++;
            if (pPane->m_nStyle & tkpPaneStretch)
                ++nStretch;
            nSpare -= pPane->m_cxText + kPaneBorder + borders[2];
        }
        std::vector<int> rights;
        int nLeft = borders[0];
        for (int i = 0; i < GetPaneCount(); ++i) {
            CTKPStatusBarPane* pPane = m_arrPanes[i];
            if (!pPane->m_bVisible)
                continue;
            int nRight = nLeft + pPane->m_cxText + kPaneBorder;
            if ((pPane->m_nStyle & tkpPaneStretch) && nSpare > 0 && nStretch > 0) {
                const int nShare = nSpare / nStretch;
                nRight += nShare;
                --nStretch;
                nSpare -= nShare;
            }
            rights.push_back(nRight);
            nLeft = nRight + borders[2];
        }
        // The control needs at least one part; without visible panes it shows none of ours.
        if (!rights.empty()) {
            if (m_bRefreshPartBounds) {
                // Some versions of the control place their parts anew only when the edges change,
                // not on a new size of a bar that does not size itself: an interim edge makes sure.
                std::vector<int> interim = rights;
                interim.back() += 1;
                DefWindowProc(SB_SETPARTS, interim.size(), (LPARAM)interim.data());
            }
            DefWindowProc(SB_SETPARTS, rights.size(), (LPARAM)rights.data());
        }
        m_bRefreshPartBounds = FALSE;
        PlacePaneWindows();
    }
    if (bUpdateText) {
        for (int i = 0; i < GetPaneCount(); ++i) {
            CTKPStatusBarPane* pPane = m_arrPanes[i];
            if (pPane->m_bVisible && (pPane->m_dwPending & CTKPStatusBarPane::pendingText)) {
                const CString strText = pPane->m_strText;
                SetPaneText(i, strText, TRUE);
            }
        }
    }
}

void CTKPStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    ::SetRectEmpty(lpRect);
    CTKPStatusBarPane* pPane = GetPane(nIndex);
    if (pPane == NULL || !pPane->m_bVisible || pPane->m_nVisibleIndex < 0 || GetSafeHwnd() == NULL)
        return;
    CRect rc;
    if (!const_cast<CTKPStatusBar*>(this)->DefWindowProc(SB_GETRECT, pPane->m_nVisibleIndex, (LPARAM)&rc))
        return;
    if (pPane->m_nVisibleIndex == GetVisiblePaneCount() - 1) {
        // The control stretches its last part to the edge; ours ends where its width says.
        if (pPane->m_nStyle & tkpPaneStretch) {
            CRect rcClient;
            GetClientRect(&rcClient);
            rc.right = rcClient.right;
            if (GetStyle() & SBARS_SIZEGRIP)
                rc.right -= ::GetSystemMetrics(SM_CXSMICON) + ::GetSystemMetrics(SM_CXEDGE);
        } else {
            rc.right = rc.left + pPane->m_cxText + 3 * ::GetSystemMetrics(SM_CXEDGE);
        }
    }
    *lpRect = rc;
}

void CTKPStatusBar::PlacePaneWindows()
{
    for (int i = 0; i < GetPaneCount(); ++i) {
        CTKPStatusBarPane* pPane = m_arrPanes[i];
        if (pPane->m_hWndPane == NULL || !::IsWindow(pPane->m_hWndPane))
            continue;
        CRect rc;
        GetItemRect(i, &rc);
        if (!(pPane->m_nStyle & tkpPaneNoBorders))
            rc.DeflateRect(::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CXEDGE));
        ::MoveWindow(pPane->m_hWndPane, rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
        ::ShowWindow(pPane->m_hWndPane, pPane->m_bVisible ? SW_SHOWNOACTIVATE : SW_HIDE);
    }
}

CSize CTKPStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    TEXTMETRIC tm = {};
    {
        CClientDC dc(NULL);
        CTKPFontSelector font(&dc, &m_font);
        dc.GetTextMetrics(&tm);
    }
    CRect rect;
    CControlBar::CalcInsideRect(rect, bHorz);
    int borders[3] = {0, 0, 0};
    if (GetSafeHwnd() != NULL)
        DefWindowProc(SB_GETBORDERS, 0, (LPARAM)borders);
    CSize size(32767, tm.tmHeight - tm.tmInternalLeading - 1 + borders[1] * 2 + ::GetSystemMetrics(SM_CYBORDER) * 2 -
            rect.Height());
    if (size.cy < m_nMinHeight)
        size.cy = m_nMinHeight;
    return size;
}

// --- Painting -------------------------------------------------------------------------------------

void CTKPStatusBar::DrawPane(CDC* pDC, int nIndex, CRect rcPane)
{
    CTKPStatusBarPane* pPane = GetPane(nIndex);
    CTKPCommandBarsTheme* pTheme = GetTheme();
    if (pPane == NULL || pTheme == NULL)
        return;
    TKPStatusPaneDraw draw;
    draw.dwStyle = pPane->m_nStyle;
    draw.clrBackground = pPane->m_clrBackground;
    draw.clrText = pPane->m_clrText;
    draw.nAlignment = pPane->m_nAlignment;
    draw.strText = pPane->m_strText;
    draw.pIcon = pPane->GetIcon();
    draw.pFont = pPane->GetFont();
    draw.bDrawDisabledText = m_bDrawDisabledText;
    pTheme->DrawStatusBarPane(pDC, rcPane, draw);
}

void CTKPStatusBar::DrawGripper(CDC* pDC, CRect rcClient)
{
    CTKPCommandBarsTheme* pTheme = GetTheme();
    if (pTheme != NULL)
        pTheme->DrawStatusBarGripper(pDC, rcClient);
}

void CTKPStatusBar::OnPaint()
{
    UpdateAllPanes(FALSE, TRUE);
    CTKPCommandBarsTheme* pTheme = GetTheme();
    if (pTheme == NULL) {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CTKPBufferedDC memDC(dc.GetSafeHdc(), rcClient);
    CTKPFontSelector font(&memDC, &m_font);
    pTheme->FillStatusBar(&memDC, this);
    const int nLastVisible = GetVisiblePaneCount() - 1;
    CTKPNativeBarTheme* pNative =
        pTheme->IsKindOf(RUNTIME_CLASS(CTKPNativeBarTheme)) ? static_cast<CTKPNativeBarTheme*>(pTheme) : NULL;
    for (int i = 0; i < GetPaneCount(); ++i) {
        CTKPStatusBarPane* pPane = m_arrPanes[i];
        if (!pPane->m_bVisible)
            continue;
        CRect rcPane;
        GetItemRect(i, &rcPane);
        if (!(pPane->m_nStyle & tkpPaneNoBorders)) {
            if (pNative != NULL)
                pNative->DrawStatusBarPaneBorder(&memDC, rcPane, pPane->m_nVisibleIndex == nLastVisible);
            else
                pTheme->DrawStatusBarPaneBorder(&memDC, rcPane);
        }
        DrawPane(&memDC, i, rcPane);
    }
    CWnd* pParent = GetParent();
    if (pParent != NULL && (pParent->GetStyle() & WS_THICKFRAME) && (GetStyle() & SBARS_SIZEGRIP) &&
        !pParent->IsZoomed())
        DrawGripper(&memDC, rcClient);
}

BOOL CTKPStatusBar::OnEraseBkgnd(CDC* pDC)
{
    if (GetTheme() != NULL)
        return TRUE;
    return (BOOL)Default();
}

void CTKPStatusBar::OnNcPaint()
{
    EraseNonClient();
}

LRESULT CTKPStatusBar::OnNcHitTest(CPoint)
{
    return Default() == HTBOTTOMRIGHT ? HTBOTTOMRIGHT : HTCLIENT;
}

void CTKPStatusBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect rect;
    CControlBar::CalcInsideRect(rect, TRUE);
    lpncsp->rgrc[0].left += rect.left;
    lpncsp->rgrc[0].top += rect.top - 2;
    lpncsp->rgrc[0].right += rect.right;
    lpncsp->rgrc[0].bottom += rect.bottom;
}

void CTKPStatusBar::OnSize(UINT nType, int cx, int cy)
{
    Default();
    m_bRefreshPartBounds = TRUE;
    UpdateAllPanes(TRUE, FALSE);
    Invalidate(FALSE);
}

void CTKPStatusBar::OnWindowPosChanging(LPWINDOWPOS lpWndPos)
{
    // The borders along the moving edges are the frame's business here.
    const DWORD dwStyle = m_dwStyle;
    m_dwStyle &= ~CBRS_BORDER_ANY;
    CControlBar::OnWindowPosChanging(lpWndPos);
    m_dwStyle = dwStyle;
}

LRESULT CTKPStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    const int nIndex = CommandToIndex(0);
    if (nIndex < 0)
        return FALSE;
    // TRUE and FALSE as any window answers: 0 for success and -1 for failure would make
    // SetWindowText report every change of the text as failed.
    return SetPaneText(nIndex, reinterpret_cast<LPCTSTR>(lParam), TRUE) ? TRUE : FALSE;
}

LRESULT CTKPStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    const int nMax = (int)wParam;
    LPTSTR lpszDest = reinterpret_cast<LPTSTR>(lParam);
    if (nMax <= 0 || lpszDest == NULL)
        return 0;
    const int nIndex = CommandToIndex(0);
    const CString strText = nIndex >= 0 ? GetPaneText(nIndex) : CString();
    const int nCopy = std::min(strText.GetLength(), nMax - 1);
    memcpy(lpszDest, (LPCTSTR)strText, nCopy * sizeof(TCHAR));
    lpszDest[nCopy] = 0;
    // The characters copied without the terminator, as any window answers: one more would make
    // GetWindowText callers count the terminator as text.
    return nCopy;
}

LRESULT CTKPStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    const int nIndex = CommandToIndex(0);
    return nIndex >= 0 ? GetPaneText(nIndex).GetLength() : 0;
}

LRESULT CTKPStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM)
{
    const LRESULT lResult = Default();
    m_nMinHeight = (int)wParam;
    return lResult;
}

// --- Idle update ----------------------------------------------------------------------------------

void CTKPStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdatePanesFrom(pTarget, bDisableIfNoHndler);
}

void CTKPStatusBar::UpdatePanesFrom(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CStatusPaneCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)GetPaneCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = m_arrPanes[state.m_nIndex]->m_nID;
        // The bar's own update handlers first, then the target's.
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;
        state.DoUpdate(pTarget, FALSE);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

LRESULT CTKPStatusBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    const BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    UINT nFlags = 0;
    if ((m_nStateFlags & delayHide) && bVisible)
        nFlags = SWP_HIDEWINDOW;
    else if ((m_nStateFlags & delayShow) && !bVisible)
        nFlags = SWP_SHOWWINDOW;
    if (nFlags != 0)
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, nFlags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_nStateFlags &= ~(delayShow | delayHide);

    CWnd* pSite = m_pDockSite != NULL ? static_cast<CWnd*>(m_pDockSite) : GetParent();
    if ((GetStyle() & WS_VISIBLE) == 0 || (pSite != NULL && !pSite->IsWindowVisible()))
        return 0;
    CWnd* pTarget = GetOwner();
    if (pTarget == NULL)
        pTarget = GetParent();
    if (pTarget != NULL)
        UpdatePanesFrom(pTarget, (BOOL)wParam);
    return 0;
}
