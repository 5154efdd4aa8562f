#include "toolkit/controls/Button.h"

#include "toolkit/base/DrawingHelper.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/base/MemDC.h"
#include "toolkit/base/SharedMetrics.h"
#include "toolkit/controls/ControlColors.h"

namespace {
const UINT_PTR kHotTimer = 1;
}

IMPLEMENT_DYNAMIC(CTKButton, CButton)

BEGIN_MESSAGE_MAP(CTKButton, CButton)
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_CREATE()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

CTKButton::CTKButton(CRuntimeClass* pFactoryClass)
    : CTKThemeStyleHolder(pFactoryClass ? pFactoryClass : RUNTIME_CLASS(CTKButtonThemeFactory)), m_nMargin(4),
      m_nImageTextGap(8), m_bMakeOwnerDraw(TRUE), m_bHot(FALSE), m_bFixedPositions(FALSE), m_bPressed(FALSE),
      m_bHotPainted(FALSE), m_bChecked(FALSE), m_dwStyleFlags(TKBS_FLAT), m_sizeImage(0, 0), m_ptImage(0, 0),
      m_ptText(0, 0), m_pImage(NULL)
{}

CTKButton::~CTKButton()
{
    FreeDerivedImages();
    delete m_pImage;
    m_pImage = NULL;
}

void CTKButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (CTKButtonTheme* pTheme = GetButtonTheme())
        pTheme->DrawItem(lpDIS, this);
}

void CTKButton::RedrawIf(BOOL bRedraw)
{
    if (bRedraw && ::IsWindow(m_hWnd))
        Invalidate();
}

// --- Images -------------------------------------------------------------------------------------------

BOOL CTKButton::SetIcon(CSize size, const CTKPIconHandle& normal, const CTKPIconHandle& hot, BOOL bRedraw)
{
    m_sizeImage = (size.cx == 0 && size.cy == 0) ? normal.GetExtent() : size;
    FreeDerivedImages();
    delete m_pImage;
    m_pImage = new CTKPImageIcon(0, m_sizeImage.cx, m_sizeImage.cy, NULL);
    m_pImage->SetIcon(normal);
    // Drawn at the size the layout places it with, not at the record's own.
    if (m_sizeImage.cx > 0 && m_sizeImage.cy > 0)
        m_pImage->SetSize(m_sizeImage.cx, m_sizeImage.cy);
    if (!hot.IsEmpty())
        m_pImage->SetHotIcon(hot);
    RedrawIf(bRedraw);
    return TRUE;
}

BOOL CTKButton::SetIcon(CSize size, LPCTSTR lpszNormal, LPCTSTR lpszHot, BOOL bRedraw)
{
    HICON hNormal = static_cast<HICON>(
        ::LoadImageW(AfxFindResourceHandle(lpszNormal, RT_GROUP_ICON), lpszNormal, IMAGE_ICON, size.cx, size.cy, 0));
    HICON hHot = NULL;
    if (lpszHot)
        hHot = static_cast<HICON>(
            ::LoadImageW(AfxFindResourceHandle(lpszHot, RT_GROUP_ICON), lpszHot, IMAGE_ICON, size.cx, size.cy, 0));
    BOOL bDone = FALSE;
    if (hNormal && (lpszHot == NULL || hHot))
        bDone = SetIcon(size, CTKPIconHandle(hNormal), CTKPIconHandle(hHot), bRedraw);
    if (hNormal)
        ::DestroyIcon(hNormal);
    if (hHot)
        ::DestroyIcon(hHot);
    return bDone;
}

BOOL CTKButton::SetIcon(CSize size, UINT nIDNormal, UINT nIDHot, BOOL bRedraw)
{
    return SetIcon(size, MAKEINTRESOURCE(LOWORD(nIDNormal)), nIDHot ? MAKEINTRESOURCE(LOWORD(nIDHot)) : NULL, bRedraw);
}

BOOL CTKButton::SetIcon(CSize size, HICON hNormal, HICON hHot, BOOL bRedraw)
{
    return SetIcon(size, CTKPIconHandle(hNormal), CTKPIconHandle(hHot), bRedraw);
}

BOOL CTKButton::SetBitmap(CSize size, UINT nIDBitmap, BOOL bRedraw)
{
    FreeDerivedImages();
    delete m_pImage;
    m_pImage = NULL;

    HBITMAP hAlpha = NULL;
    if (TKPGetImageManager()->LoadAlphaBitmapResource(nIDBitmap, &hAlpha)) {
        const BOOL bDone = SetIcon(size, CTKPIconHandle(hAlpha), CTKPIconHandle(), bRedraw);
        ::DeleteObject(hAlpha);
        return bDone;
    }
    LPCTSTR lpszName = MAKEINTRESOURCE(nIDBitmap);
    HBITMAP hBitmap = ::LoadBitmapW(AfxFindResourceHandle(lpszName, RT_BITMAP), lpszName);
    if (hBitmap == NULL)
        return FALSE;
    HICON hIcon = CTKPSharedMetrics::CreateIconFromBitmap(hBitmap);
    ::DeleteObject(hBitmap);
    if (hIcon == NULL)
        return FALSE;
    const BOOL bDone = SetIcon(size, CTKPIconHandle(hIcon), CTKPIconHandle(), bRedraw);
    ::DestroyIcon(hIcon);
    return bDone;
}

void CTKButton::FreeDerivedImages()
{
    if (m_pImage)
        m_pImage->ClearDerived();
}

BOOL CTKButton::SetTextImagePos(CPoint ptImage, CPoint ptText, BOOL bRedraw)
{
    m_ptImage = ptImage;
    m_ptText = ptText;
    m_bFixedPositions = TRUE;
    RedrawIf(bRedraw);
    return TRUE;
}

void CTKButton::ToggleImage()
{
    if (CTKButtonTheme* pTheme = GetButtonTheme()) {
        pTheme->SetShowImage(!pTheme->GetShowImage());
        RedrawIf(TRUE);
    }
}

// --- Style and colours --------------------------------------------------------------------------------

DWORD CTKButton::SetButtonStyleFlags(DWORD dwFlags, BOOL bRedraw)
{
    const DWORD dwOld = m_dwStyleFlags;
    m_dwStyleFlags = dwFlags;
    if (dwFlags & TKBS_FLATSTYLE) {
        // Made directly, with no theme number: SetFlatColors reaches only the flat look of theme 1.
        SetStyle(new CTKButtonThemeFlat(FALSE));
    } else if (dwFlags & TKBS_FLAT) {
        SetStyle(new CTKButtonTheme);
    } else {
        SetStyle(NULL);
    }
    RedrawIf(bRedraw);
    return dwOld;
}

void CTKButton::SetColors(COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow, COLORREF clrText, BOOL bRedraw)
{
    if (HasTheme())
        GetButtonTheme()->SetColors(clrFace, clrLight, clrShadow, clrText);
    RedrawIf(bRedraw);
}

void CTKButton::SetFaceColor(COLORREF clr, BOOL bRedraw)
{
    if (HasTheme())
        GetButtonTheme()->SetFaceColor(clr);
    RedrawIf(bRedraw);
}

COLORREF CTKButton::GetFaceColor() const
{
    return HasTheme() ? GetButtonTheme()->GetFaceColor() : GetSharedMetrics()->m_clrBtnFace;
}

void CTKButton::SetLightColor(COLORREF clr, BOOL bRedraw)
{
    if (HasTheme())
        GetButtonTheme()->SetLightColor(clr);
    RedrawIf(bRedraw);
}

void CTKButton::SetShadowColor(COLORREF clr, BOOL bRedraw)
{
    if (HasTheme())
        GetButtonTheme()->SetShadowColor(clr);
    RedrawIf(bRedraw);
}

void CTKButton::SetTextColor(COLORREF clr, BOOL bRedraw)
{
    if (HasTheme())
        GetButtonTheme()->SetTextColor(clr);
    RedrawIf(bRedraw);
}

void CTKButton::SetFlatColors(COLORREF clrBorder, COLORREF clrHotFill, COLORREF clrPressedFill, BOOL bRedraw)
{
    CTKButtonTheme* pTheme = GetButtonTheme();
    if (pTheme == NULL || pTheme->m_nTheme != 1)
        return;
    CTKButtonThemeFlat* pFlat = static_cast<CTKButtonThemeFlat*>(pTheme);
    pFlat->SetLightColor(clrBorder);
    pFlat->SetShadowColor(clrBorder);
    pFlat->SetHotFillColor(clrHotFill);
    pFlat->SetPressedFillColor(clrPressedFill);
    RedrawIf(bRedraw);
}

CFont* CTKButton::SetFont(CFont* pFont)
{
    CFont* pOld = GetFont();
    if (::IsWindow(m_hWnd))
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->GetSafeHandle() : NULL), TRUE);
    return pOld;
}

void CTKButton::SetOwnerDraw()
{
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, 0);
}

void CTKButton::GetButtonText(CString& strText, BOOL bStrip)
{
    GetWindowText(strText);
    if (bStrip)
        CTKPDrawingHelper::StripMnemonics(strText);
}

BOOL CTKButton::PreCreateWindow(CREATESTRUCT& cs)
{
    m_bMakeOwnerDraw = FALSE;
    return CButton::PreCreateWindow(cs);
}

void CTKButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    if (m_bMakeOwnerDraw)
        SetOwnerDraw();
}

// --- Messages -----------------------------------------------------------------------------------------

int CTKButton::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CButton::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetOwnerDraw();
    return 0;
}

void CTKButton::OnMouseMove(UINT nFlags, CPoint point)
{
    CTKButtonTheme* pTheme = GetButtonTheme();
    if (pTheme && pTheme->IsHotTrackingEnabled(this)) {
        SetTimer(kHotTimer, 10);
        OnHotTrackTimer();
    }
    CButton::OnMouseMove(nFlags, point);
}

void CTKButton::OnHotTrackTimer()
{
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (!m_bPressed && rcWindow.PtInRect(ptCursor)) {
        CTKButtonTheme* pTheme = GetButtonTheme();
        if (pTheme && pTheme->IsHotTrackingEnabled(this) && !m_bHotPainted) {
            m_bHot = TRUE;
            Invalidate();
            m_bHotPainted = TRUE;
        }
        return;
    }
    KillTimer(kHotTimer);
    m_bHot = FALSE;
    if (m_bHotPainted)
        Invalidate();
    m_bHotPainted = FALSE;
}

void CTKButton::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHotTimer)
        OnHotTrackTimer();
    else
        CButton::OnTimer(nIDEvent);
}

void CTKButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bPressed) {
        m_bPressed = TRUE;
        Invalidate();
    }
    CButton::OnLButtonDown(nFlags, point);
}

void CTKButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bPressed) {
        m_bPressed = FALSE;
        Invalidate();
    }
    CButton::OnLButtonUp(nFlags, point);
}

void CTKButton::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // A double click counts as a second click.
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    ScreenToClient(&ptCursor);
    SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(ptCursor.x, ptCursor.y));
    CButton::OnLButtonDblClk(nFlags, point);
}

BOOL CTKButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTKButton::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CTKMemDC memDC(&dc, rcClient, CTKPColorGradient(tkcolor::Get(tkcolor::Face)));
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(memDC.GetSafeHdc()), 0);
}
