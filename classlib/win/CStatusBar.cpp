#include "classlib/win/CStatusBar.h"
#include "classlib/win/AfxGdi.h"
#include "classlib/win/CCmdUI.h"
#include "classlib/win/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_NCHITTEST()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_WINDOWPOSCHANGING()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_MESSAGE(SB_SETMINHEIGHT, OnSetMinHeight)
END_MESSAGE_MAP()

namespace {

// Room around a pane's text: its borders and margins.
const int kPaneBorder = 6;

// The command-UI of one pane: enabling shows or hides its text, checking pops it out.
class CStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
        UINT nNewStyle = pBar->GetPaneStyle((int)m_nIndex) & ~SBPS_DISABLED;
        if (!bOn)
            nNewStyle |= SBPS_DISABLED;
        pBar->SetPaneStyle((int)m_nIndex, nNewStyle);
    }
    void SetCheck(int nCheck) override
    {
        CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
        UINT nNewStyle = pBar->GetPaneStyle((int)m_nIndex) & ~SBPS_POPOUT;
        if (nCheck != 0)
            nNewStyle |= SBPS_POPOUT;
        pBar->SetPaneStyle((int)m_nIndex, nNewStyle);
    }
    void SetText(LPCTSTR lpszText) override
    {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText((int)m_nIndex, lpszText);
    }
};

} // namespace

CStatusBar::CStatusBar() : m_nMinHeight(0), m_hFont(nullptr)
{
    m_cxLeftBorder = 4;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 0;
    m_cxRightBorder = 0;
}

CStatusBar::~CStatusBar() {}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == nullptr)
        return FALSE;
    // The bar keeps the CBRS_* bits; the window gets the control's own styles.
    m_dwStyle = dwStyle & CBRS_ALL;
    dwStyle &= ~CBRS_ALL;
    dwStyle |= CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    if (pParentWnd->GetStyle() & WS_THICKFRAME)
        dwStyle |= SBARS_SIZEGRIP;
    dwStyle |= dwCtrlStyle;
    CRect rect;
    return CWnd::Create(STATUSCLASSNAME, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CStatusBar::PreCreateWindow(CREATESTRUCT& cs)
{
    // Along the bottom the frame's client edge is border enough.
    if ((m_dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) == CBRS_BOTTOM)
        m_dwStyle &= ~(CBRS_BORDER_ANY | CBRS_BORDER_3D);
    return CControlBar::PreCreateWindow(cs);
}

CStatusBar::Pane* CStatusBar::GetPane(int nIndex)
{
    return nIndex >= 0 && nIndex < (int)m_panes.size() ? &m_panes[(size_t)nIndex] : nullptr;
}

const CStatusBar::Pane* CStatusBar::GetPane(int nIndex) const
{
    return nIndex >= 0 && nIndex < (int)m_panes.size() ? &m_panes[(size_t)nIndex] : nullptr;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0)
        return FALSE;
    m_panes.assign((size_t)nIDCount, Pane());
    m_nCount = nIDCount;

    BOOL bResult = TRUE;
    if (lpIDArray != nullptr) {
        // Widths are measured in the bar's font, as the control will draw the texts.
        CClientDC dcScreen(nullptr);
        HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
        HGDIOBJ hOldFont = hFont != nullptr ? dcScreen.SelectObject(hFont) : nullptr;
        for (int i = 0; i < nIDCount; i++) {
            Pane& pane = m_panes[(size_t)i];
            pane.nID = lpIDArray[i];
            pane.bPendingUpdate = TRUE;
            if (pane.nID != 0) {
                if (!pane.strText.LoadString(pane.nID)) {
                    bResult = FALSE;
                    continue;
                }
                pane.cxText = dcScreen.GetTextExtent(pane.strText).cx;
            } else {
                // A pane without an indicator string: a quarter of the screen; the first one
                // stretches and has no border.
                pane.cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
                if (i == 0)
                    pane.nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
            }
        }
        if (hOldFont != nullptr)
            dcScreen.SelectObject(hOldFont);
    }
    UpdateAllPanes(TRUE, TRUE);
    return bResult;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i].nID == nIDFind)
            return (int)i;
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    const Pane* pane = GetPane(nIndex);
    return pane != nullptr ? pane->nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (lpRect == nullptr)
        return;
    ::SetRectEmpty(lpRect);
    const Pane* pane = GetPane(nIndex);
    if (pane == nullptr)
        return;
    const_cast<CStatusBar*>(this)->DefWindowProc(SB_GETRECT, nIndex, (LPARAM)lpRect);
    // A pane without borders reaches over the space the borders would take.
    if (pane->nStyle & SBPS_NOBORDERS)
        ::InflateRect(lpRect, ::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE));
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const
{
    const Pane* pane = GetPane(nIndex);
    if (pane != nullptr)
        rString = pane->strText;
    else
        rString.Empty();
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    CString text;
    GetPaneText(nIndex, text);
    return text;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    Pane* pane = GetPane(nIndex);
    if (pane == nullptr)
        return FALSE;
    bool same = lpszNewText == nullptr ? pane->strText.IsEmpty() : pane->strText.Compare(lpszNewText) == 0;
    if (!pane->bPendingUpdate && same)
        return TRUE;
    if (lpszNewText != nullptr)
        pane->strText = lpszNewText;
    else
        pane->strText.Empty();
    if (!bUpdate || m_hWnd == nullptr) {
        pane->bPendingUpdate = TRUE;
        return TRUE;
    }
    pane->bPendingUpdate = FALSE;
    // The low word of the style is the control's drawing type; a disabled pane shows no text.
    LPARAM text = (pane->nStyle & SBPS_DISABLED) ? (LPARAM)(LPCTSTR)L"" : (LPARAM)(LPCTSTR)pane->strText;
    DefWindowProc(SB_SETTEXT, (WPARAM)(((WORD)pane->nStyle) | nIndex), text);
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    const Pane* pane = GetPane(nIndex);
    if (pane == nullptr)
        return;
    nID = pane->nID;
    nStyle = pane->nStyle;
    cxWidth = pane->cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    Pane* pane = GetPane(nIndex);
    if (pane == nullptr)
        return;
    BOOL bChanged = FALSE;
    pane->nID = nID;
    if (pane->nStyle != nStyle) {
        if ((pane->nStyle ^ nStyle) & SBPS_STRETCH) {
            bChanged = TRUE;
            pane->nStyle = nStyle;
        } else {
            pane->nStyle = nStyle;
            pane->bPendingUpdate = TRUE;
            SetPaneText(nIndex, CString(pane->strText));
        }
    }
    if (cxWidth != pane->cxText) {
        pane->cxText = cxWidth < 0 ? 0 : cxWidth;
        bChanged = TRUE;
    }
    if (bChanged)
        UpdateAllPanes(TRUE, FALSE);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    const Pane* pane = GetPane(nIndex);
    return pane != nullptr ? pane->nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    Pane* pane = GetPane(nIndex);
    if (pane == nullptr || pane->nStyle == nStyle)
        return;
    UINT nOld = pane->nStyle;
    pane->nStyle = nStyle;
    if ((nOld ^ nStyle) & SBPS_STRETCH) {
        UpdateAllPanes(TRUE, FALSE);
    } else {
        pane->bPendingUpdate = TRUE;
        SetPaneText(nIndex, CString(pane->strText));
    }
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (m_hWnd == nullptr)
        return;
    int nCount = (int)m_panes.size();
    if (bUpdateRects && nCount > 0) {
        CRect rect;
        GetWindowRect(&rect);
        rect.OffsetRect(-rect.left, -rect.top);
        CalcInsideRect(rect, TRUE);
        int borders[3] = {0, 0, 0};
        DefWindowProc(SB_GETBORDERS, 0, (LPARAM)borders);

        // The width left over is shared among the stretching panes.
        int cxExtra = rect.Width() + borders[2];
        int nStretchyCount = 0;
        for (const Pane& pane : m_panes) {
            if (pane.nStyle & SBPS_STRETCH)
                ++nStretchyCount;
            cxExtra -= pane.cxText + kPaneBorder + borders[2];
        }
        std::vector<int> rights((size_t)nCount);
        int right = borders[0];
        for (int i = 0; i < nCount; i++) {
            const Pane& pane = m_panes[(size_t)i];
            right += pane.cxText + kPaneBorder;
            if ((pane.nStyle & SBPS_STRETCH) && cxExtra > 0 && nStretchyCount > 0) {
                int cxAddExtra = cxExtra / nStretchyCount;
                right += cxAddExtra;
                --nStretchyCount;
                cxExtra -= cxAddExtra;
            }
            rights[(size_t)i] = right;
            right += borders[2];
        }
        DefWindowProc(SB_SETPARTS, nCount, (LPARAM)rights.data());
    }
    if (bUpdateText) {
        for (int i = 0; i < nCount; i++)
            if (m_panes[(size_t)i].bPendingUpdate)
                SetPaneText(i, CString(m_panes[(size_t)i].strText));
    }
}

void CStatusBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    CControlBar::CalcInsideRect(rect, bHorz);
    // Leave room for the size grip while the frame can be sized.
    if ((GetStyle() & SBARS_SIZEGRIP) && !::IsZoomed(::GetParent(m_hWnd))) {
        int borders[3] = {0, 0, 0};
        const_cast<CStatusBar*>(this)->DefWindowProc(SB_GETBORDERS, 0, (LPARAM)borders);
        rect.right -= borders[0] + ::GetSystemMetrics(SM_CXVSCROLL) + ::GetSystemMetrics(SM_CXBORDER) * 2;
    }
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    TEXTMETRIC tm = {};
    {
        CClientDC dc(nullptr);
        HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
        HGDIOBJ hOldFont = hFont != nullptr ? dc.SelectObject(hFont) : nullptr;
        dc.GetTextMetrics(&tm);
        if (hOldFont != nullptr)
            dc.SelectObject(hOldFont);
    }
    CRect rect;
    CalcInsideRect(rect, bHorz);
    int borders[3] = {0, 0, 0};
    DefWindowProc(SB_GETBORDERS, 0, (LPARAM)borders);
    CSize size(32767, tm.tmHeight - tm.tmInternalLeading - 1 + borders[1] * 2 +
                          ::GetSystemMetrics(SM_CYBORDER) * 2 - rect.Height());
    if (size.cy < m_nMinHeight)
        size.cy = m_nMinHeight;
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_panes.size();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = m_panes[state.m_nIndex].nID;
        // The bar's own update handlers first, then the frame's.
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        state.DoUpdate(pTarget, FALSE);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CStatusBar::OnBarStyleChange(DWORD, DWORD)
{
    if (m_hWnd != nullptr)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CStatusBar::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatusBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CControlBar::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}

LRESULT CStatusBar::OnNcHitTest(CPoint)
{
    // Inside the bar only the size grip answers (as the frame's corner); the rest lets clicks through.
    LRESULT nResult = Default();
    if (nResult == HTBOTTOMRIGHT)
        return HTBOTTOMRIGHT;
    return HTCLIENT;
}

void CStatusBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect rect;
    CControlBar::CalcInsideRect(rect, TRUE);
    lpncsp->rgrc[0].left += rect.left;
    lpncsp->rgrc[0].top += rect.top - 2;
    lpncsp->rgrc[0].right += rect.right;
    lpncsp->rgrc[0].bottom += rect.bottom;
}

void CStatusBar::OnNcPaint()
{
    EraseNonClient();
}

void CStatusBar::OnPaint()
{
    UpdateAllPanes(FALSE, TRUE);
    Default();
}

void CStatusBar::OnSize(UINT, int, int)
{
    Default();
    UpdateAllPanes(TRUE, FALSE);
}

void CStatusBar::OnWindowPosChanging(LPWINDOWPOS lpWndPos)
{
    // The frame's client edge draws the line the borders would: no border repaint here.
    DWORD dwStyle = m_dwStyle;
    m_dwStyle &= ~CBRS_BORDER_ANY;
    CControlBar::OnWindowPosChanging(lpWndPos);
    m_dwStyle = dwStyle;
}

LRESULT CStatusBar::OnSetFont(WPARAM wParam, LPARAM)
{
    m_hFont = (HFONT)wParam;
    LRESULT lResult = Default();
    UpdateAllPanes(TRUE, FALSE);
    return lResult;
}

LRESULT CStatusBar::OnGetFont(WPARAM, LPARAM)
{
    // Before a font is set the control answers NULL: use the one it draws with.
    return m_hFont != nullptr ? (LRESULT)m_hFont : Default();
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    int nIndex = CommandToIndex(0);
    if (nIndex < 0)
        return -1;
    return SetPaneText(nIndex, (LPCTSTR)lParam) ? 0 : -1;
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    int nMaxLen = (int)wParam;
    LPTSTR lpszDest = (LPTSTR)lParam;
    if (nMaxLen <= 0 || lpszDest == nullptr)
        return 0;
    int nIndex = CommandToIndex(0);
    CString text = nIndex >= 0 ? m_panes[(size_t)nIndex].strText : CString();
    int nLen = text.GetLength();
    if (nLen > nMaxLen - 1)
        nLen = nMaxLen - 1;
    memcpy(lpszDest, (LPCTSTR)text, (size_t)nLen * sizeof(TCHAR));
    lpszDest[nLen] = 0;
    return nLen;
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    int nIndex = CommandToIndex(0);
    return nIndex >= 0 ? m_panes[(size_t)nIndex].strText.GetLength() : 0;
}

LRESULT CStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM)
{
    LRESULT lResult = Default();
    m_nMinHeight = (int)wParam;
    return lResult;
}
