#include "toolkit/controls/Caption.h"

#include "res/toolkit-controls.h"
#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/MemDC.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/base/SharedMetrics.h"
#include "toolkit/controls/CaptionPopupWnd.h"
#include "toolkit/controls/ControlColors.h"

#include <algorithm>

namespace {
const int kCloseWidth = 16;
const int kCloseHeight = 15;
const int kCloseGlyph = 2;  // the cross in the caption glyphs
}  // namespace

IMPLEMENT_DYNAMIC(CTKCaption, CStatic)

BEGIN_MESSAGE_MAP(CTKCaption, CStatic)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_WINDOWPOSCHANGED()
ON_WM_SYSCOLORCHANGE()
ON_WM_SETTINGCHANGE()
ON_COMMAND(ID_TKCAPTION_BUTTON, OnButton)
ON_MESSAGE(WM_TKCAPTION_PINNED, OnPinned)
ON_MESSAGE(WM_TKCAPTION_FOCUSLOST, OnFocusLost)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CTKCaption::CTKCaption()
    : CTKThemeStyleHolder(RUNTIME_CLASS(CTKCaptionThemeFactory)), m_nBorderSize(0),
      m_clrBorder(::GetSysColor(COLOR_BTNFACE)), m_clrBackground(::GetSysColor(COLOR_BTNFACE)),
      m_clrText(::GetSysColor(COLOR_BTNTEXT)), m_nPopupOffset(0), m_bUserColors(FALSE), m_bCaptionButton(FALSE),
      m_pOwnerWnd(NULL), m_pChildWnd(NULL), m_pParentWnd(NULL), m_pGrandParentWnd(NULL), m_dwCaptionStyle(0),
      m_hIcon(NULL), m_pPopupWnd(NULL)
{
    CTKPSharedMetrics* pMetrics = GetSharedMetrics();
    m_sizeIcon = CSize(std::min(pMetrics->m_nSmallIconX, 16), std::min(pMetrics->m_nSmallIconY, 16));
    m_button.m_pCaption = this;
}

CTKCaption::~CTKCaption()
{
    DestroyPopup();
    m_imageList.DeleteImageList();
}

CWnd* CTKCaption::GetNotifyWnd() const
{
    return m_pOwnerWnd ? m_pOwnerWnd : GetParent();
}

// --- Creation and settings ------------------------------------------------------------------------------

BOOL CTKCaption::Create(CWnd* pParentWnd, LPCTSTR lpszText, DWORD dwFlags, DWORD dwStyle, const CRect& rect, UINT nID)
{
    if (!CStatic::Create(lpszText, dwStyle | WS_CLIPCHILDREN, rect, pParentWnd, nID))
        return FALSE;
    SetFont(&GetSharedMetrics()->m_fontNormal);
    m_dwCaptionStyle = dwFlags & 7;
    if (dwFlags & ~7u)
        ModifyStyleEx(0, dwFlags & ~7u);
    m_strCaption = lpszText ? lpszText : _T("");

    if ((dwFlags & TKCS_CLOSEBUTTON) == 0) {
        if (!m_button.Create(m_strCaption, BS_OWNERDRAW | BS_ICON | BS_VCENTER, CRect(0, 0, 0, 0), this,
                ID_TKCAPTION_BUTTON))
            return FALSE;
        m_bCaptionButton = TRUE;
    } else {
        // A failed close button fails the creation with FALSE, not -1, which a caller would take
        // for success.
        if (!m_button.Create(_T(""), WS_VISIBLE | BS_OWNERDRAW | BS_ICON | BS_CENTER | BS_VCENTER, CRect(0, 0, 0, 0),
                this, ID_TKCAPTION_BUTTON))
            return FALSE;
        CBitmap bitmap;
        if (GetResourceManager()->LoadBitmap(&bitmap, IDB_TKCAPTION_GLYPHS) &&
            m_imageList.Create(kCloseWidth, kCloseHeight, ILC_COLOR24 | ILC_MASK, 0, 3) &&
            m_imageList.Add(&bitmap, RGB(255, 0, 255)) >= 0) {
            HICON hIcon = m_imageList.ExtractIcon(kCloseGlyph);
            if (hIcon) {
                m_button.SetIcon(CSize(kCloseWidth, kCloseHeight), hIcon, NULL, FALSE);
                ::DestroyIcon(hIcon);
            }
        }
        bitmap.DeleteObject();
    }
    m_button.SetButtonStyleFlags(0, FALSE);
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    return TRUE;
}

void CTKCaption::SetCaptionColors(COLORREF clrBorder, COLORREF clrBackground, COLORREF clrText)
{
    m_clrBorder = clrBorder;
    m_clrBackground = clrBackground;
    m_clrText = clrText;
    m_bUserColors = TRUE;
    if (::IsWindow(m_button.GetSafeHwnd())) {
        m_button.SetFaceColor(clrBackground, FALSE);
        m_button.SetTextColor(clrText, FALSE);
        m_button.SetShadowColor(::GetSysColor(COLOR_3DDKSHADOW));
    }
    if (::IsWindow(m_hWnd))
        Invalidate();
}

void CTKCaption::ModifyCaptionStyle(int nBorderSize, CFont* pFont, LPCTSTR lpszText, HICON hIcon)
{
    if (nBorderSize)
        m_nBorderSize = nBorderSize;
    if (pFont) {
        SetFont(pFont);
        if (::IsWindow(m_button.GetSafeHwnd()))
            m_button.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), TRUE);
    }
    if (lpszText)
        SetCaptionText(lpszText);
    if (hIcon)
        m_hIcon = hIcon;
    UpdateCaption();
}

void CTKCaption::SetCaptionText(LPCTSTR lpszText)
{
    m_strCaption = lpszText ? lpszText : _T("");
    if (::IsWindow(m_hWnd))
        SetWindowText(m_strCaption);
    if (m_bCaptionButton && ::IsWindow(m_button.GetSafeHwnd()))
        m_button.SetWindowText(m_strCaption);
    UpdateCaption();
}

void CTKCaption::UpdateCaption()
{
    if (!::IsWindow(m_hWnd))
        return;
    if (::IsWindow(m_button.GetSafeHwnd())) {
        const CRect rcButton = GetButtonRect();
        m_button.MoveWindow(&rcButton);
    }
    Invalidate();
}

void CTKCaption::SetChildWindow(CWnd* pChild, CWnd* pOwner)
{
    m_pOwnerWnd = pOwner;
    m_pChildWnd = pChild;
    m_pParentWnd = pChild ? pChild->GetParent() : NULL;
    m_pGrandParentWnd = m_pParentWnd ? m_pParentWnd->GetParent() : NULL;
    m_rcChild.SetRectEmpty();
    m_rcParent.SetRectEmpty();
    m_rcGrandParent.SetRectEmpty();
    if (pChild)
        pChild->GetClientRect(&m_rcChild);
    if (m_pParentWnd) {
        m_pParentWnd->GetClientRect(&m_rcParent);
        m_rcParent.right += 2 * ::GetSystemMetrics(SM_CXEDGE);
        m_rcParent.bottom += 2 * ::GetSystemMetrics(SM_CYEDGE);
    }
    if (m_pGrandParentWnd)
        m_pGrandParentWnd->GetClientRect(&m_rcGrandParent);
    CRect rcParentClient;
    if (m_pParentWnd)
        m_pParentWnd->GetClientRect(&rcParentClient);
    m_nPopupOffset = rcParentClient.Height() - m_rcChild.Height();
    if (::IsWindow(m_button.GetSafeHwnd()))
        m_button.ShowWindow(SW_SHOW);
}

CTKCaptionPopupWnd* CTKCaption::CreatePopupWindow()
{
    return new CTKCaptionPopupWnd;
}

BOOL CTKCaption::ShowPopup()
{
    if (m_pPopupWnd && ::IsWindow(m_pPopupWnd->GetSafeHwnd()) && m_pPopupWnd->IsWindowVisible()) {
        // Not done at once: the click moved the focus to the button, and the popup, which closes
        // when the focus leaves it, would close. The focus goes back, the button stays pushed.
        FocusPopup();
        return TRUE;
    }
    if (m_pChildWnd == NULL || m_pParentWnd == NULL)
        return FALSE;
    // Over the pane's client area, longer by what the pane's parent has grown since.
    CRect rc = m_rcParent;
    m_pParentWnd->ClientToScreen(&rc);
    if (m_pGrandParentWnd) {
        CRect rcNow;
        m_pGrandParentWnd->GetClientRect(&rcNow);
        rc.bottom += rcNow.Height() - m_rcGrandParent.Height();
    }
    if (m_pPopupWnd == NULL) {
        m_pPopupWnd = CreatePopupWindow();
        if (m_pPopupWnd == NULL || !m_pPopupWnd->Create(rc, this, m_pChildWnd)) {
            delete m_pPopupWnd;
            m_pPopupWnd = NULL;
            return FALSE;
        }
    }
    m_pPopupWnd->MoveWindow(&rc);
    m_pPopupWnd->ShowWindow(SW_SHOW);
    m_pPopupWnd->RecalcLayout();
    // The popup closes when the focus leaves it: it starts with the focus.
    FocusPopup();
    return TRUE;
}

void CTKCaption::FocusPopup()
{
    HWND hFocus = ::GetFocus();
    if (hFocus != m_pPopupWnd->GetSafeHwnd() && !::IsChild(m_pPopupWnd->GetSafeHwnd(), hFocus))
        m_pPopupWnd->SetFocus();
    m_button.SetState(TRUE);
}

void CTKCaption::DestroyPopup()
{
    CTKCaptionPopupWnd* pPopup = m_pPopupWnd;
    m_pPopupWnd = NULL;
    if (pPopup) {
        if (::IsWindow(pPopup->GetSafeHwnd()))
            pPopup->DestroyWindow();
        delete pPopup;
    }
}

void CTKCaption::HidePopup()
{
    if (::IsWindow(m_button.GetSafeHwnd()))
        m_button.SetState(FALSE);
    DestroyPopup();
}

// --- Geometry and painting ------------------------------------------------------------------------------

CRect CTKCaption::GetTextRect()
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (m_strCaption.IsEmpty())
        return CRect(0, 0, 0, 0);
    int nWidth;
    {
        CClientDC dc(this);
        CTKPFontSelector font(&dc, GetFont());
        TEXTMETRICW tm = {};
        dc.GetTextMetrics(&tm);
        nWidth = dc.GetTextExtent(m_strCaption).cx + tm.tmAveCharWidth + 12;
    }
    // The icon takes the last 18 pixels inside the border: the border on both sides is left out
    // too, as with the client width less 18 alone a border would run the text under the icon.
    if (m_hIcon)
        nWidth = std::min<int>(nWidth, rcClient.Width() - 2 * m_nBorderSize - 18);
    return CRect(m_nBorderSize, m_nBorderSize, m_nBorderSize + nWidth, rcClient.Height() - m_nBorderSize);
}

CRect CTKCaption::GetButtonRect()
{
    if (!::IsWindow(m_button.GetSafeHwnd()))
        return CRect(0, 0, 0, 0);
    if (m_dwCaptionStyle & TKCS_CLOSEBUTTON) {
        CRect rcClient;
        GetClientRect(&rcClient);
        const CPoint pt(rcClient.Width() - 18, (rcClient.Height() - kCloseHeight) / 2);
        return CRect(pt, CSize(kCloseWidth, kCloseHeight));
    }
    return GetTextRect();
}

void CTKCaption::DrawBackground(CDC* pDC, const CRect& rect)
{
    if (CTKCaptionTheme* pTheme = GetCaptionTheme())
        pTheme->DrawBackground(pDC, this, rect);
}

void CTKCaption::DrawCaptionText(CDC* pDC, const CRect& rect)
{
    if (CTKCaptionTheme* pTheme = GetCaptionTheme())
        pTheme->DrawText(pDC, this, rect);
}

void CTKCaption::DrawCaptionIcon(CDC* pDC, const CRect& rect)
{
    if (CTKCaptionTheme* pTheme = GetCaptionTheme())
        pTheme->DrawIcon(pDC, this, rect);
}

void CTKCaption::Draw(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (::IsWindow(m_button.GetSafeHwnd()) && m_button.IsWindowVisible()) {
        const CRect rcButton = GetButtonRect();
        pDC->ExcludeClipRect(&rcButton);
    }
    DrawBackground(pDC, rcClient);
    DrawCaptionText(pDC, GetTextRect());
    DrawCaptionIcon(pDC, rcClient);
}

void CTKCaption::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CTKMemDC memDC(&dc, rcClient, CTKPColorGradient(tkcolor::Get(tkcolor::Face)));
    Draw(&memDC);
}

BOOL CTKCaption::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTKCaption::OnSize(UINT nType, int cx, int cy)
{
    CStatic::OnSize(nType, cx, cy);
    if (m_hIcon)
        Invalidate();
}

void CTKCaption::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CStatic::OnWindowPosChanged(lpwndpos);
    if (::IsWindow(m_button.GetSafeHwnd())) {
        const CRect rcButton = GetButtonRect();
        m_button.MoveWindow(&rcButton);
    }
}

void CTKCaption::OnSysColorChange()
{
    if (CTKCaptionTheme* pTheme = GetCaptionTheme())
        pTheme->RefreshMetrics();
    CStatic::OnSysColorChange();
    if (!m_bUserColors) {
        m_clrText = ::GetSysColor(COLOR_BTNTEXT);
        m_clrBorder = m_clrBackground = ::GetSysColor(COLOR_BTNFACE);
        if (::IsWindow(m_button.GetSafeHwnd())) {
            m_button.SetFaceColor(m_clrBackground, FALSE);
            m_button.SetTextColor(m_clrText, FALSE);
            m_button.SetShadowColor(::GetSysColor(COLOR_3DDKSHADOW), FALSE);
        }
    }
    if (::IsWindow(m_button.GetSafeHwnd()))
        m_button.SendMessage(WM_SYSCOLORCHANGE);
    Invalidate();
}

void CTKCaption::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    if (CTKCaptionTheme* pTheme = GetCaptionTheme())
        pTheme->RefreshMetrics();
    CStatic::OnSettingChange(uFlags, lpszSection);
    if (::IsWindow(m_button.GetSafeHwnd()))
        m_button.SendMessage(WM_SETTINGCHANGE, uFlags, reinterpret_cast<LPARAM>(lpszSection));
}

// --- Button and popup -----------------------------------------------------------------------------------

void CTKCaption::OnButton()
{
    if (m_bCaptionButton) {
        ShowPopup();
        return;
    }
    if (CWnd* pNotify = GetNotifyWnd())
        pNotify->SendMessage(WM_COMMAND, GetDlgCtrlID());
}

LRESULT CTKCaption::OnPinned(WPARAM, LPARAM)
{
    // The child goes back into its pane below the caption, and the empty popup closes.
    if (m_pChildWnd && ::IsWindow(m_pChildWnd->GetSafeHwnd()) && m_pParentWnd) {
        m_pChildWnd->SetParent(m_pParentWnd);
        CRect rc = m_rcChild;
        rc.OffsetRect(0, m_nPopupOffset);
        m_pChildWnd->MoveWindow(&rc);
    }
    HidePopup();
    if (CWnd* pNotify = GetNotifyWnd())
        pNotify->SendMessage(WM_TKCAPTION_PINNED);
    RedrawWindow();
    return 0;
}

LRESULT CTKCaption::OnFocusLost(WPARAM, LPARAM)
{
    HidePopup();
    if (CWnd* pNotify = GetNotifyWnd())
        pNotify->SendMessage(WM_TKCAPTION_FOCUSLOST);
    RedrawWindow();
    return 0;
}

void CTKCaption::OnDestroy()
{
    DestroyPopup();
    CStatic::OnDestroy();
}
