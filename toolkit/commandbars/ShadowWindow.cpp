#include "toolkit/commandbars/ShadowWindow.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/Dib32.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/PopupShadows.h"
#include "toolkit/commandbars/ShadowPixels.h"
#include "toolkit/commandbars/WindowHookManager.h"

BEGIN_MESSAGE_MAP(CTKPShadowWindow, CWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CTKPShadowWindow::CTKPShadowWindow(BOOL bBottom, int nThemeForced, CTKPCommandBar* pOwner)
    : m_bBottom(bBottom), m_nThemeForced(nThemeForced), m_pOwner(pOwner),
      m_hWndOwnerBar(pOwner != NULL ? pOwner->GetSafeHwnd() : NULL)
{}

CTKPShadowWindow::~CTKPShadowWindow()
{
    if (GetSafeHwnd() != NULL)
        DestroyWindow();
}

BOOL CTKPShadowWindow::CreateShadowWindow(CWnd* pSite)
{
    if (GetSafeHwnd() != NULL)
        return TRUE;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS | CS_OWNDC, ::LoadCursorW(NULL, IDC_ARROW));
    const DWORD dwExStyle = IsLayeredShadowAvailable() ? (WS_EX_LAYERED | WS_EX_TOOLWINDOW) : WS_EX_TOOLWINDOW;
    if (!CreateEx(dwExStyle, lpszClass, NULL, WS_POPUP, 0, 0, 0, 0, pSite != NULL ? pSite->GetSafeHwnd() : NULL, NULL))
        return FALSE;
    SetWindowRgn(NULL, FALSE);
    return TRUE;
}

int CTKPShadowWindow::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    if (nMessage == WM_SHOWWINDOW) {
        if (GetSafeHwnd() != NULL)
            ShowWindow(wParam ? SW_SHOWNA : SW_HIDE);
    } else if (nMessage == WM_DESTROY) {
        CTKPWindowHookManager::GetInstance()->RemoveHook(hWnd, this);
        TKPGetPopupShadows()->RemoveShadow(this);
    }
    return hookNotHandled;
}

BOOL CTKPShadowWindow::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CTKPShadowWindow::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(rc, IsLayeredShadowAvailable() ? RGB(0, 0, 0) : GetColorManager()->GetColor(COLOR_BTNSHADOW));
}

LRESULT CTKPShadowWindow::OnNcHitTest(CPoint /*point*/)
{
    return HTTRANSPARENT;
}

void CTKPShadowWindow::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (cx > 0 && cy > 0 && IsLayeredShadowAvailable() && m_pOwner != NULL)
        UpdateLayeredPixels(cx, cy);
}

void CTKPShadowWindow::UpdateLayeredPixels(int cx, int cy)
{
    CTKPPopupShadows* pShadows = TKPGetPopupShadows();
    if (pShadows->m_pfnUpdateLayeredWindow == NULL || GetSafeHwnd() == NULL)
        return;
    CTKPCommandBarsTheme* pTheme = m_pOwner != NULL ? m_pOwner->GetPaintManager() : NULL;
    const COLORREF clrShadow = pTheme != NULL ? pTheme->m_clrShadowColor : RGB(0, 0, 0);

    HDC hdcWindow = ::GetDC(m_hWnd);
    HDC hdcMem = ::CreateCompatibleDC(hdcWindow);
    void* pvBits = NULL;
    HBITMAP hBitmap = TKPCreateDib32(cx, -cy, &pvBits);
    if (hBitmap != NULL && pvBits != NULL) {
        TKPBuildShadowPixels(static_cast<DWORD*>(pvBits), cx, cy, m_bBottom, clrShadow, m_nThemeForced ? 1 : 2);
        HGDIOBJ hOld = ::SelectObject(hdcMem, hBitmap);
        SIZE size = {cx, cy};
        POINT ptSrc = {0, 0};
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        pShadows->m_pfnUpdateLayeredWindow(m_hWnd, NULL, NULL, &size, hdcMem, &ptSrc, 0, &blend, ULW_ALPHA);
        ::SelectObject(hdcMem, hOld);
    }
    if (hBitmap != NULL)
        ::DeleteObject(hBitmap);
    ::DeleteDC(hdcMem);
    ::ReleaseDC(m_hWnd, hdcWindow);
}
