#include "toolkit/commandbars/ToolTipWindow.h"

#include "classlib/win/CDC.h"
#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/commandbars/ToolTipManager.h"

#include <algorithm>

namespace {

DWORD SystemTicks()
{
    return ::GetTickCount();
}

CTKPToolTipWindow::TickSource g_pfnTicks = &SystemTicks;
BOOL g_bMouseHookEnabled = TRUE;

// One mouse hook per process, held by the tip that shows a tip.
HHOOK g_hMouseHook = NULL;
CTKPToolTipWindow* g_pHookOwner = NULL;

BOOL IsMouseButtonDown()
{
    return ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 || ::GetKeyState(VK_MBUTTON) < 0;
}

BOOL IsRelayedMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK) ||
        (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

}  // namespace

HWND TKPToolTipWindowFromPoint(POINT pt)
{
    HWND hWnd = ::WindowFromPoint(pt);
    if (hWnd != NULL && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) != 0 &&
        ::SendMessageW(hWnd, WM_TKP_TOOLTIPTRANSPARENT, 0, 0) == 1)
        hWnd = ::GetParent(hWnd);
    return hWnd;
}

BEGIN_MESSAGE_MAP(CTKPToolTipWindow, CWnd)
ON_MESSAGE(TTM_ADDTOOLW, OnAddTool)
ON_MESSAGE(TTM_ACTIVATE, OnActivateMsg)
ON_MESSAGE(TTM_DELTOOLW, OnDelTool)
ON_MESSAGE(TTM_RELAYEVENT, OnRelayEvent)
ON_MESSAGE(TTM_SETTITLEW, OnSetTitle)
ON_MESSAGE(TTM_UPDATETIPTEXTW, OnUpdateTipText)
ON_MESSAGE(TTM_WINDOWFROMPOINT, OnWindowFromPoint)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_NCHITTEST()
ON_WM_MOUSEACTIVATE()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CTKPToolTipWindow::CTKPToolTipWindow()
    : m_nInitialDelay(500), m_nReshowDelay(200), m_bActive(FALSE), m_pManager(NULL), m_nTimer(0), m_dwLastChange(0),
      m_hOwner(NULL)
{
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = sizeof(ncm);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        m_font.CreateFontIndirect(&ncm.lfStatusFont);
}

CTKPToolTipWindow::~CTKPToolTipWindow()
{
    RemoveMouseHook();
    for (INT_PTR i = 0; i < m_tools.GetSize(); i++)
        delete m_tools[i];
    m_tools.RemoveAll();
    if (GetSafeHwnd() != NULL)
        DestroyWindow();
}

void CTKPToolTipWindow::SetTickSource(TickSource pfn)
{
    g_pfnTicks = pfn != NULL ? pfn : &SystemTicks;
}

void CTKPToolTipWindow::EnableMouseHook(BOOL bEnable)
{
    g_bMouseHookEnabled = bEnable;
}

BOOL CTKPToolTipWindow::IsMouseHookInstalled()
{
    return g_hMouseHook != NULL;
}

DWORD CTKPToolTipWindow::Now()
{
    return g_pfnTicks();
}

BOOL CTKPToolTipWindow::CreateTipWindow(CTKPToolTipManager* pManager, CWnd* pOwner)
{
    m_pManager = pManager;
    m_hOwner = pOwner->GetSafeHwnd();
    const DWORD dwFlags = pManager->GetTipFlags();
    UINT nClassStyle = CS_SAVEBITS | CS_OWNDC;
    if (pManager->GetComCtlVersion() >= 0x60000 && (dwFlags & CTKPToolTipManager::tipNoShadow) == 0)
        nClassStyle |= CS_DROPSHADOW;
    LPCTSTR lpszClass = AfxRegisterWndClass(nClassStyle, ::LoadCursorW(NULL, IDC_ARROW));
    const DWORD dwStyle = (dwFlags & 0xFFFF) | TTS_ALWAYSTIP | WS_POPUP;
    return CreateEx(WS_EX_TOOLWINDOW, lpszClass, NULL, dwStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
        CW_USEDEFAULT, pOwner->GetSafeHwnd(), NULL);
}

CTKPToolTipWindow::Tool* CTKPToolTipWindow::FindTool(HWND hwnd, UINT_PTR uId) const
{
    for (INT_PTR i = 0; i < m_tools.GetSize(); i++) {
        if (m_tools[i]->hwnd == hwnd && m_tools[i]->uId == uId)
            return m_tools[i];
    }
    return NULL;
}

BOOL CTKPToolTipWindow::AddTool(const TOOLINFO* pInfo)
{
    if (pInfo == NULL)
        return FALSE;
    Tool* pTool = new Tool;
    pTool->uFlags = pInfo->uFlags;
    pTool->rect = pInfo->rect;
    pTool->hinst = pInfo->hinst;
    pTool->hwnd = pInfo->hwnd;
    pTool->uId = pInfo->uId;
    if (pInfo->lpszText == LPSTR_TEXTCALLBACKW)
        pTool->bCallback = TRUE;
    else if (pInfo->lpszText != NULL && IS_INTRESOURCE(pInfo->lpszText))
        pTool->strText.LoadString(static_cast<UINT>(reinterpret_cast<UINT_PTR>(pInfo->lpszText)));
    else if (pInfo->lpszText != NULL)
        pTool->strText = pInfo->lpszText;
    m_tools.Add(pTool);
    return TRUE;
}

void CTKPToolTipWindow::DelTool(const TOOLINFO* pInfo)
{
    if (pInfo == NULL)
        return;
    for (INT_PTR i = 0; i < m_tools.GetSize(); i++) {
        Tool* pTool = m_tools[i];
        if (pTool->hwnd != pInfo->hwnd || pTool->uId != pInfo->uId)
            continue;
        if (m_current.IsSame(pTool))
            ShowTip(NULL);
        if (m_clicked.IsSame(pTool))
            m_clicked.Clear();
        if (m_pending.IsSame(pTool)) {
            if (m_nTimer != 0) {
                KillTimer(timerPending);
                m_nTimer = 0;
            }
            m_pending.Clear();
        }
        m_tools.RemoveAt(i);
        delete pTool;
        return;
    }
}

void CTKPToolTipWindow::Activate(BOOL bActive)
{
    m_bActive = bActive;
    if (bActive)
        return;
    if (m_nTimer != 0) {
        KillTimer(timerPending);
        m_nTimer = 0;
    }
    m_pending.Clear();
    if (!m_current.IsNone())
        ShowTip(NULL);
}

CTKPToolTipWindow::Tool* CTKPToolTipWindow::HitTest(POINT ptScreen, BOOL bIgnoreButtons)
{
    if (!bIgnoreButtons && IsMouseButtonDown())
        return NULL;
    HWND hUnder = NULL;
    BOOL bUnderKnown = FALSE;
    for (INT_PTR i = 0; i < m_tools.GetSize(); i++) {
        Tool* pTool = m_tools[i];
        RECT rc;
        if (pTool->uFlags & TTF_IDISHWND) {
            if (!::GetWindowRect(reinterpret_cast<HWND>(pTool->uId), &rc))
                continue;
        } else {
            rc = pTool->rect;
            ::MapWindowPoints(pTool->hwnd, NULL, reinterpret_cast<LPPOINT>(&rc), 2);
        }
        if (!::PtInRect(&rc, ptScreen))
            continue;
        if ((pTool->uFlags & TTF_IDISHWND) == 0) {
            if (!bUnderKnown) {
                hUnder = TKPToolTipWindowFromPoint(ptScreen);
                bUnderKnown = TRUE;
            }
            if (hUnder != pTool->hwnd)
                continue;
        }
        return pTool;
    }
    return NULL;
}

void CTKPToolTipWindow::RelayEvent(const MSG* pMsg)
{
    if (!m_bActive || pMsg == NULL || !IsRelayedMouseMessage(pMsg->message))
        return;

    // 1. A pressed tool keeps quiet until the mouse leaves it.
    Tool* pTool = HitTest(pMsg->pt, TRUE);
    if (pMsg->message == WM_LBUTTONDOWN && pTool != NULL) {
        m_clicked = *pTool;
        pTool = NULL;
    } else if (pTool != NULL && m_clicked.IsSame(pTool)) {
        pTool = NULL;
    } else if (pTool != NULL && IsMouseButtonDown()) {
        pTool = NULL;
    }
    if (pTool == NULL && !m_clicked.IsNone()) {
        Tool* pUnder = HitTest(pMsg->pt, TRUE);
        if (!m_clicked.IsSame(pUnder))
            m_clicked.Clear();
    }

    // 2. A pending tool the mouse left.
    if (m_nTimer != 0 && (pTool == NULL || !m_pending.IsSame(pTool))) {
        KillTimer(timerPending);
        m_nTimer = 0;
        m_pending.Clear();
    }

    // 3. and 4.
    if (pTool != NULL) {
        if (m_current.IsSame(pTool))
            return;
        if (Now() - m_dwLastChange < m_nReshowDelay) {
            ShowTip(pTool);
            return;
        }
        if (m_nTimer != 0 && m_pending.IsSame(pTool))
            return;
        m_pending = *pTool;
        m_nTimer = SetTimer(timerPending, m_nInitialDelay);
    } else {
        ShowTip(NULL);
    }
}

void CTKPToolTipWindow::OnPendingTimer()
{
    if (m_nTimer != 0) {
        KillTimer(timerPending);
        m_nTimer = 0;
    }
    POINT pt;
    ::GetCursorPos(&pt);
    Tool* pTool = HitTest(pt);
    if (pTool != NULL && m_pending.IsSame(pTool) && m_bActive)
        ShowTip(pTool);
    m_pending.Clear();
}

void CTKPToolTipWindow::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == timerPending)
        OnPendingTimer();
    CWnd::OnTimer(nIDEvent);
}

CPoint CTKPToolTipWindow::CalcTipPosition(CPoint ptCursor, CSize size) const
{
    // Below the cursor, but kept inside the work area of the cursor's monitor (above the cursor
    // when there is no room below): placed plainly below it, a tip near an edge runs off the screen.
    RECT rcWork;
    CTKPDrawingHelper::GetWorkAreaFromPoint(&rcWork, ptCursor);
    CPoint pt(ptCursor.x, ptCursor.y + 21);
    if (pt.x + size.cx > rcWork.right)
        pt.x = rcWork.right - size.cx;
    if (pt.x < rcWork.left)
        pt.x = rcWork.left;
    if (pt.y + size.cy > rcWork.bottom)
        pt.y = ptCursor.y - size.cy;
    if (pt.y < rcWork.top)
        pt.y = rcWork.top;
    return pt;
}

void CTKPToolTipWindow::ShowTip(Tool* pTool)
{
    if (pTool == NULL ? m_current.IsNone() : m_current.IsSame(pTool))
        return;
    CSize size(0, 0);
    if (pTool != NULL) {
        size = CalcTipSize(pTool);
        if (size.cx <= 0 || size.cy <= 0) {
            pTool = NULL;
            if (m_current.IsNone())
                return;
        }
    }
    SetWindowPos(NULL, 0, 0, 0, 0,
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    if (pTool != NULL) {
        POINT ptCursor;
        ::GetCursorPos(&ptCursor);
        const CPoint pt = CalcTipPosition(ptCursor, size);
        SetWindowPos(&CWnd::wndTop, pt.x, pt.y, size.cx, size.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        Invalidate();
        InstallMouseHook();
        m_clicked.Clear();
        m_current = *pTool;
    } else {
        RemoveMouseHook();
        m_pending.Clear();
        m_current.Clear();
    }
    m_dwLastChange = Now();
}

CString CTKPToolTipWindow::GetToolText(Tool* pTool)
{
    if (pTool == NULL)
        return CString();
    if (pTool->bCallback) {
        NMTTDISPINFOW info = {};
        info.hdr.hwndFrom = m_hWnd;
        info.hdr.idFrom = pTool->uId;
        info.hdr.code = TTN_GETDISPINFOW;
        info.uFlags = pTool->uFlags;
        info.hinst = pTool->hinst;
        HWND hTarget = m_hOwner != NULL ? m_hOwner : ::GetParent(pTool->hwnd);
        if (hTarget != NULL)
            ::SendMessageW(hTarget, WM_NOTIFY, pTool->uId, reinterpret_cast<LPARAM>(&info));
        if (info.lpszText == NULL)
            pTool->strText = info.szText;
        else if (IS_INTRESOURCE(info.lpszText)) {
            WCHAR szBuffer[1024] = {};
            ::LoadStringW(info.hinst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.lpszText)), szBuffer, 1024);
            pTool->strText = szBuffer;
        } else
            pTool->strText = info.lpszText;
    }
    CString strText = pTool->strText;
    if ((GetStyle() & TTS_NOPREFIX) == 0)
        CTKPDrawingHelper::StripMnemonics(strText);
    return strText;
}

CSize CTKPToolTipWindow::CalcTipSize(Tool* pTool)
{
    const CString strText = GetToolText(pTool);
    if (strText.IsEmpty())
        return CSize(0, 0);
    CClientDC dc(this);
    CTKPFontSelector font(&dc, &m_font);
    const int nMaxWidth = m_pManager != NULL && m_pManager->GetMaxTipWidth() > 0 ? m_pManager->GetMaxTipWidth()
                                                                                 : ::GetSystemMetrics(SM_CXSCREEN);
    CRect rcText(0, 0, nMaxWidth, 0);
    dc.DrawText(strText, &rcText, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
    CSize size(rcText.Width(), rcText.Height());
    if (!m_strTitle.IsEmpty()) {
        CRect rcTitle(0, 0, nMaxWidth, 0);
        dc.DrawText(m_strTitle, &rcTitle, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        size.cy += rcTitle.Height() + 8;
        size.cx = std::max(size.cx, static_cast<LONG>(rcTitle.Width()));
    }
    RECT rcMargins = {0, 0, 0, 0};
    if (m_pManager != NULL)
        rcMargins = m_pManager->GetMargins();
    return CSize(size.cx + rcMargins.left + rcMargins.right + 6, size.cy + rcMargins.top + rcMargins.bottom + 6);
}

void CTKPToolTipWindow::DrawTip(CDC* pDC, Tool* pTool, CRect rect)
{
    RECT rcMargins = {0, 0, 0, 0};
    if (m_pManager != NULL)
        rcMargins = m_pManager->GetMargins();
    rect.left += rcMargins.left + 3;
    rect.top += rcMargins.top + 3;
    rect.right -= rcMargins.right + 3;
    rect.bottom -= rcMargins.bottom + 3;
    if (!m_strTitle.IsEmpty()) {
        CRect rcTitle(rect);
        pDC->DrawText(m_strTitle, &rcTitle, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        const int nTitleHeight = rcTitle.Height();
        rcTitle = rect;
        pDC->DrawText(m_strTitle, &rcTitle, DT_NOPREFIX | DT_SINGLELINE);
        pDC->FillSolidRect(rect.left, rect.top + nTitleHeight + 4, rect.Width(), 1, RGB(0, 0, 0));
        rect.top += nTitleHeight + 8;
    }
    pDC->DrawText(GetToolText(pTool), &rect, DT_NOPREFIX | DT_WORDBREAK);
}

void CTKPToolTipWindow::DrawBackground(CDC* pDC, Tool* /*pTool*/, CRect rect)
{
    pDC->FillSolidRect(&rect, m_pManager != NULL ? m_pManager->GetBackColor() : ::GetSysColor(COLOR_INFOBK));
    if (GetStyle() & CTKPToolTipManager::tipLightBorder)
        pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNFACE), RGB(0, 0, 0));
    else
        pDC->Draw3dRect(&rect, RGB(0, 0, 0), RGB(0, 0, 0));
}

void CTKPToolTipWindow::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    Tool* pTool = m_current.IsNone() ? NULL : FindTool(m_current.hwnd, m_current.uId);
    DrawBackground(&dc, pTool, rc);
    if (pTool == NULL)
        return;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_pManager != NULL ? m_pManager->GetTextColor() : ::GetSysColor(COLOR_INFOTEXT));
    CTKPFontSelector font(&dc, &m_font);
    DrawTip(&dc, pTool, rc);
}

BOOL CTKPToolTipWindow::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

LRESULT CTKPToolTipWindow::OnNcHitTest(CPoint /*point*/)
{
    return HTTRANSPARENT;
}

int CTKPToolTipWindow::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATE;
}

void CTKPToolTipWindow::OnMouseMove(UINT /*nFlags*/, CPoint /*point*/)
{
    ShowTip(NULL);
}

void CTKPToolTipWindow::OnDestroy()
{
    RemoveMouseHook();
    if (m_nTimer != 0) {
        KillTimer(timerPending);
        m_nTimer = 0;
    }
    CWnd::OnDestroy();
}

LRESULT CTKPToolTipWindow::OnAddTool(WPARAM, LPARAM lParam)
{
    return AddTool(reinterpret_cast<TOOLINFO*>(lParam));
}

LRESULT CTKPToolTipWindow::OnActivateMsg(WPARAM wParam, LPARAM)
{
    Activate(static_cast<BOOL>(wParam));
    return 0;
}

LRESULT CTKPToolTipWindow::OnDelTool(WPARAM, LPARAM lParam)
{
    DelTool(reinterpret_cast<TOOLINFO*>(lParam));
    return 0;
}

LRESULT CTKPToolTipWindow::OnRelayEvent(WPARAM, LPARAM lParam)
{
    RelayEvent(reinterpret_cast<MSG*>(lParam));
    return 0;
}

LRESULT CTKPToolTipWindow::OnSetTitle(WPARAM, LPARAM lParam)
{
    m_strTitle = lParam != 0 ? reinterpret_cast<LPCWSTR>(lParam) : L"";
    if ((GetStyle() & TTS_NOPREFIX) == 0)
        CTKPDrawingHelper::StripMnemonics(m_strTitle);
    return TRUE;
}

LRESULT CTKPToolTipWindow::OnUpdateTipText(WPARAM, LPARAM lParam)
{
    const TOOLINFO* pInfo = reinterpret_cast<const TOOLINFO*>(lParam);
    if (pInfo == NULL)
        return 0;
    Tool* pTool = FindTool(pInfo->hwnd, pInfo->uId);
    if (pTool == NULL)
        return 0;
    if (pInfo->lpszText == LPSTR_TEXTCALLBACKW) {
        pTool->bCallback = TRUE;
        pTool->strText.Empty();
    } else {
        pTool->bCallback = FALSE;
        pTool->strText = pInfo->lpszText != NULL && !IS_INTRESOURCE(pInfo->lpszText) ? pInfo->lpszText : L"";
    }
    return 0;
}

LRESULT CTKPToolTipWindow::OnWindowFromPoint(WPARAM, LPARAM lParam)
{
    const POINT* pt = reinterpret_cast<const POINT*>(lParam);
    return pt != NULL ? reinterpret_cast<LRESULT>(TKPToolTipWindowFromPoint(*pt)) : 0;
}

void CTKPToolTipWindow::InstallMouseHook()
{
    if (!g_bMouseHookEnabled || g_hMouseHook != NULL || g_pHookOwner != NULL)
        return;
    g_hMouseHook = ::SetWindowsHookExW(WH_MOUSE, &CTKPToolTipWindow::MouseHookProc, NULL, ::GetCurrentThreadId());
    if (g_hMouseHook != NULL)
        g_pHookOwner = this;
}

void CTKPToolTipWindow::RemoveMouseHook()
{
    if (g_pHookOwner != this)
        return;
    ::UnhookWindowsHookEx(g_hMouseHook);
    g_hMouseHook = NULL;
    g_pHookOwner = NULL;
}

LRESULT CALLBACK CTKPToolTipWindow::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const HHOOK hHook = g_hMouseHook;
    CTKPToolTipWindow* pTip = g_pHookOwner;
    if (nCode == HC_ACTION && pTip != NULL && !pTip->m_current.IsNone()) {
        const MOUSEHOOKSTRUCT* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        HWND hUnder = ::WindowFromPoint(pInfo->pt);
        if (hUnder != pTip->m_current.hwnd) {
            MSG msg = {};
            msg.hwnd = hUnder;
            msg.message = WM_MOUSEMOVE;
            POINT ptClient = pInfo->pt;
            if (hUnder != NULL)
                ::ScreenToClient(hUnder, &ptClient);
            msg.lParam = MAKELPARAM(ptClient.x, ptClient.y);
            msg.pt = pInfo->pt;
            msg.time = ::GetMessageTime();
            pTip->RelayEvent(&msg);
        }
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}
