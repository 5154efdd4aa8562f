#include "toolkit/controls/HyperLink.h"

#include "res/toolkit-controls.h"
#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/MemDC.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/controls/ControlColors.h"
#include "toolkit/controls/HotTracking.h"

#include <shellapi.h>

namespace {
const UINT_PTR kHotTimer = 1;
const UINT kFirstErrorString = 9037;
const UINT kUnknownErrorString = 9050;

HINSTANCE ShellOpen(LPCTSTR lpszURL, LPCTSTR lpszParameters, LPCTSTR lpszDirectory, int nShowCmd)
{
    return ::ShellExecuteW(NULL, L"open", lpszURL, lpszParameters, lpszDirectory, nShowCmd);
}

int ShowMessage(LPCTSTR lpszText, UINT nType)
{
    return AfxMessageBox(lpszText, nType);
}

CTKHyperLink::ShellOpenFunction g_pfnShellOpen = NULL;
CTKHyperLink::MessageFunction g_pfnMessage = NULL;

// The string of each shell error code, in the order of the strings.
const int kErrorCodes[] = {0, ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_NOT_ENOUGH_MEMORY,
    ERROR_BAD_FORMAT, SE_ERR_SHARE, SE_ERR_ASSOCINCOMPLETE, SE_ERR_DDETIMEOUT, SE_ERR_DDEFAIL, SE_ERR_DDEBUSY,
    SE_ERR_NOASSOC, SE_ERR_DLLNOTFOUND};
}  // namespace

IMPLEMENT_DYNAMIC(CTKHyperLink, CStatic)

BEGIN_MESSAGE_MAP(CTKHyperLink, CStatic)
ON_WM_NCHITTEST()
ON_WM_SETCURSOR()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_WM_CTLCOLOR_REFLECT()
ON_WM_PAINT()
ON_WM_WINDOWPOSCHANGED()
ON_CONTROL_REFLECT_EX(STN_CLICKED, OnClicked)
ON_WM_CREATE()
END_MESSAGE_MAP()

CTKHyperLink::ShellOpenFunction CTKHyperLink::SetShellOpenFunction(ShellOpenFunction pfn)
{
    ShellOpenFunction pfnOld = g_pfnShellOpen;
    g_pfnShellOpen = pfn;
    return pfnOld;
}

CTKHyperLink::MessageFunction CTKHyperLink::SetMessageFunction(MessageFunction pfn)
{
    MessageFunction pfnOld = g_pfnMessage;
    g_pfnMessage = pfn;
    return pfnOld;
}

CTKHyperLink::CTKHyperLink()
    : m_bNavigateOnClick(TRUE), m_bInitOnSubclass(TRUE), m_bUnderline(TRUE), m_bHot(FALSE), m_bVisited(FALSE),
      m_bToolTip(TRUE), m_hLinkCursor(::LoadCursorW(NULL, IDC_HAND)), m_clrLink(RGB(0, 0, 255)),
      m_clrHover(RGB(255, 0, 0)), m_clrVisited(RGB(128, 0, 128)), m_clrBack((COLORREF)-1)
{
    if (m_hLinkCursor == NULL)
        m_hLinkCursor = GetResourceManager()->LoadCursor(IDC_TKHAND);
}

CTKHyperLink::~CTKHyperLink()
{
    m_fontLink.DeleteObject();
}

void CTKHyperLink::Redraw()
{
    if (::IsWindow(m_hWnd))
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// --- Settings -----------------------------------------------------------------------------------------

void CTKHyperLink::SetURL(LPCTSTR lpszURL)
{
    m_strURL = lpszURL ? lpszURL : _T("");
    if (m_strToolTip.IsEmpty())
        m_strToolTip = m_strURL;
    if (m_strToolTip.IsEmpty() || !::IsWindow(m_hWnd))
        return;
    if (!::IsWindow(m_toolTip.GetSafeHwnd())) {
        // The whole control is the tool.
        if (m_toolTip.Create(this)) {
            m_toolTip.AddTool(this, m_strToolTip);
            m_toolTip.Activate(m_bToolTip);
        }
    } else {
        m_toolTip.UpdateTipText(m_strURL, this);
    }
}

void CTKHyperLink::SetColors(COLORREF clrLink, COLORREF clrVisited, COLORREF clrHover, BOOL bRedraw)
{
    m_clrLink = clrLink;
    m_clrVisited = clrVisited;
    m_clrHover = clrHover;
    if (bRedraw)
        Redraw();
}

void CTKHyperLink::SetVisited(BOOL bVisited, BOOL bRedraw)
{
    m_bVisited = bVisited;
    if (bRedraw)
        Redraw();
}

void CTKHyperLink::SetUnderline(BOOL bUnderline)
{
    m_bUnderline = bUnderline;
    ApplyFont();
}

void CTKHyperLink::SetBackColor(COLORREF clr, BOOL bRedraw)
{
    m_clrBack = clr;
    if (bRedraw)
        Redraw();
}

COLORREF CTKHyperLink::GetBackColor() const
{
    return m_clrBack == (COLORREF)-1 ? tkcolor::Get(tkcolor::Face) : m_clrBack;
}

BOOL CTKHyperLink::IsTextStatic() const
{
    // The type is the low five bits (SS_TYPEMASK), not the low byte: with 0xFF a link that shows an
    // ampersand (SS_NOPREFIX, 0x80) would lose its target, colours and hover as a "picture" static.
    return (CWnd::GetStyle() & SS_TYPEMASK) < SS_ICON;
}

// --- Fonts --------------------------------------------------------------------------------------------

BOOL CTKHyperLink::CreateUnderlineFont(CFont& font, BOOL bUnderline)
{
    LOGFONTW lf = {};
    HFONT hFont = ::IsWindow(m_hWnd) ? reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)) : NULL;
    if (hFont == NULL || ::GetObjectW(hFont, sizeof(lf), &lf) == 0) {
        NONCLIENTMETRICSW metrics = {};
        metrics.cbSize = sizeof(metrics);
        if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
            return FALSE;
        lf = metrics.lfStatusFont;
    }
    lf.lfUnderline = bUnderline ? TRUE : FALSE;
    HFONT hNew = ::CreateFontIndirectW(&lf);
    if (hNew == NULL)
        return FALSE;
    font.DeleteObject();
    font.Attach(hNew);
    return TRUE;
}

BOOL CTKHyperLink::ApplyFont()
{
    // The new font is made before the old one goes, so the control never holds a deleted font.
    CFont fontNew;
    if (!CreateUnderlineFont(fontNew, m_bUnderline))
        return FALSE;
    HFONT hOld = static_cast<HFONT>(m_fontLink.Detach());
    m_fontLink.Attach(fontNew.Detach());
    if (::IsWindow(m_hWnd)) {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fontLink.GetSafeHandle()), TRUE);
        Redraw();
    }
    if (hOld)
        ::DeleteObject(hOld);
    return TRUE;
}

void CTKHyperLink::Init()
{
    if (!::IsWindow(m_hWnd))
        return;
    if (IsTextStatic()) {
        if (m_strURL.IsEmpty())
            GetWindowText(m_strURL);
        SetURL(m_strURL);
    }
    ModifyStyle(0, SS_NOTIFY);
    ApplyFont();
}

BOOL CTKHyperLink::PreCreateWindow(CREATESTRUCT& cs)
{
    m_bInitOnSubclass = FALSE;
    return CStatic::PreCreateWindow(cs);
}

void CTKHyperLink::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    if (m_bInitOnSubclass)
        Init();
}

int CTKHyperLink::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CStatic::OnCreate(lpCreateStruct) == -1)
        return -1;
    Init();
    return 0;
}

// --- Opening the target -------------------------------------------------------------------------------

BOOL CTKHyperLink::GotoURL(LPCTSTR lpszURL, int nShowCmd, LPCTSTR lpszParameters, LPCTSTR lpszDirectory)
{
    LPCTSTR lpszTarget = lpszURL ? lpszURL : static_cast<LPCTSTR>(m_strURL);
    ShellOpenFunction pfnOpen = g_pfnShellOpen ? g_pfnShellOpen : ShellOpen;
    const INT_PTR nResult = reinterpret_cast<INT_PTR>(pfnOpen(lpszTarget, lpszParameters, lpszDirectory, nShowCmd));
    if (nResult <= 32) {
        ReportError(static_cast<int>(nResult));
        return FALSE;
    }
    return TRUE;
}

void CTKHyperLink::ReportError(int nError)
{
    UINT nID = kUnknownErrorString;
    for (UINT i = 0; i < sizeof(kErrorCodes) / sizeof(kErrorCodes[0]); ++i)
        if (kErrorCodes[i] == nError)
            nID = kFirstErrorString + i;
    CString strText;
    GetResourceManager()->LoadString(&strText, nID);
    if (nID == kUnknownErrorString) {
        CString strFormat = strText;
        strText.Format(strFormat, nError);
    }
    ::MessageBeep(MB_ICONEXCLAMATION);
    MessageFunction pfnMessage = g_pfnMessage ? g_pfnMessage : ShowMessage;
    pfnMessage(strText, MB_ICONEXCLAMATION);
}

// --- Messages -----------------------------------------------------------------------------------------

BOOL CTKHyperLink::IsCursorOverText()
{
    if (!IsTextStatic())
        return TRUE;
    CString strText;
    GetWindowText(strText);
    int nTextWidth = 0;
    {
        CClientDC dc(this);
        CTKPFontSelector font(dc.GetSafeHdc(), reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
        nTextWidth = dc.GetTextExtent(strText).cx;
    }
    CRect rc;
    GetWindowRect(&rc);
    switch (CWnd::GetStyle() & SS_TYPEMASK) {
    case SS_CENTER: {
        const int nInset = (rc.Width() - nTextWidth) / 2;
        if (nInset > 0)
            rc.DeflateRect(nInset, 0);
        break;
    }
    case SS_RIGHT:
        rc.left = rc.right - nTextWidth;
        break;
    default:
        rc.right = rc.left + nTextWidth;
    }
    CPoint pt;
    ::GetCursorPos(&pt);
    return rc.PtInRect(pt);
}

LRESULT CTKHyperLink::OnNcHitTest(CPoint)
{
    return HTCLIENT;
}

BOOL CTKHyperLink::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hLinkCursor && IsCursorOverText()) {
        ::SetCursor(m_hLinkCursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void CTKHyperLink::OnMouseMove(UINT nFlags, CPoint point)
{
    if (IsTextStatic() && IsCursorOverText())
        SetTimer(kHotTimer, 10);
    CStatic::OnMouseMove(nFlags, point);
}

void CTKHyperLink::OnHotTrackTimer()
{
    if (IsTextStatic() && TKHotTrackStep(this, kHotTimer, IsCursorOverText(), m_bHot))
        Redraw();
}

void CTKHyperLink::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHotTimer)
        OnHotTrackTimer();
    else
        CStatic::OnTimer(nIDEvent);
}

HBRUSH CTKHyperLink::CtlColor(CDC* pDC, UINT)
{
    if (!IsTextStatic())
        return NULL;
    pDC->SetTextColor(m_bHot ? m_clrHover : m_bVisited ? m_clrVisited : m_clrLink);
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CTKHyperLink::OnPaint()
{
    if (GetExStyle() & WS_EX_TRANSPARENT) {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CTKMemDC memDC(&dc, rcClient, CTKPColorGradient(GetBackColor()));
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(memDC.GetSafeHdc()), 0);
}

void CTKHyperLink::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CStatic::OnWindowPosChanged(lpwndpos);
    Redraw();
}

BOOL CTKHyperLink::OnClicked()
{
    if (IsCursorOverText()) {
        const BOOL bVisited = m_bNavigateOnClick ? GotoURL(NULL, SW_SHOW, NULL, NULL) : TRUE;
        if (bVisited != m_bVisited)
            SetVisited(bVisited);
        if (::IsWindow(m_toolTip.GetSafeHwnd()) && m_bToolTip)
            m_toolTip.Pop();
    }
    return IsTextStatic() ? FALSE : TRUE;
}

BOOL CTKHyperLink::PreTranslateMessage(MSG* pMsg)
{
    if (::IsWindow(m_toolTip.GetSafeHwnd()) && m_bToolTip)
        m_toolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}
